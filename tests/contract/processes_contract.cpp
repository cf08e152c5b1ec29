// Running processes as the process viewer and the dashboard see them, ending one, and the
// version strings of a file.
#include <algorithm>
#include <string>

#include "platform/textcase.h"
#include "tests/contract/env.h"

namespace {

class ProcessesContract : public contract::Contract {
 protected:
  platform::Processes& procs() { return sys().processes(); }
  bool listed(uint32_t pid) {
    auto pids = procs().enumerate();
    return std::find(pids.begin(), pids.end(), pid) != pids.end();
  }
};

constexpr uint32_t kNoSuchPid = 0xFFFFFFF0u;

TEST_F(ProcessesContract, TheRunningProgramIsListedWithItsName) {
  const auto own = ownProcess();
  auto entries = procs().snapshot();
  auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.pid == own.pid; });
  ASSERT_NE(it, entries.end());
  EXPECT_TRUE(platform::equalsAsciiNoCase(it->exeFile, own.exeFile)) << it->exeFile;

  EXPECT_TRUE(listed(own.pid));
  const auto identity = procs().identify(own.pid);
  ASSERT_TRUE(identity.name.has_value());
  EXPECT_TRUE(platform::equalsAsciiNoCase(*identity.name, own.exeFile)) << *identity.name;
  ASSERT_TRUE(identity.created.has_value());
  EXPECT_GT(*identity.created, 0u);
  EXPECT_EQ(procs().identify(own.pid).created, identity.created);
}

TEST_F(ProcessesContract, AnUnknownProcessCanNeitherBeReadNorEnded) {
  EXPECT_FALSE(listed(kNoSuchPid));
  const auto nobody = procs().identify(kNoSuchPid);
  EXPECT_EQ(nobody.name, std::nullopt);
  EXPECT_EQ(nobody.created, std::nullopt);
  EXPECT_EQ(procs().terminate(kNoSuchPid, nobody), platform::Ending::Gone);
}

TEST_F(ProcessesContract, AnEndedProcessLeavesTheList) {
  auto victim = startVictim();
  ASSERT_NE(victim->pid(), 0u);
  EXPECT_TRUE(listed(victim->pid()));
  const auto identity = procs().identify(victim->pid());
  ASSERT_TRUE(identity.created.has_value());
  EXPECT_EQ(procs().terminate(victim->pid(), identity), platform::Ending::Ended);
  settle();
  EXPECT_FALSE(listed(victim->pid()));
  // Asked again, the process identified so has gone: nothing else is ended.
  EXPECT_EQ(procs().terminate(victim->pid(), identity), platform::Ending::Gone);
}

// The ID is the same, but a process that started at another time is another process.
TEST_F(ProcessesContract, AProcessIsEndedOnlyWhileItIsTheOneIdentified) {
  auto victim = startVictim();
  ASSERT_NE(victim->pid(), 0u);
  auto identity = procs().identify(victim->pid());
  ASSERT_TRUE(identity.created.has_value());
  auto other = identity;
  other.created = *identity.created + 1;
  EXPECT_EQ(procs().terminate(victim->pid(), other), platform::Ending::Gone);
  other = identity;
  other.name = "another.exe";
  EXPECT_EQ(procs().terminate(victim->pid(), other), platform::Ending::Gone);
  other = identity;
  other.created.reset();
  EXPECT_EQ(procs().terminate(victim->pid(), other), platform::Ending::Refused);
  EXPECT_TRUE(listed(victim->pid()));
  EXPECT_EQ(procs().terminate(victim->pid(), identity), platform::Ending::Ended);
}

TEST_F(ProcessesContract, VersionStringsComeFromTheFirstTranslation) {
  auto strings = procs().versionStrings(versionedFile());
  ASSERT_TRUE(strings.has_value());
  EXPECT_FALSE((*strings)["CompanyName"].empty());
  EXPECT_FALSE((*strings)["FileVersion"].empty());
  EXPECT_EQ(strings->count("NoSuchString"), 0u);

  ASSERT_TRUE(sys().files().writeFile(scratchFolder() + "plain.txt", "no resources here"));
  EXPECT_EQ(procs().versionStrings(scratchFolder() + "plain.txt"), std::nullopt);
  EXPECT_EQ(procs().versionStrings(scratchFolder() + "missing.dll"), std::nullopt);
}

TEST_F(ProcessesContract, HostileVersionResourcesGiveWholeTextsOrNothing) {
  const std::string longText(10000, 'c');
  auto strings = procs().versionStrings(libraryWithCopyright(longText, true, true));
  ASSERT_TRUE(strings.has_value());
  EXPECT_EQ((*strings)["LegalCopyright"], longText);

  strings = procs().versionStrings(libraryWithCopyright("(c) Nobody", false, true));
  EXPECT_TRUE(!strings || strings->count("LegalCopyright") == 0);

  strings = procs().versionStrings(libraryWithCopyright("(c) Open end", true, false));
  ASSERT_TRUE(strings.has_value());
  EXPECT_EQ((*strings)["LegalCopyright"], "(c) Open end");
}

}  // namespace
