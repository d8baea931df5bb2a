// Styles, colour schemes and the highlighter with visual styles.
#include "editor/Easyeditorparser.h"

#include "platform/graphics/Colors.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr unsigned B = 1u << fsBold;
constexpr unsigned I = 1u << fsItalic;
constexpr unsigned U = 1u << fsUnderline;
constexpr Integer NoColor = -1;

// clang-format off
const TEasyStyleRecord DefaultScheme[18] = {
  {"tnone", "None", clBlack, clWindow, 0},
  {"tstring", "String", clMaroon, clWindow, 0},
  {"tcomment", "Comment", clNavy, clWindow, I},
  {"tident", "Ident", clBlack, clWindow, 0},
  {"tinteger", "Integer", clBlack, clWindow, 0},
  {"tfloat", "Float", clBlack, clWindow, 0},
  {"tresword", "Resword", clBlack, clWindow, B},
  {"tresword1", "Resword 1", clTeal, clWindow, B | I},
  {"tresword2", "Resword 2", clBlack, clWindow, B | I},
  {"tassembler", "Assembler", clGreen, clWindow, 0},
  {"turl", "URL", clBlue, clWindow, U},
  {"twhitespace", "White Space", clBlack, clWindow, 0},
  {"tdirective", "Directive", clGreen, clWindow, 0},
  {"Active Selection", "Active Selection", clHighlightText, clHighlight, 0},
  {"Inactive Selection", "Inactive Selection", clWindowText, clBtnFace, 0},
  {"Search Match", "Search Match", clLime, clBlack, 0},
  {"Disabled Color", "Disabled Color", clBtnFace, NoColor, 0},
  {"ReadOnly Color", "ReadOnly Color", clBtnFace, NoColor, 0},
};

const TEasyStyleRecord ClassicScheme[18] = {
  {"tnone", "None", clYellow, clNavy, 0},
  {"tstring", "String", clYellow, clNavy, 0},
  {"tcomment", "Comment", clSilver, clNavy, 0},
  {"tident", "Ident", clYellow, clNavy, 0},
  {"tinteger", "Integer", clYellow, clNavy, 0},
  {"tfloat", "Float", clYellow, clNavy, 0},
  {"tresword", "Resword", clWhite, clNavy, 0},
  {"tresword1", "Resword 1", clWhite, clNavy, 0},
  {"tresword2", "Resword 2", clWhite, clNavy, 0},
  {"tassembler", "Assembler", clLime, clNavy, 0},
  {"turl", "URL", clLime, clNavy, U},
  {"twhitespace", "White Space", clBlack, clNavy, 0},
  {"tdirective", "Directive", clYellow, clNavy, 0},
  {"Active Selection", "Active Selection", clHighlight, clBtnFace, 0},
  {"Inactive Selection", "Inactive Selection", clWindowText, clBtnFace, 0},
  {"Search Match", "Search Match", clBlack, clAqua, 0},
  {"Disabled Color", "Disabled Color", clBtnFace, NoColor, 0},
  {"ReadOnly Color", "ReadOnly Color", clBtnFace, NoColor, 0},
};

const TEasyStyleRecord OceanScheme[18] = {
  {"tnone", "None", clBlack, clAqua, 0},
  {"tstring", "String", clPurple, clAqua, 0},
  {"tcomment", "Comment", clTeal, clAqua, I},
  {"tident", "Ident", clBlue, clAqua, 0},
  {"tinteger", "Integer", clOlive, clAqua, 0},
  {"tfloat", "Float", clOlive, clAqua, 0},
  {"tresword", "Resword", clBlack, clAqua, B},
  {"tresword1", "Resword 1", clTeal, clAqua, B},
  {"tresword2", "Resword 2", clBlack, clAqua, B},
  {"tassembler", "Assembler", clBlue, clAqua, 0},
  {"turl", "URL", clBlue, clAqua, U},
  {"twhitespace", "White Space", clBlack, clAqua, 0},
  {"tdirective", "Directive", clWindowText, clAqua, 0},
  {"Active Selection", "Active Selection", clAqua, clBlue, 0},
  {"Inactive Selection", "Inactive Selection", clWindowText, clBtnFace, 0},
  {"Search Match", "Search Match", clAqua, clGray, 0},
  {"Disabled Color", "Disabled Color", clBtnFace, NoColor, 0},
  {"ReadOnly Color", "ReadOnly Color", clBtnFace, NoColor, 0},
};

