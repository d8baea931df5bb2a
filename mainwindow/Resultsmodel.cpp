// The message model: the document's message records read from its engine result, their counters, category lists,
// bookmarks, line styles and line re-sync.
#include "mainwindow/Resultsmodel.h"

#include "core/Enginejobs.h"
#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "core/Linklist.h"
#include "core/Mainsetup.h"
#include "core/Mainwindowservices.h"
#include "core/Msginfoclass.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "editor/Easybookmarks.h"
#include "editor/Easyeditsource.h"
#include "editor/Easystrings.h"
#include "mainwindow/Quickeditmainform.h"

#include <cstring>
#include <new>
#include <strings.h>
#include <unordered_map>

namespace {

bool WarningShown = false;

void ZUBQEFormBox(const StrStore& Text, const StrStore& Caption, int Flags) {
  if (MainWindowMessageBox* Box = GetMainWindowMessageBox()) {
    (void)Box->ShowMessageBox(Text, Caption, Flags);
  }
}

const char BookmarkWarningCaption[] = "Quillon: Maximum Number of Bookmarks Exceeded";
const char BookmarkWarningText[] =
    "The maximum number of bookmarks has been exceeded. This is usually caused by more messages than can be properly "
    "bookmarked. Clicking on some messages may not take you to the correct location in the document. One possible "
    "solution to this problem is to reduce the maximum number of errors and/or warnings Quillon will generate before "
    "aborting. This can be set in the Validator Engine Options. This message is only displayed once per session.";

InterfaceFlags2V45 Flags2() {
  return prg != nullptr && prg->interface != nullptr ? prg->interface->flags2 : InterfaceFlags2V45{0x3FF78000u};
}

EditorOptionFlags EditorFlags() {
  return prg != nullptr && prg->editorOptions != nullptr ? prg->editorOptions->flags : EditorOptionFlags{0x3FF003FDu};
}

int CompareCategory(const void* A, const void* B) {
  return ::strcasecmp(static_cast<const StrStore*>(A)->text, static_cast<const StrStore*>(B)->text);
}

// Adds the category to the sorted list unless a case-insensitive equal is there.
void AddCategory(PointerArrayManager& List, const StrStore& Category) {
  if (List.findSortedPointer(&Category, CompareCategory) >= 0) {
    return;
  }
  auto* Copy = new (std::nothrow) StrStore(Category);
  if (Copy == nullptr) {
    return;
  }
  const int At = List.findInsertIndex(Copy, CompareCategory);
  if (List.insertPointer(Copy, At < 0 ? List.getCount() : At) < 0) {
    delete Copy;
  }
}

// The read mark of the message array: its unchanged flag (read by setting it back to what it was).
bool MessagesRead(PointerArrayManager& Messages) {
  const int Was = Messages.setUnchanged(1);
  (void)Messages.setUnchanged(Was);
  return Was == 1;
}

int ClassOfType(int Type) {
  switch (Type) {
    case MSGTYPE_ERROR: return MSGCLASS_ERROR;
    case MSGTYPE_WARNING: return MSGCLASS_WARNING;
    case MSGTYPE_MESSAGE: return MSGCLASS_MESSAGE;
    case MSGTYPE_COMMENT: return MSGCLASS_COMMENT;
    default: return MSGCLASS_NONE;
  }
}

// The engine's calls for one message, bound once for the whole read.
struct MessageReader {
  ZUBGetInteger2EZ_t Int = ZUBCalls.ZUBGetInteger2EZ;
  ZUBGetString2_t Text = ZUBCalls.ZUBGetString2;
  int Handle;
  bool WithIds = EngineVersionNumber() >= ENGINE_VERSION_WITH_MESSAGE_IDS;
  // Type names by type: read from the engine once per type.
  std::unordered_map<int, StrStore> TypeNames;

