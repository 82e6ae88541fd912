// The one library instance the C interface implies: initialisation, options,
// the handle tables of streams, syncs and effects, and loaded plug-ins. Its
// lock is never held while a stream is freed or a callback runs, so a
// callback may call back into the library at any time.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "audiolib/src/Stream.h"

namespace audiolib {

class Library {
 public:
  static Library& Instance();

  // Replaceable parts, for tests: the network, the output and the wait pump.
  void SetNetwork(std::shared_ptr<Network> net);
  void SetOutput(std::shared_ptr<OutputBackend> out);
  void SetWaitPump(WaitPump pump);

  Err Init(int device);
  Err Free();
  Err SetConfig(uint32_t option, uint32_t value);
  Err LoadPlugin(const std::string& file, uint32_t& handle);

  Err CreateUrlStream(const std::string& url, uint32_t flags, Stream::DownloadFn fn,
                      uint32_t& handle);
  Err FreeStream(uint32_t handle);
  // Null (and Handle) when the handle is not an open stream.
  std::shared_ptr<Stream> Find(uint32_t handle, Err& err);

  uint32_t NewSyncHandle();
  Err AddFx(uint32_t stream, uint32_t& handle);
  // The stream and band index of an effect, or null.
  std::shared_ptr<Stream> FindFx(uint32_t fx, int& index, Err& err);

 private:
  Library();
  WaitPump Pump();

  std::mutex m_;
  bool initialised_ = false;
  std::shared_ptr<Network> net_;
  std::shared_ptr<OutputBackend> output_;
  WaitPump pump_;
  StreamEnv config_;
  uint32_t next_handle_ = 1;
  std::map<uint32_t, std::shared_ptr<Stream>> streams_;
  struct Fx {
    std::weak_ptr<Stream> stream;
    int index;
  };
  std::map<uint32_t, Fx> fx_;
  std::vector<void*> plugins_;
};

} // namespace audiolib
