// Shell utilities: id lists, the id-list chain, names, special folders, shortcuts, strings, TPTPidlList and the
// device-change relay.
#include "shell/Uptshellutils.h"

#include "platform/classes/StringList.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"
#include "tests/shell/ShellTestHome.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

LPITEMIDLIST Parse(const std::string& Path) {
  LPITEMIDLIST L = nullptr;
  EXPECT_EQ(ShellGetIdListFromPath(Path, L), S_OK) << Path;
  return L;
}

TEST(Uptshellutils, IdListLengthsCopiesAndComparisons) {
  EXPECT_EQ(IdListLen(nullptr), 0u);
  LPITEMIDLIST Empty = CopyIdList(nullptr, nullptr);
  ASSERT_NE(Empty, nullptr);
  EXPECT_EQ(IdListLen(Empty), 2u);
  EXPECT_EQ(CompareAbsIdLists(nullptr, Empty), -1);
  EXPECT_EQ(CompareAbsIdLists(Empty, Empty), 0);
  EXPECT_EQ(CompareAbsIdLists(nullptr, nullptr), 0);
  ShellTest::THome Home;
  Home.MakeDir("a");
  Home.MakeDir("a/b");
  LPITEMIDLIST A = Parse(Home / "a"), B = Parse(Home / "a/b");
  EXPECT_EQ(CompareAbsIdLists(A, A), 0);
  EXPECT_NE(CompareAbsIdLists(A, B), 0);
  LPITEMIDLIST Both = ConcatIdLists(nullptr, A, nullptr);
  EXPECT_EQ(IdListLen(Both), IdListLen(A));
  ShellMemFree(Both);
  ShellMemFree(A);
  ShellMemFree(B);
  ShellMemFree(Empty);
}

TEST(Uptshellutils, TheChainGivesItemsAndAncestors) {
  ShellTest::THome Home;
  Home.MakeDir("a");
  LPITEMIDLIST A = Parse(Home / "a");  // home, then a
  TPTIdListArray Chain(A);
  ASSERT_EQ(Chain.GetCount(), 2);
  EXPECT_EQ(Chain.GetItem(2), nullptr);
  EXPECT_EQ(Chain.GetItem(-1), nullptr);
  std::string Path;
  ShellGetPathFromIdList(Chain.GoUp(1), Path);
  EXPECT_EQ(Path, Home.Path());
  EXPECT_EQ(IdListLen(Chain.GoUp(2)), 2u);  // the desktop
  EXPECT_EQ(Chain.GoUp(3), nullptr);
  EXPECT_EQ(IdListLen(Chain.GoUp(0)), IdListLen(A));
  TPTIdListArray One(Chain.GoUp(1));
  LPITEMIDLIST Home1 = CopyIdList(nullptr, Chain.GoUp(1));
  TPTIdListArray Single(Home1);
  EXPECT_EQ(IdListLen(Single.GoUp(1)), 2u);
  TPTIdListArray Null(nullptr);
  EXPECT_EQ(Null.GetCount(), 0);
  EXPECT_EQ(Null.GetItem(0), nullptr);
  ShellMemFree(Home1);
  ShellMemFree(A);
}

