// What the shell namespace reads from the system: the mount table and its volumes, drive types, device-change
// broadcasts, desktop entries (shortcuts), type names from the shared MIME database and the system image lists.
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/ImgList.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/Messages.h"
#include "platform/win/ShellInternals.h"
#include "platform/win/WinUser.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

namespace {

std::mutex MountLock;
std::string MountFile = "/proc/self/mounts";

std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

// A field of the table with its \ooo escapes undone; false for a bad escape.
bool Unescape(std::string_view Field, std::string& Out) {
  Out.clear();
  for (std::size_t I = 0; I < Field.size(); ++I) {
    if (Field[I] != '\\') {
      Out += Field[I];
      continue;
    }
    if (I + 3 >= Field.size()) {
      return false;
    }
    int V = 0;
    for (int K = 1; K <= 3; ++K) {
      const char C = Field[I + K];
      if (C < '0' || C > '7') {
        return false;
      }
      V = V * 8 + (C - '0');
    }
    if (V == 0 || V > 255) {
      return false;
    }
    Out += static_cast<char>(V);
    I += 3;
  }
  return true;
}

const std::set<std::string, std::less<>>& PseudoTypes() {
  static const std::set<std::string, std::less<>> T = {
      "proc",       "sysfs",     "devtmpfs",  "devpts",   "cgroup",     "cgroup2",  "securityfs", "pstore",
      "debugfs",    "tracefs",   "mqueue",    "hugetlbfs", "configfs",  "fusectl",  "binfmt_misc", "autofs",
      "bpf",        "rpc_pipefs", "nsfs",     "efivarfs", "selinuxfs",  "tmpfs",    "ramfs",      "squashfs",
      "fuse.gvfsd-fuse", "fuse.portal", "nfsd", "overlay_pseudo", "none"};
  return T;
}

UINT DriveTypeOf(const std::string& Type, const std::string& MountPoint) {
  if (Type == "nfs" || Type == "nfs4" || Type == "cifs" || Type == "smb3" || Type == "smbfs" || Type == "9p" ||
      Type == "fuse.sshfs" || Type == "afs" || Type == "ceph" || Type == "glusterfs") {
    return DRIVE_REMOTE;
  }
  if (Type == "iso9660" || Type == "udf") {
    return DRIVE_CDROM;
  }
  if (Type == "tmpfs" || Type == "ramfs") {
    return DRIVE_RAMDISK;
  }
  if (MountPoint.rfind("/media/", 0) == 0 || MountPoint.rfind("/run/media/", 0) == 0 ||
      Type == "vfat" || Type == "exfat" || Type == "msdos") {
    return DRIVE_REMOVABLE;
  }
  return DRIVE_FIXED;
}

std::vector<TMountEntry> ReadTable() {
  std::string Name;
  {
    std::lock_guard<std::mutex> G(MountLock);
    Name = MountFile;
  }
  std::vector<TMountEntry> Entries;
  ParseMountTable(ReadFile(Name), Entries);
  return Entries;
}

std::string VolumesKey(const std::vector<TMountEntry>& V) {
  std::string K;
  for (const TMountEntry& E : V) {
    K += E.MountPoint + '\n';
  }
  return K;
}

// ---- The system image lists ----------------------------------------------------------------------------------------
enum TIcon { IconFile, IconFolder, IconFolderOpen, IconHome, IconComputer, IconDrive, IconTrash, IconDesktop,
             IconLinkMark, IconShareMark, IconRemovable, IconShortcut, IconCount };

class TPainter {
public:
  explicit TPainter(int Size) : FSize(Size), FPixels(static_cast<std::size_t>(Size * Size), 0x00FF00FF) {}
  // Fills the box given on a 16-pixel grid (scaled to the size).
  void Box(int L, int T, int R, int B, DWORD Color) {
    const int S = FSize / 16;
    for (int Y = T * S; Y < B * S && Y < FSize; ++Y) {
      for (int X = L * S; X < R * S && X < FSize; ++X) {
        FPixels[static_cast<std::size_t>(Y * FSize + X)] = Color;
      }
    }
  }
  void Frame(int L, int T, int R, int B, DWORD Fill, DWORD Edge) {
    Box(L, T, R, B, Edge);
    Box(L + 1, T + 1, R - 1, B - 1, Fill);
  }
  const std::vector<DWORD>& Pixels() const { return FPixels; }

private:
  int FSize;
  std::vector<DWORD> FPixels;
};

void Paint(TPainter& P, int Icon) {
  const DWORD Edge = 0x404040, Yellow = 0xF0C040, Light = 0xFFE080, White = 0xFFFFFF, Blue = 0x3070C0,
              Gray = 0xA0A0A0;
  switch (Icon) {
    case IconFile:
    case IconShortcut:
      P.Frame(3, 1, 13, 15, White, Edge);
      if (Icon == IconShortcut) {
        P.Box(5, 6, 11, 10, Blue);
      }
      break;
    case IconFolder:
    case IconFolderOpen:
      P.Frame(1, 2, 7, 5, Yellow, Edge);
      P.Frame(1, 4, 15, 14, Icon == IconFolderOpen ? Light : Yellow, Edge);
      break;
    case IconHome:
      P.Frame(3, 7, 13, 14, Light, Edge);
      P.Box(2, 6, 14, 7, 0xA03020);
      P.Box(4, 4, 12, 6, 0xA03020);
      P.Box(6, 2, 10, 4, 0xA03020);
      P.Box(7, 10, 9, 14, Edge);
      break;
    case IconComputer:
      P.Frame(1, 2, 15, 11, Blue, Edge);
      P.Box(5, 12, 11, 14, Gray);
      break;
    case IconDrive:
    case IconRemovable:
      P.Frame(1, 5, 15, 11, Gray, Edge);
      P.Box(11, 8, 13, 9, Icon == IconRemovable ? 0xE0A000 : 0x30C030);
      break;
    case IconTrash:
      P.Frame(3, 2, 13, 4, Gray, Edge);
      P.Frame(4, 4, 12, 15, 0xD0D0D0, Edge);
      break;
    case IconDesktop: P.Frame(1, 2, 15, 13, 0x4090E0, Edge); break;
    case IconLinkMark:
      P.Frame(0, 9, 7, 16, White, Edge);
      P.Box(2, 11, 5, 12, Edge);
      P.Box(4, 11, 5, 14, Edge);
      break;
    case IconShareMark:
      P.Box(0, 12, 8, 16, Blue);
      P.Box(2, 10, 6, 12, Blue);
      break;
    default: break;
  }
}

// ---- The shared MIME database ---------------------------------------------------------------------------------------
std::vector<std::string> MimeDirs() {
  std::vector<std::string> Dirs;
  const char* Home = std::getenv("XDG_DATA_HOME");
  Dirs.push_back((Home && *Home ? std::string(Home) : ShellNs::HomeFolder() + "/.local/share") + "/mime");
  const char* Data = std::getenv("XDG_DATA_DIRS");
  std::string List = Data && *Data ? Data : "/usr/local/share:/usr/share";
  for (std::size_t I = 0; I <= List.size();) {
    const std::size_t J = std::min(List.find(':', I), List.size());
    if (J > I) {
      Dirs.push_back(List.substr(I, J - I) + "/mime");
    }
    I = J + 1;
  }
  return Dirs;
}

struct TMimeDatabase {
  std::map<std::string, std::string> Extensions;  // lower-case ".ext" -> type
  std::map<std::string, std::string> Comments;    // type -> comment (cached)
  std::map<std::string, std::string> Icons;         // type -> icon name (the "icons" file)
  std::map<std::string, std::string> GenericIcons;  // type -> generic icon name (the "generic-icons" file)
  std::vector<std::string> Dirs;
};

// "type:icon" lines.
void ReadIconList(std::string_view Text, std::map<std::string, std::string>& Icons) {
  for (std::size_t Pos = 0; Pos < Text.size();) {
    std::size_t End = Text.find('\n', Pos);
    if (End == std::string_view::npos) {
      End = Text.size();
    }
    const std::string_view Line = Text.substr(Pos, End - Pos);
    Pos = End + 1;
    const std::size_t Colon = Line.find(':');
    if (!Line.empty() && Line[0] != '#' && Colon != std::string_view::npos && Colon > 0 && Colon + 1 < Line.size()) {
      Icons[std::string(Line.substr(0, Colon))] = std::string(Line.substr(Colon + 1));
    }
  }
}

TMimeDatabase& Mime() {
  static TMimeDatabase* Db = [] {
    auto* D = new TMimeDatabase;
    D->Dirs = MimeDirs();
    for (auto It = D->Dirs.rbegin(); It != D->Dirs.rend(); ++It) {
      std::map<std::string, std::string> Ext;
      ParseMimeGlobs(ReadFile(*It + "/globs2"), Ext);
      for (auto& [K, V] : Ext) {
        D->Extensions[K] = V;  // later (higher-priority) folders win
      }
      ReadIconList(ReadFile(*It + "/icons"), D->Icons);
      ReadIconList(ReadFile(*It + "/generic-icons"), D->GenericIcons);
    }
    return D;
  }();
  return *Db;
}

std::mutex MimeLock;

std::string XmlUnescape(std::string_view S) {
  std::string Out;
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '&') {
      const std::size_t End = S.find(';', I);
      if (End != std::string_view::npos) {
        const std::string_view E = S.substr(I + 1, End - I - 1);
        const char* R = E == "amp" ? "&" : E == "lt" ? "<" : E == "gt" ? ">" : E == "quot" ? "\"" : E == "apos" ? "'" : nullptr;
        if (R) {
          Out += R;
          I = End;
          continue;
        }
      }
    }
    Out += S[I];
  }
  return Out;
}


