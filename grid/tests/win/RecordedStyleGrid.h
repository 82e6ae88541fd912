// A grid window dressed as the player's list of recorded files: white, silver
// lines on the rows only, Office 2007 headers, whole-row selection in sky
// blue (white when the grid has no focus), three centred text columns
// "№" (grey bold), "Композиция" (black) and "Размер" (blue bold), and the
// colours of its texts chosen per row: the last row's size red, the others'
// blue, names teal when they begin with a Latin letter, else grey. Used by
// the window tests and the paint benchmark.
#pragma once

#include "classlib/WinApi.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "classlib/Cp1251.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgGridWin.h"

namespace recorded_style {

constexpr TColor kSkyBlue = 0xF0CAA6, kSilver = 0xC0C0C0, kGrey = 0x808080, kBlue = 0xFF0000,
                 kRed = 0x0000FF, kTeal = 0x808000;

inline TDgTextColumn* AddColumn(TDataGrid* g, const char16_t* caption, int width, TColor colour,
                                bool bold) {
  auto* col = new TDgTextColumn(nullptr);
  g->Columns()->Add(col);
  col->SetWidth(width);
  col->SetAlignment(taCenter);
  col->Header()->SetCaption(caption);
  col->Header()->SetAlignment(taCenter);
  col->SetSortType(stAlphabetic);
  col->SetParentFont(false);
  TDgFont f;
  f.SetName("Tahoma");
  f.SetHeight(-11);
  f.SetColor(colour);
  if (bold) f.SetStyle(TFontStyles{fsBold});
  col->SetFont(&f);
  return col;
}

// The look and the text colours.
inline void Dress(TDataGridWindow* w) {
  TDataGrid* g = w->Grid();
  TDgFont font;
  font.SetName("Tahoma");
  font.SetHeight(-11);
  g->SetFont(&font);
  g->SetColor(clWhite);
  g->SetGridLinesColor(kSilver);
  g->SetGridLinesStyle(lsActiveRows);
  g->SetHeaderStyle(hsOffice2007);
  g->SetOptions(TGridOptions{goGrid, goHeader, goSelectFullRow});
  g->SetReadOnly(true);
  w->MouseWheelEnabled = false;
  g->SetSelectionColor(kSkyBlue);
  g->SetInactiveSelectionColor(clWhite);
  AddColumn(g, u"№", 50, kGrey, true);
  AddColumn(g, u"Композиция", 200, clBlack, false);
  AddColumn(g, u"Размер", 100, kBlue, true);
  g->OnCellFormating = [g](TObject*, int ACol, int ARow, TColor& Text, TFontStyles&, TCellState) {
    const int last = g->RowCount() - 1;
    if (ACol == 2) Text = ARow == last ? kRed : kBlue;
    if (ARow == last || g->RowCount() < 2) return;
    if (ACol == 1) {
      const std::string name = Utf16ToCp1251(g->Cells(1, ARow));
      Text = !name.empty() && static_cast<unsigned char>(name[0]) <= 'z' ? kTeal : kGrey;
    } else if (ACol == 0) {
      Text = kGrey;
    }
  };
}

// Rows "1".."N", names in turn Latin and Cyrillic, sizes in megabytes.
inline void Fill(TDataGrid* g, int Rows) {
  g->BeginUpdate();
  g->AddRowsQuiet(Rows);
  for (int r = 0; r < Rows; ++r) {
    char size[32];
    std::snprintf(size, sizeof size, "%.2f mb", (r % 97) * 0.37 + 1);
    const std::string n = std::to_string(r + 1);
    g->Cell(0, r)->SetAsString(Cp1251ToUtf16(n));
    g->Cell(1, r)->SetAsString(r % 2 ? u"Песня " + Cp1251ToUtf16(n) + u".mp3"
                                     : u"Track " + Cp1251ToUtf16(n) + u".mp3");
    g->Cell(2, r)->SetAsString(Cp1251ToUtf16(size));
  }
  g->EndUpdate();
}

// The same three columns on a stock report-style list view, the peer of
// the benchmarks.
inline void AddListViewColumns(HWND ListView) {
  const wchar_t* names[3] = {L"№", L"Композиция", L"Размер"};
  const int widths[3] = {50, 200, 100};
  for (int c = 0; c < 3; ++c) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = LVCFMT_CENTER;
    col.cx = widths[c];
    col.pszText = const_cast<wchar_t*>(names[c]);
    SendMessageW(ListView, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
  }
}

} // namespace recorded_style
