// The Object Pascal module parser that obeys conditional-compilation directives, the parser that also follows
// include directives into other files, and the source utilities built on them.
#pragma once

#include "codeeditor/Dclanguages.h"
#include "suitebase/Dcapiide.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Dcparser {

inline constexpr Integer MaxIfDefLevels = 32;
inline constexpr Integer MaxIncludeDepth = 64;

inline constexpr const char* SNestingTooDeep = "Only %d nested levels of compiler directives are allowed";
inline constexpr const char* SInvalidDirective = "Invalid compiler directive: \"%s\"";
inline constexpr const char* SFileNotFound = "File %S not found";
inline constexpr const char* SInvalidCharSet = "Invalid charset definition";
inline constexpr const char* SIncludeTooDeep = "More than %d include files are open at once: %s";

// The directives, numbered by their place in the sorted list of their names.
enum TDirective { dDEFINE, dELSE, dENDIF, dI, dIF, dIFDEF, dIFEND, dIFNDEF, dIFOPT, dINCLUDE, dR, dRESOURCE, dUNDEF };

// Reads a whole Pascal source buffer with the Pascal tables, keeps the defined symbols and drops the tokens of
// inactive conditional branches (at most 32 levels open).
class TModuleParser : public TCustomDCParser {
  Z_CLASS(TModuleParser, TCustomDCParser)
public:
  explicit TModuleParser(TComponent* AOwner);
  ~TModuleParser() override;

  virtual bool DefineIsDefined(const std::string& Text);
  virtual void ParseIncludeFile(const std::string& FileName, bool Source);  // nothing here
  Integer ParseComment() override;
  std::string TokenString() override;
  Integer NextToken() override;

  void SetIgnoreDefines(TStrings* Value) { FIgnoreDefines->Assign(Value); }
  std::string IgnoreDefinesAsLine() const;
  // The compiler version named by the first version symbol of the defines (Delphi 5 when none does).
  Dcapi::TDelphiVer GetDelphiVer() const;
  bool GetSkipFlag(Integer Level) const;
  void SetSkipFlag(Integer Level, bool Flag);
  bool LevelActive() const { return FIfDefLevel < 0 || !GetSkipFlag(FIfDefLevel); }
  Integer IfDefLevel() const { return FIfDefLevel; }

  TStringList* Defines() const { return FDefines; }
  TStringList* IgnoreDefines() const { return FIgnoreDefines; }
  TStringList* DirectiveWords() const { return FDirectiveWords; }
  Byte TargetPlatform = 0;  // 0: MSWINDOWS and WIN32 always hold; 1: LINUX

private:
  Integer ParseDirective();
  void EnterConditional(TDirective Directive, const char* ArgStart);
  std::string ArgumentText(const char* ArgStart) const;

  TStringList* FDefines;
  TStringList* FDirectiveWords;
  TStringList* FIgnoreDefines;
};

// A saved position of the include parser, with the include buffers added or taken out since it was saved.
class ZEZIncludeTokenData : public TTokenData {
  Z_CLASS(ZEZIncludeTokenData, TTokenData)
public:
  explicit ZEZIncludeTokenData(TCollection* ACollection) : TTokenData(ACollection) {}
  // Kind 0: a buffer was added after this state was saved; kind 1: this buffer was taken out of the list.
  void AddOperation(std::shared_ptr<std::string> Buffer, Byte Kind);
  void ProcessSinglePop(TCustomDCParser* Parser) override;

private:
  struct TOperation {
    std::shared_ptr<std::string> Buffer;
    Byte Kind;
  };
  std::vector<TOperation> FOperations;
};

using TFileConfirmEvent = std::function<void(std::string& FileName, bool& GiveUp)>;

// Follows include directives into other files, scanning them in place; look-ahead stays right across file
// boundaries. Include names are native paths, tried as written and then in lower case.
class ZEZIncludeParser : public TModuleParser {
  Z_CLASS(ZEZIncludeParser, TModuleParser)
public:
  explicit ZEZIncludeParser(TComponent* AOwner);

  virtual std::string GetParsedFileName() { return FParsedFileName; }
  virtual void DoFileConfirm(std::string& FileName, bool& GiveUp);
  void ParseIncludeFile(const std::string& FileName, bool Source) override;
  Integer NextToken() override;
  TCollectionItemClass GetTokenDataClass() override;

  void AddIncludeFile(const std::string& FileName, bool Source);
  void AddIncludeStream(TStream* Stream, const std::string& Name = {});
  bool PopIncludeStream();
  void StoreOperation(std::shared_ptr<std::string> Buffer, Byte Kind);
  void LoadUnitPaths(const std::string& Text);  // ";"-separated folders

  void SetParsedFileName(const std::string& Value) { FParsedFileName = Value; }
  TStringList* UnitPaths() const { return FUnitPaths.get(); }
  TStringList* IncludedFiles() const { return FIncludedFiles.get(); }  // upper case; object 1 for source
  Integer IncludeDepth() const { return static_cast<Integer>(FIncludeBuffers.size()); }
  const TFileConfirmEvent& OnFileConfirm() const { return FOnFileConfirm; }
  void SetOnFileConfirm(TFileConfirmEvent Value) { FOnFileConfirm = std::move(Value); }

private:
  friend class ZEZIncludeTokenData;
  bool TryInclude(const std::string& FileName, bool Source);

  std::string FParsedFileName;
  std::unique_ptr<TStringList> FUnitPaths;
  std::unique_ptr<TStringList> FIncludedFiles;
  std::vector<std::shared_ptr<std::string>> FIncludeBuffers;
  TFileConfirmEvent FOnFileConfirm;
};

// The source with its inactive conditional code, comments and tabs removed; Defines, IgnoredDefines and
// UnitPaths are ";"-separated. Source is a file name when SourceIsFile.
std::string DCRemoveIfDefsEx(const std::string& Source, const std::string& Defines, const std::string& IgnoredDefines,
                             const std::string& UnitPaths, bool SourceIsFile, const TFileConfirmEvent& OnFileConfirm);
std::string DCRemoveIfDefs(const std::string& Source, const std::string& Defines, const std::string& IgnoredDefines,
                           const std::string& UnitPaths, bool SourceIsFile);
std::string LoadAndParseIfDefs(const std::string& FileName, const std::string& Defines,
                               const std::string& IgnoredDefines, const std::string& UnitPaths);

// The characters of a Pascal set definition such as «'a'..'c', #13».
TSysCharSet ParseCharSetDef(const std::string& Text);

// Writes FileName's text up to the end of its "implementation" beside it with the extension ".INT" (empty when
// the unit has none).
void CreateIntFile(const std::string& FileName);
void CreateINTsForDir(const std::string& Folder);

// Lists the string literals of the "*.pas" units of Folder (and its subfolders) that are not resource strings
// into OutputFile (placed in the program's folder when it names none); the units named in the SkipListFile are
// left out. True when one was found.
bool SearchNotResourcedStrings(const std::string& Folder, const std::string& OutputFile,
                               const std::string& SkipListFile, bool SubFolders);

// Numbers strings: the same text gets the same number, from 1.
class TDCIDStringConvert : public TObject {
  Z_CLASS(TDCIDStringConvert, TObject)
public:
  TDCIDStringConvert();
  Integer StringToID(const std::string& Text);
  std::string IDToString(Integer Id) const;

private:
  std::vector<std::string> FNumbered;
  std::unique_ptr<TStringList> FSorted;
};

}  // namespace Dcparser
