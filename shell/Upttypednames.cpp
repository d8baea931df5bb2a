// Typed file names of the open and save window.
#include "shell/Upttypednames.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "platform/win/ShlObj.h"
#include "shell/Uptshellutils.h"

bool PTHasWildcardName(const std::string& Text) {
  const std::size_t Slash = Text.rfind('/');
  const std::size_t From = Slash == std::string::npos ? 0 : Slash + 1;
  return Text.find_first_of("*?", From) != std::string::npos;
}

void PTSplitTypedName(const std::string& Text, std::string& Folder, std::string& Name) {
  const std::size_t Slash = Text.rfind('/');
  if (Slash == std::string::npos) {
    Folder.clear();
    Name = Text;
  } else {
    Folder = Text.substr(0, Slash + 1);
    Name = Text.substr(Slash + 1);
  }
}

bool PTIsValidTypedText(const std::string& Text) {
  return Text.find_first_of("\\<>|") == std::string::npos && Text.find("//") == std::string::npos;
}

std::vector<std::string> PTSplitQuotedNames(const std::string& Text) {
  std::vector<std::string> Names;
  std::string Current;
  bool InQuotes = false;
  bool InName = false;
  auto Finish = [&] {
    std::string Name = TrimRight(Current);
    if (!Name.empty()) {
      Names.push_back(std::move(Name));
    }
    Current.clear();
    InName = false;
  };
  for (const char Ch : Text) {
    if (InQuotes) {
      if (Ch == '"') {
        InQuotes = false;
        Finish();
      } else {
        Current += Ch;
      }
    } else if (Ch == '"') {
      if (InName) {
        Finish();
      }
      InQuotes = true;
    } else if (InName) {
      Current += Ch;  // an unquoted name runs up to the next quote, blanks and all
    } else if (Ch != ' ' && Ch != '\t') {
      InName = true;
      Current += Ch;
    }
  }
  Finish();
  return Names;
}

namespace {

bool AllDots(const std::string& Part) { return !Part.empty() && Part.find_first_not_of('.') == std::string::npos; }

// Appends the '/'-separated parts of Text to Parts, with the dot rule.
void AddParts(const std::string& Text, std::vector<std::string>& Parts) {
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find('/', Start);
    if (End == std::string::npos) {
      End = Text.size();
    }
    std::string Part = Text.substr(Start, End - Start);
    if (AllDots(Part)) {
      for (std::size_t Up = Part.size() - 1; Up > 0 && !Parts.empty(); --Up) {
        Parts.pop_back();  // the root is not a part, so nothing climbs above it
      }
    } else if (!Part.empty()) {
      Parts.push_back(std::move(Part));
    }
    Start = End + 1;
  }
}

}  // namespace

bool PTCombineTypedPath(const std::string& Folder, const std::string& Name, std::string& Result) {
  Result.clear();
  if (Name.empty()) {
    return true;
  }
  std::vector<std::string> Parts;
  if (Name[0] != '/') {
    if (Folder.empty() || Folder[0] != '/') {
      return true;
    }
    AddParts(Folder, Parts);
  }
  AddParts(Name, Parts);
  std::string Path;
  for (const std::string& Part : Parts) {
    Path += '/';
    Path += Part;
    if (Path.size() > PTMaxTypedPath) {
      return false;
    }
  }
  Result = Path.empty() ? "/" : Path;
  return true;
}

std::string PTTypeExtension(const std::string& Masks) {
  const std::size_t Dot = Masks.rfind('.');
  if (Dot == std::string::npos) {
    return {};
  }
  std::string Ext = Masks.substr(Dot);
  if (Ext.find_first_of("*?/;") != std::string::npos) {
    return {};
  }
  return Ext;
}

std::string PTNameExtension(const std::string& Name) {
  const std::size_t Slash = Name.rfind('/');
  const std::size_t Start = Slash == std::string::npos ? 0 : Slash + 1;
  const std::size_t Dot = Name.rfind('.');
  if (Dot == std::string::npos || Dot <= Start) {
    return {};
  }
  return Name.substr(Dot);
}

bool PTIsRegisteredExtension(const std::string& Extension) {
  return Extension.size() > 1 && !MimeTypeOfName("name" + Extension).empty();
}

std::string PTApplyDefaultExt(const std::string& Name, const std::string& DefaultExt, const std::string& TypeMasks,
                              bool& ExtensionDifferent, const TPTExtensionTest& IsRegistered) {
  if (DefaultExt.empty()) {
    return Name;
  }
  const std::string NameExt = PTNameExtension(Name);
  std::string Result = Name;
  if (NameExt.empty() || !IsRegistered(NameExt)) {
    const std::string TypeExt = PTTypeExtension(TypeMasks);
    if (TypeExt.empty()) {
      Result += "." + DefaultExt;
    } else if (!SameText(TypeExt, NameExt)) {
      Result += TypeExt;
    }
  }
  ExtensionDifferent = !SameText(PTNameExtension(Result), "." + DefaultExt);
  return Result;
}

