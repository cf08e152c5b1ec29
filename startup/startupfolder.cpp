#include "startup/startupfolder.h"

#include "platform/textcase.h"

namespace startup {

std::optional<std::string> readStartupFolder(platform::Registry& registry) {
  auto key =
      registry.open(platform::RegRoot::LocalMachine,
                    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                    platform::RegAccess::Read);
  if (!key) return std::nullopt;
  return key->readString("Common Startup").value_or(std::string());
}

std::vector<std::string> startupFileNames(platform::Files& files, const std::string& folder) {
  std::vector<std::string> names;
  platform::FindData entry;
  auto find = files.findFirst(folder + "\\*.*", entry);
  for (bool more = find != nullptr; more; more = find->next(entry))
    if (!entry.isDirectory() && !platform::equalsAsciiNoCase(entry.name, "desktop.ini")) names.push_back(entry.name);
  return names;
}

}  // namespace startup
