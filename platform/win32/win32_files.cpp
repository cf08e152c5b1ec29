#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/optional_api.h"
#include "platform/win32/real_system_folder.h"
#include "platform/win32/win32_handle.h"

namespace platform::win32 {

namespace {

FileTime fileTime(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

FindData findData(const WIN32_FIND_DATAA& w) {
  FindData d;
  d.attributes = w.dwFileAttributes;
  d.creationTime = fileTime(w.ftCreationTime);
  d.lastAccessTime = fileTime(w.ftLastAccessTime);
  d.lastWriteTime = fileTime(w.ftLastWriteTime);
  d.size = (uint64_t(w.nFileSizeHigh) << 32) | w.nFileSizeLow;
  d.reserved0 = w.dwReserved0;
  d.name = w.cFileName;
  d.alternateName = w.cAlternateFileName;
  return d;
}

class Win32Find : public FindHandle {
 public:
  explicit Win32Find(HANDLE handle) : handle_(handle) {}
  ~Win32Find() override { FindClose(handle_); }
  Win32Find(const Win32Find&) = delete;
  Win32Find& operator=(const Win32Find&) = delete;

  bool next(FindData& out) override {
    WIN32_FIND_DATAA w;
    if (!FindNextFileA(handle_, &w)) return false;
    out = findData(w);
    return true;
  }

 private:
  HANDLE handle_;
};

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() { release(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  // CloseHandle's own verdict: a write the cache still held can fail here.
  bool release() {
    if (!valid()) return true;
    bool closed = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE h_;
};

class Win32Output : public OutputFile {
 public:
  explicit Win32Output(HANDLE h) : file_(h) {}
  bool write(const char* data, size_t size) override {
    while (size > 0 && file_.valid()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), data, chunk, &written, nullptr) || written == 0) {
        failed_ = true;
        return false;
      }
      data += written;
      size -= written;
    }
    return size == 0;
  }
  bool close() override {
    bool closed = file_.release();
    return closed && !failed_;
  }

 private:
  FileHandle file_;
  bool failed_ = false;
};

// FILE_DISPOSITION_INFO, which is ntdll's FILE_DISPOSITION_INFORMATION: deleting through a
// handle, as DeleteFileA does after opening.
struct DispositionInfo {
  BOOLEAN deleteFile;
};
constexpr int kFileDispositionInfo = 4;
constexpr int kFileDispositionInformation = 13;
// IO_STATUS_BLOCK.
struct IoStatus {
  void* status;
  ULONG_PTR information;
};

std::optional<uint64_t> sizeOf(HANDLE file) {
  if (const auto sizeEx = optionalApi().GetFileSizeEx) {
    LARGE_INTEGER size;
    if (!sizeEx(file, &size)) return std::nullopt;
    return uint64_t(size.QuadPart);
  }
  DWORD high = 0;
  const DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return std::nullopt;
  return (uint64_t(high) << 32) | low;
}

std::string fullPathOf(const std::string& path) {
  std::string out(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(out.size()), &out[0], nullptr);
    if (n == 0) return path;
    if (n < out.size()) {
      out.resize(n);
      return out;
    }
    out.assign(n, '\0');
  }
  return path;
}

// "\\?\C:\dir" is "C:\dir", "\\?\UNC\server\share" is "\\server\share"; a trailing backslash
// stays only at a drive root.
std::string dosPath(std::string path) {
  if (path.compare(0, 8, "\\\\?\\UNC\\") == 0) path.erase(2, 6);
  else if (path.compare(0, 4, "\\\\?\\") == 0) path.erase(0, 4);
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// What a path opened, where the system cannot tell more (see GetFinalPathNameByHandleW in
// optional_api.h): the path made full, its short names long.
std::string openedPath(const std::string& path) {
  const RealSystemFolder real;
  const std::string full = fullPathOf(path);
  std::string out(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD n = GetLongPathNameA(full.c_str(), &out[0], static_cast<DWORD>(out.size()));
    if (n == 0) return std::string();
    if (n < out.size()) {
      out.resize(n);
      return dosPath(out);
    }
    out.assign(n, '\0');
  }
  return std::string();
}

// Where what the handle opened by this path really lies. The wide call, converted here as the
// ANSI call converts: under Wine the ANSI one asks the wide one twice (once for the length),
// and the cleaner asks this for every file it deletes.
std::string finalPathOf(HANDLE h, const std::string& path) {
  const auto finalPathByHandle = optionalApi().GetFinalPathNameByHandleW;
  if (!finalPathByHandle) return openedPath(path);
  std::wstring wide(MAX_PATH, L'\0');
  DWORD n = 0;
  for (int attempt = 0;; ++attempt) {
    // FILE_NAME_NORMALIZED | VOLUME_NAME_DOS, both 0.
    n = finalPathByHandle(h, &wide[0], static_cast<DWORD>(wide.size()), 0);
    if (n == 0 || n > 32768) return std::string();
    if (n < wide.size()) break;
    if (attempt == 1) return std::string();
    wide.assign(n, L'\0');
  }
  const UINT codePage = AreFileApisANSI() ? CP_ACP : CP_OEMCP;
  const int wideLength = static_cast<int>(n);
  const int size = WideCharToMultiByte(codePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), wideLength, &out[0], size, nullptr, nullptr);
  return dosPath(out);
}

class Win32Deletion : public FileForDeletion {
 public:
  Win32Deletion(HANDLE h, const std::string& path) : handle_(h), path_(path) {}
  std::string finalPath() override { return finalPathOf(handle_.get(), path_); }
  bool remove() override {
    const OptionalApi& api = optionalApi();
    DispositionInfo info{TRUE};
    if (api.SetFileInformationByHandle)
      return api.SetFileInformationByHandle(handle_.get(), kFileDispositionInfo, &info, sizeof info) != 0;
    if (api.NtSetInformationFile) {
      IoStatus status{};
      return api.NtSetInformationFile(handle_.get(), &status, &info, sizeof info, kFileDispositionInformation) >= 0;
    }
    handle_.reset();
    return DeleteFileA(path_.c_str()) != 0;
  }

