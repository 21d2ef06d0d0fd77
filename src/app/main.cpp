#include "app/form1.h"
#include "app/icon_list.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zonari"));
    QApplication::setApplicationVersion(QStringLiteral(ZONARI_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zonari"));
    Form1 window;
    window.show();
    return QApplication::exec();
}
