#ifndef KVINTORN_INDATA_H
#define KVINTORN_INDATA_H

#include <cstddef>
#include <iosfwd>
#include <string>

// Reading the dialogue's answers, word by word. Each read flushes the stream
// tied to `in` and skips whitespace first; when nothing else is left it sets
// failbit and eofbit and reads nothing. When the tied stream has failed, it
// sets failbit and reads nothing at all. When a read of `in` fails (std::cin's
// by ferror(stdin)), between words or within one, it sets badbit, and the word
// it cut off is not taken. However long a word is, only a bounded part of it
// is kept. A read takes nothing past its word: the character that ends it
// stays in `in`.

// Reads one number: the longest run of an optional sign, digits, an optional
// point and digits, and an optional exponent (e or E, a sign, digits). The
// run is a number when it has a digit before the exponent, a digit after an
// exponent letter, and a finite value once rounded to the nearest float.
// Then the value goes to `tal`, what follows the run stays in `in` and the
// result is true. Otherwise the rest of the word is skipped as well, `tal`
// is left as it was and the result is false.
bool las_tal(std::istream& in, float& tal);

// Reads one word and returns its first `langd` characters; the rest of the
// word is read and dropped, and the whitespace after it stays in `in`.
std::string las_ord(std::istream& in, std::size_t langd);

#endif
