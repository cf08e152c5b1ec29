// skin_library <folder>: opens the folder's ulmres.dll and qexsys.exe the way Windows does and
// checks that every resource the windows load is there under its lower-case name, decodes at
// its listed size, and that the program carries its hand cursor and icon. Exit code 0 when all
// are found; each missing or broken one is printed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "codecs/dib.h"
#include "skin/dib.h"
#include "skin/resources.h"

namespace {

struct Module {
  HMODULE handle;
  explicit Module(const std::string& path, DWORD flags) : handle(LoadLibraryExA(path.c_str(), nullptr, flags)) {}
  ~Module() {
    if (handle) FreeLibrary(handle);
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
};

std::string bytesOf(HMODULE module, HRSRC found) {
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return data ? std::string(static_cast<const char*>(data), SizeofResource(module, found)) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? std::string(argv[1]) + "\\" : std::string();
  int failures = 0;
  auto fail = [&failures](const std::string& what) {
    std::printf("FAIL %s\n", what.c_str());
    ++failures;
  };

  // Searched the way the program loads it, so the folder's copy is the one found.
  Module skin(folder + "ulmres.dll", 0);
  if (!skin.handle) {
    fail("ulmres.dll does not load");
    return 1;
  }
  for (const skin::Resource& r : skin::resources()) {
    const bool picture = r.kind == skin::Kind::Picture;
    HRSRC found = FindResourceA(skin.handle, r.name.c_str(), picture ? MAKEINTRESOURCEA(2) : "WAVE");
    if (!found) {
      fail(r.name + " is not in ulmres.dll");
      continue;
    }
    const std::string bytes = bytesOf(skin.handle, found);
    if (picture) {
      const codecs::DibResult dib = codecs::decodeDib(bytes);
      if (!dib.ok()) fail(r.name + ": " + dib.error);
      else if (dib.bitmap.width() != r.width || dib.bitmap.height() != r.height) fail(r.name + " has the wrong size");
      // The system's own loader must take it as well.
      HANDLE image = LoadImageA(skin.handle, r.name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
      if (!image) fail(r.name + " is refused by LoadImageA");
      else DeleteObject(image);
    } else if (bytes.compare(0, 4, "RIFF") != 0) {
      fail(r.name + " is not a RIFF wave");
    }
  }

  Module program(folder + "qexsys.exe", LOAD_LIBRARY_AS_DATAFILE);
  if (!program.handle) {
    fail("qexsys.exe does not open");
  } else {
    if (!FindResourceA(program.handle, "hacursor", MAKEINTRESOURCEA(12))) fail("qexsys.exe has no hacursor");
    if (!FindResourceA(program.handle, "MAINICON", MAKEINTRESOURCEA(14))) fail("qexsys.exe has no MAINICON");
    if (!FindResourceA(program.handle, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16))) fail("qexsys.exe has no version");
  }
  std::printf("%s: %d resources checked, %d failures\n", failures ? "FAIL" : "ok",
              static_cast<int>(skin::resources().size()), failures);
  return failures ? 1 : 0;
}
