// Method pointers with identity: an object and a member function that can be compared, as the component
// suite's notifier lists need (registering the same method twice keeps one registration).
#pragma once

#include "platform/rtl/System.h"

#include <array>
#include <cstring>
#include <functional>

template <class... Args> class TEasyMethodT {
public:
  TEasyMethodT() = default;

  // A member function of an object.
  template <class C> TEasyMethodT(C* Obj, void (C::*Fn)(Args...)) : FData(Obj), FCall([Obj, Fn](Args... A) {
    (Obj->*Fn)(A...);
  }) {
    static_assert(sizeof(Fn) <= sizeof(FCode), "member function pointer too large");
    std::memcpy(FCode.data(), &Fn, sizeof(Fn));
    if constexpr (std::is_base_of_v<TObject, C>) {
      FObject = Obj;
    }
  }

  // Any callable, identified by the pair (Data, Key): two methods with the same pair are the same.
  TEasyMethodT(void* Data, const void* Key, std::function<void(Args...)> Call, TObject* Object = nullptr)
      : FData(Data), FObject(Object), FCall(std::move(Call)) {
    std::memcpy(FCode.data(), &Key, sizeof(Key));
  }

  explicit operator bool() const { return static_cast<bool>(FCall); }
  void operator()(Args... A) const { FCall(A...); }

  // Same object and same code.
  bool SameAs(const TEasyMethodT& Other) const { return FData == Other.FData && FCode == Other.FCode; }
  // The object the method belongs to, when it is a TObject.
  TObject* Object() const { return FObject; }

private:
  void* FData = nullptr;
  TObject* FObject = nullptr;
  std::array<unsigned char, 2 * sizeof(void*)> FCode{};
  std::function<void(Args...)> FCall;
};

// (Sender, Data): the notification method of the suite's notifier lists.
using TEasyNotifyMethod = TEasyMethodT<TObject*, NativeInt>;
