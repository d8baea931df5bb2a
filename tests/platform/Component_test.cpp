// Tests of TComponent: ownership and teardown order, notifications, free notification, names, indexes.
#include "platform/classes/Classes.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>* GLog = nullptr;

void Log(const std::string& S) {
  if (GLog != nullptr) {
    GLog->push_back(S);
  }
}

// A component that records its notifications, its teardown and what it saw while going.
class TProbe : public TComponent {
  Z_CLASS(TProbe, TComponent)
public:
  explicit TProbe(TComponent* AOwner, const std::string& AName = "") : TComponent(AOwner) {
    if (!AName.empty()) {
      SetName(AName);
    }
  }
  ~TProbe() override { Log("free " + Name()); }
  // Logs before the inherited teardown: the component itself is not marked yet, its owned ones are.
  void BeforeDestruction() override {
    Log(std::string("going ") + Name() + (ComponentState().Contains(csDestroying) ? "" : " (not marked)"));
    TComponent::BeforeDestruction();
  }
  TComponent* Ref = nullptr;  // dropped when the referenced component goes
  bool CallInherited = true;

  using TComponent::Loaded;
  using TComponent::SetDesigning;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    Log(Name() + (Operation == opInsert ? " +" : " -") + AComponent->Name() + ":" + AComponent->ClassName() +
        (ComponentState().Contains(csDestroying) ? " (destroying)" : ""));
    if (Operation == opRemove && AComponent == Ref) {
      Ref = nullptr;
    }
    if (CallInherited) {
      TComponent::Notification(AComponent, Operation);
    }
  }
};
Z_IMPLEMENT_CLASS(TProbe, TComponent)

class ComponentTest : public testing::Test {
protected:
  void SetUp() override { GLog = &Lines; }
  void TearDown() override { GLog = nullptr; }
  std::vector<std::string> Lines;
};

using TLines = std::vector<std::string>;

TEST_F(ComponentTest, OwnerFreesItsComponentsLastFirstAfterMarkingThemAll) {
  auto* Owner = new TProbe(nullptr, "Owner");
  new TProbe(Owner, "A");
  auto* B = new TProbe(Owner, "B");
  new TProbe(B, "B1");
  EXPECT_EQ(Owner->ComponentCount(), 2);
  EXPECT_EQ(Owner->Components(1), B);
  EXPECT_EQ(B->ComponentIndex(), 1);
  Lines.clear();
  delete Owner;
  EXPECT_EQ(Lines, (TLines{"going Owner (not marked)", "going B", "going B1", "free B1", "free B", "going A", "free A",
                           "free Owner"}));
}

TEST_F(ComponentTest, InsertionIsAnnouncedWholeAndRemovalToEveryComponentOfTheOwner) {
  auto* Owner = new TProbe(nullptr, "Owner");
  auto* A = static_cast<TProbe*>(TProbe::StaticClass()->NewInstance(Owner));
  A->SetName("A");
  // The owner passes the insertion on to its components, the new one included; it is whole by then.
  EXPECT_EQ(Lines, (TLines{"Owner +:TProbe", " +:TProbe"}));
  auto* B = new TProbe(Owner, "B");
  Lines.clear();
  delete A;
  EXPECT_EQ(Lines, (TLines{"going A (not marked)", "Owner -A:TProbe", "A -A:TProbe (destroying)", "B -A:TProbe",
                           "free A"}));
  Lines.clear();
  Owner->RemoveComponent(B);
  EXPECT_EQ(B->Owner(), nullptr);
  EXPECT_EQ(Owner->ComponentCount(), 0);
  auto* Other = new TProbe(nullptr, "Other");
  Other->InsertComponent(B);
  EXPECT_EQ(Lines, (TLines{"Owner -B:TProbe", "B -B:TProbe", "Other +B:TProbe", "B +B:TProbe"}));
  delete Other;
  delete Owner;
}

