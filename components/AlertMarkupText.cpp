// Text side of the markup renderer: entity decoding, escaping, colour names,
// numbers, tag attributes and gradient bands. ASCII letters fold case here;
// bytes of the code page's upper half pass untouched (never as negative chars
// into the C library).
#include "components/AlertMarkupText.h"

#include <climits>
#include <cmath>

#include "components/AlertMarkup.h"

namespace markup {
namespace {

char UpAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char LowAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

struct Entity {
  const char* name; // without "&" and ";"
  char value;
};
// "&euro;" is 0x88 in Windows-1251 (0x80 is a Cyrillic letter there).
constexpr Entity kEntities[] = {
    {"amp", '&'},     {"quot", '"'},    {"sect", '\xA7'}, {"permil", '\x89'},
    {"reg", '\xAE'},  {"copy", '\xA9'}, {"para", '\xB6'}, {"trade", '\x99'},
    {"euro", '\x88'}, {"nbsp", ' '},    {"lt", '<'},      {"gt", '>'},
};

// The entity at s[i] ("&name;"): its value and length, or 0.
size_t MatchEntity(const std::string& s, size_t i, char& value) {
  for (const Entity& e : kEntities) {
    size_t n = 0;
    while (e.name[n] && i + 1 + n < s.size() && LowAscii(s[i + 1 + n]) == e.name[n]) ++n;
    if (e.name[n] == 0 && i + 1 + n < s.size() && s[i + 1 + n] == ';') {
      value = e.value;
      return n + 2;
    }
  }
  return 0;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = UpAscii(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

size_t MarkupText::Find(char c, size_t from, size_t to) const {
  for (size_t i = from; i < to; ++i)
    if (Bytes[i] == c && !Literal[i]) return i;
  return to;
}

MarkupText PrepareMarkup(const std::string& text) {
  MarkupText t;
  t.Bytes.reserve(text.size());
  t.Literal.reserve(text.size());
  bool hashDone = false;
  bool dropGt = false; // the ">" closing the first "<#" goes
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    char value = 0;
    size_t n = c == '&' ? MatchEntity(text, i, value) : 0;
    if (n) {
      t.Push(value, true);
      i += n - 1;
    } else if (c == '\n') {
    } else if (c == '\r') {
      for (char b : std::string("<BR>")) t.Push(b, false);
    } else if (!hashDone && c == '<' && i + 1 < text.size() && text[i + 1] == '#') {
      hashDone = true;
      dropGt = true;
    } else if (dropGt && c == '>') {
      dropGt = false;
    } else {
      t.Push(c, false);
    }
  }
  return t;
}

std::string DrawableRun(const MarkupText& t, size_t b, size_t e) {
  std::string out;
  out.reserve(e - b);
  for (size_t i = b; i < e; ++i) {
    out.push_back(t.Bytes[i]);
    if (t.Bytes[i] == '&' && t.Literal[i]) out.push_back('&');
  }
  return out;
}

void AppendShown(const MarkupText& t, size_t b, size_t e, std::string& out) {
  for (size_t i = b; i < e; ++i) {
    if (t.Is(i, '&')) {
      if (i + 1 < e && t.Bytes[i + 1] == '&' && !t.Literal[i + 1]) {
        out.push_back('&');
        ++i;
      }
      continue; // a prefix: the next character is shown (underlined)
    }
    out.push_back(t.Bytes[i]);
  }
}

char Tag::Up(size_t i) const {
  if (B + i < E) return UpAscii(T->Bytes[B + i]);
  return B + i == E && E < T->Size() ? '>' : 0; // the tag's own end
}

size_t Tag::FindNoCase(const std::string& name, size_t from) const {
  if (name.empty() || name.size() > E - B) return E;
  for (size_t i = from; i + name.size() <= E; ++i) {
    size_t k = 0;
    while (k < name.size() && UpAscii(T->Bytes[i + k]) == UpAscii(name[k])) ++k;
    if (k == name.size()) return i;
  }
  return E;
}

std::string Tag::FirstQuoted(size_t from) const {
  size_t q1 = T->Find('"', from, E);
  if (q1 == E) return std::string();
  size_t q2 = T->Find('"', q1 + 1, E);
  // Values are names, colours and addresses: an ampersand in them is itself.
  return std::string(T->Bytes, q1 + 1, q2 - q1 - 1);
}

size_t Tag::FindAttr(const std::string& name) const {
  // A whole word after a blank: " COLOR" is not the tail of "BGCOLOR", nor
  // "BGCOLOR" the head of "BGCOLORTO".
  for (size_t p = FindNoCase(name, B + 1); p != E; p = FindNoCase(name, p + 1)) {
    char before = T->Bytes[p - 1];
    char after = p + name.size() < E ? UpAscii(T->Bytes[p + name.size()]) : ' ';
    bool letter = (after >= 'A' && after <= 'Z') || (after >= '0' && after <= '9');
    if ((before == ' ' || before == '\t') && !letter) return p;
  }
  return E;
}

std::string Tag::Attr(const std::string& name) const {
  size_t p = FindAttr(name);
  if (p == E) return std::string();
  return FirstQuoted(p + name.size());
}

int Tag::Number(const std::string& name) const {
  size_t p = FindAttr(name);
  if (p == E) return 0;
  size_t i = T->Find('=', p + name.size(), E);
  if (i == E) return 0;
  ++i;
  while (i < E && T->Bytes[i] == ' ') ++i;
  if (T->Is(i, '"')) ++i;
  return SaturatedNumber(std::string(T->Bytes, i, E - i));
}

int SaturatedNumber(const std::string& s, size_t from) {
  size_t i = from;
  while (i < s.size() && s[i] == ' ') ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
  }
  if (neg) return v > INT_MAX ? INT_MIN : -static_cast<int>(v);
  return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

int HexByte(char a, char b) {
  int hi = HexDigit(a), lo = HexDigit(b);
  return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

Color ParseHexColor(const std::string& text) {
  if (text.empty() || text[0] != '#') return kBlack;
  int v[3] = {0, 0, 0};
  for (size_t i = 0; i < 3; ++i) {
    const size_t at = 1 + 2 * i;
    if (at + 2 > text.size()) break; // a pair cut short reads as 0
    // Lower-case digits are read as hex too: "#ff0000" is the red it means.
    v[i] = HexByte(text[at], text[at + 1]);
    if (v[i] < 0) return kBlack;
  }
  return v[0] + 256 * v[1] + 65536 * v[2];
}

Color ParseColorName(const std::string& name) {
  if (!name.empty() && name[0] == '#') return ParseHexColor(name);
  std::string v;
  for (char c : name) v.push_back(LowAscii(c));
  static const struct {
    const char* n;
    std::uint32_t c;
  } kNames[] = {
      {"clred", 0x0000FF},  {"clblack", 0},         {"clblue", 0xFF0000},    {"clgreen", 0x008000},
      {"claqua", 0xFFFF00}, {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
      {"cllime", 0x00FF00}, {"clsilver", 0xC0C0C0}, {"clgray", 0x808080},    {"clolive", 0x008080},
      {"clnavy", 0x800000}, {"clpurple", 0x800080}, {"clteal", 0x808000},    {"clmaroon", 0x000080},
  };
  for (const auto& e : kNames)
    if (v == e.n) return static_cast<Color>(e.c);
  static const char* const kSystem[] = {"clbackground",
                                        "clactivecaption",
                                        "clinactivecaption",
                                        "clmenu",
                                        "clwindow",
                                        "clwindowframe",
                                        "clmenutext",
                                        "clwindowtext",
                                        "clcaptiontext",
                                        "clactiveborder",
                                        "clinactiveborder",
                                        "clappworkspace",
                                        "clhighlight",
                                        "clhighlighttext",
                                        "clbtnface",
                                        "clbtnshadow",
                                        "clgraytext",
                                        "clbtntext",
                                        "clinactivecaptiontext",
                                        "clbtnhighlight",
                                        "cl3ddkshadow",
                                        "cl3dlight",
                                        "clinfotext",
                                        "clinfobk"};
  for (unsigned i = 0; i < sizeof kSystem / sizeof *kSystem; ++i)
    if (v == kSystem[i]) return static_cast<Color>(0xFF000000u + i + 1);
  return kBlack;
}

int PosNoCase(const std::string& sub, const std::string& s) {
  if (sub.empty() || sub.size() > s.size()) return 0;
  for (size_t i = 0; i + sub.size() <= s.size(); ++i) {
    size_t k = 0;
    while (k < sub.size() && UpAscii(s[i + k]) == UpAscii(sub[k])) ++k;
    if (k == sub.size()) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string EscapeMarkup(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\r':
      case '\n': out += ' '; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::vector<GradientBand> GradientBands(Color From, Color To, bool Horizontal, const TRect& Rect,
                                        int Steps, bool ClipFar) {
  std::vector<GradientBand> bands;
  if (Steps <= 0) Steps = 1;
  const int extent = Horizontal ? Rect.Width() : Rect.Height();
  const double size = static_cast<double>(extent) / Steps;
  const int r0 = classlib::ColorRed(From), g0 = classlib::ColorGreen(From),
            b0 = classlib::ColorBlue(From);
  const int r1 = classlib::ColorRed(To), g1 = classlib::ColorGreen(To),
            b1 = classlib::ColorBlue(To);
  bands.reserve(static_cast<size_t>(Steps));
  for (int n = 0; n < Steps; ++n) {
    auto mix = [&](int a, int b) {
      return a + static_cast<int>(std::lround(static_cast<double>(n) * (b - a) / Steps));
    };
    GradientBand band;
    band.BandColor = classlib::RGBColor(mix(r0, r1), mix(g0, g1), mix(b0, b1));
    const int from = static_cast<int>(std::lround(n * size));
    const int thick = static_cast<int>(std::lround(size)) + 1;
    band.Rect = Rect;
    if (Horizontal) {
      band.Rect.Left = Rect.Left + from;
      band.Rect.Right = band.Rect.Left + thick;
      if (ClipFar && band.Rect.Right > Rect.Right) band.Rect.Right = Rect.Right;
    } else {
      band.Rect.Top = Rect.Top + from;
      band.Rect.Bottom = band.Rect.Top + thick;
      if (ClipFar && band.Rect.Bottom > Rect.Bottom) band.Rect.Bottom = Rect.Bottom;
    }
    bands.push_back(band);
  }
  return bands;
}

} // namespace markup
