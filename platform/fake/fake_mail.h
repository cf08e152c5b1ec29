// A mail program a test stands in for: every hand-off is recorded and answered with result.
#pragma once

#include <vector>

#include "platform/mail.h"

namespace platform::fake {

struct SentMail {
  uintptr_t parent = 0;
  std::string subject, body;
};

class FakeMail : public Mail {
 public:
  uint32_t result = 0;
  std::vector<SentMail> sent;
  uint32_t sendMail(uintptr_t parent, const std::string& subject, const std::string& body) override {
    sent.push_back(SentMail{parent, subject, body});
    return result;
  }
};

}  // namespace platform::fake
