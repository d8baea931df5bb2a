// Frame drawing in the system's 3-D colours, and two controls that use it: TPTGroup, a container whose frame (a
// group box with its caption, or a 3-D border) lies in the non-client area so that children get the whole inner
// area, and TPTFrame, a windowless framed label.
#pragma once

#include "platform/controls/Controls.h"

#include <functional>
#include <string>

enum TPTFrameStyle {
  ptfsNone, ptfsGroup, ptfsLowered, ptfsRaised, ptfsDint, ptfsBump, ptfsSingle, ptfsHorzLine, ptfsHorzEdge,
  ptfsVertLine, ptfsVertEdge
};
Z_ENUM_TYPEINFO(TPTFrameStyle, "ptfsNone", "ptfsGroup", "ptfsLowered", "ptfsRaised", "ptfsDint", "ptfsBump",
                "ptfsSingle", "ptfsHorzLine", "ptfsHorzEdge", "ptfsVertLine", "ptfsVertEdge")

// The rectangles below are inclusive: Right and Bottom are the last pixels of the frame (callers pass a client
// rectangle less one pixel at the right and bottom).

// Draws a frame style; ptfsNone draws nothing, ptfsGroup a group frame without caption in the brush's colour.
void DrawFrame(TPTFrameStyle Style, TCanvas* Canvas, const TRect& R);
// Shrinks R to the area inside the frame of a style (ptfsGroup and ptfsNone leave it as it is).
void AdjustRectForFrame(TPTFrameStyle Style, TRect& R);
void DrawLoweredFrame(TCanvas* Canvas, const TRect& R);
void DrawRaisedFrame(TCanvas* Canvas, const TRect& R);
void DrawDintFrame(TCanvas* Canvas, const TRect& R);
void DrawBumpFrame(TCanvas* Canvas, const TRect& R);
void DrawSingleFrame(TCanvas* Canvas, const TRect& R);
void DrawHorzLine(TCanvas* Canvas, const TRect& R, TColor First, TColor Second);
void DrawHorzEdge(TCanvas* Canvas, const TRect& R, TColor First, TColor Second);
void DrawVertLine(TCanvas* Canvas, const TRect& R, TColor First, TColor Second);
void DrawVertEdge(TCanvas* Canvas, const TRect& R, TColor First, TColor Second);
// A group box: the area filled with Color, an etched frame whose top runs through the caption's middle, and the
// caption (engraved when not Enabled) from 8 pixels in, on Color, single line, with an ellipsis when too long.
void DrawGroupFrame(TCanvas* Canvas, const TRect& R, const std::string& Caption, bool Enabled, TColor Color);

// Draws (or with DT_CALCRECT measures) a caption; a measured caption that is empty, or a lone "&" while prefixes
// count, is measured as one blank so that its height is never zero.
int PTDrawCaptionText(HDC DC, const std::string& Caption, TRect& R, UINT Format);

using TPTPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;

// A windowed container with its frame in the non-client area. Children see only the inner area as client area.
class TPTCustomGroup : public TCustomControl {
  Z_CLASS(TPTCustomGroup, TCustomControl)

public:
  explicit TPTCustomGroup(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  TPTFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TPTFrameStyle Value);
  int FrameSpace() const { return FFrameSpace; }
  void SetFrameSpace(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  // Sets every child's enabled state.
  void EnableAllChildren(bool Enabled);
  // Makes the window compute and draw its frame again (its size, place and z-order stay) when it exists.
  void RepaintNonClient();
  // The client area for a window rectangle (0, 0 based): what the frame leaves inside.
  TRect ClientRectForWindow(const TRect& Window);

  TPTPaintEvent OnPaint;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  // Draws the frame on Canvas over R, the window rectangle moved to 0, 0 (the client area is clipped away).
  virtual void PaintNonClient(TCanvas* Canvas, const TRect& R);

private:
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  TPTFrameStyle FFrameStyle = ptfsGroup;
  int FFrameSpace = 2;
  TAlignment FAlignment = taCenter;
  bool FDefaultDrawing = true;
  bool FFrameChanged = false;
};

class TPTGroup : public TPTCustomGroup {
  Z_CLASS(TPTGroup, TPTCustomGroup)

public:
  using TPTCustomGroup::TPTCustomGroup;
  static void Publish(TMetaClass& Meta);
};

// A windowless framed label: the frame of FrameStyle round the control, the caption inside it.
class TPTCustomFrame : public TGraphicControl {
  Z_CLASS(TPTCustomFrame, TGraphicControl)

public:
  explicit TPTCustomFrame(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  TPTFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TPTFrameStyle Value);
  int FrameSpace() const { return FFrameSpace; }
  void SetFrameSpace(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  // Invalidates, without erasing, the part of the parent inside the frame.
  void InvalidateInterior();

  TPTPaintEvent OnPaint;

protected:
  void Paint() override;

private:
  TPTFrameStyle FFrameStyle = ptfsLowered;
  int FFrameSpace = 2;
  TAlignment FAlignment = taCenter;
  bool FDefaultDrawing = true;
};

class TPTFrame : public TPTCustomFrame {
  Z_CLASS(TPTFrame, TPTCustomFrame)

public:
  using TPTCustomFrame::TPTCustomFrame;
  static void Publish(TMetaClass& Meta);
};
