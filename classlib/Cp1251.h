// Windows-1251 <-> UTF-16 / UTF-8 conversion and the code page's letter case.
//
// Text inside the programs is 8-bit Windows-1251; every call into Windows goes
// through the wide API, and network titles arrive as UTF-8. These helpers are
// the one place that knows the code page. Nothing is lost silently: the
// narrowing functions say whether every character fitted, so a caller holding
// a path that does not fit keeps it wide.
#pragma once

#include <string>

// One Windows-1251 byte as a Unicode code point (every byte has one).
char16_t Cp1251ToUnicode(unsigned char c);
// The Windows-1251 byte of a code point; false when the code page lacks it.
bool UnicodeToCp1251(char32_t cp, unsigned char& out);

// Wide strings are UTF-16 on Windows and UTF-32 elsewhere; both are handled.
std::wstring Cp1251ToWide(const std::string& s);
// Characters missing from the code page become '?'; `lossless` (if given)
// reports whether that happened.
std::string WideToCp1251(const std::wstring& s, bool* lossless = nullptr);
bool WideFitsCp1251(const std::wstring& s);

std::string Cp1251ToUtf8(const std::string& s);
// Invalid UTF-8 bytes and characters missing from the code page become '?'.
std::string Utf8ToCp1251(const std::string& s, bool* lossless = nullptr);

namespace classlib {
// Well-formed UTF-8: no stray or missing continuation bytes, overlong forms,
// surrogates or values past U+10FFFF.
bool IsValidUtf8(const std::string& s);
// The UTF-8 form of one code point, added to out.
void AppendUtf8(std::string& out, char32_t cp);

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);
} // namespace classlib

// Letter case by the code page's own rules (Latin and Cyrillic letters,
// including Ё/ё and the other Cyrillic letters of the upper half).
unsigned char Cp1251UpperChar(unsigned char c);
unsigned char Cp1251LowerChar(unsigned char c);

// The grid's cells and UTF-16 file names: the same conversions for
// std::u16string on every platform.
std::u16string Cp1251ToUtf16(const std::string& s);
std::string Utf16ToCp1251(const std::u16string& s, bool* lossless = nullptr);
