// The picture box control ("TolvanePicture"): shows the bitmap resource named by its caption
// at its top-left corner, clipped to its size. A left click (press and release inside)
// sends WM_COMMAND with STN_CLICKED to the parent; every button press and release is
// reported to the parent as a PictureMouseDown or PictureMouseUp message. A press of any
// button captures the mouse, so its release is reported wherever it happens.
#pragma once

#include <windows.h>

namespace tolvane {

constexpr char kPictureBoxClass[] = "TolvanePicture";

// wParam: LOWORD the message's MK_ flags, HIWORD the button that changed (1 left, 2 right,
// 4 middle); lParam: the message's client coordinates in pixels; the sender is in the
// picture box in the parent does not matter here: each window has one.
constexpr UINT PictureMouseDown = WM_APP + 1;
constexpr UINT PictureMouseUp = WM_APP + 2;

bool registerPictureBoxClass(HINSTANCE instance);

} // namespace tolvane
