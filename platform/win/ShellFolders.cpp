// The shell namespace's folders: the desktop, home, Computer, the trash and file-system folders, with their
// enumeration, attributes, order, display names and renaming.
#include "platform/win/DialogService.h"
#include "platform/win/Files.h"
#include "platform/win/ShellInternals.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace ShellNs {
namespace {

bool HiddenName(std::string_view Name) { return !Name.empty() && Name[0] == '.'; }

bool EndsWith(std::string_view S, std::string_view Tail) {
  return S.size() >= Tail.size() && S.substr(S.size() - Tail.size()) == Tail;
}

std::string ParentOf(const std::string& Path) {
  const std::size_t Slash = Path.rfind('/');
  return Slash == 0 || Slash == std::string::npos ? std::string("/") : Path.substr(0, Slash);
}

// Whether a folder holds a folder: exact from the link count where the file system keeps it (2 = none),
// else by reading until the first one. An unreadable folder answers yes, so that expanding it can report why.
bool HasSubfolder(const std::string& Path, const struct stat& St) {
  if (St.st_nlink > 2) {
    return true;
  }
  if (St.st_nlink == 2) {
    return false;
  }
  DIR* D = opendir(Path.c_str());
  if (!D) {
    return true;
  }
  bool Found = false;
  while (dirent* E = readdir(D)) {
    if (E->d_name[0] == '.' && (E->d_name[1] == 0 || (E->d_name[1] == '.' && E->d_name[2] == 0))) {
      continue;
    }
    if (E->d_type == DT_DIR) {
      Found = true;
    } else if (E->d_type == DT_UNKNOWN || E->d_type == DT_LNK) {
      struct stat Child {};
      Found = stat((Path + "/" + E->d_name).c_str(), &Child) == 0 && S_ISDIR(Child.st_mode);
    }
    if (Found) {
      break;
    }
  }
  closedir(D);
  return Found;
}

int CompareNames(std::string_view A, std::string_view B) {
  const std::size_t N = std::min(A.size(), B.size());
  for (std::size_t I = 0; I < N; ++I) {
    int X = static_cast<unsigned char>(A[I]), Y = static_cast<unsigned char>(B[I]);
    X = X >= 'A' && X <= 'Z' ? X + 32 : X;
    Y = Y >= 'A' && Y <= 'Z' ? Y + 32 : Y;
    if (X != Y) {
      return X < Y ? -1 : 1;
    }
  }
  if (A.size() != B.size()) {
    return A.size() < B.size() ? -1 : 1;
  }
  const int R = A.compare(B);
  return R < 0 ? -1 : R > 0 ? 1 : 0;
}

int KindRank(BYTE Kind) {
  switch (Kind) {
    case ItemKindVirtual: return 0;
    case ItemKindVolume: return 1;
    case ItemKindFolder: return 2;
    default: return 3;
  }
}

int CompareItems(const TItem& A, const TItem& B) {
  const int Ra = KindRank(A.Kind), Rb = KindRank(B.Kind);
  if (Ra != Rb) {
    return Ra < Rb ? -1 : 1;
  }
  if (A.Kind == ItemKindVirtual && !A.Payload.empty() && !B.Payload.empty()) {
    return A.Payload[0] < B.Payload[0] ? -1 : A.Payload[0] > B.Payload[0] ? 1 : 0;
  }
  if (A.Kind == ItemKindVolume) {
    // "/" first, then the volumes by path.
    return A.Payload == B.Payload ? 0 : A.Payload == "/" ? -1 : B.Payload == "/" ? 1 : CompareNames(A.Payload, B.Payload);
  }
  return CompareNames(A.Payload, B.Payload);
}

std::string VolumeLabel(const std::string& MountPoint) {
  return MountPoint == "/" ? std::string("File System") : MountPoint.substr(MountPoint.rfind('/') + 1);
}

HRESULT ReturnName(STRRET* Name, const std::string& Text) {
  Name->uType = STRRET_WSTR;
  Name->pOleStr = DupUtf16(Text);
  return Name->pOleStr ? S_OK : E_OUTOFMEMORY;
}

class TEnumIds final : public TShellObject<IEnumIDList, IID_IEnumIDList> {
public:
  explicit TEnumIds(std::vector<std::string> Items) : FItems(std::move(Items)) {}
  HRESULT Next(ULONG Celt, LPITEMIDLIST* Rgelt, ULONG* Fetched) override {
    ULONG N = 0;
    while (N < Celt && FPos < FItems.size()) {
      Rgelt[N] = MakeList({FItems[FPos++]});
      if (!Rgelt[N]) {
        break;
      }
      ++N;
    }
    if (Fetched) {
      *Fetched = N;
    }
    return N == Celt ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG Celt) override {
    FPos = std::min(FItems.size(), FPos + Celt);
    return FPos < FItems.size() ? S_OK : S_FALSE;
  }
  HRESULT Reset() override {
    FPos = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumIDList** Enum) override {
    auto* E = new TEnumIds(FItems);
    E->FPos = FPos;
    *Enum = E;
    return S_OK;
  }

private:
  ~TEnumIds() = default;
  std::vector<std::string> FItems;
  std::size_t FPos = 0;
};

class TFolder final : public TShellObject<IShellFolder, IID_IShellFolder> {
public:
  TFolder(LPCITEMIDLIST Absolute, TPlace Place) : FPidl(ILClone(Absolute)), FPlace(std::move(Place)) {}


