// The native list box ("LISTBOX", a QListWidget) and combo box ("COMBOBOX", a QComboBox): items with data,
// selection, searching, the drop-down, and LBN_/CBN_ notifications to the parent.
#include "platform/qt/QtNativeControl.h"
#include "platform/win/ListControls.h"
#include "platform/win/WindowInternals.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include <algorithm>
#include <cstring>

namespace {

int Index(WPARAM W) { return static_cast<int>(static_cast<std::intptr_t>(W)); }
std::string Str(LPARAM L) { return L ? std::string(reinterpret_cast<LPCSTR>(L)) : std::string(); }

// Copies an item's text into the caller's buffer (which the platform assumes is big enough); the length.
LRESULT CopyOut(const QString& Text, LPARAM Buffer) {
  const std::string S = QStringToAnsi(Text);
  if (Buffer) {
    std::memcpy(reinterpret_cast<char*>(Buffer), S.c_str(), S.size() + 1);
  }
  return static_cast<LRESULT>(S.size());
}

// Where a sorted list puts a new string: after the items that compare lower or equal, case ignored.
template <class F> int SortedPlace(int Count, const QString& Text, F ItemText) {
  int At = 0;
  while (At < Count && QString::compare(ItemText(At), Text, Qt::CaseInsensitive) <= 0) {
    ++At;
  }
  return At;
}

// The platform's search: from the item after Start (wrapping), the first whose text begins with (or equals) S.
template <class F> LRESULT Find(int Count, int Start, const QString& S, bool Exact, F ItemText) {
  for (int K = 0; K < Count; ++K) {
    const int I = (Start + 1 + K + Count) % Count;
    const QString T = ItemText(I);
    if (Exact ? QString::compare(T, S, Qt::CaseInsensitive) == 0 : T.startsWith(S, Qt::CaseInsensitive)) {
      return I;
    }
  }
  return -1;
}

// A list's mouse input belongs to its viewport (the scroll area itself ignores it): the message is rebuilt there.
void DeliverToViewport(HWND Wnd, QAbstractScrollArea* Area, UINT Msg, WPARAM Keys, LPARAM LParam) {
  const QPoint Client(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(LParam))),
                      static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(LParam))));
  QWidget* View = Area->viewport();
  const QPointF Local = View->mapFrom(Area, Client);
  TPoint S = Point(Client.x(), Client.y());
  ClientToScreen(Wnd, &S);
  Qt::MouseButtons Buttons;
  if (Keys & MK_LBUTTON) Buttons |= Qt::LeftButton;
  if (Keys & MK_RBUTTON) Buttons |= Qt::RightButton;
  if (Keys & MK_MBUTTON) Buttons |= Qt::MiddleButton;
  Qt::KeyboardModifiers Mods;
  if (Keys & MK_SHIFT) Mods |= Qt::ShiftModifier;
  if (Keys & MK_CONTROL) Mods |= Qt::ControlModifier;
  Qt::MouseButton Button = Qt::NoButton;
  QEvent::Type Type = QEvent::MouseMove;
  switch (Msg) {
    case WM_LBUTTONDOWN: Button = Qt::LeftButton; Type = QEvent::MouseButtonPress; break;
    case WM_RBUTTONDOWN: Button = Qt::RightButton; Type = QEvent::MouseButtonPress; break;
    case WM_MBUTTONDOWN: Button = Qt::MiddleButton; Type = QEvent::MouseButtonPress; break;
    case WM_LBUTTONDBLCLK: Button = Qt::LeftButton; Type = QEvent::MouseButtonDblClick; break;
    case WM_RBUTTONDBLCLK: Button = Qt::RightButton; Type = QEvent::MouseButtonDblClick; break;
    case WM_MBUTTONDBLCLK: Button = Qt::MiddleButton; Type = QEvent::MouseButtonDblClick; break;
    case WM_LBUTTONUP: Button = Qt::LeftButton; Type = QEvent::MouseButtonRelease; break;
    case WM_RBUTTONUP: Button = Qt::RightButton; Type = QEvent::MouseButtonRelease; break;
    case WM_MBUTTONUP: Button = Qt::MiddleButton; Type = QEvent::MouseButtonRelease; break;
    default: break;
  }
  const QPointF Global(S.X, S.Y);
  if (Type == QEvent::MouseButtonDblClick) {
    // Qt takes the second press of a double click as a press followed by a double click.
    QMouseEvent Press(QEvent::MouseButtonPress, Local, Local, Global, Button, Buttons, Mods);
    DeliverToWidget(View, &Press);
  }
  QMouseEvent E(Type, Local, Local, Global, Button, Buttons, Mods);
  DeliverToWidget(View, &E);
}

