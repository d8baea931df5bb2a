// The desktop's shell namespace over a fixture home folder: the desktop's items, parsing and resolving paths,
// enumeration, attributes, order, names, renaming, context-menu verbs, the trash, drops on folders, the mount
// table, desktop entries and the "Shell IDList Array" bytes.
#include "platform/win/ShlObj.h"
#include "platform/win/WinMenu.h"
#include "platform/win/DialogService.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>

namespace {

void Touch(const std::string& Path, const std::string& Text = "x") { std::ofstream(Path) << Text; }

std::string Name(IShellFolder* F, LPCITEMIDLIST Pidl, DWORD Flags) {
  STRRET R;
  if (FAILED(F->GetDisplayNameOf(Pidl, Flags, &R))) {
    return "<fail>";
  }
  std::string S;
  if (R.uType == STRRET_WSTR) {
    for (char16_t* P = R.pOleStr; *P; ++P) {
      S += static_cast<char>(*P);
    }
    CoTaskMemFree(R.pOleStr);
  } else {
    S = R.cStr;
  }
  return S;
}

class ShellNamespace : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("HOME", Home.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", (Home / ".local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Home / ".config").c_str(), 1);
    mkdir((Home / "Desktop").c_str(), 0700);
    mkdir((Home / "docs").c_str(), 0700);
    mkdir((Home / "docs/sub").c_str(), 0700);
    Touch(Home / "docs/a.html");
    Touch(Home / "docs/.hidden");
    Touch(Home / "Desktop/note.txt");
    Mounts = std::make_unique<TestSupport::TTempFolder>("zubq-mounts");
    std::ofstream(Mounts->Path() + "/mounts") << "overlay / overlay rw 0 0\nproc /proc proc rw 0 0\n"
                                                 "tmpfs /tmp tmpfs rw 0 0\n/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n";
    SetMountTableFile(Mounts->Path() + "/mounts");
    ASSERT_EQ(SHGetDesktopFolder(&Desktop), S_OK);
  }
  void TearDown() override {
    Desktop->Release();
    SetMountTableFile("");
  }
  LPITEMIDLIST Parse(const std::string& Path) {
    LPITEMIDLIST P = nullptr;
    EXPECT_EQ(SHParseDisplayName(Path, &P), S_OK) << Path;
    return P;
  }
  IShellFolder* Bind(const std::string& Path) {
    LPITEMIDLIST P = Parse(Path);
    void* Out = nullptr;
    EXPECT_EQ(Desktop->BindToObject(P, nullptr, IID_IShellFolder, &Out), S_OK);
    ILFree(P);
    return static_cast<IShellFolder*>(Out);
  }
  std::vector<std::string> Enumerate(IShellFolder* F, DWORD Flags) {
    IEnumIDList* E = nullptr;
    std::vector<std::string> Names;
    if (FAILED(F->EnumObjects(0, Flags, &E))) {
      return {"<fail>"};
    }
    LPITEMIDLIST Item = nullptr;
    ULONG Got = 0;
    while (E->Next(1, &Item, &Got) == S_OK) {
      Names.push_back(Name(F, Item, SHGDN_INFOLDER));
      ILFree(Item);
    }
    E->Release();
    return Names;
  }
  ULONG Attributes(IShellFolder* F, const std::string& ItemName) {
    IEnumIDList* E = nullptr;
    F->EnumObjects(0, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &E);
    LPITEMIDLIST Item = nullptr;
    ULONG Got = 0, Result = 0;
    while (E->Next(1, &Item, &Got) == S_OK) {
      if (Name(F, Item, SHGDN_INFOLDER | SHGDN_FORPARSING) == ItemName) {
        Result = 0xFFFFFFFF;
        LPCITEMIDLIST One = Item;
        F->GetAttributesOf(1, &One, &Result);
      }
      ILFree(Item);
    }
    E->Release();
    return Result;
  }
  TestSupport::TTempFolder Home{"zubq-shellns"};
  std::unique_ptr<TestSupport::TTempFolder> Mounts;
  IShellFolder* Desktop = nullptr;
};

