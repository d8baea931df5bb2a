// A scoped temporary folder for tests: made fresh under the system's temporary folder, removed with everything in
// it when the object goes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace TestSupport {

class TTempFolder {
public:
  // Prefix names the folder ("zubq-ini" gives /tmp/zubq-ini-XXXXXX); throws when it cannot be made.
  explicit TTempFolder(const std::string& Prefix = "zubq") {
    std::string Template = (std::filesystem::temp_directory_path() / (Prefix + "-XXXXXX")).string();
    std::vector<char> Buffer(Template.begin(), Template.end());
    Buffer.push_back('\0');
    if (!mkdtemp(Buffer.data())) {
      throw std::runtime_error("cannot make a temporary folder from " + Template);
    }
    FPath = Buffer.data();
  }
  // Removes the folder even where a test took away write permission from folders inside it.
  ~TTempFolder() {
    namespace fs = std::filesystem;
    std::error_code Ignored;
    for (auto It = fs::recursive_directory_iterator(FPath, fs::directory_options::skip_permission_denied, Ignored);
         It != fs::recursive_directory_iterator(); It.increment(Ignored)) {
      if (It->is_directory(Ignored) && !It->is_symlink(Ignored)) {
        fs::permissions(It->path(), fs::perms::owner_all, fs::perm_options::add, Ignored);
      }
    }
    fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, Ignored);
    fs::remove_all(FPath, Ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder, without a trailing '/'.
  const std::string& Path() const { return FPath; }
  // A name inside the folder.
  std::string operator/(const std::string& Name) const { return FPath + "/" + Name; }

private:
  std::string FPath;
};

}  // namespace TestSupport
