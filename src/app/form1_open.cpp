// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file handed to the editor from outside: named on the command
// line or dropped on the window. Each kind of file goes to the command that
// opens it from the menus, with the file already chosen.
#include "form1.h"

#include "dialogs/frm_newmap.h"
#include "formats/reader_services.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>

namespace {

enum class FileKind { Picture, Page, ServerMap, Other };

FileKind kindOf(const QString &path)
{
    static const QStringList pictures = {QStringLiteral("bmp"), QStringLiteral("dib"),  QStringLiteral("gif"),
                                         QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                         QStringLiteral("wmf"), QStringLiteral("emf")};
    // Pages that hold HTML as written: plain, XHTML and server-side include
    // pages, and the script pages whose maps are written out literally.
    static const QStringList pages = {QStringLiteral("htm"),   QStringLiteral("html"), QStringLiteral("xhtml"),
                                      QStringLiteral("shtml"), QStringLiteral("php"),  QStringLiteral("asp"),
                                      QStringLiteral("aspx"),  QStringLiteral("jsp")};
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (pictures.contains(suffix))
        return FileKind::Picture;
    if (pages.contains(suffix))
        return FileKind::Page;
    return suffix == QLatin1String("map") ? FileKind::ServerMap : FileKind::Other;
}

bool canRead(const QString &path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
}

// The one local file a drop brings, when it is of a kind the editor opens.
QString openableDrop(const QMimeData *mime)
{
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return kindOf(path) == FileKind::Other ? QString() : path;
}

} // namespace

void Form1::openFile(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    const auto tell = [this](const QString &text) {
        m_desktop->message(this, text, QString(), MessageIcon::Exclamation);
    };
    // A file that cannot be read gets the message its command gives when it
    // meets the file, and nothing changes.
    const bool readable = canRead(file);
    switch (kindOf(file)) {
    case FileKind::Picture:
        if (readable)
            startNewMap()->pictureChosen(file);
        else
            refuseMapProperties(this, load_map_picture(file));
        break;
    case FileKind::Page:
        if (readable)
            loadClientPage(file);
        else
            tell(MapOpenError.toString());
        break;
    case FileKind::ServerMap:
        if (readable)
            openServerLoadDialog(file);
        else
            tell(ServerMapLoadError.toString());
        break;
    case FileKind::Other:
        tell(QStringLiteral("Could not open %1 !\nZonari opens pictures (BMP, DIB, GIF, JPEG, PNG, WMF, EMF), "
                            "HTML pages and server-side map files.")
                 .arg(file));
        break;
    }
}

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!openableDrop(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    const QString path = openableDrop(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: the dialogs it shows must not keep the
    // program the file came from waiting.
    QMetaObject::invokeMethod(
        this, [this, path] { openFile(path); }, Qt::QueuedConnection);
}
