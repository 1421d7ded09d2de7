#include "app/render/render_command.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <optional>
#include <ostream>
#include <string_view>

#include "app/render/png_file.h"
#include "displaytests/catalogue.h"
#include "graphics/platform/headless/headless_platform.h"
#include "graphics/screen.h"

namespace orventa {
namespace {

constexpr int LARGEST_SIDE = 16384;
// Two pages of the largest 32-bit frame.
constexpr std::size_t FRAME_BUDGET = std::size_t{2} * LARGEST_SIDE * LARGEST_SIDE * 4;

constexpr std::string_view USAGE =
    "Usage: orventa-render --test NAME [--page N] [--size WxH] [--depth D] -o FILE.png\n"
    "       orventa-render --list [--depth D]\n"
    "       orventa-render --help | --version\n"
    "\n"
    "Draws one page of an Orventa test pattern exactly as the program would show it, without a\n"
    "display, and writes it as an RGB PNG file.\n"
    "\n"
    "  --test NAME   the pattern, as --list names it\n"
    "  --page N      which page of the pattern, from 1 (default 1)\n"
    "  --size WxH    the frame in pixels, 1 to 16384 each way (default 1280x720)\n"
    "  --depth D     8, 16, 24 or 32 bits per pixel (default 32); 8- and 16-bit frames are\n"
    "                written with the colours they show\n"
    "  -o, --output FILE   where the PNG goes\n"
    "  --list        the patterns and their pages at the depth\n"
    "\n"
    "Exit status: 0 on success, 2 for a bad request or a file that cannot be written.\n";

struct Request {
  std::string test;
  std::string output;
  int page = 1;
  DisplaySettings settings{1280, 720, 32, 60};
  bool list = false;
  bool help = false;
  bool version = false;
};

// Why a request cannot be served, in one line; empty while it can.
using Refusal = std::string;

std::optional<int> number(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

bool sizeOf(std::string_view text, DisplaySettings& settings, Refusal& refusal) {
  const std::size_t x = text.find('x');
  const std::optional<int> w =
      x == std::string_view::npos ? std::nullopt : number(text.substr(0, x));
  const std::optional<int> h =
      x == std::string_view::npos ? std::nullopt : number(text.substr(x + 1));
  if (!w || !h || *w < 1 || *h < 1 || *w > LARGEST_SIDE || *h > LARGEST_SIDE) {
    refusal = "bad size \"" + std::string(text) + "\": give WxH, each from 1 to 16384";
    return false;
  }
  settings.width = *w;
  settings.height = *h;
  return true;
}

bool parse(const std::vector<std::string>& args, Request& r, Refusal& refusal) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    std::optional<std::string> value;
    if (const std::size_t eq = option.find('='); option.rfind("--", 0) == 0 && eq != option.npos) {
      value = option.substr(eq + 1);
      option.resize(eq);
    }
    auto argument = [&]() -> std::optional<std::string> {
      if (value) return value;
      if (i + 1 >= args.size()) {
        refusal = option + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };
    std::optional<std::string> text;
    if (option == "--help" || option == "-h") {
      r.help = true;
    } else if (option == "--version") {
      r.version = true;
    } else if (option == "--list") {
      r.list = true;
    } else if (option != "--test" && option != "-o" && option != "--output" && option != "--page" &&
               option != "--size" && option != "--depth") {
      refusal = "unknown argument \"" + args[i] + "\" (see --help)";
      return false;
    } else if (!(text = argument())) {
      return false;
    } else if (option == "--test") {
      r.test = *text;
    } else if (option == "--page") {
      const std::optional<int> page = number(*text);
      if (!page || *page < 1) {
        refusal = "bad page \"" + *text + "\": give a number from 1";
        return false;
      }
      r.page = *page;
    } else if (option == "--size") {
      if (!sizeOf(*text, r.settings, refusal)) return false;
    } else if (option == "--depth") {
      const std::optional<int> depth = number(*text);
      if (!depth || (*depth != 8 && *depth != 16 && *depth != 24 && *depth != 32)) {
        refusal = "bad depth \"" + *text + "\": give 8, 16, 24 or 32";
        return false;
      }
      r.settings.depth = *depth;
    } else {
      r.output = *text;
    }
  }
  return true;
}

void list(std::ostream& out, int depth) {
  for (const Pattern* test : patternCatalogue()) {
    const int pages = pageCount(*test, depth);
    std::string line(test->name);
    line.resize(std::max<std::size_t>(line.size() + 1, 20), ' ');
    line += std::to_string(pages);
    line.resize(std::max<std::size_t>(line.size() + 1, 24), ' ');
    line += test->title;
    if (pages == 0) line += " (needs more than 8 bits)";
    for (int p = 0; p < pages && pages > 1; ++p) {
      line += p == 0 ? ": " : ", ";
      line += test->pages[static_cast<std::size_t>(p)];
    }
    out << line << '\n';
  }
}

// What keeps the request from being drawn; empty when it can be.
Refusal check(const Request& r, const Pattern*& test) {
  if (r.test.empty()) return "no pattern given: use --test NAME (see --list)";
  test = findPattern(r.test);
  if (test == nullptr) return "unknown test \"" + r.test + "\" (see --list)";
  const int pages = pageCount(*test, r.settings.depth);
  if (pages == 0) return r.test + " needs a depth above 8 bits";
  if (r.page > pages)
    return r.test + " has " + (pages == 1 ? "one page" : "pages 1 to " + std::to_string(pages)) +
           " at " + std::to_string(r.settings.depth) + " bits";
  if (r.output.empty()) return "no output file given: use -o FILE.png";
  return {};
}

Refusal render(const Request& r) {
  const Pattern* test = nullptr;
  if (Refusal refusal = check(r, test); !refusal.empty()) return refusal;
  std::vector<std::uint32_t> frame;
  try {
    frame = renderPattern(*test, r.page, r.settings);
  } catch (const std::bad_alloc&) {
    frame.clear();
  }
  if (frame.empty())
    return "not enough memory for a " + std::to_string(r.settings.width) + "x" +
           std::to_string(r.settings.height) + " frame";
  std::string error;
  if (!writePng(r.output, r.settings.width, r.settings.height, frame, error)) return error;
  return {};
}

}  // namespace

std::vector<std::uint32_t> renderPattern(const Pattern& pattern, int page,
                                         const DisplaySettings& settings) {
  platform::HeadlessConfig config;
  config.desktop = {settings.width, settings.height, 32, settings.refreshRate};
  config.accepts = [](const platform::DisplayMode&, bool) { return true; };
  platform::HeadlessPlatform display(config);
  platform::usePlatform(&display);
  std::vector<std::uint32_t> frame;
  if (drawPatternPage(pattern, page, settings)) frame = display.snapshot();
  platform::usePlatform(nullptr);
  return frame;
}

int runRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  capFrameMemory(FRAME_BUDGET);
  Request r;
  Refusal refusal;
  if (!parse(args, r, refusal))
    ;  // the refusal says why
  else if (r.help)
    out << USAGE;
  else if (r.version)
    out << "orventa-render " << ORVENTA_VERSION << '\n';
  else if (r.list)
    list(out, r.settings.depth);
  else
    refusal = render(r);
  if (refusal.empty()) return 0;
  err << "orventa-render: " << refusal << '\n';
  return 2;
}

}  // namespace orventa
