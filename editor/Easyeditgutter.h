// The editor's chrome objects: gutter, right margin, line-number column, named line styles, line divider and
// the colour set. Each is owned by its editor, repaints it when it changes and is stored with the form.
#pragma once

#include "editor/Easyattributes.h"
#include "editor/Easycontrols.h"
#include "platform/classes/Persistent.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImgList.h"

#include <memory>
#include <string>

class TCustomEasyEdit;
class TFiler;
class TStream;

// The gutter background: the gutter column's picture, with the gutter edge drawn into it.
class TEasyGutterBackground : public TEasyControlBackground {
  Z_CLASS(TEasyGutterBackground, TEasyControlBackground)
public:
  explicit TEasyGutterBackground(TCustomEasyEdit* AEdit = nullptr);
  TRect GetPaintRect() override;
  TBrush* GetPaintBrush() override;
  void Paint() override;

private:
  TCustomEasyEdit* FEdit;
};

// The gutter column at the editor's left edge: its fill, two-tone edge, images and background picture.
class TEasyEditorGutter : public TPersistent {
  Z_CLASS(TEasyEditorGutter, TPersistent)
public:
  explicit TEasyEditorGutter(TCustomEasyEdit* AEdit = nullptr);
  ~TEasyEditorGutter() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;

  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  TImageList* Images() const { return FImages.get(); }
  void SetImages(TImageList* Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  TEasyGutterBackground* Background() const { return FBackground.get(); }
  void SetBackground(TEasyGutterBackground* Value) { FBackground->Assign(Value); }
  bool ImagesModified() const { return FImagesModified; }
  TCustomEasyEdit* Edit() const { return FEdit; }
  bool IsBackgroundStored() const { return StoreBackground; }

  // The width the editor lays out: 0 without eoPaintGutter; at least the number column's with numbers on it.
  int GetWidth();
  TNotifyEvent OnChange;
  bool StoreBackground = true;

protected:
  void DefineProperties(TFiler* Filer) override;
  void GutterChanged(TObject* Sender);
  void ImagesChanged(TObject* Sender);

private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TColor FBackColor = clWindow;
  std::unique_ptr<TImageList> FImages;
  std::unique_ptr<TChangeLink> FImagesLink;
  int FWidth = 32;
  TCustomEasyEdit* FEdit;
  int FIndent = 0;
  std::unique_ptr<TEasyGutterBackground> FBackground;
  bool FImagesModified = false;
};

// The right-margin line at column Position.
class TEasyEditorMargin : public TPersistent {
  Z_CLASS(TEasyEditorMargin, TPersistent)
public:
  explicit TEasyEditorMargin(TCustomEasyEdit* AEdit = nullptr);
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  TNotifyEvent OnChange;

protected:
  void MarginChanged(TObject* Sender);

private:
  std::unique_ptr<TPen> FPen;
  int FPosition = 80;
  TCustomEasyEdit* FEdit;
};

enum TEasyLineNumbersOption { lnPaintOnGutter, lnPaintBeyondEof };
Z_ENUM_TYPEINFO(TEasyLineNumbersOption, "lnPaintOnGutter", "lnPaintBeyondEof")
using TEasyLineNumbersOptions = TSet<TEasyLineNumbersOption, lnPaintBeyondEof>;
enum TEasyLineNumbersAlign { lnLeft, lnRight };
Z_ENUM_TYPEINFO(TEasyLineNumbersAlign, "lnLeft", "lnRight")

// The line-number column: beside the gutter or drawn on it.
class TEasyLineNumbers : public TPersistent {
  Z_CLASS(TEasyLineNumbers, TPersistent)
public:
  explicit TEasyLineNumbers(TCustomEasyEdit* AEdit = nullptr) : FEdit(AEdit) {}
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  // Re-measures the column (unless RepaintOnly) and repaints the editor.
  void Update(bool RepaintOnly);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TEasyLineNumbersOptions Options() const { return FOptions; }
  void SetOptions(TEasyLineNumbersOptions Value);
  TEasyLineNumbersAlign Alignment() const { return FAlignment; }
  void SetAlignment(TEasyLineNumbersAlign Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  int LeftIndent() const { return FLeftIndent; }
  void SetLeftIndent(int Value);
  int StartFrom() const { return FStartFrom; }
  void SetStartFrom(int Value);

private:
  TColor FColor = 0;
  TColor FBackColor = clWindow;
  bool FVisible = false;
  TEasyLineNumbersOptions FOptions;
  TEasyLineNumbersAlign FAlignment = lnLeft;
  int FIndent = 2;
  int FLeftIndent = 0;
  int FStartFrom = 0;
  TCustomEasyEdit* FEdit;
};

// A named style that colours whole lines; a line's style is an index into the editor's collection.
class TEasyLineStyle : public TCollectionItem {
  Z_CLASS(TEasyLineStyle, TCollectionItem)
public:
  explicit TEasyLineStyle(TCollection* ACollection);
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool IgnoreColors() const { return FIgnoreColors; }
  void SetIgnoreColors(bool Value);

protected:
  std::string GetDisplayName() override { return FName; }

private:
  TCustomEasyEdit* Editor() const;
  void RepaintEditor() const;
  TColor FColor = clWindow;
  TColor FBackColor = clHighlight;
  std::string FName;
  int FImageIndex = -1;
  bool FIgnoreColors = false;
};

class TEasyLineStyles : public TOwnedCollection {
  Z_CLASS(TEasyLineStyles, TOwnedCollection)
public:
  explicit TEasyLineStyles(TPersistent* AOwner = nullptr);
  TEasyLineStyle* GetItem(int Index) const { return static_cast<TEasyLineStyle*>(Items(Index)); }
  void SetItem(int Index, TEasyLineStyle* Value) { GetItem(Index)->Assign(Value); }
  // The first style whose name equals Name ignoring letter case, -1 when none.
  int IndexOfName(const std::string& Name) const;
};

enum TEasyLineDividerOption { ldSeparateLines, ldSeparateWrapLines, ldHighlightCurrentLine };
Z_ENUM_TYPEINFO(TEasyLineDividerOption, "ldSeparateLines", "ldSeparateWrapLines", "ldHighlightCurrentLine")
using TEasyLineDividerOptions = TSet<TEasyLineDividerOption, ldHighlightCurrentLine>;

// Lines between text lines and the current-line highlight.
class TEasyLineDivider : public TPersistent {
  Z_CLASS(TEasyLineDivider, TPersistent)
public:
  explicit TEasyLineDivider(TCustomEasyEdit* AEdit = nullptr);
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TEasyLineDividerOptions Options() const { return FOptions; }
  void SetOptions(TEasyLineDividerOptions Value);
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value);
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  virtual void Changed(TObject* Sender);

private:
  TCustomEasyEdit* FEdit;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TEasyLineDividerOptions FOptions;
};

// The editor's colours: selection, found text, read-only and disabled backgrounds, live spelling, addresses and
// formatting marks.
class TEasyEditorColors : public TCustomEasyEditorColors {
  Z_CLASS(TEasyEditorColors, TCustomEasyEditorColors)
public:
  explicit TEasyEditorColors(TCustomEasyEdit* AEdit = nullptr);
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  void SetSelColor(Integer Value) override;
  void SetSelBackColor(Integer Value) override;
  void SetSearchMatchColor(Integer Value) override;
  void SetSearchMatchBackColor(Integer Value) override;
  void SetReadOnlyColor(Integer Value) override;
  void SetDisabledColor(Integer Value) override;
  void SetInActiveSelColor(Integer Value) override;
  void SetInActiveSelBackColor(Integer Value) override;
  void SetLiveSpellColor(Integer Value) override;
  void SetHyperStringColor(Integer Value) override;
  void SetFmtMarkColor(Integer Value) override;
  virtual void Changed();
  // The selection colours in effect: the inactive pair while the editor has no focus.
  TColor GetSelColor() const;
  TColor GetSelBackColor() const;
  TNotifyEvent OnChange;

private:
  bool Set(Integer& Field, Integer Value);
  void RepaintSelection();
  TCustomEasyEdit* FEdit;
};
