// fileinfoclass: the engine result of a document (adopting, clearing, counts, texts read from it), undo copies and
// scroll positions. The jobs that make results are in Enginejobs.cpp.
#include "core/Errorreport.h"
#include "core/Filestore.h"
#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Tabinfoclass.h"
#include "core/Validatorlib.h"

#include "editor/Easyeditsource.h"
#include "platform/classes/Streams.h"
#include "platform/win/Clipboard.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int EngineInt(int Handle, int Id) {
  return Handle >= 0 && ZUBCalls.ZUBGetIntegerEZ != nullptr ? ZUBCalls.ZUBGetIntegerEZ(Handle, Id) : -1;
}

int EngineInt2(int Handle, int Id, int Index) {
  return Handle >= 0 && ZUBCalls.ZUBGetInteger2EZ != nullptr ? ZUBCalls.ZUBGetInteger2EZ(Handle, Id, Index) : -1;
}

const char* EngineText2(int Handle, int Id, int Index) {
  return Handle >= 0 && ZUBCalls.ZUBGetString2 != nullptr ? ZUBCalls.ZUBGetString2(Handle, Id, Index) : nullptr;
}

int NamedListIndex(int Handle, const char* Name) {
  return Handle >= 0 && ZUBCalls.ZUBGetInteger4EZ != nullptr ? ZUBCalls.ZUBGetInteger4EZ(Handle, ZUB_LIST_INDEX, Name)
                                                              : -1;
}

int Tag(const PointerArrayManager& Array, int Index) {
  return Array.tags != nullptr ? Array.tags->getInt(Index) : 0;
}

// Replaces the lines of Source by Count lines of text id LineId of the result (a missing line: -1). The lines go
// in as one text, so that a large result is taken over in one pass.
int ReadResultLines(TCustomEasyEditSource* Source, int Handle, int Count, int LineId) {
  std::string Text;
  int Result = 0;
  for (int I = 0; I < Count; ++I) {
    const char* Line = EngineText2(Handle, LineId, I);
    if (Line == nullptr) {
      Result = -1;
      break;
    }
    Text += Line;
    Text += '\n';
  }
  TStringStream Stream(std::move(Text));
  Source->LoadFromStream(&Stream);
  Source->JumpTo(0, 0);
  return Result;
}

}  // namespace

// ---- results ----------------------------------------------------------------------------------------------------

int fileinfoclass::SetResultHandle(int Handle, int Flags) {
  if (Handle < 0) {
    return RESULT_NO_HANDLE;
  }
  if ((Flags & RESULT_ADOPT) == 0 || Handle == resultHandle) {
    return RESULT_HANDLE_SET;
  }
  ClearResults(CLEAR_RESULTS);
  resultHandle = Handle;
  resultsOutOfDate = 0;
  linkCount = GetResultCount(COUNT_LINKS);
  // Only the structure text is read (the document text is kept), and that cannot fail.
  (void)LoadResultText(Handle, RESULTTEXT_STRUCTURE | RESULTTEXT_KEEP_DOCUMENT);
  UpdateDocumentType(0);
  return RESULT_HANDLE_SET;
}

int fileinfoclass::ClearResults(int Flags) {
  if ((Flags & CLEAR_RESULTS) != 0) {
    for (void*& View : resultViews) {
      View = nullptr;
    }
    resultsPageControl = nullptr;
    MainWindow().ClearResultViews(this);
    linkCount = 0;
    resultsOutOfDate = 1;
    if (resultLists != nullptr) {
      resultLists->setTag(0, 0);
    }
    messages.setUnchanged(0);
    ClearLineStyles();
    if ((Flags & CLEAR_KEEP_HANDLE) == 0 && resultHandle >= 0) {
      (void)FreeHandle(resultHandle);  // a failure was reported; the document forgets the handle either way
    }
    resultHandle = -1;
    delete structureText;
    structureText = nullptr;
  }
  if ((Flags & CLEAR_SHOW_AGAIN) != 0) {
    const bool HasViews = resultViews[0] != nullptr || resultViews[1] != nullptr || resultViews[2] != nullptr;
    if (!(HasViews && (Flags & CLEAR_ONLY_IF_SHOWN) != 0 && MainWindow().GetCurrentFile() != this)) {
      MainWindow().ShowResults(this,
                               (Flags & CLEAR_SHOW_FLAG_4) | ((Flags & CLEAR_RESULTS) != 0 ? CLEAR_SHOW_FLAG_4 : 0));
    }
  }
  return 0;
}

int fileinfoclass::SetNeedsValidation(int On, int Flags) {
  if ((Flags & 1) != 0) {
    resultsOutOfDate = On != 0 ? 1 : 0;
  }
  return 0;
}

