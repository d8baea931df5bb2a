// A user-editable word store kept in one file (.adu, .adl): added, excluded and auto-correct words.
#pragma once

#include "platform/rtl/System.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace AduFormat {
// The banner at the start of every file: five lines ended by CR LF, the last one empty, then a zero byte.
inline constexpr std::string_view Banner =
    "ZUB Quillon custom dictionary\r\n"
    "Added, excluded and auto-correct words\r\n"
    "Hash table and word area\r\n"
    "Edit it in Quillon\r\n"
    "\r\n";
static_assert(Banner.size() == 119, "the banner is 119 bytes");
inline constexpr std::size_t HeadSize = 121;  // banner, its zero byte and 0x1A
inline constexpr std::size_t AreaStep = 65535;
inline constexpr std::size_t MaxEntryBytes = 500;  // word and replacement together
}  // namespace AduFormat

// What identifies one state of a file on disk: a different stamp means another program saved it.
struct TDictionaryStamp {
  bool Exists = false;
  std::int64_t ModifiedNs = 0;
  std::int64_t Size = 0;
  std::uint64_t Inode = 0;
  friend bool operator==(const TDictionaryStamp&, const TDictionaryStamp&) = default;
};

// One custom or learning dictionary. Entries live in an append-only word area indexed by an open-addressing
// hash table; both are written to the file as they are. The spell component owns its instances; contents
// load on first use and are saved (merged with changes another program made meanwhile) when asked, when
// unloaded and when the object is destroyed.
class TCustomDictionary : public TObject {
public:
  TCustomDictionary() = default;
  ~TCustomDictionary() override;
  TCustomDictionary(const TCustomDictionary&) = delete;
  TCustomDictionary& operator=(const TCustomDictionary&) = delete;

  const std::string& Filename() const { return FFilename; }
  // Takes Name only when it is a custom dictionary or can become one; pending changes are saved first.
  virtual void WriteFilename(const std::string& Name);
  bool Loaded() const { return FLoaded; }
  virtual void WriteLoaded(bool Flag);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  int WordCount() const { return FWordCount; }
  int TableSize() const { return static_cast<int>(FTable.size()); }
  std::size_t UsedBytes() const { return FUsed; }

  virtual int ReadIgnoreCount();
  virtual int ReadExcludeCount();
  virtual int ReadAutoCorrectCount();

  // Whether Name is a custom dictionary (or, when it does not exist, may become one).
  virtual bool IsCustomDictionary(const std::string& Name);

  virtual std::unique_ptr<TCustomDictionary> CreateInstance() const;
  // Writes pending changes; when another program saved the file since it was loaded, merges into its copy.
  virtual void Save();
  virtual void SaveAs(const std::string& Name);

  virtual std::string GetIgnoreWord(int Index);
  virtual std::string GetExcludeWord(int Index);
  virtual std::string GetAutoCorrectWord(int Index, std::string& Replacement);
  virtual bool IgnoreExists(const std::string& Word);
  virtual bool ExcludeExists(const std::string& Word);
  virtual bool AutoCorrectExists(const std::string& Word, std::string& Replacement);
  virtual bool AddIgnore(const std::string& Word);
  virtual bool AddExclude(const std::string& Word);
  virtual bool AddAutoCorrect(const std::string& Word, const std::string& Replacement);
  virtual bool RemoveIgnore(const std::string& Word);
  virtual bool RemoveExclude(const std::string& Word);
  virtual bool RemoveAutoCorrect(const std::string& Word);
  virtual void RemoveAll();

protected:
  virtual bool LoadDictionary();
  // Writes the whole dictionary to Name; false when it could not be written.
  virtual bool SaveDictionary(const std::string& Name);
  virtual void AddToIndexList(std::int32_t Offset);
  virtual void SetupIndexLists();
  virtual std::string StringFromStreamPos(std::int32_t Offset) const;
  virtual bool FindWord(char Kind, const std::string& Word, std::int32_t& Value, int& Index);
  virtual void AppendBuffer(const std::string& Record);
  virtual int InternalHash(const std::string& Word, int Size) const;
  virtual void AddHash(const std::string& Word, std::int32_t Offset);
  virtual bool AddWord(char Kind, const std::string& Word, const std::string& Replacement);
  virtual bool RemoveWord(char Kind, const std::string& Word);

private:
  enum TKindIndex { kiIgnore, kiExclude, kiAutoCorrect };
  bool EnsureLoaded();
  void Clear();
  void InsertOffset(std::vector<std::int32_t>& Table, const std::string& Word, std::int32_t Offset) const;
  std::string IndexedWord(TKindIndex Kind, int Index);
  static int KindIndex(char Kind);

  std::string FFilename;
  bool FLoaded = false;
  bool FModified = false;
  // The file's contents did not hold together: it is kept as it is and never overwritten.
  bool FDamaged = false;
  int FCounts[3] = {0, 0, 0};
  TDictionaryStamp FStamp;
  int FWordCount = 0;
  std::vector<char> FArea;  // allocated size = FArea.size()
  std::size_t FUsed = 0;
  std::vector<std::int32_t> FTable;
  bool FIndexValid = false;
  std::vector<std::int32_t> FIndex[3];
  bool FTracking = false;
  // Changes since the last save, replayed onto the file's newer contents when another program saved it.
  std::vector<std::string> FRemoved[3];
  std::vector<std::string> FAdded[3];
  std::vector<std::string> FAddedReplacements;
};

// The stamp of a file as it is now (Exists false when there is none).
TDictionaryStamp GetDictionaryStamp(const std::string& FileName);
