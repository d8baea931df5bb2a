// The editor control's state and properties: construction and destruction, the property setters, the
// forwarding to the shown source, the gutter's image strip and the published property list.
#include "editor/Easyeditor.h"

#include "editor/Easysettings.h"
#include "platform/classes/Streams.h"
#include "platform/graphics/Caret.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/Resources.h"

#include <algorithm>
#include <climits>

Z_IMPLEMENT_CLASS(TCustomEasyEdit, TCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyEdit, TCustomEasyEdit, TEasyEdit::Publish)
Z_IMPLEMENT_CLASS(TEasySelStrings, TEasyStrings)

bool EditOverwrite = false;
TEasySelType ClipboardSelType = slNone;

std::vector<TCustomEasyEdit*>& EditList() {
  static std::vector<TCustomEasyEdit*> List;
  return List;
}

void AssignEditorFont(TFont* Font) {
  Font->SetName("Courier New");
  Font->SetSize(10);
}

namespace {

// Draws the gutter's strip: bookmarks 0 to 9, the wrap mark (10), a free cell (11) and the collapsed (12)
// and expanded (13) block buttons, 16 x 15 pixels each on white, which is the transparent colour.
std::string DrawBookmarkStrip() {
  TBitmap B;
  B.SetSize(224, 15);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clWhite);
  C->FillRect(Rect(0, 0, 224, 15));
  C->Font()->SetName("Arial");
  C->Font()->SetHeight(-10);
  C->Font()->SetStyle(TFontStyles{fsBold});
  for (int I = 0; I < 10; ++I) {
    const int X = I * 16;
    C->Brush()->SetColor(static_cast<TColor>(RGB(0, 64, 160)));
    C->Pen()->SetColor(clBlack);
    C->Rectangle(X + 2, 1, X + 14, 14);
    C->Font()->SetColor(clYellow);
    SetBkMode(C->Handle(), TRANSPARENT);
    const std::string Digit(1, static_cast<char>('0' + I));
    const TSize Size = C->TextExtent(Digit);
    C->TextOut(X + 8 - Size.cx / 2, 7 - Size.cy / 2, Digit);
  }
  // The wrap mark: an arrow bending down and back to the left.
  C->Pen()->SetColor(static_cast<TColor>(RGB(0, 96, 0)));
  C->Pen()->SetWidth(2);
  C->MoveTo(160 + 3, 3);
  C->LineTo(160 + 12, 3);
  C->LineTo(160 + 12, 10);
  C->LineTo(160 + 5, 10);
  C->Pen()->SetWidth(1);
  C->MoveTo(160 + 6, 7);
  C->LineTo(160 + 3, 10);
  C->LineTo(160 + 7, 14);
  // The block buttons: a boxed plus and a boxed minus.
  for (int K = 0; K < 2; ++K) {
    const int X = (12 + K) * 16;
    C->Brush()->SetColor(static_cast<TColor>(RGB(240, 240, 240)));
    C->Pen()->SetColor(static_cast<TColor>(RGB(96, 96, 96)));
    C->Rectangle(X + 3, 2, X + 12, 11);
    C->Pen()->SetColor(clBlack);
    C->MoveTo(X + 5, 6);
    C->LineTo(X + 10, 6);
    if (K == 0) {
      C->MoveTo(X + 7, 4);
      C->LineTo(X + 7, 9);
    }
  }
  TMemoryStream Out;
  B.SaveToStream(&Out);
  std::string Bytes(static_cast<std::size_t>(Out.Size()), '\0');
  Out.SetPosition(0);
  Out.ReadBuffer(Bytes.data(), Out.Size());
  return Bytes;
}

}  // namespace

void RegisterEditorResources() {
  static const std::string Strip = [] {
    std::string Bytes = DrawBookmarkStrip();
    return Bytes;
  }();
  static const bool Registered = [] {
    RegisterResource(RT_BITMAP, "EASYBOOKMARK", Strip.data(), Strip.size());
    return true;
  }();
  (void)Registered;
}

// ---- construction and destruction ----

