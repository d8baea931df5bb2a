// The memo source's life cycle, update protocol, tracked positions, attached editors and properties.
#include "codeeditor/Dcstring.h"
#include "codeeditor/Searrepldlg.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace Dcstring {

Z_IMPLEMENT_CLASS_PUBLISHED(TCustomMemoSource, TComponent, TCustomMemoSource::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TMemoSource, TCustomMemoSource, TMemoSource::Publish)

TCustomMemoSource* FLastSource = nullptr;
TCustomMemoSource* CurrentFindSource = nullptr;
bool ModalSearchAndReplace = true;

namespace {
TList* GMemoSources = nullptr;
}  // namespace

TList* MemoSources() {
  if (GMemoSources == nullptr) {
    GMemoSources = new TList();
  }
  return GMemoSources;
}

void FreeMemoSources() {
  delete GMemoSources;
  GMemoSources = nullptr;
}

TCustomMemoSource* MemoSourceByName(const std::string& Name) {
  TList* L = MemoSources();
  for (Integer I = 0; I < L->Count(); ++I) {
    auto* M = static_cast<TCustomMemoSource*>(L->Items(I));
    if (AnsiCompareText(M->ObjectName(), Name) == 0) {
      return M;
    }
  }
  return nullptr;
}

void TCustomMemoSource::Publish(TMetaClass& Meta) {
  TPublisher<TCustomMemoSource> P(Meta);
  P.Property("Version", &TCustomMemoSource::FVersion, &TCustomMemoSource::FVersion).Stored(false);
}

TCustomMemoSource::TCustomMemoSource(TComponent* AOwner) : TComponent(AOwner) {
  MemoSources()->Add(this);
  FUndoList = new TUndoList();
  FRedoList = new TUndoList();
  FSelectionStrings = new TSelectionStrings(this);
  FNotifiers = new Dorazori::TNotifierList();
  FStrings = new TInternalStrings();
  FStrings->SetItemClass(GetStrItemClass());
  FStrings->SetReadHook([this](const std::string& Raw) { return ExpandTabString(Raw); });
  FLines = new TExternalStrings(this);
  FPositions = new TCollection(TPosition::StaticClass());
  FCaretPos = new TPosition(FPositions);
  FBlockBegin = new TPosition(FPositions);
  FBlockEnd = new TPosition(FPositions);
  auto Allow = [this](TObject* Sender, bool& AllowX, bool& AllowY) { AllowUpdate(Sender, AllowX, AllowY); };
  FBlockBegin->OnAllowUpdate = Allow;
  FBlockEnd->OnAllowUpdate = Allow;
  FOldBlockBegin = new TPosition(FPositions);
  FOldBlockEnd = new TPosition(FPositions);
  FCodeTemplates = new TMemoCodeTemplates(this);
  FBookMarks = new TMemoBookMarkList();
  FHiddenLines = new TVisibleLinesList();
  for (int C = 0; C <= 32; ++C) {
    FDelimSet.set(static_cast<std::size_t>(C));
  }
  FOptions = DefaultStringsOptions;
  FTabStops = {9, 17};
  FTabStopsStr = "9,17";
}

TCustomMemoSource::~TCustomMemoSource() {
  FDestroying = true;
  if (GMemoSources != nullptr) {  // gone already when the unit was finalised first
    GMemoSources->Remove(this);
  }
  delete FStrings;
  FStrings = nullptr;
  delete FPositions;
  FPositions = nullptr;
  FCaretPos = FBlockBegin = FBlockEnd = FOldBlockBegin = FOldBlockEnd = nullptr;
  FSavedBlockBegin = FSavedBlockEnd = FSavedCaret = nullptr;
  delete FUndoList;
  delete FRedoList;
  delete FSelectionStrings;
  delete FLines;
  delete FCodeTemplates;
  delete FBookMarks;
  delete FHiddenLines;
  if (FSyntaxParser != nullptr) {
    FSyntaxParser->UnRegisterNotifier(Dorazori::TNotifierProc::Of<&TCustomMemoSource::ParserOnChange>(this));
    FSyntaxParser->RemoveFreeNotification(this);
    FSyntaxParser = nullptr;
  }
  // Attached editors that are components hear that the source goes through their free-notification link.
  delete FNotifiers;
  if (FLastSource == this) {
    FLastSource = nullptr;
  }
  if (CurrentFindSource == this) {
    // The non-modal search window works on this source only: it goes with it.
    CurrentFindSource = nullptr;
    Searrepldlg::CloseSearchWindow();
  }
}

