// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// How a command that writes files ended: an empty failure when everything
// was written, else the reason, in words for the user.
struct WriteOutcome {
    QString failure;
    bool ok() const { return failure.isEmpty(); }
};

// Writes the text and one CR LF to the file at path, in UTF-8. The new
// content goes to a scratch file beside it that replaces the file only once
// it is wholly written, so any failure (no such folder, no permission, a
// folder of that name, a full disk, an empty name) leaves a file already
// there exactly as it was. The failure is the file system's reason.
WriteOutcome writeTextFile(const QString &path, const QString &text);

// Writes exactly these bytes to the file at path, in the same safe way.
WriteOutcome writeWholeFile(const QString &path, const QByteArray &bytes);
