#include "help/tip_of_the_day.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace hw;

class TipOfTheDayTest : public QObject {
    Q_OBJECT
private slots:
    // Next Tip walks through all tips in their order and starts again.
    void tipsCycleInOrder() {
        TTipOfTheDay tips;
        tips.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tips));
        auto* next = tips.findChild<QPushButton*>("NextButton");
        QVERIFY(next);

        QStringList seen{tips.TipLabel()->text()};
        for (int i = 0; i < TTipOfTheDay::TipCount; ++i) {
            QTest::mouseClick(next, Qt::LeftButton);
            seen << tips.TipLabel()->text();
        }
        for (int i = 0; i < TTipOfTheDay::TipCount; ++i)
            QCOMPARE(seen[i], TTipOfTheDay::TipText(i + 1));
        QCOMPARE(seen.back(), seen.front());
        QCOMPARE(QSet<QString>(seen.begin(), seen.end()).size(), TTipOfTheDay::TipCount);
        QVERIFY(seen.front().startsWith("You can click a position in the floating Fabric Window"));
        QVERIFY(seen[18].startsWith("To do fabric analysis, draw the fabric in Design mode"));

        tips.SetCurrentTip(0);
        QCOMPARE(tips.CurrentTip(), TTipOfTheDay::TipCount);
        tips.SetCurrentTip(TTipOfTheDay::TipCount + 1);
        QCOMPARE(tips.CurrentTip(), 1);
    }

    void startupChoiceFollowsTheCheckBox() {
        TTipOfTheDay tips;
        tips.SetShowAtStartup(true);
        tips.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tips));
        auto* box = tips.findChild<QCheckBox*>("ShowTipsBox");
        QVERIFY(box && box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QVERIFY(!tips.ShowAtStartup());
        QTest::mouseClick(tips.findChild<QPushButton*>("CloseButton"), Qt::LeftButton);
        QVERIFY(!tips.isVisible());
        QCOMPARE(tips.result(), int(QDialog::Accepted));
    }

    // The translation table holds the same English tips, in the same order,
    // each in all four languages.
    void tableMatchesTheTips() {
        const QDir sources = QFileInfo(QStringLiteral(__FILE__)).dir();
        QFile f(sources.filePath("../../resources/lang/TTipOfTheDay.tsv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QMap<QString, QStringList> entries;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const QStringList fields = QString::fromUtf8(line).split('\t');
            if (fields.size() >= 5) entries[fields[0]] = fields.mid(1);
        }
        for (int tip = 1; tip <= TTipOfTheDay::TipCount; ++tip) {
            const QString key = QString("@tip%1").arg(tip);
            QVERIFY2(entries.contains(key), qPrintable(key));
            const QStringList texts = entries[key];
            QCOMPARE(texts[0], TTipOfTheDay::TipText(tip));
            for (const QString& t : texts) QVERIFY2(!t.trimmed().isEmpty(), qPrintable(key));
        }
    }
};

QTEST_MAIN(TipOfTheDayTest)
#include "tip_of_the_day_test.moc"
