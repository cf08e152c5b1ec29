// The Preferences window on fakes: the switches as the file has them, the exclusion of the two
// logon modes, OK writing the file and the Run values, Cancel, and the refused writes.
#include <gtest/gtest.h>

#include "monitor/autostart.h"
#include "monitor/preffrm.h"
#include "tests/unit/app_fixture.h"

namespace {

using platform::RegAccess;
using platform::RegRoot;
using testing_app::AppTest;

const std::string kIni = "C:\\Program Files\\Orvanta\\qexsys.ini";

struct Preferences : AppTest {
  Tpreffrm& pref() { return *app->preffrm; }
  void startWith(const std::string& system) {
    sys.fakeFiles.addFile(kIni, "[System]\r\nNews=0\r\n" + system);
    start();
  }
  std::unique_ptr<platform::RegKey> runKey() {
    return sys.registry().open(RegRoot::CurrentUser, monitor::kRunKey, RegAccess::Read);
  }
  std::unique_ptr<platform::RegKey> makeRunKey() {
    auto key = sys.registry().create(RegRoot::CurrentUser, monitor::kRunKey);
    key->writeString("Other", "C:\\other.exe");
    return key;
  }
  std::vector<std::string> pictures() {
    return {pref().Image4.pictureName(), pref().Image5.pictureName(), pref().Image6.pictureName(),
            pref().Image7.pictureName()};
  }
};

TEST_F(Preferences, SwitchesShowTheFileAsWrittenByHandAndTheNextClickSortsThemOut) {
  startWith("SysChange=yes\r\nInfSound=1\r\nSysScan=1\r\nSysMonitor=1\r\n");
  // A value that is no number reads as off; both logon modes stay on until a click.
  EXPECT_EQ(pictures(),
            (std::vector<std::string>{"pref_al_1", "pref_play_2", "pref_scan_2", "pref_sys_2"}));
  EXPECT_EQ(pref().Image6.bounds().left, 129);
  EXPECT_EQ(pref().Image7.bounds().top, 158);
  EXPECT_EQ(pref().Image7.cursor, ui::Cursor::Hand);
  EXPECT_EQ(pref().Image2.pictureName(), "stand_btn_1");
  pref().show();
  click(pref().Image7);  // on -> off
  EXPECT_FALSE(pref().SysMonitor);
  EXPECT_TRUE(pref().SysScan);
  click(pref().Image7);  // off -> on, and the scan off
  EXPECT_TRUE(pref().SysMonitor);
  EXPECT_FALSE(pref().SysScan);
  click(pref().Image6);
  EXPECT_EQ(pictures(),
            (std::vector<std::string>{"pref_al_1", "pref_play_2", "pref_scan_2", "pref_sys_1"}));
}

TEST_F(Preferences, OkWritesTheSwitchesAndTheRunValueWithItsExactData) {
  sys.fakeSystem.program = "C:\\Program Files\\Orvanta\\renamed.exe";
  startWith("SysScan=1\r\n");
  makeRunKey()->writeString(monitor::kScanValue, "stale");
  pref().show();
  click(pref().Image4);
  click(pref().Image7);
  click(pref().Label3);  // the OK caption
  EXPECT_FALSE(pref().visible());
  for (const char* line :
       {"SysChange=1\r\n", "InfSound=0\r\n", "SysScan=0\r\n", "SysMonitor=1\r\n"})
    EXPECT_NE(ini().find(line), std::string::npos) << line << " in " << ini();
  auto run = runKey();
  EXPECT_EQ(run->readString(monitor::kMonitorValue),
            "\"C:\\Program Files\\Orvanta\\qexsys.exe\" -monitor");
  EXPECT_FALSE(run->read(monitor::kScanValue));
  EXPECT_EQ(run->readString("Other"), "C:\\other.exe");

  pref().show();
  click(pref().Image6);
  click(pref().Image2);
  run = runKey();
  EXPECT_EQ(run->readString(monitor::kScanValue),
            "\"C:\\Program Files\\Orvanta\\qexsys.exe\" -scan");
  EXPECT_FALSE(run->read(monitor::kMonitorValue));
  EXPECT_EQ(run->valueNames().size(), 2u);
}

TEST_F(Preferences, EnterIsOkAndEscapeIsCancel) {
  startWith("");
  pref().show();
  click(pref().Image5);
  pref().dialogKey(ui::Form::kKeyReturn);
  EXPECT_FALSE(pref().visible());
  EXPECT_NE(ini().find("InfSound=1"), std::string::npos) << ini();
  pref().show();
  click(pref().Image5);
  pref().dialogKey(ui::Form::kKeyEscape);
  EXPECT_FALSE(pref().visible());
  EXPECT_NE(ini().find("InfSound=1"), std::string::npos) << ini();
}

TEST_F(Preferences, WithoutARunKeyOkWritesTheFileOnlyAndMakesNoKey) {
  startWith("");
  pref().show();
  click(pref().Image6);
  click(pref().Image2);
  EXPECT_FALSE(pref().visible());
  EXPECT_NE(ini().find("SysScan=1"), std::string::npos);
  EXPECT_FALSE(runKey());
  EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(Preferences, ARefusedSettingsWriteKeepsTheWindowOpenAndTheRunValues) {
  startWith("");
  makeRunKey()->writeString(monitor::kScanValue, "kept");
  sys.fakeFiles.addFile(kIni, "[System]\r\nSysScan=1\r\n", platform::kAttrReadOnly);
  pref().show();
  click(pref().Image6);  // off
  click(pref().Image2);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text.find("Orvanta Kestrel could not write \"" + kIni +
                                       "\" in its folder \"C:\\Program Files\\Orvanta\\\"."),
            0u)
      << backend.boxes[0].text;
  EXPECT_TRUE(pref().visible());
  EXPECT_EQ(runKey()->readString(monitor::kScanValue), "kept");
  // Once a run: the next refusal says nothing more, and the window still stays.
  click(pref().Image2);
  EXPECT_EQ(backend.boxes.size(), 1u);
  EXPECT_TRUE(pref().visible());
}

TEST_F(Preferences, CancelKeepsTheClickedSwitchesUntilTheNextShowing) {
  startWith("SysChange=1\r\n");
  pref().show();
  click(pref().Image4);
  click(pref().Label2);  // the Cancel caption
  EXPECT_FALSE(pref().visible());
  EXPECT_FALSE(pref().SysChange);  // what the watcher reads now
  EXPECT_NE(ini().find("SysChange=1"), std::string::npos);
  pref().show();
  EXPECT_TRUE(pref().SysChange);
  EXPECT_EQ(pref().Image4.pictureName(), "pref_al_2");
}

TEST_F(Preferences, ButtonsHoverAndTheBackgroundResetsThem) {
  startWith("");
  pref().show();
  pref().mouseMove(pref().Image1.left() + 1, pref().Image1.top() + 1);
  EXPECT_EQ(pref().Image1.pictureName(), "stand_btn_2");
  pref().mouseMove(pref().Image2.left() + 1, pref().Image2.top() + 1);
  EXPECT_EQ(pref().Image2.pictureName(), "stand_btn_1");  // the latch is held by Cancel
  pref().mouseMove(5, 250);
  EXPECT_EQ(pref().Image1.pictureName(), "stand_btn_1");
  EXPECT_FALSE(pref().hoverLatch);
  pref().mouseDown(pref().Image2.left() + 1, pref().Image2.top() + 1);
  EXPECT_EQ(pref().Image2.pictureName(), "stand_btn_3");
}

}  // namespace
