#!/usr/bin/env python3
"""pages.py FOLDER INNER PAGE...: writes to standard output one cram test that
runs the pages as their reader does, top to bottom:
- each ```sh block, unless the line before it is "<!-- by hand -->" (it needs
  a person, a terminal or another machine), becomes a script in FOLDER, run by
  bash -eux -o pipefail from INNER (FOLDER as the test's shell sees it); when
  it fails, the end of its log is shown and the test stops there;
- each example indented by four spaces, a command after "$ " and what it
  writes, is checked as it stands;
- the README's script example must write the README's session less the
  answers, each of which follows a prompt's colon and ends its line.
"""
import re
import sys

folder, inner, pages = sys.argv[1], sys.argv[2], sys.argv[3:]


def fenced_after(lines, heading, fence):
    """The lines of the first block fenced by FENCE after the line HEADING."""
    start = lines.index(heading)
    first = lines.index(fence, start) + 1
    return lines[first:lines.index("```", first)]


def session_output(lines):
    session = "\n".join(fenced_after(lines, "## A session", "```text")[1:-1]) + "\n"
    return re.sub(r": \S+\n", ": ", session).split("\n")[:-1]


def script_line(name, expected):
    script = f"{inner}/{name}"
    if expected is not None:
        return [f"  $ bash -eu -o pipefail {script}"] + [f"  {line}" for line in expected]
    log = f"{script}.log"
    return [f"  $ bash -eux -o pipefail {script} </dev/null >{log} 2>&1 ||"
            f" {{ tail -n 100 {log}; exit 1; }}"]


test = []
blocks = 0
for page in pages:
    with open(page, encoding="utf-8") as f:
        lines = f.read().split("\n")
    script_example = None
    if page.endswith("README.md"):
        script_example = fenced_after(lines, "## Using it from a script", "```sh")
    index = 0
    while index < len(lines):
        line = lines[index]
        if line.startswith("```"):
            end = lines.index("```", index + 1)
            body = lines[index + 1:end]
            if line == "```sh" and lines[index - 1] != "<!-- by hand -->":
                blocks += 1
                name = f"{blocks:02d}.sh"
                with open(f"{folder}/{name}", "w", encoding="utf-8") as script:
                    script.write("\n".join(body) + "\n")
                expected = session_output(lines) if body == script_example else None
                test.append(f"{page}:{index + 1}")
                test += script_line(name, expected)
            index = end + 1
        elif line.startswith("    $ "):
            test.append(f"{page}:{index + 1}")
            while index < len(lines) and lines[index].startswith("    "):
                test.append(lines[index][2:])
                index += 1
        else:
            index += 1
print("\n".join(test))