TEST_F(ShellNamespace, TheDesktopHoldsHomeComputerTrashAndItsOwnEntries) {
  EXPECT_EQ(Enumerate(Desktop, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS),
            (std::vector<std::string>{"Home", "Computer", "Trash", "note.txt"}));
  LPITEMIDLIST Empty = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(0, CSIDL_DESKTOP, &Empty), S_OK);
  EXPECT_EQ(ILGetSize(Empty), 2u);
  EXPECT_EQ(PathFromIdList(Empty), Home / "Desktop");
  ILFree(Empty);
}

TEST_F(ShellNamespace, ComputerListsRootAndRealVolumesWithoutPseudoFileSystems) {
  LPITEMIDLIST Drives = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(0, CSIDL_DRIVES, &Drives), S_OK);
  EXPECT_EQ(PathFromIdList(Drives), "");
  void* Out = nullptr;
  ASSERT_EQ(Desktop->BindToObject(Drives, nullptr, IID_IShellFolder, &Out), S_OK);
  auto* Computer = static_cast<IShellFolder*>(Out);
  EXPECT_EQ(Enumerate(Computer, SHCONTF_FOLDERS), (std::vector<std::string>{"File System", "usb stick"}));
  Computer->Release();
  ULONG Attr = 0xFFFFFFFF;
  LPCITEMIDLIST One = reinterpret_cast<LPCITEMIDLIST>(Drives);
  ASSERT_EQ(Desktop->GetAttributesOf(1, &One, &Attr), S_OK);
  EXPECT_TRUE(Attr & SFGAO_FILESYSANCESTOR);
  EXPECT_FALSE(Attr & SFGAO_FILESYSTEM);
  ILFree(Drives);
  EXPECT_EQ(GetDriveType("/media/usb stick"), DRIVE_NO_ROOT_DIR);  // not mounted here: no such folder
}

TEST_F(ShellNamespace, PathsRoundTripThroughIdLists) {
  for (const std::string& P : {Home.Path(), Home / "docs", Home / "docs/sub", Home / "docs/a.html", std::string("/"),
                               std::string("/tmp")}) {
    LPITEMIDLIST L = Parse(P);
    EXPECT_EQ(PathFromIdList(L), P);
    ILFree(L);
  }
  LPITEMIDLIST Missing = nullptr;
  EXPECT_TRUE(FAILED(SHParseDisplayName(Home / "nothing", &Missing)));
  EXPECT_EQ(Missing, nullptr);
}

TEST_F(ShellNamespace, FoldersComeFirstHiddenFilesOnlyWhenAskedAndGhosted) {
  IShellFolder* Docs = Bind(Home / "docs");
  EXPECT_EQ(Enumerate(Docs, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS), (std::vector<std::string>{"a.html", "sub"}));
  EXPECT_EQ(Enumerate(Docs, SHCONTF_FOLDERS), (std::vector<std::string>{"sub"}));
  EXPECT_EQ(Enumerate(Docs, SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN).size(), 2u);
  EXPECT_TRUE(Attributes(Docs, ".hidden") & SFGAO_GHOSTED);
  const ULONG Sub = Attributes(Docs, "sub");
  EXPECT_TRUE(Sub & SFGAO_FOLDER);
  EXPECT_FALSE(Sub & SFGAO_HASSUBFOLDER);
  EXPECT_TRUE(Sub & SFGAO_CANRENAME);
  EXPECT_FALSE(Attributes(Docs, "a.html") & SFGAO_FOLDER);
  // Folders order before files whatever their names.
  LPITEMIDLIST A = Parse(Home / "docs/a.html"), S = Parse(Home / "docs/sub");
  const HRESULT Hr = Desktop->CompareIDs(0, S, A);
  EXPECT_LT(static_cast<short>(Hr & 0xFFFF), 0);
  EXPECT_EQ(Desktop->CompareIDs(0, A, A) & 0xFFFF, 0);
  ILFree(A);
  ILFree(S);
  Docs->Release();
}

