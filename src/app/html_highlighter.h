#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTimer>

// Colours the map text in the code pane: tags, attribute names, attribute
// values and comments. Text outside tags keeps the default look. A comment,
// a tag or a quoted value may run on over several lines.
class HtmlHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    enum class Role { Tag, AttributeName, AttributeValue, Comment };

    explicit HtmlHighlighter(QTextDocument *document);

    static QTextCharFormat formatFor(Role role);

    // For a change of many lines at once (a whole map of ten thousand areas
    // after a load): while `work` changes the text, new lines get only what
    // the next line needs to know; then the lines `inView()` names (first and
    // last number) are coloured at once, and the others a slice at a time
    // while the program is idle.
    template <typename Work, typename InView> void changeMany(Work &&work, InView &&inView)
    {
        m_statesOnly = true;
        work();
        m_statesOnly = false;
        const auto [first, last] = inView();
        colourLines(first, last);
        m_idleLine = 0;
        m_idle.start();
    }
    // Colours the lines in that range that are still waiting for colours.
    void colourLines(int first, int last);
    bool allColoured() const { return !m_idle.isActive(); }

protected:
    void highlightBlock(const QString &text) override;

private:
    void colourWhileIdle();

    bool m_statesOnly = false;
    QTimer m_idle;
    int m_idleLine = 0;
};
