// The language set-ups (reserved words and handler tables) and the handlers of Python, Perl, SQL and HTML.
#include "codeeditor/Dclanguages.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/UnitInit.h"

namespace Dcparser {

namespace {
template <class C>
void PublishCaseSensitive(TMetaClass& Meta) {
  TPublisher<C> P(Meta);
  P.Property("CaseSensitive", &C::CaseSensitive, &C::SetCaseSensitive);
}

void SetWords(TCustomDCParser* Parser, const std::vector<std::string>& Words) {
  TStrings* List = Parser->ResWords();
  List->BeginUpdate();
  List->Clear();
  for (const std::string& W : Words) {
    List->Add(W);
  }
  List->EndUpdate();
}

const TSysCharSet& Letters() {
  static const TSysCharSet Set = TSysCharSet::Range('A', 'Z') + TSysCharSet::Range('a', 'z') + TSysCharSet{'_'};
  return Set;
}
const TSysCharSet& Digits() {
  static const TSysCharSet Set = TSysCharSet::Range('0', '9');
  return Set;
}
const TSysCharSet& Printable() {
  static const TSysCharSet Set = TSysCharSet::Range('!', '\xFF');
  return Set;
}
}  // namespace

Z_IMPLEMENT_CLASS_PUBLISHED(TDelphiParser, TStringsParser, PublishCaseSensitive<TDelphiParser>)
Z_IMPLEMENT_CLASS_PUBLISHED(TDFMParser, TStringsParser, PublishCaseSensitive<TDFMParser>)
Z_IMPLEMENT_CLASS_PUBLISHED(TVBScriptParser, TStringsParser, PublishCaseSensitive<TVBScriptParser>)
Z_IMPLEMENT_CLASS_PUBLISHED(TJavaScriptParser, TStringsParser, PublishCaseSensitive<TJavaScriptParser>)
Z_IMPLEMENT_CLASS_PUBLISHED(TCParser, TStringsParser, PublishCaseSensitive<TCParser>)
Z_IMPLEMENT_CLASS(TCPPParser, TCParser)
Z_IMPLEMENT_CLASS(TPythonParser, TStringsParser)
Z_IMPLEMENT_CLASS_PUBLISHED(TPerlParser, TStringsParser, PublishCaseSensitive<TPerlParser>)
Z_IMPLEMENT_CLASS_PUBLISHED(TSqlParser, TStringsParser, PublishCaseSensitive<TSqlParser>)
Z_IMPLEMENT_CLASS_PUBLISHED(THTMLParser, TStringsParser, PublishCaseSensitive<THTMLParser>)

// ---- word lists ----

const std::vector<std::string>& DelphiWords() {
  static const std::vector<std::string> Words = {"absolute",
                                                 "abstract",
                                                 "and",
                                                 "array",
                                                 "as",
                                                 "asm",
                                                 "assembler",
                                                 "automated",
                                                 "begin",
                                                 "break",
                                                 "case",
                                                 "cdecl",
                                                 "class",
                                                 "const",
                                                 "constructor",
                                                 "continue",
                                                 "default",
                                                 "deprecated",
                                                 "destructor",
                                                 "dispid",
                                                 "dispinterface",
                                                 "div",
                                                 "do",
                                                 "downto",
                                                 "dynamic",
                                                 "else",
                                                 "end",
                                                 "except",
                                                 "exit",
                                                 "export",
                                                 "exports",
                                                 "external",
                                                 "far",
                                                 "file",
                                                 "finalization",
                                                 "finally",
                                                 "for",
                                                 "forward",
                                                 "function",
                                                 "goto",
                                                 "if",
                                                 "implementation",
                                                 "in",
                                                 "index",
                                                 "inherited",
                                                 "initialization",
                                                 "inline",
                                                 "interface",
                                                 "is",
                                                 "label",
                                                 "library",
                                                 "message",
                                                 "mod",
                                                 "near",
                                                 "nil",
                                                 "nodefault",
                                                 "not",
                                                 "object",
                                                 "of",
                                                 "or",
                                                 "out",
                                                 "overload",
                                                 "override",
                                                 "packed",
                                                 "pascal",
                                                 "platform",
                                                 "private",
                                                 "procedure",
                                                 "program",
                                                 "property",
                                                 "protected",
                                                 "public",
                                                 "published",
                                                 "raise",
                                                 "read",
                                                 "readonly",
                                                 "record",
                                                 "register",
                                                 "reintroduce",
                                                 "repeat",
                                                 "resident",
                                                 "resourcestring",
                                                 "safecall",
                                                 "set",
                                                 "shl",
                                                 "shr",
                                                 "stdcall",
                                                 "stored",
                                                 "string",
                                                 "stringresource",
                                                 "then",
                                                 "threadvar",
                                                 "to",
                                                 "try",
                                                 "type",
                                                 "unit",
                                                 "until",
                                                 "uses",
                                                 "var",
                                                 "virtual",
                                                 "while",
                                                 "with",
                                                 "write",
                                                 "writeonly",
                                                 "xor"};
  return Words;
}

const std::vector<std::string>& DFMWords() {
  static const std::vector<std::string> Words = {"end", "inherited", "inline", "item", "object"};
  return Words;
}

const std::vector<std::string>& VBScriptWords() {
  static const std::vector<std::string> Words = {
      "And",      "As",      "Call",    "Const",    "Date",   "Dim",   "Do",        "Empty",    "Exit", "False",
      "For",      "Each",    "Elseif",  "Function", "If",     "Then",  "Else",      "Is",       "Loop", "Mod",
      "Next",     "Not",     "Nothing", "Null",     "On",     "Error", "Option",    "Explicit", "Base", "Compare",
      "Or",       "Private", "Public",  "ReDim",    "Select", "Case",  "Set",       "String",   "Sub",  "True",
      "While",    "Wend",    "Xor",     "Rem",      "end",    "ByVal", "Attribute", "Declare",  "To",   "Type",
      "property", "get",     "let",     "friend",   "With",   "Class"};
  return Words;
}

const std::vector<std::string>& JavaScriptWords() {
  static const std::vector<std::string> Words = {
      "abstract",   "boolean",      "break",   "byte",       "case",   "catch",     "char",     "class",  "const",
      "continue",   "debugger",     "default", "delete",     "do",     "double",    "else",     "enum",   "export",
      "extends",    "false",        "final",   "finally",    "float",  "for",       "function", "goto",   "if",
      "implements", "import",       "in",      "instanceof", "int",    "interface", "long",     "native", "new",
      "null",       "package",      "private", "protected",  "public", "return",    "short",    "static", "super",
      "switch",     "synchronized", "this",    "throw",      "throws", "transient", "true",     "try",    "typeof",
      "var",        "void",         "while",   "with"};
  return Words;
}

const std::vector<std::string>& SqlWords() {
  static const std::vector<std::string> Words = {
      "ACTIVE",    "ALL",        "AFTER",       "ALTER ",     "AND",         "ANY",
      "AS",        "ASC",        "ASCENDING",   "AT",         "AUTO",        "AUTOINC",
      "BASE_NAME", "BEFORE",     "BEGIN",       "BETWEEN",    "BLOB",        "BOOLEAN",
      "BOTH",      "BY",         "BYTES",       "CACHE",      "CAST",        "CHARACTER",
      "CHECK",     "COLUMN",     "COMMIT",      "COMMITTED",  "COMPUTED",    "CONDITIONAL",
      "CONNECT",   "CONSTRAINT", "CONTAINING",  "COUNT",      "CREATE",      "CURRENT",
      "CURSOR",    "DATABASE",   "DATE",        "DEBUG",      "DECIMAL",     "DECLARE",
      "DEFAULT",   "DELETE",     "DESC",        "DESCENDING", "DISTINCT",    "DOMAIN",
      "DO",        "DROP",       "ELSE",        "END",        "ENTRY_POINT", "ESCAPE",
      "EXCEPTION", "EXECUTE",    "EXISTS",      "EXIT",       "EXTERNAL",    "EXTRACT",
      "FILTER",    "FLOAT",      "FOR",         "FOREIGN",    "FROM",        "FULL",
      "FUNCTION",  "GENERATOR",  "GO",          "GRANT",      "GROUP",       "HAVING",
      "IF",        "IN",         "INACTIVE",    "INDEX",      "INNER",       "INSERT",
      "INTEGER",   "INTO",       "IS",          "ISOLATION",  "JOIN",        "KEY",
      "NULL",      "LEADING",    "LEFT",        "LEVEL",      "LIKE",        "MERGE",
      "MONEY",     "NAMES",      "NO",          "NOT",        "NUMERIC",     "OF",
      "ON",        "ONLY",       "OR",          "ORDER",      "OUTER",       "PARAMETER",
      "PASSWORD",  "PIVOT",      "PLAN",        "POSITION",   "PROCEDURE",   "PROTECTED",
      "PRIMARY",   "PRIVILEGES", "READ",        "REFERENCES", "RETAIN",      "RETURNING_VALUES",
      "RETURNS",   "REVOKE",     "RIGHT",       "ROLLBACK",   "SCHEMA",      "SELECT",
      "SET",       "SHARED",     "SHADOW",      "SMALLINT",   "SNAPSHOT",    "SOME",
      "SUSPEND",   "TABLE",      "THEN",        "TIME",       "TIMESTAMP",   "TO",
      "TRAILING",  "TRANSFORM",  "TRANSACTION", "TRIGGER",    "UNCOMMITTED", "UNION",
      "UNIQUE",    "UPDATE",     "USER",        "USING",      "VALUES",      "VARCHAR",
      "VARIABLE",  "VIEW",       "WAIT",        "WHEN",       "WHERE",       "WHILE",
      "WITH",      "WORK"};
  return Words;
}

const std::vector<std::string>& PerlWords() {
  static const std::vector<std::string> Words = {
      "and",     "cmp",     "continue", "do",     "else",  "elsif",  "eq",     "for",   "foreach", "ge",    "goto",
      "gt",      "if",      "last",     "le",     "local", "lt",     "my",     "ne",    "next",    "not",   "or",
      "package", "require", "return",   "strict", "sub",   "switch", "unless", "until", "use",     "while", "xor"};
  return Words;
}

const std::vector<std::string>& CWords() {
  static const std::vector<std::string> Words = {
      "auto",   "break",    "case",   "char",     "continue", "default",  "do",     "double",
      "else",   "enum",     "extern", "float",    "for",      "goto",     "if",     "int",
      "long",   "register", "return", "short",    "signed",   "sizeof",   "static", "struct",
      "switch", "typedef",  "union",  "unsigned", "void",     "volatile", "while"};
  return Words;
}

const std::vector<std::string>& CppWords() {
  static const std::vector<std::string> Words = {
      "__asm",        "_asm",        "asm",         "auto",     "__automated",
      "break",        "bool",        "case",        "catch",    "__cdecl",
      "_cdecl",       "cdecl",       "char",        "class",    "__classid",
      "__closure",    "const",       "const_cast",  "continue", "__declspec",
      "default",      "delete",      "__dispid",    "do",       "double",
      "dynamic_cast", "else",        "enum",        "__except", "explicit",
      "_export",      "__export",    "extern",      "false",    "__fastcall",
      "_fastcall",    "__finally",   "float",       "for",      "friend",
      "goto",         "if",          "__import",    "_import",  "inline",
      "int",          "__int8",      "__int16",     "__int32",  "__int64",
      "long",         "mutable",     "namespace",   "new",      "operator",
      "__pascal",     "_pascal",     "pascal",      "private",  "protected",
      "__property",   "public",      "__published", "register", "reinterpret_cast",
      "return",       "__rtti",      "short",       "signed",   "sizeof",
      "static",       "static_cast", "__stdcall",   "_stdcall", "struct",
      "switch",       "template",    "this",        "__thread", "throw",
      "true",         "__try",       "try",         "typedef",  "typename",
      "typeid",       "union",       "using",       "unsigned", "virtual",
      "void",         "volatile",    "wchar_t",     "while"};
  return Words;
}

const std::vector<std::string>& PythonWords() {
  static const std::vector<std::string> Words = {"and",    "assert", "break",  "class", "continue", "def",    "del",
                                                 "elif",   "else",   "except", "exec",  "finally",  "for",    "from",
                                                 "global", "if",     "import", "in",    "is",       "lambda", "not",
                                                 "or",     "pass",   "print",  "raise", "return",   "try",    "while"};
  return Words;
}

// ---- set-ups kept by every parser ----

void TCustomDCParser::InitDelphiSyntax() {
  SetWords(this, DelphiWords());
  InitCommon();
  RegisterNormalProc(TSysCharSet{'\''}, &TCustomDCParser::ParseStrConst);
  RegisterNormalProc(TSysCharSet{'{'}, &TCustomDCParser::ParseComment);
  RegisterProc({psBraceComment}, Printable(), &TCustomDCParser::ParseComment);
  RegisterNormalProc(Letters(), &TCustomDCParser::ParseDelphiIdentifier);
  RegisterNormalProc(TSysCharSet{'$'}, &TCustomDCParser::ParseHexConst);
  RegisterNormalProc(Digits(), &TCustomDCParser::ParseNumConst);
  RegisterNormalProc(TSysCharSet{'/'}, &TCustomDCParser::ParseCComment);
  RegisterNormalProc(TSysCharSet{'('}, &TCustomDCParser::ParseComplexComment);
  RegisterNormalProc(TSysCharSet{'#'}, &TCustomDCParser::ParseCharConst);
  RegisterProc({psBlockComment}, Printable(), &TCustomDCParser::ParseComplexCommentEnd);
  RegisterProc({psAsm}, Printable(), &TCustomDCParser::ParseAsm);
  RegisterProc({psAsm, psAsmLineComment}, TSysCharSet{'/'}, &TCustomDCParser::ParseAsmCComment);
  RegisterProc({psAsm}, TSysCharSet{'{'}, &TCustomDCParser::ParseAsmComment);
  RegisterProc({psAsmBraceComment}, Printable(), &TCustomDCParser::ParseAsmComment);
  RegisterProc({psAsm}, TSysCharSet{'('}, &TCustomDCParser::ParseAsmComplexComment);
  RegisterProc({psAsmBlockComment}, Printable(), &TCustomDCParser::ParseAsmComplexCommentEnd);
  InitEolState(psBlockComment);
  InitEolState(psBraceComment);
}

void TCustomDCParser::InitDFMSyntax() {
  SetWords(this, DFMWords());
  InitCommon();
  RegisterNormalProc(TSysCharSet{'\''}, &TCustomDCParser::ParseStrConst);
  RegisterNormalProc(TSysCharSet{'{'}, &TCustomDCParser::ParseComment);
  RegisterProc({psBraceComment}, Printable(), &TCustomDCParser::ParseComment);
  RegisterNormalProc(Letters(), &TCustomDCParser::ParseDelphiIdentifier);
  RegisterNormalProc(Digits(), &TCustomDCParser::ParseNumConst);
  RegisterNormalProc(TSysCharSet{'/'}, &TCustomDCParser::ParseCComment);
  RegisterNormalProc(TSysCharSet{'('}, &TCustomDCParser::ParseComplexComment);
  RegisterNormalProc(TSysCharSet{'#'}, &TCustomDCParser::ParseCharConst);
  RegisterProc({psBlockComment}, Printable(), &TCustomDCParser::ParseComplexCommentEnd);
  InitEolState(psBlockComment);
  InitEolState(psBraceComment);
}

void TCustomDCParser::InitVBSyntax() {
  SetWords(this, VBScriptWords());
  InitCommon();
  RegisterNormalProc(Digits(), &TCustomDCParser::ParseNumConst);
  RegisterNormalProc(Letters(), &TCustomDCParser::ParseVBIdentifier);
  RegisterNormalProc(TSysCharSet{'"'}, &TCustomDCParser::ParseVBStrConst);
  RegisterNormalProc(TSysCharSet{'\''}, &TCustomDCParser::RestIsComment);
  RegisterNormalProc(TSysCharSet{'&'}, &TCustomDCParser::ParseVBHexConst);
  FSpecialResWordId = WordId("Rem");
}

void TCustomDCParser::InitJSSyntax() {
  InitCommon();
  RegisterNormalProc(TSysCharSet{'"', '\''}, &TCustomDCParser::ParseCStrConst);
  RegisterNormalProc(Letters(), &TCustomDCParser::ParseIdentifier);
  RegisterNormalProc(TSysCharSet{'/'}, &TCustomDCParser::ParseJscrComment);
  RegisterProc({psDirective}, TSysCharSet{'\t'} + TSysCharSet::Range(' ', '.') + TSysCharSet::Range('0', '\xFF'),
               &TCustomDCParser::ParseDefines);
  RegisterProc({psDirective}, TSysCharSet{'/'}, &TCustomDCParser::ParseJscrComment);
  RegisterProc({psBlockComment}, Printable(), &TCustomDCParser::ParseJScrCommentEnd);
  InitEolState(psBlockComment);
}

void TCustomDCParser::InitJScrSyntax() {
  SetWords(this, JavaScriptWords());
  InitJSSyntax();
  RegisterNormalProc(Digits(), &TCustomDCParser::ParseNumConst);
  RegisterNormalProc(TSysCharSet{'0'}, &TCustomDCParser::ParseJHexConst);
}

void TCustomDCParser::InitCSyntax() {
  SetWords(this, CWords());
  InitJSSyntax();
  RegisterNormalProc(TSysCharSet{'#'}, &TCustomDCParser::ParseDefines);
  RegisterNormalProc(Digits(), &TCustomDCParser::ParseCNumConst);
  RegisterNormalProc(TSysCharSet{'0'}, &TCustomDCParser::ParseCHexConst);
}

void TCustomDCParser::InitCppSyntax() {
  InitCSyntax();
  SetWords(this, CppWords());
}

// ---- constructors ----

TDelphiParser::TDelphiParser(TComponent* AOwner) : TStringsParser(AOwner) { InitDelphiSyntax(); }
TDFMParser::TDFMParser(TComponent* AOwner) : TStringsParser(AOwner) { InitDFMSyntax(); }
TVBScriptParser::TVBScriptParser(TComponent* AOwner) : TStringsParser(AOwner) { InitVBSyntax(); }

TJavaScriptParser::TJavaScriptParser(TComponent* AOwner) : TStringsParser(AOwner) {
  FCaseSensitive = true;
  InitJScrSyntax();
}

TCParser::TCParser(TComponent* AOwner) : TStringsParser(AOwner) {
  FCaseSensitive = true;
  InitCSyntax();
}

TCPPParser::TCPPParser(TComponent* AOwner) : TCParser(AOwner) { InitCppSyntax(); }

TPythonParser::TPythonParser(TComponent* AOwner) : TStringsParser(AOwner) { InitPythonSyntax(); }

TPerlParser::TPerlParser(TComponent* AOwner) : TStringsParser(AOwner) {
  FCaseSensitive = true;
  FWordChars = Letters() + Digits();
  InitPerlSyntax();
}

TSqlParser::TSqlParser(TComponent* AOwner) : TStringsParser(AOwner) { InitSqlSyntax(); }
THTMLParser::THTMLParser(TComponent* AOwner) : TStringsParser(AOwner) { InitHTMLSyntax(); }

// ---- Python ----

void TPythonParser::InitPythonSyntax() {
  SetWords(this, PythonWords());
  InitCommon();
  RegisterNormalProc(Digits(), &TCustomDCParser::ParseNumConst);
  RegisterNormalProc(Letters(), &TCustomDCParser::ParseIdentifier);
  RegisterNormalProc(TSysCharSet{'"'}, static_cast<TParseProc>(&TPythonParser::ParsePythonCStrConst));
  RegisterNormalProc(TSysCharSet{'\''}, static_cast<TParseProc>(&TPythonParser::ParsePythonStrConst));
  RegisterNormalProc(TSysCharSet{'#'}, &TCustomDCParser::RestIsComment);
  RegisterProc({psPythonString}, Printable(), static_cast<TParseProc>(&TPythonParser::ParsePythonStrConstEnd));
  RegisterProc({psPythonCString}, Printable(), static_cast<TParseProc>(&TPythonParser::ParsePythonCStrConstEnd));
  InitEolState(psPythonString);
  InitEolState(psPythonCString);
}

Integer TPythonParser::ParsePythonString(char Quote) {
  if (FCurPtr[1] == Quote && FCurPtr[2] == Quote) {
    FCurPtr += 3;
    return ParseUniPythonStrConstEnd(Quote);
  }
  // Both one-line forms take the backslash rule: «'it\'s'» ends at its last quote.
  return ParseCStrConst();
}

Integer TPythonParser::ParsePythonStrConst() { return ParsePythonString('\''); }
Integer TPythonParser::ParsePythonCStrConst() { return ParsePythonString('"'); }
Integer TPythonParser::ParsePythonStrConstEnd() { return ParseUniPythonStrConstEnd('\''); }
Integer TPythonParser::ParsePythonCStrConstEnd() { return ParseUniPythonStrConstEnd('"'); }

Integer TPythonParser::ParseUniPythonStrConstEnd(char Quote) {
  while (SkipToCharOrEol(Quote)) {
    std::size_t Backslashes = 0;
    for (const char* P = FCurPtr - 1; P >= FLinePtr && P >= FTokenPtr && *P == '\\'; --P) {
      ++Backslashes;
    }
    ++FCurPtr;
    // An escaped quote neither closes the string nor starts the closing triple.
    if (Backslashes % 2 == 0 && FCurPtr[0] == Quote && FCurPtr[1] == Quote) {
      FCurPtr += 2;
      FState = psNormal;
      return tokString;
    }
  }
  FState = Quote == '\'' ? psPythonString : psPythonCString;
  return tokString;
}

// ---- Perl ----

void TPerlParser::InitPerlSyntax() {
  SetWords(this, PerlWords());
  InitCommon();
  RegisterNormalProc(TSysCharSet{'\''}, static_cast<TParseProc>(&TPerlParser::ParsePerlConst1));
  RegisterNormalProc(TSysCharSet{'"'}, static_cast<TParseProc>(&TPerlParser::ParsePerlConst));
  RegisterNormalProc(TSysCharSet{'#'}, static_cast<TParseProc>(&TPerlParser::ParsePerlComment));
  RegisterNormalProc(Letters(), static_cast<TParseProc>(&TPerlParser::ParsePerlIdentifier));
  RegisterNormalProc(Digits(), &TCustomDCParser::ParseNumConst);
  RegisterNormalProc(TSysCharSet{'<'}, static_cast<TParseProc>(&TPerlParser::ParseMultiLineString));
  RegisterProc({psHereDocument}, Printable(), static_cast<TParseProc>(&TPerlParser::ParseMultiLineStringEnd));
  InitEolState(psHereDocument);
}

Integer TPerlParser::ParsePerlConst1() { return ParsePerlStrConst('\''); }
Integer TPerlParser::ParsePerlConst() { return ParsePerlStrConst('"'); }

Integer TPerlParser::ParsePerlStrConst(char Quote) {
  if (FCurPtr > FLinePtr) {
    const char B = FCurPtr[-1];
    if (B == '$' || B == '%' || B == '&' || B == '@') {
      ++FCurPtr;
      return tokSymbol;
    }
  }
  bool Found = false;
  do {
    if (*FCurPtr != '\0') {
      ++FCurPtr;
    }
    Found = SkipToCharOrEol(Quote);
    if (!Found) {
      return tokString;
    }
  } while (FCurPtr[-1] == '\\');
  ++FCurPtr;
  return tokString;
}

Integer TPerlParser::ParsePerlComment() {
  if (FCurPtr > FLinePtr && FCurPtr[-1] == '$') {
    ++FCurPtr;
    if (AtLineEnd()) {
      return tokIdentifier;
    }
    return ParseIdentifier();
  }
  return RestIsComment();
}

Integer TPerlParser::ParsePerlIdentifier() {
  static const TSysCharSet Chars = Letters() + Digits() + TSysCharSet{'\''};
  return ParseIdentifierEx(Chars);
}

Integer TPerlParser::ParseMultiLineString() {
  ++FCurPtr;
  if (*FCurPtr != '<') {
    return tokSymbol;
  }
  const char* Second = FCurPtr;
  ++FCurPtr;
  FWordChars = Letters() + Digits();
  const char Quote = *FCurPtr;
  if (Quote == '"' || Quote == '\'') {
    ++FCurPtr;
    const char* From = FCurPtr;
    const bool Closed = SkipToCharOrEol(Quote);
    FHereDocTag.assign(From, FCurPtr);
    if (FHereDocTag.empty()) {
      FCurPtr = Second;
      return tokSymbol;
    }
    for (const char C : FHereDocTag) {
      FWordChars.Include(C);
    }
    if (Closed) {
      ++FCurPtr;
    }
  } else {
    const char* From = FCurPtr;
    while (*FCurPtr != '\0' && FWordChars.Contains(*FCurPtr)) {
      ++FCurPtr;
    }
    FHereDocTag.assign(From, FCurPtr);
    if (FHereDocTag.empty()) {
      FCurPtr = Second;
      return tokSymbol;
    }
  }
  return ParseMultiLineStringEnd();
}

Integer TPerlParser::ParseMultiLineStringEnd() {
  for (;;) {
    while (!AtLineEnd() && !FWordChars.Contains(*FCurPtr)) {
      ++FCurPtr;
    }
    const char* From = FCurPtr;
    while (!AtLineEnd() && FWordChars.Contains(*FCurPtr)) {
      ++FCurPtr;
    }
    if (!FHereDocTag.empty() && std::string_view(From, static_cast<std::size_t>(FCurPtr - From)) == FHereDocTag) {
      FHereDocTag.clear();
      FState = psNormal;
      return tokString;
    }
    if (AtLineEnd()) {
      FState = psHereDocument;
      return tokString;
    }
  }
}

// ---- SQL ----

void TSqlParser::InitSqlSyntax() {
  SetWords(this, SqlWords());
  InitCommon();
  RegisterNormalProc(TSysCharSet{'"'}, &TCustomDCParser::ParseVBStrConst);
  RegisterNormalProc(TSysCharSet{'\''}, &TCustomDCParser::ParseStrConst);
  RegisterNormalProc(Letters(), &TCustomDCParser::ParseIdentifier);
  RegisterNormalProc(Digits(), &TCustomDCParser::ParseNumConst);
  RegisterNormalProc(TSysCharSet{'/'}, &TCustomDCParser::ParseJscrComment);
  RegisterProc({psBlockComment}, Printable(), &TCustomDCParser::ParseJScrCommentEnd);
  RegisterNormalProc(TSysCharSet{'-'}, static_cast<TParseProc>(&TSqlParser::ParseOracleComment));
  InitEolState(psBlockComment);
}

Integer TSqlParser::ParseOracleComment() {
  ++FCurPtr;
  if (*FCurPtr == '-') {
    return RestIsComment();
  }
  return tokSymbol;
}

// ---- HTML ----

void THTMLParser::InitHTMLSyntax() {
  InitCommon();
  RegisterProc({psNormal, psHtmlTag}, TSysCharSet{'"'}, &TCustomDCParser::ParseVBStrConst);
  RegisterNormalProc(Letters(), &TCustomDCParser::ParseIdentifier);
  RegisterProc({psHtmlTag}, Letters(), static_cast<TParseProc>(&THTMLParser::ParseHtmlParam));
  RegisterProc({psNormal, psHtmlTag}, Digits(), &TCustomDCParser::ParseNumConst);
  RegisterNormalProc(TSysCharSet{'<'}, static_cast<TParseProc>(&THTMLParser::ParseHTMLTag));
  RegisterProc({psHtmlTag}, TSysCharSet{'>'}, static_cast<TParseProc>(&THTMLParser::ParseHTMLTagEnd));
  RegisterProc({psBlockComment}, Printable(), static_cast<TParseProc>(&THTMLParser::ParseHTMLCommentEnd));
  InitEolState(psBlockComment);
  InitEolState(psHtmlTag);
}

Integer THTMLParser::ParseHTMLTag() {
  ++FCurPtr;
  if (FCurPtr[0] == '!' && FCurPtr[1] == '-' && FCurPtr[2] == '-') {
    return ParseHTMLComment();
  }
  for (;;) {
    const auto C = static_cast<unsigned char>(*FCurPtr);
    if (!((C >= '/' && C <= '9') || (C >= 'A' && C <= 'Z') || C == '_' || (C >= 'a' && C <= 'z'))) {
      break;
    }
    ++FCurPtr;
  }
  FState = psHtmlTag;
  return tokHtmlTag;
}

Integer THTMLParser::ParseHTMLComment() {
  ++FCurPtr;  // the "!"
  return ParseHTMLCommentEnd();
}

Integer THTMLParser::ParseHTMLCommentEnd() {
  if (SkipToCharOrEol('-')) {
    if (FCurPtr[1] == '-' && FCurPtr[2] == '>') {
      FCurPtr += 3;
      FState = psNormal;
      return tokComment;
    }
    ++FCurPtr;
  }
  FState = psBlockComment;
  return tokComment;
}

Integer THTMLParser::ParseHtmlParam() {
  while (true) {
    const auto C = static_cast<unsigned char>(*++FCurPtr);
    if (!((C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || C == '_' || (C >= 'a' && C <= 'z'))) {
      break;
    }
  }
  return tokHtmlParam;
}

Integer THTMLParser::ParseHTMLTagEnd() {
  ++FCurPtr;
  FState = psNormal;
  return tokHtmlTag;
}

}  // namespace Dcparser

namespace {
// Form layouts and designers find the tokenizers by class name.
void InitializeDcparser() {
  using namespace Dcparser;
  RegisterClasses({THTMLParser::StaticClass(), TSqlParser::StaticClass(), TPerlParser::StaticClass(),
                   TDelphiParser::StaticClass(), TDFMParser::StaticClass(), TVBScriptParser::StaticClass(),
                   TJavaScriptParser::StaticClass(), TCParser::StaticClass(), TCPPParser::StaticClass(),
                   TPythonParser::StaticClass()});
}
}  // namespace

Z_REGISTER_UNIT(UnitOrder::CodeEditorUnits + 10, "Dcparser", &InitializeDcparser, nullptr)
