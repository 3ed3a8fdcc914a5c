// The program: registers the picture box, creates the main window, runs the start-up
// sequence and the message loop until the main window is gone.
#pragma once

namespace tolvane {

int runTolvane();

} // namespace tolvane
