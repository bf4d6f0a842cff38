// Each folder under cases/ is one dialogue: `input` is fed to the program,
// `stdout` and `stderr` (empty when absent) are the exact bytes expected,
// `status` the exit status (a folder without `input` or `status` fails); `args`
// holds command-line arguments, `rest` what must be left unread on standard
// input for whoever reads next. `input-by` says how the input comes when not
// from its file: `repeat`, through a pipe, over and over without end;
// `nonblocking`, through a pipe that stays open and non-blocking, so that the
// read after it fails (EAGAIN); `socket`, typed on a socket with a receive
// timeout a byte at a time, each once the program waits for it, stopped and
// continued first. `stdout-to` and `stderr-to` send an output to a file
// instead of comparing it, or close it (`&-`). `stdout-to` `|` sends standard
// output to a pipe whose reader takes what `stdout` holds, and goes away; with
// `socket` input, `stdout` is then what a terminal shows, each typed byte
// echoed after what came before it. `stdout-to` `socket` sends it to a socket
// with a send timeout and a small buffer, the program stopped and continued
// each time it waits to write; `close-fails`, to its file, whose close fails
// (EIO). `sigpipe` holding `ignored` starts the program with SIGPIPE ignored.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <utility>
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
  long peak_kib;     // its peak resident memory
};

