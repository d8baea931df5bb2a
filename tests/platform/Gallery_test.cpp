// A gallery form with every control of the layer, read from its layout file (Gallery_test.dfm beside this file,
// converted at build time): each control is there with what its layout says, the form writes itself back to the
// same layout, and it is shown and saved as a picture.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/ActnList.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Mask.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ImgList.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TGalleryForm : public TForm {
  Z_CLASS(TGalleryForm, TForm)
public:
  using TForm::TForm;
  TMaskEdit* PhoneEdit = nullptr;
  TListView* Files = nullptr;
  TTreeView* Tree = nullptr;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TGalleryForm> P(Meta);
    P.Field("PhoneEdit", &TGalleryForm::PhoneEdit);
    P.Field("Files", &TGalleryForm::Files);
    P.Field("Tree", &TGalleryForm::Tree);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TGalleryForm, TForm, TGalleryForm::Publish)

class Gallery : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    RegisterClasses({TPanel::StaticClass(), TSpeedButton::StaticClass(), TStatusBar::StaticClass(),
                     TTreeView::StaticClass(), TSplitter::StaticClass(), TPageControl::StaticClass(),
                     TTabSheet::StaticClass(), TLabel::StaticClass(), TEdit::StaticClass(), TMaskEdit::StaticClass(),
                     TMemo::StaticClass(), TComboBox::StaticClass(), TListBox::StaticClass(),
                     TCheckBox::StaticClass(), TRadioButton::StaticClass(), TRadioGroup::StaticClass(),
                     TGroupBox::StaticClass(), TBevel::StaticClass(), TBitBtn::StaticClass(), TButton::StaticClass(),
                     TScrollBar::StaticClass(), TScrollBox::StaticClass(), TImage::StaticClass(),
                     TListView::StaticClass(), TTabControl::StaticClass(), TProgressBar::StaticClass(),
                     TDateTimePicker::StaticClass(), TAnimate::StaticClass(), TImageList::StaticClass(),
                     TActionList::StaticClass(), TAction::StaticClass(), TPopupMenu::StaticClass(),
                     TMenuItem::StaticClass(), TOpenDialog::StaticClass(), TSaveDialog::StaticClass(),
                     TFontDialog::StaticClass(), TColorDialog::StaticClass(), TPrintDialog::StaticClass(),
                     TPrinterSetupDialog::StaticClass()});
    Application->CreateForm(Form);
  }
  void TearDown() override {
    delete Form;
    Harness::RunUntilIdle();
  }
  TComponent* Named(const std::string& Name) { return Form->FindComponent(Name); }
  TGalleryForm* Form = nullptr;
};

std::string LayoutText(TComponent* Root) {
  TMemoryStream Bin;
  Bin.WriteComponent(Root);
  Bin.SetPosition(0);
  TStringStream Text("");
  ObjectBinaryToText(&Bin, &Text);
  return Text.DataString();
}

