// OLE drag and drop: interface identifiers, the data-object, enumerator, drop-source and drop-target interfaces,
// drop-target registration and the modal drag loop, with the layer's own data object for dragged-in data.
#pragma once

#include "platform/win/Clipboard.h"
#include "platform/win/Desktop.h"
#include "platform/win/WinUser.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// ---- Identifiers and result codes ---------------------------------------------------------------------------------
struct GUID {
  DWORD Data1 = 0;
  WORD Data2 = 0;
  WORD Data3 = 0;
  BYTE Data4[8] = {};
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
inline bool IsEqualGUID(REFGUID A, REFGUID B) { return std::memcmp(&A, &B, sizeof(GUID)) == 0; }
inline bool IsEqualIID(REFIID A, REFIID B) { return IsEqualGUID(A, B); }
inline bool operator==(REFGUID A, REFGUID B) { return IsEqualGUID(A, B); }

inline constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IEnumFORMATETC{0x00000103, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDataObject{0x0000010E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDropSource{0x00000121, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDropTarget{0x00000122, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

inline constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003);
inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064);
inline constexpr HRESULT DV_E_LINDEX = static_cast<HRESULT>(0x80040068);
inline constexpr HRESULT DV_E_TYMED = static_cast<HRESULT>(0x80040069);
inline constexpr HRESULT DATA_S_SAMEFORMATETC = 0x00040130;
inline constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
inline constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100);
inline constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101);
inline constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102);

// ---- Data descriptions --------------------------------------------------------------------------------------------
using CLIPFORMAT = WORD;
using LPOLESTR = char16_t*;

inline constexpr DWORD TYMED_NULL = 0;
inline constexpr DWORD TYMED_HGLOBAL = 1;
inline constexpr DWORD TYMED_FILE = 2;
inline constexpr DWORD TYMED_ISTREAM = 4;
inline constexpr DWORD TYMED_ISTORAGE = 8;
inline constexpr DWORD TYMED_GDI = 16;
inline constexpr DWORD TYMED_MFPICT = 32;
inline constexpr DWORD TYMED_ENHMF = 64;

inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr DWORD DVASPECT_THUMBNAIL = 2;
inline constexpr DWORD DVASPECT_ICON = 4;
inline constexpr DWORD DVASPECT_DOCPRINT = 8;

inline constexpr DWORD DATADIR_GET = 1;
inline constexpr DWORD DATADIR_SET = 2;

inline constexpr DWORD DROPEFFECT_NONE = 0;
inline constexpr DWORD DROPEFFECT_COPY = 1;
inline constexpr DWORD DROPEFFECT_MOVE = 2;
inline constexpr DWORD DROPEFFECT_LINK = 4;
inline constexpr DWORD DROPEFFECT_SCROLL = 0x80000000;

// Key-state bits of the drag callbacks: the mouse-message bits plus Alt.
inline constexpr DWORD MK_ALT = 0x0020;

struct POINTL {
  LONG x = 0;
  LONG y = 0;
};

// A target device block: its first word is its own size in bytes.
struct DVTARGETDEVICE {
  DWORD tdSize = 0;
  WORD tdDriverNameOffset = 0;
  WORD tdDeviceNameOffset = 0;
  WORD tdPortNameOffset = 0;
  WORD tdExtDevmodeOffset = 0;
  BYTE tdData[1] = {};
};

struct FORMATETC {
  CLIPFORMAT cfFormat = 0;
  DVTARGETDEVICE* ptd = nullptr;
  DWORD dwAspect = 0;
  LONG lindex = 0;
  DWORD tymed = 0;
};

class IUnknown;
class IStream;
class IStorage;
class IAdviseSink;
class IEnumSTATDATA;

// The data handed over; pUnkForRelease, when set, is released instead of freeing the data.
struct STGMEDIUM {
  DWORD tymed = TYMED_NULL;
  union {
    HBITMAP hBitmap;
    HANDLE hMetaFilePict;
    HANDLE hEnhMetaFile;
    HGLOBAL hGlobal = nullptr;
    LPOLESTR lpszFileName;
    IStream* pstm;
    IStorage* pstg;
  };
  IUnknown* pUnkForRelease = nullptr;
};

