// The date and time picker: values through the properties and the DTM_ messages, limits and their errors, the
// check box and "no value", kinds and pictures, the notifications of a change and of the drop-down calendar,
// and a picker read from a form file.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Locale.h"
#include "platform/win/NativeControls.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

// A form that logs the picker notifications its children send it.
class TPickerForm : public TForm {
  Z_CLASS(TPickerForm, TForm)
public:
  using TForm::TForm;
  Strings* Log = nullptr;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_NOTIFY && Log) {
      const UINT Code = reinterpret_cast<NMHDR*>(Message.LParam)->code;
      if (Code == DTN_DATETIMECHANGE) {
        const auto* N = reinterpret_cast<NMDATETIMECHANGE*>(Message.LParam);
        Log->push_back(N->dwFlags == static_cast<DWORD>(GDT_NONE) ? "change:none" : "change");
      } else {
        Log->push_back(Code == DTN_DROPDOWN ? "dropdown" : Code == DTN_CLOSEUP ? "closeup" : "?");
      }
    }
    TForm::Dispatch(Message);
  }
};
Z_IMPLEMENT_CLASS(TPickerForm, TForm)

SYSTEMTIME St(WORD Y, WORD M, WORD D, WORD H = 0, WORD Mi = 0, WORD S = 0) {
  SYSTEMTIME T;
  T.wYear = Y;
  T.wMonth = M;
  T.wDay = D;
  T.wHour = H;
  T.wMinute = Mi;
  T.wSecond = S;
  return T;
}

class DateTimePicker : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TPickerForm(Application);
    Form->AfterConstruction();
    Form->Log = &Log;
    Form->SetBounds(40, 40, 360, 240);
    Picker = new TDateTimePicker(Form);
    Picker->AfterConstruction();
    Picker->SetParent(Form);
    Picker->SetBounds(10, 10, 186, 24);
    Picker->OnChange = [this](TObject*) { Log.push_back("OnChange"); };
    Picker->OnDropDown = [this](TObject*) { Log.push_back(Picker->DroppedDown() ? "OnDropDown" : "OnDropDown?"); };
    Picker->OnCloseUp = [this](TObject*) { Log.push_back("OnCloseUp"); };
  }
  void TearDown() override { delete Form; }
  void Show() {
    Form->Show();
    Picker->SetFocus();
    Harness::RunUntilIdle();
  }
  LRESULT GetTime(SYSTEMTIME& T) {
    return SendMessage(Picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&T));
  }
  void Key(WORD Vk, Harness::TMods Mods = {}) {
    Harness::KeyPress(Vk, Mods);
    Harness::RunUntilIdle();
  }

  TPickerForm* Form = nullptr;
  TDateTimePicker* Picker = nullptr;
  Strings Log;
};

const TDateTime Pi = EncodeDate(2026, 3, 14) + EncodeTime(15, 9, 26, 0);