// The widget scrolls itself: the window's own scroll bars (which the layer would draw around it) go; a combo
// box's WS_VSCROLL is meant for its list anyway.
void StripScrollBars(HWND Wnd) {
  const LONG Style = GetWindowLong(Wnd, GWL_STYLE);
  if (Style & static_cast<LONG>(WS_VSCROLL | WS_HSCROLL)) {
    SetWindowLong(Wnd, GWL_STYLE, Style & ~static_cast<LONG>(WS_VSCROLL | WS_HSCROLL));
  }
}

bool IsMouse(UINT Msg) { return Msg >= WM_MOUSEMOVE && Msg <= WM_MBUTTONDBLCLK && Msg != WM_MOUSEWHEEL; }

// ---- LISTBOX ----------------------------------------------------------------------------------------------------

class TNativeListBox final : public TNativeControl {
public:
  TNativeListBox(HWND AWnd, const CREATESTRUCT*) : TNativeControl(AWnd) {
    FList = new QListWidget;
    SetWidget(FList);
    FStyle = static_cast<DWORD>(GetWindowLong(AWnd, GWL_STYLE));
    FList->setSelectionMode((FStyle & LBS_NOSEL)           ? QAbstractItemView::NoSelection
                            : (FStyle & LBS_EXTENDEDSEL)   ? QAbstractItemView::ExtendedSelection
                            : (FStyle & LBS_MULTIPLESEL)   ? QAbstractItemView::MultiSelection
                                                           : QAbstractItemView::SingleSelection);
    FList->setUniformItemSizes(true);
    QObject::connect(FList, &QListWidget::itemSelectionChanged, [this] {
      if (!FQuiet && (FStyle & LBS_NOTIFY)) {
        Notify(LBN_SELCHANGE);
      }
    });
    QObject::connect(FList, &QListWidget::itemDoubleClicked, [this](QListWidgetItem*) {
      if (!FQuiet && (FStyle & LBS_NOTIFY)) {
        Notify(LBN_DBLCLK);
      }
    });
  }

  LRESULT DialogCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

