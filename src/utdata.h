#ifndef KVINTORN_UTDATA_H
#define KVINTORN_UTDATA_H

#include <string>

// A number as the output stream writes a float by default: general format
// with six significant digits, as printf's %g has it, but made by
// std::to_chars, the same in every C++ library and cheaper than the stream.
std::string tal_text(float varde);

#endif
