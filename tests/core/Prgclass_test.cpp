// The root object and its settings objects: defaults, file filters, copies, view styles and the batch settings.
#include "SettingsTestSupport.h"

#include "core/Batchwizclass.h"
#include "core/Ekregistryex.h"
#include "core/Inserterclass.h"
#include "core/Parserclass.h"

#include "platform/graphics/Graphics.h"
#include "platform/win/Sync.h"

#include <fstream>

namespace {

const std::string FiltersKey = std::string("\\") + SETTINGS_ROOT + "\\" + FILE_FILTERS_KEY;

void StoreFilters(const std::vector<std::string>& Filters) {
  EkRegistryEx Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_EQ(Reg.OpenKeyEx(FiltersKey, true), 1);
  for (std::size_t I = 0; I < Filters.size(); ++I) {
    ASSERT_TRUE(Reg.WriteStringEx("String" + std::to_string(I), Filters[I].c_str()));
  }
}

}  // namespace

using RootObject = SettingsTest;

TEST_F(RootObject, BuildsEveryObjectWithItsDefaults) {
  MakeRoot();
  ASSERT_EQ(prg, Root.get());
  EXPECT_NE(prg->downloadSemaphore, HANDLE(0));
  const interfaceclass& UI = *prg->interface;
  EXPECT_EQ(UI.flags.asInt(), 0x2FC2039F);
  EXPECT_TRUE(UI.flags.has(IF40::WordWrap));
  EXPECT_FALSE(UI.flags.has(IF40::HotKey));
  EXPECT_TRUE(UI.flags2.has(IF2::TagInserter));
  EXPECT_FALSE(UI.flags2.has(IF2::UserInserter));
  EXPECT_TRUE(UI.flags3.has(IF3::LiveSpelling));
  EXPECT_FALSE(UI.flags3.has(IF3::LeaveTrailingSpaces));
  EXPECT_EQ(UI.recentDocuments.maximum, 15);
  EXPECT_EQ(UI.userAgents.maximum, 30);
  EXPECT_STREQ(UI.selectedFolder.text, "/");
  const prgconfigclass& Config = *prg->editorOptions;
  EXPECT_EQ(Config.editorFont->Name(), "Courier New");
  EXPECT_EQ(Config.editorFont->Size(), 9);
  EXPECT_TRUE(Config.flags.has(EOF40::ValidateDropped));
  EXPECT_FALSE(Config.flags.has(EOF40::ToolOnDropped));
  EXPECT_TRUE(prg->tools->flags.has(TF40::ShowToolDialog));
  EXPECT_EQ(prg->tools->defaultDragDropTool, 2);
  const batchwizclass& Batch = *prg->batchWizard;
  EXPECT_EQ(Batch.optionFlags.asInt(), 0x3FFF801F);
  EXPECT_EQ(Batch.recentLists.maximum, 15);
  EXPECT_STREQ(GetToolName(Batch), "Validate");
  const volatileclass& V = *prg->volatileState;
  EXPECT_EQ(V.configHandle, -1);
  EXPECT_LT(V.commandQueue.maximum, 0);
  EXPECT_STREQ(V.engineLibraryName.text, "zubvalidatorV60.dll");
  EXPECT_STREQ(V.engineConfigFileName.text, "NA");
  EXPECT_EQ(std::string(V.temporaryFolder.text), Dir + "/temp");
  EXPECT_EQ(std::string(V.browserSourceFile.text), Dir + "/temp/~zub_WBSource");
  EXPECT_EQ(V.inserters->getCount(), 3);
  EXPECT_EQ(V.documentTypes->getCount(), 0);
  EXPECT_GT(V.programFolder.length, 0);
  EXPECT_NE(V.programFolder.text[V.programFolder.length - 1], '/');
  Root.reset();
  EXPECT_EQ(prg, nullptr);
}

TEST_F(RootObject, FileFiltersAreSeededCutAndSavedAtOnce) {
  std::vector<std::string> Stored = {"html documents (*.htm;*.xhtml)", "No pattern here", "Bad (*.bad",
                                     "My Files (*.my)"};
  for (int I = 0; I < 20; ++I) {
    Stored.push_back("Extra " + std::to_string(I) + " (*.e" + std::to_string(I) + ")");
  }
  StoreFilters(Stored);
  MakeRoot();
  const StringArrayStore& Filters = prg->interface->fileFilters;
  ASSERT_EQ(Filters.getCount(), 20);
  EXPECT_STREQ(Filters.getString(0), "All Files (*.*)");
  // The seeded HTML entry took the stored spelling and pattern, at the seeded place.
  EXPECT_STREQ(Filters.getString(4), "html documents (*.htm;*.xhtml)");
  EXPECT_STREQ(Filters.getString(12), "WML Files (*.wml)");
  EXPECT_STREQ(Filters.getString(13), "No pattern here");
  EXPECT_STREQ(Filters.getString(14), "Bad (*.bad");
  EXPECT_STREQ(Filters.getString(15), "My Files (*.my)");
  EXPECT_STREQ(Filters.getString(19), "Extra 3 (*.e3)");
  const std::string Dialog = prg->interface->dialogFilter.text;
  EXPECT_EQ(Dialog.rfind("All Files (*.*)|*.*|C/C++ Files (*.c;*.cpp;*.h;*.hpp)|*.c;*.cpp;*.h;*.hpp|", 0), 0u);
  EXPECT_NE(Dialog.find("|html documents (*.htm;*.xhtml)|*.htm;*.xhtml|"), std::string::npos);
  EXPECT_EQ(Dialog.find("No pattern"), std::string::npos);
  EXPECT_EQ(Dialog.find("Bad"), std::string::npos);
  EXPECT_NE(Dialog.find("|My Files (*.my)|*.my|"), std::string::npos);
  // Saved at once: the store holds the cut list.
  StringArrayStore Reread;
  const std::string Path = std::string(SETTINGS_ROOT) + "\\" + FILE_FILTERS_KEY;
  StringArrayStore::loadFromRegistry(&Reread, HKEY_CURRENT_USER, Path.c_str(), 40);
  ASSERT_EQ(Reread.getCount(), 20);
  EXPECT_STREQ(Reread.getString(4), "html documents (*.htm;*.xhtml)");
}

