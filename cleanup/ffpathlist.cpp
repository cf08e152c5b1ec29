#include "cleanup/ffpathlist.h"

namespace cleanup {

int TFFPathList::Add(const std::string& path, bool flag) {
  entries_.push_back({path, flag});
  return Count() - 1;
}

}  // namespace cleanup
