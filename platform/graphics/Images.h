// Images from resources and files: LoadBitmap, LoadIcon, LoadImage, and the platform's stock bitmaps and icons
// (drawn by the layer in the classic look).
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/win/Resources.h"

#include <string>

// A bitmap from BMP bytes (a file, or a bitmap resource without the file header); raises EInvalidGraphic.
HBITMAP BitmapFromBytes(const std::string& Data);
// An icon or cursor from .ico/.cur bytes (the first image, 24 or 32 bits); raises EInvalidGraphic.
HICON IconFromBytes(const std::string& Data);

inline constexpr WORD OBM_LFARROWI = 32734;
inline constexpr WORD OBM_RGARROWI = 32735;
inline constexpr WORD OBM_DNARROWI = 32736;
inline constexpr WORD OBM_UPARROWI = 32737;
inline constexpr WORD OBM_COMBO = 32738;
inline constexpr WORD OBM_MNARROW = 32739;
inline constexpr WORD OBM_LFARROWD = 32740;
inline constexpr WORD OBM_RGARROWD = 32741;
inline constexpr WORD OBM_DNARROWD = 32742;
inline constexpr WORD OBM_UPARROWD = 32743;
inline constexpr WORD OBM_RESTORED = 32744;
inline constexpr WORD OBM_ZOOMD = 32745;
inline constexpr WORD OBM_REDUCED = 32746;
inline constexpr WORD OBM_RESTORE = 32747;
inline constexpr WORD OBM_ZOOM = 32748;
inline constexpr WORD OBM_REDUCE = 32749;
inline constexpr WORD OBM_LFARROW = 32750;
inline constexpr WORD OBM_RGARROW = 32751;
inline constexpr WORD OBM_DNARROW = 32752;
inline constexpr WORD OBM_UPARROW = 32753;
inline constexpr WORD OBM_CLOSE = 32754;
inline constexpr WORD OBM_BTNCORNERS = 32758;
inline constexpr WORD OBM_CHECKBOXES = 32759;
inline constexpr WORD OBM_CHECK = 32760;
inline constexpr WORD OBM_BTSIZE = 32761;
inline constexpr WORD OBM_SIZE = 32766;

inline constexpr WORD IDI_APPLICATION = 32512;
inline constexpr WORD IDI_HAND = 32513;
inline constexpr WORD IDI_ERROR = IDI_HAND;
inline constexpr WORD IDI_QUESTION = 32514;
inline constexpr WORD IDI_EXCLAMATION = 32515;
inline constexpr WORD IDI_WARNING = IDI_EXCLAMATION;
inline constexpr WORD IDI_ASTERISK = 32516;
inline constexpr WORD IDI_INFORMATION = IDI_ASTERISK;
inline constexpr WORD IDI_WINLOGO = 32517;

// With no instance, the OBM_ stock bitmaps (OBM_CHECKBOXES: 4 columns of 13x13 states - unchecked, checked,
// pushed, pushed checked - for check boxes, radio buttons and three-state boxes). Otherwise an RT_BITMAP
// resource. The caller owns the bitmap. Null with ERROR_RESOURCE_NAME_NOT_FOUND when there is none.
HBITMAP LoadBitmap(HINSTANCE Instance, LPCSTR Name);
// With no instance, the IDI_ stock icons (32x32, shared: never destroyed); otherwise an RT_GROUP_ICON (or
// RT_ICON) resource holding an .ico file.
HICON LoadIcon(HINSTANCE Instance, LPCSTR Name);

inline constexpr UINT IMAGE_BITMAP = 0;
inline constexpr UINT IMAGE_ICON = 1;
inline constexpr UINT IMAGE_CURSOR = 2;
inline constexpr UINT LR_DEFAULTCOLOR = 0x0000;
inline constexpr UINT LR_MONOCHROME = 0x0001;
inline constexpr UINT LR_LOADFROMFILE = 0x0010;
inline constexpr UINT LR_LOADTRANSPARENT = 0x0020;
inline constexpr UINT LR_DEFAULTSIZE = 0x0040;
inline constexpr UINT LR_CREATEDIBSECTION = 0x2000;
inline constexpr UINT LR_SHARED = 0x8000;
// Bitmaps, icons and cursors from resources or (LR_LOADFROMFILE) files; Cx/Cy other than 0 stretch bitmaps.
// Standard cursors come back as their shared handles. Null on failure.
HANDLE LoadImage(HINSTANCE Instance, LPCSTR Name, UINT Type, int Cx, int Cy, UINT Flags);
