// The code editor control's export of styled text through an exporter and its import through an importer.
#include "codeeditor/Vuvudiexport.h"

#include "codeeditor/Vuvudirich.h"
#include "platform/classes/StringList.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace Vuvudi {

namespace {
using Dcexport::ZEZExporter;

// One run's format: which parts are written and their values.
struct TRunFormat {
  const std::string* Name = nullptr;  // the font's own, which outlives the export
  Byte Charset = 0;
  Integer Size = 10;
  TColor Color = clBlack;
  TColor BackColor = clWhite;
  TFontStyles Styles;
  bool Face = false;
  bool SizeOn = false;
  bool ColorOn = false;
  bool Back = false;
};

void OpenFormat(ZEZExporter* E, const TRunFormat& F) {
  if (F.Face) {
    E->StartFontWithCharSet(*F.Name, F.Charset);
  }
  if (F.SizeOn) {
    E->StartFontSize(F.Size);
  }
  if (F.Styles.Contains(fsBold)) {
    E->StartBold();
  }
  if (F.Styles.Contains(fsItalic)) {
    E->StartItalic();
  }
  if (F.Styles.Contains(fsUnderline)) {
    E->StartUnderline();
  }
  if (F.Styles.Contains(fsStrikeOut)) {
    E->StartStrikeOut();
  }
  if (F.ColorOn) {
    E->StartColor(F.Color);
  }
  if (F.Back) {
    E->StartBackColor(F.BackColor);
  }
}

void CloseFormat(ZEZExporter* E, const TRunFormat& F) {
  if (F.Back) {
    E->FinishBackColor();
  }
  if (F.ColorOn) {
    E->FinishColor();
  }
  if (F.Styles.Contains(fsStrikeOut)) {
    E->FinishStrikeOut();
  }
  if (F.Styles.Contains(fsUnderline)) {
    E->FinishUnderline();
  }
  if (F.Styles.Contains(fsItalic)) {
    E->FinishItalic();
  }
  if (F.Styles.Contains(fsBold)) {
    E->FinishBold();
  }
  if (F.SizeOn) {
    E->FinishFontSize();
  }
  if (F.Face) {
    E->FinishFont();
  }
}

TRunFormat FormatOf(TFont* Font, TColor Back) {
  TRunFormat F;
  F.Name = &Font->Name();
  F.Charset = Font->Charset();
  F.Size = Font->Size();
  F.Color = Font->Color();
  F.BackColor = Back;
  F.Styles = Font->Style();
  return F;
}

void Write(TCustomVUVudi* Memo, ZEZExporter* E, const std::string& Text) {
  std::string S = E->TranslateString(Text);
  if (Memo->OnExportString) {
    Memo->OnExportString(Memo, S);
  }
  E->WriteString(S);
}

// The columns [Start, End) of Line that the export takes.
void LineColumns(Dcstring::TCustomMemoSource* S, Integer Line, bool SelectionOnly, const TRect& R,
                 Dcstring::TSelectionType SelType, Integer Length, Integer& Start, Integer& End) {
  Start = 0;
  End = Length;
  if (SelectionOnly) {
    if (SelType == Dcstring::stBlockSel) {
      Start = R.Left;
      End = R.Right + 1;
    } else {
      if (Line == R.Top) {
        Start = R.Left;
      }
      if (Line == R.Bottom) {
        End = R.Right;
      }
    }
  }
  (void)S;
  Start = std::clamp(Start, 0, Length);
  End = std::clamp(End, Start, Length);
}

struct TExportLine {
  std::string Text;
  std::string Codes;
};

TExportLine LineOf(Dcstring::TCustomMemoSource* S, Integer Line, bool Tabs, bool SelectionOnly, const TRect& R,
                   Dcstring::TSelectionType SelType, bool WithCodes) {
  TExportLine L;
  const std::string Raw = S->GetStringItem(Line)->Text;
  std::string Text = Tabs ? Raw : S->ExpandTabString(Raw);
  std::string Codes;
  if (WithCodes) {
    Codes = Tabs ? S->GetColorData(Line) : S->GetStoredColorData(Line);
    Codes.resize(Text.size(), '\0');
  }
  TRect Cols = R;
  if (Tabs && SelectionOnly) {
    // Selection columns are display columns: positions in the stored text.
    Cols.Left = S->GetRealTabIndex(Raw, R.Left);
    Cols.Right = S->GetRealTabIndex(Raw, R.Right + (SelType == Dcstring::stBlockSel ? 1 : 0)) -
                 (SelType == Dcstring::stBlockSel ? 1 : 0);
  }
  Integer Start = 0;
  Integer End = 0;
  LineColumns(S, Line, SelectionOnly, Cols, SelType, static_cast<Integer>(Text.size()), Start, End);
  L.Text = Text.substr(static_cast<std::size_t>(Start), static_cast<std::size_t>(End - Start));
  if (WithCodes) {
    L.Codes = Codes.substr(static_cast<std::size_t>(Start), static_cast<std::size_t>(End - Start));
  }
  return L;
}
}  // namespace

