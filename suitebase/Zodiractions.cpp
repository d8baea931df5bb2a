// The application object's verb list, the action editor, the verb-bound action and the suite's property editors.
#include "suitebase/Zodiractions.h"

#include "platform/controls/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Notifiers.h"
#include "suitebase/Zodiractivex.h"
#include "suitebase/Smallhelpers.h"
#include "suitebase/Zodirutils.h"

namespace Zodir {

Z_IMPLEMENT_CLASS(TActionListItem, Dorazori::TPackagedCollectionItem)
Z_IMPLEMENT_CLASS(TActionsList, Dorazori::TPackagedCollection)
Z_IMPLEMENT_CLASS(ZEZApplication, TObject)
Z_IMPLEMENT_CLASS(TActionEditor, TComponentEditor)
Z_IMPLEMENT_CLASS_PUBLISHED(TDCIDEAction, TCustomAction, TDCIDEAction::Publish)
Z_IMPLEMENT_CLASS(TFontSizePropEdit, TIntegerProperty)
Z_IMPLEMENT_CLASS(TMonoSpaceFontNamesProperty, TFontNameProperty)
Z_IMPLEMENT_CLASS(TDirectoryProperty, TStringProperty)
Z_IMPLEMENT_CLASS(TMonoFontProperty, TFontProperty)
Z_IMPLEMENT_CLASS(TComputerNameProperty, TStringProperty)

inline constexpr const char* SOnlyMonospaced = "Only monospaced fonts can be used";
inline constexpr const char* SSelectDirectory = "Select Directory";

// ---- The verb list ---------------------------------------------------------------------------------------------

TActionsList::TActionsList() : Dorazori::TPackagedCollection(TActionListItem::StaticClass()) {}

namespace {
bool Applies(const TActionListItem* Item, const TComponent* Component) {
  return !Item->ObjClass || (Component && Component->InheritsFrom(Item->ObjClass));
}
}  // namespace

int TActionsList::GetVerbCount(TComponent* Component) const {
  int N = 0;
  for (Integer I = 0; I < Count(); ++I) {
    N += Applies(static_cast<TActionListItem*>(Items(I)), Component) ? 1 : 0;
  }
  return N;
}

TActionListItem* TActionsList::GetActionItem(TComponent* Component, int N) const {
  for (Integer I = 0; I < Count(); ++I) {
    auto* Item = static_cast<TActionListItem*>(Items(I));
    if (Applies(Item, Component) && N-- == 0) {
      return Item;
    }
  }
  return nullptr;
}

std::string TActionsList::GetVerb(TComponent* Component, int N) const {
  const TActionListItem* Item = GetActionItem(Component, N);
  return Item ? Item->Caption : std::string();
}

void TActionsList::ExecuteVerb(TComponent* Component, int N) const {
  const TActionListItem* Item = GetActionItem(Component, N);
  if (!Item) {
    return;
  }
  if (!Item->IsAction) {
    Dorazori::CallPropertyEdit(Component, Item->PropName);
  } else if (Item->ActionProc) {
    Item->ActionProc(Component);
  }
}

ZEZApplication::ZEZApplication() {
  App = this;
  if (!Dorazori::UnderDelphiIDE) {
    RegisterStandardEditors();
  }
}

ZEZApplication::~ZEZApplication() {
  FreeActiveXList();
  if (App == this) {
    App = nullptr;
  }
}

TActionsList* ZEZApplication::GetActionList() {
  if (!FActionList) {
    FActionList = std::make_unique<TActionsList>();
  }
  return FActionList.get();
}

void RegisterVisualProperty(const std::string& Caption, TClass ObjClass, const std::string& PropName) {
  if (!App) {
    return;
  }
  auto* Item = static_cast<TActionListItem*>(App->GetActionList()->Add());
  Item->Caption = Caption;
  Item->ObjClass = ObjClass;
  Item->PropName = PropName;
  Item->IsAction = false;
}

void RegisterComponentAction(const std::string& Caption, TClass ObjClass, const TComponentActionProc& ActionProc) {
  if (!App) {
    return;
  }
  auto* Item = static_cast<TActionListItem*>(App->GetActionList()->Add());
  Item->Caption = Caption;
  Item->ObjClass = ObjClass;
  Item->ActionProc = ActionProc;
  Item->IsAction = true;
}

int TActionEditor::GetVerbCount() { return App ? App->GetActionList()->GetVerbCount(Component()) : 0; }
std::string TActionEditor::GetVerb(int Index) {
  return App ? App->GetActionList()->GetVerb(Component(), Index) : std::string();
}
void TActionEditor::ExecuteVerb(int Index) {
  if (App) {
    App->GetActionList()->ExecuteVerb(Component(), Index);
  }
}

// ---- The verb-bound action -------------------------------------------------------------------------------------

TDCIDEAction::TDCIDEAction(TComponent* AOwner) : TCustomAction(AOwner) {}

void TDCIDEAction::Publish(TMetaClass& Meta) {
  TPublisher<TDCIDEAction> P(Meta);
  P.Property("Caption", &TDCIDEAction::Caption, &TDCIDEAction::SetCaption);
  P.Property("Checked", &TDCIDEAction::Checked, &TDCIDEAction::SetChecked).Default(false);
  P.Property("Enabled", &TDCIDEAction::Enabled, &TDCIDEAction::SetEnabled).Default(true);
  P.Property("HelpContext", &TDCIDEAction::HelpContext, &TDCIDEAction::SetHelpContext).Default(0);
  P.Property("Hint", &TDCIDEAction::Hint, &TDCIDEAction::SetHint);
  P.Property("ImageIndex", &TDCIDEAction::ImageIndex, &TDCIDEAction::SetImageIndex).Default(-1);
  P.Property("ShortCut", &TDCIDEAction::ShortCut, &TDCIDEAction::SetShortCut).Default(0);
  P.Property("Visible", &TDCIDEAction::Visible, &TDCIDEAction::SetVisible).Default(true);
  P.Property("OnExecute", &TDCIDEAction::OnExecute, &TDCIDEAction::SetOnExecute);
  P.Property("VerbName", &TDCIDEAction::VerbName, &TDCIDEAction::SetVerbName);
}

void TDCIDEAction::SetVerbName(const std::string& Value) {
  if (Value == FVerbName) {
    return;
  }
  FVerbName = Trim(Value);
  UpdateVerbObject();
}

void TDCIDEAction::UpdateVerbObject() {
  if (ComponentState().Contains(csDesigning)) {
    return;
  }
  FUpdateProc = nullptr;
  FExecuteProc = nullptr;
  if (FVerbName.empty()) {
    return;
  }
  Dorazori::TVerbGetStateProc GetState = nullptr;
  Dorazori::TVerbExecuteProc Run = nullptr;
  if (Dorazori::GetVerbProcAddr(FVerbName, GetState, Run)) {
    FUpdateProc = GetState;
    FExecuteProc = Run;
    Update();
  }
}

bool TDCIDEAction::Execute() {
  if (!FExecuteProc) {
    return false;
  }
  Dorazori::IDEBeginUpdate();
  try {
    FExecuteProc();
  } catch (...) {
    Dorazori::IDEEndUpdate();
    throw;
  }
  Dorazori::IDEEndUpdate();
  return true;
}

bool TDCIDEAction::Update() {
  Dorazori::TVerbStates State{Dorazori::vsVisible, Dorazori::vsEnabled};
  if (FUpdateProc) {
    FUpdateProc(State);
  }
  SetVisible(State.Contains(Dorazori::vsVisible));
  SetEnabled(State.Contains(Dorazori::vsEnabled));
  SetChecked(State.Contains(Dorazori::vsChecked));
  return true;
}

// ---- Property editors ------------------------------------------------------------------------------------------

TPropertyAttributes TFontSizePropEdit::GetAttributes() {
  TPropertyAttributes A = TIntegerProperty::GetAttributes();
  A.Include(paValueList);
  return A;
}
void TFontSizePropEdit::GetValues(const std::function<void(const std::string&)>& Proc) {
  for (const char* S : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"}) {
    Proc(S);
  }
}

namespace {
bool NamesMonospacedFont(const std::string& Name) {
  TFont Font;
  Font.SetName(Name);
  return Dccommon::IsFontMonoSpaced(&Font);
}
}  // namespace

void TMonoSpaceFontNamesProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  TFontNameProperty::GetValues([&](const std::string& Name) {
    if (NamesMonospacedFont(Name)) {
      Proc(Name);
    }
  });
}
void TMonoSpaceFontNamesProperty::SetValue(const std::string& Value) {
  if (!NamesMonospacedFont(Value)) {
    throw Exception(SOnlyMonospaced);
  }
  TFontNameProperty::SetValue(Value);
}

TPropertyAttributes TDirectoryProperty::GetAttributes() {
  TPropertyAttributes A = TStringProperty::GetAttributes();
  A.Include(paDialog);
  return A;
}
void TDirectoryProperty::Edit() {
  std::string Dir = GetValue();
  if (Dccommon::QueryDirectory(SSelectDirectory, Dir)) {
    SetValue(Dir);
  }
}

TPropertyAttributes TMonoFontProperty::GetAttributes() {
  TPropertyAttributes A = TFontProperty::GetAttributes();
  A.Exclude(paDialog);
  return A;
}

TPropertyAttributes TComputerNameProperty::GetAttributes() {
  TPropertyAttributes A = TStringProperty::GetAttributes();
  A.Include(paDialog);
  return A;
}
void TComputerNameProperty::Edit() {
  std::string Name = GetValue();
  if (QueryComputer("", Name)) {
    SetValue(Name);
  }
}

}  // namespace Zodir
