#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app.h"
#include "graphics/display_session.h"
#include "graphics/platform/platform.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "ui/menu_box.h"
#include "ui/prompts.h"
#include "ui/system_text.h"

#ifndef ORVENTA_HOMEPAGE_URL
#define ORVENTA_HOMEPAGE_URL "https://orventa.org/"
#endif

namespace orventa {
namespace {
constexpr const char* HOMEPAGE_URL = ORVENTA_HOMEPAGE_URL;

// Below the six lines: the desktop the display belongs to, with the same layout.
void drawSessionBox(const platform::DisplaySession& s, long double w, long double h) {
  const long double top = h / 4 + 210;
  drawMenuBox(position(w / 4), position(top), 565, WHITE, BLUE,
              {"  ****** Display session ******", "Session", "Video driver", "Output",
               "Pixels and scale", "Display modes"});
  const std::string pixels =
      s.pixelWidth > 0 ? std::to_string(s.pixelWidth) + "x" + std::to_string(s.pixelHeight)
                       : "unknown";
  const std::string values[] = {
      s.kind, s.driver, s.output.empty() ? "unknown" : s.output,
      pixels + ", scale " + scaleText(s.scale),
      s.switchesModes ? "switched on request" : "fixed: other sizes in a window"};
  const int x = position(w / 2);
  for (int i = 0; i < 5; ++i)
    drawSystemText(x, position(top + 30 * (i + 1)), ":" + values[i], "Arial", 18, WHITE);
}

}  // namespace

std::string colourCount(int depth) {
  char text[40];
  std::snprintf(text, sizeof text, "%.16g", std::pow(2.0, depth));
  return text;
}

void showDesktopInfo(const ProgramState& state) {
  const DisplaySettings& d = state.desktop;
  const long double w = d.width;
  const long double h = d.height;
  drawMenuBox(
      position(w / 4), position(h / 4), 565, WHITE, BLUE,
      {"  ****** Windows Desktop settings ******", "Resolution (pixels)", "Colour depth (bits)",
       "Number of colors", "Refresh rate (Hz)", "Press any key to continue (or mouse click)"});
  const int x = position(w / 2);
  drawSystemText(x, position(h / 4 + 30),
                 ":" + std::to_string(d.width) + "x" + std::to_string(d.height), "Arial", 18,
                 WHITE);
  drawSystemText(x, position(h / 4 + 60), ":" + std::to_string(d.depth), "Arial", 18, WHITE);
  drawSystemText(x, position(h / 4 + 90), ":" + colourCount(d.depth), "Arial", 18, WHITE);
  drawSystemText(x, position(h / 4 + 120), ":" + std::to_string(d.refreshRate), "Arial", 18, WHITE);
  if (platform::Platform* p = platform::currentPlatform()) drawSessionBox(p->session(), w, h);
  waitForKeyOrClick();
}

int visitHomepage(const ProgramState& state) {
  platform::Platform* p = platform::currentPlatform();
  const int status = p == nullptr ? -1 : p->runCommand(std::string("xdg-open ") + HOMEPAGE_URL);
  if (status == 0) return 0;
  // Ending as if the browser opened would report a failure as success.
  std::fprintf(stderr, "orventa: could not open the homepage %s (xdg-open %s)\n", HOMEPAGE_URL,
               status == 127 ? "not found" : ("status " + std::to_string(status)).c_str());
  showErrorBox(state.desktop, {" ********* Error! *********", "Could not open the homepage",
                               HOMEPAGE_URL, "Press any key or mouse"});
  return 1;
}

}  // namespace orventa
