// Shell integration: verbs, Open With entries, the desktop entry and associations, the source viewer, the hot key.
#include "core/Shellintegration.h"

#include "core/Ekregistryex.h"
#include "core/Prgclass.h"
#include "core/Strtext.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Desktop.h"
#include "platform/win/DesktopFiles.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/ShlObj.h"
#include "platform/win/VirtualKeys.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char ProgramDisplayName[] = "ZUB Quillon Pro";
const char ValidateMenuText[] = "&Validate using ZUB Quillon Pro";
const char EditMenuText[] = "&Edit with ZUB Quillon Pro";
const char ValidateArgument[] = "-v";
const char EditArgument[] = "-o";

const char ErrorCaption[] = "Quillon: Error";
const char SuccessCaption[] = "Quillon: Success";

// One group of the association table: its extensions share a class; a failure stops at the group's end.
struct AssociationGroup {
  const char* Name;
  std::vector<const char*> Extensions;
  const char* Class;
  const char* Description;
};

const std::vector<AssociationGroup>& AssociationTable() {
  static const std::vector<AssociationGroup> Table = {
      {"htm", {".htm"}, "htmlfile", "Hypertext Document"},
      {"css", {".css"}, "cssfile", "Cascading Style Sheet"},
      {"smi", {".smi"}, "smilfile", "SMIL Document"},
      {"wml", {".wml"}, "wmlfile", "WML Document"},
      {"html", {".html"}, "htmlfile", "Hypertext Document"},
      {"smil", {".smil"}, "smilfile", "SMIL Document"},
      {"rt", {".rt"}, "rtfile", "RealText Clip"},
      {"asp", {".asp"}, "aspfile", "Active Server Document"},
      {"php3", {".php4", ".php3", ".php"}, "phpfile", "PHP Hypertext Processor Document"},
      {"cfm", {".cfm"}, "cfmlfile", "Cold Fusion Document"},
      {"cfml", {".cfml"}, "cfmlfile", "Cold Fusion Document"},
      {"shtml", {".shtml"}, "shtmlfile", "Server Parsed Hypertext Document"},
      {"shtm", {".shtm"}, "shtmlfile", "Server Parsed Hypertext Document"},
  };
  return Table;
}

int Ask(HWND Owner, const std::string& Text, const char* Caption) {
  return MessageBox(Owner, Text.c_str(), Caption, MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND);
}

void Tell(HWND Owner, const std::string& Text, const char* Caption, UINT Icon) {
  (void)MessageBox(Owner, Text.c_str(), Caption, MB_OK | Icon | MB_SETFOREGROUND);
}

// The default value of a key under HKEY_CLASSES_ROOT; empty when the key or the value is missing.
std::string ClassesDefault(const std::string& Path) {
  std::unique_ptr<char[]> Data = ReadRegistryValue("", nullptr, HKEY_CLASSES_ROOT, Path.c_str(), 0, 1);
  return Data != nullptr ? std::string(Data.get()) : std::string();
}

bool SetClassesDefault(const std::string& Path, const std::string& Text) {
  return WriteRegistryValue("", Text.c_str(), HKEY_CLASSES_ROOT, Path.c_str(), REG_SZ, 0) != 0;
}

// A command line of a verb: the program in double quotes, the switch and the document in double quotes.
std::string VerbArguments(const char* Switch) { return std::string(Switch) + " \"%1\""; }

std::string QuotedCommand(const StrStore& Program, const char* Switch) {
  return "\"" + std::string(Program.text) + "\" " + VerbArguments(Switch);
}

std::string FileNameOf(const StrStore& Path) {
  const std::string P = Path.text;
  const std::size_t Slash = P.find_last_of(StrText::FileSeparator);
  return Slash == std::string::npos ? P : P.substr(Slash + 1);
}

// ---- The installer's values -----------------------------------------------------------------------------------

// The running program's folder and file name, which stand in for the installer's values.
std::string RunningProgramFolder() { return ProgramFolderOfProcess().text; }

std::string RunningProgramFile() {
  const std::string Exe = GetModuleFileNameString(nullptr);
  const std::size_t Slash = Exe.find_last_of(StrText::FileSeparator);
  return Slash == std::string::npos ? Exe : Exe.substr(Slash + 1);
}

// Reads a value of the open settings key; a missing or empty one takes Fallback and is written back. False when the
// store cannot be read or written.
bool ReadOrInstall(EkRegistryEx& Reg, const char* Name, const std::string& Fallback, std::string& Text) {
  if (Reg.ValueExists(Name)) {
    Text = Reg.ReadString(Name);
    if (!Text.empty()) {
      return true;
    }
  }
  Text = Fallback;
  return Reg.WriteStringEx(Name, Text.c_str());
}

