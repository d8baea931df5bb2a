// Any persistent object in the component stream format (binary and text), subsets of a component's published
// properties, recognising component streams, and small raw values in streams.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"

#include <string>
#include <vector>

namespace Vivaridiriz {

// Holds the persistent object being streamed as its published property P (not owned). Lives for one save
// or load.
class TPersHolder : public TComponent {
  Z_CLASS(TPersHolder, TComponent)
public:
  explicit TPersHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  TPersistent* P() const { return FP; }
  void SetP(TPersistent* Value) { FP = Value; }
  static void Publish(TMetaClass& Meta);

private:
  TPersistent* FP = nullptr;
};

// A component is written as itself; any other persistent object as the property P of a TPersHolder.
void WriteObjToStream(TStream* Stream, TPersistent* Instance);
// Reads into the existing object inside a global loading bracket; the stream's values land in Instance.
void ReadObjFromStream(TStream* Stream, TPersistent* Instance);
void WriteObjToTextStream(TStream* Stream, TPersistent* Instance);
void ReadObjFromTextStream(TStream* Stream, TPersistent* Instance);
void WriteObjToFile(TPersistent* Instance, const std::string& FileName);
void WriteObjToTextFile(TPersistent* Instance, const std::string& FileName);
void ReadObjFromFile(TPersistent* Instance, const std::string& FileName);
void ReadObjFromTextFile(TPersistent* Instance, const std::string& FileName);

}  // namespace Vivaridiriz

namespace Dorazori {

// Read-only access that denies others write access, used whenever a file is opened for loading.
inline constexpr Word DefaultOpenMode = fmOpenRead | fmShareDenyWrite;

// A writer that leaves out the custom (defined) properties of one component and, when given a list of
// names, every published property of that component not named in it.
class TMWriter : public TWriter {
  Z_CLASS(TMWriter, TWriter)
public:
  TMWriter(TStream* Stream, Integer BufSize) : TWriter(Stream, BufSize) {}
  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;
  // The component filtered; its allowed property names (ASCII case ignored) when FilterNames.
  TComponent* Component = nullptr;
  bool FilterNames = false;
  std::vector<std::string> AllowedNames;

protected:
  void WriteProperty(TPersistent* Instance, PPropInfo PropInfo) override;
};

// A reader that leaves out the custom properties of its root.
class TPropReader : public TReader {
  Z_CLASS(TPropReader, TReader)
public:
  TPropReader(TStream* Stream, Integer BufSize) : TReader(Stream, BufSize) {}
  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;
  TComponent* PropRoot = nullptr;
};

// A 32-bit length N, then Component as a root without ancestor or children holding only the named published
// properties (names the class lacks are ignored). Nothing for no component.
void WritePropsToStream(TStream* Stream, TComponent* Component, const std::vector<std::string>& PropNames);
void _WritePropsToStream(TWriter* Writer, TComponent* Component, TStrings* PropNames);
// Reads exactly the counted bytes into the existing Root (a count beyond the stream raises EReadError
// "Stream read error"); the stream is left after the record. Nothing for no root.
void ReadPropsFromStream(TStream* Stream, TComponent* Root);

// True when the stream continues with a 16-bit resource header of type 10 (0xFF, 0x0A 0x00, a zero-ended
// name, flags, size). Then, unless PeekOnly, the stream is left after it; otherwise it is put back.
bool SmartSkipResHeader(TStream* Stream, bool PeekOnly);
// The registered class of the component stream at the position (a resource header skipped); null when the
// class is not registered; EReadError when the stream is not a component stream. The position is kept.
TClass GetClassFromStream(TStream* Stream);

void DCWriteStrWithLenToStream(TStream* Stream, const std::string& S);
// Raises EReadError "Stream read error" when the length is negative or beyond the stream.
std::string DCReadStrWithLenFromStream(TStream* Stream);
void WriteShortStr(TStream* Stream, const std::string& S);  // length byte, at most 255 bytes
void PReadShortStr(const char*& P, std::string& S);
void WriteInt(TStream* Stream, Integer V);
void WriteWord(TStream* Stream, Word V);

}  // namespace Dorazori
