// The cell classes and their conversions (see DgCellClasses.h).
#include "grid/DgCellClasses.h"

#include <cmath>
#include <limits>
#include <random>

#include "classlib/Cp1251.h"

#ifdef _WIN32
#include "classlib/WinApi.h" // CoCreateGuid
#endif

namespace DgCellText {

std::string Narrow(const WideString& s) { return Utf16ToCp1251(s); }

WideString Widen(const std::string& s) { return Cp1251ToUtf16(s); }

bool ToBoolean(const WideString& s) {
  std::string t = LowerCase(Trim(Narrow(s)));
  if (t == "true") return true;
  if (t == "false") return false;
  double v;
  if (TryStrToFloat(t, v)) return v != 0;
  throw EConvertError("'" + Narrow(s) + "' is not a valid boolean value");
}

const WideString& BooleanText(bool v) {
  static const WideString t = u"True", f = u"False";
  return v ? t : f;
}

namespace {
[[noreturn]] void OutOfRange(double v) {
  throw EConvertError("'" + FloatToStr(v) + "' is not a valid integer value");
}
int Checked(double r, double original) {
  if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()))
    OutOfRange(original);
  return static_cast<int>(r);
}
} // namespace

int RoundToInt(double v) { return Checked(std::nearbyint(v), v); }
int TruncToInt(double v) { return Checked(std::trunc(v), v); }

namespace {
// Capitals of the alphabets the program meets, as their small letters.
char16_t FoldUnit(char16_t u) {
  auto in = [u](int lo, int hi) { return u >= lo && u <= hi; };
  if (u < 0x80) return in('A', 'Z') ? static_cast<char16_t>(u + 32) : u;
  if ((in(0xC0, 0xDE) && u != 0xD7) || (in(0x391, 0x3AB) && u != 0x3A2) || in(0x410, 0x42F))
    return static_cast<char16_t>(u + 0x20);                     // Latin-1, Greek, basic Cyrillic
  if (in(0x400, 0x40F)) return static_cast<char16_t>(u + 0x50); // Ё and its neighbours
  if (u == 0x178) return 0xFF;
  // Pairs where the capital is the even unit ...
  if ((in(0x100, 0x137) || in(0x14A, 0x177) || in(0x460, 0x481) || in(0x48A, 0x4BF) ||
       in(0x4D0, 0x4FF)) &&
      u % 2 == 0)
    return static_cast<char16_t>(u + 1);
  // ... and where it is the odd one.
  if ((in(0x139, 0x148) || in(0x179, 0x17E) || in(0x4C1, 0x4CE)) && u % 2 == 1)
    return static_cast<char16_t>(u + 1);
  return u;
}
} // namespace

WideString Fold(const WideString& s) {
  WideString out = s;
  for (char16_t& u : out) u = FoldUnit(u);
  return out;
}

} // namespace DgCellText

using namespace DgCellText;

namespace {
WideString IntText(int v) { return Widen(IntToStr(v)); }
int TextToInt(const WideString& s) { return StrToInt(Narrow(s)); }
} // namespace

// --- Text -----------------------------------------------------------------------------------

bool TStringCell::AsBoolean() const { return ToBoolean(text_); }
TDateTime TStringCell::AsDateTime() const {
  return text_.empty() ? 0 : StrToDateTime(Narrow(text_));
}
double TStringCell::AsFloat() const { return StrToFloat(Narrow(text_)); }
int TStringCell::AsInteger() const { return TextToInt(text_); }
void TStringCell::SetAsBoolean(bool Value) {
  text_ = BooleanText(Value);
  TCell::SetAsBoolean(Value);
}
void TStringCell::SetAsDateTime(TDateTime Value) {
  text_ = Widen(DateTimeToStr(Value));
  TCell::SetAsDateTime(Value);
}
void TStringCell::SetAsFloat(double Value) {
  text_ = Widen(FloatToStr(Value));
  TCell::SetAsFloat(Value);
}
void TStringCell::SetAsInteger(int Value) {
  text_ = IntText(Value);
  TCell::SetAsInteger(Value);
}
void TStringCell::SetAsString(const WideString& Value) {
  text_ = Value;
  TCell::SetAsString(Value);
}
void TStringCell::Clear() {
  text_.clear();
  TCell::Clear();
}

