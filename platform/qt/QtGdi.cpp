// The Qt side of the drawing unit: shape masks, font metrics and glyph drawing, and showing backing images.
#include "platform/qt/QtGdi.h"
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/Cursors.h"
#include "platform/qt/QtHost.h"
#include "platform/rtl/CodePage.h"

#include <QCursor>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <QPainterPath>
#include <QRawFont>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {

// A surface wrapped for Qt without copying; bottom-up sections are walked through a negative stride.
QImage Wrap(TPixels& P) {
  auto* Bits = reinterpret_cast<uchar*>(P.Data.data());
  qsizetype Stride = static_cast<qsizetype>(P.Width) * 4;
  if (P.BottomUp) {
    Bits += static_cast<qsizetype>(P.Height - 1) * Stride;
    return QImage(Bits, P.Width, P.Height, -Stride, QImage::Format_RGB32);
  }
  return QImage(Bits, P.Width, P.Height, Stride, QImage::Format_RGB32);
}

QRegion ToQRegion(const TRegionData& R) {
  QRegion Q;
  for (const TRect& Rc : R.Rects()) {
    Q += QRect(Rc.Left, Rc.Top, Rc.Width(), Rc.Height());
  }
  return Q;
}

void EnsureApp() {
  if (!QCoreApplication::instance()) {
    WindowBackend();  // creates the application object on the main thread
  }
}

TMask RenderMask(const TRect& Box, const QPainterPath& Path) {
  TMask M;
  M.Box = Box;
  if (Box.Width() <= 0 || Box.Height() <= 0) {
    M.Box = TRect{};
    return M;
  }
  M.Bits.assign(static_cast<std::size_t>(Box.Width() * Box.Height()), 0);
  QImage Img(M.Bits.data(), Box.Width(), Box.Height(), Box.Width(), QImage::Format_Grayscale8);
  QPainter P(&Img);
  P.setRenderHint(QPainter::Antialiasing, false);
  P.translate(-Box.Left, -Box.Top);
  P.fillPath(Path, Qt::white);
  return M;
}

// ---- Fonts -------------------------------------------------------------------------------------------------------

struct TQtFont {
  QRawFont Raw;
  TFontInfo Info;
  int Escapement = 0;
  double Scale = 1.0;  // horizontal stretch of a font given a width
  quint32 Glyphs[256] = {};  // the glyph of every 1252 byte
};

std::unordered_map<HFONT, std::unique_ptr<TQtFont>>& FontCache() {
  static std::unordered_map<HFONT, std::unique_ptr<TQtFont>> C;
  return C;
}

// The proportions of lower-case letters in text, by which the average character width is weighted.
constexpr int LetterWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                   56, 17, 4,  49, 56, 71,  31, 10, 18, 3,  18, 2, 166};

int Ceil(double V) { return static_cast<int>(std::ceil(V - 1e-3)); }

