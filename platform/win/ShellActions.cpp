// What the shell namespace does with items: context menus and their verbs, the clipboard, drop targets of
// folders, the data object of items, the trash and copying, moving and linking files.
#include "platform/rtl/SysUtils.h"
#include "platform/win/DialogService.h"
#include "platform/win/Files.h"
#include "platform/win/ShellInternals.h"
#include "platform/win/UtilWindow.h"
#include "platform/win/WinMenu.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace fs = std::filesystem;

namespace {

TPropertiesHandler& PropertiesHandler() {
  static TPropertiesHandler H;
  return H;
}

std::string BaseName(const std::string& Path) { return Path.substr(Path.rfind('/') + 1); }

bool Exists(const std::string& Path) {
  struct stat St {};
  return lstat(Path.c_str(), &St) == 0;
}

// A free name in Folder for Name: the name itself, else "stem (2).ext", "stem (3).ext"...
std::string FreeName(const std::string& Folder, const std::string& Name) {
  const std::string Base = Folder == "/" ? std::string() : Folder;
  if (!Exists(Base + "/" + Name)) {
    return Base + "/" + Name;
  }
  const std::size_t Dot = Name.rfind('.');
  const std::string Stem = Dot == std::string::npos || Dot == 0 ? Name : Name.substr(0, Dot);
  const std::string Ext = Dot == std::string::npos || Dot == 0 ? std::string() : Name.substr(Dot);
  for (int N = 2;; ++N) {
    const std::string Candidate = Base + "/" + Stem + " (" + std::to_string(N) + ")" + Ext;
    if (!Exists(Candidate)) {
      return Candidate;
    }
  }
}

DWORD ErrorOf(const std::error_code& E, const std::string& Path) {
  return E ? ErrorFromErrno(E.value(), Path) : 0;
}

std::string UrlEncodePath(const std::string& Path) {
  static const char* Hex = "0123456789ABCDEF";
  std::string Out;
  for (unsigned char C : Path) {
    if (std::isalnum(C) || C == '/' || C == '-' || C == '_' || C == '.' || C == '~') {
      Out += static_cast<char>(C);
    } else {
      Out += '%';
      Out += Hex[C >> 4];
      Out += Hex[C & 15];
    }
  }
  return Out;
}

HGLOBAL BlockOf(const std::string& Bytes) {
  HGLOBAL H = GlobalAlloc(GHND, Bytes.size());
  if (H) {
    std::memcpy(GlobalLock(H), Bytes.data(), Bytes.size());
    GlobalUnlock(H);
  }
  return H;
}

bool PutFilesOnClipboard(HWND Owner, LPCITEMIDLIST Parent, const std::vector<std::string>& ItemData,
                         const std::vector<std::string>& Paths, DWORD Effect) {
  if (!OpenClipboard(Owner)) {
    return false;
  }
  EmptyClipboard();
  SetClipboardData(CF_HDROP, CreateDropFilesBlock(Paths));
  std::vector<LPITEMIDLIST> Lists;
  for (const std::string& D : ItemData) {
    Lists.push_back(ShellNs::MakeList({D}));
  }
  std::vector<LPCITEMIDLIST> Const(Lists.begin(), Lists.end());
  SetClipboardData(ShellIdListFormat(), BlockOf(MakeIdListArray(Parent, Const)));
  for (LPITEMIDLIST L : Lists) {
    ILFree(L);
  }
  std::string E(4, '\0');
  std::memcpy(E.data(), &Effect, 4);
  SetClipboardData(PreferredDropEffectFormat(), BlockOf(E));
  CloseClipboard();
  return true;
}

// The files on the clipboard and whether they were cut.
std::vector<std::string> ClipboardFiles(bool& Cut) {
  std::vector<std::string> Files;
  Cut = false;
  if (!OpenClipboard(0)) {
    return Files;
  }
  if (HANDLE H = GetClipboardData(CF_HDROP)) {
    ReadDropFilesBlock(static_cast<HGLOBAL>(H), Files);
  }
  if (HANDLE H = GetClipboardData(PreferredDropEffectFormat())) {
    if (GlobalSize(static_cast<HGLOBAL>(H)) >= 4) {
      DWORD E = 0;
      std::memcpy(&E, GlobalLock(static_cast<HGLOBAL>(H)), 4);
      GlobalUnlock(static_cast<HGLOBAL>(H));
      Cut = E == DROPEFFECT_MOVE;
    }
  }
  CloseClipboard();
  return Files;
}

void ShowError(HWND Owner, const std::string& Caption, const std::string& Text) {
  TDialogRequest R;
  R.Kind = "MessageBox";
  R.Owner = Owner;
  R.Caption = Caption;
  R.Text = Text;
  R.Flags = 0x10;
  R.Buttons = {1};
  R.DefaultButton = 1;
  DialogService().Run(R);
}

std::string ErrorText(DWORD Error) {
  switch (Error) {
    case ERROR_ACCESS_DENIED: return "Access is denied.";
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified.";
    case ERROR_PATH_NOT_FOUND: return "The system cannot find the path specified.";
    case ERROR_ALREADY_EXISTS: return "Cannot create a file when that file already exists.";
    default: return "Error " + std::to_string(Error) + ".";
  }
}

// The hidden window that owns the drop menu (a menu needs a window to report to).
HWND MenuWindow() {
  static HWND Wnd = 0;
  if (!IsWindow(Wnd)) {
    static HWND* Self = &Wnd;
    Wnd = AllocateHWnd([](TMessage& M) { M.Result = DefWindowProc(*Self, M.Msg, M.WParam, M.LParam); });
  }
  return Wnd;
}

struct TVerb {
  UINT Offset;
  const char* Verb;
  const char* Caption;
  const char* Help;
};
constexpr TVerb Verbs[] = {
    {ShellCmdOpen, "open", "&Open", "Opens the selected items."},
    {ShellCmdCut, "cut", "Cu&t", "Removes the selected items and copies them onto the Clipboard."},
    {ShellCmdCopy, "copy", "&Copy", "Copies the selected items to the Clipboard."},
    {ShellCmdPaste, "paste", "&Paste", "Inserts the items you have copied or cut into the selected location."},
    {ShellCmdDelete, "delete", "&Delete", "Deletes the selected items."},
    {ShellCmdRename, "rename", "Rena&me", "Renames the selected item."},
    {ShellCmdNewFolder, "newfolder", "New &Folder", "Creates a new, empty folder."},
    {ShellCmdProperties, "properties", "P&roperties", "Displays the properties of the selected items."},
};

class TContextMenu final : public TShellObject<IContextMenu, IID_IContextMenu> {
public:
  TContextMenu(IShellFolder* Folder, const ShellNs::TPlace& FolderPlace, LPCITEMIDLIST FolderPidl,
               std::vector<ShellNs::TPlace> Items, std::vector<std::string> ItemData)
      : FFolder(Folder), FFolderPlace(FolderPlace), FFolderPidl(ILClone(FolderPidl)), FItems(std::move(Items)),
        FData(std::move(ItemData)) {
    FFolder->AddRef();
  }

