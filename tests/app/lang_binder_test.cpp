// Translation tables applied to real forms, and language switches while
// forms are open.
#include "platform/lang_binder.h"
#include "platform/language_setting.h"
#include "platform/qt_settings_store.h"
#include "text/lang.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const char* const DialogTable =
    "%Form%\tNew Pattern\tNeues Muster\tNytt mönster\tUusi malli\n"
    "SizeLabel\tEnds:\tKettfäden:\tVarptrådar:\tLoimilangat:\n"
    "ShedGroup\tShed\tFach\tSkäl\tViriö\n"
    "\"\tRising\tHochfach\tLyftskäl\tNouseva viriö\n"
    "\"\tSinking\tTieffach\tSänkskäl\tLaskeva viriö\n"
    "\".Hint\tShed|Which way the shafts move\tFach|Wie sich die Schäfte bewegen\tSkäl|Hur skaften "
    "rör sig\t"
    "Viriö|Miten varret liikkuvat\n"
    "Ghost\tNot on this form\tNicht hier\tInte här\tEi täällä\n"
    "\"\tghost item\tx\tx\tx\n"
    "PalBox\tUse default Color Palette\tStandard-Farbpalette verwenden\tAnvänd "
    "standardfärgpaletten\t"
    "Käytä oletusväripalettia\n"
    "@idends\tEnds\tKettfäden\tVarptrådar\tLoimilangat\n"
    "StyleCombo\t\t\t\t\n"
    "\"\tNormal\tNormal\tNormal\tNormaali\n"
    "\"\tGrid\tRaster\tRutnät\tRuudukko\n"
    "\"\tThreads\tFäden\tTrådar\tLangat\n"
    "\"\tThreads Outlined\tFäden mit Kontur\tTrådar med kontur\tLangat ääriviivoin\n"
    "Pages\t\t\t\t\n"
    "\"\tPattern\tMuster\tMönster\tMalli\n"
    "\"\tStyle\tDarstellung\tVisning\tEsitystapa\n"
    "OKBtn\tOK\tOK\tOK\tOK\n"
    "\".Hint\tOK|Make the pattern\tOK|Muster anlegen\tOK|Skapa mönstret\tOK|Luo malli\n";

const char* const WindowTable = "%Form%\tHeddlewise\tHeddlewise\tHeddlewise\tHeddlewise\n"
                                "File1\t&File\t&Datei\t&Arkiv\t&Tiedosto\n"
                                "Open1\t&Open...\t&Öffnen...\t&Öppna...\t&Avaa...\n"
                                "\".Hint\tOpen|Open an existing file\tÖffnen|Eine vorhandene Datei "
                                "öffnen\tÖppna|Öppna en befintlig fil\t"
                                "Avaa|Avaa olemassa oleva tiedosto\n"
                                "N1\t-\t-\t-\t-\n"
                                "Sep2\t-\t-\t-\t-\n"
                                "Blank1\t\t\t\t\n"
                                "StatusBar1\tReady\tBereit\tKlar\tValmis\n"
                                "\"\tEnd\tKettfaden\tVarptråd\tLoimilanka\n"
                                "\"\tPick\tSchuss\tInslag\tKudekerta\n"
                                "OpenDialog\t\t\t\t\n"
                                "\"\tHeddlewise patterns (*.hdw)|*.hdw|Any files "
                                "(*.*)|*.*\tHeddlewise-Muster (*.hdw)|*.hdw|Alle Dateien "
                                "(*.*)|*.*\tHeddlewise-mönster (*.hdw)|*.hdw|Alla filer "
                                "(*.*)|*.*\tHeddlewise-mallit (*.hdw)|*.hdw|Kaikki "
                                "tiedostot (*.*)|*.*\n"
                                "OKBtn\tClose\tSchließen\tStäng\tSulje\n"
                                "RepeatBtn\tRepeat\tWiederholen\tUpprepa\tToista\n"
                                "\".Hint\tRepeat|Repeat the selection\tWiederholen|Die Auswahl "
                                "wiederholen\tUpprepa|Upprepa markeringen\t"
                                "Toista|Toista valinta\n";

