// The parser base's listeners and the code designer registry.
#include "suitebase/Dorazori.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dorazori;

namespace {
class TPlainParser : public TSimpleParser {
public:
  explicit TPlainParser(TComponent* AOwner) : TSimpleParser(AOwner) {}
  Integer ColorString(const std::string&, Integer State, std::string&) override { return State; }
  void Changed() { ChangeListeners->NotifyEvents(this, 1, 2); }
};

// A component listening to a parser; counts the parser's removal notices and may unregister a listener (itself)
// while it hears one.
class TListenerComponent : public TComponent {
public:
  explicit TListenerComponent(TComponent* AOwner) : TComponent(AOwner) {}
  void OnParserChange(TObject*, NativeInt, NativeInt) { ++Changes; }
  TNotifierProc Method() { return TNotifierProc::Of<&TListenerComponent::OnParserChange>(this); }
  int Changes = 0;
  int Removals = 0;
  TSimpleParser* Watched = nullptr;
  TListenerComponent* DropOnRemoval = nullptr;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Watched) {
      ++Removals;
      if (DropOnRemoval != nullptr) {
        Watched->UnRegisterNotifier(DropOnRemoval->Method());
      }
    }
  }
};

class TDesignerA : public TCodeDesigner {
  Z_CLASS(TDesignerA, TCodeDesigner)
public:
  using TCodeDesigner::TCodeDesigner;
};
class TDesignerB : public TCodeDesigner {
  Z_CLASS(TDesignerB, TCodeDesigner)
public:
  using TCodeDesigner::TCodeDesigner;
};
}  // namespace

Z_IMPLEMENT_CLASS(TDesignerA, TCodeDesigner)
Z_IMPLEMENT_CLASS(TDesignerB, TCodeDesigner)

TEST(Dorazori, ListenerIsHeldOnceAndUnregisteredOnce) {
  TPlainParser Parser(nullptr);
  TListenerComponent L(nullptr);
  Parser.RegisterNotifier(L.Method());
  Parser.RegisterNotifier(L.Method());
  EXPECT_EQ(Parser.ChangeListeners->Count(), 1);
  Parser.Changed();
  EXPECT_EQ(L.Changes, 1);
  Parser.UnRegisterNotifier(L.Method());
  EXPECT_EQ(Parser.ChangeListeners->Count(), 0);
  Parser.UnRegisterNotifier(L.Method());  // absent: nothing happens
}

TEST(Dorazori, ListenerComponentGoingLeavesTheList) {
  TPlainParser Parser(nullptr);
  auto* L = new TListenerComponent(nullptr);
  Parser.RegisterNotifier(L->Method());
  delete L;
  EXPECT_EQ(Parser.ChangeListeners->Count(), 0);
  Parser.Changed();
}

TEST(Dorazori, DestroyedParserTellsEachListenerOnceEvenWhenListenersLeaveDuringTheWalk) {
  auto* Parser = new TPlainParser(nullptr);
  TListenerComponent A(nullptr), B(nullptr), Gone(nullptr);
  for (TListenerComponent* L : {&A, &B, &Gone}) {
    L->Watched = Parser;
  }
  Parser->RegisterNotifier(A.Method());
  Parser->RegisterNotifier(B.Method());
  A.DropOnRemoval = &A;  // each takes its own method out while it hears of the end
  B.DropOnRemoval = &B;
  Parser->RegisterNotifier(Gone.Method());
  Parser->UnRegisterNotifier(Gone.Method());  // no longer a listener: not told
  delete Parser;
  EXPECT_EQ(A.Removals, 1);
  EXPECT_EQ(B.Removals, 1);
  EXPECT_EQ(Gone.Removals, 0);
}

TEST(Dorazori, BaseDefaults) {
  TPlainParser Parser(nullptr);
  std::string Colors = "xyz";
  Parser.PrepareColorData(0, "", Colors);
  EXPECT_EQ(Colors, "");
  Parser.PrepareColorData(0, "ab", Colors);
  EXPECT_EQ(Colors, std::string(2, '\0'));
  TColor Color = 5;
  EXPECT_FALSE(Parser.GetBackColor(0, Color));
  EXPECT_EQ(Color, 5);
  EXPECT_FALSE(Parser.StoreColorData());

  TCodeDesigner Designer(nullptr);
  EXPECT_EQ(Designer.GetDelimiters(), "/{}+-*():=,;><$.#[]^@&~|%'");
  EXPECT_EQ(Designer.GetDelimiters().size(), 26u);
  EXPECT_FALSE(Designer.AutoFillUses());
  EXPECT_EQ(Designer.GetSyntaxParserClass(), nullptr);
  EXPECT_THROW(Designer.DeleteEmptyMethods(), EAbstractError);
  int ShownX = -1, ShownY = -1;
  Designer.SetOnShowSource([&](TObject*, Integer X, Integer Y) {
    ShownX = X;
    ShownY = Y;
  });
  Designer.ShowSource(3, 7);
  EXPECT_EQ(ShownX, 3);
  EXPECT_EQ(ShownY, 7);
}

TEST(Dorazori, CodeDesignerRegistry) {
  RegisterUnitCodeDesigner(TDesignerA::StaticClass(), "pasx");
  RegisterUnitCodeDesigner(TDesignerB::StaticClass(), "pasx");  // later: loses to A
  RegisterFormCodeDesigner(TDesignerB::StaticClass(), "pasx");
  RegisterUnitCodeDesigner(TDesignerB::StaticClass(), ".dotx");  // never found: dots go from queries only
  EXPECT_EQ(GetUnitCodeDesignerClass("pasx"), TDesignerA::StaticClass());
  EXPECT_EQ(GetUnitCodeDesignerClass(".pasx"), TDesignerA::StaticClass());
  EXPECT_EQ(GetUnitCodeDesignerClass("PASX"), TDesignerA::StaticClass());
  EXPECT_EQ(GetFormCodeDesignerClass("pasx"), TDesignerB::StaticClass());
  EXPECT_EQ(GetUnitCodeDesignerClass(".dotx"), nullptr);
  EXPECT_EQ(GetUnitCodeDesignerClass("dotx"), nullptr);
  EXPECT_EQ(GetFormCodeDesignerClass("none"), nullptr);
}
