// Code editor control: construction, properties, the published form, source binding and notifications, stored
// positions and the process-wide lists.
#include "codeeditor/Vuvudi.h"
#include "codeeditor/Vuvudirich.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Caret.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/win/Messages.h"

#include <algorithm>

// The text model's enumerations as the published form names them.
Z_ENUM_TYPEINFO(Dcstring::TStringsOption, "soBackUnindents", "soGroupUndo", "soBeyondFileEnd", "soForceCutCopy",
                "soAutoIndent", "soSmartTab", "soFindTextAtCursor", "soCreateBackups", "soPersistentBlocks",
                "soOverwriteBlocks", "soLimitEOL", "soUseTabCharacter", "soCursorOnTabs", "soOptimalFill",
                "soSelectFoundText", "soExcludeReadOnlyLines", "soCursorAlwaysOnTabs", "soUsePrevIndent",
                "soRetainColumn")
Z_ENUM_TYPEINFO(Dcstring::TBlockOption, "bkStreamSel", "bkBlockSel", "bkNone", "bkBoth")
Z_ENUM_TYPEINFO(Dcstring::TOutFormatType, "ofWindows", "ofMac", "ofUnix")
Z_ENUM_TYPEINFO(Dcstring::TWordSelectionType, "wsWordOnly", "wsWordWithSpace", "wsUntilNextWord")

