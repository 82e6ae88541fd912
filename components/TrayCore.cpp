// Click / double-click state machine, tooltip and index rules of the tray icon.
#include "components/TrayCore.h"

#include <utility>

namespace components {

TrayClickLogic::TrayClickLogic(TSimpleTimer& clickTimer, std::function<bool()> hasDblClickHandler,
                               std::function<void()> click, std::function<void()> dblClick)
    : clickTimer_(clickTimer),
      hasDblClick_(std::move(hasDblClickHandler)),
      click_(std::move(click)),
      dblClick_(std::move(dblClick)) {}

void TrayClickLogic::LButtonDown(unsigned doubleClickTimeMs) {
  if (hasDblClick_ && hasDblClick_()) {
    clickTimer_.SetInterval(doubleClickTimeMs);
    clickTimer_.Start();
  }
  waitingForUp_ = true;
}

// The state is settled before a handler runs: it may free the tray icon
// (and this object with it).
void TrayClickLogic::LButtonUp() {
  bool fire = false;
  if (waitingForUp_) {
    clickReady_ = true;
    if (!clickTimer_.Enabled()) {
      clickReady_ = false;
      fire = true;
    }
  }
  waitingForUp_ = false;
  if (fire && click_) click_();
}

void TrayClickLogic::ClickTick() {
  clickTimer_.Stop(true);
  const bool fire = !isDblClick_ && clickReady_;
  if (fire) clickReady_ = false;
  isDblClick_ = false;
  if (fire && click_) click_();
}

void TrayClickLogic::LButtonDblClk() {
  clickReady_ = false;
  isDblClick_ = true;
  if (dblClick_) dblClick_();
}

std::string TrayTooltip(const std::string& hint, bool showHint) {
  if (!showHint || hint.empty()) return std::string();
  return hint.substr(0, kTrayTipMax);
}

int ClampIconIndex(int value, int count) {
  if (count <= 0) return 0;
  if (value >= count) return count - 1;
  return value < 0 ? 0 : value; // a negative index names no icon either
}

int NextCycleIndex(int index, int count) {
  return count <= 0 || index + 1 >= count ? 0 : index + 1;
}

} // namespace components
