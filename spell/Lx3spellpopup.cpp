// The spell-check component: the suggestion menu for a word outside a check.
#include "spell/Lx3spellbase.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "spell/Lx3customdictionary.h"

TPopupMenu* TLexiSpell3Base::CreatePopupMenu(TComponent* Owner) {
  TPopupMenu* Menu = nullptr;
  if (OnPopupCreateMenu) {
    OnPopupCreateMenu(this, Owner, Menu);
    return Menu;
  }
  Menu = new TPopupMenu(nullptr);
  Menu->AfterConstruction();
  Menu->AutoHotkeys = maManual;
  return Menu;
}

TMenuItem* TLexiSpell3Base::AddMenuItem(TPopupMenu* Menu, TMenuItem* SubMenu, const std::string& Caption,
                                        bool Enable, bool HasChildren, int Tag) {
  TMenuItem* Item = nullptr;
  if (OnPopupAddMenuItem) {
    OnPopupAddMenuItem(this, Menu, SubMenu, Caption, Enable, HasChildren, Tag, Item);
    return Item;
  }
  if (OnPopupCreateMenu || !Menu) {
    return nullptr;
  }
  Item = new TMenuItem(Menu);
  Item->AfterConstruction();
  Item->SetCaption(Caption);
  Item->SetEnabled(Enable);
  Item->SetTag(Tag);
  if (Tag > 0) {
    Item->SetOnClick([this](TObject* Sender) { PopupMenuHook(Sender); });
  }
  (SubMenu ? SubMenu : Menu->Items())->Add(Item);
  return Item;
}

void TLexiSpell3Base::PopupMenuHook(TObject* Sender) {
  if (auto* Item = dynamic_cast<TMenuItem*>(Sender); Item && Item->Tag() > 0) {
    FPopupTag = static_cast<int>(Item->Tag());
    FPopupCaption = Item->Caption();
  }
}

void TLexiSpell3Base::DoPopup(TPopupMenu* Menu, int X, int Y) {
  FPopupTag = 0;
  FPopupCaption.clear();
  if (OnPopupDoMenu) {
    OnPopupDoMenu(this, Menu, X, Y, FPopupTag, FPopupCaption);
    return;
  }
  if (!OnPopupCreateMenu && Menu) {
    Menu->Popup(X, Y);
    Application->ProcessMessages();
  }
}

TSpellPopupOption TLexiSpell3Base::ShowPopupMenu(TObject* Sender, TSpellPopupOptions Options, int X, int Y,
                                                 std::string& Word) {
  if (Word.empty() || FPopupOpen) {
    return spCancel;
  }
  FPopupOpen = true;
  const std::string Original = Word;
  FConfig->EnsureLoaded();
  auto* Owner = dynamic_cast<TComponent*>(Sender);
  TPopupMenu* Menu = CreatePopupMenu(Owner);
  auto Has = [Options](TSpellPopupOption O) { return (Options & PopupOptionBit(O)) != 0; };
  TStringList Suggestions;
  if (Has(spReplace)) {
    InternalSuggest(Word, 5, Suggestions);
    for (int I = 0; I < Suggestions.Count(); ++I) {
      AddMenuItem(Menu, nullptr, Suggestions.Strings(I), true, false, 7);
    }
    if (Suggestions.Count() == 0) {
      AddMenuItem(Menu, nullptr, GetString(lsMnNoSuggestions), false, false, 0);
    }
    AddMenuItem(Menu, nullptr, "-", true, false, 0);
  }
  if (Has(spIgnore)) {
    AddMenuItem(Menu, nullptr, GetString(lsMnIgnore), true, false, 6);
  }
  if (Has(spIgnoreAll)) {
    AddMenuItem(Menu, nullptr, GetString(lsMnIgnoreAll), true, false, 5);
  }
  if (Has(spAdd)) {
    AddMenuItem(Menu, nullptr, GetString(lsMnAdd), ActiveCustom != nullptr, false, 4);
  }
  AddMenuItem(Menu, nullptr, "-", true, false, 0);
  if (Has(spChangeAll) && Suggestions.Count() > 0) {
    TMenuItem* Sub = AddMenuItem(Menu, nullptr, GetString(lsMnChangeAll), true, true, 0);
    for (int I = 0; Sub && I < Suggestions.Count(); ++I) {
      AddMenuItem(Menu, Sub, Suggestions.Strings(I), true, false, 3);
    }
  }
  if (Has(spAutoCorrect) && Suggestions.Count() > 0 && ActiveCustom) {
    TMenuItem* Sub = AddMenuItem(Menu, nullptr, GetString(lsMnAutoCorrect), true, true, 0);
    for (int I = 0; Sub && I < Suggestions.Count(); ++I) {
      AddMenuItem(Menu, Sub, Suggestions.Strings(I), true, false, 2);
    }
  }
  if (Has(spDialog)) {
    AddMenuItem(Menu, nullptr, GetString(lsMnSpelling), true, false, 1);
  }
  DoPopup(Menu, X, Y);
  TSpellPopupOption Result = spCancel;
  const std::string Chosen = FPopupCaption;
  switch (FPopupTag) {
    case 1:
      Result = spDialog;
      break;
    case 2:
      if (ActiveCustom) {
        ActiveCustom->AddAutoCorrect(Original, Chosen);
      }
      LearnSuggestion(Original, Chosen);
      Word = Chosen;
      Result = spAutoCorrect;
      break;
    case 3:
      InternalCustom->AddAutoCorrect(Original, Chosen);
      LearnSuggestion(Original, Chosen);
      Word = Chosen;
      Result = spChangeAll;
      break;
    case 4:
      if (ActiveCustom) {
        ActiveCustom->AddIgnore(Original);
      }
      Result = spAdd;
      break;
    case 5:
      InternalCustom->AddIgnore(Original);
      Result = spIgnoreAll;
      break;
    case 6:
      Result = spIgnore;
      break;
    case 7:
      LearnSuggestion(Original, Chosen);
      Word = Chosen;
      Result = spReplace;
      break;
    default:
      break;
  }
  if (OnPopupResult) {
    OnPopupResult(this, Original, Word, Result);
  }
  PopupResultEventList.PopupResult = Result;
  PopupResultEventList.Notify(this);
  delete Menu;
  FPopupOpen = false;
  return Result;
}
