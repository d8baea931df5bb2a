// Item trees: menu and toolbar items, their subitem lists, change notifications, option inheritance, image-list
// links, action links, shortcut lookup and the deferred click.
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/classes/Component.h"
#include "platform/controls/ActnList.h"
#include "platform/graphics/ImgList.h"
#include "platform/rtl/Exceptions.h"
#include "toolbars/Tb2common.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TControl;
class TTBBaseSkin;
class TTBCustomItem;
class TTBItemViewer;
class TTBView;

Z_EXCEPTION(ETBItemError, Exception)

enum TTBItemChangedAction {
  tbicInserted, tbicDeleting, tbicSubitemsChanged, tbicSubitemsBeginUpdate, tbicSubitemsEndUpdate, tbicInvalidate,
  tbicInvalidateAndResize, tbicRecreateItemViewers, tbicNameChanged, tbicSubMenuImagesChanged
};
// (Sender, Relayed, Action, Index, Item)
using TTBItemChangedProc =
    TTBMethod<void(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, int Index, TTBCustomItem* Item)>;

enum TTBItemDisplayMode { nbdmDefault, nbdmTextOnly, nbdmTextOnlyInMenus, nbdmImageAndText };
Z_ENUM_TYPEINFO(TTBItemDisplayMode, "nbdmDefault", "nbdmTextOnly", "nbdmTextOnlyInMenus", "nbdmImageAndText")

enum TTBItemOption {
  tboDefault, tboDropdownArrow, tboImageAboveCaption, tboLongHintInMenuOnly, tboNoRotation, tboShowHint,
  tboToolbarStyle, tboToolbarSize
};
Z_ENUM_TYPEINFO(TTBItemOption, "tboDefault", "tboDropdownArrow", "tboImageAboveCaption", "tboLongHintInMenuOnly",
                "tboNoRotation", "tboShowHint", "tboToolbarStyle", "tboToolbarSize")
using TTBItemOptions = TSet<TTBItemOption, tboToolbarSize>;

enum TTBItemStyleFlag {
  tbisSubmenu, tbisSelectable, tbisSeparator, tbisEmbeddedGroup, tbisClicksTransparent, tbisCombo, tbisNoAutoOpen,
  tbisSubitemsEditable, tbisNoLineBreak, tbisRightAlign, tbisDontSelectFirst, tbisRedrawOnSelChange,
  tbisRedrawOnMouseOverChange
};
using TTBItemStyle = TSet<TTBItemStyleFlag, tbisRedrawOnMouseOverChange>;

using TTBPopupEvent = std::function<void(TTBCustomItem* Sender, bool FromLink)>;
using TTBSelectEvent = std::function<void(TTBCustomItem* Sender, TTBItemViewer* Viewer, bool Selecting)>;
// Makes the viewer that shows an item in a view.
using TTBItemViewerClass = TTBItemViewer* (*)(TTBView* AView, TTBCustomItem* AItem);

// What a menu loop leaves to do once it has returned.
enum TTBDoneAction { tbdaNone, tbdaClickItem, tbdaOpenSystemMenu, tbdaHelpContext };
struct TTBDoneActionData {
  TTBDoneAction DoneAction = tbdaNone;
  TTBCustomItem* ClickItem = nullptr;  // tbdaClickItem
  bool Sound = false;
  HWND Wnd = 0;                        // tbdaOpenSystemMenu
  WORD Key = 0;
  int ContextID = 0;                   // tbdaHelpContext
};
// Runs a done action: a click is posted to this thread's click window (message 0x500) and so runs after every
// message already queued, paints included.
void ExecuteDoneAction(const TTBDoneActionData& Data);
inline constexpr UINT WM_TB2K_CLICKITEM = 0x500;

// The interface of the components that hold a root item (toolbars, popup menus, item containers).
class ITBItems {
public:
  virtual ~ITBItems() = default;
  virtual TTBCustomItem* GetItems() = 0;
};

// Tells an item that an image list it uses changed; remembers the list's image size to tell a size change apart.
class TTBImageChangeLink : public TChangeLink {
  Z_CLASS(TTBImageChangeLink, TChangeLink)

public:
  TTBImageChangeLink() = default;
  int LastWidth = 0;
  int LastHeight = 0;
};

class TTBCustomItemActionLink;

// An item: a command (caption, image, shortcut, check mark, click or action) and the ordered list of its subitems.
// Owned by its Owner (a form or the component that made it); a parent's list holds it without owning it, but
// freeing a parent frees its subitems. Views learn of every change through registered notification procedures.
class TTBCustomItem : public TComponent {
  Z_CLASS(TTBCustomItem, TComponent)
  friend class TTBCustomItemActionLink;

public:
  explicit TTBCustomItem(TComponent* AOwner);
  ~TTBCustomItem() override;
  void BeforeDestruction() override;

