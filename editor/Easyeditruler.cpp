// The editor's ruler settings: making, placing and freeing its ruler controls.
#include "editor/Easyeditruler.h"

#include "editor/Easyeditor.h"
#include "editor/Easyruler.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TEasyEditorRuler, TPersistent, TEasyEditorRuler::Publish)

TEasyEditorRuler::~TEasyEditorRuler() { FreeRulers(); }

void TEasyEditorRuler::Publish(TMetaClass& Meta) {
  TPublisher<TEasyEditorRuler> P(Meta);
  P.Property("Options", &TEasyEditorRuler::Options, &TEasyEditorRuler::SetOptions).Default(TEasyEditorRulerOptions{});
  P.Property("Units", &TEasyEditorRuler::Units, &TEasyEditorRuler::SetUnits).Default(erMilimeters);
}

void TEasyEditorRuler::Assign(TPersistent* Source) {
  if (auto* R = dynamic_cast<TEasyEditorRuler*>(Source)) {
    SetOptions(R->Options());
    return;
  }
  TPersistent::Assign(Source);
}

void TEasyEditorRuler::SetOptions(TEasyEditorRulerOptions Value) {
  if (Value != FOptions) {
    FOptions = Value;
    ShowRulers();
  }
}

void TEasyEditorRuler::SetUnits(TEasyRulerUnits Value) {
  if (Value != FUnits) {
    FUnits = Value;
    UpdateUnits();
  }
}

void TEasyEditorRuler::FreeRulers() {
  delete FHorzRuler;
  FHorzRuler = nullptr;
  delete FVertRuler;
  FVertRuler = nullptr;
}

TEasyRuler* TEasyEditorRuler::MakeRuler(bool Vertical) {
  auto* R = new TEasyRuler(FEdit);
  R->AfterConstruction();
  if (Vertical) {
    R->SetOrientation(roVertical);
  }
  R->SetParent(FEdit);
  R->SetAlign(Vertical ? alLeft : alTop);
  TCustomEasyEdit* E = FEdit;
  R->OnChange = [E](TObject* Sender, TCollectionItem* Item) {
    auto* Ind = dynamic_cast<TEasyRulerIndentation*>(Item);
    E->RulerChanged(Sender, Ind != nullptr ? Ind->Index() : -1);
  };
  return R;
}

void TEasyEditorRuler::ShowRulers() {
  if (FEdit == nullptr) {
    return;
  }
  if (FOptions.Contains(roHorzRuler)) {
    if (FHorzRuler == nullptr) {
      FHorzRuler = MakeRuler(false);
    }
    FHorzRuler->SetVisible(true);
  } else {
    delete FHorzRuler;
    FHorzRuler = nullptr;
  }
  if (FOptions.Contains(roVertRuler)) {
    if (FVertRuler == nullptr) {
      FVertRuler = MakeRuler(true);
    }
    FVertRuler->SetVisible(true);
  } else {
    delete FVertRuler;
    FVertRuler = nullptr;
  }
  UpdateUnits();
  if (TEasyPage* P = FEdit->GetDefaultPage()) {
    P->UpdatePage();
  }
  FEdit->UpdateRulers();
}

void TEasyEditorRuler::UpdateUnits() {
  for (TEasyRuler* R : {FHorzRuler, FVertRuler}) {
    if (R == nullptr) {
      continue;
    }
    R->SetUnits(FUnits);
    if (FUnits == erCharacters && FEdit != nullptr && FEdit->Painter() != nullptr) {
      R->SetPixelsPerMark(R == FHorzRuler ? FEdit->Painter()->GetDefaultCharWidth()
                                          : FEdit->Painter()->GetDefaultLineHeight());
    }
  }
}

void TEasyEditorRuler::RecreateRulers() {
  FreeRulers();
  ShowRulers();
}

int TEasyEditorRuler::VertRulerWidth() const { return FVertRuler != nullptr ? FVertRuler->Width() : 0; }

int TEasyEditorRuler::HorzRulerHeight() const { return FHorzRuler != nullptr ? FHorzRuler->Height() : 0; }
