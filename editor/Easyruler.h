// TEasyRuler: a ruler along the editor's top or left edge with a scale between a page start and a page end,
// two margin bands the user can drag (indentations) and, on a horizontal ruler, four paragraph sliders.
#pragma once

#include "editor/Easyeditruler.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/Graphics.h"

#include <functional>
#include <memory>

class TEasyRuler;

enum TEasyRulerOrientation { roHorizontal, roVertical };
Z_ENUM_TYPEINFO(TEasyRulerOrientation, "roHorizontal", "roVertical")
enum TEasyRulerOption { roDiscrete, roShowSliders, roFixedIndents, roDrawMoveLine };
Z_ENUM_TYPEINFO(TEasyRulerOption, "roDiscrete", "roShowSliders", "roFixedIndents", "roDrawMoveLine")
using TEasyRulerOptions = TSet<TEasyRulerOption, roDrawMoveLine>;
enum TEasyIndentOrientation { ioLeft, ioRight };
enum TEasyRulerSliderType { rtFirst, rtLeft, rtRight, rtBottom };
enum TEasySliderOrientation { toUp, toDown };

// Called when a dragged slider or indentation is released.
using TEasyRulerChangeEvent = std::function<void(TObject* Sender, TCollectionItem* Item)>;

// A margin band: Indent pixels from the page start (left side) or back from the page end (right side).
class TEasyRulerIndentation : public TCollectionItem {
  Z_CLASS(TEasyRulerIndentation, TCollectionItem)
public:
  explicit TEasyRulerIndentation(TCollection* ACollection) : TCollectionItem(ACollection) {}
  int Indent() const { return FIndent; }
  void SetIndent(int Value) { FIndent = Value < 0 ? 0 : Value; }
  TEasyIndentOrientation Side = ioLeft;
  bool Pressed = false;

private:
  int FIndent = 36;
};

// A paragraph slider of a horizontal ruler; the subclasses draw its shape.
class TEasyRulerSlider : public TCollectionItem {
  Z_CLASS(TEasyRulerSlider, TCollectionItem)
public:
  explicit TEasyRulerSlider(TCollection* ACollection) : TCollectionItem(ACollection) {}
  virtual void PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation Pointing);
  int Indent() const { return FIndent; }
  void SetIndent(int Value) { FIndent = Value < 0 ? 0 : Value; }
  TEasyRulerSliderType Type = rtFirst;
  TEasySliderOrientation Pointing = toUp;
  bool AnchorRight = false;
  int Top = 0;
  bool Pressed = false;

private:
  int FIndent = 0;
};

class TFirstRulerSlider : public TEasyRulerSlider {
  Z_CLASS(TFirstRulerSlider, TEasyRulerSlider)
public:
  using TEasyRulerSlider::TEasyRulerSlider;
  void PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation Pointing) override;
};
class TLeftRulerSlider : public TEasyRulerSlider {
  Z_CLASS(TLeftRulerSlider, TEasyRulerSlider)
public:
  using TEasyRulerSlider::TEasyRulerSlider;
  void PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation Pointing) override;
};
class TRightRulerSlider : public TEasyRulerSlider {
  Z_CLASS(TRightRulerSlider, TEasyRulerSlider)
public:
  using TEasyRulerSlider::TEasyRulerSlider;
  void PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation Pointing) override;
};
class TBottomRulerSlider : public TEasyRulerSlider {
  Z_CLASS(TBottomRulerSlider, TEasyRulerSlider)
public:
  using TEasyRulerSlider::TEasyRulerSlider;
  void PaintToCanvas(TCanvas* Canvas, const TRect& R, TEasySliderOrientation Pointing) override;
};

class TEasyRulerSliders : public TOwnedCollection {
  Z_CLASS(TEasyRulerSliders, TOwnedCollection)
public:
  explicit TEasyRulerSliders(TPersistent* AOwner = nullptr);
  TEasyRulerSlider* Slider(int I) const { return static_cast<TEasyRulerSlider*>(Items(I)); }
};

