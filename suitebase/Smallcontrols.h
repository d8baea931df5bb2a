// The suite's small classes: hidden message windows (one that calls a method, one that hands its messages to an
// object), a tab control that cycles its tabs with Ctrl+Tab, a speed button that keeps its glyph lean and the
// abstract OLE control base; and the transparent drawing of pictures.
#pragma once

#include "platform/controls/Buttons.h"
#include "platform/controls/ComCtrls.h"
#include "platform/graphics/ImgList.h"

#include <functional>
#include <string>

namespace Dccommon {

using TWndMethod = std::function<void(TMessage& Message)>;

// Owns one hidden window of the class "ClipboardClass" whose messages go to the method given; the window goes
// with the object.
class THandleObject : public TObject {
  Z_CLASS(THandleObject, TObject)
public:
  explicit THandleObject(TWndMethod Method);
  ~THandleObject() override;
  THandleObject(const THandleObject&) = delete;
  THandleObject& operator=(const THandleObject&) = delete;
  HWND Handle() const { return FHandle; }

private:
  static LRESULT WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  HWND FHandle = 0;
  TWndMethod FMethod;
};

// Hands every message of its window to the target's message handlers (its default handler for the others); the
// platform's default window procedure is never called. Without a target nothing happens.
class ZEZHandleObject : public THandleObject {
  Z_CLASS(ZEZHandleObject, THandleObject)
public:
  explicit ZEZHandleObject(TObject* Target);
  void PostMsg(UINT Msg, WPARAM WParam, LPARAM LParam);
};

// Ctrl+Tab (Ctrl+Shift+Tab backwards) switches tabs while the form's active control lies inside it.
class ZEZTabControl : public TTabControl {
  Z_CLASS(ZEZTabControl, TTabControl)
public:
  using TTabControl::TTabControl;
  void Dispatch(TMessage& Message) override;
};

// Lets its glyph's image go after every change, so that many buttons hold few graphics resources.
class ZEZSpeedButton : public TSpeedButton {
  Z_CLASS(ZEZSpeedButton, TSpeedButton)
public:
  explicit ZEZSpeedButton(TComponent* AOwner);
  int GlyphChanges() const { return FGlyphChanges; }

private:
  TNotifyEvent FOldGlyphChange;
  int FGlyphChanges = 0;
};
void SetFlatPropToAll(TComponent* Owner, bool Flat);

// The base of the suite's OLE control wrappers.
class TCustomDCOleControl : public TCustomControl {
  Z_CLASS(TCustomDCOleControl, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  virtual std::string GetOleName() = 0;
  virtual TObject* GetOleObject() = 0;
  virtual void SetEvent(int Index, const std::string& Value) = 0;
  virtual std::string GetEvent(int Index) = 0;
};

// Copies the source stretched onto the destination leaving out the pixels of TransparentColor.
void StretchBltTransparent(HDC DstDC, int DstX, int DstY, int DstW, int DstH, HDC SrcDC, int SrcX, int SrcY, int SrcW,
                           int SrcH, COLORREF TransparentColor);
// Draws image Index of an image list, or a bitmap stretched (its top-left pixel transparent), on BackColor at the
// rectangle; other kinds of image draw nothing.
void DrawImage(TCanvas* Canvas, TPersistent* Image, TColor BackColor, const TRect& Rect, int Index);

}  // namespace Dccommon
