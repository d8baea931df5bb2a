// The editor's paint pass: the damaged rectangle's regions, the gutter with its images and line numbers, the
// text rows through the painter, the right margin, formatting marks and the scroll-by-blit optimisation.
#include "editor/Easyeditor.h"

#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int MaxInt = EasyMaxInt;
}

void TCustomEasyEdit::Paint() {
  if (PaintLock > 0) {
    return;
  }
  TRect R = Canvas()->ClipRect();
  if (PaintSinglePage && PaintPageIndex >= 0 && PaintPageIndex < FPages->Count()) {
    const TRect Real = FPages->Page(PaintPageIndex)->GetRealPageRect();
    R = Rect(Real.Left - FWindowChar, Real.Top - FWindowLine, Real.Right - FWindowChar, Real.Bottom - FWindowLine);
  }
  LastPaintedRect = R;
  Canvas()->SetFont(Font());
  FPainter->Canvas = Canvas();
  FPainter->Transparent = FBackground->NeedPaint();
  PaintRect(R);
  FPainter->Transparent = false;
}

void TCustomEasyEdit::PaintRect(TRect R) {
  Canvas()->Brush()->SetColor(GetEditorColor());
  Canvas()->Brush()->SetStyle(bsSolid);
  if (FPainter->Transparent) {
    DoFillRect(R);
  }
  InitPainter(R);
  HDC ClipDC = Canvas()->Handle();
  const int SavedClip = SaveDC(ClipDC);
  const int LeftRuler = GetLeftRulerIndent();
  const int TopRuler = GetTopRulerIndent();
  if (LeftRuler != 0 || TopRuler != 0) {
    IntersectClipRect(ClipDC, LeftRuler, TopRuler, ClientWidth(), ClientHeight());
  }
  if (NeedPages()) {
    PaintPages(R);
  }
  const int LeftIndent = GetLeftIndent();
  if (!PageLayout() && LeftIndent != 0) {
    PaintGutter(Rect(GetLeftRulerIndent(), R.Top, LeftIndent, R.Bottom));
  }
  for (int I = 0; I < FPainter->RecordCount(); ++I) {
    TCustomPainterRecord* Rec = FPainter->Record(I);
    PaintGutterContent(Rec->Rect, Rec->PageIndex, Rec->FirstVisibleLine, Rec->FirstVisibleChar, Rec->GutterOffset);
  }
  const int CharW = FPainter->GetDefaultCharWidth();
  TEasyStrings* Lines = GetLines();
  TCustomEasyEditSource* Source = GetEditSource();
  const bool Marks = FOptions.Contains(eoPaintFormattingMarks);
  const char EolMark = Marks ? GetFmtMark(fmEol) : 0;
  const char EofMark = Marks ? GetFmtMark(fmEof) : 0;
  for (int I = 0; I < FPainter->RecordCount(); ++I) {
    TCustomPainterRecord* Rec = FPainter->Record(I);
    FPainter->CurrentRecord = Rec;
    TEasyPage* RecPage = PageLayout() ? FPages->Page(Rec->PageIndex) : nullptr;
    if (FOptions.Contains(eoPaintMargin)) {
      MarginX = RecPage != nullptr
                    ? CharW * FMargin->Position() + LeftIndent + Rec->GutterOffset + RecPage->LeftIndent() - FWindowChar
                    : CharW * (FMargin->Position() - FWindowChar) + LeftIndent;
    }
    if (Rec->Rect.Right > Rec->Rect.Left && Rec->Rect.Bottom > Rec->Rect.Top) {
      const int SavedRow = SaveDC(ClipDC);
      if (PageLayout() || LeftIndent != 0 || LeftRuler != 0 || TopRuler != 0) {
        IntersectClipRect(ClipDC, PageLayout() ? LeftRuler : LeftIndent, std::max(Rec->Rect.Top, TopRuler),
                          Rec->Rect.Right, Rec->Rect.Bottom);
      }
      TRect Row = Rec->Rect;
      if (Rec->VisibleRect.Right > Rec->VisibleRect.Left && Rec->VisibleRect.Bottom > Rec->VisibleRect.Top) {
        const int Rows = (Rec->VisibleRect.Bottom - Row.Top) / std::max(FPainter->GetDefaultLineHeight(), 1) + 1;
        if (Source->Parser() || Source->NeedSpell() || Source->Options().Contains(srHighlightUrls)) {
          // In wrapped text the record starts at a display row: lex up to the line of the last row shown.
          Source->ParseToString(FWordWrap ? FWrapList->WrapPointToPoint(TPoint{0, Rec->FirstVisibleLine + Rows}).Y
                                          : Rec->FirstVisibleLine + Rows);
        }
        int Line = Rec->FirstVisibleLine;
        const int Count = Lines->Count();
        if (FWordWrap) {
          // FirstVisibleLine is a display row here: each row paints its part of its line.
          int Index = Line;
          while (Row.Top < Rec->VisibleRect.Bottom) {
            FWrapList->CheckWrapUpdated(Index, true);
            if (Index < 0 || Index >= FWrapList->Count()) {
              break;
            }
            const TEasyWrapRow WR = FWrapList->Row(Index);
            const std::string& Whole = Lines->GetStrRef(WR.Line);
            const int From = std::min(WR.StartChar, static_cast<int>(Whole.size()));
            const int To = WR.EndChar == MaxInt ? static_cast<int>(Whole.size())
                                                 : std::min(WR.EndChar, static_cast<int>(Whole.size()));
            std::string Text = Source->NeedTabs() ? Lines->Get(WR.Line) : Whole;
            Text = Text.substr(static_cast<std::size_t>(std::min(From, static_cast<int>(Text.size()))),
                               static_cast<std::size_t>(std::max(To - From, 0)));
            std::string MarkText;
            if (Marks) {
              const std::string AllMarks = GetFmtString(WR.Line);
              if (static_cast<int>(AllMarks.size()) > From) {
                MarkText = AllMarks.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From + 1));
              }
              if (EolMark != 0 && WR.EndChar == MaxInt) {
                Text += ' ';
              }
            }
            if (FPainter->PaintLine(From, WR.Line, Text, MarkText, Row, WR.EndChar == MaxInt ? EolMark : 0) <= 0) {
              break;
            }
            ++Index;
          }
          Line = Count;
        }
        while (Row.Top < Rec->VisibleRect.Bottom && Line < Count) {
          if (InvisibleLines() && !Lines->GetLineVisible(Line)) {
            ++Line;
            continue;
          }
          std::string Text = Lines->Get(Line);
          std::string MarkText;
          if (Marks) {
            MarkText = GetFmtString(Line);
            if (EolMark != 0) {
              Text += ' ';
            }
          }
          const int Start = Line == Rec->FirstVisibleLine ? Rec->FirstVisibleChar : 0;
          const int H = FPainter->PaintLine(Start, Line, Text, MarkText, Row, EolMark);
          if (H <= 0) {
            break;
          }
          ++Line;
        }
        if (Line >= Count && Marks && EofMark != 0 && Row.Top < Rec->VisibleRect.Bottom) {
          FPainter->PaintLine(0, Count, " ", std::string(1, EofMark), Row, 0);
        }
      }
      if (Row.Top < Rec->VisibleRect.Bottom) {
        DoFillRect(Rect(Rec->Rect.Left, Row.Top, Rec->Rect.Right, Rec->VisibleRect.Bottom));
      }
      RestoreDC(ClipDC, SavedRow);
    }
    PaintPageBreak(Rec->PageIndex, Rec->PageTextRect.Bottom - 1);
    if (RecPage != nullptr) {
      TRect Outer = RecPage->PageOuterRect(false);
      PaintPageNumber(Rec->PageIndex,
                      Rect(Rec->PageTextRect.Left - RecPage->LeftIndent(), Outer.Top, Outer.Right, Outer.Bottom));
      if (FOptions.Contains(eoPaintMargin) && MarginX + FWindowChar < Outer.Width()) {
        PaintMargin(Outer.Top, Outer.Bottom);
      }
    } else if (FOptions.Contains(eoPaintMargin) && MarginX > LeftIndent) {
      PaintMargin(0, ClientHeight());
    }
  }
  FPainter->CurrentRecord = nullptr;
  RestoreDC(ClipDC, SavedClip);
}

