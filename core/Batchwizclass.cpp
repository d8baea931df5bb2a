// The batch wizard's settings that need the engine, the current list options, and the batch targets with their
// creation, comparison and list operations.
#include "core/Batchwizclass.h"

#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "core/Linklist.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"
#include "core/Zodir.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/ShlObj.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <set>

namespace {

BatchTargetView* DefaultView = nullptr;

// Target ids: the smallest number no live target holds, so that the same run gives the same ids (report anchors)
// however many targets lived before it.
struct TargetIds {
  std::set<int> freed;
  int next = 1;
  int Take() {
    if (freed.empty()) {
      return next++;
    }
    const int Id = *freed.begin();
    freed.erase(freed.begin());
    return Id;
  }
  void Give(int Id) { freed.insert(Id); }
};
TargetIds& Ids() {
  static TargetIds* I = new TargetIds;  // lives to the end of the process: targets may outlive static objects
  return *I;
}

void MarkBatchListModified(void* /*Context*/) {
  if (prg != nullptr && prg->volatileState != nullptr) {
    MarkTargetListModified(prg->volatileState->batchTargets);
  }
}

// 0 when equal, else the sign of the byte comparison of the two texts (ignoring ASCII case when NoCase).
int CompareTexts(const char* A, const char* B, bool NoCase) {
  const int R = NoCase ? CompareText(A, B) : std::strcmp(A, B);
  return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

void SetOwnedText(StrStore*& Field, const char* Text) {
  delete Field;
  Field = (Text != nullptr && *Text != 0) ? new (std::nothrow) StrStore(Text) : nullptr;
}

}  // namespace

// ---- batchwizclass --------------------------------------------------------------------------------------------

void batchwizclass::prepareRun(int Bits) {
  if ((Bits & PREPARE_PAGE_BUFFER) != 0) {
    pageBuffer = std::make_unique<FileStore>();
  }
  if ((Bits & PREPARE_CONFIGURATION) == 0) {
    return;
  }
  configurationIndex = -1;
  if (ZUBCalls.ZUBGetInteger3EZ == nullptr || ZUBCalls.ZUBGetInteger3EZ(ZUB_ENGINE_VERSION) <= 45090) {
    return;
  }
  volatileclass* Vol = EngineOwnerState();
  const int Config = Vol != nullptr ? Vol->configHandle : -1;
  if (Config < 0 || ZUBCalls.ZUBGetIntegerEZ == nullptr || ZUBCalls.ZUBGetString2 == nullptr) {
    return;
  }
  const int Count = ZUBCalls.ZUBGetIntegerEZ(Config, ZUB_CONFIG_CONFIGURATION_COUNT);
  for (int I = 0; I < Count; ++I) {
    const char* Name = ZUBCalls.ZUBGetString2(Config, ZUB_CONFIG_CONFIGURATION_NAME, I);
    if (Name != nullptr && jobSubtype.equalsNoCase(Name) != 0) {
      configurationIndex = I;
      return;
    }
  }
}

int batchwizclass::SetCurrentListOptions(const batchwizclass2* Options) {
  listOptions.reset();
  if (Options == nullptr) {
    return 0;
  }
  auto Copy = std::unique_ptr<batchwizclass2>(new (std::nothrow) batchwizclass2);
  if (Copy == nullptr) {
    return -1;
  }
  for (int I = 0; I < 4; ++I) {
    Copy->slots[I] = Options->slots[I];
  }
  Copy->onModified = MarkBatchListModified;
  Copy->context = this;
  listOptions = std::move(Copy);
  return 0;
}

// ---- targets --------------------------------------------------------------------------------------------------

BatchTargetView* DefaultBatchTargetView() { return DefaultView; }
void SetDefaultBatchTargetView(BatchTargetView* View) { DefaultView = View; }

void MarkTargetListModified(PointerArrayManager* List) {
  if (List != nullptr) {
    (void)List->setUnchanged(0);  // the previous state is not needed
  }
}

batchwiztargetclass::batchwiztargetclass() : targetId(Ids().Take()) {}

bool batchwiztargetclass::documentAlive() const {
  if (sourceDocument == nullptr || prg == nullptr || prg->volatileState == nullptr) {
    return false;
  }
  const PointerArrayManager* Documents = prg->volatileState->documents;
  return Documents != nullptr && Documents->indexOfPointer(sourceDocument) >= 0 &&
         sourceDocument->serial == sourceSerial;
}

batchwiztargetclass::~batchwiztargetclass() {
  if (sourceDocument != nullptr && documentAlive()) {
    if (resultHandle >= 0) {
      (void)sourceDocument->SetResultHandle(resultHandle, 1);  // a refused handle stays with the engine's owner
    }
  } else {
    (void)FreeHandle(resultHandle);  // a failure is reported by the wrapper; nothing more can be done here
  }
  (void)FreeHandle(jobHandle);  // as above
  const bool ShuttingDown = prg != nullptr && prg->volatileState != nullptr && prg->volatileState->shuttingDown != 0;
  if (!ShuttingDown) {
    updateListItem(ROW_DELETE | ROW_KEEP_PAGE);
  }
  if (webOrigin != nullptr && webOrigin->localFile.length > 0) {
    std::remove(webOrigin->localFile.text);
  }
  delete webOrigin;
  delete targetReport;
  delete linkList;
  delete followLimitTo;
  delete followExtensions;
  Ids().Give(targetId);
}

int FreeBatchTarget(void* Element) {
  delete static_cast<batchwiztargetclass*>(Element);
  return 1;
}

int batchwiztargetclass::kindRank() const {
  if (has(TARGET_URL)) {
    return 1;
  }
  if (has(TARGET_DIRECTORY)) {
    return 2;
  }
  return has(TARGET_FILE) ? 3 : 0;
}

const StrStore& batchwiztargetclass::getFolderKey() {
  if (!folderKeyMade) {
    folderKey = targetText;
    if (folderKey.removeLastPathPart(has(TARGET_URL) ? PATH_STYLE_URL : PATH_STYLE_FILE) <= 0) {
      folderKey.clear();
    }
    folderKeyMade = true;
  }
  return folderKey;
}

int batchwiztargetclass::getInt(int Selector) {
  switch (Selector) {
    case TINT_ICON: {
      if (!has(TARGET_FILE) && !has(TARGET_DIRECTORY)) {
        return -1;
      }
      SHFILEINFO Info;
      if (SHGetFileInfo(targetText.text, 0, &Info, sizeof(Info), 0x4101) == 0) {
        return -1;
      }
      return Info.iIcon;
    }
    case TINT_HAS_ERRORS: return errorCount > 0 ? 1 : 0;
    case TINT_HAS_WARNINGS: return warningCount > 0 ? 1 : 0;
    case TINT_CLEAN: return errorCount <= 0 && warningCount <= 0 ? 1 : 0;
    case TINT_HAS_BAD_LINKS: return badLinkCount > 0 ? 1 : 0;
    case TINT_ALL_CLEAN: return errorCount <= 0 && warningCount <= 0 && badLinkCount <= 0 ? 1 : 0;
    case TINT_USES_CREDENTIALS: return fileinfoextraclass::UsesCredentials(webOrigin, 1);
    case TINT_DEPTH_LIMIT: return followDepthLimit;
    default: return -1;
  }
}

const char* batchwiztargetclass::getString(int Selector) {
  const char* Result = nullptr;
  const bool Document = sourceDocument != nullptr;
  const int S = Selector & ~TGET_EMPTY_NOT_NULL;
  if (S == TGET_CAPTION && !Document) {
    buffer = has(TARGET_URL) ? GetUrlFileName(targetText.text, 0) : GetPathFileName(targetText.text);
    Result = buffer.text;
  } else if (S == TGET_PROCESS && !Document) {
    Result = has(TARGET_PROCESS) ? "Yes" : "No";
  } else if (S == TGET_FLAGS && !Document) {
    buffer.clear();
    if (has(TARGET_FILE)) {
      buffer.append("F");
    } else if (has(TARGET_DIRECTORY)) {
      buffer.append(has(TARGET_INCLUDE_SUB) ? "DI" : "D");
    } else if (has(TARGET_URL)) {
      buffer.append(getInt(TINT_USES_CREDENTIALS) != 0 ? "UP" : "U");
    }
    buffer.append(has(TARGET_NEVER_VALIDATE) ? "N" : "").append(has(TARGET_FOLLOW_LINKS) ? "L" : "");
    Result = buffer.text;
  } else if (S == TGET_RESULTS && !Document) {
    buffer.clear();
    if (errorCount >= 0) {
      auto Cap = [](int V) { return V > 99 ? 99 : V; };
      char Text[64];
      std::snprintf(Text, sizeof(Text), "%02de,%02dw,%02db,%02dm", Cap(errorCount), Cap(warningCount),
                    Cap(badLinkCount), misspellingCount < 0 ? 0 : Cap(misspellingCount));
      buffer.assign(Text);
    }
    Result = buffer.text;
  } else if (S == TGET_DISPLAY_NAME || S == TGET_DISPLAY_NAME2) {
    if (Document && documentAlive()) {
      const char* Name = sourceDocument->GetName(NAME_DISPLAY);
      Result = (Name != nullptr && *Name != 0) ? Name : UNTITLED_NAME;
    } else {
      Result = targetText.text;
    }
  } else if (S == TGET_FOLDER_KEY && !Document) {
    Result = getFolderKey().text;
  } else if (S == TGET_AGENT || S == TGET_USER || S == TGET_PASSWORD) {
    if (webOrigin != nullptr) {
      Result = S == TGET_AGENT ? webOrigin->userAgent.text
                               : (S == TGET_USER ? webOrigin->userName.text : webOrigin->password.text);
    }
  } else if (S == TGET_LIMIT_TO) {
    Result = followLimitTo != nullptr ? followLimitTo->text : nullptr;
  } else if (S == TGET_EXTENSIONS) {
    if (followExtensions != nullptr) {
      Result = followExtensions->text;
    } else if (prg != nullptr && prg->batchWizard != nullptr) {
      Result = prg->batchWizard->followLinkExtensions.text;
    }
  }
  if (Result == nullptr && (Selector & TGET_EMPTY_NOT_NULL) != 0) {
    Result = "";
  }
  return Result;
}

int batchwiztargetclass::setString(const char* Text, int Selector) {
  if (Text == nullptr && Selector != TSET_LIMIT_TO && Selector != TSET_EXTENSIONS) {
    return -1;
  }
  switch (Selector) {
    case TSET_TEXT:
      if (targetText.setString(Text, -1) == 0) {
        return -2;
      }
      folderKeyMade = false;
      if (webOrigin != nullptr) {
        webOrigin->address.assign(Text);
      }
      return 0;
    case TSET_AGENT:
    case TSET_USER:
    case TSET_PASSWORD:
      if (webOrigin != nullptr) {
        StrStore& Field = Selector == TSET_AGENT ? webOrigin->userAgent
                                                 : (Selector == TSET_USER ? webOrigin->userName : webOrigin->password);
        Field.assign(Text);
      }
      return 0;
    case TSET_LIMIT_TO: SetOwnedText(followLimitTo, Text); return 0;
    case TSET_EXTENSIONS: SetOwnedText(followExtensions, Text); return 0;
    default: return 0;
  }
}

int batchwiztargetclass::setInt(PointerArrayManager* List, int Value, int Selector) {
  if (Selector == TINT_FLAGS) {
    const unsigned Old = targetFlags;
    targetFlags = static_cast<unsigned>(Value);
    if (Old != targetFlags) {
      MarkTargetListModified(List);
      if (((Old ^ targetFlags) & TARGET_PROCESS) != 0) {
        updateListItem(ROW_PROC | ROW_KEEP_PAGE);
      }
    }
  } else if (Selector == TINT_CREDENTIALS) {
    if (webOrigin != nullptr) {
      webOrigin->SetUseCredentials(Value != 0, 1);
    }
  } else if (Selector == TINT_DEPTH) {
    const int Depth = Value < -1 ? -1 : Value;
    if (Depth != followDepthLimit) {
      followDepthLimit = Depth;
      MarkTargetListModified(List);
    }
  }
  return 0;
}

void batchwiztargetclass::reset(int Bits) {
  if ((Bits & (TRESET_COUNTS | TRESET_RUN)) != 0) {
    errorCount = warningCount = misspellingCount = -1;
    badLinkCount = warningLinkCount = 0;
  }
  if ((Bits & TRESET_RUN) != 0) {
    targetFlags &= ~(TARGET_PROCESSED | TARGET_DOWNLOAD_REQUESTED | TARGET_FAILED);
  }
  if ((Bits & TRESET_PROCESS) != 0) {
    targetFlags |= TARGET_PROCESS;
  }
  if ((Bits & TRESET_PROCESSED) != 0) {
    targetFlags &= ~TARGET_PROCESSED;
  }
}

batchwiztargetclass* batchwiztargetclass::clone() {
  auto* T = new (std::nothrow) batchwiztargetclass;
  if (T == nullptr) {
    return nullptr;
  }
  T->targetText = targetText;
  T->targetFlags = targetFlags;
  T->kindFlags = kindFlags;
  T->errorCount = errorCount;
  T->warningCount = warningCount;
  T->badLinkCount = badLinkCount;
  T->warningLinkCount = warningLinkCount;
  T->misspellingCount = misspellingCount;
  T->followDepthLimit = followDepthLimit;
  T->listView = listView;
  SetOwnedText(T->followLimitTo, followLimitTo != nullptr ? followLimitTo->text : nullptr);
  SetOwnedText(T->followExtensions, followExtensions != nullptr ? followExtensions->text : nullptr);
  if (webOrigin != nullptr) {
    T->webOrigin = new (std::nothrow) fileinfoextraclass;
    if (T->webOrigin == nullptr) {
      delete T;
      return nullptr;
    }
    T->webOrigin->CopyFrom(*webOrigin);
    // The copy downloads into a file of its own; the original's file is not the copy's to delete.
    T->webOrigin->localFile.clear();
  }
  T->sourceTarget = this;
  return T;
}

void batchwiztargetclass::inheritFollowSettings(const batchwiztargetclass& Other, int Bits) {
  if ((Bits & INHERIT_FOLLOW) != 0) {
    followDepthLimit = Other.followDepthLimit;
    SetOwnedText(followLimitTo, Other.followLimitTo != nullptr ? Other.followLimitTo->text : nullptr);
    SetOwnedText(followExtensions, Other.followExtensions != nullptr ? Other.followExtensions->text : nullptr);
  }
  if ((Bits & INHERIT_LI_BITS) != 0) {
    targetFlags |= Other.targetFlags & (TARGET_FOLLOW_LINKS | TARGET_INCLUDE_SUB);
  }
}

int batchwiztargetclass::moveResultsTo(batchwiztargetclass* Receiver) {
  if (Receiver == nullptr) {
    return 0;
  }
  int Moved = 0;
  for (auto [Mine, Theirs] :
       {std::pair{&errorCount, &Receiver->errorCount}, std::pair{&warningCount, &Receiver->warningCount},
        std::pair{&misspellingCount, &Receiver->misspellingCount}}) {
    if (*Mine >= 0) {
      *Theirs = *Theirs < 0 ? *Mine : *Theirs + *Mine;
      *Mine = -1;
      Moved = 1;
    }
  }
  for (auto [Mine, Theirs] :
       {std::pair{&badLinkCount, &Receiver->badLinkCount}, std::pair{&warningLinkCount, &Receiver->warningLinkCount}}) {
    if (*Mine > 0) {
      *Theirs += *Mine;
      *Mine = 0;
      Moved = 1;
    }
  }
  return Moved;
}

void batchwiztargetclass::updateListItem(int Flags) {
  if (listView != nullptr) {
    listView->updateListItem(this, Flags);
  }
}

int CompareTargets(const batchwiztargetclass* A0, const batchwiztargetclass* B0) {
  auto* A = const_cast<batchwiztargetclass*>(A0);
  auto* B = const_cast<batchwiztargetclass*>(B0);
  if (A->kindRank() != B->kindRank()) {
    return A->kindRank() < B->kindRank() ? -1 : 1;
  }
  if (A->has(TARGET_FILE) || A->has(TARGET_DIRECTORY)) {
    const int R = CompareTexts(A->getFolderKey().text, B->getFolderKey().text, true);
    return R != 0 ? R : CompareTexts(A->targetText.text, B->targetText.text, true);
  }
  if (!A->has(TARGET_URL)) {
    return CompareTexts(A->targetText.text, B->targetText.text, true);
  }
  int R = CompareTexts(A->targetText.text, B->targetText.text, false);
  if (R != 0 || A->webOrigin == nullptr || B->webOrigin == nullptr) {
    return R;
  }
  R = CompareTexts(A->webOrigin->userAgent.text, B->webOrigin->userAgent.text, false);
  if (R != 0 || fileinfoextraclass::UsesCredentials(A->webOrigin, 1) == 0 ||
      fileinfoextraclass::UsesCredentials(B->webOrigin, 1) == 0) {
    return R;
  }
  R = CompareTexts(A->webOrigin->userName.text, B->webOrigin->userName.text, false);
  return R != 0 ? R : CompareTexts(A->webOrigin->password.text, B->webOrigin->password.text, false);
}

int CompareTargetsCallback(const void* New, const void* Existing) {
  return CompareTargets(static_cast<const batchwiztargetclass*>(New),
                        static_cast<const batchwiztargetclass*>(Existing));
}

namespace {

bool IsFolder(const char* Path) { return Zodir::DirectoryExists(Path); }

// The followed-link kind: the parent's follow settings, and for web addresses its agent and, under its address,
// its credentials.
bool MakeLinkTarget(batchwiztargetclass* T, batchwiztargetclass* Parent) {
  T->targetText.removeAnchor();
  T->sourceTarget = Parent;
  T->inheritFollowSettings(*Parent, INHERIT_FOLLOW | INHERIT_LI_BITS);
  if (IsWebUrl(T->targetText.text) != 0) {
    T->webOrigin = new (std::nothrow) fileinfoextraclass;
    if (T->webOrigin == nullptr) {
      return false;
    }
    T->webOrigin->address = T->targetText;
    if (Parent->webOrigin != nullptr) {
      T->webOrigin->TakeCredentials(*Parent->webOrigin, 0x1);
      if (fileinfoextraclass::UsesCredentials(Parent->webOrigin, 1) != 0 &&
          IsUnderBaseURL(Parent->webOrigin->address.text, T->targetText.text, 1) != 0) {
        T->webOrigin->TakeCredentials(*Parent->webOrigin, 0x2);
      }
    }
    T->setBit(TARGET_URL, true);
  } else if (IsAbsolutePath(T->targetText.text)) {
    const bool Folder = EndsWithBackslash(T->targetText.text) != 0 || IsFolder(T->targetText.text);
    T->setBit(Folder ? TARGET_DIRECTORY : TARGET_FILE, true);
  }
  return true;
}

}  // namespace

batchwiztargetclass* CreateTarget(const void* Text, batchwiztargetclass* Parent, int Kind) {
  if (Text == nullptr || (Kind == TARGET_KIND_LINK && Parent == nullptr)) {
    return nullptr;
  }
  auto* T = new (std::nothrow) batchwiztargetclass;
  if (T == nullptr) {
    return nullptr;
  }
  T->listView = DefaultView;
  bool Made = true;
  if (Kind == TARGET_KIND_ORIGIN) {
    T->webOrigin = static_cast<fileinfoextraclass*>(const_cast<void*>(Text));
    T->targetText = T->webOrigin->address;
    T->setBit(TARGET_URL, true);
  } else {
    const char* Name = static_cast<const char*>(Text);
    T->targetText.assign(Name);
    switch (Kind & ~TARGET_KIND_WITH_SUB) {
      case TARGET_KIND_LINK: Made = MakeLinkTarget(T, Parent); break;
      case TARGET_KIND_PATH: T->setBit(IsFolder(Name) ? TARGET_DIRECTORY : TARGET_FILE, true); break;
      case TARGET_KIND_FILE: T->setBit(TARGET_FILE, true); break;
      case TARGET_KIND_DIRECTORY:
        T->setBit(TARGET_DIRECTORY, true);
        T->setBit(TARGET_INCLUDE_SUB, (Kind & TARGET_KIND_WITH_SUB) != 0);
        break;
      case TARGET_KIND_URL:
        T->webOrigin = new (std::nothrow) fileinfoextraclass;
        Made = T->webOrigin != nullptr;
        if (Made) {
          T->webOrigin->address.assign(Name);
        }
        T->setBit(TARGET_URL, true);
        break;
      default: break;
    }
  }
  if (!Made) {
    delete T;
    return nullptr;
  }
  return T;
}

int AddTarget(PointerArrayManager* List, const void* Text, int Flags, batchwiztargetclass** Added) {
  if (Added != nullptr) {
    *Added = nullptr;
  }
  if (List == nullptr) {
    return ADD_NO_LIST;
  }
  if (Text == nullptr) {
    return ADD_NO_TEXT;
  }
  int Kind = 0;
  for (int K : {TARGET_KIND_PATH, TARGET_KIND_ORIGIN, TARGET_KIND_FILE, TARGET_KIND_DIRECTORY, TARGET_KIND_URL}) {
    if ((Flags & K) != 0) {
      Kind = K;
      break;
    }
  }
  if (Kind == TARGET_KIND_DIRECTORY) {
    Kind |= Flags & TARGET_KIND_WITH_SUB;
  }
  batchwiztargetclass* T = CreateTarget(Text, nullptr, Kind);
  if (T == nullptr) {
    return ADD_CANNOT_MAKE;
  }
  if (List->findSortedPointer(T, CompareTargetsCallback) != ZUB_NOT_FOUND) {
    if (Kind == TARGET_KIND_ORIGIN) {
      T->webOrigin = nullptr;  // the caller keeps the record it offered
    }
    delete T;
    return ADD_EQUAL_PRESENT;
  }
  if ((Flags & ADD_OPTION_SUB) != 0 && T->has(TARGET_DIRECTORY) && prg != nullptr && prg->batchWizard != nullptr &&
      prg->batchWizard->optionFlags.has(BWF::NewDirectoriesIncludeSub)) {
    T->setBit(TARGET_INCLUDE_SUB, true);
  }
  if (List->addPointer(T, CompareTargetsCallback) < 0) {
    delete T;
    return ADD_CANNOT_MAKE;
  }
  if ((Flags & ADD_NO_ROW) == 0) {
    T->updateListItem(ROW_REFRESH | ((Flags & ADD_NO_SORT) != 0 ? ROW_NO_SORT : 0));
  }
  if (Added != nullptr) {
    *Added = T;
  }
  return ADD_DONE;
}
