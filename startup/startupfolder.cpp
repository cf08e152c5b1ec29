#include "startup/startupfolder.h"

namespace startup {
namespace {

bool isDesktopIni(const std::string& name) {
  static const char kName[] = "desktop.ini";
  if (name.size() != sizeof kName - 1) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] + 32) : name[i];
    if (c != kName[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> readStartupFolder(platform::Registry& registry) {
  auto key =
      registry.open(platform::RegRoot::LocalMachine,
                    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                    platform::RegAccess::AllAccess);
  if (!key) return std::nullopt;
  return key->readString("Common Startup").value_or(std::string());
}

std::vector<std::string> startupFileNames(platform::Files& files, const std::string& folder) {
  std::vector<std::string> names;
  platform::FindData entry;
  auto find = files.findFirst(folder + "\\*.*", entry);
  for (bool more = find != nullptr; more; more = find->next(entry))
    if (!entry.isDirectory() && !isDesktopIni(entry.name)) names.push_back(entry.name);
  return names;
}

}  // namespace startup
