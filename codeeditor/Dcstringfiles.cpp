// The memo source's lines adapter, loading and saving (streams, files with backups, properties), the option
// groups, the clipboard sources and the unit's initialisation.
#include "codeeditor/Dcstring.h"

#include "platform/classes/TypInfo.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/UnitInit.h"
#include "platform/win/Clipboard.h"
#include "platform/win/UtilWindow.h"
#include "suitebase/Classparams.h"
#include "suitebase/Fileutils.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Z_ENUM_TYPEINFO(Dcstring::TStringsOption, "soBackUnindents", "soGroupUndo", "soBeyondFileEnd", "soForceCutCopy",
                "soAutoIndent", "soSmartTab", "soFindTextAtCursor", "soCreateBackups", "soPersistentBlocks",
                "soOverwriteBlocks", "soLimitEOL", "soUseTabCharacter", "soCursorOnTabs", "soOptimalFill",
                "soSelectFoundText", "soExcludeReadOnlyLines", "soCursorAlwaysOnTabs", "soUsePrevIndent",
                "soRetainColumn")
Z_ENUM_TYPEINFO(Dcstring::TBlockOption, "bkStreamSel", "bkBlockSel", "bkNone", "bkBoth")
Z_ENUM_TYPEINFO(Dcstring::TOutFormatType, "ofWindows", "ofMac", "ofUnix")
Z_ENUM_TYPEINFO(Dcstring::TSearchDirection, "sdForward", "sdBackward")
Z_ENUM_TYPEINFO(Dcstring::TSearchScope, "ssGlobal", "ssSelectedText")
Z_ENUM_TYPEINFO(Dcstring::TSearchOrigin, "soFromCursor", "soEntireScope")
Z_ENUM_TYPEINFO(Dcstring::TSearchWhere, "swProjectFiles", "swOpenFiles", "swDirectories", "swOther")

namespace Dcstring {

Z_IMPLEMENT_CLASS(TSourceStrings, TStrings)
Z_IMPLEMENT_CLASS(TExternalStrings, TSourceStrings)
Z_IMPLEMENT_CLASS(TSelectionStrings, TSourceStrings)
Z_IMPLEMENT_CLASS_PUBLISHED(TSearchOptions, Dorazori::TOptionExt, TSearchOptions::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TMemoSourceOptions, Dorazori::TOptionExt, TMemoSourceOptions::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TClipBoardSource, TCustomMemoSource, TClipBoardSource::Publish)
Z_IMPLEMENT_CLASS(TClipbrdMemoSource, TClipBoardSource)

void FreeMemoSources();

namespace {
template <class F>
void InUpdate(TCustomMemoSource* M, Integer Reason, F&& Body) {
  M->BeginUpdate(Reason);
  try {
    Body();
  } catch (...) {
    M->EndUpdate();
    throw;
  }
  M->EndUpdate();
}

std::string TrimRightBlanks(std::string S) {
  while (!S.empty() && static_cast<Byte>(S.back()) <= ' ') {
    S.pop_back();
  }
  return S;
}

// Splits text at CR, LF or CR LF; a final line break adds no line.
template <class F>
void ForEachLine(std::string_view Text, F&& Add) {
  std::size_t Start = 0;
  const std::size_t N = Text.size();
  std::size_t I = 0;
  while (I < N) {
    const char C = Text[I];
    if (C == '\r' || C == '\n') {
      Add(Text.substr(Start, I - Start));
      if (C == '\r' && I + 1 < N && Text[I + 1] == '\n') {
        ++I;
      }
      Start = I + 1;
    }
    ++I;
  }
  if (Start < N) {
    Add(Text.substr(Start));
  }
}

std::string ReadRest(TStream* S) {
  const Int64 Left = S->Size() - S->Position();
  std::string Text(static_cast<std::size_t>(std::max<Int64>(Left, 0)), '\0');
  if (!Text.empty()) {
    S->ReadBuffer(Text.data(), static_cast<Integer>(Text.size()));
  }
  return Text;
}

// The file a save writes to: a symbolic link's target, so that the link stays.
std::string ResolveTarget(const std::string& Name) {
  struct stat St {};
  if (::lstat(Name.c_str(), &St) == 0 && S_ISLNK(St.st_mode)) {
    char Buf[PATH_MAX];
    if (::realpath(Name.c_str(), Buf) != nullptr) {
      return Buf;
    }
  }
  return Name;
}

// Writes Content to a new temporary file beside Target with Target's permission bits (or the default ones),
// flushed to disk; returns its name. Raises on failure and leaves nothing behind.
std::string WriteTempBeside(const std::string& Target, const std::string& Content) {
  std::string Folder = ExtractFilePath(Target);
  if (Folder.empty()) {
    Folder = "./";
  }
  std::string Temp = IncludeTrailingPathDelimiter(Folder) + ".zubq-save-XXXXXX";
  const int Fd = ::mkostemp(Temp.data(), O_CLOEXEC);
  if (Fd < 0) {
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {Target, std::string(std::strerror(errno))}));
  }
  mode_t Mode = 0;
  struct stat St {};
  if (::stat(Target.c_str(), &St) == 0) {
    Mode = St.st_mode & 07777;
  } else {
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    Mode = 0666 & ~Mask;
  }
  bool Ok = true;
  const char* P = Content.data();
  std::size_t Left = Content.size();
  while (Ok && Left > 0) {
    const ssize_t N = ::write(Fd, P, Left);
    if (N < 0) {
      Ok = errno == EINTR;
      continue;
    }
    P += N;
    Left -= static_cast<std::size_t>(N);
  }
  Ok = Ok && ::fchmod(Fd, Mode) == 0 && ::fsync(Fd) == 0;
  const int Err = errno;
  Ok = ::close(Fd) == 0 && Ok;
  if (!Ok) {
    ::unlink(Temp.c_str());
    throw EWriteError(Format("Cannot write file \"%s\". %s", {Target, std::string(std::strerror(Err))}));
  }
  return Temp;
}
}  // namespace