  // ---- The subitem list ----
  int Count() const { return static_cast<int>(FItems.size()); }
  TTBCustomItem* GetItem(int Index) const;  // out of range: ETBItemError
  TTBCustomItem* Items(int Index) const { return GetItem(Index); }
  void Add(TTBCustomItem* AItem);
  void Insert(int NewIndex, TTBCustomItem* AItem);
  void Delete(int Index);  // the item is not freed
  int Remove(TTBCustomItem* Item);
  int IndexOf(const TTBCustomItem* AItem) const;
  void Clear();  // frees every subitem, last first
  void Move(int CurIndex, int NewIndex);
  bool ContainsItem(const TTBCustomItem* AItem) const;
  void ViewBeginUpdate();
  void ViewEndUpdate();
  TTBCustomItem* Parent() const { return FParent; }
  TComponent* ParentComponent() const { return FParentComponent; }
  void SetParentComponentLink(TComponent* Value) { FParentComponent = Value; }
  // The item whose subitems views show for this one: LinkSubitems when set, else the item itself.
  TTBCustomItem* SubitemSource() { return FLinkSubitems ? FLinkSubitems : this; }

  // ---- Change notification ----
  void RegisterNotification(const TTBItemChangedProc& Notify);
  void UnregisterNotification(const TTBItemChangedProc& Notify);
  void Notify(TTBCustomItem* Ancestor, TTBItemChangedAction Action, int Index, TTBCustomItem* Item);
  virtual void Change(bool NeedResize);
  void RecreateItemViewers();
  void SubMenuImagesChanged();
  int NotificationCount() const { return static_cast<int>(FNotifyList.size()); }

  // ---- Virtual operations of items ----
  virtual void EnabledChanged();
  virtual TTBView* GetChevronParentView() { return nullptr; }
  virtual TTBItemViewerClass GetItemViewerClass(TTBView* AView);
  virtual bool NeedToRecreateViewer(TTBItemViewer* AViewer) { (void)AViewer; return false; }
  virtual void DoPopup(TTBCustomItem* Sender, bool FromLink);
  virtual void Click();
  virtual void InitiateAction();

  // ---- Other operations ----
  bool IsShortCut(TWMKey& Message);
  TTBCustomItem* FindItemWithShortCut(TShortCut AShortCut, TTBCustomItem*& ATopmostParent);
  std::string GetShortCutText();
  std::string GetHintText();
  TTBItemStyle ItemStyle() const { return FItemStyle; }
  TTBItemOptions EffectiveOptions() const { return FEffectiveOptions; }
  TTBBaseSkin* Skin() const { return FSkin; }
  void SetSkin(TTBBaseSkin* Value) { FSkin = Value; }

