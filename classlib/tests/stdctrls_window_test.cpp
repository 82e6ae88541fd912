// The stock controls under Wine with real input: a window built from its
// layout file with every control, driven by mouse clicks, double-clicks,
// typing, keys and menu selection (SendInput), and checked through the
// controls' own state, the Windows controls underneath (wide text) and a
// screenshot (STDCTRLS_SCREENSHOT names the .bmp file to write).
#include <gtest/gtest.h>
#include "classlib/WinApi.h"
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <future>
#include <thread>

#include "classlib/Cp1251.h"
#include "classlib/tests/controls_test_input.h"
#include "classlib/tests/controls_test_window.h"

using namespace testinput;

// --- The window's handlers (its unit) ------------------------------------------------------

void TControlsWindow::PaintBox1Paint(TObject*) {
  // The black gradient the main window's labels sit on.
  TCanvas* c = PaintBox1->Canvas();
  int h = PaintBox1->Height();
  for (int y = 0; y < h; ++y) {
    c->Brush()->SetColor(classlib::RGBColor(0, 0, y * 96 / h));
    c->FillRect(Rect(0, y, PaintBox1->Width(), y + 1));
  }
}
void TControlsWindow::Label6MouseEnter(TObject*) {
  Label6->Font()->SetColor(clRed);
  Label6->Font()->SetStyle({fsBold});
}
void TControlsWindow::Label6MouseLeave(TObject*) {
  Label6->Font()->SetColor(classlib::RGBColor(90, 170, 255));
  Label6->Font()->SetStyle({});
}
void TControlsWindow::Label7MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  volume_held = true;
}
void TControlsWindow::Label7MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  volume_held = false;
}
void TControlsWindow::Label11Click(TObject*) { log.push_back("link " + Label11->Caption()); }
void TControlsWindow::Edit1Change(TObject*) { ++edit_changes; }
void TControlsWindow::Button1Click(TObject*) { log.push_back("Button1"); }
void TControlsWindow::Button2Click(TObject*) { log.push_back("Button2"); }
void TControlsWindow::ListBox1DblClick(TObject*) {
  log.push_back("dbl " +
                (ListBox1->ItemIndex() >= 0 ? ListBox1->Items()->Get(ListBox1->ItemIndex()) : ""));
}
void TControlsWindow::N1Click(TObject*) { log.push_back("N1"); }
void TControlsWindow::N2Click(TObject*) { log.push_back("N2 " + IntToStr(ListBox1->ItemIndex())); }
void TControlsWindow::RadioButton1Change(TObject*) { ++radio1_changes; }
void TControlsWindow::RadioButton2Change(TObject*) { ++radio2_changes; }
void TControlsWindow::ComboBox1Change(TObject*) { ++combo_changes; }
void TControlsWindow::PageControl1Change(TObject*) { ++page_changes; }
void TControlsWindow::eq1Change(TObject*) { ++track_changes; }

// --- Fixture: one window for the whole run, driven step by step ------------------------------

namespace {

TControlsWindow* W = nullptr;

std::wstring WText(HWND h) {
  wchar_t buf[256] = {};
  GetWindowTextW(h, buf, 256);
  return buf;
}

class StockControls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    ProcessHook = [] { Application->ProcessMessages(); };
    W = New<TControlsWindow>(Application);
    W->Show();
    Activate(W->Handle());
    Pump(300);
  }
  static void TearDownTestSuite() {
    if (W) W->Free();
    W = nullptr;
  }
  void SetUp() override { W->log.clear(); }
};

} // namespace

