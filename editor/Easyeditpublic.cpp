// The editor's memo-style interface: undo, modified flag, selected text, selection start and length as
// character offsets, the conversion between positions and offsets, the edit-control messages, and the
// formatted export through an exporter object.
#include "editor/Easyeditmessages.h"
#include "editor/Easyeditor.h"
#include "editor/Easyexport.h"

#include "platform/rtl/SysUtils.h"
#include "platform/win/Messages.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int MaxInt = EasyMaxInt;

void SplitText(const std::string& S, TEasyStrings& Lines) {
  Lines.SetTextBuffer(S.data(), S.size());
  if (!S.empty() && (S.back() == '\r' || S.back() == '\n')) {
    Lines.Add(std::string());
  }
}

}  // namespace

// ---- memo-style operations ----

bool TCustomEasyEdit::GetCanUndo() { return GetEditSource()->UndoAvailable(); }
bool TCustomEasyEdit::GetCanRedo() { return GetEditSource()->RedoAvailable(); }
void TCustomEasyEdit::Undo() { GetEditSource()->Undo(); }
void TCustomEasyEdit::Redo() { GetEditSource()->Redo(); }

void TCustomEasyEdit::ClearUndo() {
  GetEditSource()->UndoList()->Clear();
  GetEditSource()->RedoList()->Clear();
}

bool TCustomEasyEdit::GetModified() { return GetEditSource()->Modified; }
void TCustomEasyEdit::SetModified(bool Value) { GetEditSource()->Modified = Value; }

std::string TCustomEasyEdit::GetSelText() {
  std::string Text;
  const int N = FSelStrings->Count();
  for (int I = 0; I < N; ++I) {
    if (I > 0) {
      Text += "\r\n";
    }
    Text += FSelStrings->Get(I);
  }
  return Text;
}

void TCustomEasyEdit::SetSelText(const std::string& S) {
  TEasyStrings Lines;
  SplitText(S, Lines);
  ++SelectionHold;  // the inserted text ends selected
  try {
    GetEditSource()->Bracket(oprInsert, [&] {
      if (SelType != slNone) {
        const TEasySelType Kind = SelType;
        DeleteBlock();
        PasteStrings(&Lines, Kind);
      } else {
        PasteStrings(&Lines, slStream);
      }
    });
  } catch (...) {
    --SelectionHold;
    throw;
  }
  --SelectionHold;
}

int TCustomEasyEdit::GetSelLength() { return static_cast<int>(GetSelText().size()); }

void TCustomEasyEdit::SetSelLength(int N) {
  if (N == GetSelLength()) {
    return;
  }
  const TPoint Start = SelType != slNone ? TPoint{SelRect.Left, SelRect.Top} : GetCurrentPosition();
  const TPoint End = PosToTextPoint(TextPointToPos(Start) + N);
  EnsureVisible(End);
  TPoint A = Start;
  TPoint B = End;
  if (B.Y < A.Y || (B.Y == A.Y && B.X < A.X)) {
    std::swap(A, B);
  }
  SetSelection(Rect(A.X, A.Y, B.X, B.Y), slStream);
}

int TCustomEasyEdit::GetSelStart() {
  return TextPointToPos(SelType != slNone ? TPoint{SelRect.Left, SelRect.Top} : GetCurrentPosition());
}

void TCustomEasyEdit::SetSelStart(int N) {
  SetSelType(slNone);
  const TPoint P = PosToTextPoint(N);
  GetEditSource()->JumpTo(P.X, P.Y);
}

int TCustomEasyEdit::GetTextLen() {
  TEasyStrings* Lines = GetLines();
  long long Total = 0;
  const int N = Lines->Count();
  for (int I = 0; I < N; ++I) {
    Total += static_cast<long long>(Lines->GetStrRef(I).size()) + 2;
  }
  return static_cast<int>(std::clamp<long long>(Total - 2, 0, MaxInt));
}

void TCustomEasyEdit::Clear() { GetLines()->Clear(); }