  HRESULT QueryContextMenu(HMENU Menu, UINT IndexMenu, UINT IdFirst, UINT IdLast, UINT Flags) override {
    if (!IsMenu(Menu)) {
      return E_INVALIDARG;
    }
    UINT Pos = IndexMenu;
    auto Add = [&](UINT Offset, UINT Extra = 0) {
      if (IdFirst + Offset > IdLast) {
        return;
      }
      for (const TVerb& V : Verbs) {
        if (V.Offset == Offset) {
          InsertMenu(Menu, Pos++, MF_BYPOSITION | MF_STRING | Extra, IdFirst + Offset, V.Caption);
        }
      }
    };
    auto Separator = [&] { InsertMenu(Menu, Pos++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr); };
    const bool Files = AllFileSystem();
    Add(ShellCmdOpen, MF_DEFAULT);
    if (Flags & CMF_DEFAULTONLY) {
      return static_cast<HRESULT>(ShellCmdRename + 1);
    }
    if (Files) {
      Separator();
      Add(ShellCmdCut);
      Add(ShellCmdCopy);
      if (SingleFolder()) {
        Add(ShellCmdPaste);
      }
      Separator();
      Add(ShellCmdDelete);
      if ((Flags & CMF_CANRENAME) && FItems.size() == 1) {
        Add(ShellCmdRename);
      }
    }
    if (SingleFolder()) {
      Add(ShellCmdNewFolder);
    }
    Separator();
    Add(ShellCmdProperties);
    return static_cast<HRESULT>(ShellCmdRename + 1);
  }

