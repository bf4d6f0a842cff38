#ifndef KVINTORN_UTDATA_H
#define KVINTORN_UTDATA_H

#include <string>

// Standard output. oppna_standard_ut makes std::cout write through a buffer
// of the program's own that writes with write(2), whatever the C++ library:
// still tied to std::cin and flushed by each end of line, so one write a line
// and one for a prompt before its read. A write that a signal cuts short
// (EINTR), or that writes only part, is made again with what it did not
// write, so that no byte is lost or written twice; any other failure sets
// std::cout's badbit, and nothing is written after it. stang_standard_ut
// flushes std::cout and closes standard output, and tells whether everything
// written reached it: no write failed, and neither did the close.
void oppna_standard_ut();
bool stang_standard_ut();

// A number as the output stream writes a float by default: general format
// with six significant digits, as printf's %g has it, but made by
// std::to_chars, the same in every C++ library and cheaper than the stream.
std::string tal_text(float varde);

#endif
