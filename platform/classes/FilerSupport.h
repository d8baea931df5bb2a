// Shared state of the streaming units (not for other callers): global roots, references waiting for other
// roots, loading brackets, and name lookup for references.
#pragma once

#include "platform/classes/Filer.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A reference by name read into a property, resolved once its component is there.
struct TReader::TFixup {
  TPersistent* Instance;
  PPropInfo PropInfo;
  TComponent* Root;
  std::string Name;
};

namespace ZubFiler {
struct TGlobals {
  std::recursive_mutex Lock;                // guards everything here but the loading stack
  std::vector<TComponent*> Components;      // registered global roots
  std::vector<TFindGlobalComponent> Finders;
};
TGlobals& Globals();
// References that named a root not loaded yet.
std::vector<std::unique_ptr<TReader::TFixup>>& PendingFixups();
// This thread's open global loading brackets, each with the components waiting for Loaded().
std::vector<std::vector<TComponent*>>& LoadingStack();
// The part of Name from Pos to the next dot; Pos moves past the dot (beyond the end after the last part).
std::string SplitFirst(const std::string& Name, std::size_t& Pos);
// Finds "Comp", "Owner", "Root2.Comp" or "Comp.Owner" relative to Root; the first part may name a global root.
TComponent* FindNestedComponent(TComponent* Root, const std::string& Name);
// Keeps a watch on Root while it has pending references or is a global root, so that they are dropped when
// it is freed. Called under the lock.
void UpdateWatch(TComponent* Root);
}  // namespace ZubFiler