  HRESULT InvokeCommand(CMINVOKECOMMANDINFO* Info) override {
    if (!Info || !Info->lpVerb) {
      return E_INVALIDARG;
    }
    const auto Raw = reinterpret_cast<std::uintptr_t>(Info->lpVerb);
    UINT Offset = 0xFFFF;
    if ((Raw >> 16) == 0) {
      Offset = static_cast<UINT>(Raw);
    } else {
      for (const TVerb& V : Verbs) {
        if (SameText(V.Verb, Info->lpVerb)) {
          Offset = V.Offset;
        }
      }
    }
    return Run(Offset, Info->hwnd);
  }

  HRESULT GetCommandString(UINT_PTR Offset, UINT Type, UINT*, char* Name, UINT MaxChars) override {
    for (const TVerb& V : Verbs) {
      if (V.Offset == Offset && Name && MaxChars > 0) {
        const char* Text = Type == GCS_HELPTEXTA ? V.Help : V.Verb;
        std::strncpy(Name, Text, MaxChars - 1);
        Name[MaxChars - 1] = 0;
        return S_OK;
      }
    }
    return E_INVALIDARG;
  }

private:
  ~TContextMenu() {
    FFolder->Release();
    ILFree(FFolderPidl);
  }

  bool AllFileSystem() const {
    for (const auto& P : FItems) {
      if (!P.FileSystem || P.Path.empty() || P.Virtual == VirtualHome || FData.empty()) {
        return false;
      }
    }
    for (const std::string& D : FData) {
      if (!D.empty() && (D[0] == ItemKindVolume || D[0] == ItemKindVirtual)) {
        return false;
      }
    }
    return true;
  }
  bool SingleFolder() const {
    if (FItems.size() != 1 || FItems[0].ChildBase.empty() || FItems[0].Virtual) {
      return FItems.size() == 1 && FItems[0].Virtual == VirtualHome;
    }
    struct stat St {};
    return stat(FItems[0].ChildBase.c_str(), &St) == 0 && S_ISDIR(St.st_mode);
  }
  std::vector<std::string> Paths() const {
    std::vector<std::string> R;
    for (const auto& P : FItems) {
      if (!P.Path.empty()) {
        R.push_back(P.Path);
      }
    }
    return R;
  }

  HRESULT Run(UINT Offset, HWND Owner) {
    switch (Offset) {
      case ShellCmdOpen: {
        for (const auto& P : FItems) {
          const std::string Target = P.Path.empty() ? P.ChildBase : P.Path;
          if (Target.empty()) {
            continue;
          }
          const int R = ShellExecuteResult(ShellExecute(Owner, "open", Target.c_str(), nullptr, nullptr, 1));
          if (R <= 32) {
            return HRESULT_FROM_WIN32(R);
          }
        }
        return S_OK;
      }
      case ShellCmdCut:
      case ShellCmdCopy:
        if (!AllFileSystem()) {
          return E_FAIL;
        }
        return PutFilesOnClipboard(Owner, FFolderPidl, FData, Paths(),
                                   Offset == ShellCmdCut ? DROPEFFECT_MOVE : DROPEFFECT_COPY | DROPEFFECT_LINK)
                   ? S_OK
                   : E_FAIL;
      case ShellCmdPaste: {
        if (!SingleFolder()) {
          return E_FAIL;
        }
        bool Cut = false;
        const std::vector<std::string> Files = ClipboardFiles(Cut);
        for (const std::string& F : Files) {
          if (const DWORD E = ShellTransfer(F, FItems[0].ChildBase, Cut ? DROPEFFECT_MOVE : DROPEFFECT_COPY)) {
            ShowError(Owner, "Error Copying File or Folder", "Cannot copy " + BaseName(F) + ": " + ErrorText(E));
            return HRESULT_FROM_WIN32(static_cast<LONG>(E));
          }
        }
        if (Cut && OpenClipboard(0)) {
          EmptyClipboard();
          CloseClipboard();
        }
        return S_OK;
      }
      case ShellCmdDelete: {
        const bool InTrash = FFolderPlace.Virtual == VirtualTrash;
        for (const std::string& P : Paths()) {
          DWORD E = 0;
          if (InTrash) {
            std::error_code Ec;
            fs::remove_all(P, Ec);
            E = ErrorOf(Ec, P);
            std::error_code Ignored;
            fs::remove(ShellNs::TrashFolder() + "/info/" + BaseName(P) + ".trashinfo", Ignored);
          } else {
            E = MoveToTrash(P);
          }
          if (E) {
            ShowError(Owner, "Error Deleting File or Folder", "Cannot delete " + BaseName(P) + ": " + ErrorText(E));
            return HRESULT_FROM_WIN32(static_cast<LONG>(E));
          }
        }
        return S_OK;
      }
      case ShellCmdNewFolder: {
        if (!SingleFolder()) {
          return E_FAIL;
        }
        const std::string Made = FreeName(FItems[0].ChildBase, "New Folder");
        if (mkdir(Made.c_str(), 0777) != 0) {
          return ShellNs::ErrnoResult(errno);
        }
        return S_OK;
      }
      case ShellCmdProperties: {
        const std::vector<std::string> P = Paths();
        if (PropertiesHandler()) {
          PropertiesHandler()(Owner, P);
          return S_OK;
        }
        ShowProperties(Owner, P);
        return S_OK;
      }
      default: return E_INVALIDARG;  // rename is done in place by the view
    }
  }

