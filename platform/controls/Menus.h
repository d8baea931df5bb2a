// Menus of the class library: shortcut codes and their text, TMenuItem (captions, check marks, radio groups,
// submenus, action links), TMenu, TMainMenu and TPopupMenu over the platform's menu handles.
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/controls/ActnList.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/WinMenu.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TMenu;
class TMenuItem;

// ---- Shortcuts --------------------------------------------------------------------------------------------------
// A shortcut is a virtual key in the low byte plus modifier bits.
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+Ctrl+F5", "Alt+BkSp", "Del"...: modifiers in the order Shift, Ctrl, Alt; "" for keys that
// have no name (and for 0).
std::string ShortCutToText(TShortCut ShortCut);
// The reverse, ignoring case; "^" stands for "Ctrl+". 0 when the text names no key.
TShortCut TextToShortCut(std::string Text);

inline constexpr char cHotkeyPrefix = '&';
inline constexpr const char* cLineCaption = "-";
// The caption without its '&' mnemonic marks ("&&" stays one '&').
std::string StripHotkey(const std::string& Text);
// The mnemonic character of a caption (upper case), or 0.
char GetHotkey(const std::string& Text);
// The part of a hint before '|' (short) or after it (long; the whole hint when there is no '|').
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
Z_ENUM_TYPEINFO(TMenuBreak, "mbNone", "mbBreak", "mbBarBreak")
enum TMenuAutoFlag { maAutomatic, maManual, maParent };
Z_ENUM_TYPEINFO(TMenuAutoFlag, "maAutomatic", "maManual", "maParent")
enum TPopupAlignment { paLeft, paRight, paCenter };
Z_ENUM_TYPEINFO(TPopupAlignment, "paLeft", "paRight", "paCenter")
enum TTrackButton { tbRightButton, tbLeftButton };
Z_ENUM_TYPEINFO(TTrackButton, "tbRightButton", "tbLeftButton")
enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

// The link between a menu item and its action: linked properties are those still equal to the action's.
class TMenuActionLink : public TActionLink {
  Z_CLASS(TMenuActionLink, TActionLink)

public:
  explicit TMenuActionLink(TObject* AClient) : TActionLink(AClient) { AssignClient(AClient); }
  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHintLinked() override;
  bool IsGroupIndexLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetAutoCheck(bool Value) override;
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
  TMenuItem* FClient = nullptr;
};

// One entry of a menu, and the list of its subitems. An item belongs to its Owner (the form, in form files) and
// sits in its Parent item's list; freeing it removes it from the parent and frees its subitems. Items with
// subitems have a popup menu handle of their own, rebuilt when a subitem changes. Each item has a unique Command
// (from 1), the id its platform menu entry carries.
class TMenuItem : public TComponent {
  Z_CLASS(TMenuItem, TComponent)
  friend class TMenu;
  friend class TMenuActionLink;

public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  void BeforeDestruction() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Out of range raises EMenuError.
  TMenuItem* Items(int Index) const;
  // Add and Insert take an item without a parent (one that has a parent raises EMenuError "Menu inserted
  // twice"); Index may equal Count.
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Delete(int Index);  // removes without freeing
  void Remove(TMenuItem* Item);
  void Clear();            // frees every subitem
  int IndexOf(const TMenuItem* Item) const;
  // The subitem whose caption without mnemonic marks equals ACaption (case ignored), or null.
  TMenuItem* Find(const std::string& ACaption) const;
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  void SetMenuIndex(int Value);
  TMenu* GetParentMenu() const;
  bool IsLine() const { return FCaption == cLineCaption; }
  // The popup menu handle of the subitems (created on first use).
  HMENU Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  UINT Command() const { return FCommand; }

  // Runs the item: AutoCheck toggles Checked; then OnClick, unless it is the action's OnExecute, in which case
  // the action is executed through the link. Nothing happens for a disabled item.
  virtual void Click();
  // Lets the linked action update the item (its OnUpdate).
  void InitiateAction();

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  // Checking a radio item unchecks the radio items of its group among its siblings.
  void SetChecked(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  Byte GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Byte Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  TImageIndex ImageIndex() const { return FImageIndex; }
  void SetImageIndex(TImageIndex Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  TMenuBreak Break() const { return FBreak; }
  void SetBreak(TMenuBreak Value);
  THelpContext HelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
  TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
  void SetAutoHotkeys(TMenuAutoFlag Value) { FAutoHotkeys = Value; }
  TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
  void SetAction(TBasicAction* Value);
  TMenuActionLink* ActionLink() const { return FActionLink.get(); }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value);
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

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

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;
  static void Publish(TMetaClass& Meta);

  // Draws / measures an owner-drawn item (the menu's WM_DRAWITEM / WM_MEASUREITEM).
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  virtual void DrawItem(TCanvas* ACanvas, TRect ARect, bool Selected);

protected:
  void ActionChange(TObject* Sender, bool CheckDefaults);
  void DoActionChange(TObject* Sender);
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, Integer Order) override;
  TComponent* GetChildParent() override { return this; }
  void ReadState(TReader* Reader) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // A property changed: the parent's menu handle is rebuilt and the menu hears of it.
  void MenuChanged(bool Rebuild);

private:
  void TurnSiblingsOff();
  void RebuildHandle();
  void AppendTo(HMENU Menu);
  void DestroyHandle();
  TMenuItem* FindItem(UINT Value, TFindItemKind Kind);

  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  HMENU FHandle = 0;
  UINT FCommand = 0;
  std::string FCaption;
  std::string FHint;
  bool FChecked = false;
  bool FRadioItem = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FAutoCheck = false;
  Byte FGroupIndex = 0;
  TShortCut FShortCut = 0;
  TImageIndex FImageIndex = -1;
  TMenuBreak FBreak = mbNone;
  THelpContext FHelpContext = 0;
  TMenuAutoFlag FAutoHotkeys = maParent;
  TNotifyEvent FOnClick;
  bool FClickIsActionExecute = false;
  std::unique_ptr<TMenuActionLink> FActionLink;
};

