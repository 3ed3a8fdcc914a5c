#include "egg_gesture.h"

namespace tolvane {

void EggGesture::pressed(int button, int shift) {
    if (button == RightButtonBit && shift == (ShiftBit | CtrlBit | AltBit))
        stage_ = 1;
}

void EggGesture::released(int button, int shift, float x, float y) {
    if (stage_ != 1) {
        stage_ = 0;
        return;
    }
    if (x > SpotLeft && x < SpotRight && y > SpotTop && y < SpotBottom && button == LeftButtonBit &&
        shift == (CtrlBit | AltBit))
        stage_ = 2;
}

bool EggGesture::labelClicked() {
    if (stage_ >= 2)
        ++stage_;
    return stage_ == 8;
}

} // namespace tolvane