int fileinfoclass::GetResultCount(int Selector) {
  const int H = resultHandle;
  if ((Selector & COUNT_ERRORS) != 0) {
    return EngineInt(H, ZUB_RESULT_ERRORS);
  }
  if ((Selector & COUNT_WARNINGS) != 0) {
    return EngineInt(H, ZUB_RESULT_WARNINGS);
  }
  if ((Selector & COUNT_ERRORS_AND_WARNINGS) != 0) {
    return H >= 0 ? EngineInt(H, ZUB_RESULT_ERRORS) + EngineInt(H, ZUB_RESULT_WARNINGS) : COUNT_UNKNOWN;
  }
  if ((Selector & COUNT_PLAIN_MESSAGES) != 0) {
    return EngineInt(H, ZUB_RESULT_PLAIN_MESSAGES);
  }
  if ((Selector & COUNT_COMMENTS) != 0) {
    return EngineInt(H, ZUB_RESULT_COMMENTS);
  }
  if ((Selector & COUNT_LINKS) != 0) {
    return GetLinkCount(H, COUNT_LINKS);
  }
  if ((Selector & COUNT_MESSAGES) != 0) {
    const int N = EngineInt(H, ZUB_RESULT_MESSAGES);
    if ((Selector & COUNT_SAY_IF_NONE) != 0 && N < 1) {
      MainWindow().ShowInfoMessage(1);
    }
    return N;
  }
  if ((Selector & (COUNT_LIST_TAG_2 | COUNT_LIST_TAG_3 | COUNT_LIST_TAG_4 | COUNT_LIST_TAG_6)) != 0) {
    if (resultLists == nullptr) {
      return COUNT_UNKNOWN;
    }
    if (Tag(*resultLists, 0) == 0) {
      MainWindow().ReadResults(this, 33);
    }
    const int Index = (Selector & COUNT_LIST_TAG_2) != 0   ? 2
                      : (Selector & COUNT_LIST_TAG_3) != 0 ? 3
                      : (Selector & COUNT_LIST_TAG_4) != 0 ? 4
                                                           : 6;
    return Tag(*resultLists, Index);
  }
  if ((Selector & COUNT_OUT_OF_DATE) != 0) {
    return resultsOutOfDate;
  }
  if ((Selector &
       (COUNT_MESSAGE_TAGS_1_2 | COUNT_MESSAGE_TAGS_5_6 | COUNT_MESSAGE_TAGS_9_10 | COUNT_MESSAGE_TAGS_13_14)) != 0) {
    if (H < 0) {
      return COUNT_UNKNOWN;
    }
    MainWindow().ReadResults(this, 8);
    const int First = (Selector & COUNT_MESSAGE_TAGS_1_2) != 0    ? 1
                      : (Selector & COUNT_MESSAGE_TAGS_5_6) != 0  ? 5
                      : (Selector & COUNT_MESSAGE_TAGS_9_10) != 0 ? 9
                                                                  : 13;
    return Tag(messages, First) + Tag(messages, First + 1);
  }
  if ((Selector & COUNT_SORT_MODE) != 0) {
    return prg != nullptr && prg->interface != nullptr && prg->interface->flags2.has(IF2::SortMessagesByType) ? 7 : 0;
  }
  return COUNT_UNKNOWN;
}

int GetLinkCount(int ResultHandle, int Flags) {
  if ((Flags & COUNT_LINKS) == 0) {
    return COUNT_UNKNOWN;
  }
  if (ResultHandle < 0) {
    return 0;
  }
  const int List = NamedListIndex(ResultHandle, "links");
  if (List < 0) {
    return 0;
  }
  const int N = EngineInt2(ResultHandle, ZUB_LIST_SIZE, List);
  return N > 0 ? N : 0;
}

int fileinfoclass::GetStructureSourcePos(int StructureLine, int Bits) {
  if (resultHandle < 0) {
    return COUNT_UNKNOWN;
  }
  if ((Bits & STRUCTURE_LINE) != 0) {
    return EngineInt2(resultHandle, ZUB_STRUCTURE_LINE, StructureLine);
  }
  if ((Bits & STRUCTURE_CHAR) != 0) {
    return EngineInt2(resultHandle, ZUB_STRUCTURE_CHAR, StructureLine);
  }
  return COUNT_UNKNOWN;
}

