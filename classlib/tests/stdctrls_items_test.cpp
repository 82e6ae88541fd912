// The data behind the list controls and menus: lines and selection of list
// and combo boxes, list-view items and columns, and the menu-item tree, each
// with and without a window attached, and the window always showing the data.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"
#include <commctrl.h>

#include <string>

#include "classlib/Cp1251.h"
#include "classlib/ItemStrings.h"
#include "classlib/ListItems.h"
#include "classlib/ComCtrls.h"
#include "classlib/Menus.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"

namespace {

std::wstring LineOf(HWND lb, int i) {
  wchar_t buf[256] = {};
  SendMessageW(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
  return buf;
}

std::wstring CellOf(HWND lv, int item, int sub) {
  wchar_t buf[256] = {};
  LVITEMW it{};
  it.iSubItem = sub;
  it.pszText = buf;
  it.cchTextMax = 256;
  SendMessageW(lv, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&it));
  return buf;
}

struct Windows : ::testing::Test {
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    top = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr,
                          nullptr);
    lb = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_NOTIFY, 0, 0, 200, 200, top, nullptr,
                         nullptr, nullptr);
    lv = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 200, 200, top, nullptr,
                         nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(top); }
  HWND top{}, lb{}, lv{};
};

} // namespace

TEST(ItemStrings, SelectionFollowsInsertAndDeleteWithoutWindow) {
  TItemStrings s(TItemStrings::ListBox);
  s.Add("a");
  s.Add("b");
  s.Add("c");
  s.SetItemIndex(1);
  s.Insert(0, "z");
  EXPECT_EQ(s.ItemIndex(), 2); // still "b"
  s.Delete(3);
  EXPECT_EQ(s.ItemIndex(), 2);
  s.Delete(2);
  EXPECT_EQ(s.ItemIndex(), -1); // the selected line went
  s.SetItemIndex(7);
  EXPECT_EQ(s.ItemIndex(), -1); // out of range selects nothing
  EXPECT_THROW(s.Delete(5), EListError);
  EXPECT_THROW(s.Get(-1), EListError);
}

TEST(ItemStrings, ChangeIsToldOnceForABatch) {
  TItemStrings s(TItemStrings::ComboBox);
  int changes = 0;
  s.OnChange = [&](TObject*) { ++changes; };
  s.Add("x");
  EXPECT_EQ(changes, 1);
  s.BeginUpdate();
  s.Add("y");
  s.Add("z");
  s.EndUpdate();
  EXPECT_EQ(changes, 2);
  s.Put(0, "x"); // unchanged: nothing to tell
  EXPECT_EQ(changes, 2);
}

TEST(ItemStrings, SortedListKeepsRussianOrderAndRefusesPlacedInserts) {
  TItemStrings s(TItemStrings::ListBox);
  s.Add("яблоко");
  s.Add("Банан");
  s.SetItemIndex(0);
  s.SetSorted(true);
  EXPECT_EQ(s.Get(0), "Банан");
  EXPECT_EQ(s.ItemIndex(), 1);  // the selected line kept, at its new place
  EXPECT_EQ(s.Add("арбуз"), 0); // letter case aside
  EXPECT_EQ(s.Add("Вишня"), 2);
  EXPECT_EQ(s.Add("zebra"), 0); // Latin before Cyrillic, as the code page orders them
  EXPECT_THROW(s.Insert(0, "x"), EListError);
  s.Put(1, "Юла"); // a changed line moves to its place
  EXPECT_EQ(s.Get(s.Count() - 2), "Юла");
}

