#pragma once
// Test helper: reads a form's translation table from resources/lang and
// applies one of its languages to the form's widgets by object name, so the
// tests can check that table and widgets agree and look at each language.

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

#include <map>

namespace hw::test {

struct TableEntry {
    QString Key;
    QStringList Texts; // English, German, Swedish, Finnish
};

inline QString LangDir() {
    // This header lives in tests/app; the tables in resources/lang.
    return QFileInfo(QStringLiteral(__FILE__))
        .absoluteDir()
        .absoluteFilePath("../../resources/lang");
}

inline QString Unescape(const QString& s) {
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 't' || s[i + 1] == 'n')) {
            out += s[i + 1] == 't' ? '\t' : '\n';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Problems go to *problems; an unreadable file gives an empty table.
inline QList<TableEntry> LoadTable(const QString& form, QStringList* problems) {
    QList<TableEntry> table;
    QFile f(LangDir() + "/" + form + ".tsv");
    if (!f.open(QIODevice::ReadOnly)) {
        problems->append("cannot read " + f.fileName());
        return table;
    }
    int line = 0;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        ++line;
        if (raw.isEmpty()) continue;
        const QStringList fields = QString::fromUtf8(raw).split('\t');
        if (fields.size() != 5) {
            problems->append(QString("line %1 has %2 fields").arg(line).arg(fields.size()));
            continue;
        }
        TableEntry e{fields[0], {}};
        for (int i = 1; i < 5; ++i) e.Texts.append(Unescape(fields[i]));
        table.append(e);
    }
    return table;
}

// The item widgets of a component: tab pages or the radio buttons of a group.
inline int ItemCount(QWidget* w) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs->count();
    if (qobject_cast<QGroupBox*>(w))
        return int(w->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).size());
    return 0;
}

inline void SetItem(QWidget* w, int index, const QString& text) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        tabs->setTabText(index, text);
        return;
    }
    const auto radios = w->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    radios[index]->setText(text);
}

inline void SetMainText(QWidget* w, const QString& text) {
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
}

// Applies language 0..3. Names without a widget and items beyond a
// component's items are reported.
inline void ApplyTable(QWidget* form, const QList<TableEntry>& table, int language,
                       QStringList* problems) {
    QWidget* current = nullptr;
    int item = 0;
    std::map<QString, int> items;
    for (const TableEntry& e : table) {
        const QString& text = e.Texts[language];
        if (e.Key == "%Form%") {
            form->setWindowTitle(text);
        } else if (e.Key == "\"") {
            if (!current || item >= ItemCount(current)) {
                problems->append("item without a place after " +
                                 (current ? current->objectName() : QString("start")));
                continue;
            }
            SetItem(current, item++, text);
            items[current->objectName()] = item;
        } else if (e.Key.startsWith('@') || e.Key == "\".Hint") {
            continue;
        } else {
            current = form->findChild<QWidget*>(e.Key);
            item = 0;
            if (!current) {
                problems->append("no widget " + e.Key);
                continue;
            }
            items[e.Key] = 0;
            SetMainText(current, text);
        }
    }
    for (const auto& [name, count] : items) {
        QWidget* w = form->findChild<QWidget*>(name);
        if (w && count != ItemCount(w))
            problems->append(
                QString("%1 has %2 items, the table %3").arg(name).arg(ItemCount(w)).arg(count));
    }
}

// Every visible text of the form by widget, to compare before and after.
inline QStringList FormTexts(QWidget* form) {
    QStringList texts{form->windowTitle()};
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (auto* l = qobject_cast<QLabel*>(w)) texts << w->objectName() + "=" + l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << w->objectName() + "=" + b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts << w->objectName() + "=" + g->title();
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) texts << t->tabText(i);
    }
    return texts;
}

// Widgets with a text that no table entry names (radio buttons count as
// items of their group, so they are not listed).
inline QStringList UntranslatedWidgets(QWidget* form, const QList<TableEntry>& table) {
    QStringList keys;
    for (const TableEntry& e : table) keys << e.Key;
    QStringList missing;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (qobject_cast<QRadioButton*>(w)) continue;
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) text = g->title();
        if (!text.isEmpty() && !keys.contains(w->objectName()))
            missing << w->objectName() + " (" + text + ")";
    }
    return missing;
}

// Shown labels and buttons narrower than their text needs, once the form
// has laid itself out again.
inline QStringList ClippedWidgets(QWidget* form) {
    if (form->layout()) form->layout()->activate();
    QStringList clipped;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w)) continue;
        if (w->width() < w->sizeHint().width()) clipped << w->objectName();
    }
    return clipped;
}

} // namespace hw::test
