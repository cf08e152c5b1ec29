// One of each fake, handed to the program's code as its services. Tests set the fakes up
// through the public members and read what the code did from them.
#pragma once

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_library.h"
#include "platform/fake/fake_mail.h"
#include "platform/fake/fake_net.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_sync.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/watched_files.h"
#include "platform/posix/posix_sockets.h"
#include "platform/services.h"

namespace platform::fake {

class FakeServices : public Services {
 public:
  // The Windows and temporary folders of the fake system exist in the file tree; only
  // folders of the tree can be watched, and the shell opens and lists what the tree holds.
  FakeServices();

  FakeRegistry fakeRegistry;
  FakeFiles fakeFiles;
  FakeProcesses fakeProcesses;
  FakeShell fakeShell;
  FakeSound fakeSound;
  FakeLibraries fakeLibraries;
  FakeSystem fakeSystem;
  FakeNet fakeNet;
  FakeClock fakeClock;
  FakeSync fakeSync;
  posix::PosixSockets posixSockets;
  FakeMail fakeMail;

  Registry& registry() override { return fakeRegistry; }
  // The tree of fakeFiles, with writes waking the folder watches of fakeSync.
  Files& files() override { return watchedFiles_; }
  Processes& processes() override { return fakeProcesses; }
  Shell& shell() override { return fakeShell; }
  Sound& sound() override { return fakeSound; }
  Libraries& libraries() override { return fakeLibraries; }
  System& system() override { return fakeSystem; }
  Net& net() override { return fakeNet; }
  Clock& clock() override { return fakeClock; }
  Sync& sync() override { return fakeSync; }
  Sockets& sockets() override { return posixSockets; }
  Mail& mail() override { return fakeMail; }

 private:
  WatchedFiles watchedFiles_{fakeFiles, fakeSync};
};

}  // namespace platform::fake
