// Starting the program under test: directly, or through the emulator that
// runs a cross-built program, and always under a time limit and a cap on
// what it writes, so that a program that never stops cannot hold up a test.
#ifndef KVINTORN_TESTS_PROGRAM_H
#define KVINTORN_TESTS_PROGRAM_H

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "program_command.h"  // program_argv, program_emulated

// How long one run of the program may take; an emulator starts and runs a
// program many times slower than the processor does.
inline unsigned program_seconds() { return program_emulated ? 50 : 5; }

// How much one run may write to a file: its standard output or error.
constexpr rlim_t output_cap = rlim_t{1} << 20;

// Replaces this process, a child's, with the program and `args`. SIGALRM
// ends it after `seconds`, and SIGXFSZ when it writes past the cap to a
// file; it leaves no core file.
[[noreturn]] inline void exec_program(const std::vector<std::string>& args = {},
                                      unsigned seconds = program_seconds()) {
  const rlimit cap{output_cap, output_cap}, none{0, 0};
  setrlimit(RLIMIT_FSIZE, &cap);
  setrlimit(RLIMIT_CORE, &none);
  std::vector<char*> argv;
  for (const char* const* word = program_argv; *word != nullptr; ++word)
    argv.push_back(const_cast<char*>(*word));
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  alarm(seconds);  // kept across exec
  execvp(argv[0], argv.data());
  _exit(127);
}

// In words, what stopped a run whose waitpid status is `wait`, when one of
// the limits of exec_program did; otherwise empty.
inline std::string stopped_by_limit(int wait,
                                    unsigned seconds = program_seconds()) {
  if (WIFSIGNALED(wait) && WTERMSIG(wait) == SIGALRM)
    return "the program did not end within " + std::to_string(seconds) +
           " s and was stopped\n";
  if (WIFSIGNALED(wait) && WTERMSIG(wait) == SIGXFSZ)
    return "the program wrote past the cap on output, 1 MiB, and was "
           "stopped\n";
  return "";
}

#endif
