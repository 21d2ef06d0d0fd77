#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// What the window asks of the desktop: message boxes and opening a document
// in the viewer the desktop chooses for it. Tests put a recorder in its place.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void about(QWidget *parent, const QString &title, const QString &text);
    // Whether it opened is not examined by the callers.
    virtual void openDocument(const QUrl &url);
};
