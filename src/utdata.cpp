#include "utdata.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <iostream>
#include <iterator>
#include <streambuf>

namespace {

// Standard output's buffer: filled by the stream, written out when it is
// full or flushed. Once a write has failed it takes nothing more.
class Utbuffert : public std::streambuf {
 public:
  Utbuffert() { setp(std::begin(data_), std::end(data_)); }

 protected:
  int_type overflow(int_type c) override {
    if (!skriv_ut()) {
      return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override { return skriv_ut() ? 0 : -1; }

 private:
  // Writes out what the buffer holds, again where a write was cut short.
  bool skriv_ut() {
    const char* forsta = pbase();
    while (!fel_ && forsta < pptr()) {
      const ssize_t skrivet = write(STDOUT_FILENO, forsta,
                                    static_cast<std::size_t>(pptr() - forsta));
      if (skrivet >= 0) {
        forsta += skrivet;
      } else if (errno != EINTR) {
        fel_ = true;
      }
    }
    setp(std::begin(data_), fel_ ? std::begin(data_) : std::end(data_));
    return !fel_;
  }

  char data_[4096];
  bool fel_ = false;
};

// Standard output's buffer, and the one std::cout had, which it gets back
// before the C++ library's own last flush at exit.
struct StandardUt {
  Utbuffert buffert;
  std::streambuf* forra = nullptr;
  ~StandardUt() {
    if (forra != nullptr) {
      std::cout.rdbuf(forra);
    }
  }
};

StandardUt standard_ut;

}  // namespace

void oppna_standard_ut() {
  standard_ut.forra = std::cout.rdbuf(&standard_ut.buffert);
}

bool stang_standard_ut() {
  const bool skrivet = static_cast<bool>(std::cout.flush());
  // A close cut short by a signal has closed the descriptor all the same
  // (Linux), and is not made again.
  return close(STDOUT_FILENO) == 0 ? skrivet : skrivet && errno == EINTR;
}

std::string tal_text(float varde) {
  char text[32];  // "-1.17549e-38" is the longest
  char* const slut = std::to_chars(std::begin(text), std::end(text), varde,
                                   std::chars_format::general, 6)
                         .ptr;
  return std::string(std::begin(text), slut);
}
