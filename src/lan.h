#ifndef KVINTORN_LAN_H
#define KVINTORN_LAN_H

// The loan parameters: the loan sum in kronor and the yearly interest and
// tax rates in percent. They are zero at start and written only by the two
// entry operations: matain asks for the loan sum and the interest rate and
// resets the tax rate to 30; matain_skatt asks for the tax rate.
extern float lanesumma;
extern float ranta;
extern float skatt;

void matain();
void matain_skatt();

#endif
