#include "ui/win32/late_libraries.h"

#include "platform/win32/entry_point.h"

namespace ui::win32 {

using platform::win32::lookUp;

const CommonControls& commonControls() {
  static const CommonControls loaded = [] {
    CommonControls c;
    const HMODULE library = LoadLibraryA("comctl32.dll");
    BOOL(WINAPI * init)(const INITCOMMONCONTROLSEX*) = nullptr;
    lookUp(library, "InitCommonControlsEx", init);
    if (!init) return c;
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    init(&classes);
    lookUp(library, "ImageList_Create", c.ImageList_Create);
    lookUp(library, "ImageList_Add", c.ImageList_Add);
    lookUp(library, "ImageList_AddMasked", c.ImageList_AddMasked);
    lookUp(library, "ImageList_Destroy", c.ImageList_Destroy);
    if (!c.ImageList_Create || !c.ImageList_Add || !c.ImageList_AddMasked || !c.ImageList_Destroy) c = {};
    return c;
  }();
  return loaded;
}

SaveFileDialog saveFileDialog() {
  static const SaveFileDialog loaded = [] {
    SaveFileDialog f = nullptr;
    lookUp(LoadLibraryA("comdlg32.dll"), "GetSaveFileNameA", f);
    return f;
  }();
  return loaded;
}

}  // namespace ui::win32