  explicit MessageReader(int H) : Handle(H) {}
  int I(int Id, int Index) const { return Int != nullptr ? Int(Handle, Id, Index) : -1; }
  const char* S(int Id, int Index) const { return Text != nullptr ? Text(Handle, Id, Index) : nullptr; }
  const StrStore& TypeName(int Type) {
    auto It = TypeNames.find(Type);
    if (It == TypeNames.end()) {
      const char* Name = ZUBCalls.ZUBGetString6 != nullptr ? ZUBCalls.ZUBGetString6(ZUB_TYPE_NAME, Type) : nullptr;
      It = TypeNames.emplace(Type, StrStore(Name != nullptr ? Name : "")).first;
    }
    return It->second;
  }
  void Read(msginfoclass& M, int Index) {
    M.type = I(ZUB_MSG_TYPE, Index);
    M.line = I(ZUB_MSG_LINE, Index);
    M.charpos = I(ZUB_MSG_CHAR, Index);
    M.marklength = I(ZUB_MSG_LENGTH, Index);
    M.kind = I(ZUB_MSG_KIND, Index);
    const char* T = S(ZUB_MSG_TEXT, Index);
    M.text = T != nullptr ? T : "";
    const char* C = S(ZUB_MSG_CATEGORY, Index);
    M.category = C != nullptr ? C : "";
    M.typetext = TypeName(M.type);
    M.flag1 = I(ZUB_MSG_FLAG1, Index);
    M.flag2 = I(ZUB_MSG_FLAG2, Index);
    if (WithIds) {
      M.messageid = I(ZUB_MSG_ID, Index);
    }
  }
};

int ReadMessages(fileinfoclass* D) {
  PointerArrayManager& Messages = D->messages;
  if (MessagesRead(Messages)) {
    return READRESULTS_ALREADY_READ;
  }
  // The views must not keep rows that point at the records about to go.
  if (Messages.getCount() > 0) {
    (void)MainWindow().ClearResultViews(D);
  }
  (void)Messages.removeAllPointers(1, 0);
  for (PointerArrayManager& List : D->stringLists) {
    (void)List.removeAllPointers(1, 0);
  }
  if (D->resultHandle < 0) {
    (void)Messages.setUnchanged(1);
    return READRESULTS_NO_RESULT;
  }
  const int N =
      ZUBCalls.ZUBGetIntegerEZ != nullptr ? ZUBCalls.ZUBGetIntegerEZ(D->resultHandle, ZUB_RESULT_MESSAGES) : -1;
  int Counters[17] = {};
  Counters[MSGTAG_ALL] = N > 0 ? N : 0;
  if (N > 0) {
    (void)Messages.growTo(N);  // a failed grow only means the array grows step by step
  }
  const InterfaceFlags2V45 F2 = Flags2();
  MessageReader Reader(D->resultHandle);
  int Result = READRESULTS_DONE;
  for (int I = 1; I <= N; ++I) {
    auto* M = new (std::nothrow) msginfoclass;
    if (M == nullptr || Messages.addPointer(M) < 0) {
      delete M;
      Result = READRESULTS_NO_MEMORY;
      break;
    }
    M->number = I;
    M->document = D;
    Reader.Read(*M, I);
    const bool Style = (M->kind & MSGKIND_STYLE) != 0;
    const bool Access = (M->kind & MSGKIND_ACCESSIBILITY) != 0;
    if (M->category.length == 0 && (Style || Access)) {
      M->category = NO_CATEGORY;
    }
    const bool Categorised = M->category.length > 0;
    M->listed = (!Categorised || (Style && F2.has(IF2::StylesInMessages)) ||
                 (Access && F2.has(IF2::AccessibilityInMessages)) || (M->kind == 0 && F2.has(IF2::GroupedInMessages)))
                    ? 1
                    : 0;
    if (Categorised) {
      const int List = Access && !Style ? CATEGORIES_ACCESSIBILITY : Style ? CATEGORIES_STYLE : CATEGORIES_PLAIN;
      AddCategory(D->stringLists[List], M->category);
    }
    M->classindex = ClassOfType(M->type);
    if (M->classindex >= 0) {
      if (M->listed != 0) {
        ++Counters[MSGTAG_LISTED + M->classindex];
      }
      if (Style) {
        ++Counters[MSGTAG_STYLES + M->classindex];
      } else if (Access) {
        ++Counters[MSGTAG_ACCESSIBILITY + M->classindex];
      } else if (Categorised) {
        ++Counters[MSGTAG_GROUPED + M->classindex];
      }
    }
    FormatMessageLineText(D, M);
  }
  for (int T = 0; T <= 16; ++T) {
    (void)Messages.setTag(T, Counters[T]);
  }
  (void)Messages.setUnchanged(1);
  SetMessageBookmarks(D);
  return Result;
}

void TestXhtml(fileinfoclass* D) {
  D->doctypeFlags &= ~DOCTYPE_XHTML;
  if (D->text == nullptr) {
    return;
  }
  TEasyStrings* Lines = D->text->Strings();
  const int Count = Lines->Count() < 2 ? Lines->Count() : 2;
  for (int I = 0; I < Count; ++I) {
    const std::string& Line = Lines->GetStrRef(I);
    if (::strncasecmp(Line.c_str(), "<!doctype", 9) == 0 && ::strcasestr(Line.c_str(), "xhtml") != nullptr) {
      D->doctypeFlags |= DOCTYPE_XHTML;
      return;
    }
  }
}

}  // namespace

