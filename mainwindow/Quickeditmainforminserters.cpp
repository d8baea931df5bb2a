// The inserters seen from the main window: showing and hiding their toolbars, their configuration files, and
// the items that insert their text or run an inserter command.
#include "mainwindow/Quickeditmainform.h"

#include "core/Inserterclass.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"

#include <string>

namespace {

bool Running() { return prg && prg->volatileState && prg->interface && prg->volatileState->shuttingDown == 0; }

// Item commands.
constexpr int ITEM_OPEN_FILE = 1;
constexpr int ITEM_RELOAD = 2;

PointerArrayManager* Inserters() { return prg->volatileState->inserters; }

// The visible inserter whose toolbar holds the item, or null.
inserterclass* InserterShowing(TTBCustomItem* Item) {
  PointerArrayManager* Array = Inserters();
  for (int I = 0; Array && I < Array->getCount(); ++I) {
    auto* Inserter = static_cast<inserterclass*>(Array->getPointer(I));
    if (Inserter && Inserter->toolbar && Inserter->toolbar->Visible() &&
        Inserter->toolbar->Items()->ContainsItem(Item)) {
      return Inserter;
    }
  }
  return nullptr;
}

// Writes the last ">" of the text as " />"; false when the text has none.
bool CloseAsEmpty(std::string& Text) {
  const std::size_t At = Text.rfind('>');
  if (At == std::string::npos) {
    return false;
  }
  Text.replace(At, 1, " />");
  return true;
}

}  // namespace

void TZUBQEForm::ViewTagInserterClick(TObject*) { ToggleInserter(static_cast<int>(IF2::TagInserter.mask)); }
void TZUBQEForm::ViewCSSInserterClick(TObject*) { ToggleInserter(static_cast<int>(IF2::CSSInserter.mask)); }
void TZUBQEForm::ViewUserInserterClick(TObject*) { ToggleInserter(static_cast<int>(IF2::UserInserter.mask)); }

void TZUBQEForm::ToggleInserter(int KindMask) {
  if (!Running()) {
    return;
  }
  prg->interface->flags2.toggle(TFlagBit<InterfaceFlags2V45Tag>{static_cast<std::uint32_t>(KindMask)});
  (void)UpdateInserters(Inserters(), INSERTERS_SHOW);  // a file that fails to load is reported there
  UpdateMenuChecks();
  (void)SafeSetFocus(this);  // a hidden window keeps no focus to give back
}

void TZUBQEForm::OptionsTagInserterEditClick(TObject*) {
  (void)InserterCommand(static_cast<int>(IF2::TagInserter.mask), INSERTER_OPEN_FILE);
}
void TZUBQEForm::OptionsCSSInserterEditClick(TObject*) {
  (void)InserterCommand(static_cast<int>(IF2::CSSInserter.mask), INSERTER_OPEN_FILE);
}
void TZUBQEForm::OptionsUserInserterEditClick(TObject*) {
  (void)InserterCommand(static_cast<int>(IF2::UserInserter.mask), INSERTER_OPEN_FILE);
}
void TZUBQEForm::OptionsTagInserterReloadClick(TObject*) {
  (void)InserterCommand(static_cast<int>(IF2::TagInserter.mask), INSERTER_RELOAD);
}
void TZUBQEForm::OptionsCSSInserterReloadClick(TObject*) {
  (void)InserterCommand(static_cast<int>(IF2::CSSInserter.mask), INSERTER_RELOAD);
}
void TZUBQEForm::OptionsUserInserterReloadClick(TObject*) {
  (void)InserterCommand(static_cast<int>(IF2::UserInserter.mask), INSERTER_RELOAD);
}