  // ---- Properties ----
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TTBCustomItemActionLink* ActionLink() const { return FActionLink.get(); }
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  TTBItemDisplayMode DisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TTBItemDisplayMode Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  THelpContext HelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  TImageIndex ImageIndex() const { return FImageIndex; }
  void SetImageIndex(TImageIndex Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool InheritOptions() const { return FInheritOptions; }
  void SetInheritOptions(bool Value);
  TTBItemOptions MaskOptions() const { return FMaskOptions; }
  void SetMaskOptions(TTBItemOptions Value);
  TTBItemOptions Options() const { return FOptions; }
  void SetOptions(TTBItemOptions Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(TCustomImageList* Value);
  TTBCustomItem* LinkSubitems() const { return FLinkSubitems; }
  void SetLinkSubitems(TTBCustomItem* Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value);
  TTBPopupEvent OnPopup;
  TTBSelectEvent OnSelect;

  // Stored rules: a property that follows the linked action is not written.
  bool IsCaptionStored() const;
  bool IsCheckedStored() const;
  bool IsEnabledStored() const;
  bool IsHintStored() const;
  bool IsHelpContextStored() const;
  bool IsImageIndexStored() const;
  bool IsShortCutStored() const;
  bool IsVisibleStored() const;
  bool IsOnClickStored() const;

  // Streaming.
  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;
  void SetName(const TComponentName& NewName) override;

  // Removes tboToolbarSize unless tboToolbarStyle is there too.
  static TTBItemOptions FixOptions(TTBItemOptions Value);
  // Items alive on this thread (diagnostics of the click window's lifetime).
  static int LiveItemCount();
  static HWND ClickWindow();

protected:
  void ActionChange(TObject* Sender, bool CheckDefaults);
  void DoActionChange(TObject* Sender);
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, Integer Order) override;
  TComponent* GetChildParent() override { return this; }
  void ReadState(TReader* Reader) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void RefreshOptions();
  void TurnSiblingsOff();

  TTBItemStyle FItemStyle{tbisSelectable, tbisRedrawOnSelChange, tbisRedrawOnMouseOverChange};

private:
  bool ChangeImages(TCustomImageList*& AImages, TCustomImageList* Value, std::unique_ptr<TTBImageChangeLink>& ALink);
  void ImageListChangeHandler(TObject* Sender);
  void IndexError() const;

  std::unique_ptr<TTBCustomItemActionLink> FActionLink;
  bool FAutoCheck = false;
  std::string FCaption;
  bool FChecked = false;
  TTBItemDisplayMode FDisplayMode = nbdmDefault;
  bool FEnabled = true;
  TTBItemOptions FEffectiveOptions;
  int FGroupIndex = 0;
  THelpContext FHelpContext = 0;
  std::string FHint;
  TImageIndex FImageIndex = -1;
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TTBImageChangeLink> FImagesChangeLink;
  std::vector<TTBCustomItem*> FItems;
  std::vector<TTBCustomItem*> FLinkParents;
  TTBItemOptions FMaskOptions;
  TTBItemOptions FOptions;
  bool FInheritOptions = true;
  struct TNotifyEntry {
    TTBItemChangedProc Proc;
    int RefCount = 0;
  };
  std::vector<TNotifyEntry> FNotifyList;
  TNotifyEvent FOnClick;
  bool FClickIsActionExecute = false;
  TTBCustomItem* FParent = nullptr;
  TComponent* FParentComponent = nullptr;
  TShortCut FShortCut = 0;
  TCustomImageList* FSubMenuImages = nullptr;
  std::unique_ptr<TTBImageChangeLink> FSubMenuImagesChangeLink;
  TTBCustomItem* FLinkSubitems = nullptr;
  bool FVisible = true;
  TTBBaseSkin* FSkin = nullptr;
};

// The link between an item and a class-library action.
class TTBCustomItemActionLink : public TActionLink {
  Z_CLASS(TTBCustomItemActionLink, TActionLink)

public:
  explicit TTBCustomItemActionLink(TObject* AClient) : TActionLink(AClient) { AssignClient(AClient); }
  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetCaption(const std::string& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(THelpContext Value) override;
  void SetHint(const std::string& Value) override;
  void SetImageIndex(TImageIndex Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(const TNotifyEvent& Value) override;

protected:
  void AssignClient(TObject* AClient) override;
  TTBCustomItem* FClient = nullptr;
};

// A command item as forms publish it.
class TTBItem : public TTBCustomItem {
  Z_CLASS(TTBItem, TTBCustomItem)

public:
  explicit TTBItem(TComponent* AOwner) : TTBCustomItem(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// The root of a toolbar, popup menu or item container.
class TTBRootItem : public TTBCustomItem {
  Z_CLASS(TTBRootItem, TTBCustomItem)

public:
  explicit TTBRootItem(TComponent* AOwner) : TTBCustomItem(AOwner) {}
};

// A group whose subitems are shown in place of it, in its parent's views.
class TTBGroupItem : public TTBCustomItem {
  Z_CLASS(TTBGroupItem, TTBCustomItem)

public:
  explicit TTBGroupItem(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);
};

// An item that opens a submenu of its subitems.
class TTBSubmenuItem : public TTBCustomItem {
  Z_CLASS(TTBSubmenuItem, TTBCustomItem)

public:
  explicit TTBSubmenuItem(TComponent* AOwner);
  bool DropdownCombo() const { return FItemStyle.Contains(tbisCombo); }
  void SetDropdownCombo(bool Value);
  static void Publish(TMetaClass& Meta);
};

// A separator line (or a blank gap) between items.
class TTBSeparatorItem : public TTBCustomItem {
  Z_CLASS(TTBSeparatorItem, TTBCustomItem)

public:
  explicit TTBSeparatorItem(TComponent* AOwner);
  bool Blank() const { return FBlank; }
  void SetBlank(bool Value);
  TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;
  static void Publish(TMetaClass& Meta);

private:
  bool FBlank = false;
};

// Shows a class-library control among a toolbar's items. The control is freed with the item unless the item was
// told to keep it.
class TTBControlItem : public TTBCustomItem {
  Z_CLASS(TTBControlItem, TTBCustomItem)

public:
  explicit TTBControlItem(TComponent* AOwner);
  TTBControlItem(TComponent* AOwner, TControl* AControl);
  ~TTBControlItem() override;
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value);
  bool DontFreeControl = false;
  static void Publish(TMetaClass& Meta);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TControl* FControl = nullptr;
};

// Registers TTBControlItem for streaming (once per process).
void TBRegisterControlItem();
// Reference-counted mouse capture of the menu loop.
void TBBeginCapture(HWND Wnd);
void TBEndCapture();
