// The native date and time picker ("SysDateTimePick32") over a QDateTimeEdit: the value, the range and the
// picture through the DTM_ messages, the check box of "no value", the drop-down calendar, and the DTN_
// notifications to the parent.
#include "platform/qt/QtNativeControl.h"
#include "platform/win/Locale.h"
#include "platform/win/WindowInternals.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cstring>

namespace {

QDateTime ToQt(const SYSTEMTIME& St) {
  return QDateTime(QDate(St.wYear, St.wMonth, St.wDay), QTime(St.wHour, St.wMinute, St.wSecond, St.wMilliseconds),
                   Qt::UTC);
}

bool IsValidSystemTime(const SYSTEMTIME& St) {
  return QDate::isValid(St.wYear, St.wMonth, St.wDay) && QTime::isValid(St.wHour, St.wMinute, St.wSecond, St.wMilliseconds);
}

SYSTEMTIME FromQt(const QDateTime& D) {
  SYSTEMTIME St;
  const QDate Day = D.date();
  const QTime T = D.time();
  St.wYear = static_cast<WORD>(Day.year());
  St.wMonth = static_cast<WORD>(Day.month());
  St.wDay = static_cast<WORD>(Day.day());
  St.wDayOfWeek = static_cast<WORD>(Day.dayOfWeek() % 7);
  St.wHour = static_cast<WORD>(T.hour());
  St.wMinute = static_cast<WORD>(T.minute());
  St.wSecond = static_cast<WORD>(T.second());
  St.wMilliseconds = static_cast<WORD>(T.msec());
  return St;
}

// Text the display format shows as it is: letters are quoted.
QString QuotedLiteral(const std::string& Text) {
  QString Out;
  bool Open = false;
  for (char C : Text) {
    const bool Letter = std::isalpha(static_cast<unsigned char>(C)) || C == '\'';
    if (Letter && !Open) {
      Out += '\'';
      Open = true;
    } else if (!Letter && Open) {
      Out += '\'';
      Open = false;
    }
    Out += C == '\'' ? QString("''") : AnsiToQString(std::string(1, C));
  }
  if (Open) {
    Out += '\'';
  }
  return Out;
}

// The platform's date and time picture ("dd/MM/yyyy", "h:mm:ss tt", 'quoted') as Qt's display format.
QString QtDisplayFormat(const std::string& Picture) {
  QString Out;
  const std::size_t N = Picture.size();
  std::size_t I = 0;
  while (I < N) {
    const char C = Picture[I];
    if (C == '\'') {
      std::string Literal;
      ++I;
      while (I < N) {
        if (Picture[I] == '\'') {
          if (I + 1 < N && Picture[I + 1] == '\'') {
            Literal += '\'';
            I += 2;
            continue;
          }
          ++I;
          break;
        }
        Literal += Picture[I++];
      }
      Out += QuotedLiteral(Literal);
      continue;
    }
    std::size_t J = I;
    while (J < N && Picture[J] == C) {
      ++J;
    }
    const int Run = static_cast<int>(J - I);
    I = J;
    switch (C) {
      case 'd': Out += QString(std::min(Run, 4), 'd'); break;
      case 'M': Out += QString(std::min(Run, 4), 'M'); break;
      case 'y': Out += Run <= 2 ? "yy" : "yyyy"; break;
      case 'h': case 'H': case 'm': case 's': Out += QString(std::min(Run, 2), QChar(C)); break;
      case 't': Out += "AP"; break;
      case 'g': break;  // the era is not shown
      default: Out += QuotedLiteral(std::string(static_cast<std::size_t>(Run), C)); break;
    }
  }
  return Out;
}

bool IsTimeStyle(DWORD Style) { return (Style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT; }

// The picture a style shows by default.
std::string StylePicture(DWORD Style) {
  const TLocaleData& L = UserLocaleData();
  if (IsTimeStyle(Style)) {
    return L.TimeFormat;
  }
  return (Style & DTS_LONGDATEFORMAT) ? L.LongDate : L.ShortDate;
}

// Watches the calendar's pop-up window open and close.
class TPopupWatch final : public QObject {
public:
  std::function<void(bool Shown)> OnChange;
  using QObject::QObject;

protected:
  bool eventFilter(QObject* Watched, QEvent* E) override {
    if ((E->type() == QEvent::Show || E->type() == QEvent::Hide) && OnChange) {
      OnChange(E->type() == QEvent::Show);
    }
    return QObject::eventFilter(Watched, E);
  }
};

// The editor with the "no value" check box drawn at its left.
class TPickerWidget final : public QDateTimeEdit {
public:
  bool HasCheck = false;
  bool None = false;
  std::function<void()> OnCheckClick;

  QLineEdit* Line() const { return lineEdit(); }
  QRect CheckRect() const {
    const int S = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
    return QRect(4, (height() - S) / 2, S, S);
  }
  // The text starts after the check box.
  void PlaceLine() {
    if (!HasCheck) {
      return;
    }
    QRect R = lineEdit()->geometry();
    const int Left = CheckRect().right() + 4;
    if (R.left() < Left) {
      R.setLeft(Left);
      lineEdit()->setGeometry(R);
    }
  }
  void SetNone(bool Value) {
    None = Value;
    QPalette P = lineEdit()->palette();
    P.setColor(QPalette::Text, palette().color(Value ? QPalette::Disabled : QPalette::Active, QPalette::Text));
    lineEdit()->setPalette(P);
    update();
  }

protected:
  void resizeEvent(QResizeEvent* E) override {
    QDateTimeEdit::resizeEvent(E);
    PlaceLine();
  }
  void showEvent(QShowEvent* E) override {
    QDateTimeEdit::showEvent(E);
    PlaceLine();
  }
  void paintEvent(QPaintEvent* E) override {
    QDateTimeEdit::paintEvent(E);
    if (HasCheck) {
      QPainter P(this);
      QStyleOptionButton O;
      O.initFrom(this);
      O.rect = CheckRect();
      O.state |= None ? QStyle::State_Off : QStyle::State_On;
      style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &O, &P, this);
    }
  }
  bool OnCheck(QMouseEvent* E) const {
    return HasCheck && E->button() == Qt::LeftButton && CheckRect().adjusted(-3, -3, 3, 3).contains(E->position().toPoint());
  }
  void mousePressEvent(QMouseEvent* E) override {
    if (OnCheck(E)) {
      if (OnCheckClick) {
        OnCheckClick();
      }
      E->accept();
      return;
    }
    if (!None && ForwardToLine(E)) {
      return;
    }
    if (!None) {
      QDateTimeEdit::mousePressEvent(E);
    }
  }
  void mouseReleaseEvent(QMouseEvent* E) override {
    if (!ForwardToLine(E)) {
      QDateTimeEdit::mouseReleaseEvent(E);
    }
  }
  void mouseMoveEvent(QMouseEvent* E) override {
    if (!ForwardToLine(E)) {
      QDateTimeEdit::mouseMoveEvent(E);
    }
  }
  void mouseDoubleClickEvent(QMouseEvent* E) override {
    if (OnCheck(E)) {
      E->accept();  // its press toggled the box already
      return;
    }
    if (!ForwardToLine(E)) {
      QDateTimeEdit::mouseDoubleClickEvent(E);
    }
  }

private:
  // A click on the text picks the field under it, as it would on the text itself; a drag begun there stays
  // with the text until the button is released.
  bool ForwardToLine(QMouseEvent* E) {
    const QPoint At = E->position().toPoint();
    QLineEdit* L = lineEdit();
    bool Forward = false;
    switch (E->type()) {
      case QEvent::MouseButtonPress:
        Forward = FLineDrag = L->geometry().contains(At);
        break;
      case QEvent::MouseButtonDblClick: Forward = L->geometry().contains(At); break;
      case QEvent::MouseMove: Forward = FLineDrag && (E->buttons() & Qt::LeftButton); break;
      case QEvent::MouseButtonRelease:
        Forward = FLineDrag;
        FLineDrag = false;
        break;
      default: break;
    }
    if (!Forward) {
      return false;
    }
    QMouseEvent Copy(E->type(), QPointF(L->mapFrom(this, At)), E->scenePosition(), E->globalPosition(), E->button(),
                     E->buttons(), E->modifiers());
    DeliverToWidget(L, &Copy);
    E->accept();
    return true;
  }

  bool FLineDrag = false;
};

class TNativeDateTime final : public TNativeControl {
public:
  TNativeDateTime(HWND AWnd, const CREATESTRUCT* Create) : TNativeControl(AWnd) {
    (void)Create;
    FStyle = static_cast<DWORD>(GetWindowLong(AWnd, GWL_STYLE));
    FEdit = new TPickerWidget;
    SetWidget(FEdit);
    FEdit->setTimeSpec(Qt::UTC);
    FEdit->HasCheck = (FStyle & DTS_SHOWNONE) != 0;
    SYSTEMTIME Now;
    GetLocalTime(&Now);
    FValue = ToQt(Now);
    ApplyFormat(QtDisplayFormat(StylePicture(FStyle)));
    FQuiet = true;
    FEdit->setCalendarPopup(!IsTimeStyle(FStyle) && !(FStyle & DTS_UPDOWN));
    FQuiet = false;
    WatchPopup();
    QObject::connect(FEdit, &QDateTimeEdit::dateTimeChanged, [this](const QDateTime& Shown) {
      SyncText();
      if (FQuiet) {
        return;
      }
      const QDateTime Merged = Merge(Shown);
      if (Merged != FValue) {
        FValue = Merged;
        NotifyChange();
      }
    });
    FEdit->OnCheckClick = [this] {
      ::SetFocus(Wnd());
      FEdit->SetNone(!FEdit->None);
      SyncText();
      NotifyChange();
    };
    SyncText();
  }

