// orventa-render, run as its own process: its PNG files hold the very pixels the program shows
// for the same pattern, and every request it cannot serve gets one line and status 2.
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

#include "tests/support/frames.h"

namespace orventa {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string errors;  // what it wrote to stderr
};

Outcome render(const std::string& args) {
  const std::string command = std::string(ORVENTA_RENDER) + " " + args + " 2>&1 >/dev/null";
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

TEST_F(Render, ThePngHoldsWhatTheProgramShowsAtEveryPixelSize) {
  const struct {
    const char* args;
    int mainItem, pageTurns;
  } cases[] = {{"--test resolution-card", 2, 0},
               {"--test moire --page 3", 8, 2},
               {"--test basic-colors --page 6", 4, 5}};
  for (int depth : {8, 16, 32})
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.args) + " at " + std::to_string(depth) + " bits");
      testing::Started p(testing::acceptingEverything());
      testing::testSettings(p, 800, 600, depth);
      testing::pickMain(p, c.mainItem);
      if (c.mainItem == 4) testing::pick(p, 2.5 / 8, 1.3 / 4, 1);  // "Basic colors"
      for (int k = 0; k < c.pageTurns; ++k) p.click(5, 5);
      ASSERT_EQ(p.shownWidth(), 800);
      const std::vector<std::uint32_t> shown = p.frame();

      const fs::path file = dir_ / "page.png";
      const Outcome outcome = render(std::string(c.args) + " --size 800x600 --depth " +
                                     std::to_string(depth) + " -o " + file.string());
      ASSERT_EQ(outcome.status, 0) << outcome.errors;
      EXPECT_EQ(outcome.errors, "");
      EXPECT_TRUE(decode(file) == shown);
    }
}

TEST_F(Render, EveryBadRequestGetsOneLineAndStatusTwoAndNoFile) {
  const std::string out = (dir_ / "out.png").string();
  // cmyk has one page at 8 bits; contrast is refused there.
  for (const std::string args :
       {"--test resolution-card --size 0x600", "--test resolution-card --size 4294967297x600",
        "--test resolution-card --depth 12", "--test no-such-test", "--test moire --page 6",
        "--test cmyk --page 2 --depth 8", "--test contrast --depth 8", "--frobnicate"}) {
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
