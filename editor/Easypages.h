// The page model of the paged views: TEasyPage (one sheet: its size, indents and the text it holds) and
// TEasyPages (the editor's pages, laid out lazily as far as painting and position lookups reach).
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/WinTypes.h"

class TCustomEasyEdit;

enum TEasyPageSize {
  psLetter,
  psLegal,
  psExecutive,
  psA3,
  psA4,
  psA5,
  psEnvelope10,
  psEnvelopeDL,
  psEnvelopeC5,
  psEnvelopeMonarch,
  psOther
};
Z_ENUM_TYPEINFO(TEasyPageSize, "psLetter", "psLegal", "psExecutive", "psA3", "psA4", "psA5", "psEnvelope10",
                "psEnvelopeDL", "psEnvelopeC5", "psEnvelopeMonarch", "psOther")
enum TEasyPageOrientation { pgPortrait, pgLandscape };
Z_ENUM_TYPEINFO(TEasyPageOrientation, "pgPortrait", "pgLandscape")

// Sheet sizes in millimetres (width, height) by page size.
extern const TPoint PageSizeValues[psOther + 1];
// The screen's pixels per inch, horizontally and vertically.
TPoint ScreenPixelsPerInch();

// One page: its sheet and margins (published, copied from the default page by every new page) and its place in
// the document (the layout fields, computed by the page list).
class TEasyPage : public TCollectionItem {
  Z_CLASS(TEasyPage, TCollectionItem)
public:
  explicit TEasyPage(TCollection* ACollection);
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;

  int PageWidth() const { return FPageWidth; }
  void SetPageWidth(int Value);
  int PageHeight() const { return FPageHeight; }
  void SetPageHeight(int Value);
  TEasyPageSize PageSize() const { return FPageSize; }
  void SetPageSize(TEasyPageSize Value);
  TEasyPageOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TEasyPageOrientation Value);
  int LeftIndent() const { return FLeftIndent; }
  void SetLeftIndent(int Value);
  int TopIndent() const { return FTopIndent; }
  void SetTopIndent(int Value);
  int RightIndent() const { return FRightIndent; }
  void SetRightIndent(int Value);
  int BottomIndent() const { return FBottomIndent; }
  void SetBottomIndent(int Value);
  int LeftGutterWidth() const { return FLeftGutterWidth; }
  void SetLeftGutterWidth(int Value);
  int TopGutterHeight() const { return FTopGutterHeight; }
  void SetTopGutterHeight(int Value);
  TAlignment NumAlignment() const { return FNumAlignment; }
  void SetNumAlignment(TAlignment Value);
  bool PaintPageNumber() const { return FPaintPageNumber; }
  void SetPaintPageNumber(bool Value);
  bool IsPageWidthStored() const { return FPageSize == psOther; }
  bool IsPageHeightStored() const { return FPageSize == psOther; }

  void BeginUpdate() { ++UpdateCount; }
  void EndUpdate();
  // Drops the top cache and, outside an update, tells the editor that the layout from this page on is stale.
  void UpdatePage();
  // The editor of the page list; null without one.
  TCustomEasyEdit* GetEdit() const;
  // The sheet in screen pixels (landscape swaps the sides).
  TSize GetRealPageSize() const;
  TRect GetRealPageRect() const;
  // The band above the sheet (plus the horizontal ruler for page 0) and left of it (plus the vertical ruler).
  int GetTopGutterHeight() const;
  int GetLeftGutterWidth() const;
  // The sheet on screen (page layout) or the page's band of the client area; Grow adds a pixel on every side.
  TRect PageOuterRect(bool Grow);
  // The page's text rectangle; PageRect() is the scrolled one the painter works with.
  TRect GetPageRect(bool Scrolled, bool FullHeight);
  TRect PageRect() { return GetPageRect(true, false); }
  // The page's first position in client pixels (page breaks), cached per top row once the page is laid out.
  int GetPageTop();
  // How many lines fit from the page's start; LastChar is the last character on the last one (word wrap).
  int LinesOnPage(int& LastChar);
  // How many rows of text the sheet holds inside its margins (at least one).
  int TextRows() const;
  // The height of the page's text: from its first to its last position plus one line.
  int GetRealPageHeight();
  void InitPage();
  bool PageInitialized() const { return TopValid && (Index() == 0 || FirstLine != 0); }

  int UpdateCount = 0;
  int Top = 0;
  int Height = 0;
  int CachedWindowLine = -1;
  int CachedTop = 0;
  bool TopValid = false;
  int FirstLine = 0;
  int LastLine = 2147483647;
  int FirstChar = 0;
  int LastChar = 2147483647;

private:
  void UpdatePageSize(bool FromTable);
  void RepaintPage();
  int FPageWidth = 216;
  int FPageHeight = 279;
  TEasyPageSize FPageSize = psLetter;
  TEasyPageOrientation FOrientation = pgPortrait;
  int FLeftIndent = 24;
  int FTopIndent = 24;
  int FRightIndent = 24;
  int FBottomIndent = 24;
  int FLeftGutterWidth = 64;
  int FTopGutterHeight = 24;
  TAlignment FNumAlignment = taLeftJustify;
  bool FPaintPageNumber = false;
};

// The editor's pages; page 0 is the default page and is never removed. LaidOut counts the pages from 0 whose
// range and place are computed; pages at and after it are stale until a lookup or a paint reaches them.
class TEasyPages : public TOwnedCollection {
  Z_CLASS(TEasyPages, TOwnedCollection)
public:
  explicit TEasyPages(TPersistent* AOwner = nullptr);
  TEasyPages(TCustomEasyEdit* AEdit, TCollectionItemClass AItemClass);
  TEasyPage* GetItem(int Index) const { return static_cast<TEasyPage*>(Items(Index)); }
  void SetItem(int Index, TEasyPage* Value) { SetItems(Index, Value); }
  TEasyPage* Page(int Index) const { return GetItem(Index); }
  TCustomEasyEdit* Edit() const { return FEdit; }

  void BeginUpdate() override;
  void EndUpdate() override;
  // Outside updates, in page layout: resets the editor's extent caches and scroll bars.
  void UpdatePages();
  void InvalidatePage(TEasyPage* Page);
  // A new page with page 0's settings, laid out when pages are shown.
  TEasyPage* Add();
  // Drops the pages after page 0 that start past the text's last line.
  void RemoveExtraPages();
  void RemoveExtraPages(int LineCount) {
    (void)LineCount;
    RemoveExtraPages();
  }
  // The page holding a text position (ByText: (character, line)) or a document pixel; null / -1 when none.
  TEasyPage* GetPageAt(const TPoint& P, bool ByText);
  int GetPageIndexAt(TPoint P, bool ByText);
  // 1 when P lies before page I, 0 on it, -1 after it.
  int ComparePage(const TPoint& P, bool ByText, int I);
  bool Find(const TPoint& P, bool ByText, int& Index, int Count);
  // Sets where page I starts (right after the previous page) and how far it reaches.
  void UpdateEndLine(int I);
  // Lays out page I: its place and, with Full, its text range.
  void CalcPageInternalSize(int I, bool Full);
  // Whether the text ends on page I.
  bool TextEndsOnPage(int I);

  int UpdateCount = 0;
  int LastFound = -1;
  int LaidOut = 0;

private:
  int SearchInUpdatedPages(const TPoint& P, bool ByText);
  TCustomEasyEdit* FEdit = nullptr;
};
