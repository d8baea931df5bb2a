// The exporter base.
#include "editor/Easyexport.h"

Z_IMPLEMENT_CLASS(TEasyExporterArgs, TObject)
Z_IMPLEMENT_CLASS(TCustomEasyExporter, TObject)

TCustomEasyExporter::TCustomEasyExporter(TEasyExporterArgs* Args)
    : FStream(Args ? Args->Stream : nullptr), FFont(std::make_unique<TFont>()) {
  if (Args && Args->Font) {
    FFont->Assign(Args->Font);
  }
}

TCustomEasyExporter::~TCustomEasyExporter() = default;

void TCustomEasyExporter::Progress(int Pos, int Size) {
  if (OnProgress) {
    OnProgress(this, Pos, Size);
  }
}
