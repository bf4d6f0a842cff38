#ifndef KVINTORN_SLUT_H
#define KVINTORN_SLUT_H

// How the dialogue ends. indata_slut ends it once a read of standard input
// has failed, met its end or found standard output failed: one end of line, a
// message on standard error if reading failed (std::cin's badbit), and exit
// status 1. slutstatus flushes and closes standard output and returns the
// exit status to end with: `status` when all output has reached it, otherwise
// 1, after a message on standard error.
[[noreturn]] void indata_slut();
int slutstatus(int status);

#endif
