// The samples from the weaver's side: File > Open starts among them until a
// pattern of one's own, Save never writes over one, the tip names their
// folder, and the Design-mode sample opened from the command line becomes
// its draft.
#include "window_fixture.h"

#include "commands/file_commands.h"
#include "help/tip_of_the_day.h"
#include "model/drawdown.h"
#include "platform/install_paths.h"
#include "platform/settings_session.h"

#include <QFile>

using namespace hw;
using namespace hw::test;

class SamplesTest : public QObject {
    Q_OBJECT
    WindowFixture w;
    QString Sample(const char* name) { return SamplesFolder() + "/" + name; }
    QString OpenFolderNow() { return OpenFolder(w.Form->Context().Session->Prefs().NufilPath); }

private slots:
    void init() { w.Make(); }
    void cleanup() { w.Drop(); }

    void openStartsAmongTheSamplesUntilAPatternOfOnesOwn() {
        QVERIFY(QFile::exists(Sample("plaid.hdw")));
        QCOMPARE(OpenFolderNow(), SamplesFolder());
        QVERIFY(!IsSamplesFolder(SaveFolder("")));
        w.Open(Sample("plaid.hdw"));
        QCOMPARE(QString::fromStdString(w.D().FileName), Sample("plaid.hdw"));
        QCOMPARE(OpenFolderNow(), SamplesFolder());
        QVERIFY(!IsSamplesFolder(SaveFolder(w.Form->Context().Session->Prefs().NufilPath)));

        // Save on a changed sample asks for a name; cancelled, nothing is written.
        QFile file(Sample("plaid.hdw"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        w.Form->Doc().Edit([](DraftState& d) { d.Threading[1] = 3; });
        w.SavePath.clear();
        w.Trigger("FileSaveItem");
        QVERIFY(w.Form->Doc().Modified());
        w.SavePath = w.File("my plaid.hdw");
        w.Trigger("FileSaveItem");
        QVERIFY(!w.Form->Doc().Modified() && QFile::exists(w.SavePath));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(OpenFolderNow(), w.Dir.path());

        QCOMPARE(TTipOfTheDay::TipText(14).count(QDir::toNativeSeparators(SamplesFolder())), 1);
    }

    void theDesignModeSampleBecomesItsDraft() {
        QVERIFY(w.Form->Commands().File.OpenNamedFile(Sample("design-mode-diamond.hdw")));
        QVERIFY(w.D().DesignMode);
        const auto design = std::make_unique<DraftState>(w.D());
        w.Trigger("Draft1");
        QVERIFY(!w.D().DesignMode && w.D().Shafts == 8 && w.D().Treadles == 8);
        for (int p = 1; p <= DesignSize; ++p)
            for (int e = 1; e <= DesignSize; ++e)
                QCOMPARE(!WeftOnTop(w.D(), p, e), DesignGet(*design, p, e));
        w.Trigger("EditUndoItem");
        QVERIFY(w.D().DesignMode && w.D().DesignGrid == design->DesignGrid);
    }
};

QTEST_MAIN(SamplesTest)
#include "samples_test.moc"
