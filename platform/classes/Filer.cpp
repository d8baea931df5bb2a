// TFiler and TReader: reading the binary component form, reference fix-ups, global roots and loading brackets.
#include "platform/classes/Filer.h"

#include "platform/classes/Classes.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

// ---- the 80-bit extended format ----

void DoubleToExtended80(double Value, Byte Out[10]) {
  UInt64 Bits = 0;
  std::memcpy(&Bits, &Value, sizeof Bits);
  const bool Negative = (Bits >> 63) != 0;
  const int Exp = static_cast<int>((Bits >> 52) & 0x7FF);
  const UInt64 Mant = Bits & ((UInt64(1) << 52) - 1);
  UInt64 M64 = 0;
  int E80 = 0;
  if (Exp == 0x7FF) {
    E80 = 0x7FFF;
    M64 = (UInt64(1) << 63) | (Mant != 0 ? (UInt64(1) << 62) | (Mant << 11) : 0);
  } else if (Exp == 0) {
    if (Mant != 0) {
      // A subnormal double is a normal extended: shift its highest bit into the integer bit.
      int High = 51;
      while (((Mant >> High) & 1) == 0) {
        --High;
      }
      E80 = High - 1074 + 16383;
      M64 = Mant << (63 - High);
    }
  } else {
    E80 = Exp - 1023 + 16383;
    M64 = (UInt64(1) << 63) | (Mant << 11);
  }
  for (int I = 0; I < 8; ++I) {
    Out[I] = static_cast<Byte>(M64 >> (8 * I));
  }
  const unsigned SignExp = (Negative ? 0x8000u : 0u) | static_cast<unsigned>(E80);
  Out[8] = static_cast<Byte>(SignExp & 0xFF);
  Out[9] = static_cast<Byte>(SignExp >> 8);
}

double Extended80ToDouble(const Byte In[10]) {
  UInt64 M64 = 0;
  for (int I = 0; I < 8; ++I) {
    M64 |= static_cast<UInt64>(In[I]) << (8 * I);
  }
  const unsigned SignExp = In[8] | (static_cast<unsigned>(In[9]) << 8);
  const bool Negative = (SignExp & 0x8000u) != 0;
  const int E80 = static_cast<int>(SignExp & 0x7FFF);
  double Result = 0;
  if (E80 == 0x7FFF) {
    Result = (M64 << 1) == 0 ? HUGE_VAL : std::nan("");
  } else if (M64 != 0) {
    // The conversion of the 64-bit mantissa to double rounds to nearest; ldexp scales exactly.
    Result = std::ldexp(static_cast<double>(M64), (E80 == 0 ? 1 : E80) - 16383 - 63);
  }
  return Negative ? -Result : Result;
}

// ---- global roots, pending fix-ups, loading brackets ----

struct TReader::TFixup {
  TPersistent* Instance;
  PPropInfo PropInfo;
  TComponent* Root;
  std::string Name;
};

namespace {
struct TGlobals {
  std::recursive_mutex Lock;
  std::vector<TComponent*> Components;
  std::vector<std::unique_ptr<TReader::TFixup>>* Pending = nullptr;
};

TGlobals& Globals() {
  static TGlobals G;
  return G;
}

std::vector<std::unique_ptr<TReader::TFixup>>& PendingFixups() {
  static std::vector<std::unique_ptr<TReader::TFixup>> List;
  return List;
}

thread_local std::vector<std::vector<TComponent*>> GLoadingStack;

// Hears when a root with pending references or a global root goes, and forgets it, so that nothing is left
// pointing at a freed component. It lives for the whole process.
class TRootWatcher : public TComponent {
public:
  TRootWatcher() : TComponent(nullptr) {}

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

TRootWatcher& Watcher() {
  static TRootWatcher* W = new TRootWatcher;
  return *W;
}

// Keeps the watch on Root while it has pending references or is a global root. Called under the lock.
void UpdateWatch(TComponent* Root);

std::string SplitFirst(const std::string& Name, std::size_t& Pos) {
  std::size_t Dot = Name.find('.', Pos);
  std::string Part = Name.substr(Pos, Dot == std::string::npos ? std::string::npos : Dot - Pos);
  Pos = Dot == std::string::npos ? Name.size() + 1 : Dot + 1;
  return Part;
}

// Finds "Comp", "Owner", "Root2.Comp" or "Comp.Owner" relative to Root (the first part may name a global root).
TComponent* FindNestedComponent(TComponent* Root, const std::string& Name) {
  TComponent* Result = Root;
  std::size_t Pos = 0;
  bool First = true;
  while (Result != nullptr && Pos <= Name.size()) {
    std::string Part = SplitFirst(Name, Pos);
    if (SameText(Part, "Owner")) {
      Result = First ? Root : Result->Owner();
    } else {
      TComponent* Next = Result->FindComponent(Part);
      if (Next == nullptr && First) {
        Next = FindGlobalComponent(Part);
      }
      Result = Next;
    }
    First = false;
  }
  return Result;
}
void UpdateWatch(TComponent* Root) {
  if (Root == nullptr) {
    return;
  }
  TGlobals& G = Globals();
  const bool Needed =
      std::find(G.Components.begin(), G.Components.end(), Root) != G.Components.end() ||
      std::any_of(PendingFixups().begin(), PendingFixups().end(), [&](const auto& F) { return F->Root == Root; });
  if (Needed) {
    Watcher().FreeNotification(Root);
  } else {
    Watcher().RemoveFreeNotification(Root);
  }
}

void TRootWatcher::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    TGlobals& G = Globals();
    std::lock_guard<std::recursive_mutex> Guard(G.Lock);
    std::erase(G.Components, AComponent);
    std::erase_if(PendingFixups(), [&](const auto& F) { return F->Root == AComponent; });
  }
}
}  // namespace

