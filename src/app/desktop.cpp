#include "desktop.h"

#include <QDesktopServices>
#include <QMessageBox>

void Desktop::about(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, title, text);
}

void Desktop::openDocument(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}
