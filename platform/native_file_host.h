// The file part of Host for hosts whose files are plain native functions: each host names its
// six functions once and the forwarding to them lives here.
#pragma once

#include <string>
#include <string_view>

#include "platform/host.h"

namespace forms {

struct NativeFileFunctions {
  bool (*is_normal_file)(std::string_view path);
  std::string (*read)(std::string_view path);
  void (*write)(std::string_view path, std::string_view contents);
  bool (*is_writable_folder)(std::string_view folder);
  std::string (*user_settings_folder)();
  void (*create_folders)(std::string_view folder);
};

class NativeFileHost : public Host {
 public:
  explicit NativeFileHost(const NativeFileFunctions& files) : files_(files) {}

  bool IsNormalFile(std::string_view path) final { return files_.is_normal_file(path); }
  std::string ReadFile(std::string_view path) final { return files_.read(path); }
  void WriteFile(std::string_view path, std::string_view contents) final {
    files_.write(path, contents);
  }
  bool IsWritableFolder(std::string_view folder) final { return files_.is_writable_folder(folder); }
  std::string UserSettingsFolder() final { return files_.user_settings_folder(); }
  void CreateFolders(std::string_view folder) final { files_.create_folders(folder); }

 private:
  const NativeFileFunctions& files_;
};

}  // namespace forms
