// Drag data formats, their blocks, the shell data object and the drop source.
#include "shell/Uptdragdrop.h"

#include "platform/rtl/Exceptions.h"
#include "shell/Uptshelldata.h"

#include <cstring>

// ---- Format list ----------------------------------------------------------------------------------------------------

void TPTFormatEtcList::AddFormats(const std::vector<CLIPFORMAT>& Formats) {
  for (CLIPFORMAT F : Formats) {
    FORMATETC R;
    R.cfFormat = F;
    R.ptd = nullptr;
    R.dwAspect = DVASPECT_CONTENT;
    R.lindex = -1;
    R.tymed = TYMED_HGLOBAL;
    Add(R);
  }
}

void TPTFormatEtcList::Add(const FORMATETC& Record) {
  FORMATETC Copy = Record;
  if (Record.ptd) {
    const DWORD Size = Record.ptd->tdSize;
    Copy.ptd = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(Size));
    if (Copy.ptd) {
      std::memcpy(Copy.ptd, Record.ptd, Size);
    }
  }
  FRecords.push_back(Copy);
}

void TPTFormatEtcList::Clear() {
  for (FORMATETC& R : FRecords) {
    CoTaskMemFree(R.ptd);
  }
  FRecords.clear();
}

HRESULT TPTFormatEtcList::Query(const FORMATETC& Record) const {
  if (Record.dwAspect != DVASPECT_CONTENT) {
    return DV_E_FORMATETC;
  }
  bool SameFormat = false;
  for (const FORMATETC& R : FRecords) {
    if (R.cfFormat == Record.cfFormat) {
      SameFormat = true;
      if (R.tymed & Record.tymed) {
        return S_OK;
      }
    }
  }
  return SameFormat ? DV_E_TYMED : DV_E_FORMATETC;
}

// ---- Enumerator ------------------------------------------------------------------------------------------------------

