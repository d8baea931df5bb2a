// Drag data formats and the drop source shared by the shell tree and list: the format list with its enumerator,
// the dropped-files and "Shell IDList Array" memory blocks, the block copy routine, the shell data object that
// carries them, and the drop source.
#pragma once

#include "platform/win/Ole.h"
#include "shell/Uptshellutils.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// An owning list of format records (target devices copied deeply).
class TPTFormatEtcList {
public:
  TPTFormatEtcList() = default;
  ~TPTFormatEtcList() { Clear(); }
  TPTFormatEtcList(const TPTFormatEtcList&) = delete;
  TPTFormatEtcList& operator=(const TPTFormatEtcList&) = delete;
  // One record per format: no target device, content aspect, index -1, global memory.
  void AddFormats(const std::vector<CLIPFORMAT>& Formats);
  void Add(const FORMATETC& Record);
  int Count() const { return static_cast<int>(FRecords.size()); }
  const FORMATETC& Get(int Index) const { return FRecords.at(static_cast<std::size_t>(Index)); }
  void Clear();
  // S_OK, DV_E_FORMATETC (other aspect, or no such format) or DV_E_TYMED (no common medium).
  HRESULT Query(const FORMATETC& Record) const;

private:
  std::vector<FORMATETC> FRecords;
};

// The format enumerator over a list that must outlive it; counts its own references from 0.
class TPTFormatEtcList_IEnumFormatEtc final : public IEnumFORMATETC {
public:
  explicit TPTFormatEtcList_IEnumFormatEtc(const TPTFormatEtcList* List, ULONG Position = 0)
      : FList(List), FPos(Position) {}
  HRESULT QueryInterface(REFIID Riid, void** Object) override;
  ULONG AddRef() override { return ++FRefs; }
  ULONG Release() override;
  HRESULT Next(ULONG Celt, FORMATETC* Rgelt, ULONG* Fetched) override;
  HRESULT Skip(ULONG Celt) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumFORMATETC** Enum) override;

private:
  ~TPTFormatEtcList_IEnumFormatEtc() = default;
  std::atomic<ULONG> FRefs{0};
  const TPTFormatEtcList* FList;
  ULONG FPos;
};

// The dropped-files block: movable, zero-filled, count * 260 + 21 bytes; E_OUTOFMEMORY when it cannot be made.
HRESULT PTBuildDropFilesBlock(const std::vector<std::string>& Names, HGLOBAL& Block);
// The "Shell IDList Array" block of a parent (null: the desktop) and relative items.
HRESULT PTBuildShellIdListBlock(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items, HGLOBAL& Block);
// A new movable block with the same bytes, or null.
HGLOBAL PTCopyGlobalBlock(HGLOBAL Block);

// The data object of dragged shell items: owns both blocks (either may be absent) and the format list; counts
// its own references from 0 and frees itself at 0.
class TPTShellDataObject : public IDataObject {
public:
  // Builds the blocks from a parent list, relative items and their for-parsing names; no items: no formats.
  TPTShellDataObject(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items,
                     const std::vector<std::string>& Names);
  HRESULT QueryInterface(REFIID Riid, void** Object) override;
  ULONG AddRef() override { return ++FRefs; }
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
  const TPTFormatEtcList& Formats() const { return FFormats; }

protected:
  TPTShellDataObject() = default;
  // Makes the blocks and registers their formats (once, from a constructor).
  void Build(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items, const std::vector<std::string>& Names);
  virtual ~TPTShellDataObject();

private:
  std::atomic<ULONG> FRefs{0};
  HGLOBAL FDropFiles = nullptr;
  HGLOBAL FIdListArray = nullptr;
  TPTFormatEtcList FFormats;
};

// The drop source: ends the drag when the drag button goes up, cancels on Escape or another button.
class TDropSource_shlvtv final : public IDropSource {
public:
  // Button 0 left, 1 right, 2 middle.
  explicit TDropSource_shlvtv(int Button);
  HRESULT QueryInterface(REFIID Riid, void** Object) override;
  ULONG AddRef() override { return ++FRefs; }
  ULONG Release() override;
  HRESULT QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) override;
  HRESULT GiveFeedback(DWORD Effect) override;
  DWORD ButtonMask() const { return FMask; }

private:
  ~TDropSource_shlvtv() = default;
  std::atomic<ULONG> FRefs{0};
  DWORD FMask = 0;
};

// A control's registered drop target (the shell tree's and the shell list's): hands every call to the control's
// OnDropTarget_ operations.
template <class TOwner>
class TPTControlDropTarget final : public IDropTarget {
public:
  explicit TPTControlDropTarget(TOwner* Owner) : FOwner(Owner) {}
  HRESULT QueryInterface(REFIID Riid, void** Object) override {
    if (Riid == IID_IUnknown || Riid == IID_IDropTarget) {
      *Object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++FRefs; }
  ULONG Release() override {
    const ULONG R = --FRefs;
    if (R == 0) {
      delete this;
    }
    return R;
  }
  HRESULT DragEnter(IDataObject* Data, DWORD KeyState, POINTL Pt, DWORD* Effect) override {
    return FOwner->OnDropTarget_DragEnter(Data, KeyState, Pt, *Effect);
  }
  HRESULT DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) override {
    return FOwner->OnDropTarget_DragOver(KeyState, Pt, *Effect);
  }
  HRESULT DragLeave() override { return FOwner->OnDropTarget_DragLeave(); }
  HRESULT Drop(IDataObject* Data, DWORD KeyState, POINTL Pt, DWORD* Effect) override {
    return FOwner->OnDropTarget_Drop(Data, KeyState, Pt, *Effect);
  }

  // Registers the control's window as a drop target, making the target (one reference, the control's) on first
  // use, or revokes the registration.
  static void Register(TOwner* Owner, bool On, TPTControlDropTarget*& Target, bool& Registered) {
    if (On) {
      if (Registered || !Owner->HandleAllocated()) {
        return;
      }
      if (!Target) {
        Target = new TPTControlDropTarget(Owner);
        Target->AddRef();
      }
      Registered = SUCCEEDED(RegisterDragDrop(Owner->Handle(), Target));
      return;
    }
    if (Registered && Owner->HandleAllocated()) {
      RevokeDragDrop(Owner->Handle());
    }
    Registered = false;
  }

private:
  ~TPTControlDropTarget() = default;
  TOwner* FOwner;
  std::atomic<ULONG> FRefs{0};
};

// Drops Data on a shell folder's drop target as a drop on a shell control does: the target sees the drag enter
// and move over it first, the effect is limited to what every dragged item allows, and the drop runs under the
// busy cursor. Releases Target however it ends.
HRESULT PTShDropOnTarget(IDropTarget* Target, IDataObject* Data, DWORD Keys, POINTL Pt, DWORD& Effect);

// The effects every item of a dragged data object allows (copy 1, move 2, link 4), from its "Shell IDList
// Array"; 7 when it carries none or names a parent folder that cannot be bound.
DWORD PTShGetDataObjectAttributes(IDataObject* Data);
