// The module parser's directives, the include parser and the source utilities.
#include "codeeditor/Dcmoduleparser.h"

#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace Dcparser {

Z_IMPLEMENT_CLASS(TModuleParser, TCustomDCParser)
Z_IMPLEMENT_CLASS(ZEZIncludeTokenData, TTokenData)
Z_IMPLEMENT_CLASS(ZEZIncludeParser, TModuleParser)
Z_IMPLEMENT_CLASS(TDCIDStringConvert, TObject)

namespace {
constexpr std::array<std::string_view, 13> DirectiveNames = {
    "DEFINE", "ELSE", "ENDIF", "I", "IF", "IFDEF", "IFEND", "IFNDEF", "IFOPT", "INCLUDE", "R", "RESOURCE", "UNDEF"};

constexpr bool IsIdentChar(unsigned char C) {
  return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || C == '_' || (C >= 'a' && C <= 'z');
}
constexpr bool IsIdentStart(unsigned char C) { return (C >= 'A' && C <= 'Z') || C == '_' || (C >= 'a' && C <= 'z'); }

const char* SkipBlanks(const char* P) {
  while (*P == ' ' || *P == '\t') {
    ++P;
  }
  return P;
}

// The identifier at P (one character when none starts there, nothing at the end of the text).
std::string_view WordAt(const char* P) {
  if (*P == '\0') {
    return {};
  }
  const char* E = P + 1;
  if (IsIdentStart(static_cast<unsigned char>(*P))) {
    while (IsIdentChar(static_cast<unsigned char>(*E))) {
      ++E;
    }
  }
  return {P, static_cast<std::size_t>(E - P)};
}

TStringList* MakeSortedList() {
  auto* L = new TStringList();
  L->SetSorted(true);
  L->SetDuplicates(dupIgnore);
  return L;
}

void SplitInto(TStrings* List, const std::string& Text) {
  std::size_t Pos = 0;
  while (Pos <= Text.size()) {
    std::size_t End = Text.find(';', Pos);
    if (End == std::string::npos) {
      End = Text.size();
    }
    const std::string Part = Trim(std::string_view(Text).substr(Pos, End - Pos));
    if (!Part.empty()) {
      List->Add(Part);
    }
    Pos = End + 1;
  }
}
}  // namespace

// ---- TModuleParser ----

TModuleParser::TModuleParser(TComponent* AOwner)
    : TCustomDCParser(AOwner),
      FDefines(MakeSortedList()),
      FDirectiveWords(MakeSortedList()),
      FIgnoreDefines(MakeSortedList()) {
  for (const char* D : {"WIN32", "VER130", "MSWINDOWS"}) {
    FDefines->Add(D);
  }
  for (const std::string_view D : DirectiveNames) {
    FDirectiveWords->Add(std::string(D));
  }
  InitDelphiSyntax();
}

TModuleParser::~TModuleParser() {
  delete FIgnoreDefines;
  delete FDirectiveWords;
  delete FDefines;
}

Dcapi::TDelphiVer TModuleParser::GetDelphiVer() const {
  Dcapi::TDelphiVer Ver = Dcapi::GetThisDelphiVer();
  (void)Dcapi::DCGetDelphiVerFromDefines(FDefines, Ver);  // the suite's lookup leaves Delphi 5 when none names one
  return Ver;
}

bool TModuleParser::GetSkipFlag(Integer Level) const {
  return Level >= 0 && Level < MaxIfDefLevels && (FSkipMask & (1u << Level)) != 0;
}

void TModuleParser::SetSkipFlag(Integer Level, bool Flag) {
  if (Level < 0 || Level >= MaxIfDefLevels) {
    return;
  }
  if (Flag) {
    FSkipMask |= 1u << Level;
  } else {
    FSkipMask &= ~(1u << Level);
  }
}

