// Only the layer's Qt backend (platform/qt/) may include Qt headers; the rest of the layer and every other folder
// talk to the layer's own interfaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Returns "file:line" for every Qt include in a C or C++ source below Root that is not under Root/platform/qt.
std::vector<std::string> FindQtIncludesOutsideBackend(const fs::path& Root) {
  static const std::regex QtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z0-9_]*|Qt[A-Za-z]*/[^>"]*)[>"])");
  static const std::vector<std::string> Exts{".h", ".hpp", ".hh", ".c", ".cc", ".cpp", ".cxx", ".inc"};
  std::vector<std::string> Hits;
  for (auto It = fs::recursive_directory_iterator(Root); It != fs::recursive_directory_iterator(); ++It) {
    const fs::path& P = It->path();
    const std::string Name = P.filename().string();
    if (It->is_directory()) {
      bool Skip = (It.depth() == 0 && Name.rfind("build", 0) == 0) || Name == ".git" ||
                  (It.depth() == 1 && Name == "qt" && P.parent_path().filename() == "platform");
      if (Skip) {
        It.disable_recursion_pending();
      }
      continue;
    }
    if (std::find(Exts.begin(), Exts.end(), P.extension().string()) == Exts.end()) {
      continue;
    }
    std::ifstream In(P);
    std::string Line;
    for (int No = 1; std::getline(In, Line); ++No) {
      if (std::regex_search(Line, QtInclude)) {
        Hits.push_back(fs::relative(P, Root).string() + ":" + std::to_string(No));
      }
    }
  }
  return Hits;
}

void WriteFile(const fs::path& P, const std::string& Text) {
  fs::create_directories(P.parent_path());
  std::ofstream(P) << Text;
}

}  // namespace

TEST(QtIsolation, TreeHasNoQtIncludeOutsideBackend) {
  auto Hits = FindQtIncludesOutsideBackend(ZUBQ_SOURCE_DIR);
  EXPECT_TRUE(Hits.empty()) << "Qt included outside platform/qt/: " << testing::PrintToString(Hits);
}

TEST(QtIsolation, PlantedViolationIsFound) {
  fs::path Root = fs::temp_directory_path() / ("zubq_qtcheck_" + std::to_string(::getpid()));
  fs::remove_all(Root);
  WriteFile(Root / "platform/qt/Host.cpp", "#include <QWidget>\n");            // allowed
  WriteFile(Root / "editor/Easyedit.cpp", "#include \"platform/rtl/System.h\"\n// #include <QWidget> is text\n");
  WriteFile(Root / "core/Bad.cpp", "int x;\n  #  include <QtCore/QString>\n");
  WriteFile(Root / "net/Bad.h", "#include \"QObject\"\n");
  WriteFile(Root / "build-x/gen/Gen.cpp", "#include <QWidget>\n");            // build output is ignored
  WriteFile(Root / "platform/win/Bad.cpp", "#include <QEvent>\n");            // the base stays Qt-free
  WriteFile(Root / "platform/controls/Bad.h", "\n#include <QtGui/QColor>\n");
  WriteFile(Root / "platform/rtl/qt/Bad.cpp", "#include <QString>\n");       // only the backend's own folder
  WriteFile(Root / "tests/platform/Bad_test.cpp", "#include <QTest>\n");
  auto Hits = FindQtIncludesOutsideBackend(Root);
  std::sort(Hits.begin(), Hits.end());
  EXPECT_EQ(Hits, (std::vector<std::string>{"core/Bad.cpp:2", "net/Bad.h:1", "platform/controls/Bad.h:2",
                                            "platform/rtl/qt/Bad.cpp:1", "platform/win/Bad.cpp:1",
                                            "tests/platform/Bad_test.cpp:1"}));
  fs::remove_all(Root);
}
