// Reading the inventory's facts from the machine: the registry's processor, service pack,
// DirectX and media-player entries, and the system's memory, drives and sound devices.
#pragma once

#include <string>

#include "platform/registry.h"
#include "platform/system.h"
#include "sysinfo/inventoryreport.h"

namespace sysinfo {

// Missing keys and values, and values that are not text, read as empty or "not installed".
InstalledSoftware readInstalledSoftware(platform::Registry& registry);
MachineState readMachineState(platform::System& system);
// The "Version" of DirectX, as the main window keeps it.
std::string readDirectXVersion(platform::Registry& registry);

// A name stored with leading blanks shows without them; one made of blanks only is left as it
// is.
std::string processorNameText(const std::string& stored);

}  // namespace sysinfo