TEST_F(Gallery, EveryControlIsReadFromTheLayoutWithItsProperties) {
  ASSERT_NE(Form, nullptr);
  const std::pair<const char*, const char*> Classes[] = {
      {"TopPanel", "TPanel"},          {"BoldButton", "TSpeedButton"},    {"Status", "TStatusBar"},
      {"Tree", "TTreeView"},           {"LeftSplitter", "TSplitter"},     {"Pages", "TPageControl"},
      {"StandardSheet", "TTabSheet"},  {"NameLabel", "TLabel"},           {"NameEdit", "TEdit"},
      {"PhoneEdit", "TMaskEdit"},      {"NotesMemo", "TMemo"},            {"KindCombo", "TComboBox"},
      {"FileList", "TListBox"},        {"WrapCheck", "TCheckBox"},        {"UpperRadio", "TRadioButton"},
      {"CaseGroup", "TRadioGroup"},    {"OptionsGroup", "TGroupBox"},     {"Line", "TBevel"},
      {"OkButton", "TBitBtn"},         {"MoreButton", "TBitBtn"},         {"ApplyButton", "TButton"},
      {"Scroller", "TScrollBar"},      {"Box", "TScrollBox"},             {"Picture", "TImage"},
      {"Files", "TListView"},          {"Tabs", "TTabControl"},           {"Progress", "TProgressBar"},
      {"DatePicker", "TDateTimePicker"}, {"Searching", "TAnimate"},       {"Images", "TImageList"},
      {"Actions", "TActionList"},      {"ApplyAction", "TAction"},        {"GalleryPopup", "TPopupMenu"},
      {"ViewTreeItem", "TMenuItem"},   {"OpenDlg", "TOpenDialog"},        {"SaveDlg", "TSaveDialog"},
      {"FontDlg", "TFontDialog"},      {"ColorDlg", "TColorDialog"},      {"PrintDlg", "TPrintDialog"},
      {"SetupDlg", "TPrinterSetupDialog"}};
  for (const auto& [Name, Class] : Classes) {
    TComponent* C = Named(Name);
    ASSERT_NE(C, nullptr) << Name;
    EXPECT_EQ(C->ClassName(), Class) << Name;
  }
  // Published fields point at their controls.
  EXPECT_EQ(Form->PhoneEdit, Named("PhoneEdit"));
  EXPECT_EQ(Form->Files, Named("Files"));
  // What the layout gives, read back through the published properties.
  struct TProp {
    const char* Component;
    const char* Property;
    std::string Expected;
  };
  const TProp Props[] = {
      {"PhoneEdit", "EditMask", "!\\(999\\) 000-0000;1;_"},
      {"PhoneEdit", "Text", "(555) 123-4567"},
      {"NameEdit", "Text", "Anna"},
      {"KindCombo", "Style", "csDropDownList"},
      {"OkButton", "Kind", "bkOK"},
      {"MoreButton", "Layout", "blGlyphRight"},
      {"DatePicker", "CalAlignment", "dtaRight"},
      {"Searching", "CommonAVI", "aviFindFolder"},
      {"Files", "ViewStyle", "vsReport"},
      {"LeftSplitter", "Align", "alLeft"},
      {"Tree", "Align", "alLeft"},
      {"OpenDlg", "DefaultExt", "html"},
      {"ApplyAction", "Caption", "&Apply"},
  };
  for (const TProp& P : Props) {
    TObject* C = Named(P.Component);
    PPropInfo Info = GetPropInfo(C, P.Property);
    ASSERT_NE(Info, nullptr) << P.Component << "." << P.Property;
    const std::string Got =
        Info->PropType->Kind == tkEnumeration ? GetEnumProp(C, P.Property) : GetStrProp(C, P.Property);
    EXPECT_EQ(Got, P.Expected) << P.Component << "." << P.Property;
  }
  auto* Pages = static_cast<TPageControl*>(Named("Pages"));
  EXPECT_EQ(Pages->ActivePage(), Named("StandardSheet"));
  EXPECT_EQ(static_cast<TStatusBar*>(Named("Status"))->Panels()->Count(), 2);
  ASSERT_EQ(Form->Tree->Items()->Count(), 2);
  EXPECT_EQ(Form->Tree->Items()->Item(1)->Text(), "index.html");
  EXPECT_EQ(Form->Tree->Items()->Item(1)->Level(), 1);
  ASSERT_EQ(Form->Files->Items()->Count(), 1);
  EXPECT_EQ(Form->Files->Items()->Item(0)->SubItems()->Strings(0), "12 KB");
  EXPECT_TRUE(static_cast<TButton*>(Named("ApplyButton"))->Default());
  EXPECT_EQ(static_cast<TMenuItem*>(Named("ViewTreeItem"))->Parent(), Named("ViewItem"));
  EXPECT_EQ(Form->GetPopupMenu(), Named("GalleryPopup"));
  // A control forgets a popup menu that is freed.
  delete Named("GalleryPopup");
  EXPECT_EQ(Form->GetPopupMenu(), nullptr);
}

TEST_F(Gallery, TheFormWritesItselfBackToTheSameLayout) {
  const std::string First = LayoutText(Form);
  TMemoryStream Bin;
  Bin.WriteComponent(Form);
  Bin.SetPosition(0);
  // A form of the same class that skips its own layout (no AfterConstruction) reads what the first wrote and
  // writes the same again.
  auto* Copy = new TGalleryForm(nullptr);
  Bin.ReadComponent(Copy);
  EXPECT_EQ(LayoutText(Copy), First);
  EXPECT_EQ(Copy->PhoneEdit, Copy->FindComponent("PhoneEdit"));
  delete Copy;
  // Children are written in the order the layout gave them, whatever their tab order.
  auto At = [&](const char* Name) { return First.find(std::string("object ") + Name + ":"); };
  EXPECT_LT(At("TopPanel"), At("Status"));
  EXPECT_LT(At("Tree"), At("LeftSplitter"));
  EXPECT_LT(At("LeftSplitter"), At("Pages"));
  EXPECT_LT(At("Progress"), At("DatePicker"));
  EXPECT_EQ(static_cast<TWinControl*>(Named("Pages"))->TabOrder(), 2);
  // What is written holds each control's own properties, not only the generic ones.
  for (const char* Line : {"EditMask = '!\\(999\\) 000-0000;1;_'", "CommonAVI = aviFindFolder",
                           "CalAlignment = dtaRight", "Layout = blGlyphRight", "Kind = bkOK", "Items.Data = {",
                           "PopupMenu = GalleryPopup"}) {
    EXPECT_NE(First.find(Line), std::string::npos) << Line;
  }
}

TEST_F(Gallery, TheGalleryIsShownAndSavedAsPng) {
  Form->Show();
  Harness::RunUntilIdle();
  const std::string File = (std::filesystem::temp_directory_path() / "zubq_gallery.png").string();
  ASSERT_TRUE(Harness::SaveWindowPng(Form->Handle(), File));
  EXPECT_GT(std::filesystem::file_size(File), 2000u);
  static_cast<TPageControl*>(Named("Pages"))->SetActivePage(static_cast<TTabSheet*>(Named("CommonSheet")));
  Harness::RunUntilIdle();
  const std::string Common = (std::filesystem::temp_directory_path() / "zubq_gallery_common.png").string();
  ASSERT_TRUE(Harness::SaveWindowPng(Form->Handle(), Common));
}

}  // namespace
