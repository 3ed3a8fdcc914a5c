#include "tolvane_main.h"

#include "control_fonts.h"
#include "dialog_support.h"
#include "form1.h"
#include "picture_box.h"

namespace tolvane {

int runTolvane() {
    registerPictureBoxClass(programInstance());
    FontSet fonts;
    const Form1Options options = {true, nullptr};
    HWND window = createForm1(options, fonts);
    if (window == NULL)
        return 1;
    loadForm1(window);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (IsWindow(window) && IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace tolvane
