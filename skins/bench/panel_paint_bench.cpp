// Benchmark (Windows, run under Wine by hand): a 249 x 73 TsPanel with the
// grey five-band gradient and a caption, repainted whole (image out of date,
// window invalidated, painted at once and flushed), against a stock TPanel
// of the same size and caption, both in one run, printed as a ratio.
// Usage: skins_panel_paint_bench [rounds=1000]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "skins/sPanel.h"

namespace {

template <class F>
double Seconds(int rounds, F f) {
  f();
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void PaintNow(TWinControl* c) {
  c->Invalidate();
  UpdateWindow(c->Handle());
  GdiFlush();
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  Application->Initialize();
  TForm* form = new TForm(Application);
  form->SetBounds(20, 20, 560, 160);
  auto* stock = new TPanel(form);
  stock->SetParent(form);
  stock->SetBounds(10, 10, 249, 73);
  stock->SetCaption("Запись");
  auto* skinned = new skins::TsPanel(form);
  skinned->SetParent(form);
  skinned->SetBounds(280, 10, 249, 73);
  skinned->SetCaption("Запись");
  skinned->sStyle()->Background()->Gradient()->SetData(
      "8421504;16777215;10;0;0;16777215;12632256;24;0;0;12632256;16777215;45;0;0;"
      "16777215;8421504;20;0;0;8421504;8421504;0;0;0");
  skinned->sStyle()->Background()->Gradient()->SetPercent(100);
  form->Show();
  Application->ProcessMessages();
  const double s = Seconds(rounds, [&] { PaintNow(skinned); });
  const double p = Seconds(rounds, [&] { PaintNow(stock); });
  std::printf("249 x 73, %d paints each\n", rounds);
  std::printf("TsPanel: %8.1f us a paint\n", s / rounds * 1e6);
  std::printf("TPanel:  %8.1f us a paint\n", p / rounds * 1e6);
  std::printf("TsPanel / TPanel = %.2f (expected within 5)\n", s / p);
  form->Free();
  return 0;
}
