// The component filer, the stream tests and the property streams.
#include "suitebase/Compfiler.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Compnames.h"
#include "suitebase/Formhelpers.h"
#include "suitebase/Objstreams.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace Dccommon {

bool SaveFormAsText = true;
TReaderErrorHandler ReaderErrorHandler;
ZEZInitComponentHandler DCInitComponentHandler;

namespace {

// Puts a stream back where it was when the scope ends.
class TKeepPosition {
public:
  explicit TKeepPosition(TStream* S) : FStream(S), FPos(S->Position()) {}
  ~TKeepPosition() { FStream->SetPosition(FPos); }
  TKeepPosition(const TKeepPosition&) = delete;
  TKeepPosition& operator=(const TKeepPosition&) = delete;

private:
  TStream* FStream;
  Int64 FPos;
};

// The rest of a stream converted from text to binary, in memory.
std::unique_ptr<TMemoryStream> TextToBinary(TStream* Stream) {
  auto Binary = std::make_unique<TMemoryStream>();
  ObjectTextToBinary(Stream, Binary.get());
  Binary->SetPosition(0);
  return Binary;
}

// The reader of a filer: handler names the root's class does not publish are noted by the filer and not bound.
class TFilerReader : public TReader {
public:
  TFilerReader(TStream* S, TCompFiler* AFiler) : TReader(S, 4096), Filer(AFiler) {}

protected:
  bool AcceptProperty(TPersistent* Instance, PPropInfo Info) override {
    if (Info->PropType->Kind != tkMethod) {
      return true;
    }
    const Int64 Pos = Stream()->Position();
    if (NextValue() != vaIdent) {
      return true;
    }
    const std::string Name = ReadIdent();
    Stream()->SetPosition(Pos);
    if (Root() && MethodAddress(Root()->ClassType(), Name)) {
      return true;
    }
    Filer->NoteEvent(Instance, Info->Name, Name);
    return false;  // the identifier is skipped
  }

private:
  TCompFiler* Filer;
};

// The writer of a filer: events holding a handler identifier are written under the handler's name.
class TFilerWriter : public TWriter {
public:
  TFilerWriter(TStream* S, const TCompFiler* AFiler) : TWriter(S, 4096), Filer(AFiler) {}

protected:
  void WriteProperty(TPersistent* Instance, PPropInfo Info) override {
    if (Info->PropType->Kind == tkMethod && Info->GetMethod(Instance).Code == nullptr) {
      if (const Integer ID = Filer->EventIDOf(Instance, Info->Name); ID != 0) {
        WritePropName(Info->Name);
        WriteIdent(Filer->EventNameByID(ID));
        return;
      }
    }
    TWriter::WriteProperty(Instance, Info);
  }

private:
  const TCompFiler* Filer;
};

void WriteLE(TStream* S, UInt64 Value, int Bytes) {
  Byte B[8];
  for (int I = 0; I < Bytes; ++I) {
    B[I] = static_cast<Byte>(Value >> (8 * I));
  }
  S->WriteBuffer(B, Bytes);
}

// The component image with the root's class name replaced (the name follows the signature and any prefix).
std::string WithRootClassName(const std::string& Image, const std::string& ClassName) {
  std::size_t P = 4;
  if (P < Image.size() && (static_cast<Byte>(Image[P]) & 0xF0) == 0xF0) {
    const Byte Flags = static_cast<Byte>(Image[P]) & 0x0F;
    ++P;
    if (Flags & 0x02) {  // a child position follows as an integer value
      const Byte Tag = static_cast<Byte>(Image[P]);
      P += 1 + (Tag == 2 ? 1 : Tag == 3 ? 2 : 4);
    }
  }
  if (P >= Image.size()) {
    return Image;
  }
  const std::size_t OldLen = static_cast<Byte>(Image[P]);
  const std::string Name = ClassName.substr(0, 255);
  return Image.substr(0, P) + static_cast<char>(Name.size()) + Name + Image.substr(P + 1 + OldLen);
}

bool SameText(const std::string& A, const std::string& B) { return AnsiCompareText(A, B) == 0; }

bool IsDesigning(TComponent* C) { return C->ComponentState().Contains(csDesigning); }

}  // namespace