namespace Vuvudi {

using namespace Dcstring;

Z_IMPLEMENT_CLASS(TCustomVUVudi, ZEZCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(ZEZMemo, TCustomVUVudi, ZEZMemo::Publish)
Z_IMPLEMENT_CLASS(TPopupHint, ZEZHint)

TList* MemoList() {
  static TList List;
  return &List;
}

TList* EnvOptObjectList() {
  static TList List;
  return &List;
}

// --- stored positions -------------------------------------------------------------------------------------------

TMemoPostionStore::TMemoPostionStore() = default;
TMemoPostionStore::~TMemoPostionStore() = default;

const TStoredPosition* TMemoPostionStore::Find(TCustomMemoSource* Source) const {
  for (const TStoredPosition& P : FItems) {
    if (P.Source == Source) {
      return &P;
    }
  }
  return nullptr;
}

void TMemoPostionStore::SavePosition(TCustomVUVudi* Memo) {
  TCustomMemoSource* S = Memo->GetSource();
  TStoredPosition* Entry = const_cast<TStoredPosition*>(Find(S));
  if (!Entry) {
    FItems.push_back({S});
    Entry = &FItems.back();
    S->FreeNotification(Memo);  // the entry goes with its source
  }
  Entry->WinLine = Memo->WinLine();
  Entry->WinChar = Memo->WinChar();
  Entry->Caret = S->GetCaretPoint();
}

void TMemoPostionStore::RestorePosition(TCustomVUVudi* Memo) {
  TCustomMemoSource* S = Memo->GetSource();
  S->BeginUpdate(Reason::Navigate);
  if (const TStoredPosition* P = Find(S)) {
    const TStoredPosition Copy = *P;
    Memo->SetWinLine(Copy.WinLine);
    Memo->SetWinChar(Copy.WinChar);
    S->JumpTo(Copy.Caret.X, Copy.Caret.Y);
    Memo->FLastCaretDisplay = {-1, -1};
  }
  S->EndUpdate();
}

void TMemoPostionStore::Forget(TCustomMemoSource* Source) {
  std::erase_if(FItems, [Source](const TStoredPosition& P) { return P.Source == Source; });
}

// --- construction -----------------------------------------------------------------------------------------------

// The key map is filled once the object is whole (AfterConstruction), so the private source made here is there
// before any layout binds to it.
TCustomVUVudi::TCustomVUVudi(TComponent* AOwner) : ZEZCustomControl(AOwner) {
  FPrivateSource = CreateDefaultMemoSource();
  FUseMonoFont = true;
  FDisabledColor = clGrayText;
  FReadOnlyColor = clWindow;
  FFont = std::make_unique<TMemoFont>(this);
  FFont->OnChange = [this](TObject* S) { FontOnChange(S); };
  FPrinterFont = std::make_unique<TMemoFont>(this);
  FTemplateFont = std::make_unique<TFont>();
  FTemplateFont->SetName("MS Sans Serif");
  FTemplateFont->SetSize(8);
  FLineBookmarkColor = clRed;
  MemoList()->Add(this);
  EnvOptObjectList()->Add(static_cast<TObject*>(this));
  FHorzMaxPos = 512;
  FSelColor = clHighlightText;
  FSelBackColor = clHighlight;
  FMatchColor = clLime;
  FMatchBackColor = clWindowText;
  SetColor(clWindow);
  FTextStyles = std::make_unique<TTextStyles>(this);
  FTextStyles->SetPropName("TextStyles");
  FTextStyles->SetDefaultStyles();
  FTextStyles->OnChange = [this](TObject* S) { TextStylesChanged(S); };
  FGutterImgs = std::make_unique<ZEZGutterImages>(this);
  FGutterImgs->SetPropName("GutterImgs");
  FGutterImgs->BeginUpdate();
  FGutterImgs->AddFromResource("MEMO_BREAKPOINT", "BreakPoint", -1);
  for (int D = 0; D <= 9; ++D) {
    FGutterImgs->AddFromResource("BIGBOOKMARK" + std::to_string(D), "Bookmark" + std::to_string(D), D);
  }
  FGutterImgs->EndUpdate();
  FGutterImgs->OnChange = [this](TObject* S) { OnGutterImgsChange(S); };
  OnGutterImgsChange(nullptr);
  FImagesChanged = false;
  FOptions = TMemoOptions{moThumbTracking, moColorSyntax};
  FGutterLineColor = clGray;
  FMarginPos = 80;
  FGutterWidth = 32;
  SetBounds(Left(), Top(), 185, 89);
  SetParentFont(false);
  FGutterBackColor = Color();
  ControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
  TabStop = true;
  SetParentColor(false);
  Cursor = crIBeam;
  FMarginPen = std::make_unique<TPen>();
  FMarginPen->SetColor(clGrayText);
  FMarginPen->OnChange = [this](TObject*) {
    if (FMarginPen->Width() > 2) {
      FMarginPen->SetWidth(2);
    }
    Invalidate();
  };
  FLineSeparator = std::make_unique<TLineSeparator>(this);
  FLineHighlight = std::make_unique<TLineHighlight>(this);
  FSpecialSymbols = std::make_unique<TSpecialSymbols>(this);
  FGutterBrush = std::make_unique<TBrush>();
  FGutterBrush->SetColor(clBtnFace);
  FGutterBrush->OnChange = [this](TObject*) { Invalidate(); };
  FPrivateSource->RegisterNotifier(TMemoNotifyProc::Of<&TCustomVUVudi::SourceChanged>(this), false);
  FLineNumColor = FFont->Color();
  FLineNumAlign = taRightJustify;
  FThinCaretWidth = 2 * GetSystemMetrics(SM_CXBORDER);
  FMemoBackground = std::make_unique<Dccontrols::TControlBackground>(this);
  FGutterBackground = std::make_unique<TGutterBackground>(this);
  FPositionStore = std::make_unique<TMemoPostionStore>();
  FTemplateList = std::make_unique<TStringList>();
  FPopupStrings = std::make_unique<TStringList>();
  FPopupHint = std::make_unique<TPopupHint>(nullptr);
  FPopupHint->Immediate = true;
  HintDelay = 500;
  FTextOutBitmap = std::make_unique<TBitmap>();
  FWrapColumns = 1;
  FLineNumBackColor = Color();
  FReady = true;
}

TCustomVUVudi::~TCustomVUVudi() {
  TCustomMemoSource* S = GetSource();
  if (S->ActiveMemo == this) {
    S->ActiveMemo = nullptr;
    S->OnGetPosition = nullptr;
    S->OnGetLineHeight = nullptr;
  }
  FreeCharSp();
  FreePopupListBox();
  FPopupListBox.reset();
  KillTimer();
  EnvOptObjectList()->Remove(static_cast<TObject*>(this));
  MemoList()->Remove(this);
  S->UnregisterNotifier(TMemoNotifyProc::Of<&TCustomVUVudi::SourceChanged>(this));
  FFont->OnChange = nullptr;
  FMarginPen->OnChange = nullptr;
  FGutterBrush->OnChange = nullptr;
  FTextStyles->OnChange = nullptr;
  FGutterImgs->OnChange = nullptr;
  FReady = false;
  DestroyHandle();
  delete FPrivateSource;
  FPrivateSource = nullptr;
}

TCustomMemoSource* TCustomVUVudi::CreateDefaultMemoSource() {
  auto* S = new TMemoSource(nullptr);
  S->OnGetPosition = [this](TObject* Sender, Integer& DL, Integer& DC) { GetNavigation(Sender, DL, DC); };
  if (!FUseMonoFont) {
    S->OnGetLineHeight = [this](TObject* Sender, Integer I, TStringItem* Item) { GetLineHeight(Sender, I, Item); };
  }
  S->ActiveMemo = this;
  return S;
}

void TCustomVUVudi::Loaded() {
  ZEZCustomControl::Loaded();
  TCustomMemoSource* S = GetSource();
  S->JumpTo(0, 0);
  RecalculatePosition();
  S->ClearUndoBuffer();
  UpdateLineHeight();
  UpdateScrollPos();
  S->SetModified(false);
  UpdateMaxLine(true);
  UpdateAVESize();
  RewrapAll();
}

void TCustomVUVudi::CreateHandle() {
  ZEZCustomControl::CreateHandle();
  if (FUseMonoFont) {
    FontOnChange(nullptr);
  }
  UpdateLineNumbersWidth();
}

Integer TCustomVUVudi::TextWidthForBounds() { return FUseMonoFont ? GetMaxCaretChar() : ClientWidth(); }

void TCustomVUVudi::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!HandleAllocated() || !FReady) {
    ZEZCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  const Integer OldWidth = TextWidthForBounds();
  const Integer OldHeight = ClientHeight();
  ZEZCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FWordWrap && !HasOption(moBreakWordAtMargin) && TextWidthForBounds() != OldWidth) {
    // A caret beyond its line's end would land in another row once the rows change: it goes to the end first.
    TCustomMemoSource* S = GetSource();
    const TPoint C = S->GetCaretPoint();
    const Integer Len = static_cast<Integer>(S->GetDisplay(C.Y).size());
    if (C.X > Len) {
      S->JumpTo(Len, C.Y);
    }
    RewrapAll();
  }
  if (ClientHeight() != OldHeight && UpdateLineNumbersWidth()) {
    Invalidate();
  }
}