// The value of attribute "name" of the first element Element ("<icon") of a type's XML, empty when there is none.
std::string XmlNameOf(std::string_view Xml, std::string_view Element) {
  for (std::size_t At = Xml.find(Element); At != std::string_view::npos; At = Xml.find(Element, At + 1)) {
    const std::size_t After = At + Element.size();
    if (After >= Xml.size() || (Xml[After] != ' ' && Xml[After] != '\t' && Xml[After] != '\n')) {
      continue;
    }
    const std::size_t Close = Xml.find('>', After);
    const std::string_view Tag = Xml.substr(After, Close == std::string_view::npos ? Close : Close - After);
    const std::size_t N = Tag.find("name=");
    if (N == std::string_view::npos || N + 5 >= Tag.size() || (Tag[N + 5] != '"' && Tag[N + 5] != '\'')) {
      return {};
    }
    const std::size_t End = Tag.find(Tag[N + 5], N + 6);
    return End == std::string_view::npos ? std::string() : XmlUnescape(Tag.substr(N + 6, End - N - 6));
  }
  return {};
}

// ---- The system image lists ----------------------------------------------------------------------------------------
// An icon as asked for: the theme's names in order, the toolkit's standard icon, the layer's own drawing (when the
// toolkit cannot be asked, and for emblems the theme does not have).
struct TIconSpec {
  std::vector<std::string> Names;
  TStandardIcon Standard = TStandardIcon::None;
  int Drawn = IconFile;
  bool Emblem = false;  // an overlay: drawn at half size in the lower left corner
};

