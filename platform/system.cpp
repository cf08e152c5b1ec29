#include "platform/system.h"

namespace platform {

std::string System::programDirectory() {
  const std::string path = programPath();
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace platform