TCustomEasyEdit::TCustomEasyEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  FBlockIndent = 2;
  TabStop = true;
  FWantReturns = true;
  FMaxScrollPos = 255;
  FWrapList.reset(static_cast<TEasyWrapList*>(GetWrapListClass()->NewInstance(this)));
  FWrapList->OnUpdateWordWrap = [this](TObject* Sender, int First, int Last) { OnUpdateWordWrap(Sender, First, Last); };
  FBackground = std::make_unique<TEasyControlBackground>(this);
  FBackBuffer = std::make_unique<TBitmap>();
  FGutter = std::make_unique<TEasyEditorGutter>(this);
  FMargin = std::make_unique<TEasyEditorMargin>(this);
  FLineNumbers = std::make_unique<TEasyLineNumbers>(this);
  FLineStyles = std::make_unique<TEasyLineStyles>(this);
  FCodeTemplates = std::make_unique<TEasyCodeTemplates>(this);
  FSelStrings = std::make_unique<TEasySelStrings>(this);
  FColors = std::make_unique<TEasyEditorColors>(this);
  FColors->OnChange = [this](TObject* Sender) { ColorsChanged(Sender); };
  FPageNumFont = std::make_unique<TFont>();
  FOwnSource = static_cast<TCustomEasyEditSource*>(GetEditSourceClass()->NewInstance(nullptr));
  FOwnSource->RegisterNotifier(Notifier());
  FOwnSource->ActiveEditor = this;
  FRuler = std::make_unique<TEasyEditorRuler>(this);
  FLineDivider = std::make_unique<TEasyLineDivider>(this);
  FPages = std::make_unique<TEasyPages>(this);
  AddDefaultPage();
  AssignDefaultFont();
  Canvas()->SetFont(Font());
  FPainter.reset(static_cast<TCustomEasyPainter*>(GetPainterClass()->NewInstance(this)));
  RegisterEditorCursors();
  FKeyList = std::make_unique<TEasyKeyList>();
  InitDefaultKeys();
  FPopupWindow = std::make_unique<TEasyPopupWindow>();
  SetBounds(Left(), Top(), 185, 89);
  SetParentColor(false);
  FBorderStyle = bsSingle;
  SetColor(clWindow);
  FBorderColor = clBtnShadow;
  FAutoCompletePause = 500;
  ControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
  FOptions = DefaultEditorOptions;
  Cursor = crIBeam;
  EditList().push_back(this);
  BlockAnchor = BracketPos1 = BracketPos2 = TPoint{-1, -1};
  DirtyFirstLine = DirtyLastLine = -1;
  MaxWidthLine = -1;
  FBlockSelMode = TEasyBlockSelMode::bsBoth;
  FAutoCorrectDelims = " .,;:\t";
}

// The class hooks of descendants are virtual, so only now do they answer for the descendant: an object
// the constructor made from the base's class is made again from the descendant's.
void TCustomEasyEdit::AfterConstruction() {
  TCustomControl::AfterConstruction();
  if (GetEditSourceClass() != FOwnSource->ClassType()) {
    FOwnSource->UnRegisterNotifier(Notifier());
    delete FOwnSource;
    FOwnSource = static_cast<TCustomEasyEditSource*>(GetEditSourceClass()->NewInstance(nullptr));
    FOwnSource->RegisterNotifier(Notifier());
    FOwnSource->ActiveEditor = this;
  }
  if (GetPainterClass() != FPainter->ClassType()) {
    FPainter.reset(static_cast<TCustomEasyPainter*>(GetPainterClass()->NewInstance(this)));
  }
  if (GetWrapListClass() != FWrapList->ClassType()) {
    FWrapList.reset(static_cast<TEasyWrapList*>(GetWrapListClass()->NewInstance(this)));
    FWrapList->OnUpdateWordWrap = [this](TObject* Sender, int First, int Last) { OnUpdateWordWrap(Sender, First, Last); };
  }
}

void TCustomEasyEdit::BeforeDestruction() {
  FDestroying = true;
  FreeTypingAids();
  auto& List = EditList();
  List.erase(std::remove(List.begin(), List.end(), this), List.end());
  DisableSelTimer();
  DisableAutoCompleteTimer();
  FRuler->ReleaseRulers();
  if (AttachedSource) {
    AttachedSource->UnRegisterNotifier(Notifier());
    AttachedSource->RemoveFreeNotification(this);
    if (AttachedSource->ActiveEditor == this) {
      AttachedSource->ActiveEditor = nullptr;
    }
    AttachedSource = nullptr;
  }
  if (FOwnSource) {
    FOwnSource->UnRegisterNotifier(Notifier());
    delete FOwnSource;
    FOwnSource = nullptr;
  }
  TCustomControl::BeforeDestruction();
}

