// The validator engine's entry points: the handle table, the property identifiers and the jobs.
#include "engine/ZubValidator.h"

#include "engine/CssCheck.h"
#include "engine/EngineConfig.h"
#include "engine/LinkCheck.h"
#include "engine/MarkupCheck.h"
#include "engine/TextTools.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>
#include <unordered_map>

#define ZUB_EXPORT extern "C" __attribute__((visibility("default")))
// The variant used by tests to show that binding needs every name leaves this one out of its exports.
#ifdef ZUBQ_ENGINE_LEAVE_OUT_SPELLCHECK2
#define ZUB_EXPORT_SPELLCHECK2 extern "C" __attribute__((visibility("hidden")))
#else
#define ZUB_EXPORT_SPELLCHECK2 ZUB_EXPORT
#endif

using namespace zubengine;

namespace {

constexpr ZUBInt EngineVersion = 60100;

// ---- handle objects ----------------------------------------------------------------------------------------

struct THandleObject {
  explicit THandleObject(ZUBInt K) : Kind(K) {}
  virtual ~THandleObject() = default;
  ZUBInt Kind;
};

struct TJob : THandleObject {
  TJob() : THandleObject(ZUB_KIND_JOB) {}
  ZUBInt JobKind = 0;
  ZUBInt Source = 0;        // 5000: 1 the file named in 8000, 2 the lines handed over
  ZUBInt ConfigIndex = -1;  // 5004
  std::uint32_t Flags = 0;  // 2000
  std::string Name;         // 8000
  std::vector<std::string> Lines;  // every 8002 text in order (a link check's are its window and message)
};

struct TResult : THandleObject {
  TResult() : THandleObject(ZUB_KIND_RESULT) {}
  std::vector<zubengine::TMessage> Messages;
  ZUBInt Errors = 0, Warnings = 0, Plain = 0, Comments = 0;
  std::vector<std::string> NewText;
  std::uint32_t Flags3000 = 0, Flags3001 = 0;
  std::vector<TStructureLine> Structure;
  std::vector<TTagStat> TagStats;
  ZUBInt StatsOption = 0;
  std::vector<TNamedList> Lists;
  std::vector<std::string> Report;  // made when first asked for
  bool ReportMade = false;
  std::string Name;
  ZUBInt Quoted = 0;
  ZUBInt Misspellings = 0;
};

struct TConfigHandle : THandleObject {
  TConfigHandle() : THandleObject(ZUB_KIND_CONFIGURATION) {}
  TEngineConfig Config;
};

// ---- engine state --------------------------------------------------------------------------------------------

struct TEngine {
  std::recursive_mutex Lock;
  std::unordered_map<ZUBInt, std::unique_ptr<THandleObject>> Handles;
  ZUBInt NextHandle = 1;
  std::atomic<std::uint32_t> GlobalFlags{0};  // 26000
  ZUBSpellCallback Callback = nullptr;
  ZUBInt ValidateAllMark = 0;  // 16006
  std::vector<std::string> DialogRequests;
};

TEngine& Engine() {
  static TEngine* E = new TEngine;  // never destroyed: entry points may run during static teardown
  return *E;
}

// Texts made for one call (type names, cache texts...) live in a small ring, so a caller that copies at once,
// as every caller does, always sees its own.
const char* Keep(std::string S) {
  thread_local std::array<std::string, 16> Ring;
  thread_local std::size_t Next = 0;
  std::string& Slot = Ring[Next++ % Ring.size()];
  Slot = std::move(S);
  return Slot.c_str();
}

bool FailSwitch(const char* Name) {
  const char* V = std::getenv("ZUBQ_ENGINE_FAIL");
  if (!V || !*V) return false;
  const std::string_view List(V);
  const std::string_view N(Name);
  std::size_t Pos = 0;
  while (Pos <= List.size()) {
    std::size_t Comma = List.find(',', Pos);
    if (Comma == std::string_view::npos) Comma = List.size();
    if (List.substr(Pos, Comma - Pos) == N) return true;
    Pos = Comma + 1;
  }
  return false;
}

bool EnvInt(const char* Name, long& Out) {
  const char* V = std::getenv(Name);
  if (!V || !*V) return false;
  char* End = nullptr;
  Out = std::strtol(V, &End, 10);
  return End && *End == 0;
}

ZUBInt Version() {
  long V = 0;
  return EnvInt("ZUBQ_ENGINE_VERSION", V) ? static_cast<ZUBInt>(V) : EngineVersion;
}

template <class T>
T* Find(ZUBInt H) {
  auto& E = Engine();
  const auto It = E.Handles.find(H);
  if (It == E.Handles.end()) return nullptr;
  return dynamic_cast<T*>(It->second.get());
}

ZUBInt AddHandle(std::unique_ptr<THandleObject> O) {
  auto& E = Engine();
  for (;;) {
    const ZUBInt H = E.NextHandle;
    E.NextHandle = E.NextHandle >= 0x7FFFFFF0 ? 1 : E.NextHandle + 1;
    if (!E.Handles.count(H)) {
      E.Handles.emplace(H, std::move(O));
      return H;
    }
  }
}

// Every entry point runs inside this: the table's lock, and no exception leaves the library.
template <class R, class Fn>
R Guarded(const char* Name, R Failure, Fn&& Body) {
  if (FailSwitch(Name)) return Failure;
  try {
    std::lock_guard<std::recursive_mutex> G(Engine().Lock);
    return Body();
  } catch (...) {
    return Failure;
  }
}

std::string TypeName(ZUBInt Type) {
  switch (Type) {
    case MsgError: return "Error";
    case MsgWarning: return "Warning";
    case MsgComment: return "Comment";
    case MsgMessage: return "Message";
    default: return "Unknown";
  }
}

std::string KindText(ZUBInt Kind) {
  if ((Kind & 3) == 3) return "[Style, Accessibility]";
  if (Kind & KindStyle) return "[Style]";
  if (Kind & KindAccessibility) return "[Accessibility]";
  return {};
}

std::string XmlText(std::string_view S) {
  std::string R;
  R.reserve(S.size());
  for (char C : S) {
    switch (C) {
      case '&': R += "&amp;"; break;
      case '<': R += "&lt;"; break;
      case '>': R += "&gt;"; break;
      case '"': R += "&quot;"; break;
      default: R += C;
    }
  }
  return R;
}

std::vector<std::string> SplitLines(std::string_view Text) {
  std::vector<std::string> Out;
  std::size_t Pos = 0;
  while (Pos <= Text.size()) {
    std::size_t E = Text.find('\n', Pos);
    if (E == std::string_view::npos) {
      if (Pos < Text.size()) Out.emplace_back(Text.substr(Pos));
      break;
    }
    std::size_t L = E;
    if (L > Pos && Text[L - 1] == '\r') --L;
    Out.emplace_back(Text.substr(Pos, L - Pos));
    Pos = E + 1;
  }
  return Out;
}

std::string JoinLines(const std::vector<std::string>& Lines) {
  std::size_t N = 0;
  for (const auto& L : Lines) N += L.size() + 1;
  std::string T;
  T.reserve(N);
  for (const auto& L : Lines) {
    T += L;
    T += '\n';
  }
  return T;
}

bool ReadFileBytes(const std::string& Name, std::string& Out) {
  std::ifstream F(Name, std::ios::binary);
  if (!F) return false;
  std::ostringstream B;
  B << F.rdbuf();
  Out = B.str();
  return true;
}

std::string FolderOf(const std::string& Name) {
  const std::size_t S = Name.find_last_of('/');
  return S == std::string::npos ? std::string() : Name.substr(0, S + 1);
}

// The program list's exchange file (the platform's "c:\\programexport.xml"), beside the configuration.
std::string ProgramExportName() { return FolderOf(DefaultConfigFileName()) + "programexport.xml"; }

std::string ProgramFolder() {
  std::error_code Ec;
  const auto P = std::filesystem::read_symlink("/proc/self/exe", Ec);
  return Ec ? std::string() : P.parent_path().string() + "/";
}

// ---- jobs ----------------------------------------------------------------------------------------------------

bool ReadsFile(const TJob& J) { return J.Source == 1 || (J.Source != 2 && (J.Flags & 2) != 0); }

void CountAndReport(TResult& R, const std::string& Name) {
  R.Errors = R.Warnings = R.Plain = R.Comments = 0;
  for (const zubengine::TMessage& M : R.Messages) {
    if (M.Type == MsgError) ++R.Errors;
    if (M.Type == MsgWarning) ++R.Warnings;
    if (M.Type == MsgMessage) ++R.Plain;
    if (M.Type == MsgComment) ++R.Comments;
  }
  R.Name = Name;
}

// The XML report of a result's messages, one line each between a header and the closing line.
void MakeReport(TResult& R) {
  if (R.ReportMade) return;
  R.ReportMade = true;
  const std::string& Name = R.Name;
  R.Report.clear();
  R.Report.reserve(R.Messages.size() + 3);
  R.Report.push_back("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  R.Report.push_back("<validationresults engine=\"6.0100\" file=\"" + XmlText(Name) + "\" errors=\"" +
                     std::to_string(R.Errors) + "\" warnings=\"" + std::to_string(R.Warnings) + "\">");
  int Number = 0;
  for (const zubengine::TMessage& M : R.Messages) {
    std::string L = "  <message number=\"" + std::to_string(++Number) + "\" type=\"" + TypeName(M.Type) + "\"";
    if (M.Line > 0) L += " line=\"" + std::to_string(M.Line) + "\"";
    if (M.Char > 0) L += " character=\"" + std::to_string(M.Char) + "\" length=\"" + std::to_string(M.Length) + "\"";
    if (!M.Category.empty()) L += " category=\"" + XmlText(M.Category) + "\"";
    if (M.Id > 0) L += " id=\"" + std::to_string(M.Id) + "\"";
    L += ">" + XmlText(M.Text) + "</message>";
    R.Report.push_back(std::move(L));
  }
  R.Report.push_back("</validationresults>");
}

// Program flags and per-ID settings decide what stays; a configuration may narrow further.
void ApplySettings(std::vector<zubengine::TMessage>& Messages, const TEngineConfig& C, bool ErrorsOnly, bool AllFlags) {
  std::vector<zubengine::TMessage> Kept;
  Kept.reserve(Messages.size());
  for (zubengine::TMessage& M : Messages) {
    auto FlagOff = [&](int F) { return F > 0 && F < 256 && !C.ProgramFlags.test(static_cast<std::size_t>(F)); };
    if (!AllFlags && (FlagOff(M.Flag1) || FlagOff(M.Flag2))) continue;
    if (M.Id > 0) {
      const auto It = C.MessageSettings.find(M.Id);
      if (It != C.MessageSettings.end()) {
        if (It->second.Enabled == 0) continue;
        if (It->second.Type >= 1 && It->second.Type <= 4) M.Type = It->second.Type;
      }
    }
    if (ErrorsOnly && M.Type != MsgError) continue;
    Kept.push_back(std::move(M));
  }
  std::stable_sort(Kept.begin(), Kept.end(), [](const zubengine::TMessage& A, const zubengine::TMessage& B) {
    const int LA = A.Line > 0 ? A.Line : 0x7FFFFFFF;
    const int LB = B.Line > 0 ? B.Line : 0x7FFFFFFF;
    return LA != LB ? LA < LB : A.Char < B.Char;
  });
  Messages = std::move(Kept);
}

void WriteLog(const TEngineConfig& C, const std::string& Name, const TResult& R) {
  if (!(C.Flags(1006) & 8) || C.LogFile.empty()) return;
  std::ofstream F(C.LogFile, std::ios::app);
  if (!F) return;
  const std::time_t Now = std::time(nullptr);
  char Stamp[32] = {};
  std::strftime(Stamp, sizeof Stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&Now));
  F << Stamp << "  " << Name << ": " << R.Errors << " errors, " << R.Warnings << " warnings, " << R.Plain
    << " messages, " << R.Comments << " comments\n";
}

