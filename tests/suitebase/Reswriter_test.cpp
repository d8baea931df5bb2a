// The resource writer: files patched in place grow by whole pages and point the resource at the new data;
// modules it cannot patch safely are refused; the update route and the whole-file resource.
#include "suitebase/Reswriter.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/Modules.h"
#include "platform/win/Resources.h"
#include "suitebase/Dcapi.h"
#include "suitebase/Objstreams.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/PeImage.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace Dorazori;
using namespace TestSupport;

namespace {
std::string Resource(const std::string& File, const char* Name) {
  std::vector<TPeResource> All;
  std::string Error;
  if (!ReadPeResources(ReadFile(File), All, Error)) {
    return "<" + Error + ">";
  }
  for (const TPeResource& R : All) {
    if (!R.Name.IsId && R.Name.Name == Name) {
      return R.Data;
    }
  }
  return "<none>";
}
std::string ErrorOf(const std::function<void()>& F) {
  try {
    F();
  } catch (const Exception& E) {
    return E.Message().substr(0, E.Message().find('\r'));
  }
  return "";
}
}  // namespace

TEST(Reswriter, PatchingGrowsByWholePagesAndPointsAtTheNewData) {
  TTempFolder Temp("zubq-resw");
  TPeImageOptions O;
  O.Resources = {PeResource(RT_RCDATA, MAKEINTRESOURCE(5), "numeric"), PeResource(RT_RCDATA, "ABOUT", "old data")};
  const std::string Image = MakePeImage(O);
  struct TCase {
    Integer Length;
    Integer Growth;
  } Cases[] = {{100, 4096}, {4096, 8192}, {0, 4096}};
  for (const TCase& C : Cases) {
    WriteFile(Temp / "m.exe", Image);
    const std::string Data(static_cast<std::size_t>(C.Length), 'd');
    TResourceWriter W(Temp / "m.exe");
    W.Replace("ABOUT", Data.data(), C.Length);
    EXPECT_EQ(W.Growth(), C.Growth);
    EXPECT_EQ(ReadFile(Temp / "m.exe").size(), Image.size() + static_cast<std::size_t>(C.Growth));
    EXPECT_EQ(Resource(Temp / "m.exe", "ABOUT"), Data);
  }
  WriteFile(Temp / "m.exe", Image);
  EXPECT_EQ(ErrorOf([&] { TResourceWriter(Temp / "m.exe").Replace("5", "x", 1); }), SResourceNotFound);
  EXPECT_EQ(ErrorOf([&] { TResourceWriter(Temp / "m.exe").Replace("about", "x", 1); }), SResourceNotFound);
}

TEST(Reswriter, ModulesThatCannotBePatchedSafelyAreRefused) {
  TTempFolder Temp("zubq-resw");
  WriteFile(Temp / "none.exe", MakePeImage());
  WriteFile(Temp / "text.exe", "This is not a module at all, only text.................................");
  TPeImageOptions Plus;
  Plus.Pe32Plus = true;
  Plus.Resources = {PeResource(RT_RCDATA, "ABOUT", "x")};
  WriteFile(Temp / "plus.exe", MakePeImage(Plus));
  TPeImageOptions After;
  After.SectionAfterResources = true;
  After.Resources = {PeResource(RT_RCDATA, "ABOUT", "x")};
  const std::string AfterImage = MakePeImage(After);
  WriteFile(Temp / "after.exe", AfterImage);
  const auto Replace = [&](const char* File) {
    return ErrorOf([&] { TResourceWriter(Temp / File).Replace("ABOUT", "new", 3); });
  };
  EXPECT_EQ(Replace("none.exe"), SNoResources);
  EXPECT_EQ(Replace("text.exe"), SInvalidFileFormat);
  EXPECT_EQ(Replace("plus.exe"), SNot32BitModule);
  EXPECT_EQ(Replace("after.exe"), SResourcesNotLast);
  EXPECT_EQ(ReadFile(Temp / "after.exe"), AfterImage);  // untouched
  EXPECT_EQ(Replace("missing.exe"), SCantOpenForWriting);
}

TEST(Reswriter, UpdateRouteAndWholeFileResources) {
  TTempFolder Temp("zubq-resw");
  TPeImageOptions O;
  O.SectionAfterResources = true;  // the update route has no such limit
  O.Resources = {PeResource(RT_RCDATA, "ABOUT", "x")};
  WriteFile(Temp / "m.exe", MakePeImage(O));
  EXPECT_TRUE(ResourceUpdate(Temp / "m.exe", RT_RCDATA, "ABOUT", 5, "hello", 0));
  EXPECT_EQ(Resource(Temp / "m.exe", "ABOUT"), "hello");
  WriteFile(Temp / "form.bin", "TPF0 a stored form");
  AddResFromFile(Temp / "form.bin", Temp / "m.exe", "FORM1");
  EXPECT_EQ(Resource(Temp / "m.exe", "FORM1"), "TPF0 a stored form");
  EXPECT_TRUE(IsFormInResource(Temp / "m.exe", "FORM1", RT_RCDATA));
  EXPECT_FALSE(IsFormInResource(Temp / "m.exe", "ABOUT", RT_RCDATA));
  EXPECT_FALSE(IsFormInResource(Temp / "m.exe", "NONE", RT_RCDATA));
  EXPECT_EQ(ErrorOf([&] { (void)IsFormInResource(Temp / "none.exe", "FORM1", RT_RCDATA); }),
            "Can't open module " + (Temp / "none.exe"));

  const std::string Before = ReadFile(Temp / "m.exe");
  Dcapi::AddStringResource(Temp / "m.exe", "EMPTY", "");
  EXPECT_EQ(ReadFile(Temp / "m.exe"), Before);
  Dcapi::AddStringResource(Temp / "m.exe", "TEXT", "some text");
  EXPECT_EQ(Resource(Temp / "m.exe", "TEXT"), "some text");
  EXPECT_FALSE(Dcapi::AddRCDataResource(Temp / "none.exe", "X", "x", 1));
}
