// Build-time converter: a layout file in the text form becomes a C++ source that embeds its binary form and
// registers it under the root component's class name.
#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {
bool ReadFile(const std::string& Path, std::string& Text) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) {
    return false;
  }
  std::ostringstream S;
  S << In.rdbuf();
  Text = S.str();
  return true;
}

// The class name of the root: after the signature, an optional flags prefix (and child position).
std::string RootClassName(TMemoryStream& Binary) {
  Binary.SetPosition(0);
  TReader Reader(&Binary);
  Reader.ReadSignature();
  TFilerFlags Flags;
  Integer ChildPos = 0;
  Reader.ReadPrefix(Flags, ChildPos);
  return Reader.ReadStr();
}

std::string Generate(const std::string& Source, const std::string& ClassName, TMemoryStream& Binary) {
  std::ostringstream Out;
  Out << "// Generated from " << Source << " by zubq_dfm2cpp: the binary layout of " << ClassName << ".\n"
      << "#include \"platform/classes/FormResources.h\"\n\n"
      << "namespace {\n"
      << "const unsigned char LayoutData[] = {";
  const auto* Bytes = static_cast<const unsigned char*>(Binary.Memory());
  for (Int64 I = 0; I < Binary.Size(); ++I) {
    if (I % 16 == 0) {
      Out << "\n   ";
    }
    char Buf[8];
    std::snprintf(Buf, sizeof Buf, " 0x%02X,", Bytes[I]);
    Out << Buf;
  }
  Out << "\n};\n"
      << "// Registered while the program or library that holds the bytes is loaded.\n"
      << "struct TLayoutRegistration {\n"
      << "  TLayoutRegistration() { RegisterFormResource(\"" << ClassName << "\", LayoutData, sizeof LayoutData); }\n"
      << "  ~TLayoutRegistration() { UnregisterFormResource(\"" << ClassName << "\", LayoutData); }\n"
      << "} LayoutRegistration;\n"
      << "}  // namespace\n";
  return Out.str();
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: zubq_dfm2cpp <layout.dfm> <out.cpp>\n";
    return 2;
  }
  const std::string Input = argv[1];
  const std::string Output = argv[2];
  std::string Text;
  if (!ReadFile(Input, Text)) {
    std::cerr << Input << ": cannot read the file\n";
    return 1;
  }
  std::string Code;
  try {
    TStringStream TextStream(Text);
    TMemoryStream Binary;
    ObjectTextToBinary(&TextStream, &Binary);
    Code = Generate(Input, RootClassName(Binary), Binary);
  } catch (const Exception& E) {
    std::cerr << Input << ": error: " << E.Message() << "\n";
    return 1;
  }
  // Leave an unchanged output alone so that nothing depending on it is rebuilt.
  std::string Old;
  if (ReadFile(Output, Old) && Old == Code) {
    return 0;
  }
  std::ofstream Out(Output, std::ios::binary | std::ios::trunc);
  Out << Code;
  if (!Out) {
    std::cerr << Output << ": cannot write the file\n";
    return 1;
  }
  return 0;
}
