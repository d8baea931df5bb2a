// A combo box that remembers what was typed into it: its items are its history, newest first, kept in the
// registry (a string value under the component's key followed by "History") or in a name=value file.
#pragma once

#include "platform/controls/StdCtrls.h"

#include <string>

class TCustomEasyHistoryEditor : public TCustomComboBox {
  Z_CLASS(TCustomEasyHistoryEditor, TCustomComboBox)
public:
  explicit TCustomEasyHistoryEditor(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

  // The current text goes to the top of the history (once; an empty text is never added).
  virtual void HistoryChanged();
  // Raise the registry's or the file's error when the history cannot be written.
  virtual void SaveHistory();
  virtual void LoadHistory();
  void EmptyHistory() { Items()->Clear(); }
  // RegistryKey when set, else the owner's name followed by the control's, else "Default".
  std::string GetKey() const;

  std::string RegistryKey;
  std::string FileName;
  bool StoreInRegistry = true;

protected:
  void Loaded() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyPress(char& Key) override;

private:
  // Saving while the window goes: an error there cannot reach anyone, so it loses only this history.
  void SaveQuietly();
};

class TEasyHistoryEditor : public TCustomEasyHistoryEditor {
  Z_CLASS(TEasyHistoryEditor, TCustomEasyHistoryEditor)
public:
  explicit TEasyHistoryEditor(TComponent* AOwner) : TCustomEasyHistoryEditor(AOwner) {}
  static void Publish(TMetaClass& Meta);
};

// The registry key of the histories: the component's base key followed by "History".
std::string HistoryRegistryKey();
