// The engine's handle objects (jobs, results, configurations) and the properties read and written through them.
#pragma once

#include "engine/EngineConfig.h"
#include "engine/EngineTypes.h"
#include "engine/ZubValidator.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zubengine {

// What a handle stands for. Owned by the engine's handle table from creation until ZUBFreeHandle or unload.
struct THandleObject {
  explicit THandleObject(ZUBInt K) : Kind(K) {}
  virtual ~THandleObject() = default;
  THandleObject(const THandleObject&) = delete;
  THandleObject& operator=(const THandleObject&) = delete;
  ZUBInt Kind;
};

// The lines handed to a job, in one block (each line followed by a NUL, so that a line is handed back as it
// stands) with their starts: a large page costs no allocation per line. Adding a line may move the others.
class TJobLines {
public:
  void Add(std::string_view Line) {
    Starts.push_back(Data.size());
    Data.append(Line);
    Data.push_back('\0');
  }
  void Assign(const std::vector<std::string>& Lines);
  void clear() {
    Data.clear();
    Starts.clear();
  }
  std::size_t size() const { return Starts.size(); }
  // The memory held for the lines' texts.
  std::size_t capacity() const { return Data.capacity(); }
  const char* c_str(std::size_t I) const { return Data.data() + Starts[I]; }
  std::string_view Line(std::size_t I) const {
    const std::size_t End = I + 1 < Starts.size() ? Starts[I + 1] : Data.size();
    return std::string_view(Data).substr(Starts[I], End - Starts[I] - 1);
  }
  // The lines, each followed by LF, into Out (whose memory is reused).
  void JoinInto(std::string& Out) const;

private:
  std::string Data;
  std::vector<std::size_t> Starts;
};

struct TJob : THandleObject {
  TJob() : THandleObject(ZUB_KIND_JOB) {}
  ZUBInt JobKind = 0;
  ZUBInt Source = 0;               // ZUB_JOB_SOURCE
  ZUBInt ConfigIndex = -1;         // ZUB_JOB_CONFIGURATION
  std::uint32_t Flags = 0;         // ZUB_JOB_FLAGS
  std::string Name;                // ZUB_JOB_NAME
  TJobLines Lines;  // every ZUB_JOB_LINE text in order (a link check's are its window and message)
};

struct TResult : THandleObject {
  TResult() : THandleObject(ZUB_KIND_RESULT) {}
  std::vector<TMessage> Messages;
  ZUBInt Errors = 0;
  ZUBInt Warnings = 0;
  ZUBInt Plain = 0;
  ZUBInt Comments = 0;
  std::vector<std::string> NewText;
  std::uint32_t Flags = 0;   // ZUB_RESULT_FLAGS
  std::uint32_t Flags2 = 0;  // ZUB_RESULT_FLAGS2
  TStructure Structure;
  std::vector<TTagStat> TagStats;
  ZUBInt StructureOption = 0;
  std::vector<TNamedList> Lists;
  std::vector<std::string> Report;  // made when first asked for
  bool ReportMade = false;
  std::string Name;
  ZUBInt Quoted = 0;
  ZUBInt Misspellings = 0;
};

struct TConfigHandle : THandleObject {
  TConfigHandle() : THandleObject(ZUB_KIND_CONFIGURATION) {}
  TEngineConfig Config;
  // The configuration file's name as last handed out (the default name while none was loaded or saved).
  std::string FileNameText;
  // What the last load of a file left out (ZUB_CONFIG_LOAD_REPORT).
  std::string LoadReport;
};

// A handle's properties. Integers report whether the identifier applies (Ok); texts are null when it does not
// and otherwise stay valid until the handle is freed or the property changes.
ZUBInt IntegerOf(ZUBInt H, ZUBInt Id, bool& Ok);
ZUBInt IndexedIntegerOf(ZUBInt H, ZUBInt Id, ZUBInt Index, bool& Ok);
const char* StringOf(ZUBInt H, ZUBInt Id);
const char* IndexedStringOf(ZUBInt H, ZUBInt Id, ZUBInt Index);
ZUBInt FlagOf(ZUBInt H, ZUBInt Id, ZUBInt Bit);
ZUBInt SetFlagOf(ZUBInt H, ZUBInt Id, ZUBInt Bit, ZUBInt Value);
ZUBInt SetIntegerOf(ZUBInt H, ZUBInt Id, ZUBInt Value);
ZUBInt SetIndexedIntegerOf(ZUBInt H, ZUBInt Id, ZUBInt Index, ZUBInt Value);
ZUBInt SetStringOf(ZUBInt H, ZUBInt Id, const char* Text);
// The index of a result's named list; -1 when there is none of that name.
ZUBInt ListIndexOf(ZUBInt H, ZUBInt Id, const char* Name);
const char* ListItemOf(ZUBInt H, ZUBInt Id, ZUBInt List, ZUBInt Index);

bool ValidJobKind(ZUBInt Kind);

}  // namespace zubengine
