#include "file_types.h"

namespace tolvane {

void refreshDriverList(const MainWindowSeam& window) {
    if (window.listCount(window.context) > 0) {
        window.selectEntry(window.context, 0);
        return;
    }
    for (const ValueLabel label : kRefreshClearOrder) {
        window.setText(window.context, textOf(label), "");
    }
}

} // namespace tolvane
