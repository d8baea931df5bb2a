// The class library's graphics objects: TFont, TPen, TBrush, TCanvas, TGraphic, TBitmap, TIcon and TPicture.
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/Persistent.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Sets.h"

#include <memory>
#include <string>
#include <vector>

struct TTypeInfo;
// The type record of TColor properties: layouts name colours (clBtnFace) where they have a name.
const TTypeInfo* TypeInfoColor();

class TStream;
class TBitmap;
class TGraphic;

Z_EXCEPTION(EInvalidGraphic, Exception)
Z_EXCEPTION(EInvalidGraphicOperation, Exception)

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
Z_ENUM_TYPEINFO(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle, fsStrikeOut>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
Z_ENUM_TYPEINFO(TFontPitch, "fpDefault", "fpVariable", "fpFixed")
using TFontCharset = Byte;
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen,
  pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
Z_ENUM_TYPEINFO(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame")
Z_ENUM_TYPEINFO(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
                "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",
                "pmNotXor")
Z_ENUM_TYPEINFO(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
                "bsCross", "bsDiagCross")
using TCopyMode = Integer;
inline constexpr TCopyMode cmBlackness = BLACKNESS;
inline constexpr TCopyMode cmDstInvert = DSTINVERT;
inline constexpr TCopyMode cmMergeCopy = MERGECOPY;
inline constexpr TCopyMode cmMergePaint = MERGEPAINT;
inline constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
inline constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
inline constexpr TCopyMode cmPatCopy = PATCOPY;
inline constexpr TCopyMode cmPatInvert = PATINVERT;
inline constexpr TCopyMode cmPatPaint = PATPAINT;
inline constexpr TCopyMode cmSrcAnd = SRCAND;
inline constexpr TCopyMode cmSrcCopy = SRCCOPY;
inline constexpr TCopyMode cmSrcErase = SRCERASE;
inline constexpr TCopyMode cmSrcInvert = SRCINVERT;
inline constexpr TCopyMode cmSrcPaint = SRCPAINT;
inline constexpr TCopyMode cmWhiteness = WHITENESS;

// The base of fonts, pens and brushes: OnChange after every change. Handles are shared between objects with
// equal attributes (a reference-counted cache of GDI objects), made when first asked for.
class TGraphicsObject : public TPersistent {
  Z_CLASS(TGraphicsObject, TPersistent)
public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  TNotifyEvent OnChange;

protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
  Z_CLASS(TFont, TGraphicsObject)
public:
  TFont();  // "MS Sans Serif", 8 points, clWindowText
  ~TFont() override;
  void Assign(TPersistent* Source) override;

  HFONT Handle();
  void SetHandle(HFONT Value);  // takes the attributes of an existing font
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  Integer Size() const;  // points (at PixelsPerInch)
  void SetSize(Integer Value);
  Integer Height() const { return FHeight; }  // pixels; negative: character height
  void SetHeight(Integer Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  Integer PixelsPerInch = 96;
  // Declares the published properties, in the class library's order: Charset, Color, Height, Name, Pitch,
  // Size (not stored: Height carries it) and Style.
  static void Publish(TMetaClass& Meta);

private:
  void Modify(const std::function<void()>& Change);
  LOGFONT MakeLogFont() const;
  std::string FName = "MS Sans Serif";
  Integer FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontPitch FPitch = fpDefault;
  TFontCharset FCharset = DEFAULT_CHARSET;
  HFONT FHandle = 0;  // shared through the cache
};

class TPen : public TGraphicsObject {
  Z_CLASS(TPen, TGraphicsObject)
public:
  TPen() = default;
  ~TPen() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  HPEN Handle();
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);

private:
  void Release();
  TColor FColor = clBlack;
  Integer FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  HPEN FHandle = 0;
};

class TBrush : public TGraphicsObject {
  Z_CLASS(TBrush, TGraphicsObject)
public:
  TBrush() = default;
  ~TBrush() override;
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  HBRUSH Handle();
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);  // a colour makes a clear brush solid again
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern bitmap (not owned; its top-left 8x8 pixels repeat). Null returns to Style and Color.
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);

private:
  void Release();
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
  HBRUSH FHandle = 0;
  bool FOwnHandle = false;  // pattern brushes are not shared
};

