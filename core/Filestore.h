// FileStore: a text file held as a list of lines, with its file buffer (StrStoreEx) and last error (ErrorStore).
#pragma once

#include "core/Pointerarraymanager.h"
#include "core/Strstore.h"

#include <cstdio>

// Error codes of FileStore, kept in its ErrorStore.
inline constexpr int FILESTORE_CANNOT_OPEN = 9805241;
inline constexpr int FILESTORE_SEEK_END_FAILED = 9805242;
inline constexpr int FILESTORE_TELL_FAILED = 9805243;
inline constexpr int FILESTORE_SEEK_START_FAILED = 9805244;
inline constexpr int FILESTORE_NO_MEMORY = 9805245;
inline constexpr int FILESTORE_READ_FAILED = 9805246;
inline constexpr int FILESTORE_ADDLINE_FAILED = 9805247;
inline constexpr int FILESTORE_NULL_FILE = 9805261;

// Flags of FileStore::addLine.
// Results of addLine, getText, appendLines, writeLines, saveFile and StrStoreEx::setExtraString.
inline constexpr int FILESTORE_DONE = 0;
inline constexpr int FILESTORE_FAILED = -1;
inline constexpr int ADDLINE_NO_LINE_TO_CONTINUE = -2;
inline constexpr int GETTEXT_JOIN = 0x1;           // getText: required (without it nothing)
inline constexpr int ADDLINE_DECODE_ENTITIES = 2;  // decode "&amp;", "&lt;" and "&gt;" in each piece
inline constexpr int ADDLINE_CHUNK = 4;            // the text is a chunk: an unfinished last line is continued

// Where a piece of text lies; -1 means unknown.
struct PositionInfo {
  int offset = -1;
  int line = -1;
  int span = -1;
  int column = -1;
  int size = -1;
  int extra = -1;

  // Line 1, column 1, span -1, the other values unknown; the size when Size is positive.
  void reset(int Size = -1);
  // Span -1 when not positive; when offset, span and the old span are known the offset moves so that offset plus
  // span stays the same.
  void setSpan(int Span);
  void setOffset(int Offset) { offset = Offset; }
  // Values below -1 leave the field as it is.
  void setLineColumn(int Line, int Column);
  void set(int Span, int Line, int Column);
  // Positive sizes only; 1, else ZUB_GENERAL_FAILURE.
  int setSize(int Size);
  // Everything but the size.
  void copyFrom(const PositionInfo& Other);
};

// The code and text of the last failure.
class ErrorStore {
public:
  int code = 0;       // 0: no error
  int options = 0;    // bit 1: keep the first error while one is stored
  StrStore* message = nullptr;

  ErrorStore() = default;
  ~ErrorStore();
  ErrorStore(const ErrorStore&) = delete;
  ErrorStore& operator=(const ErrorStore&) = delete;

  void clearError();
  // Stores the code and the message made from the Format pattern (the class library's syntax) with the arguments;
  // null texts count as empty. Ignored while the keep-first option holds an error. 1, or 0 when the message could
  // not be stored. A pattern that does not fit its arguments is stored as it stands.
  int setError(int Code, const char* Pattern, const char* Text1 = nullptr, int Int1 = 0, const char* Text2 = nullptr,
               int Int2 = 0);
  const char* getMessage() const { return message != nullptr ? message->text : ""; }
};

// A StrStore with a read position (a whole file's text) and optional numbered extra strings.
class StrStoreEx : public StrStore {
public:
  int positionsFilled = 0;
  IntStore counters{3, 0};  // [0] read position; [2] 1 when the position list holds entries
  IntStore spareInts;
  PointerArrayManager positions;           // PositionInfo records
  PointerArrayManager* extraStrings = nullptr;  // heap StrStore, indexed mode
  PointerArrayManager* secondExtra = nullptr;

  StrStoreEx();
  ~StrStoreEx();
  StrStoreEx(const StrStoreEx&) = delete;
  StrStoreEx& operator=(const StrStoreEx&) = delete;

  // The next line from the read position: the bytes up to CR, LF or CR LF (not kept); a last line without a line
  // end too. 1 a line was read, 0 at the end.
  int getNextLine(StrStore& Out);
  int setReadPosition(int Pos);
  int getReadPosition() const { return counters.getInt(0); }
  // Empties the text and the positions, read position 0; Full also the spare ints and both extra lists.
  void reset(int Full);
  void clearPositions(int Force);
  const char* getExtraString(int Index) const;
  // A copy of Text at Index (the old one freed); 0 or -1.
  int setExtraString(int Index, const char* Text);
};

// A text file held as lines (heap StrStore without line ends). Loads return 1 or ZUB_GENERAL_FAILURE with the
// code in error; a load that fails after the file was opened leaves the store empty.
class FileStore {
public:
  const char* currentLine = nullptr;
  IntStore counters{3, -1};  // [0] size of the file last read; [1] number of the line last fetched; [2] 1 when
                             // the last line is unfinished
  ErrorStore error;
  StrStore fileName;
  StrStoreEx buffer;
  StrStoreEx spareBuffer;
  PositionInfo position;
  PointerArrayManager lines{FreeStrStore};

  FileStore();
  ~FileStore() = default;
  FileStore(const FileStore&) = delete;
  FileStore& operator=(const FileStore&) = delete;

  // Opens Name with the fopen Mode given ("rb" for the usual binary read) and loads it.
  int loadFile(const char* Name, const char* Mode);
  int loadFile(std::FILE* File, int Close);
  int loadWholeFile(std::FILE* File);
  int parseWholeFile();
  // Adds Text as one or more lines and takes it over in every case (it is deleted). FILESTORE_DONE,
  // FILESTORE_FAILED (the line list refused) or ADDLINE_NO_LINE_TO_CONTINUE.
  int addLine(StrStore* Text, int Flags);
  // A copy of Text, with the same results.
  int addLine(const char* Text, int Flags);
  const char* getLine(int Index, PositionInfo* Position = nullptr);
  const char* getLineText(int Index) const;
  int getLineCount() const { return lines.getCount(); }
  // GETTEXT_JOIN: the lines joined by LF into Out (1); without it nothing (0); FILESTORE_FAILED for no Out.
  int getText(StrStore* Out, int Flags) const;
  int appendLines(const FileStore& Other);
  int appendFileStore(const FileStore* Other);
  int copyLines(const FileStore& Other);
  void clear();
  // Each line followed by LineEnd; FILESTORE_FAILED when a line is missing or a write failed.
  [[nodiscard]] int writeLines(std::FILE* File, const char* LineEnd) const;
  // FILESTORE_FAILED when the file cannot be created or not every byte reached it (a full disk is not success).
  [[nodiscard]] int saveFile(const char* Name, const char* LineEnd) const;

private:
  int fail(int Code, const char* Message);
};
