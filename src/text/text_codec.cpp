// UTF-8 checks and conversions for the program's texts and the files it reads.
#include "text_codec.h"

namespace text {
bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t length;
    char32_t code;
    char32_t minimum;
    if (c >= 0xC2 && c <= 0xDF) {  // 0xC0, 0xC1 would only start overlong forms
      length = 2;
      code = c & 0x1F;
      minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3;
      code = c & 0x0F;
      minimum = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      code = c & 0x07;
      minimum = 0x10000;
    } else {
      return false;
    }
    if (n - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      unsigned char t = static_cast<unsigned char>(bytes[i + k]);
      if (!IsUtf8Continuation(bytes[i + k])) return false;
      code = (code << 6) | (t & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (char c : text)
    if (!IsUtf8Continuation(c)) ++count;
  return count;
}

std::string PaddedText(std::string text, std::size_t width) {
  for (std::size_t n = Utf8Length(text); n < width; ++n) text += ' ';
  return text;
}

std::string LastUtf8Char(std::string_view text) {
  if (text.empty()) return std::string();
  std::size_t start = text.size() - 1;
  // At most three continuation bytes belong to one character.
  for (int k = 0; k < 3 && start > 0 && IsUtf8Continuation(text[start]); ++k) --start;
  return std::string(text.substr(start));
}

std::vector<std::string> Utf8Characters(std::string_view text) {
  std::vector<std::string> chars;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t n = 1;
    while (i + n < text.size() && IsUtf8Continuation(text[i + n])) ++n;
    chars.emplace_back(text.substr(i, n));
    i += n;
  }
  return chars;
}
}  // namespace text
