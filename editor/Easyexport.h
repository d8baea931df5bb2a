// The base of formatted exporters: an object that receives a text run by run with its attributes and writes
// it to a stream in some format. The editor's formatted export drives one (SaveToFmtStream); concrete formats
// derive from it.
#pragma once

#include "editor/Easyattributes.h"
#include "platform/classes/Streams.h"
#include "platform/graphics/Graphics.h"

#include <functional>
#include <memory>
#include <string>

// Position and size of a long export, as the editor's progress events report them.
using TEasyExportProgressEvent = std::function<void(TObject* Sender, int Pos, int Size)>;

// What an exporter is built from: the stream to write and the font of the text. Passed to the virtual
// constructor of an exporter class.
class TEasyExporterArgs : public TObject {
  Z_CLASS(TEasyExporterArgs, TObject)
public:
  TEasyExporterArgs() = default;
  TEasyExporterArgs(TStream* AStream, TFont* AFont) : Stream(AStream), Font(AFont) {}
  TStream* Stream = nullptr;
  TFont* Font = nullptr;
};

// The exporter base. It does not own the stream; it keeps a copy of the font. A descendant overrides NewLine
// and WriteString (and Flush when it buffers); Progress reports through OnProgress.
class TCustomEasyExporter : public TObject {
  Z_CLASS(TCustomEasyExporter, TObject)
public:
  using TConstructorArg = TEasyExporterArgs*;
  explicit TCustomEasyExporter(TEasyExporterArgs* Args);
  ~TCustomEasyExporter() override;
  TCustomEasyExporter(const TCustomEasyExporter&) = delete;
  TCustomEasyExporter& operator=(const TCustomEasyExporter&) = delete;

  // Starts a new line (a paragraph object may describe it; null for plain lines). Flag is false only for the
  // last line of a selection that ends at its first column.
  virtual void NewLine(TObject* Paragraph, bool Flag) = 0;
  // Writes one run of text in the given attributes (an embedded object instead of text when Obj is set).
  virtual void WriteString(const std::string& Text, TCustomEasyEditorAttributes* Attributes, TObject* Obj) = 0;
  // Writes what is buffered; the base has nothing to write.
  virtual void Flush() {}
  // Reports Pos of Size through OnProgress.
  void Progress(int Pos, int Size);

  TStream* Stream() const { return FStream; }
  TFont* Font() const { return FFont.get(); }
  std::string FileName;
  int LineCount = 0;
  TEasyExportProgressEvent OnProgress;

private:
  TStream* FStream;
  std::unique_ptr<TFont> FFont;
};