// ---- Stream tests ------------------------------------------------------------------------------------------------

bool IsTextStream(TStream* Stream) {
  TKeepPosition Keep(Stream);
  char Head[9] = {};
  Stream->ReadBuffer(Head, sizeof Head);
  return std::memcmp(Head, "object", 6) == 0 || std::memcmp(Head, "inherited", 9) == 0;
}

std::string GetClassNameFromStream(TStream* Stream) {
  TKeepPosition Keep(Stream);
  if (IsTextStream(Stream)) {
    std::string Text(522, '\0');
    Text.resize(static_cast<std::size_t>(Stream->Read(Text.data(), static_cast<LongInt>(Text.size()))));
    Text = Text.substr(0, Text.find('\n'));
    Text = Text.substr(0, Text.find('\r'));
    const std::size_t Colon = Text.find(':');
    return Colon == std::string::npos ? std::string() : Text.substr(std::min(Text.size(), Colon + 2));
  }
  Dorazori::SmartSkipResHeader(Stream, false);
  TReader Reader(Stream, 4096);
  Reader.ReadSignature();
  TFilerFlags Flags;
  Integer ChildPos = 0;
  Reader.ReadPrefix(Flags, ChildPos);
  return Reader.ReadStr();
}

bool StreamContainsDataModule(TStream* Stream) {
  TKeepPosition Keep(Stream);
  std::unique_ptr<TMemoryStream> Binary;
  TStream* S = Stream;
  if (IsTextStream(Stream)) {
    Binary = TextToBinary(Stream);
    S = Binary.get();
  }
  Dorazori::SmartSkipResHeader(S, false);
  TReader Reader(S, 4096);
  Reader.ReadSignature();
  TFilerFlags Flags;
  Integer ChildPos = 0;
  Reader.ReadPrefix(Flags, ChildPos);
  Reader.ReadStr();
  Reader.ReadStr();
  while (!Reader.EndOfList()) {
    const std::string Name = Reader.ReadStr();
    if (Name.size() >= 2 && Name.compare(0, 2, "On") == 0) {
      Reader.ReadIdent();
    } else if (SameText(Name, "Left") || SameText(Name, "Top") || SameText(Name, "Width") || SameText(Name, "Height")) {
      Reader.ReadInteger();
    } else if (SameText(Name, "OldCreateOrder")) {
      Reader.ReadBoolean();
    } else {
      return false;
    }
  }
  return true;
}

// ---- TCompFiler --------------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(TCompFiler, TObject)

TCompFiler::TCompFiler() : FEventNames(std::make_unique<TStringList>()) {}

TCompFiler::~TCompFiler() = default;

Integer TCompFiler::AddEvent(const std::string& Name) {
  for (Integer I = 0; I < FEventNames->Count(); ++I) {
    if (SameText(FEventNames->Strings(I), Name)) {
      return static_cast<Integer>(reinterpret_cast<NativeInt>(FEventNames->Objects(I)));
    }
  }
  const Integer ID = NextEventID++;
  FEventNames->AddObject(Name, reinterpret_cast<TObject*>(static_cast<NativeInt>(ID)));
  return ID;
}

std::string TCompFiler::EventNameByID(Integer ID) const {
  for (Integer I = 0; I < FEventNames->Count(); ++I) {
    if (reinterpret_cast<NativeInt>(FEventNames->Objects(I)) == ID) {
      return FEventNames->Strings(I);
    }
  }
  return {};
}

Integer TCompFiler::EventIDOf(TPersistent* Instance, const std::string& PropName) const {
  const auto It = FEventIDs.find({Instance, PropName});
  return It == FEventIDs.end() ? 0 : It->second;
}

void TCompFiler::NoteEvent(TPersistent* Instance, const std::string& PropName, const std::string& MethodName) {
  FEventIDs[{Instance, PropName}] = AddEvent(MethodName);
}

