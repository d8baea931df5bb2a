// The shell namespace's id lists: the task allocator, item encoding, resolving lists to places, parsing paths,
// special-folder locations, display-name text conversion and file information.
#include "platform/graphics/ImgList.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/Files.h"
#include "platform/win/ShellInternals.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

class TTaskAllocator final : public IMalloc {
public:
  HRESULT QueryInterface(REFIID Riid, void** Object) override {
    if (!Object) {
      return E_POINTER;
    }
    if (Riid == IID_IUnknown || Riid == IID_IMalloc) {
      *Object = static_cast<IMalloc*>(this);
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  // The allocator lives as long as the process: counting is kept only for the interface's sake.
  ULONG AddRef() override { return 2; }
  ULONG Release() override { return 1; }
  void* Alloc(std::size_t Size) override { return std::malloc(Size ? Size : 1); }
  void* Realloc(void* Block, std::size_t Size) override { return std::realloc(Block, Size ? Size : 1); }
  void Free(void* Block) override { std::free(Block); }
  std::size_t GetSize(void*) override { return static_cast<std::size_t>(-1); }
  int DidAlloc(void*) override { return -1; }
  void HeapMinimize() override {}
};

TTaskAllocator& Allocator() {
  static TTaskAllocator* A = new TTaskAllocator;
  return *A;
}

USHORT ReadCount(const BYTE* At) {
  USHORT Cb = 0;
  std::memcpy(&Cb, At, sizeof Cb);
  return Cb;
}

std::string Normalise(const std::string& Path) {
  std::vector<std::string> Parts;
  for (std::size_t I = 0; I <= Path.size();) {
    std::size_t J = Path.find('/', I);
    if (J == std::string::npos) {
      J = Path.size();
    }
    const std::string Part = Path.substr(I, J - I);
    if (Part == "..") {
      if (!Parts.empty()) {
        Parts.pop_back();
      }
    } else if (!Part.empty() && Part != ".") {
      Parts.push_back(Part);
    }
    I = J + 1;
  }
  std::string R;
  for (const std::string& P : Parts) {
    R += "/" + P;
  }
  return R.empty() ? "/" : R;
}

bool IsDirectory(const std::string& Path) {
  struct stat St {};
  return stat(Path.c_str(), &St) == 0 && S_ISDIR(St.st_mode);
}

// The name items of the components of Rest (a path below a base, without the leading '/').
void AppendComponents(const std::string& Base, std::string_view Rest, std::vector<std::string>& Items) {
  std::string At = Base == "/" ? std::string() : Base;
  for (std::size_t I = 0; I < Rest.size();) {
    std::size_t J = Rest.find('/', I);
    if (J == std::string_view::npos) {
      J = Rest.size();
    }
    const std::string_view Name = Rest.substr(I, J - I);
    if (!Name.empty()) {
      At += "/";
      At += Name;
      Items.push_back(ShellNs::ItemBytes(IsDirectory(At) ? ItemKindFolder : ItemKindFile, Name));
    }
    I = J + 1;
  }
}

}  // namespace

namespace ShellNs {

bool SplitItems(LPCITEMIDLIST Pidl, std::vector<TItem>& Items) {
  Items.clear();
  if (!Pidl) {
    return true;
  }
  const auto* At = reinterpret_cast<const BYTE*>(Pidl);
  for (;;) {
    const USHORT Cb = ReadCount(At);
    if (Cb == 0) {
      return true;
    }
    if (Cb < 3) {
      return false;
    }
    Items.push_back(TItem{At[2], std::string_view(reinterpret_cast<const char*>(At + 3), Cb - 3u)});
    At += Cb;
  }
}

std::string ItemBytes(BYTE Kind, std::string_view Payload) {
  std::string S;
  S += static_cast<char>(Kind);
  S.append(Payload);
  return S;
}

LPITEMIDLIST MakeList(const std::vector<std::string>& ItemData) {
  std::size_t Total = 2;
  for (const std::string& D : ItemData) {
    Total += 2 + D.size();
  }
  auto* Bytes = static_cast<BYTE*>(CoTaskMemAlloc(Total));
  if (!Bytes) {
    return nullptr;
  }
  BYTE* At = Bytes;
  for (const std::string& D : ItemData) {
    const auto Cb = static_cast<USHORT>(2 + D.size());
    std::memcpy(At, &Cb, 2);
    std::memcpy(At + 2, D.data(), D.size());
    At += Cb;
  }
  At[0] = At[1] = 0;
  return reinterpret_cast<LPITEMIDLIST>(Bytes);
}

LPITEMIDLIST MakeItem(BYTE Kind, std::string_view Payload) { return MakeList({ItemBytes(Kind, Payload)}); }

std::string HomeFolder() { return SpecialFolderPath(CSIDL_PROFILE); }
std::string DesktopFolder() { return SpecialFolderPath(CSIDL_DESKTOPDIRECTORY); }
std::string TrashFolder() { return SpecialFolderPath(CSIDL_LOCAL_APPDATA) + "/Trash"; }

bool IsNameItem(BYTE Kind) { return Kind == ItemKindFile || Kind == ItemKindFolder; }

TPlace ChildPlace(const TPlace& Folder, const TItem& Item) {
  TPlace P;
  if (!Folder.Valid) {
    return P;
  }
  if (Folder.Virtual == VirtualComputer) {
    if (Item.Kind != ItemKindVolume || Item.Payload.empty() || Item.Payload[0] != '/') {
      return P;
    }
    P.Valid = P.FileSystem = true;
    P.Path = P.ChildBase = std::string(Item.Payload);
    return P;
  }
  if (Folder.Desktop && Item.Kind == ItemKindVirtual && Item.Payload.size() == 1) {
    P.Valid = true;
    P.Virtual = static_cast<BYTE>(Item.Payload[0]);
    switch (P.Virtual) {
      case VirtualHome:
        P.FileSystem = true;
        P.Path = P.ChildBase = HomeFolder();
        break;
      case VirtualComputer: break;
      case VirtualTrash: P.ChildBase = TrashFolder() + "/files"; break;
      default: P.Valid = false; break;
    }
    return P;
  }
  if (!IsNameItem(Item.Kind) || Item.Payload.empty() || Item.Payload == "." || Item.Payload == ".." ||
      Item.Payload.find('/') != std::string_view::npos || Item.Payload.find('\0') != std::string_view::npos ||
      Folder.ChildBase.empty()) {
    return P;
  }
  P.Valid = P.FileSystem = true;
  P.Path = (Folder.ChildBase == "/" ? std::string() : Folder.ChildBase) + "/" + std::string(Item.Payload);
  P.ChildBase = P.Path;
  return P;
}

TPlace Resolve(LPCITEMIDLIST Absolute) {
  TPlace P;
  std::vector<TItem> Items;
  if (!SplitItems(Absolute, Items)) {
    return P;
  }
  P.Valid = P.Desktop = true;
  P.ChildBase = DesktopFolder();
  if (IsDirectory(P.ChildBase)) {
    P.Path = P.ChildBase;
  }
  for (const TItem& Item : Items) {
    P = ChildPlace(P, Item);
    if (!P.Valid) {
      break;
    }
  }
  return P;
}

std::string DisplayFromFileName(std::string_view Name) {
  // Valid UTF-8 whose characters code page 1252 holds is shown converted; anything else as its bytes.
  std::string Out;
  for (std::size_t I = 0; I < Name.size();) {
    const auto B = static_cast<unsigned char>(Name[I]);
    if (B < 0x80) {
      Out += static_cast<char>(B);
      ++I;
      continue;
    }
    const int Len = B >= 0xF0 && B < 0xF5 ? 4 : B >= 0xE0 ? 3 : B >= 0xC2 && B < 0xE0 ? 2 : 0;
    if (Len == 0 || I + Len > Name.size()) {
      return std::string(Name);
    }
    char32_t C = B & (Len == 2 ? 0x1F : Len == 3 ? 0x0F : 0x07);
    for (int K = 1; K < Len; ++K) {
      const auto Next = static_cast<unsigned char>(Name[I + K]);
      if ((Next & 0xC0) != 0x80) {
        return std::string(Name);
      }
      C = (C << 6) | (Next & 0x3F);
    }
    const int Byte = UnicodeToCp1252(C);
    if (Byte < 0) {
      return std::string(Name);
    }
    Out += static_cast<char>(Byte);
    I += Len;
  }
  return Out;
}

std::string FileNameFromDisplay(std::string_view Display) {
  std::string Out;
  for (char Ch : Display) {
    const char32_t C = Cp1252ToUnicode(static_cast<unsigned char>(Ch));
    if (C < 0x80) {
      Out += static_cast<char>(C);
    } else if (C < 0x800) {
      Out += static_cast<char>(0xC0 | (C >> 6));
      Out += static_cast<char>(0x80 | (C & 0x3F));
    } else {
      Out += static_cast<char>(0xE0 | (C >> 12));
      Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
      Out += static_cast<char>(0x80 | (C & 0x3F));
    }
  }
  return Out;
}

std::string FromUtf16(const char16_t* Text) {
  std::string Out;
  for (; Text && *Text; ++Text) {
    const int B = UnicodeToCp1252(*Text);
    Out += static_cast<char>(B < 0 ? '?' : B);
  }
  return Out;
}

char16_t* DupUtf16(std::string_view Text1252) {
  auto* W = static_cast<char16_t*>(CoTaskMemAlloc((Text1252.size() + 1) * sizeof(char16_t)));
  if (!W) {
    return nullptr;
  }
  for (std::size_t I = 0; I < Text1252.size(); ++I) {
    W[I] = static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(Text1252[I])));
  }
  W[Text1252.size()] = 0;
  return W;
}