TEST(SettingsObjects, ViewStyleConversions) {
  const int Codes[] = {-1, 0, 1, 2, 3, 4, 7};
  const int FromSetting[] = {-1, 0, 1, 2, 3, -1, -1};
  const int ToSetting[] = {3, 0, 1, 2, 3, 3, 3};
  for (int I = 0; I < 7; ++I) {
    EXPECT_EQ(ViewStyleFromSetting(Codes[I]), FromSetting[I]) << Codes[I];
    EXPECT_EQ(ViewStyleToSetting(Codes[I]), ToSetting[I]) << Codes[I];
  }
}

TEST_F(RootObject, EditorOptionsCopyKeepsItsOwnFont) {
  MakeRoot();
  prgconfigclass Copy;
  prg->editorOptions->rightMargin = 120;
  prg->editorOptions->editorFont->SetName("Arial");
  prg->editorOptions->previewExtensions.assign("HTM");
  TFont* Own = Copy.editorFont.get();
  Copy.CopyFrom(*prg->editorOptions);
  EXPECT_EQ(Copy.rightMargin, 120);
  EXPECT_STREQ(Copy.previewExtensions.text, "HTM");
  EXPECT_EQ(Copy.editorFont.get(), Own);
  EXPECT_EQ(Copy.editorFont->Name(), "Arial");
}

TEST_F(RootObject, BatchSettingsTextsAndCopy) {
  batchwizclass B;
  batchwizclass2 List;
  B.setString("/r/report.html", BWSET_REPORT | BWSET_CSS);
  EXPECT_STREQ(B.getString(BWGET_REPORT)->text, "/r/report.html");
  EXPECT_STREQ(B.getString(BWGET_CSS)->text, "/r/report.html");
  EXPECT_EQ(B.getString(BWGET_LIST_REPORT), nullptr);
  EXPECT_EQ(B.getString(0x100), nullptr);
  ASSERT_EQ(B.SetCurrentListOptions(&List), 0);
  int Modified = 0;
  B.listOptions->context = &Modified;
  B.listOptions->onModified = [](void* C) { ++*static_cast<int*>(C); };
  B.setString("/l/list.html", BWSET_LIST_REPORT);
  B.setString("/l/list.html", BWSET_LIST_REPORT);
  EXPECT_EQ(Modified, 1);
  EXPECT_STREQ(B.getString(BWGET_REPORT | BWGET_LIST_WINS)->text, "/l/list.html");
  EXPECT_STREQ(B.getString(BWGET_REPORT)->text, "/r/report.html");
  EXPECT_STREQ(B.getString(BWGET_CSS | BWGET_LIST_WINS)->text, "/r/report.html");  // empty slot: own
  // The last report records whether its file exists.
  const std::string Existing = Dir + "/temp/last.html";
  std::ofstream(Existing) << "x";
  B.setString(Existing.c_str(), BWSET_LAST_REPORT);
  EXPECT_EQ(B.stateFlags & 1, 1);
  B.setString("", BWSET_LAST_REPORT);
  EXPECT_EQ(B.stateFlags & 1, 0);
  batchwizclass Copy;
  B.downloadTimeout = 5;
  B.toolNumber = 12;
  Copy.copyFrom(B);
  EXPECT_EQ(Copy.downloadTimeout, 60);
  EXPECT_STREQ(Copy.reportFileName.text, "/r/report.html");
  EXPECT_STREQ(GetToolName(Copy), "Error");
}

// A bit of one object's flag word cannot be tested or set on another's without a cast.
template <class Word, class Bit>
concept CanTest = requires(Word W, Bit B) { W.has(B); };
static_assert(CanTest<InterfaceFlags40, decltype(IF40::WordWrap)>);
static_assert(!CanTest<InterfaceFlags40, decltype(EOF40::ValidateDropped)>);
static_assert(!CanTest<EditorOptionFlags, decltype(IF40::WordWrap)>);
static_assert(!CanTest<ToolFlags, decltype(IF2::TagInserter)>);
static_assert(!CanTest<BatchOptionFlags, decltype(TF40::ShowToolDialog)>);
static_assert(!CanTest<InterfaceFlags40, int>);
