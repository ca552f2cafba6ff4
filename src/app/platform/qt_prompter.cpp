#include "platform/qt_prompter.h"

#include "text/lang.h"
#include "version.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace hw {

namespace {

constexpr QChar ZeroWidthSpace(0x200B);
// A word longer than this gets break chances, preferably after path separators.
constexpr int LongWord = 40;

void LabelButtons(QMessageBox& box) {
    const struct {
        QMessageBox::StandardButton button;
        std::string text;
    } labels[] = {
        {QMessageBox::Ok, GetText("TMsgBox", "@btnok")},
        {QMessageBox::Yes, GetText("TMsgBox", "@btnyes")},
        {QMessageBox::No, GetText("TMsgBox", "@btnno")},
        {QMessageBox::Cancel, GetText("TMsgBox", "@btncancel")},
    };
    for (const auto& l : labels)
        if (QAbstractButton* b = box.button(l.button)) b->setText(QString::fromStdString(l.text));
}

int ResultOf(int pressed) {
    switch (pressed) {
    case QMessageBox::Ok:
        return IdOk;
    case QMessageBox::Yes:
        return IdYes;
    case QMessageBox::No:
        return IdNo;
    default:
        return IdCancel;
    }
}

int Run(QWidget* parent, const QString& caption, QMessageBox::Icon icon, const std::string& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, caption, QString(), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    const QString whole = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (whole.size() > MessageBoxShortLength) {
        box.setText(MessageBoxText(whole.left(MessageBoxShortLength).toStdString()) +
                    QChar(0x2026));
        box.setDetailedText(whole);
    } else {
        box.setText(MessageBoxText(text));
    }
    box.setDefaultButton(defaultButton);
    if (buttons & QMessageBox::Cancel) box.setEscapeButton(QMessageBox::Cancel);
    LabelButtons(box);
    return ResultOf(box.exec());
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
    Run(parent_, AppCaption(), QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

int QtPrompter::AskYesNo(const std::string& text) {
    return Run(parent_, AppCaption(), QMessageBox::Question, text,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
}

int QtPrompter::AskYesNoCancel(const std::string& text) {
    return Run(parent_, AppCaption(), QMessageBox::Question, text,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

int QtPrompter::WarnYesNoCancel(const std::string& text) {
    return Run(parent_, AppCaption(), QMessageBox::Warning, text,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

int QtPrompter::AskOkCancel(const std::string& text) {
    return Run(parent_, AppCaption(), QMessageBox::Information, text,
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
}

void QtPrompter::ShowError(const std::string& text) {
    Run(parent_, QStringLiteral("Error"), QMessageBox::Critical, text, QMessageBox::Ok,
        QMessageBox::Ok);
}

} // namespace hw
