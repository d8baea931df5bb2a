// The registry's hive files: the in-memory key tree, its text file format and durable, lock-protected updates.
#pragma once

#include "platform/win/WinReg.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Where the hives live: $ZUBQ_REGISTRY_DIR, else $XDG_CONFIG_HOME/ZUB Quillon, else ~/.config/ZUB Quillon.
// Each root key has its own file: HKCR.reg, HKCU.reg, HKLM.reg, HKU.reg (which always holds ".DEFAULT") and
// HKCC.reg, with a lock file "<name>.lock" beside each.
//
// File format (plain ASCII text, one item per line; blank lines and lines starting with ';' are ignored):
//   ZUB Quillon registry hive 1          first line
//   [Software\Vendor\Program]            a key: its path from the root, names joined by '\'; bytes outside
//                                        0x20..0x7E, '%' and '\\' are written as %HH. "[]" is the root key itself.
//   "Name"=sz:"text"                     values of the key above; @ instead of "Name" is the default value.
//   @=expand:"%HOME%\\bin"               sz / expand: REG_SZ / REG_EXPAND_SZ data ending in one NUL, shown
//                                        without it. Strings escape \\ \" \t \n \r and \xHH (any other byte
//                                        outside 0x20..0x7E).
//   "Count"=dword:0000002a               REG_DWORD of exactly 4 bytes, hexadecimal.
//   "Blob"=hex:01,ff                     REG_BINARY bytes; hex(N): any other type N, or data that does not fit
//                                        the forms above (hex(1): a string without its NUL, hex(4):, hex(7):...).
//   end                                  last line: a file without it was cut short and counts as damaged.
// Every key is written (empty ones too), parents before children, sub keys in name order.
//
// A file with damaged lines is renamed to "<name>.corrupt-<YYYYMMDD-HHMMSS>" (with "-N" when taken) and reported
// on stderr and in RegistryCorruptHives() with the lines left out; the hive keeps every key and value that could
// be read and is written back without the damage. A file that is no hive at all is moved aside the same way and
// the hive starts empty. When the file cannot be moved aside the hive refuses changes (ERROR_BADDB) rather than
// overwrite it.

// One value of a key. Name is as created; Fold is its case-folded form used for lookups.
struct TRegStoreValue {
  std::string Name;
  std::string Fold;
  DWORD Type = REG_NONE;
  std::string Data;
};

// One key: its name as created, its sub keys by folded name (so in case-insensitive order), its values in the
// order they were created.
struct TRegStoreKey {
  std::string Name;
  std::map<std::string, std::unique_ptr<TRegStoreKey>> SubKeys;
  std::vector<TRegStoreValue> Values;

  TRegStoreKey* FindSubKey(const std::string& Name) const;
  TRegStoreValue* FindValue(const std::string& Name);
  const TRegStoreValue* FindValue(const std::string& Name) const;
};

// Case folding of key and value names: ASCII and the code page 1252 letters.
std::string RegFoldName(const std::string& Name);

// The hives. Identified by their predefined root key (HKEY_CLASSES_ROOT ... HKEY_CURRENT_CONFIG).
bool RegIsHiveRoot(HKEY Root);
// Runs Fn on the hive's key tree, re-read first when the file changed since it was last read. Serialised with
// every other store call of this process.
LONG RegReadHive(HKEY Root, const std::function<LONG(const TRegStoreKey& HiveRoot)>& Fn);
// Takes the hive's file lock (excluding writers of other processes), re-reads the file when it changed, runs
// Fn, and when Fn returns ERROR_SUCCESS with Changed set, writes the file atomically (temporary file, fsync,
// rename, fsync of the folder). A failed write gives ERROR_CANTWRITE and the tree is re-read on next use.
// ERROR_ACCESS_DENIED when the hive is switched read-only.
LONG RegWriteHive(HKEY Root, const std::function<LONG(TRegStoreKey& HiveRoot, bool& Changed)>& Fn);
// The hive file's modification time in 100 ns units since 1601 (0 when it does not exist).
Int64 RegHiveFileTime(HKEY Root);

// The folder the hives are in (as resolved at first use or after the last reset).
std::string RegistryDirectory();
// Forgets every cached hive, every open key handle and the read-only switches, and reads the environment again
// (ZUBQ_REGISTRY_DIR, ZUBQ_REGISTRY_READONLY). For tests, which point the store at a fresh folder.
void RegistryResetForTests();
// Switches a hive read-only (every change is ERROR_ACCESS_DENIED) or back. ZUBQ_REGISTRY_READONLY, a comma list
// of HKCR, HKCU, HKLM, HKU, HKCC, sets the switches when the store is first used or reset.
void RegistrySetReadOnly(HKEY Root, bool ReadOnly);
bool RegistryIsReadOnly(HKEY Root);
// The messages about damaged hive files found since the store was first used or reset (one line each, naming
// the file and where it was moved).
std::vector<std::string> RegistryCorruptHives();

// The text of a hive and its parsing; exposed for tests. Without Dropped, Parse returns false (tree untouched)
// and an explanation on any malformed line. With Dropped, damaged lines (and the values under a key that cannot
// be read) are left out and listed there, a missing end line too, and only text that is no hive at all (another
// first line, nothing) returns false.
std::string RegFormatHive(const TRegStoreKey& HiveRoot);
bool RegParseHive(const std::string& Text, TRegStoreKey& HiveRoot, std::string& Error,
                  std::vector<std::string>* Dropped = nullptr);

// The store's lock for this process (recursive); the handle table of the API shares it.
std::recursive_mutex& RegStoreMutex();