int TZUBQEForm::InserterCommand(int KindMask, int Flags) {
  if (!Running()) {
    return 0;
  }
  const TFlagBit<InterfaceFlags2V45Tag> Kind{static_cast<std::uint32_t>(KindMask)};
  inserterclass* Inserter = FindInserter(Inserters(), Kind, 1);
  if (Inserter == nullptr) {
    return 0;
  }
  if ((Flags & INSERTER_OPEN_FILE) != 0) {
    (void)AddNewFileTab(nullptr, Inserter->configFile.text, 0, nullptr);  // reports a missing file itself
  }
  if ((Flags & INSERTER_RELOAD) != 0) {
    (void)Inserter->UpdateToolbar(INSERTERS_DESTROY);      // always 0
    (void)Inserter->UpdateToolbar(INSERTER_TOOLBAR_SHOW);  // a file that now fails clears the bit and says so
    return 0;
  }
  if ((Flags & INSERTER_CLOSE) != 0) {
    prg->interface->flags2.set(Kind, false);
    (void)Inserter->UpdateToolbar(INSERTERS_HIDE);
    UpdateMenuChecks();
    (void)SafeSetFocus(this);
  }
  return 0;
}

void TZUBQEForm::InserterItemClick(TObject* Sender) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  if (!Running() || Item == nullptr || Inserters() == nullptr || Inserters()->getCount() == 0) {
    return;
  }
  inserterclass* Inserter = InserterShowing(Item);
  if (Inserter) {
    Inserter->toolbar->SetCaption(Inserter->caption.text ? Inserter->caption.text : "");
  }
  auto* Record = reinterpret_cast<ticlass*>(Item->Tag());
  if (Record == nullptr || Inserter == nullptr || Record->flags.has(TIF::Separator)) {
    return;
  }
  const int Kind = static_cast<int>(Inserter->kind.mask);
  if (Record->flags.has(TIF::ClosesInserter)) {
    (void)InserterCommand(Kind, INSERTER_CLOSE);
    return;
  }
  if (Record->command == ITEM_OPEN_FILE || Record->command == ITEM_RELOAD) {
    (void)InserterCommand(Kind, Record->command == ITEM_OPEN_FILE ? INSERTER_OPEN_FILE : INSERTER_RELOAD);
    return;
  }
  if (Record->command > 0) {
    return;
  }
  const bool Xhtml = CurrentDocumentIsXhtml();
  int Flags = static_cast<int>(Record->flags.bits & (INSERT_NEW_LINE | INSERT_KEEP_CASE));
  if (Xhtml && Record->flags.has(TIF::XhtmlKeepCase)) {
    Flags |= INSERT_KEEP_CASE;
  }
  const bool EmptyEnd = Xhtml && Record->flags.has(TIF::XhtmlEmptyEnd);
  const std::string Text = Record->insertText.text ? Record->insertText.text : "";
  const std::size_t Bar = Text.find('|');
  if (Bar == std::string::npos) {
    std::string Start = Text;
    if (EmptyEnd) {
      (void)CloseAsEmpty(Start);
    }
    (void)InsertTag(Start.c_str(), "", Flags);  // a read-only document was reported
  } else {
    std::string Start = Text.substr(0, Bar);
    std::string End = Text.substr(Bar + 1);
    if (EmptyEnd && !CloseAsEmpty(End)) {
      (void)CloseAsEmpty(Start);
    }
    (void)InsertTag(Start.c_str(), End.c_str(), Flags);
  }
  (void)SafeSetFocus(this);
}

void TZUBQEForm::InserterItemSelect(TTBCustomItem* Sender, TTBItemViewer*, bool Selecting) {
  if (!Running() || Sender == nullptr) {
    return;
  }
  if (inserterclass* Inserter = InserterShowing(Sender)) {
    const char* Caption = Inserter->caption.text ? Inserter->caption.text : "";
    Inserter->toolbar->SetCaption(Selecting ? Sender->Hint() : std::string(Caption));
  }
}

void TZUBQEForm::InserterToolbarVisibleChanged(TObject* Sender) {
  auto* Bar = dynamic_cast<TTBToolbar*>(Sender);
  if (!Running() || Bar == nullptr) {
    return;
  }
  PointerArrayManager* Array = Inserters();
  for (int I = 0; Array && I < Array->getCount(); ++I) {
    auto* Inserter = static_cast<inserterclass*>(Array->getPointer(I));
    if (Inserter && Inserter->toolbar == Bar) {
      prg->interface->flags2.set(Inserter->kind, Bar->Visible());
    }
  }
  UpdateMenuChecks();
}
