// What every window is handed at creation: the program-wide state, the
// services seam, the screen factors and the other long-lived windows.
#pragma once

#include "scaling.h"
#include "services.h"

#include "core/appstate.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

class QDialog;

namespace zorvik {

// The long-lived windows by their names ("TForm3"); created once at start-up.
class WindowRegistry {
public:
    void add(QWidget* window);
    QWidget* window(const QString& name) const;
    template <typename T> T* get(const QString& name) const {
        return qobject_cast<T*>(window(name));
    }
    QStringList names() const { return order_; }

private:
    QHash<QString, QPointer<QWidget>> windows_;
    QStringList order_;
};

struct AppContext {
    AppState& state;
    Services& services;
    WindowRegistry windows;

    // The screen factors of the state as a Scale.
    Scale scale() const { return {state.ScaleX, state.ScaleY}; }
};

} // namespace zorvik
