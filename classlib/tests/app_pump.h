// The window tests' wait on the class library's application: its own message
// loop turns for about `ms` milliseconds (see classlib/tests/support/MessagePump.h).
#pragma once

#include "classlib/Forms.h"
#include "classlib/tests/support/MessagePump.h"

inline void Pump(int ms) {
  test_support::Pump(ms, [] { Application->ProcessMessages(); });
}
