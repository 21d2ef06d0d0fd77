// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// What the end-to-end tests share: the written map, a real picture, a free
// port, Chromium's view of a page and a private Apache httpd.

inline const QString ChromiumProgram = QStringLiteral("/usr/bin/chromium");
inline const QString ApacheProgram = QStringLiteral("/usr/sbin/apache2");
inline const QString ApacheModules = QStringLiteral("/usr/lib/apache2/modules");

// The map text zonari-map writes for a JSON document; fails the test when
// the tool refuses it.
QByteArray writtenMap(const QByteArray &json, const QStringList &writeOptions);

// Writes a plain PNG picture of the given size; a missing picture turns a
// client-side map off in the browser.
bool writePicture(const QString &path, int width, int height);

// A TCP port on 127.0.0.1 that nobody listened on a moment ago.
quint16 freePort();

// Chromium, headless with a fresh profile, loads the page and prints the
// DOM as its scripts left it; empty with a message in error on failure.
QByteArray chromiumDom(const QString &url, QString *error);

// A page's answers by picture point, from the dumped DOM: the element
// <pre id="ID"> holds a status line, then one line "x,y answer" per point.
QHash<QPair<int, int>, QString> answersIn(const QByteArray &dom, const QByteArray &id, QString *status);

// Apache httpd on 127.0.0.1 with a configuration of its own, serving one
// folder with .map files handled by mod_imagemap. Stopped when destroyed,
// also when a test fails halfway.
class PrivateApache {
public:
    explicit PrivateApache(const QString &documentRoot);
    ~PrivateApache();
    PrivateApache(const PrivateApache &) = delete;
    PrivateApache &operator=(const PrivateApache &) = delete;

    // Empty when the server answers; else why it does not.
    QString startError() const { return m_startError; }
    quint16 port() const { return m_port; }
    QString url(const QString &path) const;

    struct Reply {
        int status = 0;
        QByteArray location; // of a redirect
        QByteArray body;
    };
    Reply get(const QString &pathAndQuery) const;
    // One line per request served so far: "GET /path?query HTTP/1.1 302".
    QString accessLog() const;

private:
    QString errorLog() const;

    QTemporaryDir m_serverRoot;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_startError;
};