// ---- the lines adapter ----

std::string TExternalStrings::Get(Integer Index) const { return FMemoSource->GetStrings()->Strings(Index); }

Integer TExternalStrings::GetCount() const { return FMemoSource->GetStrCount(); }

TObject* TExternalStrings::GetObject(Integer Index) const { return FMemoSource->GetStrings()->Objects(Index); }

void TExternalStrings::PutObject(Integer Index, TObject* AObject) {
  FMemoSource->GetStrings()->SetObjects(Index, AObject);
}

void TExternalStrings::Put(Integer Index, const std::string& S) {
  TCustomMemoSource* M = FMemoSource;
  if (Index < 0 || Index >= M->GetStrCount()) {
    return;
  }
  M->BeginSafeUpdate(Reason::LinesPut);
  try {
    M->GetStrings()->SetStrings(Index, M->ConvertTabs(S));
    M->UpdateChanged(Index, Index);
  } catch (...) {
    M->EndUpdate();
    throw;
  }
  M->EndUpdate();
  M->ClearUndoBuffer();
}

void TExternalStrings::Insert(Integer Index, const std::string& S) {
  TCustomMemoSource* M = FMemoSource;
  if (Index < 0 || Index > M->GetStrCount()) {
    return;
  }
  if (M->BulkLoad) {
    std::string T = M->ConvertTabs(S);
    M->GetStrings()->Insert(Index, M->KeepTrailingBlanks ? T : TrimRightBlanks(T));
    return;
  }
  M->BeginSafeUpdate(Reason::InsertString);
  try {
    M->CaretPos()->SetPosition(0, Index);
    M->UpdatePositions(soBreakLine, 0);
    M->GetStrings()->Insert(Index, M->ConvertTabs(S));
    M->UpdateChanged(Index, MaxInt);
  } catch (...) {
    M->EndUpdate();
    throw;
  }
  M->EndUpdate();
  M->ClearUndoBuffer();
}