TEST_F(ShellNamespace, LinksBrokenLinksUnreadableFoldersAndNamesThatAreNotUtf8) {
  symlink((Home / "docs").c_str(), (Home / "to-docs").c_str());
  symlink((Home / "gone").c_str(), (Home / "broken").c_str());
  Touch(Home / "app.desktop", "[Desktop Entry]\nType=Link\nURL=file:///tmp\n");
  mkdir((Home / "locked").c_str(), 0);
  const std::string Odd = std::string("caf") + static_cast<char>(0xE9) + "-latin1";
  Touch(Home / Odd);
  const std::string Utf8 = "caf\xC3\xA9";
  mkdir((Home / Utf8).c_str(), 0700);
  IShellFolder* H = Bind(Home.Path());
  EXPECT_TRUE(Attributes(H, "to-docs") & SFGAO_LINK);
  EXPECT_TRUE(Attributes(H, "to-docs") & SFGAO_FOLDER);
  EXPECT_TRUE(Attributes(H, "broken") & SFGAO_LINK);
  EXPECT_FALSE(Attributes(H, "broken") & SFGAO_FOLDER);
  EXPECT_TRUE(Attributes(H, "app.desktop") & SFGAO_LINK);
  EXPECT_TRUE(IsShortcutPath(Home / "app.desktop"));
  EXPECT_TRUE(IsShortcutPath(Home / "broken"));
  const std::vector<std::string> All = Enumerate(H, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
  EXPECT_NE(std::find(All.begin(), All.end(), Odd), All.end());       // shown as its bytes
  EXPECT_NE(std::find(All.begin(), All.end(), "caf\xE9"), All.end());  // UTF-8 shown in code page 1252
  // The unreadable folder binds, but cannot be enumerated.
  LPITEMIDLIST L = Parse(Home / "locked");
  void* Out = nullptr;
  ASSERT_EQ(Desktop->BindToObject(L, nullptr, IID_IShellFolder, &Out), S_OK);
  IEnumIDList* E = nullptr;
  if (geteuid() != 0) {
    EXPECT_TRUE(FAILED(static_cast<IShellFolder*>(Out)->EnumObjects(0, SHCONTF_FOLDERS, &E)));
  }
  static_cast<IShellFolder*>(Out)->Release();
  ILFree(L);
  // A name that is not UTF-8 renames and parses by its bytes.
  LPITEMIDLIST OddPidl = Parse(Home / Odd);
  EXPECT_EQ(PathFromIdList(OddPidl), Home / Odd);
  ILFree(OddPidl);
  H->Release();
}

TEST_F(ShellNamespace, RenameMovesTheFileAndRefusesTakenNames) {
  IShellFolder* Docs = Bind(Home / "docs");
  LPITEMIDLIST Item = nullptr;
  ASSERT_EQ(Docs->ParseDisplayName(0, nullptr, u"sub", nullptr, &Item, nullptr), S_OK);
  LPITEMIDLIST New = nullptr;
  ASSERT_EQ(Docs->SetNameOf(0, Item, u"renamed", 0x20, &New), S_OK);
  EXPECT_EQ(Name(Docs, New, SHGDN_INFOLDER), "renamed");
  struct stat St {};
  EXPECT_EQ(stat((Home / "docs/renamed").c_str(), &St), 0);
  TScriptedDialogs Dialogs;
  TDialogService* Old = SetDialogService(&Dialogs);
  LPITEMIDLIST Again = nullptr;
  EXPECT_EQ(Docs->SetNameOf(1, New, u"a.html", 0x20, &Again), HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(Again, nullptr);
  EXPECT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Docs->SetNameOf(0, New, u"x/y", 0x20, &Again), HRESULT_FROM_WIN32(ERROR_INVALID_NAME));
  SetDialogService(Old);
  ILFree(Item);
  ILFree(New);
  Docs->Release();
}

TEST_F(ShellNamespace, ContextMenuVerbsCopyPasteDeleteToTrashAndNewFolder) {
  IShellFolder* Docs = Bind(Home / "docs");
  LPITEMIDLIST Item = nullptr;
  ASSERT_EQ(Docs->ParseDisplayName(0, nullptr, u"a.html", nullptr, &Item, nullptr), S_OK);
  void* Out = nullptr;
  LPCITEMIDLIST One = Item;
  ASSERT_EQ(Docs->GetUIObjectOf(0, 1, &One, IID_IContextMenu, nullptr, &Out), S_OK);
  auto* Menu = static_cast<IContextMenu*>(Out);
  HMENU Popup = CreatePopupMenu();
  Menu->QueryContextMenu(Popup, 0, 1000, 0x7FFF, CMF_EXPLORE | CMF_CANRENAME);
  EXPECT_NE(GetMenuState(Popup, 1000 + ShellCmdRename, MF_BYCOMMAND), static_cast<UINT>(-1));
  char Verb[64] = {};
  ASSERT_EQ(Menu->GetCommandString(ShellCmdDelete, GCS_VERBA, nullptr, Verb, sizeof Verb), S_OK);
  EXPECT_STREQ(Verb, "delete");
  DestroyMenu(Popup);
  CMINVOKECOMMANDINFO Copy;
  Copy.lpVerb = "copy";
  ASSERT_EQ(Menu->InvokeCommand(&Copy), S_OK);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_HDROP));
  EXPECT_TRUE(IsClipboardFormatAvailable(ShellIdListFormat()));
  // Paste into the home folder's "docs/sub" copies it there.
  IShellFolder* HomeF = Bind(Home.Path());
  LPITEMIDLIST DocsItem = nullptr;
  ASSERT_EQ(Docs->ParseDisplayName(0, nullptr, u"sub", nullptr, &DocsItem, nullptr), S_OK);
  LPCITEMIDLIST SubOne = DocsItem;
  ASSERT_EQ(Docs->GetUIObjectOf(0, 1, &SubOne, IID_IContextMenu, nullptr, &Out), S_OK);
  auto* SubMenu = static_cast<IContextMenu*>(Out);
  CMINVOKECOMMANDINFO Paste;
  Paste.lpVerb = "paste";
  ASSERT_EQ(SubMenu->InvokeCommand(&Paste), S_OK);
  struct stat St {};
  EXPECT_EQ(stat((Home / "docs/sub/a.html").c_str(), &St), 0);
  CMINVOKECOMMANDINFO NewFolder;
  NewFolder.lpVerb = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(ShellCmdNewFolder));
  ASSERT_EQ(SubMenu->InvokeCommand(&NewFolder), S_OK);
  ASSERT_EQ(SubMenu->InvokeCommand(&NewFolder), S_OK);
  EXPECT_EQ(stat((Home / "docs/sub/New Folder (2)").c_str(), &St), 0);
  SubMenu->Release();
  CMINVOKECOMMANDINFO Delete;
  Delete.lpVerb = "delete";
  ASSERT_EQ(Menu->InvokeCommand(&Delete), S_OK);
  EXPECT_NE(stat((Home / "docs/a.html").c_str(), &St), 0);
  EXPECT_EQ(stat((Home / ".local/share/Trash/files/a.html").c_str(), &St), 0);
  std::ifstream Info(Home / ".local/share/Trash/info/a.html.trashinfo");
  std::string Text((std::istreambuf_iterator<char>(Info)), std::istreambuf_iterator<char>());
  EXPECT_NE(Text.find("Path=" + Home / "docs/a.html"), std::string::npos) << Text;
  // The trash lists what it holds.
  LPITEMIDLIST Trash = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(0, CSIDL_BITBUCKET, &Trash), S_OK);
  ASSERT_EQ(Desktop->BindToObject(Trash, nullptr, IID_IShellFolder, &Out), S_OK);
  EXPECT_EQ(Enumerate(static_cast<IShellFolder*>(Out), SHCONTF_NONFOLDERS), (std::vector<std::string>{"a.html"}));
  static_cast<IShellFolder*>(Out)->Release();
  ILFree(Trash);
  Menu->Release();
  HomeF->Release();
  ILFree(Item);
  ILFree(DocsItem);
  Docs->Release();
}

