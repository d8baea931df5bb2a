// The native button control ("BUTTON") over Qt's buttons: push buttons (owner-drawn ones painted by the parent
// through WM_DRAWITEM), check boxes, radio buttons and group boxes, with BM_ messages and BN_CLICKED to the
// parent.
#include "platform/graphics/WinGdi.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/win/WinMenu.h"
#include "platform/win/WindowInternals.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace {

DWORD ButtonKind(HWND Wnd) { return static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE)) & BS_TYPEMASK; }

// How a click changes a button's check: as Qt does, not at all (the platform's manual kinds leave it to the
// parent), or always checked (an automatic radio button).
enum class TCheckRule { Toggle, Keep, Check };

template <class TBase> class TRuledButton final : public TBase {
public:
  TRuledButton(const QString& Text, TCheckRule ARule) : TBase(Text), Rule(ARule) {}
  TCheckRule Rule;

protected:
  void nextCheckState() override {
    if (Rule == TCheckRule::Toggle) {
      TBase::nextCheckState();
    } else if (Rule == TCheckRule::Check) {
      this->setChecked(true);
    }
  }
};

// Asks the parent to draw an owner-drawn button on DC within Rc (WM_DRAWITEM with the button's state).
void SendDrawItem(HWND Wnd, QAbstractButton* Button, HDC DC, const TRect& Rc) {
  DRAWITEMSTRUCT D;
  D.CtlType = ODT_BUTTON;
  D.CtlID = static_cast<UINT>(GetDlgCtrlID(Wnd));
  D.itemAction = ODA_DRAWENTIRE;
  D.itemState = (Button->isDown() ? ODS_SELECTED : 0) | (GetFocus() == Wnd ? ODS_FOCUS : 0) |
                (IsWindowEnabled(Wnd) ? 0 : ODS_DISABLED);
  D.hwndItem = Wnd;
  D.hDC = DC;
  D.rcItem = Rc;
  if (HWND Parent = GetParent(Wnd)) {
    SendMessage(Parent, WM_DRAWITEM, static_cast<WPARAM>(D.CtlID), reinterpret_cast<LPARAM>(&D));
  }
}

// An owner-drawn push button: Qt keeps the pressing, the clicks and the keyboard; the face is what the parent
// draws, on a memory DC whose pixels are then painted on the widget.
class TOwnerDrawButton final : public QPushButton {
public:
  TOwnerDrawButton(HWND AWnd, const QString& Text) : QPushButton(Text), FWnd(AWnd) {}

protected:
  void paintEvent(QPaintEvent* E) override {
    const int W = width(), H = height();
    if (W <= 0 || H <= 0) {
      return;
    }
    HDC DC = CreateCompatibleDC(0);
    BITMAPINFO Info{};
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = -H;
    Info.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    HBITMAP Bmp = CreateDIBSection(DC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
    HGDIOBJ Old = SelectObject(DC, Bmp);
    TRect Face = Rect(0, 0, W, H);
    FillRect(DC, &Face, GetSysColorBrush(COLOR_BTNFACE));
    SendDrawItem(FWnd, this, DC, Face);
    GdiFlush();
    if (Bits) {
      QImage Img(static_cast<const uchar*>(Bits), W, H, W * 4, QImage::Format_RGB32);
      QPainter P(this);
      P.drawImage(E->rect().topLeft(), Img, E->rect());
    }
    SelectObject(DC, Old);
    DeleteObject(Bmp);
    DeleteDC(DC);
  }

private:
  HWND FWnd;
};

class TNativeButton final : public TNativeControl {
public:
  TNativeButton(HWND AWnd, const CREATESTRUCT* Create) : TNativeControl(AWnd) {
    std::string Text = Create && Create->lpszName ? Create->lpszName : "";
    if (!Create) {
      if (auto R = WindowSystem::Find(AWnd)) {
        Text = R->Text;
      }
    }
    QString Caption = AnsiToQString(Text);
    FKind = ButtonKind(AWnd);
    switch (FKind) {
      case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE: {
        auto* C = new TRuledButton<QCheckBox>(
            Caption, FKind == BS_CHECKBOX || FKind == BS_3STATE ? TCheckRule::Keep : TCheckRule::Toggle);
        C->setTristate(FKind == BS_3STATE || FKind == BS_AUTO3STATE);
        FButton = C;
        break;
      }
      case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: {
        auto* R = new TRuledButton<QRadioButton>(
            Caption, FKind == BS_AUTORADIOBUTTON ? TCheckRule::Check : TCheckRule::Keep);
        R->setAutoExclusive(false);  // radio groups are the windows' WS_GROUP runs, not Qt's parents
        FButton = R;
        break;
      }
      case BS_GROUPBOX:
        FGroup = new QGroupBox(Caption);
        SetWidget(FGroup);
        return;
      default: {
        auto* P = FKind == BS_OWNERDRAW ? new TOwnerDrawButton(AWnd, Caption) : new QPushButton(Caption);
        P->setDefault(FKind == BS_DEFPUSHBUTTON);
        P->setAutoDefault(false);
        FButton = P;
        break;
      }
    }
    SetWidget(FButton);
    QObject::connect(FButton, &QAbstractButton::clicked, [this](bool) { Clicked(); });
  }

