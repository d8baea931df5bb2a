// The editor's properties through a form layout and back, with the rules for what is stored: the edit source
// only when an outside one is set, lines, highlighter and source options only while none is, gutter images
// only when they were changed.
#include "tests/editor/EditorWindowSupport.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"

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

}  // namespace
