// Per-language sound codes.
#include "spell/Lx3phoneticsmap.h"

#include "platform/rtl/SysUtils.h"

bool TReplaceNode::GetNextMap(const std::string& Text, std::string& Destination, std::size_t Position,
                              int& Skip) const {
  if (Position < Text.size()) {
    const auto& Child = FChildren[static_cast<unsigned char>(Text[Position])];
    if (Child && Child->GetNextMap(Text, Destination, Position + 1, Skip)) {
      return true;
    }
  }
  if (FIsDestination) {
    Destination = FDestination;
    Skip = FSkip;
    return true;
  }
  return false;
}

void TReplaceNode::ClearMap() {
  for (auto& Child : FChildren) {
    Child.reset();
  }
  FHasChildren = false;
  FIsDestination = false;
  FDestination.clear();
  FSkip = 1;
}

void TReplaceNode::AddMap(const std::string& Source, const std::string& Destination, int Skip) {
  TReplaceNode* Node = this;
  for (unsigned char C : Source) {
    auto& Child = Node->FChildren[C];
    if (!Child) {
      Child = std::make_unique<TReplaceNode>();
      Node->FHasChildren = true;
    }
    Node = Child.get();
  }
  if (Node == this) {
    return;  // an empty source would match everywhere and consume nothing
  }
  Node->FIsDestination = true;
  Node->FDestination = Destination;
  // A rule must consume at least one character, or the code would never end.
  Node->FSkip = Skip < 1 ? 1 : Skip;
}

namespace {

// Rules as "source=destination" or "source=destination/skip"; the list ends with null.
const char* const EnglishRules[] = {
    "b=b", "cia=x", "ch=x/2", "ci=s", "ce=s", "cy=s", "c=k", "dge=j/2", "dgy=j/2", "dgi=j/2", "d=t", "f=f",
    "gha=k/2", "ghe=k/2", "ghi=k/2", "gho=k/2", "ghu=k/2", "ghy=k/2", "gh=/2", "gn=n/2", "gi=j", "ge=j", "gy=j",
    "g=k", "h=h",
    "aha=h/2", "ahe=h/2", "ahi=h/2", "aho=h/2", "ahu=h/2", "eha=h/2", "ehe=h/2", "ehi=h/2", "eho=h/2", "ehu=h/2",
    "iha=h/2", "ihe=h/2", "ihi=h/2", "iho=h/2", "ihu=h/2", "oha=h/2", "ohe=h/2", "ohi=h/2", "oho=h/2", "ohu=h/2",
    "uha=h/2", "uhe=h/2", "uhi=h/2", "uho=h/2", "uhu=h/2",
    "ah=/2", "eh=/2", "ih=/2", "oh=/2", "uh=/2", "j=j", "ck=k/2", "k=k", "l=l", "m=m", "n=n", "ph=f/2", "p=p",
    "q=k", "r=r", "sh=x/2", "sio=x", "sia=x", "s=s", "tia=x", "tio=x", "th=0/2", "tch=x/3", "t=t", "v=f", "wa=w",
    "we=w", "wi=w", "wo=w", "wu=w", "wy=w", "x=ks", "ya=y", "ye=y", "yi=y", "yo=y", "yu=y", "yy=y/2", "z=s",
    nullptr};

// Code page 1251 letters.
const char* const RussianRules[] = {
    "\xE1=\xE1\xFC", "\xE2=\xE2\xFC", "\xE3=\xE3\xFC", "\xE4=\xF2", "\xE7=\xF1", "\xEA=\xE3", "\xEB=\xEB\xFC",
    "\xEC=\xEC\xFC", "\xED=\xED\xFC", "\xEF=\xEF\xFC", "\xF0=\xF0\xFC", "\xF1=\xF1\xFC", "\xF2=\xF2\xFC",
    "\xE6=\xF8", "\xEE=\xE0", "\xEE\xF0\xEE=\xEE\xF0\xE0/3", "\xEE\xEB\xEE=\xEE\xEB\xE0/3", "\xED\xED=\xED/2",
    "\xF1\xF1=\xF1/2", "\xE5\xE5=\xE5/2", "\xE6\xE8=\xE6\xFB/2", "\xF8\xE8=\xF8\xFB/2", "\xF9=\xF8\xFC",
    "\xF9\xF3=\xF8\xFE/2", "\xF1\xF7=\xF9/2", "\xF1\xF8=\xF8", nullptr};

const char* const FrenchRules[] = {"b=b", "p=b", "c=c", "k=c", "q=c", "d=d", "t=d", "l=l", "m=m", "n=m", "r=r",
                                   "g=g", "j=g", "x=x", "z=x", "s=x", "f=f", "v=f", nullptr};

const char* const OtherRules[] = {"b=b", "f=b", "p=b", "v=b", "c=k", "g=k", "j=k", "k=k", "q=k", "s=k", "x=k",
                                  "z=k", "d=d", "t=d", "l=l", "m=m", "n=m", "r=r", nullptr};

}  // namespace

void TPhoneticsMap::AddRules(const char* const* Rules) {
  for (; *Rules; ++Rules) {
    const std::string Rule = *Rules;
    const auto Eq = Rule.find('=');
    std::string Dest = Rule.substr(Eq + 1);
    int Skip = 1;
    const auto Slash = Dest.find('/');
    if (Slash != std::string::npos) {
      Skip = std::stoi(Dest.substr(Slash + 1));
      Dest.resize(Slash);
    }
    AddMap(Rule.substr(0, Eq), Dest, Skip);
  }
}

void TPhoneticsMap::WriteLanguage(int Id) {
  if (Id == FLanguage) {
    return;
  }
  FLanguage = Id;
  ClearMap();
  switch (Id & 0xFF) {
    case 9:
      AddRules(EnglishRules);
      break;
    case 25:
      AddRules(RussianRules);
      break;
    case 12:
      AddRules(FrenchRules);
      break;
    default:
      AddRules(OtherRules);
      break;
  }
}

void TPhoneticsMap::WriteStartDepth(int Value) {
  if (Value > 0) {
    FStartDepth = Value;
  }
}

std::string TPhoneticsMap::GetMapping(const std::string& Word) const {
  const std::string Text = AnsiLowerCase(Word);
  const std::size_t Depth = std::min<std::size_t>(static_cast<std::size_t>(FStartDepth), Text.size());
  std::string Code = Text.substr(0, Depth);
  std::size_t Pos = Depth;
  int Remaining = CodeLimit;
  std::string Dest;
  while (Pos < Text.size()) {
    int Skip = 1;
    if (!GetNextMap(Text, Dest, Pos, Skip)) {
      ++Pos;
      continue;
    }
    const bool Repeat = SkipRepeats && Skip == 1 && !Code.empty() && !Dest.empty() && Code.back() == Dest[0];
    if (!Repeat) {
      Code += Dest;
      Remaining -= static_cast<int>(Dest.size());
      if (Remaining <= 0) {
        break;
      }
    }
    Pos += static_cast<std::size_t>(Skip);
  }
  return Code;
}

bool TPhoneticsMap::AcceptableDistance(const std::string& Word, int Distance) const {
  const int Divisor = LengthDivisor > 0 ? LengthDivisor : 1;
  return Distance <= static_cast<int>(Word.size()) / Divisor && Distance <= MaxDistance;
}
