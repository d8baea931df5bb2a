// Measuring and painting the runs of mini-RTF strings.
#include "editor/Easyrtfpainter.h"

#include "editor/Easyfontman.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TEasyRtfFontManager, TObject)
Z_IMPLEMENT_CLASS(TEasyRtfPainter, TObject)

int TEasyRtfFontManager::IndexOfFont(TCustomEasyEditorAttributes* A) {
  const int Size = A->Size();
  for (std::size_t I = 0; I < FFonts.size(); ++I) {
    TFont* F = FFonts[I].get();
    if (F->Name() == A->Name() && F->Size() == Size && F->Style() == A->Style() && F->Color() == A->Color()) {
      return static_cast<int>(I);
    }
  }
  auto F = std::make_unique<TFont>();
  F->SetName(A->Name());
  F->SetSize(Size);
  F->SetStyle(A->Style());
  F->SetColor(A->Color());
  FFonts.push_back(std::move(F));
  return static_cast<int>(FFonts.size()) - 1;
}

TEasyRtfPainter::TEasyRtfPainter()
    : FReader(std::make_unique<TEasyRtfImporter>()), FFontManager(std::make_unique<TEasyRtfFontManager>()) {
  FReader->OnParseText = [this](TObject* Sender, const std::string& Text, TObject* Object,
                                TCustomEasyParagraph* Paragraph, TCustomEasyEditorAttributes* Attributes) {
    ParseText(Sender, Text, Object, Paragraph, Attributes);
  };
}

TEasyRtfPainter::~TEasyRtfPainter() { DestroyItems(); }

TEasyRtfInfo* TEasyRtfPainter::AddRtfString(const std::string& Text) {
  FHead = new TEasyRtfInfo();
  FTail = FHead;
  FChains.push_back(FHead);
  FReader->ParseString(Text);
  TEasyRtfInfo* Head = FHead;
  FHead = FTail = nullptr;
  return Head;
}

void TEasyRtfPainter::ParseText(TObject*, const std::string& Text, TObject*, TCustomEasyParagraph*,
                                TCustomEasyEditorAttributes* Attributes) {
  if (!Attributes || !FHead) {
    return;
  }
  TFont* Font = FFontManager->Font(FFontManager->IndexOfFont(Attributes));
  auto* Run = new TEasyRtfInfo();
  GetInfoFromString(Run, Text, Attributes->BkColor(), Font);
  FHead->Width += Run->Width;
  FHead->Height = std::max(FHead->Height, Run->Height);
  FHead->Ascent = std::max(FHead->Ascent, Run->Ascent);
  FTail->Next = Run;
  FTail = Run;
}

void TEasyRtfPainter::GetInfoFromString(TEasyRtfInfo* Info, const std::string& Text, TColor Background, TFont* Font) {
  *Info = TEasyRtfInfo{};
  TEasyFontInfo Metrics;
  Info->Width = GetWidthWithInfo(Font->Handle(), Text.data(), static_cast<int>(Text.size()), Metrics);
  Metrics = GetFontInfo(Font->Handle());
  Info->Height = Metrics.Height;
  Info->Ascent = Metrics.Ascent;
  Info->Background = Background;
  Info->Color = Font->Color();
  Info->Text = Text;
  Info->Style = Font->Style();
}

void TEasyRtfPainter::PaintToCanvas(TCanvas* Canvas, const TRect& R, bool KeepCanvasColor, bool Fill,
                                    TEasyRtfInfo* Head) {
  if (Fill) {
    Canvas->FillRect(R);
  }
  if (!Head) {
    return;
  }
  const int OldMode = SetBkMode(Canvas->Handle(), TRANSPARENT);
  int X = R.Left;
  for (TEasyRtfInfo* Run = Head->Next; Run; Run = Run->Next) {
    Canvas->Font()->SetStyle(Run->Style);
    if (!KeepCanvasColor && Run->Color != -1) {
      Canvas->Font()->SetColor(Run->Color);
    }
    const TRect Cell = Rect(X, R.Top, X + Run->Width, R.Bottom);
    if (Run->Text != "|") {
      Canvas->TextRect(Cell, Cell.Left, Cell.Top, Run->Text);
    }
    X = Cell.Right;
  }
  SetBkMode(Canvas->Handle(), OldMode);
}

void TEasyRtfPainter::DisposeItem(TEasyRtfInfo* Head) {
  auto It = std::find(FChains.begin(), FChains.end(), Head);
  if (It != FChains.end()) {
    FChains.erase(It);
  }
  while (Head) {
    TEasyRtfInfo* Next = Head->Next;
    delete Head;
    Head = Next;
  }
}

void TEasyRtfPainter::DestroyItems() {
  for (TEasyRtfInfo* Head : FChains) {
    while (Head) {
      TEasyRtfInfo* Next = Head->Next;
      delete Head;
      Head = Next;
    }
  }
  FChains.clear();
}