const TEasyStyleRecord TwilightScheme[18] = {
  {"tnone", "None", clWhite, clWindowText, 0},
  {"tstring", "String", clYellow, clWindowText, 0},
  {"tcomment", "Comment", clSilver, clWindowText, I},
  {"tident", "Ident", clWhite, clWindowText, 0},
  {"tinteger", "Integer", clFuchsia, clWindowText, 0},
  {"tfloat", "Float", clFuchsia, clWindowText, 0},
  {"tresword", "Resword", clAqua, clWindowText, B},
  {"tresword1", "Resword 1", clAqua, clWindowText, B},
  {"tresword2", "Resword 2", clAqua, clWindowText, B},
  {"tassembler", "Assembler", clLime, clWindowText, 0},
  {"turl", "URL", clTeal, clWindowText, U},
  {"twhitespace", "White Space", clWhite, clWindowText, 0},
  {"tdirective", "Directive", clGreen, clWindowText, 0},
  {"Active Selection", "Active Selection", clWindowText, clWindow, 0},
  {"Inactive Selection", "Inactive Selection", clWindowText, clBtnFace, 0},
  {"Search Match", "Search Match", clBlue, clTeal, 0},
  {"Disabled Color", "Disabled Color", clBtnFace, NoColor, 0},
  {"ReadOnly Color", "ReadOnly Color", clBtnFace, NoColor, 0},
};
// clang-format on

const TEasyStyleRecord* FindRecord(TEasyColorMapping Mapping, const std::string& Name) {
  int Count = 0;
  const TEasyStyleRecord* Records = SchemeStyles(Mapping, Count);
  for (int K = 0; K < Count; ++K) {
    if (SameText(Records[K].Name, Name)) {
      return &Records[K];
    }
  }
  return nullptr;
}

}  // namespace

const TEasyStyleRecord* SchemeStyles(TEasyColorMapping Mapping, int& Count) {
  Count = 18;
  switch (Mapping) {
    case cmClassic:
      return ClassicScheme;
    case cmOcean:
      return OceanScheme;
    case cmTwilight:
      return TwilightScheme;
    case cmDefault:
    default:
      return DefaultScheme;
  }
}

// ---- One style --------------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(TEasyParserStyle, TCollectionItem)

TEasyParserStyle::TEasyParserStyle(TCollection* ACollection)
    : TCollectionItem(ACollection), FFontColor(clWindowText), FColor(clWindow) {}

void TEasyParserStyle::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TEasyParserStyle*>(Source)) {
    FFontColor = S->FFontColor;
    FFontStyle = S->FFontStyle;
    FColor = S->FColor;
    FName = S->FName;
    FDescription = S->FDescription;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(Source);
}

void TEasyParserStyle::SetFontColor(Integer Value) {
  if (Value != FFontColor) {
    FFontColor = Value;
    Changed(false);
  }
}

void TEasyParserStyle::SetFontStyle(TEasyFontStyles Value) {
  if (!(Value == FFontStyle)) {
    FFontStyle = Value;
    Changed(false);
  }
}

void TEasyParserStyle::SetColor(Integer Value) {
  if (Value != FColor) {
    FColor = Value;
    Changed(false);
  }
}

void TEasyParserStyle::LoadRecord(const TEasyStyleRecord& Record) {
  FFontColor = Record.FontColor;
  FColor = Record.Color;
  FFontStyle = TEasyFontStyles::FromMask(Record.FontStyle);
  FDescription = Record.Description;
  Changed(false);
}

// ---- The collection ---------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(TEasyParserStyles, TOwnedCollection)

TEasyParserStyles::TEasyParserStyles(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TEasyParserStyle::StaticClass()) {}

