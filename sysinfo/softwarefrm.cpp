#include "sysinfo/softwarefrm.h"

#include <iterator>
#include <vector>

#include "app/dashboard.h"
#include "app/qex_ulm_frm.h"
#include "frame/toollook.h"
#include "online/browsermembership.h"
#include "online/community.h"
#include "sysinfo/inventoryfacts.h"
#include "sysinfo/reportmail.h"
#include "ui/dialogs.h"

namespace community = online::community;

namespace {

struct Topic {
  ui::Label Tsoftwarefrm::*link;
  const char* caption;
  community::ForumSection section;
  const char* title;
  const char* description;
};

const Topic kTopics[] = {
    {&Tsoftwarefrm::Label1, "Windows System Help", community::kWindowsSupport,
     "Windows Technical Support",
     "If your system is not running as it is supposed to, you may be able to get a few useful "
     "hints here."},
    {&Tsoftwarefrm::Label2, "Graphic Software Help", community::kGraphicDesign,
     "Graphic Design and Software",
     "In here you'll find some very skilled designers (tutorials inside), standing by to help you "
     "out with your projects. Share your tips and tricks and let us see your designs."},
    {&Tsoftwarefrm::Label10, "Video Software Help", community::kMultimedia,
     "Multimedia Developments",
     "If you need help with your video projects, video editing or video compression, this is the "
     "right place to post your message. We can assist using tools such as Pinnacle, Premiere, "
     "Virtual DUB etc."},
    {&Tsoftwarefrm::Label3, "Flash Software Help", community::kFlash, "Flash development",
     "Meet some of our fantastic flash developers, and learn how to animate and design your own "
     "flash movies. You can also share your Open Source Flash movies with our members."},
    {&Tsoftwarefrm::Label6, "Web Software Help", community::kHtmlDesign,
     "HTML design and Scripting",
     "Are those scripts slowing you down? Post your topic here and find an expert who can help "
     "you with your java scripts, php scripts, action scripts, vb scripts and many more."},
};
constexpr int kFirstTopicTop = 64, kTopicSpacing = 32;

const ui::Color kMemoBack = ui::rgb(212, 224, 241);

// A fixed box whose text wraps inside it.
void placeBox(ui::Label& label, const ui::Rect& box, const std::string& caption,
              const ui::Font& font) {
  label.setFont(font);
  label.setAutoSize(false);
  label.setWordWrap(true);
  label.setBounds(box);
  label.setCaption(caption);
}

}  // namespace

using frame::toollook::placeLabel;

Tsoftwarefrm::Tsoftwarefrm(app::App& app)
    : Window(app, "Tsoftwarefrm", "softwarefrm", 566, 365, "Software Wizard", "soft_form"),
      software_(sysinfo::readInstalledSoftware(app.sys.registry())),
      topics_(Image2, hoverLatch),
      actions_{{{Label8, hoverLatch, [this] { Label8Click(); }},
                {Label9, hoverLatch, [this] { openPage(SectionUrl); }},
                {Label11, hoverLatch, [this] { Label11Click(); }}}} {
  font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
  for (size_t i = 0; i < std::size(kTopics); ++i)
    topics_.add(this->*kTopics[i].link, kTopics[i].caption,
                kFirstTopicTop + kTopicSpacing * static_cast<int>(i),
                [this, i] { selectTopic(i); });

  const ui::Font note = ui::Font::pixels("Verdana", 9, true, ui::kWhite);
  placeLabel(Label7, 240, 32, ui::Font::pixels("Verdana", 16, true, ui::kWhite));
  placeBox(Label4, {240, 72, 240 + 297, 72 + 49}, "",
           ui::Font::pixels("Verdana", 9, true, ui::kNavy));
  placeBox(Label5, {240, 208, 240 + 297, 208 + 49},
           "Select the appropriate information below and post it along with your question. This "
           "will make it easier for members to give you quality support (user Copy & Paste).",
           note);
  for (ui::Label* text : {&Label7, &Label4, &Label5})
    text->onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };

  Memo1.setBounds({240, 248, 240 + 301, 248 + 73});
  Memo1.setFont(ui::Font::pixels("Verdana", 9, false, ui::kNavy));
  Memo1.setColor(kMemoBack);
  Memo1.verticalScrollBar = true;

  placeLabel(Label8, 32, 272, note, "Post a question in this forum");
  placeLabel(Label9, 32, 288, note, "Read topics inside this forum");
  placeLabel(Label11, 32, 304, note, "Send my report to a friend");
}

void Tsoftwarefrm::FormShow() {
  selectTopic(0);
  buildReport();
}

void Tsoftwarefrm::selectTopic(size_t topic) {
  const Topic& t = kTopics[topic];
  topics_.highlight(this->*t.link);
  SectionUrl = app_.config.community(t.section.page);
  NewThreadUrl = app_.config.community(community::newThreadPath(t.section.forum));
  Label7.setCaption(t.title);
  Label4.setCaption(t.description);
}

// Memory, drives and display are read at each showing; the rest is what the program already
// knows.
void Tsoftwarefrm::buildReport() {
  const app::SystemFacts& facts = app_.facts;
  sysinfo::InventoryFacts inventory;
  inventory.desktop.osName = facts.osName;
  inventory.desktop.windowsDirectory = facts.windowsDirectory;
  inventory.desktop.processCount = app::processCountCaption(app_.sys.processes().enumerate().size());
  inventory.desktop.browserName = facts.browserName;
  inventory.desktop.directXVersion = facts.directXVersion;
  inventory.desktop.colorDepth = facts.colorDepth;
  inventory.desktop.screenWidth = app_.ui.screenWidth();
  inventory.desktop.screenHeight = app_.ui.screenHeight();
  inventory.software = software_;
  inventory.machine = sysinfo::readMachineState(app_.sys.system());
  // The whole text at once, whatever its lines hold, and what was there before replaced.
  const std::vector<std::string> lines = sysinfo::inventoryReport(inventory);
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  Memo1.setText(text);
  Memo1.scrollToTop();
}

void Tsoftwarefrm::openPage(const std::string& address) {
  app_.openUrl(this, address, app::forumFailure(app_.config));
}

// A new topic needs the member's login in the browser, which only its cookie tells.
void Tsoftwarefrm::Label8Click() {
  if (app_.qex_ulm_frm->membership.memberId() != 0)
    openPage(NewThreadUrl);
  else
    app_.ui.messageBox(this, online::kBrowserLoginText, online::kNoCookieCaption,
                       ui::kMbOk | ui::kMbIconInformation);
}

// The memo as it reads now: the user may have edited the report.
void Tsoftwarefrm::Label11Click() {
  if (!sysinfo::mailReport(app_.sys.mail(), app_.sys.registry(), app_.sys.system(),
                           app_.ui.nativeHandle(this), Memo1.text()))
    app_.ui.messageBox(this, sysinfo::kMailFailureText, app::App::kTitle, ui::kMbOk);
}

void Tsoftwarefrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  topics_.normal();
  for (frame::HoverLink& link : actions_) link.normal();
}
