// SPDX-License-Identifier: GPL-3.0-or-later
// The area clipboard commands: the Edit menu and its toolbar buttons act on
// the selected area, the context menu on the area under the pointer. And
// Check Map, which lists what will not work and leads to each area.
#include "form1.h"

#include "canvas/zoom_math.h"
#include "dialogs/frm_checkmap.h"
#include "model/area_region.h"

#include <QScrollBar>

namespace {

const QString EditorTitle = QStringLiteral("Tarnel Software Zonari");
const QString SelectFirst = QStringLiteral("Please select a shape first (its color should get blue) !");
const QString ClipboardEmpty =
    QStringLiteral("There is no shape in the clipboard . Please copy a shape to the clipboard first !");
const QString NoProblems = QStringLiteral("The map has no problems.");

} // namespace

bool Form1::withSelectedArea(bool (AreaClipboard::*command)(int))
{
    const int selected = document().selected_shapeid;
    if (selected == -1) {
        m_desktop->message(this, SelectFirst, EditorTitle, MessageIcon::Exclamation);
        return false;
    }
    return (m_clipboardArea.*command)(selected);
}

void Form1::pasteArea()
{
    if (m_clipboardArea.paste(QPointF(m_state.context_x, m_state.context_y)))
        m_tools.Reshape();
}

void Form1::mnuedit_copy()
{
    withSelectedArea(&AreaClipboard::copy);
}

void Form1::mnuedit_cut()
{
    if (withSelectedArea(&AreaClipboard::cut))
        m_tools.Reshape();
}

void Form1::mnuedit_delete()
{
    if (withSelectedArea(&AreaClipboard::remove))
        m_tools.Reshape();
}

void Form1::mnuedit_paste()
{
    if (m_clipboardArea.isEmpty()) {
        m_desktop->message(this, ClipboardEmpty, EditorTitle, MessageIcon::Exclamation);
        return;
    }
    pasteArea();
}

void Form1::cp_copy()
{
    m_clipboardArea.copy(document().active_id);
}

void Form1::cp_cut()
{
    if (m_clipboardArea.cut(document().active_id))
        m_tools.Reshape();
}

void Form1::cp_delete()
{
    if (m_clipboardArea.remove(document().active_id))
        m_tools.Reshape();
}

void Form1::cp_paste()
{
    pasteArea();
}

void Form1::mnuedit_checkmap()
{
    const std::vector<MapFinding> findings = checkMap(document(), m_pictemp.size());
    if (findings.empty()) {
        if (m_checkMap)
            m_checkMap->close();
        m_desktop->message(this, NoProblems, EditorTitle, MessageIcon::Information);
        return;
    }
    if (!m_checkMap) {
        m_checkMap = new frm_checkmap(this);
        m_checkMap->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_checkMap, &frm_checkmap::areaChosen, this, &Form1::showArea);
        connect(m_checkMap, &frm_checkmap::checkAgain, this, &Form1::mnuedit_checkmap);
    }
    m_checkMap->showFindings(findings);
    m_checkMap->show();
    m_checkMap->raise();
}

void Form1::showArea(int position)
{
    if (!m_tools.selectArea(position))
        return; // deleted since the check
    const QRect shape = regionOf(document().shapecol.item(position), document().zoom_factor).outlineRect();
    // A scroll bar's value is how far the picture is moved left or up.
    m_hscroll->setValue(
        scrollValueShowing(m_hscroll->value(), m_picture1->width(), m_hscroll->maximum(), shape.left(), shape.right()));
    m_vscroll->setValue(scrollValueShowing(m_vscroll->value(), m_picture1->height(), m_vscroll->maximum(), shape.top(),
                                           shape.bottom()));
}
