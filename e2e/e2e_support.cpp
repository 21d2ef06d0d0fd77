// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e_support.h"

#include "map_tool.h"
#include "support/file_folder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Generous limits for programs on a shared, busy machine; they bound a hang,
// they do not time anything.
constexpr int ChromiumLimitMs = 120'000;
constexpr int ServerStartLimitMs = 30'000;
constexpr int ReplyLimitMs = 30'000;

} // namespace

QByteArray writtenMap(const QByteArray &json, const QStringList &writeOptions)
{
    const ToolRun run = runMapTool(QStringList{QStringLiteral("write")} + writeOptions, json);
    EXPECT_EQ(run.status, ExitStatus::Ok) << run.err.toStdString();
    return run.out;
}

bool writePicture(const QString &path, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::gray);
    for (int x = 0; x < width; x += 10)
        painter.drawLine(x, 0, x, height - 1);
    painter.end();
    return picture.save(path, "PNG");
}

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

QByteArray chromiumDom(const QString &url, QString *error)
{
    QTemporaryDir profile;
    QProcess chromium;
    chromium.setProgram(ChromiumProgram);
    chromium.setArguments({QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                           QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
                           QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
                           QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                           QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--window-size=800,600"),
                           QStringLiteral("--virtual-time-budget=10000"), QStringLiteral("--dump-dom"), url});
    chromium.start();
    if (!chromium.waitForFinished(ChromiumLimitMs)) {
        chromium.kill();
        chromium.waitForFinished();
        *error = QStringLiteral("Chromium did not finish: ") + QString::fromLocal8Bit(chromium.readAllStandardError());
        return {};
    }
    const QByteArray dom = chromium.readAllStandardOutput();
    if (chromium.exitStatus() != QProcess::NormalExit || chromium.exitCode() != 0 || dom.isEmpty())
        *error = QStringLiteral("Chromium failed (exit %1): ").arg(chromium.exitCode())
                 + QString::fromLocal8Bit(chromium.readAllStandardError());
    return dom;
}

QHash<QPair<int, int>, QString> answersIn(const QByteArray &dom, const QByteArray &id, QString *status)
{
    QHash<QPair<int, int>, QString> answers;
    const QByteArray open = "<pre id=\"" + id + "\">";
    const qsizetype start = dom.indexOf(open);
    const qsizetype end = dom.indexOf("</pre>", start);
    if (start < 0 || end < 0) {
        *status = QStringLiteral("no answers in the page");
        return answers;
    }
    const QList<QByteArray> lines = dom.mid(start + open.size(), end - start - open.size()).split('\n');
    *status = QString::fromUtf8(lines.first());
    for (const QByteArray &line : lines.mid(1)) {
        const QList<QByteArray> parts = line.split(' ');
        const QList<QByteArray> xy = parts.value(0).split(',');
        answers.insert({xy.value(0).toInt(), xy.value(1).toInt()}, QString::fromUtf8(parts.value(1)));
    }
    return answers;
}

PrivateApache::PrivateApache(const QString &documentRoot)
{
    m_port = freePort();
    const QString root = m_serverRoot.path();
    const QString modules = ApacheModules;
    // Run as root, httpd drops its workers to User/Group, which then must
    // read the documents; as anyone else it keeps its user.
    QFile::setPermissions(documentRoot, QFile::permissions(documentRoot) | QFile::ReadOther | QFile::ExeOther);
    const QString user = geteuid() == 0 ? QStringLiteral("User nobody\nGroup nogroup\n") : QString();
    const QString config = QStringLiteral("ServerName 127.0.0.1:%1\n"
                                          "Listen 127.0.0.1:%1\n"
                                          "PidFile %2/httpd.pid\n"
                                          "ErrorLog %2/error.log\n"
                                          "CustomLog %2/access.log \"%r %>s\"\n"
                                          "Mutex file:%2\n"
                                          "LoadModule mpm_event_module %3/mod_mpm_event.so\n"
                                          "LoadModule authz_core_module %3/mod_authz_core.so\n"
                                          "LoadModule mime_module %3/mod_mime.so\n"
                                          "LoadModule imagemap_module %3/mod_imagemap.so\n"
                                          "%4"
                                          "TypesConfig /dev/null\n"
                                          "AddHandler imap-file map\n"
                                          "AddType text/html html\n"
                                          "DocumentRoot \"%5\"\n"
                                          "<Directory \"%5\">\n"
                                          "  Require all granted\n"
                                          "</Directory>\n")
                               .arg(m_port)
                               .arg(root, modules, user, documentRoot);
    QFile file(root + QStringLiteral("/httpd.conf"));
    if (m_port == 0 || !file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) {
        m_startError = QStringLiteral("cannot prepare the server's configuration");
        return;
    }
    file.close();

    m_process.setProgram(ApacheProgram);
    m_process.setArguments(
        {QStringLiteral("-d"), root, QStringLiteral("-f"), file.fileName(), QStringLiteral("-DFOREGROUND")});
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start();
    if (!m_process.waitForStarted()) {
        m_startError = QStringLiteral("cannot start ") + ApacheProgram;
        return;
    }
    const QDeadlineTimer deadline(ServerStartLimitMs);
    while (!deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning)
            break;
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(1000))
            return;
        QThread::msleep(100);
    }
    m_startError = QStringLiteral("httpd does not answer: ") + QString::fromLocal8Bit(m_process.readAll()) + errorLog();
}

PrivateApache::~PrivateApache()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    // SIGTERM stops httpd and its workers; kill only if it hangs.
    m_process.terminate();
    if (!m_process.waitForFinished(ServerStartLimitMs)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QString PrivateApache::errorLog() const
{
    return QString::fromLocal8Bit(readFile(m_serverRoot.filePath(QStringLiteral("error.log"))));
}

QString PrivateApache::accessLog() const
{
    return QString::fromLocal8Bit(readFile(m_serverRoot.filePath(QStringLiteral("access.log"))));
}

QString PrivateApache::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

PrivateApache::Reply PrivateApache::get(const QString &pathAndQuery) const
{
    Reply reply;
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_port);
    if (!socket.waitForConnected(ReplyLimitMs))
        return reply;
    socket.write("GET " + pathAndQuery.toUtf8() + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray response;
    while (socket.waitForReadyRead(ReplyLimitMs))
        response += socket.readAll();
    response += socket.readAll();
    const qsizetype headerEnd = response.indexOf("\r\n\r\n");
    const QList<QByteArray> header = response.left(headerEnd).split('\n');
    reply.body = headerEnd < 0 ? QByteArray() : response.mid(headerEnd + 4);
    if (header.isEmpty())
        return reply;
    reply.status = header.first().split(' ').value(1).toInt();
    for (const QByteArray &line : header)
        if (line.toLower().startsWith("location:"))
            reply.location = line.mid(9).trimmed();
    return reply;
}
