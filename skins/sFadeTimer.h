// The fade timer of the skinned track bar and button: a class-library timer
// that drives the portable fade engine (sFadeCore.h) for one control, and
// the step that blends the control's previous and current images onto its
// window. The control is the engine's target; the settings are read from
// its style at every call, so a change of Iterations or the intervals
// counts from the next tick.
#pragma once

#include "classlib/WinApi.h"

#include <functional>

#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "skins/sFadeCore.h"
#include "skins/sStyleUtilCore.h"

namespace skins {

class TFadeTimer : public TTimer, private IFadeTimer {
 public:
  TFadeTimer(TComponent* AOwner, IFadeTarget& target, TsActiveBGStyle* style);

  TFadeEngine& Engine() { return engine_; }
  TFadeMode Mode() const { return engine_.Mode(); }
  // Stores the mode; the timer runs exactly while it is not Stopped.
  void SetMode(TFadeMode m) { engine_.SetMode(m); }
  TFadeSettings Settings() const;

 protected:
  void Timer() override;

 private:
  void SetFadeTimerEnabled(bool e) override { SetEnabled(e); }
  void SetFadeTimerInterval(unsigned ms) override { SetInterval(ms); }
  TsActiveBGStyle* style_;
  TFadeEngine engine_;
};

// One fade step onto `dc` at 0, 0: towards `current` (in: the previous
// image keeps `weight` / 256) or back towards `previous` (out: the current
// image keeps `weight` / 256). The images must be the same size. `blend`
// is the control's own scratch image, kept between steps: it is sized anew
// only when the images' size differs from it (after the control resized).
void PaintFadeStep(TBitmap* current, TBitmap* previous, TFadeMode direction, int weight,
                   TBitmap& blend, HDC dc);

}  // namespace skins
