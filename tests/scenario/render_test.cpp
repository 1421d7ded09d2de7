// orventa-render, run as its own process: its PNG files hold the pixels worked out by hand for a
// page at every pixel size, and every request it cannot serve gets one line and status 2.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace orventa {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string errors;  // what it wrote to stderr
};

// `before` runs first in the same shell, such as a ulimit.
Outcome render(const std::string& args, const std::string& before = "") {
  const std::string command =
      "sh -c '" + before + ORVENTA_RENDER + " " + args + "' 2>&1 >/dev/null";
  Outcome outcome;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) outcome.errors += buffer;
  const int status = pclose(pipe);
  if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
  return outcome;
}

// 0x00RRGGBB per pixel, as the headless display reports them; empty when unreadable.
std::vector<std::uint32_t> decode(const fs::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, file.c_str()) == 0) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) return {};
  std::vector<std::uint32_t> pixels(bytes.size() / 3);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] =
        std::uint32_t{bytes[3 * i]} << 16 | std::uint32_t{bytes[3 * i + 1]} << 8 | bytes[3 * i + 2];
  return pixels;
}

struct Render : ::testing::Test {
  Render() { fs::create_directories(dir_); }
  ~Render() override { fs::remove_all(dir_); }
  const fs::path dir_ = fs::temp_directory_path() / ("orventa-render-" + std::to_string(getpid()));
};

// Seven bars 1 pixel wide: bar k's box spans columns k and k + 1, and bar k + 1 covers the second.
// 0xC0 through RGB565 is 0xC6 in red and blue (5 bits: 11000 -> 11000110) and 0xC3 in green
// (6 bits: 110000 -> 11000011); at 8 bits only the first bar is drawn, in palette index 23.
TEST_F(Render, EbuBarsAtSevenPixelsWideHoldTheBarColoursAtEveryPixelSize) {
  const struct {
    int depth;
    std::vector<std::uint32_t> row;
  } cases[] = {{32, {0xC0C0C0, 0xC0C000, 0x00C0C0, 0x00C000, 0xC000C0, 0xC00000, 0x0000C0}},
               {16, {0xC6C3C6, 0xC6C300, 0x00C3C6, 0x00C300, 0xC600C6, 0xC60000, 0x0000C6}},
               {8, {0x616161, 0x616161, 0, 0, 0, 0, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.depth);
    const fs::path file = dir_ / "bars.png";
    const Outcome outcome = render("--test ebu-bars --size 7x2 --depth " + std::to_string(c.depth) +
                                   " -o " + file.string());
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(outcome.errors, "");
    std::vector<std::uint32_t> both = c.row;
    both.insert(both.end(), c.row.begin(), c.row.end());
    EXPECT_EQ(decode(file), both);
  }
}

TEST_F(Render, SidesUpTo16384AreDrawnAndAFileSizeLimitLeavesNoFile) {
  const fs::path wide = dir_ / "wide.png";
  EXPECT_EQ(render("--test ebu-bars --size 16384x1 --depth 8 -o " + wide.string()).status, 0);
  EXPECT_EQ(decode(wide).size(), 16384u);
  const fs::path cut = dir_ / "cut.png";
  const Outcome outcome = render("--test resolution-card -o " + cut.string(), "ulimit -f 1; ");
  EXPECT_EQ(outcome.status, 2) << outcome.errors;
  EXPECT_FALSE(fs::exists(cut));
}

TEST_F(Render, EveryBadRequestGetsOneLineAndStatusTwoAndNoFile) {
  const std::string out = (dir_ / "out.png").string();
  // cmyk has one page at 8 bits; contrast is refused there.
  for (const std::string args :
       {"--test resolution-card --size 0x600", "--test resolution-card --size 16385x1",
        "--test resolution-card --size 4294967297x600", "--test resolution-card --depth 12",
        "--test no-such-test", "--test moire --page 6", "--test cmyk --page 2 --depth 8",
        "--test contrast --depth 8", "--frobnicate"}) {
    SCOPED_TRACE(args);
    const Outcome outcome = render(args + " -o " + out);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.errors.rfind("orventa-render: ", 0), 0u) << outcome.errors;
    EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1) << outcome.errors;
    EXPECT_FALSE(fs::exists(out));
  }
  EXPECT_EQ(render("--test moire -o " + (dir_ / "missing" / "out.png").string()).status, 2);
}

}  // namespace
}  // namespace orventa
