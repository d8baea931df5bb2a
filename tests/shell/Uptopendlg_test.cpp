// The open and save dialogs run modally over a fixture folder and driven from inside their loops as a user would:
// the layout, the file types, selecting and typing names, the questions, the tree pane, and what the component
// keeps afterwards.
#include "shell/Uptdialogs.h"
#include "shell/Uptopendlg.h"

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "platform/win/VirtualKeys.h"
#include "tests/shell/ShellTestHome.h"
#include "tests/support/Forms.h"
#include "tests/support/ModalWindowDriver.h"

#include <gtest/gtest.h>

#include <unistd.h>

using TestSupport::TModalWindowDriver;

// A window whose folders cannot be opened, as a folder that parses but refuses to be read.
class TFolderRefusingForm : public TPTFrmOpenDlg {
  Z_CLASS(TFolderRefusingForm, TPTFrmOpenDlg)
public:
  using TPTFrmOpenDlg::TPTFrmOpenDlg;

private:
  void OpenFolder(const std::string&) override { throw Exception("The folder cannot be read."); }
};
Z_IMPLEMENT_CLASS(TFolderRefusingForm, TPTFrmOpenDlg)

class TFolderRefusingDlg : public TPTOpenDlg {
public:
  using TPTOpenDlg::TPTOpenDlg;

protected:
  TPTFrmOpenDlg* CreateForm() override {
    auto* F = new TFolderRefusingForm(Application);
    F->AfterConstruction();
    return F;
  }
};

namespace {

// The captions of the list's items in order.
std::string Captions(TPTShellList* List) {
  std::string S;
  for (int I = 0; I < List->Items()->Count(); ++I) {
    TListItem* Item = List->Items()->Item(I);
    S += (S.empty() ? "" : ",") + List->GetDataFromItem(Item)->GetDisplayName();
  }
  return S;
}

TListItem* ItemNamed(TPTShellList* List, const std::string& Name) {
  for (int I = 0; I < List->Items()->Count(); ++I) {
    TListItem* Item = List->Items()->Item(I);
    if (List->GetDataFromItem(Item)->GetDisplayName() == Name) {
      return Item;
    }
  }
  return nullptr;
}

class FileDialogs : public ::testing::Test {
protected:
  void SetUp() override {
    Home.MakeDir("Desktop");
    Home.MakeDir("site");
    Home.MakeDir("site/css");
    Home.MakeFile("site/index.htm");
    Home.MakeFile("site/about.html");
    Home.MakeFile("site/notes.txt");
    Home.MakeDir("other");
    char Buf[4096] = {};
    SavedDir = getcwd(Buf, sizeof Buf) ? Buf : "/";
    Harness::Start();
    OldDialogs = SetDialogService(&Dialogs);
    Open = TestSupport::Make<TPTOpenDlg>(Application);
    Save = TestSupport::Make<TPTSaveDlg>(Application);
    for (TPTFileDlg* D : {static_cast<TPTFileDlg*>(Open), static_cast<TPTFileDlg*>(Save)}) {
      D->InitialDir = Home / "site";
      D->SetFilter("Web pages|*.htm;*.html|Text files|*.txt|All files|*");
    }
  }
  void TearDown() override {
    delete Open;
    delete Save;
    SetDialogService(OldDialogs);
    (void)chdir(SavedDir.c_str());
  }
  // Runs the dialog with Act inside its loop; Execute's result.
  bool Run(TPTFileDlg* D, const std::string& Caption, const std::function<void(TPTFrmOpenDlg&)>& Act) {
    TModalWindowDriver Driver(Caption, [&](TForm& F) { Act(dynamic_cast<TPTFrmOpenDlg&>(F)); });
    Driver.Arm();
    const bool R = D->Execute();
    EXPECT_TRUE(Driver.Driven());
    return R;
  }
  static void Type(TPTFrmOpenDlg& F, const std::string& Text) {
    F.FileNameEdt->SetFocus();
    F.FileNameEdt->SetText("");
    Harness::TypeText(Text);
    Harness::RunUntilIdle();
  }
  // OK as the user presses it; the window's loop runs the close check once the step has returned.
  static void Ok(TPTFrmOpenDlg& F) { TModalWindowDriver::Press(F, "OpenBtn"); }
  // Runs the dialog with one step after another, each from inside its loop after what the one before did was
  // handled (so a step that ends with OK sees the close check's outcome in the next one).
  bool RunSteps(TPTFileDlg* D, const std::string& Caption, std::vector<std::function<void(TPTFrmOpenDlg&)>> Steps) {
    std::vector<std::unique_ptr<TModalWindowDriver>> Drivers;
    for (std::size_t I = 0; I < Steps.size(); ++I) {
      Drivers.push_back(std::make_unique<TModalWindowDriver>(Caption, [&, I](TForm& F) {
        Steps[I](dynamic_cast<TPTFrmOpenDlg&>(F));
        if (I + 1 < Drivers.size()) {
          Drivers[I + 1]->Arm();
        }
      }));
    }
    Drivers.front()->Arm();
    const bool R = D->Execute();
    for (const auto& Driver : Drivers) {
      EXPECT_TRUE(Driver->Driven());
    }
    return R;
  }
  std::vector<std::string> Files(TPTFileDlg* D) {
    std::vector<std::string> V;
    for (int I = 0; I < D->Files()->Count(); ++I) {
      V.push_back(D->Files()->Strings(I));
    }
    return V;
  }

