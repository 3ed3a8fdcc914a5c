// The pictures and icons compiled into the browser (images/images.qrc).
#pragma once

namespace tolvane {

// Registers the compiled-in pictures and icons (":/images/...", ":/icons/..."). The browser's
// windows live in a static library, whose resources are not registered on their own; every
// window that shows one calls this first. Calling it again does nothing.
void loadImageResources();

} // namespace tolvane
