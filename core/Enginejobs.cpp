// Engine jobs: the validation of a document and the hand-over of its text, the quick tools with the undo copy of
// the document, the link checker, the spell-check callback and the placeholder texts of the result panels.
#include "core/Enginejobs.h"

#include "core/Errorreport.h"
#include "core/Fileinfoclass.h"
#include "core/Filestore.h"
#include "core/Mainwindowservices.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Tabinfoclass.h"
#include "core/Validatorlib.h"
#include "core/Windowcontrol.h"

#include "editor/Easyeditsource.h"

#include <memory>
#include <new>
#include <string>

namespace {

// The program's run-time state (documents, tabs, the last validated file).
volatileclass* State() {
  if (volatileclass* Vol = EngineOwnerState()) {
    return Vol;
  }
  return prg != nullptr ? prg->volatileState : nullptr;
}

StrStore LastValidatedFile() {
  volatileclass* Vol = State();
  return Vol != nullptr ? Vol->lastValidatedFile : StrStore();
}

void Status(const char* Text) { MainWindow().SetStatusText(StrStore(Text)); }

// The hourglass on the main window for the length of a job.
class BusyScope {
public:
  BusyScope() : Guard(WINCTRL_SCREEN_CURSOR, nullptr, nullptr) { Guard.setCursor(WindowControlHourGlass); }

private:
  WindowControl Guard;
};

// Hands a named file to the job: the engine reads it itself.
bool SetNamedFileInput(int Job, const char* File) {
  if (SetString(Job, ZUB_JOB_NAME, File) < 0) {
    return false;
  }
  for (int Bit : {ZUB_JOB_FILE_OPTION, ZUB_JOB_FILE_OPTION2, ZUB_JOB_READ_FILE}) {
    if (SetFlag(Job, ZUB_JOB_FLAGS, Bit, 1) < 0) {
      return false;
    }
  }
  return true;
}

// The job kind of a validation.
int ValidationKind(fileinfoclass* Document, int Mode, bool Named) {
  if (Mode == VALIDATE_LINKS_ONLY) {
    return ZUB_JOB_EXTRACT_LINKS;
  }
  if (!Named && Document->GetFileType(1) == FILETYPE_CSS) {
    return ZUB_JOB_VALIDATE_CSS;
  }
  return ZUB_JOB_VALIDATE_MARKUP;
}

// Sets up a validation job: its kind, configuration, flags and input. JOB_DONE or the failure.
int PrepareValidation(int Job, fileinfoclass* Document, int Mode, int Flags, const StrStore& File) {
  const bool Named = (Flags & VALIDATE_NAMED_FILE) != 0;
  if (SetInteger(Job, ZUB_JOB_KIND, ValidationKind(Document, Mode, Named)) < 0) {
    return JOB_NOT_SET_UP;
  }
  if (EngineVersionNumber() > ENGINE_VERSION_WITH_CONFIGURATIONS) {
    int Configuration = Mode;
    if (Mode == VALIDATE_LAST_CONFIGURATION && !Named) {
      Configuration = Document->configurationNumber;
    }
    if (Configuration >= 0) {
      if (SetInteger(Job, ZUB_JOB_CONFIGURATION, Configuration) < 0) {
        return JOB_NOT_SET_UP;
      }
      if (!Named) {
        Document->configurationNumber = Configuration;
      }
    }
  }
  if ((Flags & VALIDATE_NOT_FROM_COMMAND) != 0 && SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATE_COMMAND, 0) < 0) {
    return JOB_INPUT_NOT_HANDED_OVER;
  }
  if (SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION, 1) < 0 ||
      SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION2, 1) < 0) {
    return JOB_INPUT_NOT_HANDED_OVER;
  }
  if (Named) {
    return SetNamedFileInput(Job, File.text) ? JOB_DONE : JOB_INPUT_NOT_HANDED_OVER;
  }
  const char* EngineName = Document->GetName(NAME_FOR_ENGINE);
  if (Document->SendTextToJob(Job) != SENDTEXT_DONE || SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_TEXT_HANDED_OVER, 1) < 0 ||
      SetString(Job, ZUB_JOB_NAME, EngineName != nullptr && *EngineName != 0 ? EngineName : "Not Available") < 0) {
    return JOB_INPUT_NOT_HANDED_OVER;
  }
  return JOB_DONE;
}

}  // namespace

