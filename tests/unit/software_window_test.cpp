// The Software Wizard on fakes: the report as the window builds it at each showing, the topics
// and the pages they lead to, a new topic only for the browser's member, and the mail hand-off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/qex_ulm_frm.h"
#include "sysinfo/reportmail.h"
#include "sysinfo/softwarefrm.h"
#include "tests/unit/app_fixture.h"

namespace {

using platform::RegRoot;
using testing_app::AppTest;

struct SoftwareWindow : AppTest {
  Tsoftwarefrm& soft() { return *app->softwarefrm; }
  void machine(const std::string& key, const std::string& name, const std::string& text) {
    sys.fakeRegistry.create(RegRoot::LocalMachine, key)->writeString(name, text);
  }
  void startShown() {
    sys.fakeFiles.addFile("C:\\Program Files\\Orvanta\\qexsys.ini", "[System]\r\nNews=0\r\n");
    start();
    app->qex_ulm_frm->show();
    soft().show();
  }
  size_t shellRequests() const { return sys.fakeShell.requests.size(); }
};

TEST_F(SoftwareWindow, TheReportIsBuiltAfreshAtEachShowing) {
  machine("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString",
          "  Intel(R) Pentium(R) M 1.60GHz");
  machine("SOFTWARE\\Microsoft\\DirectX", "Version", "4.09.00.0904");
  machine("SOFTWARE\\RealNetworks\\RealPlayer", "install", "C:\\Real");
  sys.fakeSystem.memory = {536000000, 300ull << 20};
  sys.fakeSystem.drives['A'].type = 2;
  sys.fakeSystem.waves = sys.fakeSystem.midis = 0;
  platform::fake::FakeProcess idle;
  sys.fakeProcesses.running = {idle, idle, idle};
  startShown();

  const std::vector<std::string> expected = {"Microsoft Windows XP",
                                             "",
                                             "Location: C:\\WINDOWS",
                                             "Running Processes: 2",
                                             "Default browser: Internet Explorer",
                                             "",
                                             "Intel(R) Pentium(R) M 1.60GHz",
                                             "RAM installed: 512 MB",
                                             "RAM in use: 213 MB",
                                             "",
                                             "A: is removable",
                                             "C: is fixed",
                                             "",
                                             "Screen resolution: 1024x768",
                                             "Color quality: 32 bit",
                                             "DirectX version: 4.09.00.0904",
                                             "Sound card not detected",
                                             "",
                                             "QuickTime Player not installed",
                                             "Real Player installed",
                                             "Windows Media Player not installed",
                                             "DivX Player not installed"};
  EXPECT_EQ(soft().Memo1.lines(), expected);
  EXPECT_EQ(app->qex_ulm_frm->Label3.caption(), expected[3]);

  // Memory and drives are read again; what was read at start stays as it was.
  sys.fakeSystem.memory = {1ull << 30, 1ull << 29};
  sys.fakeSystem.drives['A'].type = 1;
  machine("SOFTWARE\\DivXNetworks\\DivX Player", "InstallDir", "C:\\DivX");
  soft().hide();
  soft().show();
  const std::vector<std::string> again = soft().Memo1.lines();
  ASSERT_EQ(again.size(), expected.size() - 1);
  EXPECT_EQ(again[7], "RAM installed: 1025 MB");
  EXPECT_EQ(again[10], "C: is fixed");
  EXPECT_EQ(again.back(), "DivX Player not installed");
}

TEST_F(SoftwareWindow, TopicsMoveTheBarAndChooseTheirSection) {
  startShown();
  EXPECT_EQ(soft().Image2.top(), 58);
  EXPECT_EQ(soft().Label7.caption(), "Windows Technical Support");
  ui::Label* links[] = {&soft().Label1, &soft().Label2, &soft().Label10, &soft().Label3,
                        &soft().Label6};
  const char* pages[] = {"f23-windows-technical-support", "f8-graphic-design-and-software",
                         "f9-multimedia", "f17-flash-development", "f19-html-design-and-scripting"};
  const int forums[] = {23, 8, 9, 17, 19};
  for (int i = 4; i >= 0; --i) {
    click(*links[i]);
    EXPECT_EQ(soft().Image2.top(), 58 + 32 * i);
    EXPECT_EQ(links[i]->top() - soft().Image2.top(), 6);
    EXPECT_EQ(soft().SectionUrl,
              "http://community.orvanta.example/forum/" + std::string(pages[i]) + ".html");
    EXPECT_EQ(soft().NewThreadUrl,
              "http://community.orvanta.example/forum/newthread.php?do=newthread&f=" +
                  std::to_string(forums[i]));
  }
  EXPECT_EQ(soft().Label7.caption(), "Windows Technical Support");
  click(soft().Label3);
  EXPECT_EQ(soft().Label7.caption(), "Flash development");
  EXPECT_EQ(soft().Label4.caption().rfind("Meet some of our fantastic flash developers", 0), 0u);

  click(soft().Label9);
  EXPECT_EQ(sys.fakeShell.requests.back().target, soft().SectionUrl);
  sys.fakeShell.executeFails = true;
  click(soft().Label9);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text,
            "Orvanta Kestrel could not open the url http://community.orvanta.example/forum/");
  EXPECT_EQ(backend.boxes[0].owner, "softwarefrm");