  void ShowProperties(HWND Owner, const std::vector<std::string>& Paths) {
    std::string Text;
    for (std::size_t I = 0; I < FItems.size(); ++I) {
      const auto& P = FItems[I];
      SHFILEINFO Info;
      LPITEMIDLIST Abs = ShellNs::MakeList({FData[I]});
      LPITEMIDLIST Full = ILCombine(FFolderPidl, Abs);
      SHGetFileInfo(reinterpret_cast<const char*>(Full), 0, &Info, sizeof Info,
                    SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_TYPENAME);
      ILFree(Full);
      ILFree(Abs);
      Text += std::string(Info.szDisplayName) + "\nType: " + Info.szTypeName;
      if (!P.Path.empty()) {
        Text += "\nLocation: " + ShellNs::DisplayFromFileName(P.Path);
        struct stat St {};
        if (stat(P.Path.c_str(), &St) == 0) {
          if (!S_ISDIR(St.st_mode)) {
            Text += "\nSize: " + std::to_string(St.st_size) + " bytes";
          }
          char When[64];
          std::tm Tm{};
          localtime_r(&St.st_mtime, &Tm);
          std::strftime(When, sizeof When, "%Y-%m-%d %H:%M", &Tm);
          Text += std::string("\nModified: ") + When;
        }
      }
      Text += "\n\n";
    }
    (void)Paths;
    TDialogRequest R;
    R.Kind = "MessageBox";
    R.Owner = Owner;
    R.Caption = "Properties";
    R.Text = Text.substr(0, Text.size() >= 2 ? Text.size() - 2 : 0);
    R.Flags = 0x40;
    R.Buttons = {1};
    R.DefaultButton = 1;
    DialogService().Run(R);
  }

