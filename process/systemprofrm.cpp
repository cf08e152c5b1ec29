#include "process/systemprofrm.h"

#include <cstdlib>

#include "app/qex_ulm_frm.h"
#include "cleanup/searchfrm.h"
#include "frame/pathtext.h"
#include "frame/timestamp.h"
#include "frame/toollook.h"
#include "online/community.h"
#include "platform/realfolder.h"
#include "process/processlist.h"
#include "process/processreport.h"
#include "skin/layout.h"
#include "ui/dialogs.h"

namespace {

const ui::Rect kList = skin::layout::tool_form::kList;
constexpr int kNameColumn = 150, kIdColumn = 135;
constexpr int kPathColumn = 284, kHiddenColumn = 1;
// A longer path is fitted to the width of the line at the bottom.
constexpr size_t kWholePathLength = 50;

const char* const kCaution = "Use with caution as it may affect running applications.";

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

Tsystemprofrm::Tsystemprofrm(app::App& app)
    : Window(app, "Tsystemprofrm", "systemprofrm", 566, 365, "System Wizard", "process_form"),
      Finder(app.sys.files(), [&app] { app.ui.processMessages(); }),
      sections_(Image1, hoverLatch),
      header_(Shape1, ListView1, kList),
      terminate_(skin(), Image2, Label8, hoverLatch, 64, 288, "Terminate",
                 [this] { terminateSelected(); }) {
  font = frame::toollook::windowFont();
  sections_.add(Label1, "Active Software", 64, [this] { showProcesses(); });
  sections_.add(Label5, "Log Running Processes", 96, [this] { showReport(); });
  sections_.add(Label9, "Go to Windows Forum", 128, [this] { goToForum(); });
  header_.add(Label6, 246, kProcessMode);
  header_.add(Label7, 392, "Identification");
  ListView1.setColumns({{"", kNameColumn}, {"", kIdColumn}});
  ListView1.smallImages = {skin().bitmap("list_warning")};
  ListView1.popupMenu = &PopupMenu1;
  Panel1.setBounds(kList);
  Panel1.setColor(frame::toollook::kListBack);
  Panel1.setVisible(false);
  Memo1.parent = &Panel1;
  Memo1.readOnly = true;
  Memo1.verticalScrollBar = true;
  Memo1.setFont(frame::toollook::listFont());
  Memo1.setColor(frame::toollook::kListBack);
  Memo1.setBounds({kList.left + 4, kList.top + 2, kList.right - 2, kList.bottom - 2});
  // The owner and time of a file take five lines.
  frame::toollook::description(Label3, skin::layout::tool_form::kDescriptionText);
  Label2.setFont(ui::Font::pixels("Verdana", 19, true, ui::kWhite));
  Label2.setBounds({244, 288, 244, 288});
  Label4.setFont(frame::toollook::windowFont());
  Label4.setBounds({244, 295, 244, 295});
  Label10.setFont(frame::toollook::windowFont());
  Label10.setAutoSize(false);
  Label10.setAlignment(ui::Align::Right);
  // Wide enough for the caution line in the window's lettering.
  Label10.setBounds({550 - 400, 343, 550, 356});
  terminate_.setEnabled(false);

  Timer1.onTimer = [this] {
    Timer1.stop();
    showProcesses();
  };
  Finder.OnFileFound = [this](cleanup::TFileFinder&, const std::string& name,
                              const std::string& folder, const platform::FindData&) {
    ListView1.addRow(ui::ListRow{folder + name, {}, 0});
  };
  ListView1.onClick = [this] { selectRow(); };
  ListView1.onSelectItem = [this] { selectRow(); };
  ListView1.onContextPopup = [this] { prepareMenu(); };
  ListView1.onDblClick = [this] { app_.SearchFrm->showFolder(app_.facts.windowsDirectory + "\\"); };
  PopupMenu1.add("Terminate1", "Terminate...", [this] { terminateSelected(); });
  PopupMenu1.add("TerminateandLocatethisfile1", "Terminate and Locate this file",
                 [this] { locate(); });
  PopupMenu1.addSeparator();
  PopupMenu1.add("Deletefile1", "Delete file", [this] { deleteFile(); });
  updateMenu();
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &Image1, &Shape1, &Label6, &Label7, &Panel1, &Label3, &Label2, &Label4, &Label10})
    c->onMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void Tsystemprofrm::FormShow() {
  Label10.setCaption(kCaution);
  Timer1.start();
}

