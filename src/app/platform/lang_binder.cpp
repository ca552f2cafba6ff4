#include "platform/lang_binder.h"

#include "text/lang.h"
#include "text/start_language.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTranslator>
#include <QTreeWidget>

#include <memory>

namespace hw {

namespace {

QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QStringList ToList(const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& s : items) list << Q(s);
    return list;
}

// Radio buttons of a group in the order the user sees them: the layout's
// order when there is a layout, else the order they were made in.
void CollectRadios(QLayout* layout, QList<QRadioButton*>& out) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (auto* r = qobject_cast<QRadioButton*>(item->widget())) out << r;
        if (item->layout()) CollectRadios(item->layout(), out);
    }
}

QList<QRadioButton*> RadioButtonsOf(QGroupBox* group) {
    QList<QRadioButton*> radios;
    if (group->layout()) CollectRadios(group->layout(), radios);
    if (radios.isEmpty()) radios = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    return radios;
}

// Replaces a list's items by the table's, keeping the selected position.
template <typename Count, typename SetText, typename Add, typename RemoveLast>
void ReplaceItems(const QStringList& items, Count count, SetText setText, Add add,
                  RemoveLast removeLast) {
    for (int i = 0; i < items.size(); ++i) {
        if (i < count())
            setText(i, items[i]);
        else
            add(items[i]);
    }
    while (count() > items.size()) removeLast();
}

void SetItems(QObject* o, const QStringList& items) {
    if (auto* combo = qobject_cast<QComboBox*>(o)) {
        const QSignalBlocker quiet(combo);
        const int index = combo->currentIndex();
        ReplaceItems(
            items, [&] { return combo->count(); },
            [&](int i, const QString& t) { combo->setItemText(i, t); },
            [&](const QString& t) { combo->addItem(t); },
            [&] { combo->removeItem(combo->count() - 1); });
        combo->setCurrentIndex(index < combo->count() ? index : combo->count() - 1);
    } else if (auto* list = qobject_cast<QListWidget*>(o)) {
        const QSignalBlocker quiet(list);
        const int row = list->currentRow();
        ReplaceItems(
            items, [&] { return list->count(); },
            [&](int i, const QString& t) { list->item(i)->setText(t); },
            [&](const QString& t) { list->addItem(t); },
            [&] { delete list->takeItem(list->count() - 1); });
        if (row < list->count()) list->setCurrentRow(row);
    } else if (auto* group = qobject_cast<QGroupBox*>(o)) {
        const QList<QRadioButton*> radios = RadioButtonsOf(group);
        for (int i = 0; i < items.size() && i < radios.size(); ++i) radios[i]->setText(items[i]);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
        for (int i = 0; i < items.size() && i < tabs->count(); ++i) tabs->setTabText(i, items[i]);
    } else if (auto* bar = qobject_cast<QTabBar*>(o)) {
        for (int i = 0; i < items.size() && i < bar->count(); ++i) bar->setTabText(i, items[i]);
    } else if (auto* status = qobject_cast<QStatusBar*>(o)) {
        const QList<QLabel*> panels = status->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < items.size() && i < panels.size(); ++i) panels[i]->setText(items[i]);
    } else if (auto* dialog = qobject_cast<QFileDialog*>(o)) {
        std::vector<std::string> filters;
        for (const QString& s : items) filters.push_back(s.toStdString());
        dialog->setNameFilters(QtNameFilters(filters));
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(o)) {
        memo->setPlainText(items.join('\n'));
    } else if (auto* rich = qobject_cast<QTextEdit*>(o)) {
        rich->setPlainText(items.join('\n'));
    } else if (auto* table = qobject_cast<QTableWidget*>(o)) {
        table->setHorizontalHeaderLabels(items);
    } else if (auto* tree = qobject_cast<QTreeWidget*>(o)) {
        for (int i = 0; i < items.size() && i < tree->topLevelItemCount(); ++i)
            tree->topLevelItem(i)->setText(0, items[i]);
    }
}

void SetMainText(QObject* o, const QString& text, bool isForm) {
    if (auto* action = qobject_cast<QAction*>(o)) {
        if (action->isSeparator()) return;
        if (text == "-")
            action->setSeparator(true);
        else
            action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(o)) {
        menu->setTitle(text);
    } else if (isForm) {
        static_cast<QWidget*>(o)->setWindowTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(o)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(o)) {
        group->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(o)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(o)) {
        if (combo->isEditable()) combo->setEditText(text);
    } else if (auto* status = qobject_cast<QStatusBar*>(o)) {
        status->showMessage(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(o)) {
        memo->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(o)) {
        rich->setPlainText(text);
    } else if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow()) {
        w->setWindowTitle(text);
    } else if (qobject_cast<QTabWidget*>(o) || qobject_cast<QTabBar*>(o) ||
               qobject_cast<QListWidget*>(o) || qobject_cast<QFileDialog*>(o)) {
        // Only their items carry texts.
    } else {
        // Anything else with a text or a title, e.g. widgets of our own.
        const QMetaObject* meta = o->metaObject();
        for (const char* property : {"text", "title"}) {
            const int index = meta->indexOfProperty(property);
            if (index >= 0 && meta->property(index).isWritable()) {
                o->setProperty(property, text);
                return;
            }
        }
    }
}