TEST(Uptshellutils, NamesAndSpecialFolders) {
  ShellTest::THome Home;
  Home.MakeDir("Documents");
  LPITEMIDLIST Docs = Parse(Home / "Documents");
  std::string Name;
  ShellGetFriendlyNameForLastIdListElement(Docs, Name);
  EXPECT_EQ(Name, "Documents");
  ShellGetFriendlyNameForLastIdListElement(nullptr, Name);
  EXPECT_EQ(Name, "Desktop");
  EXPECT_EQ(ShellFindCSIDLFromIdList(Docs), csidlPersonal);
  EXPECT_TRUE(ShellCSIDLEqualsIdList(Docs, csidlPersonal));
  EXPECT_THROW(ShellCSIDLEqualsIdList(Docs, csidlTemplates), Exception);  // no Templates folder here
  LPITEMIDLIST Drives = nullptr;
  ASSERT_EQ(ShellGetSpecialFolderIdList(0, csidlDrives, Drives), S_OK);
  ShellGetFriendlyNameForLastIdListElement(Drives, Name);
  EXPECT_EQ(Name, "Computer");
  std::string Path;
  ShellGetSpecialFolderPath(0, csidlDrives, Path);
  EXPECT_EQ(Path, "");
  ShellMemFree(Drives);
  ShellMemFree(Docs);
  STRRET R;
  R.uType = STRRET_CSTR;
  std::strcpy(R.cStr, "inline");
  ShellGetFriendlyNameFromIdList(nullptr, nullptr, ptfnNormal, Name);
  StrretToString(nullptr, R, Name);
  EXPECT_EQ(Name, "inline");
  EXPECT_GT(ShellGetSystemImageList(ptsizSmall), 0u);
  EXPECT_EQ(PTSystemImageList(ptsizSmall)->Width(), 16);
  EXPECT_EQ(PTSystemImageList(ptsizLarge)->Width(), 32);
}

