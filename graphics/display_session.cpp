#include "graphics/display_session.h"

namespace orventa {

bool fullScreenPossible(int width, int height) {
  platform::Platform* p = platform::currentPlatform();
  return p == nullptr || fullScreenPossible(p->session(), width, height);
}

std::optional<platform::DisplaySession> displaySession() {
  platform::Platform* p = platform::currentPlatform();
  if (p == nullptr) return std::nullopt;
  return p->session();
}

std::optional<platform::DisplayMode> desktopDisplayMode() {
  platform::Platform* p = platform::currentPlatform();
  if (p == nullptr) return std::nullopt;
  return p->desktopMode();
}

bool desktopChangedOutside() {
  platform::Platform* p = platform::currentPlatform();
  return p != nullptr && p->takeDesktopChange();
}

platform::FontEngine* systemFonts() {
  platform::Platform* p = platform::currentPlatform();
  return p == nullptr ? nullptr : &p->fonts();
}

int runShellCommand(const std::string& commandLine) {
  platform::Platform* p = platform::currentPlatform();
  return p == nullptr ? -1 : p->runCommand(commandLine);
}

}  // namespace orventa
