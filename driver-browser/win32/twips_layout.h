// Places a window and its controls from its dialog template, whose numbers are twips: the
// client area's screen position and size, each control's position and size in the client
// area. 15 twips make one pixel.
#pragma once

#include <windows.h>

namespace tolvane {

constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// Moves and sizes the window so that its client area has the template's size at its
// screen position, and every control of the template to its place.
void applyTwipsLayout(HWND window, int templateId);

// Resizes the outer window so that its client area is width x height pixels with its
// top-left corner at (left, top) on the screen.
void placeClientArea(HWND window, int left, int top, int width, int height);

} // namespace tolvane
