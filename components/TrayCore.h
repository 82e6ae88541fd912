// The tray icon's rules that need no shell: telling clicks from double
// clicks, the tooltip text, the icon index kept inside the image list and
// which common controls tell of a restarted shell.
#pragma once

#include <functional>
#include <string>

#include "components/SimpleTimer.h"

namespace components {

// Left-button state machine. With a double-click handler assigned, a single
// click is held back for one double-click time (ClickTimer) so that a
// double click raises only DblClick.
class TrayClickLogic {
 public:
  // clickTimer ticks ClickTick; the owner sets it up.
  TrayClickLogic(TSimpleTimer& clickTimer, std::function<bool()> hasDblClickHandler,
                 std::function<void()> click, std::function<void()> dblClick);

  // doubleClickTimeMs: the system's double-click time.
  void LButtonDown(unsigned doubleClickTimeMs);
  void LButtonUp();
  void LButtonDblClk();
  void ClickTick();

  bool WaitingForUp() const { return waiting_for_up_; }
  bool ClickReady() const { return click_ready_; }
  bool IsDblClick() const { return is_dbl_click_; }

 private:
  TSimpleTimer& click_timer_;
  std::function<bool()> has_dbl_click_;
  std::function<void()> click_, dbl_click_;
  bool waiting_for_up_ = false, click_ready_ = false, is_dbl_click_ = false;
};

// Characters the notification area shows of a tooltip.
constexpr std::size_t kTrayTipMax = 127;

// The tooltip: the first 127 characters of the hint while hints are shown.
std::string TrayTooltip(const std::string& hint, bool showHint);

// IconIndex kept inside an image list of `count` icons (0 without icons).
int ClampIconIndex(int value, int count);

// The index CycleTick shows after `index` in a list of `count` icons.
int NextCycleIndex(int index, int count);

// Whether the shell of common controls `major`.`minor` broadcasts
// "TaskbarCreated" when it restarts: only versions newer than 4.70 do.
bool ShellSendsTaskbarCreated(unsigned major, unsigned minor);

} // namespace components
