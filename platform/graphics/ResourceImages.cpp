// LoadBitmap, LoadIcon and LoadImage over the resource table and files, and the stock images drawn by the layer.
#include "platform/graphics/ImgList.h"
#include "platform/graphics/Images.h"
#include "platform/win/Resources.h"

#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

namespace {

std::uintptr_t IdOf(LPCSTR Name) { return reinterpret_cast<std::uintptr_t>(Name); }

std::string ResourceBytes(HINSTANCE Instance, LPCSTR Name, LPCSTR Type) {
  HRSRC R = FindResource(static_cast<HMODULE>(Instance), Name, Type);
  if (!R) {
    return {};
  }
  return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, R))), SizeofResource(nullptr, R));
}

std::string FileBytes(const char* Name) {
  std::ifstream In(Name, std::ios::binary);
  if (!In) {
    return {};
  }
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

// A bitmap of the given size drawn by Paint on a button-face background.
template <class F>
HBITMAP Drawn(int W, int H, F&& Paint) {
  TBitmap B;
  B.SetSize(W, H);
  HDC DC = B.Canvas()->Handle();
  TRect All = Rect(0, 0, W, H);
  FillRect(DC, &All, GetSysColorBrush(COLOR_BTNFACE));
  Paint(DC);
  return B.ReleaseHandle();
}

HBITMAP StockBitmap(WORD Id) {
  auto Control = [](UINT Type, UINT State, int W, int H) {
    return Drawn(W, H, [&](HDC DC) {
      TRect R = Rect(0, 0, W, H);
      DrawFrameControl(DC, &R, Type, State);
    });
  };
  switch (Id) {
    case OBM_CHECKBOXES:
      return Drawn(4 * 13, 3 * 13, [](HDC DC) {
        const UINT Rows[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
        const UINT Columns[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
        for (int Row = 0; Row < 3; ++Row) {
          for (int Col = 0; Col < 4; ++Col) {
            TRect R = Rect(Col * 13, Row * 13, Col * 13 + 13, Row * 13 + 13);
            DrawFrameControl(DC, &R, DFC_BUTTON, Rows[Row] | Columns[Col]);
          }
        }
      });
    case OBM_CHECK: return Control(DFC_MENU, DFCS_MENUCHECK, 13, 13);
    case OBM_MNARROW: return Control(DFC_MENU, DFCS_MENUARROW, 13, 13);
    case OBM_SIZE:
    case OBM_BTSIZE: return Control(DFC_SCROLL, DFCS_SCROLLSIZEGRIP, 16, 16);
    case OBM_COMBO: return Control(DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 16, 16);
    case OBM_UPARROW: case OBM_UPARROWD: case OBM_UPARROWI:
      return Control(DFC_SCROLL, DFCS_SCROLLUP | (Id == OBM_UPARROWD ? DFCS_PUSHED : Id == OBM_UPARROWI ? DFCS_INACTIVE : 0), 16, 16);
    case OBM_DNARROW: case OBM_DNARROWD: case OBM_DNARROWI:
      return Control(DFC_SCROLL, DFCS_SCROLLDOWN | (Id == OBM_DNARROWD ? DFCS_PUSHED : Id == OBM_DNARROWI ? DFCS_INACTIVE : 0), 16, 16);
    case OBM_LFARROW: case OBM_LFARROWD: case OBM_LFARROWI:
      return Control(DFC_SCROLL, DFCS_SCROLLLEFT | (Id == OBM_LFARROWD ? DFCS_PUSHED : Id == OBM_LFARROWI ? DFCS_INACTIVE : 0), 16, 16);
    case OBM_RGARROW: case OBM_RGARROWD: case OBM_RGARROWI:
      return Control(DFC_SCROLL, DFCS_SCROLLRIGHT | (Id == OBM_RGARROWD ? DFCS_PUSHED : Id == OBM_RGARROWI ? DFCS_INACTIVE : 0), 16, 16);
    case OBM_CLOSE: return Control(DFC_CAPTION, DFCS_CAPTIONCLOSE, 16, 14);
    case OBM_REDUCE: case OBM_REDUCED: return Control(DFC_CAPTION, DFCS_CAPTIONMIN | (Id == OBM_REDUCED ? DFCS_PUSHED : 0), 16, 14);
    case OBM_ZOOM: case OBM_ZOOMD: return Control(DFC_CAPTION, DFCS_CAPTIONMAX | (Id == OBM_ZOOMD ? DFCS_PUSHED : 0), 16, 14);
    case OBM_RESTORE: case OBM_RESTORED: return Control(DFC_CAPTION, DFCS_CAPTIONRESTORE | (Id == OBM_RESTORED ? DFCS_PUSHED : 0), 16, 14);
    case OBM_BTNCORNERS:
      return Drawn(8, 8, [](HDC DC) {
        SelectObject(DC, GetStockObject(BLACK_BRUSH));
        SelectObject(DC, GetStockObject(NULL_PEN));
        Ellipse(DC, 0, 0, 8, 8);
      });
    default: return 0;
  }
}

// The stock icons: 32x32 pictures of the classic message icons.
HICON StockIcon(WORD Id) {
  TBitmap Color;
  Color.SetSize(32, 32);
  TBitmap Mask;
  Mask.SetMonochrome(true);
  Mask.SetSize(32, 32);  // white: see-through
  TCanvas* C = Color.Canvas();
  TCanvas* M = Mask.Canvas();
  // The colour image is black where the mask lets the background through, as icons are drawn by XOR.
  C->Brush()->SetColor(clBlack);
  C->FillRect(Rect(0, 0, 32, 32));
  M->Brush()->SetColor(clBlack);
  M->Pen()->SetColor(clBlack);
  auto Shape = [&](TColor Fill, auto Draw) {
    C->Brush()->SetColor(Fill);
    C->Pen()->SetColor(clBlack);
    Draw(C);
    Draw(M);
  };
  auto Glyph = [&](const char* Text, TColor Color) {
    C->Font()->SetName("Times New Roman");
    C->Font()->SetHeight(-24);
    C->Font()->SetStyle({fsBold});
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    TSize S = C->TextExtent(Text);
    C->TextOut((32 - S.cx) / 2, (32 - S.cy) / 2, Text);
  };
  switch (Id) {
    case IDI_HAND:
      Shape(clRed, [](TCanvas* K) { K->Ellipse(1, 1, 31, 31); });
      C->Pen()->SetColor(clWhite);
      C->Pen()->SetWidth(3);
      C->MoveTo(10, 10);
      C->LineTo(22, 22);
      C->MoveTo(21, 10);
      C->LineTo(9, 22);
      break;
    case IDI_EXCLAMATION:
      Shape(clYellow, [](TCanvas* K) { K->Polygon({{16, 1}, {31, 30}, {1, 30}}); });
      Glyph("!", clBlack);
      break;
    case IDI_QUESTION:
    case IDI_ASTERISK:
      Shape(clWhite, [](TCanvas* K) { K->Ellipse(1, 1, 31, 31); });
      Glyph(Id == IDI_QUESTION ? "?" : "i", clBlue);
      break;
    default:  // the application's window
      Shape(clWhite, [](TCanvas* K) { K->Rectangle(2, 4, 30, 28); });
      C->Brush()->SetColor(clNavy);
      C->FillRect(Rect(3, 5, 29, 9));
      break;
  }
  ICONINFO Info;
  Info.hbmColor = Color.Handle();
  Info.hbmMask = Mask.Handle();
  return CreateIconIndirect(&Info);
}

}  // namespace

HBITMAP LoadBitmap(HINSTANCE Instance, LPCSTR Name) {
  if (!Instance && IS_INTRESOURCE(Name)) {
    if (HBITMAP B = StockBitmap(static_cast<WORD>(IdOf(Name)))) {
      return B;
    }
  }
  std::string Data = ResourceBytes(Instance, Name, RT_BITMAP);
  if (Data.empty()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  try {
    return BitmapFromBytes(Data);
  } catch (const EInvalidGraphic&) {
    SetLastError(ERROR_INVALID_DATA);
    return 0;
  }
}

HICON LoadIcon(HINSTANCE Instance, LPCSTR Name) {
  if (!Instance && IS_INTRESOURCE(Name)) {
    WORD Id = static_cast<WORD>(IdOf(Name));
    if (Id >= IDI_APPLICATION && Id <= IDI_WINLOGO) {
      // Stock icons are made once and shared.
      static std::mutex Lock;
      static std::map<WORD, HICON> Made;
      std::lock_guard G(Lock);
      HICON& I = Made[Id];
      if (!I) {
        I = StockIcon(Id);
      }
      return I;
    }
  }
  std::string Data = ResourceBytes(Instance, Name, RT_GROUP_ICON);
  if (Data.empty()) {
    Data = ResourceBytes(Instance, Name, RT_ICON);
  }
  if (Data.empty()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  try {
    return IconFromBytes(Data);
  } catch (const EInvalidGraphic&) {
    SetLastError(ERROR_INVALID_DATA);
    return 0;
  }
}

HANDLE LoadImage(HINSTANCE Instance, LPCSTR Name, UINT Type, int Cx, int Cy, UINT Flags) {
  bool FromFile = Flags & LR_LOADFROMFILE;
  if (FromFile && (!Name || IS_INTRESOURCE(Name))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  try {
    switch (Type) {
      case IMAGE_BITMAP: {
        HBITMAP B = 0;
        if (FromFile) {
          std::string Data = FileBytes(Name);
          if (Data.empty()) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
          }
          B = BitmapFromBytes(Data);
        } else {
          B = LoadBitmap(Instance, Name);
        }
        if (B && (Cx > 0 || Cy > 0)) {
          // Stretched to the asked size.
          BITMAP Info;
          GetObject(B, sizeof Info, &Info);
          TBitmap Src;
          Src.SetHandle(B);
          TBitmap Dst;
          Dst.SetSize(Cx > 0 ? Cx : Info.bmWidth, Cy > 0 ? Cy : Info.bmHeight);
          Dst.Canvas()->StretchDraw(Rect(0, 0, Dst.Width(), Dst.Height()), &Src);
          B = Dst.ReleaseHandle();
        }
        return reinterpret_cast<HANDLE>(B);
      }
      case IMAGE_ICON:
      case IMAGE_CURSOR: {
        if (FromFile) {
          std::string Data = FileBytes(Name);
          if (Data.empty()) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
          }
          return reinterpret_cast<HANDLE>(IconFromBytes(Data));
        }
        if (Type == IMAGE_CURSOR) {
          if (HCURSOR C = LoadCursor(Instance, Name)) {
            return reinterpret_cast<HANDLE>(C);
          }
          std::string Data = ResourceBytes(Instance, Name, RT_GROUP_CURSOR);
          if (Data.empty()) {
            Data = ResourceBytes(Instance, Name, RT_CURSOR);
          }
          return Data.empty() ? nullptr : reinterpret_cast<HANDLE>(IconFromBytes(Data));
        }
        return reinterpret_cast<HANDLE>(LoadIcon(Instance, Name));
      }
      default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
  } catch (const EInvalidGraphic&) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
}
