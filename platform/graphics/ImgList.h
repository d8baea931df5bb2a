// Image lists: the ImageList_* calls over HIMAGELIST handles and the class library's TCustomImageList/TImageList.
#pragma once

#include "platform/classes/Component.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/Graphics.h"
#include "platform/win/Resources.h"

#include <vector>

using HIMAGELIST = std::uintptr_t;

inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR = 0x0000;
inline constexpr UINT ILC_COLORDDB = 0x00FE;
inline constexpr UINT ILC_COLOR4 = 0x0004;
inline constexpr UINT ILC_COLOR8 = 0x0008;
inline constexpr UINT ILC_COLOR16 = 0x0010;
inline constexpr UINT ILC_COLOR24 = 0x0018;
inline constexpr UINT ILC_COLOR32 = 0x0020;

inline constexpr UINT ILD_NORMAL = 0x0000;
inline constexpr UINT ILD_TRANSPARENT = 0x0001;
inline constexpr UINT ILD_BLEND25 = 0x0002;
inline constexpr UINT ILD_FOCUS = ILD_BLEND25;
inline constexpr UINT ILD_BLEND50 = 0x0004;
inline constexpr UINT ILD_SELECTED = ILD_BLEND50;
inline constexpr UINT ILD_BLEND = ILD_BLEND50;
inline constexpr UINT ILD_MASK = 0x0010;
inline constexpr UINT ILD_IMAGE = 0x0020;
inline constexpr UINT ILD_ROP = 0x0040;
inline constexpr UINT ILD_OVERLAYMASK = 0x0F00;
inline constexpr UINT INDEXTOOVERLAYMASK(UINT I) { return I << 8; }

// Creates a list of Cx x Cy images; with ILC_MASK every image has a mask (1: see-through).
HIMAGELIST ImageList_Create(int Cx, int Cy, UINT Flags, int Initial, int Grow);
BOOL ImageList_Destroy(HIMAGELIST List);
int ImageList_GetImageCount(HIMAGELIST List);
BOOL ImageList_SetImageCount(HIMAGELIST List, UINT Count);
BOOL ImageList_GetIconSize(HIMAGELIST List, int* Cx, int* Cy);
BOOL ImageList_SetIconSize(HIMAGELIST List, int Cx, int Cy);  // removes every image
// Adds as many images as the bitmap is wide (in whole images); returns the first new index or -1.
int ImageList_Add(HIMAGELIST List, HBITMAP Image, HBITMAP Mask);
// The mask is made from the pixels of MaskColor, which then draw black in the image.
int ImageList_AddMasked(HIMAGELIST List, HBITMAP Image, COLORREF MaskColor);
BOOL ImageList_Replace(HIMAGELIST List, int Index, HBITMAP Image, HBITMAP Mask);
// Index -1 adds the icon; returns its index.
int ImageList_ReplaceIcon(HIMAGELIST List, int Index, HICON Icon);
inline int ImageList_AddIcon(HIMAGELIST List, HICON Icon) { return ImageList_ReplaceIcon(List, -1, Icon); }
BOOL ImageList_Remove(HIMAGELIST List, int Index);  // -1 removes all
COLORREF ImageList_SetBkColor(HIMAGELIST List, COLORREF Color);  // CLR_NONE: drawn transparently
COLORREF ImageList_GetBkColor(HIMAGELIST List);
BOOL ImageList_SetOverlayImage(HIMAGELIST List, int Image, int Overlay);  // overlays 1..15
// Draws image Index; Style is ILD_ flags with an overlay index in ILD_OVERLAYMASK. Bk and Fg: CLR_NONE,
// CLR_DEFAULT (the list's background; the highlight colour for blending) or a colour.
BOOL ImageList_DrawEx(HIMAGELIST List, int Index, HDC DC, int X, int Y, int Dx, int Dy, COLORREF Bk, COLORREF Fg,
                      UINT Style);
BOOL ImageList_Draw(HIMAGELIST List, int Index, HDC DC, int X, int Y, UINT Style);
HICON ImageList_GetIcon(HIMAGELIST List, int Index, UINT Flags);
HIMAGELIST ImageList_Duplicate(HIMAGELIST List);

// Dragging an image over the screen (one drag image per process). BeginDrag copies an image with its hot spot;
// DragEnter shows it at a point given relative to the upper-left corner of Lock's window rectangle (0 or the
// desktop window: the screen), with the hot spot under the point; DragMove moves it; DragShowNolock hides or shows
// it again; DragLeave hides it; EndDrag forgets it. The image shows semi-transparent in a window of its own above
// the program's windows that the mouse passes through.
BOOL ImageList_BeginDrag(HIMAGELIST Track, int Index, int HotspotX, int HotspotY);
BOOL ImageList_DragEnter(HWND Lock, int X, int Y);
BOOL ImageList_DragMove(int X, int Y);
BOOL ImageList_DragLeave(HWND Lock);
BOOL ImageList_DragShowNolock(BOOL Show);
void ImageList_EndDrag();
// Merges image Index of Drag (a cursor image whose hot spot is HotspotX, HotspotY) into the drag image so that
// both hot spots meet; a later call replaces the merged image.
BOOL ImageList_SetDragCursorImage(HIMAGELIST Drag, int Index, int HotspotX, int HotspotY);
// The list holding the drag image (0 when no drag runs); Pt receives the drag position, Hotspot the hot spot.
HIMAGELIST ImageList_GetDragImage(TPoint* Pt, TPoint* Hotspot);