  HRESULT ParseDisplayName(HWND, IBindCtx*, const char16_t* DisplayName, ULONG* Eaten, LPITEMIDLIST* Pidl,
                           ULONG* Attributes) override {
    if (!Pidl || !DisplayName) {
      return E_INVALIDARG;
    }
    *Pidl = nullptr;
    const std::string Name = FileNameFromDisplay(FromUtf16(DisplayName));
    if (Eaten) {
      *Eaten = 0;
    }
    HRESULT Hr = E_INVALIDARG;
    if (FPlace.Desktop && !Name.empty() && Name[0] == '/') {
      Hr = SHParseDisplayName(Name, Pidl);
    } else if (!FPlace.ChildBase.empty() && !Name.empty()) {
      std::string Full = Name[0] == '/' ? Name : FPlace.ChildBase + "/" + Name;
      std::string Prefix = FPlace.ChildBase == "/" ? std::string("/") : FPlace.ChildBase + "/";
      if (Full.rfind(Prefix, 0) != 0) {
        return E_INVALIDARG;
      }
      std::vector<std::string> Items;
      std::string At = FPlace.ChildBase == "/" ? std::string() : FPlace.ChildBase;
      std::string_view Rest = std::string_view(Full).substr(Prefix.size());
      for (std::size_t I = 0; I < Rest.size();) {
        std::size_t J = std::min(Rest.find('/', I), Rest.size());
        const std::string_view Part = Rest.substr(I, J - I);
        if (!Part.empty() && Part != ".") {
          At += "/" + std::string(Part);
          struct stat St {};
          if (lstat(At.c_str(), &St) != 0) {
            return ErrnoResult(errno);
          }
          struct stat Target {};
          const bool Dir = stat(At.c_str(), &Target) == 0 && S_ISDIR(Target.st_mode);
          Items.push_back(ItemBytes(Dir ? ItemKindFolder : ItemKindFile, Part));
        }
        I = J + 1;
      }
      if (Items.empty()) {
        return E_INVALIDARG;
      }
      *Pidl = MakeList(Items);
      Hr = *Pidl ? S_OK : E_OUTOFMEMORY;
    }
    if (SUCCEEDED(Hr) && Attributes && *Pidl) {
      LPCITEMIDLIST One = *Pidl;
      GetAttributesOf(1, &One, Attributes);
    }
    return Hr;
  }

