// The one interface between Orventa and the machine it runs on: the display, its modes and
// presentation, input events, time, sound and the shell. Backends: sdl/ (a real display) and
// headless/ (in memory, for tests). Nothing above graphics/platform/ includes a backend header.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/platform/display_facts/refresh_estimate.h"

namespace orventa::platform {

// Extended key codes: the low byte 255, the scan-code character above it.
constexpr std::uint32_t extendedKey(unsigned char scanCode) {
  return 0xFFu | static_cast<std::uint32_t>(scanCode) << 8;
}

struct DisplayMode {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int refreshRate = 0;  // 0: unknown, or the display's default
  bool operator==(const DisplayMode&) const = default;
};

// One output of the display: a connector and the monitor behind it.
struct OutputInfo {
  std::string name;  // the connector's name ("HDMI-1"), or the display's where it has none
  DisplayMode current;
  std::vector<std::uint8_t> edid;  // empty when the output gives none
};

// The visible page as the graphics layer holds it. Only valid inside FrameSource::withFrame.
struct FrameView {
  const std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int bytesPerPixel = 0;                   // 1 (palette index), 2 (RGB565) or 4 (0xAARRGGBB)
  int pitch = 0;                           // bytes per row
  const std::uint32_t* palette = nullptr;  // 256 entries 0x00RRGGBB, used at 1 byte per pixel
  std::uint8_t* dirtyRows = nullptr;  // one mark per row; the presenter clears what it has copied
};

// Implemented by the graphics layer: hands the presenter the visible page under the screen lock.
class FrameSource {
 public:
  virtual ~FrameSource() = default;
  // Calls `show` with the visible page while holding the screen lock. False when no screen is open.
  virtual bool withFrame(const std::function<void(FrameView&)>& show) = 0;
};

// Implemented by the graphics layer: where the backend's input events go. Called from the
// backend's event thread; the graphics layer takes the screen lock itself.
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void queueKey(std::uint32_t code) = 0;  // below 256: a character; low byte 255: extended
  virtual void mouseMoved(int x, int y) = 0;
  virtual void mouseButton(int bit, bool down) = 0;  // bit 0 left, 1 right, 2 middle
  virtual void mouseWheel(int delta) = 0;
  virtual void pointerInside(bool inside) = 0;
  virtual void windowActive(bool active) = 0;
};

// A font as the text routine asks for it.
struct FontRequest {
  std::string face;     // handed to fontconfig unchanged; an unknown face gets its substitute
  int pixelHeight = 0;  // em height in pixels
  bool bold = false;
  bool italic = false;
};

struct TextExtent {
  int width = 0;     // the sum of the hinted advances, without kerning
  int height = 0;    // the face's Windows ascent plus descent at this size; 0: no face at all
  int overhang = 0;  // extra width of synthesised slants; 0 for outline fonts
};

// Monochrome text in named outline fonts: every pixel drawn is the background or the text colour.
class FontEngine {
 public:
  virtual ~FontEngine() = default;
  virtual int logicalDpi() = 0;
  virtual TextExtent measureText(const FontRequest& font, std::string_view text) = 0;
  // Draws `text` (8-bit, Windows-1252) with the top of its cell at (x, y) of a 32-bit bitmap,
  // after filling the rectangle (x, y) .. (x + width - 1, y + height - 1) with `background`;
  // nothing lands outside that rectangle or the bitmap. Colours are 0x00RRGGBB.
  virtual void drawText(const FontRequest& font, std::string_view text, std::uint32_t* bitmap,
                        int bitmapWidth, int bitmapHeight, int x, int y, int width, int height,
                        std::uint32_t colour, std::uint32_t background) = 0;
};

// The desktop the display belongs to, as the backend found it at start.
struct DisplaySession {
  std::string kind = "headless";  // "X11", "XWayland", "Wayland", or the driver's own name
  std::string driver;             // the video driver in use
  std::string output;             // the output's name ("": unknown)
  int pixelWidth = 0;             // the panel's physical pixels; 0: unknown
  int pixelHeight = 0;
  double scale = 1;           // desktop units to physical pixels; 0: unknown (X11 cannot see it)
  bool switchesModes = true;  // false: only the panel's own size can be shown full screen
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Runs the program on a thread of its own while the calling (main) thread serves the display:
  // presentation, events and mode switches. Returns the program's exit status once it returns.
  virtual int run(const std::function<int()>& program) = 0;

  // Where frames come from and input goes to; set once by the graphics layer.
  virtual void connect(FrameSource* frames, InputSink* input) = 0;

  // The desktop's current mode, and every mode of the chosen output (one entry per refresh).
  virtual DisplayMode desktopMode() = 0;
  virtual std::vector<DisplayMode> displayModes() = 0;

  // The outputs a screen can open on, the chosen one first until another is chosen.
  virtual std::vector<OutputInfo> outputs() { return {{"default", desktopMode(), {}}}; }
  virtual int chosenOutput() { return 0; }
  // Every later screen opens on output `index`, and the desktop mode and the mode list are then
  // that output's. Only while no screen is open; false for no such output.
  virtual bool chooseOutput(int index) { return index == 0; }

  // One attempt to show a screen: full screen at exactly this mode (refresh 0 = the display's
  // default rate), or a window of this size. True only when the display really is in that state.
  virtual bool openDisplay(const DisplayMode& mode, bool fullScreen) = 0;
  // False for a size no screen of this display can ever hold, full screen or window: asked
  // before any memory is spent on it.
  virtual bool canHold(int /*width*/, int /*height*/) { return true; }
  // True once after the desktop's mode was changed from outside the program (a settings tool,
  // xrandr): a menu on the screen is of the old size and gives way to a main screen of the new.
  virtual bool takeDesktopChange() { return false; }
  // The desktop's session: what it is, the output, and whether modes really switch.
  virtual DisplaySession session() { return {}; }
  // One line for each display the backend sees (--list-displays); empty when it sees none.
  virtual std::vector<std::string> describeDisplays() { return {}; }
  // The refresh rate the display runs at now (0 or 1 when the hardware does not say).
  virtual int currentRefreshRate() = 0;
  // Takes the screen away and gives the display back its desktop mode. Harmless when closed.
  virtual void closeDisplay() = 0;

  // Returns after the next vertical retrace (or the next presentation where there is none).
  virtual void waitVerticalRetrace() = 0;
  // Times the open screen's presentations from now on, as its vertical sync paces them; the
  // estimate once enough were seen or the time is up, nothing while still measuring. Without a
  // way to pace presentations the estimate is "not measurable" at once.
  virtual void startRefreshMeasurement() {}
  virtual std::optional<RefreshEstimate> refreshMeasurement() { return RefreshEstimate{}; }

  // Monotonic seconds from an arbitrary origin.
  virtual double seconds() = 0;
  virtual void sleepMilliseconds(int ms) = 0;
  // A poll of the input found nothing: give the processor away briefly.
  virtual void idle() = 0;

  // A tone; returns when it has ended. Best effort: no sound device still takes the time.
  virtual void beep(int frequencyHz, int durationMs) = 0;

  // The font engine (FreeType and fontconfig on every backend).
  virtual FontEngine& fonts() = 0;

  // Runs one command line through the shell and waits for it; its exit status.
  virtual int runCommand(const std::string& commandLine) = 0;
};

// The platform every graphics call goes to. Set once at start-up, before any screen opens.
void usePlatform(Platform* platform);
Platform* currentPlatform();

}  // namespace orventa::platform
