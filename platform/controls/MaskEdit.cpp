// The masked edit: the edit-mask language, FormatMaskText, and typing, deleting, pasting and validating through
// the mask over the native edit.
#include "platform/controls/Mask.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/rtl/DateUtils.h"
#include "platform/win/NativeControls.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>
#include <cctype>

// The same record StdCtrls.cpp declares (identical, as the class template's specialisation must be).

Z_IMPLEMENT_CLASS(EDBEditError, Exception)
Z_IMPLEMENT_CLASS(TCustomMaskEdit, TCustomEdit)
Z_IMPLEMENT_CLASS_PUBLISHED(TMaskEdit, TCustomMaskEdit, TMaskEdit::Publish)

// ---- The mask language ------------------------------------------------------------------------------------------

namespace {

bool IsLetter(unsigned char C) {
  // Code page 1252: the ASCII letters and the accented ones.
  return std::isalpha(C) || C == 0x8A || C == 0x8C || C == 0x8E || C == 0x9A || C == 0x9C || C == 0x9E ||
         C == 0x9F || (C >= 0xC0 && C != 0xD7 && C != 0xF7);
}

char ToUpper(char C) {
  auto U = static_cast<unsigned char>(C);
  if (U < 0x80) {
    return static_cast<char>(std::toupper(U));
  }
  if (U >= 0xE0 && U != 0xF7 && U != 0xFF) {
    return static_cast<char>(U - 0x20);
  }
  if (U == 0x9A || U == 0x9C || U == 0x9E) {
    return static_cast<char>(U - 0x10);
  }
  return C;
}

char ToLower(char C) {
  auto U = static_cast<unsigned char>(C);
  if (U < 0x80) {
    return static_cast<char>(std::tolower(U));
  }
  if (U >= 0xC0 && U <= 0xDE && U != 0xD7) {
    return static_cast<char>(U + 0x20);
  }
  if (U == 0x8A || U == 0x8C || U == 0x8E) {
    return static_cast<char>(U + 0x10);
  }
  return C;
}

char ApplyCase(const TMaskPosition& P, char C) {
  return P.Case == mcUpper ? ToUpper(C) : P.Case == mcLower ? ToLower(C) : C;
}

}  // namespace

TParsedMask ParseEditMask(const std::string& EditMask) {
  TParsedMask M;
  TMaskCase Case = mcNone;
  std::size_t I = 0;
  auto Literal = [&](char C) { M.Positions.push_back(TMaskPosition{true, C, mcNone}); };
  while (I < EditMask.size() && EditMask[I] != MaskFieldSeparator) {
    const char C = EditMask[I++];
    switch (C) {
      case '!': M.Leading = true; break;
      case '>': Case = mcUpper; break;
      case '<':
        if (I < EditMask.size() && EditMask[I] == '>') {
          Case = mcNone;
          ++I;
        } else {
          Case = mcLower;
        }
        break;
      case '\\':
        if (I < EditMask.size()) {
          Literal(EditMask[I++]);
        }
        break;
      case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#':
        M.Positions.push_back(TMaskPosition{false, C, Case});
        break;
      case ':': Literal(TimeSeparator); break;
      case '/': Literal(DateSeparator); break;
      case '_': Literal(' '); break;
      default: Literal(C); break;
    }
  }
  if (I < EditMask.size()) {
    const std::size_t Save = I + 1;
    const std::size_t Next = EditMask.find(MaskFieldSeparator, Save);
    if (Save < EditMask.size() && EditMask[Save] == MaskNoSave) {
      M.SaveLiterals = false;
    }
    if (Next != std::string::npos && Next + 1 < EditMask.size()) {
      M.Blank = EditMask[Next + 1];
    }
  }
  return M;
}

bool MaskCharFits(const TMaskPosition& P, char C) {
  const auto U = static_cast<unsigned char>(C);
  const bool Digit = U >= '0' && U <= '9';
  switch (P.Char) {
    case 'L': case 'l': return IsLetter(U);
    case 'A': case 'a': return IsLetter(U) || Digit;
    case 'C': case 'c': return U >= 0x20;
    case '0': case '9': return Digit;
    case '#': return Digit || C == '+' || C == '-';
    default: return false;
  }
}

bool MaskCharRequired(const TMaskPosition& P) {
  return P.Char == 'L' || P.Char == 'A' || P.Char == 'C' || P.Char == '0';
}