 private:
  Handle handle_;
  std::string path_;
};

}  // namespace

std::unique_ptr<FindHandle> Win32Files::findFirst(const std::string& pattern, FindData& first) {
  const RealSystemFolder real;
  WIN32_FIND_DATAA w;
  HANDLE h = FindFirstFileA(pattern.c_str(), &w);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  first = findData(w);
  return std::make_unique<Win32Find>(h);
}

std::optional<uint32_t> Win32Files::attributes(const std::string& path) {
  const RealSystemFolder real;
  DWORD a = GetFileAttributesA(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return a;
}

std::optional<std::string> Win32Files::readFile(const std::string& path, uint64_t limit) {
  const RealSystemFolder real;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  const auto size = sizeOf(file.get());
  if (!size || *size > limit) return std::nullopt;
  // The file may change while we read it: never take more than the limit allows.
  std::string content;
  content.reserve(static_cast<size_t>(std::min<uint64_t>(*size, 16u << 20)));
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    if (content.size() + got > limit) return std::nullopt;
    content.append(buffer.data(), got);
  }
  return content;
}

bool Win32Files::writeFile(const std::string& path, const std::string& content) {
  auto out = createFile(path);
  if (!out) return false;
  bool wrote = out->write(content.data(), content.size());
  return out->close() && wrote;
}

std::unique_ptr<OutputFile> Win32Files::createFile(const std::string& path) {
  const RealSystemFolder real;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Output>(h);
}

bool Win32Files::createNewFile(const std::string& path) {
  const RealSystemFolder real;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  Handle made(h);
  return true;
}

bool Win32Files::deleteFile(const std::string& path) {
  const RealSystemFolder real;
  return DeleteFileA(path.c_str()) != 0;
}

bool Win32Files::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  const RealSystemFolder real;
  return CopyFileA(from.c_str(), to.c_str(), failIfExists) != 0;
}

// ReplaceFileA would keep the target's attributes on Windows but not under Wine, and refuses a
// target that does not exist yet; a plain move behaves the same on both.
bool Win32Files::moveFile(const std::string& from, const std::string& to) {
  const RealSystemFolder real;
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return MoveFileExA(from.c_str(), to.c_str(), flags) != 0;
}

bool Win32Files::createDirectory(const std::string& path) {
  const RealSystemFolder real;
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32Files::setAttributes(const std::string& path, uint32_t attributes) {
  const RealSystemFolder real;
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

std::string Win32Files::fullPath(const std::string& path) { return fullPathOf(path); }

std::string Win32Files::finalPath(const std::string& path) {
  const RealSystemFolder real;
  // Without final paths there is nothing to open for, and 98 and ME cannot open a folder.
  if (!optionalApi().GetFinalPathNameByHandleW) return openedPath(path);
  // Backup semantics open folders too; the attributes right is all a name query needs.
  HANDLE opened = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::string();
  Handle h(opened);
  return finalPathOf(h.get(), path);
}

std::unique_ptr<FileForDeletion> Win32Files::openForDeletion(const std::string& path) {
  const RealSystemFolder real;
  const OptionalApi& api = optionalApi();
  // 98 and ME delete by the path (see Win32Deletion) and know neither the delete right, nor
  // deletion sharing, nor links: there the handle only tells that a file, no folder, is there.
  const bool throughHandle = api.SetFileInformationByHandle || api.NtSetInformationFile;
  HANDLE h = throughHandle ? CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr)
                           : CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Deletion>(h, path);
}

}  // namespace platform::win32
