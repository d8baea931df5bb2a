// The spell-check component with its windows.
#include "spell/Lx3spell3.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/Dialogs.h"
#include "spell/Lx3configdialog.h"
#include "spell/Lx3dictionariesdialog.h"
#include "spell/Lx3dictionaryeditdialog.h"
#include "spell/Lx3spelldialog.h"

Z_IMPLEMENT_CLASS(TLexiSpell3, TLexiSpell3Base)

TLexiSpell3::TLexiSpell3(TComponent* AOwner) : TLexiSpell3Base(AOwner) { UIType = suiDialog; }

void TLexiSpell3::CreateSpellDialog(bool Create) {
  if (!Create) {
    return;
  }
  auto* Form = new TSpellDialog(this);
  Form->AfterConstruction();
  SetupFormFonts(Form, true);
  SetSpellDialog(Form);
}

void TLexiSpell3::SetupFormFonts(TCustomForm* Form, bool TextFont) {
  if (!UILanguageUseFonts || !Form) {
    return;
  }
  for (Integer I = 0; I < Form->ComponentCount(); ++I) {
    TComponent* C = Form->Components(I);
    auto* Control = dynamic_cast<TControl*>(C);
    if (!Control) {
      continue;
    }
    const bool IsText = dynamic_cast<TListView*>(C) || dynamic_cast<TCustomListBox*>(C) ||
                        dynamic_cast<TCustomEdit*>(C) || dynamic_cast<TCustomComboBox*>(C);
    const bool IsCaption = dynamic_cast<TCustomLabel*>(C) || dynamic_cast<TButton*>(C) ||
                           dynamic_cast<TCheckBox*>(C) || dynamic_cast<TGroupBox*>(C) ||
                           dynamic_cast<TPageControl*>(C);
    if (IsText) {
      Control->Font()->Assign(TextFont ? &FFontText : &FFontControls);
    } else if (IsCaption) {
      Control->Font()->Assign(&FFontControls);
    }
  }
}

namespace {

// Shows a window modally for the component and frees it.
template <class TWindow>
void RunWindow(TLexiSpell3& Spell, TComponent* AOwner, bool TextFont, TCustomDictionary* Dictionary) {
  auto* Form = new TWindow(AOwner);
  Form->AfterConstruction();
  Spell.SetupFormFonts(Form, TextFont);
  Spell.SetupDialogControl(Form, Dictionary);
  Form->ShowModal();
  delete Form;
}

}  // namespace

void TLexiSpell3::InternalSetup(TComponent* AOwner) {
  TLexiSpell3Base::InternalSetup(AOwner);
  if (OnShowConfigDialog) {
    return;
  }
  RunWindow<TSpellCheckConfigDialog>(*this, AOwner, false, nullptr);
  OptimizeMainDictionaryOrder();
}

void TLexiSpell3::InternalSetupCustomDictionaries(TComponent* AOwner) {
  TLexiSpell3Base::InternalSetupCustomDictionaries(AOwner);
  if (OnShowCustomDictionariesDialog) {
    return;
  }
  RunWindow<TCustomDictionariesDialog>(*this, AOwner, false, nullptr);
}

void TLexiSpell3::InternalEditCustomDictionary(TComponent* AOwner, TCustomDictionary* Dictionary) {
  TLexiSpell3Base::InternalEditCustomDictionary(AOwner, Dictionary);
  if (OnShowEditCustomDictionaryDialog) {
    return;
  }
  RunWindow<TCustomDictionaryEditDialog>(*this, AOwner, true, Dictionary);
  FireConfigurationChanged(true);
}

void TLexiSpell3::InternalSetupAddDictionaryDir(TComponent* AOwner) {
  TLexiSpell3Base::InternalSetupAddDictionaryDir(AOwner);
  if (OnShowAddDictionaryDir) {
    return;
  }
  std::string Folder;
  if (SelectDirectory(GetString(lsDlgBrowseForMainTitle), std::string(), Folder) && !Folder.empty()) {
    Config()->EnsureLoaded();
    Config()->ReadNewDictionaryPaths()->Add(Folder);
  }
}