// --- Integer ---------------------------------------------------------------------------------

WideString TIntegerCell::AsString() const { return IntText(value_); }
void TIntegerCell::SetAsBoolean(bool Value) {
  value_ = Value ? 1 : 0;
  TCell::SetAsBoolean(Value);
}
void TIntegerCell::SetAsDateTime(TDateTime Value) {
  value_ = 0;
  TCell::SetAsDateTime(Value);
}
void TIntegerCell::SetAsFloat(double Value) {
  value_ = RoundToInt(Value);
  TCell::SetAsFloat(Value);
}
void TIntegerCell::SetAsInteger(int Value) {
  value_ = Value;
  TCell::SetAsInteger(Value);
}
void TIntegerCell::SetAsString(const WideString& Value) {
  value_ = Value.empty() ? 0 : TextToInt(Value);
  TCell::SetAsString(Value);
}
void TIntegerCell::Clear() {
  value_ = 0;
  TCell::Clear();
}

// --- Boolean ---------------------------------------------------------------------------------

WideString TBooleanCell::AsString() const { return BooleanText(value_); }
void TBooleanCell::SetAsBoolean(bool Value) {
  value_ = Value;
  TCell::SetAsBoolean(Value);
}
void TBooleanCell::SetAsDateTime(TDateTime Value) {
  value_ = false;
  TCell::SetAsDateTime(Value);
}
void TBooleanCell::SetAsFloat(double Value) {
  value_ = Value != 0;
  TCell::SetAsFloat(Value);
}
void TBooleanCell::SetAsInteger(int Value) {
  value_ = Value != 0;
  TCell::SetAsInteger(Value);
}
void TBooleanCell::SetAsString(const WideString& Value) {
  value_ = Value == u"1" || LowerCase(Narrow(Value)) == "true";
  TCell::SetAsString(Value);
}
void TBooleanCell::Clear() {
  value_ = false;
  TCell::Clear();
}

// --- Float and date-time storage ------------------------------------------------------------

void TDoubleCell::SetAsDateTime(TDateTime Value) {
  value_ = Value;
  TCell::SetAsDateTime(Value);
}
void TDoubleCell::SetAsFloat(double Value) {
  value_ = Value;
  TCell::SetAsFloat(Value);
}
void TDoubleCell::SetAsInteger(int Value) {
  value_ = Value;
  TCell::SetAsInteger(Value);
}
void TDoubleCell::Clear() {
  value_ = 0;
  TCell::Clear();
}

// --- Float -------------------------------------------------------------------------------------

int TFloatCell::AsInteger() const { return RoundToInt(value_); }
WideString TFloatCell::AsString() const { return Widen(FloatToStr(value_)); }
void TFloatCell::SetAsBoolean(bool Value) {
  value_ = 0;
  TCell::SetAsBoolean(Value);
}
void TFloatCell::SetAsString(const WideString& Value) {
  value_ = StrToFloat(Narrow(Value));
  TCell::SetAsString(Value);
}

// --- Date and time ------------------------------------------------------------------------------

int TDateTimeCell::AsInteger() const { return TruncToInt(value_); }
WideString TDateTimeCell::AsString() const { return Widen(DateTimeToStr(value_)); }
void TDateTimeCell::SetAsBoolean(bool Value) {
  value_ = Date();
  TCell::SetAsBoolean(Value);
}
void TDateTimeCell::SetAsString(const WideString& Value) {
  TDateTime v = 0;
  if (!Value.empty() && !TryStrToDateTime(Narrow(Value), v)) v = 0;
  value_ = v;
  TCell::SetAsString(Value);
}

// --- Increment ------------------------------------------------------------------------------------

WideString TIncrementCell::AsString() const { return IntText(RowIndex() + 1); }

// --- Text-backed ------------------------------------------------------------------------------------

