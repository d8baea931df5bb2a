// fileinfoclass: the engine result of a document (adopting, clearing, counts, texts read from it), handing the
// text to a job, the link checker, undo copies and scroll positions.
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

int ConfigHandle() {
  volatileclass* Vol = EngineOwnerState();
  return Vol != nullptr ? Vol->configHandle : -1;
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
    return -1;
  }
  if ((Flags & 1) == 0 || Handle == resultHandle) {
    return 0;
  }
  ClearResults(1);
  resultHandle = Handle;
  resultsOutOfDate = 0;
  linkCount = GetResultCount(4);
  LoadResultText(Handle, 6);
  UpdateDocumentType(0);
  return 0;
}

int fileinfoclass::ClearResults(int Flags) {
  if ((Flags & 1) != 0) {
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
    if ((Flags & 8) == 0 && resultHandle >= 0) {
      FreeHandle(resultHandle);
    }
    resultHandle = -1;
    delete structureText;
    structureText = nullptr;
  }
  if ((Flags & 2) != 0) {
    const bool HasViews = resultViews[0] != nullptr || resultViews[1] != nullptr || resultViews[2] != nullptr;
    if (!(HasViews && (Flags & 0x10) != 0 && MainWindow().GetCurrentFile() != this)) {
      MainWindow().ShowResults(this, (Flags & 4) | ((Flags & 1) != 0 ? 4 : 0));
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
  if ((Selector & 1) != 0) {
    return EngineInt(H, ZUB_RESULT_ERRORS);
  }
  if ((Selector & 2) != 0) {
    return EngineInt(H, ZUB_RESULT_WARNINGS);
  }
  if ((Selector & 0x1000) != 0) {
    return H >= 0 ? EngineInt(H, ZUB_RESULT_ERRORS) + EngineInt(H, ZUB_RESULT_WARNINGS) : -1;
  }
  if ((Selector & 0x800) != 0) {
    return EngineInt(H, ZUB_RESULT_PLAIN_MESSAGES);
  }
  if ((Selector & 0x100) != 0) {
    return EngineInt(H, ZUB_RESULT_COMMENTS);
  }
  if ((Selector & 4) != 0) {
    return GetLinkCount(H, 4);
  }
  if ((Selector & 8) != 0) {
    const int N = EngineInt(H, ZUB_RESULT_MESSAGES);
    if ((Selector & 0x10) != 0 && N < 1) {
      MainWindow().ShowInfoMessage(1);
    }
    return N;
  }
  if ((Selector & (0x20 | 0x40 | 0x80 | 0x400)) != 0) {
    if (resultLists == nullptr) {
      return -1;
    }
    if (Tag(*resultLists, 0) == 0) {
      MainWindow().ReadResults(this, 33);
    }
    const int Index = (Selector & 0x20) != 0 ? 2 : (Selector & 0x40) != 0 ? 3 : (Selector & 0x80) != 0 ? 4 : 6;
    return Tag(*resultLists, Index);
  }
  if ((Selector & 0x200) != 0) {
    return resultsOutOfDate;
  }
  if ((Selector & (0x2000 | 0x4000 | 0x10000 | 0x20000)) != 0) {
    if (H < 0) {
      return -1;
    }
    MainWindow().ReadResults(this, 8);
    const int First = (Selector & 0x2000) != 0 ? 1 : (Selector & 0x4000) != 0 ? 5 : (Selector & 0x10000) != 0 ? 9 : 13;
    return Tag(messages, First) + Tag(messages, First + 1);
  }
  if ((Selector & 0x8000) != 0) {
    return prg != nullptr && prg->interface != nullptr && prg->interface->flags2.has(IF2::SortMessagesByType) ? 7 : 0;
  }
  return -1;
}

int GetLinkCount(int ResultHandle, int Flags) {
  if ((Flags & 4) == 0) {
    return -1;
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
    return -1;
  }
  if ((Bits & 1) != 0) {
    return EngineInt2(resultHandle, ZUB_STRUCTURE_LINE, StructureLine);
  }
  if ((Bits & 2) != 0) {
    return EngineInt2(resultHandle, ZUB_STRUCTURE_CHAR, StructureLine);
  }
  return -1;
}

int fileinfoclass::LoadResultText(int Handle, int Flags) {
  int Result = 0;
  if ((Flags & 4) == 0 && text != nullptr) {
    const int Count = EngineInt(Handle, ZUB_RESULT_NEW_TEXT_LINES);
    if (Count < 0) {
      return -2;
    }
    Result = ReadResultLines(text, Handle, Count, ZUB_RESULT_NEW_TEXT_LINE);
    text->UndoList()->Clear();
    text->RedoList()->Clear();
  }
  if ((Flags & 1) != 0) {
    SetReadOnlyState(10);
  }
  if ((Flags & 2) != 0) {
    delete structureText;
    structureText = new TEasyEditSource(nullptr);
    structureText->SetUseGlobalSettings(true);
    if (Handle >= 0) {
      const int Count = EngineInt(Handle, ZUB_RESULT_STRUCTURE_LINES);
      if (Count > 0) {
        ReadResultLines(structureText, Handle, Count, ZUB_RESULT_STRUCTURE_LINE);
      }
    }
    structureText->SetReadOnly(true);
    structureText->JumpTo(0, 0);
  }
  return Result;
}

int fileinfoclass::AppendResultLines(FileStore* File, int Handle, int Kind) {
  if (Handle < 0) {
    return -2;
  }
  if (File == nullptr) {
    return -1;
  }
  if (Kind == 1) {
    for (int I = 0;; ++I) {
      const char* Line = EngineText2(Handle, ZUB_RESULT_REPORT_LINE, I);
      if (Line == nullptr) {
        break;
      }
      File->addLine(Line, 0);
    }
  }
  return 0;
}

int fileinfoclass::SendTextToJob(int Job) {
  if (text == nullptr) {
    return -1;
  }
  if (SetInteger(Job, ZUB_JOB_TEXT_START, 0) < 0) {
    return -1;
  }
  TEasyStrings* Lines = text->Strings();
  const int Count = Lines->Count();
  if (Count < 0) {
    return -1;
  }
  for (int I = 0; I < Count; ++I) {
    if (SetString(Job, ZUB_JOB_LINE, Lines->GetStrRef(I).c_str()) < 0) {
      return -1;
    }
  }
  return 0;
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
    const int Errors = GetResultCount(1);
    if (Errors >= 0) {
      char Buffer[64];
      std::snprintf(Buffer, sizeof Buffer, "%02de,%02dw", Errors, GetResultCount(2));
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
    return -1;
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
    return -1;
  }
  EmptyClipboard();
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Joined.size() + 1);
  int Result = -1;
  if (Mem != nullptr) {
    std::memcpy(GlobalLock(Mem), Joined.c_str(), Joined.size() + 1);
    GlobalUnlock(Mem);
    Result = SetClipboardData(CF_TEXT, Mem) != nullptr ? 0 : -1;
  }
  CloseClipboard();
  return Result;
}

// ---- the link checker -------------------------------------------------------------------------------------------

int SubmitLinksForCheck(PointerArrayManager* Links, int Flags) {
  if (ZUBCalls.ZUBGetInteger3EZ != nullptr && ZUBCalls.ZUBGetInteger3EZ(ZUB_LINK_CHECKS_RUNNING) > 0) {
    return 1;
  }
  if (Links == nullptr) {
    return -1;
  }
  if (ZUBCalls.ZUBSetString3 == nullptr || ZUBCalls.ZUBSetString7 == nullptr) {
    return -1;
  }
  for (int I = 0; I < Links->getCount(); ++I) {
    auto* Link = static_cast<StrStoreEx*>(Links->getPointer(I));
    if (Link == nullptr) {
      continue;
    }
    const int Id = ZUBCalls.ZUBSetString3(ZUB_LINK_REGISTER, Link->text);
    if (Id < 0) {
      continue;
    }
    if ((Flags & 2) != 0 && ZUBCalls.ZUBGetInteger6EZ != nullptr &&
        ZUBCalls.ZUBGetInteger6EZ(ZUB_LINK_STATE, Id) == 3 && ZUBCalls.ZUBSetInteger6 != nullptr) {
      ZUBCalls.ZUBSetInteger6(ZUB_LINK_RESET, Id, 1);
    }
    auto Extra = [Link](int Index) {
      const char* T = Link->getExtraString(Index);
      return T != nullptr ? T : "";
    };
    ZUBCalls.ZUBSetString7(ZUB_LINK_USER_AGENT, Id, Extra(5));
    if (Link->spareInts.getInt(0) == 1) {
      ZUBCalls.ZUBSetString7(ZUB_LINK_USER, Id, Extra(0));
      ZUBCalls.ZUBSetString7(ZUB_LINK_PASSWORD, Id, Extra(1));
    } else {
      ZUBCalls.ZUBSetString7(ZUB_LINK_USER, Id, "");
    }
  }
  return 0;
}

int RunLinkCheckJob(int Flags) {
  const int Job = GetNewHandle(ZUB_KIND_JOB);
  if (Job < 0) {
    return -1;
  }
  if (SetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_CHECK_LINKS) < 0) {
    FreeHandle(Job);
    return -2;
  }
  if ((Flags & 8) != 0) {
    SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_CHECK_ALL_LINKS, 1);
  }
  const int RunFlags = ((Flags & 2) != 0 ? 3 : 1) | (Flags & 4);
  if (RunJob(MainWindow().GetApplicationWindow(), ConfigHandle(), Job, RunFlags) < 0) {
    FreeHandle(Job);
    return -3;
  }
  if (FreeHandle(Job) < 0) {
    return -4;
  }
  return 0;
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
      if (undoArray->setPointer(nullptr, *Index, 1, 0, 0) == 0) {
        Result = -1;
      }
    }
    *Index = -1;
  }
  return Result;
}

int fileinfoclass::CopyFrom(fileinfoclass* Other, int Flags) {
  if (Other == nullptr) {
    return -2;
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
  if ((Flags & 4) != 0) {
    undoArray = nullptr;
    documentArray = nullptr;
  } else {
    undoArray = Other->undoArray;
    documentArray = Other->documentArray;
  }
  if ((Flags & 2) != 0) {
    ClearResults(1);
  } else {
    // The result handle moves to this document: the other one forgets it without freeing it.
    if (resultHandle >= 0 && resultHandle != Other->resultHandle) {
      FreeHandle(resultHandle);
    }
    resultHandle = Other->resultHandle;
    selectedMessage = Other->selectedMessage;
    resultsOutOfDate = Other->resultsOutOfDate;
    Other->ClearResults(9);
  }
  messages.removeAllPointers(1, 0);
  for (PointerArrayManager& List : stringLists) {
    List.removeAllPointers(1, 0);
  }
  return 0;
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
