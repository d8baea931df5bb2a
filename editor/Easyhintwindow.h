// The editor's formatted hint: a hint window that shows mini-RTF lines, and the hint component that places it
// and shows and hides it on the ticks of its own timer.
#pragma once

#include "editor/Easycontrols.h"
#include "editor/Easyrtfpainter.h"
#include "platform/controls/Hints.h"

#include <memory>
#include <string>
#include <vector>

// Owned by its TEasyHint. Each non-empty line of its text (lines end with CR LF) is one chain of runs.
class TEasyHintWindow : public THintWindow {
  Z_CLASS(TEasyHintWindow, THintWindow)
public:
  explicit TEasyHintWindow(TComponent* AOwner);
  ~TEasyHintWindow() override;
  void ActivateHint(TRect Rect, const std::string& AHint) override;
  // Parses the text into its lines: the widest line's width and the sum of the heights.
  TSize Measure(const std::string& Text);
  // Takes a new text: unless it is the one shown, measures it and sizes the window to it.
  void SetHintText(const std::string& Text);
  int LineCount() const { return static_cast<int>(FLines.size()); }
  TEasyRtfInfo* Line(int Index) const { return FLines[static_cast<std::size_t>(Index)]; }

protected:
  void CreateWnd() override;
  void Paint() override;
  void NCPaint(HDC DC) override;

private:
  std::vector<TEasyRtfInfo*> FLines;
  std::unique_ptr<TEasyRtfPainter> FPainter;
  bool FSameText = false;
};

enum TEasyHintState { hstShow, hstHide, hstOnShow };

// A hint shown at a point with a show pause (unless Immediate) and, with AutoHide, hidden after the
// application's hint-hide pause. Its window and timer are its own.
class TEasyHint : public TComponent {
  Z_CLASS(TEasyHint, TComponent)
public:
  explicit TEasyHint(TComponent* AOwner);
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);

  void ActivateHintAtPos(TPoint P, const std::string& Text);
  // At the mouse cursor; a hint painted later shows 20 pixels below it.
  void ActivateHint(const std::string& Text);
  void CancelHint();
  TSize GetSize(const std::string& Text);
  void HideHintWindow();
  void PaintHintWindow();
  void DoTimer(TObject* Sender);

  bool AutoHide = true;
  bool Immediate = true;
  int Interval() const;
  void SetInterval(int Value);
  bool Visible() const;
  void SetVisible(bool Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TNotifyEvent OnVisibleChanged;

  TEasyHintWindow* Window() const { return FWindow; }
  TEasyHintState State() const { return FState; }
  const TRect& HintRect() const { return FHintRect; }
  TEasyTimer* Timer() const { return FTimer; }

private:
  TEasyHintWindow* FWindow = nullptr;
  TEasyTimer* FTimer = nullptr;
  std::string FCaption;
  TRect FHintRect{0, 0, 0, 0};
  TEasyHintState FState = hstHide;
  int FTicks = 0;
  int FOffset = 0;
};
