// The stream's threads. Download: socket -> metadata stripper -> download
// callback and download buffer, title syncs. Playback: buffer -> decoder ->
// equaliser -> analyser -> volume -> output.
#include "audiolib/src/Stream.h"

#include <algorithm>
#include <cmath>

#include "audiolib/src/Decoder.h"

namespace audiolib {
namespace {

constexpr size_t kMaxMetaHistory = 256;

// Five seconds of the stream at its nominal bitrate.
size_t BufferBytes(int kbps) { return static_cast<size_t>(std::max(kbps, 8)) * 1000 / 8 * 5; }

} // namespace

Err Stream::Open(const std::string& url, uint32_t flags, DownloadFn download, const StreamEnv& env,
                 std::shared_ptr<Stream>& out) {
  std::atomic<bool> never{false};
  OpenOptions opt;
  opt.timeoutMs = env.timeoutMs;
  opt.playlists = env.playlists;
  // Connecting, redirects, playlists and the first frame together: at most
  // three time-outs, however the server paces its answer.
  Deadline deadline(env.timeoutMs * 3);
  OpenedStream os;
  Err err = OpenStreamUrl(*env.net, url, opt, deadline, never, os);
  if (err != Err::Ok) return err;

  // Read until the first MPEG frame is confirmed, keeping titles aside.
  MetaStripper stripper(os.metaint);
  std::vector<uint8_t> audio;
  std::string meta;
  auto onAudio = [&](const uint8_t* d, size_t n) { audio.insert(audio.end(), d, d + n); };
  auto onMeta = [&](const std::string& t) { meta = t; };
  stripper.Feed(os.body.data(), os.body.size(), onAudio, onMeta);
  FrameHeader first;
  bool atEnd = false;
  std::vector<uint8_t> buf(8192);
  while (FindFirstFrame(audio.data(), audio.size(), atEnd, first) < 0) {
    if (atEnd || audio.size() >= kProbeLimit) return Err::FileForm;
    int wait = deadline.Wait(env.timeoutMs);
    if (!wait) return audio.empty() ? Err::Timeout : Err::FileForm;
    long n = os.conn->Recv(buf.data(), buf.size(), wait, never, err);
    if (n < 0 && audio.empty()) return err; // a server that sends nothing
    if (n <= 0) {
      atEnd = true;
      continue;
    }
    stripper.Feed(buf.data(), static_cast<size_t>(n), onAudio, onMeta);
  }

  long announced = os.head.IntField("icy-br");
  int kbps = announced > 0 && announced <= 640 ? static_cast<int>(announced) : first.bitrate_kbps;
  std::shared_ptr<Stream> s(new Stream(env, BufferBytes(kbps)));
  s->info_.sampleRate = first.sample_rate;
  s->info_.channels = first.channels;
  s->info_.layer = first.layer;
  s->info_.bitrateKbps = kbps;
  s->info_.flags = flags;
  s->info_.url = os.url;
  s->conn_ = std::move(os.conn);
  s->stripper_.reset(new MetaStripper(std::move(stripper)));
  s->probe_ = std::move(audio);
  s->download_ = std::move(download);
  if (!meta.empty()) s->OnMeta(meta, false);
  s->analyzer_.SetSampleRate(first.sample_rate);
  try {
    s->download_thread_ = std::thread([s] { s->DownloadLoop(); });
  } catch (...) { return Err::Mem; }
  out = s;
  return Err::Ok;
}

Stream::~Stream() {
  // Free() normally ran; this covers a stream dropped without it.
  dead_ = true;
  buffer_.Close();
  if (download_thread_.joinable()) download_thread_.detach();
  if (play_thread_.joinable()) play_thread_.detach();
}

void Stream::Free(const WaitPump& pump) {
  dead_ = true;
  gate_.Close(pump);
  buffer_.Close();
  std::lock_guard<std::mutex> lk(threads_mutex_);
  for (std::thread* t : {&download_thread_, &play_thread_}) {
    if (!t->joinable()) continue;
    // Freed from inside its own callback: the thread ends by itself.
    if (t->get_id() == std::this_thread::get_id()) {
      t->detach();
    } else {
      t->join();
    }
  }
  activity_ = Activity::Stopped;
}

void Stream::Deliver(const uint8_t* data, size_t size) {
  if (!size) return;
  if (download_) gate_.Run([&] { download_(data, static_cast<uint32_t>(size)); });
  buffer_.Write(data, size);
}

void Stream::OnMeta(const std::string& text, bool notify) {
  std::vector<SyncFn> syncs;
  {
    std::lock_guard<std::mutex> lk(meta_mutex_);
    if (!meta_history_.empty() && meta_history_.back() == text) return; // no change
    meta_history_.push_back(text);
    if (meta_history_.size() > kMaxMetaHistory) meta_history_.pop_front();
    syncs = syncs_;
  }
  if (!notify) return;
  for (auto& fn : syncs) gate_.Run(fn);
}

void Stream::DownloadLoop() {
  auto self = shared_from_this();
  try {
    Deliver(probe_.data(), probe_.size());
    probe_.clear();
    probe_.shrink_to_fit();
    std::vector<uint8_t> buf(16 * 1024);
    auto onAudio = [&](const uint8_t* d, size_t n) { Deliver(d, n); };
    auto onMeta = [&](const std::string& t) { OnMeta(t, true); };
    while (!dead_) {
      Err err = Err::Ok;
      long n = conn_->Recv(buf.data(), buf.size(), env_.timeoutMs, dead_, err);
      if (n <= 0) break; // closed, stalled past the time-out, or freed
      stripper_->Feed(buf.data(), static_cast<size_t>(n), onAudio, onMeta);
    }
  } catch (...) {
    // Out of memory: the download ends as if the server had closed it; an
    // exception leaving the thread would end the program.
  }
  conn_.reset(); // the socket goes now, not when the handle is freed
  buffer_.MarkEnded();
  if (download_) gate_.Run([&] { download_(nullptr, 0); });
}

Err Stream::Play() {
  std::lock_guard<std::mutex> lk(threads_mutex_);
  if (dead_) return Err::Handle;
  if (play_started_) { return activity_ == Activity::Stopped ? Err::NotAvail : Err::Ok; }
  play_started_ = true;
  activity_ = Activity::Stalled; // until the pre-buffer is there
  try {
    auto self = shared_from_this();
    play_thread_ = std::thread([self] {
      try {
        self->PlayLoop();
      } catch (...) {
        self->activity_ = Activity::Stopped; // out of memory: playback ends
      }
    });
  } catch (...) {
    activity_ = Activity::Stopped;
    return Err::Mem;
  }
  return Err::Ok;
}

void Stream::PlayLoop() {
  size_t prebuf =
      buffer_.Capacity() * static_cast<size_t>(std::clamp(env_.prebufPercent, 0, 100)) / 100;
  while (!dead_ && prebuf > 0 && !buffer_.WaitFor(prebuf, 100) && !buffer_.Ended()) {}
  Decoder dec;
  std::unique_ptr<OutputStream> dev;
  int devRate = 0;
  std::vector<uint8_t> in(4096);
  std::vector<float> pcm;
  std::vector<int16_t> out;
  while (!dead_ && dec.Ok()) {
    size_t n = buffer_.Read(in.data(), in.size());
    if (n == 0) {
      if (buffer_.Ended()) break;
      StopSounding(Activity::Stalled);
      buffer_.WaitFor(1, 100);
      continue;
    }
    dec.Feed(in.data(), n);
    pcm.clear();
    size_t frames = dec.Decode(pcm);
    if (frames == 0) continue;
    int rate = dec.SampleRate();
    if (!dev || rate != devRate) {
      Err err = Err::Ok;
      dev = env_.output->Open(rate, err);
      if (!dev) break;
      devRate = rate;
      analyzer_.SetSampleRate(rate);
    }
    ApplyEq(pcm, frames, rate);
    // Out in 10 ms pieces, each shown to the analyser as it goes to the
    // device, so the spectrum and levels follow the sound smoothly.
    const size_t piece = static_cast<size_t>(std::max(rate / 100, 1));
    bool ok = true;
    for (size_t at = 0; at < frames && ok; at += piece) {
      size_t n = std::min(piece, frames - at);
      analyzer_.Push(pcm.data() + at * 2, n);
      ToPcm16(pcm.data() + at * 2, n, volume_.load(), out);
      activity_ = Activity::Playing;
      ok = dev->Write(out.data(), n, dead_);
    }
    if (!ok) break;
  }
  StopSounding(Activity::Stopped);
}

void Stream::StopSounding(Activity now) {
  // The state first: a query that still sees "playing" reads the analyser
  // just before it is cleared, one after it reads silence either way.
  if (activity_.exchange(now) == Activity::Playing) analyzer_.Reset();
}

void Stream::ApplyEq(std::vector<float>& pcm, size_t frames, int rate) {
  if (eq_dirty_.exchange(false) || rate != filter_rate_) {
    std::vector<EqBand> bands;
    {
      std::lock_guard<std::mutex> lk(eq_mutex_);
      bands = bands_;
    }
    eq_.Configure(bands, rate);
    filter_rate_ = rate;
  }
  eq_.Process(pcm.data(), frames);
}

uint64_t Stream::FilePosition(int mode) const {
  switch (mode) {
    case 0: return buffer_.Consumed();
    case 1:
      // Once the download is over the buffer cannot fill further: it reads
      // as full, so a caller waiting for it to fill does not wait forever.
      return buffer_.Ended()
                 ? std::max<uint64_t>(buffer_.Downloaded(), buffer_.Consumed() + buffer_.Capacity())
                 : buffer_.Downloaded();
    case 2: return buffer_.Capacity();
    default: return kUnknown;
  }
}

const char* Stream::MetaText() const {
  std::lock_guard<std::mutex> lk(meta_mutex_);
  return meta_history_.empty() ? nullptr : meta_history_.back().c_str();
}

void Stream::AddSync(SyncFn fn) {
  std::lock_guard<std::mutex> lk(meta_mutex_);
  syncs_.push_back(std::move(fn));
}

int Stream::AddEqBand() {
  std::lock_guard<std::mutex> lk(eq_mutex_);
  bands_.emplace_back();
  eq_dirty_ = true;
  return static_cast<int>(bands_.size()) - 1;
}

void Stream::SetEqBand(int index, const EqBand& band) {
  std::lock_guard<std::mutex> lk(eq_mutex_);
  if (index < 0 || index >= static_cast<int>(bands_.size())) return;
  bands_[static_cast<size_t>(index)] = band;
  eq_dirty_ = true;
}

EqBand Stream::GetEqBand(int index) const {
  std::lock_guard<std::mutex> lk(eq_mutex_);
  if (index < 0 || index >= static_cast<int>(bands_.size())) return EqBand();
  return bands_[static_cast<size_t>(index)];
}

void Stream::Spectrum(float* out1024) {
  if (activity_.load() == Activity::Playing) {
    analyzer_.Spectrum(out1024);
  } else {
    std::fill(out1024, out1024 + 1024, 0.0f);
  }
}

unsigned Stream::Level() const {
  return activity_.load() == Activity::Playing ? analyzer_.Level() : 0;
}

} // namespace audiolib
