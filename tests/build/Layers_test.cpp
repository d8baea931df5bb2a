// The tree's layers, kept by reading every include: only the layer's Qt backend (platform/qt/) includes Qt
// headers, and a folder includes only the folders its row of the layer table allows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Calls Fn(relative path, line number, line) for every line of every C or C++ source below Root, build output and
// version control left out; SkipQtBackend also leaves out Root/platform/qt.
template <class F>
void ForEachSourceLine(const fs::path& Root, bool SkipQtBackend, F&& Fn) {
  static const std::vector<std::string> Exts{".h", ".hpp", ".hh", ".c", ".cc", ".cpp", ".cxx", ".inc"};
  for (auto It = fs::recursive_directory_iterator(Root); It != fs::recursive_directory_iterator(); ++It) {
    const fs::path& P = It->path();
    const std::string Name = P.filename().string();
    if (It->is_directory()) {
      const bool Skip = (It.depth() == 0 && Name.rfind("build", 0) == 0) || Name == ".git" ||
                        (SkipQtBackend && It.depth() == 1 && Name == "qt" &&
                         P.parent_path().filename() == "platform");
      if (Skip) {
        It.disable_recursion_pending();
      }
      continue;
    }
    if (std::find(Exts.begin(), Exts.end(), P.extension().string()) == Exts.end()) {
      continue;
    }
    const std::string Rel = fs::relative(P, Root).generic_string();
    std::ifstream In(P);
    std::string Line;
    for (int No = 1; std::getline(In, Line); ++No) {
      Fn(Rel, No, Line);
    }
  }
}

// Returns "file:line" for every Qt include in a C or C++ source below Root that is not under Root/platform/qt.
std::vector<std::string> FindQtIncludesOutsideBackend(const fs::path& Root) {
  static const std::regex QtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z0-9_]*|Qt[A-Za-z]*/[^>"]*)[>"])");
  std::vector<std::string> Hits;
  ForEachSourceLine(Root, true, [&](const std::string& Rel, int No, const std::string& Line) {
    if (std::regex_search(Line, QtInclude)) {
      Hits.push_back(Rel + ":" + std::to_string(No));
    }
  });
  return Hits;
}

void WriteFile(const fs::path& P, const std::string& Text) {
  fs::create_directories(P.parent_path());
  std::ofstream(P) << Text;
}

// ---- layers -----------------------------------------------------------------------------------------------------

// The layer table: the folders in build order, each with the folders it may include besides its own and the layer.
// Inside the layer each sub-folder may include the sub-folders before it. Outside, every folder may include the
// layer (but for its Qt backend, which only the layer loads) and the engine's interface header. "*" allows
// everything. A folder may include a later folder only where its row says so: core reaches the toolbars, the tree
// and the HTTP client; mainwindow and core reach the batch wizard's window only through core's services.
struct TLayerRow {
  std::string Folder;
  std::set<std::string> MayInclude;
};

const std::vector<TLayerRow>& LayerTable() {
  static const std::vector<TLayerRow> Table = {
      {"platform/rtl", {}},
      {"platform/win", {"platform/rtl"}},
      {"platform/classes", {"platform/rtl", "platform/win"}},
      {"platform/graphics", {"platform/rtl", "platform/win", "platform/classes"}},
      {"platform/controls", {"platform/rtl", "platform/win", "platform/classes", "platform/graphics"}},
      {"platform/qt", {"platform/rtl", "platform/win", "platform/classes", "platform/graphics", "platform/controls"}},
      {"editor", {}},
      {"core", {"editor", "toolbars", "treeview", "net"}},
      {"toolbars", {"editor"}},
      {"treeview", {"editor", "toolbars"}},
      {"net", {}},
      {"spell", {"editor", "core", "toolbars", "treeview", "net"}},
      {"shell", {"editor", "core", "toolbars", "treeview", "net", "spell"}},
      {"mainwindow", {"editor", "core", "toolbars", "treeview", "net", "spell", "shell"}},
      {"batchwizard", {"editor", "core", "toolbars", "treeview", "net", "spell", "shell", "mainwindow"}},
      {"suitebase", {"core"}},
      {"codeeditor", {"suitebase", "treeview"}},
      {"engine", {}},
      {"app", {"*"}},
      {"tests", {"*"}},
      {"bench", {"*"}},
      {"fuzz", {"*"}},
      {"support", {"*"}},
      {"tools", {"*"}},
  };
  return Table;
}

// Headers any folder outside the layer may include: the engine's interface, which the program binds at run time.
const std::set<std::string>& InterfaceHeaders() {
  static const std::set<std::string> Headers = {"engine/ZubValidator.h"};
  return Headers;
}