  HRESULT EnumObjects(HWND, DWORD Flags, IEnumIDList** Enum) override {
    if (!Enum) {
      return E_INVALIDARG;
    }
    *Enum = nullptr;
    std::vector<std::string> Items;
    const bool Folders = (Flags & SHCONTF_FOLDERS) != 0, Files = (Flags & SHCONTF_NONFOLDERS) != 0;
    const bool Hidden = (Flags & SHCONTF_INCLUDEHIDDEN) != 0;
    if (FPlace.Desktop && Folders) {
      for (BYTE V : {VirtualHome, VirtualComputer, VirtualTrash}) {
        Items.push_back(ItemBytes(ItemKindVirtual, std::string(1, static_cast<char>(V))));
      }
    }
    if (FPlace.Virtual == VirtualComputer) {
      if (Folders) {
        for (const TMountEntry& V : ShownVolumes()) {
          Items.push_back(ItemBytes(ItemKindVolume, V.MountPoint));
        }
      }
    } else if (!FPlace.ChildBase.empty()) {
      DIR* D = opendir(FPlace.ChildBase.c_str());
      if (!D) {
        // The desktop without a desktop folder (and the trash before anything was deleted) is just empty.
        if (!FPlace.Desktop && FPlace.Virtual != VirtualTrash) {
          return ErrnoResult(errno);
        }
      } else {
        const int Fd = dirfd(D);
        while (dirent* E = readdir(D)) {
          const char* N = E->d_name;
          if (N[0] == '.' && (N[1] == 0 || (N[1] == '.' && N[2] == 0))) {
            continue;
          }
          if (!Hidden && N[0] == '.') {
            continue;
          }
          bool Dir = E->d_type == DT_DIR;
          if (E->d_type == DT_UNKNOWN || E->d_type == DT_LNK) {
            struct stat St {};
            Dir = fstatat(Fd, N, &St, 0) == 0 && S_ISDIR(St.st_mode);
          }
          if (Dir ? Folders : Files) {
            Items.push_back(ItemBytes(Dir ? ItemKindFolder : ItemKindFile, N));
          }
        }
        closedir(D);
      }
    }
    *Enum = new TEnumIds(std::move(Items));
    return S_OK;
  }

  HRESULT BindToObject(LPCITEMIDLIST Pidl, IBindCtx*, REFIID Riid, void** Out) override {
    if (!Out) {
      return E_INVALIDARG;
    }
    *Out = nullptr;
    if (!Pidl || ILGetSize(Pidl) <= 2) {
      return E_INVALIDARG;
    }
    std::vector<TItem> Items;
    if (!SplitItems(Pidl, Items)) {
      return E_INVALIDARG;
    }
    TPlace P = FPlace;
    for (const TItem& I : Items) {
      P = ChildPlace(P, I);
      if (!P.Valid) {
        return E_INVALIDARG;
      }
    }
    if (P.Virtual == 0) {
      struct stat St {};
      if (stat(P.Path.c_str(), &St) != 0) {
        return ErrnoResult(errno);
      }
      if (!S_ISDIR(St.st_mode)) {
        return HRESULT_FROM_WIN32(ERROR_DIRECTORY);
      }
    }
    LPITEMIDLIST Abs = ILCombine(FPidl, Pidl);
    TFolder* F = new TFolder(Abs, P);
    ILFree(Abs);
    const HRESULT Hr = F->QueryInterface(Riid, Out);
    F->Release();
    return Hr;
  }

  HRESULT BindToStorage(LPCITEMIDLIST, IBindCtx*, REFIID, void** Out) override {
    if (Out) {
      *Out = nullptr;
    }
    return E_NOTIMPL;
  }

  // Column 0 (and any other for items that are not files and folders of this folder) orders by name, folders
  // first. Column 1 orders files by size, 2 by type name, 3 by the time of the last change (oldest first); folders
  // stay before files, and equal keys fall back to the names.
  HRESULT CompareIDs(LPARAM Param, LPCITEMIDLIST Pidl1, LPCITEMIDLIST Pidl2) override {
    // Sorting a large folder compares a great many times: the split items reuse their memory.
    thread_local std::vector<TItem> A, B;
    if (!SplitItems(Pidl1, A) || !SplitItems(Pidl2, B)) {
      return E_INVALIDARG;
    }
    int R = 0;
    const LPARAM Column = Param & 0xFFFF;
    if (Column >= 1 && Column <= 3 && A.size() == 1 && B.size() == 1 && KindRank(A[0].Kind) == KindRank(B[0].Kind) &&
        (A[0].Kind == ItemKindFile || A[0].Kind == ItemKindFolder)) {
      R = CompareColumn(static_cast<int>(Column), A[0], B[0]);
    }
    std::size_t I = 0;
    for (; I < A.size() && I < B.size() && R == 0; ++I) {
      R = CompareItems(A[I], B[I]);
    }
    if (R == 0 && A.size() != B.size()) {
      R = A.size() < B.size() ? -1 : 1;
    }
    return static_cast<HRESULT>(static_cast<USHORT>(static_cast<short>(R)));
  }

