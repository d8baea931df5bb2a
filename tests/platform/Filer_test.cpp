// Tests of component streaming: the binary form written and read back, default suppression, exact bytes,
// the text form both ways, reader errors, reference fix-ups and descendants written against an ancestor.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {
enum TShape { shCircle, shSquare, shTriangle };
}
Z_ENUM_TYPEINFO(TShape, "shCircle", "shSquare", "shTriangle")

namespace {
using TShapes = TSet<TShape, shTriangle>;
std::vector<std::string> GLoadedLog;

class TPen : public TPersistent {
  Z_CLASS(TPen, TPersistent)
public:
  int FWidth = 1;
  std::string FStyle;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TPen> P(Meta);
    P.Property("Width", &TPen::FWidth, &TPen::FWidth).Default(1);
    P.Property("Style", &TPen::FStyle, &TPen::FStyle);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TPen, TPersistent, TPen::Publish)

class TItem : public TCollectionItem {
  Z_CLASS(TItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  std::string FCaption;
  int FValue = 0;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TItem> P(Meta);
    P.Property("Caption", &TItem::FCaption, &TItem::FCaption);
    P.Property("Value", &TItem::FValue, &TItem::FValue).Default(0);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TItem, TCollectionItem, TItem::Publish)

class TGadget : public TComponent {
  Z_CLASS(TGadget, TComponent)
public:
  explicit TGadget(TComponent* AOwner)
      : TComponent(AOwner), FPen(new TPen), FItems(new TCollection(TItem::StaticClass())), FLines(new TStringList) {}
  ~TGadget() override {
    delete FPen;
    delete FItems;
    delete FLines;
  }

  int FCount = 0;
  TShape FShape = shCircle;
  bool FVisible = true;
  char FLetter = 'a';
  double FRatio = 0;
  float FScale = 0;
  Currency FPrice = 0;
  TDateTime FWhen = 0;
  Int64 FBig = 0;
  std::string FCaption;
  TShapes FShapes;
  TPen* FPen;
  TCollection* FItems;
  TStringList* FLines;
  TGadget* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  Variant FExtra;
  std::string FBlob;
  bool FBuddyAtLoaded = false;

  TPen* GetPen() const { return FPen; }
  TCollection* GetItems() const { return FItems; }
  TStringList* GetLines() const { return FLines; }
  void SetLines(TStringList* Value) { FLines->Assign(Value); }

