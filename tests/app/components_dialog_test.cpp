// Open Components asks through the "Load components" and "Blend Liftplan"
// dialogs, driven with the mouse.
#include "dialog_driver.h"

#include "dialogs/blend_dialog.h"
#include "dialogs/components_dialog.h"
#include "files/pattern_file.h"
#include "model/draft_state.h"
#include "model/primitives.h"

using namespace hw;
using test::Child;
using test::Click;
using test::WhenModal;

namespace {

ComponentEnabling Enabling(LoomSystem system) {
    DraftState d;
    SetLoomSystem(d, system);
    return EnabledComponents(d);
}

} // namespace

class ComponentsDialogTest : public QObject {
    Q_OBJECT
private slots:
    // Ticks stay for the next time; a disabled box counts as unchecked.
    void theDialogsAnswerWhichComponentsOrHowToBlend() {
        ComponentsDialog components;
        BlendDialog blend;
        DialogComponentChooser chooser(components, blend);
        WhenModal([](QWidget* m) {
            QVERIFY(!Child<QPushButton>(m, "BlendBtn")->isVisible());
            for (const char* box : {"TreadlingBox", "NoteBox", "OKBtn"})
                Click(Child<QAbstractButton>(m, box));
        });
        ComponentChoice c = chooser.Choose(Enabling(LoomSystem::SingleTreadling));
        QCOMPARE(int(c.Result), int(ComponentChoice::Load));
        QVERIFY(c.Flags.Treadling && c.Flags.Notes && !c.Flags.Threading && !c.Flags.General);

        WhenModal([](QWidget* m) {
            QVERIFY(Child<QCheckBox>(m, "TreadlingBox")->isChecked());
            Click(Child<QPushButton>(m, "OKBtn"));
        });
        c = chooser.Choose(Enabling(LoomSystem::Liftplan));
        QVERIFY(!c.Flags.Treadling && c.Flags.Notes);

        // Blend Liftplan: Invert, then Cancel; Append is chosen afresh each time.
        for (const char* answer : {"BlendItem3", "CancelBtn"}) {
            WhenModal([answer](QWidget* m) {
                Click(Child<QPushButton>(m, "BlendBtn"));
                WhenModal([answer](QWidget* b) {
                    QVERIFY(Child<QRadioButton>(b, "BlendItem1")->isChecked());
                    Click(Child<QAbstractButton>(b, answer));
                    if (QString(answer) != "CancelBtn") Click(Child<QPushButton>(b, "OKBtn"));
                });
            });
            c = chooser.Choose(Enabling(LoomSystem::Liftplan));
            const bool cancelled = QString(answer) == "CancelBtn";
            QCOMPARE(int(c.Result),
                     int(cancelled ? ComponentChoice::Cancel : ComponentChoice::Blend));
            if (!cancelled) QCOMPARE(c.BlendMode, int(ModeInvert));
        }

        WhenModal([](QWidget* m) { Click(Child<QPushButton>(m, "CancelBtn")); });
        QCOMPARE(int(chooser.Choose(Enabling(LoomSystem::Liftplan)).Result),
                 int(ComponentChoice::Cancel));
    }
};

QTEST_MAIN(ComponentsDialogTest)
#include "components_dialog_test.moc"
