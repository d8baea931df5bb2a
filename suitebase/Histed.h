// ZEZHistoryEditor: a combo box that remembers what was entered, newest first, kept in the registry from one run
// to the next.
#pragma once

#include "platform/controls/StdCtrls.h"

#include <string>

namespace Histed {

// The history is the combo box's own list, kept under "EditHistory\" + RegName (else the owner's and the
// control's names, else "Default") below the suite's registry key, as one string of CR LF ended lines.
class ZEZHistoryEditor : public TComboBox {
  Z_CLASS(ZEZHistoryEditor, TComboBox)
public:
  using TComboBox::TComboBox;
  static void Publish(TMetaClass& Meta);
  void Dispatch(TMessage& Message) override;

  // The current text goes to the top of the list (an equal one, case ignored, gives way); an empty text is not
  // added.
  virtual void HistoryChanged();
  virtual void SaveHistory();
  virtual void LoadHistory();
  void EmptyHistory();
  std::string HistoryPath() const;
  std::string RegName;

protected:
  void Loaded() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyPress(char& Key) override;
};

// Puts the history combo box on the palette page "Nimbra Edit" (when a design environment registers components).
void Register();

}  // namespace Histed
