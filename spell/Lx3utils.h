// Small routines shared by the spell checker: listener lists, string hashing, primes, edit distance, files.
#pragma once

#include "platform/classes/Classes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A method a listener registers: called with the sender.
using TLexiNotifyMethod = std::function<void(TObject* Sender)>;

// A list of listeners and, in the same order, one copy of the method each registered. The owner keeps the list
// for its own life; listeners remove themselves before they die.
class TEventList : public TObject {
public:
  TEventList() = default;
  ~TEventList() override;
  TEventList(const TEventList&) = delete;
  TEventList& operator=(const TEventList&) = delete;

  // Appends Listener with a copy of Method; a listener already in the list keeps its first method.
  void Add(TObject* Listener, const TLexiNotifyMethod& Method);
  // Removes Listener and its method; unknown listeners are ignored.
  void Remove(TObject* Listener);
  // Calls every method in list order with Sender.
  void Notify(TObject* Sender);
  int ReadCount() const { return static_cast<int>(FListeners.size()); }
  // The method copy at Index, or null when Index is out of range.
  const TLexiNotifyMethod* ReadItems(int Index) const;

private:
  std::vector<TObject*> FListeners;
  std::vector<std::unique_ptr<TLexiNotifyMethod>> FMethods;
};

// The ignore-word list carries the state the component sets before it notifies.
class TParserIgnoreWordEventList : public TEventList {
public:
  int State = 0;
  bool Before = false;
};

// The choices of the suggestion menu.
enum TSpellPopupOption { spCancel, spDialog, spAutoCorrect, spChangeAll, spAdd, spIgnoreAll, spIgnore, spReplace };

// The popup-result list carries the choice the component sets before it notifies.
class TPopupResultEventList : public TEventList {
public:
  TSpellPopupOption PopupResult = spCancel;
};

// "3.3.1 Pro".
std::string GetLexiVersion();

// Hash of an 8-bit text into 0 .. Size - 1 (the custom dictionary's file format depends on the exact values).
int HashString(const std::string& Text, int Size);
// The probing step for a first index: (Value mod 97) + 1.
int SecondaryHash(int Value);
// The smallest prime of the fixed table (the largest primes below 2^8 .. 2^31) above Count.
std::uint32_t GetNextPrime(std::uint32_t Count);
// Edit distance over bytes, case-sensitive; a swap of two neighbouring bytes counts as one edit. Texts of 255
// bytes or more give the larger length.
int GetEditDistance(const std::string& A, const std::string& B);
// True when the file can be opened for writing (it is created when missing; with DeleteOnClose a file that did
// not exist before is removed again).
bool CanFileBeWritten(const std::string& FileName, bool DeleteOnClose);
// A file's fixed version; there are no version resources here, so always false.
bool GetFileVersion(const std::string& FileName, std::uint32_t& High, std::uint32_t& Low);

inline int ADMin(int A, int B) { return A < B ? A : B; }
inline int ADMax(int A, int B) { return A > B ? A : B; }
inline const std::uint32_t* DWORDAdd(const void* P, std::ptrdiff_t N) {
  return static_cast<const std::uint32_t*>(P) + N;
}
inline const std::uint8_t* BYTEAdd(const void* P, std::ptrdiff_t N) { return static_cast<const std::uint8_t*>(P) + N; }
