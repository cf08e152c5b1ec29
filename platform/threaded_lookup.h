// Host lookup for both socket layers: the system's resolver blocks, so it runs on a worker
// thread of its own and the caller polls for the answer in slices. A lookup that is given up
// leaves its worker to finish and discard the answer.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/sockets.h"

namespace platform {

// Four decimal parts of 0 to 255 each; nullopt for anything else.
std::optional<uint32_t> parseDottedAddress(const std::string& text);

using Resolver = std::function<std::optional<uint32_t>(const std::string& host)>;

// A dotted address answers at once; anything else is handed to resolve on a worker thread.
std::unique_ptr<HostLookup> startLookup(const std::string& host, Resolver resolve);

}  // namespace platform
