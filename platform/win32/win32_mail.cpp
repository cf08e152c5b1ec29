#include "platform/win32/win32_mail.h"

#include <mapi.h>

#include <vector>

namespace platform::win32 {

Win32Mail::~Win32Mail() {
  if (mapi_) FreeLibrary(mapi_);
}

uint32_t Win32Mail::sendMail(uintptr_t parentWindow, const std::string& subject, const std::string& body) {
  if (!mapi_) mapi_ = LoadLibraryA("MAPI32.DLL");
  if (!mapi_) return MAPI_E_FAILURE;
  auto send = reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(GetProcAddress(mapi_, "MAPISendMail")));
  if (!send) return MAPI_E_FAILURE;
  // The call takes writable texts; copies keep the caller's strings untouched.
  std::vector<char> subjectText(subject.begin(), subject.end()), bodyText(body.begin(), body.end());
  subjectText.push_back('\0');
  bodyText.push_back('\0');
  MapiMessage message{};
  message.lpszSubject = subjectText.data();
  message.lpszNoteText = bodyText.data();
  return send(0, parentWindow, &message, MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG, 0);
}

}  // namespace platform::win32
