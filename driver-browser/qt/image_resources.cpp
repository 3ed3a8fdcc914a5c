#include "image_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerImages() {
    Q_INIT_RESOURCE(images);
}

namespace tolvane {

void loadImageResources() {
    static const bool registered = (registerImages(), true);
    (void)registered;
}

} // namespace tolvane