// ---- validation -------------------------------------------------------------------------------------------------

int fileinfoclass::Validate(int Mode, int Flags) { return ValidateDocument(this, Mode, Flags); }

int ValidateDocument(fileinfoclass* Document, int Mode, int Flags) {
  const bool Named = (Flags & VALIDATE_NAMED_FILE) != 0;
  if (!Named && Document == nullptr) {
    return VALIDATE_NO_DOCUMENT;
  }
  const StrStore File = LastValidatedFile();
  const StrStore Shown = Named ? File : StrStore(Document->GetName(NAME_DISPLAY));
  if ((Flags & VALIDATE_QUIET) == 0) {
    StrStore Text("Validating ");
    Text.append(Shown.text).append("...");
    MainWindow().SetStatusText(Text);
  }
  BusyScope Busy;
  EngineHandleGuard Job(GetNewHandle(ZUB_KIND_JOB));
  if (Job.Get() < 0) {
    return JOB_NO_HANDLE;
  }
  if (const int Failed = PrepareValidation(Job.Get(), Document, Mode, Flags, File); Failed != JOB_DONE) {
    return Failed;
  }
  EngineHandleGuard Result(RunJob(MainWindow().GetApplicationWindow(), EngineConfigHandle(), Job.Get(), 0));
  if (Result.Get() < 0) {
    if ((Flags & VALIDATE_QUIET) == 0) {
      Status("Validation failed.");
    }
    return JOB_FAILED;
  }
  if (prg != nullptr && prg->tools != nullptr) {
    if (Named) {
      prg->tools->lastValidatedToolFile = File;
    } else if (Document->onDisk != 0) {
      prg->tools->lastValidatedToolFile = Document->name;
    }
  }
  if (!Named) {
    // The document adopts the result and decides its document type again.
    if (Document->SetResultHandle(Result.Get(), RESULT_ADOPT) != RESULT_HANDLE_SET) {
      return JOB_FAILED;
    }
    (void)Result.Release();  // the document owns the handle now
  }
  if ((Flags & (VALIDATE_QUIET | VALIDATE_NO_COUNTS)) == 0) {
    MainWindow().ShowResultCounts(0);
  }
  return JOB_DONE;
}

int fileinfoclass::SendTextToJob(int Job) {
  if (text == nullptr || SetInteger(Job, ZUB_JOB_TEXT_START, 0) < 0) {
    return SENDTEXT_FAILED;
  }
  TEasyStrings* Lines = text->Strings();
  const int Count = Lines->Count();
  for (int I = 0; I < Count; ++I) {
    if (SetString(Job, ZUB_JOB_LINE, Lines->GetStrRef(I).c_str()) < 0) {
      return SENDTEXT_FAILED;
    }
  }
  return SENDTEXT_DONE;
}

// ---- quick tools ------------------------------------------------------------------------------------------------

