// The shell locator and its stored "Pidl" property.
#include "shell/Uptshelllocator.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/WinUser.h"

bool PTIdListsEqual(LPCITEMIDLIST A, LPCITEMIDLIST B, bool* Comparable) {
  if (Comparable) {
    *Comparable = true;
  }
  if (!A && !B) {
    return true;
  }
  if (!A || !B) {
    return false;
  }
  const bool EmptyA = IdListLen(A) <= 2, EmptyB = IdListLen(B) <= 2;
  if (EmptyA || EmptyB) {
    return EmptyA && EmptyB;
  }
  const int R = CompareAbsIdLists(A, B);
  if (R == PTCompareFailed) {
    if (Comparable) {
      *Comparable = false;
    }
    return false;
  }
  return R == 0;
}

TPTShellLocator::~TPTShellLocator() { ShellMemFree(FIdList); }

LPCITEMIDLIST TPTShellLocator::GetIdList() {
  if (FWhich == useCSIDL && !FIdList) {
    LPITEMIDLIST L = nullptr;
    if (SUCCEEDED(ShellGetSpecialFolderIdList(0, FCSIDL, L))) {
      FIdList = L;
    }
  }
  return FIdList;
}

void TPTShellLocator::SetIdList(LPCITEMIDLIST List) {
  const bool Given = List && IdListLen(List) > 2;
  bool Changed_ = false;
  if (FIdList) {
    bool Comparable = true;
    const bool Equal = PTIdListsEqual(FIdList, Given ? List : nullptr, &Comparable);
    Changed_ = FWhich == useCSIDL || (Comparable && !Equal);
  } else {
    Changed_ = FWhich == useCSIDL || Given;
  }
  ShellMemFree(FIdList);
  FIdList = Given ? CopyIdList(nullptr, List) : nullptr;
  FWhich = usePidl;
  FCSIDL = csidlNone;
  if (Changed_) {
    Changed();
  }
}

void TPTShellLocator::SetCSIDL(TCSIDL Value) {
  const bool Changed_ = FWhich != useCSIDL || FCSIDL != Value;
  ShellMemFree(FIdList);
  FIdList = nullptr;
  FWhich = useCSIDL;
  FCSIDL = Value;
  if (Changed_) {
    Changed();
  }
}

std::string TPTShellLocator::GetPathName() {
  std::string Path;
  ShellGetPathFromIdList(GetIdList(), Path);
  return Path;
}

void TPTShellLocator::SetPathName(const std::string& Path) {
  LPITEMIDLIST L = nullptr;
  if (FAILED(ShellGetIdListFromPath(Path, L))) {
    L = nullptr;
  }
  SetIdList(L);
  ShellMemFree(L);
}

bool TPTShellLocator::IsEqual(TPTShellLocator* Other) {
  if (!Other || Other->FWhich != FWhich) {
    return false;
  }
  if (Other == this) {
    return true;
  }
  if (FWhich == useCSIDL) {
    return FCSIDL == Other->FCSIDL;
  }
  return PTIdListsEqual(FIdList, Other->FIdList);
}

void TPTShellLocator::Assign(TPersistent* Source) {
  if (!Source) {
    if (FIdList) {
      ShellMemFree(FIdList);
      FIdList = nullptr;
    }
    FWhich = usePidl;
    FCSIDL = csidlNone;
    Changed();
    return;
  }
  if (auto* S = dynamic_cast<TPTShellLocator*>(Source)) {
    if (IsEqual(S)) {
      return;
    }
    ShellMemFree(FIdList);
    FIdList = nullptr;
    FWhich = S->FWhich;
    FCSIDL = S->FCSIDL;
    if (FWhich == usePidl && S->FIdList) {
      FIdList = CopyIdList(nullptr, S->FIdList);
    }
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TPTShellLocator::Changed() {
  if (OnChange) {
    OnChange(this);
  }
}

void TPTShellLocator::ReadPidl(TStream* Stream) {
  unsigned char Kind = 0;
  Stream->ReadBuffer(&Kind, 1);
  if (Kind != 0) {
    unsigned char Number = 0;
    Stream->ReadBuffer(&Number, 1);
    if (Number > csidlNone) {
      throw EReadError("Invalid special folder in Pidl property: " + std::to_string(Number));
    }
    ShellMemFree(FIdList);
    FIdList = nullptr;
    FWhich = useCSIDL;
    FCSIDL = static_cast<TCSIDL>(Number);
    return;
  }
  std::int32_t Length = 0;
  Stream->ReadBuffer(&Length, 4);
  if (Length == 0) {
    ShellMemFree(FIdList);
    FIdList = nullptr;
    FWhich = useCSIDL;
    FCSIDL = csidlDesktop;
    return;
  }
  if (Length < 2 || Length > 0x100000 || Length > Stream->Size() - Stream->Position()) {
    throw EReadError("Invalid Pidl property length: " + std::to_string(Length));
  }
  auto* Bytes = static_cast<BYTE*>(ShellMemAlloc(static_cast<std::size_t>(Length)));
  try {
    Stream->ReadBuffer(Bytes, Length);
  } catch (...) {
    ShellMemFree(Bytes);
    throw;
  }
  if (!ILIsValid(Bytes, static_cast<std::size_t>(Length)) ||
      ILGetSize(reinterpret_cast<LPCITEMIDLIST>(Bytes)) != static_cast<UINT>(Length)) {
    ShellMemFree(Bytes);
    throw EReadError("Invalid Pidl property: the item id list is not well made");
  }
  ShellMemFree(FIdList);
  FWhich = usePidl;
  FCSIDL = csidlNone;
  if (Length <= 2) {
    ShellMemFree(Bytes);
    FIdList = nullptr;
  } else {
    FIdList = reinterpret_cast<LPITEMIDLIST>(Bytes);
  }
}

void TPTShellLocator::WritePidl(TStream* Stream) {
  if (FWhich == useCSIDL) {
    const unsigned char Bytes[2] = {1, static_cast<unsigned char>(FCSIDL)};
    Stream->WriteBuffer(Bytes, 2);
    return;
  }
  const unsigned char Kind = 0;
  Stream->WriteBuffer(&Kind, 1);
  const std::int32_t Length = static_cast<std::int32_t>(IdListLen(FIdList));
  Stream->WriteBuffer(&Length, 4);
  if (Length > 0) {
    Stream->WriteBuffer(FIdList, Length);
  }
}

void TPTShellLocator::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      "Pidl", [this](TStream* S) { ReadPidl(S); }, [this](TStream* S) { WritePidl(S); }, PidlStored());
}

Z_IMPLEMENT_CLASS(TPTShellLocator, TPersistent)
