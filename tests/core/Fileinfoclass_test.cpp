// Documents: names, types, loading and saving in the three line-break formats, the change-on-disk checks,
// read-only files, and saves that never lose the user's text.
#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "core/Parserclass.h"

#include "FakeMainWindow.h"
#include "SettingsTestSupport.h"

#include "editor/Easyeditsource.h"
#include "platform/classes/StringList.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string ReadAll(const std::string& Path) {
  std::ifstream F(Path, std::ios::binary);
  std::stringstream S;
  S << F.rdbuf();
  return S.str();
}

void WriteAll(const std::string& Path, const std::string& Text) {
  std::ofstream F(Path, std::ios::binary | std::ios::trunc);
  F << Text;
}

void SetText(fileinfoclass& Doc, const std::vector<std::string>& Lines) {
  TStringList L;
  for (const auto& S : Lines) {
    L.Add(S);
  }
  Doc.text->SetStrings(&L);
}

class Documents : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    InitParsers(prg->volatileState->documentTypes);
    Window = std::make_unique<FakeMainWindow>();
  }
  void TearDown() override {
    Window.reset();
    SettingsTest::TearDown();
  }
  fileinfoclass* NewDoc() {
    auto* D = new fileinfoclass(prg->volatileState->undoDocuments, prg->volatileState->documents);
    EXPECT_GE(prg->volatileState->documents->addPointer(D), 0);
    return D;
  }
  std::string File(const char* Name) const { return Dir + "/" + Name; }
  std::unique_ptr<FakeMainWindow> Window;
};

TEST_F(Documents, UntitledNamesAndTemporaryNames) {
  fileinfoclass* A = NewDoc();
  fileinfoclass* B = NewDoc();
  EXPECT_STREQ(A->GetName(NAME_FULL), "[Untitled]");
  const std::string TempA = A->GetName(NAME_TEMPORARY);
  const std::string TempB = B->GetName(NAME_TEMPORARY);
  EXPECT_NE(TempA, TempB);
  EXPECT_EQ(TempA.rfind(std::string(SystemTemporaryFolder().text) + "/~zub_", 0), 0u) << TempA;
  EXPECT_EQ(TempA.substr(TempA.size() - 5), ".html");
  // No clash with the browser-source file or the reload file.
  EXPECT_NE(TempA, std::string(prg->volatileState->browserSourceFile.text));
  EXPECT_EQ(TempA.find("WBSource"), std::string::npos);
  // The temporary copy goes beside the temporary name and is deleted with the document.
  SetText(*A, {"<p>x</p>"});
  ASSERT_EQ(A->SaveToFile(nullptr, 1), 0);
  const std::string Copy = A->temporaryFile.text;
  EXPECT_NE(Copy, TempA);
  EXPECT_EQ(ReadAll(Copy), "<p>x</p>\r\n");
  EXPECT_EQ(prg->volatileState->documents->deletePointer(A, nullptr, 1), PAM_DONE);
  EXPECT_FALSE(std::filesystem::exists(Copy));
  EXPECT_EQ(GetFileTypeByName("page.HTML", nullptr, 0), FILETYPE_HTML);
  EXPECT_EQ(GetFileTypeByName("x/style.css", nullptr, 0), FILETYPE_CSS);
  EXPECT_EQ(GetFileTypeByName("README", nullptr, 0), FILETYPE_NO_EXTENSION);
  EXPECT_EQ(GetFileTypeByName("README", nullptr, 1), -1);
  EXPECT_EQ(GetFileTypeByName("a.qqq", nullptr, 0), FILETYPE_UNKNOWN_EXTENSION);
  EXPECT_EQ(GetFileTypeByName("http://h/a.css?x=1.html#b", nullptr, 2), FILETYPE_CSS);
}

TEST_F(Documents, DocumentsWithNonAsciiFileNamesLoadAndSaveTheSameFile) {
  // UTF-8, Latin-1 bytes, Cyrillic and CJK names, as a listing hands them out.
  for (const char* Name :
       {"caf\xC3\xA9.html", "caf\xE9.html", "\xD0\xB4\xD0\xBE\xD0\xBC.html", "\xE6\x96\x87\xE6\x9B\xB8.html"}) {
    SCOPED_TRACE(Name);
    const std::string Path = File(Name);
    WriteAll(Path, "old\n");
    fileinfoclass* D = NewDoc();
    ASSERT_EQ(D->LoadFromFile(Path.c_str(), 1), 0);
    EXPECT_EQ(D->text->Strings()->GetStr(0), "old");
    SetText(*D, {"new"});
    prg->editorOptions->saveFileFormat = 2;
    ASSERT_EQ(D->SaveToFile(Path.c_str(), 0), 0);
    EXPECT_EQ(ReadAll(Path), "new\n");
    int Files = 0;
    for (const auto& E : std::filesystem::directory_iterator(Dir)) {
      Files += E.path().extension() == ".html" ? 1 : 0;
    }
    EXPECT_EQ(Files, 1);  // the same file, no second one beside it
    std::filesystem::remove(Path);
  }
}

