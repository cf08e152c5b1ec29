#include "codecs/gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "codecs/decode_error.h"
#include "codecs/picture_limits.h"

namespace codecs {
namespace {

struct MemoryInput {
  const std::string& bytes;
  size_t pos = 0;
  bool atEnd() const { return pos == bytes.size(); }
};

int readMemory(GifFileType* gif, GifByteType* out, int wanted) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(std::max(wanted, 0)), in->bytes.size() - in->pos);
  std::memcpy(out, in->bytes.data() + in->pos, n);
  in->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    DGifCloseFile(gif, &ignored);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

[[noreturn]] void fail(const std::string& what, int code) {
  const char* why = GifErrorString(code);
  throw DecodeError(what + ": " + (why ? why : "unknown error"));
}

int delayFromHundredths(int hundredths) {
  const int ms = hundredths * 10;
  return ms < kGifMinDelayMs ? kGifShortDelayMs : ms;
}

class GifReader {
 public:
  explicit GifReader(const std::string& bytes) : input_{bytes} {
    int error = 0;
    gif_.reset(DGifOpen(&input_, readMemory, &error));
    if (!gif_) fail("Not a GIF picture", error);
  }

  GifAnimation read() {
    openScreen();
    for (;;) {
      GifRecordType type = UNDEFINED_RECORD_TYPE;
      if (DGifGetRecordType(gif_.get(), &type) == GIF_ERROR) {
        // Many writers leave out the trailer; a file that ends between records is complete.
        if (!anim_.frames.empty() && input_.atEnd()) break;
        fail("Broken GIF picture", gif_->Error);
      }
      if (type == TERMINATE_RECORD_TYPE) break;
      if (type == EXTENSION_RECORD_TYPE) readExtension();
      else readFrame();
    }
    if (anim_.frames.empty()) throw DecodeError("GIF picture has no frames");
    return std::move(anim_);
  }

 private:
  MemoryInput input_;
  GifHandle gif_;
  GifAnimation anim_;
  GraphicsControlBlock control_{};
  bool haveControl_ = false;
  int64_t rasterBudget_ = ui::Bitmap::kMaxPixels;

  void openScreen() {
    anim_.width = gif_->SWidth;
    anim_.height = gif_->SHeight;
    if (anim_.width <= 0 || anim_.height <= 0) throw DecodeError("GIF picture has no size");
    // giflib has read the screen's size and nothing sized by it; the canvas would be the first.
    if (static_cast<int64_t>(anim_.width) * anim_.height > kMaxPicturePixels)
      throw DecodeError("GIF picture is too large");
    const ColorMapObject* map = gif_->SColorMap;
    if (map && gif_->SBackGroundColor >= 0 && gif_->SBackGroundColor < map->ColorCount) {
      const GifColorType& c = map->Colors[gif_->SBackGroundColor];
      anim_.background = ui::rgb(c.Red, c.Green, c.Blue);
    }
    if (anim_.width > ui::Bitmap::kMaxSide || anim_.height > ui::Bitmap::kMaxSide)
      throw DecodeError("GIF picture is too large");
  }

