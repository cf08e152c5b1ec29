#include "startup/startfrm.h"

#include <stdexcept>

#include "app/qex_ulm_frm.h"
#include "cleanup/searchfrm.h"
#include "frame/toollook.h"
#include "online/community.h"
#include "platform/realfolder.h"
#include "skin/layout.h"
#include "startup/runkeys.h"
#include "startup/startupfolder.h"
#include "ui/dialogs.h"

namespace {

constexpr int kCaptionColumn = 100;
// The second column leaves room for the scroll bar from this many rows on.
constexpr int kRowsBeforeScrollBar = 7;
constexpr int kPathColumn = 202, kPathColumnBesideScrollBar = 184;

const char* const kNoLinks = "There were no links detected inside the Startup folder.";

std::string registryCountLine(int rows) {
  return std::to_string(rows) + " startup objects were found inside the registry.";
}

std::string startupCountLine(int rows) {
  if (rows == 0) return kNoLinks;
  return std::to_string(rows) + (rows < 2 ? " link was detected inside the Startup folder."
                                          : " links were detected inside the Startup folder.");
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

Tstartfrm::Tstartfrm(app::App& app)
    : Window(app, "Tstartfrm", "startfrm", 566, 365, "Startup Wizard", "start_form"),
      sections_(Image1, hoverLatch),
      header_(Shape2, ListView1, skin::layout::start_form::kList),
      delete_(skin(), Image2, Label8, hoverLatch, 64, 288, "Delete", [this] { deleteItem(); }) {
  font = frame::toollook::windowFont();
  sections_.add(Label1, "Windows Registry Run", 64, [this] { openRegistry(); });
  sections_.add(Label2, "Windows Startup Run", 96, [this] { openStartupFolder(); });
  sections_.add(Label10, "Go to Windows Forum", 128, [this] { goToForum(); });
  Label5.setFont(ui::Font::pixels("Verdana", 16, true, ui::kWhite));
  Label5.setBounds({240, 24, 240, 24});
  header_.add(Label6, 246, "Application");
  header_.add(Label7, 240 + kCaptionColumn + 6, "Path");
  ListView1.setColumns({{"", kCaptionColumn}, {"", kPathColumn}});
  ListView1.popupMenu = &PopupMenu1;
  frame::toollook::description(Label3, skin::layout::tool_form::kDescriptionText);
  Image3.setPicture(ui::Bitmap(171, 1, frame::toollook::kBarFill));
  Image3.setBounds({32, 160, 32 + 171, 161});
  frame::toollook::countLine(Label9, {32, 168, 218, 196});
  Label9.setWordWrap(false);
  frame::toollook::countLine(Label4, {240, 288, 550, 328});
  delete_.setEnabled(false);

  ListView1.onClick = [this] { selectRow(); };
  ListView1.onSelectItem = [this] { selectRow(); };
  ListView1.onContextPopup = [this] { selectRow(); };
  ListView1.onDblClick = [this] {
    if (!registrySection() && ListView1.selected() >= 0) viewFolder();
  };
  PopupMenu1.add("Viewfolder1", "View folder", [this] { viewFolder(); });
  PopupMenu1.add("Deleteitem1", "Delete item", [this] { deleteItem(); });
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &Image1, &Label5, &Shape2, &Label6, &Label7, &Label3, &Image3, &Label9, &Label4})
    c->onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void Tstartfrm::FormShow() { openRegistry(); }

void Tstartfrm::FormClose(ui::CloseAction&) {
  ++listing_;
  app_.qex_ulm_frm->resumeTimers();
}

void Tstartfrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  sections_.normal();
  delete_.normal();
}

void Tstartfrm::openSection(const ui::Label& link, const std::string& title,
                            const std::string& text) {
  ++listing_;
  sections_.highlight(link);
  Label3.setCaption(text);
  Label5.setCaption(title);
  Label9.setCaption("");
  delete_.setEnabled(false);
  ListView1.clear();
  RowNames.clear();
  RowRoots.clear();
  RowKeyLabels.clear();
}

void Tstartfrm::openRegistry() {
  openSection(Label1, kRegistrySection,
              "When Windows starts it reads the Registry to find out which software has been set "
              "to launch on startup. Some of these are unnecessary and can be removed to improve "
              "your computers performance.");
  const startup::RunListing listing = startup::listRunValues(app_.sys.registry());
  std::vector<ui::ListRow> rows;
  const platform::RegView own = app_.sys.registry().ownView();
  for (const startup::RunValue& v : listing.values) {
    // A value of the other view says so, as its key's label does.
    const std::string shown =
        v.key.view == own ? v.name : v.name + " (" + platform::viewName(v.key.view) + ")";
    rows.push_back(ui::ListRow{shown, {v.data}});
    RowNames.push_back(v.name);
    RowRoots.push_back(v.key.rootName());
    RowKeyLabels.push_back(v.key.label);
  }
  ListView1.setRows(std::move(rows));
  setColumnWidths();
  Label4.setCaption(registryCountLine(ListView1.rowCount()));
  if (listing.firstNonText)
    app_.ui.showException(
        std::runtime_error("Invalid data type for '" + *listing.firstNonText + "'"));
}

