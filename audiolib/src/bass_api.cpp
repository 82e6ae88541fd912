// The C interface: argument checks, the per-thread error code, and the
// translation of C callbacks into the engine's. Everything else is Library
// and Stream.
#include <cstring>
#include <new>

#include "audiolib/bass.h"
#include "audiolib/src/Library.h"

using audiolib::Err;
using audiolib::Library;
using audiolib::Stream;

namespace {

thread_local int g_error = BASS_OK;

// The engine's codes go out through BASS_ErrorGetCode as they are: every one
// must be the header's number.
constexpr bool SameCode(Err e, int code) { return static_cast<int>(e) == code; }
static_assert(SameCode(Err::Ok, BASS_OK));
static_assert(SameCode(Err::Init, BASS_ERROR_INIT));
static_assert(SameCode(Err::Already, BASS_ERROR_ALREADY));
static_assert(SameCode(Err::Device, BASS_ERROR_DEVICE));
static_assert(SameCode(Err::Handle, BASS_ERROR_HANDLE));
static_assert(SameCode(Err::IllParam, BASS_ERROR_ILLPARAM));
static_assert(SameCode(Err::IllType, BASS_ERROR_ILLTYPE));
static_assert(SameCode(Err::Url, BASS_ERROR_URL));
static_assert(SameCode(Err::Ssl, BASS_ERROR_SSL));
static_assert(SameCode(Err::NoNet, BASS_ERROR_NONET));
static_assert(SameCode(Err::Timeout, BASS_ERROR_TIMEOUT));
static_assert(SameCode(Err::Http, BASS_ERROR_HTTP));
static_assert(SameCode(Err::Protocol, BASS_ERROR_PROTOCOL));
static_assert(SameCode(Err::Redirect, BASS_ERROR_REDIRECT));
static_assert(SameCode(Err::Playlist, BASS_ERROR_PLAYLIST));
static_assert(SameCode(Err::FileForm, BASS_ERROR_FILEFORM));
static_assert(SameCode(Err::FileOpen, BASS_ERROR_FILEOPEN));
static_assert(SameCode(Err::NotAvail, BASS_ERROR_NOTAVAIL));
static_assert(SameCode(Err::Mem, BASS_ERROR_MEM));
static_assert(SameCode(Err::Unknown, BASS_ERROR_UNKNOWN));

template <typename T>
T Fail(Err e, T result) {
  g_error = static_cast<int>(e);
  return result;
}

template <typename T>
T Done(Err e, T ok, T failed) {
  g_error = static_cast<int>(e);
  return e == Err::Ok ? ok : failed;
}

// Inside a catch block: nothing may unwind into the caller, who may not even
// be C++; the failure becomes the call's error code.
template <typename T>
T Caught(T failed) {
  try {
    throw;
  } catch (const std::bad_alloc&) { g_error = BASS_ERROR_MEM; } catch (...) {
    g_error = BASS_ERROR_UNKNOWN;
  }
  return failed;
}

std::shared_ptr<Stream> FindStream(DWORD handle) {
  Err err = Err::Ok;
  auto s = Library::Instance().Find(handle, err);
  g_error = static_cast<int>(err);
  return s;
}

} // namespace

// Only these functions leave the DLL (nothing of the static runtime).
#ifdef _WIN32
#define EXPORT __declspec(dllexport)
#else
#define EXPORT
#endif

