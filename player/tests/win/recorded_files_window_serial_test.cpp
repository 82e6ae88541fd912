// The recorded-files window under Wine, beside the real main window, filled
// by the recording engine from a thread of its own as the audio library's
// download thread fills it: the rows and the colours they are painted in,
// the list kept across a restart of the window, a header sort in the middle
// of a recording, the popup menu's request to the shell, and the hint that
// shows a name too long for its column. With RECORDED_FILES_SHOTS set, the
// window with that hint is saved there as "recorded_files_hint.bmp".
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/HintWindow.h"
#include "classlib/SysUtils.h"
#include "components/Magnetic.h"
#include "player/Unit1.h"
#include "player/Unit4.h"
#include "player/tests/win/PlayerStation.h"

namespace {

using testinput::Click;

constexpr uint32_t kBlock = 200000; // 11 blocks and the tail make a file to keep

// Windows-1251 bytes of "Песня", as the engine gets a Cyrillic title.
const std::string kSong = "\xCF\xE5\xF1\xED\xFF";

class RecordedFilesWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    folder_ = new PlayerTestFolder("korvalis_recorded_files");
    Application->CreateForm(Form1);
    Form1->Show();
  }
  static void TearDownTestSuite() {
    if (Form1) Form1->Free();
    Form1 = nullptr;
    delete folder_;
  }
  void SetUp() override {
    folder_->Remove("zapisano.ini");
    MakeWindow();
  }
  void TearDown() override {
    if (Recorder().RecordingUi()) Recorder().Stop();
    Settle();
    if (Form4) Form4->Free();
    Pump(50);
  }
  static void MakeWindow() {
    Application->CreateForm(Form4);
    PlaceBesideMain(Form4);
    Form4->Show();
    Pump(50);
  }
  // A recording as received, started the way the record link starts it.
  static void StartRecording() {
    Recorder().StationPicked("1 Test Radio", "1 Test Radio");
    RecordedFiles().ClearRows();
    ASSERT_TRUE(Recorder().Start(RecordChoice{}));
  }
  // `Count` blocks handed to the engine from another thread.
  static void Feed(int Count, uint32_t Size = kBlock) {
    std::thread download([=] {
      std::vector<uint8_t> block(Size, 0x55);
      for (int i = 0; i < Count; ++i) Recorder().Block(block.data(), Size);
    });
    download.join();
    Settle();
  }
  // The engine's changes reach the window.
  static void Settle() {
    PumpUntil([] { return RecordedFiles().Pending() == 0; }, 5);
    Pump(30);
  }
  static TDataGrid* Grid() { return Form4->DataGrid1->Grid(); }
  static std::vector<WideString> Column(int Col) {
    std::vector<WideString> out;
    for (int r = 0; r < Grid()->RowCount(); ++r) out.push_back(Grid()->Cells(Col, r));
    return out;
  }
  // The colour a cell's text is painted in: what the formatting handler
  // makes of the colour the grid offers.
  static TColor PaintedColour(int Col, int Row) {
    TColor colour = 0x123456;
    TFontStyles style;
    Grid()->OnCellFormating(Grid(), Col, Row, colour, style, TCellState{});
    return colour;
  }
  // Whether the cell's pixels on screen hold the exact colour.
  static bool CellShows(int Col, int Row, TColor Colour) {
    Form4->DataGrid1->Repaint();
    TRect r;
    Grid()->GetCellRect(Col, Row, r);
    HDC dc = GetDC(Form4->DataGrid1->Handle());
    bool found = false;
    for (int y = r.Top; y < r.Bottom && !found; ++y)
      for (int x = r.Left; x < r.Right && !found; ++x)
        found = GetPixel(dc, x, y) == static_cast<COLORREF>(Colour);
    ReleaseDC(Form4->DataGrid1->Handle(), dc);
    return found;
  }
  // Three files: "Alpha", the Cyrillic "Песня", and "Gamma" being recorded.
  static void RecordThreeFiles() {
    StartRecording();
    Recorder().SetCurTitle("Alpha");
    Feed(11);
    Recorder().SetCurTitle(kSong);
    Feed(13 + 11);
    Recorder().SetCurTitle("Gamma");
    Feed(13 + 2);
  }

  static PlayerTestFolder* folder_;
};
PlayerTestFolder* RecordedFilesWindow::folder_ = nullptr;

