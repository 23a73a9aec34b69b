// Property checks inside the fuzz targets: a failed check prints what was seen and aborts,
// which libFuzzer reports as a crash and saves the input that caused it.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

[[noreturn]] inline void FuzzFail(const char* file, int line, const char* condition,
                                  const std::string& detail) {
  std::fprintf(stderr, "\n%s:%d: property failed: %s\n  %s\n", file, line, condition,
               detail.c_str());
  std::abort();
}

#define FUZZ_CHECK(condition, detail)                                       \
  do {                                                                      \
    if (!(condition)) FuzzFail(__FILE__, __LINE__, #condition, (detail));   \
  } while (0)

// Printable form of bytes for the failure message (cut after 200 bytes).
inline std::string Shown(const std::string& bytes) {
  std::string out = "\"";
  std::size_t n = 0;
  for (unsigned char c : bytes) {
    if (++n > 200) {
      out += "...";
      break;
    }
    if (c >= 32 && c < 127 && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + "\" (" + std::to_string(bytes.size()) + " bytes)";
}

inline std::string LongDoubleText(long double x) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%.21Lg", x);
  return buffer;
}