TIconSpec PlaceIcon(const char* Name, TStandardIcon Standard, int Drawn) { return {{Name}, Standard, Drawn, false}; }

TIconSpec FileIcon(const std::string& Type, bool Shortcut) {
  return {MimeIconNames(Type.empty() ? std::string("application/octet-stream") : Type),
          Shortcut ? TStandardIcon::FileLink : TStandardIcon::File, Shortcut ? IconShortcut : IconFile, false};
}

std::vector<std::uint32_t> DrawnPixels(int Icon, int Size) {
  TPainter P(Size);
  Paint(P, Icon);
  std::vector<std::uint32_t> Out(P.Pixels().begin(), P.Pixels().end());
  for (std::uint32_t& Px : Out) {
    Px = Px == 0x00FF00FF ? 0 : (Px | 0xFF000000u);
  }
  return Out;
}

// Adds an image of 0xAARRGGBB pixels: mostly transparent pixels are see-through, the others are laid over the
// window colour (which the lists are mostly drawn on).
int AddImage(HIMAGELIST List, const std::vector<std::uint32_t>& Pixels, int Size) {
  const std::uint32_t Bk = Gdi::ToPixel(GetSysColor(COLOR_WINDOW));
  std::vector<DWORD> Color(Pixels.size()), Mask(Pixels.size());
  for (std::size_t K = 0; K < Pixels.size(); ++K) {
    const std::uint32_t Px = Pixels[K], A = Px >> 24;
    if (A < 128) {
      Color[K] = 0;
      Mask[K] = 0xFFFFFF;
      continue;
    }
    std::uint32_t Mixed = 0;
    for (int Shift = 0; Shift <= 16; Shift += 8) {
      Mixed |= ((((Px >> Shift) & 0xFF) * A + ((Bk >> Shift) & 0xFF) * (255 - A)) / 255) << Shift;
    }
    Color[K] = Mixed;
    Mask[K] = 0;
  }
  HBITMAP C = CreateBitmap(Size, Size, 1, 32, Color.data());
  HBITMAP M = CreateBitmap(Size, Size, 1, 32, Mask.data());
  const int Index = ImageList_Add(List, C, M);
  DeleteObject(C);
  DeleteObject(M);
  return Index;
}

