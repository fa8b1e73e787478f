#include "context.h"

namespace zorvik {

void WindowRegistry::add(QWidget* window) {
    windows_.insert(window->objectName(), window);
    order_.append(window->objectName());
}

QWidget* WindowRegistry::window(const QString& name) const {
    return windows_.value(name);
}

} // namespace zorvik
