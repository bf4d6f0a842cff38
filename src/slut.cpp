#include "slut.h"

#include <cstdlib>
#include <iostream>

#include "utdata.h"

void indata_slut() {
  std::cout << std::endl;
  if (std::cin.bad()) {
    std::cerr << "kvintorn: kunde inte l\xE4sa standard in" << std::endl;
  }
  std::exit(slutstatus(1));
}

int slutstatus(int status) {
  if (stang_standard_ut()) {
    return status;
  }
  std::cerr << "kvintorn: kunde inte skriva till standard ut" << std::endl;
  return 1;
}
