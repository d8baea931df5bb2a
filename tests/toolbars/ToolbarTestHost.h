// A plain control that shows a view of an item tree, as toolbars and popup windows do, for the framework's tests.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"
#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tb2view.h"

#include <memory>
#include <string>

namespace TBTest {

// Paints its view's items; the view belongs to the control.
class THost : public TCustomControl {
public:
  explicit THost(TComponent* AOwner) : TCustomControl(AOwner) {}
  TTBView* View = nullptr;

protected:
  void Paint() override {
    if (View) {
      View->DrawSubitems(Canvas());
    }
  }
};

// A view with a chevron item, as toolbars have.
class TChevronView : public TTBView {
public:
  using TTBView::TTBView;
  TTBCustomItem* Chevron = nullptr;
  TTBCustomItem* GetChevronItem() override { return Chevron; }
};

class TChevron : public TTBCustomItem {
public:
  explicit TChevron(TComponent* AOwner) : TTBCustomItem(AOwner) {
    FItemStyle.Include(tbisSubmenu);
    FItemStyle.Include(tbisNoAutoOpen);
  }
  TTBItemViewerClass GetItemViewerClass(TTBView*) override { return &TTBChevronItemViewer::Create; }
};

template <class T> T* Make(TComponent* Owner, const std::string& Name = {}) {
  auto* C = new T(Owner);
  C->AfterConstruction();
  if (!Name.empty()) {
    C->SetName(Name);
  }
  return C;
}

inline TTBItem* AddItem(TComponent* Owner, TTBCustomItem* Parent, const std::string& Caption) {
  auto* I = Make<TTBItem>(Owner);
  I->SetCaption(Caption);
  Parent->Add(I);
  return I;
}

inline TTBSeparatorItem* AddSeparator(TComponent* Owner, TTBCustomItem* Parent) {
  auto* I = Make<TTBSeparatorItem>(Owner);
  Parent->Add(I);
  return I;
}

// Text measures of the toolbar font, as the views measure.
struct TTextMeasure {
  int Height = 0;
  int ExternalLeading = 0;
  int Width(const std::string& S) const {
    HDC DC = GetDC(0);
    HGDIOBJ Old = SelectObject(DC, ToolbarFont()->Handle());
    const int W = GetTextWidth(DC, S, true);
    SelectObject(DC, Old);
    ReleaseDC(0, DC);
    return W;
  }
  TTextMeasure() {
    HDC DC = GetDC(0);
    HGDIOBJ Old = SelectObject(DC, ToolbarFont()->Handle());
    TEXTMETRIC TM;
    GetTextMetrics(DC, &TM);
    Height = TM.tmHeight;
    ExternalLeading = TM.tmExternalLeading;
    SelectObject(DC, Old);
    ReleaseDC(0, DC);
  }
};

}  // namespace TBTest
