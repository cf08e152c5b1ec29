// What the program knows of the machine it runs on, read at start-up (the install path again
// at each showing of the main window): the operating system, the system folders, the default
// browser and the display. The main window shows these facts and the tools read them here.
#pragma once

#include <string>

#include "platform/services.h"

namespace app {

struct SystemFacts {
  // "Microsoft Windows XP" and the like, and the badge picture for it (empty when none fits).
  std::string osName, osBadge;
  // The Windows directory as the platform gives it, without a trailing backslash.
  std::string windowsDirectory;
  std::string programFilesDir, commonFilesDir;
  // The folder that holds the user's Temp folder, with a trailing backslash: "Local Settings"
  // on Windows XP and 2000, "Local AppData" on NT 6 and later (which have no Local Settings);
  // empty elsewhere, and empty when the value is missing.
  std::string localSettings;
  // The user's profile folder, without a trailing backslash; empty where there is none.
  std::string profileDirectory;
  // The antivirus quarantine folder with a trailing backslash; "\" when the key holds no folder
  // and empty when there is no key. Only a real folder counts (hasQuarantine).
  std::string nortonQuarantine;
  // The default browser's DDE application name ("IExplore", "Firefox", ...).
  std::string browserName;
  // The logon name, or the account's name where Windows keeps none.
  std::string logonUserName;
  std::string directXVersion;
  int colorDepth = 0;
  // The product's install path from its registry key, filled in with the program's own
  // directory when empty (readInstallPath).
  std::string installPath;

  static SystemFacts read(platform::Services& sys);
  // The user's Temp folder below localSettings, with a trailing backslash; empty without one.
  std::string tempFolder() const { return localSettings.empty() ? std::string() : localSettings + "Temp\\"; }
  // Reads the product key's "InstallPath" and writes programDir there when the value is empty;
  // the key itself is never created.
  void readInstallPath(platform::Registry& registry, const std::string& programDir);

  bool hasQuarantine() const { return !nortonQuarantine.empty() && nortonQuarantine != "\\"; }
  // The drive of the Windows directory ("C:").
  std::string systemDrive() const { return windowsDirectory.substr(0, 2); }
};

}  // namespace app