  // A new showing starts again at the first topic.
  soft().hide();
  soft().show();
  EXPECT_EQ(soft().Image2.top(), 58);
  EXPECT_EQ(soft().Label7.caption(), "Windows Technical Support");
}

TEST_F(SoftwareWindow, LinksUnderlineOneAtATimeUntilTheBackgroundIsCrossed) {
  startShown();
  soft().mouseMove(soft().Label8.left() + 1, soft().Label8.top() + 1);
  soft().mouseMove(soft().Label2.left() + 1, soft().Label2.top() + 1);
  EXPECT_TRUE(soft().Label8.font().underline);
  EXPECT_FALSE(soft().Label2.font().underline);
  EXPECT_EQ(soft().Label2.cursor, ui::Cursor::Hand);
  soft().mouseMove(soft().Label4.left() + 1, soft().Label4.top() + 1);  // the description
  EXPECT_FALSE(soft().Label8.font().underline);
  soft().mouseMove(soft().Label2.left() + 1, soft().Label2.top() + 1);
  EXPECT_TRUE(soft().Label2.font().underline);
}

TEST_F(SoftwareWindow, ANewTopicNeedsTheBrowsersMemberCookie) {
  startShown();
  click(soft().Label8);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text,
            "You need to login via your browser, to use the extended forums features.");
  EXPECT_EQ(backend.boxes[0].caption, "Cookie not found");
  EXPECT_EQ(backend.boxes[0].flags, ui::kMbOk | ui::kMbIconInformation);
  EXPECT_EQ(shellRequests(), 0u);

  // A login in the program's own window is no cookie.
  app->qex_ulm_frm->memberFlag = app->qex_ulm_frm->dialogLogin = true;
  click(soft().Label8);
  EXPECT_EQ(backend.boxes.size(), 2u);
  EXPECT_EQ(shellRequests(), 0u);
}

TEST_F(SoftwareWindow, TheMailProgramGetsTheMemoAsTheUserLeftIt) {
  machine("SOFTWARE\\Microsoft\\Windows Messaging Subsystem", "MAPI", "1");
  startShown();
  soft().Memo1.userEdited("My question\r\nMicrosoft Windows XP");
  click(soft().Label11);
  EXPECT_TRUE(backend.boxes.empty());
  ASSERT_EQ(sys.fakeMail.sent.size(), 1u);
  EXPECT_EQ(sys.fakeMail.sent[0].body, "My question\r\nMicrosoft Windows XP");
  EXPECT_EQ(sys.fakeMail.sent[0].subject, sysinfo::reportMailSubject(sys.fakeSystem));
  EXPECT_EQ(sys.fakeMail.sent[0].parent, ui.nativeHandle(&soft()));

  // The user cancelled the mail program's dialog.
  sys.fakeMail.result = 1;
  click(soft().Label11);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text,
            "Orvanta Kestrel could not launch the default e-mail software. Unresolved error.");
  EXPECT_EQ(backend.boxes[0].caption, "Orvanta Kestrel");
  EXPECT_TRUE(soft().visible());
}

}  // namespace