void ExportToEx(TCustomVUVudi* Memo, ZEZExporter* Exporter, bool SelectionOnly) {
  Dcstring::TCustomMemoSource* S = Memo->GetSource();
  const bool Tabs = Exporter->UseTabCharacter();
  const std::string Title = !S->ObjectName().empty() ? S->ObjectName() : S->Name();
  Exporter->StartDocument(Title);
  Exporter->StartBackground(Memo->Color());
  const bool Painted = Memo->NeedSyntaxPaint();
  TRunFormat Opening = FormatOf(Memo->Font(), Memo->Color());
  Opening.Face = Opening.SizeOn = Opening.ColorOn = true;
  if (Painted) {
    Opening.Styles = TFontStyles{};
  }
  OpenFormat(Exporter, Opening);
  try {
    const Dcstring::TSelectionType SelType = S->SelectionType();
    const TRect R = S->GetSelectionRect();
    const bool HasSel = SelType != Dcstring::stNotSelected;
    Integer First = 0;
    Integer Last = S->GetStrCount() - 1;
    if (SelectionOnly) {
      First = HasSel ? std::max(R.Top, 0) : 0;
      Last = HasSel ? std::min(R.Bottom, Last) : -1;
    }
    const bool LinkStyle = S->HighlightUrls() && !Painted;
    // Styles do not change while the text is written: each style's format and each pair's equality is asked once.
    std::vector<std::unique_ptr<TRunFormat>> Formats(256);
    std::vector<signed char> Equal(256 * 256, -1);
    auto FormatFor = [&](unsigned char Style) -> const TRunFormat& {
      std::unique_ptr<TRunFormat>& F = Formats[Style];
      if (!F) {
        F = std::make_unique<TRunFormat>(Style == 0 && LinkStyle ? FormatOf(Memo->Font(), Memo->Color())
                                                                  : FormatOf(Memo->GetFontFromTextStyle(Style),
                                                                             Memo->GetColorFromTextStyle(Style)));
      }
      return *F;
    };
    auto SameStyle = [&](unsigned char A, unsigned char B) {
      signed char& E = Equal[static_cast<std::size_t>(A) * 256 + B];
      if (E < 0) {
        E = Memo->EqualStyles(A, B, false) ? 1 : 0;
      }
      return E == 1;
    };
    const TRunFormat MemoFormat = FormatOf(Memo->Font(), Memo->Color());
    for (Integer Line = First; Line <= Last; ++Line) {
      if (Line > First) {
        Exporter->NewLine();
      }
      const TExportLine L = LineOf(S, Line, Tabs, SelectionOnly, R, SelType, Painted);
      if (!Painted) {
        Write(Memo, Exporter, L.Text);
        continue;
      }
      const auto N = static_cast<Integer>(L.Text.size());
      TRunFormat Previous;
      for (Integer Start = 0; Start < N;) {
        const auto Style = static_cast<unsigned char>(L.Codes[static_cast<std::size_t>(Start)]);
        Integer End = Start + 1;
        while (End < N) {
          const auto Next = static_cast<unsigned char>(L.Codes[static_cast<std::size_t>(End)]);
          if (Next != Style && !SameStyle(Style, Next)) {
            break;
          }
          ++End;
        }
        TRunFormat F = FormatFor(Style);
        const bool FirstRun = Start == 0;
        F.Face = FirstRun || *F.Name != *Previous.Name || *F.Name != *MemoFormat.Name;
        F.SizeOn = FirstRun || F.Size != Previous.Size || F.Size != MemoFormat.Size;
        F.ColorOn = FirstRun || F.Color != Previous.Color || F.Color != MemoFormat.Color;
        F.Back = F.BackColor != MemoFormat.BackColor;
        OpenFormat(Exporter, F);
        Write(Memo, Exporter, L.Text.substr(static_cast<std::size_t>(Start), static_cast<std::size_t>(End - Start)));
        if (End >= N) {
          while (Line < Last && S->GetStringItem(Line + 1)->Text.empty()) {
            Exporter->NewLine();
            ++Line;
          }
        }
        CloseFormat(Exporter, F);
        Previous = F;
        Start = End;
      }
    }
  } catch (...) {
    Opening.Face = Opening.SizeOn = Opening.ColorOn = true;
    CloseFormat(Exporter, Opening);
    Exporter->FinishBackground();
    Exporter->FinishDocument();
    throw;
  }
  CloseFormat(Exporter, Opening);
  Exporter->FinishBackground();
  Exporter->FinishDocument();
}