void ReportPathFailure(HWND Owner) {
  Tell(Owner,
       "GetPathFromRegistry() failed. The registry is missing expected entries. Please try reinstalling Quillon "
       "using the setup program.",
       "Quillon: GetPathFromRegistry() Failed", MB_ICONERROR);
}

// ---- The desktop's side: the entry and the user's associations -------------------------------------------------

std::string DesktopEntryPath() { return UserApplicationsFolder() + "/" + DESKTOP_ENTRY_ID; }

std::string MenuName(const char* MenuText) {
  std::string Name;
  for (const char* C = MenuText; *C != '\0'; ++C) {
    if (*C != '&') {
      Name += *C;
    }
  }
  return Name;
}

// The types of the table's extensions that the shared MIME database knows, in table order, each once.
std::vector<std::string> AssociatedMimeTypes() {
  std::vector<std::string> Types;
  for (const AssociationGroup& Group : AssociationTable()) {
    for (const char* Extension : Group.Extensions) {
      const std::string Type = MimeTypeOfName(std::string("document") + Extension);
      if (!Type.empty() && std::find(Types.begin(), Types.end(), Type) == Types.end()) {
        Types.push_back(Type);
      }
    }
  }
  return Types;
}

bool AddDesktopAssociations(const StrStore& Editor, const StrStore& Validator) {
  TApplicationEntry Entry;
  Entry.Name = ProgramDisplayName;
  Entry.Exec = QuoteExecArgument(Editor.text) + " " + EditArgument + " %f";
  Entry.MimeTypes = AssociatedMimeTypes();
  Entry.Actions = {
      {"Validate", MenuName(ValidateMenuText), QuoteExecArgument(Validator.text) + " " + ValidateArgument + " %f"},
      {"Edit", MenuName(EditMenuText), QuoteExecArgument(Editor.text) + " " + EditArgument + " %f"},
  };
  if (!WriteTextFileAtomic(DesktopEntryPath(), FormatApplicationEntry(Entry))) {
    return false;
  }
  const std::string List = UserMimeAppsListPath();
  std::string Text;
  if (!ReadTextFile(List, Text) && errno != ENOENT) {
    return false;
  }
  return WriteTextFileAtomic(List, AddMimeAssociations(Text, DESKTOP_ENTRY_ID, Entry.MimeTypes));
}

bool RemoveDesktopAssociations() {
  bool Ok = std::remove(DesktopEntryPath().c_str()) == 0 || errno == ENOENT;
  const std::string List = UserMimeAppsListPath();
  std::string Text;
  if (!ReadTextFile(List, Text)) {
    return Ok && errno == ENOENT;
  }
  const std::string Left = RemoveMimeAssociations(Text, DESKTOP_ENTRY_ID);
  if (Left == Text) {
    return Ok;
  }
  // A list that held nothing but our lines was made by us: it goes as a whole.
  Ok = (Left.empty() ? std::remove(List.c_str()) == 0 : WriteTextFileAtomic(List, Left)) && Ok;
  return Ok;
}

// ---- The registry's side ---------------------------------------------------------------------------------------

void AddOpenWithEntries(const StrStore& Editor) {
  const std::string File = FileNameOf(Editor);
  const std::string Command = QuotedCommand(Editor, EditArgument);
  // The Open With entries are a convenience: a failure here does not fail the associations.
  (void)SetClassesDefault(".htm\\OpenWithList\\" + File + "\\shell\\edit\\command", Command);
  (void)WriteRegistryValue("FriendlyCache", ProgramDisplayName, HKEY_CLASSES_ROOT,
                           ("Applications\\" + File + "\\shell").c_str(), REG_SZ, 0);
  (void)SetClassesDefault("Applications\\" + File + "\\shell\\edit\\command", Command);
}

// Deletes a key of HKEY_CLASSES_ROOT with everything below it.
void DeleteClassesTree(const std::string& Path) {
  try {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CLASSES_ROOT);
    if (Reg.KeyExists(Path)) {
      (void)Reg.DeleteKey(Path);  // what cannot be deleted stays, as the Open With entries' failures are ignored
    }
  } catch (const Exception&) {
    // The same: an Open With entry that stays does no harm.
  }
}

