// Object and property streaming: the holder for non-components, property subsets, stream recognition and raw
// values.
#include "suitebase/Objstreams.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <memory>

namespace Vivaridiriz {

Z_IMPLEMENT_CLASS_PUBLISHED(TPersHolder, TComponent, TPersHolder::Publish)

void TPersHolder::Publish(TMetaClass& Meta) {
  TPublisher<TPersHolder> Pub(Meta);
  Pub.Property("P", &TPersHolder::P, &TPersHolder::SetP);
}

void WriteObjToStream(TStream* Stream, TPersistent* Instance) {
  if (auto* Component = dynamic_cast<TComponent*>(Instance)) {
    Stream->WriteComponent(Component);
    return;
  }
  TPersHolder Holder;
  Holder.SetP(Instance);
  Stream->WriteComponent(&Holder);
}

void ReadObjFromStream(TStream* Stream, TPersistent* Instance) {
  BeginGlobalLoading();
  try {
    if (auto* Component = dynamic_cast<TComponent*>(Instance)) {
      Stream->ReadComponent(Component);
      NotifyGlobalLoading();
    } else {
      TPersHolder Holder;
      Holder.SetP(Instance);
      Stream->ReadComponent(&Holder);
    }
  } catch (...) {
    EndGlobalLoading();
    throw;
  }
  EndGlobalLoading();
}

void WriteObjToTextStream(TStream* Stream, TPersistent* Instance) {
  TMemoryStream Binary;
  WriteObjToStream(&Binary, Instance);
  Binary.SetPosition(0);
  ObjectBinaryToText(&Binary, Stream);
}

void ReadObjFromTextStream(TStream* Stream, TPersistent* Instance) {
  TMemoryStream Binary;
  ObjectTextToBinary(Stream, &Binary);
  Binary.SetPosition(0);
  ReadObjFromStream(&Binary, Instance);
}

void WriteObjToFile(TPersistent* Instance, const std::string& FileName) {
  TFileStream File(FileName, fmCreate);
  WriteObjToStream(&File, Instance);
}

void WriteObjToTextFile(TPersistent* Instance, const std::string& FileName) {
  TFileStream File(FileName, fmCreate);
  WriteObjToTextStream(&File, Instance);
}

void ReadObjFromFile(TPersistent* Instance, const std::string& FileName) {
  TFileStream File(FileName, Dorazori::DefaultOpenMode);
  ReadObjFromStream(&File, Instance);
}

void ReadObjFromTextFile(TPersistent* Instance, const std::string& FileName) {
  TFileStream File(FileName, Dorazori::DefaultOpenMode);
  ReadObjFromTextStream(&File, Instance);
}

}  // namespace Vivaridiriz

namespace Dorazori {

Z_IMPLEMENT_CLASS(TMWriter, TWriter)
Z_IMPLEMENT_CLASS(TPropReader, TReader)

namespace {
inline constexpr Integer FilerBufferSize = 4096;
inline constexpr Byte ResHeaderMark = 0xFF;
inline constexpr Word ResTypeComponent = 10;
}  // namespace

void TMWriter::DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) {
  if (Component == nullptr || PropertiesInstance() != Component) {
    TWriter::DefineProperty(Name, std::move(ReadData), std::move(WriteData), HasData);
  }
}

void TMWriter::DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) {
  if (Component == nullptr || PropertiesInstance() != Component) {
    TWriter::DefineBinaryProperty(Name, std::move(ReadData), std::move(WriteData), HasData);
  }
}

void TMWriter::WriteProperty(TPersistent* Instance, PPropInfo PropInfo) {
  if (FilterNames && Instance == Component &&
      std::none_of(AllowedNames.begin(), AllowedNames.end(),
                   [PropInfo](const std::string& N) { return SameText(N, PropInfo->Name); })) {
    return;
  }
  TWriter::WriteProperty(Instance, PropInfo);
}

void TPropReader::DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) {
  if (PropRoot == nullptr || PropertiesInstance() != PropRoot) {
    TReader::DefineProperty(Name, std::move(ReadData), std::move(WriteData), HasData);
  }
}

void TPropReader::DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                       bool HasData) {
  if (PropRoot == nullptr || PropertiesInstance() != PropRoot) {
    TReader::DefineBinaryProperty(Name, std::move(ReadData), std::move(WriteData), HasData);
  }
}

void WritePropsToStream(TStream* Stream, TComponent* Component, const std::vector<std::string>& PropNames) {
  if (Component == nullptr) {
    return;
  }
  TStringList Names;
  for (const std::string& Name : PropNames) {
    Names.Add(Name);
  }
  const Int64 Start = Stream->Position();
  WriteInt(Stream, 0);
  {
    TMWriter Writer(Stream, FilerBufferSize);
    _WritePropsToStream(&Writer, Component, &Names);
    Writer.FlushBuffer();
  }
  const Int64 End = Stream->Position();
  Stream->SetPosition(Start);
  WriteInt(Stream, static_cast<Integer>(End - Start - 4));
  Stream->SetPosition(End);
}