// A drawing surface over a device context. The base canvas is given its DC (SetHandle); descendants make one
// on demand in CreateHandle. Pen, Brush and Font are selected into the DC before each drawing call.
class TCanvas : public TPersistent {
  Z_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;

  // The device context with the canvas's pen, brush and font selected; raises EInvalidOperation "Canvas does not
  // allow drawing" when there is none.
  HDC Handle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != 0; }
  TPen* Pen() const { return FPen.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  TFont* Font() const { return FFont.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPoint PenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
  TCopyMode CopyMode = cmSrcCopy;
  TRect ClipRect();
  void Lock();
  void Unlock();
  bool TryLock();
  Integer LockCount() const { return FLockCount; }

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void Polygon(const std::vector<TPoint>& Points);
  void Polyline(const std::vector<TPoint>& Points);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void TextOut(int X, int Y, const std::string& Text);
  void TextRect(const TRect& R, int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
  TSize TextExtent(const std::string& Text);
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& R, TGraphic* Graphic);
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  void DrawFocusRect(const TRect& R);
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  void Refresh();  // forgets what is selected, so that the next drawing selects it again

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void CreateHandle();
  virtual void Changing();
  virtual void Changed();
  // Selects the pen, brush and font (and their colours and modes) into the DC.
  HDC HandleNeeded();  // the context, made when needed, nothing selected
  void RequiredState();
  void DeselectHandles();

private:
  HDC FHandle = 0;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  Integer FLockCount = 0;
  HGDIOBJ FOldPen = 0, FOldBrush = 0, FOldFont = 0;
};

// A picture that can draw itself on a canvas and be loaded and saved.
class TGraphic : public TPersistent {
  Z_CLASS(TGraphic, TPersistent)
public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual bool Empty() const = 0;
  virtual Integer Width() const = 0;
  virtual Integer Height() const = 0;
  virtual void SetWidth(Integer Value) = 0;
  virtual void SetHeight(Integer Value) = 0;
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  bool Modified = false;
  TNotifyEvent OnChange;

  // Draws the picture stretched into R (used by TCanvas::Draw and StretchDraw).
  virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;

protected:
  virtual void Changed();
  bool FTransparent = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// A bitmap with its own canvas. Pixels live in a 32-bit DIB section (or a monochrome bitmap); BMP files of 1, 4,
// 8, 24 and 32 bits are read, and 24- or 32-bit (1-bit when monochrome) ones written.
class TBitmap : public TGraphic {
  Z_CLASS(TBitmap, TGraphic)
public:
  TBitmap();
  ~TBitmap() override;
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  Integer Width() const override { return FWidth; }
  Integer Height() const override { return FHeight; }
  void SetWidth(Integer Value) override { SetSize(Value, FHeight); }
  void SetHeight(Integer Value) override { SetSize(FWidth, Value); }
  void SetSize(Integer AWidth, Integer AHeight);  // keeps the pixels that still fit
  HBITMAP Handle();
  void SetHandle(HBITMAP Value);  // takes ownership of the bitmap
  HBITMAP ReleaseHandle();         // gives up ownership of the pixels as a bitmap handle
  TCanvas* Canvas();
  TPixelFormat PixelFormat() const { return FMonochrome ? pf1bit : FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const { return FMonochrome; }
  void SetMonochrome(bool Value);
  // The colour drawn see-through when Transparent: with tmAuto the bottom-left pixel.
  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode = tmAuto;
  // A monochrome mask: white where the pixel has the transparent colour, black elsewhere. Owned by the bitmap.
  HBITMAP MaskHandle();
  void Mask(TColor TransparentColor);
  void Dormant() {}
  void FreeImage() {}
  // The pixels of row Y (32-bit 0x00RRGGBB words) of a colour bitmap; raises ERangeError outside.
  void* ScanLine(Integer Y);

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Loads a bitmap registered as a resource under the name (a BMP file, or a bitmap resource without the file
  // header); raises EResNotFound when there is none.
  void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);
  void Draw(TCanvas* ACanvas, const TRect& R) override;

private:
  void NewImage(Integer W, Integer H, bool Mono, HBITMAP Copy);
  void FreeMask();
  Integer FWidth = 0;
  Integer FHeight = 0;
  HBITMAP FHandle = 0;
  HBITMAP FMask = 0;
  TColor FMaskColor = clNone;
  TColor FTransparentColor = clDefault;
  bool FMonochrome = false;
  TPixelFormat FPixelFormat = pfDevice;
  std::unique_ptr<TCanvas> FCanvas;
  HDC FCanvasDC = 0;
  HGDIOBJ FCanvasOld = 0;
  friend class TBitmapCanvas;
};

// Icons: a colour image and a monochrome mask (1 = see-through) drawn together.
struct ICONINFO {
  BOOL fIcon = TRUE;
  DWORD xHotspot = 0;
  DWORD yHotspot = 0;
  HBITMAP hbmMask = 0;
  HBITMAP hbmColor = 0;
};
HICON CreateIconIndirect(const ICONINFO* Info);  // copies both bitmaps
BOOL GetIconInfo(HICON Icon, ICONINFO* Info);    // the caller owns the copies it gets
BOOL DestroyIcon(HICON Icon);
HICON CopyIcon(HICON Icon);
inline constexpr UINT DI_MASK = 1;
inline constexpr UINT DI_IMAGE = 2;
inline constexpr UINT DI_NORMAL = 3;
BOOL DrawIconEx(HDC DC, int X, int Y, HICON Icon, int Width, int Height, UINT Step, HBRUSH Flicker, UINT Flags);
BOOL DrawIcon(HDC DC, int X, int Y, HICON Icon);

class TIcon : public TGraphic {
  Z_CLASS(TIcon, TGraphic)
public:
  TIcon() = default;
  ~TIcon() override;
  void Assign(TPersistent* Source) override;
  bool Empty() const override { return FHandle == 0; }
  Integer Width() const override { return FWidth; }
  Integer Height() const override { return FHeight; }
  void SetWidth(Integer Value) override { FWidth = Value; }
  void SetHeight(Integer Value) override { FHeight = Value; }
  HICON Handle() const { return FHandle; }
  void SetHandle(HICON Value);  // takes ownership
  HICON ReleaseHandle();
  // Icon files (.ico) with 32- or 24-bit images; the first image is used.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void Draw(TCanvas* ACanvas, const TRect& R) override;

private:
  HICON FHandle = 0;
  Integer FWidth = 32;
  Integer FHeight = 32;
};

// Holds one graphic of any kind; Bitmap and Icon replace it with one of that kind when asked for.
class TPicture : public TPersistent {
  Z_CLASS(TPicture, TPersistent)
public:
  TPicture() = default;
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;
  void Assign(TPersistent* Source) override;
  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(TGraphic* Value);  // copies Value
  TBitmap* Bitmap();
  TIcon* Icon();
  Integer Width() const { return FGraphic ? FGraphic->Width() : 0; }
  Integer Height() const { return FGraphic ? FGraphic->Height() : 0; }
  // By extension: .bmp and .ico; others raise EInvalidGraphic "Unknown picture file extension (.xyz)".
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  TNotifyEvent OnChange;

private:
  void Changed(TObject* Sender);
  void Adopt(std::unique_ptr<TGraphic> G);
  std::unique_ptr<TGraphic> FGraphic;
};
