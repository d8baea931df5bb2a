// The streaming hooks descendants of the reader and writer use: the object whose custom properties are being
// defined, and the reader's property filter.
#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"

#include <gtest/gtest.h>

namespace {
class THooked : public TComponent {
  Z_CLASS(THooked, TComponent)
public:
  using TComponent::TComponent;
  int FA = 0;
  int FB = 0;
  static void Publish(TMetaClass& Meta) {
    TPublisher<THooked> P(Meta);
    P.Property("A", &THooked::FA, &THooked::FA).Default(0);
    P.Property("B", &THooked::FB, &THooked::FB).Default(0);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(THooked, TComponent, THooked::Publish)

// Records whose custom properties are defined, and reads only A.
class TRecordingReader : public TReader {
public:
  using TReader::TReader;
  std::vector<TPersistent*> Defined;
  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override {
    Defined.push_back(PropertiesInstance());
    TReader::DefineProperty(Name, std::move(ReadData), std::move(WriteData), HasData);
  }

protected:
  bool AcceptProperty(TPersistent*, PPropInfo PropInfo) override { return PropInfo->Name == "A"; }
};

class TRecordingWriter : public TWriter {
public:
  using TWriter::TWriter;
  std::vector<TPersistent*> Defined;
  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override {
    Defined.push_back(PropertiesInstance());
    TWriter::DefineProperty(Name, std::move(ReadData), std::move(WriteData), HasData);
  }
};
}  // namespace

TEST(FilerHooks, CustomPropertiesKnowTheirObjectAndTheReaderFiltersProperties) {
  THooked Source(nullptr);
  Source.FA = 1;
  Source.FB = 2;
  Source.SetDesignInfo(0x00050007);  // the component's own custom properties Left and Top
  TMemoryStream S;
  {
    TRecordingWriter W(&S);
    W.WriteRootComponent(&Source);
    ASSERT_FALSE(W.Defined.empty());
    for (TPersistent* P : W.Defined) {
      EXPECT_EQ(P, &Source);
    }
    EXPECT_EQ(W.PropertiesInstance(), nullptr);
  }
  S.SetPosition(0);
  THooked Target(nullptr);
  TRecordingReader R(&S);
  R.ReadRootComponent(&Target);
  EXPECT_EQ(Target.FA, 1);
  EXPECT_EQ(Target.FB, 0);  // skipped by the filter, and the rest still read
  EXPECT_EQ(Target.DesignInfo(), 0x00050007);
  ASSERT_FALSE(R.Defined.empty());
  EXPECT_EQ(R.Defined.front(), &Target);
}
