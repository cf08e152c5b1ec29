#include "platform/fake/fake_files.h"

#include <algorithm>

#include "platform/textcase.h"

namespace platform::fake {

namespace {

// MAX_PATH less the terminator: the ANSI calls refuse anything longer.
constexpr size_t kMaxPath = 259;
// Windows gives up after this many reparse points in one path.
constexpr int kMaxLinkHops = 63;
constexpr uint32_t kSettableAttrs = 0x1 | 0x2 | 0x4 | 0x20 | 0x100 | 0x1000 | 0x2000;

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool validName(const std::string& name) {
  for (unsigned char c : name)
    if (c < 32 || std::string("<>:\"|?*").find(static_cast<char>(c)) != std::string::npos) return false;
  return true;
}

bool hasWildcards(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

bool matchFrom(const std::string& mask, size_t m, const std::string& name, size_t n) {
  while (m < mask.size()) {
    if (mask[m] == '*') {
      while (m < mask.size() && mask[m] == '*') ++m;
      if (m == mask.size()) return true;
      for (size_t k = n; k <= name.size(); ++k)
        if (matchFrom(mask, m, name, k)) return true;
      return false;
    }
    if (n == name.size()) return false;
    if (mask[m] != '?' && asciiUpper(mask[m]) != asciiUpper(name[n])) return false;
    ++m;
    ++n;
  }
  return n == name.size();
}

// The find-first mask rules: "*" and "*.*" take everything, and a trailing ".*" also takes a
// name without an extension.
bool findMaskMatches(const std::string& mask, const std::string& name) {
  if (mask == "*" || mask == "*.*") return true;
  if (matchFrom(mask, 0, name, 0)) return true;
  return mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0 &&
         name.find('.') == std::string::npos && matchFrom(mask.substr(0, mask.size() - 2), 0, name, 0);
}

}  // namespace

struct FakeFiles::Node {
  std::string name;
  uint32_t attrs = 0;
  FileTime created = 0, accessed = 0, written = 0;
  std::string content;
  std::map<std::string, std::shared_ptr<Node>> children;  // key: upper-case name
  Node* parent = nullptr;
  std::string linkTarget;
  uint32_t tag = 0;
  bool fileLink = false;
  std::optional<uint64_t> listedSize;
  bool unreadable = false;
  int writers = 0;

  bool isDir() const { return (attrs & kAttrDirectory) != 0; }
  bool isLink() const { return (attrs & kAttrReparsePoint) != 0; }
  // A path through this node reaches another one.
  bool redirects() const { return isLink() || fileLink; }
  bool readOnly() const { return !isDir() && (attrs & kAttrReadOnly); }
  const Node* drive() const {
    const Node* node = this;
    while (node->parent) node = node->parent;
    return node;
  }

  FindData record(const std::string& shownName) const {
    FindData d;
    d.attributes = attrs;
    d.creationTime = created;
    d.lastAccessTime = accessed;
    d.lastWriteTime = written;
    d.size = isDir() ? 0 : listedSize.value_or(content.size());
    d.reserved0 = isLink() ? tag : 0;
    d.name = shownName;
    return d;
  }
};

// A parent folder (links followed) and the name of an entry in it.
struct FakeFiles::Resolved {
  Node* folder = nullptr;
  std::string name;
  Node* entry() const {
    if (!folder) return nullptr;
    auto it = folder->children.find(asciiUpper(name));
    return it == folder->children.end() ? nullptr : it->second.get();
  }
};

class FakeFiles::Find : public FindHandle {
 public:
  Find(FakeFiles& owner, std::vector<FindData> entries) : owner_(owner), entries_(std::move(entries)) {
    ++owner_.openFindHandles_;
  }
  ~Find() override { --owner_.openFindHandles_; }
  bool next(FindData& out) override {
    if (index_ >= entries_.size()) return false;
    out = entries_[index_++];
    return true;
  }