TEST_F(DateTimePicker, ValuesGoBothWaysThroughThePropertiesAndTheMessages) {
  Picker->SetDateTime(Pi);  // before the window: taken on creation
  Show();
  SYSTEMTIME T;
  ASSERT_EQ(GetTime(T), GDT_VALID);
  EXPECT_EQ(T.wYear, 2026);
  EXPECT_EQ(T.wMonth, 3);
  EXPECT_EQ(T.wDay, 14);
  EXPECT_EQ(T.wDayOfWeek, 6);  // a Saturday
  EXPECT_EQ(T.wHour, 15);
  EXPECT_EQ(T.wMinute, 9);
  EXPECT_EQ(T.wSecond, 26);
  SYSTEMTIME New = St(2025, 12, 31, 8, 30);
  EXPECT_TRUE(SendMessage(Picker->Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&New)));
  EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2025, 12, 31));
  EXPECT_NEAR(Picker->Time(), EncodeTime(8, 30, 0, 0), 1e-9);
  // Date keeps the time, Time keeps the date.
  Picker->SetDate(EncodeDate(2024, 2, 29));
  EXPECT_NEAR(Picker->DateTime(), EncodeDate(2024, 2, 29) + EncodeTime(8, 30, 0, 0), 1e-9);
  Picker->SetTime(EncodeTime(23, 59, 0, 0));
  EXPECT_NEAR(Picker->DateTime(), EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 0, 0), 1e-9);
  // The window shows the value in the short date picture; a picture of its own replaces it.
  char Expected[64] = {};
  SYSTEMTIME Shown = St(2024, 2, 29, 23, 59);
  GetDateFormat(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &Shown, nullptr, Expected, sizeof Expected);
  EXPECT_EQ(GetWindowTextString(Picker->Handle()), Expected);
  Picker->SetFormat("yyyy'-'MM'-'dd 'at' HH:mm");
  EXPECT_EQ(GetWindowTextString(Picker->Handle()), "2024-02-29 at 23:59");
  Picker->SetFormat("");
  EXPECT_EQ(GetWindowTextString(Picker->Handle()), Expected);
  // Setting in code and by message sends no notification; bad values are refused.
  SYSTEMTIME Bad = St(2026, 2, 30);
  EXPECT_FALSE(SendMessage(Picker->Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&Bad)));
  EXPECT_FALSE(SendMessage(Picker->Handle(), DTM_SETSYSTEMTIME, GDT_VALID, 0));
  Harness::RunUntilIdle();
  EXPECT_TRUE(Log.empty());
  // The value outlives a remade window.
  Picker->SetDateFormat(dfLong);
  EXPECT_NEAR(Picker->DateTime(), EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 0, 0), 1e-9);
}

TEST_F(DateTimePicker, LimitsRefuseDatesOutsideThemWithTheClassLibrarysError) {
  Picker->SetDateTime(Pi);
  Show();
  const TDateTime Min = EncodeDate(2026, 1, 1);
  const TDateTime Max = EncodeDate(2026, 12, 31);
  Picker->SetMinDate(Min);
  Picker->SetMaxDate(Max);
  auto Message = [](auto&& Action) {
    try {
      Action();
    } catch (const EDateTimeError& E) {
      return E.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(Message([&] { Picker->SetDate(EncodeDate(2027, 1, 1)); }), "Date exceeds maximum of " + DateToStr(Max));
  EXPECT_EQ(Message([&] { Picker->SetDate(EncodeDate(2025, 12, 31)); }),
            "Date is less than minimum of " + DateToStr(Min));
  EXPECT_NEAR(Picker->DateTime(), Pi, 1e-6);  // unchanged
  // The last day counts whole, whatever the time.
  Picker->SetDateTime(Max + EncodeTime(23, 0, 0, 0));
  EXPECT_NEAR(Picker->DateTime(), Max + EncodeTime(23, 0, 0, 0), 1e-6);
  // A limit may not pass the other, nor leave the current date outside.
  EXPECT_EQ(Message([&] { Picker->SetMinDate(EncodeDate(2027, 6, 1)); }), "Date exceeds maximum of " + DateToStr(Max));
  EXPECT_EQ(Message([&] { Picker->SetMaxDate(EncodeDate(2026, 6, 1)); }),
            "Date exceeds maximum of " + DateToStr(EncodeDate(2026, 6, 1)));
  EXPECT_DOUBLE_EQ(Picker->MaxDate(), Max);
  // The window has the range, and refuses values out of it.
  SYSTEMTIME Range[2];
  EXPECT_EQ(SendMessage(Picker->Handle(), DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(Range)),
            static_cast<LRESULT>(GDTR_MIN | GDTR_MAX));
  EXPECT_EQ(Range[0].wYear, 2026);
  EXPECT_EQ(Range[0].wMonth, 1);
  EXPECT_EQ(Range[1].wMonth, 12);
  EXPECT_EQ(Range[1].wHour, 23);
  SYSTEMTIME Outside = St(2030, 1, 1);
  EXPECT_FALSE(SendMessage(Picker->Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&Outside)));
  // 0 lifts a limit.
  Picker->SetMaxDate(0);
  EXPECT_EQ(SendMessage(Picker->Handle(), DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(Range)),
            static_cast<LRESULT>(GDTR_MIN));
  Picker->SetDate(EncodeDate(2030, 1, 1));
  EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2030, 1, 1));
}

