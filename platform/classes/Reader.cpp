// TReader: reading the binary component form, with reference fix-ups and the loading bracket.
#include "platform/classes/Classes.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FilerSupport.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <mutex>

using namespace ZubFiler;

// ---- TReader ----

Z_IMPLEMENT_CLASS(TReader, TFiler)

TReader::TReader(TStream* Stream, Integer BufSize) : TFiler(Stream, BufSize) {}

TReader::~TReader() = default;

void TReader::MarkFixups(TComponent* Root, bool Pending) {
  if (Pending) {
    Root->FComponentState.Include(csFixups);
  } else {
    Root->FComponentState.Exclude(csFixups);
  }
}

void TReader::Read(void* Buf, LongInt Count) {
  FStream->ReadBuffer(Buf, Count);
}

void TReader::Expect(Integer Count) {
  if (Count < 0 || FStream->Size() - FStream->Position() < Count) {
    throw EReadError(RtlConsts::SReadError);
  }
}

namespace {
template <class T> T ReadRaw(TReader* R) {
  Byte B[sizeof(T)];
  R->Read(B, sizeof(T));
  std::make_unsigned_t<T> V = 0;
  for (std::size_t I = 0; I < sizeof(T); ++I) {
    V |= static_cast<std::make_unsigned_t<T>>(static_cast<std::make_unsigned_t<T>>(B[I]) << (8 * I));
  }
  return static_cast<T>(V);
}
}  // namespace

TValueType TReader::ReadValue() {
  Byte B = 0;
  Read(&B, 1);
  return static_cast<TValueType>(B);
}

TValueType TReader::NextValue() {
  TValueType V = ReadValue();
  FStream->Seek(-1, soFromCurrent);
  return V;
}

void TReader::PropValueError() {
  throw EReadError(RtlConsts::SInvalidPropertyValue);
}

void TReader::PropertyError(const std::string& Name) {
  SkipValue();
  throw EReadError(Format(RtlConsts::SUnknownProperty, {Name}));
}

void TReader::CheckValue(TValueType Value) {
  if (ReadValue() != Value) {
    FStream->Seek(-1, soFromCurrent);
    PropValueError();
  }
}

bool TReader::EndOfList() { return NextValue() == vaNull; }
void TReader::ReadListBegin() { CheckValue(vaList); }
void TReader::ReadListEnd() { CheckValue(vaNull); }

void TReader::ReadSignature() {
  char Sig[4] = {};
  if (FStream->Size() - FStream->Position() < 4) {
    throw EReadError(RtlConsts::SInvalidImage);
  }
  Read(Sig, 4);
  if (std::memcmp(Sig, FilerSignature, 4) != 0) {
    throw EReadError(RtlConsts::SInvalidImage);
  }
}

void TReader::ReadPrefix(TFilerFlags& Flags, Integer& AChildPos) {
  Flags.Clear();
  if ((static_cast<Byte>(NextValue()) & 0xF0) == 0xF0) {
    Byte Prefix = static_cast<Byte>(ReadValue());
    Flags = TFilerFlags::FromMask(Prefix & 0x0F);
    if (Flags.Contains(ffChildPos)) {
      AChildPos = ReadInteger();
    }
  }
}

Integer TReader::ReadInteger() {
  switch (ReadValue()) {
    case vaInt8:
      return ReadRaw<std::int8_t>(this);
    case vaInt16:
      return ReadRaw<std::int16_t>(this);
    case vaInt32:
      return ReadRaw<std::int32_t>(this);
    default:
      FStream->Seek(-1, soFromCurrent);
      PropValueError();
  }
}

Int64 TReader::ReadInt64() {
  if (NextValue() == vaInt64) {
    ReadValue();
    return ReadRaw<Int64>(this);
  }
  return ReadInteger();
}

bool TReader::ReadBoolean() {
  TValueType V = ReadValue();
  if (V != vaTrue && V != vaFalse) {
    FStream->Seek(-1, soFromCurrent);
    PropValueError();
  }
  return V == vaTrue;
}

char TReader::ReadChar() {
  std::string S = ReadString();
  if (S.size() != 1) {
    PropValueError();
  }
  return S[0];
}