TCustomEasyEdit::~TCustomEasyEdit() {
  if (FOwnSource) {
    FOwnSource->UnRegisterNotifier(Notifier());
    delete FOwnSource;
  }
}

TEasyNotifyMethod TCustomEasyEdit::Notifier() { return TEasyNotifyMethod(this, &TCustomEasyEdit::HandleEvents); }

TEasyPainter* TCustomEasyEdit::EasyPainter() const { return dynamic_cast<TEasyPainter*>(FPainter.get()); }

// ---- forwarding and simple state ----

TPoint TCustomEasyEdit::GetCaretPos() const { return GetCurrentPosition(); }

void TCustomEasyEdit::SetOverwrite(bool Value) {
  if (Value == EditOverwrite) {
    return;
  }
  TCustomEasyEditSource* Source = GetEditSource();
  Source->BeginSourceUpdate(oprOther);
  EditOverwrite = Value;
  Source->State.Include(csInsModeChanged);
  Source->EndSourceUpdate();
  if (FOptions.Contains(eoOverwriteCaret)) {
    UpdateCaretMode();
  }
}

void TCustomEasyEdit::SetPageType(TEasyPageType Value) {
  if (Value != FPageType) {
    FPageType = Value;
    PageTypeChanged();
    GetEditSource()->SetUsePages(Value != ptNormal);
  }
}

void TCustomEasyEdit::SetKeyMapping(TEasyKeyMapping Value) {
  if (Value == FKeyMapping) {
    return;
  }
  FKeyMapping = Value;
  FKeyList->ClearEntries();
  switch (Value) {
    case kmDefault: InitDefaultKeys(); break;
    case kmClassic: InitClassicKeys(); break;
    case kmBrief: InitBriefKeys(); break;
    case kmEpsilon: InitEpsilonKeys(); break;
    case kmVisualStudio: InitVStudioKeys(); break;
    case kmOther: break;
  }
}

void TCustomEasyEdit::SetWordWrap(bool Value) {
  if (Value == FWordWrap) {
    return;
  }
  int Top = 0;
  if (!PageLayout()) {
    Top = std::min(FWindowLine, std::max(LineCount() - 1, 0));
  }
  FWordWrap = Value;
  UpdateWordWrap(0, EasyMaxInt, true);
  if (!PageLayout()) {
    SetWindowLine(std::max(Top, 0));
  }
  if (!Value) {
    WordWrapUpdated(true);
  }
  UpdateInvisibleLines();
  UpdateScrollBars();
}

void TCustomEasyEdit::SetOptions(TEasyEditorOptions Value) {
  if (Value == FOptions) {
    return;
  }
  const bool Rewrap =
      FWordWrap && Value.Contains(eoBreakWordsAtMargin) != FOptions.Contains(eoBreakWordsAtMargin);
  const int OldGutter = FGutter->GetWidth();
  FOptions = Value;
  if (Rewrap) {
    UpdateWordWrap(0, EasyMaxInt, true);
  }
  UpdateScrollBars();
  UpdateScrollPos();
  UpdateLineNumbers(false);
  if (FGutter->GetWidth() != OldGutter) {
    PaintBackground();
  }
  Invalidate();
}

void TCustomEasyEdit::SetWindowLine(int Value) {
  Value = std::max(Value, 0);
  if (Value == FWindowLine) {
    return;
  }
  const int OldLine = FWindowLine;
  InternalSetWindowLine(Value);
  RepaintControl(FWindowChar, OldLine);
  if (FWordWrap) {
    UpdateScrollBars();
  }
  UpdateScrollPos();
  UpdateCaret();
}

void TCustomEasyEdit::InternalSetWindowLine(int Value) {
  if (Value == FWindowLine) {
    return;
  }
  FWindowLine = Value;
  CheckWindowLine(false);
  const int Top = TopLine();
  ParseStrings(Top, Top + cDefaultWrapDelta);
  UpdateRulers();
}

