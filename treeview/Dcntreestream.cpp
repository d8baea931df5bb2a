// The node stream: the whole tree as a binary block (version word, nested node lists with their classes and the
// stored properties by a fixed index table, an end byte), read and written byte for byte.
#include "treeview/Dcntree.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"

#include <cstdint>

namespace {

// The properties a node stream may hold, by index.
constexpr const char* PropertyTable[] = {
    "AllowGrayed", "Expanded",   "Font",          "HasChildren", "ImageIndex", "NodeType",   "OverlayIndex", "ParentFont",
    "ReadOnly",    "SelectedIndex", "State",      "StateIndex",  "Text",       "RightClickSelect", "Color", "ParentColor"};
constexpr int PropertyCount = 16;
constexpr Byte EndMarker = 254;
constexpr Byte KindBoolean = 255;
constexpr Byte KindInteger = 1;
constexpr Byte KindEnumeration = 3;
constexpr Byte KindShortString = 5;
constexpr Byte KindSet = 6;
constexpr Byte KindObject = 7;
constexpr Byte KindLongString = 10;
// Deeper nesting than this (of node lists or of objects inside properties) is refused as damaged data, so that
// no stream can exhaust the stack of the reader or of the code that later walks the tree.
constexpr int MaxDepth = 256;

[[noreturn]] void InvalidPropertyType() { Error("Invalid property type"); }
[[noreturn]] void TooDeep() { throw EReadError("Node stream nested too deeply"); }

void WriteByte(TStream* S, Byte B) { S->WriteBuffer(&B, 1); }

void WriteInt(TStream* S, std::int32_t V) {
  Byte B[4] = {static_cast<Byte>(V), static_cast<Byte>(V >> 8), static_cast<Byte>(V >> 16), static_cast<Byte>(V >> 24)};
  S->WriteBuffer(B, 4);
}

Byte ReadByte(TStream* S) {
  Byte B = 0;
  S->ReadBuffer(&B, 1);
  return B;
}

std::int32_t ReadInt(TStream* S) {
  Byte B[4] = {};
  S->ReadBuffer(B, 4);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(B[0]) | (static_cast<std::uint32_t>(B[1]) << 8) |
                                   (static_cast<std::uint32_t>(B[2]) << 16) | (static_cast<std::uint32_t>(B[3]) << 24));
}

bool IsBoolean(PTypeInfo T) { return T->Kind == tkEnumeration && T->Name == "Boolean"; }

// The kind byte of a property's type; 0 for a type the stream cannot hold.
Byte KindOf(PTypeInfo T) {
  if (IsBoolean(T)) return KindBoolean;
  switch (T->Kind) {
    case tkInteger:
    case tkChar: return KindInteger;
    case tkEnumeration: return KindEnumeration;
    case tkSet: return KindSet;
    case tkString: return KindShortString;
    case tkLString: return KindLongString;
    case tkClass: return KindObject;
    default: return 0;
  }
}

bool IsOrdinalKind(Byte K) { return K == KindBoolean || K == KindInteger || K == KindEnumeration || K == KindSet; }

void WriteObject(TStream* S, TObject* Obj, int Depth);

// Writes one entry's kind byte and value; the caller has written the index byte (or the name). Returns false when
// the value is the property's default and so must not stay in the stream.
bool WriteValue(TStream* S, TObject* Obj, PPropInfo P, int Depth) {
  const Byte K = KindOf(P->PropType);
  if (K == 0) {
    InvalidPropertyType();
  }
  WriteByte(S, K);
  if (IsOrdinalKind(K)) {
    const Int64 V = GetOrdProp(Obj, P);
    if (P->Default != NoDefault && V == P->Default) {
      return false;
    }
    switch (K) {
      case KindBoolean: WriteByte(S, V ? 1 : 0); break;
      case KindInteger: WriteInt(S, static_cast<std::int32_t>(V)); break;
      case KindEnumeration: WriteStrToStream(S, GetEnumName(P->PropType, V)); break;
      case KindSet: {
        const PTypeInfo Comp = P->PropType->CompType;
        for (int I = 0; I < 32; ++I) {
          if (V & (Int64{1} << I)) {
            WriteStrToStream(S, GetEnumName(Comp, I));
          }
        }
        WriteStrToStream(S, "");
        break;
      }
      default: break;
    }
    return true;
  }
  if (K == KindShortString || K == KindLongString) {
    WriteStrToStream(S, GetStrProp(Obj, P));
    return true;
  }
  WriteObject(S, GetObjectProp(Obj, P), Depth + 1);
  return true;
}

void WriteObject(TStream* S, TObject* Obj, int Depth) {
  if (Depth > MaxDepth) {
    TooDeep();
  }
  if (Obj) {
    for (PPropInfo P : GetPropList(Obj)) {
      if (!P->IsStored(Obj)) {
        continue;
      }
      const Int64 Start = S->Position();
      WriteStrToStream(S, P->Name);
      if (!WriteValue(S, Obj, P, Depth)) {
        S->SetPosition(Start);
      }
    }
  }
  WriteStrToStream(S, "");
}

void WriteNodeList(ZEZCustomTreeView* V, TStream* S, ZEZTreeNode* Container) {
  WriteInt(S, Container->GetCount());
  for (ZEZTreeNode* N = Container->GetFirstChild(); N; N = N->GetNextSibling()) {
    WriteStrToStream(S, N->ClassType() == V->StandardNodeClass() ? std::string() : N->ClassName());
    V->DoExpandNode(N);
    WriteNodeList(V, S, N);
    for (int I = 0; I < PropertyCount; ++I) {
      PPropInfo P = GetPropInfo(N->ClassType(), PropertyTable[I]);
      if (!P || !P->IsStored(N)) {
        continue;
      }
      const Int64 Start = S->Position();
      WriteByte(S, static_cast<Byte>(I));
      if (!WriteValue(S, N, P, 0)) {
        S->SetPosition(Start);
      }
    }
    WriteByte(S, EndMarker);
    N->WriteCustomData(S);
  }
}