std::string TModuleParser::IgnoreDefinesAsLine() const {
  std::string Line;
  for (Integer I = 0; I < FIgnoreDefines->Count(); ++I) {
    if (I > 0) {
      Line += ';';
    }
    Line += FIgnoreDefines->Strings(I);
  }
  return Line;
}

bool TModuleParser::DefineIsDefined(const std::string& Text) {
  const char* First = TargetPlatform == 0 ? "MSWINDOWS" : "LINUX";
  const char* Second = TargetPlatform == 0 ? "WIN32" : "LINUX";
  if (SameText(Text, First) || SameText(Text, Second) || SameText(Text, "ConditionalExpressions")) {
    return true;
  }
  if (SameText(Text, "NOT (DEFINED(LINUX) AND DEFINED(VER140))")) {
    return !(DefineIsDefined("LINUX") && DefineIsDefined("VER140"));
  }
  if (SameText(Text, "DEFINED(LINUX) AND DEFINED(VER140)")) {
    return DefineIsDefined("LINUX") && DefineIsDefined("VER140");
  }
  Integer Index = 0;
  return FDefines->Find(Text, Index);
}

void TModuleParser::ParseIncludeFile(const std::string& FileName, bool Source) {
  (void)FileName;
  (void)Source;
}

Integer TModuleParser::ParseComment() {
  // Only a "{" directly followed by "$" opens a directive; the lines of an open comment are plain text.
  if (FState != psNormal || FCurPtr[0] != '{' || FCurPtr[1] != '$') {
    return TCustomDCParser::ParseComment();
  }
  return ParseDirective();
}

std::string TModuleParser::ArgumentText(const char* ArgStart) const {
  const char* E = ArgStart;
  while (*E != '\0' && *E != '}' && !(E[0] == '*' && E[1] == ')')) {
    ++E;
  }
  return Trim(std::string_view(ArgStart, static_cast<std::size_t>(E - ArgStart)));
}

void TModuleParser::EnterConditional(TDirective Directive, const char* ArgStart) {
  ++FIfDefLevel;
  if (FIfDefLevel >= MaxIfDefLevels) {
    ErrorFmt(SNestingTooDeep, {MaxIfDefLevels});
  }
  if (GetSkipFlag(FIfDefLevel - 1)) {
    SetSkipFlag(FIfDefLevel, true);
    return;
  }
  bool Active = true;
  if (Directive != dIFOPT) {
    const bool Holds = DefineIsDefined(UpperCase(ArgumentText(ArgStart)));
    Active = Directive == dIFNDEF ? !Holds : Holds;
  }
  SetSkipFlag(FIfDefLevel, !Active);
}