Extended TReader::ReadFloat() {
  switch (NextValue()) {
    case vaExtended: {
      ReadValue();
      Byte B[10];
      Read(B, 10);
      return Extended80ToDouble(B);
    }
    case vaSingle: {
      ReadValue();
      std::uint32_t Bits = ReadRaw<std::uint32_t>(this);
      float F = 0;
      std::memcpy(&F, &Bits, sizeof F);
      return F;
    }
    case vaCurrency:
      ReadValue();
      return static_cast<Extended>(ReadRaw<Int64>(this)) / 10000.0;
    case vaDate: {
      ReadValue();
      UInt64 Bits = ReadRaw<UInt64>(this);
      double D = 0;
      std::memcpy(&D, &Bits, sizeof D);
      return D;
    }
    case vaInt64:
      return static_cast<Extended>(ReadInt64());
    default:
      return ReadInteger();
  }
}

float TReader::ReadSingle() { return static_cast<float>(ReadFloat()); }
Currency TReader::ReadCurrency() { return ReadFloat(); }
TDateTime TReader::ReadDate() { return ReadFloat(); }

std::string TReader::ReadStr() {
  Byte Len = 0;
  Read(&Len, 1);
  std::string S(Len, '\0');
  if (Len > 0) {
    Read(S.data(), Len);
  }
  return S;
}

std::string TReader::ReadString() {
  switch (ReadValue()) {
    case vaString:
      return ReadStr();
    case vaLString: {
      Integer Len = ReadRaw<Integer>(this);
      Expect(Len);
      std::string S(static_cast<std::size_t>(Len), '\0');
      if (Len > 0) {
        Read(S.data(), Len);
      }
      return S;
    }
    case vaWString: {
      Integer Len = ReadRaw<Integer>(this);
      if (Len < 0 || Len > (1 << 29)) {
        throw EReadError(RtlConsts::SReadError);
      }
      Expect(Len * 2);
      std::string Utf8;
      for (Integer I = 0; I < Len; ++I) {
        unsigned C = ReadRaw<std::uint16_t>(this);
        if (C >= 0xD800 && C < 0xDC00 && I + 1 < Len) {
          unsigned Low = ReadRaw<std::uint16_t>(this);
          ++I;
          C = 0x10000 + ((C - 0xD800) << 10) + (Low - 0xDC00);
        }
        if (C < 0x80) {
          Utf8 += static_cast<char>(C);
        } else if (C < 0x800) {
          Utf8 += static_cast<char>(0xC0 | (C >> 6));
          Utf8 += static_cast<char>(0x80 | (C & 0x3F));
        } else if (C < 0x10000) {
          Utf8 += static_cast<char>(0xE0 | (C >> 12));
          Utf8 += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
          Utf8 += static_cast<char>(0x80 | (C & 0x3F));
        } else {
          Utf8 += static_cast<char>(0xF0 | (C >> 18));
          Utf8 += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
          Utf8 += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
          Utf8 += static_cast<char>(0x80 | (C & 0x3F));
        }
      }
      return Utf8ToAnsi(Utf8);
    }
    default:
      FStream->Seek(-1, soFromCurrent);
      PropValueError();
  }
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaNull:
      return "Null";
    default:
      FStream->Seek(-1, soFromCurrent);
      PropValueError();
  }
}

Int64 TReader::ReadSet(PTypeInfo SetType) {
  CheckValue(vaSet);
  UInt64 Result = 0;
  for (;;) {
    std::string Name = ReadStr();
    if (Name.empty()) {
      break;
    }
    int V = GetEnumValue(SetType != nullptr ? SetType->CompType : nullptr, Name);
    if (V < 0 || V >= 64) {
      PropValueError();
    }
    Result |= UInt64(1) << V;
  }
  return static_cast<Int64>(Result);
}

Variant TReader::ReadVariant() {
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      return Unassigned();
    case vaNull:
      ReadValue();
      return Null();
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return Variant(ReadInteger());
    case vaInt64:
      return Variant(static_cast<long long>(ReadInt64()));
    case vaExtended:
      return Variant(ReadFloat());
    case vaSingle:
      return Variant(ReadSingle());
    case vaCurrency:
      return Variant::FromCurrency(ReadCurrency());
    case vaDate:
      return Variant::FromDateTime(ReadDate());
    case vaFalse:
    case vaTrue:
      return Variant(ReadBoolean());
    case vaString:
    case vaLString:
    case vaWString:
      return Variant(ReadString());
    default:
      PropValueError();
  }
}

