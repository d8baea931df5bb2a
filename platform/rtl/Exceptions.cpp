// The class library's exception classes.
#include "platform/rtl/Exceptions.h"

Z_IMPLEMENT_CLASS(Exception, TObject)
Z_IMPLEMENT_CLASS(EAbort, Exception)
Z_IMPLEMENT_CLASS(EOutOfMemory, Exception)
Z_IMPLEMENT_CLASS(EOutOfResources, EOutOfMemory)
Z_IMPLEMENT_CLASS(EConvertError, Exception)
Z_IMPLEMENT_CLASS(EInvalidCast, Exception)
Z_IMPLEMENT_CLASS(EInvalidOperation, Exception)
Z_IMPLEMENT_CLASS(EListError, Exception)
Z_IMPLEMENT_CLASS(EStringListError, Exception)
Z_IMPLEMENT_CLASS(EStreamError, Exception)
Z_IMPLEMENT_CLASS(EFCreateError, EStreamError)
Z_IMPLEMENT_CLASS(EFOpenError, EStreamError)
Z_IMPLEMENT_CLASS(EFilerError, EStreamError)
Z_IMPLEMENT_CLASS(EReadError, EFilerError)
Z_IMPLEMENT_CLASS(EWriteError, EFilerError)
Z_IMPLEMENT_CLASS(EClassNotFound, EFilerError)
Z_IMPLEMENT_CLASS(EMethodNotFound, EFilerError)
Z_IMPLEMENT_CLASS(EInvalidImage, EFilerError)
Z_IMPLEMENT_CLASS(EComponentError, Exception)
Z_IMPLEMENT_CLASS(EPropertyError, Exception)
Z_IMPLEMENT_CLASS(EVariantError, Exception)
Z_IMPLEMENT_CLASS(EInOutError, Exception)
Z_IMPLEMENT_CLASS(EIntError, Exception)
Z_IMPLEMENT_CLASS(EDivByZero, EIntError)
Z_IMPLEMENT_CLASS(ERangeError, EIntError)
Z_IMPLEMENT_CLASS(EAccessViolation, Exception)
Z_IMPLEMENT_CLASS(EOSError, Exception)
Z_IMPLEMENT_CLASS(EThread, Exception)

void Abort() {
  throw EAbort(RtlConsts::SOperationAborted);
}
