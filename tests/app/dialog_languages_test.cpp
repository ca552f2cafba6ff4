// Every window, dialog and message box in every language, and the kinds of
// control a translation table can name: opened in a language, and switched
// to another while open, each shows that language's text from its table.
#include "dialog_driver.h"

#include "colours/col_edit_dlg.h"
#include "colours/pal_win.h"
#include "dialogs/blend_dialog.h"
#include "dialogs/components_dialog.h"
#include "dialogs/fill_dialogs.h"
#include "dialogs/input_forms.h"
#include "dialogs/memo_form.h"
#include "dialogs/new_dialog.h"
#include "dialogs/num_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/paste_dialogs.h"
#include "dialogs/print_draft_dialog.h"
#include "dialogs/range_dialogs.h"
#include "dialogs/report_window.h"
#include "dialogs/translate_dialog.h"
#include "dialogs/wif_dialog.h"
#include "document/editor_document.h"
#include "help/about_box.h"
#include "help/help_window.h"
#include "help/tip_of_the_day.h"
#include "mainwindow/tw_form.h"
#include "platform/lang_binder.h"
#include "platform/qt_prompter.h"
#include "text/start_language.h"
#include "view/draft_view.h"
#include "view/fab_window.h"

#include <functional>
#include <map>
#include <memory>

using namespace hw;

namespace {

// What a control shows, as its table entry lists it: the main text, then the
// items (tabs, combo box entries, a group's radio buttons as they appear).
QStringList Shows(QWidget* w) {
    QStringList t{QString()};
    if (auto* b = qobject_cast<QAbstractButton*>(w)) t = {b->text()};
    if (auto* l = qobject_cast<QLabel*>(w)) t = {l->text()};
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        std::map<std::pair<int, int>, QString> radios; // in the order they appear
        for (QRadioButton* r : g->findChildren<QRadioButton*>())
            if (const QPoint at = r->mapTo(g, QPoint()); r->isVisible())
                radios[{at.y(), at.x()}] = r->text();
        t = {g->title()};
        for (const auto& [at, text] : radios) t << text;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
        for (int i = 0; i < tabs->count(); ++i) t << tabs->tabText(i);
    if (auto* list = qobject_cast<QListWidget*>(w))
        for (int i = 0; i < list->count(); ++i) t << list->item(i)->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        t = {c->isEditable() ? c->currentText() : QString()};
        for (int i = 0; i < c->count(); ++i) t << c->itemText(i);
    }
    return t;
}

