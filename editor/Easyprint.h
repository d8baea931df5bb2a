// Printing and print preview: the process-wide print settings, the preview control that lays an editor's text
// out on printer-sized pages in a hidden editor of its own and paints those pages scaled or sends them to the
// printer, and the one-call print of an editor.
#pragma once

#include "editor/Easysettings.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafiles.h"

#include <functional>
#include <memory>

class TCustomEasyEdit;

enum TEasyPrintOption {
  prLineNumbers,
  prWrapLines,
  prPrintColor,
  prPrintHeader,
  prPageNumbers,
  prUsePrinterFont,
  prPrintSyntax,
  prDisplayProgress
};
using TEasyPrintOptions = TSet<TEasyPrintOption, prDisplayProgress>;
enum TEasyPrintScope { psGlobal, psSelectedText };
enum TEasyScaleType { stPageWidth, stWholePage };
enum TEasyPrintProgressType { ppShow, ppHide, ppProgress };

// Receives the progress of printing (show, progress per page, hide); answering false stops the job.
using TDisplayPrinProgressEvent =
    std::function<bool(TObject* Sender, TEasyPrintProgressType Kind, int Page, int Count)>;
extern TDisplayPrinProgressEvent OnDisplayPrinProgress;

// Cursor identifiers of the magnifier in the screen's cursor list.
inline constexpr int crMagnifierIn = 92;
inline constexpr int crMagnifierOut = 93;

// What is printed and how, persisted under "PrintSettings". Construction sets the defaults and loads;
// destruction saves.
class TEasyPrintSettings : public TEasySettings {
  Z_CLASS(TEasyPrintSettings, TEasySettings)
public:
  TEasyPrintSettings();
  ~TEasyPrintSettings() override;
  void Assign(TPersistent* Source) override;
  void Init() override;
  std::string GetKey() const override { return "PrintSettings"; }
  void WriteProperties(TEasyPropertyWriter& Writer) const override;
  void ReadProperty(const std::string& Name, const TEasyPropertyValue& Value) override;

  TEasyPrintOptions Options;
  TEasyPrintScope Scope = psGlobal;
  std::string Header;
  Integer Indent = 0;
  TFont* Font() const { return FFont.get(); }

private:
  std::unique_ptr<TFont> FFont;
};

inline const TEasyPrintOptions DefaultPrintOptions = TEasyPrintOptions::FromMask(222);

// The process-wide print settings, created and loaded on first use.
TEasyPrintSettings* PrintSettings();
// Copies word wrap, the source's file name (as header) and the gutter indent of Editor into the print settings.
void InitPrintSettings(TCustomEasyEdit* Editor);
// Prints Editor with the print settings through an invisible preview.
void PrintEditor(TCustomEasyEdit* Editor);
// Registers the magnifier cursors under crMagnifierIn and crMagnifierOut (once).
void RegisterMagnifierCursors();

// The preview control: a scroll box showing Rows x Columns pages of Editor from PageIndex at Scale percent.
// It owns a hidden internal editor of the editor's class holding the text laid out in pages.
class TEasyPrintPreview : public TScrollBox {
  Z_CLASS(TEasyPrintPreview, TScrollBox)
public:
  explicit TEasyPrintPreview(TComponent* AOwner);
  ~TEasyPrintPreview() override;
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;
  static void Publish(TMetaClass& Meta);

  TCustomEasyEdit* Editor() const { return FEditor; }
  void SetEditor(TCustomEasyEdit* Value);
  int PageIndex() const { return FPageIndex; }
  void SetPageIndex(int Value);
  int Rows() const { return FRows; }
  void SetRows(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  int Scale() const { return FScale; }
  void SetScale(int Value);
  int PageInterval() const { return FPageInterval; }
  void SetPageInterval(int Value);
  bool UseMagnifier() const { return FUseMagnifier; }
  void SetUseMagnifier(bool Value);
  TNotifyEvent OnChange;
  TPoint PageStart{16, 16};
  TCustomEasyEdit* InternalEditor() const { return FInternal; }

  int GetPageCount() const;
  int VisiblePagesCount() const;
  int GetPageIndexAt(int X, int Y) const {
    (void)X, (void)Y;
    return 0;
  }
  TRect PageRect();
  TRect GetPageRect(const TPoint& Origin, int Page, bool Printing);
  TRect PaintPage(const TPoint& Origin, int Page);
  void PrintPage(int Page);
  void AdjustToRect(const TRect& R);
  void AdjustToScale(const TRect& R, TEasyScaleType Kind);
  void AdjustPageStart(const TRect& R);
  // The scale (percent) that fits Extent pixels into PageExtent: Extent / PageExtent, one less when the division
  // leaves a remainder, at least 1 (Extent is already multiplied by 100).
  static int FitScale(int Extent, int PageExtent);
  TRect GetViewRect();
  void Print() { PrintEx(0, 0, false, 1); }
  void PrintEx(int FirstPage, int LastPage, bool Range, int Copies);
  bool PrintProgress(TEasyPrintProgressType Kind, int Page, int Count);
  void UpdateView();
  void UpdateScrollSize();
  // Renders one page into the page image (header and number included) at its real size.
  TMetafile* RenderPage(int Page);
  // How long the last print spent rendering pages and handing them to the printer, in milliseconds.
  double LastRenderMs = 0;
  double LastOutputMs = 0;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateWnd() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  virtual void Paint();

private:
  void InitInternalEditor();
  void FreeInternalEditor();
  void PaintOrPrintPage(TCanvas* Target, const TRect& R, int Page);
  void PaintHandler(TMessage& Message);
  void MouseWheelHandler(TMessage& Message) override;
  void ScrollBy(int Dy);
  void UpdateCursor();
  TRect GridRect(bool Scrolled, TRect* PageRects, int Count);
  TCustomEasyEdit* FEditor = nullptr;
  TCustomEasyEdit* FInternal = nullptr;
  int FPageIndex = 0;
  int FRows = 1;
  int FColumns = 1;
  int FScale = 100;
  int FPageInterval = 8;
  bool FUseMagnifier = false;
  TPoint FPrinterPpi{150, 150};
  TPoint FScreenPpi{96, 96};
  SmallInt FWheelDelta = 0;
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TMetafile> FPageImage;
};
