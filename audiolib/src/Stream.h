// One internet stream: the connection, the download thread that strips the
// in-band titles and fills the download buffer, and the playback thread that
// decodes, equalises, analyses and outputs. The user's callbacks pass through
// a CallbackGate so that Free() can guarantee none runs after it returns.
#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audiolib/src/CallbackGate.h"
#include "audiolib/src/Dsp.h"
#include "audiolib/src/EqChain.h"
#include "audiolib/src/DownloadBuffer.h"
#include "audiolib/src/HttpClient.h"
#include "audiolib/src/IcyMeta.h"
#include "audiolib/mpeg/MpegHeader.h"
#include "audiolib/src/Output.h"

namespace audiolib {

struct StreamEnv {
  std::shared_ptr<Network> net;
  std::shared_ptr<OutputBackend> output;
  int timeoutMs = 5000;
  bool playlists = false;
  int prebufPercent = 75;
};

struct StreamInfo {
  int sampleRate = 0;
  int channels = 0;
  int layer = 0;
  int bitrateKbps = 0;
  uint32_t flags = 0;
  std::string url;
};

enum class Activity { Stopped = 0, Playing = 1, Stalled = 2, Paused = 3 };

class Stream : public std::enable_shared_from_this<Stream> {
 public:
  using DownloadFn = std::function<void(const void* data, uint32_t size)>;
  using SyncFn = std::function<void()>;

  static constexpr uint64_t kUnknown = ~0ull;
  // Audio bytes read while opening to recognise MPEG audio.
  static constexpr size_t kProbeLimit = 16 * 1024;

  // Connects and reads up to the first MPEG frame; starts the download thread.
  static Err Open(const std::string& url, uint32_t flags, DownloadFn download, const StreamEnv& env,
                  std::shared_ptr<Stream>& out);
  ~Stream();

  // Stops both threads; waits for running callbacks while calling `pump`.
  void Free(const WaitPump& pump);

  Err Play();
  Activity Active() const { return activity_.load(); }
  uint64_t FilePosition(int mode) const; // kUnknown for an unknown mode
  const char* MetaText() const;          // null before the first title block
  void AddSync(SyncFn fn);
  void SetVolume(float v) { volume_.store(v); }
  const StreamInfo& Info() const { return info_; }

  int AddEqBand(); // index of the new band
  void SetEqBand(int index, const EqBand& band);
  EqBand GetEqBand(int index) const;

  // Both read silence unless the channel is playing: a stopped, stalled or
  // ended stream has no sound to show.
  void Spectrum(float* out1024);
  unsigned Level() const;

 private:
  Stream(const StreamEnv& env, size_t capacity) : env_(env), buffer_(capacity) {}
  void DownloadLoop();
  void PlayLoop();
  void Deliver(const uint8_t* data, size_t size);
  void OnMeta(const std::string& text, bool notify);
  void ApplyEq(std::vector<float>& pcm, size_t frames, int rate);
  // Playback leaves the playing state: what the analyser holds is history.
  void StopSounding(Activity now);

  StreamEnv env_;
  StreamInfo info_;
  DownloadBuffer buffer_;
  std::unique_ptr<Connection> conn_;
  std::unique_ptr<MetaStripper> stripper_;
  std::vector<uint8_t> probe_; // audio read while opening, delivered first
  DownloadFn download_;
  CallbackGate gate_;
  std::atomic<bool> dead_{false};
  std::atomic<Activity> activity_{Activity::Stopped};
  std::atomic<float> volume_{1.0f};
  std::thread download_thread_, play_thread_;
  std::mutex threads_mutex_;
  bool play_started_ = false;

  mutable std::mutex meta_mutex_;
  std::deque<std::string> meta_history_; // earlier texts stay valid for a while
  std::vector<SyncFn> syncs_;

  mutable std::mutex eq_mutex_;
  std::vector<EqBand> bands_;
  std::atomic<bool> eq_dirty_{false};
  EqChain eq_;          // playback thread only
  int filter_rate_ = 0; // playback thread only

  Analyzer analyzer_;
};

} // namespace audiolib