// Reads one value of kind K into property P of Obj (P null: read and drop). Kinds the stream does not know end
// the value without reading more; for an existing property they raise "Invalid property type".
void ReadValue(TStream* S, TObject* Obj, PPropInfo P, Byte K, int Depth) {
  if (Depth > MaxDepth) {
    TooDeep();
  }
  const TTypeKind PK = P ? P->PropType->Kind : tkUnknown;
  switch (K) {
    case KindBoolean: {
      const Byte B = ReadByte(S);
      if (P && IsBoolean(P->PropType)) {
        SetOrdProp(Obj, P, B ? 1 : 0);
      }
      return;
    }
    case KindInteger: {
      const std::int32_t V = ReadInt(S);
      if (P && (PK == tkInteger || PK == tkChar)) {
        SetOrdProp(Obj, P, V);
      }
      return;
    }
    case KindEnumeration: {
      const std::string Name = ReadStrFromStream(S);
      if (P && PK == tkEnumeration) {
        const int V = GetEnumValue(P->PropType, Name);
        if (V >= 0) {  // a name the enumeration lacks leaves the value as it was
          SetOrdProp(Obj, P, V);
        }
      }
      return;
    }
    case KindSet: {
      Int64 Value = 0;
      while (true) {
        const std::string Name = ReadStrFromStream(S);
        if (Name.empty()) {
          break;
        }
        if (P && PK == tkSet) {
          const int V = GetEnumValue(P->PropType->CompType, Name);
          if (V >= 0 && V < 32) {
            Value |= Int64{1} << V;
          }
        }
      }
      if (P && PK == tkSet) {
        SetOrdProp(Obj, P, Value);
      }
      return;
    }
    case KindShortString:
    case KindLongString: {
      const std::string V = ReadStrFromStream(S);
      if (P && (PK == tkString || PK == tkLString)) {
        SetStrProp(Obj, P, V);
      }
      return;
    }
    case KindObject: {
      TObject* Sub = P && PK == tkClass ? GetObjectProp(Obj, P) : nullptr;
      while (true) {
        const std::string Name = ReadStrFromStream(S);
        if (Name.empty()) {
          break;
        }
        PPropInfo SubP = Sub ? GetPropInfo(Sub, Name) : nullptr;
        ReadValue(S, Sub, SubP, ReadByte(S), Depth + 1);
      }
      return;
    }
    default:
      if (P) {
        InvalidPropertyType();
      }
      return;
  }
}

void ReadNodeList(ZEZCustomTreeView* V, TStream* S, ZEZTreeNode* Parent, int Depth) {
  if (Depth > MaxDepth) {
    TooDeep();
  }
  const std::int32_t Count = ReadInt(S);
  for (std::int32_t I = 0; I < Count; ++I) {
    const std::string ClassName = ReadStrFromStream(S);
    if (ClassName.empty()) {
      V->SetDefaultNodeClass(V->StandardNodeClass());
    } else {
      TClass C = FindClass(ClassName);
      if (!C->InheritsFrom(ZEZTreeNode::StaticClass()) || C->IsAbstract()) {
        throw EClassNotFound(Format("Class %s is not a tree node class", {ClassName}));
      }
      V->SetDefaultNodeClass(C);
    }
    ZEZTreeNode* N = V->Items()->AddChild(Parent, "");
    ReadNodeList(V, S, N, Depth + 1);
    while (true) {
      const Byte Index = ReadByte(S);
      if (Index == EndMarker) {
        break;
      }
      PPropInfo P = Index < PropertyCount ? GetPropInfo(N->ClassType(), PropertyTable[Index]) : nullptr;
      ReadValue(S, N, P, ReadByte(S), 0);
    }
    N->ReadCustomData(S);
  }
}

}  // namespace

void WriteStrToStream(TStream* Stream, const std::string& S) {
  if (S.size() < 255) {
    WriteByte(Stream, static_cast<Byte>(S.size()));
  } else {
    WriteByte(Stream, 255);
    WriteInt(Stream, static_cast<std::int32_t>(S.size()));
  }
  if (!S.empty()) {
    Stream->WriteBuffer(S.data(), static_cast<LongInt>(S.size()));
  }
}

std::string ReadStrFromStream(TStream* Stream) {
  std::int64_t Len = ReadByte(Stream);
  if (Len == 255) {
    Len = ReadInt(Stream);
  }
  // A damaged length fails at the stream's end without reserving memory for it.
  if (Len < 0 || Len > Stream->Size() - Stream->Position()) {
    throw EReadError("Stream read error");
  }
  std::string S(static_cast<std::size_t>(Len), '\0');
  if (Len > 0) {
    Stream->ReadBuffer(S.data(), static_cast<LongInt>(Len));
  }
  return S;
}

void ZEZTreeNodes::WriteData(TStream* Stream) {
  const Byte Version[2] = {0x00, 0x01};
  Stream->WriteBuffer(Version, 2);
  WriteNodeList(FOwner, Stream, FOwner->Root());
  WriteByte(Stream, EndMarker);
}

void ZEZTreeNodes::ReadData(TStream* Stream) {
  if (Stream->Size() == 0) {
    return;
  }
  RegisterTreeNodeClasses();
  Byte Version[2] = {};
  Stream->ReadBuffer(Version, 2);
  BeginUpdate();
  try {
    Clear();
    ReadNodeList(FOwner, Stream, nullptr, 0);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