  ShellTest::THome Home;
  TScriptedDialogs Dialogs;
  TDialogService* OldDialogs = nullptr;
  TPTOpenDlg* Open = nullptr;
  TPTSaveDlg* Save = nullptr;
  std::string SavedDir;
};

TEST_F(FileDialogs, TheWindowIsLaidOutAtItsCoordinatesAndKeepsItsMinimumSize) {
  struct {
    TRect Client, Combo, Container, Open, Cancel, Name, Types, Grip;
    int MinW = 0, MinH = 0;
    bool ReadOnlyVisible = true, HelpVisible = true, TreeBtnVisible = false;
    std::string OpenCaption;
  } G;
  Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    G.Client = F.ClientRect();
    G.Combo = F.PTShellCombo1->BoundsRect();
    G.Container = F.SplitterContainer->BoundsRect();
    G.Open = F.OpenBtn->BoundsRect();
    G.Cancel = F.CancelBtn->BoundsRect();
    G.Name = F.FileNameEdt->BoundsRect();
    G.Types = F.FileTypesCbx->BoundsRect();
    GetWindowRect(F.SizeGrip(), &G.Grip);
    G.ReadOnlyVisible = F.ReadOnlyChk->Visible();
    G.HelpVisible = F.HelpBtn->Visible();
    G.TreeBtnVisible = F.ShowTreeBtn->Visible();
    G.OpenCaption = F.OpenBtn->Caption();
    F.SetBounds(F.Left(), F.Top(), 100, 100);
    Harness::RunUntilIdle();
    G.MinW = F.Width();
    G.MinH = F.Height();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_EQ(G.Client.Width(), 451);
  EXPECT_EQ(G.Client.Height(), 265);
  EXPECT_EQ(G.Combo.Top, 4);
  EXPECT_EQ(G.Container.Top, G.Combo.Bottom + 4);
  EXPECT_EQ(G.Open.Left, 451 - 75 - 16);
  EXPECT_EQ(G.Cancel.Left, G.Open.Left);
  EXPECT_EQ(G.Name.Right, G.Open.Left - 8);
  EXPECT_EQ(G.Types.Right, G.Open.Left - 8);
  EXPECT_EQ(G.Name.Left, G.Types.Left);
  EXPECT_EQ(G.Grip.Width(), 13);
  EXPECT_FALSE(G.ReadOnlyVisible);  // hidden by the default options
  EXPECT_FALSE(G.HelpVisible);
  EXPECT_TRUE(G.TreeBtnVisible);
  EXPECT_EQ(G.OpenCaption, "&Open");
  EXPECT_EQ(G.MinW, TPTFrmOpenDlg::MinWidth);
  EXPECT_EQ(G.MinH, TPTFrmOpenDlg::MinHeight);
}

TEST_F(FileDialogs, FileTypesFilterTheListAndAnIndexOutOfRangeListsEverything) {
  std::vector<std::string> Seen;
  int Index = -1;
  Open->SetFilterIndex(2);
  EXPECT_TRUE(Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    Harness::RunUntilIdle();
    Seen.push_back(Captions(F.PTShellList1));
    F.FileTypesCbx->SetItemIndex(0);
    F.FileTypesCbx->OnSelEndOk(F.FileTypesCbx);
    Harness::RunUntilIdle();
    Seen.push_back(Captions(F.PTShellList1));
    Index = F.GetFilterIndex();
    Type(F, "notes.txt");
    Ok(F);
  }));
  ASSERT_EQ(Seen.size(), 2u);
  EXPECT_EQ(Seen[0], "css,notes.txt");
  EXPECT_EQ(Seen[1], "css,about.html,index.htm");
  EXPECT_EQ(Index, 1);
  EXPECT_EQ(Open->GetFilterIndex(), 1);
  EXPECT_EQ(Files(Open), std::vector<std::string>{Home / "site/notes.txt"});

  for (int Bad : {0, 9}) {
    Open->SetFilterIndex(Bad);
    std::string Shown;
    int Selected = -1;
    Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
      Harness::RunUntilIdle();
      Shown = Captions(F.PTShellList1);
      Selected = F.FileTypesCbx->ItemIndex();
      TModalWindowDriver::Press(F, "CancelBtn");
    });
    EXPECT_EQ(Selected, 0) << Bad;
    EXPECT_EQ(Shown, "css,about.html,index.htm,notes.txt") << Bad;
  }
}

