// FileStore, StrStoreEx, ErrorStore and PositionInfo.
#include "core/Filestore.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cstring>
#include <new>

// ---- PositionInfo -----------------------------------------------------------------------------------------------

void PositionInfo::reset(int Size) {
  offset = -1;
  line = 1;
  span = -1;
  column = 1;
  extra = -1;
  if (Size > 0) {
    size = Size;
  }
}

void PositionInfo::setSpan(int Span) {
  const int New = Span > 0 ? Span : -1;
  if (offset >= 0 && New >= 0 && span >= 0) {
    offset += span - New;
  }
  span = New;
}

void PositionInfo::setLineColumn(int Line, int Column) {
  if (Line >= -1) {
    line = Line;
  }
  if (Column >= -1) {
    column = Column;
  }
}

void PositionInfo::set(int Span, int Line, int Column) {
  setSpan(Span);
  setLineColumn(Line, Column);
}

int PositionInfo::setSize(int Size) {
  if (Size <= 0) {
    return ZUB_GENERAL_FAILURE;
  }
  size = Size;
  return 1;
}

void PositionInfo::copyFrom(const PositionInfo& Other) {
  offset = Other.offset;
  line = Other.line;
  span = Other.span;
  column = Other.column;
  extra = Other.extra;
}

// ---- ErrorStore -------------------------------------------------------------------------------------------------

ErrorStore::~ErrorStore() { delete message; }

void ErrorStore::clearError() {
  if (code != 0 && message != nullptr) {
    message->clear();
  }
  code = 0;
}

int ErrorStore::setError(int Code, const char* Pattern, const char* Text1, int Int1, const char* Text2, int Int2) {
  if ((options & 1) != 0 && code != 0) {
    return 1;
  }
  code = Code;
  if (message == nullptr) {
    message = new (std::nothrow) StrStore();
    if (message == nullptr) {
      return 0;
    }
  }
  const char* P = Pattern != nullptr ? Pattern : "";
  std::string Text;
  try {
    Text = Format(P, {Text1 != nullptr ? Text1 : "", Int1, Text2 != nullptr ? Text2 : "", Int2});
  } catch (const Exception&) {
    Text = P;
  }
  return message->setString(Text.data(), static_cast<int>(Text.size()));
}

// ---- StrStoreEx -------------------------------------------------------------------------------------------------

namespace {

int FreePosition(void* Element) {
  delete static_cast<PositionInfo*>(Element);
  return 1;
}

void* CopyPosition(const void* Element) {
  return new (std::nothrow) PositionInfo(*static_cast<const PositionInfo*>(Element));
}

}  // namespace

StrStoreEx::StrStoreEx() {
  positions.setFreeCallback(FreePosition);
  positions.setCopyCallback(CopyPosition);
}

StrStoreEx::~StrStoreEx() {
  delete extraStrings;
  delete secondExtra;
}

int StrStoreEx::getNextLine(StrStore& Out) {
  int Pos = counters.getInt(0);
  if (Pos < 0 || Pos >= length) {
    return 0;
  }
  int End = Pos;
  while (End < length && text[End] != '\r' && text[End] != '\n') {
    ++End;
  }
  Out.setString(text + Pos, End - Pos);
  if (End < length) {
    End += (text[End] == '\r' && End + 1 < length && text[End + 1] == '\n') ? 2 : 1;
  }
  counters.setInt(0, End);
  return 1;
}

int StrStoreEx::setReadPosition(int Pos) {
  if (Pos < 0 || Pos > length) {
    return 0;
  }
  counters.setInt(0, Pos);
  return 1;
}

void StrStoreEx::clearPositions(int Force) {
  if (Force != 0 || counters.getInt(2) == 1) {
    positions.removeAllPointers(1, 0);
    counters.setInt(2, 0);
  }
}

void StrStoreEx::reset(int Full) {
  clear();
  counters.setInt(0, 0);
  positionsFilled = 0;
  clearPositions(1);
  if (Full != 0) {
    spareInts.clear();
    delete extraStrings;
    extraStrings = nullptr;
    delete secondExtra;
    secondExtra = nullptr;
  }
}

const char* StrStoreEx::getExtraString(int Index) const {
  if (extraStrings == nullptr) {
    return nullptr;
  }
  const auto* S = static_cast<const StrStore*>(extraStrings->getPointer(Index));
  return S != nullptr ? S->text : nullptr;
}

