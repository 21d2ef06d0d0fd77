// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_file_dialog.h"

#include "picture_loader.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QtConcurrent/QtConcurrentRun>

namespace {

const QString NoPreview = QStringLiteral("no preview");
constexpr int PreviewMargin = 4; // between the thumbnail and the box's frame

// The picture in the file, shrunk to fit the box if it is larger; a null
// image for anything the picture loader cannot read, and for files too
// large to be worth reading for a preview.
QImage thumbnailOf(const QString &path, QSize box, ScreenResolution screen)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.size() > OpenFileDialog::MaxPreviewBytes)
        return {};
    const LoadedPicture picture = loadPicture(path, screen);
    if (!picture.ok())
        return {};
    if (picture.image.width() <= box.width() && picture.image.height() <= box.height())
        return picture.image;
    return picture.image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

OpenFileDialog::OpenFileDialog(QWidget *parent, const QString &caption, const QString &filter)
    : QFileDialog(parent, caption, QString(), filter)
{
    // Only the descriptions show in the type list, as the callers write them.
    setOptions(DontUseNativeDialog | HideNameFilterDetails);
    setFileMode(ExistingFile);
    setAcceptMode(AcceptOpen);

    m_preview = new QLabel(NoPreview, this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_preview->setMargin(PreviewMargin);
    const int border = m_preview->frameWidth() + PreviewMargin;
    m_preview->setFixedSize(PreviewBox.grownBy(QMargins(border, border, border, border)));
    // Qt's dialog lays itself out on a grid with the file list in row 1. It
    // took its size before the box was there.
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(m_preview, 1, grid->columnCount(), Qt::AlignTop);
    else if (layout())
        layout()->addWidget(m_preview);
    resize(sizeHint());

    connect(this, &QFileDialog::currentChanged, this, &OpenFileDialog::previewFile);
    connect(this, &QFileDialog::directoryEntered, this, [this] { previewFile(QString()); });
}

QString OpenFileDialog::chooseFile()
{
    if (exec() != Accepted)
        return QString();
    return selectedFiles().value(0);
}

void OpenFileDialog::previewFile(const QString &path)
{
    const quint64 request = ++*m_latest;
    m_preview->setText(NoPreview); // drops the thumbnail of the last selection
    if (path.isEmpty())
        return;

    const qreal ratio = devicePixelRatio();
    const QSize box = PreviewBox * ratio;
    const ScreenResolution screen = resolutionOf(this->screen());
    QtConcurrent::run([path, box, screen, latest = m_latest, request] {
        return latest->load() == request ? thumbnailOf(path, box, screen) : QImage();
    }).then(this, [this, request, ratio](QImage thumbnail) {
        if (m_latest->load() != request || thumbnail.isNull())
            return;
        thumbnail.setDevicePixelRatio(ratio);
        m_preview->setPixmap(QPixmap::fromImage(thumbnail));
    });
}
