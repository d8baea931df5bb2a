// The abstract tree source, the tree-source registry over the class parameter registry, and class bitmaps.
#include "suitebase/Zodirtrees.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/Resources.h"
#include "suitebase/Classparams.h"
#include "suitebase/Dorazori.h"

namespace Zodir {

Z_IMPLEMENT_CLASS(TTreeSource, TComponent)

namespace {

inline constexpr int TreeSourceIdent = 12;
const char* const SourceObjClass = "Source.ObjClass";
const char* const SourceEditMethod = "Source.EditMethod";
const char* const SourceIdent = "Source.Ident";

[[noreturn]] void Abstract() { Dorazori::AbstractError(); }

}  // namespace

// clang-format off
void TTreeSource::SetSelectedObject(Integer) { Abstract(); }
void TTreeSource::SetTreeLink(TPersistent*) { Abstract(); }
void TTreeSource::ObjectInserted(Integer) { Abstract(); }
TCustomImageList* TTreeSource::GetLargeImages() { Abstract(); }
TCustomImageList* TTreeSource::GetSmallImages() { Abstract(); }
TCustomImageList* TTreeSource::GetStateImages() { Abstract(); }
void TTreeSource::SetLargeImages(TCustomImageList*) { Abstract(); }
void TTreeSource::SetSmallImages(TCustomImageList*) { Abstract(); }
void TTreeSource::SetStateImages(TCustomImageList*) { Abstract(); }
Integer TTreeSource::GetSelectedObject() { Abstract(); }
TPersistent* TTreeSource::GetTreeLink() { Abstract(); }
void TTreeSource::GetItems(Integer, const TGetNodeProc&) { Abstract(); }
void TTreeSource::SetCaption(Integer, const std::string&) { Abstract(); }
Integer TTreeSource::Add(Integer, const std::string&, TNodeAttachMode) { Abstract(); }
void TTreeSource::Clear() { Abstract(); }
void TTreeSource::Delete(Integer) { Abstract(); }
bool TTreeSource::CanMove(Integer, Integer, TNodeAttachMode) { Abstract(); }
void TTreeSource::MoveTo(Integer, Integer, TNodeAttachMode) { Abstract(); }
void TTreeSource::BeginUpdate() { Abstract(); }
void TTreeSource::EndUpdate() { Abstract(); }
TControl* TTreeSource::GetInspectorControl(Integer) { Abstract(); }
bool TTreeSource::ActionAllowed(Integer, Integer) { Abstract(); }
std::string TTreeSource::GetDisplayName(Integer) { Abstract(); }
Integer TTreeSource::GetAttrCount() { Abstract(); }
std::string TTreeSource::GetAttrName(Integer) { Abstract(); }
std::string TTreeSource::GetAttrValue(Integer, Integer) { Abstract(); }
std::string TTreeSource::GetStatusLine(Integer) { Abstract(); }
bool TTreeSource::ValidSource() { Abstract(); }
void TTreeSource::Edit(Integer) { Abstract(); }
Integer TTreeSource::GetSortType() { Abstract(); }
bool TTreeSource::HasChild(Integer) { Abstract(); }
Integer TTreeSource::GetParentId(Integer) { Abstract(); }
// clang-format on

void RegisterTreeSource(TClass ObjClass, TClass SourceClass, const std::string& EditMethod) {
  Dorazori::RegisterClassExt(ObjClass, {SourceObjClass, SourceEditMethod, SourceIdent},
                             {Dorazori::ProcVariant(const_cast<void*>(static_cast<const void*>(SourceClass))),
                              Variant(EditMethod), Variant(TreeSourceIdent)});
}

void RegisterDefaultTreeSource(TClass ObjClass, TClass SourceClass, const std::string& EditMethod) {
  if (!EditMethod.empty()) {
    RegisterTreeSource(ObjClass, SourceClass, EditMethod);
  }
  RegisterTreeSource(ObjClass, SourceClass, "");
}

TClass GetRegisteredTreeSource(TClass ObjClass, const std::string& EditMethod) {
  for (TClass C = ObjClass; C; C = C->ClassParent()) {
    if (Dorazori::TObjectParamListItem* Item = Dorazori::GetItemEqual(
            C, {SourceEditMethod, SourceIdent}, {Variant(EditMethod), Variant(TreeSourceIdent)})) {
      return static_cast<TClass>(Item->GetParamByName(SourceObjClass).AsPointer());
    }
  }
  return nullptr;
}

void FindObjectBitmapRes(HMODULE& Module, TClass ObjClass, const std::string& Prefix, std::string& ResName) {
  Module = 0;
  const HMODULE Program = GetModuleHandle(nullptr);
  for (TClass C = ObjClass; C && C != TPersistent::StaticClass(); C = C->ClassParent()) {
    ResName = Prefix + C->ClassName();
    if (FindResource(Program, ResName.c_str(), RT_BITMAP)) {
      Module = Program;
      return;
    }
  }
}

void FindObjectBitmapResEx(HMODULE& Module, TClass ObjClass, const std::string& Prefix, std::string& ResName) {
  FindObjectBitmapRes(Module, ObjClass, Prefix, ResName);
  if (!Module) {
    FindObjectBitmapRes(Module, ObjClass, "_" + Prefix, ResName);
  }
}

void LoadBitmapFromResource(TBitmap* Bitmap, const std::string& Name) {
  const HMODULE Program = GetModuleHandle(nullptr);
  if (Bitmap && FindResource(Program, Name.c_str(), RT_BITMAP)) {
    Bitmap->LoadFromResourceName(static_cast<HINSTANCE>(Program), Name);
  }
}

void LoadUnknownGlyph(TBitmap* Bitmap) { LoadBitmapFromResource(Bitmap, "PAL_UNKNOWNGLYPH"); }

void LoadBitmapForClass(TBitmap* Bitmap, TClass ObjClass) {
  HMODULE Module = 0;
  std::string Name;
  FindObjectBitmapResEx(Module, ObjClass, "", Name);
  if (Module) {
    Bitmap->LoadFromResourceName(static_cast<HINSTANCE>(Module), Name);
  } else {
    LoadUnknownGlyph(Bitmap);
  }
}

}  // namespace Zodir