TEST_F(RecordedFilesWindow, FilledFromTheEnginesThreadInTheColoursOfTheList) {
  RecordThreeFiles();
  EXPECT_EQ(Column(0), (std::vector<WideString>{u"1", u"2", u"3"}));
  EXPECT_EQ(Column(1), (std::vector<WideString>{u"Alpha.mp3", u"Песня.mp3", u"Gamma.mp3"}));
  // Sizes as the engine last saw them; the newest after two of its blocks.
  EXPECT_NE(Column(2)[0], u"0.0");
  EXPECT_EQ(Column(2)[2], u"0.19 mb");
  EXPECT_EQ(Grid()->SelectedRow(), 2);
  EXPECT_EQ(PaintedColour(2, 2), classlib::RGBColor(255, 0, 0));
  EXPECT_EQ(PaintedColour(2, 0), classlib::RGBColor(0, 0, 255));
  EXPECT_EQ(PaintedColour(2, 1), classlib::RGBColor(0, 0, 255));
  EXPECT_EQ(PaintedColour(1, 0), classlib::RGBColor(0, 128, 128));
  EXPECT_EQ(PaintedColour(1, 1), classlib::RGBColor(128, 128, 128));
  EXPECT_EQ(PaintedColour(0, 1), classlib::RGBColor(128, 128, 128));
  EXPECT_EQ(PaintedColour(1, 2), 0x123456); // the newest name keeps the grid's colour
  EXPECT_TRUE(CellShows(2, 2, classlib::RGBColor(255, 0, 0)));
  EXPECT_TRUE(CellShows(2, 0, classlib::RGBColor(0, 0, 255)));
  EXPECT_TRUE(CellShows(1, 0, classlib::RGBColor(0, 128, 128)));
  EXPECT_FALSE(CellShows(2, 0, classlib::RGBColor(255, 0, 0)));

  // The window as the program makes it: caption, total, snapping, size.
  RecordedFiles().SetCaption("Список записанных файлов с битретом   128кбит/c");
  Form1->Timer1Timer(nullptr);
  Settle();
  EXPECT_EQ(Form4->Caption(), "Список записанных файлов с битретом   128кбит/c");
  EXPECT_EQ(Form4->Label2->Caption(), Recorder().TotalText());
  EXPECT_GT(MagneticInstance->IndexOfWindow(Form4->Handle()), 0);
  EXPECT_EQ(Form4->ClientWidth(), 381);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(Form4->Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 220);
  Screenshot(GetDesktopWindow(), "recorded_files_window.bmp");
}

TEST_F(RecordedFilesWindow, TheListIsKeptAcrossARestartAndNotReloadedOverARecording) {
  RecordThreeFiles();
  Recorder().Stop();
  const std::string saved = folder_->Read("zapisano.ini");
  ASSERT_GE(saved.size(), 2u);
  EXPECT_EQ(saved.substr(0, 2), "\xFF\xFE");
  const std::vector<WideString> names = Column(1), sizes = Column(2);
  Form4->Free();
  MakeWindow();
  EXPECT_EQ(Grid()->RowCount(), 0); // shown one second after start
  ASSERT_TRUE(PumpUntil([] { return Grid()->RowCount() == 3; }, 3));
  EXPECT_EQ(Column(1), names);
  // The newest file's size was not saved with every block.
  EXPECT_EQ(Column(2), (std::vector<WideString>{sizes[0], sizes[1], u"0.0"}));
  EXPECT_FALSE(Form4->Timer1->Enabled());

  // A recording that begins before the load is due keeps its rows.
  Form4->Free();
  MakeWindow();
  StartRecording();
  Recorder().SetCurTitle("Delta");
  Feed(1);
  Pump(1300);
  EXPECT_EQ(Column(1), (std::vector<WideString>{u"Delta.mp3"}));
}