// The two lists (16 and 32 pixels) hold the same icons at the same indexes: one per distinct icon, added when first
// asked for. Index 0 is a file of no known type; the shared and link emblems are overlays 1 and 2.
struct TSystemIcons {
  std::mutex Lock;
  HIMAGELIST Small = 0;
  HIMAGELIST Large = 0;
  std::map<std::string, int> ByRequest;  // what was asked for -> index
  std::map<std::string, int> ByIcon;     // the icon found (its key) -> index

  void Build() {
    if (Small) {
      return;
    }
    Small = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 16);
    Large = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 16, 16);
    IndexOf(FileIcon({}, false));
    const int Shared = IndexOf({{"emblem-shared"}, TStandardIcon::None, IconShareMark, true});
    const int Link = IndexOf({{"emblem-symbolic-link"}, TStandardIcon::None, IconLinkMark, true});
    for (HIMAGELIST L : {Small, Large}) {
      ImageList_SetOverlayImage(L, Shared, 1);
      ImageList_SetOverlayImage(L, Link, 2);
    }
  }

  int IndexOf(const TIconSpec& Spec) {
    std::string Request = Spec.Emblem ? "emblem" : "icon";
    for (const std::string& N : Spec.Names) {
      Request += "|" + N;
    }
    Request += "|" + std::to_string(static_cast<int>(Spec.Standard)) + "|" + std::to_string(Spec.Drawn);
    if (auto It = ByRequest.find(Request); It != ByRequest.end()) {
      return It->second;
    }
    const int Div = Spec.Emblem ? 2 : 1;
    std::string Key;
    std::vector<std::uint32_t> P16, P32;
    const int Found = Gdi::DesktopIcon(Spec.Names, Spec.Standard, 16 / Div, Key, nullptr);
    Key = (Spec.Emblem ? "emblem:" : "") + Key;
    bool Drawn = Found != 1;
    if (!Drawn) {
      if (auto It = ByIcon.find(Key); It != ByIcon.end()) {
        ByRequest[Request] = It->second;
        return It->second;
      }
      std::string Same;
      Drawn = Gdi::DesktopIcon(Spec.Names, Spec.Standard, 16 / Div, Same, &P16) != 1 ||
              Gdi::DesktopIcon(Spec.Names, Spec.Standard, 32 / Div, Same, &P32) != 1;
    }
    if (Drawn) {
      Key = "drawn:" + std::to_string(Spec.Drawn);
      P16 = DrawnPixels(Spec.Drawn, 16);
      P32 = DrawnPixels(Spec.Drawn, 32);
    } else if (Spec.Emblem) {
      P16 = InCorner(P16, 16);
      P32 = InCorner(P32, 32);
    }
    int Index = -1;
    if (auto It = ByIcon.find(Key); It != ByIcon.end()) {
      Index = It->second;
    } else {
      Index = AddImage(Small, P16, 16);
      AddImage(Large, P32, 32);
      ByIcon[Key] = Index;
    }
    if (Found != -1) {  // the toolkit answered: the answer holds for the process
      ByRequest[Request] = Index;
    }
    return Index;
  }

  // A half-size emblem placed in the lower left corner of a full-size image.
  static std::vector<std::uint32_t> InCorner(const std::vector<std::uint32_t>& Half, int Size) {
    const int H = Size / 2;
    std::vector<std::uint32_t> Out(static_cast<std::size_t>(Size * Size), 0);
    for (int Y = 0; Y < H; ++Y) {
      for (int X = 0; X < H; ++X) {
        Out[static_cast<std::size_t>((Size - H + Y) * Size + X)] = Half[static_cast<std::size_t>(Y * H + X)];
      }
    }
    return Out;
  }
};

TSystemIcons& SystemIcons() {
  static TSystemIcons* I = new TSystemIcons;
  return *I;
}

