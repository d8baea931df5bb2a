// A stand-in for the RAR extraction library with its seven entry points. An "archive" is a text file: one entry
// per line, "name|attributes|contents"; extracting an entry writes its contents to the destination. Every call
// of RARProcessFile is appended to the file named by ZUBQ_UNRAR_LOG (operation, path, name, one line).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct TEntry {
  std::string Name;
  unsigned Attr = 0;
  std::string Contents;
};
struct TArchive {
  std::vector<TEntry> Entries;
  std::size_t Next = 0;  // the entry the next header gives
};

struct TOpenData {
  char* ArcName;
  unsigned OpenMode;
  unsigned OpenResult;
  char* CmtBuf;
  unsigned CmtBufSize;
  unsigned CmtSize;
  unsigned CmtState;
};
struct THeader {
  char ArcName[260];
  char FileName[260];
  unsigned Flags, PackSize, UnpSize, HostOS, FileCRC, FileTime, UnpVer, Method, FileAttr;
  char* CmtBuf;
  unsigned CmtBufSize, CmtSize, CmtState;
};

void Log(const std::string& Line) {
  if (const char* File = std::getenv("ZUBQ_UNRAR_LOG")) {
    std::ofstream(File, std::ios::app) << Line << "\n";
  }
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void* RAROpenArchive(TOpenData* Data) {
  std::ifstream In(Data && Data->ArcName ? Data->ArcName : "");
  if (!In) {
    if (Data) {
      Data->OpenResult = 15;
    }
    return nullptr;
  }
  auto* A = new TArchive;
  std::string Line;
  while (std::getline(In, Line)) {
    const std::size_t P1 = Line.find('|');
    const std::size_t P2 = P1 == std::string::npos ? P1 : Line.find('|', P1 + 1);
    if (P2 == std::string::npos) {
      continue;
    }
    A->Entries.push_back(
        {Line.substr(0, P1), static_cast<unsigned>(std::stoul(Line.substr(P1 + 1, P2 - P1 - 1))), Line.substr(P2 + 1)});
  }
  Data->OpenResult = 0;
  return A;
}

__attribute__((visibility("default"))) int RARCloseArchive(void* Handle) {
  delete static_cast<TArchive*>(Handle);
  Log("close");
  return 0;
}

__attribute__((visibility("default"))) int RARReadHeader(void* Handle, THeader* Header) {
  auto* A = static_cast<TArchive*>(Handle);
  if (A->Next >= A->Entries.size()) {
    return 10;  // no more entries
  }
  const TEntry& E = A->Entries[A->Next];
  std::snprintf(Header->FileName, sizeof Header->FileName, "%s", E.Name.c_str());
  Header->FileAttr = E.Attr;
  Header->UnpSize = static_cast<unsigned>(E.Contents.size());
  return 0;
}

__attribute__((visibility("default"))) int RARProcessFile(void* Handle, int Operation, char* DestPath, char* DestName) {
  auto* A = static_cast<TArchive*>(Handle);
  const TEntry& E = A->Entries[A->Next++];
  Log(std::to_string(Operation) + "|" + (DestPath ? DestPath : "(null)") + "|" + (DestName ? DestName : "(null)"));
  if (Operation == 2 && !(E.Attr & 0x10)) {
    const std::string Target = DestName ? std::string(DestName) : std::string(DestPath ? DestPath : ".") + "/" + E.Name;
    std::ofstream(Target, std::ios::binary) << E.Contents;
  }
  return 0;
}

__attribute__((visibility("default"))) void RARSetChangeVolProc(void*, int (*)(char*, int)) {}
__attribute__((visibility("default"))) void RARSetProcessDataProc(void*, int (*)(unsigned char*, int)) {}
__attribute__((visibility("default"))) void RARSetPassword(void*, char*) {}
}
