// The in-place edit control with a real window and real input: Cyrillic
// typed into it reads back whole, its text survives a window recreation,
// margins follow glyph and preview, the left strip selects all and shows
// cursor 1000, and the grid's notifications see typed characters as UTF-16.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/tests/controls_test_input.h"
#include "grid/DgEditWin.h"

using namespace testinput;

namespace {

struct Recorder : IDgEditorListener {
  std::vector<char16_t> pressed;
  std::vector<uint16_t> downs;
  int changes = 0, enters = 0, exits = 0;
  char16_t swallow = 0;
  void EditorChange() override { ++changes; }
  void EditorEnter() override { ++enters; }
  void EditorExit() override { ++exits; }
  void EditorKeyDown(uint16_t& k, TShiftState) override { downs.push_back(k); }
  void EditorKeyPress(char16_t& k) override {
    pressed.push_back(k);
    if (k == swallow) k = 0;
  }
  void EditorKeyUp(uint16_t&, TShiftState) override {}
};

struct Window {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TDgEdit* edit = nullptr;
  Window() {
    form->SetBounds(150, 150, 320, 120);
    edit = new TDgEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 200, 22);
    form->Show();
    Activate(form->Handle());
    edit->SetFocus();
    Pump(80);
  }
  HWND h() { return edit->Handle(); }
  int LeftMargin() { return LOWORD(SendMessageW(h(), EM_GETMARGINS, 0, 0)); }
};

TBitmap* Glyph16() {
  auto* b = new TBitmap;
  b->SetSize(16, 16);
  b->Canvas()->Brush()->SetColor(clRed);
  b->Canvas()->FillRect(TRect{0, 0, 16, 16});
  return b;
}

} // namespace

TEST(DgEdit, CyrillicTypedReadsBackWideAndSurvivesRecreation) {
  Window w;
  Recorder rec;
  w.edit->SetListener(&rec);
  Type(L"Привет, мир");
  Pump(100);
  EXPECT_EQ(u"Привет, мир", w.edit->EditText());
  EXPECT_EQ(u"Привет, мир", w.edit->GetAsString());
  ASSERT_FALSE(rec.pressed.empty());
  EXPECT_EQ(u'П', rec.pressed.front()); // the typed unit, not a code page byte
  EXPECT_GE(rec.changes, 11);
  // A new alignment recreates the window; the text stays as it was.
  w.edit->SetAlignment(taRightJustify);
  EXPECT_TRUE(GetWindowLongW(w.h(), GWL_STYLE) & ES_RIGHT);
  EXPECT_EQ(u"Привет, мир", w.edit->EditText());
  // Outside the code page too.
  const WideString kFar = u"\u65E5\u672C \u2713";
  w.edit->SetAsString(kFar);
  EXPECT_EQ(kFar, w.edit->EditText());
}

TEST(DgEdit, ListenerSwallowsKeysAndSendCharBypassesIt) {
  Window w;
  Recorder rec;
  rec.swallow = u'x';
  w.edit->SetListener(&rec);
  Type(L"axb");
  Pump(80);
  EXPECT_EQ(u"ab", w.edit->EditText());
  const size_t seen = rec.pressed.size();
  w.edit->SendChar(u'Ж');
  EXPECT_EQ(seen, rec.pressed.size());
  EXPECT_EQ(u"abЖ", w.edit->EditText());
  Key(VK_LEFT);
  Pump(50);
  ASSERT_FALSE(rec.downs.empty());
  EXPECT_EQ(VK_LEFT, rec.downs.back());
}

TEST(DgEdit, MarginsFollowGlyphAndPreview) {
  Window w;
  w.edit->EditMargins()->SetLeft(1);
  EXPECT_EQ(1, w.LeftMargin());
  std::unique_ptr<TBitmap> g(Glyph16());
  w.edit->SetGlyph(g.get());
  EXPECT_EQ(21, w.LeftMargin());
  EXPECT_TRUE(w.edit->Info()->Visible());
  EXPECT_EQ(20, w.edit->Info()->Width());
  w.edit->SetGlyph(nullptr);
  w.edit->SetShowPreview(true);
  EXPECT_EQ(27, w.LeftMargin());
  EXPECT_EQ(20, w.edit->Info()->Width());
  w.edit->SetShowPreview(false);
  EXPECT_FALSE(w.edit->Info()->Visible());
}