std::string MaskApplyValue(const TParsedMask& Mask, const std::string& Value, char Blank, bool Check) {
  const int N = static_cast<int>(Mask.Positions.size());
  const int Len = static_cast<int>(Value.size());
  std::string Out(static_cast<std::size_t>(N), Blank);
  auto Place = [&](int I, char C) {
    const TMaskPosition& P = Mask.Positions[static_cast<std::size_t>(I)];
    if (C == ' ' || C == Mask.Blank || C == Blank) {
      return;
    }
    C = ApplyCase(P, C);
    if (!Check || MaskCharFits(P, C)) {
      Out[static_cast<std::size_t>(I)] = C;
    }
  };
  for (int I = 0; I < N; ++I) {
    if (Mask.Positions[static_cast<std::size_t>(I)].Literal) {
      Out[static_cast<std::size_t>(I)] = Mask.Positions[static_cast<std::size_t>(I)].Char;
    }
  }
  if (!Mask.SaveLiterals) {
    // The value holds the input characters only; with '!' a short value lies against the end.
    std::vector<int> Inputs;
    for (int I = 0; I < N; ++I) {
      if (!Mask.Positions[static_cast<std::size_t>(I)].Literal) {
        Inputs.push_back(I);
      }
    }
    const int Count = static_cast<int>(Inputs.size());
    const int Skip = Mask.Leading && Len < Count ? Count - Len : 0;
    for (int K = Skip; K < Count && K - Skip < Len; ++K) {
      Place(Inputs[static_cast<std::size_t>(K)], Value[static_cast<std::size_t>(K - Skip)]);
    }
    return Out;
  }
  // The value holds its literals: each run of input positions takes the value's characters up to the literal
  // that ends it (a value without literals is read all the same); with '!' a short run lies against its end.
  int J = 0;
  for (int I = 0; I < N;) {
    const TMaskPosition& P = Mask.Positions[static_cast<std::size_t>(I)];
    if (P.Literal) {
      if (J < Len && Value[static_cast<std::size_t>(J)] == P.Char) {
        ++J;
      }
      ++I;
      continue;
    }
    int End = I;
    while (End < N && !Mask.Positions[static_cast<std::size_t>(End)].Literal) {
      ++End;
    }
    const char Stop = End < N ? Mask.Positions[static_cast<std::size_t>(End)].Char : '\0';
    std::string Run;
    while (J < Len && static_cast<int>(Run.size()) < End - I && !(Stop && Value[static_cast<std::size_t>(J)] == Stop)) {
      Run += Value[static_cast<std::size_t>(J++)];
    }
    const int Shift = Mask.Leading ? End - I - static_cast<int>(Run.size()) : 0;
    for (std::size_t K = 0; K < Run.size(); ++K) {
      Place(I + Shift + static_cast<int>(K), Run[K]);
    }
    I = End;
  }
  return Out;
}

std::string MaskStripText(const TParsedMask& Mask, const std::string& EditText) {
  std::string Out;
  for (std::size_t I = 0; I < Mask.Positions.size(); ++I) {
    const TMaskPosition& P = Mask.Positions[I];
    if (P.Literal) {
      if (Mask.SaveLiterals) {
        Out += P.Char;
      }
      continue;
    }
    const char C = I < EditText.size() ? EditText[I] : Mask.Blank;
    Out += C == Mask.Blank ? ' ' : C;
  }
  return Out;
}

std::string FormatMaskText(const std::string& EditMask, const std::string& Value) {
  const TParsedMask M = ParseEditMask(EditMask);
  if (M.Empty()) {
    return Value;
  }
  return MaskApplyValue(M, Value, ' ', false);
}

// ---- TCustomMaskEdit --------------------------------------------------------------------------------------------

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
  if (Value == FEditMask) {
    return;
  }
  // The value survives the change of mask: it is laid into the new one.
  const std::string Old = GetText();
  FEditMask = Value;
  FMask = ParseEditMask(Value);
  if (IsMasked()) {
    SetMaxLength(static_cast<int>(FMask.Positions.size()));
    FMaxFromMask = true;
    TCustomEdit::SetText(MaskApplyValue(FMask, Old, FMask.Blank, true));
  } else {
    if (FMaxFromMask) {
      SetMaxLength(0);
      FMaxFromMask = false;
    }
    TCustomEdit::SetText(Old);
  }
}