namespace {

// Replaces the current document by a new one holding the tool's text; the old one becomes the undo copy. The
// tool's text is read first: when it cannot be read, nothing changes.
int PlaceUndoCopy(fileinfoclass* Old, int ResultHandle) {
  std::unique_ptr<fileinfoclass> New(new (std::nothrow) fileinfoclass(Old->undoArray, Old->documentArray));
  if (New == nullptr) {
    return TOOL_NO_MEMORY;
  }
  if (New->LoadResultText(ResultHandle, RESULTTEXT_DOCUMENT_ONLY) != RESULTTEXT_READ) {
    New->undoArray = nullptr;
    return TOOL_NOT_PLACED;
  }
  // A failure here only leaves an undo copy behind that the tool's document would have replaced anyway.
  (void)Old->FreeUndoCopies();
  (void)New->CopyFrom(Old, 0);  // cannot fail: Old is a document
  PointerArrayManager* Undo = Old->undoArray;
  PointerArrayManager* Documents = Old->documentArray;
  const int DocIndex = Documents != nullptr ? Documents->findPointer(Old) : -1;
  int Slot = -1;
  if (Undo != nullptr) {
    Slot = Undo->getCount();
    for (int I = 0; I < Undo->settings.getInt(PAM_CAPACITY); ++I) {
      if (Undo->getPointer(I) == nullptr) {
        Slot = I;
        break;
      }
    }
  }
  if (Undo == nullptr || Undo->setPointer(Old, Slot, 0, 1, 0) == PAM_FAILED) {
    // The old document stays where it is; the new one never existed for anybody.
    New->undoArray = nullptr;
    ReportInternalError(TOOL_NOT_PLACED, "RunTool", "p->vol->undofiles->setPointer() failed");
    return TOOL_NOT_PLACED;
  }
  if (DocIndex < 0 || Documents->setPointer(New.get(), DocIndex, 0, 0, 1) == PAM_FAILED) {
    (void)Undo->setPointer(nullptr, Slot, 0, 0, 0);  // takes back the slot just filled; cannot fail
    New->undoArray = nullptr;
    ReportInternalError(TOOL_NOT_PLACED, "RunTool", "oldfile->filearray->setPointer() failed");
    return TOOL_NOT_PLACED;
  }
  fileinfoclass* Placed = New.release();  // the document array owns it now
  Placed->undoArray = Undo;
  Placed->documentArray = Documents;
  Placed->undoCopyIndex1 = Slot;
  Old->documentArray = Undo;
  (void)Placed->SetReadOnlyState(READONLY_CLEAR | READONLY_APPLY_TO_TEXT);  // cannot fail: it has a text
  volatileclass* Vol = State();
  tabinfoclass::UpdateForFileInfoChange(Vol != nullptr ? Vol->tabs : nullptr, Placed, DocIndex, Documents, 5);
  (void)Placed->UpdateDocumentType(0);  // always 0
  MainWindow().UpdateOpenedListItem(Old, 2);
  (void)MainWindow().SelectTab(nullptr, DocIndex, 1);  // the tab control follows the document array
  return JOB_DONE;
}

// Hands the current document's text (or the last validated file) to a tool job.
bool SetToolInput(int Job, fileinfoclass* Current, int Flags) {
  if ((Flags & TOOL_NAMED_FILE) != 0) {
    return SetNamedFileInput(Job, LastValidatedFile().text);
  }
  if (Current->SendTextToJob(Job) != SENDTEXT_DONE) {
    return false;
  }
  return Current->onDisk == 0 || SetString(Job, ZUB_JOB_NAME, Current->name.text) >= 0;
}

void ReportToolResult(int Tool, int Result, int Quoted) {
  if (Result < 0) {
    Status("An error occurred while processing the tool job.");
  } else if (Tool == ZUB_JOB_QUOTE_VALUES) {
    StrStore Text;
    Text.appendInt(Quoted).append(" attribute ").append(Pluralize("value", Quoted).text).append(" quoted.");
    if (MainWindowMessageBox* Box = GetMainWindowMessageBox()) {
      (void)Box->ShowMessageBox(Text, StrStore("Quillon: Quick Quote Tool Results"), MSGBOX_INFORMATION);
    }
  } else {
    Status("Tool processing completed successfully.");
  }
}

}  // namespace

