#include "ui/automation.h"

#include <cstdlib>
#include <vector>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/windowed.h"

namespace ui {

namespace {

std::vector<std::string> splitDots(const std::string& s, size_t parts) {
  std::vector<std::string> out;
  size_t start = 0;
  while (out.size() + 1 < parts) {
    const size_t dot = s.find('.', start);
    if (dot == std::string::npos) break;
    out.push_back(s.substr(start, dot - start));
    start = dot + 1;
  }
  out.push_back(s.substr(start));
  return out;
}

std::string word(const std::string& s, size_t& pos) {
  while (pos < s.size() && s[pos] == ' ') ++pos;
  const size_t start = pos;
  while (pos < s.size() && s[pos] != ' ') ++pos;
  return s.substr(start, pos - start);
}

std::string ok(const std::string& value) { return "ok " + value; }

// Every yes-or-no property reads the same way, whatever it belongs to.
std::string flag(bool on) { return on ? "1" : "0"; }

const char* kindOf(const Control& c) {
  if (dynamic_cast<const Label*>(&c)) return "label";
  if (dynamic_cast<const Image*>(&c)) return "image";
  if (dynamic_cast<const Shape*>(&c)) return "shape";
  if (dynamic_cast<const Panel*>(&c)) return "panel";
  if (dynamic_cast<const ListView*>(&c)) return "listview";
  if (dynamic_cast<const Memo*>(&c)) return "memo";
  if (dynamic_cast<const Edit*>(&c)) return "edit";
  return "control";
}

// A caption kept on its line of a tab-separated listing: a word-wrapped label may hold line
// breaks, and any text may hold a tab.
std::string oneField(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

// One line per control, in creation (z-)order: name, kind, caption, visible, enabled.
std::string controlList(const Form& form) {
  std::string out;
  for (const Control* c : form.controls()) {
    const auto* label = dynamic_cast<const Label*>(c);
    out += c->name() + "\t" + kindOf(*c) + "\t" + (label ? oneField(label->caption()) : "") + "\t" +
           flag(c->visible()) + "\t" + flag(c->enabled()) + "\n";
  }
  return out;
}

// Windows take no input while a modal window other than themselves is up: the Win32 backend
// disables them for as long as it runs. (The program never stacks two modal windows.)
bool formEnabled(const Application& app, const Form& form) {
  if (form.modal()) return true;
  for (const Form* other : app.forms())
    if (other != &form && other->modal() && other->visible()) return false;
  return true;
}

}  // namespace

std::string Automation::handle(const std::string& request) {
  size_t pos = 0;
  const std::string verb = word(request, pos);
  while (pos < request.size() && request[pos] == ' ') ++pos;
  const std::string rest = request.substr(pos);
  if (verb == "get") return query(rest);
  return action(verb, rest);
}

std::string Automation::query(const std::string& target) {
  const auto parts = splitDots(target, 3);
  Form* form = parts.empty() ? nullptr : app_.findForm(parts[0]);
  if (!form) return "error no form " + (parts.empty() ? std::string() : parts[0]);
  if (parts.size() == 2) {
    if (parts[1] == "controls") return ok(controlList(*form));
    if (parts[1] == "enabled") return ok(flag(formEnabled(app_, *form)));
    if (auto v = form->property(parts[1])) return ok(*v);
    return "error no property " + parts[1];
  }
  if (parts.size() != 3) return "error bad query";
  const std::string& name = parts[1];
  const std::string& prop = parts[2];
  if (Control* c = form->findControl(name)) {
    if (auto v = c->property(prop)) return ok(*v);
    return "error no property " + prop;
  }
  if (Timer* t = form->findTimer(name)) {
    if (prop == "interval") return ok(std::to_string(t->interval()));
    if (prop == "running" || prop == "enabled") return ok(flag(t->enabled()));
    if (prop == "fired") return ok(std::to_string(t->fired()));
    return "error no property " + prop;
  }
  if (PopupMenu* m = form->findMenu(name)) {
    if (prop != "items") return "error no property " + prop;
    std::string out;
    for (const MenuItem& i : m->items())
      out += (i.separator ? "-" : i.name) + "\t" + i.caption + "\t" + flag(i.enabled) +
             (i.isDefault ? "\tdefault" : "") + "\n";
    return ok(out);
  }
  return "error no control " + name;
}

std::string Automation::action(const std::string& verb, const std::string& rest) {
  if (verb == "tray") {
    Form* owner = app_.tray().owner;
    if (!owner) return "error no tray icon";
    TrayEvent event;
    if (rest == "lbuttondblclk") event = TrayEvent::DoubleClick;
    else if (rest == "rbuttonup") event = TrayEvent::RightButtonUp;
    else return "error unknown tray message " + rest;
    app_.queue([owner, event] { owner->FormTrayMessage(event); });
    return "ok";
  }
  size_t pos = 0;
  const std::string target = word(rest, pos);
  while (pos < rest.size() && rest[pos] == ' ') ++pos;
  const std::string argument = rest.substr(pos);
  const auto parts = splitDots(target, 3);
  Form* form = app_.findForm(parts[0]);
  if (!form) return "error no form " + parts[0];

  if (verb == "close") {
    app_.queue([form] { form->close(); });
    return "ok";
  }
  if (verb == "key") {
    size_t p = 0;
    const int vk = std::atoi(word(argument, p).c_str());
    const std::string dir = word(argument, p);
    if (dir != "down" && dir != "up") return "error key needs down or up";
    app_.queue([form, vk, dir] { dir == "down" ? form->FormKeyDown(vk) : form->FormKeyUp(vk); });
    return "ok";
  }
  if (verb == "menu") {
    if (parts.size() != 3) return "error menu needs form.menu.item";
    PopupMenu* m = form->findMenu(parts[1]);
    if (!m) return "error no menu " + parts[1];
    MenuItem* item = m->item(parts[2]);
    if (!item) return "error no item " + parts[2];
    if (!item->enabled) return "error item disabled";
    const std::string itemName = parts[2];
    app_.queue([m, itemName] { m->choose(itemName); });
    return "ok";
  }

  const bool onForm = parts.size() == 1;
  Control* c = onForm ? nullptr : form->findControl(parts[1]);
  if (!onForm && !c) return "error no control " + parts[1];

  if (verb == "select" || verb == "settext") {
    if (!c || !c->windowed()) return "error not a windowed control";
    if (verb == "select") {
      auto* list = dynamic_cast<ListView*>(c);
      if (!list) return "error not a list view";
      const int row = std::atoi(argument.c_str());
      if (row < -1 || row >= list->rowCount()) return "error no row " + argument;
      app_.queue([list, row] {
        list->select(row);
        list->userSelected(row);
        if (list->onClick) list->onClick();
      });
      return "ok";
    }
    if (auto* edit = dynamic_cast<Edit*>(c)) {
      app_.queue([edit, argument] { edit->userEdited(argument); });
      return "ok";
    }
    if (auto* memo = dynamic_cast<Memo*>(c)) {
      app_.queue([memo, argument] { memo->userEdited(argument); });
      return "ok";
    }
    return "error no text";
  }

  if (c && !c->showing()) return "error not visible";
  if (c && !c->enabled()) return "error disabled";
  // A point on the control (its centre) or, for the form, one on its background.
  int x = 0, y = 0;
  if (c) {
    x = c->left() + c->width() / 2;
    y = c->top() + c->height() / 2;
  }
  auto viaMouse = [form, c, x, y, this](const std::string& v) {
    if (!c) {
      if (v == "mousemove") app_.guard([&] { form->FormMouseMove(x, y); });
      return;
    }
    if (c->windowed()) {
      if (v == "click" && c->onClick) app_.guard(c->onClick);
      if (v == "dblclick" && c->onDblClick) app_.guard(c->onDblClick);
      return;
    }
    if (v == "mousemove") form->mouseMove(x, y);
    else if (v == "mousedown") form->mouseDown(x, y);
    else if (v == "mouseup") form->mouseUp(x, y);
    else if (v == "click") form->mouseMove(x, y), form->mouseDown(x, y), form->mouseUp(x, y);
    else if (v == "dblclick") form->mouseDown(x, y), form->mouseUp(x, y), form->doubleClick(x, y), form->mouseUp(x, y);
  };
  if (verb == "click" || verb == "dblclick" || verb == "mousedown" || verb == "mouseup" || verb == "mousemove") {
    app_.queue([viaMouse, verb] { viaMouse(verb); });
    return "ok";
  }
  return "error unknown command " + verb;
}

}  // namespace ui