// ---- Interfaces ---------------------------------------------------------------------------------------------------
// Plain abstract classes whose slots follow the platform's published order, so that an object another unit lays
// out the same way can be passed for them. Nobody deletes through these: objects free themselves in Release.
class IUnknown {
public:
  virtual HRESULT QueryInterface(REFIID Riid, void** Object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  ~IUnknown() = default;
};

class IEnumFORMATETC : public IUnknown {
public:
  virtual HRESULT Next(ULONG Celt, FORMATETC* Rgelt, ULONG* CeltFetched) = 0;
  virtual HRESULT Skip(ULONG Celt) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumFORMATETC** Enum) = 0;

protected:
  ~IEnumFORMATETC() = default;
};

class IDataObject : public IUnknown {
public:
  virtual HRESULT GetData(FORMATETC* FormatIn, STGMEDIUM* Medium) = 0;
  virtual HRESULT GetDataHere(FORMATETC* Format, STGMEDIUM* Medium) = 0;
  virtual HRESULT QueryGetData(FORMATETC* Format) = 0;
  virtual HRESULT GetCanonicalFormatEtc(FORMATETC* FormatIn, FORMATETC* FormatOut) = 0;
  virtual HRESULT SetData(FORMATETC* Format, STGMEDIUM* Medium, BOOL Release) = 0;
  virtual HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) = 0;
  virtual HRESULT DAdvise(FORMATETC* Format, DWORD Advf, IAdviseSink* Sink, DWORD* Connection) = 0;
  virtual HRESULT DUnadvise(DWORD Connection) = 0;
  virtual HRESULT EnumDAdvise(IEnumSTATDATA** Enum) = 0;

protected:
  ~IDataObject() = default;
};

class IDropSource : public IUnknown {
public:
  // S_OK to go on, DRAGDROP_S_DROP or DRAGDROP_S_CANCEL to end the drag.
  virtual HRESULT QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) = 0;
  // DRAGDROP_S_USEDEFAULTCURSORS lets the loop show its own cursor for the effect.
  virtual HRESULT GiveFeedback(DWORD Effect) = 0;

protected:
  ~IDropSource() = default;
};

class IDropTarget : public IUnknown {
public:
  virtual HRESULT DragEnter(IDataObject* Data, DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;
  virtual HRESULT DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* Data, DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;

protected:
  ~IDropTarget() = default;
};

// ---- Functions ----------------------------------------------------------------------------------------------------
// Counted per process: S_OK the first time, S_FALSE after. Registration and the drag loop also work without it.
HRESULT OleInitialize(void* Reserved);
void OleUninitialize();
// One target per window; registration takes a reference that revocation (or the window's end) gives back.
// Errors: DRAGDROP_E_INVALIDHWND (no such window), E_INVALIDARG (no target), DRAGDROP_E_ALREADYREGISTERED,
// DRAGDROP_E_NOTREGISTERED.
HRESULT RegisterDragDrop(HWND Wnd, IDropTarget* Target);
HRESULT RevokeDragDrop(HWND Wnd);
// Frees what the medium holds (global memory, a file name), or releases pUnkForRelease instead; then empties it.
void ReleaseStgMedium(STGMEDIUM* Medium);

// The modal drag loop. Takes the mouse and runs the window system's loop (windows paint, timers run) until the
// source ends the drag. Every mouse move, key-state change and 50 ms tick asks the source QueryContinueDrag; the
// target registered for the window under the pointer, or for its nearest registered ancestor, gets DragEnter,
// DragOver, DragLeave and Drop with the key state and the screen point; their effect is limited to OkEffects and
// shown through the source's GiveFeedback. A window that only accepts files (DragAcceptFiles) takes CF_HDROP
// data as WM_DROPFILES. Returns DRAGDROP_S_DROP with the effect of the drop, or DRAGDROP_S_CANCEL with
// DROPEFFECT_NONE (Escape, a source's cancel, a target that refused, lost capture, WM_QUIT); E_INVALIDARG
// for missing arguments. In a real desktop session, a pointer that leaves the program's windows hands the data
// over to the desktop's drag, so another program can take it.
HRESULT DoDragDrop(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD* Effect);
// The drop target registered for a window (no reference added), or null.
IDropTarget* RegisteredDropTarget(HWND Wnd);
// The cursor the loop shows for an effect when the source asks for the default cursors.
HCURSOR DefaultDragCursor(DWORD Effect);

// ---- The layer's data object ----------------------------------------------------------------------------------------
// Formats offered as global memory, each rendered on request into bytes. Used for data dragged in from the
// desktop; anyone may make one. Created with one reference; frees itself when released to zero.
class TMemoryDataObject final : public IDataObject {
public:
  // Fills Bytes for a format; false when the data cannot be had (any more).
  using TRender = std::function<bool(UINT Format, std::string& Bytes)>;
  TMemoryDataObject(std::vector<UINT> Formats, TRender Render);
  TMemoryDataObject(const TMemoryDataObject&) = delete;
  TMemoryDataObject& operator=(const TMemoryDataObject&) = delete;

