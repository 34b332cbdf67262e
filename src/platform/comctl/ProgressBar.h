// The progress bar, class "msctls_progress32" (PROGRESS_CLASSW): its styles, messages and states.
#pragma once

#include "platform/comctl/CommonTypes.h"

namespace orvane::platform {

inline constexpr LPCWSTR PROGRESS_CLASSW = u"msctls_progress32";

inline constexpr DWORD PBS_SMOOTH = 0x01;
inline constexpr DWORD PBS_VERTICAL = 0x04;
inline constexpr DWORD PBS_MARQUEE = 0x08;
inline constexpr DWORD PBS_SMOOTHREVERSE = 0x10;

inline constexpr UINT PBM_SETRANGE = WM_USER + 1;
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;
inline constexpr UINT PBM_STEPIT = WM_USER + 5;
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
inline constexpr UINT PBM_GETRANGE = WM_USER + 7;
inline constexpr UINT PBM_GETPOS = WM_USER + 8;
inline constexpr UINT PBM_SETBARCOLOR = WM_USER + 9;
inline constexpr UINT PBM_SETMARQUEE = WM_USER + 10;
inline constexpr UINT PBM_GETSTEP = WM_USER + 13;
inline constexpr UINT PBM_GETBKCOLOR = WM_USER + 14;
inline constexpr UINT PBM_GETBARCOLOR = WM_USER + 15;
inline constexpr UINT PBM_SETSTATE = WM_USER + 16;
inline constexpr UINT PBM_GETSTATE = WM_USER + 17;
inline constexpr UINT PBM_SETBKCOLOR = CCM_SETBKCOLOR;

inline constexpr int PBST_NORMAL = 1;
inline constexpr int PBST_ERROR = 2;
inline constexpr int PBST_PAUSED = 3;

struct PBRANGE {
    int iLow = 0;
    int iHigh = 0;
};

}  // namespace orvane::platform