TEST_F(Documents, TabCaptionsAndWebNames) {
  fileinfoclass* D = NewDoc();
  const std::string Path = File("page.html");
  WriteAll(Path, "a\nb\n");
  ASSERT_EQ(D->LoadFromFile(Path.c_str(), 1), 0);
  D->name = Path.c_str();
  D->onDisk = 1;
  EXPECT_STREQ(D->GetName(NAME_TAB_CAPTION), "page.html");
  D->text->InsertString("x");
  EXPECT_STREQ(D->GetName(NAME_TAB_CAPTION), "page.html**");
  EXPECT_STREQ(D->GetName(0x110), "page.html");
  EXPECT_EQ(AllDocumentsSaved(prg->volatileState->documents), 0);

  fileinfoclass* W = NewDoc();
  auto* Origin = new fileinfoextraclass();
  Origin->address = "http://example.org/some/long/folder/";
  W->SetWebOrigin(Origin, 1);
  EXPECT_EQ(Origin, nullptr);
  EXPECT_TRUE(W->IsWebDocument());
  EXPECT_STREQ(W->GetName(NAME_TAB_CAPTION), "...rg/some/long/folder/");
  W->webOrigin->address = "http://example.org/dir/file.css?q=1#top";
  EXPECT_STREQ(W->GetName(NAME_TAB_CAPTION), "file.css");
  EXPECT_EQ(std::string(FormatDocumentName(W, 1).text), "\"file.css\" [http://example.org/dir/file.css?q=1#top]");
  // A page served as a style sheet is a style sheet whatever its address says; other types follow the name.
  W->webOrigin->address = "http://example.org/page.html";
  W->webOrigin->contentType = "text/css; charset=utf-8";
  W->UpdateDocumentType(0);
  EXPECT_EQ(W->GetFileType(0), FILETYPE_CSS);
  W->webOrigin->contentType = "";
  W->UpdateDocumentType(0);
  EXPECT_EQ(W->GetFileType(0), FILETYPE_HTML);
  W->SetBrowserLocation("file:///tmp/x.html", 1);
  EXPECT_STREQ(W->displayName.text, "/tmp/x.html");  // a local path keeps its leading separator
  W->SetBrowserLocation("RES://a", 1);
  EXPECT_STREQ(W->displayName.text, "");
}

TEST_F(Documents, SavesInTheThreeLineBreakFormatsAndLoadsBack) {
  struct Case {
    int Format;
    const char* Expected;
  } const Cases[] = {{1, "one\r\ntwo\r\n"}, {2, "one\ntwo\n"}, {3, "one\rtwo\r"}};
  for (const Case& C : Cases) {
    prg->editorOptions->saveFileFormat = C.Format;
    fileinfoclass* D = NewDoc();
    SetText(*D, {"one", "two"});
    const std::string Path = File(("f" + std::to_string(C.Format) + ".html").c_str());
    ASSERT_EQ(D->SaveToFile(Path.c_str(), 0), 0);
    EXPECT_EQ(ReadAll(Path), C.Expected) << C.Format;
    EXPECT_EQ(D->fileTimeKnown, 1);
    fileinfoclass* E = NewDoc();
    ASSERT_EQ(E->LoadFromFile(Path.c_str(), 1), 0);
    EXPECT_EQ(E->Query(2), 2);
    EXPECT_EQ(E->text->Strings()->GetStr(1), "two");
    EXPECT_FALSE(E->text->Modified);
  }
  fileinfoclass* D = NewDoc();
  EXPECT_EQ(D->LoadFromFile(File("missing.html").c_str(), 1), -1);
}

TEST_F(Documents, ChangedAndVanishedFiles) {
  fileinfoclass* D = NewDoc();
  const std::string Path = File("c.html");
  WriteAll(Path, "a\n");
  ASSERT_EQ(D->LoadFromFile(Path.c_str(), 1), 0);
  D->name = Path.c_str();
  D->onDisk = 1;
  EXPECT_EQ(D->CheckChangedOnDisk(1), DISK_UNCHANGED);
  WriteAll(Path, "a changed file\n");
  EXPECT_EQ(D->CheckChangedOnDisk(1), DISK_CHANGED);
  EXPECT_EQ(D->CheckChangedOnDisk(1), DISK_CHANGED);  // until the time is recorded again
  ASSERT_EQ(D->Reload(), 1);
  EXPECT_EQ(D->CheckChangedOnDisk(1), DISK_UNCHANGED);
  EXPECT_EQ(D->text->Strings()->GetStr(0), "a changed file");
  std::filesystem::remove(Path);
  EXPECT_EQ(D->CheckChangedOnDisk(0), DISK_VANISHED);
  EXPECT_EQ(D->CheckChangedOnDisk(1), DISK_VANISHED);
  EXPECT_EQ(D->CheckChangedOnDisk(1), DISK_UNCHANGED);  // reported once
  // A missing file cannot have its time recorded: a message without status text.
  EXPECT_EQ(D->SetFileTime(Path.c_str()), -1);
  ASSERT_FALSE(Window->Boxes.empty());
  EXPECT_EQ(Window->Boxes.back().Text, "fileinfoclass::SetFileTime() failed");
  EXPECT_EQ(Window->Boxes.back().Flags, MSGBOX_ERROR | MSGBOX_NO_STATUS);
}

