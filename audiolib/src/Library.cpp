// The library instance.
#include "audiolib/src/Library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace audiolib {
namespace {

void* LoadModule(const std::string& file) {
#ifdef _WIN32
  // The name is Windows-1251 text like every narrow string of the player.
  int n = MultiByteToWideChar(1251, 0, file.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(1251, 0, file.c_str(), -1, &wide[0], n);
  return LoadLibraryW(wide.c_str());
#else
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
}

void UnloadModule(void* m) {
#ifdef _WIN32
  FreeLibrary(static_cast<HMODULE>(m));
#else
  dlclose(m);
#endif
}

} // namespace

Library& Library::Instance() {
  static Library* lib = new Library(); // lives for the process: callbacks may outlast exit
  return *lib;
}

Library::Library() : net_(SystemNetwork()), output_(SystemOutputBackend()), pump_(SystemWaitPump) {}

void Library::SetNetwork(std::shared_ptr<Network> net) {
  std::lock_guard<std::mutex> lk(m_);
  net_ = net ? net : SystemNetwork();
}

void Library::SetOutput(std::shared_ptr<OutputBackend> out) {
  std::lock_guard<std::mutex> lk(m_);
  output_ = out ? out : SystemOutputBackend();
}

void Library::SetWaitPump(WaitPump pump) {
  std::lock_guard<std::mutex> lk(m_);
  pump_ = pump ? pump : WaitPump(SystemWaitPump);
}

WaitPump Library::Pump() {
  std::lock_guard<std::mutex> lk(m_);
  return pump_;
}

Err Library::Init(int device) {
  std::lock_guard<std::mutex> lk(m_);
  if (initialised_) return Err::Already;
  if (!output_->HasDevice(device)) return Err::Device;
  initialised_ = true;
  return Err::Ok;
}

Err Library::Free() {
  std::map<uint32_t, std::shared_ptr<Stream>> streams;
  std::vector<void*> plugins;
  {
    std::lock_guard<std::mutex> lk(m_);
    if (!initialised_) return Err::Init;
    initialised_ = false;
    streams.swap(streams_);
    plugins.swap(plugins_);
    fx_.clear();
  }
  WaitPump pump = Pump();
  for (auto& s : streams) s.second->Free(pump);
  for (void* p : plugins) UnloadModule(p);
  return Err::Ok;
}

Err Library::SetConfig(uint32_t option, uint32_t value) {
  std::lock_guard<std::mutex> lk(m_);
  switch (option) {
    case 11: // BASS_CONFIG_NET_TIMEOUT
      if (value < 100 || value > 600000) return Err::IllParam;
      config_.timeoutMs = static_cast<int>(value);
      return Err::Ok;
    case 15: // BASS_CONFIG_NET_PREBUF
      config_.prebufPercent = static_cast<int>(value > 100 ? 100 : value);
      return Err::Ok;
    case 21: // BASS_CONFIG_NET_PLAYLIST
      config_.playlists = value != 0;
      return Err::Ok;
    default: return Err::IllType;
  }
}

Err Library::LoadPlugin(const std::string& file, uint32_t& handle) {
  {
    std::lock_guard<std::mutex> lk(m_);
    if (!initialised_) return Err::Init;
  }
  if (file.empty()) return Err::FileOpen;
  void* m = LoadModule(file);
  if (!m) return Err::FileOpen;
  std::lock_guard<std::mutex> lk(m_);
  plugins_.push_back(m);
  handle = next_handle_++;
  return Err::Ok;
}

Err Library::CreateUrlStream(const std::string& url, uint32_t flags, Stream::DownloadFn fn,
                             uint32_t& handle) {
  StreamEnv env;
  {
    std::lock_guard<std::mutex> lk(m_);
    if (!initialised_) return Err::Init;
    env = config_;
    env.net = net_;
    env.output = output_;
  }
  // Connecting takes time: done without the lock so other calls go on.
  std::shared_ptr<Stream> s;
  Err err = Stream::Open(url, flags, std::move(fn), env, s);
  if (err != Err::Ok) return err;
  std::unique_lock<std::mutex> lk(m_);
  if (!initialised_) { // BASS_Free ran meanwhile
    lk.unlock();
    s->Free(Pump());
    return Err::Init;
  }
  handle = next_handle_++;
  streams_[handle] = s;
  return Err::Ok;
}

Err Library::FreeStream(uint32_t handle) {
  std::shared_ptr<Stream> s;
  WaitPump pump;
  {
    std::lock_guard<std::mutex> lk(m_);
    auto it = streams_.find(handle);
    if (it == streams_.end()) return initialised_ ? Err::Handle : Err::Init;
    s = it->second;
    streams_.erase(it);
    for (auto f = fx_.begin(); f != fx_.end();)
      f = f->second.stream.lock() == s ? fx_.erase(f) : std::next(f);
    pump = pump_;
  }
  s->Free(pump);
  return Err::Ok;
}

std::shared_ptr<Stream> Library::Find(uint32_t handle, Err& err) {
  std::lock_guard<std::mutex> lk(m_);
  auto it = streams_.find(handle);
  if (it == streams_.end()) {
    err = initialised_ ? Err::Handle : Err::Init;
    return nullptr;
  }
  err = Err::Ok;
  return it->second;
}

uint32_t Library::NewSyncHandle() {
  std::lock_guard<std::mutex> lk(m_);
  return next_handle_++;
}

Err Library::AddFx(uint32_t stream, uint32_t& handle) {
  Err err = Err::Ok;
  std::shared_ptr<Stream> s = Find(stream, err);
  if (!s) return err;
  int index = s->AddEqBand();
  std::lock_guard<std::mutex> lk(m_);
  handle = next_handle_++;
  fx_[handle] = Fx{s, index};
  return Err::Ok;
}

std::shared_ptr<Stream> Library::FindFx(uint32_t fx, int& index, Err& err) {
  std::lock_guard<std::mutex> lk(m_);
  auto it = fx_.find(fx);
  std::shared_ptr<Stream> s = it == fx_.end() ? nullptr : it->second.stream.lock();
  if (!s) {
    err = initialised_ ? Err::Handle : Err::Init;
    return nullptr;
  }
  index = it->second.index;
  err = Err::Ok;
  return s;
}

} // namespace audiolib
