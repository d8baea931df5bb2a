// Window message numbers with their documented values, and the class library's message records.
#pragma once

#include "platform/win/WinTypes.h"

// ---- Window messages -------------------------------------------------------------------------------------------
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETREDRAW = 0x000B;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUERYENDSESSION = 0x0011;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_QUERYOPEN = 0x0013;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
inline constexpr UINT WM_ENDSESSION = 0x0016;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_WININICHANGE = 0x001A;
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_DEVMODECHANGE = 0x001B;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_FONTCHANGE = 0x001D;
inline constexpr UINT WM_TIMECHANGE = 0x001E;
inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_MOUSEACTIVATE = 0x0021;
inline constexpr UINT WM_CHILDACTIVATE = 0x0022;
inline constexpr UINT WM_QUEUESYNC = 0x0023;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_PAINTICON = 0x0026;
inline constexpr UINT WM_ICONERASEBKGND = 0x0027;
inline constexpr UINT WM_NEXTDLGCTL = 0x0028;
inline constexpr UINT WM_SPOOLERSTATUS = 0x002A;
inline constexpr UINT WM_DRAWITEM = 0x002B;
inline constexpr UINT WM_MEASUREITEM = 0x002C;
inline constexpr UINT WM_DELETEITEM = 0x002D;
inline constexpr UINT WM_VKEYTOITEM = 0x002E;
inline constexpr UINT WM_CHARTOITEM = 0x002F;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_GETFONT = 0x0031;
inline constexpr UINT WM_SETHOTKEY = 0x0032;
inline constexpr UINT WM_GETHOTKEY = 0x0033;
inline constexpr UINT WM_QUERYDRAGICON = 0x0037;
inline constexpr UINT WM_COMPAREITEM = 0x0039;
inline constexpr UINT WM_GETOBJECT = 0x003D;
inline constexpr UINT WM_COMPACTING = 0x0041;
inline constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr UINT WM_POWER = 0x0048;
inline constexpr UINT WM_COPYDATA = 0x004A;
inline constexpr UINT WM_CANCELJOURNAL = 0x004B;
inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_INPUTLANGCHANGEREQUEST = 0x0050;
inline constexpr UINT WM_INPUTLANGCHANGE = 0x0051;
inline constexpr UINT WM_TCARD = 0x0052;
inline constexpr UINT WM_HELP = 0x0053;
inline constexpr UINT WM_USERCHANGED = 0x0054;
inline constexpr UINT WM_NOTIFYFORMAT = 0x0055;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_STYLECHANGING = 0x007C;
inline constexpr UINT WM_STYLECHANGED = 0x007D;
inline constexpr UINT WM_DISPLAYCHANGE = 0x007E;
inline constexpr UINT WM_GETICON = 0x007F;
inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_NCCREATE = 0x0081;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_NCCALCSIZE = 0x0083;
inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_NCPAINT = 0x0085;
inline constexpr UINT WM_NCACTIVATE = 0x0086;
inline constexpr UINT WM_GETDLGCODE = 0x0087;
inline constexpr UINT WM_SYNCPAINT = 0x0088;
inline constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_NCLBUTTONUP = 0x00A2;
inline constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
inline constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
inline constexpr UINT WM_NCRBUTTONUP = 0x00A5;
inline constexpr UINT WM_NCRBUTTONDBLCLK = 0x00A6;
inline constexpr UINT WM_NCMBUTTONDOWN = 0x00A7;
inline constexpr UINT WM_NCMBUTTONUP = 0x00A8;
inline constexpr UINT WM_NCMBUTTONDBLCLK = 0x00A9;
inline constexpr UINT WM_KEYFIRST = 0x0100;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_DEADCHAR = 0x0103;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_SYSDEADCHAR = 0x0107;
inline constexpr UINT WM_KEYLAST = 0x0108;
inline constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
inline constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;
inline constexpr UINT WM_IME_COMPOSITION = 0x010F;
inline constexpr UINT WM_IME_KEYLAST = 0x010F;
// WM_IME_COMPOSITION's lParam: what changed in the composition.
inline constexpr LPARAM GCS_COMPSTR = 0x0008;
inline constexpr LPARAM GCS_RESULTSTR = 0x0800;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_INITMENU = 0x0116;
inline constexpr UINT WM_INITMENUPOPUP = 0x0117;
inline constexpr UINT WM_MENUSELECT = 0x011F;
inline constexpr UINT WM_MENUCHAR = 0x0120;
inline constexpr UINT WM_ENTERIDLE = 0x0121;
inline constexpr UINT WM_MENURBUTTONUP = 0x0122;
inline constexpr UINT WM_CHANGEUISTATE = 0x0127;
inline constexpr UINT WM_UPDATEUISTATE = 0x0128;
inline constexpr UINT WM_QUERYUISTATE = 0x0129;
inline constexpr UINT WM_CTLCOLORMSGBOX = 0x0132;
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133;
inline constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
inline constexpr UINT WM_CTLCOLORBTN = 0x0135;
inline constexpr UINT WM_CTLCOLORDLG = 0x0136;
inline constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
inline constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
inline constexpr UINT WM_MOUSEFIRST = 0x0200;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_XBUTTONDOWN = 0x020B;
inline constexpr UINT WM_XBUTTONUP = 0x020C;
inline constexpr UINT WM_XBUTTONDBLCLK = 0x020D;
inline constexpr UINT WM_MOUSELAST = 0x020D;
inline constexpr UINT WM_PARENTNOTIFY = 0x0210;
inline constexpr UINT WM_ENTERMENULOOP = 0x0211;
inline constexpr UINT WM_EXITMENULOOP = 0x0212;
inline constexpr UINT WM_NEXTMENU = 0x0213;
inline constexpr UINT WM_SIZING = 0x0214;
inline constexpr UINT WM_CAPTURECHANGED = 0x0215;
inline constexpr UINT WM_MOVING = 0x0216;
inline constexpr UINT WM_POWERBROADCAST = 0x0218;
inline constexpr UINT WM_DEVICECHANGE = 0x0219;
inline constexpr UINT WM_MDICREATE = 0x0220;
inline constexpr UINT WM_MDIDESTROY = 0x0221;
inline constexpr UINT WM_MDIACTIVATE = 0x0222;
inline constexpr UINT WM_ENTERSIZEMOVE = 0x0231;
inline constexpr UINT WM_EXITSIZEMOVE = 0x0232;
inline constexpr UINT WM_DROPFILES = 0x0233;
inline constexpr UINT WM_IME_SETCONTEXT = 0x0281;
inline constexpr UINT WM_IME_NOTIFY = 0x0282;
inline constexpr UINT WM_IME_CONTROL = 0x0283;
inline constexpr UINT WM_IME_COMPOSITIONFULL = 0x0284;
inline constexpr UINT WM_IME_SELECT = 0x0285;
inline constexpr UINT WM_IME_CHAR = 0x0286;
inline constexpr UINT WM_IME_KEYDOWN = 0x0290;
inline constexpr UINT WM_IME_KEYUP = 0x0291;
inline constexpr UINT WM_NCMOUSEHOVER = 0x02A0;
inline constexpr UINT WM_MOUSEHOVER = 0x02A1;
inline constexpr UINT WM_NCMOUSELEAVE = 0x02A2;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;
inline constexpr UINT WM_RENDERFORMAT = 0x0305;
inline constexpr UINT WM_RENDERALLFORMATS = 0x0306;
inline constexpr UINT WM_DESTROYCLIPBOARD = 0x0307;
inline constexpr UINT WM_DRAWCLIPBOARD = 0x0308;
inline constexpr UINT WM_CHANGECBCHAIN = 0x030D;
inline constexpr UINT WM_QUERYNEWPALETTE = 0x030F;
inline constexpr UINT WM_PALETTEISCHANGING = 0x0310;
inline constexpr UINT WM_PALETTECHANGED = 0x0311;
inline constexpr UINT WM_HOTKEY = 0x0312;
inline constexpr UINT WM_PRINT = 0x0317;
inline constexpr UINT WM_PRINTCLIENT = 0x0318;
inline constexpr UINT WM_APPCOMMAND = 0x0319;
inline constexpr UINT WM_THEMECHANGED = 0x031A;
// The layer's own request that a window come to the foreground, sent by another process's SetForegroundWindow: it
// travels like WM_CLOSE and is handled by DispatchMessage, never by a window procedure.
inline constexpr UINT WM_LAYER_FOREGROUND = 0x03F0;
// A termination signal reached the process (the signal in wParam): the application closes its main form.
inline constexpr UINT WM_LAYER_TERMINATE = 0x03F1;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// ---- Edit, scroll bar, button, combo box and list box control messages ----------------------------------------
inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_GETRECT = 0x00B2;
inline constexpr UINT EM_SETRECT = 0x00B3;
inline constexpr UINT EM_SETRECTNP = 0x00B4;
inline constexpr UINT EM_SCROLL = 0x00B5;
inline constexpr UINT EM_LINESCROLL = 0x00B6;
inline constexpr UINT EM_SCROLLCARET = 0x00B7;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_GETLINECOUNT = 0x00BA;
inline constexpr UINT EM_LINEINDEX = 0x00BB;
inline constexpr UINT EM_SETHANDLE = 0x00BC;
inline constexpr UINT EM_GETHANDLE = 0x00BD;
inline constexpr UINT EM_GETTHUMB = 0x00BE;
inline constexpr UINT EM_LINELENGTH = 0x00C1;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_GETLINE = 0x00C4;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_SETLIMITTEXT = 0x00C5;
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_FMTLINES = 0x00C8;
inline constexpr UINT EM_LINEFROMCHAR = 0x00C9;
inline constexpr UINT EM_SETTABSTOPS = 0x00CB;
inline constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EM_SETWORDBREAKPROC = 0x00D0;
inline constexpr UINT EM_GETWORDBREAKPROC = 0x00D1;
inline constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
inline constexpr UINT EM_SETMARGINS = 0x00D3;
inline constexpr UINT EM_GETMARGINS = 0x00D4;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;
inline constexpr UINT EM_POSFROMCHAR = 0x00D6;
inline constexpr UINT EM_CHARFROMPOS = 0x00D7;

