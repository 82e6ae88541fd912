/* bass.h: the C interface of our audio library (bass.dll).
 *
 * Plays internet radio: HTTP/ICY streams with in-band titles, MPEG audio
 * layers 1-3, a volume, parametric equaliser bands, a 2048-sample spectrum and
 * channel levels. Handles are opaque 32-bit numbers, never reused within a
 * run. Every call that fails answers 0, FALSE or -1 and leaves a code for
 * BASS_ErrorGetCode (per calling thread); BASS_ErrorGetText turns a code into
 * an English message.
 *
 * Threads: the download callback and the sync callbacks run on the library's
 * own threads. BASS_StreamFree and BASS_Free may be called while such a
 * callback is blocked sending a window message to the calling thread: they
 * deliver sent messages while they wait, and once they return no callback of
 * the freed stream runs any more.
 */
#ifndef KORVALIS_BASS_H
#define KORVALIS_BASS_H

#ifdef _WIN32
#include <windows.h>
#define BASSDEF(f) WINAPI f
#else
#include <stdint.h>
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint64_t QWORD;
typedef int BOOL;
typedef void* HWND;
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#define CALLBACK
#define BASSDEF(f) f
#endif

#ifdef _WIN32
typedef unsigned __int64 QWORD;
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define BASSVERSION 0x204 /* high word of BASS_GetVersion */

typedef DWORD HSTREAM; /* a stream (channel) */
typedef DWORD HSYNC;   /* a sync set on a channel */
typedef DWORD HFX;     /* an effect set on a channel */
typedef DWORD HPLUGIN; /* a loaded plug-in */

/* Error codes (BASS_ErrorGetCode). The set is fixed; numbers never change. */
#define BASS_OK 0
#define BASS_ERROR_INIT 1      /* BASS_Init has not succeeded */
#define BASS_ERROR_ALREADY 2   /* already initialised */
#define BASS_ERROR_DEVICE 3    /* no such output device / no output device */
#define BASS_ERROR_HANDLE 4    /* the handle is not valid */
#define BASS_ERROR_ILLPARAM 5  /* an argument is out of range or null */
#define BASS_ERROR_ILLTYPE 6   /* unknown option, tag, sync, data or effect type */
#define BASS_ERROR_URL 7       /* malformed address or unknown scheme */
#define BASS_ERROR_SSL 8       /* https is not supported */
#define BASS_ERROR_NONET 9     /* the server could not be reached */
#define BASS_ERROR_TIMEOUT 10  /* the server did not answer in time */
#define BASS_ERROR_HTTP 11     /* the server answered with an error status */
#define BASS_ERROR_PROTOCOL 12 /* the answer is not HTTP/ICY or its header is too long */
#define BASS_ERROR_REDIRECT 13 /* more than 5 redirects */
#define BASS_ERROR_PLAYLIST 14 /* a playlist without a playable entry */
#define BASS_ERROR_FILEFORM 15 /* the stream is not MPEG audio */
#define BASS_ERROR_FILEOPEN 16 /* the plug-in file could not be loaded */
#define BASS_ERROR_NOTAVAIL 17 /* the requested data is not available */
#define BASS_ERROR_MEM 18      /* out of memory or threads */
#define BASS_ERROR_UNKNOWN -1

/* BASS_SetConfig options */
#define BASS_CONFIG_NET_TIMEOUT 11  /* connect / read time-out in ms (default 5000) */
#define BASS_CONFIG_NET_PREBUF 15   /* % of the download buffer filled before playback starts */
#define BASS_CONFIG_NET_PLAYLIST 21 /* 0: no playlists; 1, 2: follow .pls / .m3u addresses */

/* BASS_StreamCreateURL flags. With or without BASS_STREAM_STATUS the download
 * callback receives only the stream's audio bytes (in-band titles removed),
 * so that what it writes is a clean MPEG file. */
#define BASS_STREAM_STATUS 0x800000

/* BASS_StreamGetFilePosition modes */
#define BASS_FILEPOS_CURRENT 0  /* bytes taken from the download buffer by the decoder */
#define BASS_FILEPOS_DOWNLOAD 1 /* bytes of audio downloaded so far */
#define BASS_FILEPOS_END 2      /* length of the download buffer (5 s of the stream) */

/* BASS_ChannelGetTags types */
#define BASS_TAG_META 5 /* latest in-stream title block, e.g. "StreamTitle='...';" */