std::string PTTypedNameMessage(TPTTypedNameMessage Kind, const std::string& Argument) {
  const char* Fmt = "";
  switch (Kind) {
    case TPTTypedNameMessage::Invalid: Fmt = "%s\nThe above file name is invalid."; break;
    case TPTTypedNameMessage::MustExist:
      Fmt = "%s\nFile not found.\nPlease verify the correct file name was given.";
      break;
    case TPTTypedNameMessage::ReadOnly:
      Fmt = "%s\nThis file exists with Read Only attributes.\nPlease use a different file name.";
      break;
    case TPTTypedNameMessage::Replace: Fmt = "%s already exists.\nDo you want to replace it?"; break;
    case TPTTypedNameMessage::Create: Fmt = "%s\nThis file does not exist.\n\nCreate the file?"; break;
    case TPTTypedNameMessage::Ambiguous:
      Fmt = "More than one file has the name '%s'.\n\nChoose one from the list of files.";
      break;
  }
  return Format(Fmt, {Argument});
}

// ---- TPTTypedNameParser -------------------------------------------------------------------------------------------------

bool TPTTypedNameParser::Parse(const std::string& Text, std::vector<std::string>& Files) {
  Files.clear();
  std::vector<std::string> Names;
  if (Text.find('"') != std::string::npos) {
    Names = PTSplitQuotedNames(Text);
  } else {
    Names.push_back(TrimRight(Text));  // trimmed at the right like every quoted name
  }
  const bool Single = Names.size() == 1;
  for (const std::string& Name : Names) {
    std::string Path;
    const TStep Step = ParseName(Text, Name, Single, Path);
    if (Step == TStep::Stop) {
      Files.clear();
      return false;
    }
    if (Step == TStep::Accepted) {
      Files.push_back(Path);
    }
  }
  // A text that names nothing (only blanks, or a relative name in a folder without a path) is not an answer.
  return !Files.empty();
}

TPTTypedNameParser::TStep TPTTypedNameParser::ParseName(const std::string& Text, const std::string& Name, bool Single,
                                                        std::string& Path) {
  if (!Options.Contains(ptofNoValidate) && !PTIsValidTypedText(Text)) {
    FHost.Ask(TPTTypedNameMessage::Invalid, PTTypedNameMessage(TPTTypedNameMessage::Invalid, Text));
    return TStep::Stop;
  }
  if (!PTCombineTypedPath(FHost.CurrentFolder(), Name, Path)) {
    FHost.Ask(TPTTypedNameMessage::Invalid, PTTypedNameMessage(TPTTypedNameMessage::Invalid, Text));
    return TStep::Stop;
  }
  if (Path.empty()) {
    return TStep::Skipped;
  }
  const DWORD Attributes = GetFileAttributes(Path.c_str());
  const bool IsFile = Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (!IsFile && FHost.IsShellFolder(Path)) {
    FHost.OpenFolder(Path);
    return TStep::Stop;
  }
  if (!Options.Contains(ptofNoDereferenceLinks) && SameText(PTNameExtension(Path), ".desktop")) {
    TLinkData Link;
    if (SUCCEEDED(ResolveShortcut(Path, Link, false)) && !Link.Target.empty() && Link.Target[0] == '/') {
      Path = Link.Target;
    }
  }
  if (Single) {
    std::string Selected;
    if (FHost.NameFromSelection(Selected)) {
      Path = Selected;
    } else {
      bool Different = Options.Contains(ptofExtensionDifferent);
      Path = PTApplyDefaultExt(Path, DefaultExt, TypeMasks, Different);
      if (Different) {
        Options.Include(ptofExtensionDifferent);
      } else {
        Options.Exclude(ptofExtensionDifferent);
      }
      std::string Folder;
      std::string NamePart;
      PTSplitTypedName(Path, Folder, NamePart);
      std::string Current = FHost.CurrentFolder();
      if (Current.empty() || Current.back() != '/') {
        Current += '/';
      }
      if (Folder != Current) {  // file names tell case apart here
        FHost.MoveToFolder(Folder.size() > 1 ? Folder.substr(0, Folder.size() - 1) : Folder);
      }
      std::string Found;
      const int Count = FHost.FindListItems(NamePart, Found);
      if (Count > 1) {
        FHost.Ask(TPTTypedNameMessage::Ambiguous, PTTypedNameMessage(TPTTypedNameMessage::Ambiguous, NamePart));
        FHost.FocusFirstListItem(NamePart);
        return TStep::Stop;
      }
      if (Count == 1 && !Found.empty()) {
        Path = Found;
      }
    }
  }
  return ExistenceAccepts(Path) ? TStep::Accepted : TStep::Stop;
}

bool TPTTypedNameParser::ExistenceAccepts(const std::string& Path) {
  const DWORD Attributes = GetFileAttributes(Path.c_str());
  if (Attributes != INVALID_FILE_ATTRIBUTES) {
    if ((Attributes & FILE_ATTRIBUTE_READONLY) && Options.Contains(ptofNoReadOnlyReturn)) {
      FHost.Ask(TPTTypedNameMessage::ReadOnly, PTTypedNameMessage(TPTTypedNameMessage::ReadOnly, Path));
      return false;
    }
    if (Options.Contains(ptofOverwritePrompt)) {
      return FHost.Ask(TPTTypedNameMessage::Replace, PTTypedNameMessage(TPTTypedNameMessage::Replace, Path)) == IDYES;
    }
    return true;
  }
  if (Options.Contains(ptofFileMustExist)) {
    FHost.Ask(TPTTypedNameMessage::MustExist, PTTypedNameMessage(TPTTypedNameMessage::MustExist, Path));
    return false;
  }
  if (Options.Contains(ptofCreatePrompt)) {
    const std::string Name = ExtractFileName(Path);
    return FHost.Ask(TPTTypedNameMessage::Create, PTTypedNameMessage(TPTTypedNameMessage::Create, Name)) == IDYES;
  }
  return true;
}
