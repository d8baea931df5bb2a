// The templates behind published-property reflection: type records of C++ types, bound methods, and the
// publisher through which a class declares its properties, fields and methods. Included by TypInfo.h.
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>

// ---- type records of C++ types ----

template <class T> TOrdType OrdTypeOf() {
  if constexpr (sizeof(T) == 1) {
    return std::is_signed_v<T> ? otSByte : otUByte;
  } else if constexpr (sizeof(T) == 2) {
    return std::is_signed_v<T> ? otSWord : otUWord;
  } else {
    return std::is_signed_v<T> ? otSLong : otULong;
  }
}

PTypeInfo TypeInfoBoolean();
PTypeInfo TypeInfoChar();
PTypeInfo TypeInfoInt64();
PTypeInfo TypeInfoString();
PTypeInfo TypeInfoSingle();
PTypeInfo TypeInfoDouble();

template <> struct TTypeInfoOf<bool> { static PTypeInfo Get() { return TypeInfoBoolean(); } };
template <> struct TTypeInfoOf<char> { static PTypeInfo Get() { return TypeInfoChar(); } };
template <> struct TTypeInfoOf<std::string> { static PTypeInfo Get() { return TypeInfoString(); } };
template <> struct TTypeInfoOf<float> { static PTypeInfo Get() { return TypeInfoSingle(); } };
template <> struct TTypeInfoOf<double> { static PTypeInfo Get() { return TypeInfoDouble(); } };

template <class T>
struct TTypeInfoOf<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>>> {
  static PTypeInfo Get() {
    if constexpr (sizeof(T) == 8) {
      return TypeInfoInt64();
    } else {
      static const TTypeInfo Info = MakeOrdTypeInfo(tkInteger, std::is_signed_v<T> ? "Integer" : "Cardinal",
          OrdTypeOf<T>(), static_cast<Int64>(std::numeric_limits<T>::min()),
          static_cast<Int64>(std::numeric_limits<T>::max()));
      return &Info;
    }
  }
};

template <class E, E Max> struct TTypeInfoOf<TSet<E, Max>> {
  static PTypeInfo Get() {
    static const TTypeInfo Info = [] {
      TTypeInfo I;
      I.Kind = tkSet;
      I.CompType = TypeInfo<E>();
      I.Name = "set of " + I.CompType->Name;
      I.MaxValue = static_cast<Int64>(Max);
      return I;
    }();
    return &Info;
  }
};

template <class T> struct TTypeInfoOf<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
  static PTypeInfo Get() {
    static const TTypeInfo Info = [] {
      TTypeInfo I;
      I.Kind = tkClass;
      I.ClassType = T::StaticClass();
      I.Name = I.ClassType->ClassName();
      return I;
    }();
    return &Info;
  }
};

PTypeInfo TypeInfoVariant();
template <> struct TTypeInfoOf<Variant> { static PTypeInfo Get() { return TypeInfoVariant(); } };

template <class Sig> struct TTypeInfoOf<std::function<Sig>> {
  static PTypeInfo Get() {
    static const TTypeInfo Info = [] {
      TTypeInfo I;
      I.Kind = tkMethod;
      I.Name = "TMethod";
      return I;
    }();
    return &Info;
  }
};

// ---- published methods ----

template <class Sig> struct TTypedMethodEntry;
template <class R, class... A> struct TTypedMethodEntry<R(A...)> : TMethodEntry {
  virtual std::function<R(A...)> Call(TObject* Data) const = 0;
};

// The callable an event holds when it is bound to a published method: it keeps the method entry and the
// object, so GetMethodProp (and the writer) can tell which method an event calls. Any other callable
// assigned to an event works as usual but has no name and is not streamed.
template <class Sig> struct TBoundMethod;
template <class R, class... A> struct TBoundMethod<R(A...)> {
  const TMethodEntry* Code = nullptr;
  TObject* Data = nullptr;
  std::function<R(A...)> Target;
  R operator()(A... Args) const { return Target(std::forward<A>(Args)...); }
};

