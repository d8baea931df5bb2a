// Item viewers: how one item is measured and painted inside one view (toolbar button, menu line, separator,
// chevron).
#pragma once

#include "platform/classes/Classes.h"
#include "platform/graphics/Graphics.h"
#include "toolbars/Tb2item.h"

class TTBView;

enum TTBItemViewerStateFlag { tbisInvalidated, tbisLineSep };
using TTBItemViewerState = TSet<TTBItemViewerStateFlag, tbisLineSep>;

// What the menu loop hands to a viewer's mouse and key events.
struct TTBItemEventData {
  TTBView* RootView = nullptr;
  bool MouseDownOnMenu = false;  // the mouse went down on a menu button whose popup was already open
  bool Exit = false;
  TTBDoneActionData* DoneActionData = nullptr;
};

// One item shown in one view; owned by the view, made by the item's viewer class.
class TTBItemViewer : public TObject {
  Z_CLASS(TTBItemViewer, TObject)
  friend class TTBView;

public:
  TTBItemViewer(TTBView* AView, TTBCustomItem* AItem);
  static TTBItemViewer* Create(TTBView* AView, TTBCustomItem* AItem) { return new TTBItemViewer(AView, AItem); }
  TTBItemViewer(const TTBItemViewer&) = delete;
  TTBItemViewer& operator=(const TTBItemViewer&) = delete;

  // Measures the item with the canvas's font.
  virtual void CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight);
  virtual void DrawItemCaption(TCanvas* Canvas, TRect ARect, const std::string& ACaption, bool ADrawDisabled,
                               UINT AFormat, bool AEmboss);
  virtual void Entering();
  virtual std::string GetCaptionText();
  virtual bool IsPtInButtonPart(int X, int Y);
  virtual void KeyDown(WORD& Key, TShiftState Shift, TTBItemEventData& Data);
  virtual void Leaving();
  virtual void LosingCapture();
  virtual void MouseDown(TShiftState Shift, int X, int Y, TTBItemEventData& Data);
  virtual void MouseUp(int X, int Y, TTBItemEventData& Data);
  // Paints the item into ClientAreaRect (the viewer's rectangle moved to the origin).
  virtual void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                     bool UseDisabledShadow);
  virtual bool CaptionShown();

  bool ImageShown();
  TCustomImageList* GetImageList();
  bool IsRotated();
  bool IsToolbarSize();
  bool IsToolbarStyle();
  int GetIndex();
  TPoint ScreenToClient(TPoint P);

  TRect BoundsRect() const { return FBoundsRect; }
  bool Clipped() const { return FClipped; }
  TTBCustomItem* Item() const { return FItem; }
  bool OffEdge() const { return FOffEdge; }
  bool Show() const { return FShow; }
  TTBView* View() const { return FView; }
  TTBItemViewerState State() const { return FState; }

protected:
  void PaintToolbarStyle(TCanvas* Canvas, const TRect& R, bool IsSelected, bool IsPushed, bool UseDisabledShadow);
  void PaintMenuStyle(TCanvas* Canvas, const TRect& R, bool IsSelected, bool IsPushed, bool UseDisabledShadow);
  void DrawImage(TCanvas* Canvas, TCustomImageList* Images, int X, int Y, bool IsSelected, bool IsPushed);

  TRect FBoundsRect;
  bool FClipped = false;
  TTBCustomItem* FItem = nullptr;
  bool FOffEdge = false;
  bool FShow = false;
  TTBView* FView = nullptr;
  TTBItemViewerState FState;
};

class TTBSeparatorItemViewer : public TTBItemViewer {
  Z_CLASS(TTBSeparatorItemViewer, TTBItemViewer)

public:
  using TTBItemViewer::TTBItemViewer;
  static TTBItemViewer* Create(TTBView* AView, TTBCustomItem* AItem) {
    return new TTBSeparatorItemViewer(AView, AItem);
  }
  void CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight) override;
  void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};

class TTBChevronItemViewer : public TTBItemViewer {
  Z_CLASS(TTBChevronItemViewer, TTBItemViewer)

public:
  using TTBItemViewer::TTBItemViewer;
  static TTBItemViewer* Create(TTBView* AView, TTBCustomItem* AItem) {
    return new TTBChevronItemViewer(AView, AItem);
  }
  void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};
