// The class library's masked edit (TCustomMaskEdit, TMaskEdit) over the native edit, its edit-mask language and
// FormatMaskText.
#pragma once

#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Exceptions.h"

#include <string>
#include <vector>

namespace MaskConsts {
inline constexpr const char* SMaskEditErr = "Invalid input value.  Use escape key to abandon changes";
inline constexpr const char* SMaskErr = "Invalid input value";
}  // namespace MaskConsts

// Raised when a masked edit's text does not fill its mask.
Z_EXCEPTION(EDBEditError, Exception)

// The parts of an edit mask "mask;save-literals;blank". The mask's characters:
//   !  optional characters left empty lead their field (a short field lies against the field's end)
//   >  the characters after it are upper case (until <),  <  lower case (until >),  <>  as typed
//   \  the next character is a literal
//   L  a letter, required     l  a letter, optional
//   A  a letter or digit, required   a  optional
//   C  any character, required       c  optional
//   0  a digit, required      9  a digit, optional     #  a digit or sign, optional
//   :  the time separator     /  the date separator    _  a space
//   anything else stands for itself.
// The second field "0" keeps the literals out of Text (any other value, or none, keeps them); the third gives the
// character shown in unfilled positions (default '_').
inline constexpr char DefaultBlank = '_';
inline constexpr char MaskFieldSeparator = ';';
inline constexpr char MaskNoSave = '0';

enum TMaskCase { mcNone, mcUpper, mcLower };

struct TMaskPosition {
  bool Literal = false;
  char Char = 0;  // the literal, or the mask character (L l A a C c 0 9 #)
  TMaskCase Case = mcNone;
};

struct TParsedMask {
  std::vector<TMaskPosition> Positions;
  bool SaveLiterals = true;
  char Blank = DefaultBlank;
  bool Leading = false;  // '!'
  bool Empty() const { return Positions.empty(); }
};

TParsedMask ParseEditMask(const std::string& EditMask);
// Whether C may stand at an input position (case is not checked: it is converted).
bool MaskCharFits(const TMaskPosition& P, char C);
bool MaskCharRequired(const TMaskPosition& P);
// The edit text (one character per position, blanks as Blank) for a value: with the literals saved the value is
// read with its literals, each field up to the literal that ends it; else the value fills the input positions
// only. Characters that do not fit their position become blanks when Check is on.
std::string MaskApplyValue(const TParsedMask& Mask, const std::string& Value, char Blank, bool Check);
// The value of an edit text: blanks become spaces, literals are dropped unless saved.
std::string MaskStripText(const TParsedMask& Mask, const std::string& EditText);

// Value laid into the mask with its literals, unfilled positions as spaces (Value itself for an empty mask).
std::string FormatMaskText(const std::string& EditMask, const std::string& Value);

// An edit whose text follows an edit mask: typing overwrites the input positions and steps over the literals
// (characters that do not fit are refused with a beep), Backspace and Delete put the blank back, a paste is
// typed through the mask, Escape restores the text the control had on entering. Leaving the control with a
// changed text that misses a required character raises EDBEditError (the focus stays, the caret goes to the
// position). The caret marks its position by selecting the character there, and stays on input positions. EditText
// is the text as shown; Text drops the literals when the mask says so and shows blanks as spaces. Without a mask
// it is a plain edit.
class TCustomMaskEdit : public TCustomEdit {
  Z_CLASS(TCustomMaskEdit, TCustomEdit)

public:
  explicit TCustomMaskEdit(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& Value);
  std::string EditText();
  void SetEditText(const std::string& Value);
  bool IsMasked() const { return !FMask.Empty(); }
  std::string GetText() override;
  void SetText(const std::string& Value) override;
  // Raises EDBEditError (ValidateError) when the text was changed and misses a required character or holds one
  // that does not fit, after moving the caret there.
  virtual void ValidateEdit();

protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  virtual void ValidateError();
  // Whether Value fills the mask; Pos is the first position that does not.
  bool Validate(const std::string& Value, int& Pos);
  // Puts back the text of entering (Escape).
  void Reset();

private:
  // The input position at or after Pos (or before it when none follows), or -1.
  int NextInput(int Pos) const;
  int PrevInput(int Pos) const;
  // Puts the caret on position Pos (an input position near it), selecting the character there.
  void SetCursor(int Pos);
  void CheckCursor();
  void GetSel(int& Start, int& Stop);
  // Replaces the edit text as the user's change (modified, OnChange) and sets the caret.
  void ApplyUserText(const std::string& Text, int Caret);
  // Types C at Pos in Text; the position after it, or -1 when C is refused.
  int InputChar(std::string& Text, int Pos, char C);
  void BlankRange(std::string& Text, int Start, int Stop);
  void DeleteKeys(bool Back);
  void PasteText(const std::string& Value);

  std::string FEditMask;
  TParsedMask FMask;
  std::string FOldValue;
  bool FReEnter = false;
  bool FMaxFromMask = false;
};

class TMaskEdit : public TCustomMaskEdit {
  Z_CLASS(TMaskEdit, TCustomMaskEdit)

public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
  // Published: AutoSelect, BorderStyle, CharCase, EditMask, HideSelection, MaxLength, PasswordChar, ReadOnly,
  // Text, OnChange and the common properties.
  static void Publish(TMetaClass& Meta);
};
