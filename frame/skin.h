// The skin library ulmres.dll: every picture and sound of the user interface, loaded once by
// the application before its windows and used by every window. Pictures are loaded by name on
// every change of state, straight from the library's resources.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/library.h"
#include "ui/bitmap.h"
#include "ui/canvas.h"
#include "ui/control.h"

namespace frame {

// The framework's error for a picture the library lacks: an error of the skin, shown in the
// standard exception box.
class ResourceError : public std::runtime_error {
 public:
  explicit ResourceError(const std::string& name) : std::runtime_error("Resource " + name + " not found") {}
};

class Skin {
 public:
  static constexpr const char* kFileName = "ulmres.dll";

  Skin(std::unique_ptr<platform::Library> library, platform::Sound& sound)
      : library_(std::move(library)), sound_(sound) {}

  // The named bitmap; throws ResourceError when it is missing or does not decode.
  ui::Bitmap bitmap(const std::string& name) const;
  // Throws as bitmap() would, without making the picture.
  void check(const std::string& name) const;
  // Paints the named bitmap with its top-left corner at (x, y), inside the canvas's clip, from
  // the library's own bytes. Its size; nothing when it is missing or does not decode.
  std::optional<ui::Size> paint(ui::Canvas& canvas, int x, int y, const std::string& name) const;
  // Replaces the picture of an image control by the named bitmap, unless it shows it already.
  void load(ui::Image& image, const std::string& name) const;
  // Plays a wave resource asynchronously; a missing one plays the system's default sound.
  void play(const std::string& name) const;

 private:
  std::unique_ptr<platform::Library> library_;
  platform::Sound& sound_;
};

}  // namespace frame
