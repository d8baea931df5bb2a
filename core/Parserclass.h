// Document types: file extensions, ids, rules files and word delimiters, kept in the registry.
#pragma once

#include "core/Flagword.h"
#include "core/Pointerarraymanager.h"
#include "core/Strstore.h"

#include <bitset>

class TEasyEditorParser;

// Document type ids that no definition has.
inline constexpr int FILETYPE_UNDECIDED = 0;
inline constexpr int FILETYPE_HTML = 1;
inline constexpr int FILETYPE_UNKNOWN_EXTENSION = 7;
inline constexpr int FILETYPE_TEXT = 8;
inline constexpr int FILETYPE_NO_EXTENSION = 10;
inline constexpr int FILETYPE_CSS = 11;

// Results of InitParsers, LoadParsers and SaveParsers.
inline constexpr int PARSERS_OK = 0;
inline constexpr int PARSERS_NO_ARRAY = -1;
inline constexpr int PARSERS_REGISTRY_FAILED = -2;

// FindParser's search keys.
inline constexpr int FINDPARSER_BY_KEY = 1;
inline constexpr int FINDPARSER_BY_ID = 2;

// parserclass::GetField's fields.
inline constexpr int PARSERFIELD_EXTENSIONS = 1;
inline constexpr int PARSERFIELD_DESCRIPTION = 2;
inline constexpr int PARSERFIELD_HIGHLIGHTING = 3;

// The registry key of the document types under the settings root.
inline constexpr const char PARSERS_KEY[] = "Editor\\Options\\Parsers";

// One document type. Owned by the document-type array of the run-time state; deleting it deletes its
// highlighter.
class parserclass {
public:
  int fileType = 0;
  ParserFlags flags{0x7FFF0003u};
  StrStore description;
  StrStore fileTypeKey;
  StrStore extensions;   // comma-separated upper-case extensions without dots
  StrStore rulesPath;    // full path of the rules file
  StrStore rulesFile;    // its name within the rules folder
  StrStore delimiters{"{}+-*()=,;><$[]^|'\""};
  TEasyEditorParser* highlighter = nullptr;

  parserclass() = default;
  ~parserclass();
  parserclass(const parserclass&) = delete;
  parserclass& operator=(const parserclass&) = delete;

  // 1: the extensions (when Id is -1 or this type's id); 2: the description; 3: "On" or "Off" for highlighting;
  // otherwise null.
  const char* GetField(int What, int Id) const;
  // With 1: the file-type key when Description equals this type's (ignoring case; null matches any); else null.
  const char* GetKeyByDescription(int Flags, const char* Description) const;
  // The type's highlighter, built from its rules file on first use; null for plain text or no rules file.
  TEasyEditorParser* GetEditorParser();
};

// Appends one definition (rules path: the program folder, the rules folder and the rules file).
parserclass* AddParser(PointerArrayManager* Array, const char* Description, const char* Key, int Id,
                       const char* Extensions, const char* RulesFile, int AddedFlags);
// Appends the built-in definitions and reads them over from the registry.
int InitParsers(PointerArrayManager* Array);
int LoadParsers(PointerArrayManager* Array, const char* KeyPath);
int SaveParsers(PointerArrayManager* Array, const char* KeyPath);
parserclass* FindParser(PointerArrayManager* Array, int By, int Id, const char* Key);
const char* FindParserField(PointerArrayManager* Array, int What, int Id, int Start);
const char* FindParserKey(PointerArrayManager* Array, int Flags, const char* Description, int Start);
// The word delimiters of a document type's text: codes 0 and 2 to 32 and the type's delimiters below 128.
void BuildDelimiterSet(std::bitset<256>& Set, const parserclass* Definition);

// The folder of the rules files beside the program.
inline constexpr const char PARSER_RULES_FOLDER[] = "ParserRules";

int FreeParser(void* Element);
