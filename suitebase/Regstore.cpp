// Registry and profile storage of the suite's settings.
#include "suitebase/Regstore.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"
#include "platform/win/Profile.h"
#include "platform/win/RegistryStore.h"
#include "suitebase/Fileutils.h"
#include "suitebase/Objstreams.h"
#include "suitebase/Propaccess.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace Dorazori {

std::string RegistryKey = "Software\\Halvex (Nimbra VCL)\\Corvane Report\\Version 4.11";
Integer DefaultRegBlockSize = 8192;
std::string OptionsFileName;

namespace {
inline constexpr char KeyDelim = '\\';
inline constexpr std::size_t LongHeaderSize = 36;
inline constexpr std::size_t HeaderTotalAt = 15;
inline constexpr std::size_t HeaderChunkAt = 26;
inline constexpr int HeaderDigits = 10;
inline constexpr Integer FilerBufferSize = 4096;
inline constexpr std::size_t HexPerEntry = 64;
inline constexpr DWORD SectionBufferStart = 32767;
inline constexpr const char* HolderName = "PersHolder";

std::unique_ptr<TRegistry> TheRegistry;
std::optional<bool> NTFamilyOverride;

std::string AddBackslash(const std::string& S) { return S.empty() || S.back() == KeyDelim ? S : S + KeyDelim; }

// Splits RegistryKey + "\" + Path into an absolute key path and a value name.
void SplitValuePath(const std::string& Path, std::string& Key, std::string& Name) {
  const std::string Full = AddBackslash(RegistryKey) + Path;
  const std::size_t Last = Full.rfind(KeyDelim);
  Key = Last == std::string::npos ? "" : Full.substr(0, Last);
  Name = Last == std::string::npos ? Full : Full.substr(Last + 1);
}

// Opens the value's key on the shared registry object for Body and closes it in every case; false when the key
// could not be opened.
bool WithValueKey(const std::string& Path, bool CanCreate,
                  const std::function<void(TRegistry&, const std::string&)>& Body) {
  std::string Key;
  std::string Name;
  SplitValuePath(Path, Key, Name);
  TRegistry& Reg = *SuiteRegistry();
  Reg.CloseKey();
  if (!Reg.OpenKey(KeyDelim + Key, CanCreate)) {
    return false;
  }
  try {
    Body(Reg, Name);
  } catch (...) {
    Reg.CloseKey();
    throw;
  }
  Reg.CloseKey();
  return true;
}

// The bytes of a value of any type ("" when missing).
std::string ValueBytes(TRegistry& Reg, const std::string& Name) {
  DWORD Type = 0;
  DWORD Size = 0;
  if (RegQueryValueEx(Reg.CurrentKey(), Name.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS || Size == 0) {
    return "";
  }
  std::string Data(Size, '\0');
  if (RegQueryValueEx(Reg.CurrentKey(), Name.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(Data.data()), &Size) !=
      ERROR_SUCCESS) {
    return "";
  }
  Data.resize(Size);
  return Data;
}

std::string ReadValueBytes(const std::string& Path) {
  std::string Data;
  (void)WithValueKey(Path, false, [&Data](TRegistry& Reg, const std::string& Name) { Data = ValueBytes(Reg, Name); });
  return Data;  // empty when the key is missing
}

// Parses a long-buffer header; false when it is none or cannot be trusted.
bool ParseLongHeader(const std::string& Header, Integer& Total, Integer& Chunk) {
  if (Header.size() < LongHeaderSize || Header.compare(0, HeaderTotalAt, LongRegKeyMark) != 0) {
    return false;
  }
  return TryStrToInt(Header.substr(HeaderTotalAt, HeaderDigits), Total) &&
         TryStrToInt(Header.substr(HeaderChunkAt, HeaderDigits), Chunk) && Total >= 0 && Chunk > 0;
}

bool HasLongHeader(const std::string& Data) {
  return Data.size() >= HeaderTotalAt && Data.compare(0, HeaderTotalAt, LongRegKeyMark) == 0;
}

void FinalizeRegstore() { TheRegistry.reset(); }

int HexValue(char C) {
  if (C >= '0' && C <= '9') {
    return C - '0';
  }
  if (C >= 'A' && C <= 'F') {
    return C - 'A' + 10;
  }
  if (C >= 'a' && C <= 'f') {
    return C - 'a' + 10;
  }
  return -1;
}

// The whole section, however long, as its NUL-separated entries.
std::string ReadWholeSection(const std::string& Section) {
  std::vector<char> Buffer(SectionBufferStart);
  for (;;) {
    const DWORD N = GetPrivateProfileSection(Section.c_str(), Buffer.data(), static_cast<DWORD>(Buffer.size()),
                                             OptionsFileName.c_str());
    if (N + 2 < Buffer.size()) {
      return std::string(Buffer.data(), N);
    }
    Buffer.resize(Buffer.size() * 2);
  }
}

// A component for the profile routines: the object itself, or a holder named "PersHolder" around it.
TComponent* ComponentFor(TPersistent* Instance, std::unique_ptr<Vivaridiriz::TPersHolder>& Holder) {
  if (auto* C = dynamic_cast<TComponent*>(Instance)) {
    return C;
  }
  Holder = std::make_unique<Vivaridiriz::TPersHolder>();
  Holder->SetName(HolderName);
  Holder->SetP(Instance);
  return Holder.get();
}
}  // namespace

Z_IMPLEMENT_CLASS(TRegistryStream, TMemoryStream)

bool RegistryIsNTFamily() { return NTFamilyOverride.value_or(UnderWindowsNT()); }
void SetRegistryNTFamilyForTests(std::optional<bool> Value) { NTFamilyOverride = Value; }

TRegistry* SuiteRegistry() {
  if (!TheRegistry) {
    TheRegistry = std::make_unique<TRegistry>();
    TheRegistry->SetRootKey(HKEY_CURRENT_USER);
  }
  return TheRegistry.get();
}

void SetRootRegKey(HKEY Key) { SuiteRegistry()->SetRootKey(Key); }

std::string GetNimbraRegKey(const std::string& SubKey) { return "Software\\Halvex (Nimbra VCL)\\" + SubKey; }

bool DCDeleteRegKey(HKEY Root, const std::string& Key, const std::string& SubKey) {
  std::string Path = AddBackslash(Key) + SubKey;
  while (!Path.empty() && Path.front() == KeyDelim) {
    Path.erase(0, 1);
  }
  HKEY H = 0;
  if (RegOpenKeyEx(Root, Path.c_str(), 0, KEY_ALL_ACCESS, &H) == ERROR_SUCCESS) {
    DWORD SubKeys = 0;
    DWORD MaxLen = 0;
    if (RegQueryInfoKey(H, nullptr, nullptr, nullptr, &SubKeys, &MaxLen, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr) != ERROR_SUCCESS) {
      (void)RegCloseKey(H);  // nothing was deleted
      return false;
    }
    std::vector<std::string> Names;
    std::vector<char> Name(MaxLen + 1);
    for (DWORD I = 0; I < SubKeys; ++I) {
      DWORD Len = static_cast<DWORD>(Name.size());
      if (RegEnumKeyEx(H, I, Name.data(), &Len, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        Names.emplace_back(Name.data(), Len);
      }
    }
    (void)RegCloseKey(H);  // the names are read
    for (const std::string& N : Names) {
      (void)DCDeleteRegKey(Root, Path, N);  // the key's own deletion below reports what is left
    }
  }
  const LONG R = RegDeleteKey(Root, Path.c_str());
  return R == ERROR_SUCCESS || R == ERROR_FILE_NOT_FOUND;
}

void WriteToRegistry(const std::string& Path, const Variant& Value) {
  if (Path.empty()) {
    return;
  }
  (void)WithValueKey(Path, true, [&Value](TRegistry& Reg, const std::string& Name) {
    switch (VarType(Value) & varTypeMask) {
      case varSmallint:
      case varInteger:
      case varByte: Reg.WriteInteger(Name, Value.AsInteger()); break;
      case varSingle:
      case varDouble: Reg.WriteFloat(Name, Value.AsDouble()); break;
      case varCurrency: Reg.WriteCurrency(Name, Value.AsCurrency()); break;
      case varDate: Reg.WriteDateTime(Name, Value.AsDateTime()); break;
      case varOleStr:
      case varString: Reg.WriteString(Name, Value.AsString()); break;
      case varBoolean: Reg.WriteBool(Name, Value.AsBoolean()); break;
      default: throw Exception(SNotSupportedType);
    }
  });  // a key that cannot be created raises in OpenKey
}

Variant ReadFromRegistry(const std::string& Path, const Variant& Default) {
  Variant Result = Default;
  if (Path.empty()) {
    return Result;
  }
  (void)WithValueKey(Path, false, [&](TRegistry& Reg, const std::string& Name) {
    if (!Reg.ValueExists(Name)) {
      return;
    }
    const TVarType Type = VarType(Default) & varTypeMask;
    switch (Type) {
      case varSmallint:
      case varInteger:
      case varByte: Result = Variant(Reg.ReadInteger(Name)); break;
      case varSingle:
      case varDouble: Result = Variant(Reg.ReadFloat(Name)); break;
      case varCurrency: Result = Variant::FromCurrency(Reg.ReadCurrency(Name)); break;
      case varDate: Result = Variant::FromDateTime(Reg.ReadDateTime(Name)); break;
      case varOleStr:
      case varString: Result = Variant(Reg.ReadString(Name)); break;
      case varBoolean: Result = Variant(Reg.ReadBool(Name)); break;
      default: throw Exception(std::string(SNotSupportedType) + "($" + IntToHex(Type, 4) + ")");
    }
  });  // a missing key leaves the default
  return Result;
}

bool RegValueExists(const std::string& Path) {
  bool Exists = false;
  (void)WithValueKey(Path, false,
                     [&Exists](TRegistry& Reg, const std::string& Name) { Exists = Reg.ValueExists(Name); });
  return Exists;
}

void WriteBufToRegistry(const std::string& Path, const void* Buffer, Integer Size) {
  std::string Key;
  std::string Name;
  SplitValuePath(Path, Key, Name);
  if (Path.empty() || Key.empty() || Name.empty()) {
    return;
  }
  (void)WithValueKey(Path, true, [&](TRegistry& Reg, const std::string& N) { Reg.WriteBinaryData(N, Buffer, Size); });
}

Integer ReadBufFromRegistry(const std::string& Path, void* Buffer, Integer Size) {
  if (Path.empty()) {
    return 0;
  }
  const std::string Data = ReadValueBytes(Path);
  const auto N = static_cast<Integer>(std::min<std::size_t>(Data.size(), static_cast<std::size_t>(std::max(Size, 0))));
  if (N > 0) {
    std::copy_n(Data.data(), N, static_cast<char*>(Buffer));
  }
  return N;
}

Integer GetRegBufSize(const std::string& Path) {
  Integer Size = -1;
  (void)WithValueKey(Path, false, [&Size](TRegistry& Reg, const std::string& Name) {
    Size = std::max<Integer>(Reg.GetDataSize(Name), 0);
  });
  return Size;
}

void WriteLongBufToRegistry(const std::string& Path, const void* Buffer, Integer Size) {
  if (RegistryIsNTFamily()) {
    WriteBufToRegistry(Path, Buffer, Size);
    return;
  }
  const Integer Chunk = std::max<Integer>(DefaultRegBlockSize, 1);
  TRegistryWriteBatch Batch;
  const std::string Header = LongRegKeyMark + Format("%.10d %.10d", {Size, Chunk});
  WriteBufToRegistry(Path, Header.data(), static_cast<Integer>(Header.size()));
  const char* Bytes = static_cast<const char*>(Buffer);
  for (Integer Done = 0, I = 0; Done < Size; Done += Chunk, ++I) {
    WriteBufToRegistry(Path + "__" + IntToStr(I), Bytes + Done, std::min(Chunk, Size - Done));
  }
  if (Batch.End() != ERROR_SUCCESS) {
    throw ERegistryException(Format("Failed to set data for '%s'", {Path}));
  }
}

Integer GetLongRegBufSize(const std::string& Path) {
  if (!RegistryIsNTFamily()) {
    const std::string Data = ReadValueBytes(Path);
    Integer Total = 0;
    Integer Chunk = 0;
    if (HasLongHeader(Data)) {
      return ParseLongHeader(Data, Total, Chunk) ? Total : 0;
    }
  }
  return GetRegBufSize(Path);
}

Integer ReadLongBufFromRegistry(const std::string& Path, void* Buffer, Integer Size) {
  if (RegistryIsNTFamily()) {
    return ReadBufFromRegistry(Path, Buffer, Size);
  }
  const std::string Header = ReadValueBytes(Path);
  if (!HasLongHeader(Header)) {
    return ReadBufFromRegistry(Path, Buffer, Size);
  }
  Integer Total = 0;
  Integer Chunk = 0;
  if (!ParseLongHeader(Header, Total, Chunk)) {
    return 0;
  }
  const Integer Want = std::min(Size, Total);
  Integer Read = 0;
  for (Integer I = 0; Read < Want; ++I) {
    const Integer Limit = std::min(Chunk, Want - Read);
    const Integer N = ReadBufFromRegistry(Path + "__" + IntToStr(I), static_cast<char*>(Buffer) + Read, Limit);
    Read += N;
    if (N < Chunk) {
      break;
    }
  }
  return Read;
}

TRegistryStream::TRegistryStream(const std::string& APath, Word Mode) : FPath(APath) {
  if (Mode == fmCreate) {
    WriteLongBufToRegistry(FPath, nullptr, 0);
    FLoadedSize = 0;
    return;
  }
  FLoadedSize = GetLongRegBufSize(FPath);
  if (FLoadedSize > 0) {
    TMemoryStream::SetSize(FLoadedSize);
    const Integer Got = ReadLongBufFromRegistry(FPath, Memory(), FLoadedSize);
    TMemoryStream::SetSize(Got);
    FLoadedSize = Got;
  }
}

TRegistryStream::~TRegistryStream() {
  if (FDirty || (FLoadedSize != -1 && FLoadedSize != Size())) {
    try {
      WriteLongBufToRegistry(FPath, Memory(), static_cast<Integer>(Size()));
    } catch (...) {
      // A destructor cannot report: the registry keeps what it had.
    }
  }
}

LongInt TRegistryStream::Write(const void* Buffer, LongInt Count) {
  FDirty = true;
  return TMemoryStream::Write(Buffer, Count);
}

void WriteObjToRegistry(const std::string& Path, TPersistent* Instance) {
  TRegistryStream S(Path, fmCreate);
  Vivaridiriz::WriteObjToStream(&S, Instance);
}

void WriteObjTextToRegistry(const std::string& Path, TPersistent* Instance) {
  TRegistryStream S(Path, fmCreate);
  Vivaridiriz::WriteObjToTextStream(&S, Instance);
}

void ReadObjFromRegistry(const std::string& Path, TPersistent* Instance) {
  TRegistryStream S(Path, fmOpenRead);
  if (S.Size() > 0) {
    Vivaridiriz::ReadObjFromStream(&S, Instance);
  }
}

void ReadObjTextFromRegistry(const std::string& Path, TPersistent* Instance) {
  TRegistryStream S(Path, fmOpenRead);
  if (S.Size() > 0) {
    Vivaridiriz::ReadObjFromTextStream(&S, Instance);
  }
}

void WriteStringsToRegistry(const std::string& Path, TStrings* Strings) {
  WriteToRegistry(Path, Variant(Strings->Text()));
}

void ReadStringsFromRegistry(const std::string& Path, TStrings* Strings) {
  if (RegValueExists(Path)) {
    Strings->SetText(ReadFromRegistry(Path, Variant("")).AsString());
  }
}

void WritePropsToRegistry(TPersistent* Instance, const std::string& Path) {
  TRegistryWriteBatch Batch;
  Vivaridiriz::ForEachProp(Instance, true, 0, [&Path](TPersistent* Obj, PPropInfo Info, NativeInt) {
    const std::string ValuePath = AddBackslash(Path) + Info->Name;
    if (Info->PropType->Kind == tkClass) {
      TObject* Value = Info->GetObject(Obj);
      if (auto* Strings = dynamic_cast<TStrings*>(Value)) {
        WriteStringsToRegistry(ValuePath, Strings);
      } else if (auto* Collection = dynamic_cast<TCollection*>(Value)) {
        WriteObjTextToRegistry(ValuePath, Collection);
      } else if (auto* Nested = dynamic_cast<TPersistent*>(Value)) {
        WritePropsToRegistry(Nested, ValuePath);
      }
      return;
    }
    const Variant V = Vivaridiriz::GetPropValueByPropInfo(Obj, Info);
    // Kinds without a value form (events, 64-bit integers) are not stored rather than failing the whole save.
    if (!VarIsEmpty(V)) {
      WriteToRegistry(ValuePath, V);
    }
  });
  if (Batch.End() != ERROR_SUCCESS) {
    throw ERegistryException(Format("Failed to set data for '%s'", {Path}));
  }
}

void ReadPropsFromRegistry(TPersistent* Instance, const std::string& Path) {
  Vivaridiriz::ForEachProp(Instance, true, 0, [&Path](TPersistent* Obj, PPropInfo Info, NativeInt) {
    const std::string ValuePath = AddBackslash(Path) + Info->Name;
    if (Info->PropType->Kind == tkClass) {
      TObject* Value = Info->GetObject(Obj);
      if (auto* Strings = dynamic_cast<TStrings*>(Value)) {
        ReadStringsFromRegistry(ValuePath, Strings);
      } else if (auto* Collection = dynamic_cast<TCollection*>(Value)) {
        ReadObjTextFromRegistry(ValuePath, Collection);
      } else if (auto* Nested = dynamic_cast<TPersistent*>(Value)) {
        ReadPropsFromRegistry(Nested, ValuePath);
      }
      return;
    }
    const Variant Current = Vivaridiriz::GetPropValueByPropInfo(Obj, Info);
    if (VarIsEmpty(Current) || !RegValueExists(ValuePath)) {
      return;
    }
    Vivaridiriz::SetPropValueByPropInfo(Obj, Info, Vivaridiriz::CorrectBool(ReadFromRegistry(ValuePath, Current)));
  });
}

std::string BufferToText(const void* Buffer, Integer Size) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  const auto* Bytes = static_cast<const Byte*>(Buffer);
  std::string Text;
  Text.reserve(static_cast<std::size_t>(std::max(Size, 0)) * 2 + static_cast<std::size_t>(Size / 32 + 2));
  for (Integer I = 0; I < Size; ++I) {
    Text += Digits[Bytes[I] >> 4];
    Text += Digits[Bytes[I] & 0x0F];
    if (Text.size() % (HexPerEntry + 1) == HexPerEntry) {
      Text += '\0';
    }
  }
  if (!Text.empty() && Text.back() != '\0') {
    Text += '\0';
  }
  return Text;
}

bool TextToStream(const std::string& Text, TStream* Stream) {
  std::string Bytes;
  Bytes.reserve(Text.size() / 2);
  int High = -1;
  for (char C : Text) {
    if (C == '\0') {
      continue;
    }
    const int V = HexValue(C);
    if (V < 0) {
      return false;
    }
    if (High < 0) {
      High = V;
    } else {
      Bytes += static_cast<char>(High * 16 + V);
      High = -1;
    }
  }
  if (High >= 0) {
    return false;
  }
  if (!Bytes.empty()) {
    Stream->WriteBuffer(Bytes.data(), static_cast<LongInt>(Bytes.size()));
  }
  return true;
}

void SaveComponentToIniFile(TPersistent* Instance, const std::string& Section) {
  std::unique_ptr<Vivaridiriz::TPersHolder> Holder;
  TComponent* C = ComponentFor(Instance, Holder);
  TMemoryStream S;
  {
    TWriter Writer(&S, FilerBufferSize);
    Writer.WriteDescendent(C, nullptr);
  }
  // The section keeps the component's state without the stream's signature.
  const std::string Text = BufferToText(static_cast<const char*>(S.Memory()) + 4, static_cast<Integer>(S.Size()) - 4);
  if (WritePrivateProfileString(Section.c_str(), nullptr, nullptr, OptionsFileName.c_str())) {
    (void)WritePrivateProfileSection(Section.c_str(), (Text + '\0').c_str(),
                                     OptionsFileName.c_str());  // a file that cannot be written keeps what it had
  }
}

void LoadComponentFromIniFile(TPersistent* Instance, const std::string& Section) {
  const std::string Text = ReadWholeSection(Section);
  if (Text.empty()) {
    return;
  }
  TMemoryStream S;
  S.WriteBuffer(FilerSignature, 4);
  if (!TextToStream(Text, &S) || S.Size() == 4) {
    return;
  }
  S.SetPosition(0);
  std::unique_ptr<Vivaridiriz::TPersHolder> Holder;
  TComponent* C = ComponentFor(Instance, Holder);
  TReader Reader(&S, FilerBufferSize);
  // The values land in the existing component, which keeps its name.
  Reader.OnSetName = [](TReader*, TComponent* Component, std::string& Name) { Name = Component->Name(); };
  Reader.ReadRootComponent(C);
}

void AssociateFileExt(const std::string& Ext, const std::string& TypeKey, const std::string& Command,
                      const std::string& IconFile, Integer IconIndex) {
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CLASSES_ROOT);
  TRegistryWriteBatch Batch;
  const auto Put = [&Reg](const std::string& Key, const std::string& Value) {
    Reg.CloseKey();
    if (Reg.OpenKey(KeyDelim + Key, true)) {
      Reg.WriteString("", Value);
    }
  };
  Put(Ext, TypeKey);
  Put(TypeKey + "\\DefaultIcon", IconFile + "," + IntToStr(IconIndex));
  Put(TypeKey + "\\Shell\\Open\\Command", Command + " \"%1\"");
  Reg.CloseKey();
  (void)Batch.End();  // a hive that cannot be written keeps the associations it had
}

void UnAssociateFileExt(const std::string& Ext, const std::string& TypeKey) {
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CLASSES_ROOT);
  for (const std::string& Key : {Ext, TypeKey + "\\DefaultIcon", TypeKey + "\\Shell\\Open\\Command",
                                 TypeKey + "\\Shell\\Open", TypeKey + "\\Shell", TypeKey}) {
    (void)Reg.DeleteKey(KeyDelim + Key);  // keys that are not there are simply gone
  }
}

}  // namespace Dorazori

Z_REGISTER_UNIT(UnitOrder::Dorazori, "Dorazori.Registry", nullptr, &Dorazori::FinalizeRegstore)
