// "Color range": plain colours, additive and subtractive discs, EBU bars, gradients, a hue
// spectrum and a typed colour.
#include "displaytests/colour/colour_range.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "displaytests/display_tests.h"
#include "graphics/primitives.h"
#include "graphics/screen.h"
#include "ui/colour_levels.h"
#include "ui/colours.h"
#include "ui/drawing.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/pattern_colours.h"
#include "ui/prompts.h"
#include "ui/typing_field.h"

namespace orventa {
namespace {

bool hexDigit(int code) { return std::isxdigit(code) != 0; }

void customColor(ProgramState& state) {
  const long double wd = state.desktop.width;
  const long double hd = state.desktop.height;
  drawMenuBox(
      position(wd / 2 - 225), position(hd / 3), 450, WHITE, BLUE,
      {"Input color value (RRGGBB hex)", "Value?", "", "Exemple: FA003C", "Press <Esc> to exit"});
  const std::optional<std::string> typed = typeIntoField(state.desktop, hexDigit);
  if (!typed) return;  // Esc on an empty field: nothing was asked for
  const std::string& text = *typed;
  if (text.size() != 6) {
    clearScreen();
    showErrorBox(state.desktop, INVALID_COLOUR);
    return;
  }
  enterTestMode(state);
  clearScreen();
  std::uint32_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value, 16);
  fillWithColour(value);
  waitForKeyOrClick();
}

}  // namespace

std::array<std::uint32_t, 9> basicColours(int depth) {
  return {
      byDepth(depth, 0xFFFFFFFF, 15), byDepth(depth, 0xFF0000FF, 9), byDepth(depth, 0xFF00FF00, 10),
      byDepth(depth, 0xFFFF0000, 12), byDepth(depth, 0xFF808080, 7), byDepth(depth, 0xFF000080, 1),
      byDepth(depth, 0xFF008000, 2),  byDepth(depth, 0xFF800000, 4), byDepth(depth, 0x00000000, 0)};
}

void showBasicColour(std::uint32_t colour) {
  setColors(0, colour, 1);
  clearScreen();
}

std::vector<DiscPage> rgbPages(int depth) {
  return {{0,
           {byDepth(depth, 0xFFFF0000, 12), byDepth(depth, 0xFF0000FF, 9),
            byDepth(depth, 0xFF00FF00, 10)},
           OR},
          {0,
           {byDepth(depth, 0xFF800000, 4), byDepth(depth, 0xFF000080, 1),
            byDepth(depth, 0xFF008000, 2)},
           OR}};
}

std::vector<DiscPage> cmykPages(int depth) {
  if (depth > 8)
    return {{0xFFFFFFFF, {0xFFFF00FF, 0xFF00FFFF, 0xFFFFFF00}, AND},
            {0xFF808080, {0xFF800080, 0xFF008080, 0xFF808000}, AND}};
  return {{15, {11, 13, 14}, AND}};
}