  bool HandleMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    if (Msg == WM_CREATE) {
      StripScrollBars(Wnd());
      return false;
    }
    if (IsMouse(Msg)) {
      if ((Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK) && GetFocus() != Wnd()) {
        SetFocus(Wnd());
      }
      DeliverToViewport(Wnd(), FList, Msg, WParam, LParam);
      return false;  // the default handling follows (the scroll area ignores the event itself)
    }
    const int Count = FList->count();
    auto Text = [this](int I) { return FList->item(I)->text(); };
    auto Valid = [&](int I) { return I >= 0 && I < Count; };
    FQuiet = true;
    struct TLoud {
      bool& Q;
      ~TLoud() { Q = false; }
    } Loud{FQuiet};
    switch (Msg) {
      case LB_ADDSTRING:
      case LB_INSERTSTRING: {
        const QString S = AnsiToQString(Str(LParam));
        int At = Msg == LB_ADDSTRING ? Count : Index(WParam);
        if (Msg == LB_ADDSTRING && (FStyle & LBS_SORT)) {
          At = SortedPlace(Count, S, Text);
        }
        if (At < 0 || At > Count) {
          At = Msg == LB_INSERTSTRING && Index(WParam) == -1 ? Count : -1;
        }
        if (At < 0) {
          Result = LB_ERR;
          return true;
        }
        FList->insertItem(At, S);
        Result = At;
        return true;
      }
      case LB_DELETESTRING:
        if (!Valid(Index(WParam))) {
          Result = LB_ERR;
          return true;
        }
        delete FList->takeItem(Index(WParam));
        Result = FList->count();
        return true;
      case LB_RESETCONTENT: FList->clear(); return true;
      case LB_GETCOUNT: Result = Count; return true;
      case LB_GETTEXT: Result = Valid(Index(WParam)) ? CopyOut(Text(Index(WParam)), LParam) : LB_ERR; return true;
      case LB_GETTEXTLEN:
        Result = Valid(Index(WParam)) ? static_cast<LRESULT>(QStringToAnsi(Text(Index(WParam))).size()) : LB_ERR;
        return true;
      case LB_SETITEMDATA:
        if (!Valid(Index(WParam))) {
          Result = LB_ERR;
          return true;
        }
        FList->item(Index(WParam))->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(LParam)));
        return true;
      case LB_GETITEMDATA:
        Result = Valid(Index(WParam)) ? static_cast<LRESULT>(FList->item(Index(WParam))->data(Qt::UserRole).toULongLong())
                                      : LB_ERR;
        return true;
      case LB_SETCURSEL:
        if (IsMulti()) {
          Result = LB_ERR;
          return true;
        }
        if (!Valid(Index(WParam))) {
          FList->clearSelection();
          FList->setCurrentRow(-1);
          Result = LB_ERR;
          return true;
        }
        FList->setCurrentRow(Index(WParam));
        FList->scrollToItem(FList->item(Index(WParam)));
        Result = Index(WParam);
        return true;
      case LB_GETCURSEL:
        if (IsMulti()) {
          Result = FList->currentRow();
        } else {
          auto Sel = FList->selectedItems();
          Result = Sel.isEmpty() ? LB_ERR : FList->row(Sel.front());
        }
        return true;
      case LB_SETSEL: {
        if (!IsMulti()) {
          Result = LB_ERR;
          return true;
        }
        const int I = static_cast<int>(LParam);
        if (I == -1) {
          for (int K = 0; K < Count; ++K) FList->item(K)->setSelected(WParam != 0);
        } else if (Valid(I)) {
          FList->item(I)->setSelected(WParam != 0);
        } else {
          Result = LB_ERR;
        }
        return true;
      }
      case LB_GETSEL: Result = Valid(Index(WParam)) ? (FList->item(Index(WParam))->isSelected() ? 1 : 0) : LB_ERR; return true;
      case LB_GETSELCOUNT: Result = IsMulti() ? FList->selectedItems().size() : LB_ERR; return true;
      case LB_GETSELITEMS: {
        if (!IsMulti()) {
          Result = LB_ERR;
          return true;
        }
        auto* Out = reinterpret_cast<int*>(LParam);
        int N = 0;
        for (int K = 0; K < Count && N < Index(WParam); ++K) {
          if (FList->item(K)->isSelected()) Out[N++] = K;
        }
        Result = N;
        return true;
      }
      case LB_SETCARETINDEX: if (Valid(Index(WParam))) FList->setCurrentRow(Index(WParam), QItemSelectionModel::NoUpdate); return true;
      case LB_GETCARETINDEX: Result = FList->currentRow(); return true;
      case LB_FINDSTRING:
      case LB_FINDSTRINGEXACT:
        Result = Count ? Find(Count, Index(WParam), AnsiToQString(Str(LParam)), Msg == LB_FINDSTRINGEXACT, Text) : LB_ERR;
        return true;
      case LB_SELECTSTRING: {
        const LRESULT I = Count ? Find(Count, Index(WParam), AnsiToQString(Str(LParam)), false, Text) : LB_ERR;
        if (I >= 0 && !IsMulti()) FList->setCurrentRow(static_cast<int>(I));
        Result = I;
        return true;
      }
      case LB_GETTOPINDEX: {
        QListWidgetItem* Top = FList->itemAt(0, 0);
        Result = Top ? FList->row(Top) : 0;
        return true;
      }
      case LB_SETTOPINDEX:
        if (!Valid(Index(WParam))) {
          Result = LB_ERR;
          return true;
        }
        FList->scrollToItem(FList->item(Index(WParam)), QAbstractItemView::PositionAtTop);
        return true;
      case LB_SETITEMHEIGHT: FItemHeight = static_cast<int>(LOWORD(static_cast<DWORD_PTR>(LParam))); ApplyHeight(); return true;
      case LB_GETITEMHEIGHT: Result = ItemHeight(); return true;
      case LB_GETITEMRECT: {
        if (!Valid(Index(WParam))) {
          Result = LB_ERR;
          return true;
        }
        const QRect R = FList->visualItemRect(FList->item(Index(WParam)));
        *reinterpret_cast<TRect*>(LParam) = Rect(R.left(), R.top(), R.right() + 1, R.bottom() + 1);
        return true;
      }
      case LB_ITEMFROMPOINT: {
        const QPoint P(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(LParam))),
                       static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(LParam))));
        QListWidgetItem* It = FList->itemAt(P);
        // Outside every item: the nearest one, with the high word set.
        Result = It ? FList->row(It) : MAKELONG(static_cast<WORD>(std::max(0, Count - 1)), 1);
        return true;
      }
      case WM_SETFOCUS: if (FStyle & LBS_NOTIFY) Notify(LBN_SETFOCUS); return false;
      case WM_KILLFOCUS: if (FStyle & LBS_NOTIFY) Notify(LBN_KILLFOCUS); return false;
      default: return false;
    }
  }