// A file that is gone by the time its time and size are read after a load or reload must not leave a document
// that believes it loaded the file: it would report a change on every later check.
TEST_F(Documents, AFileReplacedWhileLoadingFailsTheLoad) {
  const std::string Path = File("gone.html");
  for (const bool Reload : {false, true}) {
    SCOPED_TRACE(Reload ? "reload" : "load");
    fileinfoclass* D = NewDoc();
    WriteAll(Path, "a\n");
    D->name = Path.c_str();
    D->onDisk = 1;
    // The read-only refresh after the load tells the main window; the file disappears right then.
    D->text->SetReadOnly(true);
    Window->OnOpenedListItem = [&](fileinfoclass* Doc, int) {
      if (Doc == D) {
        std::filesystem::remove(Path);
      }
    };
    const int Result = Reload ? D->Reload() : D->LoadFromFile(Path.c_str(), 1);
    Window->OnOpenedListItem = nullptr;
    EXPECT_EQ(Result, Reload ? RELOAD_DISK_FAILED : FILE_FAILED);
    EXPECT_EQ(D->fileTimeKnown, 0);
    ASSERT_FALSE(Window->Boxes.empty());
    EXPECT_EQ(Window->Boxes.back().Text, "fileinfoclass::SetFileTime() failed");
  }
}

TEST_F(Documents, ReadOnlyFilesAndFailedSavesKeepTheOriginal) {
  const std::string Path = File("ro.html");
  WriteAll(Path, "original\n");
  ::chmod(Path.c_str(), 0444);
  fileinfoclass* D = NewDoc();
  // The load alone makes the text read-only, before the document is marked as on disk.
  ASSERT_EQ(D->LoadFromFile(Path.c_str(), 1), 0);
  EXPECT_EQ(D->IsReadOnly(), 1);
  EXPECT_EQ(D->IsEditable(), 0);
  D->name = Path.c_str();
  D->onDisk = 1;
  D->SetReadOnlyState(9);
  EXPECT_EQ(D->IsReadOnly(), 1);
  SetText(*D, {"new"});
  const std::size_t Boxes = Window->Boxes.size();
  EXPECT_EQ(D->SaveToFile(Path.c_str(), 0), -1);
  EXPECT_EQ(Window->Boxes.size(), Boxes);  // the caller reports
  EXPECT_EQ(ReadAll(Path), "original\n");
  EXPECT_EQ(D->SaveToFile(File("nofolder/x.html").c_str(), 0), -1);
  if (::geteuid() == 0) {
    return;  // folder permissions do not hold back the superuser
  }
  // A folder the user may not write: the original stays whole.
  const std::string Folder = File("locked");
  std::filesystem::create_directories(Folder);
  WriteAll(Folder + "/x.html", "kept\n");
  ::chmod(Folder.c_str(), 0555);
  EXPECT_EQ(D->SaveToFile((Folder + "/x.html").c_str(), 0), -1);
  EXPECT_EQ(ReadAll(Folder + "/x.html"), "kept\n");
  ::chmod(Folder.c_str(), 0755);
}

TEST_F(Documents, SavingKeepsPermissionsAndWritesThroughLinks) {
  const std::string Target = File("target.html");
  const std::string Link = File("link.html");
  WriteAll(Target, "old\n");
  ::chmod(Target.c_str(), 0640);
  std::filesystem::create_symlink(Target, Link);
  fileinfoclass* D = NewDoc();
  SetText(*D, {"new"});
  prg->editorOptions->saveFileFormat = 2;
  ASSERT_EQ(D->SaveToFile(Link.c_str(), 0), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(Link));
  EXPECT_EQ(ReadAll(Target), "new\n");
  struct stat St {};
  ASSERT_EQ(::stat(Target.c_str(), &St), 0);
  EXPECT_EQ(St.st_mode & 0777, 0640u);
  // No temporary files are left beside it.
  int Files = 0;
  for (const auto& E : std::filesystem::directory_iterator(Dir)) {
    Files += E.path().filename().string().rfind(".~zubsave", 0) == 0 ? 1 : 0;
  }
  EXPECT_EQ(Files, 0);
}

