// The editor's properties through a form layout and back, with the rules for what is stored: the edit source
// only when an outside one is set, lines, highlighter and source options only while none is, gutter images
// only when they were changed.
#include "tests/editor/EditorWindowSupport.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class EditorStreaming : public EditorWindowTest {
protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    RegisterClasses({TEasyEdit::StaticClass(), TEasyEditSource::StaticClass(), TEasyEditorParser::StaticClass()});
    Form->SetName("EditForm");
    Edit->SetName("Edit1");
  }
  std::string LayoutOf(TComponent* Root) {
    TMemoryStream Out;
    Out.WriteComponent(Root);
    Out.SetPosition(0);
    TStringStream Text("");
    ObjectBinaryToText(&Out, &Text);
    return Text.DataString();
  }
  TForm* ReadLayout(const std::string& Text) {
    TStringStream In(Text);
    TMemoryStream Binary;
    ObjectTextToBinary(&In, &Binary);
    Binary.SetPosition(0);
    Form->SetName("WrittenForm");  // the copy takes the name
    auto* Copy = new TForm(Application);
    Copy->AfterConstruction();
    Binary.ReadComponent(Copy);
    return Copy;
  }
};

TEST_F(EditorStreaming, PropertiesRoundTripThroughTheLayout) {
  Edit->GetLines()->SetText("first line\r\nsecond line");
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoPaintFormattingMarks);
  O.Exclude(eoPaintMargin);
  Edit->SetOptions(O);
  Edit->Gutter()->SetWidth(40);
  Edit->Gutter()->Brush()->SetColor(clYellow);
  Edit->LineNumbers()->SetVisible(true);
  Edit->LineNumbers()->SetAlignment(lnRight);
  Edit->Margin()->SetPosition(72);
  Edit->Colors()->SetSelBackColor(clRed);
  auto* Style = static_cast<TEasyLineStyle*>(Edit->LineStyles()->Add());
  Style->SetName("ZUBError line");
  Style->SetBackColor(clRed);
  Edit->LineDivider()->SetOptions(TEasyLineDividerOptions{ldSeparateLines});
  Edit->SetScrollBars(ssBoth);
  Edit->SetBlockSelMode(TEasyBlockSelMode::bsStream);
  Edit->SetKeyMapping(kmBrief);
  Edit->SetWantTabs(true);
  TEasySourceOptions SO = Edit->GetSourceOptions();
  SO.Include(srUseTab);
  Edit->SetSourceOptions(SO);

  const std::string Text = LayoutOf(Form);
  EXPECT_NE(Text.find("Gutter.Width = 40"), std::string::npos) << Text;
  EXPECT_NE(Text.find("Lines.Strings = ("), std::string::npos);
  EXPECT_NE(Text.find("SourceOptions = ["), std::string::npos);
  EXPECT_EQ(Text.find("EditSource"), std::string::npos) << "the own source is not written";
  EXPECT_EQ(Text.find("ImageData"), std::string::npos) << "unchanged images are not written";
  EXPECT_EQ(Text.find("MaxScrollPos"), std::string::npos) << "defaults are left out";

  TForm* Copy = ReadLayout(Text);
  auto* Back = static_cast<TEasyEdit*>(Copy->FindComponent("Edit1"));
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->GetLines()->Get(1), "second line");
  EXPECT_TRUE(Back->Options() == O);
  EXPECT_EQ(Back->Gutter()->Width(), 40);
  EXPECT_EQ(Back->Gutter()->Brush()->Color(), clYellow);
  EXPECT_TRUE(Back->LineNumbers()->Visible());
  EXPECT_EQ(Back->LineNumbers()->Alignment(), lnRight);
  EXPECT_EQ(Back->Margin()->Position(), 72);
  EXPECT_EQ(Back->Colors()->SelBackColor, clRed);
  ASSERT_EQ(Back->LineStyles()->Count(), 1);
  EXPECT_EQ(Back->LineStyles()->IndexOfName("zuberror LINE"), 0);
  EXPECT_TRUE(Back->LineDivider()->Options() == TEasyLineDividerOptions{ldSeparateLines});
  EXPECT_EQ(Back->ScrollBars(), ssBoth);
  EXPECT_EQ(Back->BlockSelMode(), TEasyBlockSelMode::bsStream);
  EXPECT_EQ(Back->KeyMapping(), kmBrief);
  EXPECT_TRUE(Back->WantTabs());
  EXPECT_TRUE(Back->GetSourceOptions().Contains(srUseTab));
  const std::string Again = LayoutOf(Copy);
  EXPECT_EQ(Again.substr(Again.find("object Edit1")), Text.substr(Text.find("object Edit1")))
      << "written again, the editor's part of the layout is the same";
  delete Copy;
}

