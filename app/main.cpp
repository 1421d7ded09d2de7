#include "app/orventa.h"
#include "graphics/platform/platform.h"
#include "graphics/platform/sdl/sdl_platform.h"

int main() {
  orventa::platform::SdlPlatform display;
  orventa::platform::usePlatform(&display);
  return display.run([] { return orventa::runOrventa(); });
}