void TCustomEasyEdit::InitPainter(const TRect& R) {
  TCustomEasyEditSource* Source = GetEditSource();
  FPainter->LiveSpell = Source->NeedSpell();
  FPainter->HighlightUrls = Source->Options().Contains(srHighlightUrls);
  FPainter->ClearRecords();
  FirstPaintPage = LastPaintPage = 0;
  if (NeedPages() && FPages->Count() > 0) {
    InitPagedPainter(R);
    return;
  }
  const int LeftIndent = GetLeftIndent();
  const int TopIndent = GetTopIndent();
  // Normal display: one region whose column 0 lies WindowChar cells left of the text area and whose first row
  // is the top row of the view.
  const TRect Page = Rect(LeftIndent - FPainter->GetOffsetFromChar(FWindowChar), TopIndent, ClientWidth(),
                          ClientHeight());
  TRect Paint = R;
  Paint.Left = std::max(Paint.Left, LeftIndent);
  Paint.Right = std::max(Paint.Right, LeftIndent + 1);
  Paint.Top = std::max(Paint.Top, TopIndent);
  auto Intersect = [](const TRect& A, const TRect& B) {
    TRect I = Rect(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                   std::min(A.Bottom, B.Bottom));
    if (I.Right < I.Left || I.Bottom < I.Top) {
      I = TRect{0, 0, 0, 0};
    }
    return I;
  };
  TCustomPainterRecord* Rec = FPainter->NewPainterRecord();
  Rec->PageIndex = 0;
  Rec->Rect = Intersect(Paint, Page);
  Rec->VisibleRect = Intersect(Page, Paint);
  Rec->PageTextRect = Page;
  Rec->PageFirstLine = FWindowLine;
  Rec->PageFirstChar = 0;
  Rec->GutterOffset = 0;
  FPainter->InitPainterRecord(Rec);
  FPainter->AddRecord(Rec);
}

