// Cells: every class with every accessor, the conversions that fail (and
// keep the value), the factory, bounds, and the change notification.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "grid/tests/cell_fixture.h"

namespace {

using namespace DgCellKind;

// One row of each kind; column i holds kind kinds[i].
struct AllKinds : Store {
  AllKinds() {
    for (uint8_t k : std::initializer_list<uint8_t>{Increment, Boolean, DateTime, Float, Guid,
                                                    Integer, Text, Virtual, Value})
      Add(k);
    cells->AddRows(1);
  }
  TCell* Of(uint8_t kind) {
    for (int i = 0; i < cols->Count(); ++i)
      if (cols->Item(i)->CellKind() == kind) return At(i, 0);
    return nullptr;
  }
};

TEST(Cells, FactoryMakesTheClassOfEachKind) {
  AllKinds s;
  EXPECT_NE(dynamic_cast<TIncrementCell*>(s.Of(Increment)), nullptr);
  EXPECT_NE(dynamic_cast<TBooleanCell*>(s.Of(Boolean)), nullptr);
  EXPECT_NE(dynamic_cast<TDateTimeCell*>(s.Of(DateTime)), nullptr);
  EXPECT_NE(dynamic_cast<TFloatCell*>(s.Of(Float)), nullptr);
  EXPECT_NE(dynamic_cast<TGuidCell*>(s.Of(Guid)), nullptr);
  EXPECT_NE(dynamic_cast<TIntegerCell*>(s.Of(Integer)), nullptr);
  EXPECT_NE(dynamic_cast<TStringCell*>(s.Of(Text)), nullptr);
  EXPECT_NE(dynamic_cast<TVirtualCell*>(s.Of(Virtual)), nullptr);
  EXPECT_NE(dynamic_cast<TStringCell*>(s.Of(Value)), nullptr);
  // Every other road makes the same classes (inserting rows and columns).
  s.cells->InsertRow(0);
  s.cells->InsertChildRow(0, 1);
  s.cols->Add(new KindColumn(Guid));
  auto* ins = new KindColumn(Increment);
  s.cols->Add(ins);
  s.cells->ColumnsChanged(1, s.cols->Count() - 1, -1); // drop the added list ...
  s.cells->ColumnsChanged(3, s.cols->Count() - 1, -1); // ... and insert it again
  for (int r = 0; r < 3; ++r) {
    EXPECT_NE(dynamic_cast<TIncrementCell*>(s.At(0, r)), nullptr) << r;
    EXPECT_NE(dynamic_cast<TGuidCell*>(s.At(4, r)), nullptr) << r;
    EXPECT_NE(dynamic_cast<TGuidCell*>(s.At(9, r)), nullptr) << r;
    EXPECT_NE(dynamic_cast<TIncrementCell*>(s.At(10, r)), nullptr) << r;
  }
}

TEST(Cells, NewCellsTakeTheColumnsFontStyleAndColourAndNotify) {
  Store s;
  KindColumn* c = s.Add(Text);
  c->Font()->SetStyle({fsItalic});
  c->SetColor(clYellow);
  s.cells->AddRows(1);
  EXPECT_TRUE(s.At(0, 0)->FontStyle.Contains(fsItalic));
  EXPECT_EQ(s.At(0, 0)->Color(), clYellow);
  EXPECT_TRUE(s.changes.empty()); // making cells tells nobody
  s.At(0, 0)->SetColor(clRed);
  EXPECT_EQ(s.changes.size(), 1u);
}

TEST(Cells, NewRowOfTextAndInteger) {
  Store s;
  s.Add(Text);
  s.Add(Integer);
  s.cells->AddRows(1);
  EXPECT_EQ(s.Str(0, 0), u"");
  EXPECT_EQ(s.At(1, 0)->AsInteger(), 0);
  EXPECT_EQ(s.Str(1, 0), u"0");
}

TEST(Cells, TextCell) {
  AllKinds s;
  TCell* c = s.Of(Text);
  c->SetAsBoolean(true);
  EXPECT_EQ(c->AsString(), u"True");
  EXPECT_TRUE(c->AsBoolean());
  c->SetAsString(u"false");
  EXPECT_FALSE(c->AsBoolean());
  c->SetAsString(u"yes");
  EXPECT_THROW(c->AsBoolean(), EConvertError);
  c->SetAsInteger(-42);
  EXPECT_EQ(c->AsString(), u"-42");
  EXPECT_EQ(c->AsInteger(), -42);
  EXPECT_DOUBLE_EQ(c->AsFloat(), -42);
  c->SetAsFloat(1.5);
  EXPECT_EQ(c->AsString(), u"1.5");
  c->SetAsString(u"");
  EXPECT_EQ(c->AsDateTime(), 0);
  EXPECT_THROW(c->AsFloat(), EConvertError);
  c->SetAsDateTime(EncodeDate(2026, 12, 9) + EncodeTime(10, 0, 0, 0));
  EXPECT_EQ(c->AsString(), u"09.12.2026 10:00:00");
  EXPECT_NEAR(c->AsDateTime(), EncodeDate(2026, 12, 9) + EncodeTime(10, 0, 0, 0), 1e-9);
  c->SetAsString(u"Ёлка");
  EXPECT_THROW(c->AsDateTime(), EConvertError);
  EXPECT_THROW(c->AsInteger(), EConvertError);
  EXPECT_EQ(c->AsString(), u"Ёлка");
  c->Clear();
  EXPECT_EQ(c->AsString(), u"");
}

TEST(Cells, TextCellFollowsTheDecimalSeparator) {
  AllKinds s;
  TCell* c = s.Of(Text);
  char saved = DecimalSeparator;
  DecimalSeparator = ',';
  c->SetAsFloat(1.91);
  EXPECT_EQ(c->AsString(), u"1,91");
  EXPECT_DOUBLE_EQ(c->AsFloat(), 1.91);
  DecimalSeparator = saved;
}

TEST(Cells, IntegerCell) {
  AllKinds s;
  TCell* c = s.Of(Integer);
  c->SetAsInteger(7);
  EXPECT_TRUE(c->AsBoolean());
  EXPECT_EQ(c->AsDateTime(), 0);
  EXPECT_EQ(c->AsString(), u"7");
  c->SetAsFloat(2.5);
  EXPECT_EQ(c->AsInteger(), 2);
  c->SetAsFloat(3.5);
  EXPECT_EQ(c->AsInteger(), 4);
  c->SetAsBoolean(true);
  EXPECT_EQ(c->AsInteger(), 1);
  c->SetAsDateTime(123.4);
  EXPECT_EQ(c->AsInteger(), 0);
  c->SetAsString(u"");
  EXPECT_EQ(c->AsInteger(), 0);
  c->SetAsInteger(-3);
  EXPECT_FALSE(c->AsBoolean());
  size_t heard = s.changes.size();
  EXPECT_THROW(c->SetAsString(u"abc"), EConvertError);
  EXPECT_THROW(c->SetAsFloat(1e12), EConvertError);
  EXPECT_THROW(c->SetAsFloat(std::nan("")), EConvertError);
  EXPECT_EQ(c->AsInteger(), -3);
  EXPECT_EQ(s.changes.size(), heard); // a refused write changes nothing
  c->Clear();
  EXPECT_EQ(c->AsInteger(), 0);
}

TEST(Cells, BooleanCell) {
  AllKinds s;
  TCell* c = s.Of(Boolean);
  c->SetAsString(u"TRUE");
  EXPECT_TRUE(c->AsBoolean());
  EXPECT_EQ(c->AsString(), u"True");
  EXPECT_EQ(c->AsInteger(), 1);
  EXPECT_DOUBLE_EQ(c->AsFloat(), 1);
  EXPECT_EQ(c->AsDateTime(), 0);
  c->SetAsString(u"yes");
  EXPECT_FALSE(c->AsBoolean());
  c->SetAsString(u"1");
  EXPECT_TRUE(c->AsBoolean());
  c->SetAsDateTime(5);
  EXPECT_FALSE(c->AsBoolean());
  c->SetAsFloat(0.25);
  EXPECT_TRUE(c->AsBoolean());
  c->SetAsInteger(0);
  EXPECT_EQ(c->AsString(), u"False");
  c->SetAsBoolean(true);
  c->Clear();
  EXPECT_FALSE(c->AsBoolean());
}

TEST(Cells, FloatCell) {
  AllKinds s;
  TCell* c = s.Of(Float);
  c->SetAsFloat(2.5);
  EXPECT_EQ(c->AsInteger(), 2);
  c->SetAsFloat(3.5);
  EXPECT_EQ(c->AsInteger(), 4);
  c->SetAsFloat(-2.5);
  EXPECT_EQ(c->AsInteger(), -2);
  EXPECT_FALSE(c->AsBoolean());
  EXPECT_DOUBLE_EQ(c->AsDateTime(), -2.5);
  EXPECT_EQ(c->AsString(), u"-2.5");
  c->SetAsString(u"1e300");
  EXPECT_THROW(c->AsInteger(), EConvertError);
  c->SetAsFloat(std::numeric_limits<double>::quiet_NaN());
  EXPECT_THROW(c->AsInteger(), EConvertError);
  c->SetAsInteger(9);
  EXPECT_DOUBLE_EQ(c->AsFloat(), 9);
  c->SetAsBoolean(true);
  EXPECT_DOUBLE_EQ(c->AsFloat(), 0);
  c->SetAsFloat(4);
  EXPECT_THROW(c->SetAsString(u"four"), EConvertError);
  EXPECT_DOUBLE_EQ(c->AsFloat(), 4);
  c->SetAsDateTime(45000.5);
  EXPECT_DOUBLE_EQ(c->AsFloat(), 45000.5);
  c->Clear();
  EXPECT_DOUBLE_EQ(c->AsFloat(), 0);
}

TEST(Cells, DateTimeCell) {
  AllKinds s;
  TCell* c = s.Of(DateTime);
  c->SetAsFloat(3.9);
  EXPECT_EQ(c->AsInteger(), 3);
  c->SetAsFloat(-3.9);
  EXPECT_EQ(c->AsInteger(), -3);
  c->SetAsFloat(1e10);
  EXPECT_THROW(c->AsInteger(), EConvertError);
  EXPECT_FALSE(c->AsBoolean());
  TDateTime before = Date();
  c->SetAsBoolean(false); // today, whatever the argument
  EXPECT_GE(c->AsDateTime(), before);
  EXPECT_EQ(c->AsDateTime(), std::floor(c->AsDateTime()));
  c->SetAsString(u"31.12.2026 23:59:00");
  EXPECT_EQ(c->AsString(), u"31.12.2026 23:59:00");
  c->SetAsString(u"not a date");
  EXPECT_EQ(c->AsDateTime(), 0);
  c->SetAsInteger(45000);
  EXPECT_DOUBLE_EQ(c->AsFloat(), 45000);
  c->SetAsString(u"");
  EXPECT_EQ(c->AsDateTime(), 0);
  c->SetAsDateTime(2.25);
  c->Clear();
  EXPECT_EQ(c->AsDateTime(), 0);
}

TEST(Cells, IncrementCellShowsItsOwnRow) {
  Store s;
  s.Add(Increment);
  s.Add(Text);
  s.cells->AddRows(5);
  EXPECT_EQ(s.Str(0, 4), u"5");
  TCell* held = s.At(0, 4);
  s.At(1, 0); // another lookup in between does not matter
  EXPECT_EQ(held->AsInteger(), 5);
  s.cells->InsertRow(0);
  EXPECT_EQ(held->AsString(), u"6");
  EXPECT_DOUBLE_EQ(held->AsFloat(), 6);
  EXPECT_FALSE(held->AsBoolean());
  EXPECT_EQ(held->AsDateTime(), 0);
  held->SetAsInteger(100); // holds nothing: only tells of the write
  EXPECT_EQ(held->AsInteger(), 6);
  EXPECT_EQ(s.changes.back(), std::make_pair(0, 5));
}

TEST(Cells, GuidCell) {
  AllKinds s;
  TCell* c = s.Of(Guid);
  WideString text = c->AsString();
  ASSERT_EQ(text.size(), 38u);
  EXPECT_EQ(text[0], u'{');
  EXPECT_EQ(text[37], u'}');
  EXPECT_EQ(text[15], u'4'); // a random GUID
  s.cells->AddRows(1);
  EXPECT_NE(s.At(4, 1)->AsString(), text);
  c->SetAsString(u"{0123ABCD-4567-89EF-0123-456789abcdef}");
  EXPECT_EQ(c->AsString(), u"{0123ABCD-4567-89EF-0123-456789ABCDEF}");
  for (const char16_t* bad :
       {u"", u"0123ABCD-4567-89EF-0123-456789ABCDEF", u"{0123ABCD-4567-89EF-0123-456789ABCDEG}",
        u"{0123ABCD+4567-89EF-0123-456789ABCDEF}"})
    EXPECT_THROW(c->SetAsString(bad), EConvertError);
  EXPECT_THROW(c->SetAsInteger(5), EConvertError); // "5" is no GUID
  EXPECT_THROW(c->AsInteger(), EConvertError);
  EXPECT_EQ(c->AsString(), u"{0123ABCD-4567-89EF-0123-456789ABCDEF}");
}

TEST(Cells, VirtualCellAsksItsColumnWithItsOwnPlace) {
  Store s;
  s.Add(Text);
  KindColumn* v = s.Add(Virtual);
  s.cells->AddRows(3);
  TCell* held = s.At(1, 2);
  s.At(0, 0);
  held->SetAsInteger(12);
  EXPECT_EQ((v->texts[{1, 2}]), u"12");
  EXPECT_EQ(held->AsInteger(), 12);
  EXPECT_EQ(s.changes.back(), std::make_pair(1, 2));
  held->SetAsBoolean(true);
  EXPECT_TRUE(held->AsBoolean());
  v->texts[{1, 0}] = u"1.25";
  EXPECT_DOUBLE_EQ(s.At(1, 0)->AsFloat(), 1.25);
  EXPECT_THROW(s.At(1, 1)->AsFloat(), EConvertError);
}

TEST(Cells, ABadRowIsTheListsIndexErrorAndABadColumnNamesBoth) {
  Store s;
  s.Add(Text);
  s.Add(Text);
  s.cells->AddRows(2);
  auto message = [&](int c, int r) -> std::string {
    try {
      s.cells->Cell(c, r);
    } catch (const Exception& e) { return e.Message(); }
    return "";
  };
  EXPECT_EQ(message(0, 2), "List index out of bounds (2)");
  EXPECT_EQ(message(1, -1), "List index out of bounds (-1)");
  EXPECT_THROW(s.cells->Cell(0, 2), EListError);
  EXPECT_EQ(message(-1, 0), "Cell out of bounds (-1, 0)");
  EXPECT_EQ(message(2, 0), "Cell out of bounds (2, 0)");
  EXPECT_EQ(message(1, 1), "");
  EXPECT_EQ(s.cells->LastCol(), 1);
  EXPECT_EQ(s.cells->LastRow(), 1);
  EXPECT_THROW(s.cells->Row(2), EListError);
}

TEST(Cells, HeldCellReportsItsOwnPlaceAndClearsSorted) {
  Store s;
  s.Add(Text);
  s.Add(Text);
  s.cells->AddRows(3);
  s.cells->Sort(0, stAlphabetic, false, false);
  EXPECT_TRUE(s.cells->Sorted());
  TCell* held = s.At(1, 2);
  s.At(0, 0);
  held->SetAsString(u"x");
  EXPECT_EQ(s.changes.back(), std::make_pair(1, 2));
  EXPECT_FALSE(s.cells->Sorted());
  s.cells->MoveRow(2, 0);
  held->Clear();
  EXPECT_EQ(s.changes.back(), std::make_pair(1, 0));
  int bc = -1, br = -1;
  s.cells->OnCellBackColor = [&](int c, int r) {
    bc = c;
    br = r;
    return clAqua;
  };
  EXPECT_EQ(held->BackColor(), clAqua);
  EXPECT_EQ(bc, 1);
  EXPECT_EQ(br, 0);
  EXPECT_EQ(held->TextColor(), clWindowText);
}

} // namespace
