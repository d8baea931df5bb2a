// The completion list box: mini-RTF items, column alignment and owner drawing.
#include "editor/Easylistbox.h"

#include "editor/Easyfontman.h"

#include <algorithm>
#include <vector>

Z_IMPLEMENT_CLASS(TEasyListBox, TCustomListBox)

TEasyListBox::TEasyListBox(TComponent* AOwner) : TCustomListBox(AOwner), FPainter(std::make_unique<TEasyRtfPainter>()) {
  SetStyle(lbOwnerDrawFixed);
  SetParentFont(false);
  FPainter->AssignFont(Font());
}

TEasyListBox::~TEasyListBox() = default;

void TEasyListBox::Dispatch(TMessage& Message) {
  TCustomListBox::Dispatch(Message);
  if (Message.Msg == CM_FONTCHANGED) {
    FPainter->AssignFont(Font());
    if (HandleAllocated()) {
      SetItemHeight(RowHeight());
    }
  }
}

void TEasyListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  SetItemHeight(RowHeight());
}

int TEasyListBox::RowHeight() {
  const TEasyFontInfo Info = GetFontInfo(Font()->Handle());
  return std::max(Info.Ascent + Info.Descent, 1);
}

void TEasyListBox::AddRtfString(const std::string& Text) {
  Items()->AddObject(Text, reinterpret_cast<TObject*>(FPainter->AddRtfString(Text)));
}

TEasyRtfInfo* TEasyListBox::ItemChain(int Index) const {
  if (Index < 0 || Index >= Items()->Count()) {
    return nullptr;
  }
  return reinterpret_cast<TEasyRtfInfo*>(Items()->Objects(Index));
}

int TEasyListBox::AdjustColumns() {
  std::vector<int> Widths;
  auto Candidate = [&](std::size_t Column, int Sum) {
    if (Widths.size() <= Column) {
      Widths.resize(Column + 1, 0);
    }
    Widths[Column] = std::max(Widths[Column], Sum);
  };
  const int Count = Items()->Count();
  for (int I = 0; I < Count; ++I) {
    TEasyRtfInfo* Head = ItemChain(I);
    if (!Head) {
      continue;
    }
    int Sum = 0;
    std::size_t Column = 0;
    for (TEasyRtfInfo* Run = Head->Next; Run; Run = Run->Next) {
      if (Run->Text == "|") {
        Candidate(Column, Sum);
        Sum = 0;
        ++Column;
      }
      Sum += Run->Width;
    }
    Candidate(Column, Sum);
  }
  int Total = 0;
  for (int W : Widths) {
    Total += W;
  }
  for (int I = 0; I < Count; ++I) {
    TEasyRtfInfo* Head = ItemChain(I);
    if (!Head) {
      continue;
    }
    int Sum = 0;
    std::size_t Column = 0;
    int HeadWidth = 0;
    for (TEasyRtfInfo* Run = Head->Next; Run; Run = Run->Next) {
      if (Run->Text == "|") {
        // The break becomes the padding that brings the next column to its place.
        Run->Width = std::max(Widths[Column] - Sum, 0);
        Sum = 0;
        ++Column;
      }
      Sum += Run->Width;
      HeadWidth += Run->Width;
    }
    Head->Width = HeadWidth;
  }
  return Total;
}

void TEasyListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  TCanvas* C = Canvas();
  C->SetFont(Font());
  if (State.Contains(odSelected)) {
    C->Brush()->SetColor(clHighlight);
    C->Font()->SetColor(clHighlightText);
  } else {
    C->Brush()->SetColor(Color());
  }
  FPainter->PaintToCanvas(C, Rect, State.Contains(odSelected), true, ItemChain(Index));
}