std::string ConfigName(const TEngineConfig& C, ZUBInt Index) {
  return Index >= 0 && Index < static_cast<ZUBInt>(C.Configurations.size())
             ? C.Configurations[static_cast<std::size_t>(Index)]
             : std::string();
}

void RunValidation(TJob& J, const TEngineConfig& C, const std::string& Text, TResult& R) {
  const std::string Chosen = ConfigName(C, J.ConfigIndex);
  TCheckOptions O;
  O.Accessibility = (C.Flags(1021) & 0x100000) != 0 || Chosen == "Accessibility";
  O.AccessibilityLevel = Chosen == "Accessibility" ? 3 : C.AccessibilityLevel;
  O.CssInMarkup = (C.Flags(1022) & 1) != 0 || Chosen == "Strict";
  O.ErrorsOnly = Chosen == "Errors Only";
  const TSourceText Doc(Text);
  if (J.JobKind == 10) {
    TMessageList L;
    CheckCss(Doc, 0, Text.size(), false, L);
    R.Messages = std::move(L.Items);
  } else {
    TMarkupFindings F;
    CheckMarkup(Doc, O, F);
    R.Messages = std::move(F.Messages.Items);
    R.Structure = std::move(F.Structure);
    R.TagStats = std::move(F.TagStats);
    R.Lists = std::move(F.Lists);
  }
  ApplySettings(R.Messages, C, O.ErrorsOnly, Chosen == "Strict");
}

