#include "graphics/display_session.h"

#include <cstdio>

namespace orventa {

bool fullScreenPossible(const platform::DisplaySession& session, int width, int height) {
  return session.switchesModes || (width == session.pixelWidth && height == session.pixelHeight);
}

bool fullScreenPossible(int width, int height) {
  platform::Platform* p = platform::currentPlatform();
  return p == nullptr || fullScreenPossible(p->session(), width, height);
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

}  // namespace orventa
