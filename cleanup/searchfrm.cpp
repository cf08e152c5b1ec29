#include "cleanup/searchfrm.h"

#include "cleanup/folderview.h"
#include "frame/toollook.h"

namespace {

constexpr uint32_t kNtPlatform = 2;
// The icon that NT systems replace, when they can, by the one of "c:\ntdetect.com".
constexpr int kReplacedIcon = 2;
// Overlay marks of the system image list.
constexpr int kSharedOverlay = 1, kShortcutOverlay = 2;

}  // namespace

TSearchFrm::TSearchFrm(app::App& app)
    : Window(app, "TSearchFrm", "SearchFrm", 508, 340, "Orvanta File Viewer", "") {
  font = ui::Font::pixels("MS Sans Serif", 11);
  ListView1.viewStyle = ui::ViewStyle::Icon;
  ListView1.systemImages = true;
  ListView1.setFont(font);
  ListView1.setColor(frame::toollook::kListBack);
  ListView1.setBounds({0, 0, 508, 340});
}

void TSearchFrm::showFolder(const std::string& folder) {
  FolderPath = folder;
  if (!visible()) return show();
  listFolder();
  bringToFront();
}

void TSearchFrm::FormShow() { listFolder(); }

void TSearchFrm::listFolder() {
  platform::Services& sys = app_.sys;
  SubstituteIconIndex = -1;
  if (sys.system().osVersion().platformId == kNtPlatform) {
    cleanup::prepareShortcutIcon(sys.shell(), sys.files(), sys.system().tempPath());
    SubstituteIconIndex = sys.shell().iconIndexOf("c:\\ntdetect.com").value_or(-1);
  }
  std::vector<ui::ListRow> rows;
  for (const platform::ShellItem& item : cleanup::folderItems(sys.shell(), sys.files(), FolderPath))
    rows.push_back(rowOf(item));
  ListView1.setRows(std::move(rows));
}

ui::ListRow TSearchFrm::rowOf(const platform::ShellItem& item) const {
  ui::ListRow row;
  row.caption = item.displayName;
  row.imageIndex = item.iconIndex == kReplacedIcon && SubstituteIconIndex != -1
                       ? SubstituteIconIndex
                       : item.iconIndex;
  row.ghosted = item.hidden;
  row.overlay = item.shared ? kSharedOverlay : item.link ? kShortcutOverlay : 0;
  return row;
}