extern "C" {

EXPORT DWORD BASSDEF(BASS_GetVersion)(void) { return 0x02040000; }

EXPORT int BASSDEF(BASS_ErrorGetCode)(void) { return g_error; }

EXPORT const char* BASSDEF(BASS_ErrorGetText)(int code) { return audiolib::ErrorText(code); }

EXPORT BOOL BASSDEF(BASS_Init)(int device, DWORD freq, DWORD flags, HWND win,
                               const void* clsid) try {
  if (device < -1 || freq == 0) return Fail(device < -1 ? Err::Device : Err::IllParam, FALSE);
  return Done(Library::Instance().Init(device), TRUE, FALSE);
} catch (...) { return Caught(FALSE); }

EXPORT BOOL BASSDEF(BASS_Free)(void) try {
  return Done(Library::Instance().Free(), TRUE, FALSE);
} catch (...) { return Caught(FALSE); }

EXPORT BOOL BASSDEF(BASS_SetConfig)(DWORD option, DWORD value) try {
  return Done(Library::Instance().SetConfig(option, value), TRUE, FALSE);
} catch (...) { return Caught(FALSE); }

EXPORT HPLUGIN BASSDEF(BASS_PluginLoad)(const char* file, DWORD flags) try {
  if (!file) return Fail(Err::IllParam, HPLUGIN(0));
  uint32_t h = 0;
  Err err = Library::Instance().LoadPlugin(file, h);
  return Done(err, HPLUGIN(h), HPLUGIN(0));
} catch (...) { return Caught(HPLUGIN(0)); }

EXPORT HSTREAM BASSDEF(BASS_StreamCreateURL)(const char* url, DWORD offset, DWORD flags,
                                             DOWNLOADPROC* proc, void* user) try {
  if (!url) return Fail(Err::IllParam, HSTREAM(0));
  Stream::DownloadFn fn;
  if (proc) fn = [proc, user](const void* d, uint32_t n) { proc(d, n, user); };
  uint32_t h = 0;
  Err err = Library::Instance().CreateUrlStream(url, flags, std::move(fn), h);
  return Done(err, HSTREAM(h), HSTREAM(0));
} catch (...) { return Caught(HSTREAM(0)); }

EXPORT BOOL BASSDEF(BASS_StreamFree)(HSTREAM handle) try {
  return Done(Library::Instance().FreeStream(handle), TRUE, FALSE);
} catch (...) { return Caught(FALSE); }

EXPORT QWORD BASSDEF(BASS_StreamGetFilePosition)(HSTREAM handle, DWORD mode) try {
  auto s = FindStream(handle);
  if (!s) return QWORD(-1);
  uint64_t pos = s->FilePosition(static_cast<int>(mode));
  if (pos == Stream::kUnknown) return Fail(Err::IllType, QWORD(-1));
  return pos;
} catch (...) { return Caught(QWORD(-1)); }

EXPORT const char* BASSDEF(BASS_ChannelGetTags)(DWORD handle, DWORD tags) try {
  auto s = FindStream(handle);
  if (!s) return nullptr;
  if (tags != BASS_TAG_META) return Fail(Err::IllType, static_cast<const char*>(nullptr));
  const char* text = s->MetaText();
  return text ? text : Fail(Err::NotAvail, static_cast<const char*>(nullptr));
} catch (...) { return Caught(static_cast<const char*>(nullptr)); }

EXPORT HSYNC BASSDEF(BASS_ChannelSetSync)(DWORD handle, DWORD type, QWORD param, SYNCPROC* proc,
                                          void* user) try {
  auto s = FindStream(handle);
  if (!s) return 0;
  if (type != BASS_SYNC_META) return Fail(Err::IllType, HSYNC(0));
  if (!proc) return Fail(Err::IllParam, HSYNC(0));
  HSYNC sync = Library::Instance().NewSyncHandle();
  s->AddSync([proc, sync, handle, user] { proc(sync, handle, 0, user); });
  return sync;
} catch (...) { return Caught(HSYNC(0)); }

EXPORT BOOL BASSDEF(BASS_ChannelSetAttribute)(DWORD handle, DWORD attrib, float value) try {
  auto s = FindStream(handle);
  if (!s) return FALSE;
  if (attrib != BASS_ATTRIB_VOL) return Fail(Err::IllType, FALSE);
  if (!(value >= 0.0f)) return Fail(Err::IllParam, FALSE); // also rejects NaN
  s->SetVolume(value > 1.0f ? 1.0f : value);
  return TRUE;
} catch (...) { return Caught(FALSE); }

EXPORT BOOL BASSDEF(BASS_ChannelPlay)(DWORD handle, BOOL restart) try {
  auto s = FindStream(handle);
  if (!s) return FALSE;
  return Done(s->Play(), TRUE, FALSE);
} catch (...) { return Caught(FALSE); }

EXPORT BOOL BASSDEF(BASS_ChannelGetInfo)(DWORD handle, BASS_CHANNELINFO* info) try {
  auto s = FindStream(handle);
  if (!s) return FALSE;
  if (!info) return Fail(Err::IllParam, FALSE);
  const audiolib::StreamInfo& i = s->Info();
  std::memset(info, 0, sizeof *info);
  info->freq = static_cast<DWORD>(i.sampleRate);
  info->chans = static_cast<DWORD>(i.channels);
  info->flags = i.flags;
  info->ctype = i.layer == 1   ? BASS_CTYPE_STREAM_MP1
                : i.layer == 2 ? BASS_CTYPE_STREAM_MP2
                               : BASS_CTYPE_STREAM_MP3;
  info->origres = 16;
  info->bitrate = static_cast<DWORD>(i.bitrateKbps);
  info->filename = i.url.c_str();
  return TRUE;
} catch (...) { return Caught(FALSE); }

EXPORT DWORD BASSDEF(BASS_ChannelIsActive)(DWORD handle) try {
  auto s = FindStream(handle);
  return s ? static_cast<DWORD>(s->Active()) : BASS_ACTIVE_STOPPED;
} catch (...) { return Caught(DWORD(BASS_ACTIVE_STOPPED)); }

EXPORT DWORD BASSDEF(BASS_ChannelGetData)(DWORD handle, void* buffer, DWORD length) try {
  auto s = FindStream(handle);
  if (!s) return DWORD(-1);
  if (length != BASS_DATA_FFT2048) return Fail(Err::IllType, DWORD(-1));
  if (!buffer) return Fail(Err::IllParam, DWORD(-1));
  s->Spectrum(static_cast<float*>(buffer));
  return 1024 * sizeof(float);
} catch (...) { return Caught(DWORD(-1)); }

EXPORT DWORD BASSDEF(BASS_ChannelGetLevel)(DWORD handle) try {
  auto s = FindStream(handle);
  return s ? static_cast<DWORD>(s->Level()) : DWORD(-1);
} catch (...) { return Caught(DWORD(-1)); }

EXPORT HFX BASSDEF(BASS_ChannelSetFX)(DWORD handle, DWORD type, int priority) try {
  if (type != BASS_FX_DX8_PARAMEQ) {
    if (!FindStream(handle)) return 0;
    return Fail(Err::IllType, HFX(0));
  }
  uint32_t h = 0;
  Err err = Library::Instance().AddFx(handle, h);
  return Done(err, HFX(h), HFX(0));
} catch (...) { return Caught(HFX(0)); }

EXPORT BOOL BASSDEF(BASS_FXSetParameters)(HFX handle, const void* params) try {
  int index = 0;
  Err err = Err::Ok;
  auto s = Library::Instance().FindFx(handle, index, err);
  if (!s) return Fail(err, FALSE);
  if (!params) return Fail(Err::IllParam, FALSE);
  const BASS_DX8_PARAMEQ* p = static_cast<const BASS_DX8_PARAMEQ*>(params);
  if (!(p->fCenter >= 80.0f && p->fCenter <= 16000.0f) ||
      !(p->fBandwidth >= 1.0f && p->fBandwidth <= 36.0f) ||
      !(p->fGain >= -15.0f && p->fGain <= 15.0f))
    return Fail(Err::IllParam, FALSE);
  s->SetEqBand(index, audiolib::EqBand{p->fCenter, p->fBandwidth, p->fGain});
  g_error = BASS_OK;
  return TRUE;
} catch (...) { return Caught(FALSE); }

EXPORT BOOL BASSDEF(BASS_FXGetParameters)(HFX handle, void* params) try {
  int index = 0;
  Err err = Err::Ok;
  auto s = Library::Instance().FindFx(handle, index, err);
  if (!s) return Fail(err, FALSE);
  if (!params) return Fail(Err::IllParam, FALSE);
  audiolib::EqBand b = s->GetEqBand(index);
  BASS_DX8_PARAMEQ* p = static_cast<BASS_DX8_PARAMEQ*>(params);
  p->fCenter = b.center;
  p->fBandwidth = b.bandwidth;
  p->fGain = b.gain;
  g_error = BASS_OK;
  return TRUE;
} catch (...) { return Caught(FALSE); }

} // extern "C"
