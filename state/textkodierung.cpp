#include "textkodierung.h"

namespace {

void anhaengen(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

bool folgebyte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the well-formed character at s[i], or 0 when none starts there.
std::size_t zeichenlaenge(std::string_view s, std::size_t i, char32_t& cp) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  std::size_t n;
  char32_t kleinst;
  if (c < 0x80) { cp = c; return 1; }
  if ((c >> 5) == 6) { cp = c & 0x1F; n = 2; kleinst = 0x80; }
  else if ((c >> 4) == 14) { cp = c & 0x0F; n = 3; kleinst = 0x800; }
  else if ((c >> 3) == 30) { cp = c & 0x07; n = 4; kleinst = 0x10000; }
  else return 0;
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if (!folgebyte(static_cast<unsigned char>(s[i + k]))) return 0;
    cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
  if (cp < kleinst || (cp >= 0xD800 && cp < 0xE000) || cp > 0x10FFFF) return 0;
  return n;
}

}  // namespace

std::string utf8(std::u16string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
    else if (cp >= 0xD800 && cp < 0xE000)
      cp = 0xFFFD;
    anhaengen(out, cp);
  }
  return out;
}

std::u16string utf16(std::string_view s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const std::size_t n = zeichenlaenge(s, i, cp);
    if (n == 0) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
  }
  return out;
}

std::size_t utf8bruch(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const std::size_t n = zeichenlaenge(s, i, cp);
    if (n == 0) return i;
    i += n;
  }
  return std::string_view::npos;
}
