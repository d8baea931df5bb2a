// The abstract highlighter.
#include "editor/Easyparser.h"

Z_IMPLEMENT_CLASS(TCustomEasyParser, TComponent)

TCustomEasyParser::TCustomEasyParser(TComponent* AOwner) : TComponent(AOwner), FNotifiers(CreateNotifierList()) {}

// The attached sources hear of the parser's end through the free notification they asked for.
TCustomEasyParser::~TCustomEasyParser() = default;

void TCustomEasyParser::SetDelimiters(const std::string& Value) {
  if (Value != FDelimiters) {
    FDelimiters = Value;
    Changed();
  }
}

void TCustomEasyParser::SafeSetDelimiters(const std::string& Value) { FDelimiters = Value; }

void TCustomEasyParser::RegisterNotifier(const TEasyNotifyMethod& Method) { FNotifiers->AddItem(Method); }

void TCustomEasyParser::UnRegisterNotifier(const TEasyNotifyMethod& Method) { FNotifiers->DeleteItem(Method); }

void TCustomEasyParser::Changed() { FNotifiers->SendNotification(this, 0); }

void TCustomEasyParser::ColorChanged(Integer) {}

void TCustomEasyParser::GetFont(int, Integer& Color, TEasyFontStyles& FontStyle) {
  Color = -1;
  FontStyle = TEasyFontStyles();
}

void TCustomEasyParser::UpdateColors(TCustomEasyEditorColors*, bool) {}

int TCustomEasyParser::GetStyleByName(const std::string&) { return -1; }