// Spell checking through the program's callback: the program splits the words, the engine asks about each.
void RunSpellCheck(const std::string& Text, const TEngineConfig& C, TResult& R) {
  ZUBSpellCallback Cb = Engine().Callback;
  if (!Cb) {
    R.Messages.push_back({MsgError, 0, 0, 0, 0, 0, 0, IdSpellUnavailable,
                          "Spell checking is not available: no spell checker is registered.", "Spelling"});
    return;
  }
  // Markup is blanked out so that words keep their columns.
  std::string Plain(Text);
  {
    TSourceText Doc(Text);
    std::size_t Pos = 0;
    while ((Pos = Plain.find('<', Pos)) != std::string::npos) {
      const std::size_t E = Plain.find('>', Pos);
      const std::size_t Stop = E == std::string::npos ? Plain.size() : E + 1;
      for (std::size_t I = Pos; I < Stop; ++I) {
        if (Plain[I] != '\n') Plain[I] = ' ';
      }
      Pos = Stop;
    }
  }
  std::vector<std::string> Unique;
  const std::vector<std::string> Lines = SplitLines(Plain);
  for (std::size_t LineNo = 0; LineNo < Lines.size(); ++LineNo) {
    const std::string& Line = Lines[LineNo];
    if (Line.find_first_not_of(" \t") == std::string::npos) continue;
    if (Cb(Line.c_str(), 8) != 1) {
      R.Messages.push_back({MsgError, 0, 0, 0, 0, 0, 0, IdSpellUnavailable,
                            "Spell checking is not available: the spell checker could not be prepared.", "Spelling"});
      return;
    }
    std::size_t Search = 0;
    for (int Guard = 0; Guard < 100000; ++Guard) {
      const char* W = reinterpret_cast<const char*>(Cb(nullptr, 0x20));
      if (!W || !*W) break;
      const std::string Word(W);
      const std::size_t At = Line.find(Word, Search);
      if (At != std::string::npos) Search = At + Word.size();
      if (Cb(Word.c_str(), 1) != 0) continue;
      if (Cb(Word.c_str(), 4) != 0) continue;
      zubengine::TMessage M;
      M.Type = MsgWarning;
      M.Line = static_cast<int>(LineNo + 1);
      M.Char = At == std::string::npos ? 0 : static_cast<int>(At + 1);
      M.Length = static_cast<int>(Word.size());
      M.Id = IdSpelling;
      M.Flag1 = FlagSpelling;
      M.Text = "Possible misspelling: \"" + Word + "\".";
      M.Category = "Spelling";
      R.Messages.push_back(std::move(M));
      if (std::find(Unique.begin(), Unique.end(), Word) == Unique.end()) Unique.push_back(Word);
    }
  }
  R.Misspellings = static_cast<ZUBInt>(Unique.size());
  ApplySettings(R.Messages, C, false, false);
}

bool RunTool(TJob& J, const TEngineConfig& C, const std::string& Text, TResult& R) {
  std::string Out;
  switch (J.JobKind) {
    case 1: Out = ChangeTagCase(Text, false); break;
    case 2: Out = ChangeTagCase(Text, true); break;
    case 3: Out = StripTags(Text); break;
    case 4: Out = ApplyTemplate(Text, J.Name.empty() ? std::string("./") : FolderOf(J.Name), J.Name); break;
    case 5: Out = ConvertLineEnds(Text, C.LineEndFormat); break;
    case 11: Out = QuoteAttributeValues(Text, R.Quoted); break;
    default: return false;
  }
  if (Out == Text) {
    R.Flags3000 |= 1;
    return true;
  }
  R.NewText = SplitLines(Out);
  if (ReadsFile(J)) {
    // The file named in 8000 is rewritten; other tools keep its line ends.
    std::string Bytes = Out;
    if (J.JobKind != 5 && Text.find("\r\n") != std::string::npos) Bytes = ConvertLineEnds(Out, 1);
    if (!WriteFileAtomically(J.Name, Bytes)) R.Flags3001 |= 2;
  }
  return true;
}