template <class C, class R, class... A> struct TMethodEntryFor final : TTypedMethodEntry<R(A...)> {
  R (C::*Method)(A...) = nullptr;
  std::function<R(A...)> Call(TObject* Data) const override {
    C* Obj = static_cast<C*>(Data);
    auto M = Method;
    return [Obj, M](A... Args) -> R { return (Obj->*M)(std::forward<A>(Args)...); };
  }
};

// ---- published fields ----

template <class C, class F> struct TFieldEntryFor final : TFieldEntry {
  F* C::*Field = nullptr;
  TObject* Get(const TObject* Instance) const override { return static_cast<const C*>(Instance)->*Field; }
  bool Set(TObject* Instance, TObject* Value) const override {
    F* Typed = dynamic_cast<F*>(Value);
    if (Value != nullptr && Typed == nullptr) {
      return false;
    }
    static_cast<C*>(Instance)->*Field = Typed;
    return true;
  }
};

// ---- properties ----

namespace ZubTypInfo {
template <class T> struct TIsFunction : std::false_type {};
template <class Sig> struct TIsFunction<std::function<Sig>> : std::true_type {};
template <class T> struct TIsSet : std::false_type {};
template <class E, E Max> struct TIsSet<TSet<E, Max>> : std::true_type {};

template <class V> constexpr bool IsOrdinal =
    (std::is_integral_v<V> || std::is_enum_v<V> || TIsSet<V>::value);

template <class V> Int64 ToOrd(const V& Value) {
  if constexpr (TIsSet<V>::value) {
    return static_cast<Int64>(Value.ToMask());
  } else if constexpr (std::is_same_v<V, char>) {
    return static_cast<unsigned char>(Value);
  } else {
    return static_cast<Int64>(Value);
  }
}
template <class V> V FromOrd(Int64 Value) {
  if constexpr (TIsSet<V>::value) {
    return V::FromMask(static_cast<UInt64>(Value));
  } else if constexpr (std::is_same_v<V, bool>) {
    return Value != 0;
  } else {
    return static_cast<V>(Value);
  }
}

// Getter traits: member functions returning V (by value or const reference), or data members.
template <class G> struct TGetter;
template <class C, class V> struct TGetter<V (C::*)() const> { using Value = std::remove_cvref_t<V>; };
template <class C, class V> struct TGetter<V (C::*)() const noexcept> { using Value = std::remove_cvref_t<V>; };
template <class C, class V> requires(!std::is_function_v<V>) struct TGetter<V C::*> { using Value = V; };

template <class Self, class V, class G> std::function<V(const Self&)> MakeGetter(G Getter) {
  if constexpr (std::is_member_function_pointer_v<G>) {
    return [Getter](const Self& Obj) -> V { return (Obj.*Getter)(); };
  } else {
    return [Getter](const Self& Obj) -> V { return Obj.*Getter; };
  }
}
template <class Self, class V, class S> std::function<void(Self&, const V&)> MakeSetter(S Setter) {
  if constexpr (std::is_same_v<S, std::nullptr_t>) {
    return nullptr;
  } else if constexpr (std::is_member_function_pointer_v<S>) {
    return [Setter](Self& Obj, const V& Value) { (Obj.*Setter)(Value); };
  } else {
    return [Setter](Self& Obj, const V& Value) { Obj.*Setter = Value; };
  }
}
}  // namespace ZubTypInfo

