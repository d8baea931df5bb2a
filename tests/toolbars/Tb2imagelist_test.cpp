// Tests of toolbar image lists: which list draws for each item state, companion lists, and lists built from a
// bitmap strip that stream without their image data.
#include "toolbars/Tb2imagelist.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/TestHarness.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

template <class T> std::unique_ptr<T> OneColour(TColor Colour) {
  auto L = std::make_unique<T>(nullptr);
  L->SetWidth(4);
  L->SetHeight(4);
  TBitmap B;
  B.SetSize(4, 4);
  B.Canvas()->Brush()->SetColor(Colour);
  B.Canvas()->FillRect(Rect(0, 0, 4, 4));
  L->Add(&B, nullptr);
  return L;
}

TColor Drawn(TTBCustomImageList* L, bool Enabled, bool Selected, bool Checked) {
  TBitmap Dest;
  Dest.SetPixelFormat(pf32bit);
  Dest.SetSize(4, 4);
  Dest.Canvas()->Brush()->SetColor(clWhite);
  Dest.Canvas()->FillRect(Rect(0, 0, 4, 4));
  L->DrawState(Dest.Canvas(), 0, 0, 0, Enabled, Selected, Checked);
  return Dest.Canvas()->Pixels(1, 1);
}

TEST(Tb2imagelist, DisabledThenCheckedThenHot) {
  Harness::Start();
  auto Main = OneColour<TTBImageList>(clRed);
  auto Disabled = OneColour<TImageList>(clLime);
  auto Checked = OneColour<TImageList>(clBlue);
  auto Hot = OneColour<TImageList>(clYellow);
  EXPECT_NE(Drawn(Main.get(), false, false, false), clRed);  // greyed by the list itself
  Main->SetDisabledImages(Disabled.get());
  Main->SetCheckedImages(Checked.get());
  Main->SetHotImages(Hot.get());
  EXPECT_EQ(Drawn(Main.get(), true, false, false), clRed);
  EXPECT_EQ(Drawn(Main.get(), false, true, true), clLime);  // disabled first, in full colour
  EXPECT_EQ(Drawn(Main.get(), true, true, true), clBlue);   // checked before hot
  EXPECT_EQ(Drawn(Main.get(), true, true, false), clYellow);
  // A list is never its own companion; a freed companion is forgotten.
  Main->SetHotImages(Main.get());
  EXPECT_EQ(Main->HotImages(), nullptr);
  Disabled.reset();
  EXPECT_EQ(Main->DisabledImages(), nullptr);
}

TEST(Tb2imagelist, CompanionChangesReachTheListsClients) {
  Harness::Start();
  auto Main = OneColour<TTBImageList>(clRed);
  auto Hot = OneColour<TImageList>(clYellow);
  Main->SetHotImages(Hot.get());
  int Changes = 0;
  TChangeLink Link;
  Link.OnChange = [&Changes](TObject*) { ++Changes; };
  Main->RegisterChanges(&Link);
  TBitmap B;
  B.SetSize(4, 4);
  Hot->Add(&B, nullptr);
  EXPECT_GE(Changes, 1);
  Main->UnRegisterChanges(&Link);
}

class TListRoot : public TComponent {
  Z_CLASS(TListRoot, TComponent)

public:
  using TComponent::TComponent;

protected:
  void GetChildren(TGetChildProc Proc, TComponent*) override {
    for (Integer I = 0; I < ComponentCount(); ++I) {
      Proc(Components(I));
    }
  }
};
Z_IMPLEMENT_CLASS(TListRoot, TComponent)

TEST(Tb2imagelist, AListFromABitmapStripIsRebuiltWhenRead) {
  Harness::Start();
  RegisterClasses({TTBImageList::StaticClass(), TListRoot::StaticClass()});
  TListRoot Root(nullptr);
  auto* List = new TTBImageList(&Root);
  List->AfterConstruction();
  List->SetName("Images");
  List->SetWidth(4);
  List->SetHeight(4);
  TBitmap Strip;
  Strip.SetSize(8, 4);
  Strip.Canvas()->Brush()->SetColor(clRed);
  Strip.Canvas()->FillRect(Rect(0, 0, 4, 4));
  Strip.Canvas()->Brush()->SetColor(clBlue);
  Strip.Canvas()->FillRect(Rect(4, 0, 8, 4));
  Strip.Canvas()->SetPixels(7, 3, clFuchsia);  // the mask colour: see-through
  List->SetImagesBitmap(&Strip);
  EXPECT_EQ(List->Count(), 2);
  TMemoryStream Out;
  Out.WriteComponent(&Root);
  Out.SetPosition(0);
  TListRoot Copy(nullptr);
  Out.ReadComponent(&Copy);
  auto* Read = dynamic_cast<TTBImageList*>(Copy.FindComponent("Images"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->Count(), 2);
  EXPECT_EQ(Drawn(Read, true, false, false), clRed);
  TBitmap Second;
  Second.SetPixelFormat(pf32bit);
  Second.SetSize(4, 4);
  Second.Canvas()->Brush()->SetColor(clWhite);
  Second.Canvas()->FillRect(Rect(0, 0, 4, 4));
  Read->Draw(Second.Canvas(), 0, 0, 1);
  EXPECT_EQ(Second.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(Second.Canvas()->Pixels(3, 3), clWhite);
  // The written form carries the strip and no image data of its own.
  Out.SetPosition(0);
  TStringStream Text("");
  ObjectBinaryToText(&Out, &Text);
  EXPECT_NE(Text.DataString().find("ImagesBitmapData"), std::string::npos) << Text.DataString();
  EXPECT_EQ(Text.DataString().find("Bitmap = {"), std::string::npos) << Text.DataString();
}

}  // namespace
