// DrawText: line breaking, alignment, ellipses and '&' prefixes over the DC's font.
#include "platform/graphics/GdiInternals.h"

#include <algorithm>
#include <cstring>

namespace {

struct TLine {
  std::string Text;
  int Underline = -1;  // index in Text of the prefixed character, or -1
};

// Removes '&' prefixes: "&&" gives '&', "&x" marks x. Returns the visible text and the marked position.
TLine StripPrefix(const std::string& S, bool Strip) {
  TLine L;
  if (!Strip) {
    L.Text = S;
    return L;
  }
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '&' && I + 1 < S.size()) {
      ++I;
      if (S[I] != '&') {
        L.Underline = static_cast<int>(L.Text.size());
      }
    } else if (S[I] == '&') {
      continue;  // a lone '&' at the end shows nothing
    }
    L.Text += S[I];
  }
  return L;
}

struct TMeasure {
  const TFontInfo* F;
  int TabWidth;
  int Width(const std::string& S) const {
    int W = 0;
    for (unsigned char C : S) {
      W += C == '\t' && TabWidth > 0 ? TabWidth - W % TabWidth : F->Widths[C];
    }
    return W;
  }
};

std::string EndEllipsis(const std::string& S, int Max, const TMeasure& M) {
  if (M.Width(S) <= Max) {
    return S;
  }
  std::string Cut = S;
  while (!Cut.empty() && M.Width(Cut + "...") > Max) {
    Cut.pop_back();
  }
  return Cut + "...";
}

std::string WordEllipsis(const std::string& S, int Max, const TMeasure& M) {
  if (M.Width(S) <= Max) {
    return S;
  }
  std::string Cut = S;
  while (!Cut.empty() && M.Width(Cut + "...") > Max) {
    std::size_t Sp = Cut.find_last_of(' ');
    Cut.erase(Sp == std::string::npos ? 0 : Sp);
  }
  return Cut + "...";
}

// Keeps the last path component and shortens what is in front of it: "C:\a\b\file.txt" -> "C:\a...\file.txt".
std::string PathEllipsis(const std::string& S, int Max, const TMeasure& M) {
  if (M.Width(S) <= Max) {
    return S;
  }
  std::size_t Sep = S.find_last_of("\\/");
  if (Sep == std::string::npos || Sep == 0) {
    return EndEllipsis(S, Max, M);
  }
  std::string Head = S.substr(0, Sep);
  std::string Tail = S.substr(Sep);
  while (!Head.empty() && M.Width(Head + "..." + Tail) > Max) {
    Head.pop_back();
  }
  return Head + "..." + Tail;
}

// Breaks one paragraph into lines no wider than Max at spaces; a word wider than Max stands alone (broken only
// with DT_EDITCONTROL). Spaces at a break are dropped.
std::vector<std::string> WrapParagraph(const std::string& P, int Max, const TMeasure& M, bool BreakWords) {
  std::vector<std::string> Lines;
  std::size_t Pos = 0;
  while (true) {
    std::string Line;
    std::size_t LastBreak = std::string::npos;
    std::size_t I = Pos;
    for (; I < P.size(); ++I) {
      if (M.Width(P.substr(Pos, I - Pos + 1)) > Max && P[I] != ' ') {
        break;
      }
      if (P[I] == ' ' || P[I] == '\t') {
        LastBreak = I;
      }
    }
    if (I >= P.size()) {
      Lines.push_back(P.substr(Pos));
      break;
    }
    std::size_t End = LastBreak != std::string::npos && LastBreak >= Pos ? LastBreak : std::string::npos;
    if (End == std::string::npos) {
      if (BreakWords) {
        End = std::max(I, Pos + 1);
        Lines.push_back(P.substr(Pos, End - Pos));
        Pos = End;
        continue;
      }
      // The word runs on to the next space.
      End = P.find(' ', I);
      if (End == std::string::npos) {
        Lines.push_back(P.substr(Pos));
        break;
      }
    }
    std::string L = P.substr(Pos, End - Pos);
    while (!L.empty() && L.back() == ' ') {
      L.pop_back();
    }
    Lines.push_back(L);
    Pos = End;
    while (Pos < P.size() && P[Pos] == ' ') {
      ++Pos;
    }
    if (Pos >= P.size()) {
      break;
    }
  }
  return Lines;
}

}  // namespace