// Adds both verbs to every extension of the group; false when one failed.
bool AddGroup(const AssociationGroup& Group, const StrStore& Editor, const StrStore& Validator) {
  bool Ok = true;
  for (const char* Extension : Group.Extensions) {
    Ok = AddShellVerb(Extension, ValidateMenuText, Validator.text, VerbArguments(ValidateArgument).c_str(), Group.Class,
                      VALIDATE_VERB, Group.Description) != 0 &&
         Ok;
    Ok = AddShellVerb(Extension, EditMenuText, Editor.text, VerbArguments(EditArgument).c_str(), Group.Class, EDIT_VERB,
                      Group.Description) != 0 &&
         Ok;
  }
  return Ok;
}

std::string AssociationQuestion(int OfferLater) {
  std::string Text =
      "Would you like to add associations and actions to the registry so that you can right click on an HTML "
      "document and edit it or validate it with ZUB Quillon Professional?";
  Text += " This will also let you edit";
  Text += " or validate";
  Text += " the document from the edit button of Internet Explorer v5.0 and above.";
  if (OfferLater != 0) {
    Text +=
        " If you decide not to do this now, you can do it later by selecting 'Add Associations to the Registry' in "
        "the Options->File Associations menu.";
  }
  Text += " Answering 'Yes' is recommended.";
  return Text;
}

bool ReadProgramPaths(HWND Owner, StrStore& Editor, StrStore& Validator) {
  StrStore Value;
  return GetPathFromRegistry(Owner, Value, Validator, VALIDATOR_EXE_VALUE, REGPATH_NAMED_VALUE) != 0 &&
         GetPathFromRegistry(Owner, Value, Editor, EDITOR_EXE_VALUE, REGPATH_NAMED_VALUE) != 0;
}

bool ContainsIgnoringCase(const std::string& Text, const char* Part) {
  return AnsiLowerCase(Text).find(AnsiLowerCase(Part)) != std::string::npos;
}

}  // namespace

int GetPathFromRegistry(HWND Owner, StrStore& Value, StrStore& Path, const char* Name, int Mode) {
  bool Ok = false;
  std::string Folder;
  std::string Text;
  try {
    EkRegistryEx Reg(EKREG_USE_FALLBACK);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    Ok = Reg.OpenKeyEx(SETTINGS_ROOT, true) != 0 && Reg.CurrentKey() != 0 &&
         ReadOrInstall(Reg, INSTALL_DIR_VALUE, RunningProgramFolder(), Folder);
    if (Ok && Mode == REGPATH_NAMED_VALUE) {
      const bool Program = SameText(Name, EDITOR_EXE_VALUE) || SameText(Name, VALIDATOR_EXE_VALUE);
      Ok = Program ? ReadOrInstall(Reg, Name, RunningProgramFile(), Text)
                   : Reg.ValueExists(Name) && !(Text = Reg.ReadString(Name)).empty();
    }
  } catch (const Exception&) {
    Ok = false;
  }
  if (!Ok) {
    ReportPathFailure(Owner);
    return 0;
  }
  if (!Folder.empty() && Folder.size() > 1 && Folder.back() == StrText::FileSeparator) {
    Folder.pop_back();
  }
  if (Mode == REGPATH_NAMED_VALUE) {
    Value.assign(Text.c_str());
  }
  Path.assign(Folder.c_str())
      .appendChar(StrText::FileSeparator)
      .append(Mode == REGPATH_NAMED_VALUE ? Text.c_str() : Name);
  return 1;
}

int AddShellVerb(const char* Extension, const char* MenuText, const char* ProgramPath, const char* Arguments,
                 const char* DefaultClass, const char* Verb, const char* Description) {
  std::string Class = ClassesDefault(Extension);
  if (!Class.empty()) {
    if (ClassesDefault(Class).empty()) {
      (void)SetClassesDefault(Class, Description);  // a description is a courtesy; the verbs matter
    }
  } else {
    if (!SetClassesDefault(Extension, DefaultClass) || !SetClassesDefault(DefaultClass, Description)) {
      return 0;
    }
    Class = ClassesDefault(Extension);
  }
  const std::string VerbKey = Class + "\\shell\\" + Verb;
  const bool Named = SetClassesDefault(VerbKey, MenuText);
  const bool Command =
      SetClassesDefault(VerbKey + "\\command", "\"" + std::string(ProgramPath) + "\" " + std::string(Arguments));
  return Named && Command ? 1 : 0;
}

int RemoveShellVerbs(const char* Extension, const char* Verb, const char* Verb2) {
  const std::string Class = ClassesDefault(Extension);
  if (Class.empty()) {
    return 1;
  }
  int Result = 1;
  for (const char* V : {Verb, Verb2}) {
    if (V == nullptr) {
      continue;
    }
    const std::string Key = Class + "\\shell\\" + V;
    Result &= DeleteRegistryKey(HKEY_CLASSES_ROOT, (Key + "\\command").c_str());
    Result &= DeleteRegistryKey(HKEY_CLASSES_ROOT, Key.c_str());
  }
  return Result;
}

