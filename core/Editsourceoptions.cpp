// The editor settings applied to documents' text stores.
#include "core/Editsourceoptions.h"

#include "core/Fileinfoclass.h"
#include "core/Mainwindowservices.h"
#include "core/Pointerarraymanager.h"
#include "core/Prgclass.h"

#include "editor/Easyeditsource.h"
#include "platform/rtl/Exceptions.h"

#include <string>

namespace {

void SetOption(TEasySourceOptions& Options, TEasySourceOption Option, bool On) {
  if (On) {
    Options.Include(Option);
  } else {
    Options.Exclude(Option);
  }
}

void ApplyOptions(TCustomEasyEditSource& Source, bool KeepLiveSpelling) {
  const InterfaceFlags40 Flags =
      prg != nullptr && prg->interface != nullptr ? prg->interface->flags : InterfaceFlags40{};
  const bool LeaveTrailing =
      prg != nullptr && prg->interface != nullptr && prg->interface->flags3.has(IF3::LeaveTrailingSpaces);
  TEasySourceOptions Options = Source.Options();
  Options.Include(srMoveUpAtLineBegin);
  Options.Include(srMoveDownAtLineEnd);
  Options.Exclude(srSmartTab);
  SetOption(Options, srAutoIndent, Flags.has(IF40::AutoIndent));
  SetOption(Options, srBeyondEol, !Flags.has(IF40::CursorToLineEnd));
  SetOption(Options, srBackUnindents, Flags.has(IF40::BackUnindents));
  SetOption(Options, srUseTab, Flags.has(IF40::TabCharacter));
  SetOption(Options, srCursorThroughTabs, !Flags.has(IF40::CursorToTabs));
  SetOption(Options, srLeaveTrailSpaces, LeaveTrailing);
  if (!KeepLiveSpelling) {
    Options.Exclude(srLiveSpell);
  }
  Source.SetOptions(Options);
}

}  // namespace

bool SetTabStopsFromOption(TCustomEasyEditSource& Source) {
  prgconfigclass* Config = prg != nullptr ? prg->editorOptions : nullptr;
  const std::string Stops = Config != nullptr ? std::string(Config->tabStops.text) : DEFAULT_TAB_STOPS;
  try {
    Source.SetTabStops(Stops);
    return true;
  } catch (const Exception&) {
    if (Config != nullptr) {
      Config->tabStops.assign(DEFAULT_TAB_STOPS);
    }
    Source.SetTabStops(DEFAULT_TAB_STOPS);
    return false;
  }
}

int ApplyEditSourceOptions(TCustomEasyEditSource* Source, int Flags) {
  if (Source == nullptr) {
    return -1;
  }
  if ((Flags & SOURCEOPTIONS_OPTIONS) != 0) {
    ApplyOptions(*Source, (Flags & SOURCEOPTIONS_KEEP_LIVE_SPELLING) != 0);
  }
  if ((Flags & SOURCEOPTIONS_TAB_STOPS) != 0 && !SetTabStopsFromOption(*Source)) {
    (void)MainWindow().ApplySettings(APPLYSETTINGS_TAB_STOPS);  // the window reports nothing to act on
  }
  return 0;
}

int ApplyToAllDocuments(PointerArrayManager* Documents, int Flags) {
  if (Documents == nullptr) {
    return 0;
  }
  int Failed = 0;
  for (int I = 0; I < Documents->getCount(); ++I) {
    auto* Document = static_cast<fileinfoclass*>(Documents->getPointer(I));
    if (Document == nullptr) {
      continue;
    }
    if (Flags == ALLDOCUMENTS_DOCUMENT_TYPES) {
      if (Document->UpdateDocumentType(0) != 0) {
        Failed = 1;
      }
      continue;
    }
    if ((Flags & ALLDOCUMENTS_TAB_STOPS) != 0) {
      (void)ApplyEditSourceOptions(Document->text, SOURCEOPTIONS_TAB_STOPS);  // -1 only for a missing store
    }
    if ((Flags & ALLDOCUMENTS_MESSAGE_LINE_STYLES) != 0) {
      (void)MainWindow().ApplyMessageLineStyles(Document, 0);  // 3: no messages to mark, nothing to do
    }
    if ((Flags & ALLDOCUMENTS_OPTIONS) != 0) {
      (void)ApplyEditSourceOptions(Document->text, SOURCEOPTIONS_OPTIONS);  // -1 only for a missing store
    }
  }
  return Failed;
}
