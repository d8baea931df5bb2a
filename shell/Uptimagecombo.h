// Combo boxes of the shell controls: TPTCombobox, a combo box with close-up, selection-end and item-deletion
// events, and TPTImageCombo, an owner-drawn combo box whose entries carry an image, an overlay and an indent
// level, with captions and images that may be filled only when an entry is drawn.
#pragma once

#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ImgList.h"

#include <functional>
#include <string>

// aItem: the data value of the entry being deleted.
using TPTDeleteComboItemEvent = std::function<void(TObject* aSender, void* aItem)>;

class TPTCustomCombobox : public TCustomComboBox {
  Z_CLASS(TPTCustomCombobox, TCustomComboBox)

public:
  explicit TPTCustomCombobox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
  void Dispatch(TMessage& Message) override;

  TPTDeleteComboItemEvent OnDeleteItem;
  TNotifyEvent OnSelEndCancel;
  TNotifyEvent OnSelEndOk;

protected:
  // An entry with a non-zero data value goes away (deleted, cleared, or its window destroyed for good); its
  // value was cleared first.
  virtual void DeleteItem(void* Item);
  virtual void SelEndOk();
  virtual void SelEndCancel();

private:
  // Runs DeleteItem for the entries from First to Last that have a data value.
  void DeletingEntries(int First, int Last);
};

class TPTCombobox : public TPTCustomCombobox {
  Z_CLASS(TPTCombobox, TPTCustomCombobox)

public:
  using TPTCustomCombobox::TPTCustomCombobox;
  static void Publish(TMetaClass& Meta);
};

class TPTCustomImageCombo;

// One entry of an image combo box; owned by the combo box from AddItem until the entry is deleted. Changing what
// it shows repaints the combo box.
class TPTImageComboItem : public TObject {
  Z_CLASS(TPTImageComboItem, TObject)
  friend class TPTCustomImageCombo;

public:
  explicit TPTImageComboItem(TPTCustomImageCombo* Combo) : FCombo(Combo) {}
  TPTCustomImageCombo* Combo() const { return FCombo; }
  // The entry's position in the combo box when it was added.
  int Index() const { return FIndex; }
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  // -1: not known yet (filled when drawn).
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // -1: none.
  int OverlayIndex() const { return FOverlayIndex; }
  void SetOverlayIndex(int Value);
  // Empty: not known yet (filled when drawn).
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  // Whatever the combo box's user keeps with the entry; not owned.
  TObject* Data = nullptr;

private:
  void Changed();
  TPTCustomImageCombo* FCombo;
  int FIndex = -1;
  int FIndent = 0;
  int FImageIndex = -1;
  int FOverlayIndex = -1;
  std::string FCaption;
};

using TPTGetImageComboItemDataEvent = std::function<void(TObject* aSender, TPTImageComboItem* aItem)>;

class TPTCustomImageCombo : public TPTCustomCombobox {
  Z_CLASS(TPTCustomImageCombo, TPTCustomCombobox)

public:
  explicit TPTCustomImageCombo(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  // Appends an entry and returns it (the combo box owns it).
  virtual TPTImageComboItem* AddItem(const std::string& Caption, int ImageIndex, int Indent);
  TPTImageComboItem* GetImageComboItem(int Index);
  int ItemCount();
  // Removes every entry (their objects are freed).
  void ClearItems();

  int IndentPixels() const { return FIndentPixels; }
  void SetIndentPixels(int Value);
  bool AutoSizeHeight() const { return FAutoSizeHeight; }
  void SetAutoSizeHeight(bool Value);
  TCustomImageList* ImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* Value);
  // The item height for a font: its text height plus 2, at least the images' height (with AutoSizeHeight).
  void AutoSize(TFont* Font) { DoAutoSize(Font); }
  virtual void DoAutoSize(TFont* Font);
  // Sets the height of the entries and of the selection field; the entries stay.
  void SetItemHeight2(int Height);
  int ItemHeight2() const { return FItemHeight2; }

  TPTGetImageComboItemDataEvent OnGetItemData;

protected:
  // Gives an entry its caption and image without repainting (while it is being drawn).
  static void SetItemValues(TPTImageComboItem* Item, const std::string& Caption, int ImageIndex) {
    Item->FCaption = Caption;
    Item->FImageIndex = ImageIndex;
  }
  // Fills what an entry lacks before it is drawn: OnGetItemData here.
  virtual void GetItemData(TPTImageComboItem* Item);
  void DeleteItem(void* Item) override;
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  int FIndentPixels = 12;
  bool FAutoSizeHeight = true;
  TCustomImageList* FImageList = nullptr;
  int FItemHeight2 = 0;
  bool FInFontChange = false;
};

class TPTImageCombo : public TPTCustomImageCombo {
  Z_CLASS(TPTImageCombo, TPTCustomImageCombo)

public:
  using TPTCustomImageCombo::TPTCustomImageCombo;
  static void Publish(TMetaClass& Meta);
};
