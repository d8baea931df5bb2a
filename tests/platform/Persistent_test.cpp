// Tests of TPersistent assignment and of collections: items, IDs, order, updates, Assign and name paths.
#include "platform/classes/Classes.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TShape : public TPersistent {
  Z_CLASS(TShape, TPersistent)
public:
  int Size = 0;

protected:
  void AssignTo(TPersistent* Dest) override {
    if (auto* D = dynamic_cast<TShape*>(Dest)) {
      D->Size = Size;
      return;
    }
    TPersistent::AssignTo(Dest);
  }
};
Z_IMPLEMENT_CLASS(TShape, TPersistent)

class TColour : public TPersistent {
  Z_CLASS(TColour, TPersistent)
};
Z_IMPLEMENT_CLASS(TColour, TPersistent)

std::string AssignErrorOf(TPersistent* Dest, TPersistent* Source) {
  try {
    Dest->Assign(Source);
  } catch (const EConvertError& E) {
    return E.Message();
  }
  return "no EConvertError";
}

TEST(PersistentTest, AssignGoesThroughAssignToAndReportsMismatches) {
  TShape A;
  TShape B;
  B.Size = 7;
  A.Assign(&B);
  EXPECT_EQ(A.Size, 7);
  TColour C;
  EXPECT_EQ(AssignErrorOf(&A, &C), "Cannot assign a TColour to a TShape");
  EXPECT_EQ(AssignErrorOf(&C, &A), "Cannot assign a TShape to a TColour");
  EXPECT_EQ(AssignErrorOf(&A, nullptr), "Cannot assign a nil to a TShape");
  EXPECT_EQ(A.GetNamePath(), "TShape");
}

class TLog {
public:
  std::vector<std::string> Lines;
  void Add(const std::string& S) { Lines.push_back(S); }
};
TLog* GLog = nullptr;

class TTestItem : public TCollectionItem {
  Z_CLASS(TTestItem, TCollectionItem)
public:
  explicit TTestItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  ~TTestItem() override {
    if (GLog) {
      GLog->Add("free " + Caption);
    }
  }
  std::string Caption = "fresh";
  void SetCaption(const std::string& Value) {
    Caption = Value;
    Changed(false);
  }
  void Assign(TPersistent* Source) override {
    if (auto* S = dynamic_cast<TTestItem*>(Source)) {
      Caption = S->Caption;
      return;
    }
    TCollectionItem::Assign(Source);
  }

protected:
  std::string GetDisplayName() override { return Caption; }
};
Z_IMPLEMENT_CLASS(TTestItem, TCollectionItem)

class TTestCollection : public TOwnedCollection {
  Z_CLASS(TTestCollection, TOwnedCollection)
public:
  TTestCollection(TPersistent* AOwner, TLog& ALog)
      : TOwnedCollection(AOwner, TTestItem::StaticClass()), FLog(ALog) {}

protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    static const char* Names[] = {"added", "extracting", "deleting"};
    // The item is whole here: its class and display name are its own.
    FLog.Add(std::string(Names[Action]) + " " + Item->ClassName() + " " + Item->DisplayName());
  }
  void Update(TCollectionItem* Item) override {
    FLog.Add(Item ? "update " + Item->DisplayName() : "update all");
  }

private:
  TLog& FLog;
};

Z_IMPLEMENT_CLASS(TTestCollection, TOwnedCollection)

std::string Captions(TCollection& C) {
  std::string S;
  for (Integer I = 0; I < C.Count(); ++I) {
    S += (I ? "," : "") + C.Items(I)->DisplayName() + "#" + std::to_string(C.Items(I)->ID());
  }
  return S;
}