// A menu: a root item (Items, owned) whose subitems are the menu's entries.
class TMenu : public TComponent {
  Z_CLASS(TMenu, TComponent)
  friend class TMenuItem;

public:
  explicit TMenu(TComponent* AOwner);
  void BeforeDestruction() override;

  TMenuItem* Items() const { return FItems; }
  HMENU Handle() { return FItems->Handle(); }
  // The window that receives the menu's commands (the form for a main menu, the popup list's window for a popup
  // menu); shortcuts work only when it is set.
  HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND Value) { FWindowHandle = Value; }
  // Clicks the item with that command; false when there is none.
  bool DispatchCommand(Word ACommand);
  // Clicks the item whose submenu handle it is (so OnClick can fill the submenu); false when there is none.
  bool DispatchPopup(HMENU AMenu);
  TMenuItem* FindItem(UINT Value, TFindItemKind Kind);
  // The item with the key's shortcut (key code plus the key data's shift state) is clicked, its parents first
  // (their OnClick may update it); true when it was found and enabled along the way. Hidden items keep working.
  virtual bool IsShortCut(TWMKey& Message);

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  TMenuAutoFlag AutoHotkeys = maAutomatic;
  bool AutoLineReduction = true;
  TMenuChangeEvent OnChange;

protected:
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, Integer Order) override;
  TComponent* GetChildParent() override { return this; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void MenuChanged(TMenuItem* Source, bool Rebuild);
  virtual bool IsMainMenu() const { return false; }

  TMenuItem* FItems = nullptr;
  HWND FWindowHandle = 0;

private:
  TCustomImageList* FImages = nullptr;
  bool FOwnerDraw = false;
};

// A form's menu bar. SetFormMenu attaches it to a form: the form's shortcuts then reach its items.
class TMainMenu : public TMenu {
  Z_CLASS(TMainMenu, TMenu)

public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  static void Publish(TMetaClass& Meta);

protected:
  bool IsMainMenu() const override { return true; }
};

// A context menu: Popup shows it at a screen point through TrackPopupMenu; the chosen item's Click runs when the
// program's loop handles the posted command (right after Popup returns, at the next message processing).
class TPopupMenu : public TMenu {
  Z_CLASS(TPopupMenu, TMenu)

public:
  explicit TPopupMenu(TComponent* AOwner);
  void BeforeDestruction() override;

  // OnPopup, then the menu at (X, Y) aligned by Alignment, tracking TrackButton.
  virtual void Popup(int X, int Y);
  TPoint PopupPoint() const { return FPopupPoint; }
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  TPopupAlignment Alignment = paLeft;
  bool AutoPopup = true;
  TTrackButton TrackButton = tbRightButton;
  THelpContext HelpContext = 0;
  TNotifyEvent OnPopup;
  static void Publish(TMetaClass& Meta);

protected:
  virtual void DoPopup(TObject* Sender);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TPoint FPopupPoint{-1, -1};
  TComponent* FPopupComponent = nullptr;
};

// The hidden window that receives every popup menu's commands, selections and owner-draw requests.
HWND PopupListWindow();

// The main menu attached to a form (null when none) and the attaching: the menu's items then answer the form's
// shortcuts (FormIsShortCut), and its window handle becomes the form's.
void SetFormMenu(TCustomForm* Form, TMainMenu* Menu);
TMainMenu* FormMenu(TCustomForm* Form);
// The shortcut sources of a form beyond its OnShortCut: its main menu, then the action lists it owns.
bool FormIsShortCut(TCustomForm* Form, TWMKey& Message);
// Lets the actions linked to the menu items of the visible, enabled forms update their items (the application
// does it when idle).
void UpdateFormActions();

// Building menus in code (the class library's NewItem / NewLine / NewSubMenu / NewPopupMenu).
TMenuItem* NewItem(const std::string& ACaption, TShortCut AShortCut, bool AChecked, bool AEnabled,
                   TNotifyEvent AOnClick, THelpContext HelpContext, const std::string& AName);
TMenuItem* NewLine();
TMenuItem* NewSubMenu(const std::string& ACaption, THelpContext HelpContext, const std::string& AName,
                      const std::vector<TMenuItem*>& Items, bool AEnabled = true);
TPopupMenu* NewPopupMenu(TComponent* Owner, const std::string& AName, TPopupAlignment Alignment, bool AutoPopup,
                         const std::vector<TMenuItem*>& Items);

Z_EXCEPTION(EMenuError, Exception)
