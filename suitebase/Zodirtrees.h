// The suite's tree sources (the abstract provider of an object tree), the registry of which tree source serves
// which object class, and the palette bitmaps of component classes.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/Modules.h"

#include <functional>
#include <string>

namespace Zodir {

// One node given to a GetItems callback; only its text is read here.
struct TNodeRec {
  Integer Id = 0;
  Integer ParentId = 0;
  Integer ImageIndex = 0;
  std::string Text;
};
using TGetNodeProc = std::function<void(const TNodeRec& Node)>;

// The abstract provider of an object tree; applications derive concrete ones. Every operation of this class
// raises the abstract-method error.
class TTreeSource : public TComponent {
  Z_CLASS(TTreeSource, TComponent)
public:
  using TComponent::TComponent;
  virtual void SetSelectedObject(Integer Node);
  virtual void SetTreeLink(TPersistent* Link);
  virtual void ObjectInserted(Integer Node);
  virtual TCustomImageList* GetLargeImages();
  virtual TCustomImageList* GetSmallImages();
  virtual TCustomImageList* GetStateImages();
  virtual void SetLargeImages(TCustomImageList* Images);
  virtual void SetSmallImages(TCustomImageList* Images);
  virtual void SetStateImages(TCustomImageList* Images);
  virtual Integer GetSelectedObject();
  virtual TPersistent* GetTreeLink();
  virtual void GetItems(Integer Parent, const TGetNodeProc& Proc);
  virtual void SetCaption(Integer Node, const std::string& Text);
  virtual Integer Add(Integer Node, const std::string& Text, TNodeAttachMode Mode);
  virtual void Clear();
  virtual void Delete(Integer Node);
  virtual bool CanMove(Integer Node, Integer Target, TNodeAttachMode Mode);
  virtual void MoveTo(Integer Node, Integer Target, TNodeAttachMode Mode);
  virtual void BeginUpdate();
  virtual void EndUpdate();
  virtual TControl* GetInspectorControl(Integer Node);
  virtual bool ActionAllowed(Integer Node, Integer Action);
  virtual std::string GetDisplayName(Integer Node);
  virtual Integer GetAttrCount();
  virtual std::string GetAttrName(Integer Index);
  virtual std::string GetAttrValue(Integer Node, Integer Index);
  virtual std::string GetStatusLine(Integer Node);
  virtual bool ValidSource();
  virtual void Edit(Integer Node);
  virtual Integer GetSortType();
  virtual bool HasChild(Integer Node);
  virtual Integer GetParentId(Integer Node);
};

// Registers SourceClass as the tree source of ObjClass for the edit method (empty: the default).
void RegisterTreeSource(TClass ObjClass, TClass SourceClass, const std::string& EditMethod);
// Registers under EditMethod when it is not empty, and always under the empty edit method.
void RegisterDefaultTreeSource(TClass ObjClass, TClass SourceClass, const std::string& EditMethod);
// The tree source registered for ObjClass or its nearest ancestor under exactly that edit method; null if none.
TClass GetRegisteredTreeSource(TClass ObjClass, const std::string& EditMethod);

// For ObjClass and then each ancestor below TPersistent: ResName = Prefix + class name, the first that the
// program has as a bitmap resource; Module 0 when none has one.
void FindObjectBitmapRes(HMODULE& Module, TClass ObjClass, const std::string& Prefix, std::string& ResName);
// The same with Prefix, and when that finds nothing with "_" + Prefix.
void FindObjectBitmapResEx(HMODULE& Module, TClass ObjClass, const std::string& Prefix, std::string& ResName);
// The class's palette bitmap (or its nearest ancestor's), else the unknown-class picture.
void LoadBitmapForClass(TBitmap* Bitmap, TClass ObjClass);
void LoadUnknownGlyph(TBitmap* Bitmap);
// Loads the bitmap resource Name; Bitmap is left as it was when the program has none.
void LoadBitmapFromResource(TBitmap* Bitmap, const std::string& Name);

}  // namespace Zodir
