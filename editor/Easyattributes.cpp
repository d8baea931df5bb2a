// Character attributes, paragraph format and embedded objects of formatted text.
#include "editor/Easyattributes.h"

Z_IMPLEMENT_CLASS(TCustomEasyEditorColors, TPersistent)
Z_IMPLEMENT_CLASS(TCustomEasyEditorAttributes, TPersistent)
Z_IMPLEMENT_CLASS(TCustomEasyParagraph, TPersistent)
Z_IMPLEMENT_CLASS(TCustomEasyEditorObject, TPersistent)

template <class T> void TCustomEasyEditorAttributes::Store(T& Field, const T& Value, TEasyConsistentAttr Flag) {
  if (Field == Value && GetConsistentAttributes().Contains(Flag)) {
    return;
  }
  Field = Value;
  FConsistent.Include(Flag);
  Update();
}

void TCustomEasyEditorAttributes::SetCharset(Byte Value) { Store(FCharset, Value, caCharSet); }
void TCustomEasyEditorAttributes::SetColor(Integer Value) { Store(FColor, Value, caColor); }
void TCustomEasyEditorAttributes::SetBkColor(Integer Value) { Store(FBkColor, Value, caBkColor); }
void TCustomEasyEditorAttributes::SetName(const std::string& Value) { Store(FName, Value, caFace); }
void TCustomEasyEditorAttributes::SetPitch(int Value) { Store(FPitch, Value, caPitch); }
void TCustomEasyEditorAttributes::SetSize(int Value) { Store(FSize, Value, caSize); }
void TCustomEasyEditorAttributes::SetUserData(int Value) { Store(FUserData, Value, caUserData); }
void TCustomEasyEditorAttributes::SetUrl(const std::string& Value) { Store(FUrl, Value, caUrl); }

void TCustomEasyEditorAttributes::SetStyle(TEasyFontStyles Value) {
  if (FStyle == Value && GetConsistentAttributes().Contains(caStyle)) {
    return;
  }
  FStyle = Value;
  FConsistent.Include(caStyle);
  const std::pair<TEasyFontStyle, TEasyConsistentAttr> Map[] = {
      {fsBold, caBold}, {fsItalic, caItalic}, {fsUnderline, caUnderline}, {fsStrikeOut, caStrikeOut}};
  for (const auto& [S, A] : Map) {
    if (Value.Contains(S)) {
      FConsistent.Include(A);
    }
  }
  Update();
}

void TCustomEasyEditorAttributes::SetScriptStyle(TEasyScriptStyle Value) {
  if (FScriptStyle == Value && GetConsistentAttributes().Contains(caScriptStyle)) {
    return;
  }
  FScriptStyle = Value;
  FConsistent.Exclude(caSubScript);
  FConsistent.Exclude(caSuperScript);
  FConsistent.Include(caScriptStyle);
  if (Value == ssSubScript) {
    FConsistent.Include(caSubScript);
  } else if (Value == ssSuperScript) {
    FConsistent.Include(caSuperScript);
  }
  Update();
}

void TCustomEasyEditorAttributes::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TCustomEasyEditorAttributes*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  SetColor(Other->Color());
  SetBkColor(Other->BkColor());
  SetName(Other->Name());
  SetCharset(Other->Charset());
  SetSize(Other->Size());
  SetStyle(Other->Style());
  SetPitch(Other->Pitch());
  SetScriptStyle(Other->ScriptStyle());
  SetUserData(Other->UserData());
  SetUrl(Other->Url());
  EndUpdate();
}

template <class T> void TCustomEasyParagraph::Store(T& Field, const T& Value) {
  if (!(Field == Value)) {
    Field = Value;
    UpdateParagraph();
  }
}

void TCustomEasyParagraph::SetLeftIndent(int Value) { Store(FLeftIndent, Value); }
void TCustomEasyParagraph::SetFirstIndent(int Value) { Store(FFirstIndent, Value); }
void TCustomEasyParagraph::SetRightIndent(int Value) { Store(FRightIndent, Value); }
void TCustomEasyParagraph::SetAlignment(TEasyAlignment Value) { Store(FAlignment, Value); }
void TCustomEasyParagraph::SetPageBreak(bool Value) { Store(FPageBreak, Value); }
void TCustomEasyParagraph::SetNumber(int Value) { Store(FNumber, Value); }

void TCustomEasyParagraph::SetNumbering(TEasyNumberingStyle Value) {
  if (Value == FNumbering) {
    return;
  }
  FNumbering = Value;
  if (Value != nbsNone) {
    FFirstIndent = -24;
    FLeftIndent = 48;
    FNumber = 1;
  }
  UpdateParagraph();
}

std::string TCustomEasyParagraph::GetNumberString() const {
  if (FNumbering == nbsBullet) {
    return std::string(1, static_cast<char>(183));
  }
  if (FNumbering == nbsNumber) {
    return std::to_string(FNumber) + ".";
  }
  return std::string();
}

void TCustomEasyParagraph::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TCustomEasyParagraph*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  SetNumbering(Other->Numbering());
  SetLeftIndent(Other->LeftIndent());
  SetFirstIndent(Other->FirstIndent());
  SetRightIndent(Other->RightIndent());
  SetAlignment(Other->Alignment());
  SetPageBreak(Other->PageBreak());
  SetNumber(Other->Number());
  EndUpdate();
}

void TCustomEasyEditorObject::SetWidth(int Value) {
  if (Value != FWidth) {
    FWidth = Value;
    Update(false);
  }
}

void TCustomEasyEditorObject::SetHeight(int Value) {
  if (Value != FHeight) {
    FHeight = Value;
    Update(true);
  }
}

void TCustomEasyEditorObject::SetStretch(bool Value) {
  if (Value != FStretch) {
    FStretch = Value;
    Update(true);
  }
}

void TCustomEasyEditorObject::SetTransparent(bool Value) {
  if (Value != FTransparent) {
    FTransparent = Value;
    Update(true);
  }
}