ZUBInt RunLinkCheck(TJob& J, const TEngineConfig& C, ZUBInt RunFlags) {
  TLinkCheckSettings S;
  S.CheckAll = (J.Flags & 0x80000) != 0;
  S.TimeoutSeconds = C.LinkTimeout;
  if (J.Lines.size() >= 2) {
    S.Window = static_cast<std::uintptr_t>(std::strtoull(J.Lines[0].c_str(), nullptr, 10));
    S.Message = static_cast<unsigned>(std::strtoul(J.Lines[1].c_str(), nullptr, 10));
  }
  if (C.Flags(1004) & 1) {
    S.Proxy = C.ProxyHost + (C.ProxyPort.empty() ? "" : ":" + C.ProxyPort);
    S.ProxyUser = C.ProxyUser;
    S.ProxyPassword = C.ProxyPassword;
  }
  Engine().GlobalFlags &= ~1u;
  auto Stop = [] { return (Engine().GlobalFlags.load() & 1) != 0; };
  if (!LinkCheckStart(S, Stop)) return -1;  // one check at a time
  if (RunFlags & 1) {
    // The caller waits; its window keeps working (so its Stop is seen) while the check runs.
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
      if (!LinkCheckFinished()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    LinkCheckJoin();
    if (Quit) PostQuitMessage(QuitCode);
  }
  return 0;
}

ZUBInt RunJobLocked(ZUBInt ConfigH, ZUBInt JobH, ZUBInt RunFlags) {
  auto* Cfg = Find<TConfigHandle>(ConfigH);
  auto* J = Find<TJob>(JobH);
  if (!Cfg || !J) return -1;
  const TEngineConfig& C = Cfg->Config;
  auto R = std::make_unique<TResult>();
  if (J->JobKind == 7) {
    if (RunLinkCheck(*J, C, RunFlags) < 0) return -1;
    return AddHandle(std::move(R));
  }
  if (J->JobKind < 1 || J->JobKind > 11) return -1;
  // The input: the lines handed over, or the file named in 8000 (whose lines the job keeps for 10000).
  std::string Text;
  if (ReadsFile(*J)) {
    if (J->Name.empty() || !ReadFileBytes(J->Name, Text)) {
      const bool Tool = J->JobKind <= 5 || J->JobKind == 11;
      if (Tool) R->Flags3001 |= 2;
      R->Flags3000 |= Tool ? 1 : 0;
      R->Messages.push_back({MsgError, 0, 0, 0, 0, 0, 0, IdFileUnreadable,
                             "The file \"" + J->Name + "\" could not be opened.", "Files"});
      CountAndReport(*R, J->Name);
      return AddHandle(std::move(R));
    }
    J->Lines = SplitLines(Text);
    if (J->JobKind != 5) {
      for (char& Ch : Text) {
        if (Ch == 0) Ch = ' ';
      }
    }
  } else {
    Text = JoinLines(J->Lines);
  }
  switch (J->JobKind) {
    case 6:
    case 10: RunValidation(*J, C, Text, *R); break;
    case 8: {
      TMarkupFindings F;
      ExtractLinks(TSourceText(Text), F);
      R->Lists = std::move(F.Lists);
      break;
    }
    case 9: RunSpellCheck(Text, C, *R); break;
    default:
      if (!RunTool(*J, C, Text, *R)) return -1;
      break;
  }
  CountAndReport(*R, J->Name);
  if (J->JobKind == 6 || J->JobKind == 10 || J->JobKind == 9) WriteLog(C, J->Name.empty() ? "[text]" : J->Name, *R);
  return AddHandle(std::move(R));
}

bool ValidJobKind(ZUBInt K) { return K >= 1 && K <= 11; }

}  // namespace

// ---- entry points ------------------------------------------------------------------------------------------

ZUB_EXPORT ZUBInt ZUBFreeHandle(ZUBInt H, ZUBInt) {
  return Guarded("ZUBFreeHandle", -1, [&]() -> ZUBInt { return Engine().Handles.erase(H) ? 0 : -1; });
}

ZUB_EXPORT ZUBInt ZUBHandle(ZUBInt H) {
  return Guarded("ZUBHandle", -1, [&]() -> ZUBInt {
    const auto It = Engine().Handles.find(H);
    return It == Engine().Handles.end() ? -1 : It->second->Kind;
  });
}