TEST_F(FileDialogs, SelectingTwoFilesNamesBothAndOKReturnsBothPaths) {
  Open->SetOptions(Open->Options() + TPTOpenOptions{ptofAllowMultiselect, ptofFileMustExist});
  Open->SetFilterIndex(3);
  std::string Box;
  EXPECT_TRUE(Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    Harness::RunUntilIdle();
    ItemNamed(F.PTShellList1, "about.html")->SetSelected(true);
    ItemNamed(F.PTShellList1, "notes.txt")->SetSelected(true);
    Harness::RunUntilIdle();
    Box = F.FileNameEdt->Text();
    Ok(F);
  }));
  EXPECT_EQ(Box, "\"about.html\" \"notes.txt\"");
  EXPECT_EQ(Files(Open), (std::vector<std::string>{Home / "site/about.html", Home / "site/notes.txt"}));
}

TEST_F(FileDialogs, FilesWithNonAsciiNamesAreChosenAndOpenedByTheirOwnBytes) {
  struct TName {
    const char* Bytes;    // on disk: UTF-8, Latin-1, Cyrillic, CJK
    const char* Display;  // shown in code page 1252 where it holds the characters, else as the bytes
  };
  const TName Names[] = {{"caf\xC3\xA9.html", "caf\xE9.html"},
                         {"caf\xE9.html", "caf\xE9.html"},
                         {"\xD0\xB4\xD0\xBE\xD0\xBC.html", "\xD0\xB4\xD0\xBE\xD0\xBC.html"},
                         {"\xE6\x96\x87.html", "\xE6\x96\x87.html"}};
  Home.MakeDir("intl");
  for (const TName& N : Names) {
    Home.MakeFile(std::string("intl/") + N.Bytes, N.Bytes);
  }
  for (TPTFileDlg* D : {static_cast<TPTFileDlg*>(Open), static_cast<TPTFileDlg*>(Save)}) {
    D->InitialDir = Home / "intl";
    D->SetFilterIndex(3);
    for (const TName& N : Names) {
      SCOPED_TRACE(N.Bytes);
      const std::string Path = Home / (std::string("intl/") + N.Bytes);
      EXPECT_TRUE(Run(D, D == Open ? "Open" : "Save As", [&](TPTFrmOpenDlg& F) {
        Harness::RunUntilIdle();
        TListItem* Found = nullptr;
        for (int I = 0; I < F.PTShellList1->Items()->Count(); ++I) {
          TListItem* Item = F.PTShellList1->Items()->Item(I);
          if (F.PTShellList1->GetDataFromItem(Item)->GetPathName() == Path) {
            Found = Item;
          }
        }
        ASSERT_NE(Found, nullptr);
        EXPECT_EQ(F.PTShellList1->GetDataFromItem(Found)->GetDisplayName(), N.Display);
        Found->SetSelected(true);
        Harness::RunUntilIdle();
        Ok(F);
      }));
      ASSERT_EQ(Files(D), std::vector<std::string>{Path});
      // The name the dialog gives opens that very file.
      TFileStream In(Files(D)[0], fmOpenRead);
      std::string Bytes(static_cast<std::size_t>(In.Size()), '\0');
      In.ReadBuffer(Bytes.data(), In.Size());
      EXPECT_EQ(Bytes, N.Bytes);
    }
  }
}

