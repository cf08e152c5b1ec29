// Peers of the text controls: the multi-line memo and the single-line edit field.
#pragma once

#include "ui/win32/peers.h"

namespace ui::win32 {

class MemoPeer : public ControlPeer {
 public:
  MemoPeer(Application& app, GdiText& text, Memo& memo, HWND parent);
  void update(Change what, int index) override;
  void command(int code) override;
  bool takesKey(int key) const override;

 private:
  Memo& memo_;
};

class EditPeer : public ControlPeer {
 public:
  EditPeer(Application& app, GdiText& text, Edit& edit, HWND parent);
  ~EditPeer() override;
  void update(Change what, int index) override;
  void command(int code) override;
  bool takesKey(int key) const override;

 private:
  Edit& edit_;
  WNDPROC original_ = nullptr;

  void applyLook();
  static LRESULT CALLBACK keyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace ui::win32
