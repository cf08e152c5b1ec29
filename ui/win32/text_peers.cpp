#include "ui/win32/text_peers.h"

namespace ui::win32 {

namespace {

// The edit control's own limit is 32 KB of text; reports and inventories are longer.
constexpr LPARAM kMemoLimit = 0x7FFFFFFE;

}  // namespace

MemoPeer::MemoPeer(Application& app, GdiText& text, Memo& memo, HWND parent)
    : ControlPeer(app, text, memo), memo_(memo) {
  DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_TABSTOP;
  if (memo.verticalScrollBar) style |= WS_VSCROLL;
  // A multi-line edit wraps its lines unless it scrolls sideways.
  if (!memo.wordWrap) style |= ES_AUTOHSCROLL | WS_HSCROLL;
  if (memo.readOnly) style |= ES_READONLY;
  create(parent, "EDIT", style, 0);
  SendMessageA(hwnd(), EM_SETLIMITTEXT, kMemoLimit, 0);
  update(Change::All, -1);
}

void MemoPeer::update(Change what, int) {
  if (!hwnd()) return;
  if (what == Change::All || what == Change::Look) {
    applyLook();
    SendMessageA(hwnd(), EM_SETREADONLY, memo_.readOnly ? TRUE : FALSE, 0);
  }
  if (what == Change::All || what == Change::Text) setWindowText(memo_.text());
  if (what == Change::Selection) {
    SendMessageA(hwnd(), EM_SETSEL, 0, 0);
    SendMessageA(hwnd(), EM_SCROLLCARET, 0, 0);
  }
  if (what == Change::Focus) SetFocus(hwnd());
}

void MemoPeer::command(int code) {
  if (code == EN_CHANGE && !applying_) memo_.userEdited(windowText());
}

EditPeer::EditPeer(Application& app, GdiText& text, Edit& edit, HWND parent)
    : ControlPeer(app, text, edit), edit_(edit) {
  DWORD style = ES_AUTOHSCROLL | WS_TABSTOP;
  if (edit.passwordChar) style |= ES_PASSWORD;
  create(parent, "EDIT", style, 0);
  SetWindowLongPtrA(hwnd(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditPeer::keyProc)));
  update(Change::All, -1);
}

EditPeer::~EditPeer() {
  if (hwnd() && original_) SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
}

void EditPeer::applyLook() {
  ControlPeer::applyLook();
  SendMessageA(hwnd(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(edit_.passwordChar), 0);
  SendMessageA(hwnd(), EM_SETLIMITTEXT, edit_.maxLength > 0 ? edit_.maxLength : 0, 0);
}

void EditPeer::update(Change what, int) {
  if (!hwnd()) return;
  if (what == Change::All || what == Change::Look) applyLook();
  if (what == Change::All || what == Change::Text) setWindowText(edit_.text());
  if (what == Change::Focus) SetFocus(hwnd());
}

void EditPeer::command(int code) {
  if (code == EN_CHANGE && !applying_) {
    const std::string text = windowText();
    guarded([&] { edit_.userEdited(text); });
  }
}

bool MemoPeer::takesKey(int key) const { return key == VK_RETURN && !memo_.readOnly; }

bool EditPeer::takesKey(int key) const { return key == VK_RETURN && edit_.onKeyDown; }

// Keys typed into the field reach its handler; Tab moves on to the next field of the window,
// and Return and Tab do not beep as a plain edit control makes them.
LRESULT CALLBACK EditPeer::keyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<EditPeer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_CHAR && (wParam == '\r' || wParam == '\t')) return 0;
  if (msg == WM_KEYDOWN && wParam == VK_TAB) {
    const bool back = GetKeyState(VK_SHIFT) < 0;
    if (HWND next = GetNextDlgTabItem(GetParent(hwnd), hwnd, back ? TRUE : FALSE)) SetFocus(next);
    return 0;
  }
  if (msg == WM_KEYDOWN && self->edit_.onKeyDown) {
    const int key = static_cast<int>(wParam);
    self->guarded([&] { self->edit_.onKeyDown(key); });
  }
  return CallWindowProcA(self->original_, hwnd, msg, wParam, lParam);
}

}  // namespace ui::win32
