// The main window's Help and Links commands, the update check, the program information, the About box and the
// wait window of network operations.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoextraclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Timeutils.h"
#include "core/Updatecheck.h"
#include "core/Validatorlib.h"
#include "mainwindow/Updatecheckform.h"

#include "platform/graphics/Clipbrd.h"
#include "platform/win/MessageBox.h"

#include <string>

namespace {

const char* const ProgramName = "ZUB Quillon Professional";
const char* const ProgramVersion = "6.01";
const char* const ProgramInternalVersion = "6.0100";

// The documentation pages beside the program.
const char* const ContentsPage = "contents.html";
const char* const ToolsPage = "usingthetools.html";

// The product's pages and the other organisations' sites.
const char* const ProductHome = "http://www.palvane.example/";
const char* const ProductSupport = "http://www.palvane.example/support/";
const char* const ProductDownload = "http://www.palvane.example/download/";
const char* const OnlineHelp = "http://www.palvane.example/quillon/help/contents.html";
const char* const ContentRatingHome = "http://www.icra.org/";
const char* const WapForumHome = "http://www.wapforum.org/";
const char* const Section508Home = "http://www.section508.gov/";
const char* const W3CHome = "http://www.w3.org/";
const char* const W3CHost = "http://www.w3.org";

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

int ConfigHandle() { return prg && prg->volatileState ? prg->volatileState->configHandle : -1; }

// A text of the engine's configuration (empty without an engine or when it has none).
std::string ConfigurationText(int Id) {
  const char* Text = ZUBCalls.ZUBGetString != nullptr ? ZUBCalls.ZUBGetString(ConfigHandle(), Id) : nullptr;
  return Text != nullptr ? Text : "";
}

std::string EngineInformation() {
  const char* Text = ZUBCalls.ZUBGetString3 != nullptr ? ZUBCalls.ZUBGetString3(ZUB_ENGINE_VERSION_TEXT) : nullptr;
  return Text != nullptr ? Text : "";
}

// Opens a web address or a full path in the desktop's browser through the engine.
void OpenTarget(TZUBQEForm& Form, const std::string& Target) {
  if (ZUBCalls.ZUBDisplayHelp != nullptr) {
    (void)ZUBCalls.ZUBDisplayHelp(Form.GetApplicationWindow(), HELP_DISPLAY_ID, Target.c_str(), 0);  // says why
  }
}

void OpenDocumentationPage(TZUBQEForm& Form, const char* Page) {
  (void)DisplayHelpTopic(Form.GetApplicationWindow(), Page, prg->volatileState->documentationFolder.text);  // ditto
}

// The update check with the network settings and the configuration's version taken from the engine first.
void RunUpdateCheck(TZUBQEForm& Form, int Flags) {
  volatileclass& V = *prg->volatileState;
  (void)V.networkConfig.LoadFromEngine(2);  // without an engine the settings stay as they are
  V.engineConfigFileName = StrStore(ConfigurationText(ZUB_CONFIG_LOADED_FILE_NAME).c_str());
  (void)CheckForUpdate(Form.Handle(), Flags);  // tells the user about every outcome itself
  Form.UpdateTitle(0);
}

}  // namespace

// ---- Help and links ---------------------------------------------------------------------------------------------

void TZUBQEForm::HelpContentsClick(TObject*) {
  if (Running()) {
    OpenDocumentationPage(*this, ContentsPage);
  }
}

void TZUBQEForm::ToolsHelpClick(TObject*) {
  if (Running()) {
    OpenDocumentationPage(*this, ToolsPage);
  }
}

void TZUBQEForm::HelpOnlineClick(TObject*) {
  if (Running()) {
    OpenTarget(*this, OnlineHelp);
  }
}

void TZUBQEForm::LinksZUBHomeClick(TObject*) {
  if (Running()) {
    OpenTarget(*this, ProductHome);
  }
}

void TZUBQEForm::LinksSupportClick(TObject*) {
  if (Running()) {
    OpenTarget(*this, ProductSupport);
  }
}

void TZUBQEForm::LinksDownloadClick(TObject*) {
  if (Running()) {
    OpenTarget(*this, ProductDownload);
  }
}

void TZUBQEForm::LinksInternetContentRatingAssociationClick(TObject*) {
  if (Running()) {
    OpenTarget(*this, ContentRatingHome);
  }
}

void TZUBQEForm::LinksWPForumClick(TObject*) {
  if (Running()) {
    OpenTarget(*this, WapForumHome);
  }
}