void Tsystemprofrm::FormClose(ui::CloseAction&) {
  ++section_;
  Finder.Stopped = true;
  LocatePaths.Clear();
  LocateMasks.clear();
  Memo1.clear();
  ListView1.clear();
  listed_.clear();
  app_.qex_ulm_frm->resumeTimers();
}

void Tsystemprofrm::FormMouseMove(int, int) {
  if (!hoverLatch) return;
  hoverLatch = false;
  sections_.normal();
  terminate_.normal();
}

// A section opens: a locate still walking stops and keeps its hands off the list.
void Tsystemprofrm::openSection() {
  ++section_;
  Finder.Stopped = true;
  terminate_.setEnabled(false);
}

void Tsystemprofrm::showProcesses() {
  openSection();
  ListView1.clear();
  ListView1.setColumnWidth(0, kNameColumn);
  ListView1.setColumnWidth(1, kIdColumn);
  Panel1.setVisible(false);
  ListView1.setVisible(true);
  Label7.setCaption("Identification");
  Label7.setVisible(true);
  Label6.setCaption(kProcessMode);
  Label3.setCaption(
      "You can free memory by terminating some of your running processes. Not all applications "
      "can be shut down as some of them are used by Windows.");
  sections_.highlight(Label1);
  updateMenu();
  listed_.clear();
  const auto running = process::listProcesses(app_.sys.processes());
  if (running.empty()) return;
  std::vector<ui::ListRow> rows;
  for (const process::ProcessRow& p : running) {
    rows.push_back(ui::ListRow{p.name, {std::to_string(p.pid)}, 0});
    listed_[p.pid] = p.identity;
  }
  ListView1.setRows(std::move(rows));
  showCount(ListView1.rowCount() - 1);
}

void Tsystemprofrm::showReport() {
  openSection();
  sections_.highlight(Label5);
  Label6.setCaption(kReportMode);
  Label3.setCaption(
      "If you should require assistance about certain running processes, you can Copy & Paste "
      "your report at Orvanta Forums. A member may be able to help you out.");
  Label7.setVisible(false);
  ListView1.setVisible(false);
  updateMenu();
  Memo1.clear();
  Panel1.setVisible(true);
  std::string text;
  for (const std::string& line : process::processReport(app_.sys.processes(), app_.sys.registry()))
    text += (text.empty() ? "" : "\r\n") + line;
  Memo1.setText(text);
  Memo1.scrollToTop();
}

void Tsystemprofrm::showCount(int count) {
  shownCount_ = count;
  Label2.setCaption(std::to_string(count));
  Label4.setLeft(Label2.left() + Label2.width() + 4);
  Label4.setCaption("running processes were found");
}

void Tsystemprofrm::selectRow() {
  const int row = ListView1.selected();
  updateMenu();
  if (row < 0) {
    terminate_.setEnabled(false);
    return;
  }
  SelectedName = ListView1.rows()[row].caption;
  if (Label6.caption() == kProcessMode) {
    terminate_.setEnabled(true);
    Label10.setCaption(kCaution);
  } else if (Label6.caption() == kLocationMode) {
    terminate_.setEnabled(false);
    showFileDetails(SelectedName);
  }
}

void Tsystemprofrm::prepareMenu() {
  if (ListView1.selected() < 0) SelectedName.clear();
  selectRow();
}

void Tsystemprofrm::updateMenu() {
  const int row = ListView1.selected();
  const bool any = row >= 0 && ListView1.visible();
  const bool processes = any && Label6.caption() == kProcessMode;
  PopupMenu1.item("Terminate1")->enabled = processes;
  PopupMenu1.item("TerminateandLocatethisfile1")->enabled =
      processes && !locating_ && ListView1.rows()[row].caption != process::kUnknownProcess;
  PopupMenu1.item("Deletefile1")->enabled = any && Label6.caption() == kLocationMode;
}

void Tsystemprofrm::showFileDetails(const std::string& path) {
  if (path.size() <= kWholePathLength) {
    Label10.setCaption(path);
  } else {
    ui::TextRenderer& text = app_.ui.text();
    const ui::Font f = Label10.font();
    Label10.setCaption(frame::fitPathToWidth(
        path, Label10.width(), [&](const std::string& s) { return text.measure(f, s).width; }));
  }
  FileOwner = process::versionString(app_.sys.processes(), path, "LegalCopyright");
  if (FileOwner.empty()) FileOwner = "I couldn't find any information about this file.";
  FileTime = frame::fileTimeStamp(app_.sys.files(), app_.sys.system(), path);
  Label3.setCaption("The developer and owner of this file is:\n" + FileOwner +
                    "\nThis file was created:\n" + FileTime);
}

