// Set-up functions for text stores.
#include "core/Mainsetup.h"

#include "core/Prgclass.h"

#include "editor/Easyeditsource.h"
#include "platform/rtl/Exceptions.h"

#include <string>

namespace {

const char DefaultTabStops[] = "3,6,9,12";

}  // namespace

int SetupEditSource(TCustomEasyEditSource* Source, int) {
  if (Source == nullptr) {
    return SETUP_NO_SOURCE;
  }
  prgconfigclass* Config = prg != nullptr ? prg->editorOptions : nullptr;
  const std::string Stops = Config != nullptr ? std::string(Config->tabStops.text) : DefaultTabStops;
  try {
    Source->SetTabStops(Stops);
  } catch (const Exception&) {
    if (Config != nullptr) {
      Config->tabStops.assign(DefaultTabStops);
    }
    Source->SetTabStops(DefaultTabStops);
  }
  Source->SetUseGlobalSettings(true);
  TEasySourceOptions Options = Source->Options();
  Options.Include(srOptimalFill);
  Options.Include(srMoveUpAtLineBegin);
  Options.Include(srMoveDownAtLineEnd);
  Options.Include(srLeaveTabs);
  Options.Exclude(srHighlightUrls);
  Source->SetOptions(Options);
  return 0;
}