void TEasyParserStyles::Update(TCollectionItem*) {
  if (InUpdateColors || LockCount > 0) {
    return;
  }
  if (auto* Parser = dynamic_cast<TCustomEasyParser*>(Owner())) {
    Parser->Changed();
  }
}

TEasyParserStyle* TEasyParserStyles::AddStyle(const std::string& Name, TEasyColorMapping Mapping,
                                              TEasyParserStyles* Source, bool OnlyExisting, bool AtFront) {
  const int InSource = Source ? Source->IndexOfName(Name) : -1;
  if (Source && OnlyExisting && InSource < 0) {
    return nullptr;
  }
  BeginUpdate();
  auto* S = static_cast<TEasyParserStyle*>(AtFront ? Insert(0) : Add());
  S->SetName(Name);
  if (const TEasyStyleRecord* R = FindRecord(Mapping, Name)) {
    S->LoadRecord(*R);
  }
  if (InSource >= 0) {
    S->Assign(Source->Style(InSource));
  }
  EndUpdate();
  return S;
}

void TEasyParserStyles::ClearExceptColors() {
  BeginUpdate();
  for (int K = Count() - 1; K >= 0; --K) {
    if (IndexOfColor(Style(K)->Name()) < 0) {
      Delete(K);
    }
  }
  EndUpdate();
}

int TEasyParserStyles::IndexOfColor(const std::string& Name) const {
  for (int K = 0; K < 5; ++K) {
    if (SameText(EasyColorStyleNames[K], Name)) {
      return K;
    }
  }
  return -1;
}

int TEasyParserStyles::IndexOfName(const std::string& Name) const {
  for (int K = 0; K < Count(); ++K) {
    if (SameText(Style(K)->Name(), Name)) {
      return K;
    }
  }
  return -1;
}

void TEasyParserStyles::LoadStyles(const TEasyStyleRecord* Records, int Count) {
  BeginUpdate();
  for (int K = 0; K < Count; ++K) {
    auto* S = static_cast<TEasyParserStyle*>(Add());
    S->SetName(Records[K].Name);
    S->LoadRecord(Records[K]);
  }
  EndUpdate();
}

void UpdateParserStyles(TEasyParserStyles* Styles, TEasyColorMapping Mapping) {
  Styles->BeginUpdate();
  for (int K = 0; K < Styles->Count(); ++K) {
    if (const TEasyStyleRecord* R = FindRecord(Mapping, Styles->Style(K)->Name())) {
      Styles->Style(K)->LoadRecord(*R);
    }
  }
  Styles->EndUpdate();
}

// ---- The highlighter --------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(TEasyEditorParser, TEasySourceParser)

TEasyEditorParser::TEasyEditorParser(TComponent* AOwner)
    : TEasySourceParser(AOwner), FStyles(std::make_unique<TEasyParserStyles>(this)) {
  ++FStyles->LockCount;
  for (const char* Name : EasyColorStyleNames) {
    FStyles->AddStyle(Name, cmDefault, nullptr, false, false);
  }
  --FStyles->LockCount;
}

TEasyEditorParser::~TEasyEditorParser() {
  // The styles go before the parser base, and tell nobody.
  ++FStyles->LockCount;
  FStyles.reset();
}

void TEasyEditorParser::SetStyles(TEasyParserStyles* Value) {
  ++FStyles->LockCount;
  FStyles->Assign(Value);
  --FStyles->LockCount;
  Changed();
}

void TEasyEditorParser::SetColorMapping(TEasyColorMapping Value) {
  if (Value == FColorMapping) {
    return;
  }
  FColorMapping = Value;
  FBackSet = false;
  UpdateParserStyles(FStyles.get(), Value);
}

void TEasyEditorParser::GetFont(int Style, Integer& Color, TEasyFontStyles& FontStyle) {
  if (Style < 0 || Style >= FStyles->Count()) {
    Color = -1;
    FontStyle = TEasyFontStyles();
    return;
  }
  Color = FStyles->Style(Style)->FontColor();
  FontStyle = FStyles->Style(Style)->FontStyle();
}

