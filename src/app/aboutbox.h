// TAboutBox: the program's name, version, author and purpose.
#pragma once

#include "ui/context.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace zorvik {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(AppContext& ctx, QWidget* parent);

    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace zorvik
