// The seven phases of the threat scan, in the order they run: the list each reads, what a line
// of it names, and what the scan window shows while the line is looked up.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "scan/signatures.h"

namespace scan {

enum class PhaseCheck {
  File,   // a file below the Windows directory; found files are listed, not touched
  Key,    // a key below the phase's root; a found key is deleted with all its subkeys
  Value,  // a value of the phase's fixed key; a found value is deleted, silently
};

struct ScanPhase {
  const char* listName;
  PhaseCheck check;
  platform::RegRoot root;   // Key and Value phases
  const char* valueKey;     // Value phases: the key holding the listed values, below root
  const char* shownBefore;  // Label1 before the line (the File phase shows the Windows directory)
};

inline constexpr std::array<ScanPhase, 7> kScanPhases = {{
    {kSignatureListNames[0], PhaseCheck::File, platform::RegRoot::LocalMachine, "", ""},
    {kSignatureListNames[1], PhaseCheck::Key, platform::RegRoot::ClassesRoot, "",
     "HKEY_CLASSES_ROOT"},
    {kSignatureListNames[2], PhaseCheck::Key, platform::RegRoot::LocalMachine, "",
     "HKEY_LOCAL_MACHINE"},
    {kSignatureListNames[3], PhaseCheck::Value, platform::RegRoot::LocalMachine,
     "Software\\Microsoft\\Internet Explorer\\Toolbar",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Toolbar\\"},
    {kSignatureListNames[4], PhaseCheck::Key, platform::RegRoot::CurrentUser, "",
     "HKEY_CURRENT_USER"},
    {kSignatureListNames[5], PhaseCheck::Value, platform::RegRoot::CurrentUser,
     "Software\\microsoft\\internet explorer\\toolbar\\webbrowser",
     "HKEY_CURRENT_USER\\Software\\microsoft\\internet explorer\\toolbar\\webbrowser\\"},
    {kSignatureListNames[6], PhaseCheck::Value, platform::RegRoot::LocalMachine,
     "software\\microsoft\\windows\\currentversion\\run",
     "Checking Runtime Settings For Trojans: "},
}};

inline constexpr const char* kFileSystemCaption = "Scanning file system:";
inline constexpr const char* kRegistryCaption = "Deep Scanning Registry:";
inline constexpr const char* kScanCompleteCaption = "Scan complete.";

// Label2 while the phase runs.
const char* phaseCaption(const ScanPhase& phase);

// Label1 while the line is looked up. windowsDir has no trailing backslash. The File phase's
// text is shown whole, the others are fitted to the label's width.
std::string shownText(const ScanPhase& phase, const std::string& windowsDir,
                      const std::string& line);
inline bool shownFitted(const ScanPhase& phase) { return phase.check != PhaseCheck::File; }

// Label7.
std::string itemsScannedText(int32_t itemsScanned);
// Label1 at the end of the scan.
std::string infectionsText(int32_t rows);

}  // namespace scan
