// The memo source's files (loading, saving with backups, safe replacement), its option groups in the registry,
// code templates and the clipboard sources.
#include "codeeditor/Dcstring.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/win/Clipboard.h"
#include "suitebase/Optionext.h"
#include "tests/codeeditor/MemoFixture.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace Dcstring;

Z_IMPLEMENT_CLASS(TMemoListener, TComponent)

namespace {
class FileTest : public MemoTest {
protected:
  std::string Path(const std::string& Name) const { return Temp / Name; }
  void Backups(bool On) {
    TStringsOptions O = M->Options();
    if (On) {
      O.Include(soCreateBackups);
    } else {
      O.Exclude(soCreateBackups);
    }
    M->SetOptions(O);
  }
};
}  // namespace

TEST_F(FileTest, LoadingLeavesTheSourceUnmodifiedWithoutUndo) {
  WriteFile(Path("a.txt"), "one\r\ntwo\tx  \nthree");
  M->JumpTo(2, 0);
  M->LoadFromFile(Path("a.txt"));
  EXPECT_EQ(Text(), "one\ntwo        x\nthree");
  EXPECT_FALSE(M->Modified());
  EXPECT_FALSE(M->UndoAvailable());
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
  EXPECT_THROW(M->LoadFromFile(Path("missing.txt")), Exception);
  EXPECT_EQ(M->UpdateCount(), 0);
}

TEST_F(FileTest, BackupsReplaceOlderOnesAndNewFilesGetNone) {
  Backups(true);
  const std::string F = Path("page.htm");
  Load("new text");
  M->SaveToFile(F);
  EXPECT_EQ(ReadFile(F), "new text");
  EXPECT_FALSE(std::filesystem::exists(Path("page.~ht")));
  Load("second");
  M->SaveToFile(F);
  EXPECT_EQ(ReadFile(Path("page.~ht")), "new text");
  Load("third");
  M->SaveToFile(F);
  EXPECT_EQ(ReadFile(Path("page.~ht")), "second");
  EXPECT_EQ(ReadFile(F), "third");
  EXPECT_TRUE(M->Modified());  // saving does not change it
}

TEST_F(FileTest, ABackupThatCannotBeMadeRaisesAndKeepsTheOldFile) {
  Backups(true);
  const std::string F = Path("page.htm");
  WriteFile(F, "old");
  std::filesystem::create_directories(Path("page.~ht/inside"));  // a folder cannot be deleted as a file
  Load("new");
  try {
    M->SaveToFile(F);
    FAIL();
  } catch (Exception& E) {
    EXPECT_EQ(E.Message(), "Can't delete file " + Path("page.~ht"));
  }
  EXPECT_EQ(ReadFile(F), "old");
  std::filesystem::remove_all(Path("page.~ht"));
  M->OnGetBackupName = [&](TObject*, const std::string&, std::string& Back) { Back = Path("nofolder/x.bak"); };
  try {
    M->SaveToFile(F);
    FAIL();
  } catch (Exception& E) {
    EXPECT_EQ(E.Message(), "Can't rename file " + F + " to file " + Path("nofolder/x.bak"));
  }
  EXPECT_EQ(ReadFile(F), "old");
  for (const auto& Entry : std::filesystem::directory_iterator(Temp.Path())) {
    EXPECT_EQ(Entry.path().filename().string().find(".zubq-save"), std::string::npos);  // no temporary left
  }
}

TEST_F(FileTest, SavingKeepsPermissionsAndWritesThroughALink) {
  const std::string F = Path("real.txt");
  WriteFile(F, "old");
  ::chmod(F.c_str(), 0640);
  const std::string Link = Path("link.txt");
  std::filesystem::create_symlink(F, Link);
  Load("fresh");
  M->OutFormat = ofUnix;
  M->SaveToFile(Link);
  EXPECT_TRUE(std::filesystem::is_symlink(Link));
  EXPECT_EQ(ReadFile(F), "fresh\n");
  struct stat St {};
  ::stat(F.c_str(), &St);
  EXPECT_EQ(St.st_mode & 0777, 0640u);
  ::chmod(Temp.Path().c_str(), 0500);  // a save that cannot write leaves the file whole
  if (::access(Path("probe").c_str(), F_OK) != 0 && ::geteuid() != 0) {
    EXPECT_THROW(M->SaveToFile(F), Exception);
    EXPECT_EQ(ReadFile(F), "fresh\n");
  }
  ::chmod(Temp.Path().c_str(), 0700);
}

TEST_F(FileTest, SaveWithQuestionAsksOnlyWhenModified) {
  M->ChangeObjectName("doc.txt");
  Load("x");
  M->SetModified(false);
  EXPECT_EQ(M->SaveWithQuestion(), 1);
  EXPECT_TRUE(Scripted.Shown().empty());
  Type("y");
  Scripted.QueueAnswer(mrCancel);
  EXPECT_EQ(M->SaveWithQuestion(), 0);
  EXPECT_EQ(Scripted.Shown().back().Text, " Save changes to doc.txt ?");
  Scripted.QueueAnswer(mrNo);
  EXPECT_EQ(M->SaveWithQuestion(), 1);
}

