#include "ui/win32/list_view_peer.h"

#include <shellapi.h>

#include "ui/canvas.h"
#include "ui/form.h"
#include "ui/win32/dib.h"
#include "ui/win32/late_libraries.h"

namespace ui::win32 {

namespace {

// No picture for a row, even when the list has an image list (I_IMAGENONE).
constexpr int kNoImage = -2;

constexpr int kIconSide = 16;

// One cell of the small image list. An image list cuts a wider picture into several cells and
// refuses an empty one, either of which would shift every later row's icon; so each picture
// becomes exactly one cell, scaled when it has another size, blank when it is empty.
Bitmap iconCell(const Bitmap& picture) {
  const Color key = picture.transparentColor();
  Bitmap cell(kIconSide, kIconSide, key);
  Canvas(cell).stretchDraw(Rect{0, 0, kIconSide, kIconSide}, picture, false);
  cell.transparent = picture.transparent || picture.empty();
  cell.hasTransparentColor = true;
  cell.transparentColorValue = key;
  return cell;
}

}  // namespace

ListViewPeer::ListViewPeer(Application& app, GdiText& text, ListView& list, HWND parent)
    : ControlPeer(app, text, list), list_(list) {
  DWORD style = LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
  style |= list.viewStyle == ViewStyle::Icon ? LVS_ICON | LVS_AUTOARRANGE : LVS_REPORT;
  if (!list.showColumnHeaders) style |= LVS_NOCOLUMNHEADER;
  // The system image lists are shared by every program: the list must not destroy them.
  if (list.systemImages) style |= LVS_SHAREIMAGELISTS;
  commonControls();  // registers the list view's window class
  create(parent, WC_LISTVIEWA, style, 0);
  DWORD ex = LVS_EX_FLATSB;
  if (list.rowSelect) ex |= LVS_EX_FULLROWSELECT;
  ListView_SetExtendedListViewStyle(hwnd(), ex);
  applyAll();
}

void ListViewPeer::applyAll() {
  applyLook();
  applyImages();
  applyColumns();
  applyRows();
}

void ListViewPeer::applyLook() {
  ControlPeer::applyLook();
  ListView_SetTextColor(hwnd(), colorRef(list_.font().color));
  ListView_SetTextBkColor(hwnd(), colorRef(list_.color()));
  ListView_SetBkColor(hwnd(), colorRef(list_.color()));
}

void ListViewPeer::applyImages() {
  if (list_.systemImages) {
    SHFILEINFOA info{};
    auto small = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    auto large = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    ListView_SetImageList(hwnd(), small, LVSIL_SMALL);
    ListView_SetImageList(hwnd(), large, LVSIL_NORMAL);
    return;
  }
  if (list_.smallImages.empty()) return;
  const CommonControls& controls = commonControls();
  if (!controls.ImageList_Create) return;
  smallImages_.reset(controls.ImageList_Create(kIconSide, kIconSide, ILC_COLOR24 | ILC_MASK,
                                      static_cast<int>(list_.smallImages.size()), 0));
  if (!smallImages_) return;
  for (const Bitmap& picture : list_.smallImages) {
    const Bitmap cell = iconCell(picture);
    GdiPtr<HBITMAP> bmp = toHbitmap(cell);
    if (cell.transparent)
      controls.ImageList_AddMasked(smallImages_.get(), bmp.get(), colorRef(cell.transparentColor()));
    else
      controls.ImageList_Add(smallImages_.get(), bmp.get(), nullptr);
  }
  ListView_SetImageList(hwnd(), smallImages_.get(), LVSIL_SMALL);
}

void ListViewPeer::applyColumns() {
  applying_ = true;
  while (ListView_DeleteColumn(hwnd(), 0)) {
  }
  const auto& columns = list_.columns();
  for (size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(columns[i].caption.c_str());
    col.cx = columns[i].width;
    col.iSubItem = static_cast<int>(i);
    SendMessageA(hwnd(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
  applying_ = false;
}

void ListViewPeer::setRow(int index) {
  const ListRow& row = list_.rows()[index];
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
  item.iItem = index;
  item.pszText = const_cast<char*>(row.caption.c_str());
  item.iImage = row.imageIndex >= 0 ? row.imageIndex : kNoImage;
  item.state = (row.ghosted ? LVIS_CUT : 0) | INDEXTOOVERLAYMASK(row.overlay & 15);
  item.stateMask = LVIS_CUT | LVIS_OVERLAYMASK;
  SendMessageA(hwnd(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  const size_t columns = list_.columns().size();
  for (size_t i = 0; i + 1 < columns; ++i) {
    LVITEMA sub{};
    sub.iSubItem = static_cast<int>(i + 1);
    sub.pszText = const_cast<char*>(i < row.subItems.size() ? row.subItems[i].c_str() : "");
    SendMessageA(hwnd(), LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
  }
}

void ListViewPeer::insertRow(int index) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>("");
  SendMessageA(hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  setRow(index);
}

void ListViewPeer::applyRows() {
  applying_ = true;
  SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(hwnd());
  for (int i = 0; i < list_.rowCount(); ++i) insertRow(i);
  SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
  applying_ = false;
  applySelection();
}

void ListViewPeer::applySelection() {
  applying_ = true;
  const int selected = list_.selected();
  const int current = ListView_GetNextItem(hwnd(), -1, LVNI_SELECTED);
  if (current != selected) {
    if (current >= 0) ListView_SetItemState(hwnd(), current, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (selected >= 0) {
      ListView_SetItemState(hwnd(), selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(hwnd(), selected, FALSE);
    }
  }
  applying_ = false;
}

void ListViewPeer::update(Change what, int index) {
  if (!hwnd()) return;
  const bool known = index >= 0 && index < list_.rowCount();
  switch (what) {
    case Change::All: return applyAll();
    case Change::Look: return applyLook();
    case Change::Columns:
      applyColumns();
      return applyRows();
    case Change::Rows: return applyRows();
    case Change::RowAdded:
      // Rows are only ever appended or replaced one by one; anything else is rebuilt.
      if (!known || ListView_GetItemCount(hwnd()) != list_.rowCount() - 1) return applyRows();
      applying_ = true;
      insertRow(index);
      applying_ = false;
      return applySelection();
    case Change::RowsAdded:
      if (!known || ListView_GetItemCount(hwnd()) != index) return applyRows();
      applying_ = true;
      // Drawn once at the end: a list control redraws its scroll bar with every row otherwise.
      SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
      for (int i = index; i < list_.rowCount(); ++i) insertRow(i);
      SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
      InvalidateRect(hwnd(), nullptr, FALSE);
      applying_ = false;
      return applySelection();
    case Change::RowChanged:
      if (!known) return applyRows();
      applying_ = true;
      setRow(index);
      applying_ = false;
      return;
    case Change::RowRemoved:
      if (index < 0 || ListView_GetItemCount(hwnd()) != list_.rowCount() + 1) return applyRows();
      applying_ = true;
      ListView_DeleteItem(hwnd(), index);
      applying_ = false;
      return applySelection();
    case Change::Selection: return applySelection();
    case Change::Focus:
      SetFocus(hwnd());
      return;
    case Change::Text: return;
  }
}

LRESULT ListViewPeer::notify(const NMHDR& hdr) {
  if (applying_) return 0;
  switch (hdr.code) {
    case LVN_ITEMCHANGED: {
      const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
      if (!(nm.uChanged & LVIF_STATE) || !((nm.uNewState ^ nm.uOldState) & LVIS_SELECTED)) break;
      if (nm.uNewState & LVIS_SELECTED) guarded([&] { list_.userSelected(nm.iItem); });
      // Moving the selection deselects the old row first; only a selection that stays empty
      // (a click on free space) is the user's clearing it.
      else PostMessageA(GetParent(hwnd()), kPeerDeferred, 0, reinterpret_cast<LPARAM>(hwnd()));
      break;
    }
    case NM_CLICK:
      if (list_.onClick) guarded(list_.onClick);
      break;
    case NM_DBLCLK:
      if (list_.onDblClick) guarded(list_.onDblClick);
      break;
    case NM_RCLICK: {
      POINT p{};
      GetCursorPos(&p);
      guarded([&] { list_.form().contextMenu(list_, p.x, p.y); });
      break;
    }
    default: break;
  }
  return 0;
}

void ListViewPeer::deferred() {
  if (ListView_GetNextItem(hwnd(), -1, LVNI_SELECTED) < 0 && list_.selected() >= 0)
    guarded([&] { list_.userSelected(-1); });
}

}  // namespace ui::win32
