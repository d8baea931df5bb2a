// Engine jobs through the real engine: validation in the job protocol's order, adopting and freeing result
// handles, the style-sheet job kind, validator configurations, the quick tools with the undo copy, and the
// spell-check callback's flag protocol.
#include "core/Enginejobs.h"
#include "core/Filestore.h"
#include "core/Fileinfoclass.h"
#include "core/Parserclass.h"
#include "core/Tabinfoclass.h"
#include "core/Validatorlib.h"

#include "FakeMainWindow.h"
#include "SettingsTestSupport.h"

#include "editor/Easyeditsource.h"
#include "platform/classes/StringList.h"
#include "platform/win/Clipboard.h"
#include "support/NetTestServer.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

// Every integer the program sets on a job, by id (the last value), and the kinds it asked for.
std::map<int, int> SetIntegers;
ZUBSetInteger_t RealSetInteger = nullptr;
ZUBInt RecordSetInteger(ZUBInt H, ZUBInt Id, ZUBInt Value) {
  SetIntegers[Id] = Value;
  return RealSetInteger(H, Id, Value);
}

std::vector<std::string> CorpusLines(const char* Name) {
  std::ifstream F(CorpusDir() + Name);
  std::vector<std::string> Lines;
  std::string L;
  while (std::getline(F, L)) {
    if (!L.empty() && L.back() == '\r') {
      L.pop_back();
    }
    Lines.push_back(L);
  }
  return Lines;
}

class FakeParser : public SpellWordParser {
public:
  std::string Mid = "";
  std::vector<std::string> Words;
  std::size_t Next = 0;
  std::string GetMidWord() const override { return Mid; }
  void SetMidWord(const std::string& C) override { Mid = C; }
  void Initialize(const std::string& Text) override {
    Words.clear();
    Next = 0;
    std::istringstream S(Text);
    std::string W;
    while (S >> W) {
      Words.push_back(W);
    }
  }
  std::string NextWord() override { return Next < Words.size() ? Words[Next++] : std::string(); }
};

class FakeChecker : public SpellCheckService {
public:
  int Setups = 0;
  int Bound = 0;
  bool WordAcceptable(const std::string& W) override { return W == "good"; }
  bool RunPostCheckIgnore(const std::string& W) override { return W == "ignored"; }
  void SetupAndSave() override { ++Setups; }
  void BindParser(SpellWordParser&) override { ++Bound; }
};

class EngineJobs : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    InitParsers(prg->volatileState->documentTypes);
    Window = std::make_unique<FakeMainWindow>();
    ASSERT_EQ(prg->volatileState->LoadValidatorLibrary(0, 0), 0);
    RealSetInteger = ZUBCalls.ZUBSetInteger;
    ZUBCalls.ZUBSetInteger = RecordSetInteger;
    SetIntegers.clear();
  }
  void TearDown() override {
    ZUBCalls.ZUBSetInteger = RealSetInteger;
    Root.reset();
    Window.reset();
    SettingsTest::TearDown();
  }
  fileinfoclass* NewDoc(const char* Name, const std::vector<std::string>& Lines) {
    auto* D = new fileinfoclass(prg->volatileState->undoDocuments, prg->volatileState->documents);
    EXPECT_GE(prg->volatileState->documents->addPointer(D), 0);
    D->name = Name;
    TStringList L;
    for (const auto& S : Lines) {
      L.Add(S);
    }
    D->text->SetStrings(&L);
    return D;
  }
  std::unique_ptr<FakeMainWindow> Window;
};

