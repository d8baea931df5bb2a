// Speed of the suite's drop-down edits: a list of 1,000 items dropped and painted, a free-standing popup list of
// 10,000 two-column completion items filled inside a redraw bracket and shown, and 100 drop-down edits created on
// a form and shown.
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "suitebase/Dcedit.h"
#include "suitebase/Dcpopups.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

void Start() {
  static const bool Started = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    return true;
  }();
  (void)Started;
}

void BM_DropList1000AndPaint(benchmark::State& State) {
  Start();
  std::unique_ptr<TForm> Form(new TForm(nullptr));
  Form->SetBounds(10, 10, 300, 200);
  auto* Edit = new Dcedit::ZEZEdit(Form.get());
  Edit->SetParent(Form.get());
  Form->Show();
  auto* List = static_cast<Dcedit::TPopupListBox*>(Edit->PopupWindow());
  List->Items()->BeginUpdate();
  for (int I = 0; I < 1000; ++I) {
    List->Items()->Add("Item number " + std::to_string(I));
  }
  List->Items()->EndUpdate();
  Harness::RunUntilIdle();
  for (auto _ : State) {
    Edit->SetDroppedDown(true);
    UpdateWindow(List->Handle());
    Harness::RunUntilIdle();
    Edit->CloseDropped(false);
  }
}
BENCHMARK(BM_DropList1000AndPaint)->Unit(benchmark::kMillisecond);

void BM_PopupList10000TwoColumns(benchmark::State& State) {
  Start();
  std::unique_ptr<TForm> Form(new TForm(nullptr));
  Form->SetBounds(10, 10, 300, 200);
  Form->Show();
  TStringList Items;
  for (int I = 0; I < 10000; ++I) {
    Items.Add("procedure|~Name" + std::to_string(I) + "~(Sender: TObject)");
  }
  for (auto _ : State) {
    std::unique_ptr<Dcedit::ZEZPopupListBox> List(new Dcedit::ZEZPopupListBox(nullptr));
    static_cast<Dcedit::ZEZListBoxColumn*>(List->Columns()->Add())->Alignment = Dccontrols::lrRightJustify;
    static_cast<Dcedit::ZEZListBoxColumn*>(List->Columns()->Add())->Alignment = Dccontrols::lrLeftJustify;
    List->SetParent(Form.get());
    List->HandleNeeded();
    SendMessage(List->Handle(), WM_SETREDRAW, FALSE, 0);
    List->Items()->Assign(&Items);
    SendMessage(List->Handle(), WM_SETREDRAW, TRUE, 0);
    List->Popup(50, 50);
    Harness::RunUntilIdle();
    List->Close(false);
  }
}
BENCHMARK(BM_PopupList10000TwoColumns)->Unit(benchmark::kMillisecond);

void BM_Create100DropDownEdits(benchmark::State& State) {
  Start();
  for (auto _ : State) {
    std::unique_ptr<TForm> Form(new TForm(nullptr));
    Form->SetBounds(10, 10, 800, 600);
    for (int I = 0; I < 100; ++I) {
      auto* Edit = new Dcedit::ZEZEdit(Form.get());
      Edit->SetParent(Form.get());
      Edit->SetBounds(5 + (I % 5) * 150, 5 + (I / 5) * 25, 140, 21);
    }
    Form->Show();
    Harness::RunUntilIdle();
  }
}
BENCHMARK(BM_Create100DropDownEdits)->Unit(benchmark::kMillisecond);

}  // namespace
