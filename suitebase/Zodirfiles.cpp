// Path quoting and the conversion of layout files.
#include "suitebase/Zodirfiles.h"

#include "platform/controls/Forms.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Compfiler.h"
#include "suitebase/Fileutils.h"
#include "suitebase/Formhelpers.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace Zodir {

std::string DCEnsureLongPathIsOk(const std::string& Path) {
  return Path.find(' ') != std::string::npos ? "\"" + Path + "\"" : Path;
}

std::string DCEnsureLongPathsAreOk(const std::string& Paths) {
  std::string Result;
  std::size_t Start = 0;
  while (true) {
    const std::size_t End = Paths.find(';', Start);
    Result += DCEnsureLongPathIsOk(Paths.substr(Start, End == std::string::npos ? std::string::npos : End - Start));
    if (End == std::string::npos) {
      return Result;
    }
    Result += ';';
    Start = End + 1;
  }
}

namespace {

namespace fs = std::filesystem;

// Whether a file name matches the mask's name part: "*.ext" by extension (case ignored), else the exact name.
bool Matches(const std::string& Name, const std::string& Mask) {
  if (Mask.size() > 1 && Mask[0] == '*') {
    const std::string Ext = Mask.substr(1);
    return Name.size() >= Ext.size() && SameText(Name.substr(Name.size() - Ext.size()), Ext);
  }
  return SameText(Name, Mask);
}

void ConvertFile(const std::string& FileName) {
  Dccommon::TCompFiler Filer;
  bool Changed = false;
  Filer.OnReaderError = [&](TReader*, const std::string& Message, bool& Handled) {
    Dorazori::WriteToLog(Variant("  " + Message));
    Changed = true;
    Handled = true;
  };
  std::unique_ptr<TComponent> Root;
  try {
    Root.reset(Filer.CreateFromFile(FileName, TForm::StaticClass(), false));
  } catch (const Exception& E) {
    // A file that cannot be read at all is left as it is.
    Dorazori::WriteToLog(Variant("  " + E.Message()));
    return;
  }
  Dorazori::WriteToLog(Variant(FileName));
  if (!Changed || !Root) {
    return;
  }
  const std::string Backup = Dorazori::FileBakName(FileName);
  std::error_code Ignored;
  fs::remove(Backup, Ignored);
  fs::rename(FileName, Backup, Ignored);
  if (Ignored) {
    return;  // the original stays untouched when no backup could be made
  }
  Filer.SaveToFile(FileName, Root.get());
  Dorazori::WriteToLog(Variant(Format("Form %s converted", {FileName})));
}

}  // namespace

void CorrectFormFiles(const std::string& Path, bool Recursive) {
  const std::string MaskPath = SameText(ExtractFileExt(Path), ".DFM") || Path.find('*') != std::string::npos
                                   ? Path
                                   : IncludeTrailingPathDelimiter(Path) + "*.dfm";
  const fs::path Mask(MaskPath);
  const fs::path Folder = Mask.has_parent_path() ? Mask.parent_path() : fs::path(".");
  const std::string FileMask = Mask.filename().string();
  std::vector<std::string> Files;
  std::vector<fs::path> Subfolders;
  std::error_code Error;
  for (fs::directory_iterator It(Folder, Error), End; !Error && It != End; It.increment(Error)) {
    const std::string Name = It->path().filename().string();
    if (It->is_directory(Error)) {
      if (!Name.empty() && Name[0] != '.') {
        Subfolders.push_back(It->path());
      }
    } else if (Matches(Name, FileMask)) {
      Files.push_back(fs::absolute(It->path()).string());
    }
  }
  std::sort(Files.begin(), Files.end());
  for (const std::string& File : Files) {
    ConvertFile(File);
  }
  if (Recursive) {
    std::sort(Subfolders.begin(), Subfolders.end());
    for (const fs::path& Sub : Subfolders) {
      CorrectFormFiles((Sub / FileMask).string(), true);
    }
  }
}

namespace {
void AddUsedModules(TComponent* Component, TComponent* Object, TList* List) {
  for (PPropInfo Info : GetPropList(Object)) {
    if (!Info->PropType || Info->PropType->Kind != tkClass) {
      continue;
    }
    auto* Value = dynamic_cast<TPersistent*>(Info->GetObject(Object));
    if (!Value || Value == Component) {
      continue;
    }
    if (TComponent* Top = Dccommon::GetTopOwner(Value)) {
      List->Add(Top);
    }
  }
}
}  // namespace

void GetUsedModules(TComponent* Component, TList* List) {
  List->Clear();
  if (!Component) {
    return;
  }
  AddUsedModules(Component, Component, List);
  for (int I = Component->ComponentCount() - 1; I >= 0; --I) {
    TComponent* Child = Component->Components(I);
    if (!Child->ComponentState().Contains(csDestroying)) {
      AddUsedModules(Component, Child, List);
    }
  }
}

}  // namespace Zodir
