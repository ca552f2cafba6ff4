#include "platform/qt_prompter.h"

#include "text/lang.h"
#include "version.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace hw {

namespace {

constexpr QChar ZeroWidthSpace(0x200B);
// A word longer than this gets break chances, preferably after path separators.
constexpr int LongWord = 40;

// The buttons carry the program's own texts. They are custom buttons, so
// that Qt never puts its own translation of "Yes" or "Cancel" in their place.
QString ButtonText(int id) {
    switch (id) {
    case IdOk:
        return QString::fromStdString(GetText("TMsgBox", "@btnok"));
    case IdYes:
        return QString::fromStdString(GetText("TMsgBox", "@btnyes"));
    case IdNo:
        return QString::fromStdString(GetText("TMsgBox", "@btnno"));
    default:
        return QString::fromStdString(GetText("TMsgBox", "@btncancel"));
    }
}

QMessageBox::ButtonRole RoleOf(int id) {
    switch (id) {
    case IdOk:
        return QMessageBox::AcceptRole;
    case IdYes:
        return QMessageBox::YesRole;
    case IdNo:
        return QMessageBox::NoRole;
    default:
        return QMessageBox::RejectRole;
    }
}

// Shows the box and returns the id of the pressed button. The first button is
// the default; Escape (and closing the window) presses the last one.
int Run(QWidget* parent, const QString& caption, QMessageBox::Icon icon, const std::string& text,
        std::initializer_list<int> buttons) {
    QMessageBox box(icon, caption, QString(), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    const QString whole = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (whole.size() > MessageBoxShortLength) {
        box.setText(MessageBoxText(whole.left(MessageBoxShortLength).toStdString()) +
                    QChar(0x2026));
        box.setDetailedText(whole);
    } else {
        box.setText(MessageBoxText(text));
    }
    std::vector<std::pair<QAbstractButton*, int>> made;
    for (int id : buttons) made.emplace_back(box.addButton(ButtonText(id), RoleOf(id)), id);
    box.setDefaultButton(qobject_cast<QPushButton*>(made.front().first));
    box.setEscapeButton(made.back().first);
    box.exec();
    for (const auto& [button, id] : made)
        if (box.clickedButton() == button) return id;
    return IdCancel;
}

QString AppCaption() {
    return QString::fromUtf8(ProductName);
}

} // namespace

QString MessageBoxText(const std::string& text) {
    const QString in = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QString out;
    out.reserve(in.size() + in.size() / LongWord + 1);
    qsizetype i = 0;
    while (i < in.size()) {
        if (in[i].isSpace()) {
            out += in[i++];
            continue;
        }
        qsizetype end = i;
        while (end < in.size() && !in[end].isSpace()) ++end;
        // Only words that really are long get breaks; normal texts stay as written.
        const bool longWord = end - i > LongWord;
        int sinceBreak = 0;
        for (; i < end; ++i) {
            const QChar c = in[i];
            out += c;
            ++sinceBreak;
            if (!longWord || c.isHighSurrogate() || i + 1 == end)
                continue; // never split a character
            if (c == '/' || c == '\\' || sinceBreak >= LongWord) {
                out += ZeroWidthSpace;
                sinceBreak = 0;
            }
        }
    }
    return out;
}

QtPrompter::QtPrompter(QWidget* parent) : parent_(parent) {}

void QtPrompter::ShowInfo(const std::string& text) {
    Run(parent_, AppCaption(), QMessageBox::Information, text, {IdOk});
}

int QtPrompter::AskYesNo(const std::string& text) {
    return Run(parent_, AppCaption(), QMessageBox::Question, text, {IdYes, IdNo});
}

int QtPrompter::AskYesNoCancel(const std::string& text) {
    return Run(parent_, AppCaption(), QMessageBox::Question, text, {IdYes, IdNo, IdCancel});
}

int QtPrompter::WarnYesNoCancel(const std::string& text) {
    return Run(parent_, AppCaption(), QMessageBox::Warning, text, {IdYes, IdNo, IdCancel});
}

int QtPrompter::AskOkCancel(const std::string& text) {
    return Run(parent_, AppCaption(), QMessageBox::Information, text, {IdOk, IdCancel});
}

void QtPrompter::ShowError(const std::string& text) {
    Run(parent_, QStringLiteral("Error"), QMessageBox::Critical, text, {IdOk});
}

} // namespace hw