void Tstartfrm::openStartupFolder() {
  if (auto folder = startup::readStartupFolder(app_.sys.registry())) StartupFolder = *folder;
  openSection(Label2, kStartupSection,
              "The Startup folder can contain links to files which will launch when Windows "
              "starts. If you have software listed here you can optimize your system by removing "
              "unnecessary links.");
  platform::Files& files = app_.sys.files();
  if (!files.directoryExists(StartupFolder)) return;
  const unsigned listing = listing_;
  for (const std::string& name : startup::startupFileNames(files, StartupFolder)) {
    if (!files.fileExists(StartupFolder + "\\" + name)) continue;
    ListView1.addRow(ui::ListRow{name, {StartupFolder}});
    app_.ui.processMessages();
    // Another section opened, or the window closed, while messages ran.
    if (listing != listing_) return;
  }
  Label4.setCaption(startupCountLine(ListView1.rowCount()));
  setColumnWidths();
}

void Tstartfrm::setColumnWidths() {
  ListView1.setColumnWidth(
      1, ListView1.rowCount() < kRowsBeforeScrollBar ? kPathColumn : kPathColumnBesideScrollBar);
}

void Tstartfrm::selectRow() {
  const int row = ListView1.selected();
  PopupMenu1.item("Viewfolder1")->enabled = row >= 0 && !registrySection();
  PopupMenu1.item("Deleteitem1")->enabled = row >= 0;
  if (row < 0) {
    Label9.setCaption("");
    delete_.setEnabled(false);
    return;
  }
  delete_.setEnabled(true);
  if (registrySection()) {
    SelectedRoot = RowRoots.at(row);
    SelectedKeyLabel = RowKeyLabels.at(row);
    Label9.setCaption(SelectedRoot + "\n" + ListView1.rows()[row].caption);
  } else {
    Label9.setCaption("Windows Link\n" + ListView1.rows()[row].caption);
  }
}

void Tstartfrm::deleteItem() {
  const int row = ListView1.selected();
  if (!delete_.enabled() || row < 0) return;
  delete_.normal();
  if (registrySection())
    deleteRegistryValue(row);
  else
    deleteStartupFile(row);
}

void Tstartfrm::deleteRegistryValue(int row) {
  const std::string name = RowNames.at(row);
  const std::string path = SelectedRoot + "->" + SelectedKeyLabel + "->" + name;
  const std::string question =
      "WARNING!\n\nPlease make absolutely sure the value you are deleting is the correct value.\n"
      "Are you sure you want to delete the value " +
      quoted(path) + "?";
  if (app_.ui.messageBox(this, question, "Delete Registry Value",
                         ui::kMbYesNo | ui::kMbIconWarning) == ui::kIdYes) {
    platform::Registry& registry = app_.sys.registry();
    const auto key = startup::findRunKey(registry, SelectedRoot, SelectedKeyLabel);
    const auto done = key ? startup::deleteRunValue(registry, *key, name) : startup::Deletion::Refused;
    if (done == startup::Deletion::Deleted) {
      removeRow(row);
      RowNames.erase(RowNames.begin() + row);
      RowRoots.erase(RowRoots.begin() + row);
      RowKeyLabels.erase(RowKeyLabels.begin() + row);
    } else if (done == startup::Deletion::NeedsAdministrator) {
      warn("The value " + quoted(path) +
               " could not be removed: only an administrator may change this key. Start "
               "Orvanta Kestrel as an administrator to remove it.",
           "Delete Registry Value");
    } else {
      warn("The value " + quoted(path) + " could not be removed.", "Delete Registry Value");
    }
  }
  delete_.setEnabled(false);
  Label4.setCaption(registryCountLine(ListView1.rowCount()));
  Label9.setCaption("");
}

void Tstartfrm::deleteStartupFile(int row) {
  const std::string name = ListView1.rows()[row].caption;
  const std::string question =
      "Are you sure you want to delete the startup file " + quoted(name) + "?";
  if (app_.ui.messageBox(this, question, "Delete Startup file",
                         ui::kMbYesNo | ui::kMbIconWarning) != ui::kIdYes)
    return;
  platform::Files& files = app_.sys.files();
  const std::string path = StartupFolder + "\\" + name;
  if (!files.fileExists(path)) return;
  // A link in the folder is the file asked about, not what it points to.
  platform::RealFolder::of(files, StartupFolder)
      .deleteFile(files, path, platform::DeletionRule::OnlyTheNamedFile);
  if (files.fileExists(path))
    warn("The startup file " + quoted(name) + " could not be deleted.", "Delete Startup file");
  else
    removeRow(row);
  Label4.setCaption(startupCountLine(ListView1.rowCount()));
  delete_.setEnabled(false);
  Label9.setCaption("");
}

void Tstartfrm::removeRow(int row) {
  ListView1.deleteRow(row);
  setColumnWidths();
}

void Tstartfrm::viewFolder() { app_.SearchFrm->showFolder(StartupFolder + "\\"); }

void Tstartfrm::goToForum() {
  delete_.setEnabled(false);
  app_.openForum(this, online::community::kWindowsSupport.page);
}

void Tstartfrm::warn(const std::string& text, const std::string& caption) {
  app_.ui.messageBox(this, text, caption, ui::kMbOk | ui::kMbIconWarning);
}
