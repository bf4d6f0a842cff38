#include "resultat.h"

#include <iostream>

#include "lan.h"

namespace {

const float hundra = 100;

// The fraction that a rate in percent stands for, formed at double
// precision; callers round it to float where their rule says so.
double andel(float procent) { return static_cast<double>(procent) / hundra; }

}  // namespace

void resultat() {
  const auto rantekostnad = static_cast<float>(andel(ranta) * lanesumma);
  const auto avdrag = static_cast<float>(andel(skatt) * rantekostnad);
  std::cout << std::endl;
  std::cout << "******************************" << std::endl << std::endl;
  std::cout << "L\xE5nesumma:       " << lanesumma << " kr" << std::endl;
  std::cout << "Skattesats:      " << static_cast<float>(andel(skatt))
            << std::endl;
  std::cout << "R\xE4ntesats:       " << static_cast<float>(andel(ranta))
            << std::endl;
  std::cout << "R\xE4ntekostnad/\xE5r: " << rantekostnad << " kr" << std::endl;
  std::cout << std::endl;
  std::cout << "Med hj\xE4lp av inbetald skatt kan " << std::endl;
  std::cout << avdrag << " kronor skrivas av fr\xE5n " << std::endl;
  std::cout << "r\xE4ntekostnaden (per \xE5r)." << std::endl;
  std::cout << std::endl;
  std::cout << "******************************" << std::endl;
}
