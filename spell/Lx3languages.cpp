// The texts the spell checker shows, by text id and language.
#include "spell/Lx3languages.h"

namespace {

const char* const English[SpellLanguageStringCount] = {
    "Check spelling as you type",
    "Correct spelling errors as you type",
    "Ignore words in &UPPERCASE",
    "Ignore words containing numbers",
    "Ignore markup languages (&HTML, XML, etc)",
    "Ignore Internet addresses",
    "Ignore quoted lines",
    "Ignore abbreviations",
    "Suggest from main dictionaries only",
    "Prompt on repeated word",
    "Automatically correct DUal capitals",
    "Confirmation:",
    "Delete this custom dictionary?",
    "(Ignore All / Change All)",
    "Spelling",
    "Spelling Options",
    "Dictionaries",
    "Words added with Ignore All / Change All",
    "New Custom Dictionary",
    "Not Found:",
    "Repeated Word:",
    "&Replace With:",
    "&Suggestions:",
    "&Undo",
    "&Options...",
    "&Ignore All",
    "I&gnore",
    "&Change All",
    "C&hange",
    "&Add",
    "Au&to-Correct",
    "&Help",
    "Cancel",
    "Reset Defaults",
    " O&ptions: ",
    " D&ictionaries: ",
    "Name",
    "Filename",
    "&Custom Dictionary:",
    "&Dictionaries ...",
    "Locate Dictionaries...",
    "Choose Folder Containing Dictionaries",
    " Custom Dictionaries: ",
    "&Edit",
    "&Delete",
    "&New",
    "&OK",
    "&Enter the new custom dictionary name:",
    "Add&ed Words",
    "These words will be considered correct during a spell check operation.",
    "&Ignore this word:",
    "A&uto-Correct Pairs",
    "These words will automatically be corrected when encountered during a spelling check.",
    "&Replace:",
    "&With:",
    "&Excluded Words",
    "These words will always be considered incorrect during a spell check operation.",
    "E&xclude this word:",
    "The spelling check is complete.",
    "Words checked:",
    "The selection has been checked.  Would you like to check the remainder of the document?",
    "(no suggestions)",
    "I&gnore",
    "&Ignore All",
    "&Add",
    "&Change All",
    "A&uto Correct",
    "&Spelling ...",
};

const char* const* const Tables[SpellLanguageCount] = {English};

}  // namespace

std::string GetString(int Id, int Language) {
  if (Id < 0 || Id >= SpellLanguageStringCount || Language < 0 || Language >= SpellLanguageCount) {
    return std::string();
  }
  const char* const* Table = Tables[Language] ? Tables[Language] : English;
  return Table[Id];
}
