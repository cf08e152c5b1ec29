// The list view peer: report or icon view, single whole-row selection, read-only, the model's
// columns, rows, icons, ghosted items and overlay marks.
#pragma once

#include "ui/win32/peers.h"

namespace ui::win32 {

class ListViewPeer : public ControlPeer {
 public:
  ListViewPeer(Application& app, GdiText& text, ListView& list, HWND parent);
  void update(Change what, int index) override;
  LRESULT notify(const NMHDR& hdr) override;
  void deferred() override;

 private:
  ListView& list_;
  ImageListPtr smallImages_;

  void applyAll();
  void applyLook();
  void applyImages();
  void applyColumns();
  void applyRows();
  void insertRow(int index);
  void setRow(int index);
  void applySelection();
};

}  // namespace ui::win32
