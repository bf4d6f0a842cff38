// Starting the program under test: directly, or through the emulator that
// runs a cross-built program.
#ifndef KVINTORN_TESTS_PROGRAM_H
#define KVINTORN_TESTS_PROGRAM_H

#include <unistd.h>

#include <string>

#include "program_command.h"  // program_argv, program_emulated

// The command as a shell takes it.
inline std::string program_command() {
  std::string command;
  for (const char* const* word = program_argv; *word != nullptr; ++word)
    command += std::string(command.empty() ? "'" : " '") + *word + "'";
  return command;
}

// Replaces this process, a child's, with the program.
[[noreturn]] inline void exec_program() {
  execvp(program_argv[0], const_cast<char* const*>(program_argv));
  _exit(127);
}

#endif
