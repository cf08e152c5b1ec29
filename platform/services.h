// The operating-system services the program's logic receives, chosen at start-up: the real
// ones in qexsys.exe, fakes in the tests.
#pragma once

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/library.h"
#include "platform/mail.h"
#include "platform/net.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sockets.h"
#include "platform/sync.h"
#include "platform/system.h"

namespace platform {

class Services {
 public:
  virtual ~Services() = default;
  virtual Registry& registry() = 0;
  virtual Files& files() = 0;
  virtual Processes& processes() = 0;
  virtual Shell& shell() = 0;
  virtual Sound& sound() = 0;
  virtual Libraries& libraries() = 0;
  virtual System& system() = 0;
  virtual Net& net() = 0;
  virtual Clock& clock() = 0;
  virtual Sync& sync() = 0;
  virtual Sockets& sockets() = 0;
  virtual Mail& mail() = 0;
};

}  // namespace platform
