// Loading the toolkit library (the Qt backend) on first need, from the folder of the layer's own library.
#include "platform/win/WindowBackend.h"

#include <cstdio>
#include <mutex>
#include <string>

#include <dlfcn.h>

namespace {

constexpr const char* ToolkitLibraryName = "libzubplatformqt.so";

// The folder of the shared library this function is in, with a trailing '/'; empty when unknown.
std::string OwnFolder() {
  Dl_info Info{};
  if (dladdr(reinterpret_cast<void*>(&OwnFolder), &Info) == 0 || !Info.dli_fname) {
    return {};
  }
  std::string Path = Info.dli_fname;
  auto Slash = Path.rfind('/');
  return Slash == std::string::npos ? std::string() : Path.substr(0, Slash + 1);
}

}  // namespace

bool LoadToolkit() {
  if (ToolkitLoaded()) {
    return true;
  }
  static std::mutex Lock;
  static bool Tried = false;
  std::lock_guard G(Lock);
  if (Tried) {
    return ToolkitLoaded();
  }
  Tried = true;
  // The library registers its backend, graphics functions, native control classes and dialogs while it loads.
  // It stays loaded for the life of the process.
  void* Handle = nullptr;
  if (std::string Folder = OwnFolder(); !Folder.empty()) {
    Handle = dlopen((Folder + ToolkitLibraryName).c_str(), RTLD_NOW | RTLD_GLOBAL);
  }
  if (!Handle) {
    Handle = dlopen(ToolkitLibraryName, RTLD_NOW | RTLD_GLOBAL);
  }
  if (!Handle) {
    const char* Why = dlerror();
    std::fprintf(stderr, "The window toolkit (%s) could not be loaded: %s\n", ToolkitLibraryName,
                 Why ? Why : "unknown reason");
    return false;
  }
  return ToolkitLoaded();
}
