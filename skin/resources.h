// Every named resource of the skin library: what the windows load, and at what size.
#pragma once

#include <string>
#include <vector>

namespace skin {

enum class Kind { Picture, Sound };

struct Resource {
  std::string name;  // lower case, as the windows ask for it
  Kind kind = Kind::Picture;
  int width = 0, height = 0;  // pictures only
};

const std::vector<Resource>& resources();
// The resource of that name (exact, lower case), or nullptr.
const Resource* findResource(const std::string& name);

}  // namespace skin
