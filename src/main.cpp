#include <cfenv>
#include <iostream>
#include <string>

#include "indata.h"
#include "lan.h"
#include "resultat.h"
#include "slut.h"
#include "utdata.h"

void visa_varden() {
  std::cout << std::endl;
  std::cout << "-----" << std::endl;
  std::cout << "L\xE5nesumma: " << tal_text(lanesumma) << " kr" << std::endl;
  std::cout << "R\xE4nta:     " << tal_text(ranta) << "%" << std::endl;
  std::cout << "Skatt:     " << tal_text(skatt) << "%" << std::endl;
  std::cout << "-----" << std::endl;
}

int main() {
  // The floating-point environment as IEEE 754 has it by default: rounding
  // to nearest and subnormal numbers kept, whatever start-up code a build
  // links in (-ffast-math and -Ofast bring code that flushes them to zero).
  std::fesetenv(FE_DFL_ENV);
  oppna_standard_ut();
  std::cout << "Kvintorn (v.0.1)" << std::endl;
  std::cout << "Skriven av Kvintorns utvecklarlag" << std::endl;
  matain();
  for (;;) {
    visa_varden();
    std::cout << "St\xE4mmer v\xE4rdena? (j/n): ";
    // Two characters are enough to tell "j" from every other word.
    const std::string svar = las_ord(std::cin, 2);
    if (std::cin.fail()) {
      indata_slut();
    }
    if (svar == "j") {
      break;
    }
    matain();
    matain_skatt();
  }
  resultat();
  std::cout << std::endl;
  return slutstatus(0);
}
