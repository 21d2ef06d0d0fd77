// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled with the core's include folders, each include must fail.
#include <QtWidgets/QWidget>

#include "app/desktop.h"
