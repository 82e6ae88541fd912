// Cost of painting one screen of the grid window (not a test: run it by hand
// under Wine). A 381 x 543 grid dressed as the recorded-files list holds 100
// and then 100000 rows; the stock report-style list view of the platform,
// of the same size with the same three columns and rows, paints the same
// visible rows in the same run. Each paints its whole client area in
// batches (invalidate + update); the best batch counts. Prints the ratios.
#include "classlib/WinApi.h"
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "classlib/Forms.h"
#include "grid/tests/win/RecordedStyleGrid.h"

namespace {

constexpr int kW = 381, kH = 543, kRuns = 40, kBatches = 8;

double Ms(std::chrono::steady_clock::time_point a) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count();
}

void Drain() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// The best of several batches: the machine is shared, the least disturbed
// batch tells the cost.
double PaintRuns(HWND h) {
  Drain();
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  double best = 1e300;
  for (int b = 0; b < kBatches; ++b) {
    const auto t = std::chrono::steady_clock::now();
    for (int i = 0; i < kRuns; ++i)
      RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    best = std::min(best, Ms(t) / kRuns);
  }
  return best;
}

double GridScreen(int Rows) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  form->SetBorderStyle(bsSingle);
  form->SetBounds(100, 100, 420, 600);
  form->SetClientSize(kW, kH);
  auto* w = new TDataGridWindow(form.get());
  w->SetParent(form.get());
  w->SetAlign(alClient);
  recorded_style::Dress(w);
  recorded_style::Fill(w->Grid(), Rows);
  // Somewhere in the middle, a row selected.
  w->Grid()->ScrollToRow(Rows / 2);
  w->Grid()->SetSelectedRow(Rows / 2);
  form->Show();
  return PaintRuns(w->Handle());
}

double ListScreen(int Rows) {
  HWND top = CreateWindowExW(0, L"STATIC", L"list", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100,
                             100, kW + 20, kH + 40, nullptr, nullptr, nullptr, nullptr);
  HWND lv = CreateWindowExW(WS_EX_STATICEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, kW, kH,
                            top, nullptr, nullptr, nullptr);
  SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  HFONT font =
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  SendMessageW(lv, WM_SETFONT, WPARAM(font), TRUE);
  recorded_style::AddListViewColumns(lv);
  SendMessageW(lv, LVM_SETITEMCOUNT, Rows, 0);
  SendMessageW(lv, WM_SETREDRAW, FALSE, 0);
  for (int r = 0; r < Rows; ++r) {
    std::wstring n = std::to_wstring(r + 1);
    std::wstring name = (r % 2 ? L"Песня " : L"Track ") + n + L".mp3";
    wchar_t size[32];
    swprintf(size, 32, L"%.2f mb", (r % 97) * 0.37 + 1);
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.iItem = r;
    it.pszText = const_cast<wchar_t*>(n.c_str());
    SendMessageW(lv, LVM_INSERTITEMW, 0, LPARAM(&it));
    it.iSubItem = 1;
    it.pszText = const_cast<wchar_t*>(name.c_str());
    SendMessageW(lv, LVM_SETITEMTEXTW, r, LPARAM(&it));
    it.iSubItem = 2;
    it.pszText = size;
    SendMessageW(lv, LVM_SETITEMTEXTW, r, LPARAM(&it));
  }
  SendMessageW(lv, WM_SETREDRAW, TRUE, 0);
  SendMessageW(lv, LVM_ENSUREVISIBLE, Rows / 2, FALSE);
  LVITEMW sel{};
  sel.stateMask = sel.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(lv, LVM_SETITEMSTATE, Rows / 2, LPARAM(&sel));
  const double ms = PaintRuns(lv);
  DestroyWindow(top);
  DeleteObject(font);
  return ms;
}

} // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  const double grid100 = GridScreen(100), list100 = ListScreen(100);
  const double grid100k = GridScreen(100000), list100k = ListScreen(100000);
  std::printf("one screen, 100 rows:    grid %.3f ms, list view %.3f ms, grid/list %.2f\n", grid100,
              list100, grid100 / list100);
  std::printf("one screen, 100000 rows: grid %.3f ms, list view %.3f ms, grid/list %.2f\n",
              grid100k, list100k, grid100k / list100k);
  std::printf("grid 100000 / 100 rows: %.2f; list view 100000 / 100 rows: %.2f\n",
              grid100k / grid100, list100k / list100);
  return 0;
}
