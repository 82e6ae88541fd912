// The rules of the skinned checked controls, free of Windows: the radio
// button's exclusive check, the press a mouse button or Space holds, and
// the three-valued state kept in step with Checked.
//
// A press completes on release wherever the pointer is then (only the
// pressed flag counts), and a completed press toggles: Checked goes through
// the control's filter, so a checked radio button stays checked (and still
// reports the change). ReadOnly keeps the press until the focus leaves and
// changes nothing; a disabled control starts no press.
#pragma once

#include <cstdint>
#include <functional>

namespace skins {

// The value a radio button stores when `requested` is asked of it while it
// is `current`: False is refused; True first has `clearOthers` uncheck the
// other radio buttons of the parent (silently).
bool RadioCheckedFilter(bool current, bool requested, const std::function<void()>& clearOthers);

enum class TCheckState : uint8_t { Unchecked = 0, Checked = 1, Grayed = 2 };

// What a key or button release asks of the control.
enum class TPressResult { None, Toggle };

class TCheckPress {
 public:
  bool Pressed() const { return pressed_; }
  // A mouse button went down: true when a press starts (the control repaints
  // pressed and takes the focus).
  bool MouseDown(bool left, bool enabled);
  TPressResult MouseUp(bool left, bool enabled, bool readOnly);
  // Space went down / up.
  bool SpaceDown(bool enabled);
  TPressResult SpaceUp(bool readOnly);
  // The focus left: a held press ends without a change.
  void FocusLeft() { pressed_ = false; }

 private:
  bool pressed_ = false;
};

// The state after a toggle: checked -> unchecked, grayed -> checked.
TCheckState ToggledState(TCheckState s);
// The state matching a Checked value (a grayed one stays grayed while
// Checked stays False).
TCheckState StateFor(bool checked, TCheckState now);

} // namespace skins
