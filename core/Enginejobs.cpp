// Engine jobs: the validation of a document, the quick tools with the undo copy of the document, the spell-check
// callback and the placeholder texts of the result panels.
#include "core/Enginejobs.h"

#include "core/Errorreport.h"
#include "core/Fileinfoclass.h"
#include "core/Mainwindowservices.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Tabinfoclass.h"
#include "core/Validatorlib.h"
#include "core/Windowcontrol.h"

#include <new>
#include <string>

namespace {

volatileclass* State() {
  if (volatileclass* Vol = EngineOwnerState()) {
    return Vol;
  }
  return prg != nullptr ? prg->volatileState : nullptr;
}

int ConfigHandle() {
  volatileclass* Vol = State();
  return Vol != nullptr ? Vol->configHandle : -1;
}

int EngineVersion() {
  volatileclass* Vol = State();
  return Vol != nullptr ? Vol->engineVersion : 0;
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
int SetNamedFileInput(int Job, const char* File) {
  if (SetString(Job, ZUB_JOB_NAME, File) < 0) {
    return -1;
  }
  for (int Bit : {ZUB_JOB_FILE_OPTION, ZUB_JOB_FILE_OPTION2, ZUB_JOB_READ_FILE}) {
    if (SetFlag(Job, ZUB_JOB_FLAGS, Bit, 1) < 0) {
      return -1;
    }
  }
  return 0;
}

}  // namespace

// ---- validation -------------------------------------------------------------------------------------------------

int fileinfoclass::Validate(int Mode, int Flags) {
  return ValidateDocument(this, Mode, Flags);
}

int ValidateDocument(fileinfoclass* Document, int Mode, int Flags) {
  const bool Named = (Flags & VALIDATE_NAMED_FILE) != 0;
  if (!Named && Document == nullptr) {
    return -7;
  }
  const StrStore File = LastValidatedFile();
  const StrStore Shown = Named ? File : StrStore(Document->GetName(NAME_DISPLAY));
  if ((Flags & VALIDATE_QUIET) == 0) {
    StrStore Text("Validating ");
    Text.append(Shown.text).append("...");
    MainWindow().SetStatusText(Text);
  }
  BusyScope Busy;
  const int Job = GetNewHandle(ZUB_KIND_JOB);
  if (Job < 0) {
    return -1;
  }
  int Failed = 0;
  int Kind = ZUB_JOB_VALIDATE_MARKUP;
  if (Mode == VALIDATE_LINKS_ONLY) {
    Kind = ZUB_JOB_EXTRACT_LINKS;
  } else if (!Named && Document->GetFileType(1) == FILETYPE_CSS) {
    Kind = ZUB_JOB_VALIDATE_CSS;
  }
  if (SetInteger(Job, ZUB_JOB_KIND, Kind) < 0) {
    Failed = -2;
  }
  if (Failed == 0 && EngineVersion() > ENGINE_VERSION_WITH_CONFIGURATIONS) {
    int Configuration = Mode;
    if (Mode == VALIDATE_LAST_CONFIGURATION && !Named) {
      Configuration = Document->configurationNumber;
    }
    if (Configuration >= 0) {
      if (SetInteger(Job, ZUB_JOB_CONFIGURATION, Configuration) < 0) {
        Failed = -2;
      } else if (!Named) {
        Document->configurationNumber = Configuration;
      }
    }
  }
  if (Failed == 0 && (Flags & VALIDATE_NOT_FROM_COMMAND) != 0 &&
      SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATE_COMMAND, 0) < 0) {
    Failed = -6;
  }
  if (Failed == 0 && (SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION, 1) < 0 ||
                      SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION2, 1) < 0)) {
    Failed = -6;
  }
  if (Failed == 0) {
    if (!Named) {
      const char* EngineName = Document->GetName(NAME_FOR_ENGINE);
      if (Document->SendTextToJob(Job) != 0 || SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_TEXT_HANDED_OVER, 1) < 0 ||
          SetString(Job, ZUB_JOB_NAME, EngineName != nullptr && *EngineName != 0 ? EngineName : "Not Available") <
              0) {
        Failed = -6;
      }
    } else if (SetNamedFileInput(Job, File.text) != 0) {
      Failed = -6;
    }
  }
  if (Failed != 0) {
    FreeHandle(Job);
    return Failed;
  }
  const int Result = RunJob(MainWindow().GetApplicationWindow(), ConfigHandle(), Job, 0);
  if (Result < 0) {
    if ((Flags & VALIDATE_QUIET) == 0) {
      Status("Validation failed.");
    }
    FreeHandle(Job);
    return -3;
  }
  if (prg != nullptr && prg->tools != nullptr) {
    if (Named) {
      prg->tools->lastValidatedToolFile = File;
    } else if (Document->onDisk != 0) {
      prg->tools->lastValidatedToolFile = Document->name;
    }
  }
  if (!Named) {
    Document->SetResultHandle(Result, 1);
  } else {
    FreeHandle(Result);
  }
  FreeHandle(Job);
  if ((Flags & (VALIDATE_QUIET | VALIDATE_NO_COUNTS)) == 0) {
    MainWindow().ShowResultCounts(0);
  }
  if (!Named) {
    Document->UpdateDocumentType(0);
  }
  return 0;
}

