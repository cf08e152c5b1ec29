// A top-level window of the program: caption, client size, border, position, background
// painting, its controls in creation (z-)order, and its event handlers. Windows are created
// once and shown and hidden for the whole run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/font.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace ui {

class Application;

enum class BorderStyle { Dialog, None };
enum class CloseAction { None, Hide };
// What the mouse did on the tray icon, as far as the program listens.
enum class TrayEvent { DoubleClick, RightButtonUp };

struct SystemMenuItem {
  int id = 0;  // 0 for a separator
  std::string caption;
};

class Form {
 public:
  // className is the window class ("Tdeepscanfrm"), name the instance name ("deepscanfrm").
  Form(Application& app, std::string className, std::string name, int clientWidth, int clientHeight);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  Application& application() const { return app_; }
  const std::string& className() const { return className_; }
  const std::string& name() const { return name_; }

  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& c);
  int clientWidth() const { return clientWidth_; }
  int clientHeight() const { return clientHeight_; }
  void setClientSize(int w, int h);
  // Top-left corner of the window on the screen; forms start centred.
  int left() const { return left_; }
  int top() const { return top_; }
  void setPosition(int left, int top);
  // Until a position is set, the backend centres the window on the screen.
  bool centred() const { return centred_; }

  BorderStyle borderStyle = BorderStyle::Dialog;
  bool stayOnTop = false;
  bool showInTaskbar = true;
  Font font;
  Color color = rgb(212, 208, 200);
  // Over the background and over every control that keeps the default cursor.
  Cursor cursor = Cursor::Default;

  // Whole-window opacity through the layered style, where the system has it.
  bool layeredSupported() const;
  bool layered() const { return layered_; }
  uint8_t alpha() const { return alpha_; }
  void setLayered(bool on);
  void setAlpha(uint8_t a);

  bool visible() const { return visible_; }
  void show();
  // Shows the window and disables the others until it is hidden. The Win32 backend returns
  // when the window has been closed; the headless backend returns at once.
  void showModal();
  bool modal() const { return modal_; }
  void hide();
  // Asks FormCloseQuery, then FormClose; hides the window unless the action says otherwise.
  void close();
  void bringToFront();
  void invalidate();

  // The taskbar button's menu.
  void removeSystemMenuItem(int command);
  void appendSystemMenuItem(int id, const std::string& caption);
  const std::vector<SystemMenuItem>& systemMenu() const { return systemMenu_; }

  // The virtual-key codes of the dialog keys.
  static constexpr int kKeyReturn = 0x0D, kKeyEscape = 0x1B;
  // A key that no control of the window took: Escape and Enter go to their handlers. Whether
  // the key was one of them.
  bool dialogKey(int key);

  // Handlers. Overridden by the windows; every one runs inside the application's guard.
  virtual void FormShow() {}
  virtual void FormHide() {}
  virtual bool FormCloseQuery() { return true; }
  virtual void FormClose(CloseAction&) {}
  virtual void FormPaint(Canvas&) {}
  virtual void FormMouseMove(int, int) {}
  // The wheel turned by delta (120 a notch, positive away from the user) with the pointer at
  // x, y of the client area.
  virtual void FormMouseWheel(int, int, int) {}
  virtual void FormKeyDown(int) {}
  virtual void FormKeyUp(int) {}
  // Escape and Enter as every Windows dialog takes them, wherever the focus is in the window
  // and no control uses the key itself: Escape does what the window's Close or Cancel does,
  // Enter what its default button does.
  virtual void FormEscape() {}
  virtual void FormEnter() {}
  virtual void FormSysCommand(int) {}
  // A mouse event on the tray icon owned by this form.
  virtual void FormTrayMessage(TrayEvent) {}

  // Painting: background colour, FormPaint, then the graphic controls in z-order, as far as
  // they reach into the canvas's clip rectangle.
  void paintClient(Canvas& canvas);

  // Mouse input in client coordinates, dispatched to the graphic control under the pointer
  // (or the one that holds the capture) or to the form's own handler.
  void mouseMove(int x, int y);
  void mouseDown(int x, int y);
  void mouseUp(int x, int y);
  void doubleClick(int x, int y);
  void mouseWheel(int x, int y, int delta);
  Cursor cursorAt(int x, int y) const;
  // A right click on a control: its context handler, then its popup menu at the screen point.
  void contextMenu(Control& c, int screenX, int screenY);
  // The topmost showing, enabled graphic control at a point, or null.
  Control* controlAt(int x, int y) const;

  const std::vector<Control*>& controls() const { return controls_; }
  const std::vector<Timer*>& timers() const { return timers_; }
  const std::vector<PopupMenu*>& menus() const { return menus_; }
  Control* findControl(const std::string& name) const;
  Timer* findTimer(const std::string& name) const;
  PopupMenu* findMenu(const std::string& name) const;
  std::optional<std::string> property(const std::string& name) const;

  // Registration, called by the controls, timers and menus of this form.
  void add(Control& c);
  void remove(Control& c);
  void add(Timer& t);
  void remove(Timer& t);
  void add(PopupMenu& m);
  void remove(PopupMenu& m);
  void controlChanged(Control& c);
  // A graphic control left this area, or changed within it.
  void areaChanged(const Rect& area);

 private:
  Application& app_;
  std::string className_;
  std::string name_;
  std::string caption_;
  int clientWidth_, clientHeight_;
  int left_ = 0, top_ = 0;
  bool centred_ = true;
  bool visible_ = false;
  bool modal_ = false;
  bool layered_ = false;
  uint8_t alpha_ = 255;
  bool closing_ = false;
  std::vector<SystemMenuItem> systemMenu_;
  std::vector<Control*> controls_;
  std::vector<Timer*> timers_;
  std::vector<PopupMenu*> menus_;
  Control* capture_ = nullptr;
  Control* pressed_ = nullptr;
};

}  // namespace ui
