// The font engine of every backend: fontconfig picks the face for a name, FreeType rasterises it
// monochrome. Faces are kept open between calls; the text routine asks for one per call.
#pragma once

#include <memory>

#include "graphics/platform/platform.h"

namespace orventa::platform {

class FreeTypeFonts final : public FontEngine {
 public:
  FreeTypeFonts();
  ~FreeTypeFonts() override;
  FreeTypeFonts(const FreeTypeFonts&) = delete;
  FreeTypeFonts& operator=(const FreeTypeFonts&) = delete;

  int logicalDpi() override;
  TextExtent measureText(const FontRequest& font, std::string_view text) override;
  void drawText(const FontRequest& font, std::string_view text, std::uint32_t* bitmap,
                int bitmapWidth, int bitmapHeight, int x, int y, int width, int height,
                std::uint32_t colour, std::uint32_t background) override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace orventa::platform
