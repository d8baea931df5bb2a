// Only the layer (platform/) may include Qt headers; every other folder talks to the layer's own interfaces.
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

// Returns "file:line" for every Qt include in a C or C++ source below Root that is not under Root/platform.
std::vector<std::string> FindQtIncludesOutsideLayer(const fs::path& Root) {
  static const std::regex QtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z0-9_]*|Qt[A-Za-z]*/[^>"]*)[>"])");
  static const std::vector<std::string> Exts{".h", ".hpp", ".hh", ".c", ".cc", ".cpp", ".cxx", ".inc"};
  std::vector<std::string> Hits;
  for (auto It = fs::recursive_directory_iterator(Root); It != fs::recursive_directory_iterator(); ++It) {
    const fs::path& P = It->path();
    const std::string Name = P.filename().string();
    if (It->is_directory()) {
      bool Skip = Name.rfind("build", 0) == 0 || Name == ".git" ||
                  (It.depth() == 0 && Name == "platform");
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

TEST(QtIsolation, TreeHasNoQtIncludeOutsideLayer) {
  auto Hits = FindQtIncludesOutsideLayer(ZUBQ_SOURCE_DIR);
  EXPECT_TRUE(Hits.empty()) << "Qt included outside platform/: " << testing::PrintToString(Hits);
}

TEST(QtIsolation, PlantedViolationIsFound) {
  fs::path Root = fs::temp_directory_path() / ("zubq_qtcheck_" + std::to_string(::getpid()));
  fs::remove_all(Root);
  WriteFile(Root / "platform/qt/Host.cpp", "#include <QWidget>\n");            // allowed
  WriteFile(Root / "editor/Easyedit.cpp", "#include \"platform/rtl/System.h\"\n// #include <QWidget> is text\n");
  WriteFile(Root / "core/Bad.cpp", "int x;\n  #  include <QtCore/QString>\n");
  WriteFile(Root / "net/Bad.h", "#include \"QObject\"\n");
  WriteFile(Root / "build-x/gen/Gen.cpp", "#include <QWidget>\n");            // build output is ignored
  auto Hits = FindQtIncludesOutsideLayer(Root);
  std::sort(Hits.begin(), Hits.end());
  EXPECT_EQ(Hits, (std::vector<std::string>{"core/Bad.cpp:2", "net/Bad.h:1"}));
  fs::remove_all(Root);
}