TEST_F(EngineJobs, ValidationGivesTheEnginesOwnCountsAndAdoptsTheResult) {
  const std::vector<std::string> Lines = CorpusLines("html/FAQ.html");
  ASSERT_FALSE(Lines.empty());
  fileinfoclass* D = NewDoc("/docs/FAQ.html", Lines);
  ASSERT_EQ(D->Validate(VALIDATE_LAST_CONFIGURATION, 0), 0);
  const int First = D->resultHandle;
  ASSERT_GE(First, 0);
  EXPECT_EQ(D->resultsOutOfDate, 0);
  EXPECT_EQ(SetIntegers[ZUB_JOB_KIND], ZUB_JOB_VALIDATE_MARKUP);
  EXPECT_EQ(SetIntegers.count(ZUB_JOB_CONFIGURATION), 0u);  // no configuration remembered yet
  ASSERT_FALSE(Window->StatusTexts.empty());
  EXPECT_EQ(Window->StatusTexts.front(), "Validating /docs/FAQ.html...");
  EXPECT_EQ(Window->ResultCountsShown.size(), 1u);
  // The same lines in a direct engine job give the same counts.
  const int Job = GetNewHandle(ZUB_KIND_JOB);
  EXPECT_GE(SetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP), 0);
  EXPECT_GE(SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION, 1), 0);
  EXPECT_GE(SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION2, 1), 0);
  EXPECT_GE(SetInteger(Job, ZUB_JOB_TEXT_START, 0), 0);
  for (const auto& L : Lines) {
    EXPECT_GE(SetString(Job, ZUB_JOB_LINE, L.c_str()), 0);
  }
  EXPECT_GE(SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_TEXT_HANDED_OVER, 1), 0);
  EXPECT_GE(SetString(Job, ZUB_JOB_NAME, "/docs/FAQ.html"), 0);
  const int Direct = RunJob(0, prg->volatileState->configHandle, Job, 0);
  ASSERT_GE(Direct, 0);
  for (int Id : {ZUB_RESULT_ERRORS, ZUB_RESULT_WARNINGS, ZUB_RESULT_MESSAGES}) {
    EXPECT_EQ(ZUBCalls.ZUBGetIntegerEZ(First, Id), ZUBCalls.ZUBGetIntegerEZ(Direct, Id)) << Id;
  }
  EXPECT_GT(D->GetResultCount(1) + D->GetResultCount(2), 0);
  EXPECT_EQ(D->GetResultCount(0x1000), D->GetResultCount(1) + D->GetResultCount(2));
  FreeHandle(Direct);
  FreeHandle(Job);
  // Adopting the handle already held changes nothing; a new validation frees the old handle.
  EXPECT_EQ(D->SetResultHandle(First, 1), 0);
  EXPECT_EQ(ZUBCalls.ZUBHandle(First), ZUB_KIND_RESULT);
  ASSERT_EQ(D->Validate(VALIDATE_LAST_CONFIGURATION, VALIDATE_QUIET), 0);
  EXPECT_NE(D->resultHandle, First);
  EXPECT_EQ(ZUBCalls.ZUBHandle(First), -1);
  EXPECT_EQ(ZUBCalls.ZUBGetNumberOfHandles(ZUB_KIND_JOB), 0);
  // Without a document and without the named-file flag there is nothing to validate.
  EXPECT_EQ(ValidateDocument(nullptr, 0, 0), -7);
}