HRESULT ErrnoResult(int Errno) { return HRESULT_FROM_WIN32(static_cast<LONG>(ErrorFromErrno(Errno))); }

}  // namespace ShellNs

using namespace ShellNs;

HRESULT SHGetMalloc(IMalloc** Malloc) {
  if (!Malloc) {
    return E_INVALIDARG;
  }
  *Malloc = &Allocator();
  return S_OK;
}

void* CoTaskMemAlloc(std::size_t Size) { return std::malloc(Size ? Size : 1); }
void CoTaskMemFree(void* Block) { std::free(Block); }

namespace {
std::atomic<int> ComCount{0};
}
HRESULT CoInitialize(void*) { return ComCount++ == 0 ? S_OK : S_FALSE; }
void CoUninitialize() {
  if (ComCount > 0) {
    --ComCount;
  }
}

UINT ILGetSize(LPCITEMIDLIST Pidl) {
  if (!Pidl) {
    return 0;
  }
  const auto* Start = reinterpret_cast<const BYTE*>(Pidl);
  const BYTE* At = Start;
  while (USHORT Cb = ReadCount(At)) {
    At += Cb;
  }
  return static_cast<UINT>(At - Start) + 2;
}

LPITEMIDLIST ILClone(LPCITEMIDLIST Pidl) {
  const UINT Size = Pidl ? ILGetSize(Pidl) : 2;
  auto* Copy = static_cast<BYTE*>(CoTaskMemAlloc(Size));
  if (Copy) {
    if (Pidl) {
      std::memcpy(Copy, Pidl, Size);
    } else {
      Copy[0] = Copy[1] = 0;
    }
  }
  return reinterpret_cast<LPITEMIDLIST>(Copy);
}

