// Handing a message to the user's e-mail program through Simple MAPI.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class Mail {
 public:
  virtual ~Mail() = default;
  // MAPISendMail without a session, with only a subject and a body (no recipient, no
  // attachment) and the flags logon dialog, new session and send dialog (11): the user picks
  // the recipient in the mail program's own dialog. Returns the call's result, 0 for success;
  // 1 when the system's MAPI32.DLL or its MAPISendMail cannot be had.
  virtual uint32_t sendMail(uintptr_t parentWindow, const std::string& subject, const std::string& body) = 0;
};

}  // namespace platform