int IconIndex(const TIconSpec& Spec) {
  TSystemIcons& I = SystemIcons();
  std::lock_guard<std::mutex> G(I.Lock);
  I.Build();
  return I.IndexOf(Spec);
}

}  // namespace

bool ParseMountTable(std::string_view Text, std::vector<TMountEntry>& Entries) {
  Entries.clear();
  bool AllGood = true;
  for (std::size_t Pos = 0; Pos < Text.size();) {
    std::size_t End = Text.find('\n', Pos);
    if (End == std::string_view::npos) {
      End = Text.size();
    }
    std::string_view Line = Text.substr(Pos, End - Pos);
    Pos = End + 1;
    std::vector<std::string_view> Fields;
    for (std::size_t I = 0; I < Line.size();) {
      // Only blanks separate fields: the kernel escapes blanks, line feeds and backslashes in names but writes
      // every other byte (a carriage return among them) as it stands.
      while (I < Line.size() && (Line[I] == ' ' || Line[I] == '\t')) {
        ++I;
      }
      std::size_t J = I;
      while (J < Line.size() && Line[J] != ' ' && Line[J] != '\t') {
        ++J;
      }
      if (J > I) {
        Fields.push_back(Line.substr(I, J - I));
      }
      I = J;
    }
    if (Fields.empty() || Fields[0][0] == '#') {
      continue;
    }
    TMountEntry E;
    if (Fields.size() < 3 || !Unescape(Fields[0], E.Device) || !Unescape(Fields[1], E.MountPoint) ||
        !Unescape(Fields[2], E.Type) || (Fields.size() > 3 && !Unescape(Fields[3], E.Options)) ||
        E.MountPoint.empty() || E.MountPoint[0] != '/') {
      AllGood = false;
      continue;
    }
    while (E.MountPoint.size() > 1 && E.MountPoint.back() == '/') {
      E.MountPoint.pop_back();
    }
    E.DriveType = DriveTypeOf(E.Type, E.MountPoint);
    Entries.push_back(std::move(E));
  }
  return AllGood;
}

std::vector<TMountEntry> ShownVolumes() {
  std::vector<TMountEntry> Out;
  TMountEntry Root;
  Root.MountPoint = "/";
  Root.DriveType = DRIVE_FIXED;
  Out.push_back(Root);
  for (TMountEntry& E : ReadTable()) {
    const std::string& M = E.MountPoint;
    if (PseudoTypes().count(E.Type) || M.rfind("/proc", 0) == 0 || M.rfind("/sys", 0) == 0 ||
        M.rfind("/dev", 0) == 0 || (M.rfind("/run", 0) == 0 && M.rfind("/run/media/", 0) != 0)) {
      continue;
    }
    bool Seen = false;
    for (TMountEntry& O : Out) {
      if (O.MountPoint == M) {
        O.Type = E.Type;
        O.Device = E.Device;
        O.DriveType = E.DriveType;  // the last mount over a point is the one that shows
        Seen = true;
      }
    }
    if (!Seen) {
      Out.push_back(std::move(E));
    }
  }
  return Out;
}

void SetMountTableFile(const std::string& FileName) {
  std::lock_guard<std::mutex> G(MountLock);
  MountFile = FileName.empty() ? std::string("/proc/self/mounts") : FileName;
}

UINT GetDriveType(LPCSTR RootPath) {
  struct stat St {};
  if (!RootPath || stat(RootPath, &St) != 0) {
    return DRIVE_NO_ROOT_DIR;
  }
  const std::string P = RootPath;
  const TMountEntry* Best = nullptr;
  const std::vector<TMountEntry> Table = ReadTable();
  for (const TMountEntry& E : Table) {
    const std::string& M = E.MountPoint;
    if ((P == M || M == "/" || P.rfind(M + "/", 0) == 0) && (!Best || M.size() >= Best->MountPoint.size())) {
      Best = &E;
    }
  }
  return Best ? Best->DriveType : DRIVE_FIXED;
}

void BroadcastDeviceChange(WPARAM Event) { PostMessage(HWND_BROADCAST, WM_DEVICECHANGE, Event, 0); }