std::unique_ptr<TQtFont> MakeFont(const LOGFONT& L) {
  EnsureApp();
  auto F = std::make_unique<TQtFont>();
  std::string Face = L.lfFaceName;
  std::string Family = MappedFontFamily(Face);
  if (Face.empty() && (L.lfPitchAndFamily & 0x03) == FIXED_PITCH) {
    Family = "Liberation Mono";
  }
  QFont Q(QString::fromStdString(Family));
  Q.setHintingPreference(QFont::PreferNoHinting);
  Q.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
  Q.setWeight(static_cast<QFont::Weight>(std::clamp<int>(L.lfWeight == 0 ? FW_NORMAL : L.lfWeight, 1, 1000)));
  Q.setItalic(L.lfItalic != 0);
  // The em size: a negative height is the character height, a positive one the cell height.
  double Wanted = 13;
  if (L.lfHeight < 0) {
    Wanted = -static_cast<double>(L.lfHeight);
  } else if (L.lfHeight > 0) {
    Q.setPixelSize(100);
    QRawFont Probe = QRawFont::fromFont(Q);
    double Cell = Probe.ascent() + Probe.descent();
    Wanted = Cell > 0 ? std::max(1.0, std::round(L.lfHeight * 100.0 / Cell)) : L.lfHeight;
  }
  const int Em = static_cast<int>(std::clamp(Wanted, 1.0, static_cast<double>(MaxFontPixelSize)));
  Q.setPixelSize(Em);
  F->Raw = QRawFont::fromFont(Q);
  F->Escapement = L.lfEscapement;
  TFontInfo& I = F->Info;
  I.EmSize = Em;
  I.Family = F->Raw.familyName().toStdString();
  double Scale = 1.0;
  auto Advance = [&](char32_t C) {
    QVector<quint32> G = F->Raw.glyphIndexesForString(QString(QChar(static_cast<char16_t>(C))));
    if (G.isEmpty() || G[0] == 0) {
      return -1.0;
    }
    return F->Raw.advancesForGlyphIndexes(G)[0].x() * Scale;
  };
  if (L.lfWidth > 0) {
    // A given width stretches the font so that its average character has that width.
    double Avg = 0;
    for (int K = 0; K < 27; ++K) {
      double A = Advance(K < 26 ? static_cast<char32_t>('a' + K) : U' ');
      Avg += std::max(0.0, A) * LetterWeights[K];
    }
    Avg /= 1000.0;
    if (Avg > 0) {
      Scale = L.lfWidth / Avg;
    }
  }
  for (int B = 0; B < 256; ++B) {
    QVector<quint32> G =
        F->Raw.glyphIndexesForString(QString(QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(B))))));
    F->Glyphs[B] = G.isEmpty() ? 0 : G[0];
  }
  double Default = Advance(U' ');
  for (int B = 0; B < 256; ++B) {
    double A = Advance(Cp1252ToUnicode(static_cast<unsigned char>(B)));
    I.Widths[B] = static_cast<int>(std::lround(A < 0 ? std::max(0.0, Default) : A));
  }
  double Avg = 0;
  for (int K = 0; K < 27; ++K) {
    Avg += I.Widths[K < 26 ? 'a' + K : ' '] * static_cast<double>(LetterWeights[K]);
  }
  TEXTMETRIC& Tm = I.Tm;
  Tm.tmAscent = Ceil(F->Raw.ascent());
  Tm.tmDescent = Ceil(F->Raw.descent());
  Tm.tmHeight = Tm.tmAscent + Tm.tmDescent;
  Tm.tmInternalLeading = std::max(0, Tm.tmHeight - Em);
  Tm.tmExternalLeading = std::max(0, static_cast<int>(std::lround(F->Raw.leading())));
  bool Fixed = true;
  int Max = 0;
  for (int B = 0x20; B < 0x7F; ++B) {
    Fixed = Fixed && I.Widths[B] == I.Widths[0x20];
  }
  for (int W : I.Widths) {
    Max = std::max(Max, W);
  }
  Tm.tmAveCharWidth = Fixed ? I.Widths[static_cast<unsigned char>('x')] : static_cast<int>(std::lround(Avg / 1000.0));
  Tm.tmMaxCharWidth = std::max(Max, static_cast<int>(std::lround(F->Raw.maxCharWidth() * Scale)));
  Tm.tmWeight = L.lfWeight == 0 ? FW_NORMAL : L.lfWeight;
  Tm.tmOverhang = 0;
  Tm.tmItalic = L.lfItalic ? 1 : 0;
  Tm.tmUnderlined = L.lfUnderline ? 1 : 0;
  Tm.tmStruckOut = L.lfStrikeOut ? 1 : 0;
  BYTE Fam = static_cast<BYTE>(L.lfPitchAndFamily & 0xF0);
  if (Fam == FF_DONTCARE) {
    Fam = Fixed ? FF_MODERN : (I.Family.find("Serif") != std::string::npos ? FF_ROMAN : FF_SWISS);
  }
  Tm.tmPitchAndFamily = static_cast<BYTE>(Fam | TMPF_TRUETYPE | TMPF_VECTOR | (Fixed ? 0 : TMPF_FIXED_PITCH));
  Tm.tmCharSet = L.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : L.lfCharSet;
  I.CapHeight = static_cast<int>(std::lround(F->Raw.capHeight()));
  I.XHeight = static_cast<int>(std::lround(F->Raw.xHeight()));
  I.UnderlinePos = std::max(1, static_cast<int>(std::lround(F->Raw.underlinePosition())));
  I.UnderlineSize = std::max(1, static_cast<int>(std::lround(F->Raw.lineThickness())));
  I.StrikeoutPos = std::max(1, I.XHeight / 2);
  F->Scale = Scale;
  return F;
}