TEST_F(Documents, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
  const std::string Path = File("big.html");
  const std::string Old(4 << 20, 'o');
  WriteAll(Path, Old + "\n");
  fileinfoclass* D = NewDoc();
  {
    TStringList L;
    const std::string Line(99, 'n');
    for (int I = 0; I < 200000; ++I) {
      L.Add(Line);
    }
    D->text->SetStrings(&L);
  }
  prg->editorOptions->saveFileFormat = 2;
  const std::size_t NewSize = 200000u * 100u;
  for (int Delay : {0, 2, 10, 30}) {
    int Pipe[2];
    ASSERT_EQ(::pipe(Pipe), 0);
    const pid_t Child = ::fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
      ::close(Pipe[0]);
      const char Started[] = "save started";
      (void)!::write(Pipe[1], Started, sizeof Started);
      EXPECT_EQ(D->SaveToFile(Path.c_str(), 0), 0);
      ::_exit(0);
    }
    ::close(Pipe[1]);
    char Buffer[32] = {};
    ASSERT_GT(::read(Pipe[0], Buffer, sizeof Buffer), 0);
    EXPECT_STREQ(Buffer, "save started");
    std::this_thread::sleep_for(std::chrono::milliseconds(Delay));
    ::kill(Child, SIGKILL);
    int Status = 0;
    ::waitpid(Child, &Status, 0);
    ::close(Pipe[0]);
    const std::string Now = ReadAll(Path);
    const bool WholeOld = Now == Old + "\n";
    const bool WholeNew = Now.size() == NewSize && Now.find('o') == std::string::npos;
    EXPECT_TRUE(WholeOld || WholeNew) << "delay " << Delay << ": " << Now.size() << " bytes";
  }
}

TEST_F(Documents, StaleSaveFilesOfKilledSavesAreRemovedAtTheNextSave) {
  const std::int64_t Now = ::time(nullptr);
  auto Make = [&](const char* Name, std::int64_t Age) {
    WriteAll(File(Name), "left over");
    const timeval Times[2] = {{static_cast<time_t>(Now - Age), 0}, {static_cast<time_t>(Now - Age), 0}};
    ASSERT_EQ(::utimes(File(Name).c_str(), Times), 0);
  };
  Make(".~zubsave_Stale1", 3600);
  Make(".~zubsave_Held01", 3600);   // another instance's save still running
  Make(".~zubsave_Newer1", -3600);  // started after this save
  Make(".~zubsave_notours.txt", 3600);
  Make("other.html", 3600);
  const int Held = ::open(File(".~zubsave_Held01").c_str(), O_RDONLY);
  ASSERT_GE(Held, 0);
  ASSERT_EQ(::flock(Held, LOCK_EX), 0);
  fileinfoclass* D = NewDoc();
  SetText(*D, {"new"});
  ASSERT_EQ(D->SaveToFile(File("page.html").c_str(), 0), 0);
  ::close(Held);
  EXPECT_FALSE(std::filesystem::exists(File(".~zubsave_Stale1")));
  for (const char* Kept : {".~zubsave_Held01", ".~zubsave_Newer1", ".~zubsave_notours.txt", "other.html"}) {
    EXPECT_TRUE(std::filesystem::exists(File(Kept))) << Kept;
  }
}

TEST_F(Documents, UndoCopiesAndMovedResultHandles) {
  fileinfoclass* A = NewDoc();
  A->name = "/x/a.html";
  A->onDisk = 1;
  A->documentType = FILETYPE_HTML;
  A->resultHandle = 12345;  // not an engine handle: the copy must never free it
  fileinfoclass* B = NewDoc();
  ASSERT_EQ(B->CopyFrom(A, 0), 0);
  EXPECT_EQ(B->resultHandle, 12345);
  EXPECT_EQ(A->resultHandle, -1);
  EXPECT_STREQ(B->name.text, "/x/a.html");
  EXPECT_EQ(B->documentArray, A->documentArray);
  B->resultHandle = -1;
  EXPECT_EQ(B->CopyFrom(nullptr, 0), -2);
  // Undo copies are freed through the undo array.
  auto* Copy = new fileinfoclass(nullptr, nullptr);
  EXPECT_EQ(prg->volatileState->undoDocuments->setPointer(Copy, 3, 0, 1, 0), PAM_DONE);
  A->undoCopyIndex1 = 3;
  EXPECT_EQ(A->FreeUndoCopies(), 0);
  EXPECT_EQ(prg->volatileState->undoDocuments->getPointer(3), nullptr);
  EXPECT_EQ(A->undoCopyIndex1, -1);
}

}  // namespace