TEST_F(StockControls, LayoutIsBuiltAndTextReachesWindowsAsUnicode) {
  ASSERT_TRUE(IsWindowVisible(W->Handle()));
  EXPECT_EQ(WText(W->Button1->Handle()), L"Добавить");
  EXPECT_EQ(WText(W->Edit2->Handle()), L"HTTP://");
  EXPECT_EQ(WText(W->RadioButton2->Handle()), L"Записать со своими настройками");
  EXPECT_EQ(WText(W->StaticText1->Handle()), L"Kbит/s");
  ASSERT_EQ(SendMessageW(W->ListBox1->Handle(), LB_GETCOUNT, 0, 0), 3);
  wchar_t line[64] = {};
  SendMessageW(W->ListBox1->Handle(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, L"1 Радио Ёлка");
  // The text given before the lines picked its line once loading ended.
  EXPECT_EQ(W->ComboBox1->ItemIndex(), 0);
  EXPECT_EQ(W->ComboBox1->Text(), "96");
  EXPECT_EQ(W->ComboBox2->Text(), "свой");
  EXPECT_TRUE(W->RadioButton1->Checked());
  EXPECT_EQ(SendMessageW(W->RadioButton1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(W->PageControl1->ActivePage(), W->TabSheet1);
  EXPECT_TRUE(IsWindowVisible(W->TabSheet1->Handle()));
  EXPECT_FALSE(IsWindowVisible(W->TabSheet2->Handle()));
  EXPECT_EQ(SendMessageW(W->PageControl1->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(W->TrackBar1->Position(), 50);
  EXPECT_EQ(W->eq1->Position(), 15);
  EXPECT_TRUE(GetWindowLongPtrW(W->eq1->Handle(), GWL_STYLE) & TBS_VERT);
  // Nothing the user did yet: no change events from the layout.
  EXPECT_EQ(
      W->edit_changes + W->combo_changes + W->track_changes + W->radio1_changes + W->radio2_changes,
      0);
  // Auto-sized labels fit their text; the link label keeps its bounds.
  EXPECT_GT(W->Label1->Width(), 10);
  EXPECT_LT(W->Label1->Width(), 80);
  EXPECT_EQ(W->Label11->Width(), 177);
}

TEST_F(StockControls, LabelsHoverPressAndLink) {
  TPoint p = W->Label6->ClientOrigin();
  POINT o{0, 0};
  ClientToScreen(W->Handle(), &o);
  MoveTo(W->Handle(), W->Label6->Left() + 5, W->Label6->Top() + 5);
  Pump(100);
  EXPECT_EQ(W->Label6->Font()->Color(), clRed);
  EXPECT_TRUE(W->Label6->Font()->Style().Contains(fsBold));
  MoveTo(W->Handle(), 300, 45); // over the gradient, away from every label
  Pump(100);
  EXPECT_EQ(W->Label6->Font()->Color(), classlib::RGBColor(90, 170, 255));
  EXPECT_TRUE(W->Label6->Font()->Style().Empty());
  (void)p;

  MouseDown(W->Handle(), W->Label7->Left() + 3, W->Label7->Top() + 4);
  EXPECT_TRUE(W->volume_held);
  MouseUp();
  EXPECT_FALSE(W->volume_held);

  Click(W->Handle(), W->Label11->Left() + 88, W->Label11->Top() + 10);
  ASSERT_EQ(W->log.size(), 1u);
  EXPECT_EQ(W->log[0], "link www.korvalis.example");

  // A transparent label leaves the gradient around its letters: the pixel at
  // its bottom-right corner is the gradient's, not a filled background.
  HDC dc = GetDC(W->Handle());
  COLORREF corner = GetPixel(dc, W->Label1->Left() + W->Label1->Width() - 1, W->Label1->Top() + 1);
  COLORREF beside = GetPixel(dc, W->Label1->Left() + W->Label1->Width() + 3, W->Label1->Top() + 1);
  ReleaseDC(W->Handle(), dc);
  EXPECT_EQ(corner, beside);
}

TEST_F(StockControls, TypingEditsAndTheLimit) {
  ClickCentre(W->Edit1->Handle());
  EXPECT_TRUE(W->Edit1->Focused());
  Type(L"Радио Ёлка");
  EXPECT_EQ(W->Edit1->Text(), "Радио Ёлка");
  EXPECT_EQ(W->edit_changes, 10);
  // Edit2 takes at most 20 characters: "HTTP://" + 13.
  ClickCentre(W->Edit2->Handle());
  Key(VK_END);
  Type(L"abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(W->Edit2->Text(), "HTTP://abcdefghijklm");
  // Text set from code shows and is a change.
  W->Edit1->SetText("Джаз");
  EXPECT_EQ(WText(W->Edit1->Handle()), L"Джаз");
  EXPECT_EQ(W->edit_changes, 11);

  // Tab into an edit selects its text: typing replaces it.
  W->Edit1->SetFocus();
  Key(VK_TAB);
  EXPECT_TRUE(W->Edit2->Focused());
  Type(L"ftp");
  EXPECT_EQ(W->Edit2->Text(), "ftp");
  // Upper case and hidden characters are the window's own business; the
  // text read back is what was typed, case-converted.
  W->Edit2->SetCharCase(ecUpperCase);
  W->Edit2->SetPasswordChar('*');
  ClickCentre(W->Edit2->Handle());
  Key(VK_END);
  Type(L"юг");
  EXPECT_EQ(W->Edit2->Text(), "FTPЮГ");
  EXPECT_EQ(SendMessageW(W->Edit2->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  W->Edit2->SetPasswordChar(0);
  W->Edit2->SetCharCase(ecNormal);
  EXPECT_EQ(W->Edit2->Text(), "FTPЮГ"); // kept across the new window
}

TEST_F(StockControls, TabEnterEscAndSpaceOnButtons) {
  W->Edit1->SetFocus();
  Key(VK_TAB);
  EXPECT_TRUE(W->Edit2->Focused());
  Key(VK_TAB, true);
  EXPECT_TRUE(W->Edit1->Focused());
  Key(VK_RETURN); // the default button
  Key(VK_ESCAPE); // the cancel button, which also sets the form's result
  ASSERT_EQ(W->log.size(), 2u);
  EXPECT_EQ(W->log[0], "Button1");
  EXPECT_EQ(W->log[1], "Button2");
  EXPECT_EQ(W->ModalResult(), mrCancel);
  W->SetModalResult(mrNone);
  W->Button2->SetFocus();
  Key(VK_SPACE);
  Key(VK_RETURN); // Enter on a focused button clicks that button
  ClickCentre(W->Button1->Handle());
  ASSERT_EQ(W->log.size(), 5u);
  EXPECT_EQ(W->log[2], "Button2");
  EXPECT_EQ(W->log[3], "Button2");
  EXPECT_EQ(W->log[4], "Button1");
  W->SetModalResult(mrNone);
}

TEST_F(StockControls, RadioButtonsFireOnlyForTheUser) {
  W->RadioButton2->SetChecked(true); // from code: silent
  EXPECT_FALSE(W->RadioButton1->Checked());
  EXPECT_EQ(SendMessageW(W->RadioButton1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(W->radio1_changes + W->radio2_changes, 0);
  ClickCentre(W->RadioButton1->Handle());
  EXPECT_TRUE(W->RadioButton1->Checked());
  EXPECT_FALSE(W->RadioButton2->Checked());
  EXPECT_EQ(W->radio1_changes, 1);
  EXPECT_EQ(W->radio2_changes, 0);
  ClickCentre(W->RadioButton1->Handle()); // already checked: no change
  EXPECT_EQ(W->radio1_changes, 1);
  W->RadioButton2->SetFocus();
  Key(VK_SPACE);
  EXPECT_TRUE(W->RadioButton2->Checked());
  EXPECT_EQ(W->radio2_changes, 1);
  // Arrows move through the group and choose; Tab enters it at the checked one.
  Key(VK_UP);
  EXPECT_TRUE(W->RadioButton1->Focused());
  EXPECT_TRUE(W->RadioButton1->Checked());
  EXPECT_EQ(W->radio1_changes, 2);
  EXPECT_TRUE(W->RadioButton1->TabStop());
  EXPECT_FALSE(W->RadioButton2->TabStop());
  W->Button2->SetFocus();
  Key(VK_TAB);
  Key(VK_TAB); // the list box, then the panel's group: its checked button
  EXPECT_TRUE(W->RadioButton1->Focused());
  Key(VK_TAB);
  EXPECT_TRUE(W->ComboBox1->Focused());
}

TEST_F(StockControls, ComboBoxPicksByMouseAndKeyboard) {
  W->ComboBox1->SetItemIndex(2); // from code: silent
  EXPECT_EQ(W->ComboBox1->Text(), "192");
  EXPECT_EQ(W->combo_changes, 0);
  HWND cb = W->ComboBox1->Handle();
  ClickCentre(cb); // drops the list down
  Pump(100);
  EXPECT_TRUE(W->ComboBox1->DroppedDown());
  Key(VK_DOWN);
  Key(VK_RETURN);
  Pump(100);
  EXPECT_FALSE(W->ComboBox1->DroppedDown());
  EXPECT_EQ(W->ComboBox1->ItemIndex(), 3);
  EXPECT_EQ(W->ComboBox1->Text(), "224");
  EXPECT_GE(W->combo_changes, 1);
  // Pick with the mouse from the dropped list: the last line.
  Sleep(600); // not a double click with the first one
  ClickCentre(cb);
  Pump(100);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(cb, &info));
  RECT lr;
  GetClientRect(info.hwndList, &lr);
  int item = static_cast<int>(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(lr.bottom, 6 * item) << "the dropped list shows every line";
  EXPECT_TRUE(IsWindowVisible(info.hwndList));
  Click(info.hwndList, 10, 5 * item + item / 2);
  Pump(100);
  EXPECT_EQ(W->ComboBox1->ItemIndex(), 5);
  EXPECT_EQ(W->ComboBox1->Text(), "320");

  // Typing in the drop-down's edit field; Enter there is the form's.
  ClickCentre(W->ComboBox2->Handle());
  Key(VK_END);
  Type(L" край");
  EXPECT_EQ(W->ComboBox2->Text(), "свой край");
  Key(VK_RETURN);
  ASSERT_EQ(W->log.size(), 1u);
  EXPECT_EQ(W->log[0], "Button1");
}

// An open list that the pointer crosses and that is then closed without a
// pick (Esc): whichever line the box holds afterwards is the one it shows, the
// one its handler heard of and the one other threads read.
TEST_F(StockControls, ComboBoxClosedWithoutPickKeepsOneChoice) {
  W->ComboBox1->SetItemIndex(1);
  const int changes = W->combo_changes;
  HWND cb = W->ComboBox1->Handle();
  Sleep(600); // not a double click with an earlier one
  ClickCentre(cb);
  Pump(100);
  ASSERT_TRUE(W->ComboBox1->DroppedDown());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(cb, &info));
  int item = static_cast<int>(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
  for (int line = 2; line <= 4; ++line) {
    MoveTo(info.hwndList, 12, line * item + item / 2);
    Pump(60);
  }
  Key(VK_ESCAPE);
  Pump(100);
  EXPECT_FALSE(W->ComboBox1->DroppedDown());
  const int held = W->ComboBox1->ItemIndex();
  ASSERT_GE(held, 0);
  const std::string line = W->ComboBox1->Items()->Get(held);
  EXPECT_EQ(W->ComboBox1->Text(), line);
  auto read = std::async(std::launch::async, [] { return W->ComboBox1->Text(); });
  ASSERT_EQ(read.wait_for(std::chrono::seconds(3)), std::future_status::ready);
  EXPECT_EQ(read.get(), line);
  if (held != 1) {
    EXPECT_GT(W->combo_changes, changes);
  }
  W->ComboBox1->SetItemIndex(1);
}

// A recording thread reads the chosen bitrate and mode while the GUI thread
// may be busy (here: not handling messages at all); the read must not wait
// for it.
TEST_F(StockControls, ChoicesCanBeReadFromAnotherThread) {
  // Waits without handling messages; a read that asks the window would stall
  // (then the messages are let through so that the test ends, and it fails).
  auto ready = [](auto& f) {
    if (f.wait_for(std::chrono::seconds(3)) == std::future_status::ready) return true;
    while (f.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) Pump(20);
    return false;
  };
  W->ComboBox1->SetItemIndex(1);
  auto text = std::async(std::launch::async, [] { return W->ComboBox1->Text(); });
  auto mode = std::async(std::launch::async, [] { return W->RadioButton1->Checked(); });
  ASSERT_TRUE(ready(text));
  EXPECT_EQ(text.get(), "128");
  ASSERT_TRUE(ready(mode));
  EXPECT_EQ(mode.get(), W->RadioButton1->Checked());
  W->ComboBox2->SetText("Минск");
  auto typed = std::async(std::launch::async, [] { return W->ComboBox2->Text(); });
  ASSERT_TRUE(ready(typed));
  EXPECT_EQ(typed.get(), "Минск");
  W->ComboBox2->SetText("свой");
}

TEST_F(StockControls, ListBoxClicksDoubleClicksEnterAndPopupMenu) {
  HWND lb = W->ListBox1->Handle();
  int h = static_cast<int>(SendMessageW(lb, LB_GETITEMHEIGHT, 0, 0));
  Click(lb, 20, h + h / 2);
  EXPECT_EQ(W->ListBox1->ItemIndex(), 1);
  Sleep(600); // not a double click with the next one
  DoubleClick(lb, 20, 2 * h + h / 2);
  ASSERT_EQ(W->log.size(), 1u);
  EXPECT_EQ(W->log[0], "dbl 3 Блюз");
  Key(VK_UP);
  Key(VK_RETURN);
  ASSERT_EQ(W->log.size(), 2u);
  EXPECT_EQ(W->log[1], "dbl 2 Jazz A");

  // A right click selects the line under the pointer and shows the menu;
  // the menu's third entry (after the separator) is chosen by keyboard.
  std::thread chooser = ChooseMenuItem(2);
  Click(lb, 20, h / 2, true);
  chooser.join();
  Pump(100);
  ASSERT_EQ(W->log.size(), 3u);
  EXPECT_EQ(W->log[2], "N2 0");
  EXPECT_EQ(W->PopupMenu1->PopupComponent, W->ListBox1);
  chooser = ChooseMenuItem(1);
  Click(lb, 20, h / 2, true);
  chooser.join();
  Pump(100);
  ASSERT_EQ(W->log.size(), 4u);
  EXPECT_EQ(W->log[3], "N1");

  // Lines changed from code show at once, selection kept.
  W->ListBox1->SetItemIndex(2);
  W->ListBox1->Items()->Insert(0, "0 Новая");
  EXPECT_EQ(W->ListBox1->ItemIndex(), 3);
  W->ListBox1->Items()->Delete(0);
  EXPECT_EQ(W->ListBox1->ItemIndex(), 2);

  // Lines added from code are painted together once the loop runs again:
  // drawing is off during the run and on again after it; then the new line
  // shows lime letters on black in its row.
  Pump(100);
  std::vector<WPARAM> redraws;
  W->ListBox1->SetMessageHandler(WM_SETREDRAW, [&](TMessage& m) {
    redraws.push_back(m.WParam);
    W->ListBox1->InheritedMessage(m);
  });
  W->ListBox1->Items()->Add("4 Новая строка");
  W->ListBox1->Items()->Add("5 Ещё одна");
  EXPECT_EQ(redraws, std::vector<WPARAM>{FALSE});
  Pump(150);
  EXPECT_EQ(redraws, (std::vector<WPARAM>{FALSE, TRUE}));
  W->ListBox1->SetMessageHandler(WM_SETREDRAW, nullptr);
  W->ListBox1->Items()->Delete(4);
  RECT r;
  SendMessageW(lb, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
  HDC dc = GetDC(lb);
  int lime = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.left + 80; ++x)
      if (GetPixel(dc, x, y) == RGB(0, 255, 0)) ++lime;
  ReleaseDC(lb, dc);
  EXPECT_GT(lime, 10);
  W->ListBox1->Items()->Delete(3);
}

TEST_F(StockControls, PagesAndTrackBars) {
  // The second tab, by mouse.
  RECT tab;
  SendMessageW(W->PageControl1->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  Click(W->PageControl1->Handle(), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(W->PageControl1->ActivePage(), W->TabSheet2);
  EXPECT_EQ(W->page_changes, 1);
  EXPECT_TRUE(IsWindowVisible(W->eq1->Handle()));
  EXPECT_FALSE(IsWindowVisible(W->TabSheet1->Handle()));

  // The vertical bar: keys move it, each move is a change; the top is 0.
  ClickCentre(W->eq1->Handle());
  int after_click = W->eq1->Position();
  int changes = W->track_changes;
  W->eq1->SetFocus();
  Key(VK_HOME);
  EXPECT_EQ(W->eq1->Position(), 0);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(W->eq1->Position(), 2);
  EXPECT_EQ(W->track_changes, changes + 2 + (after_click != 0 ? 1 : 0));
  W->eq1->SetPosition(30); // from code: applied and told
  EXPECT_EQ(SendMessageW(W->eq1->Handle(), TBM_GETPOS, 0, 0), 30);
  W->eq1->SetPosition(99); // clamped to the range
  EXPECT_EQ(W->eq1->Position(), 30);

  // Its hint shows after the pointer rests on it.
  MoveTo(W->eq1->Handle(), 11, 40);
  Pump(Application->HintPause + 400);
  HWND hint = FindWindowW(L"THintWindow", nullptr);
  EXPECT_TRUE(hint && IsWindowVisible(hint));
  MoveTo(W->Handle(), 300, 45);
  Pump(100);

  W->PageControl1->SetActivePageIndex(0); // from code: no change event
  EXPECT_EQ(W->page_changes, 1);
  EXPECT_TRUE(IsWindowVisible(W->TabSheet1->Handle()));
}

TEST_F(StockControls, ListViewsShowAndStoreItems) {
  for (int i = 1; i <= 3; ++i) {
    TListItem* it = W->ListView1->Items()->Add();
    it->SetCaption("http://127.0.0.1:800" + IntToStr(i) + "/");
    it->SubItems()->Add("Станция " + IntToStr(i));
  }
  wchar_t buf[64] = {};
  LVITEMW lv{};
  lv.iSubItem = 1;
  lv.pszText = buf;
  lv.cchTextMax = 64;
  SendMessageW(W->ListView1->Handle(), LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&lv));
  EXPECT_STREQ(buf, L"Станция 2");
  // Select a row by mouse.
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageW(W->ListView1->Handle(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  Click(W->ListView1->Handle(), row.left + 20, (row.top + row.bottom) / 2);
  EXPECT_EQ(W->ListView1->ItemIndex(), 2);
  ASSERT_NE(W->ListView1->Selected(), nullptr);
  EXPECT_EQ(W->ListView1->Selected()->SubItems()->Get(0), "Станция 3");
  int opened = 0;
  W->ListView1->OnDblClick = [&](TObject*) { ++opened; };
  Key(VK_UP);
  EXPECT_EQ(W->ListView1->ItemIndex(), 1);
  Key(VK_RETURN);
  EXPECT_EQ(opened, 1);
  W->ListView1->OnDblClick = nullptr;

  // The hidden store: filled, edited and read back with no visible window.
  TListItems* store = W->ListView2->Items();
  for (int i = 0; i < 100; ++i) {
    TListItem* it = store->Add();
    it->SetCaption("addr-" + IntToStr(i));
    it->SubItems()->Add("Имя " + IntToStr(i));
  }
  store->Delete(10);
  EXPECT_FALSE(IsWindowVisible(W->ListView2->Handle()));
  EXPECT_EQ(store->Count(), 99);
  EXPECT_EQ(store->Item(10)->Caption(), "addr-11");
  EXPECT_EQ(store->Item(98)->SubItems()->Get(0), "Имя 99");
  EXPECT_EQ(SendMessageW(W->ListView2->Handle(), LVM_GETITEMCOUNT, 0, 0), 99);
}

TEST_F(StockControls, PropertiesSetAfterTheWindowExists) {
  W->Label9->SetCaption("100");
  EXPECT_GT(W->Label9->Width(), 10);
  W->Panel1->SetCaption("Битрейт ");
  W->StaticText1->SetCaption("Кбит/с");
  EXPECT_EQ(WText(W->StaticText1->Handle()), L"Кбит/с");
  W->ComboBox2->SetText("Киев");
  EXPECT_EQ(WText(W->ComboBox2->Handle()), L"Киев");
  W->Button1->SetCaption("Добавить");
  W->GroupBox1->SetCaption("Добавить канал радио");
  W->ListBox1->SetColor(clBlack);
  W->Edit2->SetMaxLength(7);
  W->Edit2->SetText("HTTP://");
  Pump(200);
  // Handles recreated with their data (a property that needs a new window).
  W->eq1->SetTickMarks(tmBoth);
  EXPECT_EQ(W->eq1->Position(), 30);
  W->ComboBox1->SetItemIndex(5);
  W->ComboBox1->SetStyle(csDropDown);
  EXPECT_EQ(W->ComboBox1->Items()->Count(), 6);
  W->ComboBox1->SetStyle(csDropDownList);
  EXPECT_EQ(W->ComboBox1->Text(), "320");
}

TEST_F(StockControls, PanelsBevelsAndPaintBoxPaint) {
  W->Repaint();
  Pump(100);
  HDC dc = GetDC(W->Handle());
  // The paint box's gradient: black at the top, blue growing downwards.
  COLORREF top = GetPixel(dc, 300, 1), low = GetPixel(dc, 300, 58);
  // The bevel's line: shadow above highlight.
  COLORREF line1 = GetPixel(dc, 100, 64), line2 = GetPixel(dc, 100, 65);
  ReleaseDC(W->Handle(), dc);
  EXPECT_LE(GetBValue(top), 2);
  EXPECT_GT(GetBValue(low), 80);
  EXPECT_EQ(GetRValue(low), 0);
  EXPECT_EQ(line1, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(line2, GetSysColor(COLOR_BTNHIGHLIGHT));
  // The panel: raised outer bevel, lowered inner one, its colour inside.
  HDC pdc = GetDC(W->Panel1->Handle());
  int w = W->Panel1->Width(), h = W->Panel1->Height();
  EXPECT_EQ(GetPixel(pdc, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(pdc, w - 1, h - 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(pdc, 1, 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(pdc, w - 2, h - 2), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(pdc, w - 4, 3), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(W->Panel1->Handle(), pdc);
}

// A dialog like the recording settings: Enter closes it through its default
// button with that button's result, Esc through the cancel button.
TEST_F(StockControls, ModalDialogClosesWithItsButtons) {
  auto* dlg = New<TForm>(W);
  dlg->SetCaption("Настройки записи");
  dlg->SetBorderStyle(bsDialog);
  dlg->SetClientWidth(248);
  dlg->SetClientHeight(80);
  auto* edit = new TEdit(dlg);
  edit->SetParent(dlg);
  edit->SetBounds(8, 8, 100, 21);
  auto* ok = new TButton(dlg);
  ok->SetParent(dlg);
  ok->SetBounds(8, 40, 75, 25);
  ok->SetCaption("Применить");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(dlg);
  cancel->SetParent(dlg);
  cancel->SetBounds(90, 40, 75, 25);
  cancel->SetCaption("Отмена");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  dlg->OnShow = [&](TObject*) { edit->SetFocus(); };

  auto press = [](WORD vk) {
    return std::thread([vk] {
      Sleep(400);
      INPUT in[2]{};
      in[0].type = in[1].type = INPUT_KEYBOARD;
      in[0].ki.wVk = in[1].ki.wVk = vk;
      in[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, in, sizeof(INPUT));
    });
  };
  std::thread t = press(VK_RETURN);
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  t.join();
  EXPECT_EQ(clicks, 1);
  t = press(VK_ESCAPE);
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  t.join();
  EXPECT_EQ(clicks, 1);
  dlg->Free();
  Activate(W->Handle());
}

TEST_F(StockControls, Screenshot) {
  W->PageControl1->SetActivePageIndex(1);
  W->ListBox1->SetItemIndex(1);
  W->Edit1->SetText("Радио Ёлка");
  Activate(W->Handle());
  W->Repaint();
  Pump(300);
  const char* path = std::getenv("STDCTRLS_SCREENSHOT");
  std::wstring file = path ? Cp1251ToWide(path) : L"stdctrls_window.bmp";
  EXPECT_TRUE(SaveScreenshot(W->Handle(), file));
}
