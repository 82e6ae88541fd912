// The cell classes, one per kind of value, each converting its value for the
// five typed accessors. Text conversions use the class library's format
// settings (DecimalSeparator, ShortDateFormat, LongTimeFormat). Boolean text
// is "True" / "False"; reading a text as Boolean also takes any letter case
// and numbers (0 is false).
#pragma once

#include <array>
#include <cstdint>

#include "grid/DgCells.h"

class TStringCell : public TCell {
 public:
  using TCell::TCell;
  bool AsBoolean() const override;
  TDateTime AsDateTime() const override;
  double AsFloat() const override;
  int AsInteger() const override;
  WideString AsString() const override { return text_; }
  void SetAsBoolean(bool Value) override;
  void SetAsDateTime(TDateTime Value) override;
  void SetAsFloat(double Value) override;
  void SetAsInteger(int Value) override;
  void SetAsString(const WideString& Value) override;
  void Clear() override;
  const WideString* TextRef() const override { return &text_; }

 private:
  WideString text_;
};

class TIntegerCell : public TCell {
 public:
  using TCell::TCell;
  bool AsBoolean() const override { return value_ > 0; }
  TDateTime AsDateTime() const override { return 0; }
  double AsFloat() const override { return value_; }
  int AsInteger() const override { return value_; }
  WideString AsString() const override;
  void SetAsBoolean(bool Value) override;
  void SetAsDateTime(TDateTime Value) override;
  void SetAsFloat(double Value) override;
  void SetAsInteger(int Value) override;
  void SetAsString(const WideString& Value) override;
  void Clear() override;

 private:
  int value_ = 0;
};

class TBooleanCell : public TCell {
 public:
  using TCell::TCell;
  bool AsBoolean() const override { return value_; }
  TDateTime AsDateTime() const override { return 0; }
  double AsFloat() const override { return value_ ? 1 : 0; }
  int AsInteger() const override { return value_ ? 1 : 0; }
  WideString AsString() const override;
  void SetAsBoolean(bool Value) override;
  void SetAsDateTime(TDateTime Value) override;
  void SetAsFloat(double Value) override;
  void SetAsInteger(int Value) override;
  void SetAsString(const WideString& Value) override;
  void Clear() override;

 private:
  bool value_ = false;
};

// Float and date-time cells both hold one double; they differ in how it reads
// as an integer or text and in what a Boolean or a text stores.
class TDoubleCell : public TCell {
 public:
  using TCell::TCell;
  bool AsBoolean() const override { return false; }
  TDateTime AsDateTime() const override { return value_; }
  double AsFloat() const override { return value_; }
  void SetAsDateTime(TDateTime Value) override;
  void SetAsFloat(double Value) override;
  void SetAsInteger(int Value) override;
  void Clear() override;

 protected:
  double value_ = 0;
};

class TFloatCell : public TDoubleCell {
 public:
  using TDoubleCell::TDoubleCell;
  // Halves go to the even neighbour; out of the integer range raises.
  int AsInteger() const override;
  WideString AsString() const override;
  void SetAsBoolean(bool Value) override;
  void SetAsString(const WideString& Value) override;
};

class TDateTimeCell : public TDoubleCell {
 public:
  using TDoubleCell::TDoubleCell;
  // Truncated toward zero; out of the integer range raises.
  int AsInteger() const override;
  WideString AsString() const override;
  // Stores today's date at midnight, whatever the argument.
  void SetAsBoolean(bool Value) override;
  // Empty gives 0, and so does a text that is no date.
  void SetAsString(const WideString& Value) override;
};

// Shows its row's number (row + 1); holds nothing.
class TIncrementCell : public TCell {
 public:
  using TCell::TCell;
  bool AsBoolean() const override { return false; }
  TDateTime AsDateTime() const override { return 0; }
  double AsFloat() const override { return RowIndex() + 1; }
  int AsInteger() const override { return RowIndex() + 1; }
  WideString AsString() const override;
  void Clear() override { Changed(); }
};

// A cell whose value is reached as text: its readers convert that text as a
// text cell does, its writers turn the value into text first.
class TTextBackedCell : public TCell {
 public:
  using TCell::TCell;
  bool AsBoolean() const override;
  TDateTime AsDateTime() const override;
  double AsFloat() const override;
  int AsInteger() const override;
  void SetAsBoolean(bool Value) override;
  void SetAsDateTime(TDateTime Value) override;
  void SetAsFloat(double Value) override;
  void SetAsInteger(int Value) override;
};

// A GUID made when the cell is made; its text is "{XXXXXXXX-XXXX-...}".
class TGuidCell : public TTextBackedCell {
 public:
  explicit TGuidCell(TCells* Cells);
  WideString AsString() const override;
  // Raises EConvertError for a text that is no GUID.
  void SetAsString(const WideString& Value) override;
  const std::array<uint8_t, 16>& Guid() const { return guid_; }

 private:
  std::array<uint8_t, 16> guid_{};
};

// Its text lives with its column (VirtualText / SetVirtualText).
class TVirtualCell : public TTextBackedCell {
 public:
  TVirtualCell(TCells* Cells, TDgCustomColumn* Column) : TTextBackedCell(Cells), column_(Column) {}
  WideString AsString() const override;
  void SetAsString(const WideString& Value) override;
  void Clear() override { Changed(); }

 private:
  TDgCustomColumn* column_ = nullptr;
};

// Text conversions shared by the cell classes and the store's sort.
namespace DgCellText {
std::string Narrow(const WideString& s); // to Windows-1251 ('?' for what it lacks)
WideString Widen(const std::string& s);  // from Windows-1251
bool ToBoolean(const WideString& s);
const WideString& BooleanText(bool v);
// EConvertError when out of the integer range or not a number.
int RoundToInt(double v);
int TruncToInt(double v);
// Letter case folded for comparing (Latin, Latin-1, Greek, Cyrillic).
WideString Fold(const WideString& s);
} // namespace DgCellText