TQtFont& FontOf(HFONT Font) {
  auto& C = FontCache();
  auto It = C.find(Font);
  if (It != C.end()) {
    return *It->second;
  }
  auto O = Gdi::Object(Font, OBJ_FONT);
  if (!O) {
    return FontOf(GetStockObject(SYSTEM_FONT));
  }
  auto F = MakeFont(O->Font);
  auto& Ref = *F;
  C.emplace(Font, std::move(F));
  return Ref;
}

}  // namespace

namespace Gdi {

TMask QtPolygonMask(const std::vector<TPoint>& Points, bool Winding) {
  QPolygonF Poly;
  TRect Box;
  bool First = true;
  for (const TPoint& P : Points) {
    Poly << QPointF(P.X, P.Y);
    if (First) {
      Box = Rect(P.X, P.Y, P.X, P.Y);
      First = false;
    }
    Box = Rect(std::min(Box.Left, P.X), std::min(Box.Top, P.Y), std::max(Box.Right, P.X), std::max(Box.Bottom, P.Y));
  }
  QPainterPath Path;
  Path.addPolygon(Poly);
  Path.closeSubpath();
  Path.setFillRule(Winding ? Qt::WindingFill : Qt::OddEvenFill);
  return RenderMask(Box, Path);
}

TMask QtEllipseMask(const TRect& Box) {
  QPainterPath Path;
  Path.addEllipse(QRectF(Box.Left, Box.Top, Box.Width(), Box.Height()));
  return RenderMask(Box, Path);
}

TMask QtRoundRectMask(const TRect& Box, int CornerWidth, int CornerHeight) {
  QPainterPath Path;
  Path.addRoundedRect(QRectF(Box.Left, Box.Top, Box.Width(), Box.Height()), CornerWidth / 2.0, CornerHeight / 2.0);
  return RenderMask(Box, Path);
}

const TFontInfo& QtFontInfo(HFONT Font) {
  std::lock_guard G(Lock());
  return FontOf(Font).Info;
}

void QtFontDeleted(HFONT Font) {
  std::lock_guard G(Lock());
  FontCache().erase(Font);
}

void QtDrawGlyphs(TDCRec&, TPixels& P, const TRegionData& Clip, HFONT Font, int X, int Y, const std::string& Text,
                  const std::vector<int>& Offsets, COLORREF Color) {
  std::lock_guard G(Lock());
  TQtFont& F = FontOf(Font);
  auto O = Object(Font, OBJ_FONT);
  QVector<quint32> Glyphs;
  QVector<QPointF> Pos;
  std::size_t N = std::min(Text.size(), Offsets.size());
  Glyphs.reserve(static_cast<qsizetype>(N));
  Pos.reserve(static_cast<qsizetype>(N));
  for (std::size_t I = 0; I < N; ++I) {
    Glyphs << F.Glyphs[static_cast<unsigned char>(Text[I])];
    Pos << QPointF(Offsets[I] / F.Scale, 0);
  }
  QGlyphRun Run;
  Run.setRawFont(F.Raw);
  Run.setGlyphIndexes(Glyphs);
  Run.setPositions(Pos);
  if (O) {
    Run.setUnderline(O->Font.lfUnderline != 0);
    Run.setStrikeOut(O->Font.lfStrikeOut != 0);
  }
  QImage Img = Wrap(P);
  QPainter Pt(&Img);
  if (Clip.Rects().size() == 1) {
    const TRect& C = Clip.Rects()[0];
    Pt.setClipRect(QRect(C.Left, C.Top, C.Width(), C.Height()));
  } else {
    Pt.setClipRegion(ToQRegion(Clip));
  }
  bool Smooth = !P.Mono && !(O && O->Font.lfQuality == NONANTIALIASED_QUALITY);
  Pt.setRenderHint(QPainter::TextAntialiasing, Smooth);
  Pt.setRenderHint(QPainter::Antialiasing, Smooth);
  Pt.setPen(QColor(GetRValue(Color), GetGValue(Color), GetBValue(Color)));
  Pt.translate(X, Y);
  if (F.Escapement) {
    Pt.rotate(-F.Escapement / 10.0);
  }
  if (F.Scale != 1.0) {
    Pt.scale(F.Scale, 1.0);  // a font given a width: glyph shapes stretched, positions already in pixels
  }
  Pt.drawGlyphRun(QPointF(0, 0), Run);
  Pt.end();
  if (P.Mono) {
    for (const TRect& R : Clip.Rects()) {
      for (int Yy = R.Top; Yy < R.Bottom; ++Yy) {
        for (int Xx = R.Left; Xx < R.Right; ++Xx) {
          std::uint32_t& Px = P.Row(Yy)[Xx];
          int Sum = static_cast<int>(((Px >> 16) & 0xFF) + ((Px >> 8) & 0xFF) + (Px & 0xFF));
          Px = Sum >= 384 ? 0xFFFFFFFF : 0xFF000000;
        }
      }
    }
  }
}

void QtShowWindowImage(HWND Wnd, const TRect& ImageRc) {
  auto* B = static_cast<TQtBackend*>(ExistingWindowBackend());
  if (!B) {
    return;
  }
  if (THostWidget* H = B->HostOf(Wnd)) {
    H->update(QRect(ImageRc.Left, ImageRc.Top, ImageRc.Width(), ImageRc.Height()));
  }
}

namespace {

// The desktop overlay: a see-through window above all of the program's windows showing what was drawn on the
// desktop DC (pixels that are not black), such as drag outlines.
class TDesktopOverlay final : public QWidget {
public:
  TDesktopOverlay() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
  }

protected:
  void paintEvent(QPaintEvent* E) override {
    std::lock_guard G(Lock());
    PPixels Img = DesktopImage();
    QRect R = E->rect().intersected(QRect(0, 0, Img->Width, Img->Height));
    if (R.isEmpty()) {
      return;
    }
    QImage Part(R.width(), R.height(), QImage::Format_ARGB32);
    for (int Y = 0; Y < R.height(); ++Y) {
      const std::uint32_t* Src = Img->Row(R.top() + Y) + R.left();
      auto* Dst = reinterpret_cast<std::uint32_t*>(Part.scanLine(Y));
      for (int X = 0; X < R.width(); ++X) {
        std::uint32_t Rgb = Src[X] & 0xFFFFFF;
        Dst[X] = Rgb ? (0xFF000000u | Rgb) : 0u;
      }
    }
    QPainter P(this);
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.drawImage(R.topLeft(), Part);
  }
};

TDesktopOverlay* Overlay = nullptr;

}  // namespace

