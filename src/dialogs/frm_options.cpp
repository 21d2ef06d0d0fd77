// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_options.h"

#include "app/desktop.h"
#include "canvas/area_painter.h"
#include "dialog_buttons.h"
#include "pictures/file_filter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The hatch styles in the order of their stored numbers.
constexpr const char *StyleCaptions[HatchStyleCount] = {
    "Horizontal", "Vertical", "Downward Left-to-Right", "Upward Left-to-Right", "Cross", "Diagonal Cross",
};

struct ColorRowText {
    const char *caption;
    const char *swatch;
    const char *button;
};
constexpr ColorRowText ColorRowTexts[] = {
    {"Area's Default Color", "pic_defcol", "cmd_defcolor"},
    {"Highlighted Areas Color:", "pic_highlcol", "cmd_highlcol"},
    {"Selected Areas Color:", "pic_selcolor", "cmd_selcolor"},
};

constexpr QSize SwatchSize(72, 24);
constexpr int PathBoxWidth = 240;

QPushButton *chooseButton(QWidget *parent, const char *name, const QString &chosenWhat)
{
    auto *button = new QPushButton(QStringLiteral("Choose"), parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QStringLiteral("Choose ") + chosenWhat);
    // Return belongs to OK; Space presses a focused Choose button.
    button->setAutoDefault(false);
    return button;
}

} // namespace

HatchSwatch::HatchSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMinimumSize(SwatchSize);
}

void HatchSwatch::setLook(const AreaLook &look)
{
    if (look == m_look)
        return;
    m_look = look;
    update();
}

void HatchSwatch::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.fillRect(inside, Qt::white);
    painter.fillRect(inside, QBrush(m_look.colour, hatchBrushStyle(m_look.hatchStyle)));
}

frm_options::frm_options(Desktop &desktop, QWidget *parent) : QDialog(parent), m_desktop(desktop)
{
    setObjectName(QStringLiteral("frm_options"));
    setWindowTitle(QStringLiteral("Options"));

    auto *tabs = new QTabWidget(this);
    tabs->addTab(createColorsTab(), QStringLiteral("Colors"));
    tabs->addTab(createBrowserTab(), QStringLiteral("External Browser"));

    m_apacheCircles = new QCheckBox(QStringLiteral("Write NCSA circles for Apache"), this);
    m_apacheCircles->setObjectName(QStringLiteral("chk_apachecircles"));

    const OkCancelButtons buttons = okCancelButtons(this);
    connect(buttons.cmdok, &QPushButton::clicked, this, &frm_options::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(m_apacheCircles);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *const order[] = {tabs,
                              m_chooseColor[DefaultRow],
                              m_chooseColor[HighlightedRow],
                              m_chooseColor[SelectedRow],
                              m_style,
                              m_defaultBrowser,
                              m_otherBrowser,
                              m_browserPath,
                              m_chooseBrowser,
                              m_apacheCircles,
                              buttons.cmdok,
                              buttons.cmdcancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    const std::unique_ptr<QSettings> store = Settings::openStore();
    showOptions(Settings::read(*store));
}

QWidget *frm_options::createColorsTab()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    for (int row = 0; row < ColorRows; ++row) {
        const QString caption = QLatin1String(ColorRowTexts[row].caption);
        auto *label = new QLabel(caption, page);
        m_swatches[row] = new HatchSwatch(page);
        m_swatches[row]->setObjectName(QLatin1String(ColorRowTexts[row].swatch));
        m_chooseColor[row] = chooseButton(page, ColorRowTexts[row].button, caption);
        label->setBuddy(m_chooseColor[row]);
        connect(m_chooseColor[row], &QPushButton::clicked, this, [this, row] { chooseColor(ColorRow(row)); });
        grid->addWidget(label, row, 0);
        grid->addWidget(m_swatches[row], row, 1);
        grid->addWidget(m_chooseColor[row], row, 2);
    }
    auto *styleLabel = new QLabel(QStringLiteral("Style:"), page);
    m_style = new QComboBox(page);
    m_style->setObjectName(QStringLiteral("cmb_defstyle"));
    for (const char *caption : StyleCaptions)
        m_style->addItem(QLatin1String(caption));
    styleLabel->setBuddy(m_style);
    connect(m_style, &QComboBox::currentIndexChanged, this, &frm_options::showSwatches);
    grid->addWidget(styleLabel, ColorRows, 0);
    grid->addWidget(m_style, ColorRows, 1, 1, 2);
    grid->setRowStretch(ColorRows + 1, 1);
    return page;
}

QWidget *frm_options::createBrowserTab()
{
    auto *page = new QWidget;
    m_defaultBrowser = new QRadioButton(QStringLiteral("Default"), page);
    m_defaultBrowser->setObjectName(QStringLiteral("optextb_def"));
    m_otherBrowser = new QRadioButton(QStringLiteral("Other"), page);
    m_otherBrowser->setObjectName(QStringLiteral("optextb_other"));
    m_browserPath = new QLineEdit(page);
    m_browserPath->setObjectName(QStringLiteral("txtextb_path"));
    m_browserPath->setAccessibleName(QStringLiteral("Other browser"));
    m_browserPath->setMinimumWidth(PathBoxWidth);
    m_chooseBrowser = chooseButton(page, "cmdextb_choose", QStringLiteral("Other browser"));
    connect(m_chooseBrowser, &QPushButton::clicked, this, &frm_options::chooseBrowser);

    auto *path = new QHBoxLayout;
    path->addWidget(m_browserPath);
    path->addWidget(m_chooseBrowser);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("External Browser:"), page));
    layout->addWidget(m_defaultBrowser);
    layout->addWidget(m_otherBrowser);
    layout->addLayout(path);
    layout->addStretch();
    return page;
}