TEST_F(FileTest, GlobalOptionsReachOnlySourcesThatUseThem) {
  TMemoSource Other(nullptr);
  M->SetUseGlobalOptions(true);
  TMemoSourceOptions* G = GlobalMemoSourceOptions();
  G->SetTabStops("4,8");
  EXPECT_EQ(M->TabStops(), "4,8");
  EXPECT_EQ(Other.TabStops(), "9,17");
  G->SetTabStops("3,2");  // not a valid list: ignored
  EXPECT_EQ(G->TabStops(), "4,8");
  G->SetTabStops("9,17");
}

TEST_F(FileTest, OptionGroupsSurviveTheRegistry) {
  TMemoSourceOptions* G = GlobalMemoSourceOptions();
  G->SetBlockIndent(3);
  G->SetKeepTrailingBlanks(true);
  TSearchOptions* S = GetSearchOptions();
  S->TextToFind = "needle";
  S->Direction = sdBackward;
  G->SaveConfig();
  S->SaveConfig();
  G->SetBlockIndent(1);
  G->SetKeepTrailingBlanks(false);
  S->TextToFind.clear();
  S->Direction = sdForward;
  G->LoadConfig();
  S->LoadConfig();
  EXPECT_EQ(G->BlockIndent(), 3);
  EXPECT_TRUE(G->KeepTrailingBlanks());
  EXPECT_EQ(S->TextToFind, "needle");
  EXPECT_EQ(S->Direction, sdBackward);
  G->SetBlockIndent(1);
  G->SetKeepTrailingBlanks(false);
  S->TextToFind.clear();
  S->Direction = sdForward;
}

// ---- templates ----

TEST_F(FileTest, TemplateSetsAndFilters) {
  M->SetTemplatesType("Delphi");
  EXPECT_EQ(M->CodeTemplates()->Count(), 22);
  M->SetTemplatesType("None");
  EXPECT_EQ(M->CodeTemplates()->Count(), 22);
  M->SetTemplatesType("Nothing registered");
  EXPECT_EQ(M->TemplatesType(), "None");
  struct TCase {
    const char* Filter;
    const char* Names;
    bool Exact;
  };
  for (const TCase& C : {TCase{"if", "ifb,ife,ifeb,ifs", false}, TCase{"ifs", "ifs", true}, TCase{"IFS", "ifs", true},
                         TCase{"xyz", "", false}}) {
    TStringList L;
    bool Exact = false;
    M->CodeTemplates()->FilterNames(&L, C.Filter, Exact);
    EXPECT_EQ(Exact, C.Exact) << C.Filter;
    if (*C.Names == '\0') {
      EXPECT_EQ(L.Count(), 22) << C.Filter;
    } else {
      EXPECT_EQ(L.CommaText(), C.Names) << C.Filter;
    }
  }
  TStringList Popup;
  EXPECT_EQ(ConvertCodeTemplates(M->CodeTemplates(), &Popup, "arrayc"), 0);
  EXPECT_EQ(Popup.Strings(0), "array declaration (const)|~arrayc~");
  EXPECT_EQ(M->CodeTemplates()->Items(0)->Code()->Text(), "array[0..|] of = ();\r\n");
  TMemoSource Copy(nullptr);
  Copy.SetCodeTemplates(M->CodeTemplates());
  EXPECT_EQ(Copy.CodeTemplates()->Count(), 22);
  M->SetTemplatesType("C++ Builder");
  EXPECT_EQ(M->CodeTemplates()->Count(), 17);
  M->SetTemplatesType("Clipper");
  EXPECT_EQ(M->CodeTemplates()->Count(), 16);
}

// ---- clipboard sources ----

TEST_F(FileTest, TheClipboardSourceCollectsForeignCopiesOnly) {
  const HWND Before = GetClipboardViewer();
  {
    TClipbrdMemoSource Clip(nullptr);
    EXPECT_EQ(Clip.ObjectName(), "Clipboard");
    Clipboard()->SetAsText("first");
    Clipboard()->SetAsText("second");
    EXPECT_EQ(Clip.GetRaw(Clip.GetStrCount() - 2), "first");
    EXPECT_EQ(Clip.GetRaw(Clip.GetStrCount() - 1), "second");
    const Integer Count = Clip.GetStrCount();
    Clip.SetSelection(stStreamSel, 0, Count - 1, 3, Count - 1);
    Clip.CopyBlock();
    EXPECT_EQ(Clip.GetStrCount(), Count);
    EXPECT_EQ(Clipboard()->AsText(), "sec");
    Clip.ChangeObjectName("other");
    EXPECT_EQ(Clip.ObjectName(), "Clipboard");
  }
  EXPECT_EQ(GetClipboardViewer(), Before);
}
