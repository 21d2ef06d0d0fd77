// The area clipboard commands: the Edit menu and its toolbar buttons act on
// the selected area, the context menu on the area under the pointer.
#include "form1.h"

namespace {

const QString EditorTitle = QStringLiteral("Tarnel Software Zonari");
const QString SelectFirst = QStringLiteral("Please select a shape first (its color should get blue) !");
const QString ClipboardEmpty =
    QStringLiteral("There is no shape in the clipboard . Please copy a shape to the clipboard first !");

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