// Includes against the table that the tree still has, file by file: inside the layer the run-time library, the
// system services and the drawing services still reach into each other. No new entry belongs here.
const std::set<std::pair<std::string, std::string>>& KnownExceptions() {
  static const std::set<std::pair<std::string, std::string>> Known = {
      {"spell/Easyspelladapter.h", "spell/Lx3parserbase.h"},
      {"spell/Easyspelladapter.h", "spell/Lx3spellbase.h"},
      {"platform/rtl/DateUtils.cpp", "platform/win/Locale.h"},
      {"platform/rtl/DateUtils.h", "platform/win/TimeApi.h"},
      {"platform/rtl/FileUtils.h", "platform/win/Files.h"},
      {"platform/rtl/System.cpp", "platform/classes/TypInfo.h"},
      {"platform/win/Resources.cpp", "platform/classes/FormResources.h"},
      {"platform/win/Clipboard.cpp", "platform/graphics/WinGdi.h"},
      {"platform/win/DefWindowProc.cpp", "platform/graphics/Colors.h"},
      {"platform/win/DefWindowProc.cpp", "platform/graphics/Cursors.h"},
      {"platform/win/DefWindowProc.cpp", "platform/graphics/ScrollBars.h"},
      {"platform/win/DefWindowProc.cpp", "platform/graphics/WinGdi.h"},
      {"platform/win/Desktop.cpp", "platform/graphics/WinGdi.h"},
      {"platform/win/Ole.cpp", "platform/graphics/Cursors.h"},
      {"platform/win/Ole.cpp", "platform/graphics/WinGdi.h"},
      {"platform/win/ShellIds.cpp", "platform/graphics/ImgList.h"},
      {"platform/win/ShellSystem.cpp", "platform/graphics/GdiInternals.h"},
      {"platform/win/ShellSystem.cpp", "platform/graphics/ImgList.h"},
      {"platform/win/ShellSystem.cpp", "platform/graphics/WinGdi.h"},
      {"platform/win/SystemParams.h", "platform/graphics/WinGdi.h"},
      {"platform/win/UpdateRegions.cpp", "platform/graphics/WinGdi.h"},
  };
  return Known;
}

// The row a file or include path belongs to ("platform/<sub>" inside the layer), or "" for none.
std::string LayerOf(const std::string& Path) {
  const std::size_t Slash = Path.find('/');
  if (Slash == std::string::npos) {
    return "";
  }
  std::string Folder = Path.substr(0, Slash);
  if (Folder == "platform") {
    const std::size_t Next = Path.find('/', Slash + 1);
    if (Next == std::string::npos) {
      return "";
    }
    Folder = Path.substr(0, Next);
  }
  for (const TLayerRow& Row : LayerTable()) {
    if (Row.Folder == Folder) {
      return Folder;
    }
  }
  return "";
}

bool MayInclude(const std::string& From, const std::string& Header) {
  const std::string To = LayerOf(Header);
  if (To.empty() || To == From) {
    return true;  // not a folder of the tree (a system or a test's own header), or the folder itself
  }
  const auto Row =
      std::find_if(LayerTable().begin(), LayerTable().end(), [&](const TLayerRow& R) { return R.Folder == From; });
  if (Row->MayInclude.count("*") != 0 || Row->MayInclude.count(To) != 0) {
    return true;
  }
  const bool FromLayer = From.rfind("platform/", 0) == 0;
  if (!FromLayer && To.rfind("platform/", 0) == 0) {
    return To != "platform/qt";
  }
  return !FromLayer && InterfaceHeaders().count(Header) != 0;
}

