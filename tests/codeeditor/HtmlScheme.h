// A syntax scheme built in code for HTML pages with style sheets in style elements and JavaScript in script
// elements, and the style sheet block alone; used by the scheme parser's tests and benchmark.
#pragma once

#include "codeeditor/Dcsyntax.h"

#include <string>

namespace HtmlScheme {

// Attribute numbers.
inline constexpr Integer Text = 0;
inline constexpr Integer TagName = 1;
inline constexpr Integer AttrName = 2;
inline constexpr Integer Value = 3;
inline constexpr Integer Comment = 4;
inline constexpr Integer JsText = 5;
inline constexpr Integer JsKeyword = 6;
inline constexpr Integer JsString = 7;
inline constexpr Integer JsComment = 8;
inline constexpr Integer JsNumber = 9;
inline constexpr Integer CssText = 10;
inline constexpr Integer CssComment = 11;
inline constexpr Integer CssString = 13;  // 12 stays the links' attribute
inline constexpr Integer CssNumber = 14;
inline constexpr Integer Symbol = 15;

namespace Detail {
inline Dcsyntax::TSyntaxBlock* Block(Dcsyntax::TSyntaxScheme* S, const std::string& Name, Integer Id, Integer Parent,
                                     Integer TextAttr) {
  Dcsyntax::TSyntaxBlock* B = Id == 0 ? S->SyntaxBlocks()->GetItem(0) : S->SyntaxBlocks()->AddItem();
  B->Name = Name;
  B->ID = Id;
  B->ParentID = Parent;
  B->FIText = TextAttr;
  return B;
}

inline void Enter(Dcsyntax::TSyntaxBlock* B, const std::string& Open, const std::string& Close, bool Part) {
  Dcsyntax::TDelimiters* D = B->BlockDelimiters->AddItem();
  D->LeftDelimiter = Open;
  D->RightDelimiter = Close;
  D->DelimitersArePartOfBlock = Part;
}

inline void Strings(Dcsyntax::TSyntaxBlock* B, Integer Attr, bool Escapes) {
  B->UseStrings = true;
  B->UseSingleLineStrings = true;
  for (const char* Q : {"\"", "'"}) {
    Dcsyntax::TBlockToken* T = B->SingleLineStringDelimiters->AddItem();
    T->LeftDelimiter = Q;
    T->RightDelimiter = Q;
    T->FontID = Attr;
  }
  if (Escapes) {
    B->UseMetaSymbol = true;
    B->MetaSymbol = '\\';
  }
}

inline void CComments(Dcsyntax::TSyntaxBlock* B, Integer Attr, bool LineComments) {
  B->UseComments = true;
  B->UseMultiLineComments = true;
  Dcsyntax::TBlockToken* T = B->MultiLineCommentDelimiters->AddItem();
  T->LeftDelimiter = "/*";
  T->RightDelimiter = "*/";
  T->FontID = Attr;
  if (LineComments) {
    B->UseSingleLineComments = true;
    Dcsyntax::TLineToken* L = B->SingleLineCommentDelimiters->AddItem();
    L->LeftDelimiter = "//";
    L->FontID = Attr;
  }
}

inline void Keywords(Dcsyntax::TSyntaxBlock* B, const std::string& Words, Integer Attr) {
  B->UseKeywords = true;
  Dcsyntax::TKeywordSet* K = B->KeywordSets->AddItem();
  K->Keywords = Words;
  K->FontID = Attr;
}

// Style sheet rules: comments, strings with escapes, numbers; property names and selectors are plain text.
inline void Css(Dcsyntax::TSyntaxBlock* B) {
  CComments(B, CssComment, false);
  Strings(B, CssString, true);
  B->UseNumbers = true;
  B->FIIntNum = B->FIFloatNum = B->FIHexNum = CssNumber;
  B->OtherIdentChars = Dcsyntax::StringToCharSet("\\-0-9A-Z_a-z");
}

// A start tag that holds a script or style: its name is a keyword, its attributes identifiers.
inline void ElementTag(Dcsyntax::TSyntaxBlock* B, const std::string& Name) {
  Enter(B, "<" + Name, "</" + Name + ">", true);
  Keywords(B, Name, TagName);
  B->UseIdentifiers = true;
  B->FIIdentifier = AttrName;
  Strings(B, Value, false);
}

inline void AddAttributes(Dcsyntax::TSyntaxScheme* S) {
  S->SetSyntaxVersion(Dcsyntax::CurrentSyntaxVersion);  // blocks in a tree: not the first format
  for (Integer Id = 0; Id <= Symbol; ++Id) {
    S->FontTable()->AddItem()->FontID = Id;
  }
}
}  // namespace Detail

// Root: text with child blocks for comments, script and style elements, declarations and tags; a tag's attributes
// are a block of their own entered after a blank.
inline void Build(Dcsyntax::TSyntaxScheme* S) {
  using namespace Detail;
  S->ClearContents();
  S->SyntaxBlocks()->AddItem();
  S->Name = "HTML";
  Block(S, "Default", 0, -1, Text);

  Dcsyntax::TSyntaxBlock* C = Block(S, "Comment", 1, 0, Comment);
  Enter(C, "<!--", "-->", true);
  C->OtherIdentChars = C->FirstIdentChars = TSysCharSet();

  ElementTag(Block(S, "ScriptTag", 2, 0, TagName), "script");
  Dcsyntax::TSyntaxBlock* Js = Block(S, "JavaScript", 3, 2, JsText);
  Enter(Js, ">", "</script>", false);
  CComments(Js, JsComment, true);
  Strings(Js, JsString, true);
  Js->CaseSensitive = true;
  Js->UseNumbers = true;
  Js->FIIntNum = Js->FIFloatNum = Js->FIHexNum = JsNumber;
  Js->FISymbol = Symbol;
  Js->UseSymbols = true;
  Keywords(Js,
           "break,case,catch,class,const,continue,default,delete,do,else,export,extends,false,finally,for,"
           "function,if,import,in,instanceof,let,new,null,return,super,switch,this,throw,true,try,typeof,var,"
           "void,while,yield",
           JsKeyword);

  ElementTag(Block(S, "StyleTag", 4, 0, TagName), "style");
  Dcsyntax::TSyntaxBlock* Style = Block(S, "StyleSheet", 5, 4, CssText);
  Enter(Style, ">", "</style>", false);
  Css(Style);

  Dcsyntax::TSyntaxBlock* Decl = Block(S, "Declaration", 6, 0, TagName);
  Enter(Decl, "<!", ">", true);
  Decl->UseIdentifiers = true;
  Decl->FIIdentifier = AttrName;
  Strings(Decl, Value, false);

  Dcsyntax::TSyntaxBlock* Tag = Block(S, "Tag", 7, 0, TagName);
  Enter(Tag, "<", ">", true);
  Tag->UseIdentifiers = true;
  Tag->FIIdentifier = TagName;
  Tag->FirstIdentChars = Tag->OtherIdentChars = Dcsyntax::StringToCharSet("/0-9A-Z_a-z");

  Dcsyntax::TSyntaxBlock* Attrs = Block(S, "Attributes", 8, 7, TagName);
  // After the name: a blank, or a character that no name holds.
  for (const char* Open : {" ", "\t", "-", "?"}) {
    Enter(Attrs, Open, ">", false);
  }
  Attrs->UseIdentifiers = true;
  Attrs->FIIdentifier = AttrName;
  Strings(Attrs, Value, false);
  AddAttributes(S);
}

// The style sheet block alone, as the root of a scheme.
inline void BuildCss(Dcsyntax::TSyntaxScheme* S) {
  S->ClearContents();
  S->SyntaxBlocks()->AddItem();
  S->Name = "CSS";
  Dcsyntax::TSyntaxBlock* Root = Detail::Block(S, "StyleSheet", 0, -1, CssText);
  Detail::Css(Root);
  Detail::AddAttributes(S);
}

}  // namespace HtmlScheme