bool DesktopOverlayVisible() { return Overlay && Overlay->isVisible(); }

void QtShowDesktopImage(const TRect& Rc) {
  if (!ExistingWindowBackend()) {
    return;
  }
  PPixels Img = DesktopImage();
  bool Any = std::any_of(Img->Data.begin(), Img->Data.end(), [](std::uint32_t P) { return (P & 0xFFFFFF) != 0; });
  if (!Overlay) {
    if (!Any) {
      return;
    }
    Overlay = new TDesktopOverlay;
  }
  if (!Any) {
    Overlay->hide();
    return;
  }
  Overlay->setGeometry(0, 0, Img->Width, Img->Height);
  Overlay->show();
  Overlay->update(QRect(Rc.Left, Rc.Top, Rc.Width(), Rc.Height()));
}

void QtSetWindowOpacity(HWND Wnd, double Opacity) {
  auto* B = static_cast<TQtBackend*>(ExistingWindowBackend());
  if (!B) {
    return;
  }
  if (THostWidget* H = B->HostOf(Wnd); H && H->isWindow()) {
    H->setWindowOpacity(Opacity);
  }
}

void QtShowCursor(HCURSOR Cursor) {
  if (!QGuiApplication::instance()) {
    return;
  }
  Qt::CursorShape Shape = Qt::ArrowCursor;
  switch (Cursor) {
    case 0: Shape = Qt::BlankCursor; break;
    case IDC_IBEAM: Shape = Qt::IBeamCursor; break;
    case IDC_WAIT: Shape = Qt::WaitCursor; break;
    case IDC_CROSS: Shape = Qt::CrossCursor; break;
    case IDC_UPARROW: Shape = Qt::UpArrowCursor; break;
    case IDC_SIZENWSE: Shape = Qt::SizeFDiagCursor; break;
    case IDC_SIZENESW: Shape = Qt::SizeBDiagCursor; break;
    case IDC_SIZEWE: Shape = Qt::SizeHorCursor; break;
    case IDC_SIZENS: Shape = Qt::SizeVerCursor; break;
    case IDC_SIZE:
    case IDC_SIZEALL: Shape = Qt::SizeAllCursor; break;
    case IDC_NO: Shape = Qt::ForbiddenCursor; break;
    case IDC_HAND: Shape = Qt::PointingHandCursor; break;
    case IDC_APPSTARTING: Shape = Qt::BusyCursor; break;
    case IDC_HELP: Shape = Qt::WhatsThisCursor; break;
    default: break;
  }
  if (QGuiApplication::overrideCursor()) {
    QGuiApplication::changeOverrideCursor(QCursor(Shape));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(Shape));
  }
}

