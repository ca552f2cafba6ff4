// File > Open starts among the samples until a pattern of one's own, Save never
// writes over one, and the Design-mode sample opens into its draft.
#include "window_fixture.h"

#include "commands/file_commands.h"
#include "help/tip_of_the_day.h"
#include "model/drawdown.h"
#include "platform/install_paths.h"
#include "platform/settings_session.h"

using namespace hw;
using namespace hw::test;

class SamplesTest : public QObject {
    Q_OBJECT
    WindowFixture w;
    const std::string& Stored() { return w.Form->Context().Session->Prefs().NufilPath; }
    QByteArray Bytes(const QString& p) {
        QFile f(p);
        return f.open(QFile::ReadOnly) ? f.readAll() : "";
    }

private slots:
    void init() { w.Make(); }
    void cleanup() { w.Drop(); }

    void openStartsAmongTheSamplesUntilAPatternOfOnesOwn() {
        const QString plaid = SamplesFolder() + "/plaid.hdw";
        const QByteArray before = Bytes(plaid);
        QCOMPARE(OpenFolder(Stored()), SamplesFolder());
        w.Open(plaid);
        QVERIFY(w.D().FileName == plaid.toStdString() && OpenFolder(Stored()) == SamplesFolder());
        QVERIFY(!IsSamplesFolder(SaveFolder(Stored())) && !IsSamplesFolder(SaveFolder("")));
        // Save on a changed sample asks for a name; cancelled, nothing is written.
        w.Form->Doc().Edit([](DraftState& d) { d.Threading[1] = 3; });
        w.Trigger("FileSaveItem");
        QVERIFY(w.Form->Doc().Modified());
        w.SavePath = w.File("my plaid.hdw");
        w.Trigger("FileSaveItem");
        QVERIFY(!w.Form->Doc().Modified() && QFile::exists(w.SavePath));
        QVERIFY(!before.isEmpty() && Bytes(plaid) == before);
        QCOMPARE(OpenFolder(Stored()), w.Dir.path());
        QCOMPARE(TTipOfTheDay::TipText(14).count(QDir::toNativeSeparators(SamplesFolder())), 1);
    }

    void theDesignModeSampleBecomesItsDraft() {
        QVERIFY(
            w.Form->Commands().File.OpenNamedFile(SamplesFolder() + "/design-mode-diamond.hdw"));
        const auto design = std::make_unique<DraftState>(w.D());
        w.Trigger("Draft1");
        QVERIFY(design->DesignMode && !w.D().DesignMode && w.D().Shafts == 8);
        for (int p = 1; p <= DesignSize; ++p)
            for (int e = 1; e <= DesignSize; ++e)
                QCOMPARE(!WeftOnTop(w.D(), p, e), DesignGet(*design, p, e));
        w.Trigger("EditUndoItem");
        QVERIFY(w.D().DesignMode && w.D().DesignGrid == design->DesignGrid);
    }
};

QTEST_MAIN(SamplesTest)
#include "samples_test.moc"
