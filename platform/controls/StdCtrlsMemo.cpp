// The memo of the standard controls: a multi-line native edit whose lines are seen as strings.
#include "platform/classes/TypInfo.h"
#include "platform/controls/StdCtrls.h"
#include "platform/win/NativeControls.h"

#include <algorithm>


Z_IMPLEMENT_CLASS(TCustomMemo, TCustomEdit)
Z_IMPLEMENT_CLASS_PUBLISHED(TMemo, TCustomMemo, TMemo::Publish)

namespace {

// The lines of a memo: every call reads or edits the window's text (made when needed). A last line left empty
// by a final line break is not counted, so "a" CR LF holds one line.
class TMemoStrings final : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo* AMemo) : FMemo(AMemo) {}

  void Clear() override { FMemo->SetText({}); }

  void Delete(Integer Index) override {
    if (Index < 0 || Index >= GetCount()) {
      Error(RtlConsts::SListIndexError, Index);
    }
    const LRESULT Start = Send(EM_LINEINDEX, static_cast<WPARAM>(Index), 0);
    LRESULT End = Send(EM_LINEINDEX, static_cast<WPARAM>(Index + 1), 0);
    if (End < 0) {
      End = Start + Send(EM_LINELENGTH, static_cast<WPARAM>(Start), 0);
    }
    Replace(Start, End, {});
  }

  void Insert(Integer Index, const std::string& S) override {
    if (Index < 0 || Index > GetCount()) {
      Error(RtlConsts::SListIndexError, Index);
    }
    LRESULT Start = Send(EM_LINEINDEX, static_cast<WPARAM>(Index), 0);
    if (Start >= 0) {
      Replace(Start, Start, S + "\r\n");
      return;
    }
    // After a last line that has no line break yet.
    Start = Send(EM_LINEINDEX, static_cast<WPARAM>(Index - 1), 0);
    Start += Send(EM_LINELENGTH, static_cast<WPARAM>(Start), 0);
    Replace(Start, Start, "\r\n" + S);
  }

  void SetTextStr(std::string_view Value) override { FMemo->SetText(std::string(Value)); }

protected:
  std::string Get(Integer Index) const override {
    if (Index < 0 || Index >= GetCount()) {
      Error(RtlConsts::SListIndexError, Index);
    }
    const LRESULT Start = Send(EM_LINEINDEX, static_cast<WPARAM>(Index), 0);
    const LRESULT Length = Send(EM_LINELENGTH, static_cast<WPARAM>(Start), 0);
    std::string S(static_cast<std::size_t>(std::max<LRESULT>(Length, 2)), '\0');
    const WORD Size = static_cast<WORD>(std::min<LRESULT>(Length, 0xFFFF));
    std::copy_n(reinterpret_cast<const char*>(&Size), sizeof(Size), S.data());
    const LRESULT Got = Send(EM_GETLINE, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.data()));
    S.resize(static_cast<std::size_t>(std::max<LRESULT>(Got, 0)));
    return S;
  }

  Integer GetCount() const override {
    Integer Count = static_cast<Integer>(Send(EM_GETLINECOUNT, 0, 0));
    if (Count > 0 && Send(EM_LINELENGTH, static_cast<WPARAM>(Send(EM_LINEINDEX, Count - 1, 0)), 0) == 0) {
      --Count;
    }
    return Count;
  }

  void Put(Integer Index, const std::string& S) override {
    if (Index < 0 || Index >= GetCount()) {
      Error(RtlConsts::SListIndexError, Index);
    }
    const LRESULT Start = Send(EM_LINEINDEX, static_cast<WPARAM>(Index), 0);
    Replace(Start, Start + Send(EM_LINELENGTH, static_cast<WPARAM>(Start), 0), S);
  }

private:
  LRESULT Send(UINT Msg, WPARAM W, LPARAM L) const { return SendMessage(FMemo->Handle(), Msg, W, L); }
  void Replace(LRESULT Start, LRESULT End, const std::string& S) const {
    Send(EM_SETSEL, static_cast<WPARAM>(Start), End);
    Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(S.c_str()));
  }
  TCustomMemo* FMemo;
};

}  // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
  if (WantReturns) Params.Style |= ES_WANTRETURN;
  // A wrapping memo never scrolls sideways.
  const bool Horizontal = !FWordWrap && (FScrollBars == ssHorizontal || FScrollBars == ssBoth);
  const bool Vertical = FScrollBars == ssVertical || FScrollBars == ssBoth;
  if (FWordWrap) Params.Style &= ~ES_AUTOHSCROLL;
  if (Horizontal) Params.Style |= WS_HSCROLL;
  if (Vertical) Params.Style |= WS_VSCROLL;
}

void TCustomMemo::SetLines(TStrings* Value) { FLines->Assign(Value); }

void TCustomMemo::SetWordWrap(bool Value) {
  if (Value != FWordWrap) {
    FWordWrap = Value;
    RecreateWnd();
  }
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (Value != FScrollBars) {
    FScrollBars = Value;
    RecreateWnd();
  }
}

TPoint TCustomMemo::CaretPos() {
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  const int Line = static_cast<int>(SendMessage(Handle(), EM_LINEFROMCHAR, End, 0));
  const int LineStart = static_cast<int>(SendMessage(Handle(), EM_LINEINDEX, static_cast<WPARAM>(Line), 0));
  return TPoint{static_cast<int>(End) - LineStart, Line};
}

void TCustomMemo::SetCaretPos(TPoint Value) {
  const LRESULT LineStart = SendMessage(Handle(), EM_LINEINDEX, static_cast<WPARAM>(std::max(Value.Y, 0)), 0);
  if (LineStart < 0) {
    return;
  }
  const LRESULT Length = SendMessage(Handle(), EM_LINELENGTH, static_cast<WPARAM>(LineStart), 0);
  const LRESULT Pos = LineStart + std::clamp<LRESULT>(Value.X, 0, Length);
  SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(Pos), Pos);
}

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::Dispatch(Message);
    if (WantTabs) Message.Result |= DLGC_WANTTAB;
    else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!WantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    return;
  }
  TCustomEdit::Dispatch(Message);
}

void TMemo::Publish(TMetaClass& Meta) {
  TPublisher<TMemo> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("BorderStyle", &TMemo::BorderStyle, &TMemo::BorderStyle).Default(bsSingle);
  P.Property("HideSelection", &TMemo::HideSelection, &TMemo::HideSelection).Default(true);
  P.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
  P.Property("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength).Default(0);
  P.Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(false);
  P.Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars).Default(ssNone);
  P.Property("WantReturns", &TMemo::WantReturns, &TMemo::WantReturns).Default(true);
  P.Property("WantTabs", &TMemo::WantTabs, &TMemo::WantTabs).Default(false);
  P.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
  P.Property("OnChange", &TMemo::OnChange, &TMemo::OnChange);
}
