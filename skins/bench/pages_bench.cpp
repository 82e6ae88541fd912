// The station-list window's layout painted on the skinned page control and
// labels against the same layout on the stock TPageControl and TLabel,
// measured in the same run under Wine (not a test: run it by hand):
//   200 full repaints of the window (add panel shown)  vs  the stock layout
// The figure is the best of several rounds; the ratio is what matters.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skins/sCustomLabel.h"
#include "skins/sPageControl.h"

namespace {

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// The add panel of the main page: two labels, two edits, two buttons.
template <class Label>
void AddPanel(TForm* f, TWinControl* page) {
  auto* box = new TGroupBox(f);
  box->SetParent(page);
  box->SetHeight(150);
  box->SetAlign(alBottom);
  box->SetCaption("Добавить канал радио");
  const char* texts[] = {"Название канала-(можно свое название)", "Полный адрес канала радио"};
  for (int i = 0; i < 2; ++i) {
    auto* l = new Label(f);
    l->SetParent(box);
    l->SetLeft(12);
    l->SetTop(20 + 44 * i);
    l->SetCaption(texts[i]);
    auto* e = new TEdit(f);
    e->SetParent(box);
    e->SetBounds(12, 36 + 44 * i, 340, 21);
    auto* b = new TButton(f);
    b->SetParent(box);
    b->SetBounds(12 + 240 * i, 112, 100, 27);
    b->SetCaption(i ? "Выход" : "Добавить");
  }
  auto* list = new TListBox(f);
  list->SetParent(page);
  list->SetAlign(alClient);
}

TForm* Skinned() {
  auto* f = New<TForm>(Application);
  f->SetBounds(0, 0, 379, 541);
  auto* pc = new skins::TsPageControl(f);
  pc->SetParent(f);
  pc->SetAlign(alClient);
  auto* s1 = new skins::TsTabSheet(f);
  s1->SetPageControl(pc);
  s1->SetCaption("Основные каналы");
  auto* s2 = new skins::TsTabSheet(f);
  s2->SetPageControl(pc);
  s2->SetCaption("Мои каналы");
  AddPanel<skins::TsLabel>(f, s1);
  pc->SetActivePage(s1);
  return f;
}

TForm* Stock() {
  auto* f = New<TForm>(Application);
  f->SetBounds(0, 0, 379, 541);
  auto* pc = new TPageControl(f);
  pc->SetParent(f);
  pc->SetAlign(alClient);
  auto* s1 = new TTabSheet(f);
  s1->SetPageControl(pc);
  s1->SetCaption("Основные каналы");
  auto* s2 = new TTabSheet(f);
  s2->SetPageControl(pc);
  s2->SetCaption("Мои каналы");
  AddPanel<TLabel>(f, s1);
  pc->SetActivePage(s1);
  return f;
}

double Repaints(TForm* f, int n) {
  f->Show();
  Pump();
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i)
      RedrawWindow(f->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  f->Hide();
  return best;
}

} // namespace

int main() {
  Application->Initialize();
  TForm* skinned = Skinned();
  TForm* stock = Stock();
  const double s = Repaints(skinned, 200), p = Repaints(stock, 200);
  std::printf("200 repaints, station-list layout: skinned %8.1f ms   stock %8.1f ms   ratio %5.2f\n",
              s, p, s / p);
  skinned->Free();
  stock->Free();
  return 0;
}