void drawDiscPage(int W, int H, const DiscPage& page) {
  const float r = static_cast<float>(H / 3);
  const std::int64_t w = W;
  const std::int64_t h = H;
  const float centreX[3] = {static_cast<float>(2 * w / 5), static_cast<float>(3 * w / 5),
                            static_cast<float>(w / 2)};
  const float centreY[3] = {static_cast<float>(3 * h / 5), static_cast<float>(3 * h / 5),
                            static_cast<float>(2 * h / 5)};
  // The picture is a W x H image put on the screen at (1, 1) once disc A is on it, then the
  // squares around discs B and C combined in turn. Outside the disc just drawn the image holds
  // what the screen shows there, and OR or AND of a pixel with itself changes nothing: so only
  // those squares need an image, and the screen can take the fill and disc A directly.
  int left[3] = {};
  int top[3] = {};
  int right[3] = {};
  int bottom[3] = {};
  for (int k = 0; k < 3; ++k) {
    left[k] = std::max(0, static_cast<int>(centreX[k] - r) - 1);
    top[k] = std::max(0, static_cast<int>(centreY[k] - r) - 1);
    right[k] = static_cast<int>(centreX[k] + r) + 1;
    bottom[k] = static_cast<int>(centreY[k] + r) + 1;
  }
  // Disc A drawn on the screen must not reach row or column 0, which the image never covered.
  const bool aInside =
      static_cast<int>(centreX[0] - r) - 1 >= 0 && static_cast<int>(centreY[0] - r) - 1 >= 0;
  // Outside the disc the combine leaves a pixel as it is, so where discs B and C lie wholly within
  // their squares, the image and the page's inner part, combining each disc straight onto the
  // screen gives the same picture without the image. The radius and centres are whole numbers,
  // so a disc's spans do not depend on where it is drawn, and its rows and columns stay within
  // the radius of the centre.
  int depth = 0;
  {
    int width = 0;
    int height = 0;
    int refresh = 0;
    getScreenInfo(width, height, depth, refresh);
  }
  bool direct = aInside && (page.secondMode == OR || page.secondMode == AND) &&
                // Below 8 bits the screen masks colours that an image keeps whole.
                depth >= 8;
  for (int k = 1; k < 3; ++k)
    direct = direct && centreX[k] - r >= 0 && centreY[k] - r >= 0 &&
             centreX[k] + r <= static_cast<float>(W - 2) &&
             centreY[k] + r <= static_cast<float>(H - 2);
  const int x0 = aInside ? std::min(left[1], left[2]) : 0;
  const int y0 = aInside ? std::min(top[1], top[2]) : 0;
  const int x1 = aInside ? std::min(std::max(right[1], right[2]), W - 1) : W - 1;
  const int y1 = aInside ? std::min(std::max(bottom[1], bottom[2]), H - 1) : H - 1;
  // The image takes the open screen's pixel size rather than the test depth's: without a mode
  // switch the screen stays 32-bit whatever the test depth, and an image of another pixel size
  // would combine with nothing. After a switch the two agree anyway.
  // Without its image the discs would go straight onto the screen, uncombined: a wrong picture.
  // The page is left as it was then, even where it could do without; there the image is only
  // held, not filled: filling it would cost more than the rest of the page.
  const OwnedImage image(
      createImage(x1 - x0 + 1, y1 - y0 + 1, page.imageFill, 0, direct ? NO_FILL : 0));
  if (!image) return;
  if (direct) {
    // Whole rows are one block: column 0 is cleared after rather than stepped around.
    FilledShape shapes[4] = {
        FilledBox{0, 1, static_cast<float>(W - 1), static_cast<float>(H - 1), page.imageFill}};
    for (int k = 0; k < 3; ++k)
      shapes[k + 1] = FilledDisc{centreX[k] + 1,
                                 centreY[k] + 1,
                                 r,
                                 page.discs[static_cast<std::size_t>(k)],
                                 0,
                                 k == 0 ? COPY : page.secondMode};
    drawShapes(nullptr, shapes);
    clearBox(0, 0, W - 1, 0);
    clearBox(0, 0, 0, H - 1);
    return;
  }
  // The rest of the page is drawn over whole: only row 0 and column 0 show the background.
  clearBox(0, 0, W - 1, 0);
  clearBox(0, 0, 0, H - 1);
  for (int k = 0; k < 3; ++k) {
    const std::uint32_t colour = page.discs[static_cast<std::size_t>(k)];
    drawEllipse(image.get(), centreX[k] - static_cast<float>(x0),
                centreY[k] - static_cast<float>(y0), r, colour, 0, 0, FULL_TURN, 1, ABSOLUTE_POINT);
    if (k == 0) {
      if (aInside) {
        drawFilledBox(1, 1, W - 1, H - 1, page.imageFill);
        drawWholeEllipse(centreX[0] + 1, centreY[0] + 1, r, colour, 0, true);
      } else {
        putImage(nullptr, 1, 1, image.get(), COPY);
      }
      continue;
    }
    putImage(nullptr, static_cast<float>(left[k] + 1), static_cast<float>(top[k] + 1), image.get(),
             left[k] - x0, top[k] - y0, right[k] - x0, bottom[k] - y0, 0, page.secondMode);
  }
}

void drawEbuBars(int W, int H, int depth) {
  if (depth <= 8) {
    drawFilledBox(0, 0, static_cast<long double>(W) / 7, H, 23);
    return;
  }
  constexpr std::uint32_t bars[7] = {0xFFC0C0C0, 0xFFC0C000, 0xFF00C0C0, 0xFF00C000,
                                     0xFFC000C0, 0xFFC00000, 0xFF0000C0};
  BandBox boxes[7];
  for (int k = 0; k < 7; ++k)
    boxes[k] = {static_cast<long double>(k) * W / 7, static_cast<long double>(k + 1) * W / 7,
                bars[k]};
  drawBand(0, H, boxes);
}

void drawGradient(int W, int H, int depth, int item) {
  if (depth <= 8) {
    if (item == 1)
      for (int x = 0; x <= W; x += 10)
        drawSolidLine(x, 0, x + 10, H, static_cast<std::uint32_t>(x % 256));
    return;
  }
  if (item < 1 || item > 6) return;
  for (int x = 0; x <= W; ++x) {
    const int c = position(static_cast<long double>(x) / W * 255);
    std::uint32_t colour = 0;
    switch (item) {
      case 1:
        colour = opaque(255 - c, 0, 0);
        break;
      case 2:
        colour = opaque(255, c, c);
        break;
      case 3:
        colour = opaque(0, 255 - c, 0);
        break;
      case 4:
        colour = opaque(c, 255, c);
        break;
      case 5:
        colour = opaque(0, 0, 255 - c);
        break;
      default:
        colour = opaque(c, c, 255);
        break;
    }
    drawSolidLine(x, 0, x, H, colour);
  }
}