TEST_F(FileDialogs, ATypedNameGetsTheTypesExtensionAndTheDifferentBit) {
  Save->DefaultExt = "htm";
  Save->SetFilterIndex(1);
  EXPECT_TRUE(Run(Save, "Save As", [&](TPTFrmOpenDlg& F) {
    EXPECT_EQ(F.OpenBtn->Caption(), "&Save");
    Type(F, "page");
    Ok(F);
  }));
  EXPECT_EQ(Files(Save), std::vector<std::string>{Home / "site/page.html"});
  EXPECT_TRUE(Save->Options().Contains(ptofExtensionDifferent));
  EXPECT_EQ(Save->GetFilename(), Home / "site/page.html");
}

TEST_F(FileDialogs, AWildcardFiltersTheListAndAFolderNameNavigates) {
  std::string AfterMask;
  std::string Box;
  std::string Folder;
  std::string BoxAfterType;
  EXPECT_FALSE(RunSteps(Open, "Open",
                        {[&](TPTFrmOpenDlg& F) {
                           Type(F, "*.txt");
                           Ok(F);
                         },
                         [&](TPTFrmOpenDlg& F) {
                           AfterMask = Captions(F.PTShellList1);
                           Box = F.FileNameEdt->Text();
                           F.FileTypesCbx->SetItemIndex(2);
                           F.FileTypesCbx->OnSelEndOk(F.FileTypesCbx);
                           BoxAfterType = F.FileNameEdt->Text();
                           Type(F, "css");
                           Ok(F);
                         },
                         [&](TPTFrmOpenDlg& F) {
                           Folder = F.PTShellList1->Folder()->GetPathName();
                           TModalWindowDriver::Press(F, "CancelBtn");
                         }}));
  EXPECT_EQ(AfterMask, "css,notes.txt");
  EXPECT_EQ(Box, "*.txt");
  EXPECT_EQ(BoxAfterType, "");
  EXPECT_EQ(Folder, Home / "site/css");
  EXPECT_TRUE(Files(Open).empty());
}

TEST_F(FileDialogs, TheReplaceQuestionOnSave) {
  Save->SetOptions(Save->Options() + TPTOpenOptions{ptofOverwritePrompt});
  Dialogs.QueueAnswer(IDNO);
  Dialogs.QueueAnswer(IDYES);
  std::vector<std::string> FilesAfterNo{"none read"};
  bool StillOpen = false;
  EXPECT_TRUE(RunSteps(Save, "Save As",
                       {[&](TPTFrmOpenDlg& F) {
                          Type(F, "notes.txt");
                          Ok(F);
                        },
                        [&](TPTFrmOpenDlg& F) {
                          StillOpen = F.Visible();
                          TStringList L;
                          F.GetSelectedFiles(&L);
                          FilesAfterNo.clear();
                          for (int I = 0; I < L.Count(); ++I) {
                            FilesAfterNo.push_back(L.Strings(I));
                          }
                          Ok(F);
                        }}));
  EXPECT_TRUE(StillOpen);
  EXPECT_TRUE(FilesAfterNo.empty());
  EXPECT_EQ(Files(Save), std::vector<std::string>{Home / "site/notes.txt"});
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[0].Text, Home / "site/notes.txt" + " already exists.\nDo you want to replace it?");
  EXPECT_EQ(Shown[0].Caption, "Save As");
}

TEST_F(FileDialogs, CancelKeepsTheWindowsStateAndSetsTheCurrentFolder) {
  Open->FormWidth = 520;
  Open->FormHeight = 330;
  Open->SetFilterIndex(2);
  EXPECT_FALSE(Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    F.SetBounds(F.Left(), F.Top(), 540, 350);
    F.FileTypesCbx->SetItemIndex(2);
    F.FileTypesCbx->OnSelEndOk(F.FileTypesCbx);
    Type(F, "notes.txt");
    TModalWindowDriver::Press(F, "CancelBtn");
  }));
  EXPECT_TRUE(Files(Open).empty());
  EXPECT_EQ(Open->FormWidth, 540);
  EXPECT_EQ(Open->FormHeight, 350);
  EXPECT_EQ(Open->GetFilterIndex(), 3);
  EXPECT_EQ(GetCurrentDir(), Home / "site");
}

