// A stand-in bass.dll of another version, for the player's start-up check:
// every call of the interface exists, the version is 2.3 and nothing works.
#include "audiolib/bass.h"

extern "C" {
DWORD WINAPI BASS_GetVersion(void) { return 0x02030000; }
int WINAPI BASS_ErrorGetCode(void) { return BASS_ERROR_INIT; }
const char* WINAPI BASS_ErrorGetText(int) { return "fake"; }
BOOL WINAPI BASS_Init(int, DWORD, DWORD, HWND, const void*) { return FALSE; }
BOOL WINAPI BASS_Free(void) { return FALSE; }
BOOL WINAPI BASS_SetConfig(DWORD, DWORD) { return FALSE; }
HPLUGIN WINAPI BASS_PluginLoad(const char*, DWORD) { return 0; }
HSTREAM WINAPI BASS_StreamCreateURL(const char*, DWORD, DWORD, DOWNLOADPROC*, void*) { return 0; }
BOOL WINAPI BASS_StreamFree(HSTREAM) { return FALSE; }
QWORD WINAPI BASS_StreamGetFilePosition(HSTREAM, DWORD) { return static_cast<QWORD>(-1); }
const char* WINAPI BASS_ChannelGetTags(DWORD, DWORD) { return nullptr; }
HSYNC WINAPI BASS_ChannelSetSync(DWORD, DWORD, QWORD, SYNCPROC*, void*) { return 0; }
BOOL WINAPI BASS_ChannelSetAttribute(DWORD, DWORD, float) { return FALSE; }
BOOL WINAPI BASS_ChannelPlay(DWORD, BOOL) { return FALSE; }
BOOL WINAPI BASS_ChannelGetInfo(DWORD, BASS_CHANNELINFO*) { return FALSE; }
DWORD WINAPI BASS_ChannelIsActive(DWORD) { return 0; }
DWORD WINAPI BASS_ChannelGetData(DWORD, void*, DWORD) { return static_cast<DWORD>(-1); }
DWORD WINAPI BASS_ChannelGetLevel(DWORD) { return static_cast<DWORD>(-1); }
HFX WINAPI BASS_ChannelSetFX(DWORD, DWORD, int) { return 0; }
BOOL WINAPI BASS_FXSetParameters(HFX, const void*) { return FALSE; }
BOOL WINAPI BASS_FXGetParameters(HFX, void*) { return FALSE; }
}