TEST(Uptshellutils, ShortcutsRoundTripEveryField) {
  ShellTest::THome Home;
  Home.MakeDir("target dir");
  TLinkData D;
  D.Target = Home / "target dir";
  D.Description = "A description";
  D.Arguments = "-x \"y z\"";
  D.IconFile = "folder";
  D.IconNumber = 3;
  D.StartFolder = Home.Path();
  D.ShowCommand = 7;
  D.HotKeyCode = 0x0641;
  D.Use = TLinkDataOptions{ldoUseDesc, ldoUseArgs, ldoUseIcon, ldoUseWorkDir, ldoUseHotKey, ldoUseShowCmd};
  ASSERT_EQ(CreateShortcut(Home / "link.desktop", D), S_OK);
  TLinkData R;
  ASSERT_EQ(ResolveShortcut(Home / "link.desktop", R, true), S_OK);
  EXPECT_EQ(R.Target, D.Target);
  EXPECT_EQ(R.Description, D.Description);
  EXPECT_EQ(R.Arguments, D.Arguments);
  EXPECT_EQ(R.IconFile, D.IconFile);
  EXPECT_EQ(R.IconNumber, 3);
  EXPECT_EQ(R.StartFolder, D.StartFolder);
  EXPECT_EQ(R.ShowCommand, 7);
  EXPECT_EQ(R.HotKeyCode, 0x0641);
  EXPECT_TRUE(R.TargetFindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  std::string Path;
  ShellGetPathFromIdList(R.TargetIdList, Path);
  EXPECT_EQ(Path, D.Target);
  ShellMemFree(R.TargetIdList);
  // A symbolic link resolves like a shortcut; a quick shortcut keeps the description and folder.
  symlink("target dir", (Home / "sym").c_str());
  ASSERT_EQ(ResolveShortcut(Home / "sym", R, false), S_OK);
  EXPECT_EQ(R.Target, Home / "target dir");
  EXPECT_EQ(R.TargetIdList, nullptr);
  ASSERT_EQ(CreateQuickShortcut(Home / "quick.desktop", Home / "target dir"), S_OK);
  ASSERT_EQ(ResolveShortcut(Home / "quick.desktop", R, false), S_OK);
  EXPECT_EQ(R.Description, Home / "target dir");
  EXPECT_EQ(R.StartFolder, Home.Path() + "/");
  Home.MakeFile("bad.desktop", "not an entry");
  EXPECT_EQ(ResolveShortcut(Home / "bad.desktop", R, false), E_FAIL);
  EXPECT_TRUE(FAILED(ResolveShortcut(Home / "missing.desktop", R, false)));
}

TEST(Uptshellutils, StringsAndCommandLines) {
  EXPECT_EQ(EnsureTrailingCharDB("/home", '/'), "/home/");
  EXPECT_EQ(EnsureTrailingCharDB("/", '/'), "/");
  EXPECT_EQ(EnsureTrailingCharDB("", '/'), "");
  EXPECT_EQ(TrimRightDB("ab \t\n"), "ab");
  EXPECT_EQ(FormatStrPos("%2 before %1", {"one", "two"}, 1), "two before one");
  EXPECT_EQ(FormatStrPos("", {"x"}, 0), "");
  EXPECT_THROW(FormatStrPos("%1", std::vector<std::string>(50, "x"), 50), Exception);
  EXPECT_EQ(FormatStrPos("%3", {"a"}, 0), "");
  TStringList L;
  ParametizeCmdLineDB("plain \"two words\" last", &L);
  ASSERT_EQ(L.Count(), 3);
  EXPECT_EQ(L[1], "two words");
  L.Clear();
  ParametizeCmdLineDB("\"\"", &L);
  EXPECT_EQ(L.Count(), 0);
  L.Clear();
  ParametizeCmdLineDB("a\"b c\"d", &L);
  EXPECT_EQ(L.Count(), 3);
}

TEST(Uptshellutils, PidlListSortsSearchesAndHandlesDuplicates) {
  const BYTE A[] = {4, 0, 2, 'a', 0, 0}, B[] = {4, 0, 2, 'b', 0, 0}, C[] = {5, 0, 2, 'b', 'c', 0, 0};
  auto L = [](const BYTE* P) { return const_cast<LPITEMIDLIST>(reinterpret_cast<LPCITEMIDLIST>(P)); };
  TPTPidlList List;
  List.SetSorted(true);
  EXPECT_EQ(List.Add(L(C)), 0);
  EXPECT_EQ(List.Add(L(A)), 0);
  EXPECT_EQ(List.Add(L(B)), 1);
  EXPECT_EQ(List.IndexOf(L(C)), 2);
  EXPECT_THROW(List.Add(L(B)), Exception);
  List.DuplicatesPolicy = 0;
  EXPECT_EQ(List.Add(L(B)), 1);
  EXPECT_EQ(List.GetCount(), 3);
  TPTPidlList Unsorted;
  Unsorted.Add(L(C));
  Unsorted.Add(L(A));
  EXPECT_EQ(Unsorted.IndexOf(L(A)), 1);
  Unsorted.SetSorted(true);
  EXPECT_EQ(Unsorted.IndexOf(L(A)), 0);
  // An owning list frees its id lists through its allocator.
  TPTPidlList Owning;
  Owning.FreeAllocator = ShellIMalloc();
  Owning.Add(CopyIdList(nullptr, L(A)));
  Owning.Delete(0);
  EXPECT_EQ(Owning.GetCount(), 0);
}

TEST(Uptshellutils, DeviceBroadcastsReachHandlersAfterTheBroadcastReturned) {
  std::vector<std::string> Log;
  int Owner1 = 0, Owner2 = 0;
  PTDeviceChangeHandler()->Add(&Owner1, 0, [&](TPTDeviceChangeHandler*, TMessage& M) {
    Log.push_back("one " + std::to_string(M.WParam));
  });
  PTDeviceChangeHandler()->Add(&Owner2, 0, [&](TPTDeviceChangeHandler*, TMessage&) { Log.push_back("two"); });
  SendMessage(PTDeviceChangeHandler()->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
  EXPECT_TRUE(Log.empty());
  PTDeviceChangeHandler()->Remove(&Owner2, 0);
  MSG Msg;
  while (PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
    DispatchMessage(&Msg);
  }
  EXPECT_EQ(Log, (std::vector<std::string>{"one 32768"}));
  Log.clear();
  BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE);
  while (PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
    DispatchMessage(&Msg);
  }
  EXPECT_EQ(Log, (std::vector<std::string>{"one 32772"}));
  PTDeviceChangeHandler()->Remove(&Owner1, 0);
  PTFreeDeviceChangeHandler();
}

}  // namespace