void TCustomVUVudi::DoBoundsChanged() {
  UpdateScrollPos();
  UpdateScrollSize();
  FMemoBackground->PaintBackground();
  FGutterBackground->PaintBackground();
}

void TCustomVUVudi::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      ZEZCustomControl::Dispatch(Message);
      if (FReady) {
        DoBoundsChanged();
      }
      return;
    case WM_SETFOCUS:
      ZEZCustomControl::Dispatch(Message);
      DoSetFocus();
      return;
    case WM_KILLFOCUS:
      ZEZCustomControl::Dispatch(Message);
      DoKillFocus();
      return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      const bool Vert = Message.Msg == WM_VSCROLL;
      SCROLLINFO Si;
      Si.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), Vert ? SB_VERT : SB_HORZ, &Si);
      const Integer Code = LOWORD(Message.WParam);
      ModifyScrollBar(Vert ? 1 : 0, Code, Si.nTrackPos);
      if (Vert) {
        VerticalScroll(Code);
      }
      return;
    }
    case CM_ENABLEDCHANGED:
      ZEZCustomControl::Dispatch(Message);
      GetSource()->SetSelectionType(stNotSelected);
      if (!Enabled() && HandleAllocated() && FCaretCreated) {
        ::HideCaret(Handle());
      }
      Invalidate();
      return;
    case CM_COLORCHANGED:
      ZEZCustomControl::Dispatch(Message);
      if (FReady) {
        DoColorChanged();
      }
      return;
    case CM_UPDATEOPTIONS:
      if (FUseGlobalOptions) {
        LoadGlobalOptions();
      }
      return;
    case WM_TIMER: WMTimer(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_GETTEXTLENGTH:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_CANUNDO:
    case EM_EMPTYUNDOBUFFER:
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_GETLINE: WMEditMessage(Message); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
    case WM_RBUTTONUP: WMRButtonUp(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_CTL3DCHANGED: CMCtl3DChanged(Message); return;
    default: ZEZCustomControl::Dispatch(Message);
  }
}

void TCustomVUVudi::WMTimer(TMessage& Message) {
  if (Message.WParam == SelTimerId) {
    DoSelTimer();
  } else if (Message.WParam == HintTimerId) {
    KillHintTimer();
    PopupHintBox();
  }
}

// The source sees a double click first (it may take it for itself).
void TCustomVUVudi::WMLButtonDblClk(TMessage& Message) {
  if (GetSource()->MemoNotify(this, Message)) {
    ZEZCustomControl::Dispatch(Message);
  }
}

void TCustomVUVudi::WMSetCursor(TMessage& Message) {
  if (!DoSetCursor()) {
    ZEZCustomControl::Dispatch(Message);
  }
}

void TCustomVUVudi::CMEnter(TMessage& Message) {
  if (GetSource()->MemoNotify(this, Message)) {
    ZEZCustomControl::Dispatch(Message);
  }
}

// Leaving may be refused by the source or the exit handler throwing: the focus then comes back here.
void TCustomVUVudi::CMExit(TMessage& Message) {
  try {
    if (GetSource()->MemoNotify(this, Message)) {
      ZEZCustomControl::Dispatch(Message);
    }
  } catch (...) {
    SetFocus();
    throw;
  }
}

void TCustomVUVudi::CMMouseLeave(TMessage& Message) {
  ZEZCustomControl::Dispatch(Message);
  HidePopupHint();
  if (OnMouseLeave) {
    OnMouseLeave(this);
  }
}

void TCustomVUVudi::CMCtl3DChanged(TMessage& Message) {
  ZEZCustomControl::Dispatch(Message);
  RecreateWnd();
}

bool TCustomVUVudi::DoSetCursor() {
  if (!HandleAllocated()) {
    return false;
  }
  TPoint Pt{};
  GetCursorPos(&Pt);
  Pt = ScreenToClient(Pt);
  TPoint P{};
  ConvertMousePosEx(Pt.X, Pt.Y, P, false);
  bool Arrow = Pt.X < GetPaintX();
  if (!Arrow && PosInBlock(P.X, P.Y)) {
    TCustomMemoSource* S = GetSource();
    const bool BeyondText =
        (S->Options().Contains(soLimitEOL) && P.X > static_cast<Integer>(S->GetDisplay(P.Y).size())) ||
        (!S->Options().Contains(soBeyondFileEnd) && P.Y > S->Lines()->Count());
    Arrow = !BeyondText;
  }
  if (Arrow) {
    ::SetCursor(Screen->Cursors(crDefault));
  }
  return Arrow;
}

// --- properties -------------------------------------------------------------------------------------------------

// The list's text ends every line with a break; the selection's own text has no break after its last part.
std::string TCustomVUVudi::GetSelText() const {
  std::string S = GetSource()->SelectionStrings()->Text();
  if (S.ends_with("\r\n")) {
    S.resize(S.size() - 2);
  } else if (S.ends_with('\n')) {
    S.pop_back();
  }
  return S;
}

void TCustomVUVudi::SetSelText(const std::string& S) {
  TCustomMemoSource* Src = GetSource();
  Src->BeginUpdate(Reason::ChangeBlock);
  try {
    Src->DeleteBlock();
    Src->Insert(S);
  } catch (...) {
    Src->EndUpdate();
    throw;
  }
  Src->EndUpdate();
}

Integer TCustomVUVudi::GetMaxLineLen() const { return GetSource()->MaxLineLength; }