// A property of class C holding values of type V, read and written through type-erased accessors.
template <class C, class V> class TPropInfoFor final : public TPropInfo {
public:
  std::function<V(const C&)> Getter;
  std::function<void(C&, const V&)> Setter;
  int StoredMode = 1;  // 0 never, 1 always, 2 the member function
  std::function<bool(const C&)> StoredFunc;

  Int64 GetOrd(const TObject* Instance) const override {
    if constexpr (ZubTypInfo::IsOrdinal<V>) {
      return ZubTypInfo::ToOrd(Getter(Self(Instance)));
    } else if constexpr (std::is_pointer_v<V>) {
      return static_cast<Int64>(reinterpret_cast<NativeInt>(static_cast<const TObject*>(Getter(Self(Instance)))));
    } else {
      KindError();
    }
  }
  void SetOrd(TObject* Instance, Int64 Value) const override {
    if constexpr (std::is_enum_v<V>) {
      // An enumeration holds only its own values: an ordinal beyond them (a damaged stored setting) leaves the
      // property as it was rather than giving it a value its type cannot have.
      const PTypeInfo Type = TypeInfo<V>();
      if (Type->Kind == tkEnumeration && (Value < Type->MinValue || Value > Type->MaxValue)) {
        return;
      }
    }
    if constexpr (ZubTypInfo::IsOrdinal<V>) {
      Put(Instance, ZubTypInfo::FromOrd<V>(Value));
    } else {
      (void)Instance, (void)Value;
      KindError();
    }
  }
  std::string GetStr(const TObject* Instance) const override {
    if constexpr (std::is_same_v<V, std::string>) {
      return Getter(Self(Instance));
    } else {
      KindError();
    }
  }
  void SetStr(TObject* Instance, const std::string& Value) const override {
    if constexpr (std::is_same_v<V, std::string>) {
      Put(Instance, Value);
    } else {
      (void)Instance, (void)Value;
      KindError();
    }
  }
  Extended GetFloat(const TObject* Instance) const override {
    if constexpr (std::is_floating_point_v<V>) {
      return static_cast<Extended>(Getter(Self(Instance)));
    } else {
      KindError();
    }
  }
  void SetFloat(TObject* Instance, Extended Value) const override {
    if constexpr (std::is_floating_point_v<V>) {
      Put(Instance, static_cast<V>(Value));
    } else {
      (void)Instance, (void)Value;
      KindError();
    }
  }
  TObject* GetObject(const TObject* Instance) const override {
    if constexpr (std::is_pointer_v<V>) {
      return const_cast<TObject*>(static_cast<const TObject*>(Getter(Self(Instance))));
    } else {
      KindError();
    }
  }
  void SetObject(TObject* Instance, TObject* Value) const override {
    if constexpr (std::is_pointer_v<V>) {
      V Typed = dynamic_cast<V>(Value);
      if (Value != nullptr && Typed == nullptr) {
        ValueError();
      }
      Put(Instance, Typed);
    } else {
      (void)Instance, (void)Value;
      KindError();
    }
  }
  TMethod GetMethod(const TObject* Instance) const override {
    if constexpr (ZubTypInfo::TIsFunction<V>::value) {
      return ReadBound(Getter(Self(Instance)));
    } else {
      KindError();
    }
  }
  void SetMethod(TObject* Instance, const TMethod& Value) const override {
    if constexpr (ZubTypInfo::TIsFunction<V>::value) {
      Put(Instance, MakeBound(Value, static_cast<V*>(nullptr)));
    } else {
      (void)Instance, (void)Value;
      KindError();
    }
  }
  Variant GetVariant(const TObject* Instance) const override {
    if constexpr (std::is_same_v<V, Variant>) {
      return Getter(Self(Instance));
    } else {
      KindError();
    }
  }
  void SetVariant(TObject* Instance, const Variant& Value) const override {
    if constexpr (std::is_same_v<V, Variant>) {
      Put(Instance, Value);
    } else {
      (void)Instance, (void)Value;
      KindError();
    }
  }
  bool IsStored(const TObject* Instance) const override {
    return StoredMode == 1 || (StoredMode == 2 && StoredFunc(Self(Instance)));
  }

private:
  static const C& Self(const TObject* Instance) { return *static_cast<const C*>(Instance); }
  void Put(TObject* Instance, const V& Value) const {
    if (!Setter) {
      ReadOnlyError();
    }
    Setter(*static_cast<C*>(Instance), Value);
  }
  [[noreturn]] void ValueError() const;
  template <class R, class... A> static TMethod ReadBoundAs(const std::function<R(A...)>& Event) {
    if (const auto* Bound = Event.template target<TBoundMethod<R(A...)>>()) {
      return TMethod{Bound->Code, Bound->Data};
    }
    return TMethod{};
  }
  template <class F> static TMethod ReadBound(const F& Event) { return ReadBoundAs(Event); }
  template <class R, class... A> V MakeBound(const TMethod& Value, std::function<R(A...)>*) const {
    if (Value.Code == nullptr) {
      return V();
    }
    const auto* Typed = dynamic_cast<const TTypedMethodEntry<R(A...)>*>(Value.Code);
    if (Typed == nullptr || Value.Data == nullptr || !Value.Data->InheritsFrom(Value.Code->Owner)) {
      ValueError();
    }
    return TBoundMethod<R(A...)>{Value.Code, Value.Data, Typed->Call(Value.Data)};
  }
};