TEST_F(EditorStreaming, AnOutsideSourceIsWrittenInsteadOfTheTextAndItsSettings) {
  auto* Source = new TEasyEditSource(Form);
  Source->SetName("Source1");
  Source->Strings()->SetText("shared text");
  Edit->SetEditSource(Source);
  Edit->SetParser(HtmlParser());
  HtmlParser()->SetName("Html");
  const std::string Text = LayoutOf(Form);
  EXPECT_NE(Text.find("EditSource = Source1"), std::string::npos) << Text;
  EXPECT_EQ(Text.find("Lines.Strings"), std::string::npos);
  EXPECT_EQ(Text.find("Parser ="), std::string::npos);
  EXPECT_EQ(Text.find("SourceOptions"), std::string::npos);

  TForm* Copy = ReadLayout(Text);
  auto* Back = static_cast<TEasyEdit*>(Copy->FindComponent("Edit1"));
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->EditSource(), Copy->FindComponent("Source1"));
  delete Copy;
}

TEST_F(EditorStreaming, ChangedGutterImagesAreWrittenAndReadBack) {
  ASSERT_EQ(Edit->Gutter()->Images()->Count(), 14);
  Edit->Gutter()->Images()->Delete(13);
  EXPECT_TRUE(Edit->Gutter()->ImagesModified());
  const std::string Text = LayoutOf(Form);
  EXPECT_NE(Text.find("Gutter.ImageData = {"), std::string::npos);
  TForm* Copy = ReadLayout(Text);
  auto* Back = static_cast<TEasyEdit*>(Copy->FindComponent("Edit1"));
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->Gutter()->Images()->Count(), 13);
  delete Copy;
}

// Reads an editor from layout bytes as the fuzz target does: the text form when it starts with "object".
bool ReadEditorLayout(const std::string& Input, TEasyEdit* Edit) {
  try {
    TMemoryStream Binary;
    if (Input.rfind("object", 0) == 0) {
      TStringStream Text(Input);
      ObjectTextToBinary(&Text, &Binary);
    } else {
      Binary.WriteBuffer(Input.data(), static_cast<LongInt>(Input.size()));
    }
    Binary.SetPosition(0);
    Binary.ReadComponent(Edit);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

TEST_F(EditorStreaming, TheFuzzSeedsAndEveryCutOfALayoutReadWithoutHarm) {
  Edit->SetName("MainEdit");  // the layouts read name their editor Edit1
  const std::filesystem::path Seeds = std::filesystem::path(ZUBQ_SOURCE_DIR) / "fuzz/corpus/EasyEditLayout";
  int Count = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(Seeds)) {
    std::ifstream In(Entry.path(), std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    auto* E = NewEditor(0, 0, 300, 200);
    EXPECT_TRUE(ReadEditorLayout(S.str(), E) || Entry.path().filename() == "images.txt") << Entry.path();
    E->GetLines()->Add("still usable");
    Harness::RunUntilIdle();
    delete E;
    ++Count;
  }
  EXPECT_GE(Count, 3);
  auto* Chrome = NewEditor(0, 0, 300, 200);
  auto Text = std::string(
      "object Edit1: TEasyEdit\r\n  Gutter.Pen.Width = 9\r\n  MaxScrollPos = -1\r\n"
      "  LineNumbers.StartFrom = -5\r\n  Margin.Position = 7\r\nend\r\n");
  ASSERT_TRUE(ReadEditorLayout(Text, Chrome));
  EXPECT_EQ(Chrome->Gutter()->Pen()->Width(), 2);
  EXPECT_EQ(Chrome->MaxScrollPos(), 0);
  EXPECT_EQ(Chrome->LineNumbers()->StartFrom(), 0);
  EXPECT_EQ(Chrome->Margin()->Position(), 7);

  Edit->GetLines()->SetText("abc\r\ndef");
  Edit->Gutter()->Images()->Delete(0);
  TMemoryStream Out;
  Out.WriteComponent(Edit);
  std::string Whole(static_cast<std::size_t>(Out.Size()), '\0');
  Out.SetPosition(0);
  Out.ReadBuffer(Whole.data(), Out.Size());
  for (std::size_t Cut = 0; Cut < Whole.size(); Cut += 7) {
    auto* E = NewEditor(0, 0, 300, 200);
    EXPECT_FALSE(ReadEditorLayout(Whole.substr(0, Cut), E)) << "a layout cut at " << Cut;
    delete E;
  }
  Harness::RunUntilIdle();
}

}  // namespace