std::string TCustomVUVudi::GetCurPosText() const {
  const TPoint P = GetSource()->GetCaretPoint();
  return std::to_string(P.Y + 1) + ": " + std::to_string(P.X + 1);
}

void TCustomVUVudi::SetColorField(TColor& Field, TColor Value) {
  if (Field != Value) {
    Field = Value;
    Invalidate();
  }
}

void TCustomVUVudi::SetDisabledColor(TColor V) {
  if (V != FDisabledColor) {
    FDisabledColor = V;
    if (!Enabled()) {
      Invalidate();
    }
  }
}

void TCustomVUVudi::SetReadOnlyColor(TColor V) {
  if (V != FReadOnlyColor) {
    FReadOnlyColor = V;
    if (GetSource()->ReadOnly()) {
      Invalidate();
    }
  }
}

void TCustomVUVudi::SetGutterLineIndent(Integer V) {
  if (V != FGutterLineIndent) {
    FGutterLineIndent = V;
    UpdateLineNumbersWidth();
    Invalidate();
  }
}

void TCustomVUVudi::SetLineNumAlign(TAlignment V) {
  if (V != FLineNumAlign) {
    FLineNumAlign = V;
    Invalidate();
  }
}

void TCustomVUVudi::SetGutterImgsAlign(TGutterImgsAlign V) {
  if (V != FGutterImgsAlign) {
    FGutterImgsAlign = V;
    Invalidate();
  }
}

void TCustomVUVudi::SetOptions(TMemoOptions Value) {
  if (Value == FOptions) {
    return;
  }
  const bool OldSyntax = NeedSyntaxPaint();
  const Integer OldRow = GetWrapMargin() - GetPaintX();
  FOptions = Value;
  UpdateLineNumbersWidth();
  UpdateCaret();
  UpdateCaretMode();
  FMemoBackground->PaintBackground();
  FGutterBackground->PaintBackground();
  Invalidate();
  if (FWordWrap && GetWrapMargin() - GetPaintX() != OldRow) {
    RewrapAll();
  }
  if (!FUseMonoFont && OldSyntax != NeedSyntaxPaint()) {
    GetSource()->ParserChanged();
  }
  UpdateScrollSize();
  UpdateScrollPos();
}

void TCustomVUVudi::SetMarginPos(Integer Value) {
  if (Value == FMarginPos) {
    return;
  }
  FMarginPos = Value;
  if (FWordWrap && HasOption(moBreakWordAtMargin)) {
    RewrapAll();
  }
  Invalidate();
}

void TCustomVUVudi::SetGutterWidth(Integer Value) {
  if (Value == FGutterWidth) {
    return;
  }
  FGutterWidth = Value;
  if (FWordWrap) {
    RewrapAll();
  }
  FMemoBackground->PaintBackground();
  FGutterBackground->PaintBackground();
  if (HasOption(moDrawGutter)) {
    Invalidate();
  }
}

void TCustomVUVudi::SetHorzMaxPos(Integer Value) {
  if (Value < MinHorzMaxPos || Value > MaxHorzMaxPos || Value == FHorzMaxPos) {
    return;
  }
  FHorzMaxPos = Value;
  UpdateScrollPos();
  UpdateScrollSize();
}

void TCustomVUVudi::SetLeftIndent(Integer Value) {
  Value = std::max<Integer>(Value, 0);
  if (Value == FLeftIndent) {
    return;
  }
  FLeftIndent = Value;
  FMemoBackground->PaintBackground();
  if (HasOption(moLeftIndent)) {
    if (FWordWrap) {
      RewrapAll();
    }
    Invalidate();
  }
}

void TCustomVUVudi::SetUseMonoFont(bool Value) {
  if (Value == FUseMonoFont) {
    return;
  }
  FUseMonoFont = Value;
  TCustomMemoSource* S = GetSource();
  if (Value) {
    S->OnGetLineHeight = nullptr;
  } else {
    S->OnGetLineHeight = [this](TObject* Sender, Integer I, TStringItem* Item) { GetLineHeight(Sender, I, Item); };
  }
  CheckBlockOptions(!Value);
  UpdateMaxLine(true);
  S->ParserChanged();
  UpdateAVESize();
  if (FWordWrap) {
    RewrapAll();
  }
  UpdateCaretMode();
  Invalidate();
}

void TCustomVUVudi::SetHideScrollBars(bool Value) {
  if (Value == FHideScrollBars) {
    return;
  }
  FHideScrollBars = Value;
  UpdateScrollSize();
  UpdateScrollPos();
  UpdateMaxLine(false);
}

void TCustomVUVudi::SetHideSelection(bool Value) {
  if (Value != FHideSelection) {
    FHideSelection = Value;
    if (!Focused()) {
      Invalidate();
    }
  }
}

void TCustomVUVudi::SetHideCaret(bool Value) {
  if (Value != FHideCaret) {
    FHideCaret = Value;
    UpdateCaret();
  }
}

void TCustomVUVudi::SetScrollBars(TScrollStyle Value) {
  if (Value != FScrollBars) {
    FScrollBars = Value;
    if (HandleAllocated()) {
      RecreateWnd();
    }
    UpdateMaxLine(false);
  }
}

void TCustomVUVudi::SetBorderStyle(TBorderStyle Value) {
  if (Value != FBorderStyle) {
    FBorderStyle = Value;
    if (HandleAllocated()) {
      RecreateWnd();
    }
  }
}