void TReader::SkipValue() {
  auto Skip = [this](Int64 N) {
    Expect(static_cast<Integer>(N));
    FStream->Seek(N, soFromCurrent);
  };
  switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      break;
    case vaList:
      while (!EndOfList()) {
        SkipValue();
      }
      ReadListEnd();
      break;
    case vaInt8:
      Skip(1);
      break;
    case vaInt16:
      Skip(2);
      break;
    case vaInt32:
    case vaSingle:
      Skip(4);
      break;
    case vaInt64:
    case vaCurrency:
    case vaDate:
      Skip(8);
      break;
    case vaExtended:
      Skip(10);
      break;
    case vaString:
    case vaIdent:
      ReadStr();
      break;
    case vaLString:
    case vaBinary:
      Skip(ReadRaw<Integer>(this));
      break;
    case vaWString:
      Skip(static_cast<Int64>(ReadRaw<Integer>(this)) * 2);
      break;
    case vaSet:
      while (!ReadStr().empty()) {
      }
      break;
    case vaCollection:
      while (!EndOfList()) {
        if (NextValue() == vaInt8 || NextValue() == vaInt16 || NextValue() == vaInt32) {
          SkipValue();
        }
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
    default:
      FStream->Seek(-1, soFromCurrent);
      PropValueError();
  }
}

// ---- custom properties ----

void TReader::DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) {
  (void)WriteData, (void)HasData;
  if (!FPropName.empty() && ReadData && SameText(Name, FPropName)) {
    FPropName.clear();
    ReadData(this);
  }
}

void TReader::DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                   bool HasData) {
  (void)WriteData, (void)HasData;
  if (FPropName.empty() || !ReadData || !SameText(Name, FPropName)) {
    return;
  }
  FPropName.clear();
  CheckValue(vaBinary);
  Integer Size = ReadRaw<Integer>(this);
  Expect(Size);
  TMemoryStream Data;
  Data.SetSize(Size);
  if (Size > 0) {
    Read(Data.Memory(), Size);
  }
  Data.SetPosition(0);
  ReadData(&Data);
}

// ---- properties ----

void TReader::ReadProperty(TPersistent* AInstance) {
  std::string Path = ReadStr();
  const Int64 ValueStart = FStream->Position();
  try {
    ReadPropPath(AInstance, Path);
  } catch (const Exception& E) {
    FPropName.clear();
    std::string Name = AInstance->ClassName();
    if (auto* C = dynamic_cast<TComponent*>(AInstance); C != nullptr && !C->Name().empty()) {
      Name = C->Name();
    }
    std::string Message = Format(RtlConsts::SPropertyException, {Name, ".", Path, E.Message()});
    if (Error(Message)) {
      // Handled: go on after this property's value.
      FStream->SetPosition(ValueStart);
      SkipValue();
      return;
    }
    throw EReadError(Message);
  }
}

void TReader::ReadPropPath(TPersistent* Instance, const std::string& Path) {
  std::size_t Pos = 0;
  for (;;) {
    std::string Part = SplitFirst(Path, Pos);
    if (Pos > Path.size()) {
      FPropName = Part;
      break;
    }
    PPropInfo Info = GetPropInfo(Instance, Part);
    TObject* Obj = Info != nullptr && Info->PropType->Kind == tkClass ? Info->GetObject(Instance) : nullptr;
    auto* Next = dynamic_cast<TPersistent*>(Obj);
    if (Next == nullptr) {
      PropertyError(Part);
    }
    Instance = Next;
  }
  if (PPropInfo Info = GetPropInfo(Instance, FPropName); Info != nullptr) {
    FPropName.clear();
    if (AcceptProperty(Instance, Info)) {
      ReadPropValue(Instance, Info);
    } else {
      SkipValue();
    }
    return;
  }
  DefinePropertiesOf(Instance);
  if (!FPropName.empty()) {
    std::string Name = FPropName;
    FPropName.clear();
    PropertyError(Name);
  }
}

bool TReader::AcceptProperty(TPersistent* Instance, PPropInfo PropInfo) {
  (void)Instance;
  (void)PropInfo;
  return true;
}

