// The main window's enabling and visibility rules, row by row, and on the
// real menu.
#include "mainwindow/main_menu.h"
#include "mainwindow/tw_form.h"
#include "platform/qt_settings_store.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

using namespace hw;

namespace {

using State = MainMenu::State;

State Make(bool design, bool fabric, bool treadle, bool multiple, bool showThreading) {
    State s;
    s.Design = design;
    s.Fabric = fabric;
    s.TreadleLoom = treadle;
    s.Multiple = multiple;
    s.ShowThreading = showThreading;
    return s;
}

// One row of the table: visible and enabled as functions of the state.
struct Row {
    const char* name;
    bool (*visible)(const State&);
    bool (*enabled)(const State&);
};

bool Always(const State&) {
    return true;
}
bool NotF(const State& s) {
    return !s.Fabric;
}
bool NotD(const State& s) {
    return !s.Design;
}
bool NotDF(const State& s) {
    return !s.Design && !s.Fabric;
}
bool T(const State& s) {
    return s.TreadleLoom;
}
bool NotT(const State& s) {
    return !s.TreadleLoom;
}

const Row Table[] = {
    {"OpenSelected1", Always, NotF},
    {"NumericInput1", Always, NotDF},
    {"KeyboardInput1", Always, NotDF},
    {"KeyTieup", T, [](const State& s) { return s.ShowThreading && !s.Design && !s.Fabric; }},
    {"KeyThreading", Always,
     [](const State& s) { return s.ShowThreading && !s.Design && !s.Fabric; }},
    {"Design1", Always, [](const State& s) { return !(s.TreadleLoom && s.Multiple); }},
    {"ShowThreading1", Always, NotDF},
    {"UnlinkColors1", Always, Always},
    {"Clear1", Always, NotF},
    {"Threading1", Always, NotD},
    {"Treadling1", T, NotD},
    {"Tieup1", T, NotD},
    {"Liftplan1", NotT, NotD},
    {"Rep1", Always, NotF},
    {"Trompaswrit1", Always, NotF},
    {"Insert1", Always, NotF},
    {"Delete1", Always, NotF},
    {"Mirror1", Always, NotDF},
    {"SwitchShafts1", Always, NotDF},
    {"ReverseWarpOrder1", Always, NotDF},
    {"ReverseOrder1", Always, NotDF},
    {"Reducetoonerepeat1", Always, NotDF},
    {"BlockSubstitution1", Always, NotDF},
    {"Network1", Always, NotDF},
    {"InsertThreading1", Always, NotDF},
    {"WrapLiftplan1", [](const State& s) { return !(s.TreadleLoom && !s.Multiple); }, NotDF},
    {"InsTreadles1", T, NotD},
    {"DelTreadles1", T, NotD},
    {"SwitchTreadles1", T, NotDF},
    {"TieUpSpecial1", T, NotDF},
    {"InsShafts1", Always, NotD},
    {"DelShafts1", Always, NotD},
    {"Reverse1", Always, [](const State& s) { return !s.Design && !s.Multiple; }},
    {"Rotate1", Always, [](const State& s) { return !s.Design && !s.Fabric && !s.Multiple; }},
    {"StraightThreading1", Always,
     [](const State& s) { return !s.Design && !s.Fabric && !s.Multiple; }},
    {"Reanalyze1", Always, [](const State& s) { return !s.Design && !s.Fabric && !s.Multiple; }},
    {"Translate1", Always, [](const State& s) { return !s.Fabric && !s.Multiple; }},
    {"Overlay1", Always, [](const State& s) { return (s.Design || !s.TreadleLoom) && !s.Fabric; }},
    {"InsertTreadling1", [](const State& s) { return s.TreadleLoom && !s.Multiple; }, NotDF},
    {"ReanalyzeTreadling1", T,
     [](const State& s) { return !s.Design && !s.Fabric && !s.Multiple; }},
    {"InsertinLiftplan1", NotT, NotDF},
    {"DeleteinLiftplan1", NotT, NotDF},
    {"Floats1", Always, NotD},
    {"Colors2", Always, NotD},
    {"Heddles1", Always, NotD},
    {"FillTreadling1", T, [](const State& s) { return !s.Design && !s.Multiple; }},
    {"FillThreading1", Always, NotD},
    {"FillTieup1", Always, [](const State& s) { return !s.Design && !s.Multiple; }},
};

} // namespace

class MainMenuTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { SetSettingsFileOverride(dir.filePath("s.ini")); }

    void everyRowInEveryState() {
        int states = 0;
        for (int bits = 0; bits < 32; ++bits) {
            const State s = Make(bits & 1, bits & 2, bits & 4, bits & 8, bits & 16);
            if (s.Multiple && !s.TreadleLoom) continue; // not a loom system
            ++states;
            const MainMenu::Rules rules = MainMenu::RulesFor(s);
            for (const Row& row : Table) {
                const MainMenu::ItemRule r = rules.value(row.name);
                const QString where = QString("%1 in state %2").arg(row.name).arg(bits);
                QVERIFY2(r.Visible == row.visible(s), qPrintable(where + " visible"));
                QVERIFY2(r.Enabled == row.enabled(s), qPrintable(where + " enabled"));
            }
        }
        QCOMPARE(states, 24);
    }

    // On the real window: items with a handler follow the table, items whose
    // feature has not landed stay disabled, hidden recent entries stay hidden.
    void theRealMenuFollowsTheDraft() {
        TWform form;
        DraftState& d = form.Draft();
        QAction* clearThreading = form.Menu().Action("Threading1");
        QAction* clearLiftplan = form.Menu().Action("Liftplan1");
        QVERIFY(clearThreading->isEnabled());
        QVERIFY(!clearLiftplan->isVisible());
        d.TreadleMode = false;
        form.UpdateMenus();
        QVERIFY(clearLiftplan->isVisible());
        QVERIFY(!form.Menu().Action("Treadling1")->isVisible());
        d.DesignMode = true;
        form.UpdateMenus();
        QVERIFY(!clearThreading->isEnabled());
        QVERIFY(form.Menu().Action("Design1")->isChecked());
        // Not built yet: visible but disabled whatever the state.
        QVERIFY(form.Menu().Action("Overlay1")->isVisible());
        QVERIFY(!form.Menu().Action("Overlay1")->isEnabled());
        QVERIFY(!form.Menu().Action("menyfil1")->isVisible());
        // Every item of every menu carries a caption.
        for (QAction* a : form.Menu().Actions())
            if (!a->isSeparator()) QVERIFY2(!a->objectName().isEmpty(), "unnamed item");
    }
};

QTEST_MAIN(MainMenuTest)
#include "main_menu_test.moc"