[[noreturn]] void RaiseInvalidPropertyValue();
template <class C, class V> void TPropInfoFor<C, V>::ValueError() const { RaiseInvalidPropertyValue(); }

// Finishes a property declaration: TPublisher<TFoo>(Meta).Property("Width", &TFoo::GetWidth,
// &TFoo::SetWidth).Default(64).Stored(&TFoo::IsWidthStored);
template <class C, class V> class TPropertyBuilder {
public:
  explicit TPropertyBuilder(TPropInfoFor<C, V>* AInfo) : FInfo(AInfo) {}
  // The ordinal default: values equal to it are not written.
  TPropertyBuilder& Default(const V& Value) requires(ZubTypInfo::IsOrdinal<V>) {
    FInfo->Default = ZubTypInfo::ToOrd(Value);
    return *this;
  }
  TPropertyBuilder& NoDefault() {
    FInfo->Default = ::NoDefault;
    return *this;
  }
  TPropertyBuilder& Stored(bool Value) {
    FInfo->StoredMode = Value ? 1 : 0;
    return *this;
  }
  template <class B> TPropertyBuilder& Stored(bool (B::*Func)() const) {
    FInfo->StoredMode = 2;
    FInfo->StoredFunc = [Func](const C& Obj) { return (Obj.*Func)(); };
    return *this;
  }
  // A type record of its own for a type that shares its C++ type with others (TColor, TDateTime, Currency).
  TPropertyBuilder& Type(PTypeInfo Info) {
    FInfo->PropType = Info;
    return *this;
  }

private:
  TPropInfoFor<C, V>* FInfo;
};

// Declares class C's published members inside its publisher function, in declaration order:
//   void TFoo::Publish(TMetaClass& Meta) {
//     TPublisher<TFoo> P(Meta);
//     P.Property("Caption", &TFoo::GetCaption, &TFoo::SetCaption);
//     P.Property("Align", &TFoo::FAlign, &TFoo::SetAlign).Default(alNone);
//     P.Field("Button1", &TFoo::Button1);
//     P.Method("Button1Click", &TFoo::Button1Click);
//   }
// Getters are const member functions or fields; setters are member functions taking the value, fields,
// or nullptr for a read-only property.
template <class C> class TPublisher {
public:
  explicit TPublisher(TMetaClass& AMeta)
      : FMeta(AMeta), FNextIndex(AMeta.ClassParent() ? static_cast<int>(GetPropInfos(AMeta.ClassParent()).size()) : 0) {}

  template <class G, class S> auto Property(const char* Name, G Getter, S Setter) {
    using V = typename ZubTypInfo::TGetter<G>::Value;
    auto Info = std::make_unique<TPropInfoFor<C, V>>();
    Info->Name = Name;
    Info->Owner = &FMeta;
    Info->PropType = TypeInfo<V>();
    Info->Getter = ZubTypInfo::MakeGetter<C, V>(Getter);
    Info->Setter = ZubTypInfo::MakeSetter<C, V>(Setter);
    Info->HasGetter = true;
    Info->HasSetter = static_cast<bool>(Info->Setter);
    Info->NameIndex = FNextIndex++;
    auto* Raw = Info.get();
    FMeta.AddProperty(std::move(Info));
    return TPropertyBuilder<C, V>(Raw);
  }
  template <class F> void Field(const char* Name, F* C::*Member) {
    auto Entry = std::make_unique<TFieldEntryFor<C, F>>();
    Entry->Name = Name;
    Entry->FieldClass = F::StaticClass();
    Entry->Field = Member;
    FMeta.AddField(std::move(Entry));
  }
  template <class B, class R, class... A> void Method(const char* Name, R (B::*Member)(A...)) {
    auto Entry = std::make_unique<TMethodEntryFor<B, R, A...>>();
    Entry->Name = Name;
    Entry->Owner = &FMeta;
    Entry->Method = Member;
    FMeta.AddMethod(std::move(Entry));
  }

private:
  TMetaClass& FMeta;
  int FNextIndex;
};