TEST_F(DateTimePicker, TheCheckBoxSaysWhetherThereIsAValue) {
  Picker->SetShowCheckbox(true);
  Picker->SetDateTime(Pi);
  Show();
  EXPECT_TRUE(Picker->Checked());
  Picker->SetChecked(false);
  SYSTEMTIME T;
  EXPECT_EQ(GetTime(T), GDT_NONE);
  EXPECT_EQ(GetWindowTextString(Picker->Handle()), "");
  EXPECT_NEAR(Picker->DateTime(), Pi, 1e-6);  // the value waits
  Picker->SetChecked(true);
  ASSERT_EQ(GetTime(T), GDT_VALID);
  EXPECT_EQ(T.wDay, 14);
  EXPECT_TRUE(SendMessage(Picker->Handle(), DTM_SETSYSTEMTIME, GDT_NONE, 0));
  EXPECT_FALSE(Picker->Checked());
  EXPECT_TRUE(Log.empty());
  // A click on the box checks it: a change with a value.
  const TRect Client = Picker->ClientRect();
  Harness::Click(Picker->Handle(), Point(9, Client.Height() / 2));
  Harness::RunUntilIdle();
  EXPECT_TRUE(Picker->Checked());
  EXPECT_EQ(Log, (Strings{"change", "OnChange"}));
  Harness::Click(Picker->Handle(), Point(9, Client.Height() / 2));
  Harness::RunUntilIdle();
  EXPECT_FALSE(Picker->Checked());
  EXPECT_EQ(Log.at(2), "change:none");
  // The check box outlives a remade window.
  Picker->SetKind(dtkTime);
  EXPECT_FALSE(Picker->Checked());
}

TEST_F(DateTimePicker, KindsAndFormatsAreWindowStyles) {
  struct Case {
    std::function<void()> Set;
    DWORD Style;
  };
  const Case Cases[] = {
      {[&] { Picker->SetKind(dtkTime); }, DTS_TIMEFORMAT},
      {[&] { Picker->SetDateFormat(dfLong); }, DTS_LONGDATEFORMAT},
      {[&] { Picker->SetDateMode(dmUpDown); }, DTS_UPDOWN},
      {[&] { Picker->SetCalAlignment(dtaRight); }, DTS_RIGHTALIGN},
      {[&] { Picker->SetShowCheckbox(true); }, DTS_SHOWNONE},
  };
  Picker->SetDateTime(Pi);
  Show();
  for (const Case& C : Cases) {
    const DWORD Before = static_cast<DWORD>(GetWindowLong(Picker->Handle(), GWL_STYLE));
    EXPECT_NE(Before & C.Style, C.Style);
    C.Set();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(Picker->Handle(), GWL_STYLE)) & C.Style, C.Style);
    Picker->SetKind(dtkDate);
    Picker->SetDateFormat(dfShort);
    Picker->SetDateMode(dmComboBox);
    Picker->SetCalAlignment(dtaLeft);
    Picker->SetShowCheckbox(false);
    EXPECT_NEAR(Picker->DateTime(), Pi, 1e-6);
  }
  // A time picker shows the time picture (or one of its own).
  Picker->SetKind(dtkTime);
  Picker->SetFormat("h:mm tt");
  EXPECT_EQ(GetWindowTextString(Picker->Handle()), "3:09 PM");
  Picker->SetFormat("HH:mm:ss");
  EXPECT_EQ(GetWindowTextString(Picker->Handle()), "15:09:26");
  // A click on the text picks the field under it: past the end of the text, the year.
  Picker->SetKind(dtkDate);
  Picker->SetFormat("MM'/'dd'/'yyyy");
  Picker->SetFocus();
  Harness::Click(Picker->Handle(), Point(120, Picker->ClientHeight() / 2));
  Harness::KeyPress(VK_UP);
  Harness::RunUntilIdle();
  EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2027, 3, 14));
}