void frm_options::showOptions(const Settings &options)
{
    m_colors = {options.defaultColor, options.highlightedColor, options.selectedColor};
    m_style->setCurrentIndex(options.defaultStyle);
    // Both are set as stored; when both say True, Other wins.
    m_defaultBrowser->setChecked(options.previewDefaultBrowser);
    m_otherBrowser->setChecked(options.previewOtherBrowser);
    m_browserPath->setText(options.previewOtherBrowserPath);
    m_apacheCircles->setChecked(options.ncsaApacheCircles);
    showSwatches();
}

Settings frm_options::options() const
{
    Settings s;
    s.defaultColor = m_colors[DefaultRow];
    s.highlightedColor = m_colors[HighlightedRow];
    s.selectedColor = m_colors[SelectedRow];
    // One style for all three states.
    s.defaultStyle = s.highlightedStyle = s.selectedStyle = qint16(m_style->currentIndex());
    s.previewDefaultBrowser = m_defaultBrowser->isChecked();
    s.previewOtherBrowser = m_otherBrowser->isChecked();
    s.previewOtherBrowserPath = m_browserPath->text();
    s.ncsaApacheCircles = m_apacheCircles->isChecked();
    return s;
}

void frm_options::showSwatches()
{
    for (int row = 0; row < ColorRows; ++row)
        m_swatches[row]->setLook({colorFromBgr(m_colors[row]), m_style->currentIndex()});
}

void frm_options::chooseColor(ColorRow row)
{
    const QColor picked = m_desktop.chooseColor(this, colorFromBgr(m_colors[row]));
    if (picked.isValid())
        m_colors[row] = bgrFromColor(picked);
    showSwatches();
}

void frm_options::chooseBrowser()
{
    const QString file = m_desktop.chooseOpenFile(
        this, QStringLiteral("External Browser"),
        fileDialogFilter({allFiles(), {QStringLiteral("Executable Files (*.EXE)"), QStringLiteral("*.exe")}}));
    // A cancelled choice still fills the box, with the last file chosen
    // here (none the first time), and still picks Other.
    if (!file.isEmpty())
        m_chosenBrowser = file;
    m_browserPath->setText(m_chosenBrowser);
    m_otherBrowser->setChecked(true);
}

void frm_options::accept()
{
    const Settings chosen = options();
    {
        // Closing the store writes it out.
        const std::unique_ptr<QSettings> store = Settings::openStore();
        chosen.write(*store);
    }
    emit saved(chosen);
    QDialog::accept();
}
