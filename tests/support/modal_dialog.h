// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

// What the user does in the next modal dialog, which must be a D: runs once
// the dialog shows and its event loop turns, and must end the dialog. Any
// other dialog, and one the user left open, is closed with a failure.
template <typename D> void whenDialogShows(std::function<void(D &)> user)
{
    QTimer::singleShot(0, [user = std::move(user)] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "the expected dialog is not shown";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        user(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog->reject();
        }
    });
}
