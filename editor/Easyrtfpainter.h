// The painter of the editor's mini-RTF strings: each string becomes a chain of measured text runs (read by the
// RTF reader), painted left to right; a run that is a lone "|" is a column break.
#pragma once

#include "editor/Easyrtfreader.h"
#include "platform/graphics/Graphics.h"

#include <memory>
#include <string>
#include <vector>

// One measured run. The head of a chain has no text and holds the totals: the sum of the widths and the
// largest height and ascent.
struct TEasyRtfInfo {
  int Width = 0;
  int Height = 0;
  int Ascent = 0;
  TColor Background = 0;
  TColor Color = 0;
  TFontStyles Style;
  std::string Text;
  TEasyRtfInfo* Next = nullptr;
};
using PEasyRtfInfo = TEasyRtfInfo*;

// The fonts the painter measured with, one per name, size, style and colour; it only grows.
class TEasyRtfFontManager : public TObject {
  Z_CLASS(TEasyRtfFontManager, TObject)
public:
  TEasyRtfFontManager() = default;
  int IndexOfFont(TCustomEasyEditorAttributes* Attributes);
  TFont* Font(int Index) const { return FFonts[static_cast<std::size_t>(Index)].get(); }
  int Count() const { return static_cast<int>(FFonts.size()); }

private:
  std::vector<std::unique_ptr<TFont>> FFonts;
};

// Parses mini-RTF strings into chains it owns, and paints them.
class TEasyRtfPainter : public TObject {
  Z_CLASS(TEasyRtfPainter, TObject)
public:
  TEasyRtfPainter();
  ~TEasyRtfPainter() override;
  TEasyRtfPainter(const TEasyRtfPainter&) = delete;
  TEasyRtfPainter& operator=(const TEasyRtfPainter&) = delete;

  // Parses Text into a new chain and returns its head (owned by the painter).
  TEasyRtfInfo* AddRtfString(const std::string& Text);
  void ParseText(TObject* Sender, const std::string& Text, TObject* Object, TCustomEasyParagraph* Paragraph,
                 TCustomEasyEditorAttributes* Attributes);
  static void GetInfoFromString(TEasyRtfInfo* Info, const std::string& Text, TColor Background, TFont* Font);
  // Fills R with the brush when Fill; draws each run in the canvas's font with the run's style (and colour
  // unless KeepCanvasColor), clipped to its cell; a "|" run is left blank.
  void PaintToCanvas(TCanvas* Canvas, const TRect& R, bool KeepCanvasColor, bool Fill, TEasyRtfInfo* Head);
  void AssignFont(TFont* Font) { FReader->SetDefaultFont(Font); }
  void DestroyItems();
  void DisposeItem(TEasyRtfInfo* Head);
  int ChainCount() const { return static_cast<int>(FChains.size()); }
  TEasyRtfFontManager* FontManager() const { return FFontManager.get(); }

private:
  TEasyRtfInfo* FHead = nullptr;
  TEasyRtfInfo* FTail = nullptr;
  std::vector<TEasyRtfInfo*> FChains;
  std::unique_ptr<TEasyRtfImporter> FReader;
  std::unique_ptr<TEasyRtfFontManager> FFontManager;
};
