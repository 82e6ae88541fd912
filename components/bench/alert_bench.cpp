// Benchmark (under Wine): the alert popup's costs, as ratios.
//   - process CPU against wall time for a fade in and out (80 + 80 steps)
//     at FadeTime 0 and 10 (the worker's share; the GUI thread only waits);
//   - one full paint of the popup and one hit test (one per WM_NCHITTEST),
//     against one DrawTextW of the same title;
//   - process CPU over a 5 s display (the 10 ms tick only looks at the clock).
#include "classlib/WinApi.h"

#include <chrono>
#include <cstdio>

#include "classlib/Cp1251.h"
#include "classlib/Forms.h"
#include "components/AlertNotifier.h"

namespace {

double Cpu() {
  FILETIME c, e, k, u;
  GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
  auto v = [](FILETIME f) {
    return (static_cast<unsigned long long>(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 1e7;
  };
  return v(k) + v(u);
}

double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void PumpFor(double seconds, const std::function<bool()>& done = nullptr) {
  const double end = Seconds() + seconds;
  while (Seconds() < end && !(done && done())) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  }
}

} // namespace

int main() {
  auto* form = new TForm(nullptr);
  form->SetVisible(true);
  auto* a = new TAlertNotifier(form);
  const std::string title = "Исполнитель песни — Название композиции (концертная запись)";
  a->AlertMessages()->Add()->Text()->Add("<b>" + markup::EscapeMarkup(title) + "</b>");
  a->AlphaEnd = 160;
  a->DisplayTime = 0;
  for (int fadeTime : {0, 10}) {
    a->FadeTime = fadeTime;
    const double c0 = Cpu(), w0 = Seconds();
    a->Show();
    PumpFor(30, [&] { return a->Phase() == AlertPhase::Hidden && !a->Popup()->Visible(); });
    const double cpu = Cpu() - c0, wall = Seconds() - w0;
    std::printf("fade in+out at FadeTime %2d: wall %.3f s, CPU %.3f s: CPU/wall %.1f%%\n", fadeTime,
                wall, cpu, 100 * cpu / wall);
  }
  a->FadeTime = 0;
  a->DisplayTime = 5000;
  a->Show();
  PumpFor(5, [&] { return a->Phase() == AlertPhase::Shown; });
  const double c0 = Cpu(), w0 = Seconds();
  PumpFor(4.5);
  std::printf("shown 4.5 s: CPU/wall %.2f%%\n", 100 * (Cpu() - c0) / (Seconds() - w0));
  TAlertWindow* p = a->Popup();
  const int rounds = 500;
  double t0 = Seconds();
  for (int i = 0; i < rounds; ++i) {
    p->Invalidate();
    UpdateWindow(p->Handle());
  }
  const double paint = (Seconds() - t0) / rounds;
  t0 = Seconds();
  for (int i = 0; i < rounds; ++i) SendMessageW(p->Handle(), WM_NCHITTEST, 0, MAKELPARAM(100, 100));
  const double hit = (Seconds() - t0) / rounds;
  HDC dc = GetDC(p->Handle());
  const std::wstring wide = Cp1251ToWide(title);
  t0 = Seconds();
  for (int i = 0; i < rounds; ++i) {
    RECT r{4, 21, 276, 74};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_WORDBREAK);
  }
  const double plain = (Seconds() - t0) / rounds;
  ReleaseDC(p->Handle(), dc);
  std::printf("full paint %.1f us (%.1f x DrawTextW), hit test %.1f us (%.1f x DrawTextW)\n",
              paint * 1e6, paint / plain, hit * 1e6, hit / plain);
  form->Free();
  return 0;
}