Integer TEasyEditorParser::GetColor(int Style) {
  return Style >= 0 && Style < FStyles->Count() ? FStyles->Style(Style)->Color() : -1;
}

Integer TEasyEditorParser::GetInternalColor() const {
  int Count = 0;
  return SchemeStyles(FColorMapping, Count)[0].Color;
}

Integer TEasyEditorParser::GetDefaultColor() {
  if (FStyles->Count() > 0 && FStyles->IndexOfColor(FStyles->Style(0)->Name()) < 0) {
    return FStyles->Style(0)->Color();
  }
  return FBackSet ? FBack : GetInternalColor();
}

void TEasyEditorParser::ColorChanged(Integer Color) {
  FBackSet = true;
  FBack = Color;
  FStyles->BeginUpdate();
  for (int K = 0; K < FStyles->Count(); ++K) {
    if (FStyles->IndexOfColor(FStyles->Style(K)->Name()) < 0) {
      FStyles->Style(K)->SetColor(Color);
    }
  }
  FStyles->EndUpdate();
}

void TEasyEditorParser::UpdateColors(TCustomEasyEditorColors* Colors, bool ToParser) {
  if (!Colors) {
    return;
  }
  FStyles->InUpdateColors = true;
  try {
    for (int K = 0; K < FStyles->Count(); ++K) {
      TEasyParserStyle* S = FStyles->Style(K);
      const int Which = FStyles->IndexOfColor(S->Name());
      if (Which < 0) {
        continue;
      }
      // The editor colour pair (font, background) that this colour style carries.
      Integer* Font = nullptr;
      Integer* Back = nullptr;
      void (TCustomEasyEditorColors::*SetFont)(Integer) = nullptr;
      void (TCustomEasyEditorColors::*SetBack)(Integer) = nullptr;
      switch (Which) {
        case 0:
          Font = &Colors->SelColor, Back = &Colors->SelBackColor;
          SetFont = &TCustomEasyEditorColors::SetSelColor, SetBack = &TCustomEasyEditorColors::SetSelBackColor;
          break;
        case 1:
          Font = &Colors->InActiveSelColor, Back = &Colors->InActiveSelBackColor;
          SetFont = &TCustomEasyEditorColors::SetInActiveSelColor;
          SetBack = &TCustomEasyEditorColors::SetInActiveSelBackColor;
          break;
        case 2:
          Font = &Colors->SearchMatchColor, Back = &Colors->SearchMatchBackColor;
          SetFont = &TCustomEasyEditorColors::SetSearchMatchColor;
          SetBack = &TCustomEasyEditorColors::SetSearchMatchBackColor;
          break;
        case 3:
          Font = &Colors->DisabledColor, SetFont = &TCustomEasyEditorColors::SetDisabledColor;
          break;
        default:
          Font = &Colors->ReadOnlyColor, SetFont = &TCustomEasyEditorColors::SetReadOnlyColor;
          break;
      }
      if (ToParser) {
        S->SetFontColor(*Font);
        if (Back) {
          S->SetColor(*Back);
        }
      } else {
        (Colors->*SetFont)(S->FontColor());
        if (SetBack) {
          (Colors->*SetBack)(S->Color());
        }
      }
    }
  } catch (...) {
    FStyles->InUpdateColors = false;
    throw;
  }
  FStyles->InUpdateColors = false;
}

void TEasyEditorParser::UpdateStyles() {
  std::unique_ptr<TEasyParserStyles> Old(new TEasyParserStyles(nullptr));
  Old->Assign(FStyles.get());
  ++FStyles->LockCount;
  FStyles->BeginUpdate();
  FStyles->ClearExceptColors();
  for (int T = TokenCount() - 1; T >= 0; --T) {
    FStyles->AddStyle(TokenName(T), FColorMapping, Old.get(), false, true);
  }
  FStyles->EndUpdate();
  --FStyles->LockCount;
}

void TEasyEditorParser::RulesChanged() {
  CompileRules();
  UpdateStyles();
  Changed();
}
