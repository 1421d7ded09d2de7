#include "graphics/platform/display_facts/describe.h"

#include <cstdio>
#include <optional>

#include "graphics/platform/display_facts/edid.h"

namespace orventa {

bool fullScreenPossible(const platform::DisplaySession& session, int width, int height) {
  return session.switchesModes || (width == session.pixelWidth && height == session.pixelHeight);
}

std::string scaleText(double scale) {
  if (scale <= 0) return "unknown";
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", scale);
  return text;
}

std::string describeSession(const platform::DisplaySession& session) {
  const std::string output = session.output.empty() ? "unknown" : session.output;
  const std::string pixels = session.pixelWidth > 0 ? std::to_string(session.pixelWidth) + "x" +
                                                          std::to_string(session.pixelHeight)
                                                    : "unknown";
  return session.kind + " session, driver " + session.driver + ", output " + output + ", " +
         pixels + " pixels, scale " + scaleText(session.scale) + ", modes " +
         (session.switchesModes ? "can" : "cannot") + " be switched";
}

MonitorFacts monitorFacts(const std::vector<std::uint8_t>& edid) {
  MonitorFacts facts;
  const std::optional<platform::Edid> e = platform::decodeEdid(edid);
  if (!e) return facts;
  char text[96];
  std::snprintf(text, sizeof text, "%s %s (%04X)", e->manufacturer.c_str(),
                e->name.empty() ? "model" : e->name.c_str(), e->productCode);
  facts.model = text;
  std::string serial = e->serialText;
  if (serial.empty() && e->serialNumber != 0) serial = std::to_string(e->serialNumber);
  facts.made = (serial.empty() ? "no serial" : "serial " + serial) + ", " +
               (e->week > 0 ? "week " + std::to_string(e->week) + " of " : "model year ") +
               std::to_string(e->year);
  if (e->widthMm > 0) {
    std::snprintf(text, sizeof text, "%d x %d mm", e->widthMm, e->heightMm);
    facts.size = text;
    if (const double ppi = platform::pixelsPerInch(*e); ppi > 0) {
      std::snprintf(text, sizeof text, ", %.1f ppi", ppi);
      facts.size += text;
    }
  }
  if (e->nativeWidth > 0) {
    std::snprintf(text, sizeof text, "%dx%d at %.2f Hz", e->nativeWidth, e->nativeHeight,
                  e->nativeRefresh);
    facts.native = text;
  }
  return facts;
}

std::string describeRefresh(const platform::RefreshEstimate& m) {
  if (!m.measurable) return "not measurable";
  char text[80];
  std::snprintf(text, sizeof text, "%.2f Hz (spread %.2f) over %d frames", m.hz, m.spreadHz,
                m.frames);
  return text;
}

std::string describeMonitor(const std::vector<std::uint8_t>& edid) {
  const MonitorFacts f = monitorFacts(edid);
  if (f.model == "unknown") return "monitor unknown (no EDID)";
  return "monitor " + f.model + ", " + f.made + ", " + f.size + ", native " + f.native;
}

}  // namespace orventa
