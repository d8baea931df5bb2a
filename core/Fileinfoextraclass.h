// Where a document came from on the web (fileinfoextraclass, with its "<FIEC>" text block), the network settings
// taken from the engine, and the synchronous download that opens and reloads documents from the web.
#pragma once

#include "core/Strstore.h"

#include <cstdint>

class FileStore;
class THttpCli;
class TObject;

// Flags of fileinfoextraclass.
inline constexpr std::uint32_t WEBORIGIN_CREDENTIALS = 0x1;
inline constexpr std::uint32_t WEBORIGIN_REDIRECTED = 0x2;

// Results of fileinfoextraclass::Download.
inline constexpr int NETCONFIG_NO_CLIENT = -1;
inline constexpr int WEBORIGIN_NO_FILE = -1;
inline constexpr int DOWNLOAD_DONE = 0;
inline constexpr int DOWNLOAD_FAILED = -1;
inline constexpr int DOWNLOAD_NO_RECORD = -2;
inline constexpr int DOWNLOAD_REFUSED_SECURE = -3;

// Flag 1: the program's user agent; flags 1 and 2: the long form; without flag 1 the empty text.
StrStore GetDefaultUserAgent(int Flags);

class NetworkConfigClass {
public:
  std::uint32_t proxyFlags = 0x7FFE;  // bit 1: use the proxy
  StrStore proxyHost;
  StrStore proxyPort{"80"};
  StrStore proxyUserName;
  StrStore proxyPassword;
  StrStore userAgent = GetDefaultUserAgent(1);

  // Reads the proxy settings from the engine's configuration; flag 1 the program's user agent, flag 2 the update
  // check's. 0, -1 without engine.
  int LoadFromEngine(int Flags);
  // Sets the client's agent and proxy (all four proxy texts empty unless proxy flag 1). 0.
  // NETCONFIG_NO_CLIENT for a null client, else 0.
  int ApplyToHttpClient(THttpCli* Client) const;
};

class fileinfoextraclass {
public:
  StrStore address;
  StrStore localFile;
  StrStore userAgent = GetDefaultUserAgent(1);
  StrStore userName;
  StrStore password;
  StrStore requestedAddress;
  StrStore redirectTarget;
  std::uint32_t flags = 0;
  StrStore contentType;

  void CopyFrom(const fileinfoextraclass& Other);
  // Bit 1: the other's agent; bit 2: its user name and password, and the credentials flag.
  void TakeCredentials(const fileinfoextraclass& Other, int Bits);
  // 4 user name, 8 password, 0x10 address, 0x20 agent (a later bit replaces an earlier one); 0x40 the effective
  // address (the redirect target after a redirection). Null for no selector.
  const char* GetString(int Selector) const;
  static int UsesCredentials(const fileinfoextraclass* Record, int Flags);
  void SetUseCredentials(bool On, int Flags);
  void ClearRedirect(int Flags);
  // The HTTP client's location-change handler.
  void OnLocationChange(TObject* Sender);
  int GetFileType() const;

  // Reads one block starting at line First: a new record and the line after "</FIEC>" in Next; null when the
  // file ends first.
  static fileinfoextraclass* ReadFromFileStore(FileStore* File, int First, int* Next);
  // WEBORIGIN_NO_FILE for a null file store, else 0.
  int WriteToFileStore(FileStore* File) const;

  // Downloads the address into the local file. 0 done, -1 failed (with a message), -2 no record, -3 a secure
  // address (refused without traffic).
  static int Download(fileinfoextraclass* Record);
  int Download() { return Download(this); }
};

// Ends the download in progress (from a posted message or timer while it waits): the client is aborted and the
// download returns -1. False when no download runs.
bool CancelActiveDownload();
