// Actions of the class library: TBasicAction and its links, TContainedAction, TCustomAction/TAction with their
// properties pushed to linked clients, and TActionList, which groups actions and answers their shortcuts.
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/classes/Component.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/Messages.h"

#include <functional>
#include <string>
#include <vector>

class TBasicAction;
class TCustomActionList;
class TCustomImageList;

using TShortCut = Word;  // see Menus.h for the codes and their text
using THelpContext = int;
using TImageIndex = int;
using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;
using THintEvent = std::function<void(std::string& HintStr, bool& CanShow)>;

// Connects a client (a menu item, a control) to an action: the action calls the link's setters when its
// properties change and the link's Change when anything changed; Execute runs the action for the client.
// The client owns its link; the link registers with its action and unregisters when it goes or the action goes.
// A derived link keeps its typed client: its constructor calls its own AssignClient (a C++ constructor cannot
// reach the derived one, as the class library's virtual constructor does).
class TBasicActionLink : public TObject {
  Z_CLASS(TBasicActionLink, TObject)
  friend class TBasicAction;

public:
  explicit TBasicActionLink(TObject* AClient) { (void)AClient; }
  ~TBasicActionLink() override;
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  // Runs the action with AComponent as its ActionComponent for the duration; the action's Execute result.
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();
  TBasicAction* Action() const { return FAction; }
  virtual void SetAction(TBasicAction* Value);
  TNotifyEvent OnChange;

  virtual bool IsOnExecuteLinked() { return true; }
  virtual void SetOnExecute(const TNotifyEvent& Value) { (void)Value; }

protected:
  virtual void AssignClient(TObject* AClient) { (void)AClient; }
  virtual void Change();
  TBasicAction* FAction = nullptr;
};

// The link of clients that show an action's caption, check mark, image and so on. Each Is...Linked tells whether
// the property follows the action (here: whenever the action is a TCustomAction); each setter applies a value
// to the client (nothing here; client links override them).
class TActionLink : public TBasicActionLink {
  Z_CLASS(TActionLink, TBasicActionLink)

public:
  explicit TActionLink(TObject* AClient) : TBasicActionLink(AClient) {}
  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsGroupIndexLinked();
  virtual bool IsHelpContextLinked();
  virtual bool IsHintLinked();
  virtual bool IsImageIndexLinked();
  virtual bool IsShortCutLinked();
  virtual bool IsVisibleLinked();
  virtual void SetAutoCheck(bool Value) { (void)Value; }
  virtual void SetCaption(const std::string& Value) { (void)Value; }
  virtual void SetChecked(bool Value) { (void)Value; }
  virtual void SetEnabled(bool Value) { (void)Value; }
  virtual void SetGroupIndex(int Value) { (void)Value; }
  virtual void SetHelpContext(THelpContext Value) { (void)Value; }
  virtual void SetHint(const std::string& Value) { (void)Value; }
  virtual void SetImageIndex(TImageIndex Value) { (void)Value; }
  virtual void SetShortCut(TShortCut Value) { (void)Value; }
  virtual void SetVisible(bool Value) { (void)Value; }
};

// A command that clients share. Execute and Update return whether something handled the call.
class TBasicAction : public TComponent {
  Z_CLASS(TBasicAction, TComponent)
  friend class TBasicActionLink;

public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  void BeforeDestruction() override;

  // Whether this action can act on Target (standard actions that work on the focused control answer true).
  virtual bool HandlesTarget(TObject* Target) { (void)Target; return false; }
  virtual void ExecuteTarget(TObject* Target) { (void)Target; }
  virtual void UpdateTarget(TObject* Target) { (void)Target; }
  // OnExecute when assigned (true), else false.
  virtual bool Execute();
  // OnUpdate when assigned (true), else false.
  virtual bool Update();
  void RegisterChanges(TBasicActionLink* Value);
  void UnRegisterChanges(TBasicActionLink* Value);
  int ClientCount() const { return static_cast<int>(FClients.size()); }
  // The component that is executing the action (a menu item, a button) while it runs; null otherwise.
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value);

  const TNotifyEvent& OnExecute() const { return FOnExecute; }
  void SetOnExecute(const TNotifyEvent& Value);
  TNotifyEvent OnUpdate;
  TNotifyEvent OnChange;

protected:
  // Tells every linked client (and OnChange) that a property changed.
  virtual void Change();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  std::vector<TBasicActionLink*> FClients;

private:
  TNotifyEvent FOnExecute;
  TComponent* FActionComponent = nullptr;
};