std::string TCustomMaskEdit::EditText() { return TCustomEdit::GetText(); }

void TCustomMaskEdit::SetEditText(const std::string& Value) {
  if (!IsMasked()) {
    TCustomEdit::SetText(Value);
    return;
  }
  // The edit text is read position by position, literals included.
  TParsedMask Positional = FMask;
  Positional.SaveLiterals = true;
  Positional.Leading = false;
  TCustomEdit::SetText(MaskApplyValue(Positional, Value, FMask.Blank, true));
}

std::string TCustomMaskEdit::GetText() {
  return IsMasked() ? MaskStripText(FMask, EditText()) : TCustomEdit::GetText();
}

void TCustomMaskEdit::SetText(const std::string& Value) {
  TCustomEdit::SetText(IsMasked() ? MaskApplyValue(FMask, Value, FMask.Blank, true) : Value);
}

int TCustomMaskEdit::NextInput(int Pos) const {
  const int N = static_cast<int>(FMask.Positions.size());
  for (int I = std::max(Pos, 0); I < N; ++I) {
    if (!FMask.Positions[static_cast<std::size_t>(I)].Literal) {
      return I;
    }
  }
  return -1;
}

int TCustomMaskEdit::PrevInput(int Pos) const {
  const int N = static_cast<int>(FMask.Positions.size());
  for (int I = std::min(Pos, N) - 1; I >= 0; --I) {
    if (!FMask.Positions[static_cast<std::size_t>(I)].Literal) {
      return I;
    }
  }
  return -1;
}

void TCustomMaskEdit::GetSel(int& Start, int& Stop) {
  DWORD S = 0;
  DWORD E = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&S), reinterpret_cast<LPARAM>(&E));
  Start = static_cast<int>(S);
  Stop = static_cast<int>(E);
}

void TCustomMaskEdit::SetCursor(int Pos) {
  if (!HandleAllocated()) {
    return;
  }
  const int N = static_cast<int>(FMask.Positions.size());
  const int P = NextInput(Pos);
  if (Pos >= N || P < 0) {
    SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(N), N);
    return;
  }
  // The character at the caret is selected, the caret before it.
  SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(P + 1), P);
}

void TCustomMaskEdit::CheckCursor() {
  if (!HandleAllocated() || !IsMasked()) {
    return;
  }
  int Start = 0;
  int Stop = 0;
  GetSel(Start, Stop);
  if (Start == Stop) {
    SetCursor(Start);
  }
}

void TCustomMaskEdit::ApplyUserText(const std::string& Text, int Caret) {
  HWND H = Handle();
  if (Text != EditText()) {
    // Replacing the text as the user would keeps the modified flag and reports the change.
    SendMessage(H, EM_SETSEL, 0, -1);
    SendMessage(H, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Text.c_str()));
    SendMessage(H, EM_SETMODIFY, TRUE, 0);
  }
  SetCursor(Caret);
}

int TCustomMaskEdit::InputChar(std::string& Text, int Pos, char C) {
  const int N = static_cast<int>(FMask.Positions.size());
  int P = std::max(Pos, 0);
  // A literal typed where it stands (or among the literals before the next input position) steps over it.
  for (; P < N && FMask.Positions[static_cast<std::size_t>(P)].Literal; ++P) {
    if (FMask.Positions[static_cast<std::size_t>(P)].Char == C) {
      return P + 1;
    }
  }
  if (P >= N) {
    return -1;
  }
  const TMaskPosition& M = FMask.Positions[static_cast<std::size_t>(P)];
  if (C == ' ' && M.Char != 'c' && M.Char != 'C' && !MaskCharRequired(M)) {
    Text[static_cast<std::size_t>(P)] = FMask.Blank;  // a space empties an optional position
    return P + 1;
  }
  const char Converted = ApplyCase(M, C);
  if (!MaskCharFits(M, Converted)) {
    // The separator typed just after it was stepped over already.
    if (P == Pos && P > 0 && FMask.Positions[static_cast<std::size_t>(P - 1)].Literal &&
        FMask.Positions[static_cast<std::size_t>(P - 1)].Char == C) {
      return P;
    }
    return -1;
  }
  Text[static_cast<std::size_t>(P)] = Converted;
  return P + 1;
}

