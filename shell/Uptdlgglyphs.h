// The small pictures of the file dialogs' speed buttons, drawn at run time.
#pragma once

class TSpeedButton;

enum class TPTDialogGlyph { UpOneLevel, Desktop, NewFolder, Tree, View, Delete };

// Gives the button a 16 x 16 picture of the kind (its bottom-left colour shows through).
void PTSetDialogGlyph(TSpeedButton* Button, TPTDialogGlyph Kind);