int fileinfoclass::LoadResultText(int Handle, int Flags) {
  int Result = RESULTTEXT_READ;
  if ((Flags & RESULTTEXT_KEEP_DOCUMENT) == 0 && text != nullptr) {
    const int Count = EngineInt(Handle, ZUB_RESULT_NEW_TEXT_LINES);
    if (Count < 0) {
      return RESULTTEXT_NO_LINE_COUNT;
    }
    Result = ReadResultLines(text, Handle, Count, ZUB_RESULT_NEW_TEXT_LINE);
    text->UndoList()->Clear();
    text->RedoList()->Clear();
  }
  if ((Flags & RESULTTEXT_CLEAR_READONLY) != 0) {
    (void)SetReadOnlyState(READONLY_CLEAR | READONLY_APPLY_TO_TEXT);  // without a text there is nothing to clear
  }
  if ((Flags & RESULTTEXT_STRUCTURE) != 0) {
    delete structureText;
    structureText = new TEasyEditSource(nullptr);
    structureText->SetUseGlobalSettings(true);
    if (Handle >= 0) {
      const int Count = EngineInt(Handle, ZUB_RESULT_STRUCTURE_LINES);
      // A structure line the engine does not give ends the structure text there.
      if (Count > 0) {
        (void)ReadResultLines(structureText, Handle, Count, ZUB_RESULT_STRUCTURE_LINE);
      }
    }
    structureText->SetReadOnly(true);
    structureText->JumpTo(0, 0);
  }
  return Result;
}

int fileinfoclass::AppendResultLines(FileStore* File, int Handle, int Kind) {
  if (Handle < 0) {
    return APPEND_NO_HANDLE;
  }
  if (File == nullptr) {
    return APPEND_NO_FILE;
  }
  if (Kind == APPEND_REPORT_LINES) {
    for (int I = 0;; ++I) {
      const char* Line = EngineText2(Handle, ZUB_RESULT_REPORT_LINE, I);
      if (Line == nullptr) {
        break;
      }
      File->addLine(Line, 0);
    }
  }
  return APPEND_DONE;
}

int ClearLineStyles(TCustomEasyEditSource* Source) {
  if (Source == nullptr) {
    return 1;
  }
  const int Count = Source->Strings()->Count();
  for (int I = 0; I < Count; ++I) {
    if (Source->GetLineStyle(I) != -1) {
      Source->SetLineStyle(I, -1);
    }
  }
  return 0;
}

int fileinfoclass::ClearLineStyles() { return ::ClearLineStyles(text); }

const char* fileinfoclass::GetInfoText(int Selector) {
  const char* Found = nullptr;
  if ((Selector & 1) != 0) {
    const int Errors = GetResultCount(COUNT_ERRORS);
    if (Errors >= 0) {
      char Buffer[64];
      std::snprintf(Buffer, sizeof Buffer, "%02de,%02dw", Errors, GetResultCount(COUNT_WARNINGS));
      infoResult = Buffer;
      Found = infoResult.text;
    }
  }
  const int WebSelectors[][2] = {{4, 4}, {8, 8}, {0x10, 0x10}};
  for (const auto& W : WebSelectors) {
    if ((Selector & W[0]) != 0) {
      Found = nullptr;
      if (webOrigin != nullptr) {
        infoResult = webOrigin->GetString(W[1]);
        Found = infoResult.text;
      }
    }
  }
  if ((Selector & 0x20) != 0) {
    Found = nullptr;
    if ((flags & DOCFLAG_BROWSER_SOURCE) != 0) {
      infoResult = displayName;
      Found = infoResult.text;
    } else {
      const int List = resultHandle >= 0 ? NamedListIndex(resultHandle, "basehref") : -1;
      const char* Base = List >= 0 && ZUBCalls.ZUBGetString4 != nullptr
                             ? ZUBCalls.ZUBGetString4(resultHandle, ZUB_LIST_ITEM, List, 0)
                             : nullptr;
      if (Base != nullptr) {
        infoResult = Base;
        infoResult.decodeCharRefs(0);
        Found = infoResult.text;
      } else if (webOrigin != nullptr && *webOrigin->GetString(0x40) != 0) {
        infoResult = webOrigin->GetString(0x40);
        Found = infoResult.text;
      } else if (onDisk != 0) {
        infoResult = name;
        Found = infoResult.text;
      }
    }
  }
  if (Found == nullptr && (Selector & 2) != 0) {
    infoResult.clear();
    Found = infoResult.text;
  }
  return Found;
}

int fileinfoclass::CopyExportToClipboard(FileStore* File, int Flags) {
  (void)Flags;
  if (File == nullptr) {
    return COPY_FAILED;
  }
  std::string Joined;
  for (int I = 0; I < File->getLineCount(); ++I) {
    if (I > 0) {
      Joined += '\n';
    }
    const char* Line = File->getLineText(I);
    Joined += Line != nullptr ? Line : "";
  }
  if (!OpenClipboard(0)) {
    return COPY_FAILED;
  }
  EmptyClipboard();
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Joined.size() + 1);
  int Result = COPY_FAILED;
  if (Mem != nullptr) {
    std::memcpy(GlobalLock(Mem), Joined.c_str(), Joined.size() + 1);
    GlobalUnlock(Mem);
    Result = SetClipboardData(CF_TEXT, Mem) != nullptr ? COPY_DONE : COPY_FAILED;
  }
  CloseClipboard();
  return Result;
}