 private:
  FakeFiles& owner_;
  std::vector<FindData> entries_;
  size_t index_ = 1;  // the first entry went out with findFirst
};

class FakeFiles::Output : public OutputFile {
 public:
  Output(FakeFiles& owner, Node& node) : owner_(owner), node_(node) { ++node_.writers; }
  ~Output() override { close(); }
  bool write(const char* data, size_t size) override {
    if (closed_) return false;
    size_t allowed = size;
    if (owner_.writeBudget_) allowed = static_cast<size_t>(std::min<uint64_t>(size, *owner_.writeBudget_));
    owner_.consume(allowed);
    node_.content.append(data, allowed);
    node_.written = owner_.now_;
    if (allowed < size) failed_ = true;
    return allowed == size;
  }
  bool close() override {
    if (!closed_) {
      --node_.writers;
      closed_ = true;
    }
    return !failed_;
  }

 private:
  FakeFiles& owner_;
  Node& node_;
  bool closed_ = false;
  bool failed_ = false;
};

class FakeFiles::Deletion : public FileForDeletion {
 public:
  Deletion(FakeFiles& owner, std::weak_ptr<Node> node) : owner_(owner), node_(std::move(node)) {}
  std::string finalPath() override {
    auto node = node_.lock();
    return node ? pathOf(*node) : std::string();
  }
  bool remove() override {
    auto node = node_.lock();
    return node && owner_.eraseFile(node.get());
  }

 private:
  FakeFiles& owner_;
  std::weak_ptr<Node> node_;  // gone when the file was deleted by other means
};

FakeFiles::FakeFiles() { addDir("C:\\"); }
FakeFiles::~FakeFiles() = default;

// Splits a path into the drive ("C:") and its folder names, the way GetFullPathNameA reads
// it; nullopt for what the program never passes (UNC and device paths, empty text).
std::optional<std::vector<std::string>> FakeFiles::split(const std::string& path) const {
  if (path.empty() || (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]))) return std::nullopt;
  std::string rest = path;
  std::vector<std::string> parts;
  auto splitInto = [&parts](const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
      size_t j = i;
      while (j < text.size() && !isSeparator(text[j])) ++j;
      std::string part = text.substr(i, j - i);
      i = j + 1;
      if (part.empty() || part == ".") continue;
      if (part == "..") {
        if (parts.size() > 1) parts.pop_back();
        continue;
      }
      // Windows drops trailing dots and blanks of a name.
      while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
      if (!part.empty()) parts.push_back(part);
    }
  };
  std::vector<std::string> base;
  const char letter = path.empty() ? '\0' : asciiUpper(path[0]);
  if (path.size() >= 2 && path[1] == ':' && letter >= 'A' && letter <= 'Z') {
    std::string drive = asciiUpper(path.substr(0, 2));
    rest = path.substr(2);
    if (rest.empty() || !isSeparator(rest[0])) {
      if (asciiUpper(currentDirectory.substr(0, 2)) == drive) splitInto(currentDirectory);
      else parts.push_back(drive);
    } else {
      parts.push_back(drive);
    }
  } else if (isSeparator(path[0])) {
    parts.push_back(asciiUpper(currentDirectory.substr(0, 2)));
  } else {
    splitInto(currentDirectory);
  }
  if (parts.empty()) return std::nullopt;
  parts[0] = asciiUpper(parts[0]);  // the drive may come from a current directory in small letters
  splitInto(rest);
  return parts;
}

