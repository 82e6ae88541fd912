// TsRadioButton: a skinned checked control (kind 33) whose check is
// exclusive among the radio buttons of its parent: checking one clears the
// others silently (no events), and a checked one cannot be unchecked by
// asking; a click on it still reports the change.
#pragma once

#include "skins/sCheckedControl.h"

namespace skins {

class TsRadioButton : public TsCheckedControl {
 public:
  explicit TsRadioButton(TComponent* AOwner);

 protected:
  bool CheckedFilter(bool requested) override;
};

}  // namespace skins
