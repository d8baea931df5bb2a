// volatileclass: the initial values of the run-time state, its shared text stores and its release.
#include "core/Volatileclass.h"

#include "core/Inserterclass.h"
#include "core/Mainsetup.h"
#include "core/Parserclass.h"
#include "core/Strtext.h"
#include "core/Timeutils.h"

#include "editor/Easyeditsource.h"
#include "platform/classes/StringList.h"
#include "platform/win/Files.h"

#include <memory>
#include <vector>

namespace {

StrStore WithoutTrailingSeparator(const std::string& Folder) {
  StrStore S(Folder.c_str());
  while (S.length > 1 && S.text[S.length - 1] == StrText::FileSeparator) {
    S.cut(1, 1);
  }
  return S;
}

// The shared text stores that outlive the run-time state: editors may still show them while the forms are
// destroyed after the root object, so they are freed when the process ends.
std::vector<std::unique_ptr<TEasyEditSource>>& KeptSources() {
  static std::vector<std::unique_ptr<TEasyEditSource>> Kept;
  return Kept;
}

void KeepToProcessEnd(TEasyEditSource*& Source) {
  if (Source != nullptr) {
    KeptSources().emplace_back(Source);
    Source = nullptr;
  }
}

void DeleteArray(PointerArrayManager*& Array) {
  if (Array != nullptr) {
    Array->removeAllPointers(1, 0);
    delete Array;
    Array = nullptr;
  }
}

}  // namespace

StrStore ProgramFolderOfProcess() {
  const std::string Exe = GetModuleFileNameString(nullptr);
  const std::size_t Slash = Exe.find_last_of(StrText::FileSeparator);
  if (Slash == std::string::npos) {
    return StrStore();
  }
  return WithoutTrailingSeparator(Exe.substr(0, Slash == 0 ? 1 : Slash));
}

StrStore SystemTemporaryFolder() { return WithoutTrailingSeparator(GetTempPathString()); }

StrStore JoinPath(const StrStore& Folder, const char* Name) {
  StrStore Path = Folder;
  Path.appendChar(StrText::FileSeparator).append(Name);
  return Path;
}

OSVERSIONINFO CurrentSystemVersion() {
  OSVERSIONINFO Info;
  Info.dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
  GetVersionEx(&Info);
  return Info;
}

PointerArrayManager* NewDefaultInserterArray() {
  auto* Array = new PointerArrayManager(FreeInserter);
  AddDefaultInserters(Array);
  return Array;
}

PointerArrayManager* NewDocumentTypeArray() { return new PointerArrayManager(FreeParser); }

int TodaysDayNumber() { return GetApproximateDayNumber(); }

int volatileclass::CreateSharedSources(int Flags) {
  if ((Flags & SHARED_SOURCES_CREATE) == 0) {
    return 0;
  }
  KeepToProcessEnd(emptySource);
  emptySource = new TEasyEditSource(nullptr);
  emptySource->SetReadOnly(true);
  KeepToProcessEnd(structurePlaceholderSource);
  structurePlaceholderSource = new TEasyEditSource(nullptr);
  TStringList Placeholder;
  Placeholder.Add(STRUCTURE_PLACEHOLDER_TEXT);
  structurePlaceholderSource->SetStrings(&Placeholder);
  structurePlaceholderSource->SetReadOnly(true);
  KeepToProcessEnd(scratchPad1Source);
  scratchPad1Source = new TEasyEditSource(nullptr);
  KeepToProcessEnd(scratchPad2Source);
  scratchPad2Source = new TEasyEditSource(nullptr);
  KeepToProcessEnd(resultsMessageSource);
  resultsMessageSource = new TEasyEditSource(nullptr);
  SetupEditSource(resultsMessageSource, EDITSOURCE_RESULTS_MESSAGE);
  return 0;
}

void volatileclass::ReleaseOwnedState() {
  delete pendingWebOrigin;
  pendingWebOrigin = nullptr;
  delete scratchPad1Source;
  scratchPad1Source = nullptr;
  DeleteArray(tabs);
  DeleteArray(documents);
  DeleteArray(undoDocuments);
  DeleteArray(documentTypes);
  if (batchHandOver != nullptr) {
    batchHandOver->removeAllPointers(0, 0);  // it does not own its documents
    delete batchHandOver;
    batchHandOver = nullptr;
  }
  DeleteArray(inserters);
  DeleteArray(batchTargets);
  KeepToProcessEnd(emptySource);
  KeepToProcessEnd(scratchPad2Source);
  KeepToProcessEnd(structurePlaceholderSource);
  KeepToProcessEnd(resultsMessageSource);
}