bool TTextBackedCell::AsBoolean() const { return ToBoolean(AsString()); }
TDateTime TTextBackedCell::AsDateTime() const {
  WideString s = AsString();
  return s.empty() ? 0 : StrToDateTime(Narrow(s));
}
double TTextBackedCell::AsFloat() const { return StrToFloat(Narrow(AsString())); }
int TTextBackedCell::AsInteger() const { return TextToInt(AsString()); }
void TTextBackedCell::SetAsBoolean(bool Value) { SetAsString(BooleanText(Value)); }
void TTextBackedCell::SetAsDateTime(TDateTime Value) { SetAsString(Widen(DateTimeToStr(Value))); }
void TTextBackedCell::SetAsFloat(double Value) { SetAsString(Widen(FloatToStr(Value))); }
void TTextBackedCell::SetAsInteger(int Value) { SetAsString(IntText(Value)); }

// --- GUID ---------------------------------------------------------------------------------------------

namespace {
const char kHex[] = "0123456789ABCDEF";
// Where the hex digits of the 16 bytes stand in "{8-4-4-4-12}".
constexpr size_t kGuidLength = 38;
bool IsDash(size_t i) { return i == 9 || i == 14 || i == 19 || i == 24; }
} // namespace

TGuidCell::TGuidCell(TCells* Cells) : TTextBackedCell(Cells) {
#ifdef _WIN32
  // The system's generator; the bytes in the order the text shows them.
  GUID g;
  if (SUCCEEDED(CoCreateGuid(&g))) {
    const uint32_t d1 = g.Data1;
    const uint16_t d2 = g.Data2, d3 = g.Data3;
    const uint8_t head[8] = {uint8_t(d1 >> 24), uint8_t(d1 >> 16), uint8_t(d1 >> 8), uint8_t(d1),
                             uint8_t(d2 >> 8),  uint8_t(d2),       uint8_t(d3 >> 8), uint8_t(d3)};
    for (size_t i = 0; i < 8; ++i) guid_[i] = head[i];
    for (size_t i = 0; i < 8; ++i) guid_[i + 8] = g.Data4[i];
    return;
  }
#endif
  // Natively (or should the system refuse): a random GUID of the same kind.
  thread_local std::mt19937_64 gen{std::random_device{}()};
  uint64_t a = gen(), b = gen();
  for (int i = 0; i < 8; ++i) {
    guid_[static_cast<size_t>(i)] = static_cast<uint8_t>(a >> (8 * i));
    guid_[static_cast<size_t>(i) + 8] = static_cast<uint8_t>(b >> (8 * i));
  }
  guid_[6] = static_cast<uint8_t>((guid_[6] & 0x0F) | 0x40); // random GUID (version 4)
  guid_[8] = static_cast<uint8_t>((guid_[8] & 0x3F) | 0x80);
}

WideString TGuidCell::AsString() const {
  WideString s = u"{";
  size_t byte = 0;
  for (size_t i = 1; i < kGuidLength - 1; ++i) {
    if (IsDash(i)) {
      s += u'-';
      continue;
    }
    uint8_t v = guid_[byte];
    s += static_cast<char16_t>(kHex[v >> 4]);
    s += static_cast<char16_t>(kHex[v & 15]);
    ++byte;
    ++i;
  }
  s += u'}';
  return s;
}

void TGuidCell::SetAsString(const WideString& Value) {
  auto bad = [&]() { return EConvertError("'" + Narrow(Value) + "' is not a valid GUID value"); };
  if (Value.size() != kGuidLength || Value.front() != u'{' || Value.back() != u'}') throw bad();
  std::array<uint8_t, 16> g{};
  size_t byte = 0;
  auto digit = [&](char16_t c) -> int {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    throw bad();
  };
  for (size_t i = 1; i < kGuidLength - 1; ++i) {
    if (IsDash(i)) {
      if (Value[i] != u'-') throw bad();
      continue;
    }
    if (IsDash(i + 1) || i + 1 >= kGuidLength - 1) throw bad();
    g[byte++] = static_cast<uint8_t>(digit(Value[i]) * 16 + digit(Value[i + 1]));
    ++i;
  }
  guid_ = g;
  TCell::SetAsString(Value);
}

// --- Virtual -------------------------------------------------------------------------------------------

WideString TVirtualCell::AsString() const {
  return column_ ? column_->VirtualText(Col(), RowIndex()) : WideString();
}

void TVirtualCell::SetAsString(const WideString& Value) {
  if (column_) column_->SetVirtualText(Col(), RowIndex(), Value);
  TCell::SetAsString(Value);
}
