// The system libraries of what most runs never show: the common controls (list views, tooltips
// and their image lists) and the common dialogs (the save box). Each is loaded when first
// needed and stays for the rest of the run; under Wine the two cost a program some 4 MB of
// memory from the moment they load.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

namespace ui::win32 {

// With the list view and tooltip window classes registered. Null entries when the library
// cannot be loaded: no image lists are made, and the controls that need it are not created.
struct CommonControls {
  HIMAGELIST(WINAPI* ImageList_Create)(int width, int height, UINT flags, int initial, int grow) = nullptr;
  int(WINAPI* ImageList_Add)(HIMAGELIST list, HBITMAP picture, HBITMAP mask) = nullptr;
  int(WINAPI* ImageList_AddMasked)(HIMAGELIST list, HBITMAP picture, COLORREF key) = nullptr;
  BOOL(WINAPI* ImageList_Destroy)(HIMAGELIST list) = nullptr;
};
const CommonControls& commonControls();

// GetSaveFileNameA; null when the library cannot be loaded.
using SaveFileDialog = BOOL(WINAPI*)(LPOPENFILENAMEA);
SaveFileDialog saveFileDialog();

}  // namespace ui::win32
