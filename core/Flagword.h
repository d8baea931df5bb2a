// Typed option words: each settings object's 32-bit flag word and its named bits, kept apart by type.
#pragma once

#include <cstdint>

// One bit (or group of bits) of the flag word of the object named by Tag. Bits of different objects are
// different types, so a bit of one object cannot be tested or set on another's word without a cast.
template <class Tag> struct TFlagBit {
  std::uint32_t mask;
  constexpr TFlagBit operator|(TFlagBit Other) const { return TFlagBit{mask | Other.mask}; }
};

// A flag word as stored in the registry (the bits as a 32-bit int). Bits without a name are kept as they are.
template <class Tag> struct TFlagWord {
  std::uint32_t bits = 0;

  constexpr TFlagWord() = default;
  constexpr explicit TFlagWord(std::uint32_t Bits) : bits(Bits) {}

  constexpr bool has(TFlagBit<Tag> Bit) const { return (bits & Bit.mask) != 0; }
  constexpr void set(TFlagBit<Tag> Bit, bool On) { bits = On ? (bits | Bit.mask) : (bits & ~Bit.mask); }
  constexpr void toggle(TFlagBit<Tag> Bit) { bits ^= Bit.mask; }
  // The word as the registry keeps it.
  int asInt() const { return static_cast<int>(bits); }
  void fromInt(int Value) { bits = static_cast<std::uint32_t>(Value); }
  constexpr bool operator==(const TFlagWord&) const = default;
};

// The objects that have a flag word.
struct InterfaceFlags40Tag {};
struct InterfaceFlags2V45Tag {};
struct InterfaceFlags3Tag {};
struct EditorOptionFlagsTag {};
struct ToolFlagsTag {};
struct BatchOptionFlagsTag {};
struct VolatileStateFlagsTag {};
struct ParserFlagsTag {};
struct InserterItemFlagsTag {};

using InterfaceFlags40 = TFlagWord<InterfaceFlags40Tag>;
using InterfaceFlags2V45 = TFlagWord<InterfaceFlags2V45Tag>;
using InterfaceFlags3 = TFlagWord<InterfaceFlags3Tag>;
using EditorOptionFlags = TFlagWord<EditorOptionFlagsTag>;
using ToolFlags = TFlagWord<ToolFlagsTag>;
using BatchOptionFlags = TFlagWord<BatchOptionFlagsTag>;
using VolatileStateFlags = TFlagWord<VolatileStateFlagsTag>;
using ParserFlags = TFlagWord<ParserFlagsTag>;
using InserterItemFlags = TFlagWord<InserterItemFlagsTag>;

// Interface "Flags40" (window and editor view options).
namespace IF40 {
using B = TFlagBit<InterfaceFlags40Tag>;
inline constexpr B ResultsInFullScreen{0x1};
inline constexpr B WordWrap{0x2};
inline constexpr B MainToolbar{0x4};
inline constexpr B StatusBar{0x8};
inline constexpr B ResourceWindow{0x10};
inline constexpr B HotKey{0x20};
inline constexpr B StayOnTop{0x40};
inline constexpr B LineNumbers{0x80};
inline constexpr B Gutter{0x100};
inline constexpr B RightMargin{0x200};
inline constexpr B ResultsWindow{0x400};
inline constexpr B FullScreen{0x800};
inline constexpr B DragDropWindow{0x1000};
inline constexpr B ResourceWindowAtTop{0x2000};
inline constexpr B WasMaximized{0x4000};
inline constexpr B SplitView{0x8000};
inline constexpr B DoubleClickLine{0x10000};
inline constexpr B CursorToTabs{0x20000};
inline constexpr B WebCredentials{0x80000};
inline constexpr B WebBrowser{0x100000};
inline constexpr B WrapAtMargin{0x200000};
inline constexpr B SplitHorizontal{0x400000};
inline constexpr B AutoIndent{0x800000};
inline constexpr B SmartTab{0x1000000};
inline constexpr B CursorToLineEnd{0x2000000};
inline constexpr B BackUnindents{0x4000000};
inline constexpr B StreamSelection{0x8000000};
inline constexpr B LineSeparators{0x10000000};
inline constexpr B TabCharacter{0x20000000};
}  // namespace IF40

