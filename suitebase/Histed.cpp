// The history combo box.
#include "suitebase/Histed.h"

#include "platform/classes/DesignHooks.h"
#include "suitebase/Compnames.h"
#include "suitebase/Regstore.h"

namespace Histed {

Z_IMPLEMENT_CLASS_PUBLISHED(ZEZHistoryEditor, TComboBox, ZEZHistoryEditor::Publish)

void ZEZHistoryEditor::Publish(TMetaClass& Meta) {
  TPublisher<ZEZHistoryEditor> P(Meta);
  P.Property("RegName", &ZEZHistoryEditor::RegName, &ZEZHistoryEditor::RegName);
}

std::string ZEZHistoryEditor::HistoryPath() const {
  std::string Name = RegName;
  if (Name.empty()) {
    auto* Self = const_cast<ZEZHistoryEditor*>(this);
    Name = (Owner() ? Dorazori::GetCompName(Owner()) : std::string()) + Dorazori::GetCompName(Self);
  }
  return "EditHistory\\" + (Name.empty() ? std::string("Default") : Name);
}

void ZEZHistoryEditor::LoadHistory() {
  Items()->SetText(Dorazori::ReadFromRegistry(HistoryPath(), std::string()).AsString());
}

void ZEZHistoryEditor::SaveHistory() { Dorazori::WriteToRegistry(HistoryPath(), Items()->Text()); }

void ZEZHistoryEditor::EmptyHistory() { Items()->Clear(); }

void ZEZHistoryEditor::HistoryChanged() {
  const std::string S = Text();
  const int I = Items()->IndexOf(S);
  if (I >= 0) {
    Items()->Delete(I);
  }
  if (!S.empty()) {
    Items()->Insert(0, S);
  }
  SetText(S);
}

void ZEZHistoryEditor::Loaded() {
  TComboBox::Loaded();
  LoadHistory();
}

void ZEZHistoryEditor::CreateWnd() {
  TComboBox::CreateWnd();
  LoadHistory();
}

void ZEZHistoryEditor::DestroyWnd() {
  SaveHistory();
  TComboBox::DestroyWnd();
}

void ZEZHistoryEditor::KeyPress(char& Key) {
  if (Key == '\r') {
    if (DroppedDown()) {
      SetDroppedDown(false);
    } else {
      HistoryChanged();
    }
    Key = 0;
    return;
  }
  if (Key == 27 && !DroppedDown()) {
    Key = 0;
    return;
  }
  TComboBox::KeyPress(Key);
}

void ZEZHistoryEditor::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_EXIT: HistoryChanged(); break;
    case WM_DESTROY: SaveHistory(); break;
    case CM_WANTSPECIALKEY:
      if (Message.WParam == VK_RETURN) {
        HistoryChanged();
      }
      break;
    default: break;
  }
  TComboBox::Dispatch(Message);
}

void Register() {
  if (RegisterComponentsProc) {
    RegisterComponents("Nimbra Edit", {ZEZHistoryEditor::StaticClass()});
  }
}

}  // namespace Histed
