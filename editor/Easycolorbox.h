// Owner-drawn pickers for settings forms: a colour box, a pen-style box and a brush-style box, each showing a
// small sample before the item's name. Every item's object is its value (a colour, or a style's ordinal).
#pragma once

#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Graphics.h"

#include <memory>

// The named colours of the class library, then (with UseCustomColor) "Custom" carrying CustomColor.
class TEasyColorBox : public TCustomComboBox {
  Z_CLASS(TEasyColorBox, TCustomComboBox)
public:
  explicit TEasyColorBox(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value);
  TColor CustomColor() const { return FCustomColor; }
  void SetCustomColor(TColor Value);
  bool UseCustomColor() const { return FUseCustomColor; }
  void SetUseCustomColor(bool Value);
  // The value of item Index.
  TColor ItemColor(int Index);
  // Draws item Index into R of Canvas (what the list shows for it).
  void DrawItem(int Index, const TRect& R, TOwnerDrawState State) override;

protected:
  void CreateWnd() override;
  void Change() override;
  void Select() override;

private:
  void RebuildItems();
  void SelectValue(TColor Value);
  int CustomIndex();
  TColor FSelectedColor = 0;
  TColor FCustomColor = 0;
  bool FUseCustomColor = true;
};

// A picker of styles; descendants list the styles and select the current one.
class TCustomEasyStyleBox : public TCustomComboBox {
  Z_CLASS(TCustomEasyStyleBox, TCustomComboBox)
public:
  explicit TCustomEasyStyleBox(TComponent* AOwner);
  virtual void AddStyles() = 0;
  virtual void SetIndexFromStyle() = 0;

protected:
  void CreateWnd() override;
  // The item whose value is Value (-1: none).
  int IndexOfValue(int Value);
};

class TEasyPenStyleBox : public TCustomEasyStyleBox {
  Z_CLASS(TEasyPenStyleBox, TCustomEasyStyleBox)
public:
  explicit TEasyPenStyleBox(TComponent* AOwner);
  ~TEasyPenStyleBox() override;
  static void Publish(TMetaClass& Meta);
  TPenStyle PenStyle() const { return FPenStyle; }
  void SetPenStyle(TPenStyle Value);
  void AddStyles() override;
  void SetIndexFromStyle() override;
  void DrawItem(int Index, const TRect& R, TOwnerDrawState State) override;

protected:
  void Change() override;
  void Select() override;

private:
  TPenStyle FPenStyle = psSolid;
  std::unique_ptr<TPen> FSparePen;
};

class TEasyBrushStyleBox : public TCustomEasyStyleBox {
  Z_CLASS(TEasyBrushStyleBox, TCustomEasyStyleBox)
public:
  explicit TEasyBrushStyleBox(TComponent* AOwner);
  ~TEasyBrushStyleBox() override;
  static void Publish(TMetaClass& Meta);
  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value);
  void AddStyles() override;
  void SetIndexFromStyle() override;
  void DrawItem(int Index, const TRect& R, TOwnerDrawState State) override;

protected:
  void Change() override;
  void Select() override;

private:
  TBrushStyle FBrushStyle = bsSolid;
  std::unique_ptr<TBrush> FSpareBrush;
};