void TCompFiler::Assign(TCompFiler* Source) {
  NextEventID = Source->NextEventID;
  FEventNames->Assign(Source->FEventNames.get());
  FEventIDs = Source->FEventIDs;
}

void TCompFiler::CompLoaded() {
  if (OnComponentLoaded) {
    OnComponentLoaded(this);
  }
}

void TCompFiler::ReaderError(TReader* Reader, const std::string& Message, bool& Handled) {
  if (OnReaderError) {
    OnReaderError(Reader, Message, Handled);
    return;
  }
  ErrorsOccurred = true;
  Handled = IgnoreAllErrors;
  if (!Handled && ReaderErrorHandler) {
    ReaderErrorHandler(Message, Handled, IgnoreAllErrors);
  }
}

void TCompFiler::SaveToStream(TStream* Stream, TComponent* Root) {
  TMemoryStream Image;
  {
    TFilerWriter Writer(&Image, this);
    Writer.WriteDescendent(Root, nullptr);
  }
  const std::string Bytes =
      WithRootClassName(std::string(static_cast<const char*>(Image.Memory()), static_cast<std::size_t>(Image.Size())),
                        "T" + Root->Name());
  TMemoryStream Res;
  const Byte Head = 0xFF;
  Res.WriteBuffer(&Head, 1);
  WriteLE(&Res, 10, 2);
  const std::string ResName = UpperCase("T" + Root->Name());
  Res.WriteBuffer(ResName.c_str(), static_cast<LongInt>(ResName.size() + 1));
  WriteLE(&Res, 0x1030, 2);
  WriteLE(&Res, Bytes.size(), 4);
  Res.WriteBuffer(Bytes.data(), static_cast<LongInt>(Bytes.size()));
  Res.SetPosition(0);
  if (SaveFormAsText) {
    ObjectResourceToText(&Res, Stream);
  } else {
    Stream->CopyFrom(&Res, 0);
  }
}

void TCompFiler::SaveToFile(const std::string& FileName, TComponent* Root) {
  TFileStream S(FileName, fmCreate);
  SaveToStream(&S, Root);
}

void TCompFiler::LoadFromStream(TStream* Stream, TComponent* Root, std::string& Name) {
  if (IsTextStream(Stream)) {
    const auto Binary = TextToBinary(Stream);
    DoLoadFromStream(Binary.get(), Root, Name);
  } else {
    DoLoadFromStream(Stream, Root, Name);
  }
}

void TCompFiler::LoadFromFile(const std::string& FileName, TComponent* Root) {
  TFileStream S(FileName, fmOpenRead | fmShareDenyWrite);
  std::string Name;
  LoadFromStream(&S, Root, Name);
}

void TCompFiler::DoLoadFromStream(TStream* Stream, TComponent* Root, std::string& Name) {
  NextEventID = 1;
  FEventNames->Clear();
  FEventIDs.clear();
  IgnoreAllErrors = false;
  ErrorsOccurred = false;
  Dorazori::SmartSkipResHeader(Stream, false);
  {
    TKeepPosition Keep(Stream);
    TReader Peek(Stream, 4096);
    Peek.ReadSignature();
    TFilerFlags Flags;
    Integer ChildPos = 0;
    Peek.ReadPrefix(Flags, ChildPos);
    ReadClassName = Peek.ReadStr();
    Name = Peek.ReadStr();
  }
  TFilerReader Reader(Stream, this);
  Reader.SetAncestor(Ancestor);
  Reader.OnError = [this](TReader* R, const std::string& Message, bool& Handled) { ReaderError(R, Message, Handled); };
  Reader.ReadRootComponent(Root);
  if (DCInitComponentHandler) {
    DCInitComponentHandler(Root, ReadClassName, Name);
  }
  CompLoaded();
}