void TExternalStrings::Delete(Integer Index) {
  TCustomMemoSource* M = FMemoSource;
  if (Index < 0 || Index >= M->GetStrCount()) {
    return;
  }
  M->BeginSafeUpdate(Reason::DeleteLine);
  try {
    M->CaretPos()->SetPosition(0, Index);
    M->UpdatePositions(soDeleteRight, static_cast<Integer>(M->GetDisplay(Index).size()));
    M->UpdatePositions(soJoinLines, 0);
    M->ForgetTabFree();
    M->GetStrings()->Delete(Index);
    M->UpdateChanged(Index, MaxInt);
  } catch (...) {
    M->EndUpdate();
    throw;
  }
  M->EndUpdate();
  M->ClearUndoBuffer();
}

void TExternalStrings::Clear() {
  TCustomMemoSource* M = FMemoSource;
  M->BeginSafeUpdate(Reason::Clear);
  try {
    M->ForgetTabFree();
    M->GetStrings()->Clear();
    M->UpdateChanged(0, MaxInt);
    M->FSavedSelType = stNotSelected;
    if (M->FSavedHeld) {
      M->FSavedCaret->SetPosition(0, 0);
    }
    M->CaretPos()->SetPosition(0, 0);
    M->FSelectionType = stNotSelected;
    M->BookMarks()->ClearRecords();
    M->HiddenLines()->Clear();
    M->ReCalculateMaxLine();
  } catch (...) {
    M->EndUpdate();
    throw;
  }
  M->EndUpdate();
  M->ClearUndoBuffer();
}

std::string TExternalStrings::GetTextStr() const {
  TInternalStrings* S = FMemoSource->GetStrings();
  std::string Text;
  for (Integer I = 0; I < S->Count(); ++I) {
    Text += S->Items(I)->Text;
    Text += "\r\n";
  }
  for (int I = 0; I < 2 && !Text.empty() && (Text.back() == '\r' || Text.back() == '\n'); ++I) {
    Text.pop_back();
  }
  return Text;
}

void TExternalStrings::SetTextStr(std::string_view Value) {
  TCustomMemoSource* M = FMemoSource;
  InUpdate(M, Reason::LinesText, [&] {
    const bool Old = M->BulkLoad;
    M->BulkLoad = true;
    try {
      M->ForgetTabFree();
      M->GetStrings()->Clear();
      M->BookMarks()->ClearRecords();
      M->HiddenLines()->Clear();
      TInternalStrings* Store = M->GetStrings();
      const bool Keep = M->KeepTrailingBlanks;
      ForEachLine(Value, [&](std::string_view Line) {
        std::string T = M->ConvertTabs(std::string(Line));
        Store->Insert(Store->Count(), Keep ? T : TrimRightBlanks(std::move(T)));
      });
    } catch (...) {
      M->BulkLoad = Old;
      throw;
    }
    M->BulkLoad = Old;
    M->UpdateChanged(0, MaxInt);
    M->ReCalculateMaxLine();
    M->CaretPos()->SetPosition(0, 0);
    M->FSelectionType = stNotSelected;
  });
  M->ClearUndoBuffer();
}

void TExternalStrings::SetUpdateState(bool Updating) {
  if (Updating) {
    FMemoSource->BeginSafeUpdate(Reason::LinesText);
  } else {
    FMemoSource->EndUpdate();
    FMemoSource->ClearUndoBuffer();
  }
}

void TExternalStrings::LoadFromStream(TStream* Stream) {
  TCustomMemoSource* M = FMemoSource;
  const std::string Text = ReadRest(Stream);
  InUpdate(M, Reason::LinesText, [&] {
    SetTextStr(Text);
    M->JumpTo(0, 0);
  });
  M->ClearUndoBuffer();
}

void TExternalStrings::SaveToStream(TStream* Stream) {
  TCustomMemoSource* M = FMemoSource;
  const std::string Text = M->TextForSave();
  if (!Text.empty()) {
    Stream->WriteBuffer(Text.data(), static_cast<Integer>(Text.size()));
  }
}

void TExternalStrings::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TStrings*>(Source)) {
    std::string Text;
    for (Integer I = 0; I < S->Count(); ++I) {
      Text += S->Strings(I);
      Text += '\n';
    }
    SetTextStr(Text);
    FMemoSource->JumpTo(0, 0);
    FMemoSource->ClearUndoBuffer();
    return;
  }
  TSourceStrings::Assign(Source);
}