TEST(CollectionTest, AddDeleteAndMoveItemsWithStableIds) {
  TLog Log;
  TTestCollection C(nullptr, Log);
  for (const char* Name : {"a", "b", "c"}) {
    static_cast<TTestItem*>(C.Add())->Caption = Name;
  }
  EXPECT_EQ(Log.Lines[0], "added TTestItem fresh");
  EXPECT_EQ(Log.Lines[1], "update all");
  C.Delete(1);
  C.Add()->SetIndex(0);
  static_cast<TTestItem*>(C.Items(0))->Caption = "d";
  EXPECT_EQ(Captions(C), "d#3,a#0,c#2");  // IDs are never reused
  EXPECT_EQ(C.FindItemID(2)->DisplayName(), "c");
  EXPECT_EQ(C.FindItemID(1), nullptr);
  EXPECT_EQ(C.Items(2)->Index(), 2);

  C.Insert(1);
  EXPECT_EQ(Captions(C), "d#3,fresh#4,a#0,c#2");
  EXPECT_THROW(C.Items(4), EListError);
  EXPECT_THROW(C.Items(0)->SetIndex(9), EListError);
  EXPECT_EQ(C.Count(), 4);

  TCollectionItem* Last = C.Items(3);
  delete Last;  // an item freed on its own leaves its collection
  EXPECT_EQ(Captions(C), "d#3,fresh#4,a#0");
}

TEST(CollectionTest, NotificationsAreHeldBackDuringUpdates) {
  TLog Log;
  TTestCollection C(nullptr, Log);
  auto* Item = static_cast<TTestItem*>(C.Add());
  Log.Lines.clear();
  Item->SetCaption("x");
  EXPECT_EQ(Log.Lines, (std::vector<std::string>{"update x"}));
  Log.Lines.clear();

  C.BeginUpdate();
  Item->SetCaption("y");
  C.Add();
  C.Delete(0);
  C.EndUpdate();
  EXPECT_EQ(Log.Lines, (std::vector<std::string>{"added TTestItem fresh", "deleting TTestItem y",
                                                 "extracting TTestItem y", "update all"}));
}

TEST(CollectionTest, AssignCopiesItemsAndFreeingFreesThem) {
  TLog Log;
  GLog = &Log;
  auto* Src = new TTestCollection(nullptr, Log);
  static_cast<TTestItem*>(Src->Add())->Caption = "one";
  static_cast<TTestItem*>(Src->Add())->Caption = "two";
  auto* Dst = new TTestCollection(nullptr, Log);
  static_cast<TTestItem*>(Dst->Add())->Caption = "old";
  Log.Lines.clear();
  Dst->Assign(Src);
  EXPECT_EQ(Captions(*Dst), "one#1,two#2");
  EXPECT_EQ(Log.Lines.back(), "update all");  // one update for the whole assignment
  EXPECT_EQ(AssignErrorOf(Dst, nullptr), "Cannot assign a nil to a TTestCollection");

  Log.Lines.clear();
  delete Dst;
  EXPECT_EQ(Log.Lines, (std::vector<std::string>{"extracting TTestItem two", "free two",
                                                 "extracting TTestItem one", "free one"}));
  delete Src;
  GLog = nullptr;
}

TEST(CollectionTest, NamePathsFollowTheOwner) {
  class TNamedOwner : public TPersistent {
  public:
    std::string GetNamePath() override { return "Form1.Grid"; }
  };
  TLog Log;
  TNamedOwner Owner;
  TTestCollection C(&Owner, Log);
  C.Add();
  C.Add();
  EXPECT_EQ(C.Items(1)->GetNamePath(), "TTestCollection[1]");  // no property name yet
  C.SetPropName("Columns");
  EXPECT_EQ(C.GetNamePath(), "Form1.Grid.Columns");
  EXPECT_EQ(C.Items(1)->GetNamePath(), "Form1.Grid.Columns[1]");
  TCollection Plain(TTestItem::StaticClass());
  EXPECT_EQ(Plain.GetNamePath(), "TCollection");
}

TEST(CollectionTest, ItemsCreatedWithNewJoinAtOnceAndAnnounceOnAfterConstruction) {
  TLog Log;
  TTestCollection C(nullptr, Log);
  auto* Item = new TTestItem(&C);
  EXPECT_EQ(C.Count(), 1);
  EXPECT_TRUE(Log.Lines.empty());
  Item->AfterConstruction();
  EXPECT_EQ(Log.Lines, (std::vector<std::string>{"added TTestItem fresh", "update all"}));

  TTestCollection Other(nullptr, Log);
  Item->SetCollection(&Other);
  EXPECT_EQ(C.Count(), 0);
  EXPECT_EQ(Other.Items(0), Item);
  EXPECT_EQ(Item->Collection(), &Other);
}

}  // namespace
