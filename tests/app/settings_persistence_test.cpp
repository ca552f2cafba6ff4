#include "../core/scripted_prompter.h"
#include "dialog_driver.h"
#include "dialogs/options_dialog.h"
#include "platform/qt_settings_store.h"
#include "platform/settings_session.h"

#include <QColorDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace hw;
using test::Child;
using test::Click;
using test::TypeInto;
using test::WhenModal;

namespace {

// Options with `change` done to the controls; the values shown at OK or Cancel.
template <class Change>
OptionsValues RunOptions(SettingsSession& session, DraftState& d, bool ok, Change change) {
    test::ScriptedPrompter p;
    ColorRef background = 0;
    OptionsContext ctx{d, session.Prefs(), session.Store(), p, background, nullptr};
    OptionsValues shown;
    WhenModal([&](QWidget* w) {
        change(w);
        shown = static_cast<TOptionsDlg*>(w)->Values();
        Click(Child<QWidget>(w, ok ? "OKBtn" : "CancelBtn"));
    });
    ShowOptions(nullptr, ctx);
    return shown;
}

} // namespace

class SettingsPersistenceTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString File(const char* name) const { return dir_.filePath(name); }

private slots:
    // Every setting, and every value the Options dialog shows, survives a restart:
    // once kept by "Save Settings on Exit", once by "Save Settings".
    void everySettingSurvivesARestart() {
        for (bool liftplan : {true, false}) {
            const QString path = File(liftplan ? "options1.ini" : "options2.ini");
            auto d = std::make_unique<DraftState>();
            Settings saved;
            OptionsValues shown;
            {
                SettingsSession session(path);
                session.Start(*d, nullptr);
                const Settings fresh = session.Prefs();
                RunOptions(session, *d, false, [](QWidget* w) {
                    auto* save = Child<QAbstractButton>(w, "SaveSettingsBtn");
                    QVERIFY(!save->isEnabled()); // "Save Settings on Exit" is ticked
                    Click(Child<QWidget>(w, "SaveOnExitBox"));
                    Click(save);
                    Click(Child<QWidget>(w, "WarningsBox"));
                    TypeInto(Child<QSpinBox>(w, "SpinEnds"), "300");
                });
                // Cancel changes nothing, not even after "Save Settings".
                QVERIFY(session.Prefs() == fresh && d->Ends == 2400 && !QFileInfo::exists(path));
                d->MarkEndsInterval = 1;
                shown = RunOptions(session, *d, true, [&](QWidget* w) {
                    for (const char* spin : {"SpinShafts", "SpinTreadles", "SpinEpi", "SpinPpi"})
                        TypeInto(Child<QSpinBox>(w, spin),
                                 spin == std::string("SpinPpi") ? "30" : "12");
                    for (const char* item :
                         {"ShedGroup0", "TreadlingGroup1", "StyleGroup3", "PositionGroup0",
                          "ThreadStartGroup1", "PickStartGroup0", "TreadleStartGroup0",
                          "ShaftStartGroup1", "WarningsBox", "LagrposBox",
                          liftplan ? "LoomGroup1" : "SaveOnExitBox"})
                        Click(Child<QWidget>(w, item));
                    if (!liftplan) Click(Child<QWidget>(w, "SaveSettingsBtn"));
                    QTimer::singleShot(0, [] {
                        auto* c = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                        QVERIFY(c);
                        c->setCurrentColor(QColor(10, 20, 30));
                        c->accept();
                    });
                    Click(Child<QWidget>(w, "BackgroundPanel"));
                });
                QCOMPARE(QFileInfo::exists(path), !liftplan); // OK alone writes nothing
                Settings& s = session.Prefs();
                if (liftplan) {
                    s.LineOn = false;
                    s.ColorBeep = s.BlackPrintLines = true;
                    s.NufilPath = "/home/väver/mönster, gamla";
                    s.Memo = {350, 200, 40};
                    s.Wbredde = 1000;
                    s.Recent.Add("/home/väver/a, b.hdw");
                    d->Zoom = 17;
                    d->ViewZoom = 7;
                }
                QWidget window; // closed at its size, or maximized
                window.resize(700, 500);
                if (!liftplan) window.setWindowState(Qt::WindowMaximized);
                QVERIFY(session.Close(*d, &window));
                saved = s;
            }
            QFile ini(path);
            QVERIFY(ini.open(QIODevice::ReadOnly));
            const QByteArray text = ini.readAll(); // the groups and names of the file
            QVERIFY(text.contains("[Options6]") && text.contains("Shafts=12") &&
                    text.contains("[Files]\nFile_1="));

            SettingsSession again(path);
            QWidget window;
            again.Start(*d, &window);
            saved.Found = true;
            QVERIFY(again.Prefs() == saved);
            QCOMPARE(bool(window.windowState() & Qt::WindowMaximized), !liftplan);
            if (liftplan) QCOMPARE(window.size(), QSize(700, 500));
            QCOMPARE(int(d->Zoom), liftplan ? 17 : 15);
            QCOMPARE(int(d->ViewZoom), liftplan ? 7 : 2);
            // Each control meant what it says.
            QVERIFY(!d->Shed && d->Style == 4 && !d->LayoutTopBot && !d->RightStart &&
                    !d->BottomStart && d->CkoLeftStart && !d->Atopstart &&
                    d->TreadleMode == !liftplan && d->PicksPerUnit == 30);
            OptionsValues expected = shown;
            expected.SaveDefaults = false;
            QVERIFY(RunOptions(again, *d, false, [](QWidget*) {}) == expected);
            QCOMPARE(expected.Background, MakeColorRef(10, 20, 30));
        }
    }

    void handEditedAndUnusableFilesDoNoHarm() {
        const QByteArray text = "[Options6]\nLineOn=false\nNufilPath=a,b\nZoom=5\n";
        QFile f(File("edited.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        f.close();
        auto d = std::make_unique<DraftState>();
        Settings s;
        StartSettings(QtSettingsStore(File("edited.ini")), *d, s);
        QVERIFY(!s.LineOn && s.NufilPath == "a,b" && d->Zoom == 12);
        // A folder in the file's place, or one that cannot be made: nothing is lost.
        QVERIFY(QDir().mkpath(File("folder.ini")));
        for (const char* name : {"folder.ini", "edited.ini/sub/heddlewise.ini"}) {
            QtSettingsStore store(File(name));
            StartSettings(store, *d, s);
            QVERIFY(d->Zoom == 15 && !WriteSettings(store, *d, s));
        }
        QVERIFY(QFileInfo(File("folder.ini")).isDir());
        QCOMPARE(QFileInfo(File("edited.ini")).size(), text.size());
    }

    void configOptionAndEnvironmentPickTheFile() {
        QStringList args{"heddlewise", "--config", "/a.ini", "rose.hdw", "--config=/b.ini"};
        QCOMPARE(TakeConfigOption(args), QString("/b.ini"));
        QCOMPARE(args, (QStringList{"heddlewise", "rose.hdw"}));
        // The test runner sets HEDDLEWISE_CONFIG; --config wins over it.
        QCOMPARE(SettingsFilePath(), qEnvironmentVariable("HEDDLEWISE_CONFIG"));
        SetSettingsFileOverride("/tmp/chosen.ini");
        QCOMPARE(SettingsFilePath(), QString("/tmp/chosen.ini"));
        SetSettingsFileOverride(QString());
    }
};

QTEST_MAIN(SettingsPersistenceTest)
#include "settings_persistence_test.moc"