void TReader::ReadPropValue(TPersistent* Instance, PPropInfo PropInfo) {
  PTypeInfo Type = PropInfo->PropType;
  switch (Type->Kind) {
    case tkInteger:
      if (NextValue() == vaIdent) {
        std::string Ident = ReadIdent();
        TIdentToInt ToInt = FindIdentToInt(Type);
        int Value = 0;
        if (ToInt == nullptr || !ToInt(Ident, Value)) {
          PropValueError();
        }
        PropInfo->SetOrd(Instance, Value);
      } else {
        PropInfo->SetOrd(Instance, ReadInteger());
      }
      break;
    case tkChar:
      PropInfo->SetOrd(Instance, static_cast<unsigned char>(ReadChar()));
      break;
    case tkEnumeration: {
      int Value = GetEnumValue(Type, ReadIdent());
      if (Value < 0) {
        PropValueError();
      }
      PropInfo->SetOrd(Instance, Value);
      break;
    }
    case tkInt64:
      PropInfo->SetOrd(Instance, ReadInt64());
      break;
    case tkSet:
      PropInfo->SetOrd(Instance, ReadSet(Type));
      break;
    case tkFloat:
      PropInfo->SetFloat(Instance, ReadFloat());
      break;
    case tkString:
    case tkLString:
    case tkWString:
      PropInfo->SetStr(Instance, ReadString());
      break;
    case tkVariant:
      PropInfo->SetVariant(Instance, ReadVariant());
      break;
    case tkMethod:
      if (NextValue() == vaNil) {
        ReadValue();
        PropInfo->SetMethod(Instance, TMethod{});
      } else {
        std::string Name = ReadIdent();
        const TMethodEntry* Code = FindMethod(FRoot, Name);
        PropInfo->SetMethod(Instance, TMethod{Code, FRoot});
      }
      break;
    case tkClass:
      switch (NextValue()) {
        case vaNil:
          ReadValue();
          PropInfo->SetObject(Instance, nullptr);
          break;
        case vaCollection: {
          ReadValue();
          auto* Collection = dynamic_cast<TCollection*>(PropInfo->GetObject(Instance));
          if (Collection == nullptr) {
            PropValueError();
          }
          ReadCollection(Collection);
          break;
        }
        default: {
          std::string Name = ReadIdent();
          if (!PropInfo->HasSetter) {
            PropValueError();
          }
          ReferenceName(Name);
          FFixups.push_back(std::make_unique<TFixup>(TFixup{Instance, PropInfo, FRoot, Name}));
          break;
        }
      }
      break;
    default:
      PropValueError();
  }
}