inline constexpr UINT SBM_SETPOS = 0x00E0;
inline constexpr UINT SBM_GETPOS = 0x00E1;
inline constexpr UINT SBM_SETRANGE = 0x00E2;
inline constexpr UINT SBM_GETRANGE = 0x00E3;
inline constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
inline constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
inline constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
inline constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr UINT BM_SETSTATE = 0x00F3;
inline constexpr UINT BM_SETSTYLE = 0x00F4;
inline constexpr UINT BM_CLICK = 0x00F5;
inline constexpr UINT BM_GETIMAGE = 0x00F6;
inline constexpr UINT BM_SETIMAGE = 0x00F7;

inline constexpr UINT CB_GETEDITSEL = 0x0140;
inline constexpr UINT CB_LIMITTEXT = 0x0141;
inline constexpr UINT CB_SETEDITSEL = 0x0142;
inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_DIR = 0x0145;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_FINDSTRING = 0x014C;
inline constexpr UINT CB_SELECTSTRING = 0x014D;
inline constexpr UINT CB_SETCURSEL = 0x014E;
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;
inline constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;
inline constexpr UINT CB_SETITEMHEIGHT = 0x0153;
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;
inline constexpr UINT CB_SETEXTENDEDUI = 0x0155;
inline constexpr UINT CB_GETEXTENDEDUI = 0x0156;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
inline constexpr UINT CB_SETLOCALE = 0x0159;
inline constexpr UINT CB_GETLOCALE = 0x015A;
inline constexpr UINT CB_GETTOPINDEX = 0x015B;
inline constexpr UINT CB_SETTOPINDEX = 0x015C;
inline constexpr UINT CB_GETHORIZONTALEXTENT = 0x015D;
inline constexpr UINT CB_SETHORIZONTALEXTENT = 0x015E;
inline constexpr UINT CB_GETDROPPEDWIDTH = 0x015F;
inline constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;
inline constexpr UINT CB_INITSTORAGE = 0x0161;

inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_INSERTSTRING = 0x0181;
inline constexpr UINT LB_DELETESTRING = 0x0182;
inline constexpr UINT LB_SELITEMRANGEEX = 0x0183;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETSEL = 0x0185;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETSEL = 0x0187;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTEXT = 0x0189;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_SELECTSTRING = 0x018C;
inline constexpr UINT LB_DIR = 0x018D;
inline constexpr UINT LB_GETTOPINDEX = 0x018E;
inline constexpr UINT LB_FINDSTRING = 0x018F;
inline constexpr UINT LB_GETSELCOUNT = 0x0190;
inline constexpr UINT LB_GETSELITEMS = 0x0191;
inline constexpr UINT LB_SETTABSTOPS = 0x0192;
inline constexpr UINT LB_GETHORIZONTALEXTENT = 0x0193;
inline constexpr UINT LB_SETHORIZONTALEXTENT = 0x0194;
inline constexpr UINT LB_SETCOLUMNWIDTH = 0x0195;
inline constexpr UINT LB_ADDFILE = 0x0196;
inline constexpr UINT LB_SETTOPINDEX = 0x0197;
inline constexpr UINT LB_GETITEMRECT = 0x0198;
inline constexpr UINT LB_GETITEMDATA = 0x0199;
inline constexpr UINT LB_SETITEMDATA = 0x019A;
inline constexpr UINT LB_SELITEMRANGE = 0x019B;
inline constexpr UINT LB_SETANCHORINDEX = 0x019C;
inline constexpr UINT LB_GETANCHORINDEX = 0x019D;
inline constexpr UINT LB_SETCARETINDEX = 0x019E;
inline constexpr UINT LB_GETCARETINDEX = 0x019F;
inline constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
inline constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
inline constexpr UINT LB_SETLOCALE = 0x01A5;
inline constexpr UINT LB_GETLOCALE = 0x01A6;
inline constexpr UINT LB_SETCOUNT = 0x01A7;
inline constexpr UINT LB_INITSTORAGE = 0x01A8;
inline constexpr UINT LB_ITEMFROMPOINT = 0x01A9;

