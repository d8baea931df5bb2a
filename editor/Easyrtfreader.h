// A small reader of Rich Text Format: the importer bases, the tokenizer and the RTF importer. It turns RTF text
// into a stream of notifications (text runs with their attributes, line breaks with the paragraph format,
// embedded pictures as objects); the client keeps what it needs, the reader builds no document.
#pragma once

#include "editor/Easyattributes.h"
#include "platform/classes/Streams.h"
#include "platform/classes/StringList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFont;

// A text run (Attributes set), a line break (Text CR LF, Paragraph set), the first paragraph's format (no
// text, Paragraph set) or a picture (Object set). The pointers are valid only during the call.
using TParseTextEvent = std::function<void(TObject* Sender, const std::string& Text, TObject* Object,
                                           TCustomEasyParagraph* Paragraph, TCustomEasyEditorAttributes* Attributes)>;
using TImportProgressEvent = std::function<void(TObject* Sender, int Position, int Size)>;

// Base of the importers: the notifications and reading from a string.
class TCustomEasyImporter : public TObject {
  Z_CLASS(TCustomEasyImporter, TObject)
public:
  explicit TCustomEasyImporter(TFont* AFont = nullptr);
  virtual void DoParseText(const std::string& Text, TCustomEasyEditorAttributes* Attributes,
                           TCustomEasyParagraph* Paragraph, TObject* Object);
  static bool IsValidStream(TStream* Stream) {
    (void)Stream;
    return false;
  }
  virtual void ParseStream(TStream* Stream) { (void)Stream; }
  void ParseString(const std::string& Text);

  TParseTextEvent OnParseText;
  TImportProgressEvent OnProgress;
};

enum TEasyScriptSetting : Byte { scriptUnset, scriptSet };

// One level of the attribute stack.
struct TEasyRtfRecord {
  int Key = -1;
  TEasyFontStyles StylesOn;
  TEasyFontStyles StylesOff;
  Integer Color = -1;
  int Size = -1;
  Integer Background = -1;
  bool BackgroundSet = false;
  bool StylesSet = false;
  std::string FontName;
  Byte Charset = 0;
  bool ScriptSet = false;
  TEasyScriptStyle Script = ssNormal;
  std::string Url;
};
using PEasyRtfRecord = TEasyRtfRecord*;

// An importer with an attribute stack and the writers that change its top.
class TCustomEasyImporterEx : public TCustomEasyImporter {
  Z_CLASS(TCustomEasyImporterEx, TCustomEasyImporter)
public:
  explicit TCustomEasyImporterEx(TFont* AFont = nullptr);
  ~TCustomEasyImporterEx() override;
  virtual void CheckNewLine() {}
  virtual void GetCurrentAttributes(TCustomEasyEditorAttributes* Attributes);

  void SetDefaultFont(TFont* AFont);
  void SetDefaultFont(const std::string& Name, int Size);
  const std::string& BaseFontName() const { return FBaseName; }
  int BaseFontSize() const { return FBaseSize; }

  TEasyRtfRecord* GetCurrent();
  void Push(int Key);
  void Pop(int Key);
  int StackDepth() const { return static_cast<int>(FStack.size()); }
  void ClearStack() { FStack.clear(); }
  void WriteFontColor(Integer Color) { GetCurrent()->Color = Color; }
  void WriteColor(Integer Color);
  void WriteFontName(const std::string& Name, Byte Charset);
  void WriteFontSize(int Size) { GetCurrent()->Size = Size; }
  void WriteFontStyle(TEasyFontStyle Style, bool On);
  void WriteScriptStyle(TEasyScriptStyle Style, bool On);
  void WriteUrl(const std::string& Url) { GetCurrent()->Url = Url; }
  void WriteParagraphAlign(TEasyAlignment Align) { FParagraph->SetAlignment(Align); }
  void WriteNumberingStyle(TEasyNumberingStyle Style) { FParagraph->SetNumbering(Style); }
  // Writes a non-empty text run in the current attributes.
  void WriteString(const std::string& Text);

