// What the file viewer shows of a folder: its items as the shell presents them, with the file
// system's own listing to fall back on, and the shortcut icon made ready before a listing.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/shell.h"

namespace cleanup {

// The folder's items in the shell's order. When the shell gives nothing for a folder whose
// listing holds entries, those entries instead: named as the shell names them (a shortcut
// without its ".lnk"), each with the shell's icon for its path, folders first and then by name
// without regard to case.
std::vector<platform::ShellItem> folderItems(platform::Shell& shell, platform::Files& files,
                                             const std::string& folder);

// Asks the shell for the icon of a shortcut in the temporary folder (tempFolder ends with "\"),
// so its image lists hold the shortcut's look before the first listing shows one. The empty
// "temp.lnk" made for the question is deleted afterwards only when this call made it.
void prepareShortcutIcon(platform::Shell& shell, platform::Files& files,
                         const std::string& tempFolder);

}  // namespace cleanup
