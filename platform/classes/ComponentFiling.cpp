// Streaming hooks of the core classes (components, string lists) and the component routines of streams,
// including the resource header that may wrap a component stream.
#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/SysUtils.h"

// ---- TComponent ----

void TComponent::ReadState(TReader* Reader) {
  Reader->ReadData(this);
}

void TComponent::WriteState(TWriter* Writer) {
  Writer->WriteData(this);
}

// A component's design position: the low word of DesignInfo is Left, the high word Top.
void TComponent::DefineProperties(TFiler* Filer) {
  auto* Ancestor = dynamic_cast<TComponent*>(Filer->Ancestor());
  const LongInt Info = Ancestor != nullptr ? Ancestor->FDesignInfo : 0;
  auto Lo = [](LongInt V) { return static_cast<Word>(static_cast<std::uint32_t>(V) & 0xFFFF); };
  auto Hi = [](LongInt V) { return static_cast<Word>(static_cast<std::uint32_t>(V) >> 16); };
  Filer->DefineProperty(
      "Left",
      [this, Hi](TReader* Reader) {
        Word L = static_cast<Word>(Reader->ReadInteger());
        FDesignInfo = static_cast<LongInt>((static_cast<std::uint32_t>(Hi(FDesignInfo)) << 16) | L);
      },
      [this, Lo](TWriter* Writer) { Writer->WriteInteger(Lo(FDesignInfo)); }, Lo(FDesignInfo) != Lo(Info));
  Filer->DefineProperty(
      "Top",
      [this, Lo](TReader* Reader) {
        Word T = static_cast<Word>(Reader->ReadInteger());
        FDesignInfo = static_cast<LongInt>((static_cast<std::uint32_t>(T) << 16) | Lo(FDesignInfo));
      },
      [this, Hi](TWriter* Writer) { Writer->WriteInteger(Hi(FDesignInfo)); }, Hi(FDesignInfo) != Hi(Info));
}

// ---- TStrings: the lines as the custom property "Strings", a list of strings ----

void TStrings::DefineProperties(TFiler* Filer) {
  bool HasData = Count() > 0;
  if (Filer->Ancestor() != nullptr) {
    auto* Ancestor = dynamic_cast<TStrings*>(Filer->Ancestor());
    HasData = Ancestor == nullptr || !Equals(Ancestor);
  }
  Filer->DefineProperty(
      "Strings",
      [this](TReader* Reader) {
        Reader->ReadListBegin();
        BeginUpdate();
        try {
          Clear();
          while (!Reader->EndOfList()) {
            Add(Reader->ReadString());
          }
          Reader->ReadListEnd();
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
      },
      [this](TWriter* Writer) {
        Writer->WriteListBegin();
        for (Integer I = 0; I < Count(); ++I) {
          Writer->WriteString(Strings(I));
        }
        Writer->WriteListEnd();
      },
      HasData);
}

// ---- TStream ----

TComponent* TStream::ReadComponent(TComponent* Instance) {
  TReader Reader(this, 4096);
  return Reader.ReadRootComponent(Instance);
}

void TStream::WriteComponent(TComponent* Instance) {
  WriteDescendent(Instance, nullptr);
}

void TStream::WriteDescendent(TComponent* Instance, TComponent* Ancestor) {
  TWriter Writer(this, 4096);
  Writer.WriteDescendent(Instance, Ancestor);
}

namespace {
void WriteLE(TStream* S, UInt64 Value, int Bytes) {
  Byte B[8];
  for (int I = 0; I < Bytes; ++I) {
    B[I] = static_cast<Byte>(Value >> (8 * I));
  }
  S->WriteBuffer(B, Bytes);
}
}  // namespace

// The 16-bit resource header: 0xFF, type 10 (RCDATA), the name upper-cased and zero-terminated, memory flags
// 0x1030, then the size of the data.
void TStream::WriteDescendentRes(const std::string& ResName, TComponent* Instance, TComponent* Ancestor) {
  Byte Head = 0xFF;
  WriteBuffer(&Head, 1);
  WriteLE(this, 10, 2);
  std::string Name = UpperCase(ResName);
  WriteBuffer(Name.c_str(), static_cast<LongInt>(Name.size() + 1));
  WriteLE(this, 0x1030, 2);
  const Int64 SizePos = Position();
  WriteLE(this, 0, 4);
  const Int64 Start = Position();
  WriteDescendent(Instance, Ancestor);
  const Int64 End = Position();
  SetPosition(SizePos);
  WriteLE(this, static_cast<UInt64>(End - Start), 4);
  SetPosition(End);
}

void TStream::WriteComponentRes(const std::string& ResName, TComponent* Instance) {
  WriteDescendentRes(ResName, Instance, nullptr);
}

void TStream::ReadResHeader() {
  Byte Head[3] = {};
  ReadBuffer(Head, 3);
  if (Head[0] != 0xFF || Head[1] != 10 || Head[2] != 0) {
    throw EInvalidImage(RtlConsts::SInvalidImage);
  }
  char C = 0;
  int Guard = 0;
  do {
    ReadBuffer(&C, 1);
    if (++Guard > 256) {
      throw EInvalidImage(RtlConsts::SInvalidImage);
    }
  } while (C != '\0');
  Byte Rest[6];
  ReadBuffer(Rest, 6);  // memory flags and data size
}

TComponent* TStream::ReadComponentRes(TComponent* Instance) {
  ReadResHeader();
  return ReadComponent(Instance);
}
