#include "dialog_driver.h"
#include "dialogs/new_dialog.h"
#include "model/primitives.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <memory>
#include <random>

using namespace hw;
using test::Child;
using test::Click;
using test::TypeInto;
using test::WhenModal;

namespace {

// A draft with something in every component.
std::unique_ptr<DraftState> UsedDraft() {
    auto d = std::make_unique<DraftState>();
    std::mt19937 rng(3);
    for (int e = 1; e <= 300; ++e) {
        d->Threading[e] = uint8_t(1 + rng() % 8);
        d->WarpColors[e] = uint8_t(rng() % 64);
    }
    for (int p = 1; p <= 300; ++p) {
        d->Treadling[p] = uint8_t(1 + rng() % 8);
        d->Liftplan[p] = uint16_t(rng());
        d->WeftColors[p] = uint8_t(rng() % 64);
    }
    d->TieUpAt(3, 4) = 1;
    d->Palette[10] = {1, 1, 1};
    d->FileName = "/patterns/old.hdw";
    d->Changed = true;
    UpdateUsed(*d);
    return d;
}

} // namespace

class NewDialogTest : public QObject {
    Q_OBJECT
private slots:
    void startsFromTheStoredDefaults() {
        Settings s;
        s.Snapshot.Shafts = 12;
        s.Snapshot.Treadles = 14;
        s.Snapshot.Shed = false;
        s.NewUsesDefaultPalette = true;
        auto d = std::make_unique<DraftState>();
        TNewDlg dlg;
        dlg.SetValues(InitialNewPatternValues(s), NewPatternShowsTreadles(s),
                      NewPatternSizesEnabled(*d, s));
        dlg.show();
        QCOMPARE(Child<QSpinBox>(&dlg, "spinends")->value(), 2400);
        QCOMPARE(Child<QSpinBox>(&dlg, "spinpicks")->value(), 2400);
        QCOMPARE(Child<QSpinBox>(&dlg, "SpinShaft")->value(), 12);
        QCOMPARE(Child<QSpinBox>(&dlg, "SpinTr")->value(), 14);
        QVERIFY(Child<QRadioButton>(&dlg, "ShedGroup0")->isChecked());
        QVERIFY(Child<QCheckBox>(&dlg, "Palbox")->isChecked());
        QVERIFY(Child<QSpinBox>(&dlg, "SpinTr")->isVisible());
        QVERIFY(Child<QSpinBox>(&dlg, "SpinShaft")->isEnabled());
        QCOMPARE(Child<QSpinBox>(&dlg, "SpinShaft")->maximum(), 16);
        QCOMPARE(Child<QSpinBox>(&dlg, "spinends")->maximum(), 9600);

        // A liftplan default hides the treadles; Design mode with a design
        // default locks shafts and treadles.
        s.Snapshot.TreadleMode = false;
        s.Snapshot.DesignMode = true;
        d->DesignMode = true;
        dlg.SetValues(InitialNewPatternValues(s), NewPatternShowsTreadles(s),
                      NewPatternSizesEnabled(*d, s));
        QVERIFY(!Child<QSpinBox>(&dlg, "SpinTr")->isVisible());
        QVERIFY(!Child<QSpinBox>(&dlg, "SpinShaft")->isEnabled());
    }

    void okGivesAClearedDraftWithTheChosenSizesAndShed() {
        auto d = UsedDraft();
        ViewWindow view;
        view.ScrollPicks = 30;
        Settings s;
        WhenModal([](QWidget* w) {
            TypeInto(Child<QSpinBox>(w, "spinends"), "120");
            TypeInto(Child<QSpinBox>(w, "spinpicks"), "90");
            TypeInto(Child<QSpinBox>(w, "SpinShaft"), "4");
            TypeInto(Child<QSpinBox>(w, "SpinTr"), "6");
            Click(Child<QRadioButton>(w, "ShedGroup0"));
            Click(Child<QCheckBox>(w, "Palbox"));
            Click(Child<QPushButton>(w, "OKBtn"));
        });
        NewPatternResult r;
        QVERIFY(ShowNewPattern(nullptr, *d, view, s, &r));
        QVERIFY(r.PaletteReset);
        QCOMPARE(int(d->Ends), 120);
        QCOMPARE(int(d->Picks), 90);
        QCOMPARE(int(d->Shafts), 4);
        QCOMPARE(int(d->Treadles), 6);
        QVERIFY(!d->Shed);
        // The clearing itself is covered in the core tests; here only that it ran.
        QCOMPARE(int(d->Threading[1]), 0);
        QCOMPARE(int(d->WarpColors[1]), 6);
        QCOMPARE(int(d->TieUpAt(3, 4)), 0);
        QCOMPARE(d->Palette[10], (PaletteEntry{0xED, 0x74, 0x2C}));
        QVERIFY(d->FileName.empty());
        QVERIFY(!d->Changed);
        QCOMPARE(view.ScrollPicks, 0);
        QCOMPARE(int(s.Snapshot.Shafts), 4);
        QCOMPARE(int(s.Snapshot.Treadles), 6);
        QVERIFY(!s.Snapshot.Shed);
    }

    void cancelChangesNothing() {
        auto d = UsedDraft();
        const auto threading = d->Threading;
        ViewWindow view;
        Settings s;
        WhenModal([](QWidget* w) {
            TypeInto(Child<QSpinBox>(w, "SpinShaft"), "4");
            Click(Child<QPushButton>(w, "CancelBtn"));
        });
        QVERIFY(!ShowNewPattern(nullptr, *d, view, s));
        QVERIFY(d->Threading == threading);
        QCOMPARE(d->FileName, std::string("/patterns/old.hdw"));
        QCOMPARE(int(s.Snapshot.Shafts), 8);
    }
};

QTEST_MAIN(NewDialogTest)
#include "new_dialog_test.moc"
