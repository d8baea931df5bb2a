// The node stream: its bytes for known trees, round trips, and damaged or hostile streams.
#include "TreeTestUtil.h"

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"

#include <filesystem>
#include <fstream>

using TreeTest::Dump;

namespace {

using TBytes = std::vector<unsigned char>;

class NodeStream : public TreeTest::TreeFixture {
protected:
  // The written bytes up to the stream's position after writing (what follows is left over, not content).
  TBytes Write() {
    TMemoryStream S;
    Tree->SaveToStream(&S);
    const auto Len = static_cast<std::size_t>(S.Position());
    const auto* P = static_cast<const unsigned char*>(S.Memory());
    return TBytes(P, P + Len);
  }
  void Read(const TBytes& B) {
    TMemoryStream S;
    if (!B.empty()) S.WriteBuffer(B.data(), static_cast<LongInt>(B.size()));
    S.SetPosition(0);
    Tree->LoadFromStream(&S);
  }
};

TEST_F(NodeStream, KnownByteVectors) {
  EXPECT_EQ(Write(), (TBytes{0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0xFE}));
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  EXPECT_EQ(Write(), (TBytes{0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0A, 0x01, 0x61,
                             0xFE, 0xFE}));
  A->SetImageIndex(-1);
  EXPECT_EQ(Write(), (TBytes{0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x01, 0xFF, 0xFF,
                             0xFF, 0xFF, 0x0C, 0x0A, 0x01, 0x61, 0xFE, 0xFE}));
  A->SetImageIndex(0);
  A->SetText(std::string(300, 'x'));
  const TBytes B = Write();
  ASSERT_EQ(B.size(), 2u + 4 + 1 + 4 + 2 + 5 + 300 + 2);
  EXPECT_EQ(TBytes(B.begin() + 11, B.begin() + 18), (TBytes{0x0C, 0x0A, 0xFF, 0x2C, 0x01, 0x00, 0x00}));
  EXPECT_EQ(B[18], 'x');
  EXPECT_EQ(B.back(), 0xFE);
}

TEST_F(NodeStream, WrittenTreeReadsBackTheSame) {
  ZEZTreeNode* G = Items()->Add(nullptr, "Errors");
  G->SetFontStyle(TFontStyles{fsBold});
  G->SetColor(clYellow);
  for (int I = 0; I < 3; ++I) {
    ZEZTreeNode* M = Items()->AddChild(G, "Line " + std::to_string(I) + ": message");
    M->SetImageIndex(I);
    M->SetSelectedIndex(I + 10);
    M->SetNodeType(I == 1 ? ntCheckBox : ntNone);
    M->SetState(I == 1 ? cbGrayed : cbUnchecked);
    M->SetReadOnly(I == 2);
  }
  G->Expand(false);
  Items()->Add(nullptr, "Warnings")->SetStateIndex(3);
  const TBytes First = Write();
  Items()->Clear();
  Read(First);
  ASSERT_EQ(Dump(Items()->GetFirstNode()), "Errors(Line 0: message Line 1: message Line 2: message) Warnings");
  ZEZTreeNode* R = Items()->GetFirstNode();
  EXPECT_TRUE(R->GetExpanded());  // applied after the children exist
  EXPECT_TRUE(R->GetFontStyle().Contains(fsBold));
  EXPECT_FALSE(R->GetParentFont());
  EXPECT_EQ(R->Color(), clYellow);
  EXPECT_FALSE(R->GetParentColor());
  EXPECT_EQ(Items()->GetItem(2)->State(), cbGrayed);
  EXPECT_EQ(Items()->GetItem(2)->NodeType(), ntCheckBox);
  EXPECT_EQ(Items()->GetItem(3)->SelectedIndex(), 12);
  EXPECT_TRUE(Items()->GetItem(3)->GetReadOnly());
  EXPECT_EQ(R->GetNextSibling()->StateIndex(), 3);
  EXPECT_EQ(Items()->GetVisibleCount(), 5);
  EXPECT_EQ(Write(), First);
}

TEST_F(NodeStream, ReadingReplacesTheTreeAndEmptyStreamLeavesIt) {
  Items()->Add(nullptr, "old");
  TMemoryStream Empty;
  Items()->ReadData(&Empty);
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "old");
  Read({});  // loading clears first, whatever the stream holds
  EXPECT_EQ(Items()->GetCount(), 0);
  Items()->Add(nullptr, "old");
  Read({0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0xFE});
  EXPECT_EQ(Items()->GetCount(), 0);
}

// Damaged streams: the nodes read so far stay, the update lock is released, nothing huge is allocated.
struct TDamaged {
  const char* Name;
  TBytes Bytes;
  const char* Kept;  // the tree afterwards
  int Count;         // its node count
};

class DamagedStream : public NodeStream, public ::testing::WithParamInterface<TDamaged> {};

TEST_P(DamagedStream, KeepsWhatWasReadAndUnlocks) {
  Items()->Add(nullptr, "old");
  EXPECT_THROW(Read(GetParam().Bytes), Exception);
  EXPECT_FALSE(Items()->Locked());
  EXPECT_EQ(Dump(Items()->GetFirstNode()), GetParam().Kept);
  EXPECT_EQ(Items()->GetCount(), GetParam().Count);
  // The tree stays usable.
  Items()->Add(nullptr, "new");
  EXPECT_EQ(Items()->GetCount(), GetParam().Count + 1);
  EXPECT_EQ(Items()->GetVisibleCount(), GetParam().Count + 1);
}