void RegisterGlobalComponent(TComponent* Component) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  if (std::find(G.Components.begin(), G.Components.end(), Component) == G.Components.end()) {
    G.Components.push_back(Component);
  }
  UpdateWatch(Component);
}

void UnregisterGlobalComponent(TComponent* Component) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  std::erase(G.Components, Component);
  UpdateWatch(Component);
}

TComponent* FindGlobalComponent(const std::string& Name) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  for (TComponent* C : G.Components) {
    if (SameText(C->Name(), Name)) {
      return C;
    }
  }
  return nullptr;
}

void GlobalFixupReferences() {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  auto& List = PendingFixups();
  std::vector<TComponent*> Touched;
  for (auto It = List.begin(); It != List.end();) {
    TComponent* Target = FindNestedComponent((*It)->Root, (*It)->Name);
    if (Target != nullptr) {
      (*It)->PropInfo->SetObject((*It)->Instance, Target);
      Touched.push_back((*It)->Root);
      It = List.erase(It);
    } else {
      ++It;
    }
  }
  for (TComponent* Root : Touched) {
    TReader::MarkFixups(Root, std::any_of(List.begin(), List.end(), [&](const auto& F) { return F->Root == Root; }));
    UpdateWatch(Root);
  }
}

void RemoveFixupReferences(TComponent* Root, const std::string& RootName) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  std::vector<TComponent*> Roots;
  std::erase_if(PendingFixups(), [&](const auto& F) {
    if (Root != nullptr && F->Root != Root) {
      return false;
    }
    std::size_t Pos = 0;
    if (!RootName.empty() && !SameText(SplitFirst(F->Name, Pos), RootName)) {
      return false;
    }
    Roots.push_back(F->Root);
    return true;
  });
  for (TComponent* R : Roots) {
    if (R != nullptr) {
      TReader::MarkFixups(R, std::any_of(PendingFixups().begin(), PendingFixups().end(),
                                         [&](const auto& F) { return F->Root == R; }));
    }
    UpdateWatch(R);
  }
}

void BeginGlobalLoading() {
  GLoadingStack.emplace_back();
}

void NotifyGlobalLoading() {
  if (GLoadingStack.empty()) {
    return;
  }
  std::vector<TComponent*> List = std::move(GLoadingStack.back());
  GLoadingStack.back().clear();
  for (TComponent* C : List) {
    TReader::DoLoaded(C);
  }
}

void EndGlobalLoading() {
  if (!GLoadingStack.empty()) {
    GLoadingStack.pop_back();
  }
}

// ---- TFiler ----

Z_IMPLEMENT_CLASS(EParserError, Exception)

Z_IMPLEMENT_CLASS(TFiler, TObject)

TFiler::TFiler(TStream* Stream, Integer BufSize) : FStream(Stream) {
  (void)BufSize;
}

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
    ReadPropValue(Instance, Info);
    return;
  }
  Instance->DefineProperties(this);
  if (!FPropName.empty()) {
    std::string Name = FPropName;
    FPropName.clear();
    PropertyError(Name);
  }
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
  if (!GLoadingStack.empty()) {
    // Inherited layouts read the same components again: each is loaded once.
    auto& Global = GLoadingStack.back();
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
