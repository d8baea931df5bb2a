// The component's registry helpers.
#include "editor/Easyregistry.h"

#include "editor/Easyconsts.h"
#include "platform/classes/Registry.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"

#include <memory>

namespace {
// Closes the registry object's current key however the caller leaves.
struct TKeyCloser {
  TRegistry* Reg;
  ~TKeyCloser() { Reg->CloseKey(); }
};

enum TVarGroup { vgInteger, vgFloat, vgCurrency, vgDate, vgString, vgBoolean };

TVarGroup GroupOf(const Variant& V) {
  switch (V.VType() & varTypeMask) {
    case varSmallint:
    case varInteger:
    case varByte:
      return vgInteger;
    case varSingle:
    case varDouble:
      return vgFloat;
    case varCurrency:
      return vgCurrency;
    case varDate:
      return vgDate;
    case varOleStr:
    case varString:
      return vgString;
    case varBoolean:
      return vgBoolean;
    default:
      throw Exception(EasyConsts::sUnknownRegType);
  }
}
}  // namespace

const std::string& DefaultKey() {
  static const std::string Key = "Software\\Palvane\\EasyEditor\\";
  return Key;
}

TRegistry* GetRegistry() {
  static std::unique_ptr<TRegistry> Registry(new TRegistry());
  return Registry.get();
}

Variant ReadVarFromRegistry(const std::string& KeyPath, const std::string& ValueName, const Variant& Default) {
  Variant Result = Default;
  if (ValueName.empty()) {
    return Result;
  }
  const TVarGroup Group = GroupOf(Default);
  TRegistry* Reg = GetRegistry();
  if (!Reg->OpenKey(KeyPath, false)) {
    return Result;
  }
  TKeyCloser Closer{Reg};
  if (!Reg->ValueExists(ValueName)) {
    return Result;
  }
  switch (Group) {
    case vgInteger:
      Result = Variant(Reg->ReadInteger(ValueName));
      break;
    case vgFloat:
      Result = Variant(Reg->ReadFloat(ValueName));
      break;
    case vgCurrency:
      Result = VarAsType(Variant(Reg->ReadCurrency(ValueName)), varCurrency);
      break;
    case vgDate:
      Result = VarAsType(Variant(Reg->ReadDateTime(ValueName)), varDate);
      break;
    case vgString:
      Result = Variant(Reg->ReadString(ValueName));
      break;
    case vgBoolean:
      Result = Variant(Reg->ReadBool(ValueName));
      break;
  }
  return Result;
}

void WriteVarToRegistry(const std::string& KeyPath, const std::string& ValueName, const Variant& Value) {
  if (ValueName.empty()) {
    return;
  }
  TRegistry* Reg = GetRegistry();
  Reg->OpenKey(KeyPath, true);
  TKeyCloser Closer{Reg};
  switch (GroupOf(Value)) {
    case vgInteger:
      Reg->WriteInteger(ValueName, Value.AsInteger());
      break;
    case vgFloat:
      Reg->WriteFloat(ValueName, Value.AsDouble());
      break;
    case vgCurrency:
      Reg->WriteCurrency(ValueName, Value.AsCurrency());
      break;
    case vgDate:
      Reg->WriteDateTime(ValueName, Value.AsDateTime());
      break;
    case vgString:
      Reg->WriteString(ValueName, Value.AsString());
      break;
    case vgBoolean:
      Reg->WriteBool(ValueName, Value.AsBoolean());
      break;
  }
}

TMemoryStream* ReadStreamFromRegistry(const std::string& KeyPath, const std::string& ValueName) {
  if (ValueName.empty()) {
    return nullptr;
  }
  TRegistry* Reg = GetRegistry();
  if (!Reg->OpenKey(KeyPath, false)) {
    return nullptr;
  }
  TKeyCloser Closer{Reg};
  const Integer Size = Reg->GetDataSize(ValueName);
  if (Size < 0) {
    return nullptr;
  }
  std::unique_ptr<TMemoryStream> Stream(new TMemoryStream());
  Stream->SetSize(Size);
  if (Size > 0) {
    Reg->ReadBinaryData(ValueName, Stream->Memory(), Size);
  }
  return Stream.release();
}

void WriteStreamToRegistry(const std::string& KeyPath, const std::string& ValueName, TMemoryStream* Stream) {
  if (ValueName.empty() || !Stream) {
    return;
  }
  TRegistry* Reg = GetRegistry();
  Reg->OpenKey(KeyPath, true);
  TKeyCloser Closer{Reg};
  Reg->WriteBinaryData(ValueName, Stream->Memory(), static_cast<Integer>(Stream->Size()));
}
