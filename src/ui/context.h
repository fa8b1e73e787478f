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
    // The one long-lived window of type T, or null: found by its type, so a
    // wrong name cannot compile into a silent nothing.
    template <typename T> T* find() const {
        for (const QString& name : order_)
            if (T* w = qobject_cast<T*>(windows_.value(name).data()))
                return w;
        return nullptr;
    }
    QStringList names() const { return order_; }
    // The main window: the first one created.
    QWidget* mainWindow() const { return order_.isEmpty() ? nullptr : window(order_.first()); }

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
