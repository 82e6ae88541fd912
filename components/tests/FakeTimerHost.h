// A timer host for tests: records which ids are set and fires them on demand.
#pragma once

#include <map>
#include <memory>

#include "components/SimpleTimer.h"

class FakeTimerHost : public components::TimerHost {
 public:
  std::map<std::uintptr_t, std::uint32_t> running;
  bool refuse = false;
  int sets = 0, kills = 0;

  bool SetTimer(std::uintptr_t id, std::uint32_t ms) override {
    if (refuse) return false;
    ++sets;
    running[id] = ms;
    return true;
  }
  bool KillTimer(std::uintptr_t id) override {
    ++kills;
    return running.erase(id) != 0;
  }
};

// Installs a FakeTimerHost for the handlers created while it lives.
class FakeTimerScope {
 public:
  FakeTimerScope() {
    TSimpleTimerHandler::SetHostFactory([this](TSimpleTimerHandler&) {
      auto host = std::make_unique<FakeTimerHost>();
      last_ = host.get();
      return host;
    });
  }
  ~FakeTimerScope() { TSimpleTimerHandler::SetHostFactory(nullptr); }
  FakeTimerHost& Host() { return *last_; }
  // Delivers a tick as the handler's window would.
  void Fire(std::uintptr_t id) { TSimpleTimerHandler::Instance()->Dispatch(id); }

 private:
  FakeTimerHost* last_ = nullptr;
};