class TEasyRulerIndentations : public TOwnedCollection {
  Z_CLASS(TEasyRulerIndentations, TOwnedCollection)
public:
  explicit TEasyRulerIndentations(TPersistent* AOwner = nullptr);
  TEasyRulerIndentation* Indentation(int I) const { return static_cast<TEasyRulerIndentation*>(Items(I)); }
};

// The ruler control. It paints into a back bitmap and copies it in one piece; it captures the mouse while an
// item is dragged and reports the released item through OnChange.
class TEasyRuler : public TCustomControl {
  Z_CLASS(TEasyRuler, TCustomControl)
public:
  explicit TEasyRuler(TComponent* AOwner);
  ~TEasyRuler() override;

  TEasyRulerOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TEasyRulerOrientation Value);
  TEasyRulerSliders* Sliders() const { return FSliders.get(); }
  void SetSliders(TEasyRulerSliders* Value) {
    FSliders->Assign(Value);
    Invalidate();
  }
  TEasyRulerIndentations* Indentations() const { return FIndentations.get(); }
  void SetIndentations(TEasyRulerIndentations* Value) {
    FIndentations->Assign(Value);
    Invalidate();
  }
  int PageStart() const { return FPageStart; }
  void SetPageStart(int Value);
  int PageEnd() const { return FPageEnd; }
  void SetPageEnd(int Value);
  TEasyRulerOptions Options() const { return FOptions; }
  void SetOptions(TEasyRulerOptions Value);
  TEasyRulerUnits Units() const { return FUnits; }
  void SetUnits(TEasyRulerUnits Value);
  int PixelsPerMark() const { return FPixelsPerMark; }
  void SetPixelsPerMark(int Value);
  int LeftPageIndent() const;
  void SetLeftPageIndent(int Value);
  int RightPageIndent() const;
  void SetRightPageIndent(int Value);
  TEasyRulerChangeEvent OnChange;

  void UpdateOrientation(TEasyRulerOrientation O);
  void UpdateSliders();
  int IndentationPos(TEasyRulerIndentation* I) const;
  int SliderPos(TEasyRulerSlider* S) const;
  TRect SliderBoundsRect(TEasyRulerSlider* S) const;
  TRect IndentationBoundsRect(TEasyRulerIndentation* I) const;
  TRect IndentationHitRect(TEasyRulerIndentation* I) const;
  int GetDiscreteInterval(int D) const;
  int GetMaxLeftIndent() const;
  int GetMinRightIndent() const;
  void UpdateIndent(int Value, TEasyRulerSliderType Type);
  void SliderMove(int X);
  void IndentationMove(int X, int Y);
  // The distance of mark N from the origin, in pixels.
  int MarkDistance(int N) const;
  // Where the guide line was drawn last (-1: none).
  int GuidePosition() const { return FGuidePos; }
  // Paints the whole ruler into a bitmap of its size (what the screen shows).
  void PaintTo(TBitmap* Target);

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void DrawLine(int Pos);
  void PaintMarks(TCanvas* C);
  void FontChanged();
  TEasyRulerSlider* FindSlider(TEasyRulerSliderType Type) const;
  TEasyRulerOrientation FOrientation = roHorizontal;
  std::unique_ptr<TEasyRulerSliders> FSliders;
  std::unique_ptr<TEasyRulerIndentations> FIndentations;
  int FPageStart = 0;
  int FPageEnd = 400;
  TEasyRulerOptions FOptions;
  TEasyRulerUnits FUnits = erMilimeters;
  int FPixelsPerMark = 8;
  std::unique_ptr<TFont> FRulerFont;
  HFONT FRotatedFont = 0;
  std::unique_ptr<TBitmap> FBackBitmap;
  int FGuidePos = -1;
};
