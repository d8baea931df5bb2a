// Fuzz target: stored window positions ("Window.Value=text" lines) loaded into a form with docks and toolbars.
#include "platform/controls/Forms.h"
#include "toolbars/Tb2dockpositions.h"
#include "toolbars/Tb2toolbar.h"
#include "toolbars/Tb2toolwindow.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <map>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::map<std::string, std::string> Values;
  std::istringstream Lines(std::string(reinterpret_cast<const char*>(Data), Size));
  for (std::string Line; std::getline(Lines, Line);) {
    const std::size_t Eq = Line.find('=');
    if (Eq != std::string::npos) {
      Values[Line.substr(0, Eq)] = Line.substr(Eq + 1);
    }
  }
  auto* Form = new TForm(nullptr);
  try {
    Form->AfterConstruction();
    Form->SetBounds(0, 0, 400, 300);
    for (TTBDockPosition P : {dpTop, dpBottom, dpLeft, dpRight}) {
      auto* D = new TTBDock(Form);
      D->AfterConstruction();
      D->SetName(std::string("Dock") + char('0' + P));
      D->SetPosition(P);
      D->SetParent(Form);
    }
    for (int I = 0; I < 3; ++I) {
      auto* T = new TTBToolbar(Form);
      T->AfterConstruction();
      T->SetName("Bar" + std::to_string(I));
      auto* Item = new TTBItem(Form);
      Item->AfterConstruction();
      Item->SetCaption("Item");
      T->Items()->Add(Item);
      T->SetCurrentDock(dynamic_cast<TTBDock*>(Form->Components(0)));
    }
    auto* W = new TTBToolWindow(Form);
    W->AfterConstruction();
    W->SetName("Pane");
    W->SetParent(Form);
    TBCustomLoadPositions(
        Form,
        [&Values](const std::string& Win, const std::string& Value, int Default, void*) {
          auto It = Values.find(Win + "." + Value);
          return It == Values.end() ? Default : std::atoi(It->second.c_str());
        },
        [&Values](const std::string& Win, const std::string& Value, const std::string& Default, void*) {
          auto It = Values.find(Win + "." + Value);
          return It == Values.end() ? Default : It->second;
        },
        nullptr);
  } catch (const std::exception&) {
    // Refused input is fine; anything else is a fault.
  }
  delete Form;
  return 0;
}
