// The about window's hidden gesture, free of any window:
//   1. right-press on the picture with Shift+Ctrl+Alt (anywhere)            -> stage 1
//   2. left-release on the picture's spot with Ctrl+Alt while at stage 1    -> stage 2
//      (any other release at stage 1 keeps it; any release at another stage -> 0)
//   3. each click on the "Watch out" label from stage 2 on counts up; at 8 the picture
//      window opens, and once it is closed the stage is 0 again.
#pragma once

#include <cstdint>

namespace tolvane {

// Mouse-button bits and modifier bits as the gesture sees them.
enum MouseButtonBits : int { LeftButtonBit = 1, RightButtonBit = 2, MiddleButtonBit = 4 };
enum ShiftBits : int { ShiftBit = 1, CtrlBit = 2, AltBit = 4 };

// Pixels to twips (15 twips per pixel).
constexpr float pixelsToTwips(float pixels) {
    return pixels * 15.0f;
}

class EggGesture {
public:
    // Button pressed on the picture.
    void pressed(int button, int shift);
    // Button released on the picture; x and y in twips from the picture's client area.
    void released(int button, int shift, float x, float y);
    // Click on the label; true when the picture window is to open now.
    bool labelClicked();
    // The picture window has been closed.
    void pictureClosed() { stage_ = 0; }

    int16_t stage() const { return stage_; }

    // The spot of step 2, in twips (all bounds exclusive).
    static constexpr float SpotLeft = 3420, SpotRight = 3720, SpotTop = 690, SpotBottom = 945;

private:
    int16_t stage_ = 0;
};

} // namespace tolvane
