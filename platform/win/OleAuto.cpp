// The automation interface's identifier and the variant test.
#include "platform/win/OleAuto.h"

const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool VariantHoldsDispatch(const Variant& V) { return V.VType() == varDispatch && V.AsPointer() != nullptr; }
