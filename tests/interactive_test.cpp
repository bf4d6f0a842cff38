// Drives the program through pipes one answer at a time, as a person at a
// terminal would: each prompt must have arrived before its answer is sent.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstddef>
#include <string>
#include <utility>

#include "program.h"

namespace {

// What the program `pid` writes to `fd`, up to `size` bytes: fewer when it
// ends first, or when it has waited (slept, or stood stopped) that long with
// nothing more written, and is then stopped; with `size` 0, all it writes
// before it next waits. However slow the machine, a program that runs or
// waits for a processor is waited for.
std::string receive(int fd, std::size_t size, pid_t pid) {
  const std::chrono::seconds waits(size == 0 ? 0 : limit_seconds());
  std::string got;
  pollfd ready{fd, POLLIN, 0};
  Watch watch(pid);
  for (;; watch.pause()) {
    // Asked before what is written is read: a program writes, then waits.
    const std::string why = watch.why_stop(waits);
    char byte = 0;
    while ((size == 0 || got.size() < size) && poll(&ready, 1, 0) > 0) {
      if (read(fd, &byte, 1) != 1) return got;  // it has ended
      got += byte;
    }
    if (size != 0 && got.size() == size) return got;
    if (!why.empty()) {
      if (size != 0 || !watch.watched()) {
        kill(pid, SIGKILL);
        ADD_FAILURE() << why;
      }
      return got;
    }
  }
}

TEST(Interactive, EachPromptArrivesBeforeItsAnswer) {
  // An answer sent after the program has ended fails the test rather than
  // ending it (SIGPIPE); the program itself starts with the default.
  std::signal(SIGPIPE, SIG_IGN);
  int in[2], out[2];
  ASSERT_EQ(pipe(in), 0);
  ASSERT_EQ(pipe(out), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    for (int fd : {in[0], in[1], out[0], out[1]}) close(fd);
    exec_program();
  }
  close(in[0]);
  close(out[1]);
  const std::pair<std::string, std::string> steps[] = {
      {"Kvintorn (v.0.1)\nSkriven av Kvintorns utvecklarlag\n\n"
       "Mata in l\xE5nesumman: ",
       "100000\n"},
      {"Mata in r\xE4ntan (0.0%): ", "5.5\n"},
      {"\n-----\nL\xE5nesumma: 100000 kr\nR\xE4nta:     5.5%\n"
       "Skatt:     30%\n-----\nSt\xE4mmer v\xE4rdena? (j/n): ",
       "\n  \n"},
      {"", "j\n"}};  // the empty line has answered nothing
  for (const auto& [prompt, answer] : steps) {
    ASSERT_EQ(receive(out[0], prompt.size(), pid), prompt);
    ASSERT_EQ(write(in[1], answer.data(), answer.size()),
              static_cast<ssize_t>(answer.size()));
  }
  const std::string report = receive(out[0], 4096, pid);
  EXPECT_EQ(report.substr(0, 33), "\n******************************\n\n");
  EXPECT_NE(report.find("\n1650 kronor skrivas av "), std::string::npos);
  close(in[1]);
  close(out[0]);
  const Ending end = wait_program(pid);
  EXPECT_EQ(end.why, "");
  EXPECT_TRUE(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0);
}

}  // namespace
