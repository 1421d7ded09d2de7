#include "app/render/png_file.h"

#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace orventa {
namespace {

struct PngWrite {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

// Silent: the caller reports one line of its own.
void warn(png_structp, png_const_charp) {}
[[noreturn]] void fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// libpng reports by longjmp; this function holds nothing that needs unwinding past that point.
bool encode(std::FILE* file, int width, int height, const std::vector<std::uint32_t>& pixels,
            std::vector<png_byte>& row) {
  PngWrite w;
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, warn);
  if (w.png == nullptr) return false;
  w.info = png_create_info_struct(w.png);
  if (w.info == nullptr) return false;
  if (setjmp(png_jmpbuf(w.png))) return false;
  png_init_io(w.png, file);
  png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w.png, w.info);
  const std::size_t columns = static_cast<std::size_t>(width);
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    const std::uint32_t* source = pixels.data() + y * columns;
    for (std::size_t x = 0; x < columns; ++x) {
      row[3 * x] = static_cast<png_byte>(source[x] >> 16);
      row[3 * x + 1] = static_cast<png_byte>(source[x] >> 8);
      row[3 * x + 2] = static_cast<png_byte>(source[x]);
    }
    png_write_row(w.png, row.data());
  }
  png_write_end(w.png, nullptr);
  return true;
}

}  // namespace

bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint32_t>& pixels, std::string& error) {
  if (width < 1 || height < 1 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    error = "no frame to write";
    return false;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  // A failed write removes what it made, never a device such as /dev/full.
  struct stat status {};
  const bool regular = fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
  errno = 0;
  bool written = encode(file, width, height, pixels, row) && std::fflush(file) == 0;
  int cause = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    cause = errno;
  }
  if (written) return true;
  error = "cannot write " + path + (cause != 0 ? std::string(": ") + std::strerror(cause) : "");
  if (regular) std::remove(path.c_str());
  return false;
}

}  // namespace orventa