TEST_F(EngineJobs, ResultCountsTextsReportsAndLinks) {
  fileinfoclass* D = NewDoc("/docs/links.html",
                            {"<html><head><title>t</title><base href=\"http://127.0.0.1/a&amp;b/\"></head><body>",
                             "<a href=\"one.html\">1</a> <a href=\"two.html\">2</a> <foo>x</foo>",
                             "</body></html>"});
  D->onDisk = 1;
  EXPECT_EQ(D->GetResultCount(1), -1);  // no result yet
  EXPECT_STREQ(D->GetInfoText(1 | 2), "");
  EXPECT_EQ(D->GetResultCount(0x200), 1);
  ASSERT_EQ(D->Validate(0, VALIDATE_QUIET), 0);
  EXPECT_EQ(D->GetResultCount(0x200), 0);
  EXPECT_EQ(D->GetResultCount(4), 2);
  EXPECT_EQ(D->linkCount, 2);
  EXPECT_EQ(GetLinkCount(D->resultHandle, 0), -1);
  char Expected[32];
  std::snprintf(Expected, sizeof Expected, "%02de,%02dw", D->GetResultCount(1), D->GetResultCount(2));
  EXPECT_STREQ(D->GetInfoText(1), Expected);
  EXPECT_STREQ(D->GetInfoText(0x20), "http://127.0.0.1/a&b/");  // the base address, references decoded
  EXPECT_EQ(D->Query(3), 1);
  EXPECT_EQ(D->GetStructureSourcePos(0, 1), ZUBCalls.ZUBGetInteger2EZ(D->resultHandle, ZUB_STRUCTURE_LINE, 0));
  ASSERT_NE(D->structureText, nullptr);
  EXPECT_EQ(D->structureText->Strings()->Count(),
            ZUBCalls.ZUBGetIntegerEZ(D->resultHandle, ZUB_RESULT_STRUCTURE_LINES));
  EXPECT_TRUE(D->structureText->ReadOnly());
  // The engine's report lines, appended to a file, and the file copied to the clipboard.
  FileStore Report;
  Report.addLine("first", 0);
  EXPECT_EQ(D->AppendResultLines(&Report, D->resultHandle, 1), 0);
  EXPECT_GT(Report.getLineCount(), 1);
  EXPECT_EQ(D->AppendResultLines(nullptr, D->resultHandle, 1), -1);
  EXPECT_EQ(D->AppendResultLines(&Report, -1, 1), -2);
  ASSERT_EQ(D->CopyExportToClipboard(&Report, 1), 0);
  ASSERT_TRUE(OpenClipboard(0));
  const char* Clip = static_cast<const char*>(GetClipboardData(CF_TEXT));
  ASSERT_NE(Clip, nullptr);
  EXPECT_EQ(std::string(Clip).rfind("first\n", 0), 0u);
  CloseClipboard();
  EXPECT_EQ(D->CopyExportToClipboard(nullptr, 1), -1);
  // Links handed to the engine's link checker and checked there (nothing listens at the port).
  const std::string Dead = "http://127.0.0.1:" + std::to_string(NetTest::UnusedPort()) + "/";
  PointerArrayManager Links;  // does not own the record
  auto* Link = new StrStoreEx();
  Link->assign(Dead.c_str());
  Link->setExtraString(5, "Agent/2");
  EXPECT_GE(Links.addPointer(Link), 0);
  EXPECT_EQ(SubmitLinksForCheck(nullptr, 0), -1);
  EXPECT_EQ(SubmitLinksForCheck(&Links, 2), 0);
  TClock* Fixed = SetClock(nullptr);  // the link checker waits on real time
  EXPECT_EQ(RunLinkCheckJob(0), 0);
  SetClock(Fixed);
  EXPECT_EQ(ZUBCalls.ZUBGetNumberOfHandles(ZUB_KIND_JOB), 0);
  Links.removeAllPointers(0, 0);
  delete Link;
  // Clearing the results frees the handle and marks the document out of date.
  const int Handle = D->resultHandle;
  D->ClearResults(1);
  EXPECT_EQ(ZUBCalls.ZUBHandle(Handle), -1);
  EXPECT_EQ(D->GetResultCount(0x200), 1);
  EXPECT_EQ(D->structureText, nullptr);
}

TEST_F(EngineJobs, StyleSheetsAndValidatorConfigurations) {
  fileinfoclass* Css = NewDoc("/docs/site.css", {"p { color: red; }"});
  ASSERT_EQ(Css->Validate(3, VALIDATE_QUIET), 0);
  EXPECT_EQ(SetIntegers[ZUB_JOB_KIND], ZUB_JOB_VALIDATE_CSS);
  EXPECT_EQ(SetIntegers[ZUB_JOB_CONFIGURATION], 3);
  EXPECT_EQ(Css->configurationNumber, 3);
  SetIntegers.clear();
  ASSERT_EQ(Css->Validate(VALIDATE_LAST_CONFIGURATION, VALIDATE_QUIET), 0);
  EXPECT_EQ(SetIntegers[ZUB_JOB_CONFIGURATION], 3);
  SetIntegers.clear();
  ASSERT_EQ(Css->Validate(VALIDATE_LINKS_ONLY, VALIDATE_QUIET), 0);
  EXPECT_EQ(SetIntegers[ZUB_JOB_KIND], ZUB_JOB_EXTRACT_LINKS);
  // An engine that takes no configurations is given none.
  prg->volatileState->engineVersion = ENGINE_VERSION_WITH_CONFIGURATIONS;
  SetIntegers.clear();
  ASSERT_EQ(Css->Validate(5, VALIDATE_QUIET), 0);
  EXPECT_EQ(SetIntegers.count(ZUB_JOB_CONFIGURATION), 0u);
  EXPECT_EQ(Css->configurationNumber, 3);
}

