// Reply reading from a buffer: the status line, header lines and body framing, with the
// bytes handed over in pieces whose size the input's first byte picks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "online/httperror.h"
#include "online/httpreply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = 1 + data[0] % 64;
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  size_t left = size - 1;
  online::HttpReplyReader reader;
  size_t body = 0;
  try {
    while (left > 0 && !reader.bodyComplete()) {
      size_t n = left < piece ? left : piece;
      size_t used = reader.headerDone() ? 0 : reader.readHeader(bytes, n);
      if (used > n) std::abort();
      if (reader.headerDone()) body += reader.takeBody(n - used);
      bytes += n;
      left -= n;
    }
    if (!reader.headerDone()) reader.endHeader();
    reader.endBody();
  } catch (const online::HttpError&) {
  }
  if (reader.header().size() > online::kMaxHeader) std::abort();
  if (reader.contentLength() && static_cast<int64_t>(body) > *reader.contentLength()) std::abort();
  if (static_cast<int64_t>(body) != reader.received()) std::abort();
  return 0;
}
