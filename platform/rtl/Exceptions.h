// The class library's exception classes. Raised by value, caught by reference: catch (const Exception& E).
#pragma once

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

#include <exception>
#include <string>

// Base of every exception the class library and the component suites raise.
class Exception : public TObject, public std::exception {
  Z_CLASS(Exception, TObject)
public:
  explicit Exception(std::string AMessage) : FMessage(std::move(AMessage)) {}
  Exception(std::string_view Fmt, TVarRecList Args) : FMessage(Format(Fmt, Args)) {}

  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string Value) { FMessage = std::move(Value); }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  const char* what() const noexcept override { return FMessage.c_str(); }

  // Memory for exceptions comes from the C++ runtime, not the object memory manager.
  static void* operator new(std::size_t Size) { return ::operator new(Size); }
  static void operator delete(void* P) noexcept { ::operator delete(P); }
  static void operator delete(Exception* P, std::destroying_delete_t) noexcept {
    P->~Exception();
    ::operator delete(P);
  }

private:
  std::string FMessage;
  int FHelpContext = 0;
};

#define Z_EXCEPTION(Name, Base)                                                                                \
  class Name : public Base {                                                                                   \
    Z_CLASS(Name, Base)                                                                                        \
  public:                                                                                                      \
    using Base::Base;                                                                                          \
  };

// EAbort is the silent exception: the application's handler shows nothing for it.
Z_EXCEPTION(EAbort, Exception)
Z_EXCEPTION(EOutOfMemory, Exception)
Z_EXCEPTION(EOutOfResources, EOutOfMemory)
Z_EXCEPTION(EConvertError, Exception)
Z_EXCEPTION(EInvalidCast, Exception)
Z_EXCEPTION(EInvalidOperation, Exception)
Z_EXCEPTION(EListError, Exception)
Z_EXCEPTION(EStringListError, Exception)
Z_EXCEPTION(EStreamError, Exception)
Z_EXCEPTION(EFCreateError, EStreamError)
Z_EXCEPTION(EFOpenError, EStreamError)
Z_EXCEPTION(EFilerError, EStreamError)
Z_EXCEPTION(EReadError, EFilerError)
Z_EXCEPTION(EWriteError, EFilerError)
Z_EXCEPTION(EClassNotFound, EFilerError)
Z_EXCEPTION(EMethodNotFound, EFilerError)
Z_EXCEPTION(EInvalidImage, EFilerError)
Z_EXCEPTION(EComponentError, Exception)
Z_EXCEPTION(EPropertyError, Exception)
Z_EXCEPTION(EVariantError, Exception)
Z_EXCEPTION(EInOutError, Exception)
Z_EXCEPTION(EIntError, Exception)
Z_EXCEPTION(EDivByZero, EIntError)
Z_EXCEPTION(ERangeError, EIntError)
Z_EXCEPTION(EAccessViolation, Exception)
Z_EXCEPTION(EOSError, Exception)
Z_EXCEPTION(EThread, Exception)

// Raises EAbort (the class library's Abort).
[[noreturn]] void Abort();

// The class library's message texts that callers and tests quote.
namespace RtlConsts {
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SArgumentMissing = "No argument for format '%s'";
inline constexpr const char* SOperationAborted = "Operation aborted";
inline constexpr const char* SOutOfMemory = "Out of memory";
inline constexpr const char* SInvalidCast = "Invalid class typecast";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SListCountError = "List count out of bounds (%d)";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted string list";
inline constexpr const char* SDuplicateItem = "List does not allow duplicates ($0%x)";
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SFCreateError = "Cannot create file %s";
inline constexpr const char* SFOpenError = "Cannot open file %s";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SMemoryStreamError = "Out of memory while expanding memory stream";
inline constexpr const char* SInvalidImage = "Invalid stream format";
inline constexpr const char* SClassNotFound = "Class %s not found";
inline constexpr const char* SMethodNotFound = "Method %s not found";
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "''%s'' is not a valid component name";
inline constexpr const char* SDuplicateClass = "A class named %s already exists";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SUnknownProperty = "Property %s does not exist";
inline constexpr const char* SPropertyException = "Error reading %s%s%s: %s";
inline constexpr const char* SInvalidPropertyType = "Invalid property type: %s";
inline constexpr const char* SReadOnlyProperty = "Property is read-only";
inline constexpr const char* SAncestorNotFound = "Ancestor for '%s' not found";
inline constexpr const char* SResNotFound = "Resource %s not found";
inline constexpr const char* SInvalidBinary = "Invalid binary value";
inline constexpr const char* SThreadCreateError = "Thread creation error: %s";
}  // namespace RtlConsts
