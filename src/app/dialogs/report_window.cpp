#include "dialogs/report_window.h"

#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hw {

TRtxtDlg::TRtxtDlg(QWidget* parent, std::function<TextReport()> make)
    : QDialog(parent), make_(std::move(make)) {
    setObjectName("TRtxtDlg");
    setAttribute(Qt::WA_DeleteOnClose);
    SetHelpContext(this, help::AnalysisReports);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("Amemo");
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(InstalledFamily("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    memo_->setFont(font);

    print_ = new QPushButton("&Print", this);
    print_->setObjectName("OKBtn");
    print_->setEnabled(false);
    connect(print_, &QPushButton::clicked, this, [this] {
        if (printText_) printText_(memo_->toPlainText().toStdString());
    });
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("CloseBtn");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_);
    layout->addLayout(buttons);
    resize(560, 460);
    new LangBinder(this, "TRtxtDlg", [this] { Fill(); });
}

void TRtxtDlg::SetPrint(std::function<void(const std::string&)> print) {
    printText_ = std::move(print);
    print_->setEnabled(bool(printText_));
}

void TRtxtDlg::Fill() {
    const TextReport r = make_();
    setWindowTitle(QString::fromStdString(r.Title).trimmed());
    memo_->setPlainText(QString::fromStdString(r.Text));
}

} // namespace hw