int TCustomEasyEdit::TextPointToPos(const TPoint& P) {
  TEasyStrings* Lines = GetLines();
  const int Count = Lines->Count();
  long long Pos = 0;
  const int Line = std::clamp(P.Y, 0, std::max(Count, 0));
  for (int I = 0; I < Line && I < Count; ++I) {
    Pos += static_cast<long long>(Lines->GetStrRef(I).size()) + 2;
  }
  if (Line < Count) {
    const int Length = static_cast<int>(Lines->GetStrRef(Line).size());
    const int Column = P.X == MaxInt ? Length : GetRealChar(Line, std::max(P.X, 0));
    Pos += std::min(Column, Length);
  }
  return static_cast<int>(std::min<long long>(Pos, MaxInt));
}

TPoint TCustomEasyEdit::PosToTextPoint(int Pos) {
  TEasyStrings* Lines = GetLines();
  const int Count = Lines->Count();
  int Line = 0;
  long long Rest = std::max(Pos, 0);
  while (Rest > 0 && Line < Count - 1 && static_cast<long long>(Lines->GetStrRef(Line).size()) < Rest) {
    Rest -= static_cast<long long>(Lines->GetStrRef(Line).size()) + 2;
    ++Line;
  }
  if (Rest <= 0 || Line >= Count) {
    return TPoint{0, Line};
  }
  const int Column = static_cast<int>(std::min<long long>(Rest, static_cast<long long>(Lines->GetStrRef(Line).size())));
  return TPoint{GetEditSource()->GetRealPos(Line, Column), Line};
}

// ---- the edit-control messages ----

