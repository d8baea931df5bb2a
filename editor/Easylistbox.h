// The completion list: an owner-drawn list box whose items are mini-RTF strings with aligned columns.
#pragma once

#include "editor/Easyrtfpainter.h"
#include "platform/controls/StdCtrls.h"

#include <memory>
#include <string>

// Each item's object is the head of its run chain, owned by the list box's painter; clearing the items keeps
// the chains until the painter's are destroyed.
class TEasyListBox : public TCustomListBox {
  Z_CLASS(TEasyListBox, TCustomListBox)
public:
  explicit TEasyListBox(TComponent* AOwner);
  ~TEasyListBox() override;
  void Dispatch(TMessage& Message) override;

  void AddRtfString(const std::string& Text);
  // The height of a row: ascent plus descent of the list box's font.
  int RowHeight();
  // Aligns the columns of every item (a "|" run is a column break) and returns the total width they need.
  int AdjustColumns();
  TEasyRtfPainter* Painter() const { return FPainter.get(); }
  TEasyRtfInfo* ItemChain(int Index) const;

protected:
  void CreateWnd() override;
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;

private:
  std::unique_ptr<TEasyRtfPainter> FPainter;
};