// "file:line: header" for every quoted include below Root that goes against the layer table.
std::vector<std::string> FindLayerViolations(const fs::path& Root) {
  static const std::regex Include(R"re(^\s*#\s*include\s*"([^"]+)")re");
  std::vector<std::string> Hits;
  ForEachSourceLine(Root, false, [&](const std::string& Rel, int No, const std::string& Line) {
    const std::string From = LayerOf(Rel);
    std::smatch M;
    if (!From.empty() && std::regex_search(Line, M, Include) && !MayInclude(From, M[1]) &&
        KnownExceptions().count({Rel, M[1]}) == 0) {
      Hits.push_back(Rel + ":" + std::to_string(No) + ": " + M[1].str());
    }
  });
  return Hits;
}
}  // namespace

TEST(QtIsolation, TreeHasNoQtIncludeOutsideBackend) {
  auto Hits = FindQtIncludesOutsideBackend(ZUBQ_SOURCE_DIR);
  EXPECT_TRUE(Hits.empty()) << "Qt included outside platform/qt/: " << testing::PrintToString(Hits);
}

TEST(QtIsolation, PlantedViolationIsFound) {
  fs::path Root = fs::temp_directory_path() / ("zubq_qtcheck_" + std::to_string(::getpid()));
  fs::remove_all(Root);
  WriteFile(Root / "platform/qt/Host.cpp", "#include <QWidget>\n");  // allowed
  WriteFile(Root / "editor/Easyedit.cpp", "#include \"platform/rtl/System.h\"\n// #include <QWidget> is text\n");
  WriteFile(Root / "core/Bad.cpp", "int x;\n  #  include <QtCore/QString>\n");
  WriteFile(Root / "net/Bad.h", "#include \"QObject\"\n");
  WriteFile(Root / "build-x/gen/Gen.cpp", "#include <QWidget>\n");  // build output is ignored
  WriteFile(Root / "platform/win/Bad.cpp", "#include <QEvent>\n");  // the base stays Qt-free
  WriteFile(Root / "platform/controls/Bad.h", "\n#include <QtGui/QColor>\n");
  WriteFile(Root / "platform/rtl/qt/Bad.cpp", "#include <QString>\n");  // only the backend's own folder
  WriteFile(Root / "tests/platform/Bad_test.cpp", "#include <QTest>\n");
  auto Hits = FindQtIncludesOutsideBackend(Root);
  std::sort(Hits.begin(), Hits.end());
  EXPECT_EQ(Hits, (std::vector<std::string>{"core/Bad.cpp:2", "net/Bad.h:1", "platform/controls/Bad.h:2",
                                            "platform/rtl/qt/Bad.cpp:1", "platform/win/Bad.cpp:1",
                                            "tests/platform/Bad_test.cpp:1"}));
  fs::remove_all(Root);
}

TEST(Layers, TreeKeepsTheLayerTable) {
  const auto Hits = FindLayerViolations(ZUBQ_SOURCE_DIR);
  EXPECT_TRUE(Hits.empty()) << "includes against the layer table: " << testing::PrintToString(Hits);
}

TEST(Layers, PlantedWrongIncludesAreFound) {
  fs::path Root = fs::temp_directory_path() / ("zubq_layercheck_" + std::to_string(::getpid()));
  fs::remove_all(Root);
  WriteFile(Root / "core/Good.cpp",
            "#include \"core/Good.h\"\n#include \"editor/Easyeditor.h\"\n#include \"net/Httpprot.h\"\n"
            "#include \"platform/rtl/System.h\"\n#include \"engine/ZubValidator.h\"\n#include <vector>\n");
  WriteFile(Root / "core/Bad.cpp", "#include \"mainwindow/Mainform.h\"\n#include \"engine/EngineState.h\"\n");
  WriteFile(Root / "core/Bad.h", "// #include \"shell/Shellctrls.h\" is text\n#include \"batchwizard/Wizard.h\"\n");
  WriteFile(Root / "editor/Bad.cpp", "#include \"core/Strstore.h\"\n");
  WriteFile(Root / "net/Bad.cpp", "#include \"platform/qt/QtBackend.h\"\n");
  WriteFile(Root / "engine/Bad.cpp", "#include \"platform/win/WinTypes.h\"\n#include \"core/Prgclass.h\"\n");
  WriteFile(Root / "platform/rtl/Bad.cpp",
            "#include \"platform/controls/Forms.h\"\n#include \"editor/Easyeditor.h\"\n");
  WriteFile(Root / "platform/graphics/Good.cpp", "#include \"platform/win/WinTypes.h\"\n");
  WriteFile(Root / "mainwindow/Good.cpp", "#include \"shell/Shellctrls.h\"\n#include \"core/Prgclass.h\"\n");
  WriteFile(Root / "tests/core/Any_test.cpp", "#include \"mainwindow/Mainform.h\"\n#include \"FakeMainWindow.h\"\n");
  WriteFile(Root / "build-x/core/Gen.cpp", "#include \"mainwindow/Mainform.h\"\n");  // build output is ignored
  auto Hits = FindLayerViolations(Root);
  std::sort(Hits.begin(), Hits.end());
  EXPECT_EQ(Hits,
            (std::vector<std::string>{"core/Bad.cpp:1: mainwindow/Mainform.h", "core/Bad.cpp:2: engine/EngineState.h",
                                      "core/Bad.h:2: batchwizard/Wizard.h", "editor/Bad.cpp:1: core/Strstore.h",
                                      "engine/Bad.cpp:2: core/Prgclass.h", "net/Bad.cpp:1: platform/qt/QtBackend.h",
                                      "platform/rtl/Bad.cpp:1: platform/controls/Forms.h",
                                      "platform/rtl/Bad.cpp:2: editor/Easyeditor.h"}));
  fs::remove_all(Root);
}
