// Document types: the built-in definitions, their registry form, lookups,
// highlighters and delimiters.
#include "core/Parserclass.h"

#include "core/Ekregistryex.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Strtext.h"

#include "editor/Easyeditorparser.h"
#include "platform/win/MessageBox.h"
#include "platform/win/RegistryStore.h"

#include <string>

namespace {

std::string Text(const StrStore& S) {
  return std::string(S.text, static_cast<std::size_t>(S.length));
}

StrStore RulesFolderPath(const StrStore& RulesFile) {
  StrStore Path = prg != nullptr ? prg->volatileState->programFolder : StrStore();
  Path.appendChar(StrText::FileSeparator).append(PARSER_RULES_FOLDER).appendChar(StrText::FileSeparator);
  Path.appendStore(RulesFile);
  return Path;
}

// The first text Ask gives for the parsers from Start on (null: none has one).
template <class F> const char* FirstAnswer(PointerArrayManager* Array, int Start, F Ask) {
  if (Array == nullptr) {
    return nullptr;
  }
  for (int I = Start < 0 ? 0 : Start; I < Array->getCount(); ++I) {
    const auto* P = static_cast<const parserclass*>(Array->getPointer(I));
    if (P != nullptr) {
      if (const char* Answer = Ask(*P)) {
        return Answer;
      }
    }
  }
  return nullptr;
}

bool TryLoadRules(TEasyEditorParser& Parser, const StrStore& Path) {
  try {
    Parser.LoadRulesFromFile(Text(Path));
    return true;
  } catch (const Exception&) {
    return false;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

parserclass::~parserclass() {
  delete highlighter;
}

const char* parserclass::GetField(int What, int Id) const {
  switch (What) {
    case PARSERFIELD_EXTENSIONS:
      return (Id == -1 || Id == fileType) ? extensions.text : nullptr;
    case PARSERFIELD_DESCRIPTION:
      return description.text;
    case PARSERFIELD_HIGHLIGHTING:
      return flags.has(PF::SyntaxHighlighting) ? "On" : "Off";
    default:
      return nullptr;
  }
}

const char* parserclass::GetKeyByDescription(int Flags, const char* Description) const {
  if ((Flags & 1) == 0) {
    return nullptr;
  }
  if (Description == nullptr || description.equalsNoCase(Description)) {
    return fileTypeKey.text;
  }
  return nullptr;
}

TEasyEditorParser* parserclass::GetEditorParser() {
  if (fileType == FILETYPE_TEXT || rulesPath.length == 0) {
    return nullptr;
  }
  if (highlighter == nullptr) {
    highlighter = new TEasyEditorParser(nullptr);
    if (!TryLoadRules(*highlighter, rulesPath)) {
      const StrStore Beside = RulesFolderPath(rulesFile);
      if (rulesFile.length > 0 && TryLoadRules(*highlighter, Beside)) {
        rulesPath = Beside;  // the next save stores the path that worked
      } else {
        StrStore Message("Could not load parser rules for ");
        Message.appendStore(description).append(" parser (filename: \"").appendStore(rulesPath);
        Message.append("\"). This syntax parser will not function properly.");
        MessageBox(MainWindow().GetApplicationWindow(), Message.text, "Quillon: Could Not Load Parser Rules",
                   MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
      }
    }
  }
  return highlighter;
}

parserclass* AddParser(PointerArrayManager* Array, const char* Description, const char* Key, int Id,
                       const char* Extensions, const char* RulesFile, int AddedFlags) {
  if (Array == nullptr) {
    return nullptr;
  }
  auto* P = new parserclass();
  P->description.assign(Description);
  P->fileTypeKey.assign(Key);
  P->fileType = Id;
  P->extensions.assign(Extensions);
  P->flags.fromInt(P->flags.asInt() | AddedFlags);
  if (RulesFile != nullptr && *RulesFile != 0) {
    P->rulesFile.assign(RulesFile);
    P->rulesPath = RulesFolderPath(P->rulesFile);
  }
  if (Array->addPointer(P) < 0) {
    delete P;
    return nullptr;
  }
  return P;
}

int InitParsers(PointerArrayManager* Array) {
  if (Array == nullptr) {
    return PARSERS_NO_ARRAY;
  }
  struct TBuiltIn {
    const char* Description;
    const char* Key;
    int Id;
    const char* Extensions;
    const char* RulesFile;
    int Added;
  };
  static const TBuiltIn BuiltIn[] = {
      {"AWK Script", "AWKSCRIPT", 28, "AWK", "awk_script.xs", 0},
      {"Assembler", "ASSEMBLER", 30, "ASM,ASI,S", "assembler.xs", 0},
      {"C++Builder", "CPPBUILDER", 27, "", "c++builder.xs", 0},
      {"C/C++", "C", 2, "C,CPP,H,HPP", "c.xs", 0},
      {"C#", "CSHARP", 26, "CS", "c#.xs", 0},
      {"Cobol", "COBOL", 12, "CBL,COB", "cobol.xs", 0},
      {"CSS", "CSS", 11, "CSS", "css_lev2.xs", 0},
      {"Delphi", "DELPHI", 3, "PAS", "delphi.xs", 0},
      {"DFM Files", "DFMFILES", 25, "DFM", "dfm_files.xs", 0},
      {"FoxPro", "FOXPRO", 24, "", "foxpro.xs", 0},
      {"HTML", "HTML", 1,
       "HTM,HTML,SHTM,SHTML,ASA,ASP,CFM,CFML,XML,PHP,PHP3,PHP4,RT,SGML,SGM,SMI,"
       "SMIL,VTM,VTML",
       "html.xs", 4},
      {"INI File", "INIFILE", 17, "INI", "ini_file.xs", 0},
      {"Java", "JAVA", 5, "JAVA", "java.xs", 0},
      {"JavaScript", "JAVASCRIPT", 13, "JS", "java_script.xs", 0},
      {"Latex", "LATEX", 14, "LATEX,TEX", "latex.xs", 0},
      {"Modula-2", "MODULA2", 15, "MOD", "modula2.xs", 0},
      {"MS-DOS Batch", "MSDOSBATCH", 19, "BAT", "ms_dosbl.xs", 0},
      {"Oberon", "OBERON", 18, "OBN", "oberon.xs", 0},
      {"Perl", "PERL", 4, "PERL,PL,PLS,PLX,PM,CGI", "perl.xs", 0},
      {"Python", "PYTHON", 16, "PW,PYW", "python.xs", 0},
      {"RTF", "RTF", 20, "RTF", "rtf.xs", 4},
      {"SQL", "SQL", 9, "SQL", "sql_oracle.xs", 0},
      {"Tcl/Tk", "TCLTK", 29, "TCL,TK", "tcltk.xs", 0},
      {"Text File", "TEXTFILE", 8, "TXT,BAK,VAL", nullptr, 4},
      {"Unix Shell", "UNIXSHELL", 21, "SH", "unix_shell.xs", 0},
      {"Visual Basic", "VB", 23, "VBA,BAS", "vis_basic.xs", 0},
      {"VBScript", "VBSCRIPT", 6, "VB,VBS", "vbs_script.xs", 0},
      {"XML", "XML", 22, "XML", "xml.xs", 0},
  };
  for (const TBuiltIn& B : BuiltIn) {
    AddParser(Array, B.Description, B.Key, B.Id, B.Extensions, B.RulesFile, B.Added);
  }
  const std::string Path = std::string(SETTINGS_ROOT) + "\\" + PARSERS_KEY;
  return LoadParsers(Array, Path.c_str()) < 0 ? PARSERS_REGISTRY_FAILED : PARSERS_OK;
}

int LoadParsers(PointerArrayManager* Array, const char* KeyPath) {
  if (Array == nullptr) {
    return PARSERS_NO_ARRAY;
  }
  TRegistryWriteBatch Batch;  // the values created on a first start reach the store in one write
  int Ok = 1;
  {
    EkRegistryEx Reg(EKREG_USE_FALLBACK);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    for (int I = 0; I < Array->getCount(); ++I) {
      auto* P = static_cast<parserclass*>(Array->getPointer(I));
      if (P == nullptr) {
        continue;
      }
      const std::string Key = std::string("\\") + KeyPath + "\\" + Text(P->fileTypeKey);
      Ok &= Reg.OpenKeyEx(Key, true);
      int Flags = P->flags.asInt();
      Ok &= Reg.ReadIntegerEx("ParserFlags", Flags);
      P->flags.fromInt(Flags);
      Ok &= Reg.ReadIntegerEx("FileType", P->fileType);
      Ok &= Reg.ReadStrStoreEx("Delimiters", P->delimiters, EKREG_WRITE_BACK);
      Ok &= Reg.ReadStrStoreEx("Description", P->description, EKREG_WRITE_BACK);
      Ok &= Reg.ReadStrStoreEx("FileExtensions", P->extensions, EKREG_WRITE_BACK);
      Ok &= Reg.ReadStrStoreEx("RulesFilename", P->rulesPath, EKREG_WRITE_BACK);
      Reg.CloseKey();
    }
  }
  Ok &= Batch.End() == ERROR_SUCCESS ? 1 : 0;
  return Ok != 0 ? PARSERS_OK : PARSERS_REGISTRY_FAILED;
}

int SaveParsers(PointerArrayManager* Array, const char* KeyPath) {
  if (Array == nullptr) {
    return PARSERS_NO_ARRAY;
  }
  TRegistryWriteBatch Batch;
  bool Ok = true;
  {
    EkRegistryEx Reg(0);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    for (int I = 0; I < Array->getCount(); ++I) {
      auto* P = static_cast<parserclass*>(Array->getPointer(I));
      if (P == nullptr) {
        continue;
      }
      const std::string Key = std::string("\\") + KeyPath + "\\" + Text(P->fileTypeKey);
      Ok &= Reg.OpenKeyEx(Key, true) != 0;
      Ok &= Reg.WriteIntegerEx("ParserFlags", P->flags.asInt());
      Ok &= Reg.WriteIntegerEx("FileType", P->fileType);
      Ok &= Reg.WriteStrStoreEx("Delimiters", P->delimiters);
      Ok &= Reg.WriteStrStoreEx("Description", P->description);
      Ok &= Reg.WriteStrStoreEx("FileExtensions", P->extensions);
      Ok &= Reg.WriteStrStoreEx("RulesFilename", P->rulesPath);
      Reg.CloseKey();
    }
  }
  Ok &= Batch.End() == ERROR_SUCCESS;
  return Ok ? PARSERS_OK : PARSERS_REGISTRY_FAILED;
}

parserclass* FindParser(PointerArrayManager* Array, int By, int Id, const char* Key) {
  if (Array == nullptr) {
    return nullptr;
  }
  for (int I = 0; I < Array->getCount(); ++I) {
    auto* P = static_cast<parserclass*>(Array->getPointer(I));
    if (P == nullptr) {
      continue;
    }
    if (By == FINDPARSER_BY_KEY && Key != nullptr && P->fileTypeKey.equalsNoCase(Key)) {
      return P;
    }
    if (By == FINDPARSER_BY_ID && P->fileType == Id) {
      return P;
    }
  }
  return nullptr;
}

const char* FindParserField(PointerArrayManager* Array, int What, int Id, int Start) {
  return FirstAnswer(Array, Start, [&](const parserclass& P) { return P.GetField(What, Id); });
}

const char* FindParserKey(PointerArrayManager* Array, int Flags, const char* Description, int Start) {
  return FirstAnswer(Array, Start, [&](const parserclass& P) { return P.GetKeyByDescription(Flags, Description); });
}

void BuildDelimiterSet(std::bitset<256>& Set, const parserclass* Definition) {
  Set.reset();
  Set.set(0);
  for (int C = 2; C <= 32; ++C) {
    Set.set(static_cast<std::size_t>(C));
  }
  if (Definition == nullptr) {
    return;
  }
  for (int I = 0; I < Definition->delimiters.length; ++I) {
    const auto C = static_cast<unsigned char>(Definition->delimiters.text[I]);
    if (C < 128 && C != 1) {
      Set.set(C);
    }
  }
}

int FreeParser(void* Element) {
  delete static_cast<parserclass*>(Element);
  return 1;
}
