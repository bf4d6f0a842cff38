// Drives the program through pipes one answer at a time, as a person at a
// terminal would, and checks what has arrived before each answer is sent.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <string>

namespace {

class Session {
 public:
  Session() {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      std::signal(SIGPIPE, SIG_DFL);
      dup2(in[0], 0);
      dup2(out[1], 1);
      for (int fd : {in[0], in[1], out[0], out[1]}) close(fd);
      execl(KVINTORN, KVINTORN, static_cast<char*>(nullptr));
      _exit(127);
    }
    std::signal(SIGPIPE, SIG_IGN);
    close(in[0]);
    close(out[1]);
    to_ = in[1];
    from_ = out[0];
  }
  ~Session() {
    close(to_);
    close(from_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  void send(const std::string& text) const {
    EXPECT_EQ(write(to_, text.data(), text.size()),
              static_cast<ssize_t>(text.size()));
  }
  // Up to `size` bytes, as many as arrive with no pause of `ms` or longer.
  std::string receive(size_t size, int ms = 5000) const {
    std::string got;
    pollfd ready{from_, POLLIN, 0};
    char buf[512];
    while (got.size() < size && poll(&ready, 1, ms) > 0) {
      const ssize_t n =
          read(from_, buf, std::min(sizeof buf, size - got.size()));
      if (n <= 0) break;
      got.append(buf, static_cast<size_t>(n));
    }
    return got;
  }
  std::string receive(const std::string& like) const {
    return receive(like.size());
  }
  int status() {
    close(to_);
    to_ = -1;
    int wait = 0;
    waitpid(pid_, &wait, 0);
    pid_ = -1;
    return WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  }

 private:
  pid_t pid_ = -1;
  int to_ = -1, from_ = -1;
};

TEST(Interactive, EachPromptArrivesBeforeItsAnswer) {
  Session s;
  const std::string greeting =
      "Kvintorn (v.0.1)\nSkriven av Kvintorns utvecklarlag\n\n"
      "Mata in l\xE5nesumman: ";
  EXPECT_EQ(s.receive(greeting), greeting);
  s.send("100000\n");
  EXPECT_EQ(s.receive(23), "Mata in r\xE4ntan (0.0%): ");
  s.send("5.5\n");
  const std::string review =
      "\n-----\nL\xE5nesumma: 100000 kr\nR\xE4nta:     5.5%\n"
      "Skatt:     30%\n-----\nSt\xE4mmer v\xE4rdena? (j/n): ";
  EXPECT_EQ(s.receive(review), review);
  s.send("\n  \n");
  EXPECT_EQ(s.receive(1, 300), "");
  s.send("j\n");
  const std::string report = s.receive(4096);
  EXPECT_EQ(report.substr(0, 33), "\n******************************\n\n");
  EXPECT_NE(report.find("\n1650 kronor skrivas av "), std::string::npos);
  EXPECT_EQ(s.status(), 0);
}

}  // namespace
