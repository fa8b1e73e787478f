#include <QApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(u"Zorvik"_s);
    label.show();
    return app.exec();
}
