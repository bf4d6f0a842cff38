# What the CI scripts share; sourced, not run.

step() { echo "+ $*"; "$@"; }

# fails_saying PATTERN COMMAND...: COMMAND fails, and what it writes holds
# PATTERN.
fails_saying() {
  local pattern=$1 out
  shift
  echo "+ $* (must fail, saying $pattern)"
  ! out=$("$@" 2>&1) || { echo "$out" | tail -n 20; echo "it went through" >&2; return 1; }
  grep -e "$pattern" <<<"$out"
}

# installed PREFIX [SUFFIX]: a program and its manual pages, changelog and
# licence under PREFIX (/usr/local, say, or /usr), the pages and the
# changelog with SUFFIX (.gz, as the package compresses them).
installed() {
  test -x "$1/bin/kvintorn"
  test -f "$1/share/man/man1/kvintorn.1${2-}"
  test -f "$1/share/man/sv/man1/kvintorn.1${2-}"
  test -f "$1/share/doc/kvintorn/changelog${2-}"
  test -f "$1/share/doc/kvintorn/copyright"
}

# A program, started by the command given, that carries one dialogue
# through to its report.
reports() {
  echo '200000 4 n 200000 4 25 j' | "$@" | grep -a '2000 kronor skrivas av fr'
}

# The README's test command: the first line of the block marked as such.
readme_test_command() {
  awk 'marked && /^```/ { getline; print; exit } { marked = $0 == "<!-- the test command -->" }' README.md
}
