// Benchmark (Windows, run under Wine by hand), all in one run, printed as
// ratios against their peers:
// - 1000 whole paints (invalidated, painted at once, flushed) of a 22 x 150
//   vertical TsTrackBar with the equaliser's settings against a stock
//   TTrackBar of the same size and settings, and of an 84 x 22 TsButton
//   against a stock TButton;
// - one fade step of each skinned control (a tick of its fade engine);
// - an equaliser-like window (a TsGroupBox with ten bars) left idle for 5 s
//   after it settled: the paint messages its windows got.
// Usage: skins_controls_bench [rounds=1000]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skins/sCustomButton.h"
#include "skins/sGroupBox.h"
#include "skins/sTrackBar.h"

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

const char kBar[] = "12632256;8421504;67;0;0;8421504;12632256;31;0;0;12632256;12632256;0;0;0";
const char kBarHot[] =
    "16777215;10127749;6;0;0;10127749;16777215;42;0;0;16777215;9798519;42;0;0;9798519;"
    "16777215;8;0;0;16777215;16777215;0;0;0";

void EqualiserBar(skins::TsTrackBar* b) {
  b->SetOrientation(trVertical);
  b->SetBounds(b->Left(), b->Top(), 22, 150);
  b->SetMax(30);
  b->SetPosition(15);
  b->SetThumbLength(15);
  b->sStyle()->Background()->Gradient()->SetData(kBar);
  b->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kBarHot);
}

std::set<HWND>* g_watched = nullptr;
int g_paints = 0;
LRESULT CALLBACK CountPaints(int code, WPARAM w, LPARAM l) {
  auto* m = reinterpret_cast<MSG*>(l);
  if (code == HC_ACTION && w == PM_REMOVE && m->message == WM_PAINT && g_watched &&
      g_watched->count(m->hwnd))
    ++g_paints;
  return CallNextHookEx(nullptr, code, w, l);
}

double FadeStep(skins::TFadeTimer* t, int rounds) {
  // A whole fade in and out per round; the time per step.
  int steps = 0;
  const double s = Seconds(rounds, [&] {
    const skins::TFadeSettings st = t->Settings();
    t->Engine().MouseEnter(st);
    while (t->Engine().Running()) {
      t->Engine().Tick(st);
      ++steps;
    }
    t->Engine().MouseLeave(st);
    while (t->Engine().Running()) {
      t->Engine().Tick(st);
      ++steps;
    }
  });
  return steps ? s / steps : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  Application->Initialize();
  TForm* form = new TForm(Application);
  form->SetBounds(20, 20, 420, 240);
  auto* stock_bar = new TTrackBar(form);
  stock_bar->SetParent(form);
  stock_bar->SetBounds(10, 10, 22, 150);
  stock_bar->SetOrientation(trVertical);
  stock_bar->SetRange(0, 30);
  stock_bar->SetPosition(15);
  stock_bar->SetThumbLength(15);
  stock_bar->SetFrequency(5);
  auto* bar = new skins::TsTrackBar(form);
  bar->SetParent(form);
  bar->SetLeft(50);
  bar->SetTop(10);
  EqualiserBar(bar);
  auto* stock_button = new TButton(form);
  stock_button->SetParent(form);
  stock_button->SetBounds(100, 10, 84, 22);
  stock_button->SetCaption("Применить");
  auto* button = new skins::TsButton(form);
  button->SetParent(form);
  button->SetBounds(100, 50, 84, 22);
  button->SetCaption("Применить");
  button->sStyle()->Background()->Gradient()->SetData(
      "8421504;16777215;99;0;0;16777215;16777215;0;0;0");
  form->Show();
  Application->ProcessMessages();

  const double t_stock_bar = Seconds(rounds, [&] { PaintNow(stock_bar); });
  const double t_bar = Seconds(rounds, [&] { PaintNow(bar); });
  const double t_stock_button = Seconds(rounds, [&] { PaintNow(stock_button); });
  const double t_button = Seconds(rounds, [&] { PaintNow(button); });
  std::printf("track bar: skinned %.3f ms, stock %.3f ms per paint, ratio %.2f\n",
              t_bar * 1000 / rounds, t_stock_bar * 1000 / rounds, t_bar / t_stock_bar);
  std::printf("button:    skinned %.3f ms, stock %.3f ms per paint, ratio %.2f\n",
              t_button * 1000 / rounds, t_stock_button * 1000 / rounds,
              t_button / t_stock_button);
  const double fade_bar = FadeStep(bar->FadeTimer(), 50);
  const double fade_button = FadeStep(button->FadeTimer(), 50);
  std::printf("fade step: track bar %.3f ms (%.2f of a stock bar paint), button %.3f ms (%.2f of a "
              "stock button paint)\n",
              fade_bar * 1000, fade_bar / (t_stock_bar / rounds), fade_button * 1000,
              fade_button / (t_stock_button / rounds));

  // The equaliser-like window, idle.
  TForm* eq = new TForm(Application);
  eq->SetBorderStyle(bsSingle);
  eq->SetBounds(460, 20, 100, 100);
  eq->SetClientSize(338, 170);
  auto* group = new skins::TsGroupBox(eq);
  group->SetParent(eq);
  group->SetAlign(alClient);
  group->sStyle()->Background()->Gradient()->SetData(
      "8421504;16777215;10;0;0;16777215;12632256;24;0;0;12632256;16777215;45;0;0;16777215;"
      "8421504;20;0;0;8421504;8421504;0;0;0");
  std::set<HWND> watched;
  for (int n = 0; n < 10; ++n) {
    auto* b = new skins::TsTrackBar(eq);
    b->SetParent(group);
    b->SetLeft(16 + 32 * n);
    b->SetTop(10);
    EqualiserBar(b);
  }
  eq->Show();
  const auto settle = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < settle) {
    Application->ProcessMessages();
    Sleep(10);
  }
  watched.insert(eq->Handle());
  watched.insert(group->Handle());
  for (int i = 0; i < group->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(group->Controls(i))) watched.insert(w->Handle());
  g_watched = &watched;
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountPaints, nullptr, GetCurrentThreadId());
  const auto idle = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < idle) {
    Application->ProcessMessages();
    Sleep(10);
  }
  UnhookWindowsHookEx(hook);
  std::printf("equaliser idle for 5 s: %d paint messages\n", g_paints);
  eq->Free();
  form->Free();
  return 0;
}