LPITEMIDLIST ILCombine(LPCITEMIDLIST First, LPCITEMIDLIST Second) {
  const UINT A = First ? ILGetSize(First) - 2 : 0;
  const UINT B = Second ? ILGetSize(Second) : 2;
  auto* Out = static_cast<BYTE*>(CoTaskMemAlloc(A + B));
  if (!Out) {
    return nullptr;
  }
  if (A) {
    std::memcpy(Out, First, A);
  }
  if (Second) {
    std::memcpy(Out + A, Second, B);
  } else {
    Out[A] = Out[A + 1] = 0;
  }
  return reinterpret_cast<LPITEMIDLIST>(Out);
}

bool ILIsValid(const void* Bytes, std::size_t Size) {
  const auto* At = static_cast<const BYTE*>(Bytes);
  std::size_t Pos = 0;
  for (;;) {
    if (!Bytes || Pos + 2 > Size) {
      return false;
    }
    const USHORT Cb = ReadCount(At + Pos);
    if (Cb == 0) {
      return true;
    }
    if (Cb < 3 || Pos + Cb > Size) {
      return false;
    }
    Pos += Cb;
  }
}

void ILFree(LPITEMIDLIST Pidl) { CoTaskMemFree(Pidl); }

std::string PathFromIdList(LPCITEMIDLIST Pidl) {
  const TPlace P = Resolve(Pidl);
  return P.Valid ? P.Path : std::string();
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST Pidl, LPSTR Path) {
  if (!Path) {
    return FALSE;
  }
  const std::string P = Pidl ? PathFromIdList(Pidl) : std::string();
  if (P.empty() || P.size() >= static_cast<std::size_t>(MAX_PATH)) {
    *Path = '\0';
    return FALSE;
  }
  std::memcpy(Path, P.c_str(), P.size() + 1);
  return TRUE;
}