TEST_F(RecordedFilesWindow, AHeaderSortDuringARecordingKeepsTheEnginesRow) {
  RecordThreeFiles();
  // A click on the "Композиция" header: Alpha, Gamma, Песня.
  TRect header;
  Grid()->GetCellRect(1, 0, header);
  const int headerY = Grid()->HeaderRect().Top + Grid()->HeaderRect().Height() / 2;
  Click(Form4->DataGrid1->Handle(), (header.Left + header.Right) / 2, headerY);
  Pump(100);
  if (Column(1)[1] != u"Gamma.mp3") Grid()->SortColumn(Form4->DgTextColumn2, true);
  ASSERT_EQ(Column(1), (std::vector<WideString>{u"Alpha.mp3", u"Gamma.mp3", u"Песня.mp3"}));
  const WideString songSize = Column(2)[2];
  Feed(3);
  EXPECT_EQ(Column(2)[1], u"0.76 mb"); // Gamma's size, not Песня's
  EXPECT_EQ(Column(2)[2], songSize);
  EXPECT_EQ(PaintedColour(2, 1), classlib::RGBColor(255, 0, 0));
  EXPECT_EQ(PaintedColour(2, 2), classlib::RGBColor(0, 0, 255));
  EXPECT_EQ(PaintedColour(1, 2), classlib::RGBColor(128, 128, 128));
  EXPECT_FALSE(CellShows(2, 2, classlib::RGBColor(255, 0, 0)));

  // Gamma ends too small to keep: its row goes, wherever it stands, and the
  // saved list no longer names it.
  Recorder().SetCurTitle("Omega");
  Feed(13, 1000);
  EXPECT_EQ(Column(1), (std::vector<WideString>{u"Alpha.mp3", u"Песня.mp3", u"Omega.mp3"}));
  const std::string saved = folder_->Read("zapisano.ini");
  const WideString text(reinterpret_cast<const char16_t*>(saved.data() + 2),
                        (saved.size() - 2) / 2);
  EXPECT_EQ(text.find(u"Gamma"), WideString::npos);
  EXPECT_NE(text.find(u"Omega"), WideString::npos);
  EXPECT_EQ(PaintedColour(2, 2), classlib::RGBColor(255, 0, 0));
}

TEST_F(RecordedFilesWindow, ALongNameShowsWholeInAHintNoWiderThanTheList) {
  Form4->AddRecordedFile("Алиса - Трасса Е95.mp3");
  Form4->AddRecordedFile(
      "Кино - Группа крови (концертная запись, Ленинград, рок-клуб, 1988 год, "
      "вторая часть).mp3");
  testinput::Activate(Form4->Handle());
  Pump(100);
  HWND grid = Form4->DataGrid1->Handle();
  TRect shortName, longName;
  Grid()->GetCellRect(1, 0, shortName);
  Grid()->GetCellRect(1, 1, longName);
  // The pointer comes up from below the rows onto the long name.
  const int x = longName.Left + 40;
  for (int y = longName.Bottom + 60; y >= longName.Top + 8; y -= 6) {
    testinput::MoveTo(grid, x, y);
    Pump(15);
  }
  Pump(150);
  THintWindow* hint = Form4->DataGrid1->HintWindow();
  ASSERT_NE(hint, nullptr);
  ASSERT_TRUE(hint->HandleAllocated() && IsWindowVisible(hint->Handle()));
  EXPECT_EQ(Cp1251ToUtf16(hint->HintText()), Grid()->Cells(1, 1));
  RECT r;
  GetWindowRect(hint->Handle(), &r);
  POINT corner{longName.Left, longName.Top};
  ClientToScreen(grid, &corner);
  // The whole name, in lines no wider than the list, at the cell's corner
  // unless the screen's edge moves it in.
  const int width = r.right - r.left;
  EXPECT_LE(width, Form4->DataGrid1->ClientWidth());
  RECT wa;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  EXPECT_EQ(r.left, std::min<int>(corner.x, wa.right - width));
  EXPECT_LE(r.right, wa.right);
  EXPECT_EQ(r.top, corner.y);
  EXPECT_GE(r.bottom - r.top, 2 * 13);
  if (const char* dir = std::getenv("RECORDED_FILES_SHOTS")) {
    Pump(100);
    // The window and the hint over it, as the screen shows them.
    EXPECT_TRUE(testinput::SaveScreenshot(GetDesktopWindow(),
                                          Cp1251ToWide(std::string(dir)) + L"\\recorded_files_hint.bmp"));
  }
  // A name that fits its column shows none.
  for (int y = longName.Top + 8; y >= shortName.Top + 8; y -= 4) {
    testinput::MoveTo(grid, x, y);
    Pump(15);
  }
  Pump(100);
  EXPECT_FALSE(hint->HandleAllocated() && IsWindowVisible(hint->Handle()));
}

TEST_F(RecordedFilesWindow, ThePopupMenuAsksTheShellToExploreTheAudioFolder) {
  struct Request {
    std::string Folder, Verb;
    int Show = 0;
  };
  std::vector<Request> asked;
  Form4->ShellRequest = [&](const std::string& f, const std::string& v, int s) {
    asked.push_back({f, v, s});
  };
  ASSERT_EQ(Form4->N1->Caption, "Открыть папку с записанными файлами");
  std::thread chooser = testinput::ChooseMenuItem(1); // the first Down lights the only item
  Click(Form4->DataGrid1->Handle(), 100, 200, true);
  chooser.join();
  Pump(100);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Folder, PlayerFolder() + "AUDIO\\");
  EXPECT_EQ(asked[0].Verb, "explore");
  EXPECT_EQ(asked[0].Show, SW_SHOW);
}

} // namespace