std::string TCustomMemoSource::TextForSave() {
  if (!FOptions.Contains(soExcludeReadOnlyLines) && OutFormat == ofWindows) {
    return FLines->GetTextStr();
  }
  const char* Break = OutFormat == ofWindows ? "\r\n" : (OutFormat == ofMac ? "\r" : "\n");
  const bool Exclude = FOptions.Contains(soExcludeReadOnlyLines);
  std::string Text;
  for (Integer I = 0; I < GetStrCount(); ++I) {
    const TStringItem* Item = GetStringItem(I);
    if (Exclude && Item->ItemState.Contains(isReadOnly)) {
      continue;
    }
    Text += Item->Text;
    Text += Break;
  }
  return Text;
}

// ---- loading ----

void TCustomMemoSource::DoLoadFromFile(const std::string& FileName) {
  TFileStream S(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&S);
}

void TCustomMemoSource::QuickLoadFromFile(const std::string& Name) {
  const bool Old = BulkLoad;
  BulkLoad = true;
  try {
    LoadFromFile(Name);
  } catch (...) {
    BulkLoad = Old;
    throw;
  }
  BulkLoad = Old;
}

void TCustomMemoSource::LoadFromStream(TStream* S) {
  const std::string Text = ReadRest(S);
  InUpdate(this, Reason::Load, [&] {
    FLines->SetTextStr(Text);
    State = TMemoStates{msPositionChanged, msUndo,           msBlockChanged, msInsState, msCountChanged,
                        msModifiedChanged, msObjNameChanged, msParserChanged};
    UpdateChangedLines(0, MaxInt);
    for (Integer I = 0; I < FPositions->Count(); ++I) {
      static_cast<TPosition*>(FPositions->Items(I))->SetPosition(0, 0);
    }
    FSelectionType = stNotSelected;
    FCaretPos->SetPosition(0, 0);
  });
  ClearUndoBuffer();
  SetModified(false);
}

void TCustomMemoSource::LoadFromStrings(TStrings* Strings) {
  InUpdate(this, Reason::Load, [&] {
    ResetPositions();
    ClearUndoBuffer();
    ForgetTabFree();
    FStrings->Clear();
    FBookMarks->ClearRecords();
    FHiddenLines->Clear();
    for (Integer I = 0; I < Strings->Count(); ++I) {
      FStrings->Insert(FStrings->Count(), Strings->Strings(I));
    }
    UpdateChanged(0, MaxInt);
    ReCalculateMaxLine();
  });
}

void TCustomMemoSource::LoadFromProp(TPersistent* Obj, const std::string& PropName) {
  if (Obj == nullptr) {
    Clear();
    return;
  }
  TStringStream S(GetStrProp(Obj, PropName));
  LoadFromStream(&S);
}

// ---- saving ----

void TCustomMemoSource::SaveToStream(TStream* S) { FLines->SaveToStream(S); }

void TCustomMemoSource::DoSaveToFile(const std::string& FileName) {
  // A new file beside the target replaces it at once, so a failing save leaves the old file whole.
  const std::string Target = ResolveTarget(FileName);
  const std::string Temp = WriteTempBeside(Target, TextForSave());
  if (::rename(Temp.c_str(), Target.c_str()) != 0) {
    const int Err = errno;
    ::unlink(Temp.c_str());
    throw EWriteError(Format("Cannot write file \"%s\". %s", {FileName, std::string(std::strerror(Err))}));
  }
}

std::string TCustomMemoSource::GetBackupName(const std::string& FileName) {
  std::string Back = Dorazori::FileBakName(FileName);
  if (OnGetBackupName) {
    OnGetBackupName(this, FileName, Back);
  }
  return Back;
}