// Follows the names of parts[1..count) from the drive; links on the way lead to their target.
FakeFiles::Node* FakeFiles::walk(const std::vector<std::string>& parts, size_t count, int depth) {
  if (depth > kMaxLinkHops) return nullptr;
  auto drive = drives_.find(parts[0]);
  if (drive == drives_.end()) return nullptr;
  Node* node = drive->second.get();
  for (size_t i = 1; i < count; ++i) {
    node = follow(node, depth);
    if (!node || !node->isDir()) return nullptr;
    auto it = node->children.find(asciiUpper(parts[i]));
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

FakeFiles::Node* FakeFiles::follow(Node* node, int depth) {
  for (; node && node->redirects(); ++depth) {
    auto target = split(node->linkTarget);
    node = target && depth < kMaxLinkHops ? walk(*target, target->size(), depth + 1) : nullptr;
  }
  return node;
}

FakeFiles::Node* FakeFiles::lookup(const std::string& path) {
  auto parts = split(path);
  if (!parts || fullPath(path).size() > kMaxPath) return nullptr;
  for (size_t i = 1; i < parts->size(); ++i)
    if (!validName((*parts)[i])) return nullptr;
  // A folder link answers for itself by its last name; a file link always for its target.
  Node* node = walk(*parts, parts->size());
  return node && node->fileLink ? follow(node) : node;
}

std::string FakeFiles::pathOf(const Node& node) {
  if (!node.parent) return node.name;  // a drive root, "C:\\"
  std::string folder = pathOf(*node.parent);
  if (folder.back() != '\\') folder += '\\';
  return folder + node.name;
}

FakeFiles::Resolved FakeFiles::parentOf(const std::string& path) {
  auto parts = split(path);
  if (!parts || parts->size() < 2 || fullPath(path).size() > kMaxPath) return {};
  for (size_t i = 1; i < parts->size(); ++i)
    if (!validName((*parts)[i])) return {};
  Node* folder = follow(walk(*parts, parts->size() - 1));
  if (!folder || !folder->isDir()) return {};
  return {folder, parts->back()};
}

FakeFiles::Node* FakeFiles::create(const std::string& path, bool directory, uint32_t attrs, FileTime time) {
  auto parts = split(path);
  if (!parts || fullPath(path).size() > kMaxPath) return nullptr;
  auto& drive = drives_[(*parts)[0]];
  if (!drive) {
    drive = std::make_shared<Node>();
    drive->name = (*parts)[0] + "\\";
    drive->attrs = kAttrDirectory;
    drive->created = drive->accessed = drive->written = time;
  }
  Node* node = drive.get();
  for (size_t i = 1; i < parts->size(); ++i) {
    const std::string& name = (*parts)[i];
    if (!validName(name)) return nullptr;
    node = follow(node);
    if (!node || !node->isDir()) return nullptr;
    auto& child = node->children[asciiUpper(name)];
    bool last = i + 1 == parts->size();
    if (!child) {
      child = std::make_shared<Node>();
      child->name = name;
      child->parent = node;
      child->attrs = last && !directory ? attrs : kAttrDirectory;
      child->created = child->accessed = child->written = time;
    }
    node = child.get();
  }
  return node->isDir() == directory ? node : nullptr;
}

bool FakeFiles::consume(uint64_t bytes) {
  if (!writeBudget_) return true;
  if (bytes > *writeBudget_) return false;
  *writeBudget_ -= bytes;
  return true;
}

bool FakeFiles::addDir(const std::string& path, uint32_t attrs, FileTime time) {
  Node* node = create(path, true, attrs, time);
  if (!node || node->isLink()) return false;
  node->attrs = attrs | kAttrDirectory;
  node->created = node->accessed = node->written = time;
  return true;
}

bool FakeFiles::addFile(const std::string& path, const std::string& content, uint32_t attrs, FileTime time) {
  Node* node = create(path, false, attrs, time);
  if (!node) return false;
  uint32_t fileAttrs = attrs & ~(kAttrDirectory | kAttrReparsePoint);
  node->attrs = fileAttrs ? fileAttrs : kAttrNormal;
  node->content = content;
  node->created = node->accessed = node->written = time;
  return true;
}

bool FakeFiles::addLink(const std::string& path, const std::string& target, uint32_t tag) {
  Resolved r = parentOf(path);
  if (!r.folder) {
    auto parts = split(path);
    if (!parts || parts->size() < 2) return false;
    std::string parent = parts->front();
    for (size_t i = 1; i + 1 < parts->size(); ++i) parent += "\\" + (*parts)[i];
    if (!addDir(parent + "\\")) return false;
    r = parentOf(path);
    if (!r.folder) return false;
  }
  if (r.entry() || !validName(r.name)) return false;
  auto node = std::make_shared<Node>();
  node->name = r.name;
  node->parent = r.folder;
  node->attrs = kAttrDirectory | kAttrReparsePoint;
  node->linkTarget = target;
  node->tag = tag;
  node->created = node->accessed = node->written = now_;
  r.folder->children[asciiUpper(r.name)] = node;
  return true;
}

bool FakeFiles::addFileLink(const std::string& path, const std::string& target) {
  if (!addFile(path)) return false;
  Node* node = parentOf(path).entry();
  node->fileLink = true;
  node->linkTarget = target;
  return true;
}

bool FakeFiles::makeUnreadable(const std::string& path) {
  Node* node = lookup(path);
  if (!node) return false;
  node->unreadable = true;
  return true;
}

bool FakeFiles::setListedSize(const std::string& path, uint64_t size) {
  Node* node = lookup(path);
  if (!node || node->isDir()) return false;
  node->listedSize = size;
  return true;
}

bool FakeFiles::remove(const std::string& path) {
  Resolved r = parentOf(path);
  return r.folder && r.folder->children.erase(asciiUpper(r.name)) > 0;
}

std::optional<FindData> FakeFiles::record(const std::string& path) {
  Node* node = lookup(path);
  if (!node) return std::nullopt;
  return node->record(node->name);
}

std::unique_ptr<FindHandle> FakeFiles::findFirst(const std::string& pattern, FindData& first) {
  size_t cut = pattern.find_last_of("\\/");
  std::string folderPath = cut == std::string::npos ? currentDirectory : pattern.substr(0, cut + 1);
  std::string mask = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  if (mask.empty() || hasWildcards(folderPath) || pattern.size() > kMaxPath) return nullptr;
  Node* folder = lookup(folderPath);
  if (folder && folder->unreadable) return nullptr;
  folder = follow(folder);
  if (!folder || !folder->isDir() || folder->unreadable) return nullptr;

  std::vector<FindData> entries;
  auto take = [&](const Node& node, const std::string& name) {
    if (findMaskMatches(mask, name)) entries.push_back(node.record(name));
  };
  if (folder->parent) {
    take(*folder, ".");
    take(*folder->parent, "..");
  }
  size_t dots = entries.size();
  for (const auto& [key, child] : folder->children) {
    // A file link shows what it leads to, under its own name; a broken one does not show.
    const Node* shown = child->fileLink ? follow(child.get()) : child.get();
    if (shown) take(*shown, child->name);
  }
  if (order_ == ListingOrder::Reverse) std::reverse(entries.begin() + static_cast<long>(dots), entries.end());
  if (entries.empty()) return nullptr;
  ++listingsOpened_;
  first = entries.front();
  return std::make_unique<Find>(*this, std::move(entries));
}

std::optional<uint32_t> FakeFiles::attributes(const std::string& path) {
  Node* node = lookup(path);
  if (!node) return std::nullopt;
  return node->attrs;
}

std::optional<std::string> FakeFiles::readFile(const std::string& path, uint64_t limit) {
  Node* node = lookup(path);
  if (!node || node->isDir() || node->unreadable || node->content.size() > limit) return std::nullopt;
  return node->content;
}

bool FakeFiles::writeFile(const std::string& path, const std::string& content) {
  auto out = createFile(path);
  if (!out) return false;
  bool wrote = out->write(content.data(), content.size());
  return out->close() && wrote;
}

std::unique_ptr<OutputFile> FakeFiles::createFile(const std::string& path) {
  Resolved r = parentOf(path);
  if (!r.folder) return nullptr;
  Node* node = r.entry();
  if (node && node->fileLink) {
    node = follow(node);
    if (!node) return nullptr;
  }
  if (node) {
    if (node->isDir() || node->readOnly() || node->writers > 0) return nullptr;
    node->content.clear();
    node->attrs = (node->attrs | kAttrArchive) & ~kAttrNormal;
    node->written = now_;
  } else {
    auto made = std::make_shared<Node>();
    made->name = r.name;
    made->parent = r.folder;
    made->attrs = kAttrArchive;
    made->created = made->accessed = made->written = now_;
    node = made.get();
    r.folder->children[asciiUpper(r.name)] = std::move(made);
  }
  return std::make_unique<Output>(*this, *node);
}

bool FakeFiles::createNewFile(const std::string& path) {
  if (lookup(path)) return false;
  return createFile(path) != nullptr;
}

bool FakeFiles::deleteFile(const std::string& path) {
  Node* node = parentOf(path).entry();
  // By name, a file link deletes its target.
  return eraseFile(node && node->fileLink ? follow(node) : node);
}

bool FakeFiles::eraseFile(Node* node) {
  if (!node || !node->parent || node->isDir() || node->readOnly() || node->writers > 0) return false;
  node->parent->children.erase(asciiUpper(node->name));
  return true;
}

std::string FakeFiles::finalPath(const std::string& path) {
  Node* node = follow(lookup(path));
  return node ? pathOf(*node) : std::string();
}

std::unique_ptr<FileForDeletion> FakeFiles::openForDeletion(const std::string& path) {
  Node* node = parentOf(path).entry();
  if (node && node->fileLink) node = follow(node);
  if (!node || !node->parent || node->isDir() || node->writers > 0) return nullptr;
  return std::make_unique<Deletion>(*this, node->parent->children.at(asciiUpper(node->name)));
}

bool FakeFiles::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  Node* source = lookup(from);
  if (!source || source->isDir() || source->unreadable || source->writers > 0) return false;
  Resolved r = parentOf(to);
  if (!r.folder) return false;
  Node* target = r.entry();
  if (target == source) return false;
  if (target && (failIfExists || target->isDir() || target->readOnly() || target->writers > 0)) return false;
  if (!consume(source->content.size())) return false;
  if (!target) {
    auto made = std::make_shared<Node>();
    made->name = r.name;
    made->parent = r.folder;
    made->created = now_;
    target = made.get();
    r.folder->children[asciiUpper(r.name)] = std::move(made);
  }
  target->content = source->content;
  target->attrs = source->attrs | kAttrArchive;
  if (target->attrs & ~kAttrNormal) target->attrs &= ~kAttrNormal;
  target->written = source->written;
  target->accessed = now_;
  return true;
}

bool FakeFiles::moveFile(const std::string& from, const std::string& to) {
  Resolved source = parentOf(from);
  Node* node = source.entry();
  if (!node || node->isDir() || node->writers > 0) return false;
  Resolved r = parentOf(to);
  // Without MOVEFILE_COPY_ALLOWED a file never leaves its drive.
  if (!r.folder || r.folder->drive() != source.folder->drive()) return false;
  Node* target = r.entry();
  if (target && target != node && (target->isDir() || target->readOnly() || target->writers > 0))
    return false;
  std::shared_ptr<Node> moved = source.folder->children[asciiUpper(source.name)];
  source.folder->children.erase(asciiUpper(source.name));
  moved->name = r.name;
  moved->parent = r.folder;
  r.folder->children[asciiUpper(r.name)] = std::move(moved);
  return true;
}

bool FakeFiles::createDirectory(const std::string& path) {
  Resolved r = parentOf(path);
  if (!r.folder || r.entry()) return false;
  auto made = std::make_shared<Node>();
  made->name = r.name;
  made->parent = r.folder;
  made->attrs = kAttrDirectory;
  made->created = made->accessed = made->written = now_;
  r.folder->children[asciiUpper(r.name)] = std::move(made);
  return true;
}

bool FakeFiles::setAttributes(const std::string& path, uint32_t attributes) {
  Node* node = lookup(path);
  if (!node || !node->parent) return false;
  uint32_t kept = node->attrs & (kAttrDirectory | kAttrReparsePoint);
  uint32_t set = attributes & kSettableAttrs;
  node->attrs = kept | set;
  if (node->attrs == 0) node->attrs = kAttrNormal;
  return true;
}

std::string FakeFiles::fullPath(const std::string& path) {
  auto parts = split(path);
  if (!parts) return path;
  std::string out = (*parts)[0] + "\\";
  for (size_t i = 1; i < parts->size(); ++i) out += (i > 1 ? "\\" : "") + (*parts)[i];
  if (parts->size() > 1 && isSeparator(path.back())) out += "\\";
  return out;
}

}  // namespace platform::fake
