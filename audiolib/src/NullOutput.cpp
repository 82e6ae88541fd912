// The null output: writes are paced by the clock as a device would drain
// them, with up to 100 ms queued ahead.
#include <chrono>
#include <thread>

#include "audiolib/src/Output.h"

namespace audiolib {
namespace {

class NullStream : public OutputStream {
 public:
  NullStream(int rate, double speed) : rate_(rate), speed_(speed) {}
  bool Write(const int16_t*, size_t count, const std::atomic<bool>& abort) override {
    using namespace std::chrono;
    if (frames_ == 0) start_ = steady_clock::now();
    frames_ += count;
    auto due = start_ + duration_cast<steady_clock::duration>(
                            duration<double>(frames_ / (rate_ * speed_)) - milliseconds(100));
    while (steady_clock::now() < due) {
      if (abort.load()) return false;
      std::this_thread::sleep_for(
          std::min<steady_clock::duration>(due - steady_clock::now(), milliseconds(20)));
    }
    return !abort.load();
  }

 private:
  int rate_;
  double speed_;
  uint64_t frames_ = 0;
  std::chrono::steady_clock::time_point start_;
};

class NullBackend : public OutputBackend {
 public:
  NullBackend(double speed, bool hasDevice) : speed_(speed), has_(hasDevice) {}
  bool HasDevice(int device) override { return has_ && device >= -1 && device <= 1; }
  std::unique_ptr<OutputStream> Open(int rate, Err& err) override {
    err = Err::Ok;
    return std::unique_ptr<OutputStream>(new NullStream(rate > 0 ? rate : 44100, speed_));
  }

 private:
  double speed_;
  bool has_;
};

} // namespace

std::shared_ptr<OutputBackend> NullOutputBackend(double speed, bool hasDevice) {
  return std::make_shared<NullBackend>(speed > 0 ? speed : 1.0, hasDevice);
}

#ifndef _WIN32
std::shared_ptr<OutputBackend> SystemOutputBackend() { return NullOutputBackend(); }
#endif

} // namespace audiolib
