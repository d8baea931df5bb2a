// The main window's spell checker and its configuration.
#include "spell/Lx3enginecallback.h"
#include "spell/Lx3spell3.h"

#include "platform/controls/Forms.h"

#include <functional>
#include <string>
#include <utility>

class TLexiSpell3;
TLexiSpell3* CreateMainSpellChecker(TComponent* Owner, const std::string& DictionaryFolder,
                                    std::function<void(TObject* Sender, int Id, std::string& Text)> OnGetString,
                                    TNotifyEvent OnCompleteCheck);

SpellCheckService* CreateEngineSpellService(TLexiSpell3* Speller);

SpellCheckService* CreateEngineSpellService(TLexiSpell3* Speller) {
  return Speller != nullptr ? new TEngineSpellChecker(*Speller) : nullptr;
}

namespace {

constexpr char SpellConfigKey[] = "Software\\Palvane\\ZUB Quillon v4\\Dictionary";

}  // namespace

TLexiSpell3* CreateMainSpellChecker(TComponent* Owner, const std::string& DictionaryFolder,
                                    std::function<void(TObject* Sender, int Id, std::string& Text)> OnGetString,
                                    TNotifyEvent OnCompleteCheck) {
  auto* LexiSpell = new TLexiSpell3(Owner);
  // The first change of the folder lines loads the configuration from the component's default key; the writes
  // of the storage, the name and the key below each save it there and load it from the new place.
  LexiSpell->ConfigDictionaryDir()->Clear();
  LexiSpell->ConfigDictionaryDir()->Add(DictionaryFolder);
  LexiSpell->ConfigDefaultMain()->Clear();
  for (const char* Name : {"American.adm", "DEVIVOro.dar", "BrumAdd.adm"}) {
    LexiSpell->ConfigDefaultMain()->Add(Name);
  }
  LexiSpell->ConfigUseMSWordCustom = true;
  LexiSpell->ConfigDefaultUseMSWordCustom = true;
  LexiSpell->WriteKeepDictionariesActive(true);
  const TSpellOptions Gained =
      SpellOptionBit(soHTML) | SpellOptionBit(soInternet) | SpellOptionBit(soRepeated) | SpellOptionBit(soNumbers);
  LexiSpell->ConfigDefaultOptions =
      static_cast<TSpellOptions>((LexiSpell->ConfigDefaultOptions | Gained) & ~SpellOptionBit(soUpcase));
  LexiSpell->ConfigAvailableOptions = static_cast<TSpellOptions>(
      (LexiSpell->ConfigDefaultOptions & ~(SpellOptionBit(soLiveSpelling) | SpellOptionBit(soLiveCorrect))) |
      SpellOptionBit(soUpcase) | SpellOptionBit(soNumbers) | SpellOptionBit(soHTML) | SpellOptionBit(soInternet) |
      SpellOptionBit(soQuoted) | SpellOptionBit(soPrimaryOnly) | SpellOptionBit(soRepeated));
  LexiSpell->PhoneticSuggestions = true;
  LexiSpell->DialogInitialPos = ipLastUserPos;
  LexiSpell->CommandsVisible = (LexiSpell->CommandsVisible & ~SpellCommandBit(sdcHelp)) |
                               SpellCommandBit(sdcAddedEdit) | SpellCommandBit(sdcExcludedEdit) |
                               SpellCommandBit(sdcInternalEdit);
  LexiSpell->WriteConfigStorage(csRegistry);
  LexiSpell->WriteConfigID("%UserName%");
  LexiSpell->WriteConfigRegistryKey(SpellConfigKey);
  LexiSpell->OnGetString = [OnGetString](TObject* Sender, TSpellLanguageString Id, std::string& Text) {
    OnGetString(Sender, static_cast<int>(Id), Text);
  };
  LexiSpell->OnCompleteCheck = std::move(OnCompleteCheck);
  return LexiSpell;
}
