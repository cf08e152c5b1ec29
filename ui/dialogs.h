// Message boxes and the save dialog, with the Windows flag and result values.
#pragma once

#include <string>

namespace ui {

enum : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconWarning = 0x30,
  kMbIconInformation = 0x40,
};

enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

struct SaveDialogOptions {
  std::string title;
  std::string filter;      // "Text Documents (*.txt)|*.txt"
  std::string defaultExt;  // "*.txt"
  bool overwritePrompt = false;
};

}  // namespace ui
