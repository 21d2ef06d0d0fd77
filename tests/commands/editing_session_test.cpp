// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/editing_session.h"
#include "support/area_points.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct Recorder : EditingSession::Observer {
    QStringList texts;
    int replaced = 0;
    void mapTextChanged(const QString &text) override { texts << text; }
    void areasReplaced() override { ++replaced; }
};

const QString Link = QStringLiteral("a.html");

} // namespace

TEST(EditingSession, TheMapTextGoesOnOnlyWhenItChanges)
{
    EditingSession session;
    Recorder recorder;
    session.setObserver(&recorder);
    session.document().map_name = QStringLiteral("m");
    session.fill_html_textbox();
    session.fill_html_textbox(); // nothing changed: nothing to show or record
    addArea(session.document(), Rectangle, {{10, 20}, {110, 70}}, Link);
    session.fill_html_textbox();
    ASSERT_EQ(recorder.texts.size(), 2);
    EXPECT_TRUE(recorder.texts[1].contains(QStringLiteral("coords=\"10,20,110,70\"")));
    EXPECT_EQ(session.mapText(), recorder.texts[1]);
}

TEST(EditingSession, RebuildingTheMapFromItsTextNeverRunsOutOfPositions)
{
    for (const bool servermap : {false, true}) {
        EditingSession session;
        Recorder recorder;
        session.setObserver(&recorder);
        MapDocument &doc = session.document();
        doc.map_name = QStringLiteral("m");
        doc.is_servermap = servermap;
        for (int i = 0; i < 10'000; ++i)
            addArea(doc, Rectangle, {{i % 100, i / 100}, {i % 100 + 5, i / 100 + 5}}, Link);
        session.fill_html_textbox();
        const QString text = session.mapText();
        doc.selected_shapeid = 10'000;
        // Four reads of 10,000 areas pass the 32,767 positions a collection can number.
        for (int read = 0; read < 4; ++read) {
            const MapReadResult result = session.replaceAreasFromText(text);
            ASSERT_EQ(result.outcome, ReadOutcome::Done) << result.message.toStdString();
            ASSERT_EQ(doc.shapecol.count(), 10'000);
        }
        // A server map's default line gains a blank at every read.
        EXPECT_TRUE(servermap || session.mapText() == text);
        EXPECT_EQ(doc.selected_shapeid, -1);
        EXPECT_EQ(recorder.replaced, 4);
    }
}

TEST(EditingSession, AMapTextThatDoesNotReadKeepsWhatWasRead)
{
    EditingSession session;
    MapDocument &doc = session.document();
    doc.is_servermap = true;
    doc.serverside_type = Cern;
    EXPECT_EQ(session.replaceAreasFromText(QStringLiteral("rect (1,2) (3,4) a.html\r\nrect (1,2) b.html\r\n")),
              MapReadResult::failed(QStringLiteral("Could not load server-side imagemap !")));
    ASSERT_EQ(doc.shapecol.count(), 2);
    EXPECT_EQ(doc.shapecol.item(1).link, QStringLiteral("a.html"));

    doc.is_servermap = false;
    EXPECT_EQ(session.replaceAreasFromText(QStringLiteral("<p>no map</p>")).message,
              QStringLiteral("Error while opening map !"));
    EXPECT_EQ(doc.shapecol.count(), 0);
}

TEST(EditingSession, UndoAndRedoWalkTheRecordedTexts)
{
    EditingSession session;
    MapDocument &doc = session.document();
    doc.map_name = QStringLiteral("m");
    session.fill_html_textbox(); // the baseline
    const QString empty = session.mapText();
    EXPECT_FALSE(session.history().canUndo());
    addArea(doc, Rectangle, {{1, 1}, {5, 5}}, Link);
    session.fill_html_textbox();
    const QString one = session.mapText();
    addArea(doc, Rectangle, {{7, 7}, {9, 9}}, Link);
    session.fill_html_textbox();
    const QString two = session.mapText();

    session.undo();
    EXPECT_EQ(session.mapText(), one);
    EXPECT_EQ(doc.shapecol.count(), 1);
    // A new edit after an undo keeps the redo list; undo comes back to the
    // state the first undo reached.
    addArea(doc, Rectangle, {{20, 20}, {30, 30}}, Link);
    session.fill_html_textbox();
    EXPECT_EQ(session.history().redoCount(), 1u);
    session.undo();
    EXPECT_EQ(session.mapText(), one);
    session.redo();
    session.redo();
    EXPECT_EQ(session.mapText(), two);
    EXPECT_EQ(doc.shapecol.count(), 2);

    // Pausing keeps live refreshes out; the first recorded change after
    // them stores the text from before the pause.
    session.history_paused = true;
    doc.shapecol.item(1).setpoint(0, 2, 2);
    session.fill_html_textbox();
    session.history_paused = false;
    doc.shapecol.item(1).setpoint(0, 3, 3);
    const std::size_t before = session.history().undoCount();
    session.fill_html_textbox();
    EXPECT_EQ(session.history().undoCount(), before + 1);
    session.undo();
    EXPECT_EQ(session.mapText(), two);

    session.reset_undo_redo();
    EXPECT_EQ(session.undo(), MapReadResult());
    EXPECT_EQ(session.mapText(), two);
    EXPECT_NE(empty, two);
}