void TCustomMemoSource::Loaded() {
  TComponent::Loaded();
  BeginUpdate(Reason::AfterLoaded);
  try {
    SetModified(false);
    JumpTo(0, 0);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  ClearUndoBuffer();
}

void TCustomMemoSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  if (AComponent == ActiveMemo) {
    ActiveMemo = nullptr;
  } else if (AComponent == FSyntaxParser) {
    SetSyntaxParser(nullptr);
  } else if (FNotifiers != nullptr) {
    FNotifiers->DeleteWithData(AComponent);
  }
}

bool TCustomMemoSource::MemoNotify(TObject*, TMessage&) { return true; }

// ---- attached editors ----

void TCustomMemoSource::RegisterNotifier(const TMemoNotifyProc& Notifier, bool Update) {
  FNotifiers->AddMethod(Notifier);
  if (Update) {
    BeginUpdate(Reason::RegisterNotifier);
    UpdateChangedLines(0, MaxInt);
    State = TMemoStates{msPositionChanged, msUndo,           msBlockChanged, msInsState, msCountChanged,
                        msModifiedChanged, msObjNameChanged, msParserChanged};
    EndUpdate();
  }
  if (auto* C = dynamic_cast<TComponent*>(Notifier.Object())) {
    C->FreeNotification(this);
  }
}

void TCustomMemoSource::UnregisterNotifier(const TMemoNotifyProc& Notifier) { FNotifiers->DeleteMethod(Notifier); }

void TCustomMemoSource::NotifyEvents(Integer A, Integer B) { FNotifiers->NotifyEvents(this, A, B); }

// ---- updates ----

void TCustomMemoSource::BeginUpdate(Integer AReason) {
  if (FUpdateCount > 0) {
    ++FUpdateCount;
    return;
  }
  OldLineCount = GetStrCount();
  State = {};
  OldFoundRect = FoundRect;
  FoundRect = TRect{};
  FirstChangedLine = MaxInt;
  LastChangedLine = -MaxInt;
  FNewUndoGroup = true;
  ColorChangeMark = -1;
  FUpdateReason = AReason;
  FOldModified = FModified;
  FOldSelectionType = FSelectionType;
  FOldBlockBegin->SetPosition(FBlockBegin->CharPos, FBlockBegin->LinePos);
  FOldBlockEnd->SetPosition(FBlockEnd->CharPos, FBlockEnd->LinePos);
  FOldCaretLine = FCaretPos->LinePos;
  FOldCaretChar = FCaretPos->CharPos;
  FUpdateCount = 1;
  TempUnhighlightLine();
}

void TCustomMemoSource::BeginSafeUpdate(Integer AReason) {
  if (FUpdateCount == 0) {
    FSavedSelType = FSelectionType;
    FSavedBlockBegin = CopyPosition(FBlockBegin);
    FSavedBlockEnd = CopyPosition(FBlockEnd);
    FSavedCaret = CopyPosition(FCaretPos);
    FSavedHeld = true;
  }
  BeginUpdate(AReason);
}

void TCustomMemoSource::UpdateSavedPos() {
  if (!FSavedHeld) {
    return;
  }
  FSavedSelType = FSelectionType;
  FSavedBlockBegin->Assign(FBlockBegin);
  FSavedBlockEnd->Assign(FBlockEnd);
  FSavedCaret->Assign(FCaretPos);
}

void TCustomMemoSource::UpdateChanged(Integer First, Integer Last) {
  State.Include(msEdited);
  UpdateChangedLines(First, Last);
}