int StrStoreEx::setExtraString(int Index, const char* Text) {
  if (Index < 0) {
    return FILESTORE_FAILED;
  }
  if (extraStrings == nullptr) {
    extraStrings = new (std::nothrow) PointerArrayManager(FreeStrStore);
    if (extraStrings == nullptr) {
      return FILESTORE_FAILED;
    }
  }
  auto* S = new (std::nothrow) StrStore(Text);
  if (S == nullptr) {
    return FILESTORE_FAILED;
  }
  if (extraStrings->setPointer(S, Index, 1, 1, 0) == PAM_FAILED) {
    delete S;
    return FILESTORE_FAILED;
  }
  return FILESTORE_DONE;
}

// ---- FileStore --------------------------------------------------------------------------------------------------

FileStore::FileStore() { counters.setInt(2, 0); }

int FileStore::fail(int Code, const char* Message) {
  error.setError(Code, Message);
  return ZUB_GENERAL_FAILURE;
}

int FileStore::loadFile(const char* Name, const char* Mode) {
  std::FILE* F = (Name != nullptr) ? std::fopen(Name, Mode != nullptr ? Mode : "rb") : nullptr;
  if (F == nullptr) {
    return fail(FILESTORE_CANNOT_OPEN, "loadFile() can't open file");
  }
  const int Result = loadFile(F, 1);
  if (Result == 1) {
    fileName.assign(Name);
  }
  return Result;
}

int FileStore::loadFile(std::FILE* File, int Close) {
  if (File == nullptr) {
    return fail(FILESTORE_NULL_FILE, "loadFile() passed a NULL FILE *");
  }
  clear();
  int Result = loadWholeFile(File);
  if (Close != 0) {
    std::fclose(File);
  }
  if (Result == 1) {
    Result = parseWholeFile();
  }
  if (Result != 1) {
    // Never leave a half-filled store behind; the error stays for the caller.
    const int Code = error.code;
    const std::string Message = error.getMessage();
    clear();
    error.setError(Code, "%s", Message.c_str());
  }
  return Result;
}

int FileStore::loadWholeFile(std::FILE* File) {
  if (File == nullptr) {
    return fail(FILESTORE_NULL_FILE, "loadFile() passed a NULL FILE *");
  }
  if (std::fseek(File, 0, SEEK_END) != 0) {
    return fail(FILESTORE_SEEK_END_FAILED, "fseek() failed in loadWholeFile()");
  }
  const long Size = std::ftell(File);
  if (Size < 0) {
    return fail(FILESTORE_TELL_FAILED, "ftell() failed in loadWholeFile()");
  }
  buffer.reset(1);
  if (Size > 0) {
    if (std::fseek(File, 0, SEEK_SET) != 0) {
      return fail(FILESTORE_SEEK_START_FAILED, "fseek() failed in loadWholeFile()");
    }
    if (Size >= 0x7FFFFFFF || buffer.setStringLength(static_cast<int>(Size) + 1) != 1) {
      return fail(FILESTORE_NO_MEMORY, "setStringLength() failed in loadWholeFile()");
    }
    if (std::fread(buffer.text, 1, static_cast<std::size_t>(Size), File) != static_cast<std::size_t>(Size)) {
      buffer.clear();
      return fail(FILESTORE_READ_FAILED, "fread() failed in loadWholeFile()");
    }
    buffer.text[Size] = 0;
  }
  counters.setInt(0, static_cast<int>(Size));
  return 1;
}

int FileStore::parseWholeFile() {
  lines.removeAllPointers(0, 0);
  buffer.setReadPosition(0);
  StrStore Line;
  while (buffer.getNextLine(Line) == 1) {
    if (addLine(Line.text, 0) != 0) {
      return fail(FILESTORE_ADDLINE_FAILED, "addLine() failed in parseWholeFile()");
    }
  }
  return 1;
}