void ExportToStreamEx(TCustomVUVudi* Memo, TStream* Stream, const TExporterMaker& Maker, bool SelectionOnly) {
  const std::unique_ptr<ZEZExporter> Exporter = Maker(Stream);
  ExportToEx(Memo, Exporter.get(), SelectionOnly);
}

void ExportToFileEx(TCustomVUVudi* Memo, const std::string& FileName, const TExporterMaker& Maker, bool SelectionOnly) {
  TFileStream File(FileName, fmCreate);
  ExportToStreamEx(Memo, &File, Maker, SelectionOnly);
}

namespace {
std::unique_ptr<ZEZExporter> HtmlMaker(TStream* S) { return std::make_unique<Dcexport::TDCHTMLExporter>(S); }
std::unique_ptr<ZEZExporter> RtfMaker(TStream* S) { return std::make_unique<Dcexport::TDCRTFExporter>(S); }
std::unique_ptr<Dcexport::ZEZImporter> HtmlImporter() { return std::make_unique<Dcexport::TDCHTMLImporter>(); }
std::unique_ptr<Dcexport::ZEZImporter> RtfImporter() { return std::make_unique<Dcexport::ZEZRtfImporter>(); }
}  // namespace

void ExportToHtmlStreamEx(TCustomVUVudi* M, TStream* S, bool Sel) { ExportToStreamEx(M, S, &HtmlMaker, Sel); }
void ExportToHtmlFileEx(TCustomVUVudi* M, const std::string& F, bool Sel) { ExportToFileEx(M, F, &HtmlMaker, Sel); }
void ExportToRtfStreamEx(TCustomVUVudi* M, TStream* S, bool Sel) { ExportToStreamEx(M, S, &RtfMaker, Sel); }
void ExportToRtfFileEx(TCustomVUVudi* M, const std::string& F, bool Sel) { ExportToFileEx(M, F, &RtfMaker, Sel); }

// ---- import ----

namespace {
bool SameFontIgnoringColour(TFont* A, TFont* B) {
  return A->Name() == B->Name() && A->Size() == B->Size() && A->Charset() == B->Charset() && A->Pitch() == B->Pitch() &&
         A->Style() == B->Style();
}

bool ColumnPaste(Dcstring::TCustomMemoSource* S) {
  return S->BlockOption() != Dcstring::bkStreamSel && S->BlockOption() != Dcstring::bkNone &&
         Dcstring::TCustomMemoSource::ClipSelType != 0;
}

// One imported run at the caret.
void ImportText(TCustomVUVudi* Memo, Integer PasteColumn, const std::string& Text, TFont* Font, TColor Color) {
  Dcstring::TCustomMemoSource* S = Memo->GetSource();
  if (Text == "\r\n") {
    if (ColumnPaste(S)) {
      if (S->GetCurLine() >= S->GetStrCount() - 1) {
        const Integer Line = S->GetCurLine();
        S->JumpTo(static_cast<Integer>(S->GetDisplay(Line).size()), Line);
        S->BreakLine();
        S->GetStringItem(S->GetCurLine())->ColorData.clear();
        S->JumpTo(PasteColumn, S->GetCurLine());
      } else {
        S->JumpTo(PasteColumn, S->GetCurLine() + 1);
      }
    } else {
      const Integer Line = S->GetCurLine();
      S->BreakLine();
      S->JumpTo(0, Line + 1);
      S->SetSelection(Dcstring::stStreamSel, 0, S->GetCurLine(), 0, S->GetCurLine());
    }
    S->ClearSelection();
    return;
  }
  const Integer Line = S->GetCurLine();
  const Integer Col = S->GetCurChar();
  if (Text == "\t") {
    S->PressTab();
    S->SetSelection(Dcstring::stStreamSel, Col, Line, S->GetCurChar(), Line);
  } else {
    (void)S->Insert(Text);
    S->JumpTo(Col, Line);
    const Integer End = Col + static_cast<Integer>(Text.size());
    S->SetSelection(Dcstring::stStreamSel, Col, Line, End, Line);
    S->JumpTo(End, Line);
  }
  const Integer Attr = S->GetAttr(TPoint{Col + 1, Line});
  // Text in the control's own font, colour and background stays plain; a run whose only difference is its text
  // colour must still take that colour.
  const bool Plain = Attr == 0 && SameFontIgnoringColour(Font, Memo->Font()) &&
                     Font->Color() == Memo->Font()->Color() &&
                     (Color == Memo->Color() || Color == static_cast<TColor>(-1));
  if (!Plain) {
    if (TMemoAttributes* Sel = GetSelAttributes(Memo)) {
      Sel->BeginUpdate();
      Sel->Assign(Font);
      Sel->SetBkColor(Color == static_cast<TColor>(-1) ? Memo->Color() : Color);
      Sel->EndUpdate();
      Sel->AssignMemoFont();
    }
  }
  S->ClearSelection();
}

std::string ReadAll(TStream* Stream) {
  std::string Text(static_cast<std::size_t>(Stream->Size()), '\0');
  Stream->SetPosition(0);
  if (!Text.empty()) {
    Stream->ReadBuffer(Text.data(), static_cast<LongInt>(Text.size()));
  }
  return Text;
}
}  // namespace

