// The automation protocol's queries on the headless backend: the listing of a form's controls
// and the one way every yes-or-no value reads.
#include "ui/automation.h"

#include <gtest/gtest.h>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"
#include "ui/windowed.h"

namespace {

struct ListedForm : ui::Form {
  explicit ListedForm(ui::Application& app) : Form(app, "Tlistfrm", "listfrm", 300, 200) {
    Hidden.setVisible(false);
    Box.setEnabled(false);
    Timer1.stop();
    PopupMenu1.add("Open1", "Open", nullptr).isDefault = true;
    PopupMenu1.addSeparator();
    PopupMenu1.add("Delete1", "Delete", nullptr).enabled = false;
  }
  ui::Label Label1{*this, "Label1", {}, "Free space on C:\tis\r\n4 GB in C:\\"};
  ui::Image Image1{*this, "Image1"};
  ui::Shape Shape1{*this, "Shape1"};
  ui::Panel Hidden{*this, "Hidden"};
  ui::ListView ListView1{*this, "ListView1"};
  ui::Memo Memo1{*this, "Memo1"};
  ui::Edit Box{*this, "Box"};
  ui::Label Empty{*this, "Empty"};
  ui::Timer Timer1{*this, "Timer1", 100};
  ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};
};

struct OtherForm : ui::Form {
  explicit OtherForm(ui::Application& app) : Form(app, "Totherfrm", "otherfrm", 100, 100) {}
};

struct AutomationTest : ::testing::Test {
  ui::headless::HeadlessBackend backend;
  ui::Application app{backend};
  ListedForm form{app};
  OtherForm other{app};
  ui::Automation automation{app};

  std::string get(const std::string& what) { return automation.handle("get " + what); }
};

TEST_F(AutomationTest, ControlsAreListedOnePerLineWithKindCaptionAndFlags) {
  EXPECT_EQ(get("listfrm.controls"),
            "ok Label1\tlabel\tFree space on C:\\tis\\r\\n4 GB in C:\\\\\t1\t1\n"
            "Image1\timage\t\t1\t1\n"
            "Shape1\tshape\t\t1\t1\n"
            "Hidden\tpanel\t\t0\t1\n"
            "ListView1\tlistview\t\t1\t1\n"
            "Memo1\tmemo\t\t1\t1\n"
            "Box\tedit\t\t1\t0\n"
            "Empty\tlabel\t\t1\t1\n");
  EXPECT_EQ(get("otherfrm.controls"), "ok ");
  EXPECT_EQ(get("nofrm.controls"), "error no form nofrm");
}

TEST_F(AutomationTest, EveryYesOrNoReadsOneOrZero) {
  EXPECT_EQ(get("listfrm.visible"), "ok 0");
  form.show();
  EXPECT_EQ(get("listfrm.visible"), "ok 1");
  EXPECT_EQ(get("listfrm.Hidden.visible"), "ok 0");
  EXPECT_EQ(get("listfrm.Box.enabled"), "ok 0");
  EXPECT_EQ(get("listfrm.Label1.enabled"), "ok 1");
  EXPECT_EQ(get("listfrm.Label1.underline"), "ok 0");
  EXPECT_EQ(get("listfrm.Timer1.enabled"), "ok 0");
  form.Timer1.start();
  EXPECT_EQ(get("listfrm.Timer1.running"), "ok 1");
  EXPECT_EQ(get("listfrm.PopupMenu1.items"),
            "ok Open1\tOpen\t1\tdefault\n-\t-\t1\nDelete1\tDelete\t0\n");
}

// A test waits for a timer to have run, not for its interval to have passed: on a loaded
// machine the second does not bring the first.
TEST_F(AutomationTest, ATimerCountsTheTimesItsHandlerRan) {
  int ran = 0;
  form.Timer1.onTimer = [&] { ++ran; };
  form.Timer1.fire();
  EXPECT_EQ(get("listfrm.Timer1.fired"), "ok 0");
  form.Timer1.start();
  form.Timer1.fire();
  form.Timer1.fire();
  EXPECT_EQ(ran, 2);
  EXPECT_EQ(get("listfrm.Timer1.fired"), "ok 2");
}

TEST_F(AutomationTest, AFormTakesNoInputWhileAnotherIsModal) {
  form.show();
  EXPECT_EQ(get("listfrm.enabled"), "ok 1");
  other.showModal();
  EXPECT_EQ(get("listfrm.enabled"), "ok 0");
  EXPECT_EQ(get("otherfrm.enabled"), "ok 1");
  EXPECT_EQ(get("otherfrm.modal"), "ok 1");
  other.hide();
  EXPECT_EQ(get("listfrm.enabled"), "ok 1");
}

}  // namespace
