// Layout resources: the binary component streams of forms, embedded at build time and read by class name.
#pragma once

#include "platform/classes/Component.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"

#include <cstddef>
#include <string>
#include <string_view>

// A named resource that does not exist: "Resource %s not found".
Z_EXCEPTION(EResNotFound, Exception)

// Registers the binary form of a layout under a resource name (a form's class name, as the generated
// sources of zubq_add_forms do at start-up). The bytes are not copied and must live until they are unregistered
// (the generated sources unregister them when their library is unloaded). Registering a name again puts the new
// bytes in front of the earlier ones, which come back when the new ones are unregistered.
void RegisterFormResource(const char* ResName, const unsigned char* Data, std::size_t Size);
// Forgets those bytes under the name (other registrations of the name stay).
void UnregisterFormResource(const char* ResName, const unsigned char* Data);
// The bytes registered under the name (ASCII case ignored); false when there are none.
bool FindFormResource(std::string_view ResName, const unsigned char*& Data, std::size_t& Size);

// A read-only stream over a registered resource; EResNotFound when there is none.
class TResourceStream : public TCustomMemoryStream {
  Z_CLASS(TResourceStream, TCustomMemoryStream)
public:
  explicit TResourceStream(const std::string& ResName);
  LongInt Write(const void* Buffer, LongInt Count) override;  // raises EStreamError
};

// Reads the layouts of Instance's class and of its ancestors below RootAncestor (TForm, TDataModule...),
// ancestors first, into Instance inside one global loading bracket, so every component read gets Loaded()
// once at the end. Returns true when at least one layout was found.
bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor);
// Reads one layout into Instance; false when there is none of that name.
bool InitComponentRes(const std::string& ResName, TComponent* Instance);
// The same, raising EResNotFound when there is none; returns the component read.
TComponent* ReadComponentRes(const std::string& ResName, TComponent* Instance);
// Files holding a component stream behind a resource header (as WriteComponentResFile writes them).
TComponent* ReadComponentResFile(const std::string& FileName, TComponent* Instance);
void WriteComponentResFile(const std::string& FileName, TComponent* Instance);
