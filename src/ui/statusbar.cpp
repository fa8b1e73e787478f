#include "statusbar.h"

using namespace Qt::StringLiterals;

namespace zorvik {

StatusBar::StatusBar(const QList<int>& widths, QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    // Each panel draws its own sunken frame; the bar's frame around it would
    // show as an empty segment beside it.
    setStyleSheet(u"QStatusBar::item { border: none; }"_s);
    for (int i = 0; i < widths.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(u"Panel%1"_s.arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        if (widths[i] > 0)
            label->setFixedWidth(widths[i]);
        addWidget(label, widths[i] > 0 ? 0 : 1);
        panels_.append(label);
    }
}

void StatusBar::setPanelText(int panel, const QString& text) {
    if (QLabel* l = panels_.value(panel))
        l->setText(text);
}

QString StatusBar::panelText(int panel) const {
    const QLabel* l = panels_.value(panel);
    return l ? l->text() : QString();
}

} // namespace zorvik