void TCustomEasyEdit::CheckWindowLine(bool Apply) {
  if (!FHideScrollBars || PageLayout()) {
    return;
  }
  const int Rows = ScrollPageSize().cy;
  const int Highest = std::max(MaxVisibleLine() + 1 - Rows, 0);
  if (FWindowLine >= Highest) {
    if (Apply) {
      SetWindowLine(Highest);
    } else {
      FWindowLine = Highest;
    }
  }
}

void TCustomEasyEdit::SetWindowChar(int Value) {
  Value = std::max(Value, 0);
  if (Value == FWindowChar) {
    return;
  }
  const int OldChar = FWindowChar;
  FWindowChar = Value;
  RepaintControl(OldChar, FWindowLine);
  UpdateScrollPos();
  UpdateCaret();
  UpdateRulers();
}

void TCustomEasyEdit::SetHideCaret(bool Value) {
  if (Value == FHideCaret) {
    return;
  }
  FHideCaret = Value;
  if (!HandleAllocated() || !IsFocused()) {
    return;
  }
  if (Value) {
    ::HideCaret(Handle());
    DestroyCaret();
  } else {
    CaretWidth = CaretHeight = 0;
    UpdateCaret();
  }
}

void TCustomEasyEdit::SetHideScrollBars(bool Value) {
  if (Value != FHideScrollBars) {
    FHideScrollBars = Value;
    if (HandleAllocated()) {
      UpdateScrollBars();
      UpdateScrollPos();
    }
  }
}

void TCustomEasyEdit::SetScrollBars(TScrollStyle Value) {
  if (Value != FScrollBars) {
    FScrollBars = Value;
    UpdateScrollBars();
  }
}

void TCustomEasyEdit::SetMaxScrollPos(int Value) {
  Value = std::max(Value, 0);
  if (Value != FMaxScrollPos) {
    FMaxScrollPos = Value;
    ScrollWidthCache = 0;
    UpdateScrollBars();
    UpdateScrollPos();
  }
}

void TCustomEasyEdit::SetHideSelection(bool Value) {
  if (Value != FHideSelection) {
    FHideSelection = Value;
    InvalidateSelection(SelRect, SelType);
  }
}

void TCustomEasyEdit::SetBorderColor(TColor Value) {
  if (Value != FBorderColor) {
    FBorderColor = Value;
    Invalidate();
  }
}

void TCustomEasyEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value != FBorderStyle) {
    FBorderStyle = Value;
    if (HandleAllocated()) {
      RecreateWnd();
    }
  }
}

void TCustomEasyEdit::SetFlatScrollBars(bool Value) {
  if (Value != FFlatScrollBars) {
    FFlatScrollBars = Value;
    if (HandleAllocated()) {
      RecreateWnd();
    }
  }
}

void TCustomEasyEdit::SetUseGlobalSettings(bool Value) {
  if (Value == FUseGlobalSettings) {
    return;
  }
  FUseGlobalSettings = Value;
  if (AttachedSource == nullptr) {
    FOwnSource->SetUseGlobalSettings(Value);
  }
}

TEasyPage* TCustomEasyEdit::GetDefaultPage() const { return FPages->Count() > 0 ? FPages->Page(0) : nullptr; }

void TCustomEasyEdit::SetDefaultPage(TEasyPage* Value) {
  if (TEasyPage* P = GetDefaultPage()) {
    P->Assign(Value);
  }
}

TEasyPage* TCustomEasyEdit::GetLastPage() const {
  return FPages->Count() > 0 ? FPages->Page(FPages->Count() - 1) : nullptr;
}

void TCustomEasyEdit::AddDefaultPage() { FPages->Add(); }

void TCustomEasyEdit::UpdateAllPages() {
  if (TEasyPage* P = GetDefaultPage()) {
    PageChanged(P);
  }
}

void TCustomEasyEdit::UpdateInvisibleLines() {
  TCustomEasyEditSource* Source = GetEditSource();
  if (FWordWrap && Source->Options().Contains(srAllowHiddenLines)) {
    TEasySourceOptions O = Source->Options();
    O.Exclude(srAllowHiddenLines);
    Source->SetOptions(O);
  }
}

void TCustomEasyEdit::ParseStrings(int First, int Last) {
  if (Last == EasyMaxInt) {
    Last = First + cDefaultWrapDelta;
  }
  GetEditSource()->ParseToString(Last);
}

