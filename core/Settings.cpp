// The settings load and save: the complete layout under the settings root.
#include "core/Settings.h"

#include "core/Commandqueue.h"
#include "core/Ekregistryex.h"
#include "core/Inserterclass.h"
#include "core/Mainwindowservices.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Strtext.h"
#include "core/Timeutils.h"
#include "core/Validatorlib.h"

#include "core/Batchwizclass.h"
#include "platform/graphics/Graphics.h"
#include "platform/win/MessageBox.h"
#include "platform/win/RegistryStore.h"

#include <string>

namespace {

// Where the program's other product reads what this one can do.
const char CapabilityKey[] = "\\Software\\Palvane\\Orlo Quillon";

std::string Key(const char* Sub) { return std::string("\\") + SETTINGS_ROOT + (Sub[0] != 0 ? "\\" : "") + Sub; }

std::string Name(const StrStore& Prefix, const char* Suffix) { return std::string(Prefix.text) + Suffix; }

// One settings pass: the registry object and the AND of every step.
class TSettingsPass {
public:
  explicit TSettingsPass(int Options) : Reg(Options) { Reg.SetRootKey(HKEY_CURRENT_USER); }

  EkRegistryEx Reg;
  int Ok = 1;

  void Open(const std::string& Path) { Ok &= Reg.OpenKeyEx(Path, true); }
  void Close() { Reg.CloseKey(); }
  void Int(const char* N, int& Value) { Ok &= Reg.ReadIntegerEx(N, Value); }
  void Int(const std::string& N, int& Value) { Ok &= Reg.ReadIntegerEx(N, Value); }
  template <class Tag> void Flags(const char* N, TFlagWord<Tag>& Word) {
    int Value = Word.asInt();
    Int(N, Value);
    Word.fromInt(Value);
  }
  void Text(const char* N, StrStore& Value, int F = EKREG_WRITE_BACK) { Ok &= Reg.ReadStrStoreEx(N, Value, F); }
  void Text(const std::string& N, StrStore& Value) { Ok &= Reg.ReadStrStoreEx(N, Value, EKREG_WRITE_BACK); }
  // A float of another type keeps its default; only a failed write-back counts.
  void Float(const char* N, float& Value) {
    double D = Value;
    try {
      Reg.ReadFloatEx(N, D);
      Value = static_cast<float>(D);
    } catch (const Exception&) {
      Ok &= Reg.ValueExists(N) ? 1 : 0;
    }
  }
  // A text through the batch wizard's accessors.
  void BatchText(const char* N, batchwizclass& B, int Get, int Set) {
    const StrStore* Current = B.getString(Get);
    StrStore Value = Current != nullptr ? *Current : StrStore();
    Text(N, Value);
    B.setString(Value.text, Set);
  }

