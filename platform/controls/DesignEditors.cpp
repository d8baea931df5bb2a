// The named property editors of colours, cursors, fonts, shortcuts, captions, names, modal results, tab orders
// and dates.
#include "platform/controls/DesignEditors.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/ColorValues.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Cursors.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <memory>

Z_IMPLEMENT_CLASS(TColorProperty, TIntegerProperty)
Z_IMPLEMENT_CLASS(TCursorProperty, TIntegerProperty)
Z_IMPLEMENT_CLASS(TFontProperty, TClassProperty)
Z_IMPLEMENT_CLASS(TFontNameProperty, TStringProperty)
Z_IMPLEMENT_CLASS(TShortCutProperty, TOrdinalProperty)
Z_IMPLEMENT_CLASS(TCaptionProperty, TStringProperty)
Z_IMPLEMENT_CLASS(TComponentNameProperty, TStringProperty)
Z_IMPLEMENT_CLASS(TModalResultProperty, TIntegerProperty)
Z_IMPLEMENT_CLASS(TTabOrderProperty, TIntegerProperty)
Z_IMPLEMENT_CLASS(TFontCharsetProperty, TIntegerProperty)
Z_IMPLEMENT_CLASS(TImeNameProperty, TStringProperty)
Z_IMPLEMENT_CLASS(TDateTimeProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TDateProperty, TDateTimeProperty)
Z_IMPLEMENT_CLASS(TTimeProperty, TDateTimeProperty)

namespace {

inline constexpr const char* SInvalidPropertyValue = "Invalid property value";

const char* const ModalResults[] = {"mrNone", "mrOk", "mrCancel", "mrAbort",   "mrRetry",   "mrIgnore",
                                    "mrYes",  "mrNo", "mrAll",    "mrNoToAll", "mrYesToAll"};

// An integer as its identifier through the type's registered names, else as a number.
std::string IdentOf(PTypeInfo Type, Int64 Value) {
  std::string Ident;
  if (const TIntToIdent ToIdent = FindIntToIdent(Type); ToIdent && ToIdent(static_cast<int>(Value), Ident)) {
    return Ident;
  }
  return IntToStr(Value);
}

// An identifier of the type's registered names, or a number (EConvertError for neither).
Int64 ValueOf(PTypeInfo Type, const std::string& Text) {
  int Value = 0;
  if (const TIdentToInt ToInt = FindIdentToInt(Type); ToInt && ToInt(Trim(Text), Value)) {
    return Value;
  }
  return StrToInt64(Trim(Text));
}

}  // namespace

// ---- Colours, cursors ------------------------------------------------------------------------------------------

TPropertyAttributes TColorProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paDialog, paValueList, paRevertable};
}
std::string TColorProperty::GetValue() { return ColorToString(static_cast<TColor>(GetOrdValue())); }
void TColorProperty::SetValue(const std::string& Value) { SetOrdValue(StringToColor(Trim(Value))); }
void TColorProperty::GetValues(const std::function<void(const std::string&)>& Proc) { GetColorValues(Proc); }
void TColorProperty::Edit() {
  auto Dialog = std::make_unique<TColorDialog>(nullptr);
  Dialog->Color = static_cast<int>(GetOrdValue());
  if (Dialog->Execute()) {
    SetOrdValue(Dialog->Color);
  }
}

TPropertyAttributes TCursorProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paValueList, paSortList, paRevertable};
}
std::string TCursorProperty::GetValue() { return IdentOf(TypeInfoCursor(), GetOrdValue()); }
void TCursorProperty::SetValue(const std::string& Value) { SetOrdValue(ValueOf(TypeInfoCursor(), Value)); }
void TCursorProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  for (int C = crDefault; C >= crSizeAll; --C) {
    const std::string Ident = IdentOf(TypeInfoCursor(), C);
    if (!Ident.empty() && Ident[0] == 'c') {
      Proc(Ident);
    }
  }
}

// ---- Fonts -----------------------------------------------------------------------------------------------------

TPropertyAttributes TFontProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paSubProperties, paDialog, paReadOnly};
}
void TFontProperty::Edit() {
  auto* Font = dynamic_cast<TFont*>(GetPropInfo()->GetObject(GetComponent(0)));
  auto Dialog = std::make_unique<TFontDialog>(nullptr);
  if (Font) {
    Dialog->Font()->Assign(Font);
  }
  if (!Dialog->Execute()) {
    return;
  }
  for (int I = 0; I < PropCount(); ++I) {
    if (auto* Target = dynamic_cast<TFont*>(GetPropInfo()->GetObject(GetComponent(I)))) {
      Target->Assign(Dialog->Font());
    }
  }
  Modified();
}