void TCustomEasyEdit::GetWrapLines(TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    TEasyStrings* Lines = GetLines();
    for (int I = 0; I < Lines->Count(); ++I) {
      Strings->Add(Lines->Get(I));
    }
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TCustomEasyEdit::AssignContent(TCustomEasyEdit* Other, bool SelectionOnly) {
  if (SelectionOnly) {
    GetLines()->Assign(Other->SelStrings());
  } else {
    GetLines()->Assign(Other->GetLines());
  }
}

void TCustomEasyEdit::AssignDefaultFont() {
  SetParentFont(false);
  AssignEditorFont(Font());
}

void TCustomEasyEdit::DoFontChanged(TObject* Sender) {
  Canvas()->SetFont(Font());
  if (!FPainter) {
    return;  // still under construction
  }
  FPainter->FontChanged(Sender);
  UpdateLineNumbers(true);
  GetLineNumberWidth();
  FRuler->UpdateUnits();
  ScrollHeightCache = 0;
  UpdateScrollBars();
  Invalidate();
}

void TCustomEasyEdit::ColorsChanged(TObject*) {
  if (TCustomEasyParser* P = GetParser()) {
    P->UpdateColors(FColors.get(), true);
  }
}

void TCustomEasyEdit::UpdateColors() {
  if (TCustomEasyParser* P = GetParser()) {
    P->UpdateColors(FColors.get(), false);
  }
  Invalidate();
}

TColor TCustomEasyEdit::GetEditorColor() {
  if (FOptions.Contains(eoUseReadOnlyColor) && GetReadOnly()) {
    return FColors->ReadOnlyColor;
  }
  if (FOptions.Contains(eoUseDisabledColor) && !Enabled()) {
    return FColors->DisabledColor;
  }
  return Color();
}

void TCustomEasyEdit::GetColorFromStyle(int Index, TColor& Fore, TColor& Back) {
  Fore = Back = -1;
  if (Index < 0 || Index >= FLineStyles->Count()) {
    return;
  }
  TEasyLineStyle* S = FLineStyles->GetItem(Index);
  if (S->IgnoreColors()) {
    return;
  }
  Fore = FOptions.Contains(eoInvertLineStyle) ? S->Color() : -1;
  Back = S->BackColor();
}

bool TCustomEasyEdit::IsFocused() { return HandleAllocated() && GetFocus() == Handle(); }

void TCustomEasyEdit::DisableAutoCompleteTimer() {
  if (HandleAllocated()) {
    KillTimer(Handle(), EasyAutoCompleteTimerId);
  }
}

void TCustomEasyEdit::Loaded() {
  TCustomControl::Loaded();
  UpdateLineNumbers(false);
  UpdateRulers();
}

// ---- events raised by the editor ----

void TCustomEasyEdit::PageTypeChanged() {
  UpdateAllPages();
  UpdateWordWrap(0, EasyMaxInt, true);
  PaintBackground();
  if (GetEditSource()->ActiveEditor == this) {
    EnsureCaretVisible();
  }
  UpdateScrollBars();
  UpdateScrollPos();
  Invalidate();
}

void TCustomEasyEdit::PageChanged(TEasyPage* Page) {
  ScrollHeightCache = ScrollWidthCache = 0;
  FPages->LaidOut = std::min(FPages->LaidOut, Page ? Page->Index() : 0);
  UpdateRulers();
  Invalidate();
}

void TCustomEasyEdit::BeforeInsertPopup(std::string& S) {
  if (OnBeforeInsertPopup) {
    OnBeforeInsertPopup(this, S);
  }
}

void TCustomEasyEdit::GutterClick(int Line, int Index) {
  if (OnGutterClick) {
    OnGutterClick(this, Line, Index);
  }
}

void TCustomEasyEdit::GutterDblClick(int Line, int Index) {
  if (OnGutterDblClick) {
    OnGutterDblClick(this, Line, Index);
  }
}

void TCustomEasyEdit::DoScroll(bool Vertical, int Code) {
  if (OnScroll) {
    OnScroll(this, Vertical, Code);
  }
}

void TCustomEasyEdit::DoScrollHint(int Line, int Page, std::string& S) {
  if (OnScrollHint) {
    OnScrollHint(this, Line, Page, S);
  }
}

void TCustomEasyEdit::DoGetDrawStyle(int Line, int Char, Word& Style) {
  if (OnGetDrawStyle) {
    OnGetDrawStyle(this, Line, Char, Style);
  }
}

// ---- published properties ----

void TEasyEdit::Publish(TMetaClass& Meta) {
  TPublisher<TEasyEdit> P(Meta);
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("AutoCompletePause", &TCustomEasyEdit::AutoCompletePause, &TCustomEasyEdit::SetAutoCompletePause)
      .Default(500);
  P.Property("AutoCorrectDelims", &TCustomEasyEdit::AutoCorrectDelims, &TCustomEasyEdit::SetAutoCorrectDelims);
  P.Property("Background", &TCustomEasyEdit::Background, &TCustomEasyEdit::SetBackground);
  P.Property("BlockIndent", &TCustomEasyEdit::BlockIndent, &TCustomEasyEdit::SetBlockIndent).Default(2);
  P.Property("BlockSelMode", &TCustomEasyEdit::BlockSelMode, &TCustomEasyEdit::SetBlockSelMode)
      .Default(TEasyBlockSelMode::bsBoth);
  P.Property("BorderColor", &TCustomEasyEdit::BorderColor, &TCustomEasyEdit::SetBorderColor)
      .Type(TypeInfoColor())
      .Default(clBtnShadow);
  P.Property("BorderStyle", &TCustomEasyEdit::BorderStyle, &TCustomEasyEdit::SetBorderStyle).Default(bsSingle);
  P.Property("CodeTemplates", &TCustomEasyEdit::CodeTemplates, &TCustomEasyEdit::SetCodeTemplates);
  P.Property("Colors", &TCustomEasyEdit::Colors, &TCustomEasyEdit::SetColors);
  P.Property("EditSource", &TCustomEasyEdit::EditSource, &TCustomEasyEdit::SetEditSource)
      .Stored(&TCustomEasyEdit::IsEditSourceStored);
  P.Property("FlatScrollBars", &TCustomEasyEdit::FlatScrollBars, &TCustomEasyEdit::SetFlatScrollBars)
      .Default(false);
  P.Property("Gutter", &TCustomEasyEdit::Gutter, &TCustomEasyEdit::SetGutter);
  P.Property("HideCaret", &TCustomEasyEdit::HideCaret, &TCustomEasyEdit::SetHideCaret).Default(false);
  P.Property("HideScrollBars", &TCustomEasyEdit::HideScrollBars, &TCustomEasyEdit::SetHideScrollBars)
      .Default(false);
  P.Property("HideSelection", &TCustomEasyEdit::HideSelection, &TCustomEasyEdit::SetHideSelection).Default(false);
  P.Property("KeyMapping", &TCustomEasyEdit::KeyMapping, &TCustomEasyEdit::SetKeyMapping).Default(kmDefault);
  P.Property("LineBreak", &TCustomEasyEdit::GetLineBreak, &TCustomEasyEdit::SetLineBreak).Default(lbCRLF);
  P.Property("LineDivider", &TCustomEasyEdit::LineDivider, &TCustomEasyEdit::SetLineDivider);
  P.Property("LineNumbers", &TCustomEasyEdit::LineNumbers, &TCustomEasyEdit::SetLineNumbers);
  P.Property("LineStyles", &TCustomEasyEdit::LineStyles, &TCustomEasyEdit::SetLineStyles);
  P.Property("Lines", &TCustomEasyEdit::GetLines, &TCustomEasyEdit::SetLines)
      .Stored(&TCustomEasyEdit::IsEditPropStored);
  P.Property("Margin", &TCustomEasyEdit::Margin, &TCustomEasyEdit::SetMargin);
  P.Property("MaxScrollPos", &TCustomEasyEdit::MaxScrollPos, &TCustomEasyEdit::SetMaxScrollPos).Default(255);
  P.Property("Options", &TCustomEasyEdit::Options, &TCustomEasyEdit::SetOptions).Default(DefaultEditorOptions);
  P.Property("PageNumFont", &TCustomEasyEdit::PageNumFont, &TCustomEasyEdit::SetPageNumFont);
  P.Property("PageType", &TCustomEasyEdit::PageType, &TCustomEasyEdit::SetPageType).Default(ptNormal);
  P.Property("Parser", &TCustomEasyEdit::GetParser, &TCustomEasyEdit::SetParser)
      .Stored(&TCustomEasyEdit::IsEditPropStored);
  P.Property("PopupWindow", &TCustomEasyEdit::PopupWindow, &TCustomEasyEdit::SetPopupWindow);
  P.Property("ReadOnly", &TCustomEasyEdit::GetReadOnly, &TCustomEasyEdit::SetReadOnly).Default(false);
  P.Property("Ruler", &TCustomEasyEdit::Ruler, &TCustomEasyEdit::SetRuler);
  P.Property("ScrollBars", &TCustomEasyEdit::ScrollBars, &TCustomEasyEdit::SetScrollBars).Default(ssNone);
  P.Property("SourceOptions", &TCustomEasyEdit::GetSourceOptions, &TCustomEasyEdit::SetSourceOptions)
      .Default(DefaultSourceOptions)
      .Stored(&TCustomEasyEdit::IsEditPropStored);
  P.Property("UseGlobalSettings", &TCustomEasyEdit::UseGlobalSettings, &TCustomEasyEdit::SetUseGlobalSettings)
      .Default(false);
  P.Property("WantReturns", &TCustomEasyEdit::WantReturns, &TCustomEasyEdit::SetWantReturns).Default(true);
  P.Property("WantTabs", &TCustomEasyEdit::WantTabs, &TCustomEasyEdit::SetWantTabs).Default(false);
  P.Property("WordWrap", &TCustomEasyEdit::WordWrap, &TCustomEasyEdit::SetWordWrap).Default(false);
  P.Property("OnAfterCreateDialog", &TCustomEasyEdit::OnAfterCreateDialog, &TCustomEasyEdit::OnAfterCreateDialog);
  P.Property("OnBeforeCreateDialog", &TCustomEasyEdit::OnBeforeCreateDialog,
             &TCustomEasyEdit::OnBeforeCreateDialog);
  P.Property("OnBeforeInsertPopup", &TCustomEasyEdit::OnBeforeInsertPopup, &TCustomEasyEdit::OnBeforeInsertPopup);
  P.Property("OnGetDrawStyle", &TCustomEasyEdit::OnGetDrawStyle, &TCustomEasyEdit::OnGetDrawStyle);
  P.Property("OnGutterClick", &TCustomEasyEdit::OnGutterClick, &TCustomEasyEdit::OnGutterClick);
  P.Property("OnGutterDblClick", &TCustomEasyEdit::OnGutterDblClick, &TCustomEasyEdit::OnGutterDblClick);
  P.Property("OnMouseLeave", &TCustomEasyEdit::OnMouseLeave, &TCustomEasyEdit::OnMouseLeave);
  P.Property("OnScroll", &TCustomEasyEdit::OnScroll, &TCustomEasyEdit::OnScroll);
  P.Property("OnScrollHint", &TCustomEasyEdit::OnScrollHint, &TCustomEasyEdit::OnScrollHint);
  P.Property("OnSelectionChanged", &TCustomEasyEdit::OnSelectionChanged, &TCustomEasyEdit::OnSelectionChanged);
  P.Property("OnSourceChanged", &TCustomEasyEdit::OnSourceChanged, &TCustomEasyEdit::OnSourceChanged);
  P.Property("OnUrlJump", &TCustomEasyEdit::OnUrlJump, &TCustomEasyEdit::OnUrlJump);
  P.Property("OnWordSpell", &TCustomEasyEdit::GetOnWordSpell, &TCustomEasyEdit::SetOnWordSpell);
  P.Property("OnWordAutoCorrect", &TCustomEasyEdit::OnWordAutoCorrect, &TCustomEasyEdit::OnWordAutoCorrect);
  P.Property("OnAutoComplete", &TCustomEasyEdit::OnAutoComplete, &TCustomEasyEdit::OnAutoComplete);
  P.Property("OnDisplayHint", &TCustomEasyEdit::OnDisplayHint, &TCustomEasyEdit::OnDisplayHint);
  P.Property("OnFileLoad", &TCustomEasyEdit::OnFileLoad, &TCustomEasyEdit::OnFileLoad);
  P.Property("OnFileSave", &TCustomEasyEdit::OnFileSave, &TCustomEasyEdit::OnFileSave);
}
