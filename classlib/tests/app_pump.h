// The window tests' wait on the class library's application: its own message
// loop turns for about `ms` milliseconds (see classlib/tests/support/MessagePump.h).
#pragma once

#include "classlib/Forms.h"
#include "classlib/tests/support/MessagePump.h"

inline void Pump(int ms) {
  test_support::Pump(ms, [] { Application->ProcessMessages(); });
}

// A control of class T owned by and shown on Parent at the given bounds.
template <class T>
T* PlaceOn(TWinControl* Parent, int l, int t, int w, int h) {
  auto* c = New<T>(Parent);
  c->SetParent(Parent);
  c->SetBounds(l, t, w, h);
  return c;
}