  IShellFolder* FFolder;
  ShellNs::TPlace FFolderPlace;
  LPITEMIDLIST FFolderPidl;
  std::vector<ShellNs::TPlace> FItems;
  std::vector<std::string> FData;
};

class TFolderDropTarget final : public TShellObject<IDropTarget, IID_IDropTarget> {
public:
  TFolderDropTarget(std::string Folder, bool Trash) : FFolder(std::move(Folder)), FTrash(Trash) {}
  HRESULT DragEnter(IDataObject* Data, DWORD KeyState, POINTL, DWORD* Effect) override {
    if (!Effect) {
      return E_INVALIDARG;
    }
    FFiles = FilesOfDataObject(Data);
    FAllowed = *Effect;
    *Effect = Choose(KeyState);
    return S_OK;
  }
  HRESULT DragOver(DWORD KeyState, POINTL, DWORD* Effect) override {
    if (!Effect) {
      return E_INVALIDARG;
    }
    FAllowed = *Effect & ~DROPEFFECT_SCROLL;
    *Effect = Choose(KeyState);
    return S_OK;
  }
  HRESULT DragLeave() override {
    FFiles.clear();
    return S_OK;
  }
  HRESULT Drop(IDataObject* Data, DWORD KeyState, POINTL Pt, DWORD* Effect) override {
    if (!Effect) {
      return E_INVALIDARG;
    }
    FFiles = FilesOfDataObject(Data);
    FAllowed = *Effect & ~DROPEFFECT_SCROLL;
    DWORD Chosen = Choose(KeyState);
    if ((KeyState & MK_RBUTTON) && Chosen != DROPEFFECT_NONE && !FTrash) {
      Chosen = AskDropMenu(Pt);
    }
    *Effect = Chosen;
    if (Chosen == DROPEFFECT_NONE) {
      return S_OK;
    }
    for (const std::string& F : FFiles) {
      DWORD E = FTrash ? MoveToTrash(F) : ShellTransfer(F, FFolder, Chosen);
      if (E) {
        ShowError(0, "Error Copying File or Folder", "Cannot copy " + BaseName(F) + ": " + ErrorText(E));
        *Effect = DROPEFFECT_NONE;
        return HRESULT_FROM_WIN32(static_cast<LONG>(E));
      }
    }
    FFiles.clear();
    return S_OK;
  }

private:
  ~TFolderDropTarget() = default;
  DWORD Choose(DWORD KeyState) const {
    if (FFiles.empty()) {
      return DROPEFFECT_NONE;
    }
    for (const std::string& F : FFiles) {
      // Dropping a folder into itself or below itself, or an item where it already lies, does nothing.
      const std::string Parent = F.substr(0, std::max<std::size_t>(F.rfind('/'), 1));
      if (!FTrash && (Parent == FFolder || FFolder == F || FFolder.rfind(F + "/", 0) == 0)) {
        return DROPEFFECT_NONE;
      }
    }
    if (FTrash) {
      return FAllowed & DROPEFFECT_MOVE;
    }
    return ChooseDropEffect(KeyState, FAllowed, FFiles, FFolder);
  }
  DWORD AskDropMenu(POINTL Pt) const {
    HMENU Menu = CreatePopupMenu();
    const DWORD Default = ChooseDropEffect(0, FAllowed, FFiles, FFolder);
    auto Item = [&](DWORD Effect, const char* Caption) {
      AppendMenu(Menu, MF_STRING | ((FAllowed & Effect) ? 0 : MF_GRAYED) | (Default == Effect ? MF_DEFAULT : 0),
                 Effect, Caption);
    };
    Item(DROPEFFECT_COPY, "&Copy Here");
    Item(DROPEFFECT_MOVE, "&Move Here");
    Item(DROPEFFECT_LINK, "Create &Link Here");
    AppendMenu(Menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(Menu, MF_STRING, 0x100, "Cancel");
    const int Chosen = TrackPopupMenu(Menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, Pt.x, Pt.y, 0, MenuWindow(), nullptr);
    DestroyMenu(Menu);
    return Chosen == 0x100 ? DROPEFFECT_NONE : static_cast<DWORD>(Chosen) & FAllowed;
  }

  std::string FFolder;
  bool FTrash;
  std::vector<std::string> FFiles;
  DWORD FAllowed = 0;
};

}  // namespace

namespace ShellNs {

IContextMenu* NewContextMenu(IShellFolder* Folder, const TPlace& FolderPlace, LPCITEMIDLIST FolderPidl,
                             const std::vector<TPlace>& Items, const std::vector<std::string>& ItemData) {
  return new TContextMenu(Folder, FolderPlace, FolderPidl, Items, ItemData);
}

IDropTarget* NewDropTarget(const std::string& FolderPath, bool IsTrash) {
  return new TFolderDropTarget(FolderPath, IsTrash);
}

IDataObject* NewItemsDataObject(LPCITEMIDLIST FolderPidl, const std::vector<std::string>& ItemData,
                                const std::vector<std::string>& Paths) {
  std::vector<LPITEMIDLIST> Lists;
  for (const std::string& D : ItemData) {
    Lists.push_back(MakeList({D}));
  }
  std::vector<LPCITEMIDLIST> Const(Lists.begin(), Lists.end());
  const std::string Cida = MakeIdListArray(FolderPidl, Const);
  for (LPITEMIDLIST L : Lists) {
    ILFree(L);
  }
  std::string Drop;
  if (HGLOBAL H = CreateDropFilesBlock(Paths)) {
    Drop.assign(static_cast<const char*>(GlobalLock(H)), GlobalSize(H));
    GlobalUnlock(H);
    GlobalFree(H);
  }
  auto* Obj = new TMemoryDataObject({ShellIdListFormat(), CF_HDROP}, [Cida, Drop](UINT Format, std::string& Bytes) {
    Bytes = Format == CF_HDROP ? Drop : Cida;
    return true;
  });
  return Obj;
}

}  // namespace ShellNs

UINT ShellIdListFormat() {
  static const UINT F = RegisterClipboardFormat("Shell IDList Array");
  return F;
}

UINT PreferredDropEffectFormat() {
  static const UINT F = RegisterClipboardFormat("Preferred DropEffect");
  return F;
}

std::string MakeIdListArray(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items) {
  const UINT N = static_cast<UINT>(Items.size());
  std::string Out(4 + 4 * (N + 1), '\0');
  std::memcpy(Out.data(), &N, 4);
  auto Put = [&](UINT Index, LPCITEMIDLIST List) {
    const UINT Offset = static_cast<UINT>(Out.size());
    std::memcpy(Out.data() + 4 + 4 * Index, &Offset, 4);
    if (List) {
      Out.append(reinterpret_cast<const char*>(List), ILGetSize(List));
    } else {
      Out.append(2, '\0');
    }
  };
  Put(0, Parent);
  for (UINT I = 0; I < N; ++I) {
    Put(I + 1, Items[I]);
  }
  return Out;
}

bool ReadIdListArray(const void* Bytes, std::size_t Size, std::string& Parent, std::vector<std::string>& Items) {
  Parent.clear();
  Items.clear();
  if (!Bytes || Size < 8) {
    return false;
  }
  const auto* B = static_cast<const BYTE*>(Bytes);
  UINT N = 0;
  std::memcpy(&N, B, 4);
  if (N > (Size - 4) / 4 - 1) {
    return false;
  }
  for (UINT I = 0; I <= N; ++I) {
    UINT Offset = 0;
    std::memcpy(&Offset, B + 4 + 4 * I, 4);
    if (Offset >= Size || !ILIsValid(B + Offset, Size - Offset)) {
      Parent.clear();
      Items.clear();
      return false;
    }
    std::string List(reinterpret_cast<const char*>(B + Offset), ILGetSize(reinterpret_cast<LPCITEMIDLIST>(B + Offset)));
    if (I == 0) {
      Parent = std::move(List);
    } else {
      Items.push_back(std::move(List));
    }
  }
  return true;
}

std::vector<std::string> FilesOfDataObject(IDataObject* Data) {
  std::vector<std::string> Files;
  if (!Data) {
    return Files;
  }
  std::string Bytes;
  if (OleReadFormat(Data, CF_HDROP, Bytes)) {
    if (HGLOBAL H = BlockOf(Bytes)) {
      ReadDropFilesBlock(H, Files);
      GlobalFree(H);
    }
    if (!Files.empty()) {
      return Files;
    }
  }
  std::string Parent;
  std::vector<std::string> Items;
  if (OleReadFormat(Data, ShellIdListFormat(), Bytes) && ReadIdListArray(Bytes.data(), Bytes.size(), Parent, Items)) {
    for (const std::string& Item : Items) {
      LPITEMIDLIST Full = ILCombine(reinterpret_cast<LPCITEMIDLIST>(Parent.data()),
                                    reinterpret_cast<LPCITEMIDLIST>(Item.data()));
      const std::string Path = PathFromIdList(Full);
      ILFree(Full);
      if (!Path.empty()) {
        Files.push_back(Path);
      }
    }
  }
  return Files;
}

DWORD ChooseDropEffect(DWORD Keys, DWORD Allowed, const std::vector<std::string>& Files, const std::string& Folder) {
  Allowed &= DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  DWORD Wanted = 0;
  const bool Ctrl = (Keys & MK_CONTROL) != 0, Shift = (Keys & MK_SHIFT) != 0;
  if (Ctrl && Shift) {
    Wanted = DROPEFFECT_LINK;
  } else if (Ctrl) {
    Wanted = DROPEFFECT_COPY;
  } else if (Shift) {
    Wanted = DROPEFFECT_MOVE;
  } else {
    struct stat Target {};
    bool Same = stat(Folder.c_str(), &Target) == 0;
    for (const std::string& F : Files) {
      struct stat St {};
      Same = Same && lstat(F.c_str(), &St) == 0 && St.st_dev == Target.st_dev;
    }
    Wanted = Same ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
  }
  if (Allowed & Wanted) {
    return Wanted;
  }
  for (DWORD E : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK}) {
    if (Allowed & E) {
      return E;
    }
  }
  return DROPEFFECT_NONE;
}