  LRESULT DialogCode() override {
    switch (FKind) {
      case BS_GROUPBOX: return DLGC_STATIC;
      case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
      case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      case BS_PUSHBUTTON: case BS_PUSHBOX: case BS_OWNERDRAW: case BS_USERBUTTON:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      default: return DLGC_BUTTON;
    }
  }

  bool FocusOnClick() override { return FKind != BS_GROUPBOX; }

  void SetText(const QString& Text) override {
    if (FButton) {
      FButton->setText(Text);
    } else if (FGroup) {
      FGroup->setTitle(Text);
    }
  }

  bool HandleMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    if (!FButton) {
      return false;
    }
    switch (Msg) {
      case WM_PRINTCLIENT: case WM_PRINT:
        // An owner-drawn button is drawn by its parent on the given DC; the others as the platform's default.
        if (FKind == BS_OWNERDRAW && (Msg == WM_PRINTCLIENT || (LParam & PRF_CLIENT))) {
          TRect Rc{};
          GetClientRect(Wnd(), &Rc);
          SendDrawItem(Wnd(), FButton, static_cast<HDC>(WParam), Rc);
          Result = 0;
          return true;
        }
        return false;
      case BM_GETCHECK: Result = static_cast<LRESULT>(Check()); return true;
      case BM_SETCHECK: SetCheck(WParam); return true;
      case BM_GETSTATE:
        Result = static_cast<LRESULT>(Check()) | (FButton->isDown() ? BST_PUSHED : 0) |
                 (GetFocus() == Wnd() ? BST_FOCUS : 0);
        return true;
      case BM_SETSTATE: FButton->setDown(WParam != 0); FButton->update(); return true;
      case BM_CLICK: FButton->click(); return true;
      case WM_SETFOCUS:
        CheckOnFocusFromGroup(reinterpret_cast<HWND>(WParam));
        return false;  // the common handling gives the widget the focus
      case BM_SETSTYLE: {
        DWORD Style = static_cast<DWORD>(GetWindowLong(Wnd(), GWL_STYLE));
        Style = (Style & ~0xFFFFu) | static_cast<DWORD>(WParam & 0xFFFF);
        SetWindowLong(Wnd(), GWL_STYLE, static_cast<LONG>(Style));
        FKind = Style & BS_TYPEMASK;
        if (auto* P = qobject_cast<QPushButton*>(FButton)) {
          P->setDefault(FKind == BS_DEFPUSHBUTTON);
        }
        if (LParam) {
          FButton->update();
        }
        return true;
      }
      default: return false;
    }
  }

private:
  WPARAM Check() const {
    if (auto* C = qobject_cast<QCheckBox*>(FButton)) {
      switch (C->checkState()) {
        case Qt::Checked: return BST_CHECKED;
        case Qt::PartiallyChecked: return BST_INDETERMINATE;
        default: return BST_UNCHECKED;
      }
    }
    return FButton->isCheckable() && FButton->isChecked() ? BST_CHECKED : BST_UNCHECKED;
  }

