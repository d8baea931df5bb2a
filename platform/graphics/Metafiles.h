// Metafiles: pictures recorded from drawing calls and played back at any size (TMetafile, TMetafileCanvas).
#pragma once

#include "platform/graphics/Graphics.h"

#include <memory>

struct TRecording;

// A recorded picture. Drawing it into a rectangle scales every recorded coordinate, pen width and font size
// to that rectangle. Width and Height are the picture's own size (set them, or the recording's extent is taken).
// Files (Metafileformat.cpp): SaveToStream writes an enhanced metafile (Enhanced) or a placeable Windows
// metafile holding one bitmap copy of the picture at its own size; LoadFromStream reads the bitmap copies of
// either format and raises EInvalidGraphic for anything else.
class TMetafile : public TGraphic {
  Z_CLASS(TMetafile, TGraphic)
public:
  TMetafile();
  ~TMetafile() override;
  void Assign(TPersistent* Source) override;
  bool Empty() const override;
  Integer Width() const override { return FWidth; }
  Integer Height() const override { return FHeight; }
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  void Clear();
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void Draw(TCanvas* ACanvas, const TRect& R) override;
  bool Enhanced = true;

private:
  friend class TMetafileCanvas;
  std::shared_ptr<TRecording> FRecording;
  Integer FWidth = 0;
  Integer FHeight = 0;
};

// A canvas that records into a metafile; the metafile gets the picture when the canvas is freed (drawing in
// between replaces what it held).
class TMetafileCanvas : public TCanvas {
  Z_CLASS(TMetafileCanvas, TCanvas)
public:
  TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice);
  ~TMetafileCanvas() override;

private:
  TMetafile* FMetafile;
  std::shared_ptr<TRecording> FRecording;
  HDC FDC = 0;
};