  HRESULT CreateViewObject(HWND, REFIID Riid, void** Out) override {
    if (!Out) {
      return E_INVALIDARG;
    }
    *Out = nullptr;
    if (Riid == IID_IDropTarget && Droppable(FPlace)) {
      *Out = NewDropTarget(FPlace.Virtual == VirtualTrash ? std::string() : FPlace.ChildBase,
                           FPlace.Virtual == VirtualTrash);
      return S_OK;
    }
    return E_NOINTERFACE;
  }

  HRESULT GetAttributesOf(UINT Count, LPCITEMIDLIST* Pidls, ULONG* InOut) override {
    if (!InOut) {
      return E_INVALIDARG;
    }
    ULONG All = 0xFFFFFFFF;
    const ULONG Asked = *InOut;
    // Every item of one level shares the folder: whether it can be written is asked once, and only when a bit
    // that depends on it is wanted.
    const bool NeedWritable = (Asked & (SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE)) != 0;
    const int Writable = NeedWritable && !FPlace.ChildBase.empty() && FPlace.Virtual != VirtualComputer
                             ? (access(FPlace.ChildBase.c_str(), W_OK) == 0 ? 1 : 0)
                             : -1;
    if (Count == 0) {
      // The folder itself (a request to validate what it caches).
      All = PlaceAttributes(FPlace, {});
    }
    for (UINT I = 0; I < Count; ++I) {
      std::vector<TItem> Items;
      if (!Pidls || !SplitItems(Pidls[I], Items) || Items.empty()) {
        return E_INVALIDARG;
      }
      TPlace P = FPlace;
      for (const TItem& It : Items) {
        P = ChildPlace(P, It);
      }
      if (!P.Valid) {
        return E_INVALIDARG;
      }
      const ULONG A = PlaceAttributes(P, Items.back().Kind == ItemKindVirtual ? std::string_view() : Items.back().Payload,
                                      Items.size() == 1 ? Writable : -1, Asked);
      if ((*InOut & SFGAO_VALIDATE) && A == 0) {
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
      }
      All &= A;
    }
    *InOut &= All;
    return S_OK;
  }

  HRESULT GetUIObjectOf(HWND, UINT Count, LPCITEMIDLIST* Pidls, REFIID Riid, UINT*, void** Out) override {
    if (!Out) {
      return E_INVALIDARG;
    }
    *Out = nullptr;
    std::vector<TPlace> Places;
    std::vector<std::string> Data, Paths;
    for (UINT I = 0; I < Count; ++I) {
      std::vector<TItem> Items;
      if (!Pidls || !SplitItems(Pidls[I], Items) || Items.size() != 1) {
        return E_INVALIDARG;
      }
      TPlace P = ChildPlace(FPlace, Items[0]);
      if (!P.Valid) {
        return E_INVALIDARG;
      }
      Places.push_back(P);
      Data.push_back(ItemBytes(Items[0].Kind, Items[0].Payload));
      if (!P.Path.empty()) {
        Paths.push_back(P.Path);
      }
    }
    if (Places.empty()) {
      return E_INVALIDARG;
    }
    if (Riid == IID_IContextMenu) {
      *Out = NewContextMenu(this, FPlace, FPidl, Places, Data);
      return S_OK;
    }
    if (Riid == IID_IDropTarget) {
      if (Places.size() != 1 || !Droppable(Places[0])) {
        return E_NOINTERFACE;
      }
      *Out = NewDropTarget(Places[0].Virtual == VirtualTrash ? std::string() : Places[0].ChildBase,
                           Places[0].Virtual == VirtualTrash);
      return S_OK;
    }
    if (Riid == IID_IDataObject) {
      *Out = NewItemsDataObject(FPidl, Data, Paths);
      return S_OK;
    }
    return E_NOINTERFACE;
  }