// Status bar messages (the common controls' SB_ family beside the scroll codes below).
inline constexpr UINT SB_SETTEXT = WM_USER + 1;
inline constexpr UINT SB_GETTEXT = WM_USER + 2;
inline constexpr UINT SB_GETTEXTLENGTH = WM_USER + 3;
inline constexpr UINT SB_SETPARTS = WM_USER + 4;
inline constexpr UINT SB_GETPARTS = WM_USER + 6;
inline constexpr UINT SB_GETBORDERS = WM_USER + 7;
inline constexpr UINT SB_SETMINHEIGHT = WM_USER + 8;
inline constexpr UINT SB_SIMPLE = WM_USER + 9;
inline constexpr UINT SB_GETRECT = WM_USER + 10;
inline constexpr UINT SB_ISSIMPLE = WM_USER + 14;
inline constexpr UINT SB_SETICON = WM_USER + 15;
inline constexpr UINT SB_SETTIPTEXT = WM_USER + 16;
inline constexpr UINT SB_GETTIPTEXT = WM_USER + 18;

// Scroll codes (LOWORD of WM_HSCROLL/WM_VSCROLL's wParam) and scroll bar kinds.
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;

// Notification codes in WM_COMMAND's HIWORD(wParam).
inline constexpr WORD BN_CLICKED = 0;
inline constexpr WORD BN_DOUBLECLICKED = 5;
inline constexpr WORD EN_SETFOCUS = 0x0100;
inline constexpr WORD EN_KILLFOCUS = 0x0200;
inline constexpr WORD EN_CHANGE = 0x0300;
inline constexpr WORD EN_UPDATE = 0x0400;
inline constexpr WORD EN_ERRSPACE = 0x0500;
inline constexpr WORD EN_MAXTEXT = 0x0501;
inline constexpr WORD EN_HSCROLL = 0x0601;
inline constexpr WORD EN_VSCROLL = 0x0602;
inline constexpr WORD LBN_ERRSPACE = static_cast<WORD>(-2);
inline constexpr WORD LBN_SELCHANGE = 1;
inline constexpr WORD LBN_DBLCLK = 2;
inline constexpr WORD LBN_SELCANCEL = 3;
inline constexpr WORD LBN_SETFOCUS = 4;
inline constexpr WORD LBN_KILLFOCUS = 5;
inline constexpr WORD CBN_ERRSPACE = static_cast<WORD>(-1);
inline constexpr WORD CBN_SELCHANGE = 1;
inline constexpr WORD CBN_DBLCLK = 2;
inline constexpr WORD CBN_SETFOCUS = 3;
inline constexpr WORD CBN_KILLFOCUS = 4;
inline constexpr WORD CBN_EDITCHANGE = 5;
inline constexpr WORD CBN_EDITUPDATE = 6;
inline constexpr WORD CBN_DROPDOWN = 7;
inline constexpr WORD CBN_CLOSEUP = 8;
inline constexpr WORD CBN_SELENDOK = 9;
inline constexpr WORD CBN_SELENDCANCEL = 10;

