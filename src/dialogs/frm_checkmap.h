// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/map_check.h"

#include <QDialog>

#include <vector>

class QListWidget;

// The findings of Check Map, one line each. The dialog stays open beside
// the window while the user mends the map: choosing a line asks for its
// area to be selected, "Check Again" for the map to be checked anew.
class frm_checkmap : public QDialog {
    Q_OBJECT
public:
    explicit frm_checkmap(QWidget *parent = nullptr);

    void showFindings(const std::vector<MapFinding> &findings);

    QListWidget *lstfindings = nullptr;

signals:
    void areaChosen(int position);
    void checkAgain();
};
