// The property store.
#include "suitebase/Propstore.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Profile.h"
#include "suitebase/Formhelpers.h"
#include "suitebase/Objstreams.h"
#include "suitebase/Regstore.h"

#include <algorithm>
#include <sys/stat.h>

namespace Dccommon {

namespace {

bool SameText(const std::string& A, const std::string& B) { return AnsiCompareText(A, B) == 0; }

bool Contains(const std::vector<std::string>& Names, const std::string& Name) {
  return std::any_of(Names.begin(), Names.end(), [&](const std::string& N) { return SameText(N, Name); });
}

// Reads a record's image into its component: only the selected properties are taken (the others are skipped,
// so their setters never run), and the component keeps its name.
class TSelectedPropsReader : public Dorazori::TPropReader {
public:
  TSelectedPropsReader(TStream* S, const std::vector<std::string>& Names)
      : Dorazori::TPropReader(S, 4096), Selected(Names) {}

protected:
  bool AcceptProperty(TPersistent* Instance, PPropInfo Info) override {
    return Instance != PropRoot || Contains(Selected, Info->Name);
  }

private:
  const std::vector<std::string>& Selected;
};

// The whole of an INI section, however long, as its NUL-separated lines.
std::string ReadWholeSection(const std::string& FileName, const std::string& Section) {
  struct stat St {};
  const std::string Path = ProfileFileName(FileName);
  const std::size_t FileSize = stat(Path.c_str(), &St) == 0 ? static_cast<std::size_t>(St.st_size) : 0;
  std::vector<char> Buffer(std::max<std::size_t>(32767, FileSize + 2));
  for (;;) {
    const DWORD N =
        GetPrivateProfileSection(Section.c_str(), Buffer.data(), static_cast<DWORD>(Buffer.size()), FileName.c_str());
    if (N + 2 < Buffer.size()) {
      return std::string(Buffer.data(), N);
    }
    Buffer.resize(Buffer.size() * 2);
  }
}

}  // namespace

Z_IMPLEMENT_CLASS_PUBLISHED(ZEZPropStore, TComponent, ZEZPropStore::Publish)

ZEZPropStore::ZEZPropStore(TComponent* AOwner) : TComponent(AOwner), FPropList(std::make_unique<TStringList>()) {}

ZEZPropStore::~ZEZPropStore() = default;

void ZEZPropStore::Publish(TMetaClass& Meta) {
  TPublisher<ZEZPropStore> P(Meta);
  P.Property("IgnoreErrors", &ZEZPropStore::IgnoreErrors, &ZEZPropStore::IgnoreErrors).Default(true);
  P.Property("IniFile", &ZEZPropStore::IniFile, &ZEZPropStore::IniFile);
  P.Property("IniSection", &ZEZPropStore::IniSection, &ZEZPropStore::IniSection);
  P.Property("Key", &ZEZPropStore::FKey, &ZEZPropStore::SetKey);
  P.Property("PropList", &ZEZPropStore::PropList, &ZEZPropStore::SetPropList);
  P.Property("StorePos", &ZEZPropStore::StorePos, &ZEZPropStore::StorePos).Default(true);
  P.Property("UseIniFile", &ZEZPropStore::UseIniFile, &ZEZPropStore::UseIniFile).Default(false);
  P.Property("OnLoadChanges", &ZEZPropStore::OnLoadChanges, &ZEZPropStore::OnLoadChanges);
  P.Property("OnSaveChanges", &ZEZPropStore::OnSaveChanges, &ZEZPropStore::OnSaveChanges);
  P.Property("OnChangesLoaded", &ZEZPropStore::OnChangesLoaded, &ZEZPropStore::OnChangesLoaded);
  P.Property("OnChangesSaved", &ZEZPropStore::OnChangesSaved, &ZEZPropStore::OnChangesSaved);
}

std::string ZEZPropStore::Key() const {
  if (!FKey.empty()) {
    return FKey;
  }
  return (Owner() ? Owner()->Name() : std::string()) + Name();
}

void ZEZPropStore::Loaded() {
  TComponent::Loaded();
  if (ComponentState().Contains(csDesigning)) {
    return;
  }
  HookOnClose();
  BeginGlobalLoading();
  try {
    Load();
    NotifyGlobalLoading();
  } catch (...) {
    EndGlobalLoading();
    throw;
  }
  EndGlobalLoading();
}

void ZEZPropStore::HookOnClose() {
  if (ComponentState().Contains(csDesigning) || FHooked) {
    return;
  }
  if (auto* Module = dynamic_cast<TDataModule*>(Owner())) {
    FOldOnDestroy = Module->OnDestroy;
    Module->OnDestroy = [this](TObject* Sender) { MyOnDestroy(Sender); };
    FHooked = true;
    return;
  }
  for (TComponent* C = Owner(); C; C = C->Owner()) {
    if (auto* Form = dynamic_cast<TCustomForm*>(C)) {
      FOldCloseQuery = Form->OnCloseQuery;
      Form->OnCloseQuery = [this](TObject* Sender, bool& CanClose) { MyCloseQuery(Sender, CanClose); };
      FHooked = true;
      return;
    }
  }
}

void ZEZPropStore::MyOnDestroy(TObject* Sender) {
  if (FOldOnDestroy) {
    FOldOnDestroy(Sender);
  }
  Save();
}

void ZEZPropStore::MyCloseQuery(TObject* Sender, bool& CanClose) {
  if (FOldCloseQuery) {
    FOldCloseQuery(Sender, CanClose);
  }
  auto* Control = dynamic_cast<TWinControl*>(Owner());
  if (CanClose && Control && Control->HandleAllocated()) {
    Save();
  }
}

std::vector<ZEZPropStore::TGroup> ZEZPropStore::Groups() const {
  std::vector<TGroup> Out;
  for (Integer I = 0; I < FPropList->Count(); ++I) {
    const std::string Line = FPropList->Strings(I);
    const std::size_t Dot = Line.rfind('.');
    const std::string Comp = Dot == std::string::npos ? std::string() : Line.substr(0, Dot);
    const std::string Prop = Dot == std::string::npos ? Line : Line.substr(Dot + 1);
    if (Out.empty() || Out.back().ComponentName != Comp) {
      TGroup G;
      G.ComponentName = Comp;
      G.Component = FindStoredComponent(Comp);
      G.RecordName = Comp.empty() ? (Owner() ? Owner()->Name() : std::string()) : Comp;
      Out.push_back(std::move(G));
    }
    Out.back().Names.push_back(Prop);
  }
  return Out;
}

TComponent* ZEZPropStore::FindStoredComponent(const std::string& Name) const {
  if (Name.empty()) {
    return Owner();
  }
  if (Owner()) {
    if (TComponent* C = Owner()->FindComponent(Name)) {
      return C;
    }
    if (TComponent* C = GlobalFindObject(Owner()->Name() + "." + Name)) {
      return C;
    }
  }
  return GlobalFindObject(Name);
}

void ZEZPropStore::SaveToStream(TStream* Stream) {
  TWriter W(Stream, 4096);
  for (const TGroup& G : Groups()) {
    W.WriteBoolean(true);
    if (!G.Component) {
      W.WriteString("0");
      continue;
    }
    W.WriteString(G.RecordName);
    std::string Names;
    for (const std::string& N : G.Names) {
      Names += N + "\r\n";
    }
    W.WriteString(Names);
    Dorazori::WritePropsToStream(Stream, G.Component, G.Names);
  }
  W.WriteBoolean(false);
}

void ZEZPropStore::ReaderError(TReader*, const std::string& Message, bool& Handled) {
  if (IgnoreErrors) {
    Handled = true;
    return;
  }
  Handled =
      ::MessageBox(0, Message.c_str(), SErrorReadingProperties, MB_OKCANCEL | MB_ICONERROR | MB_TASKMODAL) == IDOK;
  FErrorRefused = !Handled;  // the error that follows is not offered again
}

void ZEZPropStore::ReadComponentProps(TComponent* Component, TStream* Image, const std::vector<std::string>& Names) {
  TSelectedPropsReader Reader(Image, Names);
  Reader.PropRoot = Component;
  Reader.OnError = [this](TReader* R, const std::string& Message, bool& Handled) { ReaderError(R, Message, Handled); };
  Reader.OnSetName = [](TReader*, TComponent* C, std::string& Name) { Name = C->Name(); };
  Reader.ReadRootComponent(Component);
}

void ZEZPropStore::LoadFromStream(TStream* Stream) {
  FErrorRefused = false;
  try {
    LoadImage(Stream);
  } catch (const Exception& E) {
    if (FErrorRefused) {
      throw;
    }
    bool Handled = false;
    ReaderError(nullptr, E.Message(), Handled);
    if (!Handled) {
      throw;
    }
  }
}

void ZEZPropStore::LoadImage(TStream* Stream) {
  TReader R(Stream, 4096);
  bool Pending = false;
  std::string RecordName;
  for (const TGroup& G : Groups()) {
    if (!Pending) {
      if (!R.ReadBoolean()) {
        return;
      }
      RecordName = R.ReadString();
    }
    if (RecordName == "0") {
      Pending = false;
      continue;
    }
    if (RecordName != G.RecordName) {
      Pending = true;  // compared with the next group
      continue;
    }
    Pending = false;
    const std::string StoredText = R.ReadString();
    // The record's image is read exactly as counted, so a faulty image cannot take the rest with it.
    Integer Size = 0;
    R.Read(&Size, sizeof Size);
    if (Size < 0 || Size > Stream->Size() - Stream->Position()) {
      throw EReadError("Stream read error");
    }
    TMemoryStream Image;
    Image.SetSize(Size);
    if (Size > 0) {
      R.Read(Image.Memory(), Size);
    }
    Image.SetPosition(0);
    TStringList StoredList;
    StoredList.SetText(StoredText);
    std::vector<std::string> Stored;
    for (Integer I = 0; I < StoredList.Count(); ++I) {
      Stored.push_back(StoredList.Strings(I));
    }
    std::vector<std::string> Names;
    for (const std::string& N : G.Names) {
      if (Contains(Stored, N)) {
        Names.push_back(N);
      }
    }
    if (Names.empty() || !G.Component) {
      continue;
    }
    try {
      ReadComponentProps(G.Component, &Image, Names);
    } catch (const Exception& E) {
      if (FErrorRefused) {
        throw;
      }
      bool Handled = false;
      ReaderError(nullptr, E.Message(), Handled);
      if (!Handled) {
        throw;
      }
    }
  }
}

void ZEZPropStore::LoadFromIniFile(const std::string& FileName, const std::string& Section) {
  const std::string Text = ReadWholeSection(FileName, Section);
  if (Text.empty()) {
    return;
  }
  TMemoryStream S;
  if (!Dorazori::TextToStream(Text, &S) || S.Size() == 0) {
    return;
  }
  S.SetPosition(0);
  LoadFromStream(&S);
}

void ZEZPropStore::SaveToIniFile(const std::string& FileName, const std::string& Section) {
  TMemoryStream S;
  SaveToStream(&S);
  const std::string Text = Dorazori::BufferToText(S.Memory(), static_cast<Integer>(S.Size()));
  // The section is replaced as a whole in one write of the file.
  (void)WritePrivateProfileSection(Section.c_str(), (Text + '\0').c_str(), FileName.c_str());
}

void ZEZPropStore::Load() {
  struct TFinally {
    ZEZPropStore* Self;
    ~TFinally() {
      if (Self->OnChangesLoaded) {
        Self->OnChangesLoaded(Self);
      }
    }
  } Finally{this};
  if (OnLoadChanges) {
    bool Processed = false;
    OnLoadChanges(this, Processed);
    if (Processed) {
      return;
    }
  }
  auto* Form = dynamic_cast<TCustomForm*>(Owner());
  if (UseIniFile) {
    if (IniFile.empty() || IniSection.empty()) {
      return;
    }
    LoadFromIniFile(IniFile, IniSection);
    if (StorePos && Form) {
      ReadWinPosFromIni(Form, "", IniFile, IniSection);
    }
    return;
  }
  const std::string Path = Key();
  const Integer Size = Dorazori::GetRegBufSize(Path);
  if (Size > 0) {
    TMemoryStream S;
    S.SetSize(Size);
    S.SetSize(Dorazori::ReadBufFromRegistry(Path, S.Memory(), Size));
    S.SetPosition(0);
    LoadFromStream(&S);
  }
  if (StorePos && Form) {
    ReadWinPosFromReg(Form, Path);
  }
}

void ZEZPropStore::Save() {
  struct TFinally {
    ZEZPropStore* Self;
    ~TFinally() {
      if (Self->OnChangesSaved) {
        Self->OnChangesSaved(Self);
      }
    }
  } Finally{this};
  if (OnSaveChanges) {
    bool Processed = false;
    OnSaveChanges(this, Processed);
    if (Processed) {
      return;
    }
  }
  auto* Form = dynamic_cast<TCustomForm*>(Owner());
  if (UseIniFile) {
    if (IniFile.empty() || IniSection.empty()) {
      return;
    }
    SaveToIniFile(IniFile, IniSection);
    if (StorePos && Form) {
      WriteWinPosToIni(Form, "", IniFile, IniSection);
    }
    return;
  }
  TMemoryStream S;
  SaveToStream(&S);
  Dorazori::WriteBufToRegistry(Key(), S.Memory(), static_cast<Integer>(S.Size()));
  if (StorePos && Form) {
    WriteWinPosToReg(Form, Key());
  }
}

}  // namespace Dccommon
