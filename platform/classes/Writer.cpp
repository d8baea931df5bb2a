// TWriter: writing components in the binary form, leaving out default and inherited values.
#include "platform/classes/Filer.h"

#include "platform/classes/Classes.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <cstring>

Z_IMPLEMENT_CLASS(TWriter, TFiler)

TWriter::TWriter(TStream* Stream, Integer BufSize) : TFiler(Stream, BufSize) {}

namespace {
template <class T> void WriteRaw(TWriter* W, T Value) {
  Byte B[sizeof(T)];
  auto U = static_cast<std::make_unsigned_t<T>>(Value);
  for (std::size_t I = 0; I < sizeof(T); ++I) {
    B[I] = static_cast<Byte>(U >> (8 * I));
  }
  W->Write(B, sizeof(T));
}

bool IsSubComponent(TObject* Obj) {
  auto* C = dynamic_cast<TComponent*>(Obj);
  return C != nullptr && C->ComponentStyle().Contains(csSubComponent);
}
}  // namespace

void TWriter::Write(const void* Buf, LongInt Count) {
  FStream->WriteBuffer(Buf, Count);
}

void TWriter::WriteValue(TValueType Value) {
  Byte B = Value;
  Write(&B, 1);
}

void TWriter::WriteSignature() { Write(FilerSignature, 4); }
void TWriter::WriteListBegin() { WriteValue(vaList); }
void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteInteger(Int64 Value) {
  if (Value >= -128 && Value <= 127) {
    WriteValue(vaInt8);
    WriteRaw<std::int8_t>(this, static_cast<std::int8_t>(Value));
  } else if (Value >= -32768 && Value <= 32767) {
    WriteValue(vaInt16);
    WriteRaw<std::int16_t>(this, static_cast<std::int16_t>(Value));
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteValue(vaInt32);
    WriteRaw<std::int32_t>(this, static_cast<std::int32_t>(Value));
  } else {
    WriteValue(vaInt64);
    WriteRaw<Int64>(this, Value);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteChar(char Value) { WriteString(std::string(1, Value)); }

void TWriter::WriteFloat(Extended Value) {
  Byte B[10];
  DoubleToExtended80(Value, B);
  WriteValue(vaExtended);
  Write(B, 10);
}

void TWriter::WriteSingle(float Value) {
  std::uint32_t Bits = 0;
  std::memcpy(&Bits, &Value, sizeof Bits);
  WriteValue(vaSingle);
  WriteRaw<std::uint32_t>(this, Bits);
}

void TWriter::WriteCurrency(Currency Value) {
  WriteValue(vaCurrency);
  WriteRaw<Int64>(this, static_cast<Int64>(std::llround(Value * 10000.0)));
}

void TWriter::WriteDate(TDateTime Value) {
  UInt64 Bits = 0;
  std::memcpy(&Bits, &Value, sizeof Bits);
  WriteValue(vaDate);
  WriteRaw<UInt64>(this, Bits);
}

void TWriter::WriteStr(const std::string& Value) {
  Byte Len = static_cast<Byte>(std::min<std::size_t>(Value.size(), 255));
  Write(&Len, 1);
  if (Len > 0) {
    Write(Value.data(), Len);
  }
}

void TWriter::WriteString(const std::string& Value) {
  if (Value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(Value);
  } else {
    WriteValue(vaLString);
    WriteRaw<Integer>(this, static_cast<Integer>(Value.size()));
    Write(Value.data(), static_cast<LongInt>(Value.size()));
  }
}

void TWriter::WriteIdent(const std::string& Ident) {
  if (SameText(Ident, "False")) {
    WriteValue(vaFalse);
  } else if (SameText(Ident, "True")) {
    WriteValue(vaTrue);
  } else if (SameText(Ident, "Null")) {
    WriteValue(vaNull);
  } else if (SameText(Ident, "nil")) {
    WriteValue(vaNil);
  } else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteVariant(const Variant& Value) {
  switch (VarType(Value) & varTypeMask) {
    case varEmpty:
      WriteValue(vaNil);
      break;
    case varNull:
      WriteValue(vaNull);
      break;
    case varSmallint:
    case varInteger:
    case varByte:
      WriteInteger(Value.AsInteger());
      break;
    case varSingle:
      WriteSingle(static_cast<float>(Value.AsDouble()));
      break;
    case varDouble:
      WriteFloat(Value.AsDouble());
      break;
    case varCurrency:
      WriteCurrency(Value.AsCurrency());
      break;
    case varDate:
      WriteDate(Value.AsDateTime());
      break;
    case varBoolean:
      WriteBoolean(Value.AsBoolean());
      break;
    case varString:
    case varOleStr:
      WriteString(Value.AsString());
      break;
    default:
      throw EWriteError(RtlConsts::SInvalidPropertyValue);
  }
}

void TWriter::WritePrefix(TFilerFlags Flags, Integer AChildPos) {
  if (!Flags.Empty()) {
    Byte Prefix = static_cast<Byte>(0xF0 | Flags.ToMask());
    Write(&Prefix, 1);
    if (Flags.Contains(ffChildPos)) {
      WriteInteger(AChildPos);
    }
  }
}

void TWriter::WritePropName(const std::string& PropName) {
  WriteStr(FPropPath + PropName);
}

// ---- custom properties ----

void TWriter::DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) {
  (void)ReadData;
  if (HasData && WriteData) {
    WritePropName(Name);
    WriteData(this);
  }
}

void TWriter::DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                   bool HasData) {
  (void)ReadData;
  if (!HasData || !WriteData) {
    return;
  }
  TMemoryStream Data;
  WriteData(&Data);
  WritePropName(Name);
  WriteValue(vaBinary);
  const LongInt Size = static_cast<LongInt>(Data.Size());
  WriteRaw<Integer>(this, Size);
  if (Size > 0) {
    Write(Data.Memory(), Size);
  }
}

// ---- properties ----

std::string TWriter::ComponentReference(TComponent* Component) const {
  if (Component->Owner() == FLookupRoot) {
    return Component->Name();
  }
  if (Component == FLookupRoot) {
    return "Owner";
  }
  if (Component->Owner() != nullptr && !Component->Owner()->Name().empty() && !Component->Name().empty()) {
    return Component->Owner()->Name() + "." + Component->Name();
  }
  if (!Component->Name().empty()) {
    return Component->Name() + ".Owner";
  }
  return std::string();
}

bool TWriter::IsDefaultValue(TPersistent* Instance, PPropInfo PropInfo) {
  TPersistent* Anc = FAncestor != nullptr && FAncestor->InheritsFrom(PropInfo->Owner) ? FAncestor : nullptr;
  switch (PropInfo->PropType->Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet: {
      Int64 V = PropInfo->GetOrd(Instance);
      return Anc != nullptr ? V == PropInfo->GetOrd(Anc) : (PropInfo->Default != NoDefault && V == PropInfo->Default);
    }
    case tkInt64: {
      Int64 V = PropInfo->GetOrd(Instance);
      return Anc != nullptr ? V == PropInfo->GetOrd(Anc) : V == (PropInfo->Default != NoDefault ? PropInfo->Default : 0);
    }
    case tkFloat: {
      Extended V = PropInfo->GetFloat(Instance);
      return Anc != nullptr ? V == PropInfo->GetFloat(Anc) : V == 0;
    }
    case tkString:
    case tkLString:
    case tkWString: {
      std::string V = PropInfo->GetStr(Instance);
      return Anc != nullptr ? V == PropInfo->GetStr(Anc) : V.empty();
    }
    case tkVariant: {
      Variant V = PropInfo->GetVariant(Instance);
      if (Anc == nullptr) {
        return VarIsEmpty(V);
      }
      Variant A = PropInfo->GetVariant(Anc);
      return VarType(V) == VarType(A) && (VarIsEmpty(V) || VarIsNull(V) || V == A);
    }
    case tkMethod: {
      TMethod V = PropInfo->GetMethod(Instance);
      if (Anc == nullptr) {
        return V.Code == nullptr;
      }
      TMethod A = PropInfo->GetMethod(Anc);
      return (V.Code == nullptr) == (A.Code == nullptr) && (V.Code == nullptr || V.Code->Name == A.Code->Name);
    }
    default:
      return false;
  }
}

void TWriter::WriteProperties(TPersistent* Instance) {
  for (PPropInfo P : GetPropInfos(Instance->ClassType())) {
    if (P->HasGetter && P->IsStored(Instance)) {
      WriteProperty(Instance, P);
    }
  }
  DefinePropertiesOf(Instance);
}

void TWriter::WriteProperty(TPersistent* Instance, PPropInfo PropInfo) {
  PTypeInfo Type = PropInfo->PropType;
  if (Type->Kind == tkClass) {
    WriteObjectProp(Instance, PropInfo);
    return;
  }
  if (!PropInfo->HasSetter || IsDefaultValue(Instance, PropInfo)) {
    return;
  }
  switch (Type->Kind) {
    case tkInteger: {
      Int64 V = PropInfo->GetOrd(Instance);
      std::string Ident;
      TIntToIdent ToIdent = FindIntToIdent(Type);
      WritePropName(PropInfo->Name);
      if (ToIdent != nullptr && ToIdent(static_cast<int>(V), Ident)) {
        WriteIdent(Ident);
      } else {
        // Integer properties are 32 bits wide in the stream: an unsigned value above 2^31 keeps its bits.
        WriteInteger(static_cast<Integer>(static_cast<std::uint32_t>(V)));
      }
      break;
    }
    case tkChar:
      WritePropName(PropInfo->Name);
      WriteChar(static_cast<char>(PropInfo->GetOrd(Instance)));
      break;
    case tkEnumeration:
      WritePropName(PropInfo->Name);
      WriteIdent(GetEnumName(Type, PropInfo->GetOrd(Instance)));
      break;
    case tkSet: {
      UInt64 V = static_cast<UInt64>(PropInfo->GetOrd(Instance));
      WritePropName(PropInfo->Name);
      WriteValue(vaSet);
      for (int I = 0; I < 64; ++I) {
        if ((V >> I) & 1u) {
          WriteStr(GetEnumName(Type->CompType, I));
        }
      }
      WriteStr(std::string());
      break;
    }
    case tkInt64:
      WritePropName(PropInfo->Name);
      WriteInteger(PropInfo->GetOrd(Instance));
      break;
    case tkFloat: {
      Extended V = PropInfo->GetFloat(Instance);
      WritePropName(PropInfo->Name);
      if (Type->FloatType == ftSingle) {
        WriteSingle(static_cast<float>(V));
      } else if (Type->FloatType == ftCurr) {
        WriteCurrency(V);
      } else if (Type == TypeInfoDateTime()) {
        WriteDate(V);
      } else {
        WriteFloat(V);
      }
      break;
    }
    case tkString:
    case tkLString:
    case tkWString:
      WritePropName(PropInfo->Name);
      WriteString(PropInfo->GetStr(Instance));
      break;
    case tkVariant:
      WritePropName(PropInfo->Name);
      WriteVariant(PropInfo->GetVariant(Instance));
      break;
    case tkMethod: {
      TMethod M = PropInfo->GetMethod(Instance);
      if (M.Code == nullptr) {
        // Differs from the ancestor's handler: the ancestor's is taken away.
        WritePropName(PropInfo->Name);
        WriteValue(vaNil);
        break;
      }
      std::string Name = MethodName(FLookupRoot != nullptr ? FLookupRoot->ClassType() : nullptr, M.Code);
      if (!Name.empty()) {
        WritePropName(PropInfo->Name);
        WriteIdent(Name);
      }
      break;
    }
    default:
      break;
  }
}

void TWriter::WriteObjectProp(TPersistent* Instance, PPropInfo PropInfo) {
  TObject* Obj = PropInfo->GetObject(Instance);
  TPersistent* Anc = FAncestor != nullptr && FAncestor->InheritsFrom(PropInfo->Owner) ? FAncestor : nullptr;
  TObject* AncObj = Anc != nullptr ? PropInfo->GetObject(Anc) : nullptr;
  if (Obj == nullptr) {
    if (AncObj != nullptr && PropInfo->HasSetter) {
      WritePropName(PropInfo->Name);
      WriteValue(vaNil);
    }
    return;
  }
  if (auto* Component = dynamic_cast<TComponent*>(Obj); Component != nullptr && !IsSubComponent(Obj)) {
    if (!PropInfo->HasSetter) {
      return;
    }
    std::string Name = ComponentReference(Component);
    auto* AncComponent = dynamic_cast<TComponent*>(AncObj);
    if (Name.empty() || (AncComponent != nullptr && SameText(AncComponent->Name(), Component->Name()))) {
      return;
    }
    WritePropName(PropInfo->Name);
    WriteIdent(Name);
    return;
  }
  if (auto* Collection = dynamic_cast<TCollection*>(Obj)) {
    if (auto* AncCollection = dynamic_cast<TCollection*>(AncObj);
        AncCollection != nullptr &&
        CollectionBytes(Collection) == CollectionBytes(AncCollection)) {
      return;
    }
    WritePropName(PropInfo->Name);
    WriteCollection(Collection);
    return;
  }
  if (auto* Nested = dynamic_cast<TPersistent*>(Obj)) {
    const std::string OldPath = FPropPath;
    TPersistent* OldAncestor = FAncestor;
    FPropPath = OldPath + PropInfo->Name + ".";
    FAncestor = dynamic_cast<TPersistent*>(AncObj);
    try {
      WriteProperties(Nested);
    } catch (...) {
      FPropPath = OldPath;
      FAncestor = OldAncestor;
      throw;
    }
    FPropPath = OldPath;
    FAncestor = OldAncestor;
  }
}

std::string TWriter::CollectionBytes(TCollection* Collection) const {
  TStringStream Out;
  TWriter W(&Out);
  W.FRoot = FRoot;
  W.FLookupRoot = FLookupRoot;
  W.WriteCollection(Collection);
  return Out.DataString();
}

void TWriter::WriteCollection(TCollection* Value) {
  WriteValue(vaCollection);
  if (Value != nullptr) {
    const std::string OldPath = FPropPath;
    TPersistent* OldAncestor = FAncestor;
    FPropPath.clear();
    FAncestor = nullptr;
    try {
      for (Integer I = 0; I < Value->Count(); ++I) {
        WriteListBegin();
        WriteProperties(Value->Items(I));
        WriteListEnd();
      }
    } catch (...) {
      FPropPath = OldPath;
      FAncestor = OldAncestor;
      throw;
    }
    FPropPath = OldPath;
    FAncestor = OldAncestor;
  }
  WriteListEnd();
}

// ---- components ----

void TWriter::WriteData(TComponent* Instance) {
  TFilerFlags Flags;
  if (FAncestor != nullptr) {
    Flags.Include(ffInherited);
  }
  if (Instance->ComponentState().Contains(csInline)) {
    Flags.Include(ffInline);
  }
  WritePrefix(Flags, 0);
  WriteStr(Instance->ClassName());
  WriteStr(Instance->Name());
  WriteProperties(Instance);
  WriteListEnd();
  if (!FIgnoreChildren) {
    std::vector<TComponent*> OldChildren = std::move(FAncestorChildren);
    const bool OldHas = FHasAncestorChildren;
    TComponent* OldLookupRoot = FLookupRoot;
    FAncestorChildren.clear();
    FHasAncestorChildren = true;
    if (auto* AncComponent = dynamic_cast<TComponent*>(FAncestor)) {
      AncComponent->GetChildren([this](TComponent* C) { FAncestorChildren.push_back(C); },
                                FRootAncestor != nullptr ? FRootAncestor : AncComponent);
    }
    if (Instance->ComponentState().Contains(csInline)) {
      FLookupRoot = Instance;
    }
    try {
      Instance->GetChildren([this](TComponent* C) { WriteComponent(C); }, FRoot);
    } catch (...) {
      FAncestorChildren = std::move(OldChildren);
      FHasAncestorChildren = OldHas;
      FLookupRoot = OldLookupRoot;
      throw;
    }
    FAncestorChildren = std::move(OldChildren);
    FHasAncestorChildren = OldHas;
    FLookupRoot = OldLookupRoot;
  }
  WriteListEnd();
}

void TWriter::WriteComponent(TComponent* Component) {
  TPersistent* OldAncestor = FAncestor;
  if (FHasAncestorChildren) {
    FAncestor = nullptr;
    for (TComponent* C : FAncestorChildren) {
      if (SameText(C->Name(), Component->Name())) {
        FAncestor = C;
        break;
      }
    }
  }
  Component->FComponentState.Include(csWriting);
  try {
    Component->WriteState(this);
  } catch (...) {
    Component->FComponentState.Exclude(csWriting);
    FAncestor = OldAncestor;
    throw;
  }
  Component->FComponentState.Exclude(csWriting);
  FAncestor = OldAncestor;
}

void TWriter::WriteDescendent(TComponent* Root, TComponent* AAncestor) {
  FRootAncestor = AAncestor;
  FAncestor = AAncestor;
  FRoot = Root;
  FLookupRoot = Root;
  FHasAncestorChildren = false;
  WriteSignature();
  WriteComponent(Root);
}

void TWriter::WriteRootComponent(TComponent* Root) {
  WriteDescendent(Root, nullptr);
}
