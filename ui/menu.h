// Popup menus: named items in order, separators, a default (bold) item, enabled states.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {

class Form;

struct MenuItem {
  std::string name;  // empty for a separator
  std::string caption;
  bool enabled = true;
  bool isDefault = false;
  bool separator = false;
  std::function<void()> onClick;
};

class PopupMenu {
 public:
  PopupMenu(Form& owner, std::string name);
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu();

  const std::string& name() const { return name_; }
  Form& form() const { return form_; }
  MenuItem& add(std::string name, std::string caption, std::function<void()> onClick);
  void addSeparator();
  std::vector<MenuItem>& items() { return items_; }
  const std::vector<MenuItem>& items() const { return items_; }
  MenuItem* item(const std::string& name);
  // Opens the menu at a screen position; the chosen item's handler runs afterwards.
  void popup(int x, int y);
  // Runs the named item as if the user had chosen it; false for an unknown or disabled item.
  bool choose(const std::string& name);
  std::function<void()> onPopup;

 private:
  Form& form_;
  std::string name_;
  std::vector<MenuItem> items_;
};

}  // namespace ui
