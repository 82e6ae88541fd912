// The grid in a real window, dressed as the player's list of recorded files,
// with real input: 1000 rows scrolled by clicks on the bar, a row selected
// by a click, the pixels of the selection, the grid lines and the texts the
// row colouring turns red and blue, a resize, and a save to and a load from
// a folder whose name holds blanks and Cyrillic letters. With GRID_SCREENSHOT
// set to a folder, the window is saved there as bitmaps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/tests/controls_test_input.h"
#include "grid/tests/win/RecordedStyleGrid.h"

using namespace testinput;
using namespace recorded_style;

namespace {

constexpr int kClientW = 381, kClientH = 543;

struct RecordedWindow {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TDataGridWindow* grid = nullptr;

  explicit RecordedWindow(int Rows) {
    form->SetCaption("Список записанных файлов");
    form->SetBorderStyle(bsSingle);
    form->SetBounds(120, 80, 400, 600);
    form->SetClientSize(kClientW, kClientH);
    grid = new TDataGridWindow(form.get());
    grid->SetParent(form.get());
    grid->SetAlign(alClient);
    Dress(grid);
    Fill(grid->Grid(), Rows);
    form->Show();
    Activate(form->Handle());
    grid->SetFocus();
    Pump(200);
  }
  TDataGrid* g() { return grid->Grid(); }
  HWND h() { return grid->Handle(); }
  TColor Pixel(int x, int y) {
    HDC dc = GetDC(h());
    const TColor c = TColor(GetPixel(dc, x, y));
    ReleaseDC(h(), dc);
    return c;
  }
  // How many pixels of a colour lie in a client rectangle.
  int Count(const TRect& r, TColor colour) {
    HDC dc = GetDC(h());
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (TColor(GetPixel(dc, x, y)) == colour) ++n;
    ReleaseDC(h(), dc);
    return n;
  }
  TRect Cell(int c, int r) {
    TRect rc;
    g()->GetCellRect(c, r, rc);
    return rc;
  }
  SCROLLBARINFO Bar() {
    SCROLLBARINFO i{};
    i.cbSize = sizeof i;
    GetScrollBarInfo(h(), OBJID_VSCROLL, &i);
    return i;
  }
  // A click at a screen point given through client coordinates.
  void ClickScreen(int sx, int sy) {
    POINT p{sx, sy};
    ScreenToClient(h(), &p);
    Click(h(), p.x, p.y);
    Pump(120);
  }
  void Shot(const char* name) {
    if (const char* dir = std::getenv("GRID_SCREENSHOT")) {
      std::string path = std::string(dir) + "\\" + name + ".bmp";
      SaveScreenshot(form->Handle(), std::wstring(path.begin(), path.end()));
    }
  }
};

} // namespace

TEST(DgGridWindow, ThousandRowsScrollByClicksOnTheBar) {
  RecordedWindow w(1000);
  ASSERT_EQ(w.g()->RowCount(), 1000);
  EXPECT_TRUE(w.grid->VertScrollBar().Visible());
  EXPECT_EQ(w.g()->TopRow(), 0);
  const SCROLLBARINFO bar = w.Bar();
  const int arrow = bar.dxyLineButton;
  // The down arrow: one row.
  w.ClickScreen(bar.rcScrollBar.left + 5, bar.rcScrollBar.bottom - arrow / 2);
  EXPECT_EQ(w.g()->TopRow(), 1);
  // Below the thumb: a page.
  const SCROLLBARINFO bar2 = w.Bar();
  w.ClickScreen(bar2.rcScrollBar.left + 5, bar2.rcScrollBar.top + bar2.xyThumbBottom + 20);
  const int page = w.g()->TopRow();
  EXPECT_GT(page, 20);
  // The up arrow: back by one.
  w.ClickScreen(bar.rcScrollBar.left + 5, bar.rcScrollBar.top + arrow / 2);
  EXPECT_EQ(w.g()->TopRow(), page - 1);
  // What shows at the top is the top row: its size text is blue.
  Pump(100);
  EXPECT_GT(w.Count(w.Cell(2, w.g()->TopRow()), kBlue), 5);
  w.Shot("issue-20-scrolled");
}

