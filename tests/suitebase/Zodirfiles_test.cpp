// Quoting of paths with blanks, and the conversion of a folder tree of layout files.
#include "suitebase/Fileutils.h"
#include "suitebase/Zodirfiles.h"
#include "tests/support/Forms.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace Zodir;
namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& P) {
  std::ifstream In(P, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

void Write(const fs::path& P, const std::string& Text) {
  fs::create_directories(P.parent_path());
  std::ofstream(P, std::ios::binary) << Text;
}

TEST(Zodirfiles, OnlyPathsWithBlanksAreQuoted) {
  EXPECT_EQ(DCEnsureLongPathsAreOk("c:\\a b;c:\\c"), "\"c:\\a b\";c:\\c");
  EXPECT_EQ(DCEnsureLongPathIsOk("plain"), "plain");
  EXPECT_EQ(DCEnsureLongPathsAreOk(""), "");
}

class ConvertTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Root = fs::temp_directory_path() / ("zodirfiles_" + std::to_string(::getpid()));
    fs::remove_all(Root);
    Dorazori::WriteLogEvent = [this](const Variant& V) { Log.push_back(VarToStr(V)); };
  }
  void TearDown() override {
    Dorazori::WriteLogEvent = nullptr;
    fs::remove_all(Root);
    TFormTest::TearDown();
  }
  fs::path Root;
  std::vector<std::string> Log;
};

TEST_F(ConvertTest, FilesWithUnknownPropertiesAreBackedUpAndRewrittenCleanOnesAreLeft) {
  const std::string Clean = "object Clean: TForm\n  Left = 10\n  Caption = 'Fine'\nend\n";
  const std::string Stale = "object Stale: TForm\n  Left = 20\n  NoSuchProperty = 5\n  Caption = 'Old'\nend\n";
  Write(Root / "clean.dfm", Clean);
  Write(Root / "sub" / "stale.DFM", Stale);
  Write(Root / ".hidden" / "skipped.dfm", Stale);
  Write(Root / "notes.txt", "not a layout");
  CorrectFormFiles(Root.string(), true);

  EXPECT_EQ(Read(Root / "clean.dfm"), Clean);  // byte for byte
  EXPECT_FALSE(fs::exists(Root / "clean.~df"));
  EXPECT_EQ(Read(Root / "sub" / "stale.~DF"), Stale);
  const std::string Rewritten = Read(Root / "sub" / "stale.DFM");
  EXPECT_EQ(Rewritten.find("NoSuchProperty"), std::string::npos);
  EXPECT_NE(Rewritten.find("'Old'"), std::string::npos);
  EXPECT_EQ(Read(Root / ".hidden" / "skipped.dfm"), Stale);
  const std::string Converted = "Form " + (Root / "sub" / "stale.DFM").string() + " converted";
  EXPECT_EQ(std::count(Log.begin(), Log.end(), Converted), 1);

  // Without recursion only the folder itself.
  Write(Root / "sub2" / "stale.dfm", Stale);
  CorrectFormFiles(Root.string(), false);
  EXPECT_EQ(Read(Root / "sub2" / "stale.dfm"), Stale);
}

}  // namespace

namespace {

class TLinker : public TComponent {
  Z_CLASS(TLinker, TComponent)
public:
  using TComponent::TComponent;
  TComponent* FLink = nullptr;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TLinker> P(Meta);
    P.Property("Link", &TLinker::FLink, &TLinker::FLink);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TLinker, TComponent, TLinker::Publish)

// References to components of other forms name those forms; references into the form itself and to itself too.
TEST_F(ConvertTest, UsedModulesAreTheFormsOfReferencedComponents) {
  std::unique_ptr<TForm> Other(TestSupport::Make<TForm>(Application));
  auto* Target = new TComponent(Other.get());
  auto* A = new TLinker(Form);
  auto* B = new TLinker(Form);
  A->FLink = Target;
  B->FLink = Form;  // the form itself: left out
  TList Used;
  Used.Add(A);  // emptied first
  GetUsedModules(Form, &Used);
  ASSERT_EQ(Used.Count(), 1);
  EXPECT_EQ(Used.Items(0), Other.get());
  B->FLink = A;
  GetUsedModules(Form, &Used);
  ASSERT_EQ(Used.Count(), 2);
  EXPECT_EQ(Used.Items(0), Form);  // B (the last) first: its reference lies on the form
  EXPECT_EQ(Used.Items(1), Other.get());
}

}  // namespace