const TDamaged DamagedCases[] = {
    {"UnknownClass", {0x00, 0x01, 0x02, 0, 0, 0, 0x00, 0, 0, 0, 0, 0x0C, 0x0A, 0x01, 'a', 0xFE, 0x05, 'T', 'N', 'o', 'p', 'e'}, "a", 1},
    {"NotANodeClass", {0x00, 0x01, 0x01, 0, 0, 0, 0x05, 'T', 'F', 'o', 'n', 't'}, "", 0},
    {"BadKindOfKnownProperty", {0x00, 0x01, 0x01, 0, 0, 0, 0x00, 0, 0, 0, 0, 0x04, 0x63}, "", 1},
    {"EndsInsideAValue", {0x00, 0x01, 0x02, 0, 0, 0, 0x00, 0, 0, 0, 0, 0xFE, 0x00, 0, 0, 0, 0, 0x0C, 0x0A, 0xFF, 0x10}, "", 2},
    {"HugeCount", {0x00, 0x01, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0, 0, 0, 0, 0xFE}, "", 1},
    {"HugeLength", {0x00, 0x01, 0x01, 0, 0, 0, 0x00, 0, 0, 0, 0, 0x0C, 0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, "", 1},
    {"NegativeLength", {0x00, 0x01, 0x01, 0, 0, 0, 0x00, 0, 0, 0, 0, 0x0C, 0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "", 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, DamagedStream, ::testing::ValuesIn(DamagedCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(NodeStream, OddButHarmlessEntriesAreDropped) {
  // Index 13 (a property nodes lack), an index past the table, a kind byte the table does not know for an absent
  // property, an enumeration name the type lacks, and a string for a Boolean property.
  Read({0x00, 0x01, 0x01, 0, 0, 0, 0x00, 0, 0, 0, 0,
        0x0D, 0xFF, 0x01,                           // RightClickSelect := True (absent: dropped)
        0x20, 0x01, 0x05, 0, 0, 0,                  // index 32: dropped
        0x05, 0x03, 0x04, 'n', 'o', 'p', 'e',      // NodeType "nope": left as it was
        0x01, 0x0A, 0x01, 'x',                      // Expanded given a string: dropped
        0x0C, 0x0A, 0x01, 'a', 0xFE, 0xFE});
  ASSERT_EQ(Items()->GetCount(), 1);
  EXPECT_EQ(Items()->GetFirstNode()->GetText(), "a");
  EXPECT_EQ(Items()->GetFirstNode()->NodeType(), ntNone);
}

TEST_F(NodeStream, DeepNestingIsRefused) {
  TBytes B{0x00, 0x01};
  for (int I = 0; I < 100000; ++I) {
    B.insert(B.end(), {0x01, 0, 0, 0, 0x00});
  }
  EXPECT_THROW(Read(B), EReadError);
  EXPECT_FALSE(Items()->Locked());
  EXPECT_GT(Items()->GetCount(), 0);
  Items()->Clear();
  EXPECT_EQ(Items()->GetCount(), 0);
}

TEST_F(NodeStream, FileRoundTrip) {
  Items()->AddChild(Items()->Add(nullptr, "a"), "b");
  const std::string File = ::testing::TempDir() + "tree_nodes.bin";
  Tree->SaveToFile(File);
  Items()->Clear();
  Tree->LoadFromFile(File);
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "a(b)");
  std::filesystem::remove(File);
}

// Every seed of the fuzz corpus reads without crashing: it loads or raises a class library exception.
TEST_F(NodeStream, FuzzSeedsReadCleanly) {
  const std::filesystem::path Dir = std::filesystem::path(ZUBQ_SOURCE_DIR) / "fuzz" / "corpus" / "Nodestream";
  int Seen = 0;
  for (const auto& E : std::filesystem::directory_iterator(Dir)) {
    std::ifstream In(E.path(), std::ios::binary);
    TBytes B((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    try {
      Read(B);
    } catch (const Exception&) {
    }
    EXPECT_FALSE(Items()->Locked()) << E.path();
    ++Seen;
  }
  EXPECT_GE(Seen, 3);
}

}  // namespace

namespace {

// The tree's nodes travel in the layout's "Data" property; an empty tree is the stream of 7 bytes.
TEST_F(NodeStream, LayoutDataPropertyCarriesTheNodes) {
  Tree->SetName("Results");
  ZEZTreeNode* G = Items()->Add(nullptr, "Errors");
  Items()->AddChild(G, "Line 1");
  Tree->SetIndent(12);
  TMemoryStream S;
  S.WriteComponent(Tree);
  const std::string Bytes(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
  EXPECT_NE(Bytes.find("Data"), std::string::npos);
  auto* Copy = new ZEZTree(nullptr);
  Copy->AfterConstruction();
  S.SetPosition(0);
  S.ReadComponent(Copy);
  EXPECT_EQ(Dump(Copy->Items()->GetFirstNode()), "Errors(Line 1)");
  EXPECT_EQ(Copy->Indent(), 12);
  delete Copy;

  ZEZTree* Empty = new ZEZTree(Form);
  Empty->AfterConstruction();
  Empty->SetName("EmptyTree");
  TMemoryStream E;
  E.WriteComponent(Empty);
  const std::string EB(static_cast<const char*>(E.Memory()), static_cast<std::size_t>(E.Size()));
  const std::string Seven("\x07\x00\x00\x00\x00\x01\x00\x00\x00\x00\xFE", 11);  // length 7, then the bytes
  EXPECT_NE(EB.find(Seven), std::string::npos);
}

}  // namespace