// Tells a client that the image list it is linked to changed.
class TChangeLink : public TObject {
  Z_CLASS(TChangeLink, TObject)
public:
  TChangeLink() = default;
  ~TChangeLink() override;
  class TCustomImageList* Sender = nullptr;
  TNotifyEvent OnChange;
  void Change();
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };
using TOverlay = int;

class TCustomImageList : public TComponent {
  Z_CLASS(TCustomImageList, TComponent)
public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;
  void Assign(TPersistent* Source) override;

  HIMAGELIST Handle();
  // Attaches another list's handle (the system image list); with ShareImages the list does not destroy it.
  void SetHandle(HIMAGELIST Value);
  bool ShareImages = false;
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  void SetWidth(Integer Value);   // clears the list
  void SetHeight(Integer Value);  // clears the list
  Integer Count();
  bool Masked = true;
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TColor BlendColor = clNone;
  TDrawingStyle DrawingStyle = dsNormal;
  TImageType ImageType = itImage;

  Integer Add(TBitmap* Image, TBitmap* Mask);
  Integer AddMasked(TBitmap* Image, TColor MaskColor);
  Integer AddIcon(TIcon* Image);
  void Replace(Integer Index, TBitmap* Image, TBitmap* Mask);
  void ReplaceIcon(Integer Index, TIcon* Image);
  void Delete(Integer Index);  // raises EInvalidOperation "Invalid ImageList Index" out of range
  void Clear();
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
  void DrawOverlay(TCanvas* Canvas, Integer X, Integer Y, Integer ImageIndex, TOverlay Overlay, bool Enabled = true);
  bool Overlay(Integer ImageIndex, TOverlay Overlay);  // overlays 0..3
  bool GetBitmap(Integer Index, TBitmap* Image);
  void GetIcon(Integer Index, TIcon* Image);
  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  TNotifyEvent OnChange;

protected:
  virtual void Change();
  // The images travel with the component as "Bitmap": one strip of the images side by side over a key colour.
  void DefineProperties(TFiler* Filer) override;
  // Whether "Bitmap" is written: by default whenever the list holds images. A list that rebuilds its images from
  // data of its own answers false for them.
  virtual bool ImageDataStored() { return Count() > 0; }
  // Draws with ILD_ style flags; disabled images are drawn embossed in the button colours.
  virtual void DoDraw(Integer Index, TCanvas* Canvas, Integer X, Integer Y, UINT Style, bool Enabled);

private:
  void CheckIndex(Integer Index);
  HIMAGELIST FHandle = 0;
  Integer FWidth = 16;
  Integer FHeight = 16;
  TColor FBkColor = clNone;
  std::vector<TChangeLink*> FClients;
  int FUpdateCount = 0;
  bool FChanged = false;
};

class TImageList : public TCustomImageList {
  Z_CLASS(TImageList, TCustomImageList)
public:
  using TCustomImageList::TCustomImageList;
  static void Publish(TMetaClass& Meta);
};

// An image list that can drag one of its images over the screen (the class library's drag images).
// SetDragImage picks the image and its hot spot; BeginDrag shows it at a point relative to Window (the desktop
// window: screen coordinates); DragMove follows the pointer; EndDrag ends the drag.
class TDragImageList : public TCustomImageList {
  Z_CLASS(TDragImageList, TCustomImageList)
public:
  explicit TDragImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
  ~TDragImageList() override;
  bool SetDragImage(Integer Index, Integer HotSpotX, Integer HotSpotY);
  bool BeginDrag(HWND Window, Integer X, Integer Y);
  bool DragLock(HWND Window, Integer XPos, Integer YPos);
  void DragUnlock();
  bool DragMove(Integer X, Integer Y);
  void ShowDragImage();
  void HideDragImage();
  bool EndDrag();
  bool Dragging() const { return FDragging; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value);  // while dragging, the cursor changes at once
  TPoint DragHotspot() const { return FDragHotspot; }
  void SetDragHotspot(TPoint Value);
  Integer DragIndex() const { return FDragIndex; }

private:
  TCursor FDragCursor = crNone;
  bool FDragging = false;
  HWND FDragHandle = 0;
  bool FLocked = false;
  TPoint FDragHotspot{0, 0};
  Integer FDragIndex = 0;
};