void TCustomMaskEdit::BlankRange(std::string& Text, int Start, int Stop) {
  const int N = std::min(static_cast<int>(FMask.Positions.size()), static_cast<int>(Text.size()));
  for (int I = std::max(Start, 0); I < std::min(Stop, N); ++I) {
    if (!FMask.Positions[static_cast<std::size_t>(I)].Literal) {
      Text[static_cast<std::size_t>(I)] = FMask.Blank;
    }
  }
}

void TCustomMaskEdit::DeleteKeys(bool Back) {
  int Start = 0;
  int Stop = 0;
  GetSel(Start, Stop);
  std::string T = EditText();
  if (Stop - Start > 1) {
    BlankRange(T, Start, Stop);
    ApplyUserText(T, Start);
    return;
  }
  // A selection of one character is the caret.
  int P = Back ? PrevInput(Start) : NextInput(Start);
  if (P < 0 || (!Back && P < Start)) {
    SetCursor(Start);
    return;
  }
  T[static_cast<std::size_t>(P)] = FMask.Blank;
  ApplyUserText(T, P);
}

void TCustomMaskEdit::PasteText(const std::string& Value) {
  int Start = 0;
  int Stop = 0;
  GetSel(Start, Stop);
  std::string T = EditText();
  if (Stop - Start > 1) {
    BlankRange(T, Start, Stop);
  }
  int Pos = Start;
  const int N = static_cast<int>(FMask.Positions.size());
  for (char C : Value) {
    if (Pos >= N || C == '\r' || C == '\n') {
      break;
    }
    // Characters the mask refuses are left out.
    if (int Next = InputChar(T, Pos, C); Next >= 0) {
      Pos = Next;
    }
  }
  ApplyUserText(T, Pos);
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0 || !HandleAllocated()) {
    return;
  }
  const bool ShiftDown = Shift.Contains(ssShift);
  const bool Ctrl = Shift.Contains(ssCtrl);
  const bool Alt = Shift.Contains(ssAlt);
  int Start = 0;
  int Stop = 0;
  GetSel(Start, Stop);
  switch (Key) {
    case VK_ESCAPE:
      if (Modified()) {
        Reset();
        Key = 0;
      }
      return;
    case VK_DELETE:
      if (ReadOnly() || Alt) {
        return;
      }
      if (ShiftDown) {
        CutToClipboard();
      } else {
        DeleteKeys(false);
      }
      Key = 0;
      return;
    case VK_INSERT:
      if (ShiftDown && !Ctrl && !ReadOnly()) {
        PasteFromClipboard();
        Key = 0;
      }
      return;
    case 'V': case 'X':
      // The edit's own paste and cut would bypass the mask.
      if (Ctrl && !Alt && !ShiftDown && !ReadOnly()) {
        if (Key == 'V') {
          PasteFromClipboard();
        } else {
          CutToClipboard();
        }
        Key = 0;
      }
      return;
    case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
      if (ShiftDown || Alt) {
        return;
      }
      if (Key == VK_HOME) {
        SetCursor(0);
      } else if (Key == VK_END) {
        SetCursor(static_cast<int>(FMask.Positions.size()));
      } else if (Stop - Start > 1) {
        SetCursor(Key == VK_LEFT ? Start : Stop);
      } else if (Key == VK_LEFT) {
        const int P = PrevInput(Start);
        SetCursor(P >= 0 ? P : Start);
      } else {
        SetCursor(Start + 1);
      }
      Key = 0;
      return;
    default: return;
  }
}

void TCustomMaskEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0 || ReadOnly() || !HandleAllocated()) {
    return;
  }
  if (Key == '\b') {
    DeleteKeys(true);
    Key = 0;
    return;
  }
  if (static_cast<unsigned char>(Key) < 0x20) {
    if (Key == 27) {
      Key = 0;  // Escape was KeyDown's
    }
    return;
  }
  int Start = 0;
  int Stop = 0;
  GetSel(Start, Stop);
  std::string T = EditText();
  if (Stop - Start > 1) {
    BlankRange(T, Start, Stop);
  }
  const int Next = InputChar(T, Start, Key);
  Key = 0;
  if (Next < 0) {
    MessageBeep(0);
    return;
  }
  ApplyUserText(T, Next);
}

