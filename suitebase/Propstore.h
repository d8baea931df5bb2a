// ZEZPropStore: keeps chosen published properties of a form's or data module's components (and the form's window
// position) between runs, as one image in the registry or as hexadecimal lines of an INI file section.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"
#include "platform/controls/DataModules.h"
#include "platform/controls/Forms.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Dccommon {

using TProcessChangesProc = std::function<void(TObject* Sender, bool& Processed)>;
inline constexpr const char* SErrorReadingProperties = "Error reading properties";

// Owned by the form or data module whose components it keeps. Loads once after the owner has loaded, saves on
// each accepted close of the owner form (or when the owner data module goes). Does nothing at design time.
class ZEZPropStore : public TComponent {
  Z_CLASS(ZEZPropStore, TComponent)
public:
  explicit ZEZPropStore(TComponent* AOwner);
  ~ZEZPropStore() override;
  static void Publish(TMetaClass& Meta);
  void Loaded() override;

  virtual void Load();
  virtual void Save();
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  void LoadFromIniFile(const std::string& FileName, const std::string& Section);
  void SaveToIniFile(const std::string& FileName, const std::string& Section);
  void ReaderError(TReader* Reader, const std::string& Message, bool& Handled);
  void HookOnClose();

  // The stored key, else the owner's name followed by the store's.
  std::string Key() const;
  void SetKey(const std::string& Value) { FKey = Value; }
  TStrings* PropList() const { return FPropList.get(); }
  void SetPropList(TStrings* Value) { FPropList->Assign(Value); }

  bool IgnoreErrors = true;
  std::string IniFile;
  std::string IniSection;
  bool StorePos = true;
  bool UseIniFile = false;
  TProcessChangesProc OnLoadChanges;
  TProcessChangesProc OnSaveChanges;
  TNotifyEvent OnChangesLoaded;
  TNotifyEvent OnChangesSaved;

private:
  struct TGroup {
    std::string ComponentName;  // as the lines name it ("" for the owner itself)
    std::string RecordName;     // the name written: the component part, or the owner's name
    TComponent* Component = nullptr;
    std::vector<std::string> Names;
  };
  std::vector<TGroup> Groups() const;
  TComponent* FindStoredComponent(const std::string& Name) const;
  void ReadComponentProps(TComponent* Component, TStream* Image, const std::vector<std::string>& Names);
  void MyCloseQuery(TObject* Sender, bool& CanClose);
  void MyOnDestroy(TObject* Sender);
  void LoadImage(TStream* Stream);

  std::unique_ptr<TStringList> FPropList;
  std::string FKey;
  TCloseQueryEvent FOldCloseQuery;
  TNotifyEvent FOldOnDestroy;
  bool FHooked = false;
  bool FErrorRefused = false;
};

}  // namespace Dccommon
