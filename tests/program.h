// Starting the program under test: directly, or through the emulator that
// runs a cross-built program, and always under limits that stop a program
// that never ends but never one that a busy machine slows down: processor
// time, of which a dialogue needs milliseconds however loaded the machine
// is; time asleep or stopped, waiting for something that never comes, of
// which a dialogue on files needs none; and a cap on what it writes. And
// standing between the program and its input or output while it runs,
// watched the same way.
#ifndef KVINTORN_TESTS_PROGRAM_H
#define KVINTORN_TESTS_PROGRAM_H

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "test_setup.h"  // program_argv, time_scale

// The processor seconds a run may use, and the seconds it may sleep or stand
// stopped on end.
inline unsigned limit_seconds() { return 10 * time_scale; }

// How much one run may write to a file: its standard output or error.
constexpr rlim_t output_cap = rlim_t{1} << 20;

// Makes every close of descriptor 1 from here on, across exec, fail with
// EIO, as a file system may report a write it could not do only then. The
// filter looks at the call's number alone, not at the architecture's
// calling convention, which a native program does not change. Returns
// whether it could (an emulator refuses it).
inline bool make_close_of_output_fail() {
  const unsigned fd_low = offsetof(seccomp_data, args) +
                          (__BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ ? 4 : 0);
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_close, 0, 3),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, fd_low),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 1, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
  const sock_fprog fprog{sizeof filter / sizeof filter[0], filter};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &fprog) == 0;
}