bool TCustomMaskEdit::Validate(const std::string& Value, int& Pos) {
  for (std::size_t I = 0; I < FMask.Positions.size(); ++I) {
    const TMaskPosition& P = FMask.Positions[I];
    if (P.Literal) {
      continue;
    }
    const char C = I < Value.size() ? Value[I] : FMask.Blank;
    const bool Empty = C == FMask.Blank || C == ' ';
    if (Empty ? MaskCharRequired(P) : !MaskCharFits(P, C)) {
      Pos = static_cast<int>(I);
      return false;
    }
  }
  return true;
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !Modified()) {
    return;
  }
  int Pos = 0;
  if (Validate(EditText(), Pos)) {
    return;
  }
  if (!ComponentState().Contains(csDesigning) && HandleAllocated() && !Focused() && CanFocus()) {
    // Back into the edit; its entering keeps the text to return to.
    FReEnter = true;
    SetFocus();
  }
  SetCursor(Pos);
  ValidateError();
}

void TCustomMaskEdit::ValidateError() {
  MessageBeep(0);
  throw EDBEditError(MaskConsts::SMaskEditErr);
}

void TCustomMaskEdit::Reset() {
  if (Modified()) {
    SetEditText(FOldValue);
    SetModified(false);
    SetCursor(0);
  }
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
  const bool Editable = IsMasked() && !ReadOnly() && HandleAllocated();
  switch (Message.Msg) {
    case WM_PASTE:
      if (Editable) {
        PasteText(Clipboard()->AsText());
        Message.Result = 0;
        return;
      }
      break;
    case WM_CUT:
    case WM_CLEAR:
      if (Editable) {
        if (Message.Msg == WM_CUT) {
          SendMessage(Handle(), WM_COPY, 0, 0);
        }
        int Start = 0;
        int Stop = 0;
        GetSel(Start, Stop);
        std::string T = EditText();
        BlankRange(T, Start, Stop);
        ApplyUserText(T, Start);
        Message.Result = 0;
        return;
      }
      break;
    case CM_WANTSPECIALKEY:
      if (IsMasked() && Message.WParam == VK_ESCAPE && HandleAllocated() && Modified()) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_ENTER:
      if (IsMasked()) {
        if (!FReEnter) {
          FOldValue = EditText();
        }
        FReEnter = false;
        TCustomEdit::Dispatch(Message);
        CheckCursor();
        return;
      }
      break;
    case CM_EXIT:
      if (IsMasked() && !ComponentState().Contains(csDesigning)) {
        ValidateEdit();
        CheckCursor();
      }
      break;
    case WM_LBUTTONUP:
      TCustomEdit::Dispatch(Message);
      CheckCursor();
      return;
    case WM_IME_COMPOSITION:
      if (Editable) {
        // Committed text comes back one character at a time (WM_CHAR), to be typed through the mask; the edit
        // itself would take it whole.
        Message.Result = ::DefWindowProc(Handle(), Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      break;
    default: break;
  }
  TCustomEdit::Dispatch(Message);
}

void TMaskEdit::Publish(TMetaClass& Meta) {
  TPublisher<TMaskEdit> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("AutoSelect", &TMaskEdit::AutoSelect, &TMaskEdit::AutoSelect).Default(true);
  P.Property("BorderStyle", &TMaskEdit::BorderStyle, &TMaskEdit::BorderStyle).Default(bsSingle);
  P.Property("CharCase", &TMaskEdit::CharCase, &TMaskEdit::CharCase).Default(ecNormal);
  P.Property("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask);
  P.Property("HideSelection", &TMaskEdit::HideSelection, &TMaskEdit::HideSelection).Default(true);
  P.Property("MaxLength", &TMaskEdit::MaxLength, &TMaskEdit::SetMaxLength).Default(0);
  P.Property("PasswordChar", &TMaskEdit::PasswordChar, &TMaskEdit::SetPasswordChar).Default('\0');
  P.Property("ReadOnly", &TMaskEdit::ReadOnly, &TMaskEdit::SetReadOnly).Default(false);
  P.Property("Text", static_cast<std::string (TControl::*)() const>(&TControl::Caption), &TControl::SetText);
  P.Property("OnChange", &TMaskEdit::OnChange, &TMaskEdit::OnChange);
}
