#include "platform/fake/fake_services.h"

namespace platform::fake {

FakeServices::FakeServices() {
  fakeFiles.addDir(fakeSystem.windowsDir);
  fakeFiles.addDir(fakeSystem.tempDir);
  fakeFiles.addDir(fakeSystem.profileDir);
  fakeShell.files = &fakeFiles;
  fakeSync.folderExists = [this](const std::string& folder) { return fakeFiles.directoryExists(folder); };
}

}  // namespace platform::fake
