// The "Load components" and "Blend Liftplan" dialogs, driven with the mouse,
// and an Open Components load through them.
#include "dialogs/blend_dialog.h"
#include "dialogs/components_dialog.h"

#include "files/pattern_file.h"
#include "model/draft_state.h"
#include "model/primitives.h"
#include "platform/lang_binder.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace hw;

namespace {

void Click(QWidget* w) {
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
}

// Runs the given steps inside the next modal dialog once it is up.
void WhenModal(std::function<void(QWidget*)> steps) {
    QTimer::singleShot(0, [steps] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            WhenModal(steps);
            return;
        }
        steps(modal);
    });
}

ComponentEnabling Enabling(LoomSystem system, bool design = false) {
    DraftState d;
    SetLoomSystem(d, system);
    d.DesignMode = design;
    return EnabledComponents(d);
}

} // namespace

class ComponentsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void enablingAndBlendButtonFollowTheDraft() {
        ComponentsDialog dlg;
        dlg.Prepare(Enabling(LoomSystem::Liftplan));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        auto box = [&](const char* name) { return dlg.findChild<QCheckBox*>(name); };
        QVERIFY(box("ThreadingBox")->isEnabled());
        QVERIFY(box("LiftplanBox")->isEnabled());
        QVERIFY(!box("TreadlingBox")->isEnabled());
        QVERIFY(!box("TieUpBox")->isEnabled());
        QVERIFY(box("NoteBox")->isEnabled());
        QVERIFY(dlg.findChild<QPushButton*>("BlendBtn")->isVisible());

        dlg.Prepare(Enabling(LoomSystem::SingleTreadling));
        QVERIFY(!box("LiftplanBox")->isEnabled());
        QVERIFY(box("TreadlingBox")->isEnabled());
        QVERIFY(box("TieUpBox")->isEnabled());
        QVERIFY(!dlg.findChild<QPushButton*>("BlendBtn")->isVisible());

        dlg.Prepare(Enabling(LoomSystem::SingleTreadling, true));
        QVERIFY(!box("ThreadingBox")->isEnabled());
        QVERIFY(!box("TieUpBox")->isEnabled());
        QVERIFY(box("PaletteBox")->isEnabled());
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void ticksAreKeptAndDisabledBoxesCountAsUnchecked() {
        ComponentsDialog dlg;
        WhenModal([](QWidget* m) {
            Click(m->findChild<QCheckBox*>("TreadlingBox"));
            Click(m->findChild<QCheckBox*>("NoteBox"));
            Click(m->findChild<QPushButton*>("OKBtn"));
        });
        QCOMPARE(dlg.Execute(Enabling(LoomSystem::SingleTreadling)),
                 int(ComponentsDialog::OkResult));
        QVERIFY(dlg.CheckedFlags().Treadling);
        QVERIFY(dlg.CheckedFlags().Notes);
        QVERIFY(!dlg.CheckedFlags().General);

        // Next time, on a liftplan draft: the ticks are still there, but the
        // treadling box is disabled and so does not count.
        WhenModal([](QWidget* m) {
            QVERIFY(m->findChild<QCheckBox*>("TreadlingBox")->isChecked());
            QVERIFY(m->findChild<QCheckBox*>("NoteBox")->isChecked());
            Click(m->findChild<QPushButton*>("OKBtn"));
        });
        QCOMPARE(dlg.Execute(Enabling(LoomSystem::Liftplan)), int(ComponentsDialog::OkResult));
        QVERIFY(!dlg.CheckedFlags().Treadling);
        QVERIFY(dlg.CheckedFlags().Notes);

        WhenModal([](QWidget* m) { Click(m->findChild<QPushButton*>("CancelBtn")); });
        QCOMPARE(dlg.Execute(Enabling(LoomSystem::Liftplan)), int(ComponentsDialog::CancelResult));
    }

    void blendLiftplanAsksHowToCombine() {
        ComponentsDialog components;
        BlendDialog blend;
        DialogComponentChooser chooser(components, blend);
        WhenModal([](QWidget* m) {
            Click(m->findChild<QPushButton*>("BlendBtn"));
            WhenModal([](QWidget* b) {
                QCOMPARE(b->objectName(), QString("TBlendDlg"));
                QVERIFY(b->findChild<QRadioButton*>("BlendItem1")->isChecked());
                Click(b->findChild<QRadioButton*>("BlendItem3"));
                Click(b->findChild<QPushButton*>("OKBtn"));
            });
        });
        ComponentChoice c = chooser.Choose(Enabling(LoomSystem::Liftplan));
        QCOMPARE(int(c.Result), int(ComponentChoice::Blend));
        QCOMPARE(c.BlendMode, int(ModeInvert));

        // Cancel in the blend dialog ends the load; Append is chosen afresh.
        WhenModal([](QWidget* m) {
            Click(m->findChild<QPushButton*>("BlendBtn"));
            WhenModal([](QWidget* b) {
                QVERIFY(b->findChild<QRadioButton*>("BlendItem1")->isChecked());
                Click(b->findChild<QPushButton*>("CancelBtn"));
            });
        });
        c = chooser.Choose(Enabling(LoomSystem::Liftplan));
        QCOMPARE(int(c.Result), int(ComponentChoice::Cancel));
    }

    void bothDialogsSpeakTheChosenLanguage() {
        QVERIFY(ApplyAppLanguage(LangGerman));
        ComponentsDialog components;
        BlendDialog blend;
        QCOMPARE(components.windowTitle(), QString("Komponenten laden"));
        QCOMPARE(components.findChild<QCheckBox*>("TieUpBox")->text(), QString("Anschnürung"));
        QCOMPARE(blend.findChild<QRadioButton*>("BlendItem1")->text(), QString("Anhängen"));
        QVERIFY(ApplyAppLanguage(LangFinnish));
        QCOMPARE(blend.findChild<QRadioButton*>("BlendItem4")->text(), QString("Vähennä"));
        QCOMPARE(components.findChild<QPushButton*>("BlendBtn")->text(),
                 QString("Yhdistä nostojärjestys..."));
        QVERIFY(ApplyAppLanguage(LangEnglish));
        QCOMPARE(components.findChild<QCheckBox*>("TransUnitsBox")->text(),
                 QString("Trans. Units"));
    }

    void openComponentsThroughTheDialogs() {
        auto d = std::make_unique<DraftState>();
        d->Notes = "mine";
        const auto threading = d->Threading;
        ComponentsDialog components;
        BlendDialog blend;
        DialogComponentChooser chooser(components, blend);
        WhenModal([](QWidget* m) {
            Click(m->findChild<QCheckBox*>("NoteBox"));
            Click(m->findChild<QPushButton*>("OKBtn"));
        });
        const LoadResult r = LoadComponents(*d, HW_TEST_DATA_DIR "/sample_v7_e.hdw", chooser);
        QVERIFY(r.Ok);
        QCOMPARE(QString::fromStdString(d->Notes), QString("Twill \u00e4\u20ac"));
        QVERIFY(d->Threading == threading);
    }
};

QTEST_MAIN(ComponentsDialogTest)
#include "components_dialog_test.moc"