void TCustomVUVudi::SetBlockOption(TBlockOption Value) {
  FBlockOptionSwitched = false;
  GetSource()->SetBlockOption(Value);
}

void TCustomVUVudi::SetTextStyles(TTextStyles* Value) {
  FTextStyles->Assign(Value);
  UpdateAVESize();
  Invalidate();
}

void TCustomVUVudi::SetUseGlobalOptions(bool Value) {
  if (Value != FUseGlobalOptions) {
    FUseGlobalOptions = Value;
    if (Value) {
      LoadGlobalOptions();
    }
  }
}

void TCustomVUVudi::LoadGlobalOptions() {
  TMemoEnvOptions* G = GlobalMemoOptions();
  SetMarginPos(G->MarginPos);
  SetGutterWidth(G->GutterWidth);
  SetOptions(G->Options);
  SetKeyMapping(G->KeyMapping);
  FGutterBrush->Assign(G->GutterBrush());
  FMarginPen->Assign(G->MarginPen());
  FLineSeparator->Assign(G->LineSeparator());
  FLineHighlight->Assign(G->LineHighlight());
  FSpecialSymbols->Assign(G->SpecialSymbols());
  FFont->Assign(G->Font());
  SetColor(G->Color);
  SetReadOnlyColor(G->ReadOnlyColor);
  SetUseMonoFont(G->UseMonoFont);
  FTextStyles->Assign(G->TextStyles());
  FTextStyles->UpdateParams();
}

// --- source binding ---------------------------------------------------------------------------------------------

void TCustomVUVudi::TakeActive(TCustomMemoSource* S) {
  S->ActiveMemo = this;
  S->OnGetPosition = [this](TObject* Sender, Integer& DL, Integer& DC) { GetNavigation(Sender, DL, DC); };
  if (!FUseMonoFont) {
    S->OnGetLineHeight = [this](TObject* Sender, Integer I, TStringItem* Item) { GetLineHeight(Sender, I, Item); };
  } else {
    S->OnGetLineHeight = nullptr;
  }
}

void TCustomVUVudi::SetSource(TCustomMemoSource* Value) {
  if (Value == FMemoSource) {
    return;
  }
  TCustomMemoSource* Old = GetSource();
  Old->UnregisterNotifier(TMemoNotifyProc::Of<&TCustomVUVudi::SourceChanged>(this));
  if (Old->ActiveMemo == this) {
    Old->ActiveMemo = nullptr;
    Old->OnGetPosition = nullptr;
    Old->OnGetLineHeight = nullptr;
  }
  FPositionStore->SavePosition(this);
  if (FMemoSource) {
    FMemoSource->RemoveFreeNotification(this);
  }
  FMemoSource = Value;
  if (Value) {
    Value->FreeNotification(this);
  }
  TCustomMemoSource* S = GetSource();
  auto* Active = dynamic_cast<TWinControl*>(S->ActiveMemo);
  if (!S->ActiveMemo || !Active || !Active->Focused()) {
    TakeActive(S);
  }
  S->RegisterNotifier(TMemoNotifyProc::Of<&TCustomVUVudi::SourceChanged>(this), true);
  UpdateKeyMapping();
  FPositionStore->RestorePosition(this);
  RewrapAll();
  UpdateMaxLine(false);
  Invalidate();
}

void TCustomVUVudi::Notification(TComponent* AComponent, TOperation Operation) {
  ZEZCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  if (auto* S = dynamic_cast<TCustomMemoSource*>(AComponent)) {
    if (FPositionStore) {
      FPositionStore->Forget(S);
    }
    if (S == FMemoSource) {
      S->UnregisterNotifier(TMemoNotifyProc::Of<&TCustomVUVudi::SourceChanged>(this));
      if (S->ActiveMemo == this) {
        S->ActiveMemo = nullptr;
        S->OnGetPosition = nullptr;
        S->OnGetLineHeight = nullptr;
      }
      FMemoSource = nullptr;
      TCustomMemoSource* P = GetSource();
      TakeActive(P);
      P->RegisterNotifier(TMemoNotifyProc::Of<&TCustomVUVudi::SourceChanged>(this), true);
      if (FPositionStore) {
        FPositionStore->RestorePosition(this);
      }
      RewrapAll();
      Invalidate();
    }
  }
}

