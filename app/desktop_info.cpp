#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/app.h"
#include "graphics/display_session.h"
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

constexpr int MEASURED_ROW = 10;  // the second box's row of the measured refresh rate

// The second box is wider than the first, to hold a monitor's name; it stays on the screen.
struct SecondBox {
  int x;
  int top;
  int width;
  int valuesX;
};
SecondBox secondBox(long double w, long double h) {
  const int x = position(w / 4);
  return {x, position(h / 4 + 210), std::max(300, std::min(900, static_cast<int>(w) - x - 20)),
          x + 200};
}

// Below the six lines: the desktop the display belongs to, and its monitor, with the same layout.
void drawSessionBox(const platform::DisplaySession& s, const MonitorFacts& monitor, long double w,
                    long double h) {
  const SecondBox box = secondBox(w, h);
  drawMenuBox(
      box.x, box.top, box.width, WHITE, BLUE,
      {"  ****** Display session ******", "Session", "Video driver", "Output", "Pixels and scale",
       "Display modes", "Monitor", "Serial, made", "Size", "Native mode", "Measured refresh"});
  const std::string pixels =
      s.pixelWidth > 0 ? std::to_string(s.pixelWidth) + "x" + std::to_string(s.pixelHeight)
                       : "unknown";
  const std::string values[] = {
      s.kind,
      s.driver,
      s.output.empty() ? "unknown" : s.output,
      pixels + ", scale " + scaleText(s.scale),
      s.switchesModes ? "switched on request" : "fixed: other sizes in a window",
      monitor.model,
      monitor.made,
      monitor.size,
      monitor.native,
      "measuring..."};
  for (int i = 0; i < MEASURED_ROW; ++i)
    drawSystemText(box.valuesX, box.top + 30 * (i + 1), ":" + values[i], "Arial", 18, WHITE);
}

void drawMeasuredRate(const MeasuredRefresh& m, long double w, long double h) {
  const SecondBox box = secondBox(w, h);
  drawMenuItem(box.x, box.top, box.width, MEASURED_ROW, WHITE, BLUE, "Measured refresh");
  drawSystemText(box.valuesX, box.top + 30 * MEASURED_ROW, ":" + describeRefresh(m), "Arial", 18,
                 WHITE);
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
  const std::optional<platform::DisplaySession> session = displaySession();
  if (!session) return waitForKeyOrClick();
  const std::vector<DisplayOutput> outputs = displayOutputs();
  const std::size_t chosen = static_cast<std::size_t>(chosenDisplayOutput());
  drawSessionBox(
      *session,
      monitorFacts(chosen < outputs.size() ? outputs[chosen].edid : std::vector<std::uint8_t>{}), w,
      h);
  // The rate is timed while the box waits; it shows once enough frames were seen.
  startMeasuringRefresh();
  bool shown = false;
  waitForKeyOrClick([&] {
    if (shown) return;
    const MeasuredRefresh m = measuredRefresh();
    if (!m.ready) return;
    drawMeasuredRate(m, w, h);
    shown = true;
  });
}

int visitHomepage(const ProgramState& state) {
  const int status = runShellCommand(std::string("xdg-open ") + HOMEPAGE_URL);
  if (status == 0) return 0;
  // Ending as if the browser opened would report a failure as success.
  std::fprintf(stderr, "orventa: could not open the homepage %s (xdg-open %s)\n", HOMEPAGE_URL,
               status == 127 ? "not found" : ("status " + std::to_string(status)).c_str());
  showErrorBox(state.desktop, {" ********* Error! *********", "Could not open the homepage",
                               HOMEPAGE_URL, "Press any key or mouse"});
  return 1;
}

}  // namespace orventa
