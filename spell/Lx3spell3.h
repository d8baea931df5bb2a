// The spell-check component with its windows: the spell dialog, the options and dictionary windows.
#pragma once

#include "platform/graphics/Graphics.h"
#include "spell/Lx3spellbase.h"

#include <memory>

class TLexiSpell3 : public TLexiSpell3Base {
  Z_CLASS(TLexiSpell3, TLexiSpell3Base)
public:
  explicit TLexiSpell3(TComponent* AOwner);

  TFont* UILanguageFontControls() { return &FFontControls; }
  void SetUILanguageFontControls(TFont* Value) { FFontControls.Assign(Value); }
  TFont* UILanguageFontText() { return &FFontText; }
  void SetUILanguageFontText(TFont* Value) { FFontText.Assign(Value); }
  bool UILanguageUseFonts = false;

  void CreateSpellDialog(bool Create) override;
  void InternalSetup(TComponent* AOwner) override;
  void InternalSetupCustomDictionaries(TComponent* AOwner) override;
  void InternalEditCustomDictionary(TComponent* AOwner, TCustomDictionary* Dictionary) override;
  void InternalSetupAddDictionaryDir(TComponent* AOwner) override;
  virtual void SetupFormFonts(TCustomForm* Form, bool TextFont);

private:
  TFont FFontControls;
  TFont FFontText;
};
