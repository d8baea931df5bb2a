// The editor's ruler settings: which rulers it shows along its top and left edges and in which units. The
// settings object makes and owns the ruler controls.
#pragma once

#include "platform/classes/Persistent.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Sets.h"

class TCustomEasyEdit;
class TEasyRuler;

enum TEasyEditorRulerOption { roVertRuler, roHorzRuler };
Z_ENUM_TYPEINFO(TEasyEditorRulerOption, "roVertRuler", "roHorzRuler")
using TEasyEditorRulerOptions = TSet<TEasyEditorRulerOption, roHorzRuler>;
enum TEasyRulerUnits { erMilimeters, erInches, erPixels, erCharacters };
Z_ENUM_TYPEINFO(TEasyRulerUnits, "erMilimeters", "erInches", "erPixels", "erCharacters")

// Which rulers the editor shows. A shown ruler is a control owned by the editor, placed along its top (horizontal)
// or left (vertical) edge; hiding it frees it.
class TEasyEditorRuler : public TPersistent {
  Z_CLASS(TEasyEditorRuler, TPersistent)
public:
  explicit TEasyEditorRuler(TCustomEasyEdit* AEdit = nullptr) : FEdit(AEdit) {}
  ~TEasyEditorRuler() override;
  TEasyEditorRuler(const TEasyEditorRuler&) = delete;
  TEasyEditorRuler& operator=(const TEasyEditorRuler&) = delete;
  static void Publish(TMetaClass& Meta);
  // Copies Options only; Units stay.
  void Assign(TPersistent* Source) override;
  TEasyEditorRulerOptions Options() const { return FOptions; }
  void SetOptions(TEasyEditorRulerOptions Value);
  TEasyRulerUnits Units() const { return FUnits; }
  void SetUnits(TEasyRulerUnits Value);
  TEasyRuler* HorzRuler() const { return FHorzRuler; }
  TEasyRuler* VertRuler() const { return FVertRuler; }
  TCustomEasyEdit* Edit() const { return FEdit; }

  // Makes the rulers the options ask for, frees the others, then brings units, page and editor up to date.
  void ShowRulers();
  void UpdateUnits();
  void RecreateRulers();
  bool VertRulerVisible() const { return FOptions.Contains(roVertRuler) && FVertRuler != nullptr; }
  bool HorzRulerVisible() const { return FOptions.Contains(roHorzRuler) && FHorzRuler != nullptr; }
  int VertRulerWidth() const;
  int HorzRulerHeight() const;
  // Frees both rulers (the editor does it before its owned components go).
  void ReleaseRulers() { FreeRulers(); }

private:
  void FreeRulers();
  TEasyRuler* MakeRuler(bool Vertical);
  TCustomEasyEdit* FEdit;
  TEasyEditorRulerOptions FOptions;
  TEasyRulerUnits FUnits = erMilimeters;
  TEasyRuler* FHorzRuler = nullptr;
  TEasyRuler* FVertRuler = nullptr;
};