TEST_F(EngineJobs, QuickToolsReplaceTheDocumentAndKeepTheUndoCopy) {
  EXPECT_EQ(RunTool(ZUB_JOB_LOWER_CASE, TOOL_REPLACE_DOCUMENT), -5);
  fileinfoclass* Old = NewDoc("/docs/a.html", {"<P CLASS=x>Text</P>"});
  Old->onDisk = 1;
  ASSERT_EQ(Old->Validate(0, VALIDATE_QUIET), 0);
  const int Handle = Old->resultHandle;
  Window->Current = Old;
  ASSERT_EQ(RunTool(ZUB_JOB_LOWER_CASE, TOOL_REPLACE_DOCUMENT), 0);
  auto* New = static_cast<fileinfoclass*>(prg->volatileState->documents->getPointer(0));
  ASSERT_NE(New, Old);
  EXPECT_EQ(New->text->Strings()->GetStr(0), "<p class=x>Text</p>");
  EXPECT_STREQ(New->name.text, "/docs/a.html");
  EXPECT_EQ(prg->volatileState->undoDocuments->getPointer(New->undoCopyIndex1), Old);
  EXPECT_EQ(Old->text->Strings()->GetStr(0), "<P CLASS=x>Text</P>");
  // The validation's result moved to the new document; clearing the copy's results does not free it.
  EXPECT_EQ(New->resultHandle, Handle);
  EXPECT_EQ(Old->resultHandle, -1);
  Old->ClearResults(1);
  EXPECT_EQ(ZUBCalls.ZUBHandle(Handle), ZUB_KIND_RESULT);
  EXPECT_EQ(Window->StatusTexts.back(), "Tool processing completed successfully.");
  ASSERT_FALSE(Window->Selected.empty());
  EXPECT_EQ(Window->Selected.back().second, 0);

  // A tool that changes nothing leaves the document and the undo array alone.
  Window->Current = New;
  ASSERT_EQ(RunTool(ZUB_JOB_LOWER_CASE, TOOL_REPLACE_DOCUMENT), 0);
  EXPECT_EQ(prg->volatileState->documents->getPointer(0), New);
  // The quote tool with nothing to quote: no undo copy, and the count says so.
  TStringList L;
  L.Add("<p class=\"x\">Text</p>");
  New->text->SetStrings(&L);
  ASSERT_EQ(RunTool(ZUB_JOB_QUOTE_VALUES, TOOL_REPLACE_DOCUMENT), 0);
  EXPECT_EQ(prg->volatileState->documents->getPointer(0), New);
  ASSERT_FALSE(Window->Boxes.empty());
  EXPECT_EQ(Window->Boxes.back().Text, "0 attribute values quoted.");
  EXPECT_EQ(Window->Boxes.back().Caption, "Quillon: Quick Quote Tool Results");
  L.Clear();
  L.Add("<td width=3 align=left>");
  New->text->SetStrings(&L);
  ASSERT_EQ(RunTool(ZUB_JOB_QUOTE_VALUES, TOOL_REPLACE_DOCUMENT), 0);
  EXPECT_EQ(Window->Boxes.back().Text, "2 attribute values quoted.");
  auto* Quoted = static_cast<fileinfoclass*>(prg->volatileState->documents->getPointer(0));
  EXPECT_EQ(Quoted->text->Strings()->GetStr(0), "<td width=\"3\" align=\"left\">");
  EXPECT_EQ(ZUBCalls.ZUBGetNumberOfHandles(ZUB_KIND_JOB), 0);
}