  void readExtension() {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif_.get(), &code, &block) == GIF_ERROR) fail("Broken GIF extension", gif_->Error);
    // A malformed control block is ignored rather than refused: the frame still shows.
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4 &&
        DGifExtensionToGCB(4, block + 1, &control_) == GIF_OK)
      haveControl_ = true;
    const bool looping = code == APPLICATION_EXT_FUNC_CODE && block && block[0] == 11 &&
                         std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0;
    while (block) {
      if (DGifGetExtensionNext(gif_.get(), &block) == GIF_ERROR) fail("Broken GIF extension", gif_->Error);
      if (looping && block && block[0] >= 3 && block[1] == 1 && anim_.loopCount < 0)
        anim_.loopCount = block[2] | (block[3] << 8);
    }
  }

  void readFrame() {
    if (anim_.frames.size() >= static_cast<size_t>(kGifMaxFrames)) throw DecodeError("GIF picture has too many frames");
    const int64_t screen = static_cast<int64_t>(anim_.width) * anim_.height;
    if (screen * static_cast<int64_t>(anim_.frames.size() + 1) > kGifMaxAnimationPixels)
      throw DecodeError("GIF animation is too large");
    if (DGifGetImageDesc(gif_.get()) == GIF_ERROR) fail("Broken GIF frame", gif_->Error);
    const GifImageDesc& desc = gif_->Image;
    const int64_t area = static_cast<int64_t>(desc.Width) * desc.Height;
    if (area <= 0) throw DecodeError("GIF frame has no size");
    // A frame may be larger than the screen (the part outside is clipped), but its raster is
    // read whole.
    if (area > kMaxPicturePixels) throw DecodeError("GIF frame is too large");
    rasterBudget_ -= area;
    if (rasterBudget_ < 0) throw DecodeError("GIF frames are too large");

    GifFrame frame;
    if (haveControl_) {
      frame.transparent = control_.TransparentColor;
      frame.disposal = control_.DisposalMode == DISPOSE_BACKGROUND ? GifDisposal::Background
                       : control_.DisposalMode == DISPOSE_PREVIOUS ? GifDisposal::Previous
                                                                   : GifDisposal::Keep;
    }
    frame.delayMs = delayFromHundredths(haveControl_ ? control_.DelayTime : 0);
    haveControl_ = false;
    if (frame.transparent != NO_TRANSPARENT_COLOR) anim_.hasTransparency = true;
    if (const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif_->SColorMap)
      for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
        frame.palette[i] = ui::rgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    frame.area = clip(desc);
    readRows(desc, frame);
    anim_.frames.push_back(std::move(frame));
  }

  // The part of the screen the frame covers.
  ui::Rect clip(const GifImageDesc& desc) const {
    const ui::Rect r{std::max(desc.Left, 0), std::max(desc.Top, 0), std::min(desc.Left + desc.Width, anim_.width),
                     std::min(desc.Top + desc.Height, anim_.height)};
    return r.empty() ? ui::Rect{} : r;
  }

  // Reads the frame's rows and keeps the part of each inside the frame's area: rows of the
  // frame outside the screen are read into the row buffer and dropped.
  void readRows(const GifImageDesc& desc, GifFrame& frame) {
    const ui::Rect& r = frame.area;
    const int width = r.width();
    frame.indexes.resize(static_cast<size_t>(width) * r.height());
    const bool whole = r.left == desc.Left && width == desc.Width;
    const bool allKept = whole && r.top == desc.Top && r.height() == desc.Height;
    std::vector<GifByteType> outside(allKept ? 0 : static_cast<size_t>(desc.Width));
    const auto readRow = [&](int y) {
      const int screenY = desc.Top + y;
      const bool kept = screenY >= r.top && screenY < r.bottom;
      GifByteType* line = kept && whole ? &frame.indexes[static_cast<size_t>(screenY - r.top) * width] : outside.data();
      if (DGifGetLine(gif_.get(), line, desc.Width) == GIF_ERROR) fail("Broken GIF frame", gif_->Error);
      if (kept && !whole)
        std::memcpy(&frame.indexes[static_cast<size_t>(screenY - r.top) * width], line + (r.left - desc.Left),
                    static_cast<size_t>(width));
    };
    if (!desc.Interlace) {
      for (int y = 0; y < desc.Height; ++y) readRow(y);
      return;
    }
    // Interlaced rows arrive in four passes: every 8th row from 0, every 8th from 4, every
    // 4th from 2, every 2nd from 1.
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = kStart[pass]; y < desc.Height; y += kStep[pass]) readRow(y);
  }
};

}  // namespace

GifAnimation decodeGif(const std::string& bytes) { return GifReader(bytes).read(); }

GifAnimation decodeGifFile(platform::Files& files, const std::string& path) {
  const auto bytes = files.readFile(path, kMaxPictureFileBytes);
  if (!bytes) throw DecodeError("Unable to read " + path);
  return decodeGif(*bytes);
}

}  // namespace codecs