bool TCustomEasyEdit::NeedPaintGutterBrush() {
  return !FLineNumbers->Visible() || !FLineNumbers->Options().Contains(lnPaintOnGutter) ||
         FGutter->Brush()->Style() != bsSolid || FGutter->Background()->NeedPaint();
}

void TCustomEasyEdit::PaintGutter(TRect R) {
  if (FOptions.Contains(eoPaintGutter)) {
    const int Width = FGutter->GetWidth();
    R.Right = std::min(R.Right, R.Left + Width - 2);
    const TRect Edge = Rect(R.Left, R.Top, R.Left + Width - 2, R.Bottom);
    if (!NeedPaintGutterBrush()) {
      PaintGutterLine(Canvas(), Edge, R.Left + Width - 2, FGutter->BackColor(), FGutter->Pen());
    } else if (FGutter->Background()->NeedPaint()) {
      const TRect Band = Rect(R.Left, R.Top, R.Right + 2, R.Bottom);
      Canvas()->CopyRect(Band, FGutter->Background()->WorkBitmap()->Canvas(), Band);
    } else {
      TBrush* Old = new TBrush();
      Old->Assign(Canvas()->Brush());
      Canvas()->Brush()->Assign(FGutter->Brush());
      Canvas()->FillRect(R);
      Canvas()->Brush()->Assign(Old);
      delete Old;
      PaintGutterLine(Canvas(), Edge, R.Left + Width - 2, FGutter->BackColor(), FGutter->Pen());
    }
    R.Right += 2;
  } else {
    R.Right = R.Left;
  }
  if (FLineNumbers->Visible() && !FLineNumbers->Options().Contains(lnPaintOnGutter)) {
    R.Right += LineNumberWidth;
  }
  if (FGutter->Indent() != 0) {
    Canvas()->Brush()->SetColor(GetEditorColor());
    Canvas()->FillRect(Rect(R.Right, R.Top, R.Right + FGutter->Indent(), R.Bottom));
  }
}

