// The date and time picker over the platform's picker window: value, limits, kinds and styles, and its
// notifications.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/NativeControls.h"

#include <cmath>

Z_IMPLEMENT_CLASS(ECommonCalendarError, Exception)
Z_IMPLEMENT_CLASS(EDateTimeError, ECommonCalendarError)
Z_IMPLEMENT_CLASS_PUBLISHED(TDateTimePicker, TWinControl, TDateTimePicker::Publish)

namespace {

double DatePart(TDateTime Value) { return std::trunc(Value); }
double TimePart(TDateTime Value) { return Value - std::trunc(Value); }

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  TabStop = true;
  FDateTime = Now();
  SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::Publish(TMetaClass& Meta) {
  TPublisher<TDateTimePicker> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("CalAlignment", &TDateTimePicker::CalAlignment, &TDateTimePicker::SetCalAlignment).Default(dtaLeft);
  P.Property("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate).Type(TypeInfoDateTime());
  P.Property("Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat);
  P.Property("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime).Type(TypeInfoDateTime());
  P.Property("ShowCheckbox", &TDateTimePicker::ShowCheckbox, &TDateTimePicker::SetShowCheckbox).Default(false);
  P.Property("Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked).Default(true);
  P.Property("DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat).Default(dfShort);
  P.Property("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode).Default(dmComboBox);
  P.Property("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind).Default(dtkDate);
  P.Property("MaxDate", &TDateTimePicker::MaxDate, &TDateTimePicker::SetMaxDate).Type(TypeInfoDateTime());
  P.Property("MinDate", &TDateTimePicker::MinDate, &TDateTimePicker::SetMinDate).Type(TypeInfoDateTime());
  P.Property("OnChange", &TDateTimePicker::OnChange, &TDateTimePicker::OnChange);
  P.Property("OnCloseUp", &TDateTimePicker::OnCloseUp, &TDateTimePicker::OnCloseUp);
  P.Property("OnDropDown", &TDateTimePicker::OnDropDown, &TDateTimePicker::OnDropDown);
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, DATETIMEPICK_CLASS);
  if (FKind == dtkTime) {
    Params.Style |= DTS_TIMEFORMAT;
  } else {
    if (FDateFormat == dfLong) {
      Params.Style |= DTS_LONGDATEFORMAT;
    }
    if (FDateMode == dmUpDown) {
      Params.Style |= DTS_UPDOWN;
    }
  }
  if (FCalAlignment == dtaRight) {
    Params.Style |= DTS_RIGHTALIGN;
  }
  if (FShowCheckbox) {
    Params.Style |= DTS_SHOWNONE;
  }
  AddBorder(Params);
}

void TDateTimePicker::CreateWnd() {
  TWinControl::CreateWnd();
  SendRange();
  if (!FFormat.empty()) {
    SendMessage(Handle(), DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>(FFormat.c_str()));
  }
  SendValue();
}

void TDateTimePicker::Loaded() {
  TWinControl::Loaded();
  if (HandleAllocated()) {
    SendRange();
    SendValue();
  }
}

void TDateTimePicker::SendValue() {
  if (!HandleAllocated()) {
    return;
  }
  if (FShowCheckbox && !FChecked) {
    SendMessage(Handle(), DTM_SETSYSTEMTIME, static_cast<WPARAM>(GDT_NONE), 0);
    return;
  }
  SYSTEMTIME St;
  DateTimeToSystemTime(FDateTime, St);
  if (!SendMessage(Handle(), DTM_SETSYSTEMTIME, static_cast<WPARAM>(GDT_VALID), reinterpret_cast<LPARAM>(&St))) {
    throw EDateTimeError(ComStrs::SFailSetCalDateTime);
  }
}

void TDateTimePicker::SendRange() {
  if (!HandleAllocated()) {
    return;
  }
  SYSTEMTIME Range[2];
  WPARAM Flags = 0;
  if (FMinDate != 0) {
    DateTimeToSystemTime(DatePart(FMinDate), Range[0]);
    Flags |= GDTR_MIN;
  }
  if (FMaxDate != 0) {
    // The last day is allowed whole.
    DateTimeToSystemTime(DatePart(FMaxDate) + EncodeTime(23, 59, 59, 999), Range[1]);
    Flags |= GDTR_MAX;
  }
  SendMessage(Handle(), DTM_SETRANGE, Flags, reinterpret_cast<LPARAM>(Range));
}

void TDateTimePicker::ReadWindow() {
  if (!HandleAllocated()) {
    return;
  }
  SYSTEMTIME St;
  LRESULT R = SendMessage(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&St));
  if (R == GDT_VALID) {
    FDateTime = SystemTimeToDateTime(St);
    FChecked = true;
  } else if (R == GDT_NONE) {
    FChecked = false;
  }
}

TDateTime TDateTimePicker::DateTime() {
  if (HandleAllocated()) {
    SYSTEMTIME St;
    if (SendMessage(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&St)) == GDT_VALID) {
      return SystemTimeToDateTime(St);
    }
  }
  return FDateTime;
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  if (!ComponentState().Contains(csLoading)) {
    CheckValidDate(DatePart(Value));
  }
  const TDateTime Old = FDateTime;
  FDateTime = Value;
  try {
    SendValue();
  } catch (...) {
    FDateTime = Old;
    throw;
  }
}

TDateTime TDateTimePicker::Date() const { return DatePart(DateTime()); }
void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(DatePart(Value) + TimePart(DateTime())); }
TDateTime TDateTimePicker::Time() const { return TimePart(DateTime()); }
void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(DatePart(DateTime()) + TimePart(Value)); }

void TDateTimePicker::CheckValidDate(TDateTime Value) const {
  if (FMaxDate != 0 && Value > DatePart(FMaxDate)) {
    throw EDateTimeError(::Format(ComStrs::SDateTimeMax, {DateToStr(FMaxDate)}));
  }
  if (FMinDate != 0 && Value < DatePart(FMinDate)) {
    throw EDateTimeError(::Format(ComStrs::SDateTimeMin, {DateToStr(FMinDate)}));
  }
}

void TDateTimePicker::SetMinDate(TDateTime Value) {
  if (!ComponentState().Contains(csLoading) && Value != 0) {
    if (FMaxDate != 0 && DatePart(Value) > DatePart(FMaxDate)) {
      throw EDateTimeError(::Format(ComStrs::SDateTimeMax, {DateToStr(FMaxDate)}));
    }
    if (DatePart(DateTime()) < DatePart(Value)) {
      throw EDateTimeError(::Format(ComStrs::SDateTimeMin, {DateToStr(Value)}));
    }
  }
  FMinDate = Value;
  SendRange();
}

void TDateTimePicker::SetMaxDate(TDateTime Value) {
  if (!ComponentState().Contains(csLoading) && Value != 0) {
    if (FMinDate != 0 && DatePart(Value) < DatePart(FMinDate)) {
      throw EDateTimeError(::Format(ComStrs::SDateTimeMin, {DateToStr(FMinDate)}));
    }
    if (DatePart(DateTime()) > DatePart(Value)) {
      throw EDateTimeError(::Format(ComStrs::SDateTimeMax, {DateToStr(Value)}));
    }
  }
  FMaxDate = Value;
  SendRange();
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (Value != FKind) {
    FKind = Value;
    RecreateWnd();
  }
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
  if (Value != FDateFormat) {
    FDateFormat = Value;
    RecreateWnd();
  }
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
  if (Value != FDateMode) {
    FDateMode = Value;
    RecreateWnd();
  }
}

void TDateTimePicker::SetCalAlignment(TDTCalAlignment Value) {
  if (Value != FCalAlignment) {
    FCalAlignment = Value;
    if (HandleAllocated()) {
      // The alignment is read when the calendar opens: the style is enough.
      DWORD Style = static_cast<DWORD>(GetWindowLong(Handle(), GWL_STYLE));
      SetWindowLong(Handle(), GWL_STYLE,
                    static_cast<LONG>(Value == dtaRight ? Style | DTS_RIGHTALIGN : Style & ~DTS_RIGHTALIGN));
    }
  }
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
  if (Value != FShowCheckbox) {
    ReadWindow();
    FShowCheckbox = Value;
    RecreateWnd();
  }
}

bool TDateTimePicker::Checked() const {
  if (FShowCheckbox && FHandle) {
    return SendMessage(FHandle, DTM_GETSYSTEMTIME, 0, 0) == GDT_VALID;
  }
  return FChecked;
}

void TDateTimePicker::SetChecked(bool Value) {
  if (FShowCheckbox && HandleAllocated()) {
    ReadWindow();  // keep the value the window shows
  }
  FChecked = Value;
  if (FShowCheckbox) {
    SendValue();
  }
}

void TDateTimePicker::SetFormat(const std::string& Value) {
  FFormat = Value;
  if (HandleAllocated()) {
    SendMessage(Handle(), DTM_SETFORMAT, 0, Value.empty() ? 0 : reinterpret_cast<LPARAM>(FFormat.c_str()));
  }
}

void TDateTimePicker::Change() {
  if (OnChange) {
    OnChange(this);
  }
}

void TDateTimePicker::DropDown() {
  if (OnDropDown) {
    OnDropDown(this);
  }
}

void TDateTimePicker::CloseUp() {
  if (OnCloseUp) {
    OnCloseUp(this);
  }
}

void TDateTimePicker::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: {
      auto* H = reinterpret_cast<NMHDR*>(Message.LParam);
      switch (H->code) {
        case DTN_DATETIMECHANGE: {
          auto* N = reinterpret_cast<NMDATETIMECHANGE*>(Message.LParam);
          if (N->dwFlags == static_cast<DWORD>(GDT_VALID)) {
            FDateTime = SystemTimeToDateTime(N->st);
            FChecked = true;
          } else if (N->dwFlags == static_cast<DWORD>(GDT_NONE)) {
            FChecked = false;
          }
          if (!ComponentState().Contains(csLoading)) {
            Change();
          }
          return;
        }
        case DTN_DROPDOWN:
          FDroppedDown = true;
          DropDown();
          return;
        case DTN_CLOSEUP:
          FDroppedDown = false;
          CloseUp();
          return;
        default: break;
      }
      break;
    }
    case WM_DESTROY:
      ReadWindow();
      FDroppedDown = false;
      break;
    default: break;
  }
  TWinControl::Dispatch(Message);
}
