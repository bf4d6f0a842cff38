// Each folder under cases/ is one dialogue: `input` is fed to the program,
// `stdout` and `stderr` (empty when absent) are the exact bytes expected,
// `status` the exit status; `args` holds command-line arguments,
// `stdout-to` a file to send standard output to instead of comparing it, and
// `rest` what must be left unread on standard input for whoever reads next.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "program.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Outcome {
  std::string out, err;
  int status;
  std::string rest;  // what was left unread on standard input
};

// A folder of this test process's own for the files of a run, removed when
// the process ends.
fs::path scratch() {
  static const struct Folder {
    fs::path dir =
        fs::temp_directory_path() / ("kvintorn-" + std::to_string(getpid()));
    Folder() { fs::create_directories(dir); }
    ~Folder() { fs::remove_all(dir); }
  } folder;
  return folder.dir;
}

// Runs the program under a time limit and a cap on what it may write, and
// then `cat` on the same standard input; a run that is killed has status -1.
// A run stopped at the cap keeps the first KiB of each output and says so.
Outcome run(const fs::path& input, const std::string& args = "",
            std::string out_to = "", int seconds = 10) {
  const fs::path tmp = scratch();
  const bool keep = out_to.empty();
  if (keep) out_to = (tmp / "out").string();
  const std::string cmd =
      "cd '" + tmp.string() + "' && { ulimit -c 0; ulimit -f 2048; timeout " +
      std::to_string(seconds) + " " + program_command() + " " + args + " >'" +
      out_to +
      "' 2>err; status=$?; cat >rest 2>/dev/null; if [ $status = 153 ]; then "
      "echo 'the program wrote past the cap on output, ulimit -f 2048, and was "
      "stopped' >&2; for f in out "
      "err; do head -c 1024 $f >$f.cut 2>/dev/null; mv $f.cut $f; done; fi; "
      "exit $status; } <'" +
      input.string() + "'";
  const int wait = std::system(cmd.c_str());
  const int code = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  return {keep ? slurp(out_to) : "", slurp(tmp / "err"),
          code == 124 ? -1 : code, slurp(tmp / "rest")};
}

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(CASES))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, GivesExpectedBytesAndStatus) {
  const fs::path dir = fs::path(CASES) / GetParam();
  const std::string out_to = slurp(dir / "stdout-to");
  const Outcome got = run(dir / "input", slurp(dir / "args"),
                          out_to.substr(0, out_to.find('\n')));
  if (out_to.empty()) {
    EXPECT_EQ(got.out, slurp(dir / "stdout"));
  }
  EXPECT_EQ(got.err, slurp(dir / "stderr"));
  EXPECT_EQ(got.status, std::stoi(slurp(dir / "status")));
  if (fs::exists(dir / "rest")) {
    EXPECT_EQ(got.rest, slurp(dir / "rest"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Transcript, testing::ValuesIn(case_names()),
                         [](const auto& name) { return name.param; });

// Dialogues made at random from words a person might type must all end
// promptly: with the whole report and status 0, or with status 1 when the
// input runs out first, and never with a word on standard error.
TEST(RandomInput, EndsPromptlyWithReportOrStatusOne) {
  const std::vector<std::string> words = {
      "200000", "5.5", "-3",  "+4", "1e3",  "2.5e-2", "0",
      ".5",     "7.",  "j",   "j",  "n",    "J",      "ja",
      "nej",    "abc", "5,5", "4%", "1e99", "-",      "1e"};
  const std::vector<std::string> gaps = {" ", "\t", "\n", "\r\n", "  \n\n"};
  const std::string stars = "******************************\n\n";
  const fs::path input = scratch() / "random-input";
  // An emulator starts a program many times slower than the processor does.
  const int seconds = program_emulated ? 10 : 1;
  if (program_emulated)
    std::printf("under an emulator: each dialogue gets %d s\n", seconds);
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (auto n = random() % 40; n > 0; --n) {
      text += words[random() % words.size()];
      if (random() % 4 != 0) text += gaps[random() % gaps.size()];
    }
    SCOPED_TRACE("input: " + text);
    std::ofstream(input, std::ios::binary) << text;
    const auto start = std::chrono::steady_clock::now();
    const Outcome got = run(input, "", "", seconds);
    ASSERT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::seconds(seconds));
    ASSERT_TRUE(got.status == 0 || got.status == 1);
    ASSERT_EQ(got.err, "");
    const size_t tail = std::min(got.out.size(), stars.size());
    if (got.status == 0) {
      ASSERT_EQ(got.out.substr(got.out.size() - tail), stars);
    }
  }
}

// The peak resident memory of the program, in KiB, on the dialogue `input`.
long peak_kib(const fs::path& input) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (std::freopen(input.c_str(), "r", stdin) != nullptr &&
        std::freopen("/dev/null", "w", stdout) != nullptr)
      exec_program();
    _exit(127);
  }
  int wait = 0;
  rusage usage{};
  wait4(pid, &wait, 0, &usage);
  return usage.ru_maxrss;
}

// A word of 16 MiB, as an answer or as the digits of a number, costs the
// program no more memory than a short dialogue does, give or take a half.
// The words are written a block at a time: a child's peak starts from the
// size of the process it was forked from.
TEST(LongWords, PeakMemoryDoesNotGrowWithTheWord) {
  const fs::path small = scratch() / "small", answer = scratch() / "answer",
                 digits = scratch() / "digits";
  {
    const std::string block(1 << 16, '0');
    std::ofstream(small) << "1 2 jj\n";
    std::ofstream a(answer), d(digits);
    a << "1 2 j";
    d << "1";
    for (int n = 0; n < 256; ++n) {
      a << block;
      d << block;
    }
    a << "\n";
    d << "e-16777215 5 j\n";
  }
  const long base = peak_kib(small);
  if (program_emulated)
    std::printf(
        "under an emulator: each peak, %ld KiB for the short "
        "dialogue, includes the emulator's own memory\n",
        base);
  EXPECT_LT(peak_kib(answer), base * 3 / 2);
  EXPECT_LT(peak_kib(digits), base * 3 / 2);
}

}  // namespace
