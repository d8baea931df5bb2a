// Option groups: one global instance per option class, loaded from the configuration store when made and saved
// when the library shuts down, and working copies that start as copies of it and can be applied back.
#pragma once

#include "platform/classes/Classes.h"

#include <string>

namespace Dorazori {

// false: options live in the registry below RegistryKey; true: in the profile file OptionsFileName.
extern bool StoreOptionsInFile;

// One group of options. Instances are made through the class's virtual constructor (NewInstance, as
// GetOptionsByClass does, or CreateOptions): AfterConstruction makes the first instance of a class the global
// one (registered, InitValues, the initialisers, LoadConfig) and every later one a copy of it.
class TOptionExt : public TPersistent {
  Z_CLASS(TOptionExt, TPersistent)
public:
  TOptionExt() = default;
  ~TOptionExt() override;
  TOptionExt(const TOptionExt&) = delete;
  TOptionExt& operator=(const TOptionExt&) = delete;
  void AfterConstruction() override;

  // Copies every published property of Source this object has, inside one update bracket.
  void Assign(TPersistent* Source) override;
  virtual void LoadConfig();
  virtual void SaveConfig();
  // The group's name in the store: the class name without its first character.
  virtual std::string GetKey();
  virtual void InitValues() {}
  // Announces a change; subclasses act only while UpdateDisabled() is false.
  virtual void Update() {}
  // The global instance announces; a copy is assigned to the global instance, which announces once.
  virtual void ApplyOptions();
  // The object whose published properties are stored.
  virtual TPersistent* GetOptionControl() { return this; }

  void BeginUpdate() { ++FUpdateLevel; }
  void EndUpdate();
  bool UpdateDisabled() const { return !FIsGlobalInstance || FUpdateLevel > 0; }
  Integer UpdateLevel() const { return FUpdateLevel; }
  TOptionExt* GlobalInstance() const { return FGlobalInstance; }
  bool IsGlobalInstance() const { return FIsGlobalInstance; }

private:
  Integer FUpdateLevel = 0;
  TOptionExt* FGlobalInstance = nullptr;
  bool FIsGlobalInstance = false;
};

// Makes an instance through the virtual constructor.
template <class T>
T* CreateOptions() {
  return static_cast<T*>(T::StaticClass()->NewInstance());
}

// The global instance of the class, made (and loaded) on first request; never freed by the caller.
TOptionExt* GetOptionsByClass(TClass OptionClass);
// SaveConfig of every global instance, in the order they were made.
void SaveGlobalOptions();
// Registers an option class in the class parameter registry ("Environment.Options" = 123).
void RegisterOptionExt(TClass OptionClass);
using TInitProc = void (*)(TOptionExt* Options);
void RegisterOptionsInitializator(TInitProc Proc);
void UnRegisterOptionsInitializator(TInitProc Proc);

// One working copy of every registered option class, owned by the list.
class TOptionExtList : public TList {
  Z_CLASS(TOptionExtList, TList)
public:
  TOptionExtList();
  ~TOptionExtList() override;
  TOptionExtList(const TOptionExtList&) = delete;
  TOptionExtList& operator=(const TOptionExtList&) = delete;
  TOptionExt* GetOptionWithClass(const std::string& ClassName) const;  // null when none
  void ApplyOptions();
};

}  // namespace Dorazori