TEST_F(FileDialogs, DoubleClickingAFileClosesTheDialogWithIt) {
  Open->SetFilterIndex(3);
  EXPECT_TRUE(Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    Harness::RunUntilIdle();
    TListItem* Item = ItemNamed(F.PTShellList1, "index.htm");
    Item->MakeVisible(false);
    const TRect R = Item->DisplayRect(drLabel);
    Harness::DoubleClick(F.PTShellList1->Handle(), TPoint{R.Left + 4, (R.Top + R.Bottom) / 2});
    Harness::RunUntilIdle();
  }));
  EXPECT_EQ(Files(Open), std::vector<std::string>{Home / "site/index.htm"});
}

TEST_F(FileDialogs, TheTreePaneTogglesWithF12AndComesBackAt200) {
  std::vector<int> Positions;
  std::vector<bool> Shown;
  Open->SetFormSplitterPos(150);
  Open->SetOptions(Open->Options() + TPTOpenOptions{ptofShowTree});
  Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    Harness::RunUntilIdle();
    Positions.push_back(F.PTSplitter1->Position());
    Shown.push_back(F.ShowTreeBtn->Down());
    F.PTShellList1->SetFocus();
    Harness::KeyPress(VK_F12);
    Harness::RunUntilIdle();
    Positions.push_back(F.PTSplitter1->Position());
    Shown.push_back(F.ShowTreeBtn->Down());
    Harness::KeyPress(VK_F12);
    Harness::RunUntilIdle();
    Positions.push_back(F.PTSplitter1->Position());
    Shown.push_back(F.Options().Contains(ptofShowTree));
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_EQ(Positions, (std::vector<int>{150, -5, 200}));
  EXPECT_EQ(Shown, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(Open->Options().Contains(ptofShowTree));
  EXPECT_EQ(Open->GetFormSplitterPos(), 200);
}

TEST_F(FileDialogs, ExecutingTwiceIsRefused) {
  std::string Again;
  Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    try {
      Open->Execute();
    } catch (const EInvalidOperation& E) {
      Again = E.Message();
    }
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_EQ(Again, "TPTOpenDlg already executing");
  EXPECT_EQ(Open->Form(), nullptr);
}

TEST_F(FileDialogs, TheViewMenuUpOneLevelTheReadOnlyBoxAndTheEvents) {
  Open->SetOptions(Open->Options() - TPTOpenOptions{ptofHideReadOnly});
  std::vector<std::string> Events;
  Open->OnFormShow = [&](TObject* S) { Events.push_back(S == Open->Form() ? "show" : "show?"); };
  Open->OnFormClose = [&](TObject*) { Events.push_back("close"); };
  Open->OnFolderChanged = [&](TObject*) { Events.push_back("folder"); };
  Open->OnTypeChanged = [&](TObject*) { Events.push_back("type"); };
  TViewStyle Style = vsIcon;
  std::vector<bool> Checks;
  std::string Up;
  EXPECT_TRUE(Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    F.ViewBtnClick(F.DetailsItem);
    Style = F.PTShellList1->ViewStyle();
    Checks = {F.DetailsItem->Checked(), F.DetailsItem2->Checked(), F.ListItem->Checked(), F.ListItem2->Checked()};
    F.FileTypesCbx->SetItemIndex(1);
    F.FileTypesCbx->OnSelEndOk(F.FileTypesCbx);
    F.UpOneLevelBtn->Click();
    Harness::RunUntilIdle();
    Up = F.PTShellList1->Folder()->GetPathName();
    TModalWindowDriver::Click(F, "ReadOnlyChk");
    Harness::RunUntilIdle();
    Type(F, "site/notes.txt");
    Ok(F);
  }));
  EXPECT_EQ(Style, vsReport);
  EXPECT_EQ(Checks, (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(Up, Home.Path());
  EXPECT_TRUE(Open->Options().Contains(ptofReadOnly));
  EXPECT_EQ(Files(Open), std::vector<std::string>{Home / "site/notes.txt"});
  EXPECT_EQ(Events, (std::vector<std::string>{"show", "type", "folder", "folder", "close"}));
  // The next run starts with the box unchecked, and the option follows it.
  bool Checked = true;
  Events.clear();
  Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    Checked = F.ReadOnlyChk->Checked();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_FALSE(Checked);
  EXPECT_FALSE(Open->Options().Contains(ptofReadOnly));
}

TEST_F(FileDialogs, ANameMatchingTwoFilesAsksToChooseAndSelectsTheFirst) {
  Home.MakeFile("site/Case.htm");
  Home.MakeFile("site/CASE.htm");
  std::string Selected;
  std::string First;
  bool Focused = false;
  EXPECT_FALSE(RunSteps(Open, "Open",
                        {[&](TPTFrmOpenDlg& F) {
                           Type(F, "case.htm");
                           Ok(F);
                         },
                         [&](TPTFrmOpenDlg& F) {
                           if (TListItem* Item = F.PTShellList1->Selected()) {
                             Selected = F.PTShellList1->GetDataFromItem(Item)->GetDisplayName();
                           }
                           for (int I = 0; I < F.PTShellList1->Items()->Count() && First.empty(); ++I) {
                             const std::string N =
                                 F.PTShellList1->GetDataFromItem(F.PTShellList1->Items()->Item(I))->GetDisplayName();
                             if (SameText(N, "case.htm")) {
                               First = N;
                             }
                           }
                           Focused = F.PTShellList1->Focused();
                           TModalWindowDriver::Press(F, "CancelBtn");
                         }}));
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Text, "More than one file has the name 'case.htm'.\n\nChoose one from the list of files.");
  EXPECT_FALSE(First.empty());
  EXPECT_EQ(Selected, First);
  EXPECT_TRUE(Focused);
}