// A folder for the files of the test that is running, under the build
// folder: emptied when the test starts, so that whatever a test stopped by
// ctest left behind is gone by the next run, and removed when it ends.
class Scratch {
 public:
  Scratch() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name =
        std::string(test->test_suite_name()) + "." + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = fs::path(SCRATCH) / name;
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~Scratch() { fs::remove_all(dir_); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  fs::path operator/(const std::string& file) const { return dir_ / file; }

 private:
  fs::path dir_;
};

// How a run is set up: its arguments; how its input comes when not from its
// file, "repeat" or "nonblocking" (see open_input); where its standard output
// and error go instead of being kept: a file, "&-" for closed, or, for
// standard output, "|", a pipe whose reader takes `out_size` bytes and then
// goes away; and whether it starts with SIGPIPE ignored.
struct Setup {
  std::vector<std::string> args;
  std::string input_by, out_to, err_to;
  std::size_t out_size = 0;
  bool sigpipe_ignored = false;
};

// The input of a run: the descriptor it reads from, the write end of a pipe
// held open until it has ended, the child that fills a pipe, and the end of a
// socket that sends it.
struct Input {
  int fd = -1, held = -1;
  pid_t writer = -1;
  Between between;
};

// A pair of connected sockets, the first with `option` set to a day: a
// timeout that lets a stop and a continue cut its calls short (EINTR).
bool socket_pair(int ends[2], int option) {
  const timeval day{86400, 0};
  return socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0 &&
         setsockopt(ends[0], SOL_SOCKET, option, &day, sizeof day) == 0;
}

// The file `input` itself; or a pipe that a child fills with it over and
// over, without end ("repeat"); or a pipe that holds it and stays open and
// non-blocking, so that the read after it fails ("nonblocking"); or a socket
// that the harness sends it on ("socket").
Input open_input(const fs::path& input, const std::string& by) {
  Input got;
  if (by.empty()) {
    got.fd = open(input.c_str(), O_RDONLY | O_CLOEXEC);
    return got;
  }
  const std::string text = slurp(input);
  int ends[2];
  if (by == "socket") {
    if (!socket_pair(ends, SO_RCVTIMEO)) return got;
    got.fd = got.between.in_peer = ends[0];
    got.between.in = ends[1];
    got.between.input = text;
    got.between.interrupt = true;
    return got;
  }
  if (pipe2(ends, O_CLOEXEC) != 0) return got;
  got.fd = ends[0];
  if (by == "repeat") {
    got.writer = fork();
    if (got.writer == 0) {
      close(ends[0]);
      while (write(ends[1], text.data(), text.size()) > 0) {
      }
      _exit(0);
    }
    close(ends[1]);
  } else {
    got.held = ends[1];
    if (write(got.held, text.data(), text.size()) !=
            static_cast<ssize_t>(text.size()) ||
        fcntl(got.fd, F_SETFL, O_NONBLOCK) != 0)
      got.fd = -1;
  }
  return got;
}

// Opens the output `to` for a child: a file, or none (-1) for "&-".
int open_output(const std::string& to) {
  return to == "&-"
             ? -1
             : open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

// Standard output through the harness, as `to` says: a pipe ("|") or a
// socket with the smallest buffer ("socket"), whose ends go to `ends`, the
// program's first; otherwise nothing.
bool open_between(const std::string& to, int ends[2]) {
  const int smallest = 1;
  if (to == "|" && pipe2(ends, O_CLOEXEC) == 0) {
    std::swap(ends[0], ends[1]);
    return true;
  }
  return to == "socket" && socket_pair(ends, SO_SNDTIMEO) &&
         setsockopt(ends[0], SOL_SOCKET, SO_SNDBUF, &smallest,
                    sizeof smallest) == 0;
}

// Puts `from` on descriptor `fd` of a child, or closes `fd` where it is to
// be closed; an output that could not be opened fails.
bool put(int from, int fd, bool closed = false) {
  return closed ? close(fd) == 0 : dup2(from, fd) == fd;
}

// Runs the program on `input` under the limits of exec_program, as `setup`
// says. What it leaves unread is the rest of the
// same open file. A run stopped at a limit has status -1, says why first on
// standard error, and keeps the first KiB of each output.
Outcome run(const Scratch& scratch, const fs::path& input,
            const Setup& setup = {}) {
  const std::string out = scratch / "out", err = scratch / "err";
  Input in = open_input(input, setup.input_by);
  int between[2] = {-1, -1};
  const bool between_out = open_between(setup.out_to, between);
  if (between_out && setup.out_size == 0 && setup.out_to == "|")
    close(between[1]);  // gone before the program starts
  else
    in.between.out = between[1];
  in.between.out_size = setup.out_to == "|" ? setup.out_size : 0;
  in.between.interrupt = in.between.interrupt || setup.out_to == "socket";
  const bool kept = setup.out_to.empty() || setup.out_to == "close-fails";
  const pid_t pid = fork();
  if (pid == 0) {
    const int out_fd =
        between_out ? between[0] : open_output(kept ? out : setup.out_to);
    const int err_fd = open_output(setup.err_to.empty() ? err : setup.err_to);
    if (put(in.fd, 0) && put(out_fd, 1, setup.out_to == "&-") &&
        put(err_fd, 2, setup.err_to == "&-"))
      exec_program(setup.args, setup.sigpipe_ignored,
                   setup.out_to == "close-fails");
    _exit(127);
  }
  if (between_out) close(between[0]);
  const bool socket_in = in.between.in >= 0;
  const Ending end = wait_program(pid, in.between);
  if (in.held >= 0) close(in.held);
  Outcome got{};
  got.out = between_out ? end.out : slurp(out);
  if (setup.err_to.empty()) got.err = slurp(err);
  got.status = WIFEXITED(end.status) ? WEXITSTATUS(end.status) : -1;
  got.peak_kib = end.usage.ru_maxrss;
  char block[4096];
  for (ssize_t n; in.writer < 0 && !socket_in &&
                  (n = read(in.fd, block, sizeof block)) > 0;)
    got.rest.append(block, static_cast<size_t>(n));
  close(in.fd);
  if (in.writer > 0) waitpid(in.writer, nullptr, 0);
  if (!end.why.empty()) {
    got.out.resize(std::min<size_t>(got.out.size(), 1024));
    got.err = end.why + got.err.substr(0, 1024);
  }
  return got;
}

// The first line of a case's file, or "" where there is none.
std::string first_line(const fs::path& file) {
  const std::string text = slurp(file);
  return text.substr(0, text.find('\n'));
}

// Runs the case in the folder `name` and compares what the program writes,
// leaves unread and ends with to what the case expects.
void check_case(const std::string& name) {
  const fs::path dir = fs::path(CASES) / name;
  for (const char* needed : {"input", "status"}) {
    ASSERT_TRUE(fs::exists(dir / needed))
        << "the case folder " << dir << " has no file " << needed;
  }
  std::istringstream words(slurp(dir / "args"));
  Setup setup{{std::istream_iterator<std::string>(words), {}},
              first_line(dir / "input-by"),
              first_line(dir / "stdout-to"),
              first_line(dir / "stderr-to"),
              slurp(dir / "stdout").size(),
              first_line(dir / "sigpipe") == "ignored"};
  if (setup.out_to == "close-fails" && program_emulated)
    GTEST_SKIP() << "an emulator lets no filter make a close fail";
  const Scratch scratch;
  const Outcome got = run(scratch, dir / "input", setup);
  if (setup.out_to.empty() || setup.out_to == "|" || setup.out_to == "socket" ||
      setup.out_to == "close-fails") {
    EXPECT_EQ(got.out, slurp(dir / "stdout"));
  }
  if (setup.err_to.empty()) {
    EXPECT_EQ(got.err, slurp(dir / "stderr"));
  }
  EXPECT_EQ(got.status, std::stoi(slurp(dir / "status")));
  if (fs::exists(dir / "rest")) {
    EXPECT_EQ(got.rest, slurp(dir / "rest"));
  }
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, GivesExpectedBytesAndStatus) { check_case(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, Transcript, testing::ValuesIn(case_names),
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
  const Scratch scratch;
  const fs::path input = scratch / "random-input";
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (auto n = random() % 40; n > 0; --n) {
      text += words[random() % words.size()];
      if (random() % 4 != 0) text += gaps[random() % gaps.size()];
    }
    SCOPED_TRACE("input: " + text);
    std::ofstream(input, std::ios::binary) << text;
    const Outcome got = run(scratch, input);
    ASSERT_EQ(got.err, "");
    ASSERT_TRUE(got.status == 0 || got.status == 1);
    const size_t tail = std::min(got.out.size(), stars.size());
    if (got.status == 0) {
      ASSERT_EQ(got.out.substr(got.out.size() - tail), stars);
    }
  }
}

// A word of 16 MiB, as an answer or as the digits of a number, costs the
// program no more memory than a short dialogue does, give or take a half.
// The words are written a block at a time: a child's peak starts from the
// size of the process it was forked from.
TEST(LongWords, PeakMemoryDoesNotGrowWithTheWord) {
  const Scratch scratch;
  const fs::path small = scratch / "small", answer = scratch / "answer",
                 digits = scratch / "digits";
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
  // The first two end at the end of the input, the third with the report.
  const Outcome base = run(scratch, small), long_answer = run(scratch, answer),
                long_digits = run(scratch, digits);
  if (program_emulated)
    std::printf(
        "under an emulator: each peak, %ld KiB for the short "
        "dialogue, includes the emulator's own memory\n",
        base.peak_kib);
  EXPECT_EQ(base.status, 1) << base.err;
  EXPECT_EQ(long_answer.status, 1) << long_answer.err;
  EXPECT_EQ(long_digits.status, 0) << long_digits.err;
  EXPECT_LT(long_answer.peak_kib, base.peak_kib * 3 / 2);
  EXPECT_LT(long_digits.peak_kib, base.peak_kib * 3 / 2);
}

}  // namespace