void TCustomEasyEdit::PaintGutterContent(const TRect& R, int PageIndex, int FirstLine, int FirstChar,
                                         int GutterOffset) {
  (void)FirstChar;
  const int Offset = PageLayout() ? GutterOffset - FWindowChar : GutterOffset + GetLeftRulerIndent();
  const int H = FPainter->GetDefaultLineHeight();
  TEasyStrings* Lines = GetLines();
  TCustomEasyEditSource* Source = GetEditSource();
  const bool Numbers = FLineNumbers->Visible();
  const bool OnGutter = FLineNumbers->Options().Contains(lnPaintOnGutter);
  const int GutterWidth = FGutter->GetWidth();
  const int NumberLeft = OnGutter ? Offset : Offset + GutterWidth;
  const int NumberRight = OnGutter ? Offset + GutterWidth - 2 : NumberLeft + LineNumberWidth;
  const bool BeyondEof = FLineNumbers->Options().Contains(lnPaintBeyondEof);
  const int Count = Lines->Count();
  if (PageLayout() && PageIndex >= 0 && PageIndex < FPages->Count() &&
      (!NeedPaintGutterBrush() || (Numbers && !OnGutter))) {
    // The rows fill the gutter column (or the number column beside it) only along the text: above and below it
    // the column runs on over the sheet's full height in one colour.
    const TRect Outer = FPages->Page(PageIndex)->PageOuterRect(false);
    const bool Gutter = !NeedPaintGutterBrush();
    const TRect Column = Gutter ? Rect(Offset, Outer.Top, Offset + GutterWidth - 2, Outer.Bottom)
                                : Rect(NumberLeft, Outer.Top, NumberRight, Outer.Bottom);
    PaintBoundsRect(Column, Rect(Column.Left, R.Top, Column.Right, R.Bottom),
                    Gutter ? FGutter->Brush()->Color() : Color());
  }
  // The rows paint their own numbers; the column below the last one is cleared, so that no number of a longer
  // text shown before stays on the screen.
  auto ClearNumbersBelow = [&](int From) {
    if (Numbers && !OnGutter && !PageLayout() && From < R.Bottom) {
      Canvas()->Brush()->SetColor(FLineNumbers->BackColor());
      Canvas()->FillRect(Rect(NumberLeft, From, NumberRight, R.Bottom));
    }
  };
  int Top = R.Top;
  int Line = FirstLine;
  if (FWordWrap) {
    // FirstLine is a display row: the number and line images go on a line's first row, wrap marks on the others.
    for (int Index = FirstLine; Top < R.Bottom; ++Index, Top += H) {
      FWrapList->CheckWrapUpdated(Index, true);
      if (Index < 0 || Index >= FWrapList->Count()) {
        break;
      }
      const TEasyWrapRow WR = FWrapList->Row(Index);
      if (Numbers) {
        PaintLineNumber(Rect(NumberLeft, Top, NumberRight, Top + H), WR.StartChar, WR.Line);
      }
      PaintGutterImage(WR.StartChar, WR.EndChar, 0, false, Rect(Offset, Top, Offset + GutterWidth, Top + H),
                       Source->GetLineStyle(WR.Line), Offset, WR.Line);
    }
    ClearNumbersBelow(Top);
    return;
  }
  while (Top < R.Bottom) {
    if (Line >= Count && !(Numbers && BeyondEof)) {
      break;
    }
    if (Line < Count && InvisibleLines() && !Lines->GetLineVisible(Line)) {
      ++Line;
      continue;
    }
    const TRect Row = Rect(NumberLeft, Top, NumberRight, Top + H);
    if (Numbers) {
      PaintLineNumber(Row, 0, Line);
    }
    if (Line < Count) {
      if (InvisibleLines() && !FOptions.Contains(eoCollapseButtonOnGutter)) {
        Canvas()->Brush()->SetColor(GetEditorColor());
        Canvas()->FillRect(Rect(Offset, Top, Offset + FGutter->Images()->Width(), Top + H));
      }
      PaintGutterImage(0, MaxInt, 0, false, Rect(Offset, Top, Offset + GutterWidth, Top + H),
                       Source->GetLineStyle(Line), Offset, Line);
    }
    Top += H;
    ++Line;
  }
  ClearNumbersBelow(Top);
}

