// The engine's jobs: the input read or handed over, the checks and tools run, the settings applied, the log.
#include "engine/EngineJobs.h"

#include "engine/CssCheck.h"
#include "engine/EngineState.h"
#include "engine/EngineTexts.h"
#include "engine/LinkCheck.h"
#include "engine/MarkupCheck.h"
#include "engine/TextTools.h"

#include "platform/win/WinUser.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <thread>

namespace zubengine {

namespace {

constexpr std::chrono::milliseconds LinkWaitPoll{5};
// A runaway spell checker that never runs out of words is cut off after this many words on one line.
constexpr int MaxWordsPerLine = 100000;

constexpr int StrictAccessibilityLevel = 3;

bool IsTool(ZUBInt Kind) { return Kind <= ZUB_JOB_TEXT_FORMAT || Kind == ZUB_JOB_QUOTE_VALUES; }

bool ReadsFile(const TJob& J) {
  return J.Source == ZUB_SOURCE_FILE || (J.Source != ZUB_SOURCE_LINES && (J.Flags & ZUB_JOB_READ_FILE) != 0);
}

void Count(TResult& R, const std::string& Name) {
  R.Errors = R.Warnings = R.Plain = R.Comments = 0;
  for (const TMessage& M : R.Messages) {
    R.Errors += M.Type == MsgError;
    R.Warnings += M.Type == MsgWarning;
    R.Plain += M.Type == MsgMessage;
    R.Comments += M.Type == MsgComment;
  }
  R.Name = Name;
}

bool FlagOff(const TEngineConfig& C, int Flag) {
  return Flag > 0 && Flag < ProgramFlagCount && !C.ProgramFlags.test(static_cast<std::size_t>(Flag));
}

// Program flags and per-ID settings decide what stays; a configuration may narrow further. Messages are sorted by
// position, those without a line last.
void ApplySettings(std::vector<TMessage>& Messages, const TEngineConfig& C, bool ErrorsOnly, bool AllFlags) {
  std::vector<TMessage> Kept;
  Kept.reserve(Messages.size());
  for (TMessage& M : Messages) {
    if (!AllFlags && (FlagOff(C, M.Flag1) || FlagOff(C, M.Flag2))) {
      continue;
    }
    if (M.Id > 0) {
      const auto It = C.MessageSettings.find(M.Id);
      if (It != C.MessageSettings.end()) {
        if (It->second.Enabled == 0) {
          continue;
        }
        if (It->second.Type >= MsgError && It->second.Type <= MsgMessage) {
          M.Type = It->second.Type;
        }
      }
    }
    if (ErrorsOnly && M.Type != MsgError) {
      continue;
    }
    Kept.push_back(std::move(M));
  }
  std::stable_sort(Kept.begin(), Kept.end(), [](const TMessage& A, const TMessage& B) {
    const int LA = A.Line > 0 ? A.Line : 0x7FFFFFFF;
    const int LB = B.Line > 0 ? B.Line : 0x7FFFFFFF;
    return LA != LB ? LA < LB : A.Char < B.Char;
  });
  Messages = std::move(Kept);
}

void WriteLog(const TEngineConfig& C, const std::string& Name, const TResult& R) {
  if (!(C.Flags(ZUB_CONFIG_LOG_OPTIONS) & ZUB_LOG_VALIDATIONS) || C.LogFile.empty()) {
    return;
  }
  std::ofstream F(C.LogFile, std::ios::app);
  if (!F) {
    return;
  }
  const std::time_t Now = std::time(nullptr);
  char Stamp[32] = {};
  std::strftime(Stamp, sizeof Stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&Now));
  F << Stamp << "  " << Name << ": " << R.Errors << " errors, " << R.Warnings << " warnings, " << R.Plain
    << " messages, " << R.Comments << " comments\n";
}

// Every finding points inside the document: at most at its last line, and at most just past a line's last
// character (a checker may report the end of the text as a line after the last).
void KeepInsideDocument(std::vector<TMessage>& Messages, const TSourceText& Doc) {
  const int Lines = Doc.DocumentLineCount();
  for (TMessage& M : Messages) {
    if (M.Line <= 0) {
      continue;
    }
    if (M.Line > Lines) {
      M.Line = Lines;
      M.Char = static_cast<int>(Doc.LineText(Lines).size()) + 1;
    }
    const int End = static_cast<int>(Doc.LineText(M.Line).size()) + 1;
    if (M.Char > End) {
      M.Char = End;
    }
    if (M.Char > 0 && M.Length > End - M.Char) {
      M.Length = std::max(1, End - M.Char);
    }
  }
}

void RunValidation(const TJob& J, const TEngineConfig& C, const std::string& Text, TResult& R) {
  const int Profile = C.ConfigurationFor(J.ConfigIndex).Profile;
  TCheckOptions O;
  O.Accessibility = (C.Flags(ZUB_CONFIG_MARKUP_OPTIONS) & ZUB_MARKUP_ACCESSIBILITY) != 0 || Profile == cpAccessibility;
  O.AccessibilityLevel = Profile == cpAccessibility ? StrictAccessibilityLevel : C.AccessibilityLevel;
  O.CssInMarkup = (C.Flags(ZUB_CONFIG_CSS_OPTIONS) & ZUB_CSS_SYNTAX_CHECK) != 0 || Profile == cpStrict;
  O.ErrorsOnly = Profile == cpErrorsOnly;
  const std::uint32_t Markup = C.Flags(ZUB_CONFIG_MARKUP_OPTIONS);
  O.Xhtml = (Markup & ZUB_MARKUP_ALWAYS_XHTML) ? TCheckOptions::XhtmlAlways
            : (Markup & ZUB_MARKUP_NEVER_XHTML) ? TCheckOptions::XhtmlNever
                                                : TCheckOptions::XhtmlByDocument;
  const TSourceText Doc(Text);
  if (J.JobKind == ZUB_JOB_VALIDATE_CSS) {
    TMessageList L;
    CheckCss(Doc, 0, Text.size(), false, L);
    R.Messages = std::move(L.Items);
  } else {
    TMarkupFindings F;
    CheckMarkup(Doc, O, Engine().Checker, F);
    R.Messages = std::move(F.Messages.Items);
    R.Structure = std::move(F.Structure);
    R.TagStats = std::move(F.TagStats);
    R.Lists = std::move(F.Lists);
  }
  KeepInsideDocument(R.Messages, Doc);
  Engine().Catalogue.Learn(R.Messages);
  ApplySettings(R.Messages, C, O.ErrorsOnly, Profile == cpStrict);
}

void SpellUnavailable(TResult& R, const char* Why) {
  R.Messages.push_back({MsgError, 0, 0, 0, 0, 0, 0, IdSpellUnavailable,
                        std::string("Spell checking is not available: ") + Why, "Spelling"});
}

// The text with its markup blanked out, so that words keep their columns.
std::string WithoutMarkup(const std::string& Text) {
  std::string Plain(Text);
  std::size_t Pos = 0;
  while ((Pos = Plain.find('<', Pos)) != std::string::npos) {
    const std::size_t E = Plain.find('>', Pos);
    const std::size_t Stop = E == std::string::npos ? Plain.size() : E + 1;
    for (std::size_t I = Pos; I < Stop; ++I) {
      if (Plain[I] != '\n') {
        Plain[I] = ' ';
      }
    }
    Pos = Stop;
  }
  return Plain;
}

// Spell checking through the program's callback: the program splits the words, the engine asks about each.
void RunSpellCheck(const std::string& Text, const TEngineConfig& C, TResult& R) {
  const ZUBSpellCallback Cb = Engine().Callback;
  if (!Cb) {
    SpellUnavailable(R, "no spell checker is registered.");
    return;
  }
  std::vector<std::string> Unique;
  const std::vector<std::string> Lines = SplitLines(WithoutMarkup(Text));
  for (std::size_t LineNo = 0; LineNo < Lines.size(); ++LineNo) {
    const std::string& Line = Lines[LineNo];
    if (Line.find_first_not_of(" \t") == std::string::npos) {
      continue;
    }
    if (Cb(Line.c_str(), ZUB_SPELL_ASK_PREPARE_LINE) != 1) {
      SpellUnavailable(R, "the spell checker could not be prepared.");
      return;
    }
    std::size_t Search = 0;
    for (int Guard = 0; Guard < MaxWordsPerLine; ++Guard) {
      const char* W = reinterpret_cast<const char*>(Cb(nullptr, ZUB_SPELL_ASK_NEXT_WORD));
      if (!W || !*W) {
        break;
      }
      const std::string Word(W);
      const std::size_t At = Line.find(Word, Search);
      if (At != std::string::npos) {
        Search = At + Word.size();
      }
      if (Cb(Word.c_str(), ZUB_SPELL_ASK_TEST) != 0 || Cb(Word.c_str(), ZUB_SPELL_ASK_IGNORE) != 0) {
        continue;
      }
      TMessage M;
      M.Type = MsgWarning;
      M.Line = static_cast<int>(LineNo + 1);
      M.Char = At == std::string::npos ? 0 : static_cast<int>(At + 1);
      M.Length = static_cast<int>(Word.size());
      M.Id = IdSpelling;
      M.Flag1 = FlagSpelling;
      M.Text = "Possible misspelling: \"" + Word + "\".";
      M.Category = "Spelling";
      R.Messages.push_back(std::move(M));
      if (std::find(Unique.begin(), Unique.end(), Word) == Unique.end()) {
        Unique.push_back(Word);
      }
    }
  }
  R.Misspellings = static_cast<ZUBInt>(Unique.size());
  ApplySettings(R.Messages, C, false, false);
}

bool RunTool(const TJob& J, const TEngineConfig& C, const std::string& Text, TResult& R) {
  std::string Out;
  switch (J.JobKind) {
    case ZUB_JOB_LOWER_CASE: Out = ChangeTagCase(Text, false); break;
    case ZUB_JOB_UPPER_CASE: Out = ChangeTagCase(Text, true); break;
    case ZUB_JOB_STRIP_TAGS: Out = StripTags(Text); break;
    case ZUB_JOB_TEMPLATE:
      Out = ApplyTemplate(Text, J.Name.empty() ? std::string("./") : FolderOf(J.Name), J.Name);
      break;
    case ZUB_JOB_TEXT_FORMAT: Out = ConvertLineEnds(Text, C.LineEndFormat); break;
    case ZUB_JOB_QUOTE_VALUES: Out = QuoteAttributeValues(Text, R.Quoted); break;
    default: return false;
  }
  if (Out == Text) {
    R.Flags |= ZUB_RESULT_NO_NEW_TEXT;
    return true;
  }
  R.NewText = SplitLines(Out);
  if (ReadsFile(J)) {
    // The file named in the job is rewritten; other tools than the text format keep its line ends.
    std::string Bytes = Out;
    if (J.JobKind != ZUB_JOB_TEXT_FORMAT && Text.find("\r\n") != std::string::npos) {
      Bytes = ConvertLineEnds(Out, LineEndCrLf);
    }
    if (!WriteFileAtomically(J.Name, Bytes)) {
      R.Flags2 |= ZUB_RESULT_TOOL_FAILED;
    }
  }
  return true;
}

// The caller waits; its window keeps working (so its stop is seen) while the check runs.
void WaitForLinkCheck() {
  MSG M;
  bool Quit = false;
  int QuitCode = 0;
  while (!LinkCheckFinished()) {
    while (!Quit && PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
      if (M.message == WM_QUIT) {
        Quit = true;
        QuitCode = static_cast<int>(M.wParam);
        break;
      }
      TranslateMessage(&M);
      DispatchMessage(&M);
    }
    if (!LinkCheckFinished()) {
      std::this_thread::sleep_for(LinkWaitPoll);
    }
  }
  LinkCheckJoin();
  if (Quit) {
    PostQuitMessage(QuitCode);
  }
}

ZUBInt RunLinkCheck(const TJob& J, const TEngineConfig& C, ZUBInt RunFlags) {
  TLinkCheckSettings S;
  S.CheckAll = (J.Flags & ZUB_JOB_CHECK_ALL_LINKS) != 0;
  S.TimeoutSeconds = C.LinkTimeout;
  if (J.Lines.size() >= 2) {
    S.Window = static_cast<std::uintptr_t>(std::strtoull(J.Lines.c_str(0), nullptr, 10));
    S.Message = static_cast<unsigned>(std::strtoul(J.Lines.c_str(1), nullptr, 10));
  }
  if (C.Flags(ZUB_CONFIG_NETWORK_OPTIONS) & ZUB_NETWORK_USE_PROXY) {
    S.Proxy = C.ProxyHost + (C.ProxyPort.empty() ? "" : ":" + C.ProxyPort);
    S.ProxyUser = C.ProxyUser;
    S.ProxyPassword = C.ProxyPassword;
  }
  Engine().GlobalFlags &= ~static_cast<std::uint32_t>(ZUB_ENGINE_STOP_LINK_CHECK);
  auto Stop = [] { return (Engine().GlobalFlags.load() & ZUB_ENGINE_STOP_LINK_CHECK) != 0; };
  if (!LinkCheckStart(S, Stop)) {
    return -1;  // one check at a time
  }
  if (RunFlags & ZUB_RUN_WAIT) {
    WaitForLinkCheck();
  }
  return 0;
}

// The input of a job that reads its file; false (with the result made) when the file cannot be read.
bool ReadInput(TJob& J, TResult& R, std::string& Text) {
  if (J.Name.empty() || !ReadFileBytes(J.Name, Text)) {
    if (IsTool(J.JobKind)) {
      R.Flags2 |= ZUB_RESULT_TOOL_FAILED;
      R.Flags |= ZUB_RESULT_NO_NEW_TEXT;
    }
    R.Messages.push_back({MsgError, 0, 0, 0, 0, 0, 0, IdFileUnreadable,
                          "The file \"" + J.Name + "\" could not be opened.", "Files"});
    Count(R, J.Name);
    return false;
  }
  // The job keeps the file's lines, as it would keep lines handed over.
  J.Lines.Assign(SplitLines(Text));
  if (J.JobKind != ZUB_JOB_TEXT_FORMAT) {
    std::replace(Text.begin(), Text.end(), '\0', ' ');
  }
  return true;
}

}  // namespace

