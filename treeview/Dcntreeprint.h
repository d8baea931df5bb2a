// ZEZTreePrintOptions: what a tree view prints besides its rows (title, header, footer, progress window) and the
// three fonts it prints with.
#pragma once

#include "platform/classes/Persistent.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Sets.h"

#include <memory>
#include <string>

class ZEZCustomTreeView;

enum ZEZPrintOption { poHeader, poFooter, poShowProgress };
Z_ENUM_TYPEINFO(ZEZPrintOption, "poHeader", "poFooter", "poShowProgress")
using ZEZPrintOptions = TSet<ZEZPrintOption, poShowProgress>;

// Owned by its view for the view's whole life (the view's published PrintOptions). A font whose Parent flag is
// set is a copy of the view's font and follows it; setting the font itself clears the flag.
class ZEZTreePrintOptions : public TPersistent {
  Z_CLASS(ZEZTreePrintOptions, TPersistent)
public:
  explicit ZEZTreePrintOptions(ZEZCustomTreeView* View = nullptr);
  ~ZEZTreePrintOptions() override;
  ZEZTreePrintOptions(const ZEZTreePrintOptions&) = delete;
  ZEZTreePrintOptions& operator=(const ZEZTreePrintOptions&) = delete;
  // Published: Footer, FooterFont, Header, HeaderFont, ParentFooterFont, ParentHeaderFont, ParentPrintFont,
  // PrintFont, Title, Options.
  static void Publish(TMetaClass& Meta);
  // From other print options: the texts, the options, the three fonts and then the three Parent flags, so that
  // each flag ends as the source's.
  void Assign(TPersistent* Source) override;

  std::string Footer;
  std::string Header;
  std::string Title;  // the print job's title
  ZEZPrintOptions Options;

  TFont* FooterFont() const { return FFooterFont.get(); }
  void SetFooterFont(TFont* Value);
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value);
  TFont* PrintFont() const { return FPrintFont.get(); }
  void SetPrintFont(TFont* Value);
  bool ParentFooterFont() const { return FParentFooterFont; }
  void SetParentFooterFont(bool Value);
  bool ParentHeaderFont() const { return FParentHeaderFont; }
  void SetParentHeaderFont(bool Value);
  bool ParentPrintFont() const { return FParentPrintFont; }
  void SetParentPrintFont(bool Value);
  ZEZCustomTreeView* TreeView() const { return FTreeView; }

  // The view's font changed: every font that follows it takes it again.
  void ViewFontChanged();

private:
  void CopyViewFont(TFont* Font);
  std::unique_ptr<TFont> FFooterFont;
  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TFont> FPrintFont;
  bool FParentFooterFont = false;
  bool FParentHeaderFont = false;
  bool FParentPrintFont = false;
  ZEZCustomTreeView* FTreeView = nullptr;
};
