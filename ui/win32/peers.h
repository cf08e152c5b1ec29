// Real child windows of the model's windowed controls. A peer is made from the control as it is
// when its form is first shown, applies the model's later changes, and reports the user's
// selections, edits and clicks back into the model. The form's window routes each child's
// notifications to its peer.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/windowed.h"
#include "ui/win32/gdi_text.h"
#include "ui/win32/handles.h"

namespace ui {
class Application;
}

namespace ui::win32 {

// Posted by a peer to its parent window when work must wait until the current notification
// has run its course; the parent calls deferred() on the peer named by lParam.
constexpr UINT kPeerDeferred = WM_APP + 20;

class ControlPeer : public Peer {
 public:
  ControlPeer(Application& app, GdiText& text, WindowedControl& control);
  ~ControlPeer() override;
  ControlPeer(const ControlPeer&) = delete;
  ControlPeer& operator=(const ControlPeer&) = delete;

  HWND hwnd() const { return hwnd_.get(); }
  WindowedControl& control() const { return control_; }

  // Notifications from the parent window: WM_NOTIFY, WM_COMMAND codes, WM_CTLCOLOR*.
  virtual LRESULT notify(const NMHDR&) { return 0; }
  virtual void command(int) {}
  virtual void deferred() {}
  // Whether the child uses a dialog key (Return, Escape) itself, as a field with a handler of
  // its own or a text that takes line breaks does; the window then leaves the key to it.
  virtual bool takesKey(int) const { return false; }
  HBRUSH colors(HDC dc);
  // Shows or hides the child as the control's containers now say.
  void syncVisibility();

 protected:
  void create(HWND parent, const char* windowClass, DWORD style, DWORD exStyle);
  // Bounds, visibility, enabled state, font and colours from the model.
  void applyLook();
  std::string windowText() const;
  void setWindowText(const std::string& text);
  // Runs a model call inside the application's guard.
  void guarded(const std::function<void()>& fn);

  Application& app_;
  GdiText& text_;
  // Set while the peer itself changes the child window, so its notifications are not taken
  // for the user's doing.
  bool applying_ = false;

 private:
  WindowedControl& control_;
  WindowPtr hwnd_;
  GdiPtr<HBRUSH> brush_;
  Color brushColor_ = 0;
};

// Makes the peer of a list view, memo or edit field as a child of parent; null for a kind this
// backend does not know.
std::unique_ptr<ControlPeer> makePeer(Application& app, GdiText& text, WindowedControl& control, HWND parent);

}  // namespace ui::win32
