// The native list box ("LISTBOX", a QListWidget) and combo box ("COMBOBOX", a QComboBox): items with data,
// selection, searching, the drop-down, owner-drawn rows, and LBN_/CBN_ notifications to the parent.
#include "platform/graphics/Clipbrd.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/win/ListControls.h"
#include "platform/win/WinMenu.h"
#include "platform/win/WindowInternals.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>
#include <cstring>
#include <unordered_map>

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

// The answer to LB_GETTEXT/CB_GETLBTEXT (the text copied to Buffer) or to their length messages (Length): the
// item's text, or for an owner-drawn box without strings its data, a pointer-sized value.
LRESULT ItemTextAnswer(bool HasStrings, const QString& Text, ULONG_PTR Data, LPARAM Buffer, bool Length) {
  if (!HasStrings) {
    if (!Length && Buffer) {
      std::memcpy(reinterpret_cast<void*>(Buffer), &Data, sizeof Data);
    }
    return sizeof Data;
  }
  return Length ? static_cast<LRESULT>(QStringToAnsi(Text).size()) : CopyOut(Text, Buffer);
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

// The same search in a box without strings, where an item is found by its data.
template <class F> LRESULT FindData(int Count, int Start, ULONG_PTR Value, F ItemData) {
  for (int K = 0; K < Count; ++K) {
    const int I = (Start + 1 + K + Count) % Count;
    if (ItemData(I) == Value) {
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

// ---- Owner-drawn rows --------------------------------------------------------------------------------------------

// The height the parent gives an item (or the whole box) in WM_MEASUREITEM; Default when it leaves it at 0.
int MeasureByOwner(HWND Wnd, UINT CtlType, int ItemId, ULONG_PTR Data, int Width, int Default) {
  const HWND Parent = GetParent(Wnd);
  if (!Parent) {
    return Default;
  }
  MEASUREITEMSTRUCT M;
  M.CtlType = CtlType;
  M.CtlID = static_cast<UINT>(GetDlgCtrlID(Wnd));
  M.itemID = static_cast<UINT>(ItemId);
  M.itemWidth = static_cast<UINT>(std::max(Width, 0));
  M.itemHeight = static_cast<UINT>(std::max(Default, 0));
  M.itemData = Data;
  const HWND Was = SetMeasuringItemWindow(Wnd);
  SendMessage(Parent, WM_MEASUREITEM, M.CtlID, reinterpret_cast<LPARAM>(&M));
  SetMeasuringItemWindow(Was);
  return M.itemHeight > 0 ? static_cast<int>(M.itemHeight) : Default;
}

// Has the parent draw one item (or a combo box's selection field) with WM_DRAWITEM, onto the widget's painter.
// The owner gets a memory device context over a bitmap of the item's size whose origin is set so that it draws in
// Client, the item's rectangle in the box's client coordinates; the bitmap then goes to the painter at At. Kept,
// when given, holds the item as last drawn: a redraw for a change of selection or focus starts from it, so an
// owner that only inverts or outlines the row finds it as it left it. Returns the bitmap drawn.
QImage DrawByOwner(QPainter* P, HWND Wnd, UINT CtlType, int ItemId, UINT Action, UINT State, const QRect& Client,
                   const QPoint& At, ULONG_PTR Data, HFONT Font, const QImage* Kept) {
  const int W = Client.width();
  const int H = Client.height();
  const HWND Parent = GetParent(Wnd);
  if (W <= 0 || H <= 0 || !Parent) {
    return {};
  }
  BITMAPINFO Info;
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = W;
  Info.bmiHeader.biHeight = -H;  // top-down rows
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  void* Bits = nullptr;
  HBITMAP Bitmap = CreateDIBSection(0, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  if (!Bitmap || !Bits) {
    if (Bitmap) DeleteObject(Bitmap);
    return {};
  }
  auto* Pixels = static_cast<std::uint32_t*>(Bits);
  if (Kept && Kept->width() == W && Kept->height() == H && Kept->format() == QImage::Format_RGB32) {
    for (int Y = 0; Y < H; ++Y) {
      std::memcpy(Pixels + static_cast<std::size_t>(Y) * W, Kept->constScanLine(Y), static_cast<std::size_t>(W) * 4);
    }
  } else {
    const COLORREF Back = GetSysColor(COLOR_WINDOW);
    std::fill(Pixels, Pixels + static_cast<std::size_t>(W) * H,
              0xFF000000u | (GetRValue(Back) << 16) | (GetGValue(Back) << 8) | GetBValue(Back));
  }
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ OldBitmap = SelectObject(DC, Bitmap);
  SetViewportOrgEx(DC, -Client.left(), -Client.top(), nullptr);
  HGDIOBJ OldFont = Font ? SelectObject(DC, Font) : 0;
  const bool Selected = (State & ODS_SELECTED) != 0;
  SetTextColor(DC, GetSysColor(Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkColor(DC, GetSysColor(Selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  DRAWITEMSTRUCT D;
  D.CtlType = CtlType;
  D.CtlID = static_cast<UINT>(GetDlgCtrlID(Wnd));
  D.itemID = static_cast<UINT>(ItemId);
  D.itemAction = Action;
  D.itemState = State;
  D.hwndItem = Wnd;
  D.hDC = DC;
  D.rcItem = Rect(Client.left(), Client.top(), Client.left() + W, Client.top() + H);
  D.itemData = Data;
  SendMessage(Parent, WM_DRAWITEM, D.CtlID, reinterpret_cast<LPARAM>(&D));
  if (OldFont) SelectObject(DC, OldFont);
  SelectObject(DC, OldBitmap);
  DeleteDC(DC);
  QImage Image = QImage(static_cast<const uchar*>(Bits), W, H, W * 4, QImage::Format_RGB32).copy();
  DeleteObject(Bitmap);
  P->drawImage(At, Image);
  return Image;
}

// Which part of an item changed since it was last drawn: its selection, its focus, or (first time, or nothing
// that the owner could redraw alone) the whole item.
UINT ActionFor(const UINT* Before, UINT Now) {
  if (!Before) return ODA_DRAWENTIRE;
  const UINT Changed = *Before ^ Now;
  if (Changed == ODS_SELECTED) return ODA_SELECT;
  if (Changed == ODS_FOCUS) return ODA_FOCUS;
  return ODA_DRAWENTIRE;
}

UINT StateOf(const QStyleOptionViewItem& Option) {
  UINT State = 0;
  if (Option.state & QStyle::State_Selected) State |= ODS_SELECTED;
  if (Option.state & QStyle::State_HasFocus) State |= ODS_FOCUS;
  if (!(Option.state & QStyle::State_Enabled)) State |= ODS_DISABLED;
  return State;
}

// The item role holding an owner-drawn item's height (variable-height boxes) and its data.
constexpr int HeightRole = Qt::UserRole + 1;
constexpr int DataRole = Qt::UserRole;

// The delegate of an owner-drawn box's rows: heights from the owner's answers, every row painted by the owner.
class TOwnerDrawDelegate final : public QStyledItemDelegate {
public:
  // The window that owns the rows, the owner-draw type, whether rows vary in height, the fixed height.
  TOwnerDrawDelegate(HWND AWnd, UINT AType, bool AVariable, std::function<HFONT()> AFont)
      : FWnd(AWnd), FType(AType), FVariable(AVariable), FFont(std::move(AFont)) {}
  int FixedHeight = 16;
  // Forgets what was drawn (items added, removed or resized).
  void Forget() {
    FStates.clear();
    FImages.clear();
  }

  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    int H = FixedHeight;
    if (FVariable) {
      const QVariant V = Index.data(HeightRole);
      if (V.isValid()) H = V.toInt();
    }
    return QSize(Option.rect.width() > 0 ? Option.rect.width() : 1, std::max(H, 1));
  }

  void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const int Row = Index.row();
    UINT State = StateOf(Option);
    if (!IsWindowEnabled(FWnd)) State |= ODS_DISABLED;
    auto It = FStates.find(Row);
    const UINT Action = ActionFor(It == FStates.end() ? nullptr : &It->second, State);
    auto Img = FImages.find(Row);
    const QImage* Kept = Action != ODA_DRAWENTIRE && Img != FImages.end() ? &Img->second : nullptr;
    // The item's rectangle in the list's client coordinates: the view's viewport.
    const QRect Client = Option.rect;
    const ULONG_PTR Data = static_cast<ULONG_PTR>(Index.data(DataRole).toULongLong());
    QImage Drawn = DrawByOwner(P, FWnd, FType, Row, Action, State, Client, Option.rect.topLeft(), Data,
                               FFont ? FFont() : 0, Kept);
    FStates[Row] = State;
    FImages[Row] = std::move(Drawn);
  }

private:
  HWND FWnd;
  UINT FType;
  bool FVariable;
  std::function<HFONT()> FFont;
  mutable std::unordered_map<int, UINT> FStates;
  mutable std::unordered_map<int, QImage> FImages;
};

bool IsMouse(UINT Msg) { return Msg >= WM_MOUSEMOVE && Msg <= WM_MBUTTONDBLCLK && Msg != WM_MOUSEWHEEL; }

// ---- LISTBOX ----------------------------------------------------------------------------------------------------

class TNativeListBox final : public TNativeControl {
public:
  TNativeListBox(HWND AWnd, const CREATESTRUCT*) : TNativeControl(AWnd) {
    FList = new QListWidget;
    SetWidget(FList);
    // The window's edge is the frame (non-client): item rectangles and points are client coordinates, which are
    // then the view's own.
    FList->setFrameShape(QFrame::NoFrame);
    FStyle = static_cast<DWORD>(GetWindowLong(AWnd, GWL_STYLE));
    FList->setSelectionMode((FStyle & LBS_NOSEL)           ? QAbstractItemView::NoSelection
                            : (FStyle & LBS_EXTENDEDSEL)   ? QAbstractItemView::ExtendedSelection
                            : (FStyle & LBS_MULTIPLESEL)   ? QAbstractItemView::MultiSelection
                                                           : QAbstractItemView::SingleSelection);
    FList->setUniformItemSizes(!(FStyle & LBS_OWNERDRAWVARIABLE));
    if (FStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
      FDelegate = new TOwnerDrawDelegate(AWnd, ODT_LISTBOX, (FStyle & LBS_OWNERDRAWVARIABLE) != 0,
                                         [this] { return FontHandle(); });
      FDelegate->setParent(FList);
      FList->setItemDelegate(FDelegate);
    }
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
      if (FDelegate && !(FStyle & LBS_OWNERDRAWVARIABLE)) {
        // A fixed-height box asks its owner once, for every row.
        FDelegate->FixedHeight = MeasureByOwner(Wnd(), ODT_LISTBOX, 0, 0, ClientWidth(), ItemHeight());
      }
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
    auto Data = [this](int I) { return static_cast<ULONG_PTR>(FList->item(I)->data(DataRole).toULongLong()); };
    FQuiet = true;
    struct TLoud {
      bool& Q;
      ~TLoud() { Q = false; }
    } Loud{FQuiet};
    switch (Msg) {
      case LB_ADDSTRING:
      case LB_INSERTSTRING: {
        // An owner-drawn box without strings keeps the value as the item's data.
        const QString S = HasStrings() ? AnsiToQString(Str(LParam)) : QString();
        int At = Msg == LB_ADDSTRING ? Count : Index(WParam);
        if (Msg == LB_ADDSTRING && (FStyle & LBS_SORT) && HasStrings()) {
          At = SortedPlace(Count, S, Text);
        }
        if (At < 0 || At > Count) {
          At = Msg == LB_INSERTSTRING && Index(WParam) == -1 ? Count : -1;
        }
        if (At < 0) {
          Result = LB_ERR;
          return true;
        }
        auto* Item = new QListWidgetItem(S);
        if (!HasStrings()) {
          Item->setData(DataRole, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(LParam)));
        }
        if (FItemHeight > 0 && !FDelegate) {
          Item->setSizeHint(QSize(-1, FItemHeight));
        }
        if (FDelegate) {
          FDelegate->Forget();
          if (FStyle & LBS_OWNERDRAWVARIABLE) {
            // A variable-height box asks for each item as it comes.
            Item->setData(HeightRole, MeasureByOwner(Wnd(), ODT_LISTBOX, At, HasStrings() ? 0 : static_cast<ULONG_PTR>(LParam),
                                                     ClientWidth(), ItemHeight()));
          }
        }
        FList->insertItem(At, Item);
        Result = At;
        return true;
      }
      case LB_DELETESTRING:
        if (!Valid(Index(WParam))) {
          Result = LB_ERR;
          return true;
        }
        delete FList->takeItem(Index(WParam));
        if (FDelegate) FDelegate->Forget();
        Result = FList->count();
        return true;
      case LB_RESETCONTENT:
        FList->clear();
        if (FDelegate) FDelegate->Forget();
        return true;
      case LB_GETCOUNT: Result = Count; return true;
      case LB_GETTEXT:
      case LB_GETTEXTLEN:
        Result = !Valid(Index(WParam)) ? LB_ERR
                                       : ItemTextAnswer(HasStrings(), Text(Index(WParam)), Data(Index(WParam)), LParam,
                                                        Msg == LB_GETTEXTLEN);
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
        if (!HasStrings()) {
          Result = FindData(Count, Index(WParam), static_cast<ULONG_PTR>(LParam), Data);
          return true;
        }
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
      case LB_SETITEMHEIGHT: {
        const int H = static_cast<int>(LOWORD(static_cast<DWORD_PTR>(LParam)));
        if (H <= 0) {
          Result = LB_ERR;
          return true;
        }
        if (FStyle & LBS_OWNERDRAWVARIABLE) {
          // A variable-height box sets the height of one item.
          if (!Valid(Index(WParam))) {
            Result = LB_ERR;
            return true;
          }
          FList->item(Index(WParam))->setData(HeightRole, H);
          Relayout();
          return true;
        }
        FItemHeight = H;
        if (FDelegate) {
          FDelegate->FixedHeight = H;
          Relayout();
        } else {
          ApplyHeight();
        }
        return true;
      }
      case LB_GETITEMHEIGHT:
        if (FStyle & LBS_OWNERDRAWVARIABLE) {
          Result = Valid(Index(WParam)) ? FList->item(Index(WParam))->data(HeightRole).toInt() : LB_ERR;
        } else {
          Result = FDelegate ? FDelegate->FixedHeight : ItemHeight();
        }
        return true;
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
  bool HasStrings() const { return !FDelegate || (FStyle & LBS_HASSTRINGS); }
  int ClientWidth() const {
    TRect R;
    GetClientRect(Wnd(), &R);
    return R.Width();
  }
  // Lays the rows out again after a change of height.
  void Relayout() {
    FDelegate->Forget();
    Q_EMIT FDelegate->sizeHintChanged(QModelIndex());
  }
  int ItemHeight() const {
    if (FItemHeight > 0) return FItemHeight;
    return FList->fontMetrics().height() + 2;
  }
  void ApplyHeight() {
    for (int K = 0; K < FList->count(); ++K) FList->item(K)->setSizeHint(QSize(-1, ItemHeight()));
  }
  QListWidget* FList = nullptr;
  TOwnerDrawDelegate* FDelegate = nullptr;
  DWORD FStyle = 0;
  int FItemHeight = 0;
};

// ---- COMBOBOX ---------------------------------------------------------------------------------------------------

// A combo box that reports its list opening and closing, and lets its owner draw the selection field.
class TComboWidget final : public QComboBox {
public:
  std::function<void()> OnDropDown;
  std::function<void()> OnCloseUp;
  // Draws the selection field (the rectangle in the widget's coordinates); set for owner-drawn boxes.
  std::function<void(QPainter*, const QRect&)> OnPaintField;
  bool Dropped = false;
  void paintEvent(QPaintEvent* E) override {
    if (!OnPaintField || isEditable()) {
      QComboBox::paintEvent(E);
      return;
    }
    // The frame and the arrow as the style draws them; the field's contents by the owner.
    QStylePainter P(this);
    QStyleOptionComboBox Opt;
    initStyleOption(&Opt);
    Opt.currentText.clear();
    Opt.currentIcon = QIcon();
    P.drawComplexControl(QStyle::CC_ComboBox, Opt);
    OnPaintField(&P, style()->subControlRect(QStyle::CC_ComboBox, &Opt, QStyle::SC_ComboBoxEditField, this));
  }
  void showPopup() override {
    if (OnDropDown) OnDropDown();
    Dropped = true;
    QComboBox::showPopup();
    LimitPopup();
  }
  // Styles that open the list as a menu over the box show every row; the platform's list drops below the box
  // and shows at most maxVisibleItems rows, scrolling the rest.
  void LimitPopup() {
    QWidget* Popup = view()->window();
    if (!Popup || Popup == window() || !Popup->isVisible() || count() <= maxVisibleItems()) {
      return;
    }
    int Rows = 0;
    for (int I = 0; I < maxVisibleItems(); ++I) {
      Rows += view()->sizeHintForRow(I);
    }
    const int Chrome = Popup->height() - view()->viewport()->height();
    const QPoint Below = mapToGlobal(QPoint(0, height()));
    Popup->setGeometry(Below.x(), Below.y(), std::max(Popup->width(), width()), Rows + std::max(Chrome, 0));
    if (currentIndex() >= 0) {
      view()->scrollTo(model()->index(currentIndex(), modelColumn()));
    }
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
    FCombo->setMaxVisibleItems(8);
    if (FStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
      FDelegate = new TOwnerDrawDelegate(AWnd, ODT_COMBOBOX, (FStyle & CBS_OWNERDRAWVARIABLE) != 0,
                                         [this] { return FontHandle(); });
      FDelegate->setParent(FCombo);
      FCombo->setItemDelegate(FDelegate);
      FCombo->OnPaintField = [this](QPainter* P, const QRect& Field) {
        const int Cur = FCombo->currentIndex();
        UINT State = ODS_COMBOBOXEDIT;
        if (GetFocus() == Wnd() && !FCombo->Dropped) State |= ODS_SELECTED | ODS_FOCUS;
        if (!IsWindowEnabled(Wnd())) State |= ODS_DISABLED;
        const ULONG_PTR Data = Cur >= 0 ? static_cast<ULONG_PTR>(FCombo->itemData(Cur).toULongLong()) : 0;
        DrawByOwner(P, Wnd(), ODT_COMBOBOX, Cur, ODA_DRAWENTIRE, State, Field, Field.topLeft(), Data, FontHandle(),
                    nullptr);
      };
    }
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
        FEdited = true;
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
      if (FDelegate) {
        // The selection field's height, and for a fixed-height box the height of every row of the list.
        FFieldHeight = MeasureByOwner(Wnd(), ODT_COMBOBOX, -1, 0, ClientWidth(), DefaultHeight());
        if (!(FStyle & CBS_OWNERDRAWVARIABLE)) {
          FDelegate->FixedHeight = MeasureByOwner(Wnd(), ODT_COMBOBOX, 0, 0, ClientWidth(), DefaultHeight());
        }
      }
      return false;
    }
    if (Msg == WM_SETFOCUS || Msg == WM_KILLFOCUS || Msg == WM_ENABLE) {
      FCombo->update();  // the selection field shows the focus
    }
    const int Count = FCombo->count();
    auto Text = [this](int I) { return FCombo->itemText(I); };
    auto Valid = [&](int I) { return I >= 0 && I < Count; };
    auto Data = [this](int I) { return static_cast<ULONG_PTR>(FCombo->itemData(I).toULongLong()); };
    FQuiet = true;
    struct TLoud {
      bool& Q;
      ~TLoud() { Q = false; }
    } Loud{FQuiet};
    switch (Msg) {
      case CB_ADDSTRING:
      case CB_INSERTSTRING: {
        // An owner-drawn box without strings keeps the value as the item's data.
        const QString S = HasStrings() ? AnsiToQString(Str(LParam)) : QString();
        int At = Msg == CB_ADDSTRING ? Count : Index(WParam);
        if (Msg == CB_ADDSTRING && (FStyle & CBS_SORT) && HasStrings()) At = SortedPlace(Count, S, Text);
        if (Msg == CB_INSERTSTRING && At == -1) At = Count;
        if (At < 0 || At > Count) {
          Result = CB_ERR;
          return true;
        }
        const QString Kept = FCombo->lineEdit() ? FCombo->lineEdit()->text() : QString();
        const int Cur = FCombo->currentIndex();
        FCombo->insertItem(At, S);
        if (!HasStrings()) {
          FCombo->setItemData(At, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(LParam)));
        }
        if (FDelegate) {
          FDelegate->Forget();
          if (FStyle & CBS_OWNERDRAWVARIABLE) {
            FCombo->setItemData(At, MeasureByOwner(Wnd(), ODT_COMBOBOX, At, HasStrings() ? 0 : static_cast<ULONG_PTR>(LParam),
                                                   ClientWidth(), DefaultHeight()),
                                HeightRole);
          }
        }
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
        if (FDelegate) FDelegate->Forget();
        Result = FCombo->count();
        return true;
      case CB_RESETCONTENT: {
        const QString Kept = FCombo->lineEdit() ? FCombo->lineEdit()->text() : QString();
        FCombo->clear();
        if (FDelegate) FDelegate->Forget();
        if (FCombo->lineEdit()) FCombo->lineEdit()->setText(Kept);
        SyncText();
        return true;
      }
      case CB_GETCOUNT: Result = Count; return true;
      case CB_GETLBTEXT:
      case CB_GETLBTEXTLEN:
        Result = !Valid(Index(WParam)) ? CB_ERR
                                       : ItemTextAnswer(HasStrings(), Text(Index(WParam)), Data(Index(WParam)), LParam,
                                                        Msg == CB_GETLBTEXTLEN);
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
        if (!HasStrings()) {
          Result = FindData(Count, Index(WParam), static_cast<ULONG_PTR>(LParam), Data);
          return true;
        }
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
      case CB_SETMINVISIBLE:
        if (Index(WParam) < 1) {
          Result = FALSE;
          return true;
        }
        FCombo->setMaxVisibleItems(Index(WParam));
        Result = TRUE;
        return true;
      case CB_GETMINVISIBLE: Result = FCombo->maxVisibleItems(); return true;
      case CB_GETDROPPEDCONTROLRECT: {
        // The open list's place on screen; while closed, where it would open below the box.
        auto* Out = reinterpret_cast<TRect*>(LParam);
        if (!Out) {
          Result = CB_ERR;
          return true;
        }
        QWidget* Popup = FCombo->view()->window();
        if (FCombo->Dropped && Popup && Popup->isVisible()) {
          const QRect G = Popup->geometry();
          *Out = Rect(G.left(), G.top(), G.left() + G.width(), G.top() + G.height());
        } else {
          TRect W;
          GetWindowRect(Wnd(), &W);
          int H = 0;
          for (int I = 0; I < std::min(Count, FCombo->maxVisibleItems()); ++I) {
            H += FCombo->view()->sizeHintForRow(I);
          }
          *Out = Rect(W.Left, W.Bottom, W.Right, W.Bottom + H + 2);
        }
        Result = TRUE;
        return true;
      }
      case CB_SETITEMHEIGHT: {
        const int H = static_cast<int>(LOWORD(static_cast<DWORD_PTR>(LParam)));
        const int I = Index(WParam);
        if (H <= 0 || (I >= 0 && (FStyle & CBS_OWNERDRAWVARIABLE) && !Valid(I))) {
          Result = CB_ERR;
          return true;
        }
        if (I == -1) {
          FFieldHeight = H;
        } else if (FStyle & CBS_OWNERDRAWVARIABLE) {
          FCombo->setItemData(I, H, HeightRole);
        } else if (FDelegate) {
          FDelegate->FixedHeight = H;
        } else {
          FItemHeight = H;
        }
        if (FDelegate) {
          FDelegate->Forget();
          Q_EMIT FDelegate->sizeHintChanged(QModelIndex());
        }
        FCombo->update();
        return true;
      }
      case CB_GETITEMHEIGHT: {
        const int I = Index(WParam);
        if (I == -1) {
          Result = FFieldHeight > 0 ? FFieldHeight : FCombo->height();
        } else if (FStyle & CBS_OWNERDRAWVARIABLE) {
          Result = Valid(I) ? FCombo->itemData(I, HeightRole).toInt() : CB_ERR;
        } else {
          Result = FDelegate ? FDelegate->FixedHeight : FItemHeight > 0 ? FItemHeight : DefaultHeight();
        }
        return true;
      }
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
      case WM_UNDO:
      case WM_CUT:
      case WM_COPY:
      case WM_PASTE:
      case WM_CLEAR:
        FQuiet = false;
        Result = EditFieldCommand(Msg);
        return true;
      default:
        FQuiet = false;
        return false;
    }
  }

private:
  // The edit field's answer to an edit-control message, as a single-line edit gives it; a box without an edit
  // field (a drop-down list) does nothing. Changes of the text are notified as typing would.
  LRESULT EditFieldCommand(UINT Msg) {
    QLineEdit* Edit = FCombo->lineEdit();
    if (Edit == nullptr) {
      return FALSE;
    }
    const QString Before = Edit->text();
    FEdited = false;
    const bool CanCopy = Edit->hasSelectedText() && Edit->echoMode() == QLineEdit::Normal;
    switch (Msg) {
      case WM_UNDO: Edit->undo(); break;
      case WM_COPY:
        if (CanCopy) {
          Clipboard()->SetAsText(QStringToAnsi(Edit->selectedText()));
        }
        break;
      case WM_CUT:
        if (CanCopy && !Edit->isReadOnly()) {
          Clipboard()->SetAsText(QStringToAnsi(Edit->selectedText()));
          Edit->del();
        }
        break;
      case WM_PASTE:
        if (!Edit->isReadOnly()) {
          // One line: the clipboard's text up to its first line break.
          std::string Text = Clipboard()->AsText();
          Edit->insert(AnsiToQString(Text.substr(0, Text.find_first_of("\r\n"))));
        }
        break;
      case WM_CLEAR:
        if (!Edit->isReadOnly()) {
          Edit->del();
        }
        break;
      default: break;
    }
    // The field's own editing tells of its changes; anything it left untold is told here.
    if (Edit->text() != Before && !FEdited) {
      SyncText();
      Notify(CBN_EDITUPDATE);
      Notify(CBN_EDITCHANGE);
    }
    return TRUE;
  }

  bool HasStrings() const { return !FDelegate || (FStyle & CBS_HASSTRINGS); }
  int DefaultHeight() const { return FCombo->fontMetrics().height() + 2; }
  int ClientWidth() const {
    TRect R;
    GetClientRect(Wnd(), &R);
    return R.Width();
  }
  // The window's text follows what the box shows.
  void SyncText() {
    if (auto R = WindowSystem::Find(Wnd())) {
      R->Text = QStringToAnsi(FCombo->currentText());
    }
  }
  TComboWidget* FCombo = nullptr;
  TOwnerDrawDelegate* FDelegate = nullptr;
  DWORD FStyle = 0;
  int FFieldHeight = 0;
  int FItemHeight = 0;
  bool FChosen = false;
  bool FExtendedUI = false;
  int FDroppedWidth = 0;
  bool FEdited = false;  // the edit field reported an edit of its own
};

const ATOM ListBoxClass = RegisterNativeClass(
    WC_LISTBOX, [](HWND Wnd, const CREATESTRUCT* Create) { return std::make_unique<TNativeListBox>(Wnd, Create); });
const ATOM ComboBoxClass = RegisterNativeClass(
    WC_COMBOBOX, [](HWND Wnd, const CREATESTRUCT* Create) { return std::make_unique<TNativeComboBox>(Wnd, Create); });

}  // namespace
