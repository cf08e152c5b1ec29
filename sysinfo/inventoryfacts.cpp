#include "sysinfo/inventoryfacts.h"

#include <algorithm>

namespace sysinfo {
namespace {

using platform::RegRoot;

// Registry texts become report lines: longer ones than any of these entries holds are cut,
// and a line break inside one would split the report's line.
constexpr size_t kMaxText = 255;

std::string text(platform::Registry& registry, const char* path, const char* value) {
  const std::string s = registry.readStringInAnyView(RegRoot::LocalMachine, path, value).value_or("");
  return s.substr(0, std::min(s.find_first_of("\r\n"), kMaxText));
}

struct PlayerEntry {
  Player player;
  const char* key;
  const char* value;
};
constexpr PlayerEntry kPlayerEntries[] = {
    {Player::QuickTime, "\\SOFTWARE\\Apple Computer, Inc.\\QuickTime", "InstallDir"},
    {Player::DivX, "\\SOFTWARE\\DivXNetworks\\DivX Player", "InstallDir"},
    {Player::RealPlayer, "\\SOFTWARE\\RealNetworks\\RealPlayer", "install"},
    {Player::WindowsMedia, "\\SOFTWARE\\Microsoft\\Multimedia\\WMPlayer", "Player.Path"},
};

}  // namespace

std::string processorNameText(const std::string& stored) {
  const size_t first = stored.find_first_not_of(' ');
  return first == std::string::npos ? stored : stored.substr(first);
}

InstalledSoftware readInstalledSoftware(platform::Registry& registry) {
  InstalledSoftware soft;
  soft.processorName = processorNameText(text(
      registry, "\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString"));
  soft.servicePack =
      text(registry, "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CSDVersion");
  for (const PlayerEntry& e : kPlayerEntries)
    soft.players[static_cast<size_t>(e.player)] = !text(registry, e.key, e.value).empty();
  return soft;
}

MachineState readMachineState(platform::System& system) {
  MachineState state;
  state.memory = system.memoryStatus();
  for (size_t i = 0; i < state.driveTypes.size(); ++i)
    state.driveTypes[i] = system.driveType(std::string(1, static_cast<char>('A' + i)) + ":");
  state.soundCard = system.waveOutDevices() != 0 || system.midiOutDevices() != 0;
  return state;
}

std::string readDirectXVersion(platform::Registry& registry) {
  return text(registry, "\\SOFTWARE\\Microsoft\\DirectX", "Version");
}

}  // namespace sysinfo
