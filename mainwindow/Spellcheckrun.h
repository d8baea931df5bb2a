// The main window's calls into its spell checker, kept apart from the window's own sources, where the names of
// the trees would clash with the spell checker's.
#pragma once

class TLexiSpell3;
class TCustomEasyEdit;

// Runs one check of the editor's text (the selection only, or the whole text) with the window's settings: a
// modal dialog that need not avoid the selection, the word count in the end message, and no end message while
// more documents follow. Returns when the check has ended.
void RunSpellCheck(TLexiSpell3* Speller, TCustomEasyEdit* Editor, bool SelectionOnly, bool MoreFollow);
// Stops a check that is running (not as a cancel by the user).
void StopSpellCheck(TLexiSpell3* Speller);
// Whether the last check was cancelled by the user.
bool SpellCheckCancelled(TLexiSpell3* Speller);
// Saves the spell checker's configuration and every open custom dictionary, the active one included.
void SaveSpellConfiguration(TLexiSpell3* Speller);
