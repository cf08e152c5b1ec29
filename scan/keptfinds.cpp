#include "scan/keptfinds.h"

namespace scan {

std::string keptFindsQuestion(size_t count, const std::vector<BackupFailure>& why,
                              const std::string& folder) {
  const bool one = count == 1;
  std::string text = std::to_string(count) +
                     (one ? " registry entry found by the scan was not removed, because it"
                          : " registry entries found by the scan were not removed, because they") +
                     " could not be saved to a registry backup first:\n";
  for (BackupFailure failure : why) {
    switch (failure) {
      case BackupFailure::Unwritable:
        text += "- the backup cannot be written in the folder \"" + folder + "\"\n";
        break;
      case BackupFailure::Unnamable:
        text += std::string("- a name in ") + (one ? "it" : "them") +
                " holds a line break, which a registry backup cannot hold\n";
        break;
      case BackupFailure::Unreadable:
        text += std::string("- a part of ") + (one ? "it" : "them") + " cannot be read\n";
        break;
      case BackupFailure::None:
        break;
    }
  }
  return text + "\nDo you want to delete " + (one ? "it" : "them") + " without a backup?";
}

std::string needsAdministratorText(int32_t count) {
  const bool one = count == 1;
  return std::to_string(count) +
         (one ? " registry entry found by the scan was not removed, because only an "
                "administrator may change it."
              : " registry entries found by the scan were not removed, because only an "
                "administrator may change them.") +
         " Start Orvanta Kestrel as an administrator and scan again to remove " +
         (one ? "it." : "them.");
}

}  // namespace scan