Integer TModuleParser::ParseDirective() {
  (void)PushState();  // popped below, whatever the directive does
  const char* P = SkipBlanks(FCurPtr + 2);
  const std::string_view Name = WordAt(P);
  Integer Found = -1;
  if (!Name.empty() && IsIdentStart(static_cast<unsigned char>(Name[0]))) {
    for (std::size_t I = 0; I < DirectiveNames.size(); ++I) {
      if (SameText(Name, DirectiveNames[I])) {
        Found = static_cast<Integer>(I);
      }
    }
  }
  std::string IncludeName;
  bool Include = false;
  bool Source = false;
  if (Found >= 0) {
    const char* ArgStart = SkipBlanks(Name.data() + Name.size());
    const std::string Arg(WordAt(ArgStart));
    const auto Directive = static_cast<TDirective>(Found);
    switch (Directive) {
      case dDEFINE:
        if (LevelActive() && FIgnoreDefines->IndexOf(Arg) < 0) {
          FDefines->Add(Arg);
        }
        break;
      case dUNDEF:
        if (LevelActive()) {
          Integer Index = 0;
          if (FDefines->Find(Arg, Index)) {
            FDefines->Delete(Index);
          }
        }
        break;
      case dIF:
      case dIFDEF:
      case dIFNDEF:
      case dIFOPT: EnterConditional(Directive, ArgStart); break;
      case dELSE:
        if (FIfDefLevel < 0) {
          ErrorFmt(SInvalidDirective, {"$ELSE"});
        }
        if (!GetSkipFlag(FIfDefLevel - 1)) {
          SetSkipFlag(FIfDefLevel, !GetSkipFlag(FIfDefLevel));
        }
        break;
      case dENDIF:
      case dIFEND:
        if (FIfDefLevel < 0) {
          ErrorFmt(SInvalidDirective, {Directive == dENDIF ? "$ENDIF" : "$IFEND"});
        }
        SetSkipFlag(FIfDefLevel, false);
        --FIfDefLevel;
        break;
      case dI:
      case dINCLUDE:
      case dR:
      case dRESOURCE:
        if (LevelActive() && *ArgStart != '+' && *ArgStart != '-') {
          std::string Text = ArgumentText(ArgStart);
          std::erase(Text, '\'');
          IncludeName = Text.substr(0, Text.find(' '));
          Include = !IncludeName.empty();
          Source = Directive == dI || Directive == dINCLUDE;
        }
        break;
    }
  }
  // Back to the "{" with the directive's effect kept, then the whole directive is one comment.
  const Cardinal Mask = FSkipMask;
  const Integer Level = FIfDefLevel;
  (void)PopState();  // the restored code is the one before the comment
  FSkipMask = Mask;
  FIfDefLevel = Level;
  const Integer Result = TCustomDCParser::ParseComment();
  if (Include) {
    ParseIncludeFile(IncludeName, Source);
  }
  return Result;
}

Integer TModuleParser::NextToken() {
  Integer Result = TCustomDCParser::NextToken();
  while (Result != tokEof && !LevelActive()) {
    Result = TCustomDCParser::NextToken();
  }
  return Result;
}

std::string TModuleParser::TokenString() {
  const std::string_view Text = TokenView();
  if (FToken != tokString) {
    return std::string(Text);
  }
  // The value of a Pascal literal: quoted parts with doubled quotes, and #n character codes between them.
  std::string Value;
  std::size_t I = 0;
  bool Quoted = false;
  while (I < Text.size()) {
    const char C = Text[I];
    if (C == '\'') {
      if (Quoted && I + 1 < Text.size() && Text[I + 1] == '\'') {
        Value += '\'';
        I += 2;
        continue;
      }
      Quoted = !Quoted;
      ++I;
    } else if (!Quoted && C == '#' && I + 1 < Text.size() && Text[I + 1] != '$') {
      unsigned Code = 0;
      ++I;
      while (I < Text.size() && Text[I] >= '0' && Text[I] <= '9') {
        Code = (Code * 10 + static_cast<unsigned>(Text[I] - '0')) % 256;
        ++I;
      }
      Value += static_cast<char>(Code);
    } else if (!Quoted && C == '#') {
      Value += '\0';  // "#$" codes are not decoded: the hexadecimal digits stay as text
      I += 2;
    } else {
      Value += C;
      ++I;
    }
  }
  return Value;
}

// ---- include files ----

void ZEZIncludeTokenData::AddOperation(std::shared_ptr<std::string> Buffer, Byte Kind) {
  FOperations.push_back({std::move(Buffer), Kind});
}

void ZEZIncludeTokenData::ProcessSinglePop(TCustomDCParser* Parser) {
  auto* P = static_cast<ZEZIncludeParser*>(Parser);
  for (auto It = FOperations.rbegin(); It != FOperations.rend(); ++It) {
    if (It->Kind == 1) {
      P->FIncludeBuffers.push_back(It->Buffer);
    } else if (!P->FIncludeBuffers.empty()) {
      P->FIncludeBuffers.pop_back();
    }
  }
  FOperations.clear();
}

