#include "resultat.h"

#include <cmath>
#include <iostream>

#include "ieee.h"
#include "lan.h"
#include "utdata.h"

namespace {

const float hundra = 100;

// The fraction that a rate in percent stands for, formed at double
// precision; callers round it to float where their rule says so.
double andel(float procent) { return static_cast<double>(procent) / hundra; }

}  // namespace

void resultat() {
  const auto rantekostnad = static_cast<float>(andel(ranta) * lanesumma);
  auto avdrag = static_cast<float>(andel(skatt) * rantekostnad);
  // A tax rate of 0 times an infinite cost is a NaN, whose sign differs from
  // processor to processor; made positive, it is written "nan" on every one.
  avdrag = std::isnan(avdrag) ? std::copysign(avdrag, 1.0F) : avdrag;
  std::cout << std::endl;
  std::cout << "******************************" << std::endl << std::endl;
  std::cout << "L\xE5nesumma:       " << tal_text(lanesumma) << " kr"
            << std::endl;
  std::cout << "Skattesats:      " << tal_text(static_cast<float>(andel(skatt)))
            << std::endl;
  std::cout << "R\xE4ntesats:       "
            << tal_text(static_cast<float>(andel(ranta))) << std::endl;
  std::cout << "R\xE4ntekostnad/\xE5r: " << tal_text(rantekostnad) << " kr"
            << std::endl;
  std::cout << std::endl;
  std::cout << "Med hj\xE4lp av inbetald skatt kan " << std::endl;
  std::cout << tal_text(avdrag) << " kronor skrivas av fr\xE5n " << std::endl;
  std::cout << "r\xE4ntekostnaden (per \xE5r)." << std::endl;
  std::cout << std::endl;
  std::cout << "******************************" << std::endl;
}
