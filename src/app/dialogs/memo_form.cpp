#include "dialogs/memo_form.h"

#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace hw {

namespace {

QString WithNewlines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

int CostOf(QChar c) {
    return c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator
               ? 2
               : 1;
}

} // namespace

LimitedMemo::LimitedMemo(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent), maxLength_(maxLength) {
    // Typing and pasting are refused before they happen; whatever else gets
    // in (an input method's commit) is cut back right after.
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int, int added) {
        if (added > 0 && !cutting_ && Length() > maxLength_)
            QMetaObject::invokeMethod(this, &LimitedMemo::CutBack, Qt::QueuedConnection);
    });
}

int LimitedMemo::LengthOf(const QString& text) {
    int n = 0;
    for (QChar c : text) n += CostOf(c);
    return n;
}

int LimitedMemo::Length() const {
    return LengthOf(toPlainText());
}

QString LimitedMemo::Fit(const QString& text, int room) {
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        // A surrogate pair is one character: both halves or neither.
        const qsizetype step = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const int cost = step == 2 ? 2 : CostOf(text.at(i));
        if (used + cost > room) break;
        used += cost;
        i += step;
    }
    return text.left(i);
}

int LimitedMemo::Room() const {
    return maxLength_ - (Length() - LengthOf(WithNewlines(textCursor().selectedText())));
}

void LimitedMemo::keyPressEvent(QKeyEvent* event) {
    QString typed;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        typed = QStringLiteral("\n");
    } else if (!(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        for (QChar c : event->text())
            if (c.isPrint() || c == QLatin1Char('\t') || c.isSurrogate()) typed += c;
    }
    if (!typed.isEmpty() && LengthOf(typed) > Room()) {
        event->accept(); // full: the key does nothing
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedMemo::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) {
        insertPlainText(Fit(WithNewlines(source->text()), Room()));
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

void LimitedMemo::CutBack() {
    if (Length() <= maxLength_) return;
    cutting_ = true;
    const auto cutBefore = [this](int end) {
        int excess = Length() - maxLength_;
        int start = end;
        while (start > 0 && excess > 0) {
            --start;
            excess -= CostOf(document()->characterAt(start));
        }
        QTextCursor c(document());
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    };
    // What just came in ends at the cursor, so the excess goes from there;
    // when the cursor stands too near the start, the rest from the end.
    cutBefore(textCursor().position());
    if (Length() > maxLength_) cutBefore(document()->characterCount() - 1);
    cutting_ = false;
}

// A tool window of its parent: above the main window, below any dialog.
Tmemoform::Tmemoform(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("Notes"));
    SetHelpContext(this, help::Notes);

    memo_ = new LimitedMemo(MaxLength, this);
    memo_->setObjectName("Memo1");
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setTabChangesFocus(false); // Tab is typed into the note
    memo_->setTabStopDistance(memo_->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);

    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName("File1");
    print_ = file->addAction(QStringLiteral("Print"));
    print_->setObjectName("Print1");
    // Enabled by whoever connects it to a printer.
    print_->setEnabled(false);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName("Edit1");
    QAction* undo = edit->addAction(QStringLiteral("&Undo"));
    undo->setObjectName("Undo1");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undo->setEnabled(false);
    QAction* cut = edit->addAction(QStringLiteral("Cu&t"));
    cut->setObjectName("Cut1");
    cut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    cut->setEnabled(false);
    QAction* copy = edit->addAction(QStringLiteral("&Copy"));
    copy->setObjectName("Copy1");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    copy->setEnabled(false);
    QAction* paste = edit->addAction(QStringLiteral("&Paste"));
    paste->setObjectName("Paste1");
    connect(undo, &QAction::triggered, memo_, &QPlainTextEdit::undo);
    connect(cut, &QAction::triggered, memo_, &QPlainTextEdit::cut);
    connect(copy, &QAction::triggered, memo_, &QPlainTextEdit::copy);
    connect(paste, &QAction::triggered, memo_, &QPlainTextEdit::paste);
    connect(memo_, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(memo_, &QPlainTextEdit::copyAvailable, cut, &QAction::setEnabled);
    connect(memo_, &QPlainTextEdit::copyAvailable, copy, &QAction::setEnabled);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("Button1");
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(memo_, 1);
    layout->addLayout(buttons);

    resize(InitialWidth, InitialHeight);
    setMinimumSize(NotesMinWidth, NotesMinHeight);
    setMaximumWidth(InitialWidth);
    new LangBinder(this, FormName);
}

void Tmemoform::SetNotes(const std::string& notes) {
    const QString text = WithNewlines(QString::fromStdString(notes));
    // setPlainText also empties the memo's undo history: undo never brings
    // back another pattern's note.
    memo_->setPlainText(LimitedMemo::Fit(text, MaxLength));
}

std::string Tmemoform::Notes() const {
    QString text = memo_->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toStdString();
}

void Tmemoform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return; // restored by the window system, not opened
    // Centred on the screen the first time, unless the caller has placed it
    // (from the stored placement).
    if (!placed_) {
        placed_ = true;
        QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
        if (s && !testAttribute(Qt::WA_Moved)) {
            QRect r = frameGeometry();
            r.moveCenter(s->availableGeometry().center());
            move(r.topLeft());
        }
    }
}

} // namespace hw
