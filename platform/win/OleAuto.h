// The automation interface (IDispatch) in its minimal form: property gets and puts by dispatch identifier with
// arguments as variants.
#pragma once

#include "platform/rtl/Variants.h"
#include "platform/win/Ole.h"

#include <vector>

using DISPID = LONG;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
inline constexpr WORD DISPATCH_METHOD = 0x1;
inline constexpr WORD DISPATCH_PROPERTYGET = 0x2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
inline constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000E);

class IDispatch;

// The arguments of a call: values (last argument first, as on the platform) and the identifiers of the named ones.
struct DISPPARAMS {
  Variant* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  UINT cArgs = 0;
  UINT cNamedArgs = 0;
};

// An automation object. Invoke's Flags are the DISPATCH_ kinds; Result may be null.
class IDispatch : public IUnknown {
public:
  virtual HRESULT Invoke(DISPID DispId, WORD Flags, DISPPARAMS* Params, Variant* Result) = 0;

protected:
  ~IDispatch() = default;
};

// The interface identifier of IDispatch ({00020400-0000-0000-C000-000000000046}).
extern const IID IID_IDispatch;
// Whether a variant holds an automation object: an interface pointer that answers IDispatch.
bool VariantHoldsDispatch(const Variant& V);
