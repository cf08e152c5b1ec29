// The three tools the main window opens with its large buttons and the tray menu lists.
#pragma once

#include <array>

#include "ui/form.h"

namespace app {

class App;

struct Tool {
  const char* buttonBase;   // the main window's large button
  const char* menuItem;     // its tray menu entry
  const char* menuCaption;
  ui::Form& (*window)(App& app);
  // Whether the tool is still busy with a run the user closed; it is not opened again until
  // that run has ended. Null for a tool that is never busy unseen.
  bool (*busy)(App& app);
};

// In the order of the buttons (Image2, Image3, Image4) and of the menu entries.
extern const std::array<Tool, 3> kTools;

}  // namespace app