/* BASS_ChannelSetSync types */
#define BASS_SYNC_META 4 /* the in-stream title text changed */

/* BASS_ChannelSetAttribute attributes */
#define BASS_ATTRIB_VOL 2 /* volume 0..1 */

/* BASS_ChannelGetData lengths */
#define BASS_DATA_FFT2048 0x80000003 /* 1024 floats: Hann-windowed 2048-sample FFT magnitudes */

/* BASS_ChannelIsActive results */
#define BASS_ACTIVE_STOPPED 0
#define BASS_ACTIVE_PLAYING 1
#define BASS_ACTIVE_STALLED 2
#define BASS_ACTIVE_PAUSED 3

/* BASS_ChannelSetFX types */
#define BASS_FX_DX8_PARAMEQ 7 /* one peaking equaliser band */

/* BASS_CHANNELINFO ctype values */
#define BASS_CTYPE_STREAM_MP1 0x10003
#define BASS_CTYPE_STREAM_MP2 0x10004
#define BASS_CTYPE_STREAM_MP3 0x10005

typedef struct BASS_CHANNELINFO {
  DWORD freq;           /* sample rate in Hz */
  DWORD chans;          /* channels of the stream */
  DWORD flags;          /* flags the stream was created with */
  DWORD ctype;          /* BASS_CTYPE_STREAM_MP1..MP3 */
  DWORD origres;        /* bits per sample of the output (16) */
  DWORD bitrate;        /* nominal bitrate in kbit/s */
  const char* filename; /* the address the stream plays from */
} BASS_CHANNELINFO;

/* One equaliser band: centre 80..16000 Hz (kept below the stream's Nyquist
 * frequency), bandwidth 1..36 semitones, gain -15..+15 dB. */
typedef struct BASS_DX8_PARAMEQ {
  float fCenter;
  float fBandwidth;
  float fGain;
} BASS_DX8_PARAMEQ;

/* buffer = a block of audio bytes; null with length 0 once the download ended */
typedef void(CALLBACK DOWNLOADPROC)(const void* buffer, DWORD length, void* user);
/* data is 0 for BASS_SYNC_META */
typedef void(CALLBACK SYNCPROC)(HSYNC handle, DWORD channel, DWORD data, void* user);

DWORD BASSDEF(BASS_GetVersion)(void);
int BASSDEF(BASS_ErrorGetCode)(void);
const char* BASSDEF(BASS_ErrorGetText)(int code);
BOOL BASSDEF(BASS_Init)(int device, DWORD freq, DWORD flags, HWND win, const void* clsid);
BOOL BASSDEF(BASS_Free)(void);
BOOL BASSDEF(BASS_SetConfig)(DWORD option, DWORD value);
HPLUGIN BASSDEF(BASS_PluginLoad)(const char* file, DWORD flags);

HSTREAM BASSDEF(BASS_StreamCreateURL)(const char* url, DWORD offset, DWORD flags,
                                      DOWNLOADPROC* proc, void* user);
BOOL BASSDEF(BASS_StreamFree)(HSTREAM handle);
QWORD BASSDEF(BASS_StreamGetFilePosition)(HSTREAM handle, DWORD mode);

const char* BASSDEF(BASS_ChannelGetTags)(DWORD handle, DWORD tags);
HSYNC BASSDEF(BASS_ChannelSetSync)(DWORD handle, DWORD type, QWORD param, SYNCPROC* proc,
                                   void* user);
BOOL BASSDEF(BASS_ChannelSetAttribute)(DWORD handle, DWORD attrib, float value);
BOOL BASSDEF(BASS_ChannelPlay)(DWORD handle, BOOL restart);
BOOL BASSDEF(BASS_ChannelGetInfo)(DWORD handle, BASS_CHANNELINFO* info);
DWORD BASSDEF(BASS_ChannelIsActive)(DWORD handle);
DWORD BASSDEF(BASS_ChannelGetData)(DWORD handle, void* buffer, DWORD length);
DWORD BASSDEF(BASS_ChannelGetLevel)(DWORD handle);
HFX BASSDEF(BASS_ChannelSetFX)(DWORD handle, DWORD type, int priority);
BOOL BASSDEF(BASS_FXSetParameters)(HFX handle, const void* params);
BOOL BASSDEF(BASS_FXGetParameters)(HFX handle, void* params);

#ifdef __cplusplus
}
#endif

#endif /* KORVALIS_BASS_H */