TEST(DgEdit, LeftStripSelectsAllAndGlyphClickIsRaised) {
  Window w;
  std::unique_ptr<TBitmap> g(Glyph16());
  w.edit->SetGlyph(g.get());
  int clicks = 0;
  w.edit->OnGlyphClick = [&](TObject*) { ++clicks; };
  w.edit->SetEditText(u"строка текста");
  w.edit->SetSelStart(3);
  Pump(50);
  // Beside the glyph, inside the strip's two extra pixels.
  Click(w.h(), 21, 8);
  Pump(80);
  EXPECT_EQ(13, w.edit->SelLength());
  EXPECT_EQ(0, clicks);
  EXPECT_EQ(DgEditCursor::ReversedArrow, w.edit->Cursor());
  EXPECT_NE(nullptr, classlib::CursorHandleOf(DgEditCursor::ReversedArrow));
  // On the glyph itself.
  Click(w.h(), 5, 8);
  Pump(80);
  EXPECT_EQ(1, clicks);
  MoveTo(w.h(), 120, 8);
  Pump(50);
  EXPECT_EQ(crDefault, w.edit->Cursor());
}

TEST(DgEdit, TabIsWantedOnlyWithWantTabs) {
  Window w;
  EXPECT_FALSE(SendMessageW(w.h(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
  EXPECT_TRUE(SendMessageW(w.h(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTARROWS);
  w.edit->SetWantTabs(true);
  EXPECT_TRUE(SendMessageW(w.h(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
}

TEST(DgEdit, ColumnSettingsApplyAndAWidePasswordCharHides) {
  Window w;
  const char16_t kDot = 0x25CF; // outside the code page
  TDgCustomColumn::TEditorSettings s;
  s.Alignment = taCenter;
  s.MaxLength = 4;
  s.PasswordChar = kDot;
  w.edit->ApplySettings(s);
  EXPECT_EQ(bsNone, w.edit->BorderStyle());
  EXPECT_FALSE(GetWindowLongW(w.h(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongW(w.h(), GWL_STYLE) & ES_CENTER);
  EXPECT_EQ(1, w.LeftMargin());
  EXPECT_EQ(kDot, static_cast<char16_t>(SendMessageW(w.h(), EM_GETPASSWORDCHAR, 0, 0)));
  w.edit->SetFocus();
  Type(L"секрет");
  Pump(100);
  EXPECT_EQ(u"секр", w.edit->EditText()); // the column's length
}

TEST(DgEdit, TypedValues) {
  Window w;
  w.edit->SetAsInteger(-17);
  EXPECT_EQ(-17, w.edit->GetAsInteger());
  w.edit->SetAsBoolean(true);
  EXPECT_EQ(u"True", w.edit->EditText());
  w.edit->SetEditText(u"abc");
  EXPECT_THROW(w.edit->GetAsInteger(), EConvertError);
  w.edit->Clear();
  EXPECT_EQ(0, w.edit->GetAsDateTime());
  w.edit->SetEditText(u"текст");
  w.edit->PrepareEditing();
  EXPECT_EQ(5, w.edit->SelStart());
}

TEST(DgEdit, AutoSizeFitsTheHeightToTheFontUnlessTurnedOffOrAligned) {
  Window w;
  EXPECT_TRUE(w.edit->AutoSize());
  w.edit->Font()->SetSize(20);
  const int big = w.edit->Height();
  EXPECT_GT(big, 30);
  w.edit->Font()->SetSize(8);
  EXPECT_LT(w.edit->Height(), big);
  EXPECT_GE(w.edit->Height(), 14);
  // Off, the height stays what it was given.
  w.edit->SetAutoSize(false);
  w.edit->SetBounds(10, 10, 200, 40);
  w.edit->Font()->SetSize(20);
  EXPECT_EQ(40, w.edit->Height());
  // Aligned, the parent decides.
  w.edit->SetAutoSize(true);
  w.edit->SetAlign(alBottom);
  const int aligned = w.edit->Height();
  w.edit->Font()->SetSize(9);
  EXPECT_EQ(aligned, w.edit->Height());
}
