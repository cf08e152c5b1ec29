#include "ui/menu.h"

#include "ui/application.h"
#include "ui/form.h"

namespace ui {

PopupMenu::PopupMenu(Form& owner, std::string name) : form_(owner), name_(std::move(name)) { form_.add(*this); }

PopupMenu::~PopupMenu() { form_.remove(*this); }

MenuItem& PopupMenu::add(std::string name, std::string caption, std::function<void()> onClick) {
  MenuItem item;
  item.name = std::move(name);
  item.caption = std::move(caption);
  item.onClick = std::move(onClick);
  items_.push_back(std::move(item));
  return items_.back();
}

void PopupMenu::addSeparator() {
  MenuItem item;
  item.separator = true;
  item.caption = "-";
  items_.push_back(std::move(item));
}

MenuItem* PopupMenu::item(const std::string& name) {
  for (MenuItem& i : items_)
    if (!i.separator && i.name == name) return &i;
  return nullptr;
}

void PopupMenu::popup(int x, int y) {
  if (onPopup) form_.application().guard(onPopup);
  form_.application().backend().popupMenu(*this, x, y);
}

bool PopupMenu::choose(const std::string& name) {
  MenuItem* i = item(name);
  if (!i || !i->enabled) return false;
  if (i->onClick) form_.application().guard(i->onClick);
  return true;
}

}  // namespace ui