int AddFileAssociations(HWND Owner, int OfferLater, int Report) {
  if (Ask(Owner, AssociationQuestion(OfferLater), "Quillon: Add Associations To The Registry?") != IDYES) {
    return 1;
  }
  StrStore Editor, Validator;
  bool Ok = ReadProgramPaths(Owner, Editor, Validator);
  if (Ok) {
    const AssociationGroup* Failed = nullptr;
    {
      // Every key goes to the store in one write; the message waits until the store is free again.
      TRegistryWriteBatch Batch;
      AddOpenWithEntries(Editor);
      for (const AssociationGroup& Group : AssociationTable()) {
        if (!AddGroup(Group, Editor, Validator)) {
          Failed = &Group;
          break;
        }
      }
      if (Batch.End() != ERROR_SUCCESS && Failed == nullptr) {
        Failed = &AssociationTable().front();
      }
    }
    if (Failed != nullptr) {
      Tell(Owner, std::string("An error occurred attempting to add the associations for ") + Failed->Name + " files.",
           ErrorCaption, MB_ICONERROR);
      Ok = false;
    }
  }
  Ok = Ok && AddDesktopAssociations(Editor, Validator);
  if (!Ok && Owner != 0) {
    Report = 1;
  }
  if (Report != 0 && Ok) {
    Tell(Owner, "The Quillon file associations were successfully added to the registry.", SuccessCaption,
         MB_ICONINFORMATION);
  } else if (Report != 0) {
    Tell(Owner,
         "The Quillon file associations could not be added successfully to the registry. If you are using Windows "
         "NT, 2000, or XP, then you may need to have administrator priviledges. Reinstalling Quillon with the setup "
         "program may also correct the problem.",
         ErrorCaption, MB_ICONERROR);
  }
  return Ok ? 1 : 0;
}

int RemoveFileAssociations(HWND Owner, int Report) {
  StrStore Editor, Validator;
  int Result = ReadProgramPaths(Owner, Editor, Validator) ? 1 : 0;
  TRegistryWriteBatch Batch;
  // An Open With entry holds the program's command below its key, so the whole key goes.
  DeleteClassesTree(".htm\\OpenWithList\\ZUB Quillon Pro");
  DeleteClassesTree(".htm\\OpenWithList\\ZUB Quillon Pro [Validate]");
  if (Result != 0) {
    DeleteClassesTree(".htm\\OpenWithList\\" + FileNameOf(Editor));
    DeleteClassesTree(".htm\\OpenWithList\\" + FileNameOf(Validator));
  }
  static const char* const BothVerbsFirst[] = {".htm", ".css",  ".html",  ".asp",  ".php3", ".php4", ".php",
                                               ".cfm", ".cfml", ".shtml", ".shtm", ".scp",  ".lst"};
  static const char* const EditVerbs[] = {".htm", ".css", ".html", ".asp",  ".php3", ".php4",
                                          ".php", ".cfm", ".cfml", ".shtm", ".shtml"};
  static const char* const Media[] = {".smi", ".smil", ".rt", ".wml"};
  for (const char* Extension : BothVerbsFirst) {
    Result &= RemoveShellVerbs(Extension, VALIDATE_VERB, nullptr);
  }
  for (const char* Extension : EditVerbs) {
    Result &= RemoveShellVerbs(Extension, EDIT_VERB, nullptr);
  }
  for (const char* Extension : Media) {
    Result &= RemoveShellVerbs(Extension, VALIDATE_VERB, nullptr);
  }
  for (const char* Extension : Media) {
    Result &= RemoveShellVerbs(Extension, EDIT_VERB, nullptr);
  }
  Result &= Batch.End() == ERROR_SUCCESS ? 1 : 0;
  Result &= RemoveDesktopAssociations() ? 1 : 0;
  if (Report != 0 && Result != 0) {
    Tell(Owner, "The ZUB Quillon Professional file associations were successfully removed from the registry.",
         SuccessCaption, MB_ICONINFORMATION);
  }
  return Result;
}

