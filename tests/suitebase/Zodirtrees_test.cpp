// Tree-source registrations by class and edit method, the abstract tree source, and class bitmaps found by name.
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Resources.h"
#include "suitebase/Dorazori.h"
#include "suitebase/Zodirtrees.h"
#include "tests/support/Forms.h"

using namespace Zodir;

namespace {

class TWidgetSource : public TTreeSource {
  Z_CLASS(TWidgetSource, TTreeSource)
public:
  using TTreeSource::TTreeSource;
};
Z_IMPLEMENT_CLASS(TWidgetSource, TTreeSource)

class TPaletteBase : public TComponent {
  Z_CLASS(TPaletteBase, TComponent)
public:
  using TComponent::TComponent;
};
Z_IMPLEMENT_CLASS(TPaletteBase, TComponent)
class TPaletteMiddle : public TPaletteBase {
  Z_CLASS(TPaletteMiddle, TPaletteBase)
public:
  using TPaletteBase::TPaletteBase;
};
Z_IMPLEMENT_CLASS(TPaletteMiddle, TPaletteBase)
class TPaletteLeaf : public TPaletteMiddle {
  Z_CLASS(TPaletteLeaf, TPaletteMiddle)
public:
  using TPaletteMiddle::TPaletteMiddle;
};
Z_IMPLEMENT_CLASS(TPaletteLeaf, TPaletteMiddle)

std::string BitmapBytes(int Width) {
  TBitmap B;
  B.SetSize(Width, 4);
  TMemoryStream Out;
  B.SaveToStream(&Out);
  return std::string(static_cast<const char*>(Out.Memory()), static_cast<std::size_t>(Out.Size()));
}

class TreesTest : public TestSupport::TFormTest {};

TEST_F(TreesTest, DefaultSourcesAreFoundUnderBothEditMethodsAndByDescendants) {
  RegisterDefaultTreeSource(TPaletteMiddle::StaticClass(), TWidgetSource::StaticClass(), "Items");
  EXPECT_EQ(GetRegisteredTreeSource(TPaletteMiddle::StaticClass(), "Items"), TWidgetSource::StaticClass());
  EXPECT_EQ(GetRegisteredTreeSource(TPaletteMiddle::StaticClass(), ""), TWidgetSource::StaticClass());
  EXPECT_EQ(GetRegisteredTreeSource(TPaletteLeaf::StaticClass(), "Items"), TWidgetSource::StaticClass());
  EXPECT_EQ(GetRegisteredTreeSource(TPaletteLeaf::StaticClass(), "Other"), nullptr);
  EXPECT_EQ(GetRegisteredTreeSource(TPaletteBase::StaticClass(), ""), nullptr);
  RegisterTreeSource(TButton::StaticClass(), TWidgetSource::StaticClass(), "Lines");
  EXPECT_EQ(GetRegisteredTreeSource(TButton::StaticClass(), ""), nullptr);  // only under its method

  TWidgetSource Source(nullptr);
  EXPECT_THROW(Source.Clear(), Dorazori::EAbstractError);
  EXPECT_THROW((void)Source.GetDisplayName(1), Dorazori::EAbstractError);
}

TEST_F(TreesTest, AClassWithoutABitmapTakesItsNearestAncestors) {
  static const std::string Base = BitmapBytes(5);
  static const std::string Middle = BitmapBytes(7);
  RegisterResource(RT_BITMAP, "TPALETTEBASE", Base.data(), Base.size());
  RegisterResource(RT_BITMAP, "_TPALETTEMIDDLE", Middle.data(), Middle.size());
  HMODULE Module = 0;
  std::string Name;
  FindObjectBitmapRes(Module, TPaletteLeaf::StaticClass(), "", Name);
  EXPECT_NE(Module, HMODULE(0));
  EXPECT_EQ(Name, "TPaletteBase");  // by name first
  FindObjectBitmapResEx(Module, TPaletteLeaf::StaticClass(), "X", Name);
  EXPECT_EQ(Module, HMODULE(0));  // no "X" names: the last name tried stays
  EXPECT_EQ(Name, "_XTComponent");
  // Without a bitmap by name anywhere up the chain, the "_" names count.
  FindObjectBitmapResEx(Module, TPaletteMiddle::StaticClass(), "", Name);
  EXPECT_EQ(Name, "TPaletteBase");
  static const std::string Own = BitmapBytes(9);
  RegisterResource(RT_BITMAP, "_TWIDGETSOURCE", Own.data(), Own.size());
  FindObjectBitmapResEx(Module, TWidgetSource::StaticClass(), "", Name);
  EXPECT_NE(Module, HMODULE(0));
  EXPECT_EQ(Name, "_TWidgetSource");
  TBitmap Bitmap;
  LoadBitmapForClass(&Bitmap, TPaletteLeaf::StaticClass());
  EXPECT_EQ(Bitmap.Width(), 5);
  FindObjectBitmapRes(Module, nullptr, "", Name);
  EXPECT_EQ(Module, HMODULE(0));
}

}  // namespace
