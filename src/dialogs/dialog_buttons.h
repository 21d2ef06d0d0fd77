// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

// The "OK" and "Cancel" buttons every dialog ends with, right-aligned in one
// row in that order: `cmdok` is the default button (Return), `cmdcancel`
// rejects the dialog (as Escape does). What OK does is the dialog's own.
struct OkCancelButtons {
    QPushButton *cmdok;
    QPushButton *cmdcancel;
    QHBoxLayout *row;
};

OkCancelButtons okCancelButtons(QDialog *dialog);
