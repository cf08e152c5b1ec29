// The adverts of the news window's banner, parsed from the headline file's control record.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace online {

struct AdvertRecord {
  std::string imageUrl;  // the banner picture
  std::string clickUrl;  // opened when the banner is clicked
  std::string hint;      // the banner's tooltip
};

class AdvertList {
 public:
  void Add(const std::string& imageUrl, const std::string& clickUrl, const std::string& hint) {
    records_.push_back({imageUrl, clickUrl, hint});
  }
  void Clear() { records_.clear(); }

  size_t count() const { return records_.size(); }
  const AdvertRecord& at(size_t index) const { return records_.at(index); }

 private:
  std::vector<AdvertRecord> records_;
};

}  // namespace online
