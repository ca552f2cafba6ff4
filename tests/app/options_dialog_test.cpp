#include "../core/scripted_prompter.h"
#include "dialog_driver.h"
#include "dialogs/memo_form.h"
#include "dialogs/new_dialog.h"
#include "dialogs/options_dialog.h"
#include "platform/lang_binder.h"
#include "text/lang.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace hw;
using test::Child;
using test::Click;
using test::TypeInto;
using test::WhenModal;

namespace {

bool Shows(QWidget* dlg, const char* name) {
    return !Child<QWidget>(dlg, name)->isHidden();
}

// Shown labels and buttons narrower than their texts.
QStringList Clipped(QWidget* form) {
    form->layout()->activate();
    QStringList clipped;
    for (QWidget* w : form->findChildren<QWidget*>())
        if (w->isVisible() && (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) &&
            w->width() < w->sizeHint().width())
            clipped << w->objectName();
    return clipped;
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ApplyAppLanguage(LangEnglish); }

    void controlsFollowTheirRules() {
        test::ScriptedPrompter p;
        TOptionsDlg dlg(p, false);
        dlg.SetValues({.TreadleMode = false, .MultipleTr = true});
        dlg.show();
        for (const char* name :
             {"SpinTreadles", "LabelTreadles", "TreadlingGroup", "TreadleStartGroup"})
            QVERIFY2(!Child<QWidget>(&dlg, name)->isEnabled(), name);
        QVERIFY(!Child<QRadioButton>(&dlg, "TreadlingGroup0")->isChecked());
        QVERIFY(!Child<QRadioButton>(&dlg, "TreadlingGroup1")->isChecked());
        for (const auto& [item, multiple] :
             {std::pair{"LoomGroup0", false}, std::pair{"TreadlingGroup1", true},
              std::pair{"LoomGroup1", false}, std::pair{"LoomGroup0", true}}) {
            Click(Child<QWidget>(&dlg, item));
            QCOMPARE(dlg.Values().MultipleTr, multiple);
        }
        QVERIFY(p.Shown.empty());
        TOptionsDlg design(p, true); // refuses multiple treadling with a message
        design.show();
        Click(Child<QWidget>(&design, "TreadlingGroup1"));
        QCOMPARE(p.LastText(), GetText(GeneralForm, "@multitr"));
        QVERIFY(Child<QRadioButton>(&design, "TreadlingGroup0")->isChecked());
    }

    // New Pattern shows the stored defaults; OK takes the choices, Cancel nothing.
    void okGivesANewPatternAndCancelChangesNothing() {
        for (bool ok : {false, true}) {
            auto d = std::make_unique<DraftState>();
            d->Threading[1] = 3;
            ViewWindow view;
            Settings s;
            s.Snapshot.Shafts = 12;
            s.Snapshot.Treadles = 14;
            s.NewUsesDefaultPalette = true;
            WhenModal([ok](QWidget* w) {
                QCOMPARE(Child<QSpinBox>(w, "SpinShaft")->value(), 12);
                QCOMPARE(Child<QSpinBox>(w, "SpinTr")->value(), 14);
                QVERIFY(Child<QRadioButton>(w, "ShedGroup1")->isChecked());
                QVERIFY(Child<QCheckBox>(w, "Palbox")->isChecked());
                TypeInto(Child<QSpinBox>(w, "spinends"), "120");
                TypeInto(Child<QSpinBox>(w, "spinpicks"), "90");
                TypeInto(Child<QSpinBox>(w, "SpinShaft"), "4");
                TypeInto(Child<QSpinBox>(w, "SpinTr"), "6");
                Click(Child<QWidget>(w, "ShedGroup0"));
                Click(Child<QWidget>(w, "Palbox"));
                Click(Child<QWidget>(w, ok ? "OKBtn" : "CancelBtn"));
            });
            QCOMPARE(ShowNewPattern(nullptr, *d, view, s), ok);
            QCOMPARE(int(d->Threading[1]), ok ? 0 : 3);
            QCOMPARE(s.NewUsesDefaultPalette, !ok);
            const DefaultsSnapshot& snap = s.Snapshot;
            QCOMPARE(ok, d->Ends == 120 && d->Picks == 90 && d->Shafts == 4 && d->Treadles == 6 &&
                             !d->Shed && snap.Shafts == 4 && snap.Treadles == 6 && !snap.Shed);
        }
    }

    // Options, New Pattern and the notes switch language while open, fitting their texts.
    void windowsFollowALanguageSwitchAndFitTheirTexts() {
        test::ScriptedPrompter p;
        TOptionsDlg options(p, false);
        options.SetValues({.MetricUnits = true}); // densities per centimetre
        TNewDlg newPattern;
        Tmemoform notes;
        for (QWidget* w : std::initializer_list<QWidget*>{&options, &newPattern, &notes}) w->show();
        auto* tabs = Child<QTabWidget>(&options, "PageControl1");
        for (int lang : {LangEnglish, LangGerman, LangSwedish, LangFinnish}) {
            QVERIFY(ApplyAppLanguage(lang));
            for (int page = 0; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                QVERIFY2(Clipped(&options).isEmpty(), qPrintable(Clipped(&options).join(",")));
            }
            QVERIFY2(Clipped(&newPattern).isEmpty(), qPrintable(Clipped(&newPattern).join(",")));
        }
        // The two groups captioned alike say in their hints what they place.
        const QStringList shown = {options.windowTitle(),
                                   tabs->tabText(3),
                                   Child<QLabel>(&options, "LabelPpcm")->text(),
                                   Child<QWidget>(&options, "ShaftStartGroup")->toolTip(),
                                   newPattern.windowTitle(),
                                   Child<QRadioButton>(&newPattern, "ShedGroup1")->text(),
                                   notes.windowTitle(),
                                   notes.PrintAction()->text()};
        QCOMPARE(shown, (QStringList{"Asetukset", "Muut",
                                     "Kudekertaa/cm:", "Varsi 1 ylhäällä tai alhaalla",
                                     "Uusi malli", "Laskeva viriö", "Muistiinpanot", "Tulosta"}));
        QVERIFY(Shows(&options, "LabelEpcm") && !Shows(&options, "LabelEpi"));
        options.SetValues({});
        QVERIFY(!Shows(&options, "LabelPpcm") && Shows(&options, "LabelPpi"));
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
