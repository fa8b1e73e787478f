// A status bar of fixed panels, each a sunken label with its own text.
#pragma once

#include <QLabel>
#include <QList>
#include <QStatusBar>

namespace zorvik {

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    // `widths` in pixels; a width of 0 stretches over what is left.
    StatusBar(const QList<int>& widths, QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QLabel* panel(int i) const { return panels_.value(i); }
    int panelCount() const { return static_cast<int>(panels_.size()); }

private:
    QList<QLabel*> panels_;
};

} // namespace zorvik
