// What the user is told, once at the end of a scan, about the registry finds that stayed
// because they could not be saved to the registry backup first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scan/registrybackup.h"

namespace scan {

// The question of the box that offers to delete them without a backup: how many, each reason
// met (the folder named where it could not be written), and the offer.
std::string keptFindsQuestion(size_t count, const std::vector<BackupFailure>& why,
                              const std::string& folder);

// The word at the end of a scan whose finds this user may not change.
std::string needsAdministratorText(int32_t count);

}  // namespace scan
