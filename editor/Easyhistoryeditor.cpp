// The history combo box: keeping, loading and saving its list.
#include "editor/Easyhistoryeditor.h"

#include "editor/Easyinifile.h"
#include "editor/Easyregistry.h"
#include "editor/Easyutils.h"
#include "platform/rtl/Variants.h"
#include "platform/win/VirtualKeys.h"

Z_IMPLEMENT_CLASS(TCustomEasyHistoryEditor, TCustomComboBox)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyHistoryEditor, TCustomEasyHistoryEditor, TEasyHistoryEditor::Publish)

std::string HistoryRegistryKey() { return DefaultKey() + "History"; }

TCustomEasyHistoryEditor::TCustomEasyHistoryEditor(TComponent* AOwner) : TCustomComboBox(AOwner) {}

void TEasyHistoryEditor::Publish(TMetaClass& Meta) {
  TPublisher<TEasyHistoryEditor> P(Meta);
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("Style", &TEasyHistoryEditor::Style, &TEasyHistoryEditor::SetStyle).Default(csDropDown);
  P.Property("DropDownCount", &TEasyHistoryEditor::DropDownCount, &TEasyHistoryEditor::DropDownCount).Default(8);
  P.Property("MaxLength", &TEasyHistoryEditor::MaxLength, &TEasyHistoryEditor::SetMaxLength).Default(0);
  P.Property("Text", static_cast<std::string (TControl::*)() const>(&TControl::Caption), &TControl::SetText);
  P.Property("OnChange", &TEasyHistoryEditor::OnChange, &TEasyHistoryEditor::OnChange);
  P.Property("RegistryKey", &TEasyHistoryEditor::RegistryKey, &TEasyHistoryEditor::RegistryKey);
  P.Property("FileName", &TEasyHistoryEditor::FileName, &TEasyHistoryEditor::FileName);
  P.Property("StoreInRegistry", &TEasyHistoryEditor::StoreInRegistry, &TEasyHistoryEditor::StoreInRegistry)
      .Default(true);
}

std::string TCustomEasyHistoryEditor::GetKey() const {
  if (!RegistryKey.empty()) {
    return RegistryKey;
  }
  std::string Key = (Owner() ? Owner()->Name() : std::string()) + Name();
  return Key.empty() ? std::string("Default") : Key;
}

void TCustomEasyHistoryEditor::HistoryChanged() {
  const std::string Text = Caption();
  TStrings* List = Items();
  const int At = List->IndexOf(Text);
  if (At >= 0) {
    List->Delete(At);
  }
  if (!Text.empty()) {
    List->Insert(0, Text);
  }
  SetText(Text);
}

void TCustomEasyHistoryEditor::SaveHistory() {
  const std::string Text = Items()->Text();
  if (StoreInRegistry) {
    WriteVarToRegistry(HistoryRegistryKey(), GetKey(), Variant(Text));
    return;
  }
  if (FileName.empty()) {
    return;
  }
  std::string Trimmed = Text;
  while (!Trimmed.empty() && (Trimmed.back() == '\r' || Trimmed.back() == '\n')) {
    Trimmed.pop_back();
  }
  TEasyIniFile Ini(FileName);
  Ini.WriteString(GetKey(), StringToHex(Trimmed));
  Ini.UpdateFile();
}

void TCustomEasyHistoryEditor::LoadHistory() {
  std::string Text;
  if (StoreInRegistry) {
    Text = VarToStr(ReadVarFromRegistry(HistoryRegistryKey(), GetKey(), Variant(std::string())));
  } else if (!FileName.empty()) {
    TEasyIniFile Ini(FileName);
    Text = HexToString(Ini.ReadString(GetKey(), std::string()));
  } else {
    return;
  }
  const std::string Current = Caption();
  Items()->SetText(Text);
  SetText(Current);
}

void TCustomEasyHistoryEditor::SaveQuietly() {
  try {
    SaveHistory();
  } catch (const std::exception&) {
    // The window is going; nobody could be told. The history stays as it was stored last.
  }
}

void TCustomEasyHistoryEditor::Loaded() {
  TCustomComboBox::Loaded();
  LoadHistory();
}

void TCustomEasyHistoryEditor::CreateWnd() {
  TCustomComboBox::CreateWnd();
  LoadHistory();
}

void TCustomEasyHistoryEditor::DestroyWnd() {
  SaveQuietly();
  TCustomComboBox::DestroyWnd();
}

void TCustomEasyHistoryEditor::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KILLFOCUS: HistoryChanged(); break;
    case WM_DESTROY: SaveQuietly(); break;
    case CM_WANTSPECIALKEY:
      if (Message.WParam == VK_RETURN) {
        HistoryChanged();
      }
      break;
    default: break;
  }
  TCustomComboBox::Dispatch(Message);
}

void TCustomEasyHistoryEditor::KeyPress(char& Key) {
  if (Key == '\r') {
    if (DroppedDown()) {
      SetDroppedDown(false);
    } else {
      HistoryChanged();
    }
    Key = 0;
  } else if (Key == '\x1B' && !DroppedDown()) {
    Key = 0;
  }
  TCustomComboBox::KeyPress(Key);
}