TEST_F(ShellNamespace, OpenGoesThroughShellExecute) {
  SetShellExecuteRecording(true);
  ClearShellExecuteRecords();
  IShellFolder* Docs = Bind(Home / "docs");
  LPITEMIDLIST Item = nullptr;
  ASSERT_EQ(Docs->ParseDisplayName(0, nullptr, u"a.html", nullptr, &Item, nullptr), S_OK);
  void* Out = nullptr;
  LPCITEMIDLIST One = Item;
  ASSERT_EQ(Docs->GetUIObjectOf(0, 1, &One, IID_IContextMenu, nullptr, &Out), S_OK);
  CMINVOKECOMMANDINFO Open;
  Open.lpVerb = "open";
  static_cast<IContextMenu*>(Out)->InvokeCommand(&Open);
  const auto Records = ShellExecuteRecords();
  ASSERT_EQ(Records.size(), 1u);
  EXPECT_EQ(Records[0].File, Home / "docs/a.html");
  static_cast<IContextMenu*>(Out)->Release();
  ILFree(Item);
  Docs->Release();
  SetShellExecuteRecording(false);
}

struct TEffectCase {
  const char* Name;
  DWORD Keys;
  DWORD Allowed;
  bool SameDevice;
  DWORD Expected;
};

class DropEffects : public ::testing::TestWithParam<TEffectCase> {};