  void PutInt(const char* N, int Value) { Ok &= Reg.WriteIntegerEx(N, Value) ? 1 : 0; }
  void PutInt(const std::string& N, int Value) { Ok &= Reg.WriteIntegerEx(N, Value) ? 1 : 0; }
  void PutText(const char* N, const StrStore& Value) { Ok &= Reg.WriteStrStoreEx(N, Value) ? 1 : 0; }
  void PutFloat(const char* N, float Value) {
    try {
      Reg.WriteFloatEx(N, Value);
    } catch (const Exception&) {
      Ok = 0;
    }
  }
  void PutBatchText(const char* N, const batchwizclass& B, int Get) {
    const StrStore* Value = B.getString(Get);
    PutText(N, Value != nullptr ? *Value : StrStore());
  }
};

void RemoveTrailingSeparators(StrStore& Folder) {
  while (Folder.length > 1 && Folder.text[Folder.length - 1] == StrText::FileSeparator) {
    Folder.cut(1, 1);
  }
}

void DefaultFileBeside(StrStore& File, const StrStore& Folder, const char* Name) {
  if (File.length == 0) {
    File = JoinPath(Folder, Name);
  }
}

template <class Fn> void ForEachInserter(volatileclass& V, Fn&& F) {
  for (int I = 0; V.inserters != nullptr && I < V.inserters->getCount(); ++I) {
    if (auto* Inserter = static_cast<inserterclass*>(V.inserters->getPointer(I))) {
      F(*Inserter);
    }
  }
}

void LoadInterface(TSettingsPass& P, interfaceclass& UI, prgconfigclass& Config, volatileclass& V) {
  P.Open(Key("Editor\\Interface"));
  P.Int("MainFormTop", UI.mainFormTop);
  P.Int("MainFormLeft", UI.mainFormLeft);
  P.Int("MainFormWidth", UI.mainFormWidth);
  P.Int("MainFormHeight", UI.mainFormHeight);
  P.Int("BatchFormTop", UI.batchFormTop);
  P.Int("BatchFormLeft", UI.batchFormLeft);
  P.Int("BatchFormWidth", UI.batchFormWidth);
  P.Int("BatchFormHeight", UI.batchFormHeight);
  P.Float("StructureSplitPosition", UI.structureSplit);
  P.Float("ScratchPadSplitPosition", UI.scratchPadSplit);
  P.Int("VertSplit1Position", UI.vertSplit1);
  P.Int("HorzSplit2Position", UI.horzSplit2);
  P.Int("HorzSplit2Position2", UI.horzSplit2Second);
  P.Float("EditorSplitPosition", UI.editorSplit);
  P.Int("ResourceSortColumn", UI.resourceSortColumn);
  P.Int("ResourceSortColumn2", UI.resourceSortColumn2);
  P.Int("OpenDialogHeight", UI.openDialogHeight);
  P.Int("OpenDialogWidth", UI.openDialogWidth);
  P.Int("SaveDialogHeight", UI.saveDialogHeight);
  P.Int("SaveDialogWidth", UI.saveDialogWidth);
  P.Int("HorzSplit1Position", UI.horzSplit1);
  P.Int("ResultsMessageSplitPosition", UI.resultsMessageSplit);
  P.Int("OpenedFilesSortBy", UI.openedFilesSortColumn);
  P.Int("OpenDialogViewStyle", UI.openDialogViewStyle);
  P.Int("SaveDialogViewStyle", UI.saveDialogViewStyle);
  P.Int("OpenDialogSortColumn", UI.openDialogSortColumn);
  P.Int("SaveDialogSortColumn", UI.saveDialogSortColumn);
  P.Int("MenuSkin", UI.menuSkin);
  ForEachInserter(V, [&](inserterclass& I) {
    P.Int(Name(I.registryName, "Top"), I.top);
    P.Int(Name(I.registryName, "Left"), I.left);
    P.Int(Name(I.registryName, "Width"), I.width);
  });
  V.normalLeft = UI.mainFormLeft;
  V.normalTop = UI.mainFormTop;
  V.normalWidth = UI.mainFormWidth;
  V.normalHeight = UI.mainFormHeight;
  V.normalBoundsKnown = 1;
  P.Int("DragDropWindowTop", UI.dragDropWindowTop);
  P.Int("DragDropWindowLeft", UI.dragDropWindowLeft);
  P.Flags("Flags40", UI.flags);
  P.Flags("Flags2V45", UI.flags2);
  P.Flags("Flags3", UI.flags3);
  P.Text("SelectedFolder", UI.selectedFolder);
  P.Text("SelectedFolder2", UI.selectedFolder2);
  P.Int("RightMargin", Config.rightMargin);
  P.Text("TabStops", Config.tabStops);
  StrStore FontName("Courier New");
  int FontSize = 10;
  P.Text("EditorFontName", FontName);
  P.Int("EditorFontSize", FontSize);
  Config.editorFont->SetName(FontName.text);
  Config.editorFont->SetSize(FontSize);
  P.Int("EditorBackgroundColor", Config.backgroundColor);
  P.Int("EditorFontColor", Config.fontColor);
  P.Int("EditorLineNumberColor", Config.lineNumberColor);
  P.Close();
}

void LoadOptions(TSettingsPass& P, prgconfigclass& Config, volatileclass& V) {
  P.Open(Key("Editor\\Options"));
  P.Flags("Flags40", Config.flags);
  P.Text("BrowserPreviewExtensions", Config.previewExtensions);
  P.Text("DefaultFileExtension", Config.defaultFileExtension);
  P.Text("NoExtensionFileTypeID", Config.noExtensionFileType);
  ForEachInserter(V, [&](inserterclass& I) { P.Text(Name(I.registryName, "ConfigFilenameV60"), I.configFile); });
  P.Int("DocChangeAction", Config.docChangeAction);
  P.Int("SaveFileFormat", Config.saveFileFormat);
  P.Text("ScratchPad1FilenameV60", Config.scratchPad1File);
  P.Text("ScratchPad2FilenameV60", Config.scratchPad2File);
  UpdateInserters(V.inserters, INSERTERS_RESOLVE_FILES);
  P.Close();
}

void LoadBatchWizard(TSettingsPass& P, batchwizclass& B, volatileclass& V) {
  if (B.getString(BWGET_REPORT)->length == 0) {
    B.setString(JoinPath(V.programFolder, "batchreport.html").text, BWSET_REPORT);
  }
  if (B.getString(BWGET_CSS)->length == 0) {
    B.setString(JoinPath(V.programFolder, "batchreporttemplate.css").text, BWSET_CSS);
  }
  DefaultFileBeside(B.textReportFileName, V.programFolder, "batchreport.txt");
  B.workingDirectory = V.temporaryFolder;
  P.Open(Key("Editor\\BatchWizard"));
  P.Flags("Flags40", B.optionFlags);
  P.Int("Tool", B.toolNumber);
  P.Text("JobSubtype", B.jobSubtype);
  P.BatchText("DefaultHTMLResultsFilenameV60", B, BWGET_REPORT, BWSET_REPORT);
  P.BatchText("DefaultCSSFilenameV60", B, BWGET_CSS, BWSET_CSS);
  P.BatchText("DefaultHTMLFooterFilenameV60", B, BWGET_FOOTER, BWSET_FOOTER);
  P.BatchText("LastReportFilename", B, BWGET_LAST_REPORT, BWSET_LAST_REPORT);
  P.Text("LastOpenListFilename", B.listFileName);
  P.Text("LastOpenDirectory", B.lastOpenDirectory);
  P.Text("WorkingDirectory", B.workingDirectory);
  P.Text("LastAddFilesDirectory", B.lastAddFilesDirectory);
  P.Text("LastAddDirectory", B.lastAddDirectory);
  P.Text("FollowLinksDefaultExt", B.followLinkExtensions);
  P.Int("ReportsPerPage", B.reportsPerPage);
  P.Int("TargetListLimit", B.targetListLimit);
  P.Int("URLDownloadTimeout", B.downloadTimeout);
  P.Int("MaxConcurrentHTTPRequests", B.maxHttpRequests);
  B.reportsPerPage = B.reportsPerPage < 1 ? 1 : B.reportsPerPage;
  B.maxHttpRequests = B.maxHttpRequests < 1 ? 1 : B.maxHttpRequests;
  P.Close();
}

void LoadTools(TSettingsPass& P, toolsclass& T) {
  P.Open(Key("Editor\\Tools"));
  P.Flags("Flags40", T.flags);
  P.Int("DefaultDragAndDropTool", T.defaultDragDropTool);
  P.Text("LastToolFilename", T.lastToolFile);
  P.Text("LastValidateToolFilename", T.lastValidatedToolFile);
  P.Close();
}

void LoadUpdateCheck(TSettingsPass& P, volatileclass& V) {
  P.Open(Key("Control"));
  const int Today = GetApproximateDayNumber();
  V.lastUpdateCheckDay = Today;
  P.Int("LastUpdateCheck", V.lastUpdateCheckDay);
  if (Today < V.lastUpdateCheckDay || Today - V.lastUpdateCheckDay >= 14) {
    V.stateFlags.set(VSF::UpdateCheckDue, true);
  }
  P.Close();
}

int LoadAll() {
  prgclass& R = *prg;
  volatileclass& V = *R.volatileState;
  TSettingsPass P(EKREG_USE_FALLBACK);
  // 1. The settings root: the install folder and the first-run marker.
  P.Open(Key(""));
  P.Text("InstallDirV60", V.programFolder, EKREG_WRITE_BACK | EKREG_SKIP_EMPTY);
  if (V.programFolder.length == 0) {
    P.Text("InstallDir", V.programFolder, 0);
  }
  RemoveTrailingSeparators(V.programFolder);
  V.documentationFolder = JoinPath(V.programFolder, "Documentation");
  DefaultFileBeside(R.editorOptions->scratchPad1File, V.programFolder, "scratchpad1.txt");
  DefaultFileBeside(R.editorOptions->scratchPad2File, V.programFolder, "scratchpad2.txt");
  UpdateInserters(V.inserters, INSERTERS_RESOLVE_FILES);
  int FirstTime = 1;
  P.Ok &= P.Reg.ReadBoolEx("FirstTimeAfterInstall", FirstTime);
  P.Close();
  LoadInterface(P, *R.interface, *R.editorOptions, V);
  LoadOptions(P, *R.editorOptions, V);
  LoadBatchWizard(P, *R.batchWizard, V);
  LoadTools(P, *R.tools);
  LoadUpdateCheck(P, V);
  P.Open(Key(FILE_FILTERS_KEY));
  P.Int("ShellListFileFilter", R.interface->shellListFileFilter);
  P.Int("ShellListFileFilter2", R.interface->shellListFileFilter2);
  P.Close();
  P.Open(CapabilityKey);
  P.Ok &= P.Reg.WriteStringEx("ExternalCapability", "4") ? 1 : 0;
  P.Close();
  if (FirstTime == 1 && P.Ok != 0 && QueueFirstRunCommands(&V) != 0) {
    P.Open(Key(""));
    P.Ok &= P.Reg.WriteBoolEx("FirstTimeAfterInstall", false) ? 1 : 0;
    P.Close();
  }
  return P.Ok;
}

void SaveInterface(TSettingsPass& P, const interfaceclass& UI, const prgconfigclass& Config, volatileclass& V) {
  P.Open(Key("Editor\\Interface"));
  P.PutInt("MainFormTop", UI.mainFormTop);
  P.PutInt("MainFormLeft", UI.mainFormLeft);
  P.PutInt("MainFormWidth", UI.mainFormWidth);
  P.PutInt("MainFormHeight", UI.mainFormHeight);
  P.PutInt("BatchFormTop", UI.batchFormTop);
  P.PutInt("BatchFormLeft", UI.batchFormLeft);
  P.PutInt("BatchFormWidth", UI.batchFormWidth);
  P.PutInt("BatchFormHeight", UI.batchFormHeight);
  P.PutFloat("StructureSplitPosition", UI.structureSplit);
  P.PutFloat("ScratchPadSplitPosition", UI.scratchPadSplit);
  P.PutInt("VertSplit1Position", UI.vertSplit1);
  P.PutInt("HorzSplit2Position", UI.horzSplit2);
  P.PutInt("HorzSplit2Position2", UI.horzSplit2Second);
  P.PutFloat("EditorSplitPosition", UI.editorSplit);
  P.PutInt("ResourceSortColumn", UI.resourceSortColumn);
  P.PutInt("ResourceSortColumn2", UI.resourceSortColumn2);
  P.PutInt("OpenDialogHeight", UI.openDialogHeight);
  P.PutInt("OpenDialogWidth", UI.openDialogWidth);
  P.PutInt("SaveDialogHeight", UI.saveDialogHeight);
  P.PutInt("SaveDialogWidth", UI.saveDialogWidth);
  P.PutInt("HorzSplit1Position", UI.horzSplit1);
  P.PutInt("DragDropWindowTop", UI.dragDropWindowTop);
  P.PutInt("DragDropWindowLeft", UI.dragDropWindowLeft);
  P.PutInt("Flags40", UI.flags.asInt());
  P.PutInt("Flags2V45", UI.flags2.asInt());
  P.PutInt("Flags3", UI.flags3.asInt());
  P.PutText("SelectedFolder", UI.selectedFolder);
  P.PutText("SelectedFolder2", UI.selectedFolder2);
  P.PutInt("RightMargin", Config.rightMargin);
  P.PutText("TabStops", Config.tabStops);
  P.PutText("EditorFontName", StrStore(Config.editorFont->Name().c_str()));
  P.PutInt("EditorFontSize", Config.editorFont->Size());
  P.PutInt("ResultsMessageSplitPosition", UI.resultsMessageSplit);
  P.PutInt("OpenedFilesSortBy", UI.openedFilesSortColumn);
  P.PutInt("EditorBackgroundColor", Config.backgroundColor);
  P.PutInt("EditorFontColor", Config.fontColor);
  P.PutInt("EditorLineNumberColor", Config.lineNumberColor);
  P.PutInt("OpenDialogViewStyle", UI.openDialogViewStyle);
  P.PutInt("SaveDialogViewStyle", UI.saveDialogViewStyle);
  P.PutInt("OpenDialogSortColumn", UI.openDialogSortColumn);
  P.PutInt("SaveDialogSortColumn", UI.saveDialogSortColumn);
  ForEachInserter(V, [&](inserterclass& I) {
    P.PutInt(Name(I.registryName, "Top"), I.top);
    P.PutInt(Name(I.registryName, "Left"), I.left);
    P.PutInt(Name(I.registryName, "Width"), I.width);
  });
  P.Close();
}

void SaveRest(TSettingsPass& P, prgclass& R) {
  const prgconfigclass& Config = *R.editorOptions;
  P.Open(Key("Editor\\Options"));
  P.PutInt("Flags40", Config.flags.asInt());
  P.PutText("BrowserPreviewExtensions", Config.previewExtensions);
  P.PutText("DefaultFileExtension", Config.defaultFileExtension);
  P.PutText("NoExtensionFileTypeID", Config.noExtensionFileType);
  P.PutInt("DocChangeAction", Config.docChangeAction);
  P.PutInt("SaveFileFormat", Config.saveFileFormat);
  P.PutText("ScratchPad1FilenameV60", Config.scratchPad1File);
  P.PutText("ScratchPad2FilenameV60", Config.scratchPad2File);
  P.Close();
  const batchwizclass& B = *R.batchWizard;
  P.Open(Key("Editor\\BatchWizard"));
  P.PutInt("Flags40", B.optionFlags.asInt());
  P.PutInt("Tool", B.toolNumber);
  P.PutText("JobSubtype", B.jobSubtype);
  P.PutBatchText("DefaultHTMLResultsFilenameV60", B, BWGET_REPORT);
  P.PutBatchText("DefaultCSSFilenameV60", B, BWGET_CSS);
  P.PutBatchText("DefaultHTMLFooterFilenameV60", B, BWGET_FOOTER);
  P.PutBatchText("LastReportFilename", B, BWGET_LAST_REPORT);
  P.PutText("LastOpenListFilename", B.listFileName);
  P.PutText("LastOpenDirectory", B.lastOpenDirectory);
  P.PutText("WorkingDirectory", B.workingDirectory);
  P.PutText("LastAddFilesDirectory", B.lastAddFilesDirectory);
  P.PutText("LastAddDirectory", B.lastAddDirectory);
  P.PutText("FollowLinksDefaultExt", B.followLinkExtensions);
  P.PutInt("ReportsPerPage", B.reportsPerPage);
  P.PutInt("TargetListLimit", B.targetListLimit);
  P.PutInt("URLDownloadTimeout", B.downloadTimeout);
  P.PutInt("MaxConcurrentHTTPRequests", B.maxHttpRequests);
  P.Close();
  const toolsclass& T = *R.tools;
  P.Open(Key("Editor\\Tools"));
  P.PutInt("Flags40", T.flags.asInt());
  P.PutInt("DefaultDragAndDropTool", T.defaultDragDropTool);
  P.PutText("LastToolFilename", T.lastToolFile);
  P.PutText("LastValidateToolFilename", T.lastValidatedToolFile);
  P.Close();
  P.Open(Key(FILE_FILTERS_KEY));
  P.PutInt("ShellListFileFilter", R.interface->shellListFileFilter);
  P.PutInt("ShellListFileFilter2", R.interface->shellListFileFilter2);
  P.Close();
}

}  // namespace

