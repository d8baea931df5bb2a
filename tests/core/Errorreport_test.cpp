// Tests of the reporters: exact texts, captions and flags, and which message box shows them.
#include "core/Errorreport.h"

#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TShown {
  std::string Text;
  std::string Caption;
  int Flags;
};

class MainBox final : public MainWindowMessageBox {
public:
  int ShowMessageBox(const StrStore& Text, const StrStore& Caption, int Flags) override {
    Shown.push_back({Text.text, Caption.text, Flags});
    return 0;
  }
  std::vector<TShown> Shown;
};

class ErrorReportTest : public ::testing::Test {
protected:
  void TearDown() override {
    SetMainWindowMessageBox(nullptr);
    SetEngineConfigurationNameHook(nullptr);
  }
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope{Dialogs};
};

const UINT ErrorBox = MB_ICONERROR | MB_SETFOREGROUND;

TEST_F(ErrorReportTest, InternalErrorShowsTheTextAndReturnsTheCode) {
  EXPECT_EQ(ReportInternalError(-8, "UpdateTabControls", "x"), -8);
  EXPECT_EQ(ZUBError(-3, "SelectTab", 1), -3);
  EXPECT_EQ(ZUBError(-4, "SelectTab", 2), -4);
  const std::vector<TDialogRequest> Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 3u);
  EXPECT_EQ(Shown[0].Text, "ZUB Quillon error in function or function call for UpdateTabControls(): x");
  EXPECT_EQ(Shown[0].Caption, "ZUB Quillon Error");
  EXPECT_EQ(Shown[0].Owner, 0u);
  EXPECT_EQ(Shown[0].Flags, ErrorBox);
  EXPECT_EQ(Shown[1].Text,
            "ZUB Quillon error in function or function call for SelectTab(): NULL passed for needed parameter");
  EXPECT_EQ(Shown[2].Text, "ZUB Quillon error in function or function call for ZUBError(): internal error in "
                           "ZUBError(); an error generated another error");
}

TEST_F(ErrorReportTest, InternalErrorsNeverGoThroughTheMainWindow) {
  MainBox Box;
  SetMainWindowMessageBox(&Box);
  ReportInternalError(-1, "f", "r");
  EXPECT_TRUE(Box.Shown.empty());
  EXPECT_EQ(Dialogs.Shown().size(), 1u);
}

TEST_F(ErrorReportTest, EngineErrorShowsOnlyTheHighestBit) {
  EXPECT_EQ(ReportEngineError(0x14), 0);
  EXPECT_EQ(ReportEngineError(0), 0);
  EXPECT_EQ(ReportEngineError(0x8000), 0);
  const std::vector<TDialogRequest> Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Caption, "Quillon: ZUBRunJob() Failed");
  EXPECT_EQ(Shown[0].Text, std::string("ZUBRunJob() failed. Please contact Palvane (") + ZUB_SUPPORT_ADDRESS +
                               ") if you believe that you've found a bug or need assistance.");
  EXPECT_EQ(Shown[0].Flags, ErrorBox);
}

TEST_F(ErrorReportTest, EngineErrorTextsPerBit) {
  MainBox Box;
  SetMainWindowMessageBox(&Box);
  SetEngineConfigurationNameHook([] { return StrStore("/etc/zub/default.cfg"); });
  struct TCase {
    unsigned short Bit;
    const char* Caption;
    const char* TextStart;
  } Cases[] = {
      {0x1, "Quillon: Error Opening Configuration File",
       "There was an error opening the configuration file \"/etc/zub/default.cfg\". The configuration could not be "
       "loaded."},
      {0x2, "Quillon: Error Opening Configuration Editor", "The Configuration Editor could not be opened. Please"},
      {0x4, "Quillon: ZUBGetNewHandle() Failed", "ZUBGetNewHandle() or GetNewHandle() failed. Please contact"},
      {0x8, "Quillon: ZUBSetInteger() Failed", "ZUBSetInteger() failed. Please contact"},
      {0x20, "Quillon: ZUBFreeHandle() Failed", "ZUBFreeHandle() failed."},
      {0x40, "Quillon: ZUBSetString() Failed", "ZUBSetString() failed."},
      {0x80, "Quillon: ZUBGetFlag() Failed", "ZUBGetFlag() failed."},
      {0x100, "Quillon: ZUBSetFlag() Failed", "ZUBSetFlag() failed."},
      {0x200, "Quillon: ZUBSetString3() Failed", "ZUBSetString3() failed."},
  };
  for (const TCase& C : Cases) {
    Box.Shown.clear();
    ReportEngineError(C.Bit);
    ASSERT_EQ(Box.Shown.size(), 1u) << C.Bit;
    EXPECT_EQ(Box.Shown[0].Caption, C.Caption);
    EXPECT_EQ(Box.Shown[0].Text.rfind(C.TextStart, 0), 0u) << Box.Shown[0].Text;
    EXPECT_EQ(Box.Shown[0].Flags, MSGBOX_ERROR);
  }
  EXPECT_TRUE(Dialogs.Shown().empty());  // the main window showed them all
}

}  // namespace
