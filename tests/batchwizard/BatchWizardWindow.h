// The batch wizard window's fixture: the settings world of the batch tests with the window made through the batch
// wizard's services as the core makes it, and helpers that read its rows and answer its dialogs.
#pragma once

#include "batchwizard/Batchwizard.h"
#include "batchwizard/Batchwizardservices.h"
#include "core/Mainsetup.h"
#include "tests/batchwizard/BatchTestSupport.h"
#include "tests/support/Forms.h"
#include "tests/support/ModalWindowDriver.h"

#include "platform/win/UtilWindow.h"

#include <functional>
#include <string>
#include <vector>

class BatchWizardWindowTest : public BatchTest {
protected:
  void SetUp() override {
    Harness::Start();
    BatchTest::SetUp();
    // Runs wait for real downloads and pump on real time: the window works on the real clock.
    PreviousClock = SetClock(&RealClock);
    Settings().optionFlags.set(BWF::VerboseLog, false);
    Settings().optionFlags.set(BWF::OpenReport, false);
    SetBatchWizardServices(&Services);
    ASSERT_EQ(ShowBatchWizard(nullptr, BATCHWIZARD_NO_START), 0);
    Form = BatchWizardWindow();
    ASSERT_NE(Form, nullptr);
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    delete BatchWizardWindow();
    Form = nullptr;
    SetBatchWizardServices(nullptr);
    SetClock(PreviousClock);
    BatchTest::TearDown();
  }

  // The rows' texts of a column (0 target, 1 proc, 2 flags, 3 results, 4 full target), top to bottom.
  std::vector<std::string> Column(int C) {
    std::vector<std::string> Out;
    TListItems* Items = Form->TargetListView->Items();
    for (int I = 0; I < Items->Count(); ++I) {
      Out.push_back(Form->TargetListView->DisplayText(Items->Item(I), C, nullptr));
    }
    return Out;
  }
  TListItem* RowOf(const std::string& FullTarget) {
    TListItems* Items = Form->TargetListView->Items();
    for (int I = 0; I < Items->Count(); ++I) {
      if (Form->TargetListView->DisplayText(Items->Item(I), 4, nullptr) == FullTarget) {
        return Items->Item(I);
      }
    }
    return nullptr;
  }
  void Select(std::initializer_list<std::string> FullTargets) {
    Form->TargetListView->ClearSelection();
    for (const std::string& T : FullTargets) {
      TListItem* Row = RowOf(T);
      ASSERT_NE(Row, nullptr) << T;
      Row->SetSelected(true);
    }
  }
  std::string Status(int Panel) { return Form->BatchWizardStatusBar->Panels()->Items(Panel)->Text(); }
  bool Modified() { return Targets()->settings.getInt(PAM_UNCHANGED) == 0; }
  // The log's lines and whether each has the error line style.
  std::vector<std::pair<std::string, bool>> Log() {
    std::vector<std::pair<std::string, bool>> Out;
    TCustomEasyEditSource* Source = Form->BatchProgressEdit->GetEditSource();
    const int Style = Form->BatchProgressEdit->LineStyles()->IndexOfName(ERROR_LINE_STYLE);
    for (int I = 0; I < Source->Strings()->Count(); ++I) {
      Out.emplace_back(Source->Strings()->Strings(I), Style >= 0 && Source->GetLineStyle(I) == Style);
    }
    return Out;
  }
  // The message boxes shown since the last call, as "caption|text".
  std::vector<std::string> Boxes() {
    std::vector<std::string> Out;
    const auto Shown = Dialogs.Shown();
    for (std::size_t I = BoxesSeen; I < Shown.size(); ++I) {
      Out.push_back(Shown[I].Caption + "|" + Shown[I].Text);
    }
    BoxesSeen = Shown.size();
    return Out;
  }
  // Runs Act on the modal window with that caption, shown by Show.
  void DriveModal(const std::string& Caption, const std::function<void(TForm&)>& Act,
                  const std::function<void()>& Show) {
    TestSupport::TModalWindowDriver Driver(Caption, Act);
    Driver.Arm();
    Show();
    EXPECT_TRUE(Driver.Driven()) << Caption;
  }

  TBatchWizardServices Services;
  TRealClock RealClock;
  TClock* PreviousClock = nullptr;
  TBatchWizardForm* Form = nullptr;
  std::size_t BoxesSeen = 0;
};
