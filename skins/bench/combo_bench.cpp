// Benchmark (Windows, run under Wine by hand): whole paints (invalidated,
// painted at once, flushed) of a 121 x 21 TsComboBox laid out as the
// recording-settings dialog's bitrate list against a stock TComboBox of the
// same size and items, in one run, printed as a ratio. The two are measured
// in alternating blocks so that a busy machine weighs on both alike.
// Usage: skins_combo_bench [rounds=1000]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skins/sCustomComboBox.h"

namespace {

template <class F>
double Seconds(int rounds, F f) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void PaintNow(TWinControl* c) {
  c->Invalidate();
  UpdateWindow(c->Handle());
  GdiFlush();
}

void Bitrates(TComboBox* c) {
  c->SetStyle(csDropDownList);
  for (const char* b : {"96", "128", "192", "224", "256", "320"}) c->Items()->Add(b);
  c->SetItemIndex(3);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  Application->Initialize();
  TForm* form = new TForm(Application);
  form->SetBounds(20, 20, 300, 120);
  auto* stock = new TComboBox(form);
  stock->SetParent(form);
  stock->SetBounds(16, 16, 121, 21);
  Bitrates(stock);
  auto* combo = new skins::TsComboBox(form);
  combo->SetParent(form);
  combo->SetBounds(16, 56, 121, 21);
  Bitrates(combo);
  form->Show();
  Application->ProcessMessages();
  PaintNow(stock);
  PaintNow(combo);

  constexpr int kBlocks = 10;
  const int per_block = std::max(1, rounds / kBlocks);
  double t_stock = 0, t_combo = 0;
  const int painted_before = combo->PaintCount();
  for (int b = 0; b < kBlocks; ++b) {
    t_stock += Seconds(per_block, [&] { PaintNow(stock); });
    t_combo += Seconds(per_block, [&] { PaintNow(combo); });
  }
  const int n = per_block * kBlocks;
  const int painted = combo->PaintCount() - painted_before;
  std::printf("combo box, %d paints each: skinned %.3f ms, stock %.3f ms per paint, ratio %.2f "
              "(skinned paints made: %d)\n",
              n, 1000 * t_combo / n, 1000 * t_stock / n, t_stock > 0 ? t_combo / t_stock : 0.0,
              painted);
  form->Free();
  return painted == n ? 0 : 1;
}