void TCustomMemoSource::UpdateChangedLines(Integer First, Integer Last) {
  FirstChangedLine = std::min(FirstChangedLine, First);
  LastChangedLine = std::max(LastChangedLine, Last);
}

void TCustomMemoSource::MarkBlockChanged(bool TypeUnchanged) {
  State.Include(msBlockChanged);
  const bool SameColumns = FSelectionType != stBlockSel || (FOldBlockBegin->CharPos == FBlockBegin->CharPos &&
                                                            FOldBlockEnd->CharPos == FBlockEnd->CharPos);
  if (TypeUnchanged && SameColumns) {
    if (!FOldBlockBegin->SameAs(FBlockBegin)) {
      UpdateChangedLines(std::min(FOldBlockBegin->LinePos, FBlockBegin->LinePos),
                         std::max(FOldBlockBegin->LinePos, FBlockBegin->LinePos));
    }
    if (!FOldBlockEnd->SameAs(FBlockEnd)) {
      UpdateChangedLines(std::min(FOldBlockEnd->LinePos, FBlockEnd->LinePos),
                         std::max(FOldBlockEnd->LinePos, FBlockEnd->LinePos));
    }
    return;
  }
  UpdateChangedLines(std::min(FOldBlockBegin->LinePos, FBlockBegin->LinePos),
                     std::max(FOldBlockEnd->LinePos, FBlockEnd->LinePos));
}

void TCustomMemoSource::EndUpdate() {
  if (FSavedHeld && FUpdateCount == 1) {
    FSavedHeld = false;
    FSelectionType = FSavedSelType;
    FBlockBegin->Assign(FSavedBlockBegin);
    FBlockEnd->Assign(FSavedBlockEnd);
    delete FSavedBlockBegin;
    delete FSavedBlockEnd;
    FSavedBlockBegin = FSavedBlockEnd = nullptr;
    TPosition* Caret = FSavedCaret;
    FSavedCaret = nullptr;
    RestorePosition(Caret);
  }
  if (FUpdateCount <= 0) {
    return;
  }
  if (--FUpdateCount > 0) {
    return;
  }
  if (FCaretPos->LinePos != FOldCaretLine || FCaretPos->CharPos != FOldCaretChar || BookmarkJump) {
    State.Include(msPositionChanged);
  }
  if (FSelectionType != stNotSelected && IsBlockEmpty(FSelectionType)) {
    FSelectionType = stNotSelected;
  }
  if ((State.Contains(msPositionChanged) || State.Contains(msEdited)) && !State.Contains(msUndo)) {
    ClearRedoBuffer();
  }
  if (FSelectionType != FOldSelectionType) {
    MarkBlockChanged(false);
  } else if (FSelectionType != stNotSelected) {
    if (!FOldBlockBegin->SameAs(FBlockBegin) || !FOldBlockEnd->SameAs(FBlockEnd)) {
      MarkBlockChanged(true);
    } else if (!FOptions.Contains(soPersistentBlocks) && State.Contains(msPositionChanged) && SelectionLock == 0) {
      FSelectionType = stNotSelected;
      MarkBlockChanged(false);
    }
  }
  auto RectEmpty = [](const TRect& R) { return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0; };
  if (!(FoundRect == OldFoundRect)) {
    State.Include(msFoundRectChanged);
    if (!RectEmpty(FoundRect)) {
      UpdateChangedLines(FoundRect.Top, FoundRect.Bottom);
    }
    if (!RectEmpty(OldFoundRect)) {
      UpdateChangedLines(OldFoundRect.Top, OldFoundRect.Bottom);
    }
  }
  if (GetStrCount() != OldLineCount) {
    State.Include(msCountChanged);
  }
  if (State.Contains(msEdited)) {
    FModified = true;
    ParsedCount = std::min(ParsedCount, FirstChangedLine);
  }
  if (State.Contains(msParserChanged)) {
    ParsedCount = 0;
    FirstChangedLine = 0;
    LastChangedLine = MaxInt;
  }
  if (FModified != FOldModified) {
    State.Include(msModifiedChanged);
  }
  if (!State.Empty()) {
    NotifyEvents(FirstChangedLine, LastChangedLine);
  }
}