void WatchDeviceChanges() {
  static std::once_flag Once;
  std::call_once(Once, [] {
    std::thread([] {
      const int Fd = open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
      if (Fd < 0) {
        return;
      }
      std::string Last = VolumesKey(ShownVolumes());
      for (;;) {
        pollfd P{Fd, POLLPRI, 0};
        if (poll(&P, 1, -1) < 0) {
          continue;
        }
        const std::string Now = VolumesKey(ShownVolumes());
        if (Now != Last) {
          BroadcastDeviceChange(Now.size() >= Last.size() ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE);
          Last = Now;
        }
      }
    }).detach();
  });
}

// ---- Desktop entries -------------------------------------------------------------------------------------------------

std::string TDesktopEntry::Get(const std::string& Key) const {
  for (const auto& [K, V] : Keys) {
    if (K == Key) {
      return V;
    }
  }
  return {};
}

void TDesktopEntry::Set(const std::string& Key, const std::string& Value) {
  for (auto& [K, V] : Keys) {
    if (K == Key) {
      V = Value;
      return;
    }
  }
  Keys.emplace_back(Key, Value);
}

bool ParseDesktopEntry(std::string_view Text, TDesktopEntry& Entry, std::string* Error) {
  Entry = TDesktopEntry();
  auto Fail = [&](const std::string& Why) {
    if (Error) {
      *Error = Why;
    }
    return false;
  };
  enum { Before, InMain, InOther } State = Before;
  int LineNo = 0;
  for (std::size_t Pos = 0; Pos < Text.size();) {
    std::size_t End = Text.find('\n', Pos);
    if (End == std::string_view::npos) {
      End = Text.size();
    }
    std::string_view Line = Text.substr(Pos, End - Pos);
    const std::string_view Raw = Text.substr(Pos, std::min(End + 1, Text.size()) - Pos);
    Pos = End + 1;
    ++LineNo;
    if (!Line.empty() && Line.back() == '\r') {
      Line.remove_suffix(1);
    }
    std::size_t First = Line.find_first_not_of(" \t");
    if (First == std::string_view::npos || Line[First] == '#') {
      if (State == InOther) {
        Entry.OtherGroups.append(Raw);
      }
      continue;
    }
    if (Line[First] == '[') {
      const std::size_t Close = Line.find(']', First);
      if (Close == std::string_view::npos) {
        return Fail("line " + std::to_string(LineNo) + ": a group header without ']'");
      }
      const std::string_view Group = Line.substr(First + 1, Close - First - 1);
      if (Group == "Desktop Entry" && State == Before) {
        State = InMain;
      } else {
        if (State == Before) {
          return Fail("the first group is not [Desktop Entry]");
        }
        State = InOther;
        Entry.OtherGroups.append(Raw);
      }
      continue;
    }
    if (State == Before) {
      return Fail("line " + std::to_string(LineNo) + ": a key before [Desktop Entry]");
    }
    if (State == InOther) {
      Entry.OtherGroups.append(Raw);
      continue;
    }
    const std::size_t Eq = Line.find('=');
    if (Eq == std::string_view::npos || Eq == First) {
      return Fail("line " + std::to_string(LineNo) + ": neither key=value, a comment nor a group");
    }
    std::string_view Key = Line.substr(First, Eq - First);
    while (!Key.empty() && (Key.back() == ' ' || Key.back() == '\t')) {
      Key.remove_suffix(1);
    }
    std::string_view Value = Line.substr(Eq + 1);
    while (!Value.empty() && (Value.front() == ' ' || Value.front() == '\t')) {
      Value.remove_prefix(1);
    }
    std::string V;
    for (std::size_t I = 0; I < Value.size(); ++I) {
      if (Value[I] == '\\' && I + 1 < Value.size()) {
        const char C = Value[++I];
        V += C == 's' ? ' ' : C == 'n' ? '\n' : C == 't' ? '\t' : C == 'r' ? '\r' : C;
      } else {
        V += Value[I];
      }
    }
    Entry.Keys.emplace_back(std::string(Key), std::move(V));
  }
  if (State == Before) {
    return Fail("no [Desktop Entry] group");
  }
  return true;
}

std::string FormatDesktopEntry(const TDesktopEntry& Entry) {
  std::string Out = "[Desktop Entry]\n";
  for (const auto& [K, V] : Entry.Keys) {
    Out += K + "=";
    for (std::size_t I = 0; I < V.size(); ++I) {
      const char C = V[I];
      if (C == '\n') {
        Out += "\\n";
      } else if (C == '\t') {
        Out += "\\t";
      } else if (C == '\r') {
        Out += "\\r";
      } else if (C == '\\') {
        Out += "\\\\";
      } else if (C == ' ' && I == 0) {
        Out += "\\s";
      } else {
        Out += C;
      }
    }
    Out += "\n";
  }
  if (!Entry.OtherGroups.empty()) {
    Out += "\n" + Entry.OtherGroups;
  }
  return Out;
}

