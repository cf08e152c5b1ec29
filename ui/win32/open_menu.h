// The popup menu a thread has open holds it in the menu's own loop until the menu closes.
#pragma once

namespace ui::win32 {

// Closes the menu this thread has open, if any.
void endOpenMenu();

}  // namespace ui::win32
