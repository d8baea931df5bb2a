// TClipboard over the clipboard calls.
#include "platform/graphics/Clipbrd.h"
#include "platform/graphics/Graphics.h"
#include "platform/win/UtilWindow.h"
#include "platform/win/WinUser.h"

#include <cstring>
#include <memory>

Z_IMPLEMENT_CLASS(TClipboard, TPersistent)

namespace {

TClipboard*& Current() {
  static TClipboard* C = nullptr;
  return C;
}

}  // namespace

TClipboard* Clipboard() {
  if (!Current()) {
    static std::unique_ptr<TClipboard> Default = std::make_unique<TClipboard>();
    Current() = Default.get();
  }
  return Current();
}

TClipboard* SetClipboard(TClipboard* NewClipboard) {
  TClipboard* Old = Clipboard();
  Current() = NewClipboard;
  return Old;
}

TClipboard::~TClipboard() {
  if (FHandle) {
    DeallocateHWnd(FHandle);
  }
}

HWND TClipboard::Handle() {
  if (!FHandle) {
    FHandle = AllocateHWnd([this](TMessage& M) { M.Result = DefWindowProc(FHandle, M.Msg, M.WParam, M.LParam); });
  }
  return FHandle;
}

void TClipboard::Open() {
  if (FOpenRefCount == 0) {
    if (!OpenClipboard(Handle())) {
      throw Exception("Cannot open clipboard");
    }
    FEmptied = false;
  }
  ++FOpenRefCount;
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) {
    return;
  }
  if (--FOpenRefCount == 0) {
    CloseClipboard();
  }
}

void TClipboard::Adding() {
  // The first thing put in while open empties what was there (and makes the program the owner).
  if (FOpenRefCount > 0 && !FEmptied) {
    FEmptied = true;
    EmptyClipboard();
  }
}

void TClipboard::Clear() {
  Open();
  EmptyClipboard();
  FEmptied = true;
  Close();
}

void TClipboard::SetBuffer(UINT Format, const void* Buffer, std::size_t Size) {
  Open();
  try {
    Adding();
    HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, Size);
    std::memcpy(GlobalLock(H), Buffer, Size);
    GlobalUnlock(H);
    SetClipboardData(Format, H);
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

std::string TClipboard::GetBuffer(UINT Format) {
  Open();
  std::string S;
  if (HANDLE H = GetClipboardData(Format)) {
    const char* P = static_cast<const char*>(GlobalLock(H));
    S.assign(P, GlobalSize(H));
    GlobalUnlock(H);
  }
  Close();
  return S;
}

void TClipboard::SetTextBuf(const char* Buffer) { SetBuffer(CF_TEXT, Buffer, std::strlen(Buffer) + 1); }

void TClipboard::SetAsText(const std::string& Value) {
  // The text ends at its first NUL byte, as the platform's text format does.
  SetBuffer(CF_TEXT, Value.c_str(), std::strlen(Value.c_str()) + 1);
}

std::string TClipboard::AsText() {
  std::string S = GetBuffer(CF_TEXT);
  return S.substr(0, std::min(S.size(), S.find('\0')));
}

int TClipboard::GetTextBuf(char* Buffer, int BufSize) {
  if (!Buffer || BufSize <= 0) {
    return 0;
  }
  std::string S = AsText();
  int N = std::min<int>(static_cast<int>(S.size()), BufSize - 1);
  std::memcpy(Buffer, S.data(), static_cast<std::size_t>(N));
  Buffer[N] = '\0';
  return N;
}

bool TClipboard::HasFormat(UINT Format) { return IsClipboardFormatAvailable(Format) != FALSE; }

HANDLE TClipboard::GetAsHandle(UINT Format) {
  Open();
  HANDLE H = GetClipboardData(Format);
  Close();
  return H;
}

void TClipboard::SetAsHandle(UINT Format, HANDLE Value) {
  Open();
  Adding();
  SetClipboardData(Format, Value);
  Close();
}

int TClipboard::FormatCount() { return CountClipboardFormats(); }

UINT TClipboard::Formats(int Index) {
  UINT F = 0;
  for (int I = 0; I <= Index; ++I) {
    F = EnumClipboardFormats(F);
    if (!F) {
      break;
    }
  }
  return F;
}

void TClipboard::Assign(TPersistent* Source) {
  TBitmap* B = dynamic_cast<TBitmap*>(Source);
  if (auto* P = dynamic_cast<TPicture*>(Source)) {
    B = dynamic_cast<TBitmap*>(P->Graphic());
  }
  if (B) {
    TBitmap Copy;
    Copy.Assign(B);
    SetAsHandle(CF_BITMAP, reinterpret_cast<HANDLE>(Copy.ReleaseHandle()));
    return;
  }
  inherited::Assign(Source);
}

void TClipboard::AssignTo(TPersistent* Dest) {
  TBitmap* B = dynamic_cast<TBitmap*>(Dest);
  if (auto* P = dynamic_cast<TPicture*>(Dest)) {
    B = HasFormat(CF_BITMAP) ? P->Bitmap() : nullptr;
  }
  if (B) {
    Open();
    auto H = reinterpret_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (H) {
      // The clipboard keeps its bitmap: the destination gets a copy.
      TBitmap Tmp;
      BITMAP Info;
      GetObject(H, sizeof Info, &Info);
      Tmp.SetMonochrome(Info.bmBitsPixel == 1);
      Tmp.SetSize(Info.bmWidth, Info.bmHeight);
      HDC Src = CreateCompatibleDC(0);
      HGDIOBJ Old = SelectObject(Src, H);
      BitBlt(Tmp.Canvas()->Handle(), 0, 0, Info.bmWidth, Info.bmHeight, Src, 0, 0, SRCCOPY);
      SelectObject(Src, Old);
      DeleteDC(Src);
      B->Assign(&Tmp);
    }
    Close();
    return;
  }
  inherited::AssignTo(Dest);
}
