// Desktop entries, Exec quoting, the user's association list and atomic writes.
#include "platform/win/DesktopFiles.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

const char Id[] = "zubquillon.desktop";

TEST(DesktopFiles, ExecArgumentsAreQuotedWhereTheRulesAskIt) {
  const std::pair<const char*, const char*> Cases[] = {
      {"/usr/bin/zubquillon", "/usr/bin/zubquillon"},
      {"/opt/My Apps/zubquillon", "\"/opt/My Apps/zubquillon\""},
      {"/opt/a\"b", "\"/opt/a\\\"b\""},
      {"/opt/$HOME`x`", "\"/opt/\\$HOME\\`x\\`\""},
      {"/opt/back\\slash", "\"/opt/back\\\\slash\""},
      {"/opt/100%", "/opt/100%%"},
      {"", "\"\""},
  };
  for (const auto& [In, Out] : Cases) {
    EXPECT_EQ(QuoteExecArgument(In), Out) << In;
  }
  EXPECT_EQ(EscapeDesktopValue(" a\\b\n"), "\\sa\\\\b\\n");
}

TEST(DesktopFiles, AnApplicationEntryWithActions) {
  TApplicationEntry Entry;
  Entry.Name = "ZUB Quillon Pro";
  Entry.Exec = QuoteExecArgument("/opt/my apps/zubquillon") + " -o %f";
  Entry.MimeTypes = {"text/html", "text/css"};
  Entry.Actions = {{"Validate", "Validate using ZUB Quillon Pro", "/usr/bin/zubquillon -v %f"}};
  EXPECT_EQ(FormatApplicationEntry(Entry),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=ZUB Quillon Pro\n"
            "Exec=\"/opt/my apps/zubquillon\" -o %f\n"
            "MimeType=text/html;text/css;\n"
            "Actions=Validate;\n"
            "\n"
            "[Desktop Action Validate]\n"
            "Name=Validate using ZUB Quillon Pro\n"
            "Exec=/usr/bin/zubquillon -v %f\n");
}

struct MimeAppsCase {
  const char* Name;
  const char* Before;
  const char* Added;
};

class MimeApps : public ::testing::TestWithParam<MimeAppsCase> {};

// Adding gives the expected list; removing gives the original back, byte for byte.
TEST_P(MimeApps, AddingThenRemovingRestoresTheList) {
  const MimeAppsCase& C = GetParam();
  const std::string Added = AddMimeAssociations(C.Before, Id, {"text/html", "text/css"});
  EXPECT_EQ(Added, C.Added);
  EXPECT_EQ(AddMimeAssociations(Added, Id, {"text/html", "text/css"}), Added);  // nothing twice
  EXPECT_EQ(RemoveMimeAssociations(Added, Id), C.Before);
}

INSTANTIATE_TEST_SUITE_P(
    DesktopFiles, MimeApps,
    ::testing::Values(
        MimeAppsCase{"NoList", "",
                     "[Added Associations]\ntext/html=zubquillon.desktop;\ntext/css=zubquillon.desktop;\n"},
        MimeAppsCase{"OnlyDefaults", "[Default Applications]\ntext/html=firefox.desktop\n",
                     "[Default Applications]\ntext/html=firefox.desktop\n\n[Added Associations]\n"
                     "text/html=zubquillon.desktop;\ntext/css=zubquillon.desktop;\n"},
        MimeAppsCase{"ForeignKeys",
                     "# mine\n[Added Associations]\ntext/html=gedit.desktop;\ntext/css=kate.desktop\n"
                     "image/png=gimp.desktop;\n\n[Default Applications]\ntext/html=firefox.desktop\n",
                     "# mine\n[Added Associations]\ntext/html=gedit.desktop;zubquillon.desktop;\n"
                     "text/css=kate.desktop;zubquillon.desktop\nimage/png=gimp.desktop;\n\n"
                     "[Default Applications]\ntext/html=firefox.desktop\n"},
        MimeAppsCase{"NewKeysAfterTheGroupsLastLine",
                     "[Added Associations]\r\nimage/png=gimp.desktop;\r\n\r\n[Removed Associations]\r\nx/y=z;\r\n",
                     "[Added Associations]\r\nimage/png=gimp.desktop;\r\ntext/html=zubquillon.desktop;\n"
                     "text/css=zubquillon.desktop;\n\r\n[Removed Associations]\r\nx/y=z;\r\n"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(DesktopFiles, RemovingTakesOnlyOurIdFromTheAddedAssociations) {
  const char Before[] =
      "[Default Applications]\ntext/html=zubquillon.desktop\n"
      "[Added Associations]\ntext/html=a.desktop;zubquillon.desktop;b.desktop;\ntext/css=zubquillon.desktop;\n"
      "text/plain=zubquillon.desktop.old;\n";
  EXPECT_EQ(RemoveMimeAssociations(Before, Id),
            "[Default Applications]\ntext/html=zubquillon.desktop\n"
            "[Added Associations]\ntext/html=a.desktop;b.desktop;\ntext/plain=zubquillon.desktop.old;\n");
}

TEST(DesktopFiles, FilesAreReplacedWholeAndFolderProblemsReported) {
  TestSupport::TTempFolder Temp;
  const std::string Path = Temp.Path() + "/a/b/list";
  ASSERT_TRUE(WriteTextFileAtomic(Path, "one\n"));
  ASSERT_TRUE(WriteTextFileAtomic(Path, "two\n"));
  std::string Text;
  ASSERT_TRUE(ReadTextFile(Path, Text));
  EXPECT_EQ(Text, "two\n");
  EXPECT_EQ(
      std::distance(std::filesystem::directory_iterator(Temp.Path() + "/a/b"), std::filesystem::directory_iterator()),
      1);  // no temporary file left behind
  EXPECT_FALSE(WriteTextFileAtomic(Path + "/below-a-file", "x"));
  EXPECT_FALSE(ReadTextFile(Temp.Path() + "/missing", Text));
}

}  // namespace
