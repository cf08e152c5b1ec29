// Files through the ANSI file API of kernel32. Every path reaches what it names on the real
// system: a 32-bit program on 64-bit Windows sees the real System32 (see real_system_folder.h).
#pragma once

#include "platform/files.h"

namespace platform::win32 {

class Win32Files : public Files {
 public:
  std::unique_ptr<FindHandle> findFirst(const std::string& pattern, FindData& first) override;
  std::optional<uint32_t> attributes(const std::string& path) override;
  std::optional<std::string> readFile(const std::string& path, uint64_t limit) override;
  bool writeFile(const std::string& path, const std::string& content) override;
  std::unique_ptr<OutputFile> createFile(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  bool moveFile(const std::string& from, const std::string& to) override;
  bool createDirectory(const std::string& path) override;
  bool setAttributes(const std::string& path, uint32_t attributes) override;
  std::string fullPath(const std::string& path) override;
  bool createNewFile(const std::string& path) override;
  std::string finalPath(const std::string& path) override;
  std::unique_ptr<FileForDeletion> openForDeletion(const std::string& path) override;
};

}  // namespace platform::win32
