// The main window's calls into its spell checker.
#include "mainwindow/Spellcheckrun.h"

#include "spell/Easyspelladapter.h"
#include "spell/Lx3config.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3spell3.h"

void RunSpellCheck(TLexiSpell3* Speller, TCustomEasyEdit* Editor, bool SelectionOnly, bool MoreFollow) {
  if (Speller == nullptr || Editor == nullptr) {
    return;
  }
  Speller->DialogShowModal = true;
  Speller->DialogSelectionAvoid = saNone;
  Speller->EndMessageWordCount = true;
  Speller->EndMessage = MoreFollow ? emNever : emAlways;
  // The spell checker takes the cursor over and frees it when the check ends.
  auto* Cursor = new TEasyLexiParser;
  Cursor->Initialize(Editor);
  Speller->CheckParser(Cursor, SelectionOnly ? ctSelected : ctAll);
}

void StopSpellCheck(TLexiSpell3* Speller) {
  if (Speller != nullptr && Speller->Checking()) {
    Speller->StopCheck(false);
  }
}

bool SpellCheckCancelled(TLexiSpell3* Speller) { return Speller != nullptr && Speller->CheckCancelled(); }

void SaveSpellConfiguration(TLexiSpell3* Speller) {
  if (Speller == nullptr) {
    return;
  }
  if (TLexiConfig* Config = Speller->Config()) {
    Config->SaveConfiguration();
  }
  // The active custom dictionary, where added words go, is kept apart from the other open ones.
  if (Speller->ActiveCustom) {
    Speller->ActiveCustom->Save();
  }
  for (auto& Dictionary : Speller->OpenCustomDictionaries) {
    if (Dictionary) {
      Dictionary->Save();
    }
  }
}