// An action that belongs to an action list (its parent in form files), under a category.
class TContainedAction : public TBasicAction {
  Z_CLASS(TContainedAction, TBasicAction)
  friend class TCustomActionList;

public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  void BeforeDestruction() override;

  // The list's OnExecute, then the action's own OnExecute, then the forms (the active form's controls, the
  // form, the main form) through CM_ACTIONEXECUTE and HandlesTarget.
  bool Execute() override;
  // Likewise with OnUpdate / CM_ACTIONUPDATE.
  bool Update() override;
  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);
  int Index() const;
  void SetIndex(int Value);
  std::string Category;

  TComponent* GetParentComponent() override;
  // An action in a list is written with the list; one in no list with its owner.
  bool HasParent() override { return FActionList != nullptr || TBasicAction::HasParent(); }
  void SetParentComponent(TComponent* AParent) override;

  static void Publish(TMetaClass& Meta);

protected:
  void ReadState(TReader* Reader) override;
  // True while the owning list is suspended (it executes nothing).
  bool Suspended() const;
  TCustomActionList* FActionList = nullptr;
};

// An action with the properties its clients show; setting one pushes it to every linked client.
class TCustomAction : public TContainedAction {
  Z_CLASS(TCustomAction, TContainedAction)

public:
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

  // Updates first; a disabled action does nothing (false). AutoCheck toggles Checked (a checked item of a group
  // stays checked) before the handlers run.
  bool Execute() override;
  virtual bool DoHint(std::string& HintStr);

  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  // Checking an action of a group (GroupIndex > 0) unchecks the others of the group in the same list.
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  THelpContext HelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  TImageIndex ImageIndex() const { return FImageIndex; }
  void SetImageIndex(TImageIndex Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // When nothing handles the action, it is disabled unless it has OnExecute.
  bool DisableIfNoHandler = true;
  THintEvent OnHint;

private:
  friend class TCustomActionList;
  template <class F> void ForEachLink(F Fn);
  void ApplyEnabled(bool Value);
  bool FSavedEnabled = true;
  bool FHasSaved = false;
  std::string FCaption;
  std::string FHint;
  bool FAutoCheck = false;
  bool FChecked = false;
  bool FChecking = false;
  bool FEnabled = true;
  bool FVisible = true;
  int FGroupIndex = 0;
  THelpContext FHelpContext = 0;
  TImageIndex FImageIndex = -1;
  TShortCut FShortCut = 0;
};

// The action the form designer drops: TCustomAction with its properties published.
class TAction : public TCustomAction {
  Z_CLASS(TAction, TCustomAction)

public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };
Z_ENUM_TYPEINFO(TActionListState, "asNormal", "asSuspended", "asSuspendedEnabled")

// A list of actions. It does not own them (the form does) but frees the ones still in it when it goes, as the
// class library does.
class TCustomActionList : public TComponent {
  Z_CLASS(TCustomActionList, TComponent)

public:
  explicit TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}
  void BeforeDestruction() override;

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int Index) const;
  // OnExecute / OnUpdate of the list; true when the handler said Handled.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // The shortcut of a key message (virtual key and the key data's shift state): the first action of the list
  // with that ShortCut is executed; true when it was found and its Execute answered true.
  virtual bool IsShortCut(TWMKey& Message);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TActionListState State() const { return FState; }
  // asSuspendedEnabled enables every action of the list as it suspends them. While suspended, Enabled keeps its
  // value and remembers what it was set to; back to asNormal, the remembered values apply.
  void SetState(TActionListState Value);

  TNotifyEvent OnChange;
  TActionEvent OnExecute;
  TActionEvent OnUpdate;

  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);

protected:
  virtual void Change();
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, Integer Order) override;
  TComponent* GetChildParent() override { return this; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  friend class TContainedAction;
  friend class TCustomAction;
  std::vector<TContainedAction*> FActions;

private:
  TCustomImageList* FImages = nullptr;
  TActionListState FState = asNormal;
};

class TActionList : public TCustomActionList {
  Z_CLASS(TActionList, TCustomActionList)

public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// Hands an action that no list or handler took to the forms, as the application does with CM_ACTIONEXECUTE /
// CM_ACTIONUPDATE: the application window's hooks, then the active form and the main form (the form's own
// handler, then its active control, the form itself and every control on it, by HandlesTarget). When nobody
// takes it, an enabled TCustomAction with DisableIfNoHandler becomes enabled only if it has OnExecute.
bool DispatchActionToForms(UINT Msg, TBasicAction* Action);