ZUB_EXPORT ZUBInt ZUBDisplayMessage(ZUBWindow Owner, ZUBInt Id, ZUBInt) {
  return Guarded("ZUBDisplayMessage", -1, [&]() -> ZUBInt {
    if (Id != 34000) return -1;
    MessageBox(static_cast<HWND>(Owner),
               "Message types: an error is a fault that browsers may not recover from; a warning is a likely "
               "fault or a poor practice; a message is information about the markup; a comment says how the "
               "document was checked.\n\nUse the results menu to switch the program flag of a message on or "
               "off, or to change the type of a message by its ID. Changes take effect at the next validation.",
               "ZUB Validator Engine Quick Help", MB_OK | MB_ICONINFORMATION);
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBDisplayHelp(ZUBWindow Owner, ZUBInt Id, const char* Text, ZUBInt) {
  return Guarded("ZUBDisplayHelp", -1, [&]() -> ZUBInt {
    std::string Target;
    if (Id == 35000) {
      const auto Flag = static_cast<long long>(reinterpret_cast<std::intptr_t>(Text));
      Target = ProgramFolder() + "Help/programflags.html#flag" + std::to_string(Flag);
    } else if (Id == 35001) {
      if (!Text || !*Text) return -1;
      Target = Text;
      const bool HasScheme = Target.find("://") != std::string::npos || Target.rfind("mailto:", 0) == 0;
      if (!HasScheme && Target[0] != '/') Target = ProgramFolder() + "Help/" + Target;
    } else {
      return -1;
    }
    const int R = ShellExecuteResult(ShellExecute(static_cast<HWND>(Owner), "open", Target.c_str(), nullptr,
                                                  nullptr, SW_SHOWNORMAL));
    return R > 32 ? 0 : -1;
  });
}

ZUB_EXPORT ZUBInt ZUBGetFlag(ZUBInt H, ZUBInt Id, ZUBInt Bit) {
  return Guarded("ZUBGetFlag", -1, [&]() -> ZUBInt {
    if (auto* C = Find<TConfigHandle>(H)) {
      if (Id == 1007) return Bit > 0 && Bit < 256 ? (C->Config.ProgramFlags.test(static_cast<std::size_t>(Bit)) ? 1 : 0) : -1;
      if (Id < 1000 || Id > 1999) return -1;
      return (C->Config.Flags(Id) & static_cast<std::uint32_t>(Bit)) ? 1 : 0;
    }
    if (auto* J = Find<TJob>(H)) return Id == 2000 ? ((J->Flags & static_cast<std::uint32_t>(Bit)) ? 1 : 0) : -1;
    if (auto* R = Find<TResult>(H)) {
      if (Id == 3000) return (R->Flags3000 & static_cast<std::uint32_t>(Bit)) ? 1 : 0;
      if (Id == 3001) return (R->Flags3001 & static_cast<std::uint32_t>(Bit)) ? 1 : 0;
    }
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBGetFlag2(ZUBInt Id, ZUBInt Bit) {
  return Guarded("ZUBGetFlag2", -1, [&]() -> ZUBInt {
    if (Id != 26000) return -1;
    return (Engine().GlobalFlags.load() & static_cast<std::uint32_t>(Bit)) ? 1 : 0;
  });
}

namespace {

ZUBInt IntegerOf(ZUBInt H, ZUBInt Id, bool& Ok) {
  Ok = true;
  if (auto* R = Find<TResult>(H)) {
    switch (Id) {
      case 6000: return R->Errors;
      case 6001: return R->Warnings;
      case 6002: return static_cast<ZUBInt>(R->NewText.size());
      case 6003: return static_cast<ZUBInt>(R->Messages.size());
      case 6004: return static_cast<ZUBInt>(R->Structure.size());
      case 6005: return R->StatsOption;
      case 6006: return static_cast<ZUBInt>(R->TagStats.size());
      case 6007: return R->Plain;
      case 6008: return R->Comments;
      case 6009: return R->Misspellings;
      case 15016: return R->Quoted;
      default: break;
    }
  } else if (auto* J = Find<TJob>(H)) {
    switch (Id) {
      case 5000: return J->Source;
      case 5001: return J->JobKind;
      case 5003: return static_cast<ZUBInt>(J->Lines.size());
      case 5004: return J->ConfigIndex;
      default: break;
    }
  } else if (auto* C = Find<TConfigHandle>(H)) {
    switch (Id) {
      case 4003: return C->Config.ProxyFlags;
      case 4005: return static_cast<ZUBInt>(C->Config.Configurations.size());
      case 4006: return C->Config.LinkCheckOnlyMenu;
      case 4008: return C->Config.MessageIdsInUse;
      default: break;
    }
  }
  Ok = false;
  return -1;
}

ZUBInt Integer2Of(ZUBInt H, ZUBInt Id, ZUBInt I, bool& Ok) {
  Ok = true;
  if (auto* R = Find<TResult>(H)) {
    if (Id >= 15000 && Id <= 15015 && Id != 15006 && Id != 15007 && Id != 15008 && Id != 15009 && Id != 15010 &&
        Id != 15011) {
      if (I >= 1 && I <= static_cast<ZUBInt>(R->Messages.size())) {
        const zubengine::TMessage& M = R->Messages[static_cast<std::size_t>(I - 1)];
        switch (Id) {
          case 15000: return M.Type;
          case 15001: return M.Line;
          case 15002: return M.Char;
          case 15003: return M.Length;
          case 15005: return M.Flag1;
          case 15013: return M.Kind;
          case 15014: return M.Flag2;
          case 15015: return M.Id;
          default: break;
        }
      }
    } else if (Id == 15006 || Id == 15007 || Id == 15009) {
      if (I >= 0 && I < static_cast<ZUBInt>(R->TagStats.size())) {
        const TTagStat& S = R->TagStats[static_cast<std::size_t>(I)];
        return Id == 15006 ? S.Opened : Id == 15007 ? S.Closed : S.Used;
      }
    } else if (Id == 15008) {
      if (I >= 0 && I < static_cast<ZUBInt>(R->Lists.size())) {
        return static_cast<ZUBInt>(R->Lists[static_cast<std::size_t>(I)].Items.size());
      }
    } else if (Id == 15010 || Id == 15011) {
      if (I >= 0 && I < static_cast<ZUBInt>(R->Structure.size())) {
        const TStructureLine& L = R->Structure[static_cast<std::size_t>(I)];
        return Id == 15010 ? L.Line : L.Char;
      }
    }
  } else if (auto* C = Find<TConfigHandle>(H)) {
    if (Id == 13000 || Id == 13001) {
      if (I < 1) {
        Ok = false;
        return -1;
      }
      const auto It = C->Config.MessageSettings.find(I);
      const TMessageSetting S = It == C->Config.MessageSettings.end() ? TMessageSetting{} : It->second;
      return Id == 13000 ? S.Type : S.Enabled;
    }
  }
  Ok = false;
  return -1;
}

ZUBInt GlobalInteger(ZUBInt Id, bool& Ok) {
  Ok = true;
  switch (Id) {
    case 16000: return Version();
    case 16002: return LinkChecksRunning();
    case 16003: return 0;
    case 16006: return Engine().ValidateAllMark;
    default: Ok = false; return -1;
  }
}

ZUBInt LinkInteger(ZUBInt Id, const char* Text, bool& Ok) {
  Ok = false;
  if (Id != 25003 || !Text) return -1;
  Ok = true;
  TLinkStatus S;
  return LinkCacheLookup(Text, S) ? S.Status : -1;
}

ZUBInt Integer6(ZUBInt Id, ZUBInt Arg, bool& Ok) {
  Ok = Id == 30001;
  return Ok ? LinkState(Arg) : -1;
}

const char* StringOf(ZUBInt H, ZUBInt Id) {
  if (auto* C = Find<TConfigHandle>(H)) {
    const TEngineConfig& K = C->Config;
    switch (Id) {
      case 7000:
      case 7001: return Keep(K.FileName.empty() ? DefaultConfigFileName() : K.FileName);
      case 7002: return Keep(K.ProxyHost);
      case 7003: return Keep(K.ProxyPort);
      case 7006: return Keep(K.ProxyUser);
      case 7007: return Keep(K.ProxyPassword);
      case 7008: return Keep(K.LogFile);
      default: return nullptr;
    }
  }
  if (auto* J = Find<TJob>(H)) return Id == 8000 ? J->Name.c_str() : nullptr;
  return nullptr;
}

const char* String2Of(ZUBInt H, ZUBInt Id, ZUBInt I) {
  auto At = [I](const std::vector<std::string>& V) -> const char* {
    return I >= 0 && I < static_cast<ZUBInt>(V.size()) ? V[static_cast<std::size_t>(I)].c_str() : nullptr;
  };
  if (auto* R = Find<TResult>(H)) {
    switch (Id) {
      case 12000: return At(R->NewText);
      case 12001:
      case 12004:
        if (I < 1 || I > static_cast<ZUBInt>(R->Messages.size())) return nullptr;
        return Id == 12001 ? R->Messages[static_cast<std::size_t>(I - 1)].Text.c_str()
                           : R->Messages[static_cast<std::size_t>(I - 1)].Category.c_str();
      case 12002:
        return I >= 0 && I < static_cast<ZUBInt>(R->Structure.size())
                   ? R->Structure[static_cast<std::size_t>(I)].Text.c_str()
                   : nullptr;
      case 12003:
        return I >= 0 && I < static_cast<ZUBInt>(R->TagStats.size())
                   ? R->TagStats[static_cast<std::size_t>(I)].Name.c_str()
                   : nullptr;
      case 12005:
        MakeReport(*R);
        return At(R->Report);
      default: return nullptr;
    }
  }
  if (auto* J = Find<TJob>(H)) return Id == 10000 ? At(J->Lines) : nullptr;
  if (auto* C = Find<TConfigHandle>(H)) return Id == 11000 ? At(C->Config.Configurations) : nullptr;
  return nullptr;
}

}  // namespace

ZUB_EXPORT ZUBInt ZUBGetInteger(ZUBInt H, ZUBInt Id, ZUBInt* Value) {
  return Guarded("ZUBGetInteger", -1, [&]() -> ZUBInt {
    bool Ok = false;
    const ZUBInt V = IntegerOf(H, Id, Ok);
    if (!Ok || !Value) return -1;
    *Value = V;
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBGetIntegerEZ(ZUBInt H, ZUBInt Id) {
  return Guarded("ZUBGetIntegerEZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return IntegerOf(H, Id, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger2(ZUBInt H, ZUBInt Id, ZUBInt Index, ZUBInt* Value) {
  return Guarded("ZUBGetInteger2", -1, [&]() -> ZUBInt {
    bool Ok = false;
    const ZUBInt V = Integer2Of(H, Id, Index, Ok);
    if (!Ok || !Value) return -1;
    *Value = V;
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger2EZ(ZUBInt H, ZUBInt Id, ZUBInt Index) {
  return Guarded("ZUBGetInteger2EZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return Integer2Of(H, Id, Index, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger3(ZUBInt Id, ZUBInt* Value) {
  return Guarded("ZUBGetInteger3", -1, [&]() -> ZUBInt {
    bool Ok = false;
    const ZUBInt V = GlobalInteger(Id, Ok);
    if (!Ok || !Value) return -1;
    *Value = V;
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger3EZ(ZUBInt Id) {
  return Guarded("ZUBGetInteger3EZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return GlobalInteger(Id, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger4(ZUBInt H, ZUBInt Id, const char* Name, ZUBInt* Value) {
  return Guarded("ZUBGetInteger4", -1, [&]() -> ZUBInt {
    auto* R = Find<TResult>(H);
    if (!R || Id != 23000 || !Name || !Value) return -1;
    for (std::size_t I = 0; I < R->Lists.size(); ++I) {
      if (R->Lists[I].Name == Name) {
        *Value = static_cast<ZUBInt>(I);
        return 0;
      }
    }
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger4EZ(ZUBInt H, ZUBInt Id, const char* Name) {
  return Guarded("ZUBGetInteger4EZ", -1, [&]() -> ZUBInt {
    auto* R = Find<TResult>(H);
    if (!R || Id != 23000 || !Name) return -1;
    for (std::size_t I = 0; I < R->Lists.size(); ++I) {
      if (R->Lists[I].Name == Name) return static_cast<ZUBInt>(I);
    }
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger5(ZUBInt Id, const char* Text, ZUBInt* Value) {
  return Guarded("ZUBGetInteger5", -1, [&]() -> ZUBInt {
    bool Ok = false;
    const ZUBInt V = LinkInteger(Id, Text, Ok);
    if (!Ok || !Value) return -1;
    *Value = V;
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger5EZ(ZUBInt Id, const char* Text) {
  return Guarded("ZUBGetInteger5EZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return LinkInteger(Id, Text, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger6(ZUBInt Id, ZUBInt Arg, ZUBInt* Value) {
  return Guarded("ZUBGetInteger6", -1, [&]() -> ZUBInt {
    bool Ok = false;
    const ZUBInt V = Integer6(Id, Arg, Ok);
    if (!Ok || !Value) return -1;
    *Value = V;
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger6EZ(ZUBInt Id, ZUBInt Arg) {
  return Guarded("ZUBGetInteger6EZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return Integer6(Id, Arg, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetNewHandle(ZUBInt Kind) {
  return Guarded("ZUBGetNewHandle", -1, [&]() -> ZUBInt {
    if (Kind == ZUB_KIND_JOB) return AddHandle(std::make_unique<TJob>());
    if (Kind == ZUB_KIND_CONFIGURATION) return AddHandle(std::make_unique<TConfigHandle>());
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBGetNumberOfHandles(ZUBInt Kind) {
  return Guarded("ZUBGetNumberOfHandles", -1, [&]() -> ZUBInt {
    ZUBInt N = 0;
    for (const auto& [H, O] : Engine().Handles) {
      if (Kind == 0 || O->Kind == Kind) ++N;
    }
    return N;
  });
}

ZUB_EXPORT const char* ZUBGetString(ZUBInt H, ZUBInt Id) {
  return Guarded<const char*>("ZUBGetString", nullptr, [&]() { return StringOf(H, Id); });
}

ZUB_EXPORT const char* ZUBGetString2(ZUBInt H, ZUBInt Id, ZUBInt Index) {
  return Guarded<const char*>("ZUBGetString2", nullptr, [&]() { return String2Of(H, Id, Index); });
}

ZUB_EXPORT const char* ZUBGetString3(ZUBInt Id) {
  return Guarded<const char*>("ZUBGetString3", nullptr, [&]() -> const char* {
    if (Id == 17000) {
      const ZUBInt V = Version();
      char Buf[64];
      std::snprintf(Buf, sizeof Buf, "ZUB Validator Engine v%d.%04d", V / 10000, V % 10000);
      return Keep(Buf);
    }
    if (Id == 17010) {  // the last request for one of the engine's own windows
      const auto& R = Engine().DialogRequests;
      return Keep(R.empty() ? std::string() : R.back());
    }
    return nullptr;
  });
}

ZUB_EXPORT const char* ZUBGetString4(ZUBInt H, ZUBInt Id, ZUBInt List, ZUBInt Index) {
  return Guarded<const char*>("ZUBGetString4", nullptr, [&]() -> const char* {
    auto* R = Find<TResult>(H);
    if (!R || Id != 20000 || List < 0 || List >= static_cast<ZUBInt>(R->Lists.size())) return nullptr;
    const auto& Items = R->Lists[static_cast<std::size_t>(List)].Items;
    return Index >= 0 && Index < static_cast<ZUBInt>(Items.size()) ? Items[static_cast<std::size_t>(Index)].c_str()
                                                                    : nullptr;
  });
}

ZUB_EXPORT const char* ZUBGetString5(ZUBInt Id, const char* Text) {
  return Guarded<const char*>("ZUBGetString5", nullptr, [&]() -> const char* {
    if ((Id != 24000 && Id != 24001) || !Text) return nullptr;
    TLinkStatus S;
    if (!LinkCacheLookup(Text, S)) return Keep({});
    return Keep(Id == 24000 ? S.Text : S.Comment);
  });
}

ZUB_EXPORT const char* ZUBGetString6(ZUBInt Id, ZUBInt Arg) {
  return Guarded<const char*>("ZUBGetString6", nullptr, [&]() -> const char* {
    if (Id == 27000) return Keep(TypeName(Arg));
    if (Id == 27001) return Keep(KindText(Arg));
    return nullptr;
  });
}

ZUB_EXPORT ZUBInt ZUBHTMLConfiguration(ZUBWindow, ZUBInt Config, ZUBInt Operation) {
  return Guarded("ZUBHTMLConfiguration", -1, [&]() -> ZUBInt {
    auto* H = Find<TConfigHandle>(Config);
    if (!H) return -1;
    TEngineConfig& C = H->Config;
    switch (Operation) {
      case 1: {  // the default configuration file, made with the defaults when there is none yet
        const std::string Name = DefaultConfigFileName();
        C.FileName = Name;
        const char* Fail = std::getenv("ZUBQ_ENGINE_CONFIG_FAIL");
        if (Fail && *Fail && std::strcmp(Fail, "0") != 0) return -1;
        std::error_code Ec;
        if (!std::filesystem::exists(Name, Ec)) {
          C.Reset();
          C.FileName = Name;
          if (!C.Save(Name)) return -1;
          C.Modified = false;
          return 0;
        }
        std::string Error;
        if (!C.Load(Name, Error)) return -1;
        return 0;
      }
      case 4: {
        const std::string Name = C.FileName;
        C.Reset();
        C.FileName = Name;
        return 0;
      }
      case 0x20:
      case 0x100: {  // save; at shutdown changes are kept rather than asked about, so nothing is cancelled
        if (Operation == 0x100 && !C.Modified) return 0;
        const std::string Name = C.FileName.empty() ? DefaultConfigFileName() : C.FileName;
        if (!C.Save(Name)) return Operation == 0x100 ? 0 : -1;
        C.FileName = Name;
        C.Modified = false;
        return 0;
      }
      case 0x40: {
        C.Clean();
        C.Modified = true;
        return 0;
      }
      case 0x10:
      case 0x80:  // save as / load from a chosen file: need the engine's file dialogs, not yet present
        Engine().DialogRequests.push_back(Operation == 0x10 ? "configuration save as" : "configuration load");
        return 0;
      case 0x8000: return C.ExportPrograms(ProgramExportName()) ? 0 : -1;
      case 0x10000: {
        if (!C.ImportPrograms(ProgramExportName())) return -1;
        C.Modified = true;
        return 0;
      }
      default: return -1;
    }
  });
}

ZUB_EXPORT ZUBInt ZUBOpenConfigurationEditor(ZUBWindow Owner, ZUBInt Config, ZUBInt Value) {
  return Guarded("ZUBOpenConfigurationEditor", -1, [&]() -> ZUBInt {
    if (!Find<TConfigHandle>(Config)) return -1;
    // The editor window comes later; the request is noted and nothing changes.
    Engine().DialogRequests.push_back("configuration editor " + std::to_string(Value) + " owner " +
                                      std::to_string(Owner));
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBOpenValidatorOptions(ZUBWindow Owner, ZUBInt Config, ZUBInt Value) {
  return Guarded("ZUBOpenValidatorOptions", -1, [&]() -> ZUBInt {
    if (!Find<TConfigHandle>(Config)) return -1;
    Engine().DialogRequests.push_back("validator options " + std::to_string(Value) + " owner " +
                                      std::to_string(Owner));
    return 0;  // nothing changed
  });
}

ZUB_EXPORT ZUBInt ZUBReadFromRegistry(ZUBWindow, ZUBInt Config, ZUBInt) {
  return Guarded("ZUBReadFromRegistry", -1, [&]() -> ZUBInt {
    auto* H = Find<TConfigHandle>(Config);
    if (!H) return -1;
    std::string Error;
    return H->Config.Load(H->Config.FileName.empty() ? DefaultConfigFileName() : H->Config.FileName, Error) ? 0 : -1;
  });
}

ZUB_EXPORT ZUBInt ZUBRunJob(ZUBWindow, ZUBInt Config, ZUBInt Job, ZUBInt Flags) {
  return Guarded("ZUBRunJob", -1, [&]() -> ZUBInt {
    long Forced = 0;
    if (EnvInt("ZUBQ_ENGINE_RUN_RESULT", Forced)) return static_cast<ZUBInt>(Forced);
    return RunJobLocked(Config, Job, Flags);
  });
}

ZUB_EXPORT ZUBInt ZUBSetFlag(ZUBInt H, ZUBInt Id, ZUBInt Bit, ZUBInt Value) {
  return Guarded("ZUBSetFlag", -1, [&]() -> ZUBInt {
    const auto Mask = static_cast<std::uint32_t>(Bit);
    if (auto* C = Find<TConfigHandle>(H)) {
      if (Id == 1007) {
        if (Bit <= 0 || Bit >= 256) return -1;
        C->Config.ProgramFlags.set(static_cast<std::size_t>(Bit), Value != 0);
      } else if (Id >= 1000 && Id <= 1999) {
        std::uint32_t& W = C->Config.FlagWords[Id];
        W = Value ? (W | Mask) : (W & ~Mask);
      } else {
        return -1;
      }
      C->Config.Modified = true;
      return 0;
    }
    if (auto* J = Find<TJob>(H)) {
      if (Id != 2000) return -1;
      J->Flags = Value ? (J->Flags | Mask) : (J->Flags & ~Mask);
      return 0;
    }
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBSetFlag2(ZUBInt Id, ZUBInt Bit, ZUBInt Value) {
  return Guarded("ZUBSetFlag2", -1, [&]() -> ZUBInt {
    if (Id != 26000) return -1;
    const auto Mask = static_cast<std::uint32_t>(Bit);
    if (Value) {
      Engine().GlobalFlags |= Mask;
    } else {
      Engine().GlobalFlags &= ~Mask;
    }
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBSetInteger(ZUBInt H, ZUBInt Id, ZUBInt Value) {
  return Guarded("ZUBSetInteger", -1, [&]() -> ZUBInt {
    if (auto* J = Find<TJob>(H)) {
      switch (Id) {
        case 5000:
          if (Value != 1 && Value != 2) return -1;
          J->Source = Value;
          return 0;
        case 5001:
          if (!ValidJobKind(Value)) return -1;
          J->JobKind = Value;
          return 0;
        case 5003:
          J->Lines.clear();
          return 0;
        case 5004: J->ConfigIndex = Value; return 0;
        default: return -1;
      }
    }
    if (auto* R = Find<TResult>(H)) {
      if (Id != 6005) return -1;
      R->StatsOption = Value;
      return 0;
    }
    if (auto* C = Find<TConfigHandle>(H)) {
      switch (Id) {
        case 4003: C->Config.ProxyFlags = Value; break;
        case 4006: C->Config.LinkCheckOnlyMenu = Value; break;
        case 4008: C->Config.MessageIdsInUse = Value; break;
        default: return -1;
      }
      C->Config.Modified = true;
      return 0;
    }
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBSetInteger2(ZUBInt H, ZUBInt Id, ZUBInt Index, ZUBInt Value) {
  return Guarded("ZUBSetInteger2", -1, [&]() -> ZUBInt {
    if (auto* R = Find<TResult>(H)) {
      if (Id != 15001 || Index < 1 || Index > static_cast<ZUBInt>(R->Messages.size())) return -1;
      R->Messages[static_cast<std::size_t>(Index - 1)].Line = Value;
      return 0;
    }
    if (auto* C = Find<TConfigHandle>(H)) {
      if ((Id != 13000 && Id != 13001) || Index < 1) return -1;
      if (Id == 13000 && (Value < 1 || Value > 5)) return -1;
      TMessageSetting& S = C->Config.MessageSettings[Index];
      (Id == 13000 ? S.Type : S.Enabled) = Id == 13001 ? (Value != 0 ? 1 : 0) : Value;
      C->Config.Modified = true;
      return 0;
    }
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBSetInteger3(ZUBInt Id, ZUBInt Value) {
  return Guarded("ZUBSetInteger3", -1, [&]() -> ZUBInt {
    switch (Id) {
      case 16001: LinkCacheClear(); return 0;
      case 16006: Engine().ValidateAllMark = Value; return 0;
      default: return -1;
    }
  });
}

ZUB_EXPORT ZUBInt ZUBSetInteger6(ZUBInt Id, ZUBInt Arg, ZUBInt Value) {
  return Guarded("ZUBSetInteger6", -1, [&]() -> ZUBInt {
    if (Id != 29000) return -1;
    if (Value != 1) return LinkState(Arg) < 0 ? -1 : 0;
    return LinkReset(Arg) ? 0 : -1;
  });
}

ZUB_EXPORT ZUBInt ZUBSetPointer(ZUBInt Id, void* Pointer) {
  return Guarded("ZUBSetPointer", -1, [&]() -> ZUBInt {
    if (Id != 30000) return -1;
    Engine().Callback = reinterpret_cast<ZUBSpellCallback>(Pointer);
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBSetString(ZUBInt H, ZUBInt Id, const char* Text) {
  return Guarded("ZUBSetString", -1, [&]() -> ZUBInt {
    if (auto* J = Find<TJob>(H)) {
      if (Id == 8000) {
        J->Name = Text ? Text : "";
        return 0;
      }
      if (Id == 8002) {
        J->Lines.emplace_back(Text ? Text : "");
        return 0;
      }
      return -1;
    }
    const std::string T = Text ? Text : "";
    if (auto* C = Find<TConfigHandle>(H)) {
      TEngineConfig& K = C->Config;
      switch (Id) {
        case 7002: K.ProxyHost = T; break;
        case 7003: K.ProxyPort = T; break;
        case 7006: K.ProxyUser = T; break;
        case 7007: K.ProxyPassword = T; break;
        case 7008: K.LogFile = T; break;
        default: return -1;
      }
      K.Modified = true;
      return 0;
    }
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBSetString3(ZUBInt Id, const char* Text) {
  return Guarded("ZUBSetString3", -1, [&]() -> ZUBInt {
    if (Id != 17005 || !Text) return -1;
    return LinkRegister(Text);
  });
}

ZUB_EXPORT ZUBInt ZUBSetString7(ZUBInt Id, ZUBInt Arg, const char* Text) {
  return Guarded("ZUBSetString7", -1, [&]() -> ZUBInt {
    if (Id < 28000 || Id > 28002) return -1;
    return LinkSetText(Arg, Id - 28000, Text ? Text : "") ? 0 : -1;
  });
}

ZUB_EXPORT ZUBInt ZUBSpellCheck(ZUBInt Id) {
  return Guarded("ZUBSpellCheck", -1, [&]() -> ZUBInt {
    if (Id != 31000) return -1;
    ZUBSpellCallback Cb = Engine().Callback;
    if (!Cb) return -1;
    Cb(nullptr, 2);  // the program's spelling options
    return 0;
  });
}

ZUB_EXPORT_SPELLCHECK2 ZUBInt ZUBSpellCheck2(ZUBInt Id, const char* Text) {
  return Guarded("ZUBSpellCheck2", -1, [&]() -> ZUBInt {
    ZUBSpellCallback Cb = Engine().Callback;
    if (Id != 31001 || !Cb || !Text) return -1;
    return Cb(Text, 1) != 0 ? 1 : 0;
  });
}

ZUB_EXPORT ZUBInt ZUBWriteToRegistry(ZUBWindow, ZUBInt Config, ZUBInt) {
  return Guarded("ZUBWriteToRegistry", -1, [&]() -> ZUBInt {
    auto* H = Find<TConfigHandle>(Config);
    if (!H) return -1;
    const std::string Name = H->Config.FileName.empty() ? DefaultConfigFileName() : H->Config.FileName;
    if (!H->Config.Save(Name)) return -1;
    H->Config.Modified = false;
    return 0;
  });
}