TEST_P(DropEffects, ModifiersAndTheFileSystemDecide) {
  TestSupport::TTempFolder T("zubq-effect");
  Touch(T / "f");
  mkdir((T / "d").c_str(), 0700);
  const TEffectCase& C = GetParam();
  // /proc is never on the same file system as a temporary folder.
  const std::string Folder = C.SameDevice ? T / "d" : std::string("/proc");
  EXPECT_EQ(ChooseDropEffect(C.Keys, C.Allowed, {T / "f"}, Folder), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DropEffects,
    ::testing::Values(TEffectCase{"CtrlCopies", MK_CONTROL, 7, true, DROPEFFECT_COPY},
                      TEffectCase{"ShiftMoves", MK_SHIFT, 7, false, DROPEFFECT_MOVE},
                      TEffectCase{"CtrlShiftLinks", MK_CONTROL | MK_SHIFT, 7, true, DROPEFFECT_LINK},
                      TEffectCase{"NoKeyMovesOnTheSameFileSystem", 0, 7, true, DROPEFFECT_MOVE},
                      TEffectCase{"NoKeyCopiesAcrossFileSystems", 0, 7, false, DROPEFFECT_COPY},
                      TEffectCase{"LimitedByTheAllowedEffects", MK_SHIFT, DROPEFFECT_COPY, true, DROPEFFECT_COPY},
                      TEffectCase{"NothingAllowed", 0, 0, true, DROPEFFECT_NONE}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ShellNamespace, FolderDropTargetCopiesMovesAndAsksAfterARightButtonDrag) {
  Touch(Home / "one.txt");
  Touch(Home / "two.txt");
  IShellFolder* H = Bind(Home.Path());
  LPITEMIDLIST Docs = nullptr;
  ASSERT_EQ(H->ParseDisplayName(0, nullptr, u"docs", nullptr, &Docs, nullptr), S_OK);
  void* Out = nullptr;
  LPCITEMIDLIST One = Docs;
  ASSERT_EQ(H->GetUIObjectOf(0, 1, &One, IID_IDropTarget, nullptr, &Out), S_OK);
  auto* Target = static_cast<IDropTarget*>(Out);
  auto Drop = [&](const std::string& File, DWORD Keys) {
    auto* Data = new TMemoryDataObject({CF_HDROP}, [File](UINT, std::string& Bytes) {
      HGLOBAL H2 = CreateDropFilesBlock({File});
      Bytes.assign(static_cast<const char*>(GlobalLock(H2)), GlobalSize(H2));
      GlobalUnlock(H2);
      GlobalFree(H2);
      return true;
    });
    DWORD Effect = 7;
    Target->DragEnter(Data, Keys, POINTL{}, &Effect);
    Effect = 7;
    Target->Drop(Data, Keys, POINTL{}, &Effect);
    Data->Release();
    return Effect;
  };
  struct stat St {};
  EXPECT_EQ(Drop(Home / "one.txt", MK_LBUTTON | MK_CONTROL), DROPEFFECT_COPY);
  EXPECT_EQ(stat((Home / "one.txt").c_str(), &St), 0);
  EXPECT_EQ(stat((Home / "docs/one.txt").c_str(), &St), 0);
  EXPECT_EQ(Drop(Home / "one.txt", MK_LBUTTON | MK_CONTROL), DROPEFFECT_COPY);
  EXPECT_EQ(stat((Home / "docs/one (2).txt").c_str(), &St), 0);
  EXPECT_EQ(Drop(Home / "one.txt", MK_LBUTTON), DROPEFFECT_MOVE);
  EXPECT_NE(stat((Home / "one.txt").c_str(), &St), 0);
  TScriptedDialogs Dialogs;
  TDialogService* Old = SetDialogService(&Dialogs);
  Dialogs.QueueAnswer(DROPEFFECT_LINK);
  EXPECT_EQ(Drop(Home / "two.txt", MK_RBUTTON), DROPEFFECT_LINK);
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Kind, "PopupMenu");
  EXPECT_NE(Dialogs.Shown()[0].Text.find("Move Here"), std::string::npos);
  EXPECT_EQ(lstat((Home / "docs/two.txt").c_str(), &St), 0);
  EXPECT_TRUE(S_ISLNK(St.st_mode));
  Dialogs.QueueAnswer(0x100);  // Cancel
  EXPECT_EQ(Drop(Home / "two.txt", MK_RBUTTON), DROPEFFECT_NONE);
  SetDialogService(Old);
  Target->Release();
  ILFree(Docs);
  H->Release();
}

TEST(MountTable, ReadsEscapesSkipsBadLinesAndTypesDrives) {
  std::vector<TMountEntry> E;
  EXPECT_FALSE(ParseMountTable("/dev/sda1 / ext4 rw 0 0\nbad\nnfs:/x /mnt/n\\040fs nfs4 rw\n"
                               "/dev/sr0 /media/cd iso9660 ro\nx relative ext4 rw\n/dev/x /bad\\09 ext4\n",
                               E));
  ASSERT_EQ(E.size(), 3u);
  EXPECT_EQ(E[0].DriveType, DRIVE_FIXED);
  EXPECT_EQ(E[1].MountPoint, "/mnt/n fs");
  EXPECT_EQ(E[1].DriveType, DRIVE_REMOTE);
  EXPECT_EQ(E[2].DriveType, DRIVE_CDROM);
  EXPECT_TRUE(ParseMountTable("# comment\n\n", E));
  EXPECT_TRUE(E.empty());
}

TEST(MountTable, MountPointWithCarriageReturnIsReadWhole) {
  std::vector<TMountEntry> E;
  EXPECT_TRUE(ParseMountTable("/dev/sdb1 /media/a\rb\\134c\\011\xe9 vfat rw 0 0\n", E));
  ASSERT_EQ(E.size(), 1u);
  EXPECT_EQ(E[0].MountPoint, "/media/a\rb\\c\t\xe9");
  EXPECT_EQ(E[0].Device, "/dev/sdb1");
  EXPECT_EQ(E[0].Type, "vfat");
}

TEST(DesktopEntry, RoundTripsKeysEscapesAndOtherGroups) {
  TDesktopEntry E;
  std::string Error;
  ASSERT_TRUE(ParseDesktopEntry("# c\n[Desktop Entry]\nType=Link\nComment=two\\nlines\\s\nURL = file:///x\n"
                                "[Desktop Action a]\nExec=b\n",
                                E, &Error))
      << Error;
  EXPECT_EQ(E.Get("Comment"), "two\nlines ");
  EXPECT_EQ(E.Get("URL"), "file:///x");
  TDesktopEntry Back;
  ASSERT_TRUE(ParseDesktopEntry(FormatDesktopEntry(E), Back));
  EXPECT_EQ(Back.Keys, E.Keys);
  EXPECT_EQ(Back.OtherGroups, E.OtherGroups);
  EXPECT_FALSE(ParseDesktopEntry("Type=Link\n", E, &Error));
  EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nno equals sign\n", E, &Error));
  EXPECT_NE(Error.find("line 2"), std::string::npos);
  EXPECT_FALSE(ParseDesktopEntry("[Other]\n[Desktop Entry]\n", E));
}

TEST(IdListArray, ReadsWhatItWritesAndRejectsBadOffsets) {
  LPITEMIDLIST Parent = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(0, CSIDL_DRIVES, &Parent), S_OK);
  const BYTE Item[] = {5, 0, ItemKindFile, 'a', 'b', 0, 0};
  const std::string Bytes = MakeIdListArray(Parent, {reinterpret_cast<LPCITEMIDLIST>(Item)});
  std::string P;
  std::vector<std::string> Items;
  ASSERT_TRUE(ReadIdListArray(Bytes.data(), Bytes.size(), P, Items));
  ASSERT_EQ(Items.size(), 1u);
  EXPECT_EQ(Items[0], std::string(reinterpret_cast<const char*>(Item), sizeof Item));
  EXPECT_EQ(P.size(), ILGetSize(Parent));
  EXPECT_FALSE(ReadIdListArray(Bytes.data(), Bytes.size() - 1, P, Items));
  std::string Bad = Bytes;
  Bad[4] = 100;  // the parent's offset past the end
  EXPECT_FALSE(ReadIdListArray(Bad.data(), Bad.size(), P, Items));
  std::string Huge = Bytes;
  Huge[3] = 0x7F;  // an item count the bytes cannot hold
  EXPECT_FALSE(ReadIdListArray(Huge.data(), Huge.size(), P, Items));
  ILFree(Parent);
}

TEST(MimeTypes, ExtensionsNameTypesAndTheirComments) {
  std::map<std::string, std::string> Ext;
  EXPECT_TRUE(ParseMimeGlobs("# x\n50:text/html:*.html\n50:text/x-foo:*.HTM\n10:text/plain:*.html\n"
                             "50:text/x-c:*.[ch]\n50:image/png:*.png:cs\n",
                             Ext));
  EXPECT_EQ(Ext[".html"], "text/html");
  EXPECT_EQ(Ext[".htm"], "text/x-foo");
  EXPECT_EQ(Ext.count(".[ch]"), 0u);
  EXPECT_EQ(Ext[".png"], "image/png");
  EXPECT_FALSE(ParseMimeGlobs("bad line\n", Ext));
  if (!MimeTypeOfName("page.html").empty()) {  // the shared MIME database is installed
    EXPECT_EQ(MimeTypeOfName("page.HTML"), "text/html");
    EXPECT_EQ(MimeComment("text/html"), "HTML document");
  }
}

}  // namespace