// A tool's result whose text cannot be read must not replace the document by an empty or partial one.
ZUBGetString2_t RealGetString2 = nullptr;
const char* NoNewTextLines(ZUBInt H, ZUBInt Id, ZUBInt Index) {
  return Id == ZUB_RESULT_NEW_TEXT_LINE ? nullptr : RealGetString2(H, Id, Index);
}

TEST_F(EngineJobs, AToolTextThatCannotBeReadLeavesTheDocument) {
  fileinfoclass* Old = NewDoc("/docs/a.html", {"<P CLASS=x>Text</P>"});
  ASSERT_EQ(Old->Validate(0, VALIDATE_QUIET), 0);
  const int Handle = Old->resultHandle;
  Window->Current = Old;
  RealGetString2 = ZUBCalls.ZUBGetString2;
  ZUBCalls.ZUBGetString2 = NoNewTextLines;
  const int Result = RunTool(ZUB_JOB_LOWER_CASE, TOOL_REPLACE_DOCUMENT);
  ZUBCalls.ZUBGetString2 = RealGetString2;
  EXPECT_EQ(Result, TOOL_NOT_PLACED);
  EXPECT_EQ(prg->volatileState->documents->getPointer(0), Old);
  EXPECT_EQ(Old->text->Strings()->GetStr(0), "<P CLASS=x>Text</P>");
  EXPECT_EQ(Old->resultHandle, Handle);  // the result stays with the document
  EXPECT_EQ(Old->undoCopyIndex1, -1);
  EXPECT_EQ(prg->volatileState->undoDocuments->getCount(), 0);
  EXPECT_EQ(Window->StatusTexts.back(), "An error occurred while processing the tool job.");
  EXPECT_EQ(ZUBCalls.ZUBGetNumberOfHandles(ZUB_KIND_JOB), 0);
}

TEST_F(EngineJobs, TheSpellCallbackAnswersTheFlagProtocol) {
  // Without a checker: a word test gives 0, preparing gives -1, the next word 0.
  EXPECT_EQ(EngineSpellCallback("good", 1), 0);
  EXPECT_EQ(EngineSpellCallback("a b", 8), -1);
  EXPECT_EQ(EngineSpellCallback(nullptr, 0x20), 0);
  FakeChecker Checker;
  Window->Spell = &Checker;
  EXPECT_EQ(EngineSpellCallback("a b", 8), -1);  // no word parser yet
  FakeParser* Made = nullptr;
  SetSpellWordParserFactory([&] {
    auto P = std::make_unique<FakeParser>();
    Made = P.get();
    return P;
  });
  EXPECT_EQ(EngineSpellCallback("good", 9), 1);  // 9 acts as 1
  EXPECT_EQ(EngineSpellCallback("bad", 1), 0);
  EXPECT_EQ(EngineSpellCallback("ignored", 4), 1);
  EXPECT_EQ(EngineSpellCallback("", 2), 0);
  EXPECT_EQ(Checker.Setups, 1);
  EXPECT_EQ(EngineSpellCallback("one two", 0x18), 1);  // preparing wins over shutdown
  ASSERT_NE(Made, nullptr);
  EXPECT_EQ(Made->Mid, "&");
  EXPECT_EQ(Checker.Bound, 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(EngineSpellCallback(nullptr, 0x20)), "one");
  EXPECT_STREQ(reinterpret_cast<const char*>(EngineSpellCallback(nullptr, 0x20)), "two");
  EXPECT_STREQ(reinterpret_cast<const char*>(EngineSpellCallback(nullptr, 0x20)), "");
  EXPECT_EQ(EngineSpellCallback(nullptr, 0x40), 0);
  EXPECT_EQ(EngineSpellCallback(nullptr, 0x10), 0);
  EXPECT_EQ(EngineSpellCallback(nullptr, 0x20), 0);
  SetSpellWordParserFactory(nullptr);
}

}  // namespace
