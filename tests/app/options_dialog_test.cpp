#include "../core/scripted_prompter.h"
#include "dialog_driver.h"
#include "dialogs/options_dialog.h"
#include "model/primitives.h"
#include "text/lang.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace hw;
using test::Child;
using test::Click;
using test::TypeInto;
using test::WhenModal;

class OptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void controlsShowTheValuesTheyStandFor() {
        test::ScriptedPrompter p;
        TOptionsDlg dlg(p, false);
        OptionsValues v;
        v.Shafts = 12;
        v.Treadles = 10;
        v.Ends = 300;
        v.Picks = 4000;
        v.Shed = false;
        v.MultipleTr = true;
        v.EndsPerUnit = 36;
        v.PicksPerUnit = 30;
        v.Style = 4;
        v.LayoutTopBot = true;
        v.RightStart = false;
        v.BottomStart = true;
        v.CkoLeftStart = true;
        v.Atopstart = false;
        v.Background = MakeColorRef(10, 20, 30);
        v.ShowWarnings = false;
        v.Lagrpos = false;
        v.SaveSettings = false;
        v.Yarnsim = false;
        v.Warpempty = false;
        dlg.SetValues(v);
        QCOMPARE(Child<QSpinBox>(&dlg, "SpinShafts")->value(), 12);
        QCOMPARE(Child<QSpinBox>(&dlg, "SpinEpi")->value(), 36);
        // Each group shows the item that means the value.
        for (const char* item :
             {"ShedGroup0", "TreadlingGroup1", "StyleGroup3", "PositionGroup1", "ThreadStartGroup1",
              "PickStartGroup1", "TreadleStartGroup0", "ShaftStartGroup1"})
            QVERIFY2(Child<QRadioButton>(&dlg, item)->isChecked(), item);
        QVERIFY(!Child<QCheckBox>(&dlg, "WarningsBox")->isChecked());
        QVERIFY(Child<QPushButton>(&dlg, "SaveSettingsBtn")->isEnabled());

