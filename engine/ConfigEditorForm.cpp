// The engine's configuration editor.
#include "engine/ConfigEditorForm.h"

#include "engine/EngineTexts.h"

#include "platform/controls/Dialogs.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <cctype>

namespace zubengine {

Z_IMPLEMENT_CLASS_PUBLISHED(TConfigEditorForm, TEngineForm, TConfigEditorForm::Publish)

void TConfigEditorForm::Publish(TMetaClass& Meta) {
  TPublisher<TConfigEditorForm> P(Meta);
  using F = TConfigEditorForm;
  P.Field("ConfigurationsGroup", &F::ConfigurationsGroup);
  P.Field("ConfigurationList", &F::ConfigurationList);
  P.Field("NameLabel", &F::NameLabel);
  P.Field("NameEdit", &F::NameEdit);
  P.Field("NewButton", &F::NewButton);
  P.Field("CopyButton", &F::CopyButton);
  P.Field("RenameButton", &F::RenameButton);
  P.Field("DeleteButton", &F::DeleteButton);
  P.Field("UseButton", &F::UseButton);
  P.Field("InUseLabel", &F::InUseLabel);
  P.Field("MessagesGroup", &F::MessagesGroup);
  P.Field("SearchLabel", &F::SearchLabel);
  P.Field("SearchEdit", &F::SearchEdit);
  P.Field("MessageList", &F::MessageList);
  P.Field("ProgramsGroup", &F::ProgramsGroup);
  P.Field("ProgramList", &F::ProgramList);
  P.Field("ImportButton", &F::ImportButton);
  P.Field("ExportButton", &F::ExportButton);
  P.Field("OKButton", &F::OKButton);
  P.Field("CancelButton", &F::CancelButton);
}

namespace {

constexpr const char* ProgramFilter = "Program lists (*.xml)|*.xml|All files|*";

std::string Lower(std::string S) {
  for (char& C : S) {
    C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  }
  return S;
}

std::string TrimBlanks(const std::string& S) {
  const std::size_t B = S.find_first_not_of(" \t");
  if (B == std::string::npos) {
    return {};
  }
  return S.substr(B, S.find_last_not_of(" \t") - B + 1);
}

std::string FolderOfFile(const std::string& Name) {
  const std::size_t Slash = Name.rfind('/');
  return Slash == std::string::npos ? std::string() : Name.substr(0, Slash);
}

}  // namespace

void TConfigEditorForm::AfterConstruction() {
  TEngineForm::AfterConstruction();
  NewButton->OnClick = [this](TObject*) { NewConfiguration(); };
  CopyButton->OnClick = [this](TObject*) { CopyConfiguration(); };
  RenameButton->OnClick = [this](TObject*) { RenameConfiguration(); };
  DeleteButton->OnClick = [this](TObject*) { DeleteConfiguration(); };
  UseButton->OnClick = [this](TObject*) { UseConfiguration(); };
  ConfigurationList->OnClick = [this](TObject*) {
    const int I = Selected();
    if (I >= 0) {
      NameEdit->SetText(Work.Configurations[static_cast<std::size_t>(I)].Name);
    }
  };
  SearchEdit->OnChange = [this](TObject*) { Search(SearchEdit->Text()); };
  ImportButton->OnClick = [this](TObject*) { ImportPrograms(); };
  ExportButton->OnClick = [this](TObject*) { ExportPrograms(); };
  OKButton->OnClick = [this](TObject*) {
    TakeMessageStates();
    ModalResult = mrOk;
  };
}

void TConfigEditorForm::LoadFrom(const TEngineConfig& C, std::vector<TCatalogueEntry> Messages) {
  Work = C;
  FMessages = std::move(Messages);
  FillConfigurations(Work.CurrentConfiguration);
  FillMessages();
  FillPrograms();
}

int TConfigEditorForm::Selected() {
  const int I = ConfigurationList->ItemIndex();
  return I >= 0 && I < static_cast<int>(Work.Configurations.size()) ? I : -1;
}

void TConfigEditorForm::FillConfigurations(int Select) {
  TStrings* Items = ConfigurationList->Items();
  Items->BeginUpdate();
  Items->Clear();
  for (const TNamedConfiguration& C : Work.Configurations) {
    Items->Add(C.Name);
  }
  Items->EndUpdate();
  if (Select >= 0 && Select < Items->Count()) {
    ConfigurationList->SetItemIndex(Select);
    NameEdit->SetText(Work.Configurations[static_cast<std::size_t>(Select)].Name);
  }
  const TNamedConfiguration InUse = Work.ConfigurationFor(Work.CurrentConfiguration);
  InUseLabel->SetCaption("In use: " + InUse.Name);
}

std::string TConfigEditorForm::TypedName(int Except) {
  const std::string Name = TrimBlanks(NameEdit->Text());
  if (Name.empty()) {
    InputError("Please enter a name for the configuration.", NameEdit);
    return {};
  }
  if (Name.size() > static_cast<std::size_t>(MaxConfigurationNameLength)) {
    InputError("A configuration's name can have at most 80 characters.", NameEdit);
    return {};
  }
  for (std::size_t I = 0; I < Work.Configurations.size(); ++I) {
    if (static_cast<int>(I) != Except && Lower(Work.Configurations[I].Name) == Lower(Name)) {
      InputError("There is already a configuration named \"" + Name + "\".", NameEdit);
      return {};
    }
  }
  return Name;
}

bool TConfigEditorForm::NewConfiguration() {
  const std::string Name = TypedName(-1);
  if (Name.empty()) {
    return false;
  }
  Work.Configurations.push_back({Name, cpNormal});
  FillConfigurations(static_cast<int>(Work.Configurations.size()) - 1);
  return true;
}

bool TConfigEditorForm::CopyConfiguration() {
  const int From = Selected();
  if (From < 0) {
    InputError("Please choose the configuration to copy.", ConfigurationList);
    return false;
  }
  const std::string Name = TypedName(-1);
  if (Name.empty()) {
    return false;
  }
  Work.Configurations.push_back({Name, Work.Configurations[static_cast<std::size_t>(From)].Profile});
  FillConfigurations(static_cast<int>(Work.Configurations.size()) - 1);
  return true;
}

bool TConfigEditorForm::RenameConfiguration() {
  const int I = Selected();
  if (I < 0) {
    InputError("Please choose the configuration to rename.", ConfigurationList);
    return false;
  }
  const std::string Name = TypedName(I);
  if (Name.empty()) {
    return false;
  }
  Work.Configurations[static_cast<std::size_t>(I)].Name = Name;
  FillConfigurations(I);
  return true;
}

bool TConfigEditorForm::DeleteConfiguration() {
  const int I = Selected();
  if (I < 0) {
    InputError("Please choose the configuration to delete.", ConfigurationList);
    return false;
  }
  if (I == 0) {
    InputError("The first configuration is the engine's default and cannot be deleted.", ConfigurationList);
    return false;
  }
  const std::string Question =
      "Delete the configuration \"" + Work.Configurations[static_cast<std::size_t>(I)].Name + "\"?";
  if (EngineMessage(Handle(), Question, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return false;
  }
  Work.Configurations.erase(Work.Configurations.begin() + I);
  if (Work.CurrentConfiguration == I) {
    Work.CurrentConfiguration = 0;
  } else if (Work.CurrentConfiguration > I) {
    --Work.CurrentConfiguration;
  }
  FillConfigurations(I < static_cast<int>(Work.Configurations.size()) ? I : I - 1);
  return true;
}

void TConfigEditorForm::UseConfiguration() {
  const int I = Selected();
  if (I < 0) {
    InputError("Please choose the configuration to use.", ConfigurationList);
    return;
  }
  Work.CurrentConfiguration = I;
  FillConfigurations(I);
}

void TConfigEditorForm::TakeMessageStates() {
  TListItems* Items = MessageList->Items();
  for (int I = 0; I < Items->Count(); ++I) {
    TListItem* Item = Items->Item(I);
    const int Id = static_cast<int>(reinterpret_cast<std::intptr_t>(Item->Data));
    const auto It = Work.MessageSettings.find(Id);
    const bool WasOn = It == Work.MessageSettings.end() || It->second.Enabled != 0;
    if (Item->Checked() != WasOn) {
      Work.MessageSettings[Id].Enabled = Item->Checked() ? 1 : 0;
    }
  }
}

void TConfigEditorForm::Search(const std::string& Text) {
  TakeMessageStates();
  FSearch = Lower(TrimBlanks(Text));
  FillMessages();
}

void TConfigEditorForm::FillMessages() {
  TListItems* Items = MessageList->Items();
  Items->BeginUpdate();
  Items->Clear();
  for (const TCatalogueEntry& E : FMessages) {
    const std::string Id = std::to_string(E.Id);
    if (!FSearch.empty() && Lower(E.Text).find(FSearch) == std::string::npos &&
        Lower(E.Category).find(FSearch) == std::string::npos && Id != FSearch) {
      continue;
    }
    const auto It = Work.MessageSettings.find(E.Id);
    const TMessageSetting S = It == Work.MessageSettings.end() ? TMessageSetting{} : It->second;
    TListItem* Item = Items->Add();
    Item->SetCaption(Id);
    Item->Data = reinterpret_cast<void*>(static_cast<std::intptr_t>(E.Id));
    const int Type = S.Type >= MsgError && S.Type <= MsgMessage ? S.Type : E.Type;
    const char* TypeText = Type > 0 ? TypeName(Type) : nullptr;
    Item->SubItems()->Add(TypeText ? TypeText : "");
    Item->SubItems()->Add(E.Category);
    Item->SubItems()->Add(E.Text);
    Item->SetChecked(S.Enabled != 0);
  }
  Items->EndUpdate();
}

void TConfigEditorForm::FillPrograms() {
  TListItems* Items = ProgramList->Items();
  Items->BeginUpdate();
  Items->Clear();
  for (const auto& [Name, Command] : Work.Programs) {
    TListItem* Item = Items->Add();
    Item->SetCaption(Name);
    Item->SubItems()->Add(Command);
  }
  Items->EndUpdate();
}

bool TConfigEditorForm::ImportPrograms() {
  TOpenDialog Dialog(nullptr);
  Dialog.Title = "Import Program List";
  Dialog.Filter = ProgramFilter;
  Dialog.DefaultExt = "xml";
  Dialog.InitialDir = FolderOfFile(Work.FileName.empty() ? DefaultConfigFileName() : Work.FileName);
  Dialog.Options.Include(ofFileMustExist);
  if (!Dialog.Execute()) {
    return false;
  }
  if (!Work.ImportPrograms(Dialog.FileName)) {
    EngineMessage(Handle(), "The program list could not be read from \"" + Dialog.FileName + "\".",
                  MB_OK | MB_ICONERROR);
    return false;
  }
  FillPrograms();
  return true;
}

bool TConfigEditorForm::ExportPrograms() {
  TSaveDialog Dialog(nullptr);
  Dialog.Title = "Export Program List";
  Dialog.Filter = ProgramFilter;
  Dialog.DefaultExt = "xml";
  Dialog.InitialDir = FolderOfFile(Work.FileName.empty() ? DefaultConfigFileName() : Work.FileName);
  Dialog.FileName = "programexport.xml";
  Dialog.Options.Include(ofOverwritePrompt);
  if (!Dialog.Execute()) {
    return false;
  }
  if (!Work.ExportPrograms(Dialog.FileName)) {
    EngineMessage(Handle(), "The program list could not be written to \"" + Dialog.FileName + "\".",
                  MB_OK | MB_ICONERROR);
    return false;
  }
  return true;
}

}  // namespace zubengine
