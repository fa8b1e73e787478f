// Lets a window be moved by dragging any point of its client area, as if the
// point were on its title bar.
#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace zorvik {

class ClientDrag : public QObject {
    Q_OBJECT
public:
    // Watches `window` and the given parts of it; owned by the window.
    explicit ClientDrag(QWidget* window);
    void watch(QWidget* part);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QPoint grab_;
    bool dragging_ = false;
};

} // namespace zorvik