  HRESULT GetDisplayNameOf(LPCITEMIDLIST Pidl, DWORD Flags, STRRET* Name) override {
    if (!Name) {
      return E_INVALIDARG;
    }
    std::vector<TItem> Items;
    if (!SplitItems(Pidl, Items)) {
      return E_INVALIDARG;
    }
    TPlace P = FPlace;
    for (const TItem& It : Items) {
      P = ChildPlace(P, It);
    }
    if (!P.Valid) {
      return E_INVALIDARG;
    }
    const bool Parsing = (Flags & SHGDN_FORPARSING) != 0, InFolder = (Flags & SHGDN_INFOLDER) != 0;
    if (Items.empty() && FPlace.Desktop) {
      return ReturnName(Name, Parsing && !P.Path.empty() ? P.Path : std::string("Desktop"));
    }
    const TItem* Last = Items.empty() ? nullptr : &Items.back();
    if (P.Virtual == VirtualHome) {
      return ReturnName(Name, Parsing ? P.Path : std::string("Home"));
    }
    if (P.Virtual == VirtualComputer) {
      return ReturnName(Name, Parsing ? std::string("::Computer") : std::string("Computer"));
    }
    if (P.Virtual == VirtualTrash) {
      return ReturnName(Name, Parsing ? std::string("::Trash") : std::string("Trash"));
    }
    if (Last && Last->Kind == ItemKindVolume) {
      return ReturnName(Name, Parsing ? P.Path : VolumeLabel(P.Path));
    }
    if (!Last) {
      // The folder's own name relative to itself.
      return ReturnName(Name, Parsing ? P.Path : DisplayFromFileName(P.Path.substr(P.Path.rfind('/') + 1)));
    }
    if (Parsing) {
      // Parsing names are the file system's bytes, not display text.
      Name->uType = STRRET_CSTR;
      const std::string Text = InFolder ? std::string(Last->Payload) : P.Path;
      if (Text.size() >= sizeof Name->cStr) {
        return ReturnName(Name, Text);
      }
      std::memcpy(Name->cStr, Text.c_str(), Text.size() + 1);
      return S_OK;
    }
    return ReturnName(Name, DisplayFromFileName(Last->Payload));
  }

  HRESULT SetNameOf(HWND Owner, LPCITEMIDLIST Pidl, const char16_t* NewName, DWORD, LPITEMIDLIST* OutPidl) override {
    if (OutPidl) {
      *OutPidl = nullptr;
    }
    std::vector<TItem> Items;
    if (!NewName || !SplitItems(Pidl, Items) || Items.size() != 1) {
      return E_INVALIDARG;
    }
    const TPlace P = ChildPlace(FPlace, Items[0]);
    if (!P.Valid || P.Virtual || Items[0].Kind == ItemKindVolume) {
      return E_INVALIDARG;
    }
    const std::string Name = FileNameFromDisplay(FromUtf16(NewName));
    LONG Error = 0;
    std::string Target;
    if (Name.empty() || Name == "." || Name == ".." || Name.find('/') != std::string::npos) {
      Error = ERROR_INVALID_NAME;
    } else {
      Target = ParentOf(P.Path) + (ParentOf(P.Path) == "/" ? "" : "/") + Name;
      struct stat St {};
      if (Target != P.Path && lstat(Target.c_str(), &St) == 0) {
        Error = ERROR_ALREADY_EXISTS;
      } else if (std::rename(P.Path.c_str(), Target.c_str()) != 0) {
        Error = static_cast<LONG>(ErrorFromErrno(errno, Target));
      }
    }
    if (Error) {
      if (Owner) {
        TDialogRequest R;
        R.Kind = "MessageBox";
        R.Owner = Owner;
        R.Caption = "Error Renaming File or Folder";
        R.Text = Error == ERROR_ALREADY_EXISTS
                     ? "Cannot rename " + DisplayFromFileName(Items[0].Payload) + ": a file with the name you " +
                           "specified already exists. Specify a different file name."
                     : Error == ERROR_INVALID_NAME
                           ? std::string("A file name cannot be empty, \".\", \"..\" or contain \"/\".")
                           : "Cannot rename " + DisplayFromFileName(Items[0].Payload) + ": " + SysErrorText(Error);
        R.Flags = 0x10;
        R.Buttons = {1};
        R.DefaultButton = 1;
        DialogService().Run(R);
      }
      return HRESULT_FROM_WIN32(Error);
    }
    if (OutPidl) {
      *OutPidl = MakeItem(Items[0].Kind, Name);
    }
    return S_OK;
  }

private:
  ~TFolder() { ILFree(FPidl); }
  int CompareColumn(int Column, const TItem& A, const TItem& B) const {
    const TPlace Pa = ChildPlace(FPlace, A), Pb = ChildPlace(FPlace, B);
    if (!Pa.Valid || !Pb.Valid || Pa.Path.empty() || Pb.Path.empty()) {
      return 0;
    }
    if (Column == 2) {
      const int R = CompareNames(TypeNameOf(Pa), TypeNameOf(Pb));
      return R;
    }
    struct stat Sa {}, Sb {};
    if (stat(Pa.Path.c_str(), &Sa) != 0 || stat(Pb.Path.c_str(), &Sb) != 0) {
      return 0;
    }
    if (Column == 1) {
      if (A.Kind == ItemKindFolder) {
        return 0;  // folders have no size: by name
      }
      return Sa.st_size < Sb.st_size ? -1 : Sa.st_size > Sb.st_size ? 1 : 0;
    }
    const auto Ta = Sa.st_mtim.tv_sec, Tb = Sb.st_mtim.tv_sec;
    if (Ta != Tb) {
      return Ta < Tb ? -1 : 1;
    }
    return Sa.st_mtim.tv_nsec < Sb.st_mtim.tv_nsec ? -1 : Sa.st_mtim.tv_nsec > Sb.st_mtim.tv_nsec ? 1 : 0;
  }
  static bool Droppable(const TPlace& P) {
    return P.Valid && (P.Virtual == VirtualTrash || (P.Virtual != VirtualComputer && !P.ChildBase.empty()));
  }
  static std::string SysErrorText(LONG Error);
  LPITEMIDLIST FPidl;
  TPlace FPlace;
};

std::string TFolder::SysErrorText(LONG Error) {
  switch (Error) {
    case ERROR_ACCESS_DENIED: return "Access is denied.";
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified.";
    case ERROR_PATH_NOT_FOUND: return "The system cannot find the path specified.";
    default: return "Error " + std::to_string(Error) + ".";
  }
}

}  // namespace