int TCustomEasyEdit::PaintGutterImage(int RowStart, int RowEnd, int HitX, bool HitTest, const TRect& R,
                                      int LineStyle, int X, int Line) {
  TImageList* Images = FGutter->Images();
  const int ImgW = Images->Width();
  const int ImgH = Images->Height();
  const int H = FPainter->GetDefaultLineHeight();
  const int GutterRight = R.Left + FGutter->GetWidth() - 2;
  const int Y = R.Top + (ImgH < H ? (H - ImgH) / 2 : 0);
  auto Place = [&](int Index, bool Advance, bool Always) -> bool {
    if (Index < 0 || Index >= Images->Count()) {
      return false;
    }
    if (HitTest) {
      if (HitX >= X && HitX <= X + ImgW) {
        return true;
      }
    } else if (Always || X + 2 + ImgW <= GutterRight) {
      Images->Draw(Canvas(), X + 2, Y, Index);
    }
    if (Advance) {
      X += ImgW;
    }
    return false;
  };
  TEasyStrings* Lines = GetLines();
  if (RowStart == 0 && InvisibleLines()) {
    const int Index = Lines->GetCollapsed(Line) ? 12 : (Lines->GetExpanded(Line) ? 13 : -1);
    if (Index >= 0) {
      const bool OnGutter = FOptions.Contains(eoCollapseButtonOnGutter) && FOptions.Contains(eoPaintGutter);
      if (Place(Index, OnGutter, !OnGutter)) {
        return Index;
      }
    }
  }
  if (!FOptions.Contains(eoPaintGutter)) {
    return -1;
  }
  if (RowStart == 0 && LineStyle >= 0 && LineStyle < FLineStyles->Count()) {
    const int Image = FLineStyles->GetItem(LineStyle)->ImageIndex();
    if (Image >= 0 && Place(Image, true, false)) {
      return Image;
    }
  }
  TEasyBookMarkList* Marks = GetEditSource()->BookMarks();
  int Index = 0;
  if (Marks->FindByKey(Line, Index)) {
    while (Index > 0 && Marks->Mark(Index - 1)->Line == Line) {
      --Index;
    }
    for (; Index < Marks->Count() && Marks->Mark(Index)->Line == Line; ++Index) {
      const TEasyBookMark* M = Marks->Mark(Index);
      if (M->Char >= RowStart && M->Char < RowEnd && M->Number < Images->Count()) {
        if (Place(M->Number, true, false)) {
          return M->Number;
        }
        break;
      }
    }
  }
  if (FOptions.Contains(eoPaintWrapBookmark) && FWordWrap && RowEnd != MaxInt &&
      !(RowStart == 0 && FLineNumbers->Visible() && FLineNumbers->Options().Contains(lnPaintOnGutter))) {
    if (Place(10, true, false)) {
      return 10;
    }
  }
  return -1;
}

void TCustomEasyEdit::PaintLineNumber(const TRect& R, int RowStart, int Line) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) {
    return;
  }
  const bool OnGutter = FLineNumbers->Options().Contains(lnPaintOnGutter);
  if (OnGutter && !FOptions.Contains(eoPaintGutter)) {
    return;
  }
  std::string Text;
  if (RowStart == 0 && (Line < LineCount() || FLineNumbers->Options().Contains(lnPaintBeyondEof))) {
    Text = std::to_string(Line + FLineNumbers->StartFrom());
    const std::size_t Digits = static_cast<std::size_t>(std::max(LineNumberDigits, 0));
    if (Text.size() < Digits) {
      const std::string Pad(Digits - Text.size(), ' ');
      Text = FLineNumbers->Alignment() == lnLeft ? Text + Pad : Pad + Text;
    }
  }
  HDC DC = Canvas()->Handle();
  const bool Transparent = NeedPaintGutterBrush() && OnGutter;
  const TColor Back = OnGutter ? FGutter->Brush()->Color() : FLineNumbers->BackColor();
  const COLORREF OldText = SetTextColor(DC, ColorToRGB(FLineNumbers->Color()));
  const COLORREF OldBack = SetBkColor(DC, ColorToRGB(Back));
  const int OldMode = SetBkMode(DC, Transparent ? TRANSPARENT : OPAQUE);
  const UINT Flags = ETO_CLIPPED | (Transparent ? 0 : ETO_OPAQUE);
  HGDIOBJ OldFont = SelectObject(DC, Font()->Handle());
  ExtTextOut(DC, R.Left + FLineNumbers->LeftIndent(), R.Top, Flags, &R, Text.data(),
             static_cast<UINT>(Text.size()), nullptr);
  SelectObject(DC, OldFont);
  SetTextColor(DC, OldText);
  SetBkColor(DC, OldBack);
  SetBkMode(DC, OldMode);
}

void TCustomEasyEdit::PaintMargin(int Top, int Bottom) {
  TPen* Pen = Canvas()->Pen();
  const TColor OldColor = Pen->Color();
  const int OldWidth = Pen->Width();
  const TPenStyle OldStyle = Pen->Style();
  Pen->Assign(FMargin->Pen());
  Canvas()->MoveTo(MarginX, Top);
  Canvas()->LineTo(MarginX, Bottom);
  Pen->SetColor(OldColor);
  Pen->SetWidth(OldWidth);
  Pen->SetStyle(OldStyle);
}

