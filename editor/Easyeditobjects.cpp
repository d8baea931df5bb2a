// Pages, rulers, code templates, the completion popup's settings, wrap rows and the key table.
#include "editor/Easyeditobjects.h"

#include "editor/Easyeditor.h"
#include "platform/controls/Forms.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TEasyCodeTemplate, TCollectionItem, TEasyCodeTemplate::Publish)
Z_IMPLEMENT_CLASS(TEasyCodeTemplates, TOwnedCollection)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyPopupWindow, TPersistent, TEasyPopupWindow::Publish)

TEasyCodeTemplate::TEasyCodeTemplate(TCollection* ACollection)
    : TCollectionItem(ACollection), FCode(std::make_unique<TStringList>()) {}

void TEasyCodeTemplate::Publish(TMetaClass& Meta) {
  TPublisher<TEasyCodeTemplate> P(Meta);
  P.Property("Name", &TEasyCodeTemplate::Name, &TEasyCodeTemplate::Name);
  P.Property("Desc", &TEasyCodeTemplate::Desc, &TEasyCodeTemplate::Desc);
  P.Property("Code", &TEasyCodeTemplate::Code, &TEasyCodeTemplate::SetCode);
}

void TEasyCodeTemplate::Assign(TPersistent* Source) {
  if (auto* T = dynamic_cast<TEasyCodeTemplate*>(Source)) {
    Name = T->Name;
    Desc = T->Desc;
    SetCode(T->Code());
    return;
  }
  TCollectionItem::Assign(Source);
}

TEasyCodeTemplates::TEasyCodeTemplates(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TEasyCodeTemplate::StaticClass()) {}

TEasyPopupWindow::TEasyPopupWindow() : FItems(std::make_unique<TStringList>()) {
  Height = Screen->Height() / 4;
  Width = Screen->Width() / 4;
}

void TEasyPopupWindow::Publish(TMetaClass& Meta) {
  TPublisher<TEasyPopupWindow> P(Meta);
  P.Property("Height", &TEasyPopupWindow::Height, &TEasyPopupWindow::Height);
  P.Property("Width", &TEasyPopupWindow::Width, &TEasyPopupWindow::Width);
  P.Property("SizeAble", &TEasyPopupWindow::SizeAble, &TEasyPopupWindow::SizeAble).Default(false);
  P.Property("AdjustSize", &TEasyPopupWindow::AdjustSize, &TEasyPopupWindow::AdjustSize).Default(true);
}

void TEasyPopupWindow::Assign(TPersistent* Source) {
  if (auto* W = dynamic_cast<TEasyPopupWindow*>(Source)) {
    Height = W->Height;
    Width = W->Width;
    SizeAble = W->SizeAble;
    AdjustSize = W->AdjustSize;
  }
}
