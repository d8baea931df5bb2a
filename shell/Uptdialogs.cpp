// The dialog components: TPTDialog and the open and save dialogs.
#include "shell/Uptdialogs.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Registry.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/Exceptions.h"
#include "shell/Uptshelldata.h"

#include <cstdint>

namespace {

// The longest state value read from the registry.
constexpr int MaxStateBytes = 128;

}  // namespace

// ---- TPTDialog ------------------------------------------------------------------------------------------------------

void TPTDialog::WriteStateInt32(TStream* Stream, int Value) {
  const auto U = static_cast<std::uint32_t>(Value);
  const unsigned char Bytes[4] = {static_cast<unsigned char>(U), static_cast<unsigned char>(U >> 8),
                                  static_cast<unsigned char>(U >> 16), static_cast<unsigned char>(U >> 24)};
  Stream->WriteBuffer(Bytes, 4);
}

int TPTDialog::ReadStateInt32(TStream* Stream) {
  unsigned char Bytes[4] = {};
  Stream->ReadBuffer(Bytes, 4);
  const std::uint32_t U =
      Bytes[0] | (std::uint32_t(Bytes[1]) << 8) | (std::uint32_t(Bytes[2]) << 16) | (std::uint32_t(Bytes[3]) << 24);
  return static_cast<int>(U);
}

unsigned char TPTDialog::ReadStateByte(TStream* Stream) {
  unsigned char B = 0;
  Stream->ReadBuffer(&B, 1);
  return B;
}

Z_IMPLEMENT_CLASS_PUBLISHED(TPTDialog, TComponent, TPTDialog::Publish)

TPTDialog::TPTDialog(TComponent* AOwner) : TComponent(AOwner) {}

void TPTDialog::Publish(TMetaClass& Meta) {
  TPublisher<TPTDialog> P(Meta);
  P.Property("Title", &TPTDialog::Title, &TPTDialog::Title);
  P.Property("FormWidth", &TPTDialog::FormWidth, &TPTDialog::FormWidth).Default(-1);
  P.Property("FormHeight", &TPTDialog::FormHeight, &TPTDialog::FormHeight).Default(-1);
  P.Property("FormWindowState", &TPTDialog::FormWindowState, &TPTDialog::FormWindowState).Default(wsNormal);
  P.Property("OnInitialized", &TPTDialog::OnInitialized, &TPTDialog::OnInitialized);
  P.Property("OnFormShow", &TPTDialog::OnFormShow, &TPTDialog::OnFormShow);
  P.Property("OnFormClose", &TPTDialog::OnFormClose, &TPTDialog::OnFormClose);
}

bool TPTDialog::Execute() {
  if (FExecuting) {
    throw EInvalidOperation(std::string(ClassName()) + " already executing");
  }
  FExecuting = true;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } Clear{FExecuting};
  return DoExecute();
}

void TPTDialog::DoInitialized() {
  if (OnInitialized) {
    OnInitialized(this);
  }
}

TPTDialog::TBaseState TPTDialog::ReadBaseState(TStream* Stream) {
  TBaseState S;
  S.Width = ReadStateInt32(Stream);
  S.Height = ReadStateInt32(Stream);
  const unsigned char State = ReadStateByte(Stream);
  if (State > wsMaximized) {
    throw EReadError("Invalid dialog state: window state " + std::to_string(State));
  }
  S.State = static_cast<TWindowState>(State);
  return S;
}

void TPTDialog::ApplyBaseState(const TBaseState& State) {
  FormWidth = State.Width;
  FormHeight = State.Height;
  FormWindowState = State.State;
}

void TPTDialog::ReadStateFromStream(TStream* Stream) { ApplyBaseState(ReadBaseState(Stream)); }

void TPTDialog::WriteStateToStream(TStream* Stream) {
  WriteStateInt32(Stream, FormWidth);
  WriteStateInt32(Stream, FormHeight);
  const auto State = static_cast<unsigned char>(FormWindowState);
  Stream->WriteBuffer(&State, 1);
}

bool TPTDialog::ReadStateFromRegistry(HKEY RootKey, const std::string& KeyPath, const std::string& ValueName) {
  TRegistry Reg(KEY_READ);
  Reg.SetRootKey(RootKey);
  if (!Reg.OpenKeyReadOnly(KeyPath) || Reg.GetDataType(ValueName) != rdBinary) {
    return false;
  }
  const int Size = Reg.GetDataSize(ValueName);
  if (Size < 0 || Size > MaxStateBytes) {
    return false;
  }
  unsigned char Buffer[MaxStateBytes] = {};
  const int Read = Reg.ReadBinaryData(ValueName, Buffer, MaxStateBytes);
  TMemoryStream Stream;
  Stream.WriteBuffer(Buffer, Read);
  Stream.SetPosition(0);
  ReadStateFromStream(&Stream);
  return true;
}

void TPTDialog::WriteStateToRegistry(HKEY RootKey, const std::string& KeyPath, const std::string& ValueName) {
  TMemoryStream Stream;
  WriteStateToStream(&Stream);
  TRegistry Reg;
  Reg.SetRootKey(RootKey);
  if (!Reg.OpenKey(KeyPath, true)) {
    throw ERegistryException("Unable to create key " + KeyPath);
  }
  Reg.WriteBinaryData(ValueName, Stream.Memory(), static_cast<int>(Stream.Size()));
}
