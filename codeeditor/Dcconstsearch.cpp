// The report of string literals in Pascal units that are not resource strings.
#include "codeeditor/Dcmoduleparser.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Fileutils.h"

#include <memory>

namespace Dcparser {

namespace {
constexpr Integer PlainFiles = 0x2F;

// Walks the units of a folder with a Pascal tokenizer and collects the report lines.
class TConstantSearcher : public TObject {
public:
  TConstantSearcher(const std::string& Folder, const std::string& SkipListFile, bool SubFolders)
      : FFolder(IncludeTrailingPathDelimiter(Folder)),
        FSubFolders(SubFolders),
        FOutput(new TStringList()),
        FUnit(new TStringList()),
        FSkipList(new TStringList()),
        FParser(new TDelphiParser(nullptr)) {
    if (!SkipListFile.empty() && FileExists(SkipListFile)) {
      FSkipList->LoadFromFile(SkipListFile);
    }
  }

  bool Run(const std::string& OutputFile) {
    FOutput->Add("");
    FOutput->Add("Directory :  " + FFolder);
    if (FSkipList->Count() > 0) {
      FOutput->Add("Not processed files:");
      for (Integer I = 0; I < FSkipList->Count(); ++I) {
        FOutput->Add(std::string(20, ' ') + FSkipList->Strings(I));
      }
    }
    FOutput->Add("");
    (void)Dorazori::ForEachFile(FFolder + "*.pas", PlainFiles, FSubFolders,  // the count is not needed
                                [this](const std::string& Path, const TSearchRec& Rec, bool&) {
                                  if (!Skipped(Rec.Name)) {
                                    SearchUnit(Path + Rec.Name);
                                  }
                                });
    const std::string Target = ExtractFilePath(OutputFile).empty()
                                   ? IncludeTrailingPathDelimiter(Dorazori::AppFolder()) + OutputFile
                                   : OutputFile;
    FOutput->SaveToFile(Target);
    return FFound;
  }

private:
  bool Skipped(const std::string& Name) const {
    for (Integer I = 0; I < FSkipList->Count(); ++I) {
      if (SameText(Trim(FSkipList->Strings(I)), Name)) {
        return true;
      }
    }
    return false;
  }

  // '{...}': a "{" right after the opening quote and a "}" right before the closing one.
  static bool IsBraced(std::string_view T) { return T.size() >= 4 && T[1] == '{' && T[T.size() - 2] == '}'; }

  static bool HasLetter(std::string_view T) {
    for (const char C : T) {
      if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z')) {
        return true;
      }
    }
    return false;
  }

  void SearchUnit(const std::string& FileName) {
    Dorazori::WriteToLog(Variant(FileName));
    FUnit->LoadFromFile(FileName);
    FParser->SetStrings(nullptr);
    FParser->SetStrings(FUnit.get());
    Integer Depth = 0;
    Integer LastLine = -1;
    bool Reported = false;
    for (Integer Code = FParser->NextToken(); Code != tokEof; Code = FParser->NextToken()) {
      const std::string_view T = FParser->TokenView();
      if (Code == tokComment) {
        Depth += SameText(T, "//BeginSkipConst") ? 1 : SameText(T, "//EndSkipConst") ? -1 : 0;
        continue;
      }
      const Integer Line = FParser->LinePos();
      if (Code != tokString || Depth != 0 || T.size() < 4 || Line == LastLine || !HasLetter(T) || IsBraced(T)) {
        continue;
      }
      const std::string Rest = FUnit->Strings(Line).substr(static_cast<std::size_t>(FParser->GetCharPos()));
      if (Rest.find(FMarker) != std::string::npos) {
        continue;
      }
      FOutput->Add(FileName + "  Line " + std::to_string(Line + 1) + " " + std::string(T));
      FFound = Reported = true;
      LastLine = Line;
    }
    if (Reported) {
      FOutput->Add(" ");
    }
  }

  std::string FFolder;
  std::string FMarker = "don't resource";
  bool FSubFolders;
  bool FFound = false;
  std::unique_ptr<TStringList> FOutput;
  std::unique_ptr<TStringList> FUnit;
  std::unique_ptr<TStringList> FSkipList;
  std::unique_ptr<TDelphiParser> FParser;
};
}  // namespace

bool SearchNotResourcedStrings(const std::string& Folder, const std::string& OutputFile,
                               const std::string& SkipListFile, bool SubFolders) {
  TConstantSearcher Searcher(Folder, SkipListFile, SubFolders);
  return Searcher.Run(OutputFile);
}

}  // namespace Dcparser