HRESULT SHParseDisplayName(const std::string& Path, LPITEMIDLIST* Pidl) {
  if (!Pidl) {
    return E_INVALIDARG;
  }
  *Pidl = nullptr;
  if (Path.empty() || Path[0] != '/') {
    return E_INVALIDARG;
  }
  const std::string P = Normalise(Path);
  struct stat St {};
  if (lstat(P.c_str(), &St) != 0) {
    return ErrnoResult(errno);
  }
  std::vector<std::string> Items;
  const std::string Home = Normalise(HomeFolder());
  if (Home != "/" && (P == Home || P.rfind(Home + "/", 0) == 0)) {
    Items.push_back(ItemBytes(ItemKindVirtual, std::string(1, static_cast<char>(VirtualHome))));
    AppendComponents(Home, std::string_view(P).substr(Home.size()), Items);
  } else {
    std::string Best = "/";
    for (const TMountEntry& V : ShownVolumes()) {
      const std::string& M = V.MountPoint;
      if (M.size() > Best.size() && (P == M || P.rfind(M + "/", 0) == 0)) {
        Best = M;
      }
    }
    Items.push_back(ItemBytes(ItemKindVirtual, std::string(1, static_cast<char>(VirtualComputer))));
    Items.push_back(ItemBytes(ItemKindVolume, Best));
    AppendComponents(Best, std::string_view(P).substr(Best == "/" ? 0 : Best.size()), Items);
  }
  *Pidl = MakeList(Items);
  return *Pidl ? S_OK : E_OUTOFMEMORY;
}

HRESULT SHGetSpecialFolderLocation(HWND, int Csidl, LPITEMIDLIST* Pidl) {
  if (!Pidl) {
    return E_INVALIDARG;
  }
  *Pidl = nullptr;
  BYTE Virtual = 0;
  switch (Csidl & ~CSIDL_FLAG_CREATE) {
    case CSIDL_DESKTOP: *Pidl = MakeList({}); return *Pidl ? S_OK : E_OUTOFMEMORY;
    case CSIDL_DRIVES: Virtual = VirtualComputer; break;
    case CSIDL_BITBUCKET: Virtual = VirtualTrash; break;
    case CSIDL_PROFILE: Virtual = VirtualHome; break;
    default: break;
  }
  if (Virtual) {
    *Pidl = MakeItem(ItemKindVirtual, std::string(1, static_cast<char>(Virtual)));
    return *Pidl ? S_OK : E_OUTOFMEMORY;
  }
  char Path[MAX_PATH];
  if (!SHGetSpecialFolderPath(0, Path, Csidl & ~CSIDL_FLAG_CREATE, (Csidl & CSIDL_FLAG_CREATE) != 0)) {
    return E_FAIL;
  }
  return SUCCEEDED(SHParseDisplayName(Path, Pidl)) ? S_OK : E_FAIL;
}