TComponent* TCompFiler::GlobalFindCompWithoutDesigned(const std::string& Name) {
  for (int I = 0; I < Screen->FormCount(); ++I) {
    TCustomForm* F = Screen->Forms(I);
    if (!IsDesigning(F) && SameText(F->Name(), Name)) {
      return F;
    }
  }
  for (int I = 0; I < DataModuleCount(); ++I) {
    TDataModule* D = DataModules(I);
    if (!IsDesigning(D) && SameText(D->Name(), Name)) {
      return D;
    }
  }
  return nullptr;
}

TComponent* TCompFiler::CreateFromStream(TStream* Stream, TClass RootClass, bool Design) {
  std::unique_ptr<TMemoryStream> Binary;
  TStream* S = Stream;
  if (IsTextStream(Stream)) {
    Binary = TextToBinary(Stream);
    S = Binary.get();
  }
  TComponent* Root = nullptr;
  if (StreamContainsDataModule(S)) {
    Root = CreateDataModuleWithClass(RootClass);
  } else {
    Root = CreateFormWithClass(RootClass);
  }
  bool FinderSet = false;
  try {
    if (Design) {
      SetDesign(Root, true);
    }
    if (GlobalFindSkipsDesigned) {
      FinderSet = Dorazori::SetFindGlobalCompProc(&TCompFiler::GlobalFindCompWithoutDesigned);
    }
    std::string Name;
    DoLoadFromStream(S, Root, Name);
    if (FinderSet) {
      Dorazori::RemoveFindGlobalCompProc();
      FinderSet = false;
    }
    Root->SetName(Name);
  } catch (...) {
    if (FinderSet) {
      Dorazori::RemoveFindGlobalCompProc();
    }
    delete Root;
    throw;
  }
  CompLoaded();
  return Root;
}

TComponent* TCompFiler::CreateFromFile(const std::string& FileName, TClass RootClass, bool Design) {
  TFileStream S(FileName, fmOpenRead | fmShareDenyWrite);
  return CreateFromStream(&S, RootClass, Design);
}

// ---- TPropStream -------------------------------------------------------------------------------------------------

namespace {
PPropInfo StreamableProp(TPersistent* Instance, const std::string& PropName) {
  if (!Instance) {
    return nullptr;
  }
  PPropInfo Info = GetPropInfo(Instance, PropName);
  if (!Info) {
    return nullptr;
  }
  switch (Info->PropType->Kind) {
    case tkString:
    case tkLString:
    case tkWString:
    case tkWChar: return Info;
    case tkClass: return dynamic_cast<TStrings*>(GetObjectProp(Instance, Info)) ? Info : nullptr;
    default: return nullptr;
  }
}
}  // namespace

bool IsStreamableProp(TPersistent* Instance, const std::string& PropName) {
  return StreamableProp(Instance, PropName) != nullptr;
}

Z_IMPLEMENT_CLASS(TPropStream, TMemoryStream)

TPropStream::TPropStream(TPersistent* Instance, const std::string& PropName, Word Mode)
    : FMode(Mode & 3), FInstance(Instance), FPropName(PropName) {
  UpdatePropInfo();
  if (FMode == 0 || FMode == 2) {
    const std::string V = GetPropValue();
    if (!V.empty()) {
      WriteBuffer(V.data(), static_cast<LongInt>(V.size()));
    }
    SetPosition(0);
  }
}

TPropStream::~TPropStream() {
  if (FMode == 1 || FMode == 2) {
    try {
      SetPropValue(std::string(static_cast<const char*>(Memory()), static_cast<std::size_t>(Size())));
    } catch (...) {
      // A destructor cannot raise: the property keeps its value.
    }
  }
}

PPropInfo TPropStream::UpdatePropInfo() {
  PPropInfo Info = StreamableProp(FInstance, FPropName);
  if (!Info) {
    throw Exception(SErrorInPropStream);
  }
  return Info;
}

std::string TPropStream::GetPropValue() {
  PPropInfo Info = UpdatePropInfo();
  if (Info->PropType->Kind == tkClass) {
    return static_cast<TStrings*>(GetObjectProp(FInstance, Info))->Text();
  }
  return GetStrProp(FInstance, Info);
}

