// Windows-1251 tables and the UTF-8 / UTF-16 codecs (see Cp1251.h).
#include "classlib/Cp1251.h"

namespace {

// Code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. Byte 0x98
// is unassigned in the code page and maps to U+0098 so that it round-trips.
const char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// Upper/lower pairs of the upper half outside the regular А..я block.
const unsigned char kCasePairs[][2] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

constexpr bool kWide16 = sizeof(wchar_t) == 2;

// Calls `put` with each code point of a wide string (surrogates joined).
template <class F>
void ForEachCodePoint(const std::wstring& s, F put) {
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = static_cast<char32_t>(s[i]);
    if (kWide16 && c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size()) {
      char32_t lo = static_cast<char32_t>(s[i + 1]);
      if (lo >= 0xDC00 && lo <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
        ++i;
      }
    }
    put(c);
  }
}

void AppendWide(std::wstring& out, char32_t c) {
  if (kWide16 && c >= 0x10000) {
    c -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (c >> 10));
    out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<wchar_t>(c);
  }
}

// Decodes UTF-8; an invalid sequence yields U+FFFD for its first byte (and
// clears *valid when asked).
template <class F>
void ForEachUtf8(const std::string& s, F put, bool* valid = nullptr) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  size_t n = s.size();
  for (size_t i = 0; i < n;) {
    unsigned char b = p[i];
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    bool ok = len > 0 && i + len <= n;
    for (int k = 1; ok && k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80)
        ok = false;
      else
        c = (c << 6) | (p[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are invalid.
    if (ok && ((len == 2 && c < 0x80) || (len == 3 && c < 0x800) || (len == 4 && c < 0x10000) ||
               c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)))
      ok = false;
    if (ok) {
      put(c);
      i += len;
    } else {
      if (valid) *valid = false;
      put(char32_t(0xFFFD));
      ++i;
    }
  }
}

} // namespace

void classlib::AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool classlib::IsValidUtf8(const std::string& s) {
  bool valid = true;
  ForEachUtf8(
      s, [](char32_t) {}, &valid);
  return valid;
}

char16_t Cp1251ToUnicode(unsigned char c) {
  if (c < 0x80) return c;
  if (c >= 0xC0) return static_cast<char16_t>(0x0410 + (c - 0xC0));
  return kHigh[c - 0x80];
}

bool UnicodeToCp1251(char32_t cp, unsigned char& out) {
  if (cp < 0x80) {
    out = static_cast<unsigned char>(cp);
    return true;
  }
  if (cp >= 0x0410 && cp <= 0x044F) {
    out = static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    return true;
  }
  for (int i = 0; i < 64; ++i) {
    if (kHigh[i] == cp) {
      out = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

std::wstring Cp1251ToWide(const std::string& s) {
  std::wstring out;
  out.reserve(s.size());
  for (unsigned char c : s) out += static_cast<wchar_t>(Cp1251ToUnicode(c));
  return out;
}

namespace {

// Windows-1251 bytes of the code points `walk` hands to the function it is
// given; "?" stands for each one the code page lacks, and *lossless (when
// asked) tells whether there was none.
template <typename Walk>
std::string EncodeCp1251(size_t sizeHint, bool* lossless, Walk walk) {
  std::string out;
  out.reserve(sizeHint);
  bool all = true;
  walk([&](char32_t c) {
    unsigned char b;
    if (!UnicodeToCp1251(c, b)) {
      b = '?';
      all = false;
    }
    out += static_cast<char>(b);
  });
  if (lossless) *lossless = all;
  return out;
}

} // namespace

std::string WideToCp1251(const std::wstring& s, bool* lossless) {
  return EncodeCp1251(s.size(), lossless, [&](auto put) { ForEachCodePoint(s, put); });
}

bool WideFitsCp1251(const std::wstring& s) {
  bool all = true;
  WideToCp1251(s, &all);
  return all;
}

std::string Cp1251ToUtf8(const std::string& s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (unsigned char c : s) classlib::AppendUtf8(out, Cp1251ToUnicode(c));
  return out;
}

std::string Utf8ToCp1251(const std::string& s, bool* lossless) {
  return EncodeCp1251(s.size(), lossless, [&](auto put) { ForEachUtf8(s, put); });
}

std::wstring classlib::Utf8ToWide(const std::string& s) {
  std::wstring out;
  out.reserve(s.size());
  ForEachUtf8(s, [&](char32_t c) { AppendWide(out, c); });
  return out;
}

std::string classlib::WideToUtf8(const std::wstring& s) {
  std::string out;
  out.reserve(s.size());
  ForEachCodePoint(s, [&](char32_t c) { classlib::AppendUtf8(out, c); });
  return out;
}

unsigned char Cp1251UpperChar(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0) return static_cast<unsigned char>(c - 32);
  for (const auto& p : kCasePairs)
    if (p[1] == c) return p[0];
  return c;
}

unsigned char Cp1251LowerChar(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDF) return static_cast<unsigned char>(c + 32);
  for (const auto& p : kCasePairs)
    if (p[0] == c) return p[1];
  return c;
}

std::u16string Cp1251ToUtf16(const std::string& s) {
  std::u16string out;
  out.reserve(s.size());
  for (char c : s) out += Cp1251ToUnicode(static_cast<unsigned char>(c));
  return out;
}

std::string Utf16ToCp1251(const std::u16string& s, bool* lossless) {
  std::string out;
  out.reserve(s.size());
  bool all = true;
  for (char16_t u : s) {
    unsigned char b = '?';
    if (u < 0x80)
      b = static_cast<unsigned char>(u);
    else if (!UnicodeToCp1251(u, b)) {
      b = '?';
      all = false;
    }
    out += static_cast<char>(b);
  }
  if (lossless) *lossless = all;
  return out;
}
