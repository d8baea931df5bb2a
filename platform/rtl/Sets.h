// Pascal-style sets: TSet over an enumeration (or small integer range) and TSysCharSet, the "set of char".
#pragma once

#include "platform/rtl/Types.h"

#include <bitset>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <type_traits>

// A set of the values 0..MaxValue of an enumeration or integer type, as the class library's
// "set of TEnum". Values outside 0..MaxValue are ignored by Include and never contained.
// Sets of up to 64 members convert to and from an integer bit mask (bit N = member N), which is
// how the streaming and reflection code stores them.
template <class T, T MaxValue> class TSet {
  static_assert(std::is_enum_v<T> || std::is_integral_v<T>, "TSet holds enumeration or integer values");
  static constexpr std::size_t Size = static_cast<std::size_t>(MaxValue) + 1;

public:
  using value_type = T;

  constexpr TSet() = default;
  TSet(std::initializer_list<T> Values) {
    for (T V : Values) {
      Include(V);
    }
  }

  void Include(T V) {
    if (InRange(V)) {
      FBits.set(Ord(V));
    }
  }
  void Exclude(T V) {
    if (InRange(V)) {
      FBits.reset(Ord(V));
    }
  }
  bool Contains(T V) const { return InRange(V) && FBits.test(Ord(V)); }
  bool Empty() const { return FBits.none(); }
  int Count() const { return static_cast<int>(FBits.count()); }
  void Clear() { FBits.reset(); }

  friend TSet operator+(TSet A, const TSet& B) { A.FBits |= B.FBits; return A; }
  friend TSet operator-(TSet A, const TSet& B) { A.FBits &= ~B.FBits; return A; }
  friend TSet operator*(TSet A, const TSet& B) { A.FBits &= B.FBits; return A; }
  TSet& operator+=(const TSet& B) { FBits |= B.FBits; return *this; }
  TSet& operator-=(const TSet& B) { FBits &= ~B.FBits; return *this; }
  TSet& operator*=(const TSet& B) { FBits &= B.FBits; return *this; }
  friend bool operator==(const TSet& A, const TSet& B) { return A.FBits == B.FBits; }
  friend bool operator!=(const TSet& A, const TSet& B) { return A.FBits != B.FBits; }
  // Subset and superset, as Pascal's <= and >= on sets.
  friend bool operator<=(const TSet& A, const TSet& B) { return (A.FBits & ~B.FBits).none(); }
  friend bool operator>=(const TSet& A, const TSet& B) { return B <= A; }

  // Bit N of the mask is member N. Bits above MaxValue are dropped by FromMask.
  UInt64 ToMask() const requires(Size <= 64) { return FBits.to_ullong(); }
  static TSet FromMask(UInt64 Mask) requires(Size <= 64) {
    TSet S;
    for (std::size_t I = 0; I < Size; ++I) {
      if (Mask & (UInt64(1) << I)) {
        S.FBits.set(I);
      }
    }
    return S;
  }

  // Visits the members in ascending order.
  class const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = const T*;
    using reference = T;

    const_iterator() = default;
    const_iterator(const TSet* ASet, std::size_t AIndex) : FSet(ASet), FIndex(AIndex) { Skip(); }
    T operator*() const { return static_cast<T>(FIndex); }
    const_iterator& operator++() {
      ++FIndex;
      Skip();
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator Old = *this;
      ++*this;
      return Old;
    }
    bool operator==(const const_iterator& Other) const { return FIndex == Other.FIndex; }
    bool operator!=(const const_iterator& Other) const { return FIndex != Other.FIndex; }

  private:
    void Skip() {
      while (FIndex < Size && !FSet->FBits.test(FIndex)) {
        ++FIndex;
      }
    }
    const TSet* FSet = nullptr;
    std::size_t FIndex = Size;
  };
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, Size); }

private:
  static std::size_t Ord(T V) { return static_cast<std::size_t>(V); }
  static bool InRange(T V) {
    using U = std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>, std::type_identity<T>>;
    using N = typename U::type;
    const N Value = static_cast<N>(V);
    if constexpr (std::is_signed_v<N>) {
      if (Value < 0) {
        return false;
      }
    }
    return static_cast<std::size_t>(Value) < Size;
  }

  std::bitset<Size> FBits;
};

// The class library's "set of AnsiChar": 256 bits indexed by the byte value.
// TSysCharSet{'a', 'b'} + TSysCharSet::Range('0', '9') builds ['a', 'b', '0'..'9'].
class TSysCharSet {
public:
  TSysCharSet() = default;
  TSysCharSet(std::initializer_list<char> Chars) {
    for (char C : Chars) {
      Include(C);
    }
  }
  // All bytes from First to Last inclusive (an empty set when Last < First, compared as bytes).
  static TSysCharSet Range(char First, char Last) {
    TSysCharSet S;
    for (int I = static_cast<unsigned char>(First); I <= static_cast<unsigned char>(Last); ++I) {
      S.FBits.set(static_cast<std::size_t>(I));
    }
    return S;
  }

  void Include(char C) { FBits.set(static_cast<unsigned char>(C)); }
  void Exclude(char C) { FBits.reset(static_cast<unsigned char>(C)); }
  bool Contains(char C) const { return FBits.test(static_cast<unsigned char>(C)); }
  bool Empty() const { return FBits.none(); }

  friend TSysCharSet operator+(TSysCharSet A, const TSysCharSet& B) { A.FBits |= B.FBits; return A; }
  friend TSysCharSet operator-(TSysCharSet A, const TSysCharSet& B) { A.FBits &= ~B.FBits; return A; }
  friend TSysCharSet operator*(TSysCharSet A, const TSysCharSet& B) { A.FBits &= B.FBits; return A; }
  friend bool operator==(const TSysCharSet& A, const TSysCharSet& B) { return A.FBits == B.FBits; }
  friend bool operator!=(const TSysCharSet& A, const TSysCharSet& B) { return A.FBits != B.FBits; }

private:
  std::bitset<256> FBits;
};

inline bool CharInSet(char C, const TSysCharSet& CharSet) { return CharSet.Contains(C); }
