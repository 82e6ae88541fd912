// Writes what the LED meters, gradient backgrounds and LED switches paint on
// a form into 24-bit BMP files in the current folder, so that a change of the
// drawing code can be checked pixel by pixel against the pictures made before
// it (run by hand under Wine, then compare the files):
//   capture_meters.bmp     each bevel x each direction, bar and single LED
//   capture_gradients.bmp  each style buffered and not, step 1 and 4, both directions
//   capture_switch.bmp     each colour in each state
#include "classlib/WinApi.h"

#include <cstdio>
#include <functional>

#include "classlib/Forms.h"
#include "components/BackGradient.h"
#include "components/LedMeters.h"
#include "components/SwitchLed.h"
#include "components/tests/win/TestWindows.h"

namespace {

// Shows a form of the given client size, lets `fill` place controls on it,
// paints and saves it.
void Capture(const wchar_t* path, int w, int h, const std::function<void(TForm*)>& fill) {
  auto* form = new TForm(nullptr);
  form->SetBounds(10, 10, w + 40, h + 60);
  form->SetClientWidth(w);
  form->SetClientHeight(h);
  form->SetColor(clTeal);
  fill(form);
  form->Show();
  testwin::Pump(300);
  InvalidateRect(form->Handle(), nullptr, TRUE);
  UpdateWindow(form->Handle());
  testwin::Pump(200);
  const bool ok = testwin::SaveClientBmp(form->Handle(), path);
  std::printf("%ls: %s\n", path, ok ? "written" : "FAILED");
  form->Free();
  testwin::Pump(50);
}

TLEDMeter* Meter(TForm* form, int x, int y, int w, int h) {
  auto* m = new TLEDMeter(form);
  m->SetParent(form);
  m->SetBounds(x, y, w, h);
  m->SetNumDigits(12);
  m->SetPosition(60);
  return m;
}

} // namespace

int main() {
  Capture(L"capture_meters.bmp", 640, 420, [](TForm* f) {
    const TBevelCut bevels[] = {bvNone, bvLowered, bvRaised};
    for (int b = 0; b < 3; ++b) {
      const int y = 10 + b * 135;
      int row = 0;
      for (TMeterDirection d : {mdRight, mdLeft}) {
        int x = 10;
        for (bool single : {false, true}) {
          TLEDMeter* m = Meter(f, x, y + row * 30, 150, 16);
          m->SetBevelStyle(bevels[b]);
          m->SetDirection(d);
          m->SetSingleLED(single);
          m->SetColorSeperator(single ? clGray : clBlack);
          x += 160;
        }
        ++row;
      }
      int x = 340;
      for (TMeterDirection d : {mdUp, mdDown}) {
        for (bool single : {false, true}) {
          TLEDMeter* m = Meter(f, x, y, 16, 120);
          m->SetBevelStyle(bevels[b]);
          m->SetDirection(d);
          m->SetSingleLED(single);
          x += 26;
        }
      }
      // A tall horizontal one with weaker dimming.
      TLEDMeter* m = Meter(f, 460, y, 170, 40);
      m->SetBevelStyle(bevels[b]);
      m->SetLEDContrast(2);
    }
  });
  Capture(L"capture_gradients.bmp", 5 * 105, 6 * 85, [](TForm* f) {
    for (int row = 0; row < 6; ++row) {
      for (int col = 0; col < 5; ++col) {
        auto* g = new TBackGradient(f);
        g->SetParent(f);
        g->SetBounds(col * 105, row * 85, 100, 80);
        g->SetStartColor(clBlue);
        g->SetEndColor(clYellow);
        if (row < 4) {
          g->SetStyle(static_cast<TGradStyle>((row % 2) * 5 + col));
          g->SetBuffered(row < 2);
        } else {
          // Ellipse and pyramid in wide steps, and the reversed direction.
          const TGradStyle styles[] = {gsEllipse, gsPyramid, gsEllipse, gsCornerTopLeft,
                                       gsDiagonalRising};
          g->SetStyle(styles[col]);
          g->SetStepWidth(col < 2 ? 4 : 1);
          g->SetBuffered(row == 4);
          if (col >= 2) g->SetDirection(gdUpLeft);
        }
      }
    }
  });
  Capture(L"capture_switch.bmp", 9 * 20, 3 * 20, [](TForm* f) {
    const TLedState states[] = {LedOn, LedOff, LedDisabled};
    for (int s = 0; s < 3; ++s) {
      for (int c = 0; c < 9; ++c) {
        auto* led = new TSwitchLed(f);
        led->SetBounds(c * 20 + 3, s * 20 + 3, 13, 13);
        const auto color = static_cast<TLedColor>(c);
        led->SetOnColor(color);
        led->SetOffColor(color);
        led->SetDisabledColor(color);
        led->SetLedState(states[s]);
      }
    }
  });
  return 0;
}