private:
  bool IsMulti() const { return (FStyle & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
  int ItemHeight() const {
    if (FItemHeight > 0) return FItemHeight;
    return FList->fontMetrics().height() + 2;
  }
  void ApplyHeight() {
    for (int K = 0; K < FList->count(); ++K) FList->item(K)->setSizeHint(QSize(-1, ItemHeight()));
  }
  QListWidget* FList = nullptr;
  DWORD FStyle = 0;
  int FItemHeight = 0;
};

// ---- COMBOBOX ---------------------------------------------------------------------------------------------------

// A combo box that reports its list opening and closing.
class TComboWidget final : public QComboBox {
public:
  std::function<void()> OnDropDown;
  std::function<void()> OnCloseUp;
  bool Dropped = false;
  void showPopup() override {
    if (OnDropDown) OnDropDown();
    Dropped = true;
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (Dropped) {
      Dropped = false;
      if (OnCloseUp) OnCloseUp();
    }
  }
};

class TNativeComboBox final : public TNativeControl {
public:
  TNativeComboBox(HWND AWnd, const CREATESTRUCT* Create) : TNativeControl(AWnd) {
    FCombo = new TComboWidget;
    SetWidget(FCombo);
    FStyle = static_cast<DWORD>(GetWindowLong(AWnd, GWL_STYLE));
    const DWORD Kind = FStyle & CBS_TYPEMASK;
    FCombo->setEditable(Kind != CBS_DROPDOWNLIST);
    FCombo->setInsertPolicy(QComboBox::NoInsert);
    FQuiet = true;
    if (FCombo->lineEdit()) {
      FCombo->lineEdit()->setText(AnsiToQString(Create && Create->lpszName ? Create->lpszName : ""));
    }
    FQuiet = false;
    FCombo->OnDropDown = [this] { Notify(CBN_DROPDOWN); FChosen = false; };
    FCombo->OnCloseUp = [this] {
      // A choice made in the list: select-end-OK, close-up, then the selection change; else select-end-cancel.
      Notify(FChosen ? CBN_SELENDOK : CBN_SELENDCANCEL);
      Notify(CBN_CLOSEUP);
      if (FChosen) {
        FChosen = false;
        SyncText();
        Notify(CBN_SELCHANGE);
      }
    };
    QObject::connect(FCombo, qOverload<int>(&QComboBox::activated), [this](int) {
      if (FQuiet) return;
      if (FCombo->Dropped) {
        FChosen = true;  // reported when the list closes
      } else {
        SyncText();
        Notify(CBN_SELCHANGE);
      }
    });
    if (FCombo->lineEdit()) {
      QObject::connect(FCombo->lineEdit(), &QLineEdit::textEdited, [this](const QString&) {
        SyncText();
        if (!FQuiet) {
          Notify(CBN_EDITUPDATE);
          Notify(CBN_EDITCHANGE);
        }
      });
    }
  }

  LRESULT DialogCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }
  bool FocusOnClick() override { return true; }

  void SetText(const QString& Text) override {
    FQuiet = true;
    if (FCombo->lineEdit()) {
      FCombo->lineEdit()->setText(Text);
    } else {
      FCombo->setCurrentIndex(FCombo->findText(Text, Qt::MatchFixedString));
    }
    FQuiet = false;
  }

  bool HandleMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    if (Msg == WM_CREATE) {
      StripScrollBars(Wnd());
      return false;
    }
    const int Count = FCombo->count();
    auto Text = [this](int I) { return FCombo->itemText(I); };
    auto Valid = [&](int I) { return I >= 0 && I < Count; };
    FQuiet = true;
    struct TLoud {
      bool& Q;
      ~TLoud() { Q = false; }
    } Loud{FQuiet};
    switch (Msg) {
      case CB_ADDSTRING:
      case CB_INSERTSTRING: {
        const QString S = AnsiToQString(Str(LParam));
        int At = Msg == CB_ADDSTRING ? Count : Index(WParam);
        if (Msg == CB_ADDSTRING && (FStyle & CBS_SORT)) At = SortedPlace(Count, S, Text);
        if (Msg == CB_INSERTSTRING && At == -1) At = Count;
        if (At < 0 || At > Count) {
          Result = CB_ERR;
          return true;
        }
        const QString Kept = FCombo->lineEdit() ? FCombo->lineEdit()->text() : QString();
        const int Cur = FCombo->currentIndex();
        FCombo->insertItem(At, S);
        // Adding items leaves the selection and the edit's text alone, as the platform's box does.
        FCombo->setCurrentIndex(Cur >= At && Cur >= 0 ? Cur + 1 : Cur);
        if (FCombo->lineEdit()) FCombo->lineEdit()->setText(Kept);
        Result = At;
        return true;
      }
      case CB_DELETESTRING:
        if (!Valid(Index(WParam))) {
          Result = CB_ERR;
          return true;
        }
        FCombo->removeItem(Index(WParam));
        Result = FCombo->count();
        return true;
      case CB_RESETCONTENT: {
        const QString Kept = FCombo->lineEdit() ? FCombo->lineEdit()->text() : QString();
        FCombo->clear();
        if (FCombo->lineEdit()) FCombo->lineEdit()->setText(Kept);
        SyncText();
        return true;
      }
      case CB_GETCOUNT: Result = Count; return true;
      case CB_GETLBTEXT: Result = Valid(Index(WParam)) ? CopyOut(Text(Index(WParam)), LParam) : CB_ERR; return true;
      case CB_GETLBTEXTLEN:
        Result = Valid(Index(WParam)) ? static_cast<LRESULT>(QStringToAnsi(Text(Index(WParam))).size()) : CB_ERR;
        return true;
      case CB_SETITEMDATA:
        if (!Valid(Index(WParam))) {
          Result = CB_ERR;
          return true;
        }
        FCombo->setItemData(Index(WParam), QVariant::fromValue<qulonglong>(static_cast<qulonglong>(LParam)));
        return true;
      case CB_GETITEMDATA:
        Result = Valid(Index(WParam)) ? static_cast<LRESULT>(FCombo->itemData(Index(WParam)).toULongLong()) : CB_ERR;
        return true;
      case CB_SETCURSEL:
        if (!Valid(Index(WParam))) {
          FCombo->setCurrentIndex(-1);
          if (FCombo->lineEdit()) FCombo->lineEdit()->clear();
          SyncText();
          Result = CB_ERR;
          return true;
        }
        FCombo->setCurrentIndex(Index(WParam));
        SyncText();
        Result = Index(WParam);
        return true;
      case CB_GETCURSEL: {
        const int Cur = FCombo->currentIndex();
        // An edited text that no longer matches the item means no selection.
        Result = Cur >= 0 && (!FCombo->lineEdit() || FCombo->lineEdit()->text() == Text(Cur)) ? Cur : CB_ERR;
        return true;
      }
      case CB_FINDSTRING:
      case CB_FINDSTRINGEXACT:
        Result = Count ? Find(Count, Index(WParam), AnsiToQString(Str(LParam)), Msg == CB_FINDSTRINGEXACT, Text) : CB_ERR;
        return true;
      case CB_SELECTSTRING: {
        const LRESULT I = Count ? Find(Count, Index(WParam), AnsiToQString(Str(LParam)), false, Text) : CB_ERR;
        if (I >= 0) {
          FCombo->setCurrentIndex(static_cast<int>(I));
          SyncText();
        }
        Result = I;
        return true;
      }
      case CB_SHOWDROPDOWN:
        FQuiet = false;
        if (WParam && !FCombo->Dropped) FCombo->showPopup();
        if (!WParam && FCombo->Dropped) FCombo->hidePopup();
        Result = TRUE;
        return true;
      case CB_GETDROPPEDSTATE: Result = FCombo->Dropped ? TRUE : FALSE; return true;
      case CB_SETEXTENDEDUI: FExtendedUI = WParam != 0; return true;
      case CB_GETEXTENDEDUI: Result = FExtendedUI ? TRUE : FALSE; return true;
      case CB_LIMITTEXT:
        if (FCombo->lineEdit()) FCombo->lineEdit()->setMaxLength(Index(WParam) <= 0 ? 0x7FFFFFFE : Index(WParam));
        Result = TRUE;
        return true;
      case CB_GETEDITSEL: {
        int Start = 0, End = 0;
        if (QLineEdit* E = FCombo->lineEdit()) {
          Start = E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
          End = E->hasSelectedText() ? Start + static_cast<int>(E->selectedText().size()) : Start;
        }
        if (WParam) *reinterpret_cast<DWORD*>(WParam) = static_cast<DWORD>(Start);
        if (LParam) *reinterpret_cast<DWORD*>(LParam) = static_cast<DWORD>(End);
        Result = MAKELONG(static_cast<WORD>(Start), static_cast<WORD>(End));
        return true;
      }
      case CB_SETEDITSEL:
        if (QLineEdit* E = FCombo->lineEdit()) {
          const int Len = static_cast<int>(E->text().size());
          const int Start = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(LParam)));
          int End = static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(LParam)));
          if (Start < 0) {
            E->deselect();
          } else {
            if (End < 0 || End > Len) End = Len;
            E->setSelection(std::min(Start, Len), End - std::min(Start, Len));
          }
          Result = TRUE;
        } else {
          Result = CB_ERR;
        }
        return true;
      case CB_SETDROPPEDWIDTH: FDroppedWidth = Index(WParam); Result = FDroppedWidth; return true;
      case CB_GETDROPPEDWIDTH: Result = FDroppedWidth; return true;
      case WM_KEYDOWN:
        // Extended UI: Down opens the list instead of moving the selection.
        if (FExtendedUI && WParam == VK_DOWN && !FCombo->Dropped) {
          FQuiet = false;
          FCombo->showPopup();
          return true;
        }
        FQuiet = false;
        return false;
      case WM_SETFOCUS: FQuiet = false; Notify(CBN_SETFOCUS); return false;
      case WM_KILLFOCUS: FQuiet = false; Notify(CBN_KILLFOCUS); return false;
      default:
        FQuiet = false;
        return false;
    }
  }

private:
  // The window's text follows what the box shows.
  void SyncText() {
    if (auto R = WindowSystem::Find(Wnd())) {
      R->Text = QStringToAnsi(FCombo->currentText());
    }
  }
  TComboWidget* FCombo = nullptr;
  DWORD FStyle = 0;
  bool FChosen = false;
  bool FExtendedUI = false;
  int FDroppedWidth = 0;
};

const ATOM ListBoxClass = RegisterNativeClass(
    WC_LISTBOX, [](HWND Wnd, const CREATESTRUCT* Create) { return std::make_unique<TNativeListBox>(Wnd, Create); });
const ATOM ComboBoxClass = RegisterNativeClass(
    WC_COMBOBOX, [](HWND Wnd, const CREATESTRUCT* Create) { return std::make_unique<TNativeComboBox>(Wnd, Create); });

}  // namespace