ZEZIncludeParser::ZEZIncludeParser(TComponent* AOwner)
    : TModuleParser(AOwner), FUnitPaths(new TStringList()), FIncludedFiles(MakeSortedList()) {
  delete FStateStack;
  FStateStack = new TCollection(GetTokenDataClass());
}

TCollectionItemClass ZEZIncludeParser::GetTokenDataClass() { return ZEZIncludeTokenData::StaticClass(); }

void ZEZIncludeParser::LoadUnitPaths(const std::string& Text) {
  FUnitPaths->Clear();
  std::unique_ptr<TStringList> Parts(new TStringList());
  SplitInto(Parts.get(), Text);
  for (Integer I = 0; I < Parts->Count(); ++I) {
    FUnitPaths->Add(IncludeTrailingPathDelimiter(Parts->Strings(I)));
  }
}

void ZEZIncludeParser::StoreOperation(std::shared_ptr<std::string> Buffer, Byte Kind) {
  if (FStateStack->Count() > 0) {
    static_cast<ZEZIncludeTokenData*>(FStateStack->Items(FStateStack->Count() - 1))
        ->AddOperation(std::move(Buffer), Kind);
  }
}

void ZEZIncludeParser::AddIncludeStream(TStream* Stream, const std::string& Name) {
  // An include that includes itself, or a cycle, would nest without end.
  if (static_cast<Integer>(FIncludeBuffers.size()) >= MaxIncludeDepth) {
    ErrorFmt(SIncludeTooDeep, {MaxIncludeDepth, Name});
  }
  (void)SoftPushState();  // popped when the file ends
  try {
    auto Buffer = std::make_shared<std::string>(static_cast<std::size_t>(Stream->Size() - Stream->Position()), '\0');
    if (!Buffer->empty()) {
      Stream->ReadBuffer(Buffer->data(), static_cast<LongInt>(Buffer->size()));
    }
    FLinePos = 0;
    FCurPtr = FLinePtr = FTokenPtr = Buffer->c_str();
    FToken = tokNone;
    FIncludeBuffers.push_back(Buffer);
    StoreOperation(Buffer, 0);
  } catch (...) {
    (void)SoftPopState();  // back where the directive was; the error goes on
    throw;
  }
}

bool ZEZIncludeParser::PopIncludeStream() {
  if (FIncludeBuffers.empty()) {
    return false;
  }
  if (!SoftPopState()) {
    // A look-ahead lies above the file's own item: take the buffer out now and put it back when that pops.
    std::shared_ptr<std::string> Inner = FIncludeBuffers.back();
    FIncludeBuffers.pop_back();
    StoreOperation(Inner, 1);
  }
  return true;
}

Integer ZEZIncludeParser::NextToken() {
  for (;;) {
    const Integer Result = TModuleParser::NextToken();
    if (Result != tokEof || !PopIncludeStream()) {
      return Result;
    }
  }
}

void ZEZIncludeParser::AddIncludeFile(const std::string& FileName, bool Source) {
  if (!SameText(FileName, FParsedFileName)) {
    FIncludedFiles->AddObject(UpperCase(FileName), reinterpret_cast<TObject*>(static_cast<std::intptr_t>(Source)));
  }
  if (Source) {
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    AddIncludeStream(&Stream, FileName);
  }
}

bool ZEZIncludeParser::TryInclude(const std::string& FileName, bool Source) {
  std::string Candidate = FileName;
  if (FileName.find('*') != std::string::npos) {
    Candidate = ChangeFileExt(GetParsedFileName(), ExtractFileExt(FileName));
  }
  if (!FileExists(Candidate)) {
    if (!ExtractFileExt(FileName).empty()) {
      return false;
    }
    Candidate = FileName + (Source ? ".pas" : ".res");
    if (!FileExists(Candidate)) {
      return false;
    }
  }
  AddIncludeFile(Candidate, Source);
  return true;
}