int FileStore::addLine(StrStore* Text, int Flags) {
  if (Text == nullptr) {
    return FILESTORE_FAILED;
  }
  const bool Unfinished = (Flags & ADDLINE_CHUNK) != 0 && (Text->length == 0 || Text->text[Text->length - 1] != '\n');
  int Result = FILESTORE_DONE;
  int Start = 0;
  bool First = true;
  while (Result == FILESTORE_DONE) {
    const char* Lf = static_cast<const char*>(
        std::memchr(Text->text + Start, '\n', static_cast<std::size_t>(Text->length - Start)));
    int End = Lf != nullptr ? static_cast<int>(Lf - Text->text) : Text->length;
    if (Lf == nullptr && Start == Text->length && !First) {
      break;  // a final LF opens no empty piece
    }
    const int Next = End + 1;
    if (End > Start && Text->text[End - 1] == '\r') {
      --End;  // CR LF, or a CR at the very end of the text
    }
    StrStore Piece;
    Piece.setString(Text->text + Start, End - Start);
    if ((Flags & ADDLINE_DECODE_ENTITIES) != 0) {
      Piece = DecodeBasicEntities(Piece.text, 7);
    }
    if (First && counters.getInt(2) == 1) {
      auto* Last = static_cast<StrStore*>(lines.getPointer(lines.getCount() - 1));
      if (Last == nullptr) {
        Result = ADDLINE_NO_LINE_TO_CONTINUE;
        break;
      }
      Last->appendStore(Piece);
    } else {
      auto* Line = new (std::nothrow) StrStore(std::move(Piece));
      if (Line == nullptr || lines.addPointer(Line) < 0) {
        delete Line;
        Result = FILESTORE_FAILED;
        break;
      }
    }
    First = false;
    if (Lf == nullptr) {
      break;
    }
    Start = Next;
  }
  if (Result == FILESTORE_DONE) {
    counters.setInt(2, Unfinished ? 1 : 0);
  }
  delete Text;
  return Result;
}

int FileStore::addLine(const char* Text, int Flags) {
  auto* S = new (std::nothrow) StrStore(Text);
  if (S == nullptr) {
    return FILESTORE_FAILED;
  }
  return addLine(S, Flags);
}

const char* FileStore::getLine(int Index, PositionInfo* Position) {
  const auto* S = static_cast<const StrStore*>(lines.getPointer(Index));
  if (S == nullptr) {
    return nullptr;
  }
  currentLine = S->text;
  counters.setInt(1, Index + 1);
  position.setLineColumn(Index + 1, 1);
  if (Position != nullptr) {
    Position->copyFrom(position);
  }
  return currentLine;
}

const char* FileStore::getLineText(int Index) const {
  const auto* S = static_cast<const StrStore*>(lines.getPointer(Index));
  return S != nullptr ? S->text : nullptr;
}

int FileStore::getText(StrStore* Out, int Flags) const {
  if (Out == nullptr) {
    return FILESTORE_FAILED;
  }
  if ((Flags & GETTEXT_JOIN) == 0) {
    return 0;
  }
  Out->clear();
  const int N = getLineCount();
  for (int I = 0; I < N; ++I) {
    if (I > 0) {
      Out->appendChar('\n');
    }
    Out->append(getLineText(I));
  }
  return 1;
}

int FileStore::appendLines(const FileStore& Other) {
  if (&Other == this) {
    return copyLines(Other);
  }
  const int N = Other.getLineCount();
  for (int I = 0; I < N; ++I) {
    if (addLine(Other.getLineText(I), 0) != FILESTORE_DONE) {
      return FILESTORE_FAILED;
    }
  }
  return FILESTORE_DONE;
}

int FileStore::appendFileStore(const FileStore* Other) { return Other != nullptr ? appendLines(*Other) : 0; }

int FileStore::copyLines(const FileStore& Other) {
  if (&Other == this) {
    return 0;  // clearing first would lose the very lines to copy
  }
  clear();
  return appendLines(Other);
}

void FileStore::clear() {
  fileName.clear();
  buffer.reset(1);
  counters.reset(3, -1);
  counters.setInt(2, 0);
  position = PositionInfo();
  lines.removeAllPointers(0, 0);
  currentLine = nullptr;
  error.clearError();
}

int FileStore::writeLines(std::FILE* File, const char* LineEnd) const {
  if (File == nullptr) {
    return FILESTORE_FAILED;
  }
  const char* End = LineEnd != nullptr ? LineEnd : "";
  const std::size_t EndLength = std::strlen(End);
  const int N = getLineCount();
  for (int I = 0; I < N; ++I) {
    const auto* S = static_cast<const StrStore*>(lines.getPointer(I));
    if (S == nullptr) {
      return FILESTORE_FAILED;
    }
    if (std::fwrite(S->text, 1, static_cast<std::size_t>(S->length), File) != static_cast<std::size_t>(S->length) ||
        std::fwrite(End, 1, EndLength, File) != EndLength) {
      return FILESTORE_FAILED;
    }
  }
  return FILESTORE_DONE;
}

int FileStore::saveFile(const char* Name, const char* LineEnd) const {
  std::FILE* F = Name != nullptr ? std::fopen(Name, "wb") : nullptr;
  if (F == nullptr) {
    return FILESTORE_FAILED;
  }
  const int Written = writeLines(F, LineEnd);
  const int Closed = std::fclose(F);
  return (Written == FILESTORE_DONE && Closed == 0) ? FILESTORE_DONE : FILESTORE_FAILED;
}
