#include "sysinfo/inventoryreport.h"

namespace sysinfo {

uint64_t ramInstalledMb(uint64_t totalPhys) { return (totalPhys >> 20) + 1; }

uint64_t ramInUseMb(uint64_t totalPhys, uint64_t availPhys) {
  const uint64_t total = totalPhys >> 20, avail = availPhys >> 20;
  // More available than installed is a system's error, not a negative use.
  return total >= avail ? total - avail + 2 : 2;
}

std::optional<std::string> driveSuffix(uint32_t type) {
  switch (type) {
    case 0:
    case 1:
      return std::nullopt;
    case 2:
      return std::string(" is removable");
    case 3:
      return std::string(" is fixed");
    case 4:
      return std::string(" is network drive");
    case 5:
      return std::string(" is CD-ROM");
    case 6:
      return std::string(" is RAM disk");
    default:
      return std::string();
  }
}

std::string playerLine(Player player, bool installed) {
  static const char* const names[kPlayers] = {"QuickTime Player", "DivX Player", "Real Player",
                                              "Windows Media Player"};
  return std::string(names[static_cast<size_t>(player)]) +
         (installed ? " installed" : " not installed");
}

std::vector<std::string> inventoryReport(const InventoryFacts& facts) {
  const DesktopFacts& desk = facts.desktop;
  const InstalledSoftware& soft = facts.software;
  const MachineState& machine = facts.machine;
  std::vector<std::string> lines = {
      desk.osName,
      soft.servicePack,
      "Location: " + desk.windowsDirectory,
      desk.processCount,
      std::string("Default browser: ") +
          (desk.browserName == "Firefox" ? "Firefox" : "Internet Explorer"),
      "",
      soft.processorName,
      "RAM installed: " + std::to_string(ramInstalledMb(machine.memory.totalPhys)) + " MB",
      "RAM in use: " +
          std::to_string(ramInUseMb(machine.memory.totalPhys, machine.memory.availPhys)) + " MB",
      "",
  };
  for (size_t i = 0; i < machine.driveTypes.size(); ++i)
    if (auto suffix = driveSuffix(machine.driveTypes[i]))
      lines.push_back(std::string(1, static_cast<char>('A' + i)) + ":" + *suffix);
  lines.insert(lines.end(),
               {"",
                "Screen resolution: " + std::to_string(desk.screenWidth) + "x" +
                    std::to_string(desk.screenHeight),
                "Color quality: " + std::to_string(desk.colorDepth) + " bit",
                "DirectX version: " + desk.directXVersion,
                machine.soundCard ? "Sound card detected" : "Sound card not detected", ""});
  for (Player p : {Player::QuickTime, Player::RealPlayer, Player::WindowsMedia, Player::DivX})
    lines.push_back(playerLine(p, soft.players[static_cast<size_t>(p)]));
  return lines;
}

}  // namespace sysinfo
