#include "lan.h"

#include <iostream>

#include "indata.h"
#include "slut.h"

float lanesumma = 0;
float ranta = 0;
float skatt = 0;

namespace {

// Writes the prompt and reads one number into varde. A word that is not a
// number is skipped and the prompt is written again; at the end of the input
// the dialogue ends.
void fraga_tal(const char* ledtext, float& varde) {
  for (;;) {
    std::cout << ledtext;
    if (las_tal(std::cin, varde)) {
      return;
    }
    if (std::cin.fail()) {
      indata_slut();
    }
  }
}

}  // namespace

void matain() {
  std::cout << std::endl;
  fraga_tal("Mata in l\xE5nesumman: ", lanesumma);
  fraga_tal("Mata in r\xE4ntan (0.0%): ", ranta);
  skatt = 30;
}

void matain_skatt() { fraga_tal("Mata in skatt (0.0%): ", skatt); }