void TCustomVUVudi::SourceChanged(TObject* Sender, NativeInt, NativeInt) {
  auto* S = static_cast<TCustomMemoSource*>(Sender);
  if (!FReady || S != GetSource()) {
    return;
  }
  const TMemoStates St = S->State;
  const Integer First = S->FirstChangedLine;
  const Integer Last = S->LastChangedLine;
  const Integer OldWinLine = FWinLine, OldWinChar = FWinChar;
  const bool Active = S->ActiveMemo == this;
  FWindowScrolled = false;
  if (FWordWrap) {
    if (St.Contains(msCountChanged)) {
      const Integer From = std::min(S->OldLineCount, First);
      FWordWrapList.ClearRange(std::max<Integer>(From, 0), MaxInt);
      FLineInfoList.ClearRange(std::max<Integer>(From, 0), MaxInt);
      FWrappedUpTo = std::min(FWrappedUpTo, std::max<Integer>(From, 0));
    }
    if (St.Contains(msEdited) || (St.Contains(msUndo) && !ComponentState().Contains(csLoading))) {
      if (First <= Last && First < MaxInt) {
        SafeWordWrapLines(std::max<Integer>(First, 0), Last);
      }
    }
  }
  if (St.Contains(msReadOnlyChanged) && Color() != FReadOnlyColor) {
    Invalidate();
  }
  if (Active && (St.Contains(msPositionChanged) || (St.Contains(msEdited) && !FUseMonoFont))) {
    if (S->BookmarkJump && HasOption(moCenterOnBookmark)) {
      CenterScreenOnLine();
    } else {
      RecalculatePosition();
    }
  } else if (Active && St.Contains(msInsState)) {
    UpdateCaretMode();
  }
  StateChanged(St);
  if (St.Contains(msPositionChanged) || St.Contains(msEdited)) {
    if (S->KeepCurrentAttr) {
      S->KeepCurrentAttr = false;
    } else {
      S->CurrentAttr = -1;
    }
  }
  if (St.Contains(msPositionChanged) || St.Contains(msBlockChanged)) {
    SelectionChanged();
  }
  if (!HandleAllocated()) {
    if (St.Contains(msEdited) && OnChange) {
      OnChange(this);
    }
    return;
  }
  const bool Repaint = St.Contains(msEdited) || St.Contains(msBlockChanged) || St.Contains(msFoundRectChanged) ||
                       St.Contains(msNeedInvalidate) || St.Contains(msParserChanged);
  const bool Moved = FWinLine != OldWinLine || FWinChar != OldWinChar;
  if (UpdateLineNumbersWidth()) {
    Invalidate();
  } else if (Moved) {
    if (Repaint) {
      Invalidate();
    } else {
      // The picture follows the view also without the focus (then there is no caret to park).
      const bool Caret = Focused() && FCaretCreated;
      if (Caret) {
        ::SetCaretPos(-GetAveCharWidth() - 10, -10);
      }
      if (FWindowScrolled) {
        Invalidate();  // part of the move already scrolled the picture: moving it again would misplace it
      } else {
        QuickPaint(OldWinChar, OldWinLine);
      }
      UpdateCaret();
    }
  } else if (Repaint) {
    if (St.Contains(msCountChanged) || (!FUseMonoFont && St.Contains(msEdited))) {
      // Measured lines may change their height with an edit: the lines below move too.
      InvalidateLines(std::max<Integer>(0, std::min(First, S->OldLineCount)), MaxInt);
    } else {
      InvalidateLines(First, Last);
    }
  }
  if (St.Contains(msEdited) && St.Contains(msCountChanged) && S->OldLineCount < First &&
      HasOption(moDrawSpecialSymbols)) {
    InvalidateLines(S->OldLineCount - 1, First);
  }
  if (St.Contains(msCountChanged) || (FHideScrollBars && (St.Contains(msEdited) || St.Contains(msParserChanged)))) {
    UpdateScrollSize();
  }
  if (St.Contains(msCountChanged) || St.Contains(msPositionChanged)) {
    UpdateScrollPos();
  }
  if (St.Contains(msEdited) && OnChange) {
    OnChange(this);
  }
  if (Active && Moved) {
    UpdateScrollPos();
  }
}

void TCustomVUVudi::StateChanged(TMemoStates State) {
  if (!State.Empty() && OnStateChange) {
    OnStateChange(this, State);
  }
}

void TCustomVUVudi::SelectionChanged() {
  // Formatted text: the attributes read for the old selection no longer hold.
  if (Dcstring::TCustomMemoSource* S = GetSource()) {
    if (auto* Attributes = dynamic_cast<TAttributeParser*>(S->SyntaxParser())) {
      Attributes->SelAttributes()->ForgetConsistentAttrs();
    }
  }
  if (OnSelectionChange) {
    OnSelectionChange(this);
  }
}

void TCustomVUVudi::DoCustomString(std::string& S, std::string& ColorS) {
  if (OnCustomString) {
    OnCustomString(this, S, ColorS);
  }
}

bool TCustomVUVudi::CustomDraw(TCanvas* Canvas, const TRect& Rect, TDrawStates DrawState, Integer LinePos,
                               Integer CharPos, const std::string& Text) {
  bool Handled = false;
  if (OnCustomDraw) {
    OnCustomDraw(this, Canvas, Rect, LinePos, CharPos, Text, DrawState, Handled);
  }
  return Handled;
}

void TCustomVUVudi::DoGetColorStyle(const TPoint& P, Integer& Style) {
  if (OnGetColorStyle) {
    OnGetColorStyle(this, P, Style);
  }
}

void TCustomVUVudi::DoClickGutter(Integer Line, Integer ImageIndex, TShiftState Shift) {
  if (OnClickGutter) {
    OnClickGutter(this, Line, ImageIndex, Shift);
  }
}

void TCustomVUVudi::MemoJumpToUrl(const std::string& Url) {
  bool Handled = false;
  if (OnJumpToUrl) {
    OnJumpToUrl(this, Url, Handled);
  }
}

bool TCustomVUVudi::CollapseStateChanging(Integer Line, TCollapseState State) {
  bool Handled = false;
  if (OnCollapseStateChanging) {
    OnCollapseStateChanging(this, Line, State == csCollapsed, Handled);
  }
  return Handled;
}

void TCustomVUVudi::CollapseStateChanged(Integer Line, TCollapseState State) {
  if (OnCollapseStateChanged) {
    OnCollapseStateChanged(this, Line, State == csCollapsed);
  }
}