        const OptionsValues back = dlg.Values();
        QCOMPARE(back.Shafts, 12);
        QCOMPARE(back.Treadles, 10);
        QCOMPARE(back.Ends, 300);
        QCOMPARE(back.Picks, 4000);
        QCOMPARE(back.Shed, false);
        QCOMPARE(back.MultipleTr, true);
        QCOMPARE(back.PicksPerUnit, 30);
        QCOMPARE(back.Style, 4);
        QCOMPARE(back.LayoutTopBot, true);
        QCOMPARE(back.RightStart, false);
        QCOMPARE(back.BottomStart, true);
        QCOMPARE(back.CkoLeftStart, true);
        QCOMPARE(back.Atopstart, false);
        QCOMPARE(back.Background, MakeColorRef(10, 20, 30));
        QCOMPARE(back.ShowWarnings, false);
        QCOMPARE(back.Lagrpos, false);
        QCOMPARE(back.SaveSettings, false);
        QCOMPARE(back.Yarnsim, false); // hidden, but kept
        QCOMPARE(back.Warpempty, false);
    }

    void liftplanLoomDisablesTheTreadleControls() {
        test::ScriptedPrompter p;
        TOptionsDlg dlg(p, false);
        OptionsValues v;
        v.TreadleMode = false;
        dlg.SetValues(v);
        dlg.show();
        auto* treadles = Child<QSpinBox>(&dlg, "SpinTreadles");
        QVERIFY(!treadles->isEnabled());
        QVERIFY(!Child<QWidget>(&dlg, "LabelTreadles")->isEnabled());
        QVERIFY(!Child<QWidget>(&dlg, "TreadlingGroup")->isEnabled());
        QVERIFY(!Child<QWidget>(&dlg, "TreadleStartGroup")->isEnabled());
        QVERIFY(!Child<QRadioButton>(&dlg, "TreadlingGroup0")->isChecked());
        QVERIFY(!Child<QRadioButton>(&dlg, "TreadlingGroup1")->isChecked());
        QCOMPARE(dlg.Values().TreadleMode, false);
        QCOMPARE(dlg.Values().MultipleTr, false);

        Click(Child<QRadioButton>(&dlg, "LoomGroup0"));
        QVERIFY(treadles->isEnabled());
        QVERIFY(Child<QRadioButton>(&dlg, "TreadlingGroup0")->isChecked());
        Click(Child<QRadioButton>(&dlg, "TreadlingGroup1"));
        QCOMPARE(dlg.Values().MultipleTr, true);
        QVERIFY(p.Shown.empty());
        // Back to liftplan and again to treadles: the choice comes back.
        Click(Child<QRadioButton>(&dlg, "LoomGroup1"));
        QCOMPARE(dlg.Values().MultipleTr, false);
        Click(Child<QRadioButton>(&dlg, "LoomGroup0"));
        QCOMPARE(dlg.Values().MultipleTr, true);
    }

    void multipleInDesignModeShowsTheMessageAndFallsBack() {
        test::ScriptedPrompter p;
        TOptionsDlg dlg(p, true);
        dlg.show();
        Click(Child<QRadioButton>(&dlg, "TreadlingGroup1"));
        QCOMPARE(int(p.Shown.size()), 1);
        QCOMPARE(QString::fromStdString(p.Shown[0].Text),
                 QString::fromStdString(GetText(GeneralForm, "@multitr")));
        QVERIFY(Child<QRadioButton>(&dlg, "TreadlingGroup0")->isChecked());
        QCOMPARE(dlg.Values().MultipleTr, false);
    }

    void saveSettingsButtonFollowsTheBoxAndWritesDefaults() {
        auto d = std::make_unique<DraftState>();
        d->Ends = 400;
        Settings s;
        MemoryStore store;
        test::ScriptedPrompter p;
        ColorRef background = 0xFFFFFF;
        OptionsContext ctx{*d, s, store, p, background, nullptr};
        WhenModal([](QWidget* w) {
            auto* save = Child<QPushButton>(w, "SaveSettingsBtn");
            QVERIFY(!save->isEnabled()); // "Save Settings on Exit" is ticked
            Click(Child<QCheckBox>(w, "SaveOnExitBox"));
            QVERIFY(save->isEnabled());
            TypeInto(Child<QSpinBox>(w, "SpinShafts"), "12");
            TypeInto(Child<QSpinBox>(w, "SpinEnds"), "300");
            Click(save);
            Click(Child<QPushButton>(w, "CancelBtn"));
        });
        QVERIFY(!ShowOptions(nullptr, ctx));
        QCOMPARE(store.GetInt(OptionsGroup, "Shafts"), std::optional<long long>(12));
        QCOMPARE(store.GetBool(OptionsGroup, "SaveSettings"), std::optional<bool>());
        QCOMPARE(s.SaveSettings, false);
        QCOMPARE(d->Ends, 400); // Cancel: the draft is as it was
        QCOMPARE(d->Shafts, 8);
        QVERIFY(!d->Changed);
    }

    void backgroundPanelAsksForAColour() {
        test::ScriptedPrompter p;
        TOptionsDlg dlg(p, false);
        OptionsValues v;
        v.Background = MakeColorRef(255, 255, 255);
        dlg.SetValues(v);
        ColorRef asked = 0;
        dlg.ChooseColor = [&](ColorRef current) -> std::optional<ColorRef> {
            asked = current;
            return MakeColorRef(0, 128, 255);
        };
        dlg.show();
        auto* panel = Child<ColorPanel>(&dlg, "BackgroundPanel");
        Click(panel);
        QCOMPARE(asked, MakeColorRef(255, 255, 255));
        QCOMPARE(dlg.Values().Background, MakeColorRef(0, 128, 255));
        const QImage shot = panel->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.rect().center()), QColor(0, 128, 255));
        // A cancelled colour dialog keeps the colour.
        dlg.ChooseColor = [](ColorRef) -> std::optional<ColorRef> { return std::nullopt; };
        Click(panel);
        QCOMPARE(dlg.Values().Background, MakeColorRef(0, 128, 255));
    }

    void okShrinksTheDraftAndRefitsTheZoom() {
        auto d = std::make_unique<DraftState>();
        d->Ends = 400;
        for (int e = 1; e <= 400; ++e) d->Threading[e] = uint8_t(1 + e % 8);
        Settings s;
        MemoryStore store;
        test::ScriptedPrompter p;
        ColorRef background = 0xFFFFFF;
        int refits = 0;
        OptionsContext ctx{*d, s, store, p, background, [&] { ++refits; }};
        WhenModal([](QWidget* w) {
            QCOMPARE(Child<QSpinBox>(w, "SpinEnds")->value(), 400);
            TypeInto(Child<QSpinBox>(w, "SpinEnds"), "300");
            Click(Child<QRadioButton>(w, "StyleGroup0"));
            Click(Child<QPushButton>(w, "OKBtn"));
        });
        QVERIFY(ShowOptions(nullptr, ctx));
        QCOMPARE(d->Ends, 300);
        QCOMPARE(d->Threading[300], 1 + 300 % 8);
        QCOMPARE(d->Threading[301], 0);
        QCOMPARE(d->Style, 1);
        QCOMPARE(refits, 1);
        QVERIFY(d->Changed);
        QVERIFY(store.Size() == 0); // nothing is written before exit
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