int RunTool(int Tool, int Flags) {
  if ((Flags & TOOL_QUIET) == 0) {
    Status("Processing...");
  }
  BusyScope Busy;
  fileinfoclass* Current = MainWindow().GetCurrentFile();
  // A named file (a dropped one) needs no open document: the tool works on the file.
  if (Current == nullptr && (Flags & TOOL_NAMED_FILE) == 0) {
    return TOOL_NO_DOCUMENT;
  }
  EngineHandleGuard Job(GetNewHandle(ZUB_KIND_JOB));
  if (Job.Get() < 0) {
    return JOB_NO_HANDLE;
  }
  if (SetInteger(Job.Get(), ZUB_JOB_KIND, Tool) < 0) {
    return JOB_NOT_SET_UP;
  }
  if (!SetToolInput(Job.Get(), Current, Flags)) {
    return JOB_INPUT_NOT_HANDED_OVER;
  }
  EngineHandleGuard ResultHandle(RunJob(MainWindow().GetApplicationWindow(), EngineConfigHandle(), Job.Get(), 0));
  if (ResultHandle.Get() < 0) {
    if ((Flags & TOOL_QUIET) == 0) {
      Status("Processing not done.");
    }
    return JOB_FAILED;
  }
  if (Tool == ZUB_JOB_TEXT_FORMAT && (Flags & TOOL_NAMED_FILE) != 0 && prg != nullptr && prg->tools != nullptr) {
    prg->tools->lastToolFile = LastValidatedFile();
  }
  int Quoted = 0;
  if (Tool == ZUB_JOB_QUOTE_VALUES) {
    Quoted = ZUBCalls.ZUBGetIntegerEZ != nullptr
                 ? ZUBCalls.ZUBGetIntegerEZ(ResultHandle.Get(), ZUB_RESULT_QUOTED_VALUES)
                 : 0;
    if (Quoted == 0) {
      Flags &= ~TOOL_REPLACE_DOCUMENT;
    }
  }
  int Result = JOB_DONE;
  if ((Flags & TOOL_REPLACE_DOCUMENT) != 0 && Current != nullptr &&
      GetFlag(ResultHandle.Get(), ZUB_RESULT_FLAGS, ZUB_RESULT_NO_NEW_TEXT) == 0) {
    Result = PlaceUndoCopy(Current, ResultHandle.Get());
  }
  if (Result == JOB_DONE && GetFlag(ResultHandle.Get(), ZUB_RESULT_FLAGS2, ZUB_RESULT_TOOL_FAILED) > 0) {
    Result = TOOL_REPORTED_FAILURE;
  }
  if ((Flags & TOOL_QUIET) == 0) {
    ReportToolResult(Tool, Result, Quoted);
  }
  return Result;
}

// ---- the link checker -------------------------------------------------------------------------------------------

int SubmitLinksForCheck(PointerArrayManager* Links, int Flags) {
  if (ZUBCalls.ZUBGetInteger3EZ != nullptr && ZUBCalls.ZUBGetInteger3EZ(ZUB_LINK_CHECKS_RUNNING) > 0) {
    return SUBMIT_CHECKS_RUNNING;
  }
  if (Links == nullptr || ZUBCalls.ZUBSetString3 == nullptr || ZUBCalls.ZUBSetString7 == nullptr) {
    return SUBMIT_NOTHING;
  }
  // The engine's answers to the settings of a registered link are not checked: a link it does not take is only
  // reported without them.
  for (int I = 0; I < Links->getCount(); ++I) {
    auto* Link = static_cast<StrStoreEx*>(Links->getPointer(I));
    if (Link == nullptr) {
      continue;
    }
    const int Id = ZUBCalls.ZUBSetString3(ZUB_LINK_REGISTER, Link->text);
    if (Id < 0) {
      continue;
    }
    if ((Flags & SUBMIT_RESET_FAILED) != 0 && ZUBCalls.ZUBGetInteger6EZ != nullptr &&
        ZUBCalls.ZUBGetInteger6EZ(ZUB_LINK_STATE, Id) == 3 && ZUBCalls.ZUBSetInteger6 != nullptr) {
      (void)ZUBCalls.ZUBSetInteger6(ZUB_LINK_RESET, Id, 1);
    }
    auto Extra = [Link](int Index) {
      const char* T = Link->getExtraString(Index);
      return T != nullptr ? T : "";
    };
    (void)ZUBCalls.ZUBSetString7(ZUB_LINK_USER_AGENT, Id, Extra(5));
    if (Link->spareInts.getInt(0) == 1) {
      (void)ZUBCalls.ZUBSetString7(ZUB_LINK_USER, Id, Extra(0));
      (void)ZUBCalls.ZUBSetString7(ZUB_LINK_PASSWORD, Id, Extra(1));
    } else {
      (void)ZUBCalls.ZUBSetString7(ZUB_LINK_USER, Id, "");
    }
  }
  return SUBMIT_DONE;
}

