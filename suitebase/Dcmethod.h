// A method pointer that can be compared: an object and one of its member functions, equal when both are.
#pragma once

#include "platform/rtl/System.h"

#include <compare>
#include <cstdint>
#include <type_traits>

// The untyped form of a method pointer (its code and its object), as method lists store it.
struct TDCMethodRec {
  void (*Code)() = nullptr;
  void* Data = nullptr;
  friend bool operator==(const TDCMethodRec&, const TDCMethodRec&) = default;
};

// A bound member function: TDCMethod<void(int)>::Of<&TFoo::Bar>(Obj). Two methods are equal when they name
// the same member function of the same object. Empty when default-constructed. A method bound to an object of
// the class library's model also knows that object (Object()), so that a list of methods can tell its
// components apart.
template <class Sig>
class TDCMethod;

template <class R, class... A>
class TDCMethod<R(A...)> {
public:
  TDCMethod() = default;

  template <auto Member, class C>
  static TDCMethod Of(C* Obj) {
    TDCMethod M;
    M.FRec.Data = static_cast<void*>(Obj);
    M.FRec.Code = reinterpret_cast<void (*)()>(&Thunk<Member, C>);
    if constexpr (std::is_base_of_v<TObject, C>) {
      M.FObject = Obj;
    }
    return M;
  }
  // Rebuilds a method from its untyped form; the record must come from a method of this signature.
  static TDCMethod FromRec(const TDCMethodRec& Rec) {
    TDCMethod M;
    M.FRec = Rec;
    return M;
  }

  R operator()(A... Args) const {
    return reinterpret_cast<R (*)(void*, A...)>(FRec.Code)(FRec.Data, static_cast<A>(Args)...);
  }
  explicit operator bool() const { return FRec.Code != nullptr; }
  const TDCMethodRec& Rec() const { return FRec; }
  void* Data() const { return FRec.Data; }
  // The object of the class library's model the method is bound to; null for other objects and for a method
  // rebuilt from its untyped form.
  TObject* Object() const { return FObject; }
  friend bool operator==(const TDCMethod& L, const TDCMethod& Rt) { return L.FRec == Rt.FRec; }

private:
  template <auto Member, class C>
  static R Thunk(void* Obj, A... Args) {
    return (static_cast<C*>(Obj)->*Member)(static_cast<A>(Args)...);
  }
  TDCMethodRec FRec;
  TObject* FObject = nullptr;
};

// Orders two pointers or keys by their whole value: -1, 0 or 1 (never a truncated difference).
template <class T>
inline int CompareValues(T A, T B) {
  return A < B ? -1 : (B < A ? 1 : 0);
}
inline int ComparePointers(const void* A, const void* B) {
  return CompareValues(reinterpret_cast<std::uintptr_t>(A), reinterpret_cast<std::uintptr_t>(B));
}