int LoadSettings() {
  if (prg == nullptr) {
    return 0;
  }
  TRegistryWriteBatch Batch;  // the values created on a first start reach the store in one write
  const int Ok = LoadAll();
  return (Batch.End() == ERROR_SUCCESS && Ok != 0) ? 1 : 0;
}

int SaveSettings() {
  if (prg == nullptr) {
    return 0;
  }
  prgclass& R = *prg;
  bool Checked = false;
  if (MainWindow().GetOpenFromWebCredentialsCheck(Checked)) {
    R.interface->flags.set(IF40::WebCredentials, Checked);
  }
  TRegistryWriteBatch Batch;  // one durable write for the whole save
  TSettingsPass P(0);
  SaveInterface(P, *R.interface, *R.editorOptions, *R.volatileState);
  SaveRest(P, R);
  const std::string Parsers = std::string(SETTINGS_ROOT) + "\\" + PARSERS_KEY;
  if (SaveParsers(R.volatileState->documentTypes, Parsers.c_str()) < 0) {
    P.Ok = 0;
  }
  return (Batch.End() == ERROR_SUCCESS && P.Ok != 0) ? 1 : 0;
}

int DeleteOpenFromWebCredentials(HWND Window, int Kind, int Flags) {
  const std::string Users = std::string(SETTINGS_ROOT) + "\\Editor\\OpenFromWebUsernames";
  const std::string Passwords = std::string(SETTINGS_ROOT) + "\\Editor\\OpenFromWebPasswords";
  bool Ok = true;
  if (Kind == CREDENTIALS_USERNAMES_AND_PASSWORDS) {
    Ok &= DeleteRegistryKey(HKEY_CURRENT_USER, Users.c_str()) != 0;
    Ok &= DeleteRegistryKey(HKEY_CURRENT_USER, Passwords.c_str()) != 0;
    if ((Flags & CREDENTIALS_REPORT) != 0) {
      if (Ok) {
        MessageBox(Window, "The username and password registry keys have been deleted successfully.",
                   "Quillon: Success", MB_OK | MB_ICONINFORMATION);
      } else {
        MessageBox(Window, "An error occurred deleting the username and password registry keys.",
                   "Quillon: Error Occurred", MB_OK | MB_ICONERROR);
      }
    }
  } else if (Kind == CREDENTIALS_PASSWORDS) {
    Ok &= DeleteRegistryKey(HKEY_CURRENT_USER, Passwords.c_str()) != 0;
  }
  return Ok ? 0 : -1;
}

StrStore MakeHelpPath(const char* File, const char* Folder) {
  if (Folder == nullptr || *Folder == 0) {
    return StrStore(File);
  }
  return JoinPath(StrStore(Folder), File != nullptr ? File : "");
}

bool DisplayHelpTopic(HWND Window, const char* File, const char* Folder) {
  if (ZUBCalls.ZUBDisplayHelp == nullptr) {
    return false;
  }
  const StrStore Path = MakeHelpPath(File, Folder);
  return ZUBCalls.ZUBDisplayHelp(Window, HELP_DISPLAY_ID, Path.text, 0) >= 0;
}
