// The root object and the settings objects it owns: window and layout settings, editor options, tool settings.
#pragma once

#include "core/Flagword.h"
#include "core/Stringarraystore.h"
#include "core/Strstore.h"
#include "core/Volatileclass.h"

#include "platform/graphics/Colors.h"
#include "platform/win/WinTypes.h"

#include <memory>

class TFont;
class batchwizclass;

// The settings root under HKEY_CURRENT_USER.
inline constexpr const char SETTINGS_ROOT[] = "Software\\Palvane\\ZUB Quillon v4";
// The named semaphore of the batch wizard's download pool, shared by every running instance.
inline constexpr const char DOWNLOAD_SEMAPHORE_NAME[] = "ZUBDownloadURLsSemaphore";

// Where the file-system root stands in the selected-folder settings (a drive root on the original platform).
inline constexpr const char DEFAULT_SELECTED_FOLDER[] = "/";

// The file-filter history list and how many entries it keeps.
inline constexpr const char FILE_FILTERS_KEY[] = "Editor\\Shell\\FileFilters";
inline constexpr int FILE_FILTERS_MAXIMUM = 20;

// Window and layout settings.
class interfaceclass {
public:
  int mainFormLeft = 10, mainFormTop = 10, mainFormHeight = 460, mainFormWidth = 620;
  int saveDialogWidth = 540, saveDialogHeight = 380;
  int saveDialogViewStyle = 3;  // stored view-style code (ViewStyleFromSetting)
  int saveDialogSortColumn = 3;
  int openDialogWidth = 540, openDialogHeight = 380;
  int openDialogViewStyle = 3;
  int openDialogSortColumn = 3;
  int resourceSortColumn = 3;
  int resourceSortColumn2 = 3;
  int horzSplit2 = 140, horzSplit2Second = 140;
  int vertSplit1 = 225;
  int horzSplit1 = 150;
  int resultsMessageSplit = 250;
  float editorSplit = 0.5f;
  float structureSplit = 0.4f;
  float scratchPadSplit = 0.5f;
  InterfaceFlags40 flags{0x2FC2039Fu};
  InterfaceFlags2V45 flags2{0x3FF78000u};
  InterfaceFlags3 flags3{0x3FFFFFF0u};
  int dragDropWindowTop = 20, dragDropWindowLeft = 20;
  int shellListFileFilter = 0, shellListFileFilter2 = 0;
  int openedFilesSortColumn = 3;
  StrStore selectedFolder{DEFAULT_SELECTED_FOLDER};
  StrStore selectedFolder2{DEFAULT_SELECTED_FOLDER};
  StringArrayStore recentDocuments;   // "Editor\Reopen", 15
  StringArrayStore webAddresses;      // "Editor\OpenFromWeb", 20
  StringArrayStore userAgents;        // "Editor\OpenFromWebAgents", 30
  StringArrayStore webUserNames;      // "Editor\OpenFromWebUsernames", 20
  StringArrayStore webPasswords;      // "Editor\OpenFromWebPasswords", 20
  StringArrayStore fileFilters;       // "Editor\Shell\FileFilters", 20
  StringArrayStore browserAddresses;  // "Editor\OpenInWebBrowser", 20
  int batchFormLeft = 40, batchFormTop = 40, batchFormHeight = 400, batchFormWidth = 560;
  int dialogFilterIndex = 1;
  StrStore dialogFilter;  // "description|pattern|..." of the open and save dialogs
  int menuSkin = 1;       // read only, never saved

  // Sets the defaults, then loads, seeds, cuts and saves the file filters and builds the dialog filter.
  interfaceclass();
  interfaceclass(const interfaceclass&) = delete;
  interfaceclass& operator=(const interfaceclass&) = delete;

  // The dialog filter from the file-filter list (entries whose text after "(" ends with ")").
  void BuildDialogFilter();
};

// Editor options; the editor options dialog works on a copy.
class prgconfigclass {
public:
  EditorOptionFlags flags{0x3FF003FDu};
  int rightMargin = 80;
  int saveFileFormat = 1;        // 1 CR LF, 2 LF, 3 CR
  int docChangeAction = 1;       // 1 ask, 2 reload, 3 ignore
  StrStore defaultFileExtension{"html"};
  StrStore tabStops{"3,6,9,12"};
  std::unique_ptr<TFont> editorFont;  // "Courier New", 9
  StrStore scratchPad1File;
  StrStore scratchPad2File;
  TColor backgroundColor = 0xFFFFFF;
  TColor fontColor = 0x800000;
  TColor lineNumberColor = 0;
  StrStore previewExtensions{"HTM,HTML,CFM,CFML,PHP,PHP3,PHP4,SHTM,SHTML,TXT"};
  StrStore noExtensionFileType;

  prgconfigclass();
  ~prgconfigclass();
  prgconfigclass(const prgconfigclass&) = delete;
  prgconfigclass& operator=(const prgconfigclass&) = delete;

  // Copies every member; the font by assignment (this object keeps its own font).
  void CopyFrom(const prgconfigclass& Other);
};

// Tool settings.
class toolsclass {
public:
  int defaultDragDropTool = 2;
  ToolFlags flags{0x3FFF0001u};
  StrStore lastToolFile;
  StrStore lastValidatedToolFile;
};

// The root object: owns every settings object and the download semaphore. Created first by the program's
// start and deleted last; while it exists the global prg points at it.
class prgclass {
public:
  interfaceclass* interface = nullptr;
  volatileclass* volatileState = nullptr;
  prgconfigclass* editorOptions = nullptr;
  toolsclass* tools = nullptr;
  batchwizclass* batchWizard = nullptr;
  HANDLE downloadSemaphore = 0;
  int reserved = 0;

  prgclass();
  ~prgclass();
  prgclass(const prgclass&) = delete;
  prgclass& operator=(const prgclass&) = delete;
};

// The root object while it exists, else null.
extern prgclass* prg;

// Stored view-style code to the file dialogs' view style: 0..3 as they are, anything else -1.
int ViewStyleFromSetting(int Code);
// View style to the stored code: 0, 1, 2 as they are, anything else 3.
int ViewStyleToSetting(int Style);