TEST(DgGridWindow, SelectionLinesAndRowColoursInPixels) {
  RecordedWindow w(1000);
  // A click on the fourth row selects it, in sky blue across the row.
  const TRect row3 = w.Cell(1, 3);
  Click(w.h(), row3.Left + 5, row3.Top + 3);
  Pump(150);
  EXPECT_EQ(w.g()->SelectedRow(), 3);
  for (int c = 0; c < 3; ++c) {
    const TRect r = w.Cell(c, 3);
    EXPECT_EQ(w.Pixel(r.Left + 3, r.Top + 2), kSkyBlue) << c;
  }
  EXPECT_EQ(w.Pixel(row3.Left + 3, w.Cell(1, 5).Top + 2), clWhite);
  // Silver lines below each row and right of each column.
  const TRect r5 = w.Cell(0, 5);
  EXPECT_EQ(w.Pixel(r5.Left + 10, r5.Bottom), kSilver);
  EXPECT_EQ(w.Pixel(r5.Right - 1, r5.Top + 3), kSilver);
  // Texts: sizes blue above the last row, names teal (Latin) or grey
  // (Cyrillic), numbers grey; none of them black.
  EXPECT_GT(w.Count(w.Cell(2, 5), kBlue), 5);
  EXPECT_EQ(w.Count(w.Cell(2, 5), kRed), 0);
  EXPECT_GT(w.Count(w.Cell(1, 4), kTeal), 5); // "Track 5.mp3"
  EXPECT_GT(w.Count(w.Cell(1, 5), kGrey), 5); // "Песня 6.mp3"
  EXPECT_GT(w.Count(w.Cell(0, 5), kGrey), 3);
  // The selected row's texts stay readable: the colouring gives them too.
  EXPECT_GT(w.Count(w.Cell(2, 3), kBlue), 5);
  w.Shot("issue-20-grid");

  // The last row's size is red: go there with the bar's end.
  w.grid->VertScrollBar().Last();
  Pump(150);
  const int last = w.g()->RowCount() - 1;
  ASSERT_GE(last, w.g()->TopRow());
  EXPECT_GT(w.Count(w.Cell(2, last), kRed), 5);
  EXPECT_EQ(w.Count(w.Cell(2, last), kBlue), 0);
  EXPECT_GT(w.Count(w.Cell(2, last - 1), kBlue), 5);

  // Without the focus the selection is white (the inactive colour).
  w.g()->SetSelectedRow(last - 1);
  SetFocus(nullptr);
  Pump(150);
  const TRect sel = w.Cell(1, last - 1);
  EXPECT_EQ(w.Pixel(sel.Left + 3, sel.Top + 2), clWhite);
}

TEST(DgGridWindow, ResizedItShowsMoreRows) {
  RecordedWindow w(1000);
  const int page = w.grid->VertScrollBar().PageSize();
  w.form->SetClientSize(kClientW + 100, kClientH + 160);
  Pump(200);
  EXPECT_GT(w.grid->VertScrollBar().PageSize(), page + 5);
  // The strip right of the columns is the grid's white, the new rows drawn.
  EXPECT_EQ(w.Pixel(w.grid->ClientWidth() - 3, 100), clWhite);
  const int bottomRow = w.g()->TopRow() + w.grid->VertScrollBar().PageSize() - 2;
  EXPECT_GT(w.Count(w.Cell(2, bottomRow), kBlue), 5);
  w.Shot("issue-20-resized");
}

TEST(DgGridWindow, SavedToAndLoadedFromAFolderWithBlanksAndCyrillic) {
  RecordedWindow w(1000);
  const std::wstring base = std::wstring(_wgetenv(L"TEMP") ? _wgetenv(L"TEMP") : L".") +
                            L"\\Записанные файлы сетки " + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(base.c_str(), nullptr);
  const std::wstring file = base + L"\\zapisano список.ini";
  const WideString name(file.begin(), file.end());
  w.g()->Cell(1, 7)->SetAsString(u"Имя, с запятой и \"кавычками\"");
  w.g()->SaveToTextFile(name, u',', u'|', 1);
  w.g()->ClearRows();
  Pump(50);
  EXPECT_EQ(w.g()->RowCount(), 0);
  w.g()->LoadFromTextFile(name, u',', u'|');
  Pump(100);
  ASSERT_EQ(w.g()->RowCount(), 1000);
  EXPECT_EQ(w.g()->Cells(0, 999), u"1000");
  EXPECT_EQ(w.g()->Cells(1, 1), u"Песня 2.mp3");
  EXPECT_EQ(w.g()->Cells(1, 7), u"Имя, с запятой и \"кавычками\"");
  // And it paints what it loaded.
  EXPECT_GT(w.Count(w.Cell(2, 0), kBlue), 5);
  DeleteFileW(file.c_str());
  RemoveDirectoryW(base.c_str());
}
