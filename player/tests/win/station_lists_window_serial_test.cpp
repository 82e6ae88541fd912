// The station-list and search windows under Wine beside the real main
// window, driven with real clicks and keys: the lists read from their files,
// every menu item, the add / edit panel, copying and deleting, the search,
// the double-clicks that play the test station, and the files after each
// change and after the windows are made again.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "classlib/Cp1251.h"
#include "components/Magnetic.h"
#include "player/Unit1.h"
#include "player/Unit5.h"
#include "player/Unit6.h"
#include "player/Unit7.h"
#include "player/tests/win/PlayerTestFolder.h"
#include "tools/station/TestStation.h"

using namespace testinput;

namespace {

std::unique_ptr<teststation::TestStation> Station;

std::wstring Line(TListBox* box, int i) {
  wchar_t buf[512] = {};
  SendMessageW(box->Handle(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
  return buf;
}

// The middle of line i of a list box, in its client coordinates.
POINT LinePoint(TListBox* box, int i) {
  RECT r{};
  SendMessageW(box->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
  return {30, (r.top + r.bottom) / 2};
}

void RightClickLine(TListBox* box, int i, int menuItem) {
  std::thread chooser = ChooseMenuItem(menuItem);
  POINT p = LinePoint(box, i);
  Click(box->Handle(), p.x, p.y, true);
  chooser.join();
  Pump(150);
}

// Replaces an edit's text as a person would: click, select all, type.
void Retype(TEdit* edit, const std::wstring& text) {
  ClickCentre(edit->Handle());
  Key(VK_HOME);
  Key(VK_END, true);
  Type(text);
}

// A page by a click on its tab: 0 "Основные каналы", 1 "Мои каналы".
void ShowPage(int i) {
  RECT tab{};
  TabCtrl_GetItemRect(Form7->sPageControl1->Handle(), i, &tab);
  Click(Form7->sPageControl1->Handle(), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
}

void ShowOwnList() { ShowPage(1); }

// What the screen shows of a control's client area, row by row; points
// inside `skip` (client coordinates) read as 0.
std::vector<COLORREF> ScreenPixels(TWinControl* c, const std::vector<TRect>& skip = {}) {
  RECT r;
  GetClientRect(c->Handle(), &r);
  POINT o{0, 0};
  ClientToScreen(c->Handle(), &o);
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> out;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) {
      bool skipped = false;
      for (const TRect& s : skip)
        skipped = skipped || (x >= s.Left && x < s.Right && y >= s.Top && y < s.Bottom);
      out.push_back(skipped ? 0 : GetPixel(screen, o.x + x, o.y + y));
    }
  ReleaseDC(nullptr, screen);
  return out;
}

// Closes the window in front as a person does with the keyboard.
void AltF4() {
  INPUT in[4]{};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = VK_MENU;
  in[1].ki.wVk = in[2].ki.wVk = VK_F4;
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
  Pump(200);
}

bool WaitFor(const std::function<bool()>& cond, int ms) {
  for (int t = 0; t < ms; t += 50) {
    if (cond()) return true;
    Pump(50);
  }
  return cond();
}

class StationLists : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    teststation::StationConfig cfg;
    cfg.mp3 = teststation::MakeSineMp3(3.0, 128);
    Station = std::make_unique<teststation::TestStation>(cfg);
    ASSERT_NE(Station->Start(), 0);
    Application->Initialize();
    ProcessHook = [] { Application->ProcessMessages(); };
  }
  static void TearDownTestSuite() {
    if (Form1) Form1->Free();
    Form1 = nullptr;
    Station.reset();
  }
  void SetUp() override {
    folder_.Put("k1.ini", "addr-1\r\nJazz A\r\n\r\n" + Station->Url() + "\r\nJAZZ B\r\n\r\n");
    folder_.Put("favoritkanel.ini", Station->Url() + "\r\nМоя станция\r\n\r\n");
    folder_.Put("zap.ini", "TRUE\r\n0\r\n\r\n");
    if (!Form1) {
      Application->CreateForm(Form1);
      Form1->Show();
    }
    MakeWindows();
  }
  void TearDown() override { FreeWindows(); }
  // The side windows in the program's order, as the program makes them.
  static void MakeWindows() {
    Application->CreateForm(Form5);
    Application->CreateForm(Form6);
    Application->CreateForm(Form7);
  }
  static void FreeWindows() {
    for (TCustomForm* f : {static_cast<TCustomForm*>(Form7), static_cast<TCustomForm*>(Form6),
                           static_cast<TCustomForm*>(Form5)})
      if (f) f->Free();
    Form7 = nullptr;
    Form6 = nullptr;
    Form5 = nullptr;
  }
  // Opens the station lists from the main window's link.
  static void OpenLists() {
    Activate(Form1->Handle());
    Click(Form1->Handle(), Form1->Label10->Left() + 10, Form1->Label10->Top() + 5);
    Pump(200);
    ASSERT_TRUE(IsWindowVisible(Form7->Handle()));
    Activate(Form7->Handle());
  }
  PlayerTestFolder folder_{"korvalis_station_lists"};
  // Every box is answered, so that none waits for a person.
  BoxRecorder boxes_;
};

TEST_F(StationLists, ReadAtCreationAndOpenedBesideTheMainWindow) {
  ASSERT_EQ(Form7->slistbox1->Count(), 2);
  EXPECT_EQ(Line(Form7->slistbox1, 0), L"1 Jazz A");
  EXPECT_EQ(Line(Form7->slistbox1, 1), L"2 JAZZ B");
  EXPECT_EQ(Form7->AddressAt(1, 0), "addr-1");
  EXPECT_EQ(Form7->listbox2->Items()->Strings(0), "1 Моя станция");
  EXPECT_FALSE(IsWindowVisible(Form7->Handle()));
  OpenLists();
  RECT m, w;
  GetWindowRect(Form1->Handle(), &m);
  GetWindowRect(Form7->Handle(), &w);
  EXPECT_EQ(w.left, m.right);
  EXPECT_EQ(w.top, m.top);
  // It snaps with the main window.
  ASSERT_NE(MagneticInstance, nullptr);
  EXPECT_GE(MagneticInstance->IndexOfWindow(Form7->Handle()), 0);
  EXPECT_EQ(WindowText(Form7->Handle()), L"Cписок станций"); // a Latin C
  RECT c;
  GetClientRect(Form7->Handle(), &c);
  EXPECT_EQ(c.right, 379);
  EXPECT_EQ(c.bottom, 541);
  Screenshot(Form7->Handle(), "Form7_lists.bmp");
}

TEST_F(StationLists, AddEditCopyAndDeleteByHand) {
  OpenLists();
  TListBox* main = Form7->slistbox1;
  // "Добавить канал": the panel, two fields, "Добавить".
  RightClickLine(main, 0, 1);
  ASSERT_TRUE(Form7->sGroupBox1->Visible());
  EXPECT_FALSE(Form7->EditMode);
  Retype(Form7->sEdit1, L"Ретро ФМ");
  Retype(Form7->sEdit2, L"http://retro.example/live");
  Screenshot(Form7->Handle(), "Form7_add_panel.bmp");
  ClickCentre(Form7->sButton1->Handle());
  EXPECT_FALSE(Form7->sGroupBox1->Visible());
  ASSERT_EQ(main->Count(), 3);
  EXPECT_EQ(Line(main, 2), L"3 Ретро ФМ");
  EXPECT_EQ(folder_.Read("k1.ini"),
            "addr-1\r\nJazz A\r\n\r\n" + Station->Url() +
                "\r\nJAZZ B\r\n\r\nhttp://retro.example/live\r\nРетро ФМ\r\n\r\n");

  // "Изменить данные канала" fills the fields from the line; the station
  // opened stays the one changed even when another line is picked meanwhile.
  Click(main->Handle(), LinePoint(main, 2).x, LinePoint(main, 2).y);
  RightClickLine(main, 2, 2);
  EXPECT_TRUE(Form7->EditMode);
  EXPECT_EQ(WindowText(Form7->sEdit1->Handle()), L"Ретро ФМ");
  EXPECT_EQ(WindowText(Form7->sEdit2->Handle()), L"http://retro.example/live");
  // A letter the code page lacks is stored as '?', and the list shows that.
  Retype(Form7->sEdit1,
         L"Ретро \x0141\x00F3"
         L"d\x017A");
  Click(main->Handle(), LinePoint(main, 0).x, LinePoint(main, 0).y);
  ClickCentre(Form7->sButton1->Handle());
  EXPECT_EQ(Line(main, 0), L"1 Jazz A");
  EXPECT_EQ(Line(main, 2), L"3 Ретро ??d?");
  EXPECT_NE(folder_.Read("k1.ini").find("http://retro.example/live\r\nРетро ??d?\r\n\r\n"),
            std::string::npos);

  // "Добавить канал в список Мои каналы": five blanks until the next load.
  RightClickLine(main, 1, 3);
  ASSERT_EQ(Form7->listbox2->Count(), 2);
  EXPECT_EQ(Form7->listbox2->Items()->Strings(1), "2     JAZZ B");
  EXPECT_EQ(folder_.Read("favoritkanel.ini"),
            Station->Url() + "\r\nМоя станция\r\n\r\n" + Station->Url() + "\r\nJAZZ B\r\n\r\n");

  // "Удалить канал" on the main list renumbers it.
  RightClickLine(main, 0, 4);
  ASSERT_EQ(main->Count(), 2);
  EXPECT_EQ(Line(main, 0), L"1 JAZZ B");
  EXPECT_EQ(Form7->AddressAt(1, 0), Station->Url());
  EXPECT_EQ(folder_.Read("k1.ini").substr(0, Station->Url().size()), Station->Url());

  // The main list's deletion read both lists again: the copy lost its blanks.
  EXPECT_EQ(Form7->listbox2->Items()->Strings(1), "2 JAZZ B");
  // "Удалить канал" on "Мои каналы": the lines left keep their numbers.
  ShowOwnList();
  ASSERT_EQ(Form7->sPageControl1->ActivePage(), Form7->sTabSheet2);
  RightClickLine(Form7->listbox2, 0, 1);
  ASSERT_EQ(Form7->listbox2->Count(), 1);
  EXPECT_EQ(Form7->listbox2->Items()->Strings(0), "2 JAZZ B");
  EXPECT_EQ(folder_.Read("favoritkanel.ini"), Station->Url() + "\r\nJAZZ B\r\n\r\n");
  Screenshot(Form7->Handle(), "Form7_own_list.bmp");

  // The windows made again (as at the next start) find every change.
  FreeWindows();
  MakeWindows();
  ASSERT_EQ(Form7->slistbox1->Count(), 2);
  EXPECT_EQ(Form7->slistbox1->Items()->Strings(1), "2 Ретро ??d?");
  ASSERT_EQ(Form7->listbox2->Count(), 1);
  EXPECT_EQ(Form7->listbox2->Items()->Strings(0), "1 JAZZ B");
}

TEST_F(StationLists, TheAddPanelComesBackWholeAfterThePagesSwitch) {
  OpenLists();
  RightClickLine(Form7->slistbox1, 0, 1); // "Добавить канал"
  ASSERT_TRUE(Form7->sGroupBox1->Visible());
  Pump(200);
  // The panel without its fields, whose caret and focus look may change.
  const std::vector<TRect> fields{Form7->sEdit1->BoundsRect(), Form7->sEdit2->BoundsRect()};
  const std::vector<COLORREF> before = ScreenPixels(Form7->sGroupBox1, fields);
  // The label's black text (smoothed by the display's fonts) stands out
  // from the light grey under it.
  const std::vector<COLORREF> label = ScreenPixels(Form7->sLabel1);
  int dark = 0;
  for (COLORREF p : label) dark += GetRValue(p) + GetGValue(p) + GetBValue(p) < 3 * 128;
  EXPECT_GT(dark, 100);
  ShowPage(1);
  Pump(200);
  ASSERT_EQ(Form7->sPageControl1->ActivePage(), Form7->sTabSheet2);
  ShowPage(0);
  Pump(300);
  ASSERT_EQ(Form7->sPageControl1->ActivePage(), Form7->sTabSheet1);
  const std::vector<COLORREF> after = ScreenPixels(Form7->sGroupBox1, fields);
  ASSERT_EQ(after.size(), before.size());
  int differ = 0;
  for (size_t i = 0; i < after.size(); ++i) differ += after[i] != before[i];
  EXPECT_EQ(differ, 0) << "the add panel is not painted as before";
  Screenshot(Form7->Handle(), "Form7_add_panel_again.bmp");
}

TEST_F(StationLists, DoubleClicksPlayTheStationThroughTheMainWindow) {
  OpenLists();
  TListBox* main = Form7->slistbox1;
  DoubleClick(main->Handle(), LinePoint(main, 1).x, LinePoint(main, 1).y);
  EXPECT_TRUE(WaitFor([] { return CurrentStream != 0; }, 10000));
  EXPECT_EQ(Form1->Label14->Caption(), "2 JAZZ B");
  EXPECT_EQ(PlayingList, 1);
  EXPECT_EQ(PlayingIndex, 1);
  ShowOwnList();
  Sleep(600);
  DoubleClick(Form7->listbox2->Handle(), LinePoint(Form7->listbox2, 0).x,
              LinePoint(Form7->listbox2, 0).y);
  EXPECT_TRUE(WaitFor([] { return PlayingList == 2 && CurrentStream != 0; }, 10000));
  EXPECT_EQ(Form1->Label14->Caption(), "1 Моя станция");
  Screenshot(Form1->Handle(), "Form1_playing.bmp");
}

TEST_F(StationLists, SearchFindsAndPlaysAndIgnoresLinesWithoutAStation) {
  OpenLists();
  RightClickLine(Form7->slistbox1, 0, 5); // "Поиск радио в списке"
  ASSERT_TRUE(IsWindowVisible(Form6->Handle()));
  EXPECT_EQ(WindowText(Form6->Handle()), L"Поиск");
  Activate(Form6->Handle());
  ClickCentre(Form6->Edit1->Handle());
  Type(L"jazz");
  ClickCentre(Form6->sButton1->Handle());
  ASSERT_EQ(Form6->ListBox1->Count(), 2);
  EXPECT_EQ(Line(Form6->ListBox1, 0), L"1 Jazz A");
  EXPECT_EQ(Line(Form6->ListBox1, 1), L"2 JAZZ B");
  Screenshot(Form6->Handle(), "Form6_search.bmp");

  // Nothing found: the message, no results.
  BoxRecorder& boxes = boxes_;
  Retype(Form6->Edit1, L"блюз");
  ClickCentre(Form6->sButton1->Handle());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Данных по вашему запросу не найдены");
  EXPECT_EQ(Form6->ListBox1->Count(), 0);

  // Result lines whose number names no station do nothing.
  for (const char* bad : {"Без номера", "0 Ноль", "3 Лишняя"}) {
    Form6->ListBox1->Clear();
    Form6->ListBox1->Items()->Add(bad);
    Form7->slistbox1->SetItemIndex(-1);
    DoubleClick(Form6->ListBox1->Handle(), 30, 5);
    EXPECT_EQ(Form7->slistbox1->ItemIndex(), -1) << bad;
    Sleep(600);
  }

  // A result plays station n of the main list.
  Retype(Form6->Edit1, L"2");
  ClickCentre(Form6->sButton1->Handle());
  ASSERT_EQ(Form6->ListBox1->Count(), 1);
  DoubleClick(Form6->ListBox1->Handle(), LinePoint(Form6->ListBox1, 0).x,
              LinePoint(Form6->ListBox1, 0).y);
  EXPECT_EQ(Form7->slistbox1->ItemIndex(), 1);
  EXPECT_TRUE(WaitFor([] { return CurrentStream != 0 && PlayingIndex == 1; }, 10000));
  EXPECT_EQ(Form1->Label14->Caption(), "2 JAZZ B");
  ClickCentre(Form6->sButton2->Handle());
  EXPECT_FALSE(IsWindowVisible(Form6->Handle()));
}

TEST_F(StationLists, FilesThatFailOrHoldBrokenEntriesLoseNothing) {
  FreeWindows();
  BoxRecorder& boxes = boxes_;
  boxes.texts.clear();
  // An entry without address is skipped, one without name shows its
  // address: hidden and visible lists stay in step.
  folder_.Put("k1.ini", "a1\r\nOne\r\n\r\n\r\nNo address\r\n\r\na3\r\n\r\n\r\n");
  // A missing main list is reported, and the own list is still read.
  folder_.Remove("favoritkanel.ini");
  MakeWindows();
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("favoritkanel.ini"), std::string::npos) << boxes.texts[0];
  ASSERT_EQ(Form7->slistbox1->Count(), 2);
  ASSERT_EQ(Form7->ListView1->Items()->Count(), 2);
  EXPECT_EQ(Form7->slistbox1->Items()->Strings(1), "2 a3");
  EXPECT_EQ(Form7->AddressAt(1, 1), "a3");
  FreeWindows();

  boxes.texts.clear();
  folder_.Remove("k1.ini");
  folder_.Put("favoritkanel.ini", "b1\r\nMine\r\n\r\n");
  MakeWindows();
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("k1.ini"), std::string::npos) << boxes.texts[0];
  EXPECT_EQ(Form7->listbox2->Count(), 1);
  // Closing writes both lists: the own list survives the missing main list.
  OpenLists();
  AltF4();
  EXPECT_FALSE(IsWindowVisible(Form7->Handle()));
  EXPECT_EQ(folder_.Read("favoritkanel.ini"), "b1\r\nMine\r\n\r\n");
  EXPECT_EQ(folder_.Read("k1.ini"), "");

  // A list that can't be replaced: the change is reported, the file stays.
  boxes.texts.clear();
  folder_.SetReadOnly("favoritkanel.ini", true);
  OpenLists();
  ShowOwnList();
  RightClickLine(Form7->listbox2, 0, 1);
  EXPECT_EQ(Form7->listbox2->Count(), 0);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("favoritkanel.ini"), std::string::npos) << boxes.texts[0];
  folder_.SetReadOnly("favoritkanel.ini", false);
  EXPECT_EQ(folder_.Read("favoritkanel.ini"), "b1\r\nMine\r\n\r\n");
}

} // namespace