  TCustomEasyEditorAttributes* Attributes() const { return FAttributes.get(); }
  TCustomEasyParagraph* Paragraph() const { return FParagraph.get(); }

private:
  std::unique_ptr<TCustomEasyEditorAttributes> FAttributes;
  std::unique_ptr<TCustomEasyParagraph> FParagraph;
  std::vector<TEasyRtfRecord> FStack;
  std::string FBaseName = "Times New Roman";
  int FBaseSize = 10;
};

// The RTF tokenizer over a list of lines. Token kinds: 0 end, 1 group open, 2 group close, 3 text, 4 control
// word (the backslash, the next character and every following letter, digit, '-', '*', apostrophe or '_').
class TEasyRtfParser {
public:
  enum TKind { tkEnd = 0, tkOpen = 1, tkClose = 2, tkText = 3, tkWord = 4 };
  struct TState {
    int Line = 0;
    std::size_t Pos = 0;
  };
  void SetLines(std::vector<std::string> Lines);
  void Reset() { FState = TState{}; }
  // Reads the next token; Text is its text (a control word with its backslash).
  int NextToken(std::string& Text);
  bool EndOfSource();
  TState SaveState() const { return FState; }
  void RestoreState(const TState& S) { FState = S; }
  // Steps back over the last character read (the closing brace a skipped group leaves to the main loop).
  void StepBack();
  int LineIndex() const { return FState.Line; }
  int LineCount() const { return static_cast<int>(FLines.size()); }
  // Whether the token just read began its line.
  bool TokenStartsLine() const { return FTokenStart == 0; }

private:
  std::vector<std::string> FLines;
  TState FState;
  std::size_t FTokenStart = 0;
};

// Scoped: the page sizes have their own psOther.
enum class TPictureSourceType { psBmp, psEmf, psPng, psJpeg, psMac, psOs2Mf, psWmf, psDib, psOther };

struct TPictureInfo {
  int Width = -1;
  int Height = -1;
  int ScaleX = 100;
  int ScaleY = 100;
  bool Scaled = false;
  TPictureSourceType SourceType = TPictureSourceType::psBmp;
  std::string Data;
  int MappingMode = 8;
};

// The reader of RTF text. Pictures: device-independent and Windows bitmaps become objects; every other picture
// kind (metafiles, PNG, JPEG...) is left out.
class TEasyRtfImporter : public TCustomEasyImporterEx {
  Z_CLASS(TEasyRtfImporter, TCustomEasyImporterEx)
public:
  explicit TEasyRtfImporter(TFont* AFont = nullptr);
  ~TEasyRtfImporter() override;
  static bool IsValidStream(TStream* Stream);
  void ParseStream(TStream* Stream) override;
  void CheckNewLine() override;
  virtual void ProcessResWord(const std::string& Word, int PrevKind);

  static std::string RemoveSlash(const std::string& Text, bool DropLeadingSpace);
  static int PixelToRtfWidth(int N);
  static int RtfWidthToPixel(int N);
  TStrings* FontTable() const { return FFontTable.get(); }
  TStrings* ColorTable() const { return FColorTable.get(); }

private:
  void WriteText(const std::string& Text);
  // The next token of the group being read, into T, keeping Depth for the groups nested in it. tkEnd at the
  // end of the input and at the group's own closing brace, which is stepped back over for the caller.
  int NextGroupToken(std::string& T, int& Depth);
  void SkipGroup();
  void ReadFontTable();
  void ReadColorTable();
  void ReadField();
  void ReadPicture();
  void ReadCodePageChars(const std::string& Word);
  void PlainFont();
  Integer TableColor(int Index, bool& Found) const;

  TEasyRtfParser FParser;
  std::unique_ptr<TStringList> FFontTable;
  std::unique_ptr<TStringList> FColorTable;
  std::string FFieldUrl;
  std::string FPendingUrl;
  bool FNewLinePending = false;
  bool FFirstParagraph = true;
  bool FFirstFormatGiven = false;
  bool FSkippingListText = false;
};

void ImportFromRtfString(const std::string& Text, const TParseTextEvent& Notification);
void ImportFromRtfStream(TStream* Stream, const TParseTextEvent& Notification);