HRESULT TPTFormatEtcList_IEnumFormatEtc::QueryInterface(REFIID Riid, void** Object) {
  if (Riid == IID_IUnknown || Riid == IID_IEnumFORMATETC) {
    *Object = static_cast<IEnumFORMATETC*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

ULONG TPTFormatEtcList_IEnumFormatEtc::Release() {
  const ULONG R = --FRefs;
  if (R == 0) {
    delete this;
  }
  return R;
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::Next(ULONG Celt, FORMATETC* Rgelt, ULONG* Fetched) {
  ULONG N = 0;
  while (N < Celt && FPos < static_cast<ULONG>(FList->Count())) {
    Rgelt[N++] = FList->Get(static_cast<int>(FPos++));
  }
  if (Fetched) {
    *Fetched = N;
  }
  return N == Celt ? S_OK : S_FALSE;
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::Skip(ULONG Celt) {
  const auto Count = static_cast<ULONG>(FList->Count());
  if (Count - FPos < Celt) {
    FPos = Count;
    return S_FALSE;
  }
  FPos += Celt;
  return S_OK;
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::Reset() {
  FPos = 0;
  return S_OK;
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::Clone(IEnumFORMATETC** Enum) {
  auto* E = new TPTFormatEtcList_IEnumFormatEtc(FList, FPos);
  E->AddRef();
  *Enum = E;
  return S_OK;
}

// ---- Blocks ------------------------------------------------------------------------------------------------------------

HRESULT PTBuildDropFilesBlock(const std::vector<std::string>& Names, HGLOBAL& Block) {
  // The platform's size, count * 260 + 21, holds names of up to 259 bytes; paths here may be longer, so the
  // block grows to hold every name it is given.
  std::size_t Needed = 21;
  for (const std::string& N : Names) {
    Needed += N.size() + 1;
  }
  const std::size_t Size = std::max(Names.size() * 260 + 21, Needed);
  Block = GlobalAlloc(GHND, Size);
  if (!Block) {
    return E_OUTOFMEMORY;
  }
  auto* B = static_cast<char*>(GlobalLock(Block));
  DROPFILES Header;
  Header.pFiles = 20;
  std::memcpy(B, &Header, sizeof Header);
  std::size_t At = 20;
  for (const std::string& N : Names) {
    std::memcpy(B + At, N.data(), N.size());
    At += N.size() + 1;
  }
  GlobalUnlock(Block);
  return S_OK;
}

HRESULT PTBuildShellIdListBlock(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items, HGLOBAL& Block) {
  const std::string Bytes = MakeIdListArray(Parent, Items);
  Block = GlobalAlloc(GHND, Bytes.size());
  if (!Block) {
    return E_OUTOFMEMORY;
  }
  std::memcpy(GlobalLock(Block), Bytes.data(), Bytes.size());
  GlobalUnlock(Block);
  return S_OK;
}

HGLOBAL PTCopyGlobalBlock(HGLOBAL Block) {
  const std::size_t Size = GlobalSize(Block);
  HGLOBAL Copy = GlobalAlloc(GMEM_MOVEABLE, Size);
  if (!Copy) {
    return nullptr;
  }
  std::memcpy(GlobalLock(Copy), GlobalLock(Block), Size);
  GlobalUnlock(Block);
  GlobalUnlock(Copy);
  return Copy;
}

// ---- The shell data object --------------------------------------------------------------------------------------------

TPTShellDataObject::TPTShellDataObject(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items,
                                       const std::vector<std::string>& Names) {
  Build(Parent, Items, Names);
}

void TPTShellDataObject::Build(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items,
                               const std::vector<std::string>& Names) {
  if (!Items.empty()) {
    PTBuildShellIdListBlock(Parent, Items, FIdListArray);
  }
  if (!Names.empty()) {
    PTBuildDropFilesBlock(Names, FDropFiles);
  }
  if (FIdListArray) {
    FFormats.AddFormats({static_cast<CLIPFORMAT>(ShellIdListFormat())});
  }
  if (FDropFiles) {
    FFormats.AddFormats({static_cast<CLIPFORMAT>(CF_HDROP)});
  }
}

TPTShellDataObject::~TPTShellDataObject() {
  if (FDropFiles) {
    GlobalFree(FDropFiles);
  }
  if (FIdListArray) {
    GlobalFree(FIdListArray);
  }
}

HRESULT TPTShellDataObject::QueryInterface(REFIID Riid, void** Object) {
  if (Riid == IID_IUnknown || Riid == IID_IDataObject) {
    *Object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

ULONG TPTShellDataObject::Release() {
  const ULONG R = --FRefs;
  if (R == 0) {
    delete this;
  }
  return R;
}

HRESULT TPTShellDataObject::GetData(FORMATETC* FormatIn, STGMEDIUM* Medium) {
  if (!FormatIn || !Medium) {
    return E_INVALIDARG;
  }
  const HRESULT Q = QueryGetData(FormatIn);
  if (FAILED(Q)) {
    return Q;
  }
  Medium->tymed = TYMED_HGLOBAL;
  Medium->pUnkForRelease = nullptr;
  HGLOBAL Source = FormatIn->cfFormat == ShellIdListFormat() ? FIdListArray
                   : FormatIn->cfFormat == CF_HDROP         ? FDropFiles
                                                            : nullptr;
  if (!Source) {
    return DV_E_FORMATETC;
  }
  Medium->hGlobal = PTCopyGlobalBlock(Source);
  return Medium->hGlobal ? S_OK : E_OUTOFMEMORY;
}

HRESULT TPTShellDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }
HRESULT TPTShellDataObject::QueryGetData(FORMATETC* Format) {
  return Format ? FFormats.Query(*Format) : E_INVALIDARG;
}
HRESULT TPTShellDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* FormatOut) {
  if (FormatOut) {
    FormatOut->ptd = nullptr;
  }
  return E_NOTIMPL;
}
HRESULT TPTShellDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }
HRESULT TPTShellDataObject::EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) {
  if (!Enum) {
    return E_INVALIDARG;
  }
  *Enum = nullptr;
  if (Direction != DATADIR_GET) {
    return E_NOTIMPL;
  }
  auto* E = new TPTFormatEtcList_IEnumFormatEtc(&FFormats);
  E->AddRef();
  *Enum = E;
  return S_OK;
}
HRESULT TPTShellDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TPTShellDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TPTShellDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

// ---- Drop source ------------------------------------------------------------------------------------------------------

TDropSource_shlvtv::TDropSource_shlvtv(int Button) {
  FMask = Button == 0 ? MK_LBUTTON : Button == 1 ? MK_RBUTTON : Button == 2 ? MK_MBUTTON : 0;
}

HRESULT TDropSource_shlvtv::QueryInterface(REFIID Riid, void** Object) {
  if (Riid == IID_IUnknown || Riid == IID_IDropSource) {
    *Object = static_cast<IDropSource*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

ULONG TDropSource_shlvtv::Release() {
  const ULONG R = --FRefs;
  if (R == 0) {
    delete this;
  }
  return R;
}

HRESULT TDropSource_shlvtv::QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) {
  const DWORD Buttons = KeyState & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
  if (EscapePressed || (Buttons & ~FMask)) {
    return DRAGDROP_S_CANCEL;
  }
  return (Buttons & FMask) ? S_OK : DRAGDROP_S_DROP;
}

HRESULT TDropSource_shlvtv::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

// ---- Allowed effects --------------------------------------------------------------------------------------------------

DWORD PTShGetDataObjectAttributes(IDataObject* Data) {
  FORMATETC F;
  F.cfFormat = static_cast<CLIPFORMAT>(ShellIdListFormat());
  F.dwAspect = DVASPECT_CONTENT;
  F.lindex = -1;
  F.tymed = TYMED_HGLOBAL;
  STGMEDIUM M;
  if (!Data || FAILED(Data->GetData(&F, &M))) {
    return 7;
  }
  std::string Parent;
  std::vector<std::string> Items;
  const std::size_t Size = GlobalSize(M.hGlobal);
  const bool Read = M.hGlobal && ReadIdListArray(GlobalLock(M.hGlobal), Size, Parent, Items);
  if (M.hGlobal) {
    GlobalUnlock(M.hGlobal);
  }
  ReleaseStgMedium(&M);
  if (!Read || Items.empty()) {
    return 7;
  }
  IShellFolder_NRC* Folder = nullptr;
  const HRESULT Hr = ShellGetFolderFromIdList(reinterpret_cast<LPCITEMIDLIST>(Parent.data()), Folder);
  if (FAILED(Hr) || !Folder) {
    // Items another program names by a folder that is not here (or no longer) limit nothing: the folder's drop
    // target checks the files themselves. Raising here would end the drag loop with an exception.
    return 7;
  }
  std::vector<LPCITEMIDLIST> Lists;
  for (const std::string& I : Items) {
    Lists.push_back(reinterpret_cast<LPCITEMIDLIST>(I.data()));
  }
  ULONG Attr = 7;
  if (FAILED(Folder->GetAttributesOf(static_cast<UINT>(Lists.size()), Lists.data(), &Attr))) {
    Attr = 7;
  }
  Folder->Release();
  return Attr & 7;
}

HRESULT PTShDropOnTarget(IDropTarget* Target, IDataObject* Data, DWORD Keys, POINTL Pt, DWORD& Effect) {
  struct TRelease {
    IDropTarget* T;
    ~TRelease() { T->Release(); }
  } Release{Target};
  DWORD Probe = Effect;
  Target->DragEnter(Data, Keys, Pt, &Probe);
  Probe = Effect;
  Target->DragOver(Keys, Pt, &Probe);
  Effect &= PTShGetDataObjectAttributes(Data);
  TPTBusyCursor Busy;
  return Target->Drop(Data, Keys, Pt, &Effect);
}
