// Click / double-click state machine, tooltip and index rules of the tray icon.
#include "components/TrayCore.h"

#include <utility>

namespace components {

TrayClickLogic::TrayClickLogic(TSimpleTimer& clickTimer, std::function<bool()> hasDblClickHandler,
                               std::function<void()> click, std::function<void()> dblClick)
    : click_timer_(clickTimer),
      has_dbl_click_(std::move(hasDblClickHandler)),
      click_(std::move(click)),
      dbl_click_(std::move(dblClick)) {}

void TrayClickLogic::LButtonDown(unsigned doubleClickTimeMs) {
  if (has_dbl_click_ && has_dbl_click_()) {
    click_timer_.SetInterval(doubleClickTimeMs);
    click_timer_.Start();
  }
  waiting_for_up_ = true;
}

// The state is settled before a handler runs: it may free the tray icon
// (and this object with it).
void TrayClickLogic::LButtonUp() {
  bool fire = false;
  if (waiting_for_up_) {
    click_ready_ = true;
    if (!click_timer_.Enabled()) {
      click_ready_ = false;
      fire = true;
    }
  }
  waiting_for_up_ = false;
  if (fire && click_) click_();
}

void TrayClickLogic::ClickTick() {
  click_timer_.Stop(true);
  const bool fire = !is_dbl_click_ && click_ready_;
  if (fire) click_ready_ = false;
  is_dbl_click_ = false;
  if (fire && click_) click_();
}

void TrayClickLogic::LButtonDblClk() {
  click_ready_ = false;
  is_dbl_click_ = true;
  if (dbl_click_) dbl_click_();
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

bool ShellSendsTaskbarCreated(unsigned major, unsigned minor) {
  // Compared as the packed version (major in the high word): above 0x40046.
  return major > 4 || (major == 4 && minor > 70);
}

} // namespace components