void ZEZIncludeParser::ParseIncludeFile(const std::string& FileName, bool Source) {
  std::string Name = FileName;
  for (;;) {
    // A name is tried as written, then in lower case (units written on case-insensitive systems).
    const std::string Folder = ExtractFilePath(GetParsedFileName());
    std::vector<std::string> Names = {Name};
    if (LowerCase(Name) != Name) {
      Names.push_back(LowerCase(Name));
    }
    for (const std::string& N : Names) {
      if (TryInclude(Folder + N, Source)) {
        return;
      }
    }
    if (Name.find(PathDelim) == std::string::npos) {
      for (Integer I = 0; I < FUnitPaths->Count(); ++I) {
        for (const std::string& N : Names) {
          if (TryInclude(FUnitPaths->Strings(I) + N, Source)) {
            return;
          }
        }
      }
    }
    if (!Source) {
      return;
    }
    bool GiveUp = false;
    DoFileConfirm(Name, GiveUp);
    if (GiveUp) {
      return;
    }
  }
}

void ZEZIncludeParser::DoFileConfirm(std::string& FileName, bool& GiveUp) {
  if (!FOnFileConfirm) {
    ErrorFmt(SFileNotFound, {FileName});
  }
  GiveUp = false;
  FOnFileConfirm(FileName, GiveUp);
}

// ---- utilities ----

namespace {
void RegisterReducedPascal(ZEZIncludeParser& P) {
  static const TSysCharSet Letters = TSysCharSet::Range('A', 'Z') + TSysCharSet::Range('a', 'z') + TSysCharSet{'_'};
  static const TSysCharSet Printable = TSysCharSet::Range('!', '\xFF');
  P.ClearParserStates();
  P.InitCommon();
  P.RegisterNormalProc(TSysCharSet{' '}, &TCustomDCParser::ParseWhiteChar);
  P.RegisterNormalProc(TSysCharSet{'{'}, &TCustomDCParser::ParseComment);
  P.RegisterProc({psBraceComment}, Printable, &TCustomDCParser::ParseComment);
  P.RegisterNormalProc(Letters, &TCustomDCParser::ParseIdentifier);
  P.RegisterNormalProc(TSysCharSet{'('}, &TCustomDCParser::ParseComplexComment);
  P.RegisterNormalProc(TSysCharSet{'/'}, &TCustomDCParser::ParseCComment);
  P.RegisterProc({psBlockComment}, Printable, &TCustomDCParser::ParseComplexCommentEnd);
  P.InitEolState(psBraceComment);
  P.InitEolState(psBlockComment);
}
}  // namespace

std::string DCRemoveIfDefsEx(const std::string& Source, const std::string& Defines, const std::string& IgnoredDefines,
                             const std::string& UnitPaths, bool SourceIsFile, const TFileConfirmEvent& OnFileConfirm) {
  ZEZIncludeParser P(nullptr);
  RegisterReducedPascal(P);
  P.SetOnFileConfirm(OnFileConfirm);
  P.Defines()->Clear();
  P.IgnoreDefines()->Clear();
  SplitInto(P.Defines(), Defines);
  SplitInto(P.IgnoreDefines(), IgnoredDefines);
  P.LoadUnitPaths(UnitPaths);
  P.SetLinePos(0);
  static const std::string Empty;
  if (SourceIsFile) {
    P.SetParsedFileName(Source);
    P.SetLinePtr(Empty.c_str());
    P.AddIncludeFile(Source, true);
  } else {
    P.SetLinePtr(Source.c_str());
  }
  std::string Out;
  Integer LastLine = 0;
  while (P.NextValidToken() != tokEof) {
    if (P.LinePos() != LastLine) {
      Out += "\r\n";
      LastLine = P.LinePos();
    }
    Out += P.TokenString();
  }
  return Out;
}

std::string DCRemoveIfDefs(const std::string& Source, const std::string& Defines, const std::string& IgnoredDefines,
                           const std::string& UnitPaths, bool SourceIsFile) {
  return DCRemoveIfDefsEx(Source, Defines, IgnoredDefines, UnitPaths, SourceIsFile, nullptr);
}