int MakeSourceViewer(HWND Owner, int OfferLater) {
  StrStore Value, Validator;
  if (GetPathFromRegistry(Owner, Value, Validator, VALIDATOR_EXE_VALUE, REGPATH_NAMED_VALUE) == 0) {
    return 1;
  }
  std::string Question =
      "Would you like to make ZUB Quillon Professional the source viewer in Internet Explorer (may require "
      "administrator priviledges to make the change)? If yes, then Quillon will validate the source and display the "
      "results when the View->Source command is used in Internet Explorer. You can always undo this later by "
      "choosing 'Restore Source Viewer in Internet Explorer' in the Options->Registry menu.";
  if (OfferLater != 0) {
    Question +=
        " If you decide not to do this now, you can do it later by selecting 'Make Source Viewer in Internet "
        "Explorer' in the Options->Registry menu.";
  }
  if (Ask(Owner, Question, "Quillon: Make Source Viewer in Internet Explorer?") != IDYES) {
    return 1;
  }
  try {
    EkRegistryEx Reg(0);
    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (Reg.OpenKeyEx(SOURCE_VIEWER_KEY, true) == 0 || Reg.CurrentKey() == 0) {
      return 1;
    }
    const std::string Current = Reg.ValueExists("") ? Reg.ReadString("") : std::string();
    if (Current != Validator.text && !ContainsIgnoringCase(Current, "cmdlineprocessor")) {
      (void)Reg.DeleteValueEx(SOURCE_VIEWER_SAVED);  // missing the first time
      (void)Reg.WriteStringEx(SOURCE_VIEWER_SAVED, Current.c_str());
      (void)Reg.DeleteValueEx("");
    }
    (void)Reg.WriteStringEx("", Validator.text);
  } catch (const Exception&) {
    // A store that refuses the change: the message below is the same as on the platform, which cannot tell.
  }
  Tell(Owner, "Internet Explorer may need to be restarted for the change to take effect.", "Quillon",
       MB_ICONINFORMATION);
  return 1;
}

int RestoreSourceViewer(HWND Owner, int Quiet) {
  if (Quiet == 0 &&
      Ask(Owner,
          "Would you like to restore the source viewer in Internet Explorer (may require administrator priviledges "
          "to make the change)?",
          "Quillon: Restore Source Viewer in Internet Explorer?") != IDYES) {
    return 1;
  }
  bool Saved = false;
  bool Ok = false;
  try {
    EkRegistryEx Reg(0);
    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (Reg.OpenKey(SOURCE_VIEWER_KEY, false) && Reg.ValueExists(SOURCE_VIEWER_SAVED)) {
      Saved = true;
      const std::string Old = Reg.ReadString(SOURCE_VIEWER_SAVED);
      if (!Reg.ValueExists("") || Reg.DeleteValue("")) {
        if (!Old.empty()) {
          Reg.WriteString("", Old);
          Ok = Reg.DeleteValue(SOURCE_VIEWER_SAVED);
        } else {
          Ok = Reg.DeleteValue(SOURCE_VIEWER_SAVED);
          Reg.CloseKey();
          Ok = Reg.OpenKey(SOURCE_VIEWER_PARENT, false) && Reg.DeleteKey("Editor Name") && Ok;
        }
      }
    }
  } catch (const Exception&) {
    // A store that refuses the change: reported below as a failure.
  }
  if (Quiet != 0) {
    return 1;
  }
  if (!Saved) {
    Tell(Owner,
         "The original source viewer could not be restored because it has already been restored or because the "
         "original viewer is unknown.",
         "Quillon: Restore Source Viewer Failed", MB_ICONERROR);
  } else if (Ok) {
    Tell(Owner, "Internet Explorer may need to be restarted for the change to take effect.",
         "Quillon: Source Viewer Restored", MB_ICONINFORMATION);
  } else {
    Tell(Owner, "A problem occurred. You may need administrator privileges to change the registry.",
         "Quillon: Restore Source Viewer Failed", MB_ICONERROR);
  }
  return 1;
}

int MakeDefaultEditor() { return 1; }

int SetHotKey(HWND Wnd, int On) {
  if (On != 0) {
    // A key another program holds stays with it; the window then only answers F2 while it has the focus.
    (void)RegisterHotKey(Wnd, MAIN_HOTKEY_ID, 0, VK_F2);
  } else {
    (void)UnregisterHotKey(Wnd, MAIN_HOTKEY_ID);
  }
  return 1;
}

int CheckLogFileExists(HWND Owner, const char* LogFile) {
  if (LogFile != nullptr) {
    if (std::FILE* F = std::fopen(LogFile, "rb")) {
      std::fclose(F);
      return 1;
    }
  }
  Tell(Owner, "There is currently no log file on disk.", "Quillon: No Log File On Disk", MB_ICONINFORMATION);
  return 0;
}
