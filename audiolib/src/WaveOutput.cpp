// waveOut output on Windows: a few 40 ms buffers in rotation. Writes fill
// the current buffer, which goes to the device once full; a write waits on
// the device's event while the next buffer is still playing.
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <vector>

#include "audiolib/src/Output.h"

namespace audiolib {
namespace {

constexpr int kBuffers = 5;

class WaveStream : public OutputStream {
 public:
  WaveStream(HWAVEOUT wo, HANDLE ev, int rate) : wo_(wo), ev_(ev) {
    size_t frames = static_cast<size_t>(rate) / 25;
    for (auto& b : bufs_) {
      b.data.resize(frames * 2);
      std::memset(&b.hdr, 0, sizeof b.hdr);
      b.hdr.dwFlags = WHDR_DONE;
    }
  }
  ~WaveStream() override {
    waveOutReset(wo_);
    for (auto& b : bufs_)
      if (b.hdr.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(wo_, &b.hdr, sizeof b.hdr);
    waveOutClose(wo_);
    CloseHandle(ev_);
  }

  bool Write(const int16_t* frames, size_t count, const std::atomic<bool>& abort) override {
    while (count > 0) {
      Buf& b = bufs_[next_];
      if (fill_ == 0) { // starting on this buffer: wait until the device gave it back
        while (!(b.hdr.dwFlags & WHDR_DONE)) {
          if (abort.load()) return false;
          WaitForSingleObject(ev_, 20);
        }
        if (b.hdr.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(wo_, &b.hdr, sizeof b.hdr);
      }
      size_t room = b.data.size() / 2 - fill_;
      size_t n = count < room ? count : room;
      std::memcpy(b.data.data() + fill_ * 2, frames, n * 4);
      fill_ += n;
      frames += n * 2;
      count -= n;
      if (fill_ * 2 == b.data.size()) {
        b.hdr.lpData = reinterpret_cast<LPSTR>(b.data.data());
        b.hdr.dwBufferLength = static_cast<DWORD>(fill_ * 4);
        b.hdr.dwFlags = 0;
        fill_ = 0;
        next_ = (next_ + 1) % kBuffers;
        if (waveOutPrepareHeader(wo_, &b.hdr, sizeof b.hdr) != MMSYSERR_NOERROR) return false;
        if (waveOutWrite(wo_, &b.hdr, sizeof b.hdr) != MMSYSERR_NOERROR) return false;
      }
    }
    return true;
  }

 private:
  struct Buf {
    WAVEHDR hdr;
    std::vector<int16_t> data;
  };
  HWAVEOUT wo_;
  HANDLE ev_;
  Buf bufs_[kBuffers];
  int next_ = 0;
  size_t fill_ = 0; // frames already in bufs_[next_]
};

class WaveBackend : public OutputBackend {
 public:
  bool HasDevice(int device) override {
    return device >= -1 && device <= 1 && waveOutGetNumDevs() > 0;
  }
  std::unique_ptr<OutputStream> Open(int rate, Err& err) override {
    WAVEFORMATEX fmt{};
    fmt.wFormatTag = WAVE_FORMAT_PCM;
    fmt.nChannels = 2;
    fmt.nSamplesPerSec = static_cast<DWORD>(rate);
    fmt.wBitsPerSample = 16;
    fmt.nBlockAlign = 4;
    fmt.nAvgBytesPerSec = fmt.nSamplesPerSec * 4;
    HANDLE ev = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT wo = nullptr;
    if (waveOutOpen(&wo, WAVE_MAPPER, &fmt, reinterpret_cast<DWORD_PTR>(ev), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR) {
      CloseHandle(ev);
      err = Err::Device;
      return nullptr;
    }
    err = Err::Ok;
    return std::unique_ptr<OutputStream>(new WaveStream(wo, ev, rate));
  }
};

} // namespace

std::shared_ptr<OutputBackend> SystemOutputBackend() { return std::make_shared<WaveBackend>(); }

} // namespace audiolib
