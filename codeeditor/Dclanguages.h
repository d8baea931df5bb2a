// The ten language tokenizers over the tokenizer framework: Object Pascal, form files, VBScript, Python,
// JavaScript, Perl, SQL, HTML, C and C++.
#pragma once

#include "codeeditor/Dcparser.h"

namespace Dcparser {

class TDelphiParser : public TStringsParser {
  Z_CLASS(TDelphiParser, TStringsParser)
public:
  explicit TDelphiParser(TComponent* AOwner);
};

class TDFMParser : public TStringsParser {
  Z_CLASS(TDFMParser, TStringsParser)
public:
  explicit TDFMParser(TComponent* AOwner);
};

class TVBScriptParser : public TStringsParser {
  Z_CLASS(TVBScriptParser, TStringsParser)
public:
  explicit TVBScriptParser(TComponent* AOwner);
};

class TJavaScriptParser : public TStringsParser {
  Z_CLASS(TJavaScriptParser, TStringsParser)
public:
  explicit TJavaScriptParser(TComponent* AOwner);
};

class TCParser : public TStringsParser {
  Z_CLASS(TCParser, TStringsParser)
public:
  explicit TCParser(TComponent* AOwner);
};

class TCPPParser : public TCParser {
  Z_CLASS(TCPPParser, TCParser)
public:
  explicit TCPPParser(TComponent* AOwner);
};

// Python: one-line strings in either quote follow the backslash rule; triple-quoted strings span lines.
class TPythonParser : public TStringsParser {
  Z_CLASS(TPythonParser, TStringsParser)
public:
  explicit TPythonParser(TComponent* AOwner);
  void InitPythonSyntax();
  Integer ParsePythonStrConst();
  Integer ParsePythonCStrConst();
  Integer ParsePythonStrConstEnd();
  Integer ParsePythonCStrConstEnd();
  Integer ParseUniPythonStrConstEnd(char Quote);

private:
  Integer ParsePythonString(char Quote);
};

// Perl: quotes after a sigil are part of a variable name; here-documents span lines until their tag.
class TPerlParser : public TStringsParser {
  Z_CLASS(TPerlParser, TStringsParser)
public:
  explicit TPerlParser(TComponent* AOwner);
  void InitPerlSyntax();
  Integer ParsePerlConst1();  // "'"
  Integer ParsePerlConst();   // '"'
  Integer ParsePerlStrConst(char Quote);
  Integer ParsePerlComment();
  Integer ParsePerlIdentifier();
  Integer ParseMultiLineString();
  Integer ParseMultiLineStringEnd();
  const std::string& HereDocTag() const { return FHereDocTag; }

private:
  std::string FHereDocTag;
  TSysCharSet FWordChars;
};

class TSqlParser : public TStringsParser {
  Z_CLASS(TSqlParser, TStringsParser)
public:
  explicit TSqlParser(TComponent* AOwner);
  void InitSqlSyntax();
  Integer ParseOracleComment();
};

// HTML: tag names with their "<" and the closing ">" are tokHtmlTag, attribute names inside a tag tokHtmlParam.
class THTMLParser : public TStringsParser {
  Z_CLASS(THTMLParser, TStringsParser)
public:
  explicit THTMLParser(TComponent* AOwner);
  void InitHTMLSyntax();
  Integer ParseHTMLTag();
  Integer ParseHTMLComment();
  Integer ParseHTMLCommentEnd();
  Integer ParseHtmlParam();
  Integer ParseHTMLTagEnd();
};

// The reserved-word lists as the languages store them (before sorting and trimming).
const std::vector<std::string>& DelphiWords();
const std::vector<std::string>& DFMWords();
const std::vector<std::string>& VBScriptWords();
const std::vector<std::string>& JavaScriptWords();
const std::vector<std::string>& SqlWords();
const std::vector<std::string>& PerlWords();
const std::vector<std::string>& CWords();
const std::vector<std::string>& CppWords();
const std::vector<std::string>& PythonWords();

}  // namespace Dcparser
