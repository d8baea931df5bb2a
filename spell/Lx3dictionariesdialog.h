// The custom-dictionaries window (enable, create, rename, delete and edit custom and word-processor dictionaries)
// and the small window that asks for a new dictionary's name.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "spell/Lx3dialogctrl.h"

#include <string>
#include <vector>

class TNewCustomDictionary : public TForm {
  Z_CLASS(TNewCustomDictionary, TForm)
public:
  explicit TNewCustomDictionary(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TLabel* EditLabel = nullptr;
  TEdit* NameEdit = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;
};

// What a row of the list stands for.
struct TListEntry {
  bool Checked = true;
  bool Internal = false;
  bool WordProcessor = false;
  bool Renamable = false;
  std::string Name;
};

class TCustomDictionariesDialog : public TForm {
  Z_CLASS(TCustomDictionariesDialog, TForm)
public:
  explicit TCustomDictionariesDialog(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TGroupBox* CustomGroup = nullptr;
  TListView* CustomDictionaries = nullptr;
  TButton* EditButton = nullptr;
  TButton* DeleteButton = nullptr;
  TButton* NewButton = nullptr;
  TButton* HelpButton = nullptr;
  TButton* OK = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;

  const std::vector<TListEntry>& Entries() const { return FEntries; }
  void FillList();
  // The buttons' work, also reachable without a click.
  void DeleteSelected();
  void NewDictionary();
  void EditSelected();
  // Renames the row's dictionary; false (the caption stays) when the row may not be renamed or the rename failed.
  bool RenameRow(int Index, const std::string& NewName);

private:
  void ConfigurationAvailable();
  void RowChecked(TListItem* Item);
  void RowSelected();
  TListItem* Current();

  std::vector<TListEntry> FEntries;
  bool FFilling = false;
};