TEST_F(ComponentTest, FreeNotificationTellsListenersLastFirstAndUnlinksBothWays) {
  auto* Target = new TProbe(nullptr, "Target");
  auto* L1 = new TProbe(nullptr, "L1");
  auto* L2 = new TProbe(nullptr, "L2");
  L1->Ref = Target;
  L2->Ref = Target;
  Target->FreeNotification(L1);
  Target->FreeNotification(L2);
  Target->FreeNotification(L2);  // once only
  Lines.clear();
  delete Target;
  EXPECT_EQ(Lines, (TLines{"going Target (not marked)", "L2 -Target:TProbe", "L1 -Target:TProbe", "free Target"}));
  EXPECT_EQ(L1->Ref, nullptr);
  EXPECT_EQ(L2->Ref, nullptr);

  // The link runs both ways: the listener going first is forgotten by the target.
  auto* T2 = new TProbe(nullptr, "T2");
  T2->FreeNotification(L1);
  Lines.clear();
  delete L1;
  EXPECT_EQ(Lines, (TLines{"going L1 (not marked)", "T2 -L1:TProbe", "free L1"}));
  Lines.clear();
  delete T2;
  EXPECT_EQ(Lines, (TLines{"going T2 (not marked)", "free T2"}));

  // RemoveFreeNotification drops both directions.
  auto* T3 = new TProbe(nullptr, "T3");
  T3->FreeNotification(L2);
  T3->RemoveFreeNotification(L2);
  Lines.clear();
  delete T3;
  delete L2;
  EXPECT_EQ(Lines, (TLines{"going T3 (not marked)", "free T3", "going L2 (not marked)", "free L2"}));
}

TEST_F(ComponentTest, ListenerThatSkipsInheritedNotificationKeepsNoStaleLink) {
  auto* Target = new TProbe(nullptr, "Target");
  auto* Listener = new TProbe(nullptr, "Listener");
  Listener->CallInherited = false;
  Target->FreeNotification(Listener);
  delete Target;
  Lines.clear();
  delete Listener;  // must not call back into the freed target
  EXPECT_EQ(Lines, (TLines{"going Listener (not marked)", "free Listener"}));
}

TEST_F(ComponentTest, SiblingsReferencingEachOtherHearThroughTheOwner) {
  auto* Owner = new TProbe(nullptr, "Owner");
  auto* A = new TProbe(Owner, "A");
  auto* B = new TProbe(Owner, "B");
  A->Ref = B;
  B->FreeNotification(A);
  Lines.clear();
  delete B;
  EXPECT_EQ(A->Ref, nullptr);
  delete Owner;
}

TEST_F(ComponentTest, NamesAreValidatedAndUniqueIgnoringCase) {
  TProbe Owner(nullptr, "Owner");
  auto* A = new TProbe(&Owner, "Edit1");
  auto* B = new TProbe(&Owner);
  const std::vector<std::pair<std::string, std::string>> Bad = {
      {"1abc", "''1abc'' is not a valid component name"},
      {"a b", "''a b'' is not a valid component name"},
      {"EDIT1", "A component named EDIT1 already exists"},
  };
  for (const auto& [NewName, Message] : Bad) {
    try {
      B->SetName(NewName);
      ADD_FAILURE() << NewName;
    } catch (const EComponentError& E) {
      EXPECT_EQ(E.Message(), Message);
    }
  }
  EXPECT_EQ(B->Name(), "");
  A->SetName("EDIT1");  // its own name in other case is fine
  B->SetName("_x9");
  EXPECT_EQ(Owner.FindComponent("edit1"), A);
  EXPECT_EQ(Owner.FindComponent("_X9"), B);
  EXPECT_EQ(Owner.FindComponent(""), nullptr);
  EXPECT_EQ(UniqueComponentName(&Owner, "Edit"), "Edit2");
  EXPECT_EQ(UniqueComponentName(&Owner, "Button"), "Button1");
  EXPECT_EQ(UniqueComponentName(nullptr, "Edit"), "Edit1");
  B->SetName("");
  EXPECT_THROW(TProbe(&Owner, "edit1"), EComponentError);
  EXPECT_EQ(Owner.ComponentCount(), 2);  // the failed one left
}

TEST_F(ComponentTest, IndexesStatesAndErrors) {
  TProbe Owner(nullptr, "Owner");
  auto* A = new TProbe(&Owner, "A");
  auto* B = new TProbe(&Owner, "B");
  auto* C = new TProbe(&Owner, "C");
  C->SetComponentIndex(-5);
  EXPECT_EQ(Owner.Components(0), C);
  A->SetComponentIndex(99);
  EXPECT_EQ(Owner.Components(2), A);
  EXPECT_EQ(B->ComponentIndex(), 1);
  try {
    Owner.Components(3);
    FAIL();
  } catch (const EListError& E) {
    EXPECT_EQ(E.Message(), "List index out of bounds (3)");
  }
  Owner.SetDesigning(true);
  EXPECT_TRUE(A->ComponentState().Contains(csDesigning));
  auto* D = new TProbe(&Owner, "D");
  EXPECT_TRUE(D->ComponentState().Contains(csDesigning));  // inherits the owner's designing state
  A->SetTag(-42);
  EXPECT_EQ(A->Tag(), -42);
  EXPECT_EQ(A->GetNamePath(), "A");
  EXPECT_TRUE(A->ComponentStyle().Contains(csInheritable));
}

}  // namespace