void _WritePropsToStream(TWriter* Writer, TComponent* Component, TStrings* PropNames) {
  if (Writer == nullptr || Component == nullptr) {
    return;
  }
  if (auto* M = dynamic_cast<TMWriter*>(Writer)) {
    M->Component = Component;
    M->FilterNames = true;
    M->AllowedNames.clear();
    for (Integer I = 0; PropNames != nullptr && I < PropNames->Count(); ++I) {
      M->AllowedNames.push_back(PropNames->Strings(I));
    }
  }
  Writer->SetIgnoreChildren(true);
  Writer->WriteDescendent(Component, nullptr);
}

void ReadPropsFromStream(TStream* Stream, TComponent* Root) {
  if (Root == nullptr) {
    return;
  }
  Integer Size = 0;
  Stream->ReadBuffer(&Size, sizeof(Size));
  if (Size < 0 || Size > Stream->Size() - Stream->Position()) {
    throw EReadError(RtlConsts::SReadError);
  }
  TMemoryStream Record;
  Record.SetSize(Size);
  if (Size > 0) {
    Stream->ReadBuffer(Record.Memory(), Size);
  }
  Record.SetPosition(0);
  TPropReader Reader(&Record, FilerBufferSize);
  Reader.PropRoot = Root;
  Reader.ReadRootComponent(Root);
}

bool SmartSkipResHeader(TStream* Stream, bool PeekOnly) {
  const Int64 Start = Stream->Position();
  Byte Head[3] = {};
  bool Found = Stream->Read(Head, 3) == 3 && Head[0] == ResHeaderMark && Head[1] == (ResTypeComponent & 0xFF) &&
               Head[2] == (ResTypeComponent >> 8);
  if (Found) {
    Byte C = 1;
    while (Stream->Read(&C, 1) == 1 && C != 0) {
    }
    Byte Tail[6] = {};
    Found = C == 0 && Stream->Read(Tail, 6) == 6;
  }
  if (!Found || PeekOnly) {
    Stream->SetPosition(Start);
  }
  return Found;
}

TClass GetClassFromStream(TStream* Stream) {
  const Int64 Start = Stream->Position();
  try {
    (void)SmartSkipResHeader(Stream, false);  // either way the stream is where the component begins
    TReader Reader(Stream, FilerBufferSize);
    Reader.ReadSignature();
    TFilerFlags Flags;
    Integer ChildPos = 0;
    Reader.ReadPrefix(Flags, ChildPos);
    const std::string ClassName = Reader.ReadStr();
    Stream->SetPosition(Start);
    return GetClass(ClassName);
  } catch (...) {
    Stream->SetPosition(Start);
    throw;
  }
}

void DCWriteStrWithLenToStream(TStream* Stream, const std::string& S) {
  WriteInt(Stream, static_cast<Integer>(S.size()));
  if (!S.empty()) {
    Stream->WriteBuffer(S.data(), static_cast<LongInt>(S.size()));
  }
}

std::string DCReadStrWithLenFromStream(TStream* Stream) {
  Integer Len = 0;
  Stream->ReadBuffer(&Len, sizeof(Len));
  if (Len < 0 || Len > Stream->Size() - Stream->Position()) {
    throw EReadError(RtlConsts::SReadError);
  }
  std::string S(static_cast<std::size_t>(Len), '\0');
  if (Len > 0) {
    Stream->ReadBuffer(S.data(), Len);
  }
  return S;
}

void WriteShortStr(TStream* Stream, const std::string& S) {
  const Byte Len = static_cast<Byte>(std::min<std::size_t>(S.size(), 255));
  Stream->WriteBuffer(&Len, 1);
  if (Len > 0) {
    Stream->WriteBuffer(S.data(), Len);
  }
}

void PReadShortStr(const char*& P, std::string& S) {
  const auto Len = static_cast<Byte>(*P);
  S.assign(P + 1, Len);
  P += 1 + Len;
}

void WriteInt(TStream* Stream, Integer V) {
  const Byte Bytes[4] = {static_cast<Byte>(V), static_cast<Byte>(V >> 8), static_cast<Byte>(V >> 16),
                         static_cast<Byte>(V >> 24)};
  Stream->WriteBuffer(Bytes, 4);
}

void WriteWord(TStream* Stream, Word V) {
  const Byte Bytes[2] = {static_cast<Byte>(V), static_cast<Byte>(V >> 8)};
  Stream->WriteBuffer(Bytes, 2);
}

}  // namespace Dorazori
