// The suite's run-time persistence of whole forms and data modules (TCompFiler), the stream tests it uses, and
// the stream view of one string property (TPropStream) with its file system (TPropFileSystem).
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"
#include "platform/controls/DataModules.h"
#include "platform/controls/Forms.h"
#include "suitebase/Filesystems.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace Dccommon {

// Each reads what it needs and puts the stream back where it was.
// True when the stream begins with "object" or "inherited" (9 bytes are read: a shorter stream raises).
bool IsTextStream(TStream* Stream);
// The root's class name, of the text or the binary form (after any resource header).
std::string GetClassNameFromStream(TStream* Stream);
// True when the root has only events, Left, Top, Width, Height and OldCreateOrder among its properties.
bool StreamContainsDataModule(TStream* Stream);

// SaveToStream writes text when set (the default), binary otherwise.
extern bool SaveFormAsText;
// Installed by the reader-error dialog: decides whether an error is handled and may ask to ignore the rest.
using TReaderErrorHandler = std::function<void(const std::string& Message, bool& Handled, bool& IgnoreAll)>;
extern TReaderErrorHandler ReaderErrorHandler;
// Called after each root is loaded by a filer.
using ZEZInitComponentHandler =
    std::function<void(TComponent* Instance, const std::string& InstanceClass, const std::string& InstanceName)>;
extern ZEZInitComponentHandler DCInitComponentHandler;

// Saves and loads roots. Handlers are not bound to code: a handler name the root's class does not publish gets an
// identifier (the same for names that differ only in case), kept for the event it was read into, and is written
// back under its name. Saving names the image's class "T" + the root's name. The filer belongs to its caller.
class TCompFiler : public TObject {
  Z_CLASS(TCompFiler, TObject)
public:
  TCompFiler();
  ~TCompFiler() override;
  TCompFiler(const TCompFiler&) = delete;
  TCompFiler& operator=(const TCompFiler&) = delete;

  void SaveToStream(TStream* Stream, TComponent* Root);
  void SaveToFile(const std::string& FileName, TComponent* Root);
  void LoadFromStream(TStream* Stream, TComponent* Root, std::string& Name);
  void LoadFromFile(const std::string& FileName, TComponent* Root);
  void DoLoadFromStream(TStream* Stream, TComponent* Root, std::string& Name);
  // A data module when the stream holds one, else a form, of RootClass when it fits; freed again on failure.
  TComponent* CreateFromStream(TStream* Stream, TClass RootClass, bool Design);
  TComponent* CreateFromFile(const std::string& FileName, TClass RootClass, bool Design);
  Integer AddEvent(const std::string& Name);
  std::string EventNameByID(Integer ID) const;
  // The handler identifier read into an event of an object, 0 when none.
  Integer EventIDOf(TPersistent* Instance, const std::string& PropName) const;
  void Assign(TCompFiler* Source);
  static TComponent* GlobalFindCompWithoutDesigned(const std::string& Name);

  TStrings* EventNames() const { return FEventNames.get(); }
  Integer NextEventID = 1;
  TReaderError OnReaderError;
  TNotifyEvent OnComponentLoaded;
  std::string ReadClassName;
  bool GlobalFindSkipsDesigned = false;
  bool IgnoreAllErrors = false;
  bool ErrorsOccurred = false;
  TPersistent* Ancestor = nullptr;

  // Reader errors: OnReaderError decides; else IgnoreAllErrors; else ReaderErrorHandler.
  void ReaderError(TReader* Reader, const std::string& Message, bool& Handled);
  // Notes the handler name of an event the root's class does not publish (the reader's method lookup).
  void NoteEvent(TPersistent* Instance, const std::string& PropName, const std::string& MethodName);

private:
  void CompLoaded();
  std::unique_ptr<TStringList> FEventNames;
  std::map<std::pair<TPersistent*, std::string>, Integer> FEventIDs;
};

// A memory stream holding the value of one string or string-list property: filled from it when opened for
// reading (mode 0) or both (2), written back when freed after writing (1, 2). An unsuitable property raises
// "Error in property stream" at first use.
inline constexpr const char* SErrorInPropStream = "Error in property stream";
class TPropStream : public TMemoryStream {
  Z_CLASS(TPropStream, TMemoryStream)
public:
  TPropStream(TPersistent* Instance, const std::string& PropName, Word Mode);
  ~TPropStream() override;
  std::string GetPropValue();
  void SetPropValue(const std::string& Value);

private:
  PPropInfo UpdatePropInfo();
  Word FMode;
  TPersistent* FInstance;
  std::string FPropName;
};
// Whether the object has a string or string-list property of that name.
bool IsStreamableProp(TPersistent* Instance, const std::string& PropName);

// A file system whose only file is a component's string property. ComponentPtr names the component by its
// address ("$" and 16 hexadecimal digits); only a live component that a property file system of this process
// links is accepted, anything else is "Component doesn't exist" at first use.
inline constexpr const char* SComponentDoesntExist = "Component doesn't exist";
class TPropFileSystem : public Dorazori::TFileSystem {
  Z_CLASS(TPropFileSystem, Dorazori::TFileSystem)
public:
  explicit TPropFileSystem(TComponent* AOwner);
  ~TPropFileSystem() override;
  static void Publish(TMetaClass& Meta);
  TStream* GetFileStream(const std::string& FileName, Word Mode) override;
  bool FileExists(const std::string& FileName) override;
  Dorazori::TFileSystemLevel GetFileSystemLevel() override { return Dorazori::flOnlyGetStream; }

  TComponent* Component() const { return FComponent; }
  void SetComponent(TComponent* Value);
  std::string GetComponentPtr() const;
  void SetComponentPtr(const std::string& Value);
  std::string PropName;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TComponent* FComponent = nullptr;
  bool FBadPtr = false;  // an address that named no linked component was given
};

}  // namespace Dccommon
