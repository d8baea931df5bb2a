// The code editor control's styled text through the exporters (HTML, RTF, any other) and back through the
// importers: each imported run is inserted at the caret and takes its font and colour.
#pragma once

#include "codeeditor/Dcexport.h"
#include "codeeditor/Vuvudi.h"

#include <functional>
#include <memory>
#include <string>

namespace Vuvudi {

using TExporterMaker = std::function<std::unique_ptr<Dcexport::ZEZExporter>(TStream* Stream)>;
using TImporterMaker = std::function<std::unique_ptr<Dcexport::ZEZImporter>()>;

// The whole text, or with SelectionOnly the selection (only the document frame without one), with the fonts and
// colours the control paints. The document and the opening format are closed also when the exporter fails.
void ExportToEx(TCustomVUVudi* Memo, Dcexport::ZEZExporter* Exporter, bool SelectionOnly);
inline void ExportTo(TCustomVUVudi* Memo, Dcexport::ZEZExporter* Exporter) { ExportToEx(Memo, Exporter, false); }
void ExportToStreamEx(TCustomVUVudi* Memo, TStream* Stream, const TExporterMaker& Maker, bool SelectionOnly);
// Creates (overwrites) the file.
void ExportToFileEx(TCustomVUVudi* Memo, const std::string& FileName, const TExporterMaker& Maker, bool SelectionOnly);
void ExportToHtmlStreamEx(TCustomVUVudi* Memo, TStream* Stream, bool SelectionOnly);
void ExportToHtmlFileEx(TCustomVUVudi* Memo, const std::string& FileName, bool SelectionOnly);
void ExportToRtfStreamEx(TCustomVUVudi* Memo, TStream* Stream, bool SelectionOnly);
void ExportToRtfFileEx(TCustomVUVudi* Memo, const std::string& FileName, bool SelectionOnly);
inline void ExportToHtmlStream(TCustomVUVudi* M, TStream* S) { ExportToHtmlStreamEx(M, S, false); }
inline void ExportToHtmlFile(TCustomVUVudi* M, const std::string& F) { ExportToHtmlFileEx(M, F, false); }
inline void ExportToRtfStream(TCustomVUVudi* M, TStream* S) { ExportToRtfStreamEx(M, S, false); }
inline void ExportToRtfFile(TCustomVUVudi* M, const std::string& F) { ExportToRtfFileEx(M, F, false); }

// Pastes styled text at the caret; a stream the importer does not take is inserted as plain lines. An empty
// stream does nothing.
void PasteFromImportStream(TCustomVUVudi* Memo, TStream* Stream, const TImporterMaker& Maker);
void PasteFromHtmlStream(TCustomVUVudi* Memo, TStream* Stream);
void PasteFromRtfStream(TCustomVUVudi* Memo, TStream* Stream);
void PasteFromHtmlFile(TCustomVUVudi* Memo, const std::string& FileName);
void PasteFromRtfFile(TCustomVUVudi* Memo, const std::string& FileName);
// Replace the whole text; undo stays as it was (and empty) and the text is not modified afterwards.
void LoadFromHtmlStream(TCustomVUVudi* Memo, TStream* Stream);
void LoadFromRtfStream(TCustomVUVudi* Memo, TStream* Stream);
void LoadFromHtmlFile(TCustomVUVudi* Memo, const std::string& FileName);
void LoadFromRtfFile(TCustomVUVudi* Memo, const std::string& FileName);

}  // namespace Vuvudi

namespace Vuvudi {

// The rich-text side of the control's clipboard commands, for a control whose ClipboardType is cbRtf.
// After the text copy: the selection as RTF (ending in a 0 byte) joins the text on the clipboard in the
// registered "Rich Text Format" format; ClipSelType tells a column block. Nothing without a selection.
void CopyRtfToClipboard(TCustomVUVudi* Memo);
// Pastes the clipboard's rich text when there is some and the control has no parser or an attribute parser;
// false when it did not (the caller then pastes the text).
bool PasteRtfFromClipboard(TCustomVUVudi* Memo);
// Moves (or copies) the selection to the caret as rich text; false when the caret lies inside the selection.
bool MoveRtfBlockToPos(TCustomVUVudi* Memo, bool Move);

}  // namespace Vuvudi
