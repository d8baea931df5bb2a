// The inserters' floating toolbars: built in the main form's editor menu-bar dock on first show, shown, hidden,
// saved and deleted; and the menus built from an inserter's items.
#include "core/Inserterclass.h"

#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"

#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"
#include "platform/win/MessageBox.h"
#include "toolbars/Tb2dock.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2toolbar.h"
#include "toolbars/Tbskins.h"

#include <functional>
#include <string_view>

// Tells an inserter that the main form freed its toolbar (the form owns it and may go first), so that the inserter
// does not delete it a second time.
class InserterToolbarLink : public TComponent {
public:
  explicit InserterToolbarLink(inserterclass& AInserter) : TComponent(nullptr), Inserter(AInserter) {}
  void Watch(TTBToolbar* Toolbar) { Toolbar->FreeNotification(this); }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Inserter.toolbar) {
      Inserter.toolbar = nullptr;
    }
  }

private:
  inserterclass& Inserter;
};

namespace {

// The main form's published method of that name as an event handler of the given signature; empty when the form
// or the method is missing or the method has another signature.
template <class Sig>
std::function<Sig> MainFormHandler(std::string_view Method) {
  TForm* Form = MainWindow().MainForm();
  if (Form == nullptr) {
    return {};
  }
  const TMethodEntry* Code = MethodAddress(Form->ClassType(), Method);
  const auto* Typed = dynamic_cast<const TTypedMethodEntry<Sig>*>(Code);
  if (Typed == nullptr) {
    return {};
  }
  return TBoundMethod<Sig>{Code, Form, Typed->Call(Form)};
}

void ShowLoadFailure(const inserterclass& Inserter) {
  StrStore Text("Failed to load inserter configuration file \"");
  Text.appendStore(Inserter.configFile)
      .append("\". Make sure that the file exists and that it is in the correct format.");
  MessageBox(MainWindow().GetApplicationWindow(), Text.text, "Quillon: Failed to Load Inserter Configuration",
             MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// The submenu an item goes into: the previous item's when it has the item's menu caption, else the root's first of
// that caption, else a new one appended to the root.
TTBCustomItem* SubmenuFor(TTBCustomItem* Root, TTBCustomItem* Previous, const StrStore& Menu, TComponent* Owner) {
  if (Previous != nullptr && Previous->Caption() == Menu.text) {
    return Previous;
  }
  for (int I = 0; I < Root->Count(); ++I) {
    TTBCustomItem* Sub = Root->Items(I);
    if (dynamic_cast<TTBSubmenuItem*>(Sub) != nullptr && Sub->Caption() == Menu.text) {
      return Sub;
    }
  }
  auto* Sub = new TTBSubmenuItem(Owner);
  Sub->AfterConstruction();
  Sub->SetCaption(Menu.text);
  Root->Add(Sub);
  return Sub;
}

}  // namespace

inserterclass::~inserterclass() {
  DeleteToolbar();
  delete toolbarLink;
  delete items;
}

void inserterclass::DeleteToolbar() {
  TTBToolbar* Bar = toolbar;
  toolbar = nullptr;
  delete Bar;
}

TTBToolbar* inserterclass::CreateToolbar() {
  TForm* Main = MainWindow().MainForm();
  if (Main == nullptr) {
    return nullptr;
  }
  auto* Dock = dynamic_cast<TTBDock*>(MainFormComponent(INSERTER_DOCK_NAME));
  if (Dock != nullptr) {
    Dock->BeginUpdate();
  }
  auto* Bar = new TTBToolbar(Main);
  Bar->AfterConstruction();
  Bar->SetName(menuName.text);
  Bar->SetMenuBar(false);
  if (Dock != nullptr) {
    Bar->SetDefaultDock(Dock);
    Bar->SetCurrentDock(Dock);
  }
  Bar->DockableTo = TTBDockableTo{dpTop, dpBottom, dpLeft, dpRight};
  Bar->DockMode = dmCanFloat;
  Bar->SetDockRow(INSERTER_DOCK_ROW);
  if (auto* Skin = dynamic_cast<TTBBaseSkin*>(MainFormComponent(INSERTER_SKIN_NAME))) {
    Bar->SetSkin(Skin);
  }
  Bar->OnClose = MainFormHandler<void(TObject*)>(INSERTER_CLOSE_HANDLER);
  Bar->CloseButton = true;
  Bar->SetFullSize(false);
  Bar->SetProcessShortCuts(false);
  Bar->HideWhenInactive = true;
  Bar->SetTag(reinterpret_cast<NativeInt>(this));
  Bar->SetCaption(caption.text);
  // Read just now, so the items are there; an item that could not be made leaves the menus short, not broken.
  (void)BuildInserterMenu(Bar, items);
  toolbar = Bar;
  if (toolbarLink == nullptr) {
    toolbarLink = new InserterToolbarLink(*this);
  }
  toolbarLink->Watch(Bar);
  MainWindow().LoadToolbarPositions();
  if (Dock != nullptr) {
    Dock->EndUpdate();
  }
  return Bar;
}

int inserterclass::ShowToolbar() {
  interfaceclass* Interface = prg->interface;
  if (!Interface->flags2.has(kind)) {
    return UpdateToolbar(INSERTERS_HIDE);
  }
  if (toolbar == nullptr) {
    if (MainWindow().MainForm() == nullptr) {
      return -1;  // nothing to build the toolbar on yet
    }
    MainWindow().SetBusyCursor(true);
    if (LoadInserterConfiguration(items, configFile.text, 0) != INSCFG_OK) {
      MainWindow().SetBusyCursor(false);
      Interface->flags2.set(kind, false);
      ShowLoadFailure(*this);
      MainWindow().UpdateMenuChecks();
      return 0;
    }
    MainWindow().SaveToolbarPositions();
    TTBToolbar* Bar = CreateToolbar();
    MainWindow().SetBusyCursor(false);
    if (Bar == nullptr) {
      return -1;
    }
  }
  toolbar->Show();
  return 0;
}

int inserterclass::UpdateToolbar(int Commands) {
  interfaceclass* Interface = prg != nullptr ? prg->interface : nullptr;
  if ((Commands & INSERTER_TOOLBAR_SHOW) != 0 && static_cast<int>(kind.mask) > 0 && Interface != nullptr) {
    return ShowToolbar();
  }
  if ((Commands & INSERTERS_DESTROY) != 0 && toolbar != nullptr) {
    // Closing the toolbar must not change the visibility bits.
    const InterfaceFlags2V45 Saved = Interface != nullptr ? Interface->flags2 : InterfaceFlags2V45();
    (void)UpdateToolbar(INSERTERS_SAVE);  // always 0
    DeleteToolbar();
    if (Interface != nullptr) {
      Interface->flags2 = Saved;
    }
    return 0;
  }
  if ((Commands & INSERTERS_SAVE) != 0 && toolbar != nullptr) {
    MainWindow().SaveToolbarPositions();
    return 0;
  }
  if ((Commands & INSERTERS_HIDE) != 0 && toolbar != nullptr) {
    toolbar->Hide();
  }
  return 0;
}

int BuildInserterMenu(TTBToolbar* Toolbar, PointerArrayManager* Items) {
  if (Toolbar == nullptr || Items == nullptr) {
    return INSMENU_NOTHING;
  }
  TTBCustomItem* Root = Toolbar->Items();
  Root->Clear();
  TComponent* Owner = Toolbar->Owner();
  const TNotifyEvent OnClick = MainFormHandler<void(TObject*)>(INSERTER_CLICK_HANDLER);
  const TTBSelectEvent OnSelect = MainFormHandler<void(TTBCustomItem*, TTBItemViewer*, bool)>(INSERTER_SELECT_HANDLER);
  TTBCustomItem* Previous = nullptr;
  for (int I = 0; I < Items->getCount(); ++I) {
    auto* Record = static_cast<ticlass*>(Items->getPointer(I));
    if (Record == nullptr) {
      continue;
    }
    TTBCustomItem* Menu = SubmenuFor(Root, Previous, Record->menu, Owner);
    Previous = Menu;
    TTBCustomItem* Item = nullptr;
    if (Record->flags.has(TIF::Separator)) {
      Item = new TTBSeparatorItem(Owner);
    } else {
      Item = new TTBItem(Owner);
    }
    Item->AfterConstruction();
    Item->SetCaption(Record->caption.text);
    Item->SetHint(Record->hint.text);
    Item->SetOnClick(OnClick);
    Item->OnSelect = OnSelect;
    Item->SetTag(reinterpret_cast<NativeInt>(Record));
    Menu->Add(Item);
  }
  return INSMENU_OK;
}