  HRESULT QueryInterface(REFIID Riid, void** Object) override;
  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetData(FORMATETC* FormatIn, STGMEDIUM* Medium) override;
  HRESULT GetDataHere(FORMATETC* Format, STGMEDIUM* Medium) override;
  HRESULT QueryGetData(FORMATETC* Format) override;
  HRESULT GetCanonicalFormatEtc(FORMATETC* FormatIn, FORMATETC* FormatOut) override;
  HRESULT SetData(FORMATETC* Format, STGMEDIUM* Medium, BOOL Release) override;
  HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) override;
  HRESULT DAdvise(FORMATETC* Format, DWORD Advf, IAdviseSink* Sink, DWORD* Connection) override;
  HRESULT DUnadvise(DWORD Connection) override;
  HRESULT EnumDAdvise(IEnumSTATDATA** Enum) override;

  // Renders every format now and forgets the renderer, so the object outlives the data it was made from.
  void Detach();
  ULONG RefCount() const { return FRefs; }

private:
  ~TMemoryDataObject() = default;
  std::atomic<ULONG> FRefs{1};
  std::vector<UINT> FFormats;
  std::vector<std::string> FCache;
  std::vector<bool> FCached;
  TRender FRender;
};

// A format enumerator over a copy of the records, created with one reference.
IEnumFORMATETC* CreateFormatEnumerator(const std::vector<FORMATETC>& Formats);

// Reads a global-memory format of a data object into bytes; false when it does not offer it.
bool OleReadFormat(IDataObject* Data, UINT Format, std::string& Bytes);

// ---- The desktop's side (called by the toolkit) ---------------------------------------------------------------------
// A drag from the desktop over the program's windows. Over reports a move at a screen point (entering the target
// there, leaving the previous one) and returns the effect, limited to Allowed; Drop ends it over the point; Leave
// ends it elsewhere. The data object is referenced while the drag is over a target.
DWORD OleDesktopDragOver(IDataObject* Data, TPoint ScreenPos, DWORD KeyState, DWORD Allowed);
void OleDesktopDragLeave();
DWORD OleDesktopDrop(IDataObject* Data, TPoint ScreenPos, DWORD KeyState, DWORD Allowed);
// Whether a desktop drag is over one of our targets now (tests).
bool OleDesktopDragActive();

// The toolkit's outgoing drag: installed at load time; Active is false without a real desktop session. Start runs
// the desktop's drag with the data and returns the effect it ended with (DROPEFFECT_NONE when cancelled).
struct TOleDesktopDrag {
  bool (*Active)() = nullptr;
  DWORD (*Start)(IDataObject* Data, DWORD OkEffects) = nullptr;
};
void SetOleDesktopDrag(const TOleDesktopDrag& Bridge);
// The data object of the drag the loop is running, if any (the toolkit recognises its own drags by it).
IDataObject* OleCurrentDragData();
// Called as a window dies: its registration goes, with its reference.
void OleWindowGone(HWND Wnd);
