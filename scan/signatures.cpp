#include "scan/signatures.h"

#include <utility>

#include "scan/scramble.h"

namespace scan {

std::string SignatureListPath(const std::string& programDir, const std::string& listName) {
  return programDir + listName;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

bool IsSignatureEntry(std::string_view stored) {
  return !stored.empty() && stored.size() <= kMaxSignatureLine &&
         stored.find(static_cast<char>(kScrambleKey)) == std::string_view::npos;
}

SignatureList ParseSignatureList(std::string_view bytes) {
  SignatureList list;
  list.status = SignatureList::Status::Loaded;
  for (auto& line : SplitLines(bytes)) {
    if (IsSignatureEntry(line))
      list.lines.push_back(std::move(line));
    else
      ++list.passedOver;
  }
  return list;
}

SignatureList LoadSignatureList(platform::Files& files, const std::string& path) {
  auto read = platform::ReadBounded(files, path, kMaxSignatureFile);
  if (read.status == SignatureList::Status::Loaded) return ParseSignatureList(read.bytes);
  SignatureList list;
  list.status = read.status;
  return list;
}

std::string SignatureListError(const SignatureList& list, const std::string& path) {
  if (list.status == SignatureList::Status::TooLarge)
    return "The signature list " + path + " is larger than " +
           std::to_string(kMaxSignatureFile / (1024 * 1024)) + " MB and cannot be used.";
  return "The signature list " + path + " cannot be opened.";
}

}  // namespace scan
