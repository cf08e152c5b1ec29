// The real services of qexsys.exe, one of each.
#pragma once

#include "platform/services.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_library.h"
#include "platform/win32/win32_mail.h"
#include "platform/win32/win32_net.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_sockets.h"
#include "platform/win32/win32_sync.h"
#include "platform/win32/win32_system.h"

namespace platform::win32 {

class Win32Services : public Services {
 public:
  Registry& registry() override { return registry_; }
  Files& files() override { return files_; }
  Processes& processes() override { return processes_; }
  Shell& shell() override { return shell_; }
  Sound& sound() override { return sound_; }
  Libraries& libraries() override { return libraries_; }
  System& system() override { return system_; }
  Net& net() override { return net_; }
  Clock& clock() override { return clock_; }
  Sync& sync() override { return sync_; }
  Sockets& sockets() override { return sockets_; }
  Mail& mail() override { return mail_; }

 private:
  Win32Registry registry_;
  Win32Files files_;
  Win32Processes processes_;
  Win32Shell shell_;
  Win32Sound sound_;
  Win32Libraries libraries_;
  Win32System system_;
  Win32Net net_;
  Win32Clock clock_;
  Win32Sync sync_;
  Win32Sockets sockets_;
  Win32Mail mail_;
};

}  // namespace platform::win32