bool TCustomEasyEdit::HandleEditMessage(TMessage& Message) {
  TCustomEasyEditSource* Source = GetEditSource();
  auto SelOffsets = [&](int& Start, int& End) {
    Start = End = 0;
    if (SelType != slNone) {
      Start = TextPointToPos(TPoint{SelRect.Left, SelRect.Top});
      End = TextPointToPos(TPoint{SelRect.Right, SelRect.Bottom});
    }
  };
  auto SelectOffsets = [&](int Start, int End) {
    if (Start == 0 && End == -1) {
      SelectAll();
    } else {
      TPoint A = PosToTextPoint(Start);
      TPoint B = PosToTextPoint(End < 0 ? MaxInt : End);
      if (B.Y < A.Y || (B.Y == A.Y && B.X < A.X)) {
        std::swap(A, B);
      }
      SetSelection(Rect(A.X, A.Y, B.X, B.Y), slStream);
    }
    return static_cast<LRESULT>(GetSelLength());
  };
  auto CopyOut = [](const std::string& Text, char* Buffer) {
    if (Buffer) {
      std::memcpy(Buffer, Text.data(), Text.size());
      Buffer[Text.size()] = '\0';
    }
    return static_cast<LRESULT>(Text.size());
  };
  const auto WParamInt = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
  switch (Message.Msg) {
    case EM_GETSEL: {
      int Start = 0;
      int End = 0;
      SelOffsets(Start, End);
      Message.Result = (Start > 65535 || End > 65535) ? 0 : MAKELONG(static_cast<WORD>(Start), static_cast<WORD>(End));
      return true;
    }
    case EasyEmExGetSel: {
      int Start = 0;
      int End = 0;
      SelOffsets(Start, End);
      if (auto* R = reinterpret_cast<TEasyCharRange*>(Message.LParam)) {
        R->cpMin = Start;
        R->cpMax = End;
      }
      Message.Result = 0;
      return true;
    }
    case EM_SETSEL:
      Message.Result = SelectOffsets(WParamInt, static_cast<int>(static_cast<std::intptr_t>(Message.LParam)));
      return true;
    case EasyEmExSetSel: {
      const auto* R = reinterpret_cast<const TEasyCharRange*>(Message.LParam);
      Message.Result = R ? SelectOffsets(R->cpMin, R->cpMax) : 0;
      return true;
    }
    case EM_LINESCROLL: {
      const int Lines = static_cast<int>(static_cast<std::intptr_t>(Message.LParam));
      if (PageLayout()) {
        // Page layout scrolls by pixels: lines and characters become line heights and character widths.
        SetWindowLine(std::clamp(FWindowLine + Lines * FPainter->GetDefaultLineHeight(), 0, PageLayoutMaxWindowLine()));
        SetWindowChar(
            std::clamp(FWindowChar + WParamInt * FPainter->GetDefaultCharWidth(), 0, PageLayoutMaxWindowChar()));
      } else {
        SetWindowLine(std::clamp(FWindowLine + Lines, 0, MaxVisibleLine()));
        SetWindowChar(std::max(FWindowChar + WParamInt, 0));
      }
      Message.Result = 1;
      return true;
    }
    case EM_GETMODIFY: Message.Result = Source->Modified ? 1 : 0; return true;
    case EM_GETLINECOUNT: Message.Result = LineCount(); return true;
    case EM_LINEINDEX:
      Message.Result = TextPointToPos(TPoint{0, WParamInt == -1 ? GetCurrentPosition().Y : WParamInt});
      return true;
    case EM_GETLINE: {
      auto* Buffer = reinterpret_cast<char*>(Message.LParam);
      if (Buffer == nullptr) {
        Message.Result = 0;
        return true;
      }
      WORD Size = 0;
      std::memcpy(&Size, Buffer, sizeof Size);
      const std::string Line = GetLines()->Get(WParamInt);
      const std::size_t N = std::min<std::size_t>(Size, Line.size());
      std::memcpy(Buffer, Line.data(), N);
      Message.Result = static_cast<LRESULT>(N);
      return true;
    }
    case EM_CANUNDO: Message.Result = Source->UndoAvailable() ? 1 : 0; return true;
    case EM_UNDO:
    case WM_UNDO:
      Message.Result = Source->UndoAvailable() ? 1 : 0;
      Source->Undo();
      return true;
    case EM_LINEFROMCHAR: Message.Result = PosToTextPoint(WParamInt).Y; return true;
    case EasyEmExLineFromChar:
      Message.Result = PosToTextPoint(static_cast<int>(static_cast<std::intptr_t>(Message.LParam))).Y;
      return true;
    case EM_EMPTYUNDOBUFFER: ClearUndo(); Message.Result = 0; return true;
    case EM_GETFIRSTVISIBLELINE: Message.Result = PixelToTextPoint(TPoint{0, 0}, false).Y; return true;
    case EasyEmPosFromChar: {
      const auto Packed = static_cast<DWORD>(Message.LParam);
      const TPoint Q = TextToPixelPoint(TPoint{LOWORD(Packed), HIWORD(Packed)}, false);
      Message.Result = MAKELONG(static_cast<WORD>(Q.X), static_cast<WORD>(Q.Y));
      return true;
    }
    case WM_CUT: CutBlock(); Message.Result = 0; return true;
    case WM_COPY: CopyBlock(); Message.Result = 0; return true;
    case WM_PASTE: PasteBlock(); Message.Result = 0; return true;
    case EasyEmCanPaste: Message.Result = (WParamInt == 0 || WParamInt == 1) && CanPaste() ? 1 : 0; return true;
    case EasyEmGetSelText:
      Message.Result = SelType != slNone ? CopyOut(GetSelText(), reinterpret_cast<char*>(Message.LParam)) : 0;
      return true;
    case EasyEmHideSelection: SetHideSelection(Message.WParam != 0); Message.Result = 0; return true;
    case EasyEmGetTextRange: {
      auto* Range = reinterpret_cast<TEasyTextRange*>(Message.LParam);
      if (Range == nullptr) {
        Message.Result = 0;
        return true;
      }
      std::string Text;
      if (Range->chrg.cpMin == 0 && Range->chrg.cpMax == -1) {
        TEasyStrings* Lines = GetLines();
        for (int I = 0; I < Lines->Count(); ++I) {
          if (I > 0) {
            Text += "\r\n";
          }
          Text += Lines->Get(I);
        }
      } else {
        // The range is selected only for reading it: no repaint, and the old selection comes back as it was.
        const TRect OldRect = SelRect;
        const TEasySelType OldType = SelType;
        ++PaintLock;
        TPoint A = PosToTextPoint(Range->chrg.cpMin);
        TPoint B = PosToTextPoint(Range->chrg.cpMax < 0 ? MaxInt : Range->chrg.cpMax);
        if (B.Y < A.Y || (B.Y == A.Y && B.X < A.X)) {
          std::swap(A, B);
        }
        SelRect = Rect(A.X, A.Y, B.X, B.Y);
        SelType = slStream;
        Text = GetSelText();
        SelRect = OldRect;
        SelType = OldType;
        --PaintLock;
      }
      Message.Result = CopyOut(Text, Range->lpstrText);
      return true;
    }
    default: return false;
  }
}

// ---- formatted export ----