void TCustomMemoSource::SaveToFile(const std::string& Name) {
  if (!FOptions.Contains(soCreateBackups)) {
    DoSaveToFile(Name);
    return;
  }
  const std::string Target = ResolveTarget(Name);
  const std::string Temp = WriteTempBeside(Target, TextForSave());
  const std::string Back = GetBackupName(Target);
  try {
    struct stat St {};
    if (::lstat(Back.c_str(), &St) == 0 && ::unlink(Back.c_str()) != 0) {
      throw Exception(Format(SErrDeleteFile, {Back}));
    }
    if (::lstat(Target.c_str(), &St) == 0 && ::rename(Target.c_str(), Back.c_str()) != 0) {
      throw Exception(Format(SErrRenameFile, {Target, Back}));
    }
    if (::rename(Temp.c_str(), Target.c_str()) != 0) {
      throw Exception(Format(SErrRenameFile, {Temp, Target}));
    }
  } catch (...) {
    ::unlink(Temp.c_str());
    throw;
  }
}

void TCustomMemoSource::SaveToProp(TPersistent* Obj, const std::string& PropName) {
  if (Obj == nullptr) {
    return;
  }
  TStringStream S("");
  SaveToStream(&S);
  SetStrProp(Obj, PropName, S.DataString());
}

Integer TCustomMemoSource::SaveWithQuestion() {
  if (FObjectName.empty() || !FModified) {
    return 1;
  }
  const int Answer = MessageDlg(Format(SAskSaveFile, {FObjectName}), mtConfirmation, mbYesNoCancel, 0);
  if (Answer == mrYes) {
    Save();
    return 1;
  }
  return Answer == mrNo ? 1 : 0;
}

// ---- global options ----

void TCustomMemoSource::LoadGlobalOptions() {
  TMemoSourceOptions* O = GlobalMemoSourceOptions();
  SetOptions(O->Options());
  try {
    SetTabStops(O->TabStops());
  } catch (Exception&) {
    // A stored list that is not valid leaves the stops as they are.
  }
  SetDelimeters(O->Delimeters());
  SetBlockIndent(O->BlockIndent());
  KeepTrailingBlanks = O->KeepTrailingBlanks();
}

void TCustomMemoSource::SetUseGlobalOptions(bool Value) {
  if (Value) {
    LoadGlobalOptions();
  }
  FUseGlobalOptions = Value;
}

// ---- option groups ----

std::string TSearchOptions::GetDisplayTextToFind() const {
  std::string R;
  for (char C : TextToFind) {
    R += C;
    if (C == '&') {
      R += '&';
    }
  }
  return R;
}

void TSearchOptions::Publish(TMetaClass& Meta) {
  using T = TSearchOptions;
  TPublisher<T> P(Meta);
  P.Property("CaseSensitive", &T::CaseSensitive, &T::CaseSensitive).Default(false);
  P.Property("WholeWordsOnly", &T::WholeWordsOnly, &T::WholeWordsOnly).Default(false);
  P.Property("RegularExpr", &T::RegularExpr, &T::RegularExpr).Default(false);
  P.Property("Direction", &T::Direction, &T::Direction).Default(sdForward);
  P.Property("Scope", &T::Scope, &T::Scope).Default(ssGlobal);
  P.Property("Origin", &T::Origin, &T::Origin).Default(soEntireScope);
  P.Property("PromptOnReplace", &T::PromptOnReplace, &T::PromptOnReplace).Default(false);
  P.Property("TextToFind", &T::TextToFind, &T::TextToFind);
  P.Property("ReplaceWith", &T::ReplaceWith, &T::ReplaceWith);
  P.Property("FirstSearch", &T::FirstSearch, &T::FirstSearch).Default(false);
  P.Property("InReplace", &T::InReplace, &T::InReplace).Default(false);
  P.Property("ReplaceAll", &T::ReplaceAll, &T::ReplaceAll).Default(false);
  P.Property("ShowNotFound", &T::ShowNotFound, &T::ShowNotFound).Default(false);
  P.Property("Where", &T::Where, &T::Where).Default(swDirectories);
  P.Property("FileMask", &T::FileMask, &T::FileMask);
  P.Property("IncludeSubDirs", &T::IncludeSubDirs, &T::IncludeSubDirs).Default(false);
}

void TSearchOptions::LoadConfig() {
  try {
    Dorazori::TOptionExt::LoadConfig();
  } catch (...) {
    LimitChoices();
    throw;
  }
  LimitChoices();
}

