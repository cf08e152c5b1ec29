#include "scan/signatures.h"

#include <utility>

#include "scan/scramble.h"

namespace scan {

std::string signatureListPath(const std::string& programDir, const std::string& listName) {
  return programDir + listName;
}

std::vector<std::string> splitLines(std::string_view bytes) {
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

bool isSignatureEntry(std::string_view stored) {
  return !stored.empty() && stored.size() <= kMaxSignatureLine &&
         stored.find(static_cast<char>(kScrambleKey)) == std::string_view::npos;
}

SignatureList parseSignatureList(std::string_view bytes) {
  SignatureList list;
  list.status = SignatureList::Status::Loaded;
  for (auto& line : splitLines(bytes)) {
    if (isSignatureEntry(line))
      list.lines.push_back(std::move(line));
    else
      ++list.passedOver;
  }
  return list;
}

SignatureList loadSignatureList(platform::Files& files, const std::string& path) {
  auto read = platform::readBounded(files, path, kMaxSignatureFile);
  if (read.status == SignatureList::Status::Loaded) return parseSignatureList(read.bytes);
  SignatureList list;
  list.status = read.status;
  return list;
}

std::string signatureListError(const SignatureList& list, const std::string& path) {
  if (list.status == SignatureList::Status::TooLarge)
    return "The signature list " + path + " is larger than " +
           std::to_string(kMaxSignatureFile / (1024 * 1024)) + " MB and cannot be used.";
  return "The signature list " + path + " cannot be opened.";
}

}  // namespace scan
