#ifndef KVINTORN_RESULTAT_H
#define KVINTORN_RESULTAT_H

// Writes the report, framed by two rows of stars: the loan sum, the tax and
// interest rates as fractions, the yearly interest cost and the part of it
// that can be written off against tax already paid.
void resultat();

#endif
