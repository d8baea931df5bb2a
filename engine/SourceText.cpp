// Line index of a document text.
#include "engine/EngineTypes.h"

#include <algorithm>

namespace zubengine {

TSourceText::TSourceText(std::string_view Text) : Data(Text) {
  Starts.reserve(Text.size() / 32 + 1);
  Starts.push_back(0);
  for (std::size_t I = Text.find('\n'); I != std::string_view::npos; I = Text.find('\n', I + 1)) {
    Starts.push_back(I + 1);
  }
}

std::pair<int, int> TSourceText::Position(std::size_t Offset) const {
  Offset = std::min(Offset, Data.size());
  const auto It = std::upper_bound(Starts.begin(), Starts.end(), Offset);
  const std::size_t Line = static_cast<std::size_t>(It - Starts.begin());  // from 1
  return {static_cast<int>(Line), static_cast<int>(Offset - Starts[Line - 1] + 1)};
}

std::string_view TSourceText::LineText(int Line) const {
  if (Line < 1 || Line > static_cast<int>(Starts.size())) {
    return {};
  }
  const std::size_t B = Starts[static_cast<std::size_t>(Line - 1)];
  std::size_t E = Line < static_cast<int>(Starts.size()) ? Starts[static_cast<std::size_t>(Line)] - 1 : Data.size();
  if (E > B && Data[E - 1] == '\r') {
    --E;
  }
  return Data.substr(B, E - B);
}

}  // namespace zubengine
