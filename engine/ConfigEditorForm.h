// The engine's configuration editor: the named validator configurations, the messages by ID with their on/off
// state and a search over their texts, and the exchange of the program list with files.
#pragma once

#include "engine/EngineConfig.h"
#include "engine/EngineForm.h"
#include "engine/MessageCatalogue.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/StdCtrls.h"

#include <string>
#include <vector>

namespace zubengine {

// Shown modally by ZUBOpenConfigurationEditor over a copy of the configuration; OK stores the copy back, Cancel
// leaves it as it was.
class TConfigEditorForm : public TEngineForm {
  Z_CLASS(TConfigEditorForm, TEngineForm)
public:
  explicit TConfigEditorForm(TComponent* AOwner) : TEngineForm(AOwner) {}
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  // Puts the configuration and the known messages into the window.
  void LoadFrom(const TEngineConfig& C, std::vector<TCatalogueEntry> Messages);
  // The working copy with the message list's check marks taken in.
  void TakeMessageStates();

  // The operations of the buttons (each says why when it refuses).
  bool NewConfiguration();
  bool CopyConfiguration();
  bool RenameConfiguration();
  bool DeleteConfiguration();
  void UseConfiguration();
  void Search(const std::string& Text);
  bool ImportPrograms();
  bool ExportPrograms();

  TEngineConfig Work;

  TGroupBox* ConfigurationsGroup = nullptr;
  TListBox* ConfigurationList = nullptr;
  TLabel* NameLabel = nullptr;
  TEdit* NameEdit = nullptr;
  TButton* NewButton = nullptr;
  TButton* CopyButton = nullptr;
  TButton* RenameButton = nullptr;
  TButton* DeleteButton = nullptr;
  TButton* UseButton = nullptr;
  TLabel* InUseLabel = nullptr;
  TGroupBox* MessagesGroup = nullptr;
  TLabel* SearchLabel = nullptr;
  TEdit* SearchEdit = nullptr;
  TListView* MessageList = nullptr;
  TGroupBox* ProgramsGroup = nullptr;
  TListView* ProgramList = nullptr;
  TButton* ImportButton = nullptr;
  TButton* ExportButton = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

private:
  void FillConfigurations(int Select);
  void FillMessages();
  void FillPrograms();
  // The name typed for a new or renamed configuration; empty (after saying why) when it cannot be used.
  std::string TypedName(int Except);
  int Selected();
  std::vector<TCatalogueEntry> FMessages;
  std::string FSearch;
};

}  // namespace zubengine