// ---- undo copies and scroll positions ---------------------------------------------------------------------------

void fileinfoclass::ResetScrollPosition(ScrollPosition& Pair) {
  Pair.column = 0;
  Pair.topLine = 0;
}

int fileinfoclass::FreeUndoCopies() {
  int Result = 0;
  for (int* Index : {&undoCopyIndex1, &undoCopyIndex2}) {
    if (*Index >= 0 && undoArray != nullptr) {
      if (undoArray->setPointer(nullptr, *Index, 1, 0, 0) == PAM_FAILED) {
        Result = UNDO_NOT_FREED;
      }
    }
    *Index = -1;
  }
  return Result;
}

int fileinfoclass::CopyFrom(fileinfoclass* Other, int Flags) {
  if (Other == nullptr) {
    return COPY_NO_SOURCE;
  }
  DeleteResultLists();
  typeOverride = Other->typeOverride;
  displayName = Other->displayName;
  delete webOrigin;
  webOrigin = nullptr;
  delete Other->webOrigin;
  Other->webOrigin = nullptr;
  name = Other->name;
  onDisk = Other->onDisk;
  fileTime = Other->fileTime;
  fileTimeKnown = Other->fileTimeKnown;
  documentType = Other->documentType;
  doctypeFlags = Other->doctypeFlags;
  flags = Other->flags;
  selectedMessage = Other->selectedMessage;
  fileSize = Other->fileSize;
  for (int I = 0; I < 3; ++I) {
    resultViews[I] = Other->resultViews[I];
    sortModes[I] = Other->sortModes[I];
  }
  resultsPageControl = Other->resultsPageControl;
  undoCopyIndex1 = Other->undoCopyIndex1;
  undoCopyIndex2 = Other->undoCopyIndex2;
  tabIndex = Other->tabIndex;
  configurationNumber = Other->configurationNumber;
  DeleteTemporaryFile();
  if ((Flags & COPY_NO_ARRAYS) != 0) {
    undoArray = nullptr;
    documentArray = nullptr;
  } else {
    undoArray = Other->undoArray;
    documentArray = Other->documentArray;
  }
  if ((Flags & COPY_CLEAR_RESULTS) != 0) {
    ClearResults(CLEAR_RESULTS);
  } else {
    // The result handle moves to this document: the other one forgets it without freeing it.
    if (resultHandle >= 0 && resultHandle != Other->resultHandle) {
      (void)FreeHandle(resultHandle);  // a failure was reported; this document forgets the handle either way
    }
    resultHandle = Other->resultHandle;
    selectedMessage = Other->selectedMessage;
    resultsOutOfDate = Other->resultsOutOfDate;
    Other->ClearResults(CLEAR_RESULTS | CLEAR_KEEP_HANDLE);
  }
  messages.removeAllPointers(1, 0);
  for (PointerArrayManager& List : stringLists) {
    List.removeAllPointers(1, 0);
  }
  return COPY_DONE;
}

void SaveScrollPositions() {
  MainWindowServices& W = MainWindow();
  for (int Editor = 0; Editor < 2; ++Editor) {
    int Column = 0;
    int Top = 0;
    if (!W.GetEditorScroll(Editor, Column, Top)) {
      continue;
    }
    fileinfoclass* Doc = GetTabControlDocument(W.GetEditorTabControl(Editor), -1);
    if (Doc != nullptr) {
      ScrollPosition& P = Editor == 0 ? Doc->scrollPosition1 : Doc->scrollPosition2;
      P.column = Column;
      P.topLine = Top;
    }
  }
}

void fileinfoclass::RestoreScrollPosition(int Editor) {
  MainWindowServices& W = MainWindow();
  int Column = 0;
  int Top = 0;
  if (!W.GetEditorScroll(Editor, Column, Top)) {
    return;
  }
  if (Editor == 0) {
    const int NewTop = scrollPosition1.topLine >= 0 && scrollPosition1.topLine != Top ? scrollPosition1.topLine : Top;
    const int NewColumn =
        scrollPosition1.column >= 0 && scrollPosition1.column != Column ? scrollPosition1.column : Column;
    if (NewTop != Top || NewColumn != Column) {
      W.SetEditorScroll(Editor, NewColumn, NewTop);
    }
  } else {
    W.SetEditorScroll(Editor, scrollPosition2.column, scrollPosition2.topLine);
  }
}