void SetHint(QObject* o, const QString& shortHint, const QString& longHint) {
    if (auto* action = qobject_cast<QAction*>(o)) {
        action->setToolTip(shortHint);
        action->setStatusTip(longHint);
    } else if (auto* w = qobject_cast<QWidget*>(o)) {
        w->setToolTip(shortHint);
        w->setStatusTip(longHint);
        if (auto* menu = qobject_cast<QMenu*>(o)) {
            menu->menuAction()->setToolTip(shortHint);
            menu->menuAction()->setStatusTip(longHint);
        }
    }
}

std::unique_ptr<QTranslator>& QtTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

// Qt's own texts (file dialogs, "Show Details...", edit menus) follow the
// program's language when the system has Qt's translations.
void ApplyQtTranslations(int language) {
    std::unique_ptr<QTranslator>& current = QtTranslator();
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
    }
    if (language == LangEnglish || !QCoreApplication::instance()) return;
    auto translator = std::make_unique<QTranslator>();
    const QString file = QStringLiteral("qt_") + QString::fromLatin1(LanguageCode(language));
    if (translator->load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        current = std::move(translator);
    }
}

} // namespace

LangBinder::LangBinder(QWidget* form, const std::string& formName,
                       std::function<void()> afterChange)
    : LangBinder(form, LoadFormTable(formName), std::move(afterChange)) {}

LangBinder::LangBinder(QWidget* form, TMultiLang table, std::function<void()> afterChange)
    : QObject(form), form_(form), component_(std::move(table)),
      afterChange_(std::move(afterChange)) {
    setObjectName(QStringLiteral("LangBinder"));
    component_.Target = this;
    RegisterComponent(component_);
    Loaded(component_);
}

LangBinder::~LangBinder() {
    UnregisterComponent(component_);
}

LangBinder* LangBinder::Of(const QWidget* form) {
    return form ? form->findChild<LangBinder*>(QStringLiteral("LangBinder"),
                                               Qt::FindDirectChildrenOnly)
                : nullptr;
}

namespace {

// Another form inside this one (a dialog owned by a window) has its own
// table; its widgets are not this form's components. Menus are windows too,
// but they belong to the form.
bool IsOtherForm(QObject* o) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return false;
    if (LangBinder::Of(w)) return true;
    return w->isWindow() && !qobject_cast<QMenu*>(w);
}

QObject* FindIn(QObject* parent, const QString& name, const QObject* skip) {
    for (QObject* child : parent->children()) {
        if (child == skip) continue;
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0) return child;
    }
    for (QObject* child : parent->children()) {
        if (child == skip || IsOtherForm(child)) continue;
        if (QObject* found = FindIn(child, name, skip)) return found;
    }
    return nullptr;
}

} // namespace

QObject* LangBinder::FindComponent(const QString& name) const {
    if (!form_) return nullptr;
    if (form_->objectName().compare(name, Qt::CaseInsensitive) == 0) return form_;
    return FindIn(form_, name, this);
}

void LangBinder::SetCaption(const std::string& text) {
    if (form_) form_->setWindowTitle(Q(text));
}

bool LangBinder::ApplyComponent(const ComponentTexts& texts) {
    QObject* o = FindComponent(Q(texts.Name));
    if (!o) return false;
    SetMainText(o, Q(texts.Text), o == form_);
    if (!texts.Items.empty()) SetItems(o, ToList(texts.Items));
    if (texts.HasHint) SetHint(o, Q(texts.ShortHint), Q(texts.LongHint));
    return true;
}

std::string LangBinder::FontEntry() const {
    const QString family = form_ ? form_->font().family() : QApplication::font().family();
    return family.toStdString() + ",1";
}

void LangBinder::SetFont(const std::string& face, int) {
    if (!form_) return;
    const QString family = InstalledFamily(Q(face));
    if (family.isEmpty() || form_->font().family() == family) return;
    QFont font = form_->font();
    font.setFamily(family);
    form_->setFont(font);
}

void LangBinder::LanguageApplied() {
    if (form_ && afterChange_) afterChange_();
}

QString InstalledFamily(const QString& face) {
    const QString trimmed = face.trimmed();
    if (trimmed.isEmpty()) return QString();
    if (QFontDatabase::families().contains(trimmed, Qt::CaseInsensitive)) {
        // The database's own spelling of the name.
        for (const QString& f : QFontDatabase::families())
            if (f.compare(trimmed, Qt::CaseInsensitive) == 0) return f;
    }
    static const QStringList fixedPitch = {"Courier New", "Courier",  "Lucida Console",
                                           "Consolas",    "Fixedsys", "Terminal"};
    if (fixedPitch.contains(trimmed, Qt::CaseInsensitive))
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return QApplication::font().family();
}

bool ApplyAppLanguage(int language) {
    if (!SetLanguage(language)) return false;
    ApplyQtTranslations(language);
    return true;
}

QStringList QtNameFilters(const std::vector<std::string>& filters) {
    QStringList result;
    for (const std::string& filter : filters) {
        const QStringList parts = Q(filter).split('|');
        for (int i = 0; i + 1 < parts.size(); i += 2) {
            const QString description = parts[i].trimmed();
            QString patterns = parts[i + 1].trimmed();
            patterns.replace(';', ' ');
            // Qt reads the patterns from the parentheses of the name.
            if (description.contains('(' + patterns + ')'))
                result << description;
            else
                result << description + " (" + patterns + ")";
        }
    }
    return result;
}

QStringList FileTypeFilters(const char* typeKey, const char* patterns, bool anyFile) {
    QStringList result{Q(GetText("TWform", typeKey)) + " (" + patterns + ")"};
    if (anyFile) result << Q(GetText("TWform", "@ftany")) + " (*)";
    return result;
}

} // namespace hw
