// Keyboard rules of the dialogs that have no default and no cancel button (About, Select Path):
// Enter presses the focused button and nothing else, and Escape does nothing.
#pragma once

class QKeyEvent;
class QWidget;

namespace tolvane {

// Applies the rules to a key pressed in dialog; true when the key was one of them (the event
// is then accepted), false when the dialog's usual handling should see it.
bool handleButtonOnlyDialogKey(QWidget* dialog, QKeyEvent* event);

} // namespace tolvane