// Every visible text of a shown form, on every page of its tab widgets,
// against one language of the form's table. A text the table does not give
// is a fault, except on the controls its "#DoNot" line leaves to code; those
// must not show an English text the language replaces. Labels and buttons
// must not be cut off.
QStringList LanguageProblems(QWidget* form, const std::string& tableName, int lang) {
    TMultiLang table = LoadFormTable(tableName), english = table;
    table.ActiveLanguage = uint8_t(lang);
    std::map<QString, QStringList> texts; // name -> main text, then the items
    QStringList replaced;                 // English texts the language replaces
    QString name;
    for (size_t i = 0; i < table.EntryCount(); ++i) {
        const QString key = QString::fromStdString(table.Key(i)).toLower();
        const QString text = QString::fromStdString(table.Text(i));
        if (text != QString::fromStdString(english.Text(i)))
            replaced << QString::fromStdString(english.Text(i));
        if (key.startsWith('@') || key == "\".hint") continue;
        if (key != "\"") name = key;
        texts[name] << text;
    }
    QStringList codeSet, problems;
    for (const std::string& n : table.DoNot) codeSet << QString::fromStdString(n).toLower();
    auto check = [&](const QString& what, const QString& key, const QStringList& shown) {
        if (codeSet.contains(key)) {
            for (const QString& s : shown)
                if (lang != LangEnglish && replaced.contains(s))
                    problems << what + " shows the English \"" + s + "\"";
        } else if (texts.count(key) ? shown != texts[key] : shown.join("") != "") {
            problems << what + " shows \"" + shown.join('|') + "\", the table \"" +
                            texts[key].join('|') + "\"";
        }
    };
    check("the caption", "%form%", {form->windowTitle()});
    QList<QWidget*> seen;
    auto scan = [&] {
        for (QWidget* w : form->findChildren<QWidget*>()) {
            const QString key = w->objectName().toLower();
            const bool item = qobject_cast<QRadioButton*>(w) && !texts.count(key) &&
                              qobject_cast<QGroupBox*>(w->parentWidget());
            if (!w->isVisible() || w->window() != form || seen.contains(w) ||
                key.startsWith("qt_") || item)
                continue; // hidden, another window's, done, Qt's own part, or a group's item
            seen << w;
            const QString what = w->metaObject()->className() + QString(' ') + w->objectName();
            check(what, key, Shows(w));
            auto* label = qobject_cast<QLabel*>(w);
            const bool oneLine = qobject_cast<QAbstractButton*>(w) ||
                                 (label && !label->wordWrap() && label->pixmap().isNull());
            if (w->width() < (oneLine                       ? w->sizeHint().width()
                              : qobject_cast<QGroupBox*>(w) ? w->minimumSizeHint().width()
                                                            : 0))
                problems << what + " is cut off";
        }
    };
    if (form->layout()) form->layout()->activate();
    scan();
    for (QTabWidget* tabs : form->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            scan();
        }
    }
    // HW_SCREENSHOT_DIR=/some/folder keeps a picture of the form in each language.
    if (const QString shots = qEnvironmentVariable("HW_SCREENSHOT_DIR"); !shots.isEmpty())
        form->grab().save(
            QString("%1/%2_%3.png").arg(shots, tableName.c_str(), LanguageCode(lang)));
    return problems;
}

// The Options dialog asks nothing while it is only shown.
Prompter& NoQuestions() {
    static QtPrompter prompter;
    return prompter;
}

struct Form {
    const char* table;
    std::function<QWidget*()> make;
    // What the table cannot say: texts and pages the form composes itself.
    std::function<QString(QWidget*, int lang)> extra = {};
};