// Replaces this process, a child's, with the program and `args`, under the
// limits: SIGXCPU ends it past its processor time (SIGKILL a second later),
// SIGXFSZ when it writes past the cap to a file, each at its default
// disposition and unblocked whatever this process had, and so is SIGPIPE,
// unless `sigpipe_ignored`; it leaves no core file, and nothing is preloaded
// into it (faketime, say, as reprotest runs a build, opens a file that would
// take the place of a closed standard output). Where `close_fails`, its
// closes of standard output fail.
[[noreturn]] inline void exec_program(const std::vector<std::string>& args = {},
                                      bool sigpipe_ignored = false,
                                      bool close_fails = false) {
  sigset_t used;
  sigemptyset(&used);
  for (const int signal : {SIGXCPU, SIGXFSZ, SIGPIPE}) {
    std::signal(signal,
                signal == SIGPIPE && sigpipe_ignored ? SIG_IGN : SIG_DFL);
    sigaddset(&used, signal);
  }
  sigprocmask(SIG_UNBLOCK, &used, nullptr);
  const rlim_t seconds = limit_seconds();
  const rlimit cpu{seconds, seconds + 1}, cap{output_cap, output_cap},
      none{0, 0};
  setrlimit(RLIMIT_CPU, &cpu);
  setrlimit(RLIMIT_FSIZE, &cap);
  setrlimit(RLIMIT_CORE, &none);
  unsetenv("LD_PRELOAD");
  if (close_fails && !make_close_of_output_fail()) _exit(127);
  std::vector<char*> argv;
  for (const char* const* word = program_argv; *word != nullptr; ++word)
    argv.push_back(const_cast<char*>(*word));
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

// How a run ended: its waitpid status, what it used, when a limit or a
// signal stopped it, why in words, and what it wrote where the harness read
// it (see Between).
struct Ending {
  int status = 0;
  rusage usage{};
  std::string why, out;
};

// Watches a running program, looking at its state in /proc/PID/stat each
// time it is asked: how long it has slept (waiting for something other than
// a processor or a disk) or stood stopped by a signal, on end. Under load a
// program waits for a processor, which is neither.
class Watch {
 public:
  explicit Watch(pid_t pid) : pid_(pid), since_(clock::now()) {}

  // Why the program is to be stopped, in words, or "" while it may go on:
  // it has slept or stood stopped for longer than `allowed`, or its state
  // cannot be read, so that nothing could tell a hang from a wait.
  std::string why_stop(std::chrono::seconds allowed) {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto name_end = line.rfind(')');
    if (name_end == std::string::npos || name_end + 2 >= line.size())
      return "the program's state could not be read from /proc/" +
             std::to_string(pid_) +
             "/stat, so a hang could not be told from a wait, and it was "
             "stopped\n";
    state_ = line[name_end + 2];
    if (state_ != 'S' && state_ != 'T' && state_ != 't') {
      since_ = clock::now();
    } else if (clock::now() - since_ >= allowed) {
      return "the program slept or stood stopped for " +
             std::to_string(allowed.count()) +
             " s, waiting for something that never came, and was stopped\n";
    }
    return "";
  }

  // The state read the last time it was asked: 'S' asleep, 'T' stopped,
  // and so on, as proc(5) has them.
  char state() const { return state_; }

  // Whether the program, not running, is in a system call on descriptor
  // `fd` (its first argument), as /proc/PID/syscall tells: a sleep in a
  // read of its input, not in a page fault on a slow file system, say.
  bool in_call_on(unsigned long fd) const {
    std::ifstream call("/proc/" + std::to_string(pid_) + "/syscall");
    long number = -1;
    std::string first;
    return call >> number >> first && number >= 0 &&
           std::stoul(first, nullptr, 16) == fd;
  }

  // Sleeps until the next look: a tenth of a millisecond at first, twice as
  // long each time after, up to a tenth of a second.
  void pause() {
    std::this_thread::sleep_for(pause_);
    pause_ = std::min(pause_ * 2, std::chrono::microseconds(100000));
  }

  // The next pause as short as the first: something has just happened; and
  // where it was the program's own progress (a byte taken or written), its
  // wait so far, on the harness, does not count.
  void hurry(bool progress = false) {
    pause_ = std::chrono::microseconds(100);
    if (progress) since_ = clock::now();
  }

 private:
  using clock = std::chrono::steady_clock;
  pid_t pid_;
  clock::time_point since_;
  char state_ = 'R';
  std::chrono::microseconds pause_{100};
};

// Why a run ended by a signal did, in words: a limit, or a kill from outside
// (the kernel's out-of-memory killer, a person), or the signal itself.
inline std::string why_signalled(const Ending& end) {
  if (!WIFSIGNALED(end.status)) return "";
  const int signal = WTERMSIG(end.status);
  const long used = end.usage.ru_utime.tv_sec + end.usage.ru_stime.tv_sec;
  const bool past_cpu = used >= static_cast<long>(limit_seconds());
  if (signal == SIGXCPU || (signal == SIGKILL && past_cpu))
    return "the program used " + std::to_string(limit_seconds()) +
           " s of processor time and was stopped\n";
  if (signal == SIGXFSZ)
    return "the program wrote past the cap on output, 1 MiB, and was "
           "stopped\n";
  if (signal == SIGKILL)
    return "the program was killed from outside (SIGKILL) after " +
           std::to_string(used) +
           " s of processor time: by the kernel, short of memory, or by a "
           "person\n";
  return "the program was ended by signal " + std::to_string(signal) + " (" +
         strsignal(signal) + ")\n";
}

// The harness's ends of a running program's input and output, and what it
// does with them while the program runs: `input`, sent on the socket `in` a
// byte at a time, each once the program has taken the one before (from
// `in_peer`, its own end) and sleeps in a read of it, then the end of the
// input; what the program writes, read from `out`, with each byte sent put
// after what had come before it, as a terminal echoes what is typed, and
// closed once `out_size` bytes have come (0: read to the end); and, where
// `interrupt`, the program stopped and continued each time it sleeps, which
// cuts short a read or write on a socket with a timeout (EINTR).
struct Between {
  int in = -1, in_peer = -1;
  std::string input;
  int out = -1;
  std::size_t out_size = 0;
  bool interrupt = false;
};

// Reads into `got` what has come on `between.out`, without waiting, and
// closes it at its end or once `out_size` bytes have come.
inline void take_output(Between& between, std::string& got) {
  char block[4096];
  for (std::size_t want = sizeof block; between.out >= 0; want = sizeof block) {
    if (between.out_size != 0)
      want = std::min(want, between.out_size - got.size());
    const ssize_t n = want == 0 ? 0 : read(between.out, block, want);
    if (n <= 0) {
      if (want == 0 || n == 0) {
        close(between.out);
        between.out = -1;
      }
      return;
    }
    got.append(block, static_cast<std::size_t>(n));
  }
}

// Waits for the run started as `pid` to end, standing between it and its
// input and output as `between` says, and stops it with SIGKILL when its
// watch says so.
inline Ending wait_program(pid_t pid, Between between = {}) {
  Ending end;
  Watch watch(pid);
  std::size_t sent = 0;
  if (between.out >= 0) fcntl(between.out, F_SETFL, O_NONBLOCK);
  while (wait4(pid, &end.status, WNOHANG, &end.usage) == 0) {
    // Looked at in this order: a byte taken, then the program asleep again,
    // in a read of its input.
    int unread = 0;
    const bool taken = between.in >= 0 &&
                       ioctl(between.in_peer, FIONREAD, &unread) == 0 &&
                       unread == 0;
    end.why = watch.why_stop(std::chrono::seconds(limit_seconds()));
    if (!end.why.empty()) {
      kill(pid, SIGKILL);
      wait4(pid, &end.status, 0, &end.usage);
      break;
    }
    const bool asleep = watch.state() == 'S';
    const bool reading = asleep && taken && watch.in_call_on(0);
    if (asleep && between.interrupt) {
      kill(pid, SIGSTOP);
      while (watch.why_stop(std::chrono::seconds(limit_seconds())).empty() &&
             watch.state() != 'T' && watch.state() != 'Z')
        watch.pause();
      kill(pid, SIGCONT);
      watch.hurry();
    }
    const std::size_t had = end.out.size();
    take_output(between, end.out);
    if (end.out.size() > had) watch.hurry(true);
    if (reading) {
      if (sent < between.input.size()) {
        if (between.out >= 0) end.out += between.input[sent];
        send(between.in, &between.input[sent++], 1, MSG_NOSIGNAL);
      } else {
        close(between.in);
        between.in = -1;
      }
      watch.hurry(true);
    }
    watch.pause();
  }
  if (between.in >= 0) close(between.in);
  take_output(between, end.out);
  if (between.out >= 0) close(between.out);
  if (end.why.empty()) end.why = why_signalled(end);
  return end;
}

#endif