TCustomVUVudi* TCustomVUVudi::GetConnectedMemo(TCustomMemoSource* Source) {
  TList* L = MemoList();
  for (Integer I = 0; I < L->Count(); ++I) {
    auto* M = static_cast<TCustomVUVudi*>(L->Items(I));
    if (M->GetSource() == Source) {
      return M;
    }
  }
  return nullptr;
}

void TCustomVUVudi::GetConnectedMemos(TCustomMemoSource* Source, TList* List) {
  List->Clear();
  TList* L = MemoList();
  for (Integer I = 0; I < L->Count(); ++I) {
    auto* M = static_cast<TCustomVUVudi*>(L->Items(I));
    if (M->GetSource() == Source) {
      List->Add(M);
    }
  }
}

Integer TCustomVUVudi::GetConnectedMemoCount(TCustomMemoSource* Source) {
  TList L;
  GetConnectedMemos(Source, &L);
  return L.Count();
}

// --- the published form -----------------------------------------------------------------------------------------

namespace {
using C = TCustomVUVudi;
}  // namespace

void ZEZMemo::Publish(TMetaClass& Meta) {
  TPublisher<TCustomVUVudi> P(Meta);
  P.Property("Color", &TControl::Color, &TControl::SetColor).Default(clWindow).Type(TypeInfoColor());
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("DisabledColor", &C::DisabledColor, &C::SetDisabledColor).Default(clGrayText).Type(TypeInfoColor());
  P.Property("ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor).Default(clWindow).Type(TypeInfoColor());
  P.Property("PrintOptions", &C::PrintOptions, &C::PrintOptions).NoDefault();
  P.Property("WantReturns", &C::WantReturns, &C::WantReturns).Default(true);
  P.Property("WantTabs", &C::WantTabs, &C::WantTabs).Default(false);
  P.Property("LineNumColor", &C::LineNumColor, &C::SetLineNumColor).Default(clWindowText).Type(TypeInfoColor());
  P.Property("LineNumAlign", &C::LineNumAlign, &C::SetLineNumAlign).NoDefault();
  P.Property("StringsOptions", &C::SrcStringsOptions, &C::SetSrcStringsOptions)
      .NoDefault()
      .Stored(&C::SourcePropsStored);
  P.Property("TabStops", &C::SrcTabStops, &C::SetSrcTabStops).Stored(&C::SourcePropsStored);
  P.Property("Delimeters", &C::SrcDelimeters, &C::SetSrcDelimeters).Stored(&C::SourcePropsStored);
  P.Property("KeyMapping", &C::KeyMappingName, &C::SetKeyMappingName);
  P.Property("UseMonoFont", &C::UseMonoFont, &C::SetUseMonoFont).Default(true);
  P.Property("WordSelectionType", &C::WordSelectionType, &C::WordSelectionType).Default(wsWordOnly);
  P.Property("AllowUndo", &C::SrcAllowUndo, &C::SetSrcAllowUndo).Default(true).Stored(&C::SourcePropsStored);
  P.Property("UndoLimit", &C::SrcUndoLimit, &C::SetSrcUndoLimit).Default(0).Stored(&C::SourcePropsStored);
  P.Property("SelColor", &C::SelColor, &C::SetSelColor).Default(clHighlightText).Type(TypeInfoColor());
  P.Property("SelBackColor", &C::SelBackColor, &C::SetSelBackColor).Default(clHighlight).Type(TypeInfoColor());
  P.Property("MatchColor", &C::MatchColor, &C::SetMatchColor).Default(clLime).Type(TypeInfoColor());
  P.Property("MatchBackColor", &C::MatchBackColor, &C::SetMatchBackColor).Default(clWindowText).Type(TypeInfoColor());
  P.Property("LineBookmarkColor", &C::LineBookmarkColor, &C::SetLineBookmarkColor).Default(clRed).Type(TypeInfoColor());
  P.Property("GutterBackColor", &C::GutterBackColor, &C::SetGutterBackColor).NoDefault().Type(TypeInfoColor());
  P.Property("HorzMaxPos", &C::HorzMaxPos, &C::SetHorzMaxPos).Default(512);
  P.Property("HideSelection", &C::HideSelection, &C::SetHideSelection).Default(false);
  P.Property("HideScrollBars", &C::HideScrollBars, &C::SetHideScrollBars).Default(false);
  P.Property("MemoSource", &C::MemoSource, &C::SetMemoSource);
  P.Property("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSingle);
  P.Property("ScrollBars", &C::ScrollBars, &C::SetScrollBars).Default(ssNone);
  P.Property("Options", &C::Options, &C::SetOptions).NoDefault();
  P.Property("MarginPos", &C::MarginPos, &C::SetMarginPos).Default(80);
  P.Property("GutterBrush", &C::GutterBrush, &C::SetGutterBrush);
  P.Property("MarginPen", &C::MarginPen, &C::SetMarginPen);
  P.Property("GutterLineColor", &C::GutterLineColor, &C::SetGutterLineColor).Default(clGray).Type(TypeInfoColor());
  P.Property("GutterWidth", &C::GutterWidth, &C::SetGutterWidth).Default(32);
  P.Property("GutterImgs", &C::GutterImgs, &C::SetGutterImgs).Stored(&C::GutterImgsStored);
  P.Property("GutterImgsAlign", &C::GutterImgsAlign, &C::SetGutterImgsAlign).Default(iaLeft);
  P.Property("LeftIndent", &C::LeftIndent, &C::SetLeftIndent).Default(0);
  P.Property("PrintIndent", &C::PrintIndent, &C::PrintIndent).Default(0);
  P.Property("BlockOption", &C::BlockOption, &C::SetBlockOption).Default(bkBoth).Stored(&C::SourcePropsStored);
  P.Property("WordWrap", &C::WordWrap, &C::SetWordWrap).Default(false);
  P.Property("OutFormat", &C::SrcOutFormat, &C::SetSrcOutFormat).Default(ofWindows).Stored(&C::SourcePropsStored);
  P.Property("BkgndOption", &C::BkgndOption, &C::SetBkgndOption).NoDefault();
  P.Property("MemoBackground", &C::MemoBackground, &C::SetMemoBackground);
  P.Property("GutterBackground", &C::GutterBackground, &C::SetGutterBackground);
  P.Property("LineSeparator", &C::LineSeparator, &C::SetLineSeparator);
  P.Property("LineHighlight", &C::LineHighlight, &C::SetLineHighlight);
  P.Property("SpecialSymbols", &C::SpecialSymbols, &C::SetSpecialSymbols);
  P.Property("LineNumBackColor", &C::LineNumBackColor, &C::SetLineNumBackColor).Default(clWindow).Type(TypeInfoColor());
  P.Property("GutterLineIndent", &C::GutterLineIndent, &C::SetGutterLineIndent).Default(0);
  P.Property("UseDefaultMenu", &C::UseDefaultMenu, &C::UseDefaultMenu).NoDefault();
  P.Property("ClipboardType", &C::ClipboardType, &C::SetClipboardType).Default(cbNormal);
  P.Property("PlainText", &C::PlainText, &C::SetPlainText).Default(true);
  P.Property("OemConvert", &C::OemConvert, &C::OemConvert).Default(false);
  P.Property("ReadOnly", &C::GetReadOnly, &C::SetReadOnly).NoDefault().Stored(&C::SourcePropsStored);
  P.Property("Lines", &C::GetLines, &C::SetLines).Stored(&C::SourcePropsStored);
  P.Property("Font", &C::Font, &C::SetFont);
  P.Property("TextStyles", &C::TextStyles, &C::SetTextStyles).Stored(&C::TextStylesStored);
  P.Property("PrinterFont", &C::PrinterFont, &C::SetPrinterFont);
  P.Property("TemplateFont", &C::TemplateFont, &C::SetTemplateFont);
  P.Property("UsePrinterFont", &C::UsePrinterFont, &C::UsePrinterFont).NoDefault();
  P.Property("BlockIndent", &C::SrcBlockIndent, &C::SetSrcBlockIndent).NoDefault().Stored(&C::SourcePropsStored);
  P.Property("SpacesInTab", &C::SrcSpacesInTab, &C::SetSrcSpacesInTab).NoDefault().Stored(&C::SourcePropsStored);
  P.Property("HideCaret", &C::HideCaret, &C::SetHideCaret).NoDefault();
  P.Property("HighlightUrls", &C::SrcHighlightUrls, &C::SetSrcHighlightUrls)
      .Default(false)
      .Stored(&C::SourcePropsStored);
  P.Property("UseGlobalOptions", &C::UseGlobalOptions, &C::SetUseGlobalOptions).NoDefault();
  P.Property("OnChange", &C::OnChange, &C::OnChange);
  P.Property("OnSelectionChange", &C::OnSelectionChange, &C::OnSelectionChange);
  P.Property("OnGetColorStyle", &C::OnGetColorStyle, &C::OnGetColorStyle);
  P.Property("OnStateChange", &C::OnStateChange, &C::OnStateChange);
  P.Property("OnJumpToUrl", &C::OnJumpToUrl, &C::OnJumpToUrl);
  P.Property("OnClickGutter", &C::OnClickGutter, &C::OnClickGutter);
  P.Property("OnHintPopup", &C::OnHintPopup, &C::OnHintPopup);
  P.Property("OnTemplateInsert", &C::OnTemplateInsert, &C::OnTemplateInsert);
  P.Property("OnHintInsert", &C::OnHintInsert, &C::OnHintInsert);
  P.Property("OnCreateDialog", &C::OnCreateDialog, &C::OnCreateDialog);
  P.Property("OnMemoScroll", &C::OnMemoScroll, &C::OnMemoScroll);
  P.Property("OnVerticalScroll", &C::OnVerticalScroll, &C::OnVerticalScroll);
  P.Property("OnCustomString", &C::OnCustomString, &C::OnCustomString);
  P.Property("OnCustomDraw", &C::OnCustomDraw, &C::OnCustomDraw);
  P.Property("OnDrawGutter", &C::OnDrawGutter, &C::OnDrawGutter);
  P.Property("OnCollapseStateChanging", &C::OnCollapseStateChanging, &C::OnCollapseStateChanging);
  P.Property("OnCollapseStateChanged", &C::OnCollapseStateChanged, &C::OnCollapseStateChanged);
  P.Property("OnExportString", &C::OnExportString, &C::OnExportString);
  P.Property("OnFindStringInPopup", &C::OnFindStringInPopup, &C::OnFindStringInPopup);
  P.Property("OnGetLineNumber", &C::OnGetLineNumber, &C::OnGetLineNumber);
  P.Property("OnBeforePrint", &C::OnBeforePrint, &C::OnBeforePrint);
}

}  // namespace Vuvudi