void TCustomEasyEdit::SaveFmtString(TCustomEasyExporter* Exporter, const std::string& Text, TObject* Obj,
                                    int Style) {
  (void)Obj;
  if (Text.empty()) {
    return;
  }
  if (!ExportAttributes) {
    ExportAttributes = std::make_unique<TCustomEasyEditorAttributes>();
  }
  TCustomEasyEditorAttributes* A = ExportAttributes.get();
  A->SetName(Font()->Name());
  A->SetSize(Font()->Size());
  TColor Back = -1;
  TFontStyles FontStyle;
  TColor Fore = -1;
  FPainter->GetFontAndColor(Style, Back, FontStyle, Fore);
  A->SetColor(Fore);
  A->SetBkColor(Back == Color() ? -1 : Back);
  A->SetStyle(FontStyle);
  Exporter->WriteString(Text, A, nullptr);
}

void TCustomEasyEdit::NewFmtLine(TCustomEasyExporter* Exporter, int Line, bool Flag) {
  (void)Line;
  Exporter->NewLine(nullptr, Flag);
}

void TCustomEasyEdit::SaveToFmtStream(TStream* Stream, bool SelectionOnly, TCustomEasyExporterClass ExporterClass) {
  TCustomEasyEditSource* Source = GetEditSource();
  const int Count = LineCount();
  if (Source->Parser() && Count > 0) {
    Source->ParseToString(Count - 1);
  }
  if (ExporterClass == nullptr || !ExporterClass->InheritsFrom(TCustomEasyExporter::StaticClass())) {
    throw Exception("The exporter class is not an exporter");
  }
  TEasyExporterArgs Args(Stream, Font());
  std::unique_ptr<TCustomEasyExporter> Exporter(static_cast<TCustomEasyExporter*>(ExporterClass->NewInstance(&Args)));
  if (!Exporter) {
    throw Exception("The exporter class is not an exporter");
  }
  Exporter->FileName = Source->FileName;
  TEasyStrings* Lines = GetLines();
  bool First = true;
  auto ExportLine = [&](int Line, int From, int To, bool LastOfSelection) {
    const int FromIndex = GetRealChar(Line, From - 1) + 1;
    const int ToIndex = To == MaxInt ? MaxInt : GetRealChar(Line, To - 1) + 1;
    if (To == MaxInt || !First) {
      NewFmtLine(Exporter.get(), Line, !(LastOfSelection && To == 1));
    }
    First = false;
    const std::string& Text = Lines->GetStrRef(Line);
    const int Length = static_cast<int>(Text.size());
    const int End = ToIndex == MaxInt ? Length + 1 : std::min(ToIndex, Length + 1);
    int I = FromIndex;
    while (I < End) {
      if (Text[static_cast<std::size_t>(I - 1)] == '\x01') {
        SaveFmtObject(Exporter.get(), Lines->GetData(Line, I));
        ++I;
        continue;
      }
      const int Style = Lines->GetData(Line, I);
      int J = I + 1;
      while (J < End && Text[static_cast<std::size_t>(J - 1)] != '\x01' && Lines->GetData(Line, J) == Style) {
        ++J;
      }
      SaveFmtString(Exporter.get(), Text.substr(static_cast<std::size_t>(I - 1), static_cast<std::size_t>(J - I)),
                    nullptr, Style == 0xFFFF ? -1 : Style);
      I = J;
    }
  };
  if (SelectionOnly) {
    if (SelType == slStream) {
      const TRect R = SelRect;
      for (int L = R.Top; L <= R.Bottom && L < Count; ++L) {
        ExportLine(L, L == R.Top ? R.Left + 1 : 1, L == R.Bottom ? R.Right + 1 : MaxInt, L == R.Bottom);
      }
    }
  } else {
    Exporter->OnProgress = OnFileSave;
    Exporter->LineCount = Count;
    for (int L = 0; L < Count; ++L) {
      ExportLine(L, 1, MaxInt, false);
      if ((L & 4095) == 4095) {
        Exporter->Progress(L + 1, Count);
      }
    }
    Exporter->Progress(Count, Count);
  }
  Exporter->Flush();
}

void TCustomEasyEdit::SaveToFmtFile(const std::string& FileName, TCustomEasyExporterClass ExporterClass) {
  TFileStream File(FileName, fmCreate);
  GetEditSource()->FileName = FileName;
  SaveToFmtStream(&File, false, ExporterClass);
}