TEST_F(Windows, ListBoxShowsCyrillicLinesAndKeepsSelectionAcrossAttach) {
  TItemStrings s(TItemStrings::ListBox);
  s.Add("1 Радио Ёлка");
  s.Add("2 Jazz");
  s.SetItemIndex(1);
  s.Attach(lb);
  ASSERT_EQ(SendMessageW(lb, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(LineOf(lb, 0), L"1 Радио Ёлка");
  EXPECT_EQ(SendMessageW(lb, LB_GETCURSEL, 0, 0), 1);

  s.Put(1, "2 Блюз"); // replaced in place, still selected
  EXPECT_EQ(LineOf(lb, 1), L"2 Блюз");
  EXPECT_EQ(s.ItemIndex(), 1);
  s.Insert(0, "0 Новый");
  EXPECT_EQ(LineOf(lb, 0), L"0 Новый");
  EXPECT_EQ(s.ItemIndex(), 2);

  SendMessageW(lb, LB_SETCURSEL, 0, 0); // the user picks another line
  s.Detach();
  EXPECT_EQ(s.ItemIndex(), 0);
  s.Clear();
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(SendMessageW(lb, LB_GETCOUNT, 0, 0), 3); // detached: the window is left alone
}

TEST(ListItems, HiddenStoreKeepsCaptionsAndSubItems) {
  TListItems items;
  for (int i = 0; i < 3; ++i) {
    TListItem* it = items.Add();
    it->SetCaption("http://host/" + IntToStr(i));
    it->SubItems()->Add("Станция " + IntToStr(i));
  }
  items.Delete(1);
  ASSERT_EQ(items.Count(), 2);
  EXPECT_EQ(items[1]->Caption(), "http://host/2");
  EXPECT_EQ(items[1]->SubItems()->Get(0), "Станция 2");
  EXPECT_EQ(items[1]->Index(), 1);
  items[0]->Delete();
  EXPECT_EQ(items.Count(), 1);
  EXPECT_EQ(items[0]->Index(), 0);
  EXPECT_THROW(items.Item(1), EListError);
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
}

TEST_F(Windows, ListViewRowsFollowTheItems) {
  TListColumns cols;
  cols.Add()->SetCaption("Адрес");
  cols.Add()->SetCaption("Имя");
  TListItems items;
  TListItem* a = items.Add();
  a->SetCaption("addr-1");
  a->SubItems()->Add("Джаз");
  cols.Attach(lv);
  items.Attach(lv);
  ASSERT_EQ(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(CellOf(lv, 0, 0), L"addr-1");
  EXPECT_EQ(CellOf(lv, 0, 1), L"Джаз");

  a->SubItems()->Put(0, "Блюз");
  EXPECT_EQ(CellOf(lv, 0, 1), L"Блюз");
  a->SubItems()->Clear(); // a shortened item leaves no stale text behind
  EXPECT_EQ(CellOf(lv, 0, 1), L"");
  TListItem* b = items.Insert(0);
  b->SetCaption("addr-0");
  EXPECT_EQ(CellOf(lv, 0, 0), L"addr-0");
  EXPECT_EQ(CellOf(lv, 1, 0), L"addr-1");
  items.Delete(0);
  EXPECT_EQ(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(CellOf(lv, 0, 0), L"addr-1");
}

TEST(MenuItems, TreeMovesAndFreesUnownedChildren) {
  TComponent owner(nullptr);
  auto* root = new TMenuItem(&owner);
  auto* a = new TMenuItem(&owner);
  auto* b = new TMenuItem(&owner);
  auto* loose = new TMenuItem(nullptr);
  root->Add(a);
  root->Add(b);
  a->Add(loose);
  EXPECT_EQ(root->Count(), 2);
  EXPECT_THROW(loose->Add(root), EListError); // no cycles
  EXPECT_THROW(b->Add(a), EListError);        // already in a menu
  root->Remove(a);
  b->Add(a);
  EXPECT_EQ(root->Count(), 1);
  EXPECT_EQ(a->Parent(), b);
  a->Free(); // an owned item freed early leaves its parent; its loose child goes with it
  EXPECT_EQ(b->Count(), 0);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->Enabled = false;
  b->Click();
  b->Enabled = true;
  b->Click();
  EXPECT_EQ(clicks, 1);
}

// Controls whose windows were never made (a form still loading, a hidden
// store) keep every property and answer from it.
TEST(ControlsWithoutWindows, KeepTheirStateAndFireNothing) {
  TComponent owner(nullptr);
  auto* panel = new TPanel(&owner);
  auto* r1 = new TRadioButton(&owner);
  auto* r2 = new TRadioButton(&owner);
  r1->SetParent(panel);
  r2->SetParent(panel);
  int changes = 0;
  r1->OnChange = r2->OnChange = [&](TObject*) { ++changes; };
  r1->SetChecked(true);
  r2->SetChecked(true);
  EXPECT_FALSE(r1->Checked());
  EXPECT_EQ(changes, 0);

  auto* cb = new TComboBox(&owner);
  cb->SetStyle(csDropDownList);
  cb->OnChange = [&](TObject*) { ++changes; };
  for (const char* s : {"96", "128", "192"}) cb->Items()->Add(s);
  cb->SetItemIndex(1);
  EXPECT_EQ(cb->Text(), "128");
  cb->SetText("192");
  EXPECT_EQ(cb->ItemIndex(), 2);
  cb->SetText("999"); // not a line of the list: the choice stays
  EXPECT_EQ(cb->ItemIndex(), 2);
  cb->Items()->Delete(0);
  EXPECT_EQ(cb->ItemIndex(), 1);
  EXPECT_EQ(cb->Text(), "192");

  auto* tb = new TTrackBar(&owner);
  tb->OnChange = [&](TObject*) { ++changes; };
  tb->SetRange(0, 30);
  tb->SetPosition(40);
  EXPECT_EQ(tb->Position(), 30);
  EXPECT_EQ(changes, 1); // a position change is told, also from code
  tb->SetMax(20);
  EXPECT_EQ(tb->Position(), 20);
  EXPECT_EQ(changes, 2);

  auto* pc = new TPageControl(&owner);
  auto* p1 = new TTabSheet(&owner);
  auto* p2 = new TTabSheet(&owner);
  p1->SetPageControl(pc);
  p2->SetPageControl(pc);
  EXPECT_EQ(pc->ActivePage(), p1);
  EXPECT_TRUE(p1->Visible());
  EXPECT_FALSE(p2->Visible());
  p1->Free(); // the next page takes over
  EXPECT_EQ(pc->PageCount(), 1);
  EXPECT_EQ(pc->ActivePage(), p2);
  EXPECT_TRUE(p2->Visible());

  auto* lv = new TListView(&owner);
  lv->Items()->Add()->SetCaption("a");
  lv->Items()->Add()->SetCaption("b");
  lv->SetItemIndex(1);
  EXPECT_EQ(lv->Selected()->Caption(), "b");
  lv->Items()->Delete(1);
  EXPECT_EQ(lv->ItemIndex(), -1);
}

TEST(ControlsWithoutWindows, AutoSizedLabelFollowsItsText) {
  TComponent owner(nullptr);
  auto* l = new TLabel(&owner);
  l->SetCaption("Vol+");
  int narrow = l->Width();
  l->SetCaption("Список каналов");
  EXPECT_GT(l->Width(), narrow);
  l->SetAlignment(taRightJustify);
  int right = l->Left() + l->Width();
  l->SetCaption("1");
  EXPECT_EQ(l->Left() + l->Width(), right); // right-aligned: grows and shrinks leftwards
  l->SetAutoSize(false);
  l->SetCaption("a much longer caption than before");
  EXPECT_EQ(l->Left() + l->Width(), right);
}
