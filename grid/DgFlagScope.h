// A flag of a component set for a scope: reset however the scope ends,
// unless a handler raised inside it freed the component (and the flag with
// it) meanwhile. The grid's own parts use it where a handler may free the
// grid, its window or its drag box.
#pragma once

#include "classlib/Component.h"

class TDgFlagScope {
 public:
  TDgFlagScope(bool& Flag, const TComponent& Owner) : flag_(Flag), life_(Owner.LifeToken()) {
    flag_ = true;
  }
  ~TDgFlagScope() {
    if (life_) flag_ = false;
  }
  TDgFlagScope(const TDgFlagScope&) = delete;
  TDgFlagScope& operator=(const TDgFlagScope&) = delete;

 private:
  bool& flag_;
  const TLifeToken life_;
};