bool IsShortcutPath(const std::string& Path) {
  struct stat St {};
  if (lstat(Path.c_str(), &St) != 0) {
    return false;
  }
  if (S_ISLNK(St.st_mode)) {
    return true;
  }
  return S_ISREG(St.st_mode) && Path.size() > 8 && Path.compare(Path.size() - 8, 8, ".desktop") == 0;
}

// ---- MIME type names -------------------------------------------------------------------------------------------------

bool ParseMimeGlobs(std::string_view Text, std::map<std::string, std::string>& Extensions) {
  bool AllGood = true;
  std::map<std::string, int> Weights;
  for (std::size_t Pos = 0; Pos < Text.size();) {
    std::size_t End = Text.find('\n', Pos);
    if (End == std::string_view::npos) {
      End = Text.size();
    }
    const std::string_view Line = Text.substr(Pos, End - Pos);
    Pos = End + 1;
    if (Line.empty() || Line[0] == '#') {
      continue;
    }
    const std::size_t A = Line.find(':');
    const std::size_t B = A == std::string_view::npos ? A : Line.find(':', A + 1);
    if (B == std::string_view::npos) {
      AllGood = false;
      continue;
    }
    int Weight = 0;
    for (char C : Line.substr(0, A)) {
      if (C < '0' || C > '9' || Weight > 10000) {
        Weight = -1;
        break;
      }
      Weight = Weight * 10 + (C - '0');
    }
    const std::string_view Type = Line.substr(A + 1, B - A - 1);
    std::string_view Pattern = Line.substr(B + 1);
    Pattern = Pattern.substr(0, Pattern.find(':'));
    if (Weight < 0 || Type.empty()) {
      AllGood = false;
      continue;
    }
    // Only plain extension patterns ("*.html") name types by extension.
    if (Pattern.size() < 3 || Pattern[0] != '*' || Pattern[1] != '.' ||
        Pattern.substr(2).find_first_of("*?[") != std::string_view::npos) {
      continue;
    }
    std::string Ext(Pattern.substr(1));
    for (char& C : Ext) {
      C = C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C;
    }
    auto It = Weights.find(Ext);
    if (It == Weights.end() || Weight > It->second) {
      Weights[Ext] = Weight;
      Extensions[Ext] = std::string(Type);
    }
  }
  return AllGood;
}

std::string MimeComment(const std::string& Type) {
  std::lock_guard<std::mutex> G(MimeLock);
  TMimeDatabase& Db = Mime();
  auto It = Db.Comments.find(Type);
  if (It != Db.Comments.end()) {
    return It->second;
  }
  std::string Comment;
  if (Type.find("..") == std::string::npos) {
    for (const std::string& Dir : Db.Dirs) {
      const std::string Xml = ReadFile(Dir + "/" + Type + ".xml");
      const std::size_t Start = Xml.find("<comment>");
      const std::size_t Stop = Start == std::string::npos ? Start : Xml.find("</comment>", Start);
      if (Stop != std::string::npos) {
        Comment = ShellNs::DisplayFromFileName(XmlUnescape(std::string_view(Xml).substr(Start + 9, Stop - Start - 9)));
        break;
      }
    }
  }
  Db.Comments[Type] = Comment;
  return Comment;
}

std::vector<std::string> MimeIconNames(const std::string& Type) {
  std::string Icon, Generic;
  {
    std::lock_guard<std::mutex> G(MimeLock);
    TMimeDatabase& Db = Mime();
    if (auto It = Db.Icons.find(Type); It != Db.Icons.end()) {
      Icon = It->second;
    }
    if (auto It = Db.GenericIcons.find(Type); It != Db.GenericIcons.end()) {
      Generic = It->second;
    }
    if (Type.find("..") == std::string::npos && (Icon.empty() || Generic.empty())) {
      for (const std::string& Dir : Db.Dirs) {
        const std::string Xml = ReadFile(Dir + "/" + Type + ".xml");
        if (!Xml.empty()) {
          Icon = Icon.empty() ? XmlNameOf(Xml, "<icon") : Icon;
          Generic = Generic.empty() ? XmlNameOf(Xml, "<generic-icon") : Generic;
          break;
        }
      }
    }
  }
  std::string Own = Type;
  std::replace(Own.begin(), Own.end(), '/', '-');
  const std::string Media = Type.substr(0, Type.find('/'));
  std::vector<std::string> Names;
  for (const std::string& N : {Icon, Own, Generic, Media + "-x-generic",
                               std::string(Media == "text" ? "text-x-generic" : "application-x-generic")}) {
    if (!N.empty() && N != "-x-generic" && std::find(Names.begin(), Names.end(), N) == Names.end()) {
      Names.push_back(N);
    }
  }
  return Names;
}