hw::TMultiLang Table(const char* form, const char* tsv) {
    hw::TableParse parsed = hw::ParseTable(form, tsv);
    if (!parsed.Errors.empty()) qWarning("%s", parsed.Errors.front().c_str());
    return parsed.Table;
}

// The New Pattern dialog in miniature: one of each kind of control.
class SampleDialog : public QDialog {
public:
    QLabel* sizeLabel = new QLabel("Ends:", this);
    QGroupBox* shed = new QGroupBox(this);
    QRadioButton* rising = new QRadioButton;
    QRadioButton* sinking = new QRadioButton;
    QCheckBox* palBox = new QCheckBox(this);
    QComboBox* style = new QComboBox(this);
    QTabWidget* pages = new QTabWidget(this);
    QPushButton* ok = new QPushButton(this);

    explicit SampleDialog(QWidget* parent = nullptr) : QDialog(parent) {
        setObjectName("TSampleDlg");
        sizeLabel->setObjectName("SizeLabel");
        shed->setObjectName("ShedGroup");
        // Made in the other order than shown: the layout's order counts.
        auto* shedLayout = new QVBoxLayout(shed);
        sinking->setObjectName("SinkingBtn");
        rising->setObjectName("RisingBtn");
        shedLayout->addWidget(rising);
        shedLayout->addWidget(sinking);
        palBox->setObjectName("PalBox");
        style->setObjectName("StyleCombo");
        style->addItems({"1", "2", "3", "4", "5"});
        style->setCurrentIndex(2);
        pages->setObjectName("Pages");
        pages->addTab(new QWidget, "p1");
        pages->addTab(new QWidget, "p2");
        ok->setObjectName("OKBtn");
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w :
             std::initializer_list<QWidget*>{sizeLabel, shed, palBox, style, pages, ok})
            layout->addWidget(w);
    }
};

class SampleWindow : public QMainWindow {
public:
    QMenu* file = nullptr;
    QAction* open = nullptr;
    QAction* separator = nullptr;
    QAction* becomesSeparator = nullptr;
    QAction* blank = nullptr;
    QLabel* panel0 = new QLabel("0");
    QLabel* panel1 = new QLabel("1");
    QFileDialog* openDialog = new QFileDialog(this);
    QPushButton* repeat = new QPushButton("Repeat");
    QDialog* owned = new QDialog(this);
    QPushButton* ownedOk = new QPushButton("Keep me", owned);

    SampleWindow() {
        setObjectName("TSampleForm");
        file = menuBar()->addMenu("File");
        file->setObjectName("File1");
        open = file->addAction("Open");
        open->setObjectName("Open1");
        separator = file->addSeparator();
        separator->setObjectName("N1");
        becomesSeparator = file->addAction("was text");
        becomesSeparator->setObjectName("Sep2");
        blank = file->addAction("not blank yet");
        blank->setObjectName("Blank1");
        statusBar()->setObjectName("StatusBar1");
        statusBar()->addWidget(panel0);
        statusBar()->addWidget(panel1);
        openDialog->setObjectName("OpenDialog");
        repeat->setObjectName("RepeatBtn");
        setCentralWidget(repeat);
        // A dialog of its own with a button of the same name as one in this
        // window's table.
        ownedOk->setObjectName("OKBtn");
        resize(500, 300);
    }
};

QStringList RadioTexts(const SampleDialog& d) {
    return {d.rising->text(), d.sinking->text()};
}

QStringList ComboTexts(const QComboBox* c) {
    QStringList t;
    for (int i = 0; i < c->count(); ++i) t << c->itemText(i);
    return t;
}

} // namespace

class LangBinderTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { hw::ApplyAppLanguage(hw::LangEnglish); }

    void aFormShowsItsTableAsSoonAsItIsBound() {
        SampleDialog d;
        new hw::LangBinder(&d, Table("TSampleDlg", DialogTable));
        QCOMPARE(d.windowTitle(), QString("New Pattern"));
        QCOMPARE(d.sizeLabel->text(), QString("Ends:"));
        QCOMPARE(d.shed->title(), QString("Shed"));
        QCOMPARE(RadioTexts(d), (QStringList{"Rising", "Sinking"}));
        QCOMPARE(d.shed->toolTip(), QString("Shed"));
        QCOMPARE(d.shed->statusTip(), QString("Which way the shafts move"));
        QCOMPARE(d.palBox->text(), QString("Use default Color Palette"));
        // The table's four items replace the five; the selection stays.
        QCOMPARE(ComboTexts(d.style),
                 (QStringList{"Normal", "Grid", "Threads", "Threads Outlined"}));
        QCOMPARE(d.style->currentIndex(), 2);
        QCOMPARE(d.pages->tabText(0), QString("Pattern"));
        QCOMPARE(d.pages->tabText(1), QString("Style"));
        QCOMPARE(d.ok->statusTip(), QString("Make the pattern"));
        QCOMPARE(hw::LangBinder::Of(&d)->Component().ActiveLanguage, hw::LangEnglish);
    }

    void aSwitchRewritesEveryOpenForm() {
        SampleDialog d;
        SampleWindow w;
        new hw::LangBinder(&d, Table("TSampleDlg", DialogTable));
        new hw::LangBinder(&w, Table("TSampleForm", WindowTable));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // The user picks the last drawdown style with the keyboard.
        d.style->setFocus();
        QTest::keyClick(d.style, Qt::Key_Down);
        QCOMPARE(d.style->currentIndex(), 3);

        QVERIFY(hw::ApplyAppLanguage(hw::LangGerman));
        QCOMPARE(d.windowTitle(), QString("Neues Muster"));
        QCOMPARE(RadioTexts(d), (QStringList{"Hochfach", "Tieffach"}));
        QCOMPARE(d.shed->toolTip(), QString("Fach"));
        QCOMPARE(d.shed->statusTip(), QString("Wie sich die Schäfte bewegen"));
        QCOMPARE(d.style->currentIndex(), 3);
        QCOMPARE(d.style->currentText(), QString("Fäden mit Kontur"));
        QCOMPARE(d.pages->tabText(1), QString("Darstellung"));
        QCOMPARE(w.file->title(), QString("&Datei"));
        QCOMPARE(w.open->text(), QString("&Öffnen..."));
        QCOMPARE(w.open->toolTip(), QString("Öffnen"));
        QCOMPARE(w.open->statusTip(), QString("Eine vorhandene Datei öffnen"));
        QCOMPARE(w.panel0->text(), QString("Kettfaden"));
        QCOMPARE(w.panel1->text(), QString("Schuss"));
        QCOMPARE(w.statusBar()->currentMessage(), QString("Bereit"));
        QCOMPARE(w.openDialog->nameFilters(),
                 (QStringList{"Heddlewise-Muster (*.hdw)", "Alle Dateien (*.*)"}));
        // "Ghost" is in the table, not on the form: skipped, and what follows it arrives.
        QCOMPARE(d.palBox->text(), QString("Standard-Farbpalette verwenden"));
        QCOMPARE(hw::QtNameFilters({"Patterns|*.hdw;*.hdb"}),
                 QStringList{"Patterns (*.hdw *.hdb)"});

        QVERIFY(hw::ApplyAppLanguage(hw::LangFinnish));
        QCOMPARE(d.windowTitle(), QString("Uusi malli"));
        QCOMPARE(RadioTexts(d), (QStringList{"Nouseva viriö", "Laskeva viriö"}));
        QCOMPARE(w.repeat->text(), QString("Toista"));
    }

    void menuSeparatorsAndEmptyCaptionsSurviveEverySwitch() {
        SampleWindow w;
        new hw::LangBinder(&w, Table("TSampleForm", WindowTable));
        for (int lang : {hw::LangGerman, hw::LangSwedish, hw::LangEnglish}) {
            hw::ApplyAppLanguage(lang);
            QVERIFY(w.separator->isSeparator());
            QVERIFY(w.becomesSeparator->isSeparator());
            QVERIFY(!w.open->isSeparator());
            QCOMPARE(w.blank->text(), QString());
        }
    }

    void aFormMadeAfterASwitchStartsInTheNewLanguage() {
        QVERIFY(hw::ApplyAppLanguage(hw::LangSwedish));
        SampleDialog d;
        new hw::LangBinder(&d, Table("TSampleDlg", DialogTable));
        QCOMPARE(d.windowTitle(), QString("Nytt mönster"));
        QCOMPARE(RadioTexts(d), (QStringList{"Lyftskäl", "Sänkskäl"}));
        QCOMPARE(d.ok->statusTip(), QString("Skapa mönstret"));
        QCOMPARE(hw::LangBinder::Of(&d)->Component().ActiveLanguage, hw::LangSwedish);
    }

    void aDialogOwnedByAFormKeepsItsOwnTexts() {
        SampleWindow w;
        new hw::LangBinder(&w, Table("TSampleForm", WindowTable));
        hw::ApplyAppLanguage(hw::LangGerman);
        QCOMPARE(w.ownedOk->text(), QString("Keep me"));
        QCOMPARE(w.repeat->text(), QString("Wiederholen"));
    }

    void closedFormsNoLongerFollowSwitches() {
        auto* d = new SampleDialog;
        new hw::LangBinder(d, Table("TSampleDlg", DialogTable));
        delete d;
        // Would touch freed widgets if the form were still registered.
        QVERIFY(hw::ApplyAppLanguage(hw::LangFinnish));
        QVERIFY(hw::ApplyAppLanguage(hw::LangEnglish));
    }

    void theLongHintAppearsInTheStatusLineWhenThePointerRestsOnAControl() {
        SampleWindow w;
        new hw::LangBinder(&w, Table("TSampleForm", WindowTable));
        hw::ApplyAppLanguage(hw::LangSwedish);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseMove(w.repeat, w.repeat->rect().center());
        QTRY_COMPARE(w.statusBar()->currentMessage(), QString("Upprepa markeringen"));
        QCOMPARE(w.repeat->toolTip(), QString("Upprepa"));
    }

    void eachLanguageTakesItsFontOrTheSystemsUiFont() {
        if (!QFontDatabase::families().contains("DejaVu Serif"))
            QSKIP("DejaVu Serif is not installed");
        QVERIFY(!QFontDatabase::families().contains("MS Sans Serif"));
        const QString uiFamily = QApplication::font().family();
        const QString fixedFamily = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        SampleDialog d;
        std::string tsv = "#CharSets\tTahoma,0\tMS Sans Serif,1\tCourier New,0\tDejaVu Serif,0\n";
        tsv += DialogTable;
        new hw::LangBinder(&d, Table("TSampleDlg", tsv.c_str()));
        hw::ApplyAppLanguage(hw::LangFinnish);
        QCOMPARE(d.font().family(), QString("DejaVu Serif"));
        QCOMPARE(d.ok->font().family(), QString("DejaVu Serif"));
        hw::ApplyAppLanguage(hw::LangGerman);
        QCOMPARE(d.font().family(), uiFamily);
        hw::ApplyAppLanguage(hw::LangSwedish);
        QCOMPARE(d.font().family(), fixedFamily);
        // Finnish was remembered as it was shown.
        hw::ApplyAppLanguage(hw::LangFinnish);
        QCOMPARE(d.font().family(), QString("DejaVu Serif"));
    }

    void theStoredLanguageRoundTripsAndGarbageIsIgnored() {
        QVERIFY(!qEnvironmentVariableIsEmpty("HEDDLEWISE_CONFIG"));
        hw::WriteStoredLanguage(hw::LangGerman);
        QCOMPARE(hw::ReadStoredLanguage(), std::optional<int>(hw::LangGerman));
        {
            QSettings raw(hw::SettingsFilePath(), QSettings::IniFormat);
            raw.setValue("Options6/Language", "Deutsch");
        }
        QCOMPARE(hw::ReadStoredLanguage(), std::nullopt);
        {
            QSettings raw(hw::SettingsFilePath(), QSettings::IniFormat);
            raw.remove("Options6/Language");
        }
        QCOMPARE(hw::ReadStoredLanguage(), std::nullopt);
    }
};

QTEST_MAIN(LangBinderTest)
#include "lang_binder_test.moc"