void PasteFromImportStream(TCustomVUVudi* Memo, TStream* Stream, const TImporterMaker& Maker) {
  if (Stream->Size() == 0) {
    return;
  }
  Dcstring::TCustomMemoSource* S = Memo->GetSource();
  const std::string Text = ReadAll(Stream);
  const std::unique_ptr<Dcexport::ZEZImporter> Importer = Maker();
  Stream->SetPosition(0);
  if (!Importer->IsValidStream(Stream)) {
    TStringList Lines;
    Lines.SetText(Text);
    S->InsertStrings(&Lines, ColumnPaste(S));
    S->ClearSelection();
    return;
  }
  S->BeginUpdate(Dcstring::Reason::ImportPaste);
  try {
    const Integer PasteColumn = S->GetCurChar();
    if (S->BlockOption() == Dcstring::bkStreamSel || S->BlockOption() == Dcstring::bkNone) {
      Dcstring::TCustomMemoSource::SetClipSelToStream();
    }
    S->ImportFlag = true;
    (void)GetSelAttributes(Memo);
    Importer->OnParseText = [Memo, PasteColumn](TObject*, const std::string& Run, TFont* Font, TColor Color) {
      ImportText(Memo, PasteColumn, Run, Font, Color);
    };
    Importer->ParseText(Text);
  } catch (...) {
    S->ImportFlag = false;
    S->EndUpdate();
    throw;
  }
  S->ImportFlag = false;
  S->EndUpdate();
}

void PasteFromHtmlStream(TCustomVUVudi* M, TStream* S) { PasteFromImportStream(M, S, &HtmlImporter); }
void PasteFromRtfStream(TCustomVUVudi* M, TStream* S) { PasteFromImportStream(M, S, &RtfImporter); }

void PasteFromHtmlFile(TCustomVUVudi* Memo, const std::string& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  PasteFromHtmlStream(Memo, &File);
}

void PasteFromRtfFile(TCustomVUVudi* Memo, const std::string& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  PasteFromRtfStream(Memo, &File);
}

namespace {
void LoadFromImportStream(TCustomVUVudi* Memo, TStream* Stream, const TImporterMaker& Maker) {
  Dcstring::TCustomMemoSource* S = Memo->GetSource();
  const bool Undo = S->AllowUndo();
  S->SetAllowUndo(false);
  S->BeginUpdate(Dcstring::Reason::ImportPaste);
  auto Done = [&] {
    S->SetAllowUndo(Undo);
    S->EndUpdate();
    S->SetModified(false);
  };
  try {
    S->Clear();
    if (auto* P = dynamic_cast<TAttributeParser*>(S->SyntaxParser())) {
      P->ClearStyles();
    }
    PasteFromImportStream(Memo, Stream, Maker);
    S->JumpTo(0, 0);
    S->ClearUndoBuffer();
  } catch (...) {
    Done();
    throw;
  }
  Done();
}
}  // namespace

void LoadFromHtmlStream(TCustomVUVudi* M, TStream* S) { LoadFromImportStream(M, S, &HtmlImporter); }
void LoadFromRtfStream(TCustomVUVudi* M, TStream* S) { LoadFromImportStream(M, S, &RtfImporter); }

void LoadFromHtmlFile(TCustomVUVudi* Memo, const std::string& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromHtmlStream(Memo, &File);
}

void LoadFromRtfFile(TCustomVUVudi* Memo, const std::string& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromRtfStream(Memo, &File);
}

}  // namespace Vuvudi
