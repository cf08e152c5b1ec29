// The plain-text system report of the Software Wizard: operating system, memory, drives,
// display, DirectX, sound and media players, one memo line each, built from a record of facts
// so that it can be checked without a machine.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"

namespace sysinfo {

// The media players the report names, in the order the registry table lists them.
enum class Player { QuickTime, DivX, RealPlayer, WindowsMedia };
inline constexpr size_t kPlayers = 4;

// Facts read once at start: they do not change while the program runs.
struct InstalledSoftware {
  std::string processorName;
  std::string servicePack;
  std::array<bool, kPlayers> players{};  // by Player
};

// Facts read at each showing of the window, so that the report is current.
struct MachineState {
  platform::MemoryStatus memory;
  std::array<uint32_t, 26> driveTypes{};  // GetDriveTypeA of "A:" to "Z:"
  bool soundCard = false;
};

// Facts the application already holds and shows on the main window, taken as it shows them.
struct DesktopFacts {
  std::string osName;  // "Microsoft Windows XP"
  std::string windowsDirectory;
  std::string processCount;  // the caption "Running Processes: <n>"
  std::string browserName;   // the default browser's DDE application name
  std::string directXVersion;
  int colorDepth = 0;
  int screenWidth = 0, screenHeight = 0;
};

struct InventoryFacts {
  DesktopFacts desktop;
  InstalledSoftware software;
  MachineState machine;
};

// The report's lines, in the order they go into the memo.
std::vector<std::string> inventoryReport(const InventoryFacts& facts);

// Megabytes of physical memory as the report counts them: the total rounded up by one (the
// usual shortfall of the reported total), the used figure counted two more than the plain
// difference.
uint64_t ramInstalledMb(uint64_t totalPhys);
uint64_t ramInUseMb(uint64_t totalPhys, uint64_t availPhys);

// What a drive line says after "X:" for a GetDriveTypeA answer; nullopt when the letter gets
// no line (unknown or no root folder).
std::optional<std::string> driveSuffix(uint32_t type);

// "QuickTime Player installed", "DivX Player not installed", ...
std::string playerLine(Player player, bool installed);

}  // namespace sysinfo
