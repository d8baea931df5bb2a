// The engine's windows as its entry points show them.
#include "engine/EngineWindows.h"

#include "engine/ConfigEditorForm.h"
#include "engine/EngineState.h"
#include "engine/ValOptionsForm.h"

#include "platform/controls/Dialogs.h"
#include "platform/win/MessageBox.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace zubengine {

namespace {

constexpr const char* ConfigurationFilter = "Engine configurations (*.cfg)|*.cfg|All files|*";
// How many of the lines a damaged file lost are named in the message.
constexpr std::size_t DroppedLinesShown = 12;

// Marks the open window for the time it is shown.
class TOpenWindowMark {
public:
  explicit TOpenWindowMark(HWND Wnd) { Engine().OpenWindow = Wnd; }
  ~TOpenWindowMark() {
    if (EngineAlive()) {
      Engine().OpenWindow = 0;
    }
  }
  TOpenWindowMark(const TOpenWindowMark&) = delete;
  TOpenWindowMark& operator=(const TOpenWindowMark&) = delete;
};

// Makes the form, lets Prepare fill it, shows it modally and, after OK, hands it to Take with the handle's
// configuration (found again: the program may have freed the handle meanwhile). The result of Take, or of the
// window's failure or cancellation.
template <class TWindow, class FPrepare, class FTake>
ZUBInt RunWindow(HWND Owner, ZUBInt Config, FPrepare&& Prepare, FTake&& Take) {
  auto* H = Find<TConfigHandle>(Config);
  if (!H) {
    return -1;
  }
  if (EngineWindowOpen()) {
    return WindowUnchanged;
  }
  std::unique_ptr<TWindow> Form;
  try {
    Form.reset(new TWindow(Application));
    Form->AfterConstruction();
    Form->SetOwnerWindow(Owner);
    Prepare(*Form, *H);
  } catch (...) {
    return -1;
  }
  TOpenWindowMark Mark(Form->Handle());
  const TModalResult Result = Form->ShowModal();
  H = Find<TConfigHandle>(Config);
  if (Result != mrOk || !H) {
    return WindowUnchanged;
  }
  return Take(*Form, *H);
}

// Stores the window's settings when they differ from the handle's; whether they did.
ZUBInt StoreIfChanged(TEngineConfig& Into, const TEngineConfig& Work) {
  if (Work.ToText() == Into.ToText()) {
    return WindowUnchanged;
  }
  const std::string FileName = Into.FileName;
  Into = Work;
  Into.FileName = FileName;
  Into.Modified = true;
  return WindowChanged;
}

std::string FolderOfFile(const std::string& Name) {
  const std::size_t Slash = Name.rfind('/');
  return Slash == std::string::npos ? std::string() : Name.substr(0, Slash);
}

std::string ConfigFileOf(const TConfigHandle& H) {
  return H.Config.FileName.empty() ? DefaultConfigFileName() : H.Config.FileName;
}

}  // namespace

bool EngineWindowOpen() {
  const HWND Open = Engine().OpenWindow;
  if (Open == 0 || !IsWindow(Open)) {
    return false;
  }
  SetForegroundWindow(Open);
  return true;
}

ZUBInt RunValidatorOptions(HWND Owner, ZUBInt Config, ZUBInt Value) {
  return RunWindow<TValOptionsForm>(
      Owner, Config,
      [&](TValOptionsForm& F, TConfigHandle& H) {
        F.LoadFrom(H.Config);
        F.ShowPage(TValOptionsForm::PageForValue(Value));
      },
      [](TValOptionsForm& F, TConfigHandle& H) { return StoreIfChanged(H.Config, F.Work); });
}

ZUBInt RunConfigurationEditor(HWND Owner, ZUBInt Config, ZUBInt) {
  return RunWindow<TConfigEditorForm>(
      Owner, Config,
      [](TConfigEditorForm& F, TConfigHandle& H) {
        std::vector<int> WithSettings;
        for (const auto& [Id, S] : H.Config.MessageSettings) {
          WithSettings.push_back(Id);
        }
        F.LoadFrom(H.Config, Engine().Catalogue.Entries(WithSettings));
      },
      [](TConfigEditorForm& F, TConfigHandle& H) { return StoreIfChanged(H.Config, F.Work); });
}

