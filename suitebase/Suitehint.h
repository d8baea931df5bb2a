// ZEZHint: a hint shown at the mouse cursor or at a point after the application's hint pause, hidden when the
// mouse leaves it or the hide pause passes; and its window, which draws lines of text each with a bold part.
#pragma once

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Hints.h"

#include <memory>
#include <string>
#include <vector>

namespace Dccontrols {

// The hint's window: owned by its ZEZHint. Each line of a multi-line hint (lines end in CR LF) keeps its height.
class ZEZHintWindow : public THintWindow {
  Z_CLASS(ZEZHintWindow, THintWindow)
public:
  explicit ZEZHintWindow(TComponent* AOwner);
  ~ZEZHintWindow() override;
  void ActivateHint(TRect Rect, const std::string& AHint) override;
  void Dispatch(TMessage& Message) override;
  // The size the text needs (markers not counted): for several lines the widest line plus 8 and the height of
  // the whole text; else the text's size. Fills Lines.
  TPoint TextSize(const std::string& S);
  TFont* BoldFont() const { return FBoldFont.get(); }
  const std::vector<std::string>& Lines() const { return FLines; }
  const std::vector<int>& LineHeights() const { return FLineHeights; }

protected:
  void CreateWnd() override;
  void Paint() override;
  void NCPaint(HDC DC) override;

private:
  void DrawFrame(HDC DC);
  std::unique_ptr<TFont> FBoldFont;
  std::vector<std::string> FLines;
  std::vector<int> FLineHeights;
  bool FSizeLocked = false;
};

// A non-visual component that shows hints; the owner keeps it. States: 2 waiting to show, 0 shown, 1 hiding.
class ZEZHint : public TComponent {
  Z_CLASS(ZEZHint, TComponent)
public:
  explicit ZEZHint(TComponent* AOwner);
  ~ZEZHint() override;
  static void Publish(TMetaClass& Meta);

  // Shows Text 20 pixels below the cursor.
  void ActivateHint(const std::string& Text);
  // Shows Text at Point (screen coordinates); an empty text cancels the hint.
  void ActivateHintAtPos(TPoint Point, const std::string& Text);
  void CancelHint();
  void HideHintWindow();
  void DrawHintWindow();
  virtual void ExecHintTimer();
  virtual void VisibleChanged();
  // Point lies in Rect extended upwards by its own height (right and bottom edges excluded).
  virtual bool IsHintInRect(const TRect& Rect, const TPoint& Point);
  TPoint GetSize(const std::string& Text);

  bool Visible() const;
  void SetVisible(bool Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TFont* BoldFont() const { return FBoldFont.get(); }
  void SetBoldFont(TFont* Value);
  Cardinal Interval() const;
  void SetInterval(Cardinal Value);
  ZEZHintWindow* HintWindow() const { return FHintWindow; }
  TTimer* HintTimer() const { return FHintTimer; }

  bool AutoHide = true;
  bool Immediate = true;
  TNotifyEvent OnVisibleChanged;
  TRect HintRect;
  Byte HintState = 0;
  int TickCount = 0;
  int HintOffset = 0;

private:
  void Activate(TPoint Point, const std::string& Text, int Offset);
  ZEZHintWindow* FHintWindow;  // owned as a component
  TTimer* FHintTimer;          // owned as a component
  std::unique_ptr<TFont> FBoldFont;
  std::string FCaption;
};

}  // namespace Dccontrols