// ---- positions ----

TPosition* TCustomMemoSource::CopyPosition(TPosition* P) {
  auto* R = new TPosition(FPositions);
  R->Assign(P);
  R->OnAllowUpdate = [this](TObject* Sender, bool& AllowX, bool& AllowY) { AllowUpdate(Sender, AllowX, AllowY); };
  return R;
}

void TCustomMemoSource::RestorePosition(TPosition* P) {
  const Integer C = P->CharPos;
  const Integer L = P->LinePos;
  delete P;
  JumpTo(C, L);
}

void TCustomMemoSource::ResetPositions() {
  BeginUpdate(Reason::ResetPositions);
  for (Integer I = 0; I < FPositions->Count(); ++I) {
    static_cast<TPosition*>(FPositions->Items(I))->SetPosition(0, 0);
  }
  FSelectionType = stNotSelected;
  EndUpdate();
}

void TCustomMemoSource::AllowUpdate(TObject* Sender, bool& AllowX, bool& AllowY) {
  if (Sender == FBlockBegin || Sender == FBlockEnd) {
    AllowX = AllowY = FSelectionType != stBlockSel;
  }
}

void TCustomMemoSource::UpdatePositions(TStringsOperation Operation, Integer Delta) {
  const Integer CL = FCaretPos->LinePos;
  const Integer CC = FCaretPos->CharPos;
  for (Integer I = 0; I < FPositions->Count(); ++I) {
    auto* P = static_cast<TPosition*>(FPositions->Items(I));
    if (!P->OnAllowUpdate || P->LinePos < CL) {
      continue;
    }
    bool AllowX = true;
    bool AllowY = true;
    P->OnAllowUpdate(P, AllowX, AllowY);
    const bool IsBegin = P == FBlockBegin;
    const bool After = IsBegin ? P->CharPos >= CC : P->CharPos > CC;
    if (AllowX && P->LinePos == CL && After) {
      if (Operation == soInsert) {
        P->CharPos += Delta;
      } else if (Operation == soDeleteRight) {
        P->CharPos = std::max(P->CharPos - Delta, CC);
      }
    }
    if (AllowY) {
      if (Operation == soBreakLine) {
        const Integer D = P->CharPos - CC;
        if (P->LinePos == CL && (IsBegin ? D >= 0 : D > 0)) {
          P->SetPosition(D, P->LinePos + 1);
        } else if (P->LinePos > CL) {
          ++P->LinePos;
        }
      } else if (Operation == soJoinLines) {
        if (P->LinePos == CL + 1) {
          P->SetPosition(P->CharPos + CC, P->LinePos - 1);
        } else if (P->LinePos == CL && P->CharPos >= CC) {
          P->CharPos = CC;
        } else if (P->LinePos > CL + 1) {
          --P->LinePos;
        }
      }
    }
    P->CharPos = std::max(P->CharPos, 0);
    P->LinePos = std::max(P->LinePos, 0);
  }
}

// ---- lines ----

bool TCustomMemoSource::ReadOnlyLine() {
  if (GetReadOnly()) {
    return true;
  }
  const TStringItem* Item = GetStringItem(GetCurLine());
  return Item != nullptr && Item->ItemState.Contains(isReadOnly);
}

bool TCustomMemoSource::ReadOnlyNextLine() {
  if (GetReadOnly()) {
    return true;
  }
  const TStringItem* Item = GetStringItem(GetCurLine() + 1);
  return Item != nullptr && Item->ItemState.Contains(isReadOnly);
}

