// The shell list over a fixture home folder: filling in every view style with icons and the default columns,
// texts supplied on demand, the published properties, the file filter, sorting by column, the column widths,
// links to a tree and a combo box, merging changes made by another process, options and failures.
#include "shell/Uptshelllist.h"

#include "platform/classes/Registry.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Exceptions.h"
#include "tests/shell/UptshelllistFixture.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <fstream>

namespace {

using namespace ShellListTest;
using ShellList = ShellListFixture;

TEST_F(ShellList, ShowsAFolderWithIconsAndTheDefaultColumnsInEveryViewStyle) {
  EXPECT_EQ(Names(List).substr(0, 19), "Home,Computer,Trash");  // the desktop, filled once the window was made
  Open("docs");
  EXPECT_EQ(Names(List), "sub,.hidden,a.htm,b.html,c.txt");
  ASSERT_EQ(List->Columns()->Count(), 4);
  const char* Captions[4] = {"Name", "Size", "Type", "Modified"};
  const int Widths[4] = {200, 60, 100, 120};
  for (int I = 0; I < 4; ++I) {
    EXPECT_EQ(List->Columns()->Items(I)->Caption(), Captions[I]);
    EXPECT_EQ(List->Columns()->Items(I)->Width(), Widths[I]);
  }
  EXPECT_EQ(List->Columns()->Items(1)->Alignment(), taRightJustify);
  TListItem* B = ItemNamed(List, "b.html");
  ASSERT_NE(B, nullptr);
  EXPECT_EQ(List->DisplayText(B, 1, nullptr), "2KB");
  EXPECT_EQ(List->DisplayText(ItemNamed(List, "sub"), 1, nullptr), "");  // folders have no size
  EXPECT_FALSE(List->DisplayText(ItemNamed(List, "sub"), 3, nullptr).empty());
  EXPECT_FALSE(List->DisplayText(B, 2, nullptr).empty());
  // Nothing was stored at the fill: the texts come when asked, and the caption is kept from then on.
  EXPECT_TRUE(B->SubItems()->Strings(0).empty());
  EXPECT_EQ(B->Caption(), "b.html");
  EXPECT_TRUE(ItemNamed(List, ".hidden")->Cut());  // hidden items are ghosted
  for (TViewStyle Style : {vsIcon, vsSmallIcon, vsList, vsReport}) {
    List->SetViewStyle(Style);
    List->Repaint();
    EXPECT_EQ(List->VisibleItems().size(), 5u) << Style;
    for (int I = 0; I < List->Items()->Count(); ++I) {
      int Image = -1;
      const std::string Caption = List->DisplayText(List->Items()->Item(I), 0, &Image);
      EXPECT_GE(Image, 0) << Caption;
      EXPECT_EQ(List->Items()->Item(I)->Caption(), Caption);
    }
  }
}

TEST_F(ShellList, PublishesItsPropertiesAndStoresTheFolderOnlyWhenUnlinked) {
  for (const char* Name : {"Options", "Folder", "FileFilter", "ViewStyle", "HeaderSortDisplayMode",
                           "OnItemContextMenu", "OnAddItem", "OnDeleteItem", "OnPopupHint", "OnDblClickOpen",
                           "OnCustomDrawSh", "OnCustomDrawShEx", "OnFillStart", "OnFillComplete",
                           "OnFolderChanged"}) {
    EXPECT_NE(GetPropInfo(TPTShellList::StaticClass(), Name), nullptr) << Name;
  }
  EXPECT_EQ(PTShellListDefaultOptions().ToMask(), 7835u);
  EXPECT_EQ(List->Options(), PTShellListDefaultOptions());
  EXPECT_EQ(GetOrdProp(List, "Options"), 7835);
  EXPECT_TRUE(IsStoredProp(List, "Folder"));
  auto* Tree = TestSupport::Make<TPTShellTree>(Form, Form, Rect(0, 0, 10, 10));
  Tree->SetShellList(List);
  EXPECT_FALSE(IsStoredProp(List, "Folder"));
  delete Tree;
  EXPECT_EQ(List->ShellTree(), nullptr);
  EXPECT_TRUE(IsStoredProp(List, "Folder"));
}

struct TFilterCase {
  const char* Name;
  const char* Filter;
  const char* Shown;
};

class ShellListFilter : public ShellListFixture, public ::testing::WithParamInterface<TFilterCase> {};

TEST_P(ShellListFilter, KeepsFoldersAndTheMatchingFiles) {
  Open("docs");
  int Fills = 0;
  List->OnFillComplete = [&](TObject*) { ++Fills; };
  List->SetFileFilter(GetParam().Filter);
  EXPECT_EQ(Fills, std::string(GetParam().Filter).empty() ? 0 : 1);  // a new filter fills again
  EXPECT_EQ(Names(List), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, ShellListFilter,
    ::testing::Values(TFilterCase{"None", "", "sub,.hidden,a.htm,b.html,c.txt"},
                      TFilterCase{"Star", "*", "sub,.hidden,a.htm,b.html,c.txt"},
                      TFilterCase{"StarDotStar", "*.*", "sub,.hidden,a.htm,b.html,c.txt"},
                      TFilterCase{"TwoMasks", "*.htm;*.html", "sub,a.htm,b.html"},
                      TFilterCase{"EmptyPiecesAndBlanks", ";*.txt; ;", "sub,c.txt"},
                      TFilterCase{"NothingMatches", "*.css", "sub"}),
    [](const ::testing::TestParamInfo<TFilterCase>& I) { return std::string(I.param.Name); });

TEST_F(ShellList, TheFilterLeavesVirtualFoldersAloneAndTheAddEventCanRefuse) {
  List->SetFileFilter("*.css");
  List->Folder()->SetIdList(nullptr);
  List->FillItems();
  EXPECT_EQ(Names(List).substr(0, 19), "Home,Computer,Trash");
  List->OnAddItem = [](TObject*, IShellFolder_NRC*, LPCITEMIDLIST, LPCITEMIDLIST, int Attribs, bool& Allow) {
    Allow = (Attribs & SFGAO_FOLDER) == 0;
  };
  List->SetFileFilter("");
  Open("docs");
  EXPECT_EQ(Names(List), ".hidden,a.htm,b.html,c.txt");
}

TEST_F(ShellList, SortsByTheClickedColumnAndReversesOnTheSecondClick) {
  Home.MakeDir("docs/aaa");
  Home.MakeFile("docs/.hidden", std::string(2000, 'h'));
  struct timeval Times[2] = {{1000000, 0}, {1000000, 0}};
  utimes((Home / "docs/c.txt").c_str(), Times);
  Times[0].tv_sec = Times[1].tv_sec = 2000000;
  utimes((Home / "docs/a.htm").c_str(), Times);
  Open("docs");
  EXPECT_EQ(List->SortColumn(), 1);
  EXPECT_EQ(Names(List), "aaa,sub,.hidden,a.htm,b.html,c.txt");
  int Clicks = 0;
  auto Click = [&](int Column) {
    const HWND Header = List->GetHeaderHandle();
    TRect R{};
    SendMessage(Header, HDM_GETITEMRECT, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&R));
    // Every other click lands elsewhere in the column, so that two clicks never make a double click.
    Harness::Click(Header, Point(R.Left + (++Clicks % 2 ? 5 : 35), R.Top + 3));
    Harness::RunUntilIdle();
  };
  Click(0);
  EXPECT_EQ(List->SortColumn(), -1);
  EXPECT_EQ(Names(List), "c.txt,b.html,a.htm,.hidden,sub,aaa");
  EXPECT_EQ(List->HeaderSortDirection(), ptsdAsc);
  Click(0);
  EXPECT_EQ(List->SortColumn(), 1);
  EXPECT_EQ(List->HeaderSortDirection(), ptsdDesc);
  // Size: folders first, then the files by size, equal sizes by name.
  Click(1);
  EXPECT_EQ(List->SortColumn(), 2);
  EXPECT_EQ(List->HeaderSortColumn(), 1);
  EXPECT_EQ(Names(List), "aaa,sub,a.htm,b.html,.hidden,c.txt");
  // Modified: oldest first, folders still ahead of the files.
  Click(3);
  EXPECT_EQ(Names(List).substr(8, 12), "c.txt,a.htm,");
  // A handler that sets the column itself has the last word.
  List->OnColumnClick = [&](TObject*, TListColumn*) { List->SetSortColumn(3); };
  Click(0);
  EXPECT_EQ(List->SortColumn(), 3);
}

TEST_F(ShellList, ColumnWidthsAreRememberedWhileDirectoryColsStaysTheSame) {
  Open("docs");
  List->Columns()->Items(0)->SetWidth(321);
  Open("docs/sub");
  EXPECT_EQ(List->Columns()->Items(0)->Width(), 321);
  // Another list of the process shares the memory.
  auto* Second = TestSupport::Make<TPTShellList>(Form, Form, Rect(0, 0, 300, 100));
  Second->SetViewStyle(vsReport);
  Harness::RunUntilIdle();
  Second->Folder()->SetPathName(Home / "docs");
  EXPECT_EQ(Second->Columns()->Items(0)->Width(), 321);
  delete Second;
  // Explorer's widths take over when its value changes; a value longer than 22 bytes is ignored.
  {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", true));
    const unsigned char Long[24] = {10, 0, 20, 0, 30, 0, 40, 0};
    Reg.WriteBinaryData("DirectoryCols", Long, sizeof Long);
  }
  Open("docs");
  EXPECT_EQ(List->Columns()->Items(0)->Width(), 321);
  {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", true));
    const unsigned char Short[10] = {150, 0, 70, 0, 90, 0, 130, 0, 50, 0};
    Reg.WriteBinaryData("DirectoryCols", Short, sizeof Short);
  }
  Open("docs/sub");
  EXPECT_EQ(List->Columns()->Items(0)->Width(), 150);
  EXPECT_EQ(List->Columns()->Items(3)->Width(), 130);
  {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    Reg.DeleteKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
  }
}

// A combo box as the list sees it: the list hands it folders, and it moves the list as a real one does.
class TFakeCombo final : public TComponent, public TPTShellComboLink {
public:
  explicit TFakeCombo(TPTCustomShellList* AList) : TComponent(nullptr), List(AList) {
    Selected.OnChange = [this](TObject*) { List->ListFolder()->Assign(&Selected); };
  }
  void ListUnlinked(TPTShellListLink* L) override { Unlinked = L; }
  TPTShellLocator* ComboSelectedFolder() override { return &Selected; }
  void ComboGoUp(int Levels) override { GoUps += Levels; }
  void SynchronizeFromLink() override { ++Syncs; }
  TComponent* LinkComponent() override { return this; }
  TPTCustomShellList* List;
  TPTShellLocator Selected;
  TPTShellListLink* Unlinked = nullptr;
  int GoUps = 0;
  int Syncs = 0;
};

TEST_F(ShellList, ALinkedComboBoxTakesTheNavigationAndHearsWhenTheListGoes) {
  Open("docs");
  TFakeCombo Combo(List);
  List->SetShellCombo(&Combo);
  EXPECT_FALSE(IsStoredProp(List, "Folder"));
  int Changes = 0;
  List->OnFolderChanged = [&](TObject*) { ++Changes; };
  List->OpenItem(ItemNamed(List, "sub"));
  EXPECT_EQ(Combo.Selected.GetPathName(), Home / "docs/sub");
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs/sub");
  EXPECT_EQ(Changes, 1);
  List->GoUp(1);
  EXPECT_EQ(Combo.GoUps, 1);
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs/sub");  // the combo moves the list, not the list itself
  const int Syncs = Combo.Syncs;  // opening synchronises first
  List->Synchronize(true);
  EXPECT_EQ(Combo.Syncs, Syncs + 1);
  delete List;
  EXPECT_NE(Combo.Unlinked, nullptr);
}

TEST_F(ShellList, ALinkedTreeDrivesTheListAndTheListDrivesTheTree) {
  auto* Tree = TestSupport::Make<TPTShellTree>(Form, Form, Rect(0, 0, 200, 360));
  List->SetBounds(200, 0, 400, 360);
  Harness::RunUntilIdle();
  Tree->SetShellList(List);
  Tree->SetSelectedPathName(Home / "docs");
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs");
  EXPECT_EQ(Names(List), "sub,.hidden,a.htm,b.html,c.txt");
  List->OpenItem(ItemNamed(List, "sub"));
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs/sub");
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs/sub");
  List->GoUp(1);
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs");
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs");
  // Folders the tree shows can be left out of the list.
  TPTShellListOptions O = List->Options();
  O.Include(ptsloHideFoldersWhenLinkedToTree);
  List->SetOptions(O);
  EXPECT_EQ(Names(List), ".hidden,a.htm,b.html,c.txt");
  // Without the option the list cannot change its folder at all.
  O.Exclude(ptsloHideFoldersWhenLinkedToTree);
  O.Include(ptsloDontChangeFolder);
  List->SetOptions(O);
  List->GoUp(1);
  List->OpenItem(ItemNamed(List, "sub"));
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs");
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs");
}

TEST_F(ShellList, ChangesByAnotherProcessAreMergedKeepingOrderSelectionAndScrollPosition) {
  TManualClock Clock;
  TScopedClock Use(Clock);
  for (int I = 0; I < 60; ++I) {
    Home.MakeFile("docs/f" + std::to_string(100 + I) + ".txt");
  }
  Open("docs");
  ASSERT_NE(List->ChangeThread(), nullptr);
  EXPECT_EQ(List->WatchedFolder(), Home / "docs");
  TListItem* Chosen = ItemNamed(List, "f140.txt");
  List->SetSelected(Chosen);
  Chosen->MakeVisible(false);
  const int TopRow = List->TopItem()->Index();
  ASSERT_GT(TopRow, 0);
  int Fills = 0;
  List->OnFillComplete = [&](TObject*) { ++Fills; };
  ASSERT_EQ(std::system(("touch '" + Home / "docs/0new.txt" + "' && mkdir '" + Home / "docs/0dir" + "' && rm '" +
                         Home / "docs/a.htm" + "'")
                            .c_str()),
            0);
  ASSERT_TRUE(Harness::RunUntil([&] { return List->RefreshTimer()->Enabled(); }));
  Harness::RunUntil([] { return false; }, 200);  // the burst's other notices
  EXPECT_EQ(List->RefreshTimer()->Interval(), TPTCustomShellList::RefreshDelayUnfocused);
  Harness::Advance(Clock, 1999);
  EXPECT_EQ(Fills, 0);
  Harness::Advance(Clock, 1);
  EXPECT_EQ(Fills, 1);
  const std::string After = Names(List);
  EXPECT_EQ(After.find("a.htm"), std::string::npos);
  // The new items come last, in the folder's order of enumeration, not sorted in.
  const std::string Tail = After.substr(After.size() - std::string("0dir,0new.txt").size());
  EXPECT_TRUE(Tail == "0dir,0new.txt" || Tail == "0new.txt,0dir") << After;
  EXPECT_EQ(After.substr(0, 4), "sub,");
  EXPECT_EQ(List->Selected(), Chosen);
  EXPECT_EQ(List->TopItem()->Index(), TopRow);  // the view stays where it was scrolled to
  // Many items gone at once leave the others in their order.
  ASSERT_EQ(std::system(("rm '" + Home / "docs/f1" + "'*.txt").c_str()), 0);
  ASSERT_TRUE(Harness::RunUntil([&] { return List->RefreshTimer()->Enabled(); }));
  Harness::RunUntil([] { return false; }, 200);
  Harness::Advance(Clock, 2000);
  const std::string Left = Names(List);
  EXPECT_TRUE(Left == "sub,.hidden,b.html,c.txt,0dir,0new.txt" || Left == "sub,.hidden,b.html,c.txt,0new.txt,0dir")
      << Left;
  // With the focus the quiet time is 400 ms.
  List->SetFocus();
  Harness::RunUntilIdle();
  ASSERT_EQ(std::system(("touch '" + Home / "docs/zz.txt" + "'").c_str()), 0);
  ASSERT_TRUE(Harness::RunUntil([&] { return List->RefreshTimer()->Enabled(); }));
  EXPECT_EQ(List->RefreshTimer()->Interval(), TPTCustomShellList::RefreshDelayFocused);
  Harness::Advance(Clock, 400);
  EXPECT_NE(ItemNamed(List, "zz.txt"), nullptr);
}

TEST_F(ShellList, OptionsRegisterTheDropTargetAndTheWatchAndComputerFollowsItsVolumes) {
  Open("docs");
  EXPECT_TRUE(List->DropTargetRegistered());
  EXPECT_EQ(List->WatchedFolder(), Home / "docs");
  TPTShellListOptions O = List->Options();
  O.Exclude(ptsloOleDrop);
  O.Exclude(ptsloDynamicRefresh);
  List->SetOptions(O);
  EXPECT_FALSE(List->DropTargetRegistered());
  EXPECT_EQ(List->WatchedFolder(), "");
  O.Include(ptsloOleDrop);
  O.Include(ptsloDynamicRefresh);
  List->SetOptions(O);
  EXPECT_TRUE(List->DropTargetRegistered());
  EXPECT_EQ(List->WatchedFolder(), Home / "docs");
  // Hidden items go and come back with their option.
  O.Exclude(ptsloShowHidden);
  List->SetOptions(O);
  EXPECT_EQ(ItemNamed(List, ".hidden"), nullptr);
  O.Include(ptsloShowHidden);
  List->SetOptions(O);
  EXPECT_NE(ItemNamed(List, ".hidden"), nullptr);

  TestSupport::TTempFolder Mounts("zubq-list-mounts");
  TestSupport::TTempFolder Volume("zubq-list-volume");
  std::ofstream(Mounts / "mounts") << "overlay / overlay rw 0 0\n";
  SetMountTableFile(Mounts / "mounts");
  List->Folder()->SetCSIDL(csidlDrives);
  EXPECT_EQ(Names(List), "File System");
  std::ofstream(Mounts / "mounts") << "overlay / overlay rw 0 0\n/dev/sdz1 " << Volume.Path() << " ext4 rw 0 0\n";
  BroadcastDeviceChange(DBT_DEVICEARRIVAL);
  Harness::RunUntilIdle();
  EXPECT_EQ(Names(List), "File System," + Volume.Path().substr(Volume.Path().rfind('/') + 1));
  SetMountTableFile("");
}

TEST_F(ShellList, AFolderThatIsGoneRaisesAndAnUnreadableOneShowsEmpty) {
  Open("docs/sub");
  ASSERT_EQ(rmdir((Home / "docs/sub").c_str()), 0);
  EXPECT_THROW(List->FillItems(), Exception);
  std::string Path;
  ShellGetPathFromIdList(List->CurrentFolderIdList(), Path);
  EXPECT_EQ(Path, Home / "docs/sub");
  if (geteuid() != 0) {
    Home.MakeDir("docs/locked");
    Home.MakeFile("docs/locked/inside.txt");
    chmod((Home / "docs/locked").c_str(), 0);
    List->Folder()->SetPathName(Home / "docs/locked");
    EXPECT_EQ(List->Items()->Count(), 0);
    chmod((Home / "docs/locked").c_str(), 0700);
  }
}

// A folder with detail columns: Computer as the namespace has it, plus a details provider of three columns.
class TDetailedFolder final : public IShellFolder, public IShellDetails {
public:
  explicit TDetailedFolder(IShellFolder* AInner) : Inner(AInner) {}
  ~TDetailedFolder() { Inner->Release(); }
  HRESULT QueryInterface(REFIID Riid, void** Out) override {
    if (Riid == IID_IShellDetails) {
      *Out = static_cast<IShellDetails*>(this);
      ++Refs;
      return S_OK;
    }
    if (Riid == IID_IShellFolder || Riid == IID_IUnknown) {
      *Out = static_cast<IShellFolder*>(this);
      ++Refs;
      return S_OK;
    }
    *Out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++Refs; }
  ULONG Release() override { return --Refs; }  // lives on the test's stack
  HRESULT ParseDisplayName(HWND W, IBindCtx* B, const char16_t* N, ULONG* E, LPITEMIDLIST* P, ULONG* A) override {
    return Inner->ParseDisplayName(W, B, N, E, P, A);
  }
  HRESULT EnumObjects(HWND W, DWORD F, IEnumIDList** E) override { return Inner->EnumObjects(W, F, E); }
  HRESULT BindToObject(LPCITEMIDLIST P, IBindCtx* B, REFIID R, void** O) override {
    return Inner->BindToObject(P, B, R, O);
  }
  HRESULT BindToStorage(LPCITEMIDLIST P, IBindCtx* B, REFIID R, void** O) override {
    return Inner->BindToStorage(P, B, R, O);
  }
  HRESULT CompareIDs(LPARAM L, LPCITEMIDLIST A, LPCITEMIDLIST B) override { return Inner->CompareIDs(L, A, B); }
  HRESULT CreateViewObject(HWND W, REFIID R, void** O) override { return Inner->CreateViewObject(W, R, O); }
  HRESULT GetAttributesOf(UINT C, LPCITEMIDLIST* P, ULONG* A) override { return Inner->GetAttributesOf(C, P, A); }
  HRESULT GetUIObjectOf(HWND W, UINT C, LPCITEMIDLIST* P, REFIID R, UINT* X, void** O) override {
    return Inner->GetUIObjectOf(W, C, P, R, X, O);
  }
  HRESULT GetDisplayNameOf(LPCITEMIDLIST P, DWORD F, STRRET* N) override { return Inner->GetDisplayNameOf(P, F, N); }
  HRESULT SetNameOf(HWND W, LPCITEMIDLIST P, const char16_t* N, DWORD F, LPITEMIDLIST* O) override {
    return Inner->SetNameOf(W, P, N, F, O);
  }
  HRESULT GetDetailsOf(LPCITEMIDLIST Pidl, UINT Column, SHELLDETAILS* D) override {
    static const char* const Captions[3] = {"Volume", "Free", "Kind"};
    if (Column > 2) {
      return E_INVALIDARG;
    }
    ++Asked;
    D->fmt = static_cast<int>(Column);
    D->cxChar = 10 + static_cast<int>(Column);
    D->str.uType = STRRET_CSTR;
    const std::string Text = Pidl ? "detail " + std::to_string(Column) : Captions[Column];
    std::snprintf(D->str.cStr, sizeof D->str.cStr, "%s", Text.c_str());
    return S_OK;
  }
  HRESULT ColumnClick(UINT) override { return E_NOTIMPL; }
  IShellFolder* Inner;
  ULONG Refs = 1;
  int Asked = 0;
};

TEST_F(ShellList, AFolderWithADetailsProviderGetsItsColumnsAndTexts) {
  LPITEMIDLIST Computer = nullptr;
  ASSERT_TRUE(SUCCEEDED(ShellGetSpecialFolderIdList(0, csidlDrives, Computer)));
  IShellFolder* Real = nullptr;
  ASSERT_TRUE(SUCCEEDED(ShellGetFolderFromIdList(Computer, Real)));
  TDetailedFolder Folder(Real);
  List->Items()->Clear();  // as a fill does before it asks for the items
  List->FillList(&Folder, Computer);
  EXPECT_EQ(List->GetCurrentFolderIShellDetails(), static_cast<IShellDetails*>(&Folder));
  ASSERT_EQ(List->Columns()->Count(), 3);
  EXPECT_EQ(List->Columns()->Items(0)->Caption(), "Volume");
  EXPECT_EQ(List->Columns()->Items(1)->Alignment(), taRightJustify);
  EXPECT_EQ(List->Columns()->Items(2)->Alignment(), taCenter);
  // A virtual folder's widths are the provider's (characters times 7), never the remembered ones.
  EXPECT_EQ(List->Columns()->Items(0)->Width(), 70);
  EXPECT_EQ(List->Columns()->Items(2)->Width(), 84);
  ASSERT_GT(List->Items()->Count(), 0);
  TListItem* First = List->Items()->Item(0);
  EXPECT_EQ(First->SubItems()->Count(), 2);
  const int Before = Folder.Asked;
  EXPECT_EQ(List->DisplayText(First, 2, nullptr), "detail 2");
  EXPECT_EQ(List->DisplayText(First, 2, nullptr), "detail 2");
  EXPECT_EQ(Folder.Asked, Before + 2);  // asked again at every request
  // The list lets go of the folder when it fills another one.
  Open("docs");
  EXPECT_EQ(Folder.Refs, 1u);
  ShellMemFree(Computer);
}

}  // namespace
