#include "codecs/jpeg.h"

// jpeglib.h needs FILE and size_t declared before it.
#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

#include <stdexcept>
#include <vector>

#include "codecs/decode_error.h"
#include "codecs/picture_limits.h"

namespace codecs {
namespace {

constexpr int64_t kRowBufferRoom = 16LL * 1024 * 1024;

// libjpeg reports a fatal error by calling error_exit, which must not return. We leave the
// library with longjmp back into the small functions below, which hold no object with a
// destructor, so the jump skips nothing that C++ would have to clean up.
struct ErrorTrap {
  jpeg_error_mgr mgr;  // first: the library's error pointer is a pointer to the trap
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

ErrorTrap* trapOf(j_common_ptr cinfo) { return reinterpret_cast<ErrorTrap*>(cinfo->err); }

[[noreturn]] void trapError(j_common_ptr cinfo) {
  (*cinfo->err->format_message)(cinfo, trapOf(cinfo)->message);
  std::longjmp(trapOf(cinfo)->jump, 1);
}

// When the entropy data runs out before the last row, the library fills the rest of the picture
// grey and says so; we refuse such a picture instead, as the download that made it went wrong.
// Running into the end of the file alone is no such sign: the bit reader reaches past the last
// row, so it is what a picture without its end marker does, and a progressive picture cut
// between scans still has every row, with the detail that arrived. Other warnings about damaged
// data are tolerated, as every viewer does.
void trapWarning(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_HIT_MARKER) trapError(cinfo);
}

void limitScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kJpegMaxScans) return;
  std::snprintf(trapOf(cinfo)->message, JMSG_LENGTH_MAX, "more than %d scans", kJpegMaxScans);
  std::longjmp(trapOf(cinfo)->jump, 1);
}

bool create(j_decompress_ptr cinfo, ErrorTrap* trap) {
  if (setjmp(trap->jump)) return false;
  jpeg_create_decompress(cinfo);
  return true;
}

bool readHeader(j_decompress_ptr cinfo, ErrorTrap* trap, const std::string* bytes) {
  if (setjmp(trap->jump)) return false;
  jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(bytes->data()),
               static_cast<unsigned long>(bytes->size()));
  jpeg_read_header(cinfo, TRUE);
  return true;
}

bool computeSize(j_decompress_ptr cinfo, ErrorTrap* trap) {
  if (setjmp(trap->jump)) return false;
  jpeg_calc_output_dimensions(cinfo);
  return true;
}

// jpeg_finish_decompress is left out on purpose: it only reads up to the end marker, and a
// picture whose rows are all there shows even when that marker is missing.
bool readRows(j_decompress_ptr cinfo, ErrorTrap* trap, JSAMPROW* rows) {
  if (setjmp(trap->jump)) return false;
  jpeg_start_decompress(cinfo);
  while (cinfo->output_scanline < cinfo->output_height)
    jpeg_read_scanlines(cinfo, rows + cinfo->output_scanline, cinfo->output_height - cinfo->output_scanline);
  return true;
}

// What the library allocates for the whole picture's coefficients when it reads it in more
// than one scan, a block of 64 two-byte samples each, rounded up as it rounds them.
int64_t coefficientBytes(j_decompress_ptr cinfo) {
  if (!jpeg_has_multiple_scans(cinfo)) return 0;
  int64_t blocks = 0;
  for (int i = 0; i < cinfo->num_components; ++i) {
    const jpeg_component_info& c = cinfo->comp_info[i];
    auto roundUp = [](int64_t n, int64_t m) { return (n + m - 1) / m * m; };
    blocks += roundUp(c.width_in_blocks, c.h_samp_factor) *
              roundUp(c.height_in_blocks, c.v_samp_factor);
  }
  return blocks * static_cast<int64_t>(sizeof(JBLOCK));
}

// CMYK output has four bytes a pixel like our words, so it is converted where it lies. Adobe's
// writers store the inks inverted and say so with their marker; the rest store them plainly.
void cmykToRgb(ui::Bitmap& bmp, bool inverted) {
  for (int y = 0; y < bmp.height(); ++y) {
    uint32_t* px = bmp.row(y);
    for (int x = 0; x < bmp.width(); ++x) {
      const auto* b = reinterpret_cast<const unsigned char*>(px + x);
      unsigned c = b[0], m = b[1], yl = b[2], k = b[3];
      if (!inverted) c = 255 - c, m = 255 - m, yl = 255 - yl, k = 255 - k;
      px[x] = ui::rgb(c * k / 255, m * k / 255, yl * k / 255);
    }
  }
}