// ---- Mouse key states, hit-test codes, system commands ----------------------------------------------------------
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;
inline constexpr WPARAM MK_XBUTTON1 = 0x0020;
inline constexpr WPARAM MK_XBUTTON2 = 0x0040;

inline constexpr LRESULT HTERROR = -2;
inline constexpr LRESULT HTTRANSPARENT = -1;
inline constexpr LRESULT HTNOWHERE = 0;
inline constexpr LRESULT HTCLIENT = 1;
inline constexpr LRESULT HTCAPTION = 2;
inline constexpr LRESULT HTSYSMENU = 3;
inline constexpr LRESULT HTGROWBOX = 4;
inline constexpr LRESULT HTSIZE = 4;
inline constexpr LRESULT HTMENU = 5;
inline constexpr LRESULT HTHSCROLL = 6;
inline constexpr LRESULT HTVSCROLL = 7;
inline constexpr LRESULT HTMINBUTTON = 8;
inline constexpr LRESULT HTREDUCE = 8;
inline constexpr LRESULT HTMAXBUTTON = 9;
inline constexpr LRESULT HTZOOM = 9;
inline constexpr LRESULT HTLEFT = 10;
inline constexpr LRESULT HTRIGHT = 11;
inline constexpr LRESULT HTTOP = 12;
inline constexpr LRESULT HTTOPLEFT = 13;
inline constexpr LRESULT HTTOPRIGHT = 14;
inline constexpr LRESULT HTBOTTOM = 15;
inline constexpr LRESULT HTBOTTOMLEFT = 16;
inline constexpr LRESULT HTBOTTOMRIGHT = 17;
inline constexpr LRESULT HTBORDER = 18;
inline constexpr LRESULT HTOBJECT = 19;
inline constexpr LRESULT HTCLOSE = 20;
inline constexpr LRESULT HTHELP = 21;

inline constexpr WPARAM SC_SIZE = 0xF000;
inline constexpr WPARAM SC_MOVE = 0xF010;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_ICON = SC_MINIMIZE;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_ZOOM = SC_MAXIMIZE;
inline constexpr WPARAM SC_NEXTWINDOW = 0xF040;
inline constexpr WPARAM SC_PREVWINDOW = 0xF050;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_VSCROLL = 0xF070;
inline constexpr WPARAM SC_HSCROLL = 0xF080;
inline constexpr WPARAM SC_MOUSEMENU = 0xF090;
inline constexpr WPARAM SC_KEYMENU = 0xF100;
inline constexpr WPARAM SC_ARRANGE = 0xF110;
inline constexpr WPARAM SC_RESTORE = 0xF120;
inline constexpr WPARAM SC_TASKLIST = 0xF130;
inline constexpr WPARAM SC_SCREENSAVE = 0xF140;
inline constexpr WPARAM SC_HOTKEY = 0xF150;
inline constexpr WPARAM SC_DEFAULT = 0xF160;
inline constexpr WPARAM SC_MONITORPOWER = 0xF170;
inline constexpr WPARAM SC_CONTEXTHELP = 0xF180;
inline constexpr WPARAM SC_SEPARATOR = 0xF00F;

// WM_GETDLGCODE answers.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