void TZUBQEForm::LinksWorldWideWebConsortiumClick(TObject*) {
  if (Running()) {
    OpenTarget(*this, W3CHome);
  }
}

void TZUBQEForm::LinksSpecsHTML401Click(TObject*) {
  if (Running()) {
    OpenTarget(*this, std::string(W3CHost) + "/TR/html4/");
  }
}

void TZUBQEForm::LinksSpecsXHTML10Click(TObject*) {
  if (Running()) {
    OpenTarget(*this, std::string(W3CHost) + "/TR/xhtml1/");
  }
}

void TZUBQEForm::LinksSpecsXHTML11Click(TObject*) {
  if (Running()) {
    OpenTarget(*this, std::string(W3CHost) + "/TR/xhtml11/");
  }
}

void TZUBQEForm::LinksSpecsCSS1Click(TObject*) {
  if (Running()) {
    OpenTarget(*this, std::string(W3CHost) + "/TR/REC-CSS1");
  }
}

void TZUBQEForm::LinksSpecsCSS2Click(TObject*) {
  if (Running()) {
    OpenTarget(*this, std::string(W3CHost) + "/TR/REC-CSS2/");
  }
}

void TZUBQEForm::TBItem8Click(TObject*) {
  if (Running()) {
    OpenTarget(*this, std::string(W3CHost) + "/TR/WAI-WEBCONTENT/");
  }
}

void TZUBQEForm::LinksSection508AccessibilityClick(TObject*) {
  if (Running()) {
    OpenTarget(*this, Section508Home);
  }
}

// ---- Update check, program information and About ----------------------------------------------------------------

void TZUBQEForm::HelpCheckVersionClick(TObject*) {
  if (Running()) {
    RunUpdateCheck(*this, UPDATECHECK_FROM_MENU);
  }
}

void TZUBQEForm::CopyProgramInfotoClipboard1Click(TObject*) {
  if (!Running()) {
    return;
  }
  std::string Text;
  Text += std::string("PROGRAM NAME: ") + ProgramName + "\n";
  Text += std::string("VERSIONSTRING: ") + ProgramVersion + "\n";
  Text += std::string("VERSIONINTERNALSTRING: ") + ProgramInternalVersion + "\n";
  Text += "DLLVERSIONSTRING: " + EngineInformation() + "\n";
  Text += "ZUBCFGVERSION: " + ConfigurationText(ZUB_CONFIG_LOADED_FILE_NAME) + "\n";
  Text += std::string("DATE: ") + GetDateString(nullptr) + "\n";
  Text += std::string("TIME: ") + GetTimeString(nullptr) + "\n";
  Clipboard()->SetAsText(Text);
  (void)ShowMessageBox(StrStore("Program information has been copied to the Windows clipboard. You can now paste this "
                                "information into emails that you send to Palvane."),
                       StrStore("Quillon: Information Copied"), MSG_INFORMATION);  // no answer to act on
}

void TZUBQEForm::HelpAboutZUBClick(TObject*) {
  if (!Running()) {
    return;
  }
  const std::string Text = std::string(ProgramName) + "\nVersion " + ProgramVersion +
                           "\n\nValidator engine: " + EngineInformation() +
                           "\n\nCopyright (C) Palvane. All rights reserved.\nThis program is provided as it is, "
                           "without warranty of any kind.\n\nDo you want to check for a new program version now?";
  if (ShowMessageBox(StrStore(Text.c_str()), StrStore("Quillon: About ZUB Quillon"),
                     MSG_QUESTION | MSG_NOT_ON_STATUS_BAR) == IDYES) {
    RunUpdateCheck(*this, UPDATECHECK_FROM_ABOUT);
  }
}

// ---- The wait window --------------------------------------------------------------------------------------------

void TZUBQEForm::ShowWaitWindow(const char* Caption, const char* Text) {
  if (WaitWindow == nullptr) {
    WaitWindow = new TUpdateCheckForm(this);
    WaitWindow->AfterConstruction();
  }
  if (Caption != nullptr) {
    WaitWindow->SetCaption(Caption);
  }
  if (Text != nullptr) {
    WaitWindow->MainLabel->SetCaption(Text);
  }
  WaitWindow->Show();
  WaitWindow->Update();  // painted before the work blocks the loop
}

void TZUBQEForm::HideWaitWindow() {
  if (WaitWindow == nullptr) {
    return;
  }
  TUpdateCheckForm* Window = WaitWindow;
  WaitWindow = nullptr;
  Window->Hide();
  delete Window;
}
