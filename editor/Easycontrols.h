// Small drawing routines shared by the editor's gutter, margin and painter (the wavy spelling underline,
// gradients, bands around a rectangle, the two-tone gutter line), the background picture of a control and a
// timer component with a hidden window of its own.
#pragma once

#include "platform/classes/Component.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/Graphics.h"

#include <memory>
#include <vector>

// True when the font has a fixed pitch.
bool IsMonoFont(TFont* Font);
// Fills with Color the bands of Outer that lie outside Inner.
void PaintBoundingRect(TCanvas* Canvas, const TRect& Outer, const TRect& Inner, TColor Color);
// The control points of the wavy underline under R: a chain of cubic segments (3k + 1 points).
std::vector<TPoint> LiveSpellPoints(const TRect& R);
// Draws the wavy underline of a misspelt word under R in Color.
void DrawLiveSpell(TCanvas* Canvas, const TRect& R, TColor Color);
// Fills (0, 0, Width, Height) with bands running from StartColor to EndColor, top to bottom when Vertical.
void PaintGradient(TCanvas* Canvas, int Width, int Height, TColor StartColor, TColor EndColor, bool Vertical);
// The two-tone edge: Pen at X + 1, then Color at X, from R.Top to R.Bottom + 1.
void PaintGutterLine(TCanvas* Canvas, const TRect& R, int X, TColor Color, TPen* Pen);

enum TEasyBackgroundOption { bgNone, bgStretch, bgCenter, bgTile, bgHorzGradient, bgVertGradient };
Z_ENUM_TYPEINFO(TEasyBackgroundOption, "bgNone", "bgStretch", "bgCenter", "bgTile", "bgHorzGradient",
                "bgVertGradient")

// A picture or gradient shown behind a control's content. Created and owned by its control (or by an object
// of the control); prepares a work bitmap as large as the paint rectangle.
class TEasyControlBackground : public TPersistent {
  Z_CLASS(TEasyControlBackground, TPersistent)
public:
  explicit TEasyControlBackground(TWinControl* AControl = nullptr);
  ~TEasyControlBackground() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;

  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);
  TEasyBackgroundOption Option() const { return FOption; }
  void SetOption(TEasyBackgroundOption Value);
  TColor GradientStartColor() const { return FGradientStartColor; }
  void SetGradientStartColor(TColor Value);
  TColor GradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor Value);
  // The prepared picture, the size of the paint rectangle.
  TBitmap* WorkBitmap() const { return FWorkBitmap.get(); }
  TWinControl* Control() const { return FControl; }

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void BackgroundChanged();
  bool NeedPaint();
  virtual TRect GetPaintRect();
  virtual TBrush* GetPaintBrush();
  virtual void Paint();

protected:
  void BitmapChanged(TObject* Sender);

private:
  TWinControl* FControl;
  std::unique_ptr<TBitmap> FBitmap;
  TEasyBackgroundOption FOption = bgNone;
  TColor FGradientStartColor = 0xFF0000;
  TColor FGradientEndColor = 0;
  std::unique_ptr<TBitmap> FWorkBitmap;
  int FUpdateCount = 0;
};

// A timer with a hidden window of its own; ticks arrive on the thread that made it. Errors raised by OnTimer
// go to the application's exception handler.
class TEasyTimer : public TComponent {
  Z_CLASS(TEasyTimer, TComponent)
public:
  explicit TEasyTimer(TComponent* AOwner);
  ~TEasyTimer() override;
  static void Publish(TMetaClass& Meta);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal Interval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& Value);
  // True while the window timer runs.
  bool Running() const { return FRunning; }
  HWND WindowHandle() const { return FWindow; }

protected:
  void UpdateTimer();
  virtual void Timer();

private:
  void WndProc(TMessage& Message);
  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
  HWND FWindow = 0;
  bool FRunning = false;
};

class TCustomForm;
// The dialogs the editors use for find (26), replace (27) and go to line (28): a form instance to show, or a
// form class to make one from; null when none is registered. The find and replace dialog units register their
// classes when they start; nothing registers a go-to-line form.
extern TCustomForm* GlobalSearchDialog;
extern TCustomForm* GlobalReplaceDialog;
extern TCustomForm* GlobalGotoLineDialog;
extern TClass GlobalSearchDialogClass;
extern TClass GlobalReplaceDialogClass;
extern TClass GlobalGotoLineDialogClass;