  LRESULT DialogCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

  bool HandleMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    switch (Msg) {
      case WM_CREATE: SyncText(); return false;
      case DTM_GETSYSTEMTIME:
        if (LParam) {
          *reinterpret_cast<SYSTEMTIME*>(LParam) = FromQt(FValue);
        }
        Result = FEdit->None ? GDT_NONE : GDT_VALID;
        return true;
      case DTM_SETSYSTEMTIME: Result = SetSystemTime(static_cast<LRESULT>(WParam), reinterpret_cast<const SYSTEMTIME*>(LParam)); return true;
      case DTM_GETRANGE: {
        if (auto* Range = reinterpret_cast<SYSTEMTIME*>(LParam)) {
          Range[0] = FRangeFlags & GDTR_MIN ? FromQt(FMin) : SYSTEMTIME{};
          Range[1] = FRangeFlags & GDTR_MAX ? FromQt(FMax) : SYSTEMTIME{};
        }
        Result = static_cast<LRESULT>(FRangeFlags);
        return true;
      }
      case DTM_SETRANGE: Result = SetRange(WParam, reinterpret_cast<const SYSTEMTIME*>(LParam)); return true;
      case DTM_SETFORMAT: {
        auto* Picture = reinterpret_cast<LPCSTR>(LParam);
        ApplyFormat(QtDisplayFormat(Picture ? std::string(Picture) : StylePicture(FStyle)));
        Result = TRUE;
        return true;
      }
      case DTM_CLOSEMONTHCAL:
        if (FPopup && FPopup->isVisible()) {
          FPopup->hide();
        }
        Result = 0;
        return true;
      case WM_SETTEXT: Result = FALSE; return true;  // the text is the value's
      case WM_SYSKEYDOWN:
      case WM_KEYDOWN: return KeyDown(Msg, static_cast<WORD>(WParam), Result);
      case WM_CHAR:
        if (Dropped() || FEdit->None) {
          Result = 0;
          return true;
        }
        return false;
      case WM_KILLFOCUS:
        if (Dropped()) {
          FPopup->hide();
        }
        return false;
      default: return false;
    }
  }

private:
  bool Dropped() const { return FPopup && FPopup->isVisible(); }
  static QDateTime LowestTime() { return QDateTime(QDate(1752, 9, 14), QTime(0, 0), Qt::UTC); }
  static QDateTime HighestTime() { return QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC); }

  // A picture without a date keeps the widget to one day; the range and the value are put back after it.
  void ApplyFormat(const QString& Format) {
    FQuiet = true;
    FEdit->setDisplayFormat(Format);
    FEdit->setDateTimeRange(FMin, FMax);
    FEdit->setDateTime(FValue);
    FQuiet = false;
    SyncText();
  }

  LRESULT SetSystemTime(LRESULT Flag, const SYSTEMTIME* St) {
    if (Flag == GDT_NONE) {
      // Without the check box the field just shows no value.
      FEdit->SetNone(true);
      SyncText();
      return TRUE;
    }
    if (Flag != GDT_VALID || !St || !IsValidSystemTime(*St)) {
      return FALSE;
    }
    const QDateTime D = ToQt(*St);
    if (D < FMin || D > FMax) {
      return FALSE;
    }
    FQuiet = true;
    FEdit->SetNone(false);
    FValue = D;
    FEdit->setDateTime(D);
    FQuiet = false;
    SyncText();
    return TRUE;
  }

  LRESULT SetRange(WPARAM Flags, const SYSTEMTIME* Range) {
    if ((Flags & (GDTR_MIN | GDTR_MAX)) && !Range) {
      return FALSE;
    }
    if ((Flags & GDTR_MIN) && !IsValidSystemTime(Range[0])) {
      return FALSE;
    }
    if ((Flags & GDTR_MAX) && !IsValidSystemTime(Range[1])) {
      return FALSE;
    }
    const QDateTime Min = Flags & GDTR_MIN ? ToQt(Range[0]) : LowestTime();
    const QDateTime Max = Flags & GDTR_MAX ? ToQt(Range[1]) : HighestTime();
    if (Max < Min) {
      return FALSE;
    }
    FMin = Min;
    FMax = Max;
    FValue = std::clamp(FValue, Min, Max);
    FQuiet = true;
    FEdit->setDateTimeRange(Min, Max);
    FEdit->setDateTime(FValue);
    FQuiet = false;
    FRangeFlags = Flags & (GDTR_MIN | GDTR_MAX);
    SyncText();
    return TRUE;
  }

  bool KeyDown(UINT Msg, WORD Vk, LRESULT& Result) {
    const bool Alt = Msg == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    if (Dropped()) {
      QCalendarWidget* Cal = FEdit->calendarWidget();
      const QDate Day = Cal->selectedDate();
      switch (Vk) {
        case VK_ESCAPE: case VK_F4: FPopup->hide(); break;
        case VK_RETURN: {
          // The calendar's day with the picker's time: a change, then the calendar closes.
          const QDateTime D(Day, FValue.time(), Qt::UTC);
          if (D != FValue) {
            FEdit->setDateTime(D);
          }
          FPopup->hide();
          break;
        }
        case VK_UP:
          if (Alt) {
            FPopup->hide();
          } else {
            Cal->setSelectedDate(Day.addDays(-7));
          }
          break;
        case VK_DOWN: Cal->setSelectedDate(Day.addDays(7)); break;
        case VK_LEFT: Cal->setSelectedDate(Day.addDays(-1)); break;
        case VK_RIGHT: Cal->setSelectedDate(Day.addDays(1)); break;
        case VK_PRIOR: Cal->setSelectedDate(Day.addMonths(-1)); break;
        case VK_NEXT: Cal->setSelectedDate(Day.addMonths(1)); break;
        default: break;
      }
      Result = 0;
      return true;
    }
    if (FEdit->calendarPopup() && !FEdit->None && (Vk == VK_F4 || (Alt && Vk == VK_DOWN))) {
      OpenCalendar();
      Result = 0;
      return true;
    }
    if (FEdit->None && Msg == WM_KEYDOWN) {
      if (Vk == VK_SPACE && FEdit->HasCheck) {
        FEdit->SetNone(false);
        SyncText();
        NotifyChange();
      }
      Result = 0;
      return Vk != VK_TAB;
    }
    return false;
  }

  void WatchPopup() {
    QCalendarWidget* Cal = FEdit->calendarPopup() ? FEdit->calendarWidget() : nullptr;
    if (!Cal) {
      return;
    }
    FPopup = Cal->window();
    auto* Watch = new TPopupWatch(FEdit);
    Watch->OnChange = [this](bool Shown) {
      if (Shown != FDropNotified) {
        FDropNotified = Shown;
        SendNotify(Shown ? DTN_DROPDOWN : DTN_CLOSEUP);
      }
    };
    FPopup->installEventFilter(Watch);
  }

  void OpenCalendar() {
    if (!FPopup || FPopup->isVisible()) {
      return;
    }
    QCalendarWidget* Cal = FEdit->calendarWidget();  // brings the calendar to the picker's date and range
    Cal->setSelectedDate(FEdit->date());
    const QSize Size = FPopup->sizeHint();
    const bool Right = (static_cast<DWORD>(GetWindowLong(Wnd(), GWL_STYLE)) & DTS_RIGHTALIGN) != 0;
    const QPoint Corner = FEdit->mapToGlobal(Right ? FEdit->rect().bottomRight() : FEdit->rect().bottomLeft());
    FPopup->resize(Size);
    FPopup->move(Right ? Corner.x() - Size.width() + 1 : Corner.x(), Corner.y() + 1);
    FPopup->show();
  }

  // The widget keeps only what its picture shows (a date picture drops the time); the rest comes from the value.
  QDateTime Merge(const QDateTime& Shown) const {
    const auto S = FEdit->displayedSections();
    const QDate D0 = FValue.date();
    const QDate D1 = Shown.date();
    QDate Day((S & QDateTimeEdit::YearSection) ? D1.year() : D0.year(),
              (S & QDateTimeEdit::MonthSection) ? D1.month() : D0.month(),
              (S & QDateTimeEdit::DaySection) ? D1.day() : D0.day());
    if (!Day.isValid() || (FEdit->calendarPopup() && D1 != D0 && Dropped())) {
      Day = D1;  // a day picked in the calendar
    }
    const QTime T0 = FValue.time();
    const QTime T1 = Shown.time();
    const QTime Time((S & (QDateTimeEdit::HourSection | QDateTimeEdit::AmPmSection)) ? T1.hour() : T0.hour(),
                     (S & QDateTimeEdit::MinuteSection) ? T1.minute() : T0.minute(),
                     (S & QDateTimeEdit::SecondSection) ? T1.second() : T0.second(),
                     (S & QDateTimeEdit::MSecSection) ? T1.msec() : T0.msec());
    return QDateTime(Day, Time, Qt::UTC);
  }

  void SyncText() {
    if (auto R = WindowSystem::Find(Wnd())) {
      R->Text = FEdit->None ? std::string() : QStringToAnsi(FEdit->text());
    }
  }

  LRESULT SendNotify(UINT Code, NMHDR* Header = nullptr) {
    NMHDR Own;
    NMHDR& H = Header ? *Header : Own;
    H.hwndFrom = Wnd();
    H.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(Wnd()));
    H.code = Code;
    return SendToParent(WM_NOTIFY, H.idFrom, reinterpret_cast<LPARAM>(&H));
  }

  void NotifyChange() {
    NMDATETIMECHANGE N;
    N.dwFlags = FEdit->None ? static_cast<DWORD>(GDT_NONE) : static_cast<DWORD>(GDT_VALID);
    N.st = FromQt(FValue);
    SendNotify(DTN_DATETIMECHANGE, &N.nmhdr);
  }

  TPickerWidget* FEdit = nullptr;
  QPointer<QWidget> FPopup;
  QDateTime FValue;
  QDateTime FMin = LowestTime();
  QDateTime FMax = HighestTime();
  DWORD FStyle = 0;
  WPARAM FRangeFlags = 0;
  bool FDropNotified = false;
};

const ATOM DateTimeClass = RegisterNativeClass(DATETIMEPICK_CLASS, [](HWND Wnd, const CREATESTRUCT* Create) {
  return std::unique_ptr<TNativeControl>(std::make_unique<TNativeDateTime>(Wnd, Create));
});

}  // namespace