void drawSpectrum(int W, int H, int depth) {
  if (depth == 8) return;
  constexpr float p = 3.1415925f;
  auto level = [](long double angle) { return position(std::fabs(std::sin(angle)) * 255); };
  for (int x = 0; x < W; ++x) {
    const long double t = static_cast<long double>(x) * p / W;
    drawSolidLine(x, 0, x, H,
                  opaque(level(t + wide(1.047197533333333)), level(t + wide(2.094395066666667)),
                         level(t + p)));
  }
}

namespace {

void drawBasicColourPage(const DisplaySettings& test, int page) {
  showBasicColour(basicColours(test.depth)[static_cast<std::size_t>(page - 1)]);
}

void drawRgbPage(const DisplaySettings& test, int page) {
  drawDiscPage(test.width, test.height, rgbPages(test.depth)[static_cast<std::size_t>(page - 1)]);
}

void drawCmykPage(const DisplaySettings& test, int page) {
  drawDiscPage(test.width, test.height, cmykPages(test.depth)[static_cast<std::size_t>(page - 1)]);
}

void drawEbuPage(const DisplaySettings& test, int) {
  // Above 8 bits the bars cover the page from edge to edge.
  if (test.depth <= 8) clearScreen();
  drawEbuBars(test.width, test.height, test.depth);
}

void drawGradientPage(const DisplaySettings& test, int page) {
  clearScreen();
  drawGradient(test.width, test.height, test.depth, page);
}

void drawSpectrumPage(const DisplaySettings& test, int) {
  clearScreen();
  drawSpectrum(test.width, test.height, test.depth);
}

}  // namespace

const Pattern BASIC_COLOURS = {
    "basic-colors",
    "Basic colors",
    {"White", "Blue", "Green", "Red", "Grey", "Dark blue", "Dark green", "Dark red", "Black"},
    false,
    ModeRule::TEST_MODE,
    drawBasicColourPage};
const Pattern RGB_DISCS = {"rgb",
                           "RGB test",
                           {"Bright discs", "Dark discs"},
                           false,
                           ModeRule::TEST_MODE,
                           drawRgbPage,
                           [](int depth) { return static_cast<int>(rgbPages(depth).size()); }};
const Pattern CMYK_DISCS = {"cmyk",
                            "CMYK test",
                            {"Bright discs", "Dark discs"},
                            false,
                            ModeRule::TEST_MODE,
                            drawCmykPage,
                            [](int depth) { return static_cast<int>(cmykPages(depth).size()); }};
const Pattern PLAIN_EBU = {"ebu-bars", "Plain EBU",         {"Bars"},
                           false,      ModeRule::TEST_MODE, drawEbuPage};
const Pattern GRADIENT = {
    "gradient",
    "Gradient",
    {"Red/Black", "Red/White", "Green/Black", "Green/White", "Blue/Black", "Blue/White"},
    false,
    ModeRule::TEST_MODE,
    drawGradientPage};
const Pattern SPECTRUM = {
    "hue-sweep", "Spectrum", {"Spectrum"}, false, ModeRule::TEST_MODE_THEN_RENEW, drawSpectrumPage};

void fillWithColour(std::uint32_t colour) { floodFromCorner(colour); }

void colourRange(ProgramState& state) {
  const long double wd = state.desktop.width;
  const long double hd = state.desktop.height;
  const Pattern* const patterns[] = {&BASIC_COLOURS, &RGB_DISCS, &CMYK_DISCS,
                                     &PLAIN_EBU,     &GRADIENT,  &SPECTRUM};
  Items items;
  for (const Pattern* pattern : patterns) items.emplace_back(pattern->title);
  items.emplace_back("Custom color");
  const int choice =
      chooseFromMenu(position(wide(2.5) * wd / 8), position(wide(1.3) * hd / 4), 200, items);
  if (choice == 0) return;
  clearScreen();
  if (choice == 7) {
    customColor(state);
  } else if (choice == 5) {
    // The gradient's own menu picks the one page shown; a click beside it shows a black page.
    const int page = chooseFromMenu(position(3 * wd / 8), position(wide(1.5) * hd / 4), 200,
                                    menuItems(GRADIENT.pages));
    showPage(state, GRADIENT, page);
  } else {
    showPages(state, *patterns[choice - 1]);
  }
}

}  // namespace orventa
