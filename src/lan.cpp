#include "lan.h"

#include <cctype>
#include <cstdlib>
#include <iostream>
#include <string>

float lanesumma = 0;
float ranta = 0;
float skatt = 0;

namespace {

// Writes the prompt and reads one number into varde. A word that cannot be
// read as a number is skipped up to the next whitespace and the prompt is
// written again; varde is only changed by a number that was read.
void las_tal(const char* ledtext, float& varde) {
  using traits = std::char_traits<char>;
  for (;;) {
    std::cout << ledtext;
    // The sentry flushes the prompt and skips whitespace, and is false when
    // nothing but whitespace was left.
    if (!std::istream::sentry(std::cin)) {
      indata_slut();
    }
    float tal = 0;
    if (std::cin >> tal) {
      varde = tal;
      return;
    }
    std::cin.clear();
    for (int tecken = std::cin.peek();
         tecken != traits::eof() && std::isspace(tecken) == 0;
         tecken = std::cin.peek()) {
      std::cin.get();
    }
  }
}

}  // namespace

void matain() {
  std::cout << std::endl;
  las_tal("Mata in l\xE5nesumman: ", lanesumma);
  las_tal("Mata in r\xE4ntan (0.0%): ", ranta);
  skatt = 30;
}

void matain_skatt() { las_tal("Mata in skatt (0.0%): ", skatt); }

void indata_slut() {
  std::cout << std::endl;
  std::exit(slutstatus(1));
}

int slutstatus(int status) {
  if (std::cout) {
    return status;
  }
  std::cerr << "kvintorn: kunde inte skriva till standard ut" << std::endl;
  return 1;
}
