// Starting the program under test: directly, or through the emulator that
// runs a cross-built program, and always under limits that stop a program
// that never ends but never one that a busy machine slows down: processor
// time, of which a dialogue needs milliseconds however loaded the machine
// is; time asleep, waiting for something that never comes, of which a
// dialogue on files needs none; and a cap on what it writes.
#ifndef KVINTORN_TESTS_PROGRAM_H
#define KVINTORN_TESTS_PROGRAM_H

#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "test_setup.h"  // program_argv, time_scale

// The processor seconds a run may use, and the seconds it may sleep on end.
inline unsigned limit_seconds() { return 10 * time_scale; }

// How much one run may write to a file: its standard output or error.
constexpr rlim_t output_cap = rlim_t{1} << 20;

// Replaces this process, a child's, with `command` (the program, by
// default) and `args`, under the limits: SIGXCPU ends it past its processor
// time (SIGKILL a second later), SIGXFSZ when it writes past the cap to a
// file, each at its default disposition and unblocked whatever this process
// had; it leaves no core file.
[[noreturn]] inline void exec_program(
    const std::vector<std::string>& args = {},
    const char* const* command = program_argv) {
  sigset_t used;
  sigemptyset(&used);
  for (const int signal : {SIGXCPU, SIGXFSZ, SIGPIPE}) {
    std::signal(signal, SIG_DFL);
    sigaddset(&used, signal);
  }
  sigprocmask(SIG_UNBLOCK, &used, nullptr);
  const rlim_t seconds = limit_seconds();
  const rlimit cpu{seconds, seconds + 1}, cap{output_cap, output_cap},
      none{0, 0};
  setrlimit(RLIMIT_CPU, &cpu);
  setrlimit(RLIMIT_FSIZE, &cap);
  setrlimit(RLIMIT_CORE, &none);
  std::vector<char*> argv;
  for (const char* const* word = command; *word != nullptr; ++word)
    argv.push_back(const_cast<char*>(*word));
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

// How a run ended: its waitpid status, what it used, and, when a limit
// stopped it, why in words.
struct Ending {
  int status = 0;
  rusage usage{};
  std::string why;
};

// Whether process `pid` sleeps now, waiting for something other than a
// processor or a disk.
inline bool asleep(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const auto name_end = line.rfind(')');
  return name_end != std::string::npos && line.compare(name_end, 3, ") S") == 0;
}

// Waits for the run started as `pid` to end. One that sleeps, whenever it is
// looked at, for limit_seconds() on end is stopped with SIGKILL; under load
// a program waits for a processor, which is not sleep.
inline Ending wait_program(pid_t pid) {
  using clock = std::chrono::steady_clock;
  const std::chrono::seconds allowed(limit_seconds());
  Ending end;
  auto pause = std::chrono::microseconds(100);
  auto since = clock::now();
  while (wait4(pid, &end.status, WNOHANG, &end.usage) == 0) {
    if (!asleep(pid)) {
      since = clock::now();
    } else if (clock::now() - since > allowed) {
      kill(pid, SIGKILL);
      wait4(pid, &end.status, 0, &end.usage);
      end.why = "the program slept for " + std::to_string(allowed.count()) +
                " s, waiting for something that never came, and was "
                "stopped\n";
      return end;
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, decltype(pause)(100000));
  }
  const int signal = WIFSIGNALED(end.status) ? WTERMSIG(end.status) : 0;
  if (signal == SIGXCPU || signal == SIGKILL)
    end.why = "the program used " + std::to_string(allowed.count()) +
              " s of processor time and was stopped\n";
  if (signal == SIGXFSZ)
    end.why =
        "the program wrote past the cap on output, 1 MiB, and was "
        "stopped\n";
  return end;
}

#endif
