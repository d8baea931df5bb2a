// The abstract colour set an editor shares with its highlighter, and the character attributes, paragraph
// format and embedded object of formatted text.
#pragma once

#include "platform/classes/Persistent.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Sets.h"

#include <string>

// The editor's colours (values of the platform's colour type). The editor implements the setters.
class TCustomEasyEditorColors : public TPersistent {
  Z_CLASS(TCustomEasyEditorColors, TPersistent)
public:
  Integer DisabledColor = 0, ReadOnlyColor = 0, SearchMatchColor = 0, SearchMatchBackColor = 0, SelColor = 0,
          SelBackColor = 0, InActiveSelColor = 0, InActiveSelBackColor = 0, LiveSpellColor = 0,
          HyperStringColor = 0, FmtMarkColor = 0;
  virtual void SetSelColor(Integer Value) = 0;
  virtual void SetSelBackColor(Integer Value) = 0;
  virtual void SetSearchMatchColor(Integer Value) = 0;
  virtual void SetSearchMatchBackColor(Integer Value) = 0;
  virtual void SetReadOnlyColor(Integer Value) = 0;
  virtual void SetDisabledColor(Integer Value) = 0;
  virtual void SetInActiveSelColor(Integer Value) = 0;
  virtual void SetInActiveSelBackColor(Integer Value) = 0;
  virtual void SetLiveSpellColor(Integer Value) = 0;
  virtual void SetHyperStringColor(Integer Value) = 0;
  virtual void SetFmtMarkColor(Integer Value) = 0;
};

enum TEasyScriptStyle { ssNormal, ssSubScript, ssSuperScript };
enum TEasyConsistentAttr {
  caColor, caBkColor, caFace, caCharSet, caPitch, caSize, caBold, caItalic, caStrikeOut, caUnderline, caSubScript,
  caSuperScript, caStyle, caScriptStyle, caUserData, caUrl
};
using TEasyConsistentAttrs = TSet<TEasyConsistentAttr, caUrl>;
// Font style bits as the attributes keep them: the class library's own.
using TEasyFontStyle = TFontStyle;
using TEasyFontStyles = TFontStyles;

// Character attributes of formatted text. A setter stores a changed value, marks the attribute as given
// and calls Update; setting the current value of an attribute already given does nothing.
class TCustomEasyEditorAttributes : public TPersistent {
  Z_CLASS(TCustomEasyEditorAttributes, TPersistent)
public:
  void Assign(TPersistent* Source) override;
  virtual TEasyConsistentAttrs GetConsistentAttributes() const { return FConsistent; }
  virtual void Update() {}
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

  void SetCharset(Byte Value);
  void SetColor(Integer Value);
  void SetBkColor(Integer Value);
  void SetName(const std::string& Value);
  void SetPitch(int Value);
  void SetSize(int Value);
  void SetStyle(TEasyFontStyles Value);
  void SetScriptStyle(TEasyScriptStyle Value);
  void SetUserData(int Value);
  void SetUrl(const std::string& Value);

  Byte Charset() const { return FCharset; }
  Integer Color() const { return FColor; }
  Integer BkColor() const { return FBkColor; }
  const std::string& Name() const { return FName; }
  int Pitch() const { return FPitch; }
  int Size() const { return FSize; }
  TEasyFontStyles Style() const { return FStyle; }
  TEasyScriptStyle ScriptStyle() const { return FScriptStyle; }
  int UserData() const { return FUserData; }
  const std::string& Url() const { return FUrl; }

protected:
  TEasyConsistentAttrs FConsistent;

private:
  template <class T> void Store(T& Field, const T& Value, TEasyConsistentAttr Flag);
  Byte FCharset = 0;
  Integer FColor = 0;
  Integer FBkColor = 0;
  std::string FName;
  int FPitch = 0;
  int FSize = 0;
  TEasyFontStyles FStyle;
  TEasyScriptStyle FScriptStyle = ssNormal;
  int FUserData = 0;
  std::string FUrl;
};

enum TEasyNumberingStyle { nbsNone, nbsBullet, nbsNumber };
enum TEasyAlignment { algLeft, algRight, algCenter, algJustify };

// Paragraph format of formatted text. Setters store a changed value and call UpdateParagraph.
class TCustomEasyParagraph : public TPersistent {
  Z_CLASS(TCustomEasyParagraph, TPersistent)
public:
  void Assign(TPersistent* Source) override;
  virtual void UpdateParagraph() {}
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
  void SetLeftIndent(int Value);
  void SetFirstIndent(int Value);
  void SetRightIndent(int Value);
  // Any numbering but none also sets the first indent to -24, the left indent to 48 and the number to 1.
  void SetNumbering(TEasyNumberingStyle Value);
  void SetAlignment(TEasyAlignment Value);
  void SetPageBreak(bool Value);
  void SetNumber(int Value);
  // A middle dot for bullets, "n." for numbers, else empty.
  std::string GetNumberString() const;

  int LeftIndent() const { return FLeftIndent; }
  int FirstIndent() const { return FFirstIndent; }
  int RightIndent() const { return FRightIndent; }
  TEasyNumberingStyle Numbering() const { return FNumbering; }
  TEasyAlignment Alignment() const { return FAlignment; }
  bool PageBreak() const { return FPageBreak; }
  int Number() const { return FNumber; }

private:
  template <class T> void Store(T& Field, const T& Value);
  int FLeftIndent = 0;
  int FFirstIndent = 0;
  int FRightIndent = 0;
  TEasyNumberingStyle FNumbering = nbsNone;
  TEasyAlignment FAlignment = algLeft;
  bool FPageBreak = false;
  int FNumber = 1;
};

// An object embedded in formatted text. Setters store a changed value and call Update (false for the
// width, true for the others).
class TCustomEasyEditorObject : public TPersistent {
  Z_CLASS(TCustomEasyEditorObject, TPersistent)
public:
  virtual void Update(bool) {}
  virtual TObject* GetImage() { return nullptr; }
  void SetWidth(int Value);
  void SetHeight(int Value);
  void SetStretch(bool Value);
  void SetTransparent(bool Value);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Stretch() const { return FStretch; }
  bool Transparent() const { return FTransparent; }

private:
  int FWidth = 16;
  int FHeight = 16;
  bool FStretch = false;
  bool FTransparent = false;
};