int RunLinkCheckJob(int Flags) {
  EngineHandleGuard Job(GetNewHandle(ZUB_KIND_JOB));
  if (Job.Get() < 0) {
    return JOB_NO_HANDLE;
  }
  if (SetInteger(Job.Get(), ZUB_JOB_KIND, ZUB_JOB_CHECK_LINKS) < 0) {
    return JOB_NOT_SET_UP;
  }
  // Without the bit the check covers the links not checked yet, as before.
  if ((Flags & LINKCHECK_ALL_LINKS) != 0) {
    (void)SetFlag(Job.Get(), ZUB_JOB_FLAGS, ZUB_JOB_CHECK_ALL_LINKS, 1);
  }
  const int RunFlags = ZUB_RUN_WAIT | (Flags & (LINKCHECK_ENGINE_FLAG_2 | LINKCHECK_ENGINE_FLAG_4));
  if (RunJob(MainWindow().GetApplicationWindow(), EngineConfigHandle(), Job.Get(), RunFlags) < 0) {
    return JOB_FAILED;
  }
  if (FreeHandle(Job.Release()) < 0) {
    return LINKCHECK_NOT_FREED;
  }
  return JOB_DONE;
}

// ---- the spell-check callback -----------------------------------------------------------------------------------

namespace {

SpellWordParserFactory& ParserFactory() {
  static SpellWordParserFactory Factory;
  return Factory;
}

std::unique_ptr<SpellWordParser>& PreparedParser() {
  static std::unique_ptr<SpellWordParser> Parser;
  return Parser;
}

bool ParserReady = false;

}  // namespace

void SetSpellWordParserFactory(SpellWordParserFactory Factory) { ParserFactory() = std::move(Factory); }

std::intptr_t EngineSpellCallback(const char* Text, ZUBInt Flags) {
  SpellCheckService* Checker = MainWindow().GetSpellChecker();
  const std::string Word = Text != nullptr ? Text : "";
  if ((Flags & ZUB_SPELL_ASK_TEST) != 0) {
    return Checker != nullptr && Checker->WordAcceptable(Word) ? 1 : 0;
  }
  if ((Flags & ZUB_SPELL_ASK_NEXT_WORD) != 0) {
    static std::string Next;
    if (!ParserReady || PreparedParser() == nullptr) {
      return 0;
    }
    Next = PreparedParser()->NextWord();
    return reinterpret_cast<std::intptr_t>(Next.c_str());
  }
  if ((Flags & ZUB_SPELL_ASK_OPTIONS) != 0) {
    if (Checker != nullptr) {
      Checker->SetupAndSave();
    }
    return 0;
  }
  if ((Flags & ZUB_SPELL_ASK_IGNORE) != 0) {
    return Checker != nullptr && Checker->RunPostCheckIgnore(Word) ? 1 : 0;
  }
  if ((Flags & ZUB_SPELL_ASK_PREPARE_LINE) != 0) {
    std::unique_ptr<SpellWordParser>& Parser = PreparedParser();
    if (Parser == nullptr && ParserFactory()) {
      Parser = ParserFactory()();
      if (Parser != nullptr) {
        const std::string Mid = Parser->GetMidWord();
        if (Mid.find('&') == std::string::npos) {
          Parser->SetMidWord(Mid + "&");
        }
      }
    }
    if (Parser == nullptr || Checker == nullptr) {
      return SPELL_NOT_PREPARED;
    }
    Parser->Initialize(Word);
    Checker->BindParser(*Parser);
    ParserReady = true;
    return 1;
  }
  if ((Flags & SPELL_ASK_SHUTDOWN) != 0) {
    PreparedParser().reset();
    ParserReady = false;
    return 0;
  }
  return 0;
}

// ---- result panels ----------------------------------------------------------------------------------------------

int SetResultPanelsText(TComponent* Control, int Flags) {
  if ((Flags & 1) != 0) {
    for (int I = 0; I < 6; ++I) {
      if (TComponent* Placeholder = MainWindow().ResultPlaceholder(I)) {
        SetResultPanelsText(Placeholder, Flags & 2);
      }
    }
    return 0;
  }
  MainWindow().SetControlTextNow(Control, (Flags & 2) != 0 ? "A problem occurred." : "Validating...");
  return 1;
}
