// The rules of the skinned checked controls (see sCheckedControlCore.h).
#include "skins/sCheckedControlCore.h"

namespace skins {

bool RadioCheckedFilter(bool current, bool requested, const std::function<void()>& clearOthers) {
  if (!requested) return current;
  if (!current && clearOthers) clearOthers();
  return true;
}

bool TCheckPress::MouseDown(bool left, bool enabled) {
  if (pressed_ || !enabled || !left) return false;
  pressed_ = true;
  return true;
}

TPressResult TCheckPress::MouseUp(bool left, bool enabled, bool readOnly) {
  if (!left || !enabled || !pressed_ || readOnly) return TPressResult::None;
  pressed_ = false;
  return TPressResult::Toggle;
}

bool TCheckPress::SpaceDown(bool enabled) {
  if (pressed_ || !enabled) return false;
  pressed_ = true;
  return true;
}

TPressResult TCheckPress::SpaceUp(bool readOnly) {
  if (!pressed_ || readOnly) return TPressResult::None;
  pressed_ = false;
  return TPressResult::Toggle;
}

TCheckState ToggledState(TCheckState s) {
  switch (s) {
    case TCheckState::Checked: return TCheckState::Unchecked;
    case TCheckState::Grayed: return TCheckState::Checked;
    case TCheckState::Unchecked: break;
  }
  return TCheckState::Unchecked;
}

TCheckState StateFor(bool checked, TCheckState now) {
  if (checked) return TCheckState::Checked;
  return now == TCheckState::Grayed ? now : TCheckState::Unchecked;
}

} // namespace skins