ZUBInt SaveConfigurationAs(HWND Owner, TConfigHandle& H) {
  TSaveDialog Dialog(nullptr);
  Dialog.Title = "Save Validator Configuration As";
  Dialog.Filter = ConfigurationFilter;
  Dialog.DefaultExt = "cfg";
  Dialog.InitialDir = FolderOfFile(ConfigFileOf(H));
  Dialog.Options.Include(ofOverwritePrompt);
  Dialog.Options.Include(ofPathMustExist);
  if (!Dialog.Execute()) {
    return WindowCancelled;
  }
  const std::string Own = ConfigFileOf(H);
  if (!H.Config.Save(Dialog.FileName) || !H.Config.Save(Own)) {
    EngineMessage(Owner, "The validator configuration could not be saved to \"" + Dialog.FileName + "\".",
                  MB_OK | MB_ICONERROR);
    return -1;
  }
  H.Config.FileName = Own;
  H.Config.Modified = false;
  return 0;
}

bool LoadConfigurationFile(HWND Owner, TConfigHandle& H, const std::string& Name) {
  std::vector<std::string> Dropped;
  std::string Error;
  TEngineConfig Loaded;
  if (!Loaded.Load(Name, Error, &Dropped)) {
    return false;
  }
  H.Config = std::move(Loaded);
  H.LoadReport.clear();
  if (Dropped.empty()) {
    return true;
  }
  for (const std::string& D : Dropped) {
    H.LoadReport += D + "\n";
  }
  // The damaged text is kept, so that nothing the user wrote is lost when the configuration is saved again.
  std::error_code Ec;
  std::filesystem::copy_file(Name, Name + ".damaged", std::filesystem::copy_options::overwrite_existing, Ec);
  std::string Text = "The validator configuration file \"" + Name +
                     "\" is damaged. What could be read was loaded; the engine's defaults stand in for what was "
                     "left out:\n\n";
  for (std::size_t I = 0; I < Dropped.size() && I < DroppedLinesShown; ++I) {
    Text += Dropped[I] + "\n";
  }
  if (Dropped.size() > DroppedLinesShown) {
    Text += "... and " + std::to_string(Dropped.size() - DroppedLinesShown) + " more.\n";
  }
  Text += Ec ? std::string("\nThe damaged file could not be copied aside.")
             : "\nThe damaged file was kept as \"" + Name + ".damaged\".";
  EngineMessage(Owner, Text, MB_OK | MB_ICONWARNING);
  return true;
}

ZUBInt LoadConfigurationFrom(HWND Owner, TConfigHandle& H) {
  TOpenDialog Dialog(nullptr);
  Dialog.Title = "Load Validator Configuration";
  Dialog.Filter = ConfigurationFilter;
  Dialog.DefaultExt = "cfg";
  Dialog.InitialDir = FolderOfFile(ConfigFileOf(H));
  Dialog.Options.Include(ofFileMustExist);
  if (!Dialog.Execute()) {
    return WindowCancelled;
  }
  // The settings come from the chosen file; they stay the configuration's own, unsaved until it is saved.
  const std::string Own = ConfigFileOf(H);
  if (!LoadConfigurationFile(Owner, H, Dialog.FileName)) {
    EngineMessage(Owner, "The validator configuration could not be read from \"" + Dialog.FileName + "\".",
                  MB_OK | MB_ICONERROR);
    return -1;
  }
  H.Config.FileName = Own;
  H.Config.Modified = true;
  return 0;
}

ZUBInt AskAtShutdown(HWND Owner, TConfigHandle& H) {
  if (!H.Config.Modified) {
    return 0;
  }
  const std::string Own = ConfigFileOf(H);
  const int Answer = EngineMessage(
      Owner,
      "The validator engine's settings have changed since they were last saved. Do you want to save them?\n\n"
      "Yes saves them, No discards the changes, Cancel keeps the program open.",
      MB_YESNOCANCEL | MB_ICONQUESTION);
  if (Answer == IDYES) {
    if (!H.Config.Save(Own)) {
      EngineMessage(Owner,
                    "The validator engine's settings could not be saved to \"" + Own +
                        "\". The program stays open; answer No to close it without saving them.",
                    MB_OK | MB_ICONERROR);
      return WindowCancelled;
    }
    H.Config.FileName = Own;
    H.Config.Modified = false;
    return 0;
  }
  if (Answer == IDNO) {
    // Back to the saved settings, so that a later save writes nothing of what the user discarded.
    TEngineConfig Saved;
    std::string Error;
    if (!Saved.Load(Own, Error)) {
      Saved.Reset();
    }
    Saved.FileName = Own;
    Saved.Modified = false;
    H.Config = std::move(Saved);
    return 0;
  }
  return WindowCancelled;
}

}  // namespace zubengine