// One line per window, made as the program makes it.
const Form Forms[] = {
    {"TTipOfTheDay", [] { return new TTipOfTheDay; },
     [](QWidget* w, int) {
         const QString tip = static_cast<TTipOfTheDay*>(w)->TipLabel()->text();
         return tip == QString::fromStdString(GetText("TTipOfTheDay", "@tip1")) ? "" : "tip " + tip;
     }},
    {"TAboutBox", [] { return new TAboutBox; }},
    {"THelpForm",
     [] {
         auto* help = new HelpWindow;
         help->ShowContents();
         return help;
     },
     [](QWidget* w, int lang) {
         const QString page = static_cast<HelpWindow*>(w)->Browser()->source().toString();
         return page.contains(QString("/%1/").arg(HelpLanguageFolder(lang))) ? "" : "page " + page;
     }},
    {"Thentdlg", [] { return new ComponentsDialog; }},
    {"TBlendDlg", [] { return new BlendDialog; }},
    {"TOptionsDlg", [] { return new TOptionsDlg(NoQuestions(), false); }},
    {"TNewDlg", [] { return new TNewDlg; }},
    {"Tmemoform", [] { return new Tmemoform; }},
    {"TWform", [] { return new TWform; }},
    {"TRtxtDlg", [] { return new TRtxtDlg(nullptr, [] { return FloatsReport(DraftState()); }); }},
    {"TTwillDlg", [] { return new TTwillDlg; }},
    {"TSatinDlg", [] { return new TSatinDlg(16); }},
    {"TTieUpSpecialDlg", [] { return new TTieUpSpecialDlg(TieUpEffects{}); }},
    {"TDlgNum2",
     [] {
         return new TDlgNum2(nullptr, {GeneralForm, "@insends", "@fromend", "@numends", ""});
     }},
    {"TDlgFlo2",
     [] {
         return new TDlgFlo2(nullptr, {GeneralForm, "@switr", "@idtreadle", "@idtreadle", ":"});
     }},
    {"TPasteDlg", [] { return new TPasteDlg; }},
    {"TPrintDraftDlg",
     [] {
         static const auto d = std::make_unique<DraftState>();
         return new TPrintDraftDlg(*d);
     }},
    {"TSelectDlg", [] { return new TSelectDlg; }},
    {"TTranslateDlg",
     [] {
         return new TTranslateDlg(TTranslateDlg::Kind::Overlay, false, false,
                                  UnitLibrary()[1].Units, 1);
     }},
    {"TDoubleWeaveDlg", [] { return new TDoubleWeaveDlg(true); }},
    {"TOverlayFilesDlg", [] { return new TOverlayFilesDlg(nullptr); }},
    {"TNumPairDlg",
     [] {
         return new TNumPairDlg({"TInsLiftDlg", "@delpicks", "@startpick", "@interval"}, true, 646);
     }},
    {"TNetworkDlg", [] { return new TNetworkDlg(nullptr); }},
    {"TBlocksDlg", [] { return new TBlocksDlg(nullptr); }},
    {"TInsThrDlg", [] { return new TInsThrDlg(true, nullptr); }},
    {"TInsLiftDlg", [] { return new TInsLiftDlg(nullptr); }},
    {"TTrompDlg", [] { return new TTrompDlg(DraftState()); }},
    {"TWrapDlg", [] { return new TWrapDlg(7); }},
    {"TDlgNum1",
     [] {
         return new TDlgNum1(nullptr, {"TWform", "@zoomtitle", "@zoomtxt", "", ":"});
     }},
    {"TEdKeyForm",
     [] {
         auto* f = new TEdKeyForm;
         f->ShowState("@idtieup", "@idshaft", 16, "@idtreadle", 16);
         return f;
     }},
    {"TNumInputForm", [] { return new TNumInputForm; }},
    {"TPalWin", [] { return new TPalWin; }},
    {"TColEditDlg", [] { return new TColEditDlg(std::make_unique<DraftState>()->Palette, 1, 9); }},
    {"TFabwindow",
     [] {
         static EditorDocument doc;
         static DraftView view(doc);
         return new TFabwindow(doc, view);
     }},
    {"TWifdlg", [] { return new TWifdlg(4, 4, 40, 30); }},
};

const char* const Table =
    "#DoNot\tSizeLabel\n"
    "%Form%\tNew Pattern\tNeues Muster\tNytt mönster\tUusi malli\n"
    "File1\t&File\t&Datei\t&Arkiv\t&Tiedosto\n"
    "Open1\t&Open...\t&Öffnen...\t&Öppna...\t&Avaa...\n"
    "\".Hint\tOpen|Open a file\tÖffnen|Eine Datei öffnen\tÖppna|Öppna en fil\tAvaa|Avaa tiedosto\n"
    "N1\t-\t-\t-\t-\n"
    "Sep2\t-\t-\t-\t-\n"
    "Blank1\t\t\t\t\n"
    "SizeLabel\tEnds:\tKettfäden:\tVarptrådar:\tLoimilangat:\n"
    "ShedGroup\tShed\tFach\tSkäl\tViriö\n"
    "\"\tRising\tHochfach\tLyftskäl\tNouseva\n"
    "@idends\tEnds\tKettfäden\tVarptrådar\tLoimilangat\n"
    "\"\tSinking\tTieffach\tSänkskäl\tLaskeva\n"
    "\".Hint\tShed|Which way\tFach|Wie\t\tViriö\n"
    "Ghost\tNot on this form\tNicht hier\tInte här\tEi täällä\n"
    "StyleCombo\t\t\t\t\n"
    "\"\tNormal\tNormal\tNormal\tNormaali\n"
    "\"\tGrid\tRaster\tRutnät\tRuudukko\n"
    "\"\tThreads\tFäden\tTrådar\tLangat\n"
    "Pages\t\t\t\t\n"
    "\"\tPattern\tMuster\tMönster\tMalli\n"
    "\"\tStyle\tDarstellung\tVisning\tEsitystapa\n"
    "OKBtn\tRepeat\tWiederholen\tUpprepa\tToista\n"
    "\".Hint\tRepeat|Repeat the selection\tWiederholen|Die Auswahl wiederholen\t"
    "Upprepa|Upprepa markeringen\tToista|Toista valinta\n";