int MessageTag(fileinfoclass* Document, int Index) {
  return Document != nullptr && Document->messages.tags != nullptr ? Document->messages.tags->getInt(Index) : 0;
}

bool BookmarkWarningShown() { return WarningShown; }
void ResetBookmarkWarning() { WarningShown = false; }

int ReadResults(fileinfoclass* Document, int Flags) {
  if (Document == nullptr) {
    return READRESULTS_NO_RESULT;
  }
  int Result = READRESULTS_DONE;
  if ((Flags & READ_LINK_LIST) != 0) {
    const bool Built = Document->resultLists != nullptr && Document->resultLists->tags != nullptr &&
                       Document->resultLists->tags->getInt(LINKS_TAG_BUILT) != 0;
    if ((Flags & READ_LINKS_IF_UNBUILT) == 0 || !Built) {
      if ((Flags & READ_LINKS_IF_UNBUILT) == 0 && Document->resultLists != nullptr) {
        (void)Document->resultLists->setTag(LINKS_TAG_BUILT, 0);
      }
      int Count = 0;
      const char* Base = Document->GetInfoText(0x20 | 2);
      StrStore BaseCopy(Base != nullptr ? Base : "");
      Result =
          BuildLinkList(Document->resultHandle, &Document->resultLists, Document->webOrigin, &Count, BaseCopy.text, 1);
    }
    if ((Flags & READ_LINK_STATUSES) != 0) {
      (void)ReadLinkStatuses(Document->resultLists, 1);
    }
  }
  if ((Flags & READ_SUBMIT_LINKS) != 0) {
    if (Document->resultHandle < 0) {
      Result = 1;
    } else {
      if (Document->resultLists == nullptr || Document->resultLists->tags == nullptr ||
          Document->resultLists->tags->getInt(LINKS_TAG_BUILT) == 0) {
        (void)ReadResults(Document, READ_LINK_LIST | READ_LINKS_IF_UNBUILT);
      }
      Result = SubmitLinksForCheck(Document->resultLists, (Flags & READ_SUBMIT_FORCED) != 0 ? SUBMIT_RESET_FAILED : 0);
    }
  }
  if ((Flags & READ_MESSAGES) != 0) {
    const int Read = ReadMessages(Document);
    if ((Flags & (READ_LINK_LIST | READ_SUBMIT_LINKS)) == 0 || Read == READRESULTS_NO_MEMORY) {
      Result = Read;
    }
  }
  if ((Flags & READ_XHTML_TEST) != 0) {
    TestXhtml(Document);
  }
  return Result;
}

void SetMessageBookmarks(fileinfoclass* Document) {
  TEasyEditSource* Text = Document->text;
  if (Text != nullptr) {
    int Next = FIRST_MESSAGE_BOOKMARK;
    const int N = Document->messages.getCount();
    for (int I = 0; I < N; ++I) {
      auto* M = static_cast<msginfoclass*>(Document->messages.getPointer(I));
      if (M == nullptr) {
        continue;
      }
      if (M->line > 0 && Next >= MESSAGE_BOOKMARK_END && !WarningShown) {
        WarningShown = true;
        ZUBQEFormBox(StrStore(BookmarkWarningText), StrStore(BookmarkWarningCaption),
                     MSG_INFORMATION | MSG_NOT_ON_STATUS_BAR);
      }
      if (M->line > 0 && Next < MESSAGE_BOOKMARK_END) {
        Text->ClearBookmark(Next);
        Text->SetBookMark(Next, TPoint{0, M->line - 1});
        M->bookmark = Next++;
      } else {
        M->bookmark = -1;
      }
    }
  }
  (void)ApplyMessageLineStyles(Document);
}

