// Drives the program through pipes one answer at a time, as a person at a
// terminal would: each prompt must have arrived before its answer is sent.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <utility>

#include "program.h"

namespace {

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