// ---- The class library's control messages (CM_) and reflected notifications (CN_) -----------------------------
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
inline constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr UINT CM_CANCELMODE = CM_BASE + 4;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr UINT CM_HITTEST = CM_BASE + 10;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
inline constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
inline constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
inline constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr UINT CM_ENTER = CM_BASE + 26;
inline constexpr UINT CM_EXIT = CM_BASE + 27;
inline constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
inline constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
inline constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
inline constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr UINT CM_WININICHANGE = CM_BASE + 37;
inline constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
inline constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
inline constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
inline constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
inline constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
inline constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr UINT CM_GETDATALINK = CM_BASE + 45;
inline constexpr UINT CM_CHILDKEY = CM_BASE + 46;
inline constexpr UINT CM_DRAG = CM_BASE + 47;
inline constexpr UINT CM_HINTSHOW = CM_BASE + 48;
inline constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
inline constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
inline constexpr UINT CM_RECREATEWND = CM_BASE + 51;
inline constexpr UINT CM_INVALIDATE = CM_BASE + 52;
inline constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
inline constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr UINT CM_CHANGED = CM_BASE + 55;
inline constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
inline constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
inline constexpr UINT CM_FLOAT = CM_BASE + 58;
inline constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
inline constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
inline constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
inline constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
inline constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
inline constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
inline constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
inline constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
inline constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;
inline constexpr UINT CM_ISSHORTCUT = CM_BASE + 68;
inline constexpr UINT CM_INVALIDATEDOCKHOST = CM_BASE + 70;
inline constexpr UINT CM_SETACTIVECONTROL = CM_BASE + 71;
inline constexpr UINT CM_POPUPHWNDDESTROY = CM_BASE + 72;
inline constexpr UINT CM_CREATEPOPUP = CM_BASE + 73;
inline constexpr UINT CM_DESTROYHANDLE = CM_BASE + 74;
inline constexpr UINT CM_MOUSEACTIVATE = CM_BASE + 75;

inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
inline constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
inline constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
inline constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
inline constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
inline constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
inline constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
inline constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
inline constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
inline constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
inline constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// ---- Message records -------------------------------------------------------------------------------------------
// Every record has TMessage's layout (message number, then the pointer-sized wParam, lParam and result), so a
// handler may view a TMessage as the record of its message, as the class library's handlers do.

struct TSmallPoint {
  SHORT x = 0;
  SHORT y = 0;
};

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  WORD LParamLo() const { return LOWORD(static_cast<DWORD_PTR>(LParam)); }
  WORD LParamHi() const { return HIWORD(static_cast<DWORD_PTR>(LParam)); }
  WORD ResultLo() const { return LOWORD(static_cast<DWORD_PTR>(Result)); }
  WORD ResultHi() const { return HIWORD(static_cast<DWORD_PTR>(Result)); }
};

// Views a message as another record of the same layout.
template <class T> T& MessageAs(TMessage& M) {
  static_assert(sizeof(T) == sizeof(TMessage));
  return reinterpret_cast<T&>(M);
}

struct TWMNoParams {
  UINT Msg;
  WPARAM Unused0;
  LPARAM Unused1;
  LRESULT Result;
};