template <class T> T* Named(T* o, const char* name) {
    o->setObjectName(name);
    return o;
}

// One control of each kind the tables name.
class SampleForm : public QMainWindow {
public:
    QMenu* file = Named(menuBar()->addMenu("File"), "File1");
    QAction* open = Named(file->addAction("Open"), "Open1");
    QAction* separator = Named(file->addSeparator(), "N1");
    QAction* becomesSeparator = Named(file->addAction("was text"), "Sep2");
    QAction* blank = Named(file->addAction("not blank yet"), "Blank1");
    QWidget* centre = new QWidget(this);
    QLabel* sizeLabel = Named(new QLabel("Ends:", centre), "SizeLabel");
    QGroupBox* shed = Named(new QGroupBox(centre), "ShedGroup");
    QRadioButton* sinking = new QRadioButton(shed);
    QRadioButton* rising = new QRadioButton(shed);
    QComboBox* style = Named(new QComboBox(centre), "StyleCombo");
    QTabWidget* pages = Named(new QTabWidget(centre), "Pages");
    QPushButton* ok = Named(new QPushButton(centre), "OKBtn");
    // A dialog of its own, with a button of a name this form's table uses.
    QPushButton* ownedOk = Named(new QPushButton("Keep me", new QDialog(this)), "OKBtn");

    SampleForm() {
        // Made in the other order than shown: the order on screen counts.
        auto* shedLayout = new QVBoxLayout(shed);
        shedLayout->addWidget(rising);
        shedLayout->addWidget(sinking);
        style->addItems({"1", "2", "3", "4", "5"});
        style->setCurrentIndex(2);
        pages->addTab(new QWidget, "p1");
        pages->addTab(new QWidget, "p2");
        auto* layout = new QVBoxLayout(centre);
        for (QWidget* w : std::initializer_list<QWidget*>{sizeLabel, shed, style, pages, ok})
            layout->addWidget(w);
        setCentralWidget(centre);
    }

    // What the user sees of every control, and whether the separators hold.
    QString Shown() const {
        QStringList t;
        t << windowTitle() << file->title() << open->text() << open->toolTip() << open->statusTip()
          << sizeLabel->text() << shed->title() << rising->text() << sinking->text()
          << shed->toolTip() << shed->statusTip();
        for (int i = 0; i < style->count(); ++i) t << style->itemText(i);
        t << style->currentText() << pages->tabText(0) << pages->tabText(1) << ok->text()
          << ok->statusTip() << ownedOk->text() << blank->text();
        if (!separator->isSeparator() || !becomesSeparator->isSeparator() || open->isSeparator())
            t << "separators wrong";
        return t.join('|');
    }
};

// Once the next box is up: hands it and its buttons, left to right, to
// `answer`, which must close it.
void AnswerNextBox(std::function<void(QMessageBox*, QList<QAbstractButton*>)> answer) {
    test::WhenModal([answer](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible()) return AnswerNextBox(answer); // not up yet
        // Qt retranslates its own button texts when the language changes;
        // the program's texts must survive that.
        QEvent change(QEvent::LanguageChange);
        for (QWidget* c : box->findChildren<QWidget*>()) QApplication::sendEvent(c, &change);
        QList<QAbstractButton*> buttons;
        for (QAbstractButton* b : box->buttons())
            if (b->isVisible() && box->buttonRole(b) != QMessageBox::ActionRole) buttons << b;
        std::sort(buttons.begin(), buttons.end(),
                  [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        answer(box, buttons);
    });
}

} // namespace

class DialogLanguagesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ApplyAppLanguage(LangEnglish); }

    void everyTextIsTheLanguagesOwn_data() {
        QTest::addColumn<int>("form");
        for (int i = 0; i < int(std::size(Forms)); ++i) QTest::newRow(Forms[i].table) << i;
    }

    void everyTextIsTheLanguagesOwn() {
        QFETCH(int, form);
        const Form& f = Forms[form];
        for (int lang : {LangGerman, LangSwedish, LangFinnish, LangEnglish}) {
            QVERIFY(ApplyAppLanguage(lang));
            std::unique_ptr<QWidget> w(f.make());
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            for (int shown : {lang, (lang + 1) % LanguageCount}) {
                QVERIFY(ApplyAppLanguage(shown));
                QStringList problems = LanguageProblems(w.get(), f.table, shown);
                if (const QString e = f.extra ? f.extra(w.get(), shown) : ""; !e.isEmpty())
                    problems << e;
                QVERIFY2(problems.isEmpty(),
                         qPrintable(QString(LanguageCode(shown)) + ": " + problems.join("; ")));
            }
        }
    }

    // The table is applied as soon as the form is bound and again at every
    // switch; the combo box keeps the choice the user made; what the table
    // leaves to code, names the form lacks and "@" keys are passed by.
    void everyKindOfControlFollowsEverySwitch() {
        SampleForm f;
        new hw::LangBinder(&f, ParseTable("TSampleForm", Table).Table);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.style->setFocus();
        QTest::keyClick(f.style, Qt::Key_Up); // from "Threads" up to "Grid"
        QVERIFY(hw::ApplyAppLanguage(hw::LangGerman));
        QCOMPARE(
            f.Shown(),
            "Neues Muster|&Datei|&Öffnen...|Öffnen|Eine Datei öffnen|Ends:|Fach|Hochfach|Tieffach|"
            "Fach|Wie|Normal|Raster|Fäden|Raster|Muster|Darstellung|Wiederholen|"
            "Die Auswahl wiederholen|Keep me|");
        // An empty hint reads English; one without a bar is both hints.
        QVERIFY(hw::ApplyAppLanguage(hw::LangSwedish));
        QVERIFY(f.Shown().contains("|Skäl|Lyftskäl|Sänkskäl|Shed|Which way|"));
        QVERIFY(hw::ApplyAppLanguage(hw::LangFinnish));
        QVERIFY(f.Shown().contains("|Viriö|Nouseva|Laskeva|Viriö|Viriö|Normaali|"));
        QVERIFY(!f.Shown().contains("separators wrong"));
        QCOMPARE(hw::QtNameFilters({"Patterns|*.hdw;*.hdb"}),
                 QStringList{"Patterns (*.hdw *.hdb)"});
        // A closed form no longer follows: this would touch freed widgets.
        auto* closed = new SampleForm;
        new hw::LangBinder(closed, ParseTable("TSampleForm", Table).Table);
        delete closed;
        QVERIFY(hw::ApplyAppLanguage(hw::LangGerman));
    }

    // Each box has its caption, icon and buttons in the language; each button
    // has an accelerator of its own in the box, which answers it; Escape
    // answers the last button.
    void everyButtonAnswersByItsAcceleratorInEveryLanguage() {
        const QStringList wordsOf[] = {{"OK", "Yes", "No", "Cancel"},
                                       {"OK", "Ja", "Nein", "Abbrechen"},
                                       {"OK", "Ja", "Nej", "Avbryt"},
                                       {"OK", "Kyllä", "Ei", "Peruuta"}};
        for (int language = 0; language < LanguageCount; ++language) {
            const QStringList& words = wordsOf[language];
            hw::ApplyAppLanguage(language);
            using hw::IdCancel, hw::IdNo, hw::IdOk, hw::IdYes;
            const struct {
                const char* looks; // caption|icon|text
                QList<int> ids;
            } boxes[] = {{"Heddlewise|1|t", {IdOk}},
                         {"Error|3|t", {IdOk}},
                         {"Heddlewise|4|t", {IdYes, IdNo}},
                         {"Heddlewise|4|t", {IdYes, IdNo, IdCancel}},
                         {"Heddlewise|2|t", {IdYes, IdNo, IdCancel}},
                         {"Heddlewise|1|t", {IdOk, IdCancel}}};
            hw::QtPrompter p;
            const std::function<int()> show[] = {
                [&] { return p.ShowInfo("t"), IdOk; },  [&] { return p.ShowError("t"), IdOk; },
                [&] { return p.AskYesNo("t"); },        [&] { return p.AskYesNoCancel("t"); },
                [&] { return p.WarnYesNoCancel("t"); }, [&] { return p.AskOkCancel("t"); }};
            for (int kind = 0; kind < 6; ++kind) {
                const QList<int>& ids = boxes[kind].ids;
                for (int press = 0; press <= ids.size(); ++press) {
                    QString seen, problem;
                    AnswerNextBox([&](QMessageBox* m, QList<QAbstractButton*> buttons) {
                        QStringList d{m->windowTitle(), QString::number(m->icon()), m->text()};
                        for (QAbstractButton* b : buttons) d << QString(b->text()).remove('&');
                        seen = d.join('|');
                        QList<QKeyCombination> keys;
                        for (QAbstractButton* b : buttons) {
                            const QKeySequence key = QKeySequence::mnemonic(b->text());
                            if (key.isEmpty() || keys.contains(key[0]))
                                problem = b->text() + " has no accelerator of its own";
                            keys << (key.isEmpty() ? QKeyCombination() : key[0]);
                        }
                        if (press == keys.size())
                            QTest::keyClick(m, Qt::Key_Escape);
                        else if (problem.isEmpty()) // a box takes the letter alone too
                            QTest::keyClick(m, keys[press].key());
                        else
                            m->done(-1);
                    });
                    const int answer = show[kind]();
                    QVERIFY2(problem.isEmpty(), qPrintable(problem));
                    QCOMPARE(answer, ids[std::min(press, int(ids.size()) - 1)]);
                    QString looks = boxes[kind].looks;
                    for (int id : ids)
                        looks += '|' + words[QList{IdOk, IdYes, IdNo, IdCancel}.indexOf(id)];
                    QCOMPARE(seen, looks);
                }
            }
        }
    }

    // Long texts are broken or shown under the details, never wider or
    // taller than the screen; markup is shown as written.
    void longTextsStayOnTheScreenAndMarkupIsShownAsWritten() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        std::string words;
        for (int i = 0; i < 400; ++i) words += "Threading " + std::to_string(i) + " ";
        const std::string path = "/home/weaver/" + std::string(700, 'r') + "/rosepath.hdw";
        hw::QtPrompter p;
        for (const std::string& text : {path, words, std::string("<b>bold</b> & <img src=x>")}) {
            const QString all = QString::fromStdString(text);
            bool plain = false, whole = false, fits = false;
            AnswerNextBox([&](QMessageBox* m, QList<QAbstractButton*>) {
                plain = m->textFormat() == Qt::PlainText;
                const QString shown = m->text().remove(QChar(0x200B));
                whole = m->detailedText().isEmpty()
                            ? shown == all
                            : m->detailedText() == all && all.startsWith(shown.chopped(1));
                fits = m->frameGeometry().width() <= screen.width() &&
                       m->frameGeometry().height() <= screen.height();
                m->done(0);
            });
            p.ShowInfo(text);
            QVERIFY2(plain && whole && fits, text.substr(0, 20).c_str());
        }
    }
};

QTEST_MAIN(DialogLanguagesTest)
#include "dialog_languages_test.moc"