// The table the layer calls through; registered while the library loads.
const TToolkitGraphics QtGraphics = [] {
  TToolkitGraphics F;
  F.ShowWindowImage = &QtShowWindowImage;
  F.ShowCursor = &QtShowCursor;
  F.ShowDesktopImage = &QtShowDesktopImage;
  F.SetWindowOpacity = &QtSetWindowOpacity;
  F.FontDeleted = &QtFontDeleted;
  F.PolygonMask = &QtPolygonMask;
  F.EllipseMask = &QtEllipseMask;
  F.RoundRectMask = &QtRoundRectMask;
  F.FontInfo = &QtFontInfo;
  F.DrawGlyphs = &QtDrawGlyphs;
  F.PrinterNames = &QtPrinterNames;
  F.PrintJobStart = &QtPrintJobStart;
  F.PrintJobPage = &QtPrintJobPage;
  F.PrintJobEnd = &QtPrintJobEnd;
  F.DesktopIcon = &QtDesktopIcon;
  return F;
}();

struct TGraphicsRegistration {
  TGraphicsRegistration() { RegisterToolkitGraphics(&QtGraphics); }
} GraphicsRegistration;

}  // namespace Gdi

bool PaintWindowBacking(HWND Wnd, QPainter& P, const QRect& R) {
  std::lock_guard G(Gdi::Lock());
  PPixels Img = Gdi::ExistingBackingImage(Wnd);
  if (!Img || Img->Data.empty()) {
    return false;
  }
  P.drawImage(R.topLeft(), Wrap(*Img), R);
  return true;
}
