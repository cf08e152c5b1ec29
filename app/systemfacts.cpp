#include "app/systemfacts.h"

#include "app/dashboard.h"
#include "online/browsermembership.h"
#include "sysinfo/inventoryfacts.h"

namespace app {

namespace {

using platform::RegAccess;
using platform::RegRoot;


const char* badgeFor(const std::string& osName) {
  if (osName == "Microsoft Windows XP") return "os_xp";
  if (osName == "Microsoft Windows 2000") return "os_2000";
  if (osName == "Microsoft Windows ME") return "os_me";
  // Second Edition is a Windows 98 too and wears its badge.
  if (osName == "Microsoft Windows 98" || osName == "Microsoft Windows 98SE") return "os_98";
  return "";
}

}  // namespace

SystemFacts SystemFacts::read(platform::Services& sys) {
  auto& reg = sys.registry();
  SystemFacts f;
  const platform::OsVersion version = sys.system().osVersion();
  f.osName = app::osName(version);
  f.osBadge = badgeFor(f.osName);
  // The folder whose Temp the cleaner empties: XP and 2000 keep it as Local Settings; NT 6 and
  // later have none and keep the Temp folder below Local AppData instead.
  const char* tempParent = nullptr;
  if (f.osBadge == "os_xp" || f.osBadge == "os_2000") tempParent = "Local Settings";
  else if (version.platformId == 2 && version.major >= 6) tempParent = "Local AppData";
  if (tempParent) {
    auto v = reg.readString(RegRoot::CurrentUser,
                            "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", tempParent);
    if (v && !v->empty()) f.localSettings = *v + (v->back() == '\\' ? "" : "\\");
  }
  f.profileDirectory = sys.system().profileDirectory();
  f.windowsDirectory = sys.system().windowsDirectory();
  f.colorDepth = sys.system().colorDepth();
  // What a 32-bit program registered lies in the 32-bit view, which counts as much.
  if (auto key = reg.openInAnyView(RegRoot::LocalMachine,
                                   "\\SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine", RegAccess::Read))
    f.nortonQuarantine = key->readString("QuarantinePath").value_or("") + "\\";
  f.browserName =
      reg.readString(RegRoot::ClassesRoot, "\\http\\shell\\open\\ddeexec\\Application", "").value_or("");
  // The name Internet Explorer's cookie files carry, so the user line and the cookies agree.
  f.logonUserName = online::logonUserName(reg, sys.system());
  f.directXVersion = sysinfo::readDirectXVersion(reg);
  const char* const kCurrentVersion = "\\Software\\Microsoft\\Windows\\CurrentVersion";
  f.programFilesDir = reg.readString(RegRoot::LocalMachine, kCurrentVersion, "ProgramFilesDir").value_or("");
  f.commonFilesDir = reg.readString(RegRoot::LocalMachine, kCurrentVersion, "CommonFilesDir").value_or("");
  return f;
}

void SystemFacts::readInstallPath(platform::Registry& registry, const std::string& programDir) {
  auto key = registry.openInAnyView(RegRoot::LocalMachine, "\\Software\\Orvanta Works\\Orvanta Kestrel",
                                    RegAccess::AllAccess);
  if (!key) return;
  installPath = key->readString("InstallPath").value_or("");
  if (installPath.empty()) key->writeString("InstallPath", programDir);
}

}  // namespace app