// Keyboard messages: CharCode is the virtual key (or the character for WM_CHAR), KeyData the key data bits.
struct TWMKey {
  UINT Msg;
  union {
    WORD CharCode;
    WPARAM WParamFull;
  };
  union {
    LONG KeyData;
    LPARAM LParamFull;
  };
  LRESULT Result;
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMSysChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TWMSysKeyUp = TWMKey;

// Client-area mouse messages: Keys holds MK_ flags, XPos/YPos the client coordinates.
struct TWMMouse {
  UINT Msg;
  WPARAM Keys;
  union {
    struct {
      SHORT XPos;
      SHORT YPos;
    };
    TSmallPoint Pos;
    LPARAM LParamFull;
  };
  LRESULT Result;
};
using TWMMouseMove = TWMMouse;
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMRButtonDblClk = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMButtonUp = TWMMouse;
using TWMMButtonDblClk = TWMMouse;

// WM_MOUSEWHEEL: Keys in the low word and the signed delta (120 per notch) in the high word of wParam, the
// pointer in screen coordinates.
struct TWMMouseWheel {
  UINT Msg;
  union {
    struct {
      SHORT Keys;
      SHORT WheelDelta;
    };
    WPARAM WParamFull;
  };
  union {
    struct {
      SHORT XPos;
      SHORT YPos;
    };
    TSmallPoint Pos;
    LPARAM LParamFull;
  };
  LRESULT Result;
};

// Non-client mouse messages: the hit-test code and the pointer in screen coordinates.
struct TWMNCHitMessage {
  UINT Msg;
  WPARAM HitTest;
  union {
    struct {
      SHORT XCursor;
      SHORT YCursor;
    };
    LPARAM LParamFull;
  };
  LRESULT Result;
};
using TWMNCLButtonDown = TWMNCHitMessage;
using TWMNCLButtonUp = TWMNCHitMessage;
using TWMNCLButtonDblClk = TWMNCHitMessage;
using TWMNCMouseMove = TWMNCHitMessage;

// WM_NCHITTEST: the pointer in screen coordinates; Result is the HT code.
struct TWMNCHitTest {
  UINT Msg;
  WPARAM Unused;
  union {
    struct {
      SHORT XPos;
      SHORT YPos;
    };
    TSmallPoint Pos;
    LPARAM LParamFull;
  };
  LRESULT Result;
};

struct TWMSize {
  UINT Msg;
  WPARAM SizeType;
  union {
    struct {
      WORD Width;
      WORD Height;
    };
    LPARAM LParamFull;
  };
  LRESULT Result;
};

struct TWMMove {
  UINT Msg;
  WPARAM Unused;
  union {
    struct {
      SHORT XPos;
      SHORT YPos;
    };
    TSmallPoint Pos;
    LPARAM LParamFull;
  };
  LRESULT Result;
};

struct TWMSetFocus {
  UINT Msg;
  HWND FocusedWnd;
  LPARAM Unused;
  LRESULT Result;
};
using TWMKillFocus = TWMSetFocus;

struct TWMActivate {
  UINT Msg;
  union {
    struct {
      WORD Active;
      WORD Minimized;
    };
    WPARAM WParamFull;
  };
  HWND ActiveWindow;  // pointer-sized, as lParam
  LRESULT Result;
};

struct TWMTimer {
  UINT Msg;
  WPARAM TimerID;
  LPARAM TimerProc;
  LRESULT Result;
};

struct TWMCommand {
  UINT Msg;
  union {
    struct {
      WORD ItemID;
      WORD NotifyCode;
    };
    WPARAM WParamFull;
  };
  HWND Ctl;
  LRESULT Result;
};

struct TWMSysCommand {
  UINT Msg;
  WPARAM CmdType;
  union {
    struct {
      SHORT XPos;
      SHORT YPos;
    };
    LPARAM LParamFull;
  };
  LRESULT Result;
};

struct TWMScroll {
  UINT Msg;
  union {
    struct {
      WORD ScrollCode;
      SHORT Pos;
    };
    WPARAM WParamFull;
  };
  HWND ScrollBar;
  LRESULT Result;
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

struct TWMSetCursor {
  UINT Msg;
  HWND CursorWnd;
  union {
    struct {
      WORD HitTest;
      WORD MouseMsg;
    };
    LPARAM LParamFull;
  };
  LRESULT Result;
};

struct TWMMouseActivate {
  UINT Msg;
  HWND TopLevel;
  union {
    struct {
      WORD HitTestCode;
      WORD MouseMsg;
    };
    LPARAM LParamFull;
  };
  LRESULT Result;
};

struct TWMCaptureChanged {
  UINT Msg;
  WPARAM Unused;
  HWND NewCaptureWnd;  // lParam
  LRESULT Result;
};

struct TWMShowWindow {
  UINT Msg;
  WPARAM Show;
  LPARAM Status;
  LRESULT Result;
};

struct TWMGetDlgCode {
  UINT Msg;
  WPARAM Unused;
  LPARAM MsgPtr;  // a MSG* or 0
  LRESULT Result;
};

struct TWMEraseBkgnd {
  UINT Msg;
  HDC DC;
  LPARAM Unused;
  LRESULT Result;
};

struct TWMPaint {
  UINT Msg;
  HDC DC;
  LPARAM Unused;
  LRESULT Result;
};

// The header of every WM_NOTIFY record.
struct NMHDR {
  HWND hwndFrom = 0;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};
using TNMHdr = NMHDR;

struct TWMContextMenu {
  UINT Msg;
  HWND hWnd;
  union {
    struct {
      SHORT XPos;
      SHORT YPos;
    };
    TSmallPoint Pos;
    LPARAM LParamFull;
  };
  LRESULT Result;
};

// CM_DIALOGKEY, CM_DIALOGCHAR, CM_WANTSPECIALKEY and CN_KEYDOWN carry the key message's fields.
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

static_assert(sizeof(TWMKey) == sizeof(TMessage) && sizeof(TWMMouse) == sizeof(TMessage) &&
              sizeof(TWMMouseWheel) == sizeof(TMessage) && sizeof(TWMActivate) == sizeof(TMessage));