void TPropStream::SetPropValue(const std::string& Value) {
  PPropInfo Info = UpdatePropInfo();
  if (Info->PropType->Kind == tkClass) {
    static_cast<TStrings*>(GetObjectProp(FInstance, Info))->SetText(Value);
  } else {
    SetStrProp(FInstance, Info, Value);
  }
  DesignerModified(FInstance);
}

// ---- TPropFileSystem ---------------------------------------------------------------------------------------------

namespace {
// The components that property file systems of this process link: the only addresses ComponentPtr accepts.
std::multiset<TComponent*>& Linked() {
  static std::multiset<TComponent*> L;
  return L;
}
}  // namespace

Z_IMPLEMENT_CLASS_PUBLISHED(TPropFileSystem, Dorazori::TFileSystem, TPropFileSystem::Publish)

TPropFileSystem::TPropFileSystem(TComponent* AOwner) : Dorazori::TFileSystem(AOwner) {}

TPropFileSystem::~TPropFileSystem() { SetComponent(nullptr); }

void TPropFileSystem::Publish(TMetaClass& Meta) {
  TPublisher<TPropFileSystem> P(Meta);
  P.Property("ComponentPtr", &TPropFileSystem::GetComponentPtr, &TPropFileSystem::SetComponentPtr);
  P.Property("PropName", &TPropFileSystem::PropName, &TPropFileSystem::PropName);
}

void TPropFileSystem::SetComponent(TComponent* Value) {
  FBadPtr = false;
  if (Value == FComponent) {
    return;
  }
  if (FComponent) {
    FComponent->RemoveFreeNotification(this);
    Linked().erase(Linked().find(FComponent));
  }
  FComponent = Value;
  if (FComponent) {
    FComponent->FreeNotification(this);
    Linked().insert(FComponent);
  }
}

std::string TPropFileSystem::GetComponentPtr() const {
  if (!FComponent) {
    return {};
  }
  char Buffer[24];
  std::snprintf(Buffer, sizeof Buffer, "$%016llX",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(FComponent)));
  return Buffer;
}

void TPropFileSystem::SetComponentPtr(const std::string& Value) {
  if (Value.empty()) {
    SetComponent(nullptr);
    return;
  }
  std::uintptr_t Address = 0;
  bool Ok = Value.size() > 1 && Value.size() <= 17 && Value[0] == '$';
  for (std::size_t I = 1; Ok && I < Value.size(); ++I) {
    const char C = Value[I];
    const int D = C >= '0' && C <= '9'   ? C - '0'
                  : C >= 'A' && C <= 'F' ? C - 'A' + 10
                  : C >= 'a' && C <= 'f' ? C - 'a' + 10
                                         : -1;
    Ok = D >= 0;
    Address = Address * 16 + static_cast<std::uintptr_t>(D < 0 ? 0 : D);
  }
  // Only an address that names a component linked by a property file system is taken; the text is never trusted
  // as a pointer on its own.
  auto* Candidate = reinterpret_cast<TComponent*>(Address);
  if (Ok && Linked().count(Candidate) > 0) {
    SetComponent(Candidate);
  } else {
    SetComponent(nullptr);
    FBadPtr = true;
  }
}

TStream* TPropFileSystem::GetFileStream(const std::string&, Word Mode) {
  if (!FComponent) {
    throw Exception(SComponentDoesntExist);
  }
  return new TPropStream(FComponent, PropName, Mode);
}

bool TPropFileSystem::FileExists(const std::string&) {
  return FComponent && !PropName.empty() && IsStreamableProp(FComponent, PropName);
}

void TPropFileSystem::Notification(TComponent* AComponent, TOperation Operation) {
  Dorazori::TFileSystem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FComponent) {
    Linked().erase(Linked().find(FComponent));
    FComponent = nullptr;
    Dorazori::ReleaseFileSystem(this);
  }
}

}  // namespace Dccommon
