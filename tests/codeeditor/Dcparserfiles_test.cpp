// The language tokenizers over real files: this tree's sources and layouts, the shared corpus pages and the
// sources Debian installs (Python's and Perl's libraries, jQuery, the Free Pascal run-time library, the system
// headers). Each file is read token by token and coloured line by line; both must agree.
#include "codeeditor/Dclanguages.h"

#include "support/Corpus.h"
#include "tests/codeeditor/TokenDump.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace Dcparser;
namespace fs = std::filesystem;

namespace {
constexpr std::uintmax_t MaxFileSize = 4u << 20;

struct TFileSet {
  const char* Name;
  TokenTest::TParserFactory Make;
  std::vector<std::string> Roots;
  std::vector<std::string> Extensions;  // "" takes files without one
  std::vector<std::string> SkipFolders;
};

std::ostream& operator<<(std::ostream& Out, const TFileSet& S) { return Out << S.Name; }

std::string SourceDir() { return ZUBQ_SOURCE_DIR; }

// PostgreSQL's extension scripts when installed, else the sample written here.
std::string SqlRoot() {
  const std::string Installed = "/usr/share/postgresql/15/extension";
  return fs::exists(Installed) ? Installed : std::string(ZUBQ_TEST_DATA_DIR) + "/Samples";
}

bool Wanted(const fs::path& P, const TFileSet& Set) {
  const std::string Ext = P.extension().string();
  for (const std::string& E : Set.Extensions) {
    if (Ext == E) {
      return true;
    }
  }
  return false;
}

bool Skipped(const fs::path& P, const TFileSet& Set) {
  const std::string S = P.string();
  for (const std::string& F : Set.SkipFolders) {
    if (S.find(F) != std::string::npos) {
      return true;
    }
  }
  return false;
}

std::vector<std::string> FilesOf(const TFileSet& Set) {
  std::vector<std::string> Files;
  for (const std::string& Root : Set.Roots) {
    std::error_code Ec;
    if (fs::is_regular_file(Root, Ec)) {
      Files.push_back(Root);
      continue;
    }
    for (auto It = fs::recursive_directory_iterator(Root, fs::directory_options::skip_permission_denied, Ec);
         It != fs::recursive_directory_iterator(); It.increment(Ec)) {
      if (Ec) {
        break;
      }
      if (It->is_regular_file(Ec) && !It->is_symlink(Ec) && Wanted(It->path(), Set) && !Skipped(It->path(), Set) &&
          It->file_size(Ec) <= MaxFileSize) {
        Files.push_back(It->path().string());
      }
    }
  }
  return Files;
}

TStringList* LoadLines(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  TStringList* Lines = TokenTest::MakeLines(Text);
  for (Integer I = 0; I < Lines->Count(); ++I) {
    const std::string L = Lines->Strings(I);
    if (!L.empty() && L.back() == '\r') {
      Lines->SetStrings(I, L.substr(0, L.size() - 1));
    }
  }
  return Lines;
}

template <class T>
TokenTest::TParserFactory Factory() {
  return [] { return new T(nullptr); };
}

class RealFiles : public ::testing::TestWithParam<TFileSet> {};

TEST_P(RealFiles, ReadBothWaysAlike) {
  const std::vector<std::string> Files = FilesOf(GetParam());
  ASSERT_FALSE(Files.empty()) << "no files of " << GetParam().Name << " (scripts/deps.sh installs them)";
  for (const std::string& Name : Files) {
    std::unique_ptr<TStringList> Lines(LoadLines(Name));
    EXPECT_EQ(TokenTest::CheckBothPaths(GetParam().Make, Lines.get()), "") << Name;
  }
}

const TFileSet FileSets[] = {
    {"CppOfThisTree", Factory<TCPPParser>(), {SourceDir()}, {".cpp", ".h"}, {"/build", "/.git"}},
    {"CppOfSystemHeaders", Factory<TCPPParser>(), {"/usr/include"}, {".h", ".hpp", ""}, {}},
    {"FormLayoutsOfThisTree", Factory<TDFMParser>(), {SourceDir()}, {".dfm"}, {"/build", "/.git"}},
    {"CorpusPages", Factory<THTMLParser>(), {CorpusDir() + "html"}, {".html"}, {}},
    {"PythonLibrary", Factory<TPythonParser>(), {"/usr/lib/python3.11"}, {".py"}, {"site-packages"}},
    {"PerlModules", Factory<TPerlParser>(), {"/usr/share/perl/5.36.0"}, {".pm", ".pl"}, {}},
    {"JQuery", Factory<TJavaScriptParser>(), {"/usr/share/javascript/jquery/jquery.js"}, {".js"}, {}},
    {"FreePascalRuntime", Factory<TDelphiParser>(), {"/usr/share/fpcsrc/3.2.2/rtl"}, {".pp", ".pas", ".inc"}, {}},
    {"SqlScripts", Factory<TSqlParser>(), {SqlRoot()}, {".sql"}, {}},
    {"VBScriptSample", Factory<TVBScriptParser>(), {std::string(ZUBQ_TEST_DATA_DIR) + "/Samples"}, {".vbs"}, {}},
};

INSTANTIATE_TEST_SUITE_P(Dcparser, RealFiles, ::testing::ValuesIn(FileSets),
                         [](const auto& Info) { return std::string(Info.param.Name); });
}  // namespace