// BGRX output is our 0x00RRGGBB word in memory order, with the pad byte set to 0xFF.
void clearPadding(ui::Bitmap& bmp) {
  for (int y = 0; y < bmp.height(); ++y) {
    uint32_t* px = bmp.row(y);
    for (int x = 0; x < bmp.width(); ++x) px[x] &= 0xFFFFFF;
  }
}

}  // namespace

struct JpegDecoder::State {
  jpeg_decompress_struct cinfo{};
  ErrorTrap trap{};
  jpeg_progress_mgr progress{};
  bool created = false;
  bool decoded = false;

  ~State() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
  [[noreturn]] void fail() const { throw DecodeError(std::string("Broken JPEG picture: ") + trap.message); }
};

JpegDecoder::JpegDecoder(const std::string& bytes) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.cinfo.err = jpeg_std_error(&s.trap.mgr);
  s.trap.mgr.error_exit = trapError;
  s.trap.mgr.emit_message = trapWarning;
  s.created = true;
  if (!create(&s.cinfo, &s.trap)) s.fail();
  s.progress.progress_monitor = limitScans;
  s.cinfo.progress = &s.progress;
  // The library's own bound on what it keeps of the picture, behind the check of the header
  // below, with room for its row buffers.
  s.cinfo.mem->max_memory_to_use = static_cast<long>(kJpegMaxCoefficientBytes + kRowBufferRoom);
  if (bytes.size() > kMaxPictureFileBytes) throw DecodeError("JPEG picture is too large");
  if (!readHeader(&s.cinfo, &s.trap, &bytes)) s.fail();
  const int64_t w = s.cinfo.image_width, h = s.cinfo.image_height;
  if (w > ui::Bitmap::kMaxSide || h > ui::Bitmap::kMaxSide || w * h > ui::Bitmap::kMaxPixels)
    throw DecodeError("JPEG picture is too large");
  if (coefficientBytes(&s.cinfo) > kJpegMaxCoefficientBytes)
    throw DecodeError("JPEG picture needs too much memory to decode");
  switch (s.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
      s.cinfo.out_color_space = JCS_EXT_BGRX;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      s.cinfo.out_color_space = JCS_CMYK;
      break;
    default:
      throw DecodeError("JPEG picture has an unsupported colour space");
  }
  s.cinfo.dct_method = JDCT_IFAST;
  s.cinfo.do_fancy_upsampling = FALSE;
  s.cinfo.do_block_smoothing = FALSE;
}

JpegDecoder::~JpegDecoder() = default;

ui::Size JpegDecoder::fullSize() const {
  return ui::Size{static_cast<int>(state_->cinfo.image_width), static_cast<int>(state_->cinfo.image_height)};
}

ui::Size JpegDecoder::sizeAt(int denominator) {
  if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8)
    throw std::invalid_argument("JPEG scale must be 1/1, 1/2, 1/4 or 1/8");
  if (state_->decoded) throw std::logic_error("JPEG picture already decoded");
  State& s = *state_;
  s.cinfo.scale_num = 1;
  s.cinfo.scale_denom = static_cast<unsigned>(denominator);
  if (!computeSize(&s.cinfo, &s.trap)) s.fail();
  return ui::Size{static_cast<int>(s.cinfo.output_width), static_cast<int>(s.cinfo.output_height)};
}

ui::Bitmap JpegDecoder::decode(int denominator) {
  const ui::Size size = sizeAt(denominator);
  if (static_cast<int64_t>(size.width) * size.height > kMaxPicturePixels)
    throw DecodeError("JPEG picture is too large at 1/" + std::to_string(denominator));
  State& s = *state_;
  s.decoded = true;
  ui::Bitmap bmp;
  if (!bmp.resize(size.width, size.height, 0)) throw DecodeError("JPEG picture is too large");
  std::vector<JSAMPROW> rows(static_cast<size_t>(size.height));
  for (int y = 0; y < size.height; ++y) rows[y] = reinterpret_cast<JSAMPROW>(bmp.row(y));
  if (!readRows(&s.cinfo, &s.trap, rows.data())) s.fail();
  if (s.cinfo.out_color_space == JCS_CMYK) cmykToRgb(bmp, s.cinfo.saw_Adobe_marker);
  else clearPadding(bmp);
  return bmp;
}

}  // namespace codecs
