// The clipboard: formats, ownership, the viewer chain, and the program's in-process store (mirrored to the
// desktop's clipboard as text when the program runs on a real display).
#pragma once

#include "platform/win/GlobalMemory.h"
#include "platform/win/WinTypes.h"

#include <string>

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_BITMAP = 2;
inline constexpr UINT CF_METAFILEPICT = 3;
inline constexpr UINT CF_OEMTEXT = 7;
inline constexpr UINT CF_DIB = 8;
inline constexpr UINT CF_UNICODETEXT = 13;
inline constexpr UINT CF_ENHMETAFILE = 14;
inline constexpr UINT CF_HDROP = 15;
inline constexpr UINT CF_LOCALE = 16;

// One window (or 0) opens the clipboard at a time; a second open fails with ERROR_ACCESS_DENIED until
// CloseClipboard.
BOOL OpenClipboard(HWND Wnd);
BOOL CloseClipboard();
// Frees what the clipboard holds (sending WM_DESTROYCLIPBOARD to the old owner) and makes the opener the owner.
BOOL EmptyClipboard();
// The clipboard takes the handle (a GlobalAlloc block; an HBITMAP for CF_BITMAP). A null handle promises the
// data later: the owner gets WM_RENDERFORMAT when someone asks for it. Needs the clipboard open.
HANDLE SetClipboardData(UINT Format, HANDLE Mem);
// The clipboard's handle (not to be freed). CF_TEXT and CF_UNICODETEXT are made from each other.
HANDLE GetClipboardData(UINT Format);
BOOL IsClipboardFormatAvailable(UINT Format);
int CountClipboardFormats();
UINT EnumClipboardFormats(UINT Format);  // 0 starts; 0 at the end
// Names compare without regard to case; the same name gives the same number (0xC000 and up).
UINT RegisterClipboardFormat(LPCSTR Name);
int GetClipboardFormatName(UINT Format, LPSTR Name, int MaxCount);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
DWORD GetClipboardSequenceNumber();
// The viewer chain: the new viewer gets WM_DRAWCLIPBOARD at once and whenever the contents change, and passes
// it on to the viewer SetClipboardViewer returned.
HWND SetClipboardViewer(HWND Wnd);
HWND GetClipboardViewer();
BOOL ChangeClipboardChain(HWND Remove, HWND Next);

// The toolkit's side of the desktop clipboard: text only. Installed by the toolkit at load time; absent or
// inactive (headless tests), the clipboard is the program's alone.
struct TClipboardMirror {
  bool (*Active)() = nullptr;
  void (*Export)(const std::string& Text1252) = nullptr;
  // Text that another program put on the desktop's clipboard since the last export; false when none.
  bool (*Import)(std::string& Text1252) = nullptr;
  // When set, used instead of Export and Import: the rich text ("Rich Text Format", the bytes of an RTF
  // document) travels beside the text; empty when there is none.
  void (*ExportRich)(const std::string& Text1252, const std::string& Rtf) = nullptr;
  bool (*ImportRich)(std::string& Text1252, std::string& Rtf) = nullptr;
};
// The registered format name of rich text on the clipboard.
inline constexpr const char* SRichTextFormatName = "Rich Text Format";
void SetClipboardMirror(const TClipboardMirror& Mirror);