// ---- quick tools ------------------------------------------------------------------------------------------------

namespace {

// Replaces the current document by a new one holding the tool's text; the old one becomes the undo copy.
int PlaceUndoCopy(fileinfoclass* Old, int ResultHandle) {
  fileinfoclass* New = new (std::nothrow) fileinfoclass(Old->undoArray, Old->documentArray);
  if (New == nullptr) {
    return -4;
  }
  Old->FreeUndoCopies();
  New->CopyFrom(Old, 0);
  New->LoadResultText(ResultHandle, 0);
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
  if (Undo == nullptr || Undo->setPointer(Old, Slot, 0, 1, 0) == 0) {
    // The old document stays where it is; the new one never existed for anybody.
    New->undoArray = nullptr;
    delete New;
    ReportInternalError(-8, "RunTool", "p->vol->undofiles->setPointer() failed");
    return -8;
  }
  if (DocIndex < 0 || Documents->setPointer(New, DocIndex, 0, 0, 1) == 0) {
    Undo->setPointer(nullptr, Slot, 0, 0, 0);
    New->undoArray = nullptr;
    delete New;
    ReportInternalError(-8, "RunTool", "oldfile->filearray->setPointer() failed");
    return -8;
  }
  New->undoArray = Undo;
  New->documentArray = Documents;
  New->undoCopyIndex1 = Slot;
  Old->documentArray = Undo;
  New->SetReadOnlyState(10);
  volatileclass* Vol = State();
  tabinfoclass::UpdateForFileInfoChange(Vol != nullptr ? Vol->tabs : nullptr, New, DocIndex, Documents, 5);
  New->UpdateDocumentType(0);
  MainWindow().UpdateOpenedListItem(Old, 2);
  MainWindow().SelectTab(nullptr, DocIndex, 1);
  return 0;
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
    return -5;
  }
  const int Job = GetNewHandle(ZUB_KIND_JOB);
  if (Job < 0) {
    return -1;
  }
  if (SetInteger(Job, ZUB_JOB_KIND, Tool) < 0) {
    FreeHandle(Job);
    return -2;
  }
  int Input = 0;
  if ((Flags & TOOL_NAMED_FILE) != 0) {
    Input = SetNamedFileInput(Job, LastValidatedFile().text);
  } else {
    Input = Current->SendTextToJob(Job);
    if (Input == 0 && Current->onDisk != 0 && SetString(Job, ZUB_JOB_NAME, Current->name.text) < 0) {
      Input = -1;
    }
  }
  if (Input != 0) {
    FreeHandle(Job);
    return -6;
  }
  const int ResultHandle = RunJob(MainWindow().GetApplicationWindow(), ConfigHandle(), Job, 0);
  if (ResultHandle < 0) {
    if ((Flags & TOOL_QUIET) == 0) {
      Status("Processing not done.");
    }
    FreeHandle(Job);
    return -3;
  }
  if (Tool == ZUB_JOB_TEXT_FORMAT && (Flags & TOOL_NAMED_FILE) != 0 && prg != nullptr && prg->tools != nullptr) {
    prg->tools->lastToolFile = LastValidatedFile();
  }
  int Quoted = 0;
  if (Tool == ZUB_JOB_QUOTE_VALUES) {
    Quoted = ZUBCalls.ZUBGetIntegerEZ != nullptr ? ZUBCalls.ZUBGetIntegerEZ(ResultHandle, ZUB_RESULT_QUOTED_VALUES) : 0;
    if (Quoted == 0) {
      Flags &= ~TOOL_REPLACE_DOCUMENT;
    }
  }
  int Result = 0;
  if ((Flags & TOOL_REPLACE_DOCUMENT) != 0 && Current != nullptr &&
      GetFlag(ResultHandle, ZUB_RESULT_FLAGS, ZUB_RESULT_NO_NEW_TEXT) == 0) {
    Result = PlaceUndoCopy(Current, ResultHandle);
  }
  if (Result == 0 && GetFlag(ResultHandle, ZUB_RESULT_FLAGS2, ZUB_RESULT_TOOL_FAILED) > 0) {
    Result = -7;
  }
  FreeHandle(Job);
  FreeHandle(ResultHandle);
  if ((Flags & TOOL_QUIET) == 0) {
    if (Result < 0) {
      Status("An error occurred while processing the tool job.");
    } else if (Tool == ZUB_JOB_QUOTE_VALUES) {
      StrStore Text;
      Text.appendInt(Quoted).append(" attribute ").append(Pluralize("value", Quoted).text).append(" quoted.");
      if (MainWindowMessageBox* Box = GetMainWindowMessageBox()) {
        Box->ShowMessageBox(Text, StrStore("Quillon: Quick Quote Tool Results"), MSGBOX_INFORMATION);
      }
    } else {
      Status("Tool processing completed successfully.");
    }
  }
  return Result;
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
      return -1;
    }
    Parser->Initialize(Word);
    Checker->BindParser(*Parser);
    ParserReady = true;
    return 1;
  }
  if ((Flags & 0x10) != 0) {
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