TPropertyAttributes TFontNameProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paValueList, paSortList, paRevertable};
}
void TFontNameProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  TStrings* Fonts = Screen->Fonts();
  for (int I = 0; I < Fonts->Count(); ++I) {
    Proc(Fonts->Strings(I));
  }
}

// ---- Shortcuts, texts, names, results, orders ------------------------------------------------------------------

TPropertyAttributes TShortCutProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paValueList, paRevertable};
}
std::string TShortCutProperty::GetValue() {
  const Int64 Value = GetOrdValue();
  return Value == 0 ? "(None)" : ShortCutToText(static_cast<TShortCut>(Value));
}
void TShortCutProperty::SetValue(const std::string& Value) {
  const std::string Text = Trim(Value);
  if (Text.empty() || SameText(Text, "(None)")) {
    SetOrdValue(0);
    return;
  }
  const TShortCut ShortCut = TextToShortCut(Text);
  if (ShortCut == 0) {
    throw EPropertyError(SInvalidPropertyValue);
  }
  SetOrdValue(ShortCut);
}
void TShortCutProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  Proc("(None)");
  for (const char* Key : {"Ctrl+A", "Ctrl+C", "Ctrl+N", "Ctrl+O", "Ctrl+P", "Ctrl+S", "Ctrl+V", "Ctrl+X", "Ctrl+Z",
                          "F1", "F2", "F3", "F4", "F5", "Del", "Ins"}) {
    Proc(Key);
  }
}

TPropertyAttributes TCaptionProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paAutoUpdate, paRevertable};
}
TPropertyAttributes TComponentNameProperty::GetAttributes() { return TPropertyAttributes{}; }
TPropertyAttributes TImeNameProperty::GetAttributes() { return TPropertyAttributes{paMultiSelect, paRevertable}; }
TPropertyAttributes TTabOrderProperty::GetAttributes() { return TPropertyAttributes{}; }

TPropertyAttributes TModalResultProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paValueList, paRevertable};
}
std::string TModalResultProperty::GetValue() {
  const Int64 V = GetOrdValue();
  return V >= 0 && V < static_cast<Int64>(std::size(ModalResults)) ? ModalResults[V] : IntToStr(V);
}
void TModalResultProperty::SetValue(const std::string& Value) {
  const std::string Text = Trim(Value);
  for (std::size_t I = 0; I < std::size(ModalResults); ++I) {
    if (SameText(Text, ModalResults[I])) {
      SetOrdValue(static_cast<Int64>(I));
      return;
    }
  }
  TIntegerProperty::SetValue(Text);
}
void TModalResultProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  for (const char* Name : ModalResults) {
    Proc(Name);
  }
}

// ---- Dates -----------------------------------------------------------------------------------------------------

TPropertyAttributes TDateTimeProperty::GetAttributes() { return TPropertyAttributes{paMultiSelect, paRevertable}; }
std::string TDateTimeProperty::GetValue() {
  const Extended V = GetFloatValue();
  return V == 0 ? std::string() : DateTimeToStr(V);
}
void TDateTimeProperty::SetValue(const std::string& Value) {
  TDateTime V = 0;
  if (!Trim(Value).empty() && !TryStrToDateTime(Trim(Value), V)) {
    throw EConvertError("'" + Value + "' is not a valid date and time");
  }
  SetFloatValue(V);
}
std::string TDateProperty::GetValue() {
  const Extended V = GetFloatValue();
  return V == 0 ? std::string() : DateToStr(V);
}
void TDateProperty::SetValue(const std::string& Value) {
  SetFloatValue(Trim(Value).empty() ? 0 : std::trunc(StrToDate(Trim(Value))));
}
std::string TTimeProperty::GetValue() {
  const Extended V = GetFloatValue();
  return TimeToStr(V - std::trunc(V));
}
void TTimeProperty::SetValue(const std::string& Value) {
  const Extended Date = std::trunc(GetFloatValue());
  const TDateTime Time = Trim(Value).empty() ? 0 : StrToTime(Trim(Value));
  SetFloatValue(Date + (Time - std::trunc(Time)));
}