HRESULT SHGetDesktopFolder(IShellFolder** Folder) {
  if (!Folder) {
    return E_INVALIDARG;
  }
  LPITEMIDLIST Empty = MakeList({});
  *Folder = NewFolder(Empty, Resolve(Empty));
  ILFree(Empty);
  return *Folder ? S_OK : E_OUTOFMEMORY;
}

DWORD_PTR SHGetFileInfo(const char* Path, DWORD FileAttributes, SHFILEINFO* Info, UINT Size, UINT Flags) {
  if (Info && Size < sizeof(SHFILEINFO)) {
    return 0;
  }
  TPlace Place;
  LPITEMIDLIST Parsed = nullptr;
  LPCITEMIDLIST Pidl = nullptr;
  if (Flags & SHGFI_PIDL) {
    Pidl = reinterpret_cast<LPCITEMIDLIST>(Path);
    Place = Resolve(Pidl);
  } else if (Flags & SHGFI_USEFILEATTRIBUTES) {
    Place.Valid = Place.FileSystem = true;
    Place.Path = Path ? Path : "";
  } else if (Path && SUCCEEDED(SHParseDisplayName(Path, &Parsed))) {
    Pidl = Parsed;
    Place = Resolve(Parsed);
  }
  if (!Place.Valid) {
    ILFree(Parsed);
    return 0;
  }
  std::string Name;
  if (!Place.Path.empty() && !Place.Virtual && !Place.Desktop) {
    Name = Place.Path.substr(Place.Path.rfind('/') + 1);
  }
  if (Info) {
    *Info = SHFILEINFO();
    const bool Open = (Flags & SHGFI_OPENICON) != 0;
    if (Flags & (SHGFI_SYSICONINDEX | SHGFI_ICON)) {
      if ((Flags & SHGFI_USEFILEATTRIBUTES) && (FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Place.Virtual = 0;
        Place.ChildBase = Place.Path;
        Info->iIcon = FolderIconIndex(Open);
      } else if (Flags & SHGFI_USEFILEATTRIBUTES) {
        Info->iIcon = FileIconIndex(Name);  // by its name alone, whatever is on disk
      } else {
        Info->iIcon = IconIndexOf(Place, Open);
      }
      if (Flags & SHGFI_ICON) {
        Info->hIcon = ImageList_GetIcon(SystemImages((Flags & SHGFI_SMALLICON) != 0), Info->iIcon, 0);
      }
    }
    if (Flags & SHGFI_ATTRIBUTES) {
      Info->dwAttributes = PlaceAttributes(Place, Name);
    }
    if (Flags & SHGFI_DISPLAYNAME) {
      STRRET R;
      std::string Text;
      IShellFolder* Desktop = nullptr;
      if (Pidl && SUCCEEDED(SHGetDesktopFolder(&Desktop))) {
        if (SUCCEEDED(Desktop->GetDisplayNameOf(Pidl, SHGDN_NORMAL, &R))) {
          Text = R.uType == STRRET_WSTR ? FromUtf16(R.pOleStr) : R.uType == STRRET_CSTR ? R.cStr : "";
          if (R.uType == STRRET_WSTR) {
            CoTaskMemFree(R.pOleStr);
          }
        }
        Desktop->Release();
      } else {
        Text = DisplayFromFileName(Name);
      }
      std::strncpy(Info->szDisplayName, Text.c_str(), sizeof Info->szDisplayName - 1);
    }
    if (Flags & SHGFI_TYPENAME) {
      std::strncpy(Info->szTypeName, TypeNameOf(Place).c_str(), sizeof Info->szTypeName - 1);
    }
  }
  ILFree(Parsed);
  if (Flags & SHGFI_SYSICONINDEX) {
    return static_cast<DWORD_PTR>(SystemImages((Flags & SHGFI_SMALLICON) != 0));
  }
  return 1;
}