void TCustomMemoSource::Clear() {
  BeginUpdate(Reason::Clear);
  try {
    if (FBlockOption == bkNone) {
      // No selection can be made here, so the text goes line by line.
      JumpTo(0, 0);
      while (GetStrCount() > 0 && !GetReadOnly()) {
        const Integer Before = GetStrCount();
        JumpTo(0, 0);
        DeleteRight(MaxInt);
        JoinLines();
        if (GetStrCount() == Before) {
          break;
        }
      }
    } else {
      SelectAll();
      DeleteBlock();
    }
    JumpTo(0, 0);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TCustomMemoSource::ChangeObjectName(const std::string& Name) {
  if (Name == FObjectName) {
    return true;
  }
  BeginUpdate(Reason::ObjectName);
  FOldObjectName = FObjectName;
  FObjectName = Name;
  State.Include(msObjNameChanged);
  EndUpdate();
  return true;
}

std::string TCustomMemoSource::GetShortObjectName() const { return ChangeFileExt(ExtractFileName(FObjectName), ""); }

// ---- properties ----

void TCustomMemoSource::SetOptions(TStringsOptions Value) {
  if (Value == FOptions) {
    return;
  }
  if (Value.Contains(soUseTabCharacter) && !FOptions.Contains(soUseTabCharacter)) {
    Value.Exclude(soSmartTab);
  } else if (FOptions.Contains(soUseTabCharacter) && Value.Contains(soSmartTab)) {
    Value.Exclude(soUseTabCharacter);
  }
  const bool BeyondOff = FOptions.Contains(soBeyondFileEnd) && !Value.Contains(soBeyondFileEnd);
  FOptions = Value;
  if (BeyondOff && GetCurLine() >= GetStrCount() && GetStrCount() > 0) {
    BeginUpdate(Reason::Navigate);
    JumpToFileEnd();
    EndUpdate();
  }
}

void TCustomMemoSource::SetReadOnly(bool Value) {
  if (Value == FReadOnly) {
    return;
  }
  BeginUpdate(Reason::ReadOnlyChange);
  FReadOnly = Value;
  State.Include(msReadOnlyChanged);
  EndUpdate();
}

void TCustomMemoSource::SetBlockIndent(Integer Value) { FBlockIndent = std::clamp<Integer>(Value, 0, 9999); }

void TCustomMemoSource::SetSpacesInTab(Integer Value) { FSpacesInTab = Value < 1 || Value > 10 ? 8 : Value; }

void TCustomMemoSource::SetDelimeters(const std::string& S) {
  if (S == FDelimeters) {
    return;
  }
  FDelimeters = S;
  for (char C : S) {
    FDelimSet.set(static_cast<Byte>(C));
  }
}

bool TCustomMemoSource::InDelimSet(const std::string& S, Integer Pos) const {
  return Pos >= 1 && Pos <= static_cast<Integer>(S.size()) && IsDelimiter(S[static_cast<std::size_t>(Pos - 1)]);
}

// ---- the debug form ----

std::string TCustomMemoSource::DebugDump() {
  std::string R;
  for (Integer I = 0; I < GetStrCount(); ++I) {
    const TStringItem* Item = GetStringItem(I);
    R += std::to_string(I) + ":" + Item->Text;
    if (Item->ItemState.Contains(isReadOnly)) {
      R += " [ro]";
    }
    if (Item->ItemState.Contains(isHidden)) {
      R += " [h]";
    }
    if (Item->ItemState.Contains(isCollapsed)) {
      R += " [-]";
    }
    if (Item->ItemState.Contains(isExpanded)) {
      R += " [+]";
    }
    R += "|\n";
  }
  R += "caret " + std::to_string(GetCurChar()) + "," + std::to_string(GetCurLine());
  if (FSelectionType != stNotSelected) {
    R += FSelectionType == stStreamSel ? " stream " : " column ";
    R += std::to_string(FBlockBegin->CharPos) + "," + std::to_string(FBlockBegin->LinePos) + "-" +
         std::to_string(FBlockEnd->CharPos) + "," + std::to_string(FBlockEnd->LinePos);
  }
  for (Integer I = 0; I < FBookMarks->Count(); ++I) {
    const TBookMarkRec* B = FBookMarks->Rec(I);
    R += " bm" + std::to_string(B->Number) + "@" + std::to_string(B->Col) + "," + std::to_string(B->Line);
  }
  return R;
}

}  // namespace Dcstring