TEST_F(FileDialogs, AMaskInAFolderThatIsNotThereAsksNothingAndReturnsNothing) {
  Open->SetOptions(Open->Options() + TPTOpenOptions{ptofCreatePrompt});
  std::string Box;
  std::string Filter;
  EXPECT_FALSE(RunSteps(Open, "Open",
                        {[&](TPTFrmOpenDlg& F) {
                           Type(F, "nosuch/*.txt");
                           Ok(F);
                         },
                         [&](TPTFrmOpenDlg& F) {
                           Box = F.FileNameEdt->Text();
                           Filter = F.UserFilter();
                           TModalWindowDriver::Press(F, "CancelBtn");
                         }}));
  EXPECT_TRUE(Dialogs.Shown().empty());
  EXPECT_EQ(Box, "*.txt");
  EXPECT_EQ(Filter, "*.txt");
  EXPECT_TRUE(Files(Open).empty());
}

TEST_F(FileDialogs, WithoutTheTreeOptionTheViewButtonTakesTheTreeButtonsPlace) {
  Open->SetOptions(Open->Options() - TPTOpenOptions{ptofAllowTree});
  bool TreeButton = true;
  int ViewLeft = 0;
  int TreeLeft = 0;
  int Position = 0;
  std::string Desktop;
  Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    TreeButton = F.ShowTreeBtn->Visible();
    ViewLeft = F.ViewBtn->Left();
    TreeLeft = F.ShowTreeBtn->Left();
    F.PTShellList1->SetFocus();
    Harness::KeyPress(VK_F12);
    Harness::RunUntilIdle();
    Position = F.PTSplitter1->Position();
    F.ShowDesktopBtn->Click();
    Harness::RunUntilIdle();
    Desktop = F.PTShellList1->Folder()->GetPathName();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_FALSE(TreeButton);
  EXPECT_EQ(ViewLeft, TreeLeft);
  EXPECT_LT(Position, 0);  // F12 does not bring the tree
  EXPECT_FALSE(Open->Options().Contains(ptofShowTree));
  EXPECT_EQ(Desktop, Home / "Desktop");
}

TEST_F(FileDialogs, ChoosingAFolderInTheTreeEmptiesTheNameBox) {
  Open->SetOptions(Open->Options() + TPTOpenOptions{ptofShowTree});
  std::string Before;
  std::string After;
  std::string Listed;
  Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    Type(F, "draft");
    Before = F.FileNameEdt->Text();
    F.PTShellTree1->SetSelectedPathName(Home / "other");
    Harness::RunUntilIdle();
    After = F.FileNameEdt->Text();
    Listed = F.PTShellList1->Folder()->GetPathName();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_EQ(Before, "draft");
  EXPECT_EQ(After, "");
  EXPECT_EQ(Listed, Home / "other");
}

