// KernGraf for tests: the raster's pixels and a scripted person in place of the dialog.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "kern_graf.h"

namespace console {
// RGB of a palette entry and of a raster pixel, as 0xRRGGBB. Coordinates are logical; on a
// high-density screen the pixel is the device pixel under the logical pixel's centre.
uint32_t PaletteColour(int index);
inline uint32_t PaletteColour(Colour colour) { return PaletteColour(static_cast<int>(colour)); }
uint32_t PixelAt(int x, int y);
// Device pixels per logical pixel of the raster (the screen's scale factor; 1 before start-up).
double PixelRatio();

// Answers prompts instead of the dialog. The responder gets the prompt and the default text,
// and returns the answer; returning false means "Abbruch".
using PromptResponder = std::function<bool(const std::string& prompt, std::string& text)>;
void SetPromptResponder(PromptResponder responder);  // empty: the real dialog
}  // namespace console