void TReader::ReadCollection(TCollection* Collection) {
  Collection->BeginUpdate();
  try {
    if (!EndOfList()) {
      Collection->Clear();
    }
    while (!EndOfList()) {
      TValueType Next = NextValue();
      if (Next == vaInt8 || Next == vaInt16 || Next == vaInt32) {
        ReadInteger();  // the item's order index is not needed
      }
      TCollectionItem* Item = Collection->Add();
      ReadListBegin();
      while (!EndOfList()) {
        ReadProperty(Item);
      }
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    Collection->EndUpdate();
    throw;
  }
  Collection->EndUpdate();
}

// ---- components ----

bool TReader::Error(const std::string& Message) {
  bool Handled = false;
  if (OnError) {
    OnError(this, Message, Handled);
  }
  return Handled;
}

const TMethodEntry* TReader::FindMethod(TComponent* ARoot, const std::string& MethodName) {
  const TMethodEntry* Result = ARoot != nullptr ? MethodAddress(ARoot->ClassType(), MethodName) : nullptr;
  bool IsError = Result == nullptr;
  if (OnFindMethod) {
    OnFindMethod(this, MethodName, Result, IsError);
  }
  if (IsError || Result == nullptr) {
    PropValueError();
  }
  return Result;
}

void TReader::SetName(TComponent* Component, std::string& Name) {
  if (OnSetName) {
    OnSetName(this, Component, Name);
  }
  Component->SetName(Name);
}

void TReader::ReferenceName(std::string& Name) {
  if (OnReferenceName) {
    OnReferenceName(this, Name);
  }
}

namespace {

// True when freeing Container frees C as well: C is owned by it or held by it as a child, at any depth.
bool GoesWith(TComponent* C, TComponent* Container) {
  for (int Depth = 0; C != nullptr && Depth < 1000; ++Depth) {
    if (C == Container) {
      return true;
    }
    TComponent* Parent = C->GetParentComponent();
    if (Parent != nullptr && Parent != C->Owner() && GoesWith(Parent, Container)) {
      return true;
    }
    C = C->Owner();
  }
  return false;
}

}  // namespace

TComponentClass TReader::FindComponentClass(const std::string& ClassName) {
  TClass Result = FRoot != nullptr ? GetFieldClass(FRoot->ClassType(), ClassName) : nullptr;
  if (Result == nullptr && FLookupRoot != nullptr && FLookupRoot != FRoot) {
    Result = GetFieldClass(FLookupRoot->ClassType(), ClassName);
  }
  if (OnFindComponentClass) {
    OnFindComponentClass(this, ClassName, Result);
  }
  if (Result == nullptr) {
    Result = FindClass(ClassName);
  }
  if (!Result->InheritsFrom(TComponent::StaticClass())) {
    throw EClassNotFound(Format(RtlConsts::SClassNotFound, {ClassName}));
  }
  return Result;
}

TComponent* TReader::CreateChild(const std::string& ClassName, const std::string& Name, TFilerFlags Flags) {
  TComponentClass Class = FindComponentClass(ClassName);
  TComponent* Result = nullptr;
  if (Flags.Contains(ffInherited)) {
    Result = FOwner != nullptr ? FOwner->FindComponent(Name) : nullptr;
    if (Result != nullptr && !Result->InheritsFrom(Class)) {
      Result = nullptr;
    }
    if (Result == nullptr && OnAncestorNotFound) {
      OnAncestorNotFound(this, Name, Class, Result);
    }
    if (Result == nullptr) {
      throw EReadError(Format(RtlConsts::SAncestorNotFound, {Name}));
    }
    return Result;
  }
  if (OnCreateComponent) {
    OnCreateComponent(this, Class, Result);
  }
  if (Result == nullptr) {
    TObject* Obj = Class->NewInstance(FOwner);
    Result = dynamic_cast<TComponent*>(Obj);
    if (Result == nullptr) {
      delete Obj;
      throw EReadError(Format(RtlConsts::SClassNotFound, {ClassName}));
    }
  }
  return Result;
}

TComponent* TReader::ReadComponent(TComponent* Component) {
  TFilerFlags Flags;
  Integer ChildPos = 0;
  ReadPrefix(Flags, ChildPos);
  std::string ClassName = ReadStr();
  std::string Name = ReadStr();
  TComponent* Result = Component;
  bool Created = false;
  if (Result == nullptr) {
    Result = CreateChild(ClassName, Name, Flags);
    Created = !Flags.Contains(ffInherited);
  }
  TComponent* OldLookupRoot = FLookupRoot;
  try {
    Result->FComponentState.Include(csLoading);
    if (std::find(FLoaded.begin(), FLoaded.end(), Result) == FLoaded.end()) {
      FLoaded.push_back(Result);
    }
    if (!Flags.Contains(ffInherited)) {
      SetName(Result, Name);
      if (TComponent* Owner = Result->Owner(); Owner != nullptr && !Name.empty()) {
        if (const TFieldEntry* Field = FieldAddress(Owner->ClassType(), Result->Name())) {
          Field->Set(Owner, Result);
        }
      }
    }
    if (Flags.Contains(ffInline)) {
      Result->SetInline(true);
      FLookupRoot = Result;
    }
    Result->FComponentState.Include(csReading);
    Result->ReadState(this);
    Result->FComponentState.Exclude(csReading);
    FLookupRoot = OldLookupRoot;
    if (Flags.Contains(ffChildPos) && FParent != nullptr) {
      FParent->SetChildOrder(Result, ChildPos);
    }
  } catch (...) {
    FLookupRoot = OldLookupRoot;
    std::erase(FLoaded, Result);
    if (Created) {
      // Freeing the new component frees what it owns and the controls it holds too, some of them read already
      // (a label before the failing child): none of them may stay listed for the callers' clean-up.
      std::erase_if(FLoaded, [Result](TComponent* C) { return GoesWith(C, Result); });
      if (TComponent* Owner = Result->Owner()) {
        if (const TFieldEntry* Field = FieldAddress(Owner->ClassType(), Result->Name());
            Field != nullptr && Field->Get(Owner) == Result) {
          Field->Set(Owner, nullptr);
        }
      }
      delete Result;
    } else {
      Result->FComponentState.Exclude(csReading);
    }
    throw;
  }
  return Result;
}

void TReader::ReadData(TComponent* Instance) {
  const bool TopLevel = !FTopLevel;
  FTopLevel = true;
  try {
    while (!EndOfList()) {
      ReadProperty(Instance);
    }
    ReadListEnd();
    TComponent* OldParent = FParent;
    TComponent* OldOwner = FOwner;
    FParent = Instance->GetChildParent();
    FOwner = Instance->GetChildOwner();
    if (FOwner == nullptr) {
      FOwner = FRoot;
    }
    try {
      while (!EndOfList()) {
        ReadComponent(nullptr);
      }
      ReadListEnd();
    } catch (...) {
      FParent = OldParent;
      FOwner = OldOwner;
      throw;
    }
    FParent = OldParent;
    FOwner = OldOwner;
  } catch (...) {
    if (TopLevel) {
      FTopLevel = false;
      FFixups.clear();
    }
    throw;
  }
  if (TopLevel) {
    FTopLevel = false;
    DoFixupReferences();
  }
}

void TReader::DoFixupReferences() {
  std::vector<std::unique_ptr<TFixup>> Fixups = std::move(FFixups);
  FFixups.clear();
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  for (auto& F : Fixups) {
    TComponent* Target = FindNestedComponent(F->Root, F->Name);
    if (Target != nullptr) {
      F->PropInfo->SetObject(F->Instance, Target);
    } else {
      // A root not loaded yet: GlobalFixupReferences resolves it later.
      TComponent* Root = F->Root;
      PendingFixups().push_back(std::move(F));
      if (Root != nullptr) {
        MarkFixups(Root, true);
        UpdateWatch(Root);
      }
    }
  }
}

void TReader::CallLoaded() {
  std::vector<TComponent*> List = std::move(FLoaded);
  FLoaded.clear();
  if (!LoadingStack().empty()) {
    // Inherited layouts read the same components again: each is loaded once.
    auto& Global = LoadingStack().back();
    for (TComponent* C : List) {
      if (std::find(Global.begin(), Global.end(), C) == Global.end()) {
        Global.push_back(C);
      }
    }
    return;
  }
  for (TComponent* C : List) {
    C->Loaded();
  }
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
  ReadSignature();
  TComponent* Result = Root;
  bool Created = false;
  try {
    TFilerFlags Flags;
    Integer ChildPos = 0;
    ReadPrefix(Flags, ChildPos);
    std::string ClassName = ReadStr();
    std::string Name = ReadStr();
    if (Result == nullptr) {
      TClass Class = FindClass(ClassName);
      TObject* Obj = Class->NewInstance(nullptr);
      Result = dynamic_cast<TComponent*>(Obj);
      if (Result == nullptr) {
        delete Obj;
        throw EReadError(Format(RtlConsts::SClassNotFound, {ClassName}));
      }
      Created = true;
    }
    Result->FComponentState.Include(csLoading);
    Result->FComponentState.Include(csReading);
    if (!Result->ComponentState().Contains(csDesigning)) {
      // Another root of that name already loaded: take "Name_1", "Name_2"...
      std::string Unique = Name;
      for (int I = 1; !Unique.empty(); ++I) {
        TComponent* Other = FindGlobalComponent(Unique);
        if (Other == nullptr || Other == Result) {
          break;
        }
        Unique = Name + "_" + IntToStr(I);
      }
      SetName(Result, Unique);
    }
    FRoot = Result;
    FLookupRoot = Result;
    FOwner = Result;
    FLoaded.clear();
    FLoaded.push_back(Result);
    Result->ReadState(this);
    Result->FComponentState.Exclude(csReading);
    CallLoaded();
    GlobalFixupReferences();
  } catch (...) {
    // What was read stays, but nothing is left marked as loading.
    if (!Created) {
      for (TComponent* C : FLoaded) {
        C->FComponentState.Exclude(csLoading);
        C->FComponentState.Exclude(csReading);
      }
    }
    FLoaded.clear();
    RemoveFixupReferences(Result, "");
    if (Result != nullptr) {
      Result->FComponentState.Exclude(csReading);
      Result->FComponentState.Exclude(csLoading);
    }
    if (Created) {
      delete Result;
    }
    throw;
  }
  return Result;
}

void TReader::ReadComponents(TComponent* AOwner, TComponent* AParent, TReadComponentsProc Proc) {
  FRoot = AOwner;
  FLookupRoot = AOwner;
  FOwner = AOwner;
  FParent = AParent;
  FLoaded.clear();
  FTopLevel = true;
  try {
    while (!EndOfList()) {
      ReadSignature();
      TComponent* C = ReadComponent(nullptr);
      if (Proc) {
        Proc(C);
      }
    }
    ReadListEnd();
  } catch (...) {
    FTopLevel = false;
    FFixups.clear();
    FLoaded.clear();
    throw;
  }
  FTopLevel = false;
  DoFixupReferences();
  CallLoaded();
}