// Interface "Flags2V45".
namespace IF2 {
using B = TFlagBit<InterfaceFlags2V45Tag>;
inline constexpr B CredentialsByDomain{0x1};
inline constexpr B ValidateOnOpen{0x2};
inline constexpr B PersistentBlocks{0x4};
inline constexpr B SpecialSymbols{0x8};
inline constexpr B GroupedInMessages{0x10};
inline constexpr B SortMessagesByType{0x20};
inline constexpr B StylesInMessages{0x40};
inline constexpr B UserInserter{0x80};
inline constexpr B DynamicShellRefresh{0x100};
inline constexpr B SingleClickMessages{0x200};
inline constexpr B MessageToolTips{0x400};
inline constexpr B AccessibilityInMessages{0x1000};
inline constexpr B SelectMessageText{0x2000};
inline constexpr B BrowserSplitHorizontal{0x8000};
inline constexpr B LinkInfoPanel{0x10000};
inline constexpr B OverwriteBlocks{0x20000};
inline constexpr B BrowserPreview{0x40000};
inline constexpr B BrowserAutoRefresh{0x80000};
inline constexpr B ValidateBrowserSource{0x100000};
inline constexpr B RefreshBrowserOnSave{0x200000};
inline constexpr B TagInserter{0x400000};
inline constexpr B BackgroundLinkCheck{0x800000};
inline constexpr B SelectOnlyText{0x1000000};
inline constexpr B JumpToFirstError{0x2000000};
inline constexpr B CSSInserter{0x4000000};
inline constexpr B SmallToolbar{0x8000000};
inline constexpr B AskAnotherInstance{0x10000000};
inline constexpr B RevalidateOnReload{0x20000000};
}  // namespace IF2

// Interface "Flags3".
namespace IF3 {
using B = TFlagBit<InterfaceFlags3Tag>;
inline constexpr B LeaveTrailingSpaces{0x1};
inline constexpr B FlatMenus{0x10};
inline constexpr B MessageWindow{0x20};
inline constexpr B PasswordSecurity{0x40};
inline constexpr B LiveSpelling{0x80};
inline constexpr B WrapSymbol{0x100};
}  // namespace IF3

// Editor options "Flags40".
namespace EOF40 {
using B = TFlagBit<EditorOptionFlagsTag>;
inline constexpr B ValidateDropped{0x1};
inline constexpr B ToolOnDropped{0x2};
inline constexpr B UpperCaseTags{0x400};
inline constexpr B SaveBeforeViewing{0x800};
inline constexpr B HighlightMessageLines{0x100000};
inline constexpr B SyntaxHighlighting{0x200000};
inline constexpr B ReopenDocuments{0x400000};
inline constexpr B ScratchPads{0x800000};
inline constexpr B HighlightErrorLines{0x1000000};
inline constexpr B HighlightWarningLines{0x2000000};
inline constexpr B BoldItalic{0x4000000};
inline constexpr B AskUpdateCheck{0x8000000};
inline constexpr B WholeLineHighlight{0x20000000};
}  // namespace EOF40

// Tool "Flags40".
namespace TF40 {
using B = TFlagBit<ToolFlagsTag>;
inline constexpr B ShowToolDialog{0x1};
}  // namespace TF40

// State flags of the run-time state.
namespace VSF {
using B = TFlagBit<VolatileStateFlagsTag>;
inline constexpr B FirstRun{0x1};
inline constexpr B UpdateCheckDue{0x2};
}  // namespace VSF

// A document type's flags.
namespace PF {
using B = TFlagBit<ParserFlagsTag>;
inline constexpr B SyntaxHighlighting{0x1};
inline constexpr B LiveSpelling{0x4};
}  // namespace PF

// An inserter item's flags.
namespace TIF {
using B = TFlagBit<InserterItemFlagsTag>;
inline constexpr B NewLine{0x1};  // press Enter after a single insertion
inline constexpr B Separator{0x4};
inline constexpr B ClosesInserter{0x8};
inline constexpr B XhtmlKeepCase{0x20};  // in an XHTML document, never upper case
inline constexpr B XhtmlEmptyEnd{0x40};  // in an XHTML document, the last ">" becomes " />"
inline constexpr B AlsoTwo{0x10};  // read: also sets 0x2
inline constexpr B Two{0x2};
}  // namespace TIF
