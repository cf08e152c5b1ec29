// The top-level window of one form: its window class named after the form's class, a frame
// sized from the form's client area, double-buffered painting of the background and the
// graphic controls, mouse, keyboard, closing, the system menu, hints, and the child windows of
// the form's windowed controls.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/form.h"
#include "ui/win32/handles.h"
#include "ui/win32/peers.h"

namespace ui::win32 {

class Win32Backend;

class FormWindow {
 public:
  FormWindow(Win32Backend& backend, Form& form);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // The window, or none while the form has not been shown and nothing asked for it.
  HWND hwnd() const { return hwnd_.get(); }
  // The window, made now if it was not yet.
  HWND made();
  Form& form() const { return form_; }
  void changed(FormChange what);
  void invalidate();
  void invalidate(const Rect& area);
  void destroyPeer(WindowedControl& control);
  // A dialog key pressed in the window or one of its children; false when a child uses it
  // itself or it is no dialog key, and the key then goes its usual way.
  bool dialogKey(HWND target, int key);

 private:
  Win32Backend& backend_;
  Form& form_;
  WindowPtr hwnd_;
  WindowPtr tooltip_;
  std::vector<std::unique_ptr<ControlPeer>> peers_;
  bool peersMade_ = false;
  size_t systemMenuApplied_ = 0;
  bool painting_ = false, repaint_ = false;
  // A repaint is asked for and has not happened yet: asking again changes nothing.
  bool invalid_ = false;
  // The areas of controls that changed since the last flush, made invalid in one call when the
  // flush message posted with the first of them comes: under Wine every InvalidateRect is a
  // call to the server, and building a list of rows changes dozens of areas in a row. Posted
  // messages come before the paint they lead to, in any message loop.
  GdiPtr<HRGN> pending_;
  void flushPending();
  // The form's caption changed and the window's title has not followed yet.
  bool captionStale_ = false;
  const Control* hintSource_ = nullptr;
  // The child that had the focus when the window was last left, to have it again on return.
  HWND focused_ = nullptr;
  std::string hintText_;

  void create();
  DWORD style() const;
  DWORD exStyle() const;
  void applyGeometry();
  void applyStyle();
  void applyVisible();
  void applySystemMenu();
  void makePeers();
  void makeTooltip();
  ControlPeer* peerOf(HWND child) const;

  void paint();
  bool paintNow(HRGN area);
  void draw(HDC dc, const RECT& area);
  void applyCaption();
  bool setCursor();
  void mouseMoved(int x, int y);
  void rightButtonUp(int x, int y);
  void tooltipText(NMTTDISPINFOA& info);
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace ui::win32