int ApplyMessageLineStyles(fileinfoclass* Document) {
  if (Document == nullptr) {
    return LINESTYLES_NOT_READ;
  }
  (void)Document->ClearLineStyles();
  if (!MessagesRead(Document->messages)) {
    return LINESTYLES_NOT_READ;
  }
  TEasyEditSource* Text = Document->text;
  if (Text == nullptr) {
    return 0;
  }
  const EditorOptionFlags F = EditorFlags();
  const bool On = F.has(EOF40::WholeLineHighlight);
  const int Lines = Text->Strings()->Count();
  const int N = Document->messages.getCount();
  for (int I = 0; I < N; ++I) {
    auto* M = static_cast<msginfoclass*>(Document->messages.getPointer(I));
    if (M == nullptr || M->line <= 0 || M->line > Lines) {
      continue;
    }
    const int L = M->line - 1;
    const int Present = Text->GetLineStyle(L);
    M->oldlinestyle = Present;
    if (!On) {
      continue;
    }
    if (M->type == MSGTYPE_ERROR && F.has(EOF40::HighlightErrorLines)) {
      Text->SetLineStyle(L, LINESTYLE_ERROR);
    } else if (M->type == MSGTYPE_WARNING && F.has(EOF40::HighlightWarningLines) && Present != LINESTYLE_ERROR) {
      Text->SetLineStyle(L, LINESTYLE_WARNING);
    } else if (M->type == MSGTYPE_MESSAGE && F.has(EOF40::HighlightMessageLines) && Present != LINESTYLE_ERROR &&
               Present != LINESTYLE_WARNING) {
      Text->SetLineStyle(L, LINESTYLE_MESSAGE);
    }
  }
  return 0;
}

int FindBookmarkLine(TCustomEasyEditSource* Source, int Bookmark) {
  TPoint Where{};
  if (Source == nullptr || !Source->FindBookMark(Bookmark, Where)) {
    return -1;
  }
  return Where.Y + 1;
}

int SyncMessageLines(fileinfoclass* Document) {
  if (Document == nullptr || Document->resultHandle < 0) {
    return SYNC_NO_RESULT;
  }
  (void)ReadResults(Document, READ_MESSAGES);
  if (Document->text == nullptr) {
    return 0;
  }
  // Every bookmark's line in one pass over the bookmark list.
  std::unordered_map<int, int> Lines;
  TEasyBookMarkList* Marks = Document->text->BookMarks();
  for (int I = 0; I < Marks->Count(); ++I) {
    const TEasyBookMark* Mark = Marks->Mark(I);
    if (Mark != nullptr) {
      Lines.emplace(Mark->Number, Mark->Line + 1);
    }
  }
  const int N = Document->messages.getCount();
  for (int I = 0; I < N; ++I) {
    auto* M = static_cast<msginfoclass*>(Document->messages.getPointer(I));
    if (M == nullptr || M->bookmark < 0) {
      continue;
    }
    const auto It = Lines.find(M->bookmark);
    if (It == Lines.end()) {
      continue;
    }
    if (It->second != M->line) {
      M->line = It->second;
      if (ZUBCalls.ZUBSetInteger2 != nullptr) {
        (void)ZUBCalls.ZUBSetInteger2(Document->resultHandle, ZUB_MSG_LINE, M->number, M->line);
      }
      FormatMessageLineText(Document, M);
    }
  }
  return 0;
}

void FormatMessageLineText(fileinfoclass* Document, msginfoclass* Message) {
  (void)Document;
  if (Message == nullptr) {
    return;
  }
  if (Message->line > 0) {
    Message->linetext.assignInt(Message->line);
  } else {
    Message->linetext.clear();
  }
}
