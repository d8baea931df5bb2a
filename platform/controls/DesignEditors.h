// The class library's named property editors: colours, cursors, fonts and their names, shortcuts, captions,
// component names, modal results, tab orders and dates; the colour and font editors open their dialogs.
#pragma once

#include "platform/classes/DesignIntf.h"

// A colour: its name ("clRed") or a number; the colour names as values; Edit opens the colour dialog.
class TColorProperty : public TIntegerProperty {
  Z_CLASS(TColorProperty, TIntegerProperty)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // Raises EConvertError for a text that is no colour.
  void SetValue(const std::string& Value) override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
  void Edit() override;
};

// A cursor: its name ("crHandPoint") or a number.
class TCursorProperty : public TIntegerProperty {
  Z_CLASS(TCursorProperty, TIntegerProperty)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
};

// A font object: its properties as sub-properties; Edit opens the font dialog and takes its font.
class TFontProperty : public TClassProperty {
  Z_CLASS(TFontProperty, TClassProperty)
public:
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
};

// A font name, chosen from the screen's fonts.
class TFontNameProperty : public TStringProperty {
  Z_CLASS(TFontNameProperty, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
};

// A keyboard shortcut as its text ("Ctrl+S"); an empty text is none.
class TShortCutProperty : public TOrdinalProperty {
  Z_CLASS(TShortCutProperty, TOrdinalProperty)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // Raises EPropertyError "Invalid property value" for a text that is no shortcut.
  void SetValue(const std::string& Value) override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
};

// A caption or text: the designed control follows every keystroke.
class TCaptionProperty : public TStringProperty {
  Z_CLASS(TCaptionProperty, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override;
};

// A component's name: one component at a time.
class TComponentNameProperty : public TStringProperty {
  Z_CLASS(TComponentNameProperty, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override;
};

// A modal result by name ("mrOk") or number.
class TModalResultProperty : public TIntegerProperty {
  Z_CLASS(TModalResultProperty, TIntegerProperty)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
};

// A tab order: one control at a time.
class TTabOrderProperty : public TIntegerProperty {
  Z_CLASS(TTabOrderProperty, TIntegerProperty)
public:
  TPropertyAttributes GetAttributes() override;
};

// A character set by number.
class TFontCharsetProperty : public TIntegerProperty {
  Z_CLASS(TFontCharsetProperty, TIntegerProperty)
};

// An input method's name: free text.
class TImeNameProperty : public TStringProperty {
  Z_CLASS(TImeNameProperty, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override;
};

// A date and time, a date, a time: in the short formats; an empty text is 0.
class TDateTimeProperty : public TPropertyEditor {
  Z_CLASS(TDateTimeProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};
class TDateProperty : public TDateTimeProperty {
  Z_CLASS(TDateProperty, TDateTimeProperty)
public:
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};
class TTimeProperty : public TDateTimeProperty {
  Z_CLASS(TTimeProperty, TDateTimeProperty)
public:
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};