  static void Publish(TMetaClass& Meta) {
    TPublisher<TGadget> P(Meta);
    P.Property("Count", &TGadget::FCount, &TGadget::FCount).Default(0);
    P.Property("Shape", &TGadget::FShape, &TGadget::FShape).Default(shCircle);
    P.Property("Visible", &TGadget::FVisible, &TGadget::FVisible).Default(true);
    P.Property("Letter", &TGadget::FLetter, &TGadget::FLetter).Default('a');
    P.Property("Ratio", &TGadget::FRatio, &TGadget::FRatio);
    P.Property("Scale", &TGadget::FScale, &TGadget::FScale);
    P.Property("Price", &TGadget::FPrice, &TGadget::FPrice).Type(TypeInfoCurrency());
    P.Property("When", &TGadget::FWhen, &TGadget::FWhen).Type(TypeInfoDateTime());
    P.Property("Big", &TGadget::FBig, &TGadget::FBig);
    P.Property("Caption", &TGadget::FCaption, &TGadget::FCaption);
    P.Property("Shapes", &TGadget::FShapes, &TGadget::FShapes);
    P.Property("Pen", &TGadget::GetPen, nullptr);
    P.Property("Items", &TGadget::GetItems, nullptr);
    P.Property("Lines", &TGadget::GetLines, &TGadget::SetLines);
    P.Property("Buddy", &TGadget::FBuddy, &TGadget::FBuddy);
    P.Property("OnClick", &TGadget::FOnClick, &TGadget::FOnClick);
    P.Property("Extra", &TGadget::FExtra, &TGadget::FExtra);
  }

protected:
  void DefineProperties(TFiler* Filer) override {
    inherited::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "Data",
        [this](TStream* S) {
          FBlob.resize(static_cast<std::size_t>(S->Size()));
          S->ReadBuffer(FBlob.data(), static_cast<LongInt>(FBlob.size()));
        },
        [this](TStream* S) { S->WriteBuffer(FBlob.data(), static_cast<LongInt>(FBlob.size())); }, !FBlob.empty());
  }
  void Loaded() override {
    inherited::Loaded();
    FBuddyAtLoaded = FBuddy != nullptr;
    GLoadedLog.push_back(Name() + (ComponentState().Contains(csLoading) ? "+loading" : ""));
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TGadget, TComponent, TGadget::Publish)

// A root whose children are the components it owns.
class TBoard : public TComponent {
  Z_CLASS(TBoard, TComponent)
public:
  using TComponent::TComponent;
  int FClicks = 0;
  void GadgetClick(TObject*) { ++FClicks; }
  static void Publish(TMetaClass& Meta) {
    TPublisher<TBoard> P(Meta);
    P.Method("GadgetClick", &TBoard::GadgetClick);
  }

protected:
  void GetChildren(TGetChildProc Proc, TComponent*) override {
    for (Integer I = 0; I < ComponentCount(); ++I) {
      Proc(Components(I));
    }
  }
  void Loaded() override {
    inherited::Loaded();
    GLoadedLog.push_back(Name());
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TBoard, TComponent, TBoard::Publish)

const bool Registered = (RegisterClasses({TBoard::StaticClass(), TGadget::StaticClass()}), true);

std::string Bytes(TMemoryStream& S) {
  return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

std::string BinaryOf(TComponent* C) {
  TMemoryStream S;
  S.WriteComponent(C);
  return Bytes(S);
}

std::string TextOf(const std::string& Binary) {
  TStringStream In(Binary);
  TStringStream Out;
  ObjectBinaryToText(&In, &Out);
  return Out.DataString();
}

std::string BinaryOfText(const std::string& Text) {
  TStringStream In(Text);
  TStringStream Out;
  ObjectTextToBinary(&In, &Out);
  return Out.DataString();
}

std::string Lines(std::initializer_list<const char*> L) {
  std::string S;
  for (const char* Line : L) {
    S += Line;
    S += "\r\n";
  }
  return S;
}

// A board "Board1" with two gadgets; G1 has a value of every kind, G2 refers back to it.
struct TFixture {
  TBoard Board{nullptr};
  TGadget* G1 = new TGadget(&Board);
  TGadget* G2 = new TGadget(&Board);
  TFixture() {
    (void)Registered;
    Board.SetName("Board1");
    G1->SetName("G1");
    G2->SetName("G2");
    G1->FCount = -5;
    G1->FShape = shTriangle;
    G1->FVisible = false;
    G1->FLetter = 'z';
    G1->FRatio = 1.5;
    G1->FScale = 0.25f;
    G1->FPrice = 12.34;
    G1->FWhen = 45000.5;
    G1->FBig = Int64(1) << 40;
    G1->FCaption = "A long caption that goes past the sixty-four character limit of one line\r\nand \xE9t\xE9";
    G1->FShapes = {shCircle, shTriangle};
    G1->FPen->FWidth = 3;
    static_cast<TItem*>(G1->FItems->Add())->FCaption = "first";
    static_cast<TItem*>(G1->FItems->Items(0))->FValue = 1;
    static_cast<TItem*>(G1->FItems->Add())->FCaption = "it's";
    G1->FLines->Add("one");
    G1->FLines->Add("two");
    G1->FBuddy = G2;
    SetMethodProp(G1, "OnClick", TMethod{MethodAddress(TBoard::StaticClass(), "GadgetClick"), &Board});
    G1->FExtra = Variant("x");
    for (int I = 0; I < 40; ++I) {
      G1->FBlob += static_cast<char>(I);
    }
    G2->FBuddy = G1;
  }
};

TEST(FilerTest, EveryKindOfPropertyComesBackEqual) {
  TFixture F;
  TMemoryStream S;
  S.WriteComponent(&F.Board);
  S.SetPosition(0);
  GLoadedLog.clear();
  std::unique_ptr<TComponent> Copy(S.ReadComponent(nullptr));
  auto* Board = dynamic_cast<TBoard*>(Copy.get());
  ASSERT_NE(Board, nullptr);
  EXPECT_EQ(Board->Name(), "Board1");
  ASSERT_EQ(Board->ComponentCount(), 2);
  auto* G1 = dynamic_cast<TGadget*>(Board->FindComponent("G1"));
  auto* G2 = dynamic_cast<TGadget*>(Board->FindComponent("G2"));
  ASSERT_NE(G1, nullptr);
  ASSERT_NE(G2, nullptr);
  EXPECT_EQ(G1->FCount, -5);
  EXPECT_EQ(G1->FShape, shTriangle);
  EXPECT_FALSE(G1->FVisible);
  EXPECT_EQ(G1->FLetter, 'z');
  EXPECT_EQ(G1->FRatio, 1.5);
  EXPECT_EQ(G1->FScale, 0.25f);
  EXPECT_EQ(G1->FPrice, 12.34);
  EXPECT_EQ(G1->FWhen, 45000.5);
  EXPECT_EQ(G1->FBig, Int64(1) << 40);
  EXPECT_EQ(G1->FCaption, F.G1->FCaption);
  EXPECT_EQ(G1->FShapes, (TShapes{shCircle, shTriangle}));
  EXPECT_EQ(G1->FPen->FWidth, 3);
  ASSERT_EQ(G1->FItems->Count(), 2);
  EXPECT_EQ(static_cast<TItem*>(G1->FItems->Items(0))->FCaption, "first");
  EXPECT_EQ(static_cast<TItem*>(G1->FItems->Items(0))->FValue, 1);
  EXPECT_EQ(static_cast<TItem*>(G1->FItems->Items(1))->FCaption, "it's");
  EXPECT_EQ(G1->FLines->Text(), F.G1->FLines->Text());
  EXPECT_EQ(VarToStr(G1->FExtra), "x");
  EXPECT_EQ(G1->FBlob, F.G1->FBlob);
  // References: G1's to G2 was read before G2 existed; G2's back to G1 after.
  EXPECT_EQ(G1->FBuddy, G2);
  EXPECT_EQ(G2->FBuddy, G1);
  // The event is bound to the new board's method, by name.
  ASSERT_TRUE(static_cast<bool>(G1->FOnClick));
  G1->FOnClick(G1);
  EXPECT_EQ(Board->FClicks, 1);
  EXPECT_EQ(GetMethodProp(G1, "OnClick").Data, Board);
  // Loaded once per component, in reading order, after the fix-ups, and csLoading is gone afterwards.
  EXPECT_EQ(GLoadedLog, (std::vector<std::string>{"Board1", "G1", "G2"}));
  EXPECT_TRUE(G1->FBuddyAtLoaded);
  EXPECT_FALSE(G1->ComponentState().Contains(csLoading));
  EXPECT_FALSE(G1->ComponentState().Contains(csReading));
  // Written again, the copy gives the same bytes.
  EXPECT_EQ(BinaryOf(Board), BinaryOf(&F.Board));
}

TEST(FilerTest, ExactBytesAndDefaultsLeftOut) {
  // A set without a declared default is always written, even empty (as a font's style is); a collection
  // is always written when there is no ancestor.
  struct TCase {
    const char* Label;
    std::function<void(TGadget&)> Setup;
    std::string Expected;
  } Cases[] = {
      {"all defaults", [](TGadget&) {},
       std::string("TPF0\x07TGadget\x00\x06Shapes\x0B\x00\x05Items\x0E\x00\x00\x00", 32)},
      {"some values",
       [](TGadget& G) {
         G.SetName("G");
         G.FCount = 300;
         G.FVisible = false;
         G.FCaption = "Hi";
         G.FShapes = {shSquare};
         G.FBig = 0x100000000LL;
         G.FPen->FStyle = "dot";
       },
       std::string("TPF0\x07TGadget\x01G"
                   "\x05" "Count\x03\x2C\x01"
                   "\x07" "Visible\x08"
                   "\x03" "Big\x13\x00\x00\x00\x00\x01\x00\x00\x00"
                   "\x07" "Caption\x06\x02Hi"
                   "\x06" "Shapes\x0B\x08shSquare\x00"
                   "\x09" "Pen.Style\x06\x03" "dot"
                   "\x05" "Items\x0E\x00"
                   "\x00\x00",
                   100)},
  };
  for (const auto& C : Cases) {
    TGadget G(nullptr);
    C.Setup(G);
    EXPECT_EQ(BinaryOf(&G), C.Expected) << C.Label;
  }
}

TEST(FilerTest, IntegersTakeTheSmallestTag) {
  struct TCase {
    Int64 Value;
    std::string Bytes;
  } Cases[] = {
      {127, std::string("\x02\x7F", 2)},
      {-128, std::string("\x02\x80", 2)},
      {128, std::string("\x03\x80\x00", 3)},
      {-32769, std::string("\x04\xFF\x7F\xFF\xFF", 5)},
      {Int64(1) << 31, std::string("\x13\x00\x00\x00\x80\x00\x00\x00\x00", 9)},
  };
  for (const auto& C : Cases) {
    TStringStream S;
    TWriter W(&S);
    W.WriteInteger(C.Value);
    EXPECT_EQ(S.DataString(), C.Bytes) << C.Value;
    S.SetPosition(0);
    TReader R(&S);
    EXPECT_EQ(R.ReadInt64(), C.Value);
  }
}

TEST(FilerTest, ExtendedValuesConvertExactly) {
  struct TCase {
    double Value;
    const char* Hex;  // the ten bytes, little-endian
  } Cases[] = {
      {1.0, "0000000000000080FF3F"},
      {-2.5, "00000000000000A000C0"},
      {0.0, "00000000000000000000"},
      {4.9406564584124654e-324, "0000000000000080CD3B"},  // the smallest subnormal double
      {HUGE_VAL, "0000000000000080FF7F"},
  };
  for (const auto& C : Cases) {
    Byte B[10];
    DoubleToExtended80(C.Value, B);
    std::string Hex;
    for (Byte X : B) {
      Hex += IntToHex(X, 2);
    }
    EXPECT_EQ(Hex, C.Hex) << C.Value;
    EXPECT_EQ(Extended80ToDouble(B), C.Value) << C.Hex;
  }
  // Bits beyond a double's precision round to nearest.
  const Byte OnePlusTiny[10] = {0x10, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(Extended80ToDouble(OnePlusTiny), 1.0);
  const Byte NaN[10] = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F};
  EXPECT_TRUE(std::isnan(Extended80ToDouble(NaN)));
}

TEST(FilerTest, TextFormBothWaysGivesTheSameBytes) {
  TFixture F;
  const std::string Binary = BinaryOf(&F.Board);
  const std::string Expected = Lines({
      "object Board1: TBoard",
      "  object G1: TGadget",
      "    Count = -5",
      "    Shape = shTriangle",
      "    Visible = False",
      "    Letter = 'z'",
      "    Ratio = 1.500000000000000000",
      "    Scale = 0.250000000000000000s",
      "    Price = 12.34c",
      "    When = 45000.500000000000000000d",
      "    Big = 1099511627776",
      "    Caption = ",
      "      'A long caption that goes past the sixty-four character limit of ' +",
      "      'one line'#13#10'and '#233't'#233",
      "    Shapes = [shCircle, shTriangle]",
      "    Pen.Width = 3",
      "    Items = <",
      "      item",
      "        Caption = 'first'",
      "        Value = 1",
      "      end",
      "      item",
      "        Caption = 'it'#39's'",
      "      end>",
      "    Lines.Strings = (",
      "      'one'",
      "      'two')",
      "    Buddy = G2",
      "    OnClick = GadgetClick",
      "    Extra = 'x'",
      "    Data = {",
      "      000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F",
      "      2021222324252627}",
      "  end",
      "  object G2: TGadget",
      "    Shapes = []",
      "    Items = <>",
      "    Buddy = G1",
      "  end",
      "end",
  });
  EXPECT_EQ(TextOf(Binary), Expected);
  EXPECT_EQ(BinaryOfText(Expected), Binary);
}

TEST(FilerTest, TextReaderAcceptsTheLibrarysOtherSpellings) {
  // Hex numbers, doubled quotes, strings joined with +, blank lines, header flags and child positions.
  const std::string Text =
      "inline G: TGadget [2]\n"
      "  Count = $10\n"
      "\n"
      "  Caption = 'it''s' +\n"
      "     ' ok'#$41\n"
      "  Ratio = 1E3\n"
      "  Shapes = []\n"
      "  Extra = nil\n"
      "end\n";
  const std::string Binary = BinaryOfText(Text);
  EXPECT_EQ(Binary, std::string("TPF0\xF6\x02\x02\x07TGadget\x01G"
                                "\x05" "Count\x02\x10"
                                "\x07" "Caption\x06\x08it's okA"
                                "\x05" "Ratio\x05\x00\x00\x00\x00\x00\x00\x00\xFA\x08\x40"
                                "\x06" "Shapes\x0B\x00"
                                "\x05" "Extra\x0D"
                                "\x00\x00",
                                78));
  EXPECT_EQ(TextOf(Binary), Lines({"inline G: TGadget [2]", "  Count = 16", "  Caption = 'it'#39's okA'",
                                   "  Ratio = 1000.000000000000000000", "  Shapes = []", "  Extra = nil", "end"}));

  // Collection items may carry an order index, which the reader passes over.
  const std::string Indexed = Lines({"object G: TGadget", "  Items = <", "    item [3]", "      Value = 2",
                                     "    end", "    item", "    end>", "end"});
  const std::string IndexedBinary = BinaryOfText(Indexed);
  EXPECT_EQ(TextOf(IndexedBinary), Indexed);
  TGadget G(nullptr);
  TStringStream S(IndexedBinary);
  S.ReadComponent(&G);
  ASSERT_EQ(G.FItems->Count(), 2);
  EXPECT_EQ(static_cast<TItem*>(G.FItems->Items(0))->FValue, 2);
}

TEST(FilerTest, TextErrorsNameTheLine) {
  struct TCase {
    const char* Text;
    const char* Message;
  } Cases[] = {
      {"object A: TGadget\n  Count 5\nend\n", "'=' expected on line 2"},
      {"object A: TGadget\n  Caption = 'open\nend\n", "Invalid string constant on line 2"},
      {"object A: TGadget\n  Data = {0G}\nend\n", "Invalid binary value on line 2"},
      {"thing A: TGadget\nend\n", "'object' expected on line 1"},
      {"object A: TGadget\n  Count = 1\n", "'end' expected on line 3"},
  };
  for (const auto& C : Cases) {
    try {
      BinaryOfText(C.Text);
      ADD_FAILURE() << C.Text;
    } catch (const EParserError& E) {
      EXPECT_EQ(E.Message(), C.Message);
    }
  }
}

TEST(FilerTest, ReaderErrorsUseTheLibraryTexts) {
  struct TCase {
    const char* Label;
    std::string Binary;
    const char* Message;
  } Cases[] = {
      {"signature", "XPF0", "Invalid stream format"},
      {"unknown property", BinaryOfText("object B: TBoard\n object G: TGadget\n  Nope = 1\n end\nend\n"),
       "Error reading G.Nope: Property Nope does not exist"},
      {"wrong type", BinaryOfText("object B: TBoard\n object G: TGadget\n  Count = 'x'\n end\nend\n"),
       "Error reading G.Count: Invalid property value"},
      {"unknown enum", BinaryOfText("object B: TBoard\n object G: TGadget\n  Shape = shBlob\n end\nend\n"),
       "Error reading G.Shape: Invalid property value"},
      {"unknown method", BinaryOfText("object B: TBoard\n object G: TGadget\n  OnClick = Missing\n end\nend\n"),
       "Error reading G.OnClick: Invalid property value"},
      {"bad path", BinaryOfText("object B: TBoard\n object G: TGadget\n  Caption.X = 1\n end\nend\n"),
       "Error reading G.Caption.X: Property Caption does not exist"},
      {"unknown class", BinaryOfText("object B: TBoard\n object G: TNoSuchClass\n end\nend\n"),
       "Class TNoSuchClass not found"},
      {"truncated", BinaryOfText("object B: TBoard\n  Tag = 1\nend\n").substr(0, 12), "Stream read error"},
  };
  for (const auto& C : Cases) {
    TBoard Board(nullptr);
    TStringStream S(C.Binary);
    try {
      S.ReadComponent(&Board);
      ADD_FAILURE() << C.Label;
    } catch (const EFilerError& E) {
      EXPECT_EQ(E.Message(), C.Message) << C.Label;
    } catch (const EStreamError& E) {
      EXPECT_EQ(E.Message(), C.Message) << C.Label;
    }
    // A component whose reading failed is gone again.
    EXPECT_EQ(Board.ComponentCount(), 0) << C.Label;
  }
}

TEST(FilerTest, HandledErrorsSkipThePropertyAndGoOn) {
  const std::string Binary = BinaryOfText(
      "object B: TBoard\n object G: TGadget\n  Nope = (1 'two' [a])\n  Count = 'x'\n  Caption = 'kept'\n end\nend\n");
  TBoard Board(nullptr);
  TStringStream S(Binary);
  TReader Reader(&S);
  std::vector<std::string> Messages;
  Reader.OnError = [&](TReader*, const std::string& Message, bool& Handled) {
    Messages.push_back(Message);
    Handled = true;
  };
  Reader.ReadRootComponent(&Board);
  EXPECT_EQ(Messages, (std::vector<std::string>{"Error reading G.Nope: Property Nope does not exist",
                                                "Error reading G.Count: Invalid property value"}));
  auto* G = dynamic_cast<TGadget*>(Board.FindComponent("G"));
  ASSERT_NE(G, nullptr);
  EXPECT_EQ(G->FCaption, "kept");
}

TEST(FilerTest, ReaderEventsCanStepIn) {
  const std::string Binary = BinaryOfText(
      "object B: TBoard\n"
      " object Old: TOldGadget\n  Buddy = Alias\n  OnClick = OldClick\n end\n"
      " inherited Lost: TGadget\n  Count = 3\n end\n"
      " object Made: TGadget\n end\n"
      "end\n");
  TBoard Board(nullptr);
  auto* Spare = new TGadget(&Board);
  Spare->SetName("Spare");
  TGadget* Premade = nullptr;
  TStringStream S(Binary);
  TReader Reader(&S);
  std::vector<std::string> Seen;
  Reader.OnFindComponentClass = [&](TReader*, const std::string& Name, TComponentClass& Class) {
    if (Name == "TOldGadget") {
      Class = TGadget::StaticClass();
    }
  };
  Reader.OnSetName = [&](TReader*, TComponent*, std::string& Name) {
    if (Name == "Old") {
      Name = "Renamed";
    }
  };
  Reader.OnReferenceName = [&](TReader*, std::string& Name) {
    if (Name == "Alias") {
      Name = "Made";
    }
  };
  Reader.OnFindMethod = [&](TReader*, const std::string& Name, const TMethodEntry*& Address, bool& Failed) {
    Seen.push_back("method " + Name);
    Address = MethodAddress(TBoard::StaticClass(), "GadgetClick");
    Failed = false;
  };
  Reader.OnAncestorNotFound = [&](TReader*, const std::string& Name, TComponentClass, TComponent*& Component) {
    Seen.push_back("ancestor " + Name);
    Component = Spare;
  };
  Reader.OnCreateComponent = [&](TReader* R, TComponentClass Class, TComponent*& Component) {
    if (Class == TGadget::StaticClass() && R->Owner() == &Board && Premade == nullptr) {
      Component = Premade = new TGadget(&Board);
    }
  };
  Reader.ReadRootComponent(&Board);
  EXPECT_EQ(Seen, (std::vector<std::string>{"method OldClick", "ancestor Lost"}));
  auto* Renamed = dynamic_cast<TGadget*>(Board.FindComponent("Renamed"));
  ASSERT_NE(Renamed, nullptr);
  EXPECT_EQ(Renamed, Premade);  // the first gadget created came from OnCreateComponent
  EXPECT_EQ(Renamed->FBuddy, Board.FindComponent("Made"));
  Renamed->FOnClick(Renamed);
  EXPECT_EQ(Board.FClicks, 1);
  EXPECT_EQ(Spare->FCount, 3);
  EXPECT_EQ(Board.ComponentCount(), 3);
}

TEST(FilerTest, ReferencesToOtherRootsWaitForThem) {
  const std::string Binary =
      BinaryOfText("object First: TBoard\n object G: TGadget\n  Buddy = Second.H\n end\nend\n");
  TBoard First(nullptr);
  TStringStream S(Binary);
  S.ReadComponent(&First);
  auto* G = dynamic_cast<TGadget*>(First.FindComponent("G"));
  ASSERT_NE(G, nullptr);
  EXPECT_EQ(G->FBuddy, nullptr);
  EXPECT_TRUE(First.ComponentState().Contains(csFixups));

  TBoard Second(nullptr);
  Second.SetName("Second");
  auto* H = new TGadget(&Second);
  H->SetName("H");
  RegisterGlobalComponent(&Second);
  EXPECT_EQ(FindGlobalComponent("SECOND"), &Second);
  GlobalFixupReferences();
  EXPECT_EQ(G->FBuddy, H);
  EXPECT_FALSE(First.ComponentState().Contains(csFixups));
  UnregisterGlobalComponent(&Second);
  EXPECT_EQ(FindGlobalComponent("Second"), nullptr);

  // A root that goes while its references wait takes them along; so does a global root.
  auto* Gone = new TBoard(nullptr);
  TStringStream S2(BinaryOfText("object Gone: TBoard\n object G: TGadget\n  Buddy = Later.H\n end\nend\n"));
  S2.ReadComponent(Gone);
  auto* Global = new TBoard(nullptr);
  Global->SetName("Global");
  RegisterGlobalComponent(Global);
  delete Gone;
  delete Global;
  EXPECT_EQ(FindGlobalComponent("Global"), nullptr);
  TBoard Later(nullptr);
  Later.SetName("Later");
  (new TGadget(&Later))->SetName("H");
  RegisterGlobalComponent(&Later);
  GlobalFixupReferences();  // must not touch the freed gadget
  UnregisterGlobalComponent(&Later);

  // A finder procedure is asked for names the registered roots do not have.
  static TBoard* Found = &Later;
  TFindGlobalComponent Finder = [](const std::string& Name) -> TComponent* {
    return SameText(Name, "Later") ? Found : nullptr;
  };
  RegisterFindGlobalComponentProc(Finder);
  EXPECT_EQ(FindGlobalComponent("LATER"), &Later);
  UnregisterFindGlobalComponentProc(Finder);
  EXPECT_EQ(FindGlobalComponent("Later"), nullptr);
}

TEST(FilerTest, DescendantsHoldOnlyWhatDiffersFromTheAncestor) {
  TBoard Ancestor(nullptr);
  Ancestor.SetName("Board1");
  auto* A1 = new TGadget(&Ancestor);
  A1->SetName("G1");
  A1->FCaption = "same";
  A1->FCount = 4;

  TBoard Descendant(nullptr);
  Descendant.SetName("Board1");
  auto* D1 = new TGadget(&Descendant);
  D1->SetName("G1");
  D1->FCaption = "same";
  D1->FCount = 7;
  auto* D2 = new TGadget(&Descendant);
  D2->SetName("G3");
  D2->FBuddy = D1;

  TMemoryStream S;
  S.WriteDescendent(&Descendant, &Ancestor);
  EXPECT_EQ(TextOf(Bytes(S)), Lines({"inherited Board1: TBoard", "  inherited G1: TGadget", "    Count = 7",
                                     "  end", "  object G3: TGadget", "    Shapes = []", "    Items = <>", "    Buddy = G1", "  end",
                                     "end"}));
  // Read over a copy of the ancestor: the inherited entry updates the existing G1.
  TBoard Target(nullptr);
  auto* T1 = new TGadget(&Target);
  T1->SetName("G1");
  T1->FCaption = "same";
  S.SetPosition(0);
  S.ReadComponent(&Target);
  ASSERT_EQ(Target.ComponentCount(), 2);
  EXPECT_EQ(T1->FCount, 7);
  EXPECT_EQ(T1->FCaption, "same");
  EXPECT_EQ(dynamic_cast<TGadget*>(Target.FindComponent("G3"))->FBuddy, T1);
}

TEST(FilerTest, ResourceHeaderWrapsTheStream) {
  TFixture F;
  TMemoryStream Res;
  Res.WriteComponentRes("TBoard", &F.Board);
  const std::string Raw = Bytes(Res);
  EXPECT_EQ(Raw.substr(0, 10), std::string("\xFF\x0A\x00TBOARD\x00", 10));
  EXPECT_EQ(Raw.substr(16), BinaryOf(&F.Board));

  TStringStream In(Raw);
  TStringStream Text;
  ObjectResourceToText(&In, &Text);
  TStringStream TextIn(Text.DataString());
  TStringStream Back;
  ObjectTextToResource(&TextIn, &Back);
  EXPECT_EQ(Back.DataString(), Raw);
}
}  // namespace