int DrawText(HDC DC, LPCSTR Text, int Count, TRect* Rc, UINT Format) {
  auto D = Gdi::DC(DC);
  if (!D || !Rc || (!Text && Count != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string S = Count < 0 ? std::string(Text) : std::string(Text, static_cast<std::size_t>(Count));
  const TFontInfo& F = Gdi::FontInfo(D->S.Font);
  int TabChars = (Format & DT_TABSTOP) ? static_cast<int>((Format >> 8) & 0xFF) : 8;
  TMeasure M{&F, (Format & DT_EXPANDTABS) ? F.Tm.tmAveCharWidth * (TabChars ? TabChars : 8) : 0};
  if (Format & DT_TABSTOP) {
    Format &= ~0xFF00u;  // the tab size shares bits with other flags
  }
  int LineHeight = F.Tm.tmHeight + ((Format & DT_EXTERNALLEADING) ? F.Tm.tmExternalLeading : 0);
  int MaxW = Rc->Width();
  bool Prefix = !(Format & DT_NOPREFIX);

  // Paragraphs, then lines.
  std::vector<TLine> Lines;
  std::vector<std::string> Paras;
  if (Format & DT_SINGLELINE) {
    Paras.push_back(S);
  } else {
    std::size_t Start = 0;
    for (std::size_t I = 0; I <= S.size(); ++I) {
      if (I == S.size() || S[I] == '\r' || S[I] == '\n') {
        Paras.push_back(S.substr(Start, I - Start));
        if (I + 1 < S.size() && S[I] == '\r' && S[I + 1] == '\n') {
          ++I;
        }
        Start = I + 1;
      }
    }
    if (!S.empty() && (S.back() == '\n' || S.back() == '\r')) {
      Paras.pop_back();
    }
  }
  for (const std::string& P : Paras) {
    TLine Stripped = StripPrefix(P, Prefix);
    std::vector<std::string> Parts;
    if ((Format & DT_WORDBREAK) && !(Format & DT_SINGLELINE)) {
      Parts = WrapParagraph(Stripped.Text, MaxW, M, Format & DT_EDITCONTROL);
    } else {
      Parts.push_back(Stripped.Text);
    }
    int Offset = 0;
    for (std::string& Part : Parts) {
      TLine L;
      L.Text = Part;
      int Found = static_cast<int>(Stripped.Text.find(Part, static_cast<std::size_t>(Offset)));
      if (Stripped.Underline >= 0 && Found >= 0 && Stripped.Underline >= Found &&
          Stripped.Underline < Found + static_cast<int>(Part.size())) {
        L.Underline = Stripped.Underline - Found;
      }
      if (Found >= 0) {
        Offset = Found + static_cast<int>(Part.size());
      }
      if (Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        std::string E = (Format & DT_PATH_ELLIPSIS)   ? PathEllipsis(L.Text, MaxW, M)
                        : (Format & DT_WORD_ELLIPSIS) ? WordEllipsis(L.Text, MaxW, M)
                                                      : EndEllipsis(L.Text, MaxW, M);
        if (E != L.Text) {
          L.Underline = -1;
          L.Text = E;
        }
      }
      Lines.push_back(L);
    }
  }
  if (Lines.empty()) {
    Lines.push_back(TLine{});
  }
  int TextW = 0;
  for (const TLine& L : Lines) {
    TextW = std::max(TextW, M.Width(L.Text));
  }
  int TextH = LineHeight * static_cast<int>(Lines.size());
  if (Format & DT_CALCRECT) {
    Rc->Right = Rc->Left + TextW;
    Rc->Bottom = Rc->Top + TextH;
    return TextH;
  }
  int Y = Rc->Top;
  if (Format & DT_SINGLELINE) {
    if (Format & DT_VCENTER) {
      Y = Rc->Top + (Rc->Height() - LineHeight) / 2;
    } else if (Format & DT_BOTTOM) {
      Y = Rc->Bottom - LineHeight;
    }
  }
  int Saved = SaveDC(DC);
  SetTextAlign(DC, TA_LEFT | TA_TOP);
  UINT Eto = (Format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
  for (const TLine& L : Lines) {
    int W = M.Width(L.Text);
    int X = (Format & DT_CENTER) ? Rc->Left + (MaxW - W) / 2 : (Format & DT_RIGHT) ? Rc->Right - W : Rc->Left;
    // Tabs are expanded into per-character advances.
    std::vector<int> Dx(L.Text.size());
    int Pos = 0;
    for (std::size_t I = 0; I < L.Text.size(); ++I) {
      unsigned char C = static_cast<unsigned char>(L.Text[I]);
      int A = C == '\t' && M.TabWidth > 0 ? M.TabWidth - Pos % M.TabWidth : F.Widths[C];
      Dx[I] = A;
      Pos += A;
    }
    std::string Shown = L.Text;
    std::replace(Shown.begin(), Shown.end(), '\t', ' ');
    if (!(Format & DT_PREFIXONLY)) {
      ExtTextOut(DC, X, Y, Eto, Rc, Shown.data(), static_cast<UINT>(Shown.size()), Dx.data());
    }
    if (L.Underline >= 0 && !(Format & DT_HIDEPREFIX)) {
      int Ux = X;
      for (int I = 0; I < L.Underline; ++I) {
        Ux += Dx[static_cast<std::size_t>(I)];
      }
      TRect U = Rect(Ux, Y + F.Tm.tmAscent + 1, Ux + Dx[static_cast<std::size_t>(L.Underline)], Y + F.Tm.tmAscent + 2);
      if (!(Format & DT_NOCLIP)) {
        U = Rect(std::max(U.Left, Rc->Left), U.Top, std::min(U.Right, Rc->Right), std::min(U.Bottom, Rc->Bottom));
      }
      HBRUSH B = CreateSolidBrush(GetTextColor(DC));
      FillRect(DC, &U, B);
      DeleteObject(B);
    }
    Y += LineHeight;
  }
  RestoreDC(DC, Saved);
  return TextH;
}