void Tsystemprofrm::terminateSelected() {
  const int row = ListView1.selected();
  if (!terminate_.enabled() || row < 0) return;
  terminate_.normal();
  if (!endProcess(row)) return;
  ListView1.deleteRow(row);
  showCount(shownCount_ - 1);
  updateMenu();
}

// Ends the row's process; false, after telling the user, when it is still running.
bool Tsystemprofrm::endProcess(int row) {
  const ui::ListRow& r = ListView1.rows()[row];
  const uint32_t pid = static_cast<uint32_t>(std::strtoul(r.subItems.at(0).c_str(), nullptr, 10));
  // The list may be minutes old, and the system gives an ended process's ID to a new one, even
  // one of the same program: only the process that was listed may end. One that has ended
  // since has gone as asked.
  const auto it = listed_.find(pid);
  const platform::ProcessIdentity identity =
      it == listed_.end() ? platform::ProcessIdentity{} : it->second;
  if (app_.sys.processes().terminate(pid, identity) != platform::Ending::Refused) return true;
  app_.ui.messageBox(
      this,
      "The process " + quoted(r.caption) + " (" + std::to_string(pid) + ") could not be ended.",
      app::App::kTitle, ui::kMbOk | ui::kMbIconWarning);
  return false;
}

void Tsystemprofrm::locate() {
  const int row = ListView1.selected();
  if (locating_ || row < 0 || Label6.caption() != kProcessMode) return;
  SelectedName = ListView1.rows()[row].caption;
  if (SelectedName == process::kUnknownProcess) return;
  if (endProcess(row)) showCount(shownCount_ - 1);
  openSection();
  ListView1.setColumnWidth(0, kPathColumn);
  ListView1.setColumnWidth(1, kHiddenColumn);
  Label6.setCaption(kLocationMode);
  Label7.setCaption("");
  cursor = ui::Cursor::Hourglass;
  ListView1.cursor = ui::Cursor::Hourglass;
  ListView1.clear();
  LocatePaths.Clear();
  LocateMasks.clear();
  Label10.setCaption("Deep scanning, please wait...");
  LocatePaths.Add(app_.facts.systemDrive() + "\\", true);
  LocateMasks.push_back(process::exactNameMask(SelectedName));
  Finder.Paths = LocatePaths;
  Finder.Masks = LocateMasks;
  const unsigned section = section_;
  locating_ = true;
  updateMenu();
  struct Done {
    Tsystemprofrm& w;
    ~Done() {
      w.locating_ = false;
      w.cursor = ui::Cursor::Default;
      w.ListView1.cursor = ui::Cursor::Default;
      w.updateMenu();
    }
  } done{*this};
  Finder.Execute();
  if (section != section_) return;
  Label10.setCaption("Found " + std::to_string(ListView1.rowCount()) + " " + SelectedName +
                     " files.");
  Label3.setCaption(
      "You can learn more about the owner of a file, by selecting it from the list. If you want to "
      "delete the file, right click on it and select Delete.");
}

void Tsystemprofrm::deleteFile() {
  const int row = ListView1.selected();
  if (row < 0 || Label6.caption() != kLocationMode) return;
  const std::string path = ListView1.rows()[row].caption;
  platform::Files& files = app_.sys.files();
  if (!files.fileExists(path)) return;
  const std::string name = fileNameOf(path);
  if (app_.ui.messageBox(this, "Are you sure you want to delete the file " + quoted(name) + "?",
                         "Delete file", ui::kMbYesNo | ui::kMbIconWarning) != ui::kIdYes)
    return;
  // Only a file that really lies on the drive that was searched: a link is the file asked
  // about, not what it points to.
  platform::RealFolder::of(files, app_.facts.systemDrive() + "\\")
      .deleteFile(files, path, platform::DeletionRule::OnlyTheNamedFile);
  if (files.fileExists(path)) {
    app_.ui.messageBox(this, "The file " + quoted(name) + " could not be deleted.", "Delete file",
                       ui::kMbOk | ui::kMbIconWarning);
    return;
  }
  ListView1.deleteRow(row);
  updateMenu();
}

void Tsystemprofrm::goToForum() {
  app_.openForum(this, online::community::kWindowsSupport.page);
}