  void SetCheck(WPARAM State) {
    if (auto* C = qobject_cast<QCheckBox*>(FButton)) {
      C->setCheckState(State == BST_CHECKED ? Qt::Checked : State == BST_INDETERMINATE && C->isTristate()
                                                                 ? Qt::PartiallyChecked
                                                                 : Qt::Unchecked);
    } else if (FButton->isCheckable()) {
      FButton->setChecked(State == BST_CHECKED);
    }
  }

  // An automatic radio button clears the others of its group before the parent hears of the click.
  void Clicked() {
    if (FKind == BS_AUTORADIOBUTTON) {
      ClearGroup();
    }
    Notify(BN_CLICKED);
  }

  // A radio button that the keyboard moves the focus to from another radio button of its group becomes the
  // choice, as a click would make it (a press of the mouse makes its own click when released).
  void CheckOnFocusFromGroup(HWND Previous) {
    if ((FKind != BS_RADIOBUTTON && FKind != BS_AUTORADIOBUTTON) || Check() == BST_CHECKED ||
        GetKeyState(VK_LBUTTON) < 0 || !Previous || Previous == Wnd()) {
      return;
    }
    const std::vector<HWND> Group = GroupOf(Wnd());
    if (std::find(Group.begin(), Group.end(), Previous) == Group.end() || !IsNativeWindow(Previous)) {
      return;
    }
    const DWORD PreviousKind = ButtonKind(Previous);
    if (PreviousKind != BS_RADIOBUTTON && PreviousKind != BS_AUTORADIOBUTTON) {
      return;
    }
    if (FKind == BS_AUTORADIOBUTTON) {
      SetCheck(BST_CHECKED);
    }
    Clicked();
  }

  // The radio group of a button: its siblings from the nearest WS_GROUP window at or before it up to the next
  // WS_GROUP window.
  static std::vector<HWND> GroupOf(HWND Self) {
    HWND Parent = GetParent(Self);
    if (!Parent) {
      return {};
    }
    std::vector<HWND> Siblings;
    for (HWND W = GetWindow(Parent, GW_CHILD); W; W = GetWindow(W, GW_HWNDNEXT)) {
      Siblings.push_back(W);
    }
    auto Pos = std::find(Siblings.begin(), Siblings.end(), Self);
    if (Pos == Siblings.end()) {
      return {};
    }
    auto First = Pos;
    while (First != Siblings.begin() && !(GetWindowLong(*First, GWL_STYLE) & WS_GROUP)) {
      --First;
    }
    auto Last = Pos + 1;
    while (Last != Siblings.end() && !(GetWindowLong(*Last, GWL_STYLE) & WS_GROUP)) {
      ++Last;
    }
    return std::vector<HWND>(First, Last);
  }

  void ClearGroup() {
    for (HWND W : GroupOf(Wnd())) {
      if (W != Wnd() && IsNativeWindow(W) && ButtonKind(W) == BS_AUTORADIOBUTTON) {
        SendMessage(W, BM_SETCHECK, BST_UNCHECKED, 0);
      }
    }
  }

  QAbstractButton* FButton = nullptr;
  QGroupBox* FGroup = nullptr;
  DWORD FKind = 0;
};

const ATOM ButtonClass = RegisterNativeClass(
    WC_BUTTON, [](HWND Wnd, const CREATESTRUCT* Create) { return std::make_unique<TNativeButton>(Wnd, Create); });

}  // namespace
