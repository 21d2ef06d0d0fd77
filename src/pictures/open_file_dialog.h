// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>
#include <QSize>

#include <atomic>
#include <memory>

class QLabel;

// The one dialog behind every browse button that picks an existing file:
// Qt's own file dialog (never the platform's), with a preview box on the
// right of the file list. The box shows a thumbnail of the selected file
// when the picture loader can read it, fitted into the box with its aspect
// kept, and the words "no preview" for folders, pages, broken pictures and
// anything else. Thumbnails are made in a worker thread and shown only if
// their file is still the selected one, so a slow picture never holds the
// dialog up.
class OpenFileDialog : public QFileDialog {
    Q_OBJECT
public:
    // filter: the file types offered, in QFileDialog's form as
    // fileDialogFilter() writes it; the first one is chosen.
    OpenFileDialog(QWidget *parent, const QString &caption, const QString &filter);

    // Shows the dialog and waits; the full path of the chosen file, or
    // empty when the user cancelled.
    QString chooseFile();

    // The preview box: its pixmap while a thumbnail is shown, else its text.
    const QLabel *preview() const { return m_preview; }

    // The box a thumbnail is fitted into, in device-independent pixels.
    static constexpr QSize PreviewBox{190, 190};
    // Larger files are not read for a preview at all.
    static constexpr qint64 MaxPreviewBytes = 64LL * 1024 * 1024;

private:
    void previewFile(const QString &path);

    QLabel *m_preview = nullptr;
    // Counts the selections. A worker whose number is no longer the latest
    // skips its work, and its thumbnail is not shown.
    std::shared_ptr<std::atomic<quint64>> m_latest = std::make_shared<std::atomic<quint64>>(0);
};
