// The root object and the settings objects: defaults, file filters,
// construction and destruction orders.
#include "core/Prgclass.h"

#include "core/Batchwizclass.h"

#include "platform/graphics/Graphics.h"
#include "platform/win/KernelObjects.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/Sync.h"

#include <string>

prgclass* prg = nullptr;

namespace {

// Seeded at the top of the file-filter list, in this order (so the list begins
// with the last).
const char* const SeededFilters[] = {
    "WML Files (*.wml)",
    "VBScript Files (*.vb;*.vbs;*.bas)",
    "Text Files (*.txt)",
    "SMIL Files (*.smi;*.smil)",
    "RealText Files (*.rt)",
    "PHP/ASP/CFM Files (*.php;*.php3;*.php4;*.asa;*.asp;*.cfm;*.cfml)",
    "Perl Files (*.perl;*.pl;*.pls,*.plx;*.pm;*.cgi)",
    "Pascal/Delphi Files (*.pas)",
    "HTML Documents (*.htm;*.html;*.jhtml;*.shtm;*.shtml)",
    "Graphic Files (*.jpg;*.jpeg;*.gif;*.bmp)",
    "CSS Documents (*.css)",
    "C/C++ Files (*.c;*.cpp;*.h;*.hpp)",
    "All Files (*.*)",
};

// Replaces an entry whose text before "(" is the same ignoring case, keeping
// that entry's spelling.
constexpr int SeedFlags = 0x1 | ADDSTRING_REMOVE_MATCHES | ADDSTRING_UP_TO_PAREN | ADDSTRING_KEEP_OLD_TEXT;

std::string SettingsPath(const char* Key) {
  return std::string(SETTINGS_ROOT) + "\\" + Key;
}

}  // namespace

// ---- interfaceclass
// --------------------------------------------------------------------------------------------

interfaceclass::interfaceclass() {
  recentDocuments.maximum = 15;
  userAgents.maximum = 30;
  fileFilters.maximum = FILE_FILTERS_MAXIMUM;
  const std::string Path = SettingsPath(FILE_FILTERS_KEY);
  StringArrayStore::loadFromRegistry(&fileFilters, HKEY_CURRENT_USER, Path.c_str(), HISTORY_COUNT_MAXIMUM);
  for (const char* Filter : SeededFilters) {
    fileFilters.addString(Filter, SeedFlags);
  }
  TRegistryWriteBatch Batch;
  fileFilters.saveToRegistry(HKEY_CURRENT_USER, Path.c_str(), HISTORY_COUNT_MAXIMUM);
  Batch.End();
  BuildDialogFilter();
}

void interfaceclass::BuildDialogFilter() {
  dialogFilter.clear();
  for (int I = 0; I < fileFilters.getCount(); ++I) {
    const char* Entry = fileFilters.getString(I);
    if (Entry == nullptr) {
      continue;
    }
    const int Paren = IndexOfChar(Entry, '(');
    if (Paren < 0) {
      continue;
    }
    StrStore Pattern(Entry + Paren + 1);
    Pattern.trim(0);
    if (Pattern.length == 0 || Pattern.text[Pattern.length - 1] != ')') {
      continue;
    }
    Pattern.cut(1, 1);
    if (dialogFilter.length > 0) {
      dialogFilter.appendChar('|');
    }
    dialogFilter.append(Entry).appendChar('|').appendStore(Pattern);
  }
}

// ---- prgconfigclass
// --------------------------------------------------------------------------------------------

prgconfigclass::prgconfigclass() : editorFont(std::make_unique<TFont>()) {
  editorFont->SetName("Courier New");
  editorFont->SetSize(9);
}

prgconfigclass::~prgconfigclass() = default;

void prgconfigclass::CopyFrom(const prgconfigclass& O) {
  flags = O.flags;
  rightMargin = O.rightMargin;
  saveFileFormat = O.saveFileFormat;
  docChangeAction = O.docChangeAction;
  defaultFileExtension = O.defaultFileExtension;
  tabStops = O.tabStops;
  editorFont->Assign(O.editorFont.get());
  scratchPad1File = O.scratchPad1File;
  scratchPad2File = O.scratchPad2File;
  backgroundColor = O.backgroundColor;
  fontColor = O.fontColor;
  lineNumberColor = O.lineNumberColor;
  previewExtensions = O.previewExtensions;
  noExtensionFileType = O.noExtensionFileType;
}

// ---- prgclass
// --------------------------------------------------------------------------------------------------

prgclass::prgclass() {
  prg = this;
  volatileState = new volatileclass();
  tools = new toolsclass();
  editorOptions = new prgconfigclass();
  interface = new interfaceclass();
  downloadSemaphore = CreateSemaphore(nullptr, 1, 1, DOWNLOAD_SEMAPHORE_NAME);
  batchWizard = new batchwizclass();
  reserved = 0;
}

prgclass::~prgclass() {
  delete interface;
  interface = nullptr;
  delete editorOptions;
  editorOptions = nullptr;
  delete tools;
  tools = nullptr;
  delete batchWizard;
  batchWizard = nullptr;
  if (downloadSemaphore != 0) {
    CloseHandle(downloadSemaphore);
    downloadSemaphore = 0;
  }
  delete volatileState;
  volatileState = nullptr;
  if (prg == this) {
    prg = nullptr;
  }
}

int ViewStyleFromSetting(int Code) {
  return (Code >= 0 && Code <= 3) ? Code : -1;
}

int ViewStyleToSetting(int Style) {
  return (Style >= 0 && Style <= 2) ? Style : 3;
}