void TSearchOptions::LimitChoices() {
  if (Direction < sdForward || Direction > sdBackward) {
    Direction = sdForward;
  }
  if (Scope < ssGlobal || Scope > ssSelectedText) {
    Scope = ssGlobal;
  }
  if (Origin < soFromCursor || Origin > soEntireScope) {
    Origin = soEntireScope;
  }
  if (Where < swProjectFiles || Where > swOther) {
    Where = swDirectories;
  }
}

TSearchOptions* GetSearchOptions() {
  return static_cast<TSearchOptions*>(Dorazori::GetOptionsByClass(TSearchOptions::StaticClass()));
}

void TMemoSourceOptions::Publish(TMetaClass& Meta) {
  using T = TMemoSourceOptions;
  TPublisher<T> P(Meta);
  P.Property("KeepTrailingBlanks", &T::KeepTrailingBlanks, &T::SetKeepTrailingBlanks).Default(false);
  P.Property("Options", &T::Options, &T::SetOptions);
  P.Property("TabStops", &T::TabStops, &T::SetTabStops);
  P.Property("Delimeters", &T::Delimeters, &T::SetDelimeters);
  P.Property("BlockIndent", &T::BlockIndent, &T::SetBlockIndent).Default(1);
}

void TMemoSourceOptions::Update() {
  if (UpdateDisabled()) {
    return;
  }
  TList* L = MemoSources();
  for (Integer I = 0; I < L->Count(); ++I) {
    auto* M = static_cast<TCustomMemoSource*>(L->Items(I));
    if (M->UseGlobalOptions()) {
      M->LoadGlobalOptions();
    }
  }
}

void TMemoSourceOptions::SetKeepTrailingBlanks(bool Value) {
  if (Value != FKeepTrailingBlanks) {
    FKeepTrailingBlanks = Value;
    Update();
  }
}

void TMemoSourceOptions::SetOptions(TStringsOptions Value) {
  if (!(Value == FOptions)) {
    FOptions = Value;
    Update();
  }
}

void TMemoSourceOptions::SetTabStops(const std::string& Value) {
  if (Value == FTabStops) {
    return;
  }
  // Only a list a memo source accepts is kept: numbers above 0, rising, none above 9999.
  Integer Last = 0;
  std::size_t Start = 0;
  while (Start <= Value.size()) {
    std::size_t Comma = Value.find(',', Start);
    if (Comma == std::string::npos) {
      Comma = Value.size();
    }
    Integer V = 0;
    if (!TryStrToInt(Trim(Value.substr(Start, Comma - Start)), V) || V <= Last || V > 9999) {
      return;
    }
    Last = V;
    Start = Comma + 1;
  }
  FTabStops = Value;
  Update();
}

void TMemoSourceOptions::SetDelimeters(const std::string& Value) {
  if (Value != FDelimeters) {
    FDelimeters = Value;
    Update();
  }
}

void TMemoSourceOptions::SetBlockIndent(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, 9999);
  if (Value != FBlockIndent) {
    FBlockIndent = Value;
    Update();
  }
}

TMemoSourceOptions* GlobalMemoSourceOptions() {
  return static_cast<TMemoSourceOptions*>(Dorazori::GetOptionsByClass(TMemoSourceOptions::StaticClass()));
}

// ---- published properties ----

namespace {
// The properties both published memo sources have.
template <class T>
void PublishCommon(TPublisher<T>& P) {
  P.Property("Options", &T::Options, &T::SetOptions);
  P.Property("SyntaxParser", &T::SyntaxParser, &T::SetSyntaxParser);
  P.Property("TabStops", &T::TabStops, &T::SetTabStops);
  P.Property("Delimeters", &T::Delimeters, &T::SetDelimeters);
  P.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
  P.Property("BlockIndent", &T::BlockIndent, &T::SetBlockIndent).Default(1);
  P.Property("SpacesInTab", &T::SpacesInTab, &T::SetSpacesInTab).Default(8);
  P.Property("UseGlobalOptions", &T::UseGlobalOptions, &T::SetUseGlobalOptions).Default(false);
}
}  // namespace