TEST_F(DateTimePicker, TheCalendarReportsDropDownChangeAndCloseUpInOrder) {
  Picker->SetDateTime(Pi);
  Show();
  Key(VK_F4);
  EXPECT_TRUE(Picker->DroppedDown());
  Key(VK_RIGHT);
  Key(VK_RETURN);
  EXPECT_FALSE(Picker->DroppedDown());
  EXPECT_EQ(Log, (Strings{"dropdown", "OnDropDown", "change", "OnChange", "closeup", "OnCloseUp"}));
  EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2026, 3, 15));
  EXPECT_NEAR(Picker->Time(), EncodeTime(15, 9, 26, 0), 1e-6);
  // Alt+Down opens it too; closed without a choice, nothing changes.
  Log.clear();
  Key(VK_DOWN, {.Alt = true});
  EXPECT_TRUE(Picker->DroppedDown());
  SendMessage(Picker->Handle(), DTM_CLOSEMONTHCAL, 0, 0);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"dropdown", "OnDropDown", "closeup", "OnCloseUp"}));
  // So does a click on the drop button.
  Log.clear();
  const TRect Client = Picker->ClientRect();
  Harness::Click(Picker->Handle(), Point(Client.Right - 6, Client.Height() / 2));
  Harness::RunUntilIdle();
  EXPECT_TRUE(Picker->DroppedDown());
  SendMessage(Picker->Handle(), DTM_CLOSEMONTHCAL, 0, 0);
  EXPECT_EQ(Log, (Strings{"dropdown", "OnDropDown", "closeup", "OnCloseUp"}));
  // Escape closes it as well; a time picker has no calendar.
  Log.clear();
  Key(VK_F4);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Picker->DroppedDown());
  EXPECT_EQ(Log, (Strings{"dropdown", "OnDropDown", "closeup", "OnCloseUp"}));
  Log.clear();
  Picker->SetKind(dtkTime);
  Picker->SetFocus();
  Key(VK_F4);
  EXPECT_FALSE(Picker->DroppedDown());
  EXPECT_TRUE(Log.empty());
  // Stepping the hour is the user's change; the date the picture does not show stays.
  Picker->SetFormat("HH:mm");
  Key(VK_UP);
  EXPECT_EQ(Log, (Strings{"change", "OnChange"}));
  EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2026, 3, 15));
  EXPECT_NEAR(Picker->Time(), EncodeTime(16, 9, 26, 0), 1e-6);
}

TEST_F(DateTimePicker, AFormFileLaysOutAPicker) {
  RegisterClasses({TDateTimePicker::StaticClass()});
  delete Picker;
  TStringStream In(
      "object Form1: TPickerForm\r\n"
      "  object TimeEdit: TDateTimePicker\r\n"
      "    Left = 8\r\n    Top = 8\r\n    Width = 120\r\n    Height = 21\r\n"
      "    CalAlignment = dtaRight\r\n"
      "    Date = 46095.000000000000000000\r\n"
      "    Time = 0.500000000000000000\r\n"
      "    ShowCheckbox = True\r\n"
      "    Checked = False\r\n"
      "    Kind = dtkTime\r\n"
      "    MinDate = 46000.000000000000000000\r\n"
      "  end\r\n"
      "end\r\n");
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* P = dynamic_cast<TDateTimePicker*>(Form->FindComponent("TimeEdit"));
  ASSERT_NE(P, nullptr);
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(P->Kind(), dtkTime);
  EXPECT_EQ(P->CalAlignment(), dtaRight);
  EXPECT_DOUBLE_EQ(P->DateTime(), 46095.5);
  EXPECT_DOUBLE_EQ(P->MinDate(), 46000.0);
  EXPECT_FALSE(P->Checked());
  const DWORD Style = static_cast<DWORD>(GetWindowLong(P->Handle(), GWL_STYLE));
  EXPECT_EQ(Style & (DTS_TIMEFORMAT | DTS_SHOWNONE | DTS_RIGHTALIGN), DTS_TIMEFORMAT | DTS_SHOWNONE | DTS_RIGHTALIGN);
  SYSTEMTIME T;
  EXPECT_EQ(SendMessage(P->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&T)), GDT_NONE);
  EXPECT_TRUE(Log.empty());
}

}  // namespace
