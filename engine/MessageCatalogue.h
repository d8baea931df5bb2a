// The messages the engine knows by ID, for the configuration editor: its own checks' messages, and every message
// of the HTML checker that a validation reported since the engine was loaded (the checker names its messages only
// when it reports them).
#pragma once

#include "engine/EngineTypes.h"

#include <map>
#include <string>
#include <vector>

namespace zubengine {

struct TCatalogueEntry {
  int Id = 0;
  int Type = 0;          // the type the check gives it (before the settings per ID)
  std::string Category;
  std::string Text;      // a description, or the text of the last message reported with the ID
};

class TMessageCatalogue {
public:
  TMessageCatalogue();
  // Learns the IDs of reported messages (the first text reported for an ID is kept).
  void Learn(const std::vector<TMessage>& Messages);
  // Every known ID in order, with those named only by a setting (IDs in Extra) added without a text.
  std::vector<TCatalogueEntry> Entries(const std::vector<int>& Extra) const;

private:
  std::map<int, TCatalogueEntry> FEntries;
};

}  // namespace zubengine