IShellFolder* NewFolder(LPCITEMIDLIST Absolute, const TPlace& Place) { return new TFolder(Absolute, Place); }

ULONG PlaceAttributes(const TPlace& P, std::string_view Name, int ParentWritable, ULONG Asked) {
  if (!P.Valid) {
    return 0;
  }
  if (P.Desktop) {
    return SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_DROPTARGET | SFGAO_HASPROPSHEET;
  }
  switch (P.Virtual) {
    case VirtualHome:
      return SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_DROPTARGET |
             SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    case VirtualComputer: return SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_HASPROPSHEET;
    case VirtualTrash: return SFGAO_FOLDER | SFGAO_DROPTARGET | SFGAO_HASSUBFOLDER;
    default: break;
  }
  struct stat L {};
  if (lstat(P.Path.c_str(), &L) != 0) {
    return 0;
  }
  ULONG A = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
  struct stat St = L;
  const bool IsLink = S_ISLNK(L.st_mode);
  const bool Resolved = !IsLink || stat(P.Path.c_str(), &St) == 0;
  if (IsLink || (S_ISREG(L.st_mode) && EndsWith(Name, ".desktop"))) {
    A |= SFGAO_LINK;
  }
  if (HiddenName(Name)) {
    A |= SFGAO_GHOSTED;
  }
  const bool Volume = Name.empty() || Name[0] == '/';
  if (!Volume) {
    if ((Asked & (SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE)) &&
        (ParentWritable < 0 ? access(ParentOf(P.Path).c_str(), W_OK) == 0 : ParentWritable != 0)) {
      A |= SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE;
    }
  } else if (Asked & SFGAO_REMOVABLE) {
    const UINT Type = GetDriveType(P.Path.c_str());
    if (Type == DRIVE_REMOVABLE || Type == DRIVE_CDROM) {
      A |= SFGAO_REMOVABLE;
    }
  }
  const bool Dir = Resolved && S_ISDIR(St.st_mode);
  if ((Asked & (SFGAO_READONLY | (Dir ? SFGAO_DROPTARGET : 0))) && access(P.Path.c_str(), W_OK) != 0) {
    A |= SFGAO_READONLY;
  }
  if (Dir) {
    A |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;
    if ((Asked & SFGAO_DROPTARGET) && !(A & SFGAO_READONLY)) {
      A |= SFGAO_DROPTARGET;
    }
    if ((Asked & SFGAO_HASSUBFOLDER) && HasSubfolder(P.Path, St)) {
      A |= SFGAO_HASSUBFOLDER;
    }
  }
  return A;
}

}  // namespace ShellNs
