// The file viewer: the items of one folder as the shell shows them, with their system icons,
// hidden items ghosted and shared folders and shortcuts marked. Other tools set the folder and
// show the window.
#pragma once

#include <cstdint>
#include <string>

#include "app/window.h"
#include "platform/shell.h"
#include "ui/windowed.h"

class TSearchFrm : public app::Window {
 public:
  explicit TSearchFrm(app::App& app);

  // The folder listed at each showing.
  std::string FolderPath;
  // The system icon shown instead of icon 2 on NT systems, or -1 for none.
  int32_t SubstituteIconIndex = -1;

  ui::ListView ListView1{*this, "ListView1"};

  // Lists the folder and shows the window; one already open lists the new folder at once.
  void showFolder(const std::string& folder);

 private:
  void FormShow() override;
  void listFolder();
  ui::ListRow rowOf(const platform::ShellItem& item) const;
};