std::string MimeTypeOfName(const std::string& Name) {
  const std::size_t Dot = Name.rfind('.');
  if (Dot == std::string::npos || Dot == 0) {
    return {};
  }
  std::string Ext = Name.substr(Dot);
  for (char& C : Ext) {
    C = C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C;
  }
  std::lock_guard<std::mutex> G(MimeLock);
  auto It = Mime().Extensions.find(Ext);
  return It == Mime().Extensions.end() ? std::string() : It->second;
}

namespace ShellNs {

std::uintptr_t SystemImages(bool Small) {
  TSystemIcons& I = SystemIcons();
  std::lock_guard<std::mutex> G(I.Lock);
  I.Build();
  return Small ? I.Small : I.Large;
}

int IconIndexOf(const TPlace& Place, bool Open) {
  if (!Place.Valid) {
    return 0;
  }
  if (Place.Desktop) {
    return IconIndex(PlaceIcon("user-desktop", TStandardIcon::Desktop, IconDesktop));
  }
  switch (Place.Virtual) {
    case VirtualHome: return IconIndex(PlaceIcon("user-home", TStandardIcon::Home, IconHome));
    case VirtualComputer: return IconIndex(PlaceIcon("computer", TStandardIcon::Computer, IconComputer));
    case VirtualTrash: return IconIndex(PlaceIcon("user-trash", TStandardIcon::Trash, IconTrash));
    default: break;
  }
  struct stat St {};
  if (stat(Place.Path.c_str(), &St) == 0 && S_ISDIR(St.st_mode)) {
    for (const TMountEntry& V : ShownVolumes()) {
      if (V.MountPoint == Place.Path) {
        return V.DriveType == DRIVE_REMOVABLE || V.DriveType == DRIVE_CDROM
                   ? IconIndex(PlaceIcon("drive-removable-media", TStandardIcon::Removable, IconRemovable))
                   : IconIndex(PlaceIcon("drive-harddisk", TStandardIcon::Drive, IconDrive));
      }
    }
    return FolderIconIndex(Open);
  }
  const std::string Name = Place.Path.substr(Place.Path.rfind('/') + 1);
  return IconIndex(FileIcon(MimeTypeOfName(Name), IsShortcutPath(Place.Path)));
}

int FileIconIndex(const std::string& Name) { return IconIndex(FileIcon(MimeTypeOfName(Name), false)); }

int FolderIconIndex(bool Open) {
  return Open ? IconIndex(TIconSpec{{"folder-open", "folder"}, TStandardIcon::FolderOpen, IconFolderOpen, false})
              : IconIndex(PlaceIcon("folder", TStandardIcon::Folder, IconFolder));
}

std::string TypeNameOf(const TPlace& Place) {
  if (!Place.Valid) {
    return {};
  }
  if (Place.Desktop || Place.Virtual || Place.Path.empty()) {
    return Place.Virtual == VirtualHome ? "Folder" : "System Folder";
  }
  struct stat St {};
  if (stat(Place.Path.c_str(), &St) == 0 && S_ISDIR(St.st_mode)) {
    return "Folder";
  }
  const std::string Name = Place.Path.substr(Place.Path.rfind('/') + 1);
  const std::string Type = MimeTypeOfName(Name);
  std::string Comment = Type.empty() ? std::string() : MimeComment(Type);
  if (!Comment.empty()) {
    return Comment;
  }
  const std::size_t Dot = Name.rfind('.');
  if (Dot == std::string::npos || Dot == 0) {
    return "File";
  }
  std::string Ext = Name.substr(Dot + 1);
  for (char& C : Ext) {
    C = C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C;
  }
  return DisplayFromFileName(Ext) + " File";
}

}  // namespace ShellNs
