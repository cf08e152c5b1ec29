// The text protocol through which the end-to-end tests drive the real program. Queries answer
// from the window model at once; actions are queued on the user-interface thread and dispatch
// the same events the mouse and keyboard produce. The Win32 backend carries the requests in
// WM_COPYDATA when QEXSYS_AUTOMATION=1; nothing here adds behaviour of its own.
//
// Replies: "ok", "ok <value>" or "error <reason>". Queries:
//   get <form>.<property>            visible, enabled, modal, caption, left, top, width,
//                                    height, alpha, cursor
//   get <form>.controls              one line per control in creation order: name, kind
//                                    (label, image, shape, panel, listview, memo, edit),
//                                    caption (empty where the control has none; backslash,
//                                    tab, CR and LF written as \\, \t, \r, \n), visible,
//                                    enabled; tab-separated
//   get <form>.<control>.<property>  visible, enabled, left, top, width, height, cursor, hint;
//                                    caption and underline (labels), picture (images), text
//                                    (memos, edits), rows and selected (list views)
//   get <form>.<timer>.<property>    enabled (also as running), interval, fired (how often
//                                    its handler has run)
//   get <form>.<menu>.items          one line per item: name ("-" for a separator), caption,
//                                    enabled, and "default" for the default item
// Every yes-or-no value, on forms, controls, timers and menu items alike, reads 1 or 0.
// visible is the object's own flag (a control inside a hidden panel may read 1); a form's
// enabled reads 0 while another form is shown modally. Actions: click, dblclick, mousedown,
// mouseup, mousemove <form>[.<control>]; key <form> <code> down|up; menu
// <form>.<menu>.<item>; select <form>.<listview> <row>; settext <form>.<control> <text>;
// tray lbuttondblclk|rbuttonup; close <form>.
#pragma once

#include <string>

namespace ui {

class Application;

class Automation {
 public:
  explicit Automation(Application& app) : app_(app) {}
  // "ok", "ok <value>" or "error <reason>".
  std::string handle(const std::string& request);

 private:
  Application& app_;
  std::string query(const std::string& target);
  std::string action(const std::string& verb, const std::string& rest);
};

}  // namespace ui