TEST_F(FileDialogs, TheViewButtonOpensTheViewMenuBelowIt) {
  Dialogs.QueueAnswer(TDialogAnswer(0, "d"));  // the user chooses "&Details" by its key
  TViewStyle Style = vsIcon;
  bool Checked = false;
  Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    const TPoint P{F.ViewBtn->Left() + 4, F.ViewBtn->Top() + 4};
    Harness::Click(F.Handle(), P);
    Harness::RunUntilIdle();
    Style = F.PTShellList1->ViewStyle();
    Checked = F.DetailsItem2->Checked() && F.DetailsItem->Checked() && !F.ListItem2->Checked();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  const auto Shown = Dialogs.Shown();
  ASSERT_FALSE(Shown.empty());
  EXPECT_EQ(Shown[0].Kind, "PopupMenu");
  EXPECT_EQ(Shown[0].Buttons.size(), 4u);
  EXPECT_EQ(Style, vsReport);
  EXPECT_TRUE(Checked);
}

TEST_F(FileDialogs, F5RefillsTheListAndF4OpensTheComboBox) {
  Open->SetFilterIndex(3);
  std::string Before;
  std::string After;
  bool Dropped = false;
  Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    Harness::RunUntilIdle();
    Before = Captions(F.PTShellList1);
    Home.MakeFile("site/zz-new.txt");
    F.FileNameEdt->SetFocus();
    Harness::KeyPress(VK_F5);
    Harness::RunUntilIdle();
    After = Captions(F.PTShellList1);
    Harness::KeyPress(VK_F4);
    Harness::RunUntilIdle();
    Dropped = F.PTShellCombo1->DroppedDown();
    Harness::KeyPress(VK_F4);
    Harness::RunUntilIdle();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_EQ(Before, "css,about.html,index.htm,notes.txt");
  EXPECT_EQ(After, "css,about.html,index.htm,notes.txt,zz-new.txt");
  EXPECT_TRUE(Dropped);
}

TEST_F(FileDialogs, ASelectedFolderNeverBecomesTheChosenFile) {
  EXPECT_TRUE(Run(Save, "Save As", [&](TPTFrmOpenDlg& F) {
    Type(F, "report.htm");
    Harness::RunUntilIdle();
    ItemNamed(F.PTShellList1, "css")->SetSelected(true);
    Harness::RunUntilIdle();
    EXPECT_EQ(F.FileNameEdt->Text(), "report.htm");  // a folder does not name a file
    Ok(F);
  }));
  EXPECT_EQ(Files(Save), std::vector<std::string>{Home / "site/report.htm"});
}

TEST_F(FileDialogs, TheSelectedFileIsTheAnswerUntilTheUserTypes) {
  Open->SetFilterIndex(3);
  EXPECT_TRUE(Run(Open, "Open", [&](TPTFrmOpenDlg& F) {
    Harness::RunUntilIdle();
    ItemNamed(F.PTShellList1, "index.htm")->SetSelected(true);
    Harness::RunUntilIdle();
    EXPECT_EQ(F.FileNameEdt->Text(), "index.htm");
    EXPECT_TRUE(F.NameFromSelectionFlag());
    Ok(F);
  }));
  EXPECT_EQ(Files(Open), std::vector<std::string>{Home / "site/index.htm"});
}

TEST_F(FileDialogs, AFolderThatCannotBeOpenedIsReportedAndTheWindowStays) {
  TFolderRefusingDlg Dlg(Application);
  Dlg.InitialDir = Home / "site";
  std::string Box;
  EXPECT_FALSE(RunSteps(&Dlg, "Open",
                        {[&](TPTFrmOpenDlg& F) {
                           Type(F, "css");
                           Ok(F);
                         },
                         [&](TPTFrmOpenDlg& F) {
                           Box = F.FileNameEdt->Text();
                           TModalWindowDriver::Press(F, "CancelBtn");
                         }}));
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Text, "The folder cannot be read.");
  EXPECT_EQ(Shown[0].Caption, "Open");
  EXPECT_EQ(Box, "css");
  EXPECT_EQ(Dlg.Files()->Count(), 0);
}

}  // namespace