ZUBInt RunJobLocked(ZUBInt ConfigH, ZUBInt JobH, ZUBInt RunFlags) {
  auto* Cfg = Find<TConfigHandle>(ConfigH);
  auto* J = Find<TJob>(JobH);
  if (!Cfg || !J) {
    return -1;
  }
  const TEngineConfig& C = Cfg->Config;
  auto R = std::make_unique<TResult>();
  if (J->JobKind == ZUB_JOB_CHECK_LINKS) {
    if (RunLinkCheck(*J, C, RunFlags) < 0) {
      return -1;
    }
    return AddHandle(std::move(R));
  }
  if (!ValidJobKind(J->JobKind)) {
    return -1;
  }
  std::string Own;
  // Validation calls nothing outside the engine, so its text can go into the engine's reused buffer.
  const bool Validates = J->JobKind == ZUB_JOB_VALIDATE_MARKUP || J->JobKind == ZUB_JOB_VALIDATE_CSS;
  std::string& Text = Validates && !ReadsFile(*J) ? Engine().JobText : Own;
  if (ReadsFile(*J)) {
    if (!ReadInput(*J, *R, Text)) {
      return AddHandle(std::move(R));
    }
  } else {
    J->Lines.JoinInto(Text);
  }
  switch (J->JobKind) {
    case ZUB_JOB_VALIDATE_MARKUP:
    case ZUB_JOB_VALIDATE_CSS: RunValidation(*J, C, Text, *R); break;
    case ZUB_JOB_EXTRACT_LINKS: {
      TMarkupFindings F;
      ExtractLinks(TSourceText(Text), F);
      R->Lists = std::move(F.Lists);
      break;
    }
    case ZUB_JOB_SPELL_CHECK: RunSpellCheck(Text, C, *R); break;
    default:
      if (!RunTool(*J, C, Text, *R)) {
        return -1;
      }
      break;
  }
  Count(*R, J->Name);
  if (J->JobKind == ZUB_JOB_VALIDATE_MARKUP || J->JobKind == ZUB_JOB_VALIDATE_CSS ||
      J->JobKind == ZUB_JOB_SPELL_CHECK) {
    WriteLog(C, J->Name.empty() ? "[text]" : J->Name, *R);
  }
  return AddHandle(std::move(R));
}

}  // namespace zubengine
