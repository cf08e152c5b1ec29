// URL analysis and request building from hostile text (the headline file names the banner
// and gallery URLs): no crash, and nothing in a URL may end the request line early.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/httperror.h"
#include "online/httprequest.h"
#include "online/httpurl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\n');
  const std::string url = input.substr(0, split);
  const std::string location = split == std::string::npos ? "" : input.substr(split + 1);
  try {
    const online::HttpUrl base = online::analyseUrl(url);
    const std::string request = online::buildRequest("GET", base, {}, nullptr);
    if (request.find("\r\n") != request.find('\n') - 1 || request.find('\r') < request.find("\r\n"))
      std::abort();
    if (base.target.empty() || base.target[0] != '/') std::abort();
    online::analyseUrl(online::resolveLocation(base, location));
  } catch (const online::HttpError&) {
  }
  return 0;
}