void TMemoSource::Publish(TMetaClass& Meta) {
  using T = TMemoSource;
  TPublisher<T> P(Meta);
  PublishCommon(P);
  P.Property("Lines", &T::Lines, &T::SetLines);
  P.Property("CodeTemplates", &T::CodeTemplates, &T::SetCodeTemplates);
  P.Property("TemplatesType", &T::TemplatesType, &T::SetTemplatesType);
  P.Property("HighlightUrls", &T::HighlightUrls, &T::SetHighLightUrls).Default(false);
  P.Property("BlockOption", &T::GetBlockOption, &T::SetBlockOption).Default(bkBoth);
  P.Property("OutFormat", &T::GetOutFormat, &T::SetOutFormat).Default(ofWindows);
  P.Property("AllowUndo", &T::AllowUndo, &T::SetAllowUndo).Default(true);
  P.Property("UndoLimit", &T::UndoLimit, &T::SetUndoLimit).Default(0);
}

void TClipBoardSource::Publish(TMetaClass& Meta) {
  TPublisher<TClipBoardSource> P(Meta);
  PublishCommon(P);
}

// ---- clipboard sources ----

TClipBoardSource::TClipBoardSource(TComponent* AOwner) : TCustomMemoSource(AOwner) {
  TCustomMemoSource::ChangeObjectName(SClipboard);
  FWindow = AllocateHWnd([this](TMessage& M) { M.Result = WndProc(M.Msg, M.WParam, M.LParam); });
  FNextViewer = SetClipboardViewer(FWindow);
}

TClipBoardSource::~TClipBoardSource() {
  if (FWindow != 0) {
    ChangeClipboardChain(FWindow, FNextViewer);
    DeallocateHWnd(FWindow);
    FWindow = 0;
  }
}

void TClipBoardSource::CopyBlock() {
  FOwnCopy = true;
  try {
    TCustomMemoSource::CopyBlock();
  } catch (...) {
    FOwnCopy = false;
    throw;
  }
  FOwnCopy = false;
}

LRESULT TClipBoardSource::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_DRAWCLIPBOARD) {
    if (!FOwnCopy && Clipboard()->HasFormat(CF_TEXT)) {
      const std::string Text = Clipboard()->AsText();
      BeginUpdate(Reason::Insert);
      try {
        JumpToFileEnd();
        if (GetStrCount() > 0) {
          BreakLine();
          JumpToFileEnd();
        }
        InsertString(Text);
      } catch (...) {
        EndUpdate();
        throw;
      }
      EndUpdate();
    }
    if (FNextViewer != 0) {
      SendMessage(FNextViewer, Msg, WParam, LParam);
    }
    return 0;
  }
  if (Msg == WM_CHANGECBCHAIN) {
    if (reinterpret_cast<HWND>(WParam) == FNextViewer) {
      FNextViewer = static_cast<HWND>(LParam);
    } else if (FNextViewer != 0) {
      SendMessage(FNextViewer, Msg, WParam, LParam);
    }
    return 0;
  }
  return DefWindowProc(FWindow, Msg, WParam, LParam);
}

// ---- the unit ----

namespace {
void InitializeDcstring() {
  Dorazori::RegisterOptionExt(TMemoSourceOptions::StaticClass());
  Dorazori::RegisterOptionExt(TSearchOptions::StaticClass());
  RegisterTemplatesProc("None", nullptr);
  RegisterTemplatesProc("Custom", nullptr);
  RegisterTemplatesProc("Delphi", &FillWithDelphiTemplates);
  RegisterTemplatesProc("C++ Builder", &FillWithCppTemplates);
  RegisterTemplatesProc("Clipper", &FillWithClipperTemplates);
  cHotSpotChars = "-./:=?@~";
}

void FinalizeDcstring() { FreeMemoSources(); }
}  // namespace

}  // namespace Dcstring

Z_REGISTER_UNIT(UnitOrder::CodeEditorUnits + 40, "Dcstring", &Dcstring::InitializeDcstring, &Dcstring::FinalizeDcstring)
