#include "../core/scripted_prompter.h"
#include "dialog_driver.h"
#include "dialogs/options_dialog.h"
#include "document/editor_document.h"
#include "mainwindow/action_table.h"
#include "mainwindow/tw_form.h"
#include "platform/qt_settings_store.h"
#include "platform/settings_session.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace hw;
using test::Child;
using test::Click;
using test::TypeInto;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class SettingsPersistenceTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString File(const char* name) const { return dir_.filePath(name); }

private slots:
    void iniFileUsesTheGroupsAndNames() {
        QtSettingsStore store(File("names.ini"));
        QVERIFY(store.Readable());
        auto d = std::make_unique<DraftState>();
        Settings s;
        StartSettings(store, *d, s);
        s.NufilPath = "/home/väver/mönster, gamla";
        s.Recent.Add("/home/väver/a, b.hdw");
        QVERIFY(WriteSettings(store, *d, s));
        const QString text = QString::fromUtf8(ReadAll(File("names.ini")));
        QVERIFY(text.contains("[Options6]"));
        QVERIFY(text.contains("[Files]"));
        QVERIFY(text.contains("Zoom=15"));
        QVERIFY(text.contains("SaveSettings=1"));
        QVERIFY(text.contains("File_7="));

        QtSettingsStore again(File("names.ini"));
        auto d2 = std::make_unique<DraftState>();
        Settings s2;
        StartSettings(again, *d2, s2);
        QCOMPARE(QString::fromStdString(s2.NufilPath), QString("/home/väver/mönster, gamla"));
        QCOMPARE(QString::fromStdString(s2.Recent.Entry(0)), QString("/home/väver/a, b.hdw"));
    }

    void handEditedValuesAreBounded() {
        WriteAll(File("edited.ini"), "[Options6]\nZoom=5\nShafts=abc\nTreadles=40\n"
                                     "LineOn=false\nStyle=3\nNufilPath=a,b\n");
        QtSettingsStore store(File("edited.ini"));
        auto d = std::make_unique<DraftState>();
        Settings s;
        StartSettings(store, *d, s);
        QCOMPARE(int(d->Zoom), 12);
        QCOMPARE(int(d->Shafts), 8);
        QCOMPARE(int(d->Treadles), 16);
        QCOMPARE(d->Style, 3);
        QVERIFY(!s.LineOn);
        QCOMPARE(QString::fromStdString(s.NufilPath), QString("a,b"));
    }

    void anUnusableFileIsSkippedWithoutHarm() {
        // A folder where the file should be: nothing read, nothing written.
        QVERIFY(QDir().mkpath(File("folder.ini")));
        QtSettingsStore store(File("folder.ini"));
        QVERIFY(!store.Readable());
        auto d = std::make_unique<DraftState>();
        Settings s;
        StartSettings(store, *d, s);
        QCOMPARE(int(d->Zoom), 15);
        QVERIFY(!WriteSettings(store, *d, s));
        QVERIFY(QFileInfo(File("folder.ini")).isDir());

        // A folder that cannot be made: writing fails, nothing crashes.
        WriteAll(File("plainfile"), "x");
        QtSettingsStore nested(File("plainfile/sub/heddlewise.ini"));
        StartSettings(nested, *d, s);
        QVERIFY(!WriteSettings(nested, *d, s));
        QCOMPARE(ReadAll(File("plainfile")), QByteArray("x"));
    }

    void configOptionAndEnvironmentPickTheFile() {
        QStringList args{"heddlewise", "--config", "/tmp/a.ini", "rose.hdw"};
        QCOMPARE(TakeConfigOption(args), QString("/tmp/a.ini"));
        QCOMPARE(args, (QStringList{"heddlewise", "rose.hdw"}));
        args = {"heddlewise", "--config=/tmp/b.ini"};
        QCOMPARE(TakeConfigOption(args), QString("/tmp/b.ini"));
        QCOMPARE(args, QStringList{"heddlewise"});
        args = {"heddlewise", "--config"};
        QCOMPARE(TakeConfigOption(args), QString());
        QCOMPARE(args, QStringList{"heddlewise"});

        // The test runner sets HEDDLEWISE_CONFIG; --config wins over it.
        const QString env = qEnvironmentVariable("HEDDLEWISE_CONFIG");
        QVERIFY(!env.isEmpty());
        QCOMPARE(SettingsFilePath(), env);
        SetSettingsFileOverride("/tmp/chosen.ini");
        QCOMPARE(SettingsFilePath(), QString("/tmp/chosen.ini"));
        SetSettingsFileOverride(QString());
        QCOMPARE(SettingsFilePath(), env);
    }

    // Start the editor, change Options, close it, start it again.
    void settingsSurviveARestart() {
        const QString path = File("restart.ini");
        SetSettingsFileOverride(path);
        {
            TWform form; // reads the settings as it is made
            test::ScriptedPrompter p;
            form.SetPrompter(&p);
            QVERIFY(form.windowState() & Qt::WindowMaximized); // nothing stored yet
            form.showNormal();
            form.resize(700, 500);
            QVERIFY(QTest::qWaitForWindowExposed(&form));

            QTimer::singleShot(0, [] {
                QWidget* w = QApplication::activeModalWidget();
                QVERIFY(w);
                TypeInto(Child<QSpinBox>(w, "SpinShafts"), "12");
                Click(Child<QRadioButton>(w, "ShedGroup0"));
                Click(Child<QRadioButton>(w, "StyleGroup3"));
                Click(Child<QRadioButton>(w, "ThreadStartGroup1"));
                Click(Child<QPushButton>(w, "OKBtn"));
            });
            form.Actions().Action("Options2")->trigger();
            QCOMPARE(int(form.Doc().Draft().Shafts), 12);
            form.Doc().Draft().Zoom = 17;
            form.Session().Prefs().Recent.Add("/patterns/rose.hdw");
            // Options changed the draft: closing asks whether to save it.
            p.Answers = {IdNo};
            QVERIFY(form.close());
            QCOMPARE(p.Shown.size(), size_t(1));
        }
        TWform form;
        SetSettingsFileOverride(QString());
        const DraftState& d = form.Doc().Draft();
        QCOMPARE(int(d.Shafts), 12);
        QVERIFY(!d.Shed);
        QCOMPARE(d.Style, 4);
        QVERIFY(!d.RightStart);
        QCOMPARE(int(d.Zoom), 17);
        QVERIFY(!(form.windowState() & Qt::WindowMaximized));
        QCOMPARE(form.size(), QSize(700, 500));
        QCOMPARE(form.Session().Prefs().Recent.Caption(0), std::string("&1 rose.hdw"));
        // The new-pattern defaults came back too.
        QCOMPARE(int(form.Session().Prefs().Snapshot.Shafts), 12);
    }

    void saveOnExitOffWritesTheWindowButNotTheDefaults() {
        const QString path = File("nosave.ini");
        {
            SettingsSession session(path);
            auto d = std::make_unique<DraftState>();
            session.Start(*d, nullptr);
            QVERIFY(session.Close(*d, nullptr)); // with the defaults: 8 shafts
        }
        QCOMPARE(QtSettingsStore(path).GetInt(OptionsGroup, "Shafts"), std::optional<long long>(8));
        SetSettingsFileOverride(path);
        {
            TWform form;
            hw::Settings& prefs = form.Session().Prefs();
            prefs.SaveSettings = false;
            form.Doc().Draft().Shafts = 4;
            TakeSnapshot(form.Doc().Draft(), prefs.Snapshot, false, false);
            form.Doc().Draft().Zoom = 19;
            form.showNormal();
            form.resize(640, 480);
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QVERIFY(form.close());
        }
        SetSettingsFileOverride(QString());
        QtSettingsStore store(path);
        QCOMPARE(store.GetInt(OptionsGroup, "Shafts"), std::optional<long long>(8));
        QCOMPARE(store.GetInt(OptionsGroup, "Zoom"), std::optional<long long>(19));
        QCOMPARE(store.GetInt(OptionsGroup, "Wbredde"), std::optional<long long>(640));
        QCOMPARE(store.GetInt(OptionsGroup, "Whoyde"), std::optional<long long>(480));
    }
};

QTEST_MAIN(SettingsPersistenceTest)
#include "settings_persistence_test.moc"
