// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings.h"

#include <QDialog>
#include <QFrame>

#include <array>

class Desktop;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A colour swatch: its colour hatched in a hatch style over a white ground,
// the way areas of that colour are drawn on the picture.
class HatchSwatch : public QFrame {
    Q_OBJECT
public:
    explicit HatchSwatch(QWidget *parent = nullptr);
    void setLook(const AreaLook &look);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    AreaLook m_look;
};

// The options dialog `frm_options`: the colours of the three area states,
// the one hatch style for all of them, the browser of the test preview, and
// whether NCSA maps write their circles as Apache reads them.
// It reads the store when it is made and writes it on OK, then tells the
// window through saved(); Cancel writes nothing and leaves the dialog to be
// dropped, so that the next one reads the store again.
class frm_options : public QDialog {
    Q_OBJECT
public:
    explicit frm_options(Desktop &desktop, QWidget *parent = nullptr);

public slots:
    void accept() override;

signals:
    // OK stored these options; they are the ones in force from now on.
    void saved(const Settings &options);

private:
    enum ColorRow { DefaultRow, HighlightedRow, SelectedRow };
    static constexpr int ColorRows = 3;

    QWidget *createColorsTab();
    QWidget *createBrowserTab();
    void showOptions(const Settings &options);
    // The options as the controls show them.
    Settings options() const;
    void showSwatches();
    void chooseColor(ColorRow row);
    void chooseBrowser();

    Desktop &m_desktop;
    std::array<quint32, ColorRows> m_colors{}; // 0x00BBGGRR, as stored
    // The chooser's last file, which a cancelled choice puts back in the box.
    QString m_chosenBrowser;

    std::array<HatchSwatch *, ColorRows> m_swatches{};
    std::array<QPushButton *, ColorRows> m_chooseColor{};
    QComboBox *m_style = nullptr;
    QRadioButton *m_defaultBrowser = nullptr;
    QRadioButton *m_otherBrowser = nullptr;
    QLineEdit *m_browserPath = nullptr;
    QPushButton *m_chooseBrowser = nullptr;
    QCheckBox *m_apacheCircles = nullptr;
};