std::string LoadAndParseIfDefs(const std::string& FileName, const std::string& Defines,
                               const std::string& IgnoredDefines, const std::string& UnitPaths) {
  return DCRemoveIfDefs(FileName, Defines, IgnoredDefines, UnitPaths, true);
}

TSysCharSet ParseCharSetDef(const std::string& Text) {
  TModuleParser P(nullptr);
  P.SetLinePtr(Text.c_str());
  TSysCharSet Result;
  auto ReadString = [&P]() {
    if (P.Token() != tokString) {
      P.Error(SInvalidCharSet);
    }
    std::string S = P.TokenString();
    if (S.empty()) {
      P.Error(SInvalidCharSet);
    }
    return S;
  };
  if (P.NextValidToken() == tokEof) {
    return Result;
  }
  for (;;) {
    const std::string Low = ReadString();
    for (const char C : Low) {
      Result.Include(C);
    }
    if (P.NextValidToken() == tokEof) {
      break;
    }
    if (P.IsTokenChar('.')) {
      P.CheckNextChar('.');
      (void)P.NextValidToken();  // ReadString checks it
      const std::string High = ReadString();
      for (int C = static_cast<unsigned char>(Low[0]) + 1; C <= static_cast<unsigned char>(High[0]); ++C) {
        Result.Include(static_cast<char>(C));
      }
      if (P.NextValidToken() == tokEof) {
        break;
      }
      P.CheckChar(',');
    } else if (!P.IsTokenChar(',')) {
      break;
    }
    (void)P.NextValidToken();  // the next element; ReadString checks it
  }
  return Result;
}

void CreateIntFile(const std::string& FileName) {
  std::string Text;
  {
    TFileStream In(FileName, fmOpenRead | fmShareDenyWrite);
    Text.resize(static_cast<std::size_t>(In.Size()));
    if (!Text.empty()) {
      In.ReadBuffer(Text.data(), static_cast<LongInt>(Text.size()));
    }
  }
  TFileStream Out(ChangeFileExt(FileName, ".INT"), fmCreate);
  TModuleParser P(nullptr);
  const Integer Implementation = P.WordId("implementation");
  P.SetLinePtr(Text.c_str());
  while (P.NextValidToken() != tokEof) {
    if (P.IsTokenResWord(Implementation)) {
      Out.WriteBuffer(Text.data(), static_cast<LongInt>(P.CurPtr() - Text.c_str()));
      return;
    }
  }
}

void CreateINTsForDir(const std::string& Folder) {
  std::error_code Ec;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder, Ec)) {
    if (Entry.is_regular_file(Ec) && Entry.path().extension() == ".pas") {
      CreateIntFile(Entry.path().string());
      std::printf("%s\n", Entry.path().string().c_str());
    }
  }
}

// ---- TDCIDStringConvert ----

TDCIDStringConvert::TDCIDStringConvert() : FSorted(MakeSortedList()) {
  FSorted->SetCaseSensitive(true);
  (void)StringToID(std::string(1, '\0'));  // number 0
}

Integer TDCIDStringConvert::StringToID(const std::string& Text) {
  Integer Index = 0;
  if (FSorted->Find(Text, Index)) {
    return static_cast<Integer>(reinterpret_cast<std::intptr_t>(FSorted->Objects(Index)));
  }
  const auto Id = static_cast<Integer>(FNumbered.size());
  FNumbered.push_back(Text);
  FSorted->AddObject(Text, reinterpret_cast<TObject*>(static_cast<std::intptr_t>(Id)));
  return Id;
}

std::string TDCIDStringConvert::IDToString(Integer Id) const {
  return Id >= 0 && Id < static_cast<Integer>(FNumbered.size()) ? FNumbered[static_cast<std::size_t>(Id)]
                                                                : std::string();
}

}  // namespace Dcparser
