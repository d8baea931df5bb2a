// The auxiliary audio devices of the multimedia calls. Linux gives programs no such device (CD audio played
// through the drive's analogue output), so there are none: every call reports a bad device.
#pragma once

#include "platform/win/WinTypes.h"

using MMRESULT = UINT;
inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr DWORD AUXCAPS_VOLUME = 0x0001;
inline constexpr DWORD AUXCAPS_LRVOLUME = 0x0002;

struct AUXCAPS {
  WORD wMid = 0;
  WORD wPid = 0;
  UINT vDriverVersion = 0;
  char szPname[32] = {};
  WORD wTechnology = 0;
  DWORD dwSupport = 0;
};

inline UINT auxGetNumDevs() { return 0; }
inline MMRESULT auxGetDevCaps(UINT /*DeviceID*/, AUXCAPS* /*Caps*/, UINT /*Size*/) { return MMSYSERR_BADDEVICEID; }
inline MMRESULT auxGetVolume(UINT /*DeviceID*/, DWORD* /*Volume*/) { return MMSYSERR_BADDEVICEID; }
inline MMRESULT auxSetVolume(UINT /*DeviceID*/, DWORD /*Volume*/) { return MMSYSERR_BADDEVICEID; }
