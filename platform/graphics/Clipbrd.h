// TClipboard: the class library's object over the clipboard (text, handles, bitmaps and pictures).
#pragma once

#include "platform/classes/Persistent.h"
#include "platform/win/Clipboard.h"

#include <string>

// Opens nest: only the outermost Open and Close reach the clipboard. What the program copies is owned by the
// object's hidden window (Handle), so GetClipboardOwner() == Clipboard()->Handle() tells that it is ours.
class TClipboard : public TPersistent {
  Z_CLASS(TClipboard, TPersistent)
public:
  TClipboard() = default;
  ~TClipboard() override;
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  void Open();  // raises Exception "Cannot open clipboard" when another thread has it open
  void Close();
  void Clear();
  std::string AsText();
  void SetAsText(const std::string& Value);
  bool HasFormat(UINT Format);
  void SetTextBuf(const char* Buffer);
  int GetTextBuf(char* Buffer, int BufSize);
  HANDLE GetAsHandle(UINT Format);
  void SetAsHandle(UINT Format, HANDLE Value);  // the clipboard takes the handle
  // Puts raw bytes under a format (e.g. a registered "Rich Text Format"), and reads them back.
  void SetBuffer(UINT Format, const void* Buffer, std::size_t Size);
  std::string GetBuffer(UINT Format);
  int FormatCount();
  UINT Formats(int Index);
  HWND Handle();
  // Bitmaps and pictures (as CF_BITMAP) go in and come out.
  void Assign(TPersistent* Source) override;

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  void Adding();
  int FOpenRefCount = 0;
  bool FEmptied = false;
  HWND FHandle = 0;
};

TClipboard* Clipboard();
// Replaces the global clipboard object (the old one is returned, not freed).
TClipboard* SetClipboard(TClipboard* NewClipboard);