DWORD MoveToTrash(const std::string& Path) {
  struct stat St {};
  if (Path.empty() || lstat(Path.c_str(), &St) != 0) {
    return ERROR_FILE_NOT_FOUND;
  }
  const std::string Trash = ShellNs::TrashFolder();
  std::error_code Ec;
  fs::create_directories(Trash + "/files", Ec);
  fs::create_directories(Trash + "/info", Ec);
  if (Ec) {
    return ErrorOf(Ec, Trash);
  }
  // The info file is made first, exclusively, so two deletions of the same name cannot take the same slot.
  std::string Name = BaseName(Path), Target, Info;
  for (int N = 1;; ++N) {
    const std::string Candidate = N == 1 ? Name : Name + "." + std::to_string(N);
    Info = Trash + "/info/" + Candidate + ".trashinfo";
    Target = Trash + "/files/" + Candidate;
    const HANDLE H = CreateFile(Info.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (H != INVALID_HANDLE_VALUE) {
      const std::time_t Now = std::time(nullptr);
      std::tm Tm{};
      localtime_r(&Now, &Tm);
      char When[32];
      std::strftime(When, sizeof When, "%Y-%m-%dT%H:%M:%S", &Tm);
      const std::string Text = "[Trash Info]\nPath=" + UrlEncodePath(Path) + "\nDeletionDate=" + When + "\n";
      DWORD Written = 0;
      WriteFile(H, Text.data(), static_cast<DWORD>(Text.size()), &Written, nullptr);
      CloseHandle(H);
      if (!Exists(Target)) {
        break;
      }
      std::remove(Info.c_str());
    } else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
      return GetLastError();
    }
  }
  if (std::rename(Path.c_str(), Target.c_str()) != 0) {
    const int E = errno;
    if (E == EXDEV) {
      fs::copy(Path, Target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, Ec);
      if (!Ec) {
        fs::remove_all(Path, Ec);
      }
      if (!Ec) {
        return 0;
      }
      std::remove(Info.c_str());
      return ErrorOf(Ec, Path);
    }
    std::remove(Info.c_str());
    return ErrorFromErrno(E, Path);
  }
  return 0;
}

DWORD ShellTransfer(const std::string& Source, const std::string& Folder, DWORD Effect, std::string* Made) {
  struct stat St {};
  if (lstat(Source.c_str(), &St) != 0) {
    return ERROR_FILE_NOT_FOUND;
  }
  const std::string Target = FreeName(Folder, BaseName(Source));
  std::error_code Ec;
  if (Effect & DROPEFFECT_MOVE) {
    if (std::rename(Source.c_str(), Target.c_str()) != 0) {
      if (errno != EXDEV) {
        return ErrorFromErrno(errno, Target);
      }
      fs::copy(Source, Target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, Ec);
      if (!Ec) {
        fs::remove_all(Source, Ec);
      }
    }
  } else if (Effect & DROPEFFECT_COPY) {
    fs::copy(Source, Target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, Ec);
  } else if (Effect & DROPEFFECT_LINK) {
    fs::create_symlink(Source, Target, Ec);
  } else {
    return ERROR_INVALID_PARAMETER;
  }
  if (Ec) {
    return ErrorOf(Ec, Target);
  }
  if (Made) {
    *Made = Target;
  }
  return 0;
}

void SetPropertiesHandler(TPropertiesHandler Handler) { PropertiesHandler() = std::move(Handler); }