void TCustomEasyEdit::PaintBoundsRect(const TRect& Outer, const TRect& Inner, TColor Color) {
  PaintBoundingRect(Canvas(), Outer, Inner, Color);
}

void TCustomEasyEdit::DoFillRect(const TRect& R) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) {
    return;
  }
  if (FBackground->NeedPaint()) {
    Canvas()->CopyRect(R, FBackground->WorkBitmap()->Canvas(), R);
  } else {
    Canvas()->Brush()->SetColor(GetEditorColor());
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(R);
  }
}

void TCustomEasyEdit::PaintBackground() {
  if (FBackground->NeedPaint()) {
    FBackground->Paint();
  }
  if (FGutter->Background()->NeedPaint()) {
    FGutter->Background()->Paint();
  }
}

char TCustomEasyEdit::GetFmtMark(TEasyFormattingMark Mark) {
  static const char Defaults[4] = {static_cast<char>(183), static_cast<char>(187), static_cast<char>(182), '_'};
  char C = Defaults[Mark];
  if (OnGetFormattingMark) {
    OnGetFormattingMark(this, Mark, C);
  }
  return C;
}

std::string TCustomEasyEdit::GetFmtString(int Line) {
  TCustomEasyEditSource* Source = GetEditSource();
  const bool Tabs = Source->NeedTabs();
  std::string S = Tabs ? Source->Strings()->GetStr(Line) : Source->Strings()->Get(Line);
  const char SpaceMark = GetFmtMark(fmSpace);
  const char TabMark = Tabs ? GetFmtMark(fmTab) : 0;
  const char EolMark = GetFmtMark(fmEol);
  if (SpaceMark != 0 || TabMark != 0) {
    std::string Out;
    Out.reserve(S.size());
    for (char C : S) {
      if (C == '\t') {
        const int Col = static_cast<int>(Out.size());
        const int N = Source->TabStopList()->Get(Col) - Col;
        const std::size_t Begin = Out.size();
        Out.append(static_cast<std::size_t>(N), SpaceMark != 0 ? SpaceMark : ' ');
        if (TabMark != 0) {
          Out[Begin + static_cast<std::size_t>(std::max(N / 2 - 1, 0))] = TabMark;
        }
      } else if (C == ' ' && SpaceMark != 0) {
        Out += SpaceMark;
      } else {
        Out += C;
      }
    }
    S = std::move(Out);
  }
  if (EolMark != 0) {
    S += EolMark;
  }
  return S;
}

void TCustomEasyEdit::RepaintControl(int OldChar, int OldLine) {
  if (NoScrollRepaint || !HandleAllocated() || (OldChar == FWindowChar && OldLine == FWindowLine)) {
    return;
  }
  if (FBackground->NeedPaint()) {
    Invalidate();
    return;
  }
  const bool Vertical = OldLine != FWindowLine;
  const bool Horizontal = OldChar != FWindowChar;
  const TRect Client = ClientRect();
  int Distance = 0;
  if (Vertical) {
    int From = OldLine;
    int To = FWindowLine;
    Distance = PageLayout() ? From - To : (From - To) * FPainter->GetDefaultLineHeight();
  } else {
    Distance = PageLayout() ? OldChar - FWindowChar : FPainter->GetOffsetFromChar(OldChar - FWindowChar);
  }
  if ((Vertical && Horizontal) || (Horizontal && std::abs(Distance) >= Client.Width() / 2) ||
      (Vertical && std::abs(Distance) >= Client.Height() / 2)) {
    Invalidate();
    return;
  }
  TRect Area = Client;
  if (Vertical) {
    Area.Left = NeedPages() ? 0 : GetLeftRulerIndent();
    Area.Top = GetTopRulerIndent();
    ScrollWindowEx(Handle(), 0, Distance, &Area, &Area, 0, nullptr, SW_INVALIDATE);
  } else {
    Area.Left = PageLayout() ? GetLeftRulerIndent() : GetLeftIndent();
    ScrollWindowEx(Handle(), Distance, 0, &Area, &Area, 0, nullptr, SW_INVALIDATE);
  }
  if (!PageLayout() && FGutter->GetWidth() > 0 &&
      (FGutter->Background()->NeedPaint() || FGutter->Brush()->Style() != bsSolid)) {
    const TRect G = Rect(0, 0, FGutter->GetWidth(), Client.Height() + 1);
    InvalidateRect(Handle(), &G, TRUE);
  }
  UpdateWindow(Handle());
}
