#include "help/tip_of_the_day.h"

#include "help/context_help.h"
#include "platform/install_paths.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace hw {

namespace {

int Wrap(int tip) {
    return ((tip - 1) % TTipOfTheDay::TipCount + TTipOfTheDay::TipCount) % TTipOfTheDay::TipCount +
           1;
}

// The described faces where they are installed, else the system's.
void UseFaceIfInstalled(QWidget* w, const char* face, qreal pointSize = 0) {
    QFont f = w->font();
    if (QFontDatabase::hasFamily(QString::fromLatin1(face))) f.setFamily(face);
    if (pointSize > 0) f.setPointSizeF(pointSize);
    w->setFont(f);
}

} // namespace

QString TTipOfTheDay::TipText(int tip) {
    const std::string key = "@tip" + std::to_string(Wrap(tip));
    // The samples tip names the folder where this editor finds them.
    return QString::fromStdString(GetText(FormName, key))
        .replace(QLatin1String("%1"), QDir::toNativeSeparators(SamplesFolder()));
}

TTipOfTheDay::TTipOfTheDay(QWidget* parent) : QDialog(parent) {
    setObjectName(FormName);
    SetHelpContext(this, help::TipOfTheDay);
    UseFaceIfInstalled(this, "Tahoma");

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(40, 40));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* title = new QLabel(this);
    title->setObjectName("TitleLabel");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title->setFont(titleFont);

    text_ = new QLabel(this);
    text_->setObjectName("TipText");
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    text_->setMinimumHeight(90);
    UseFaceIfInstalled(text_, "Comic Sans MS", 11);

    // The tip sits on a light yellow panel (red 255, green 255, blue 236).
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 236));
    pal.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(pal);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(icon);
    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(title);
    textColumn->addWidget(text_, 1);
    panelLayout->addLayout(textColumn, 1);

    showAtStartup_ = new QCheckBox(this);
    showAtStartup_->setObjectName("ShowTipsBox");
    auto* next = new QPushButton(this);
    next->setObjectName("NextButton");
    auto* close = new QPushButton(this);
    close->setObjectName("CloseButton");
    close->setDefault(true);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(showAtStartup_);
    bottom->addStretch(1);
    bottom->addWidget(next);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(bottom);

    connect(next, &QPushButton::clicked, this, &TTipOfTheDay::NextTip);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    resize(460, 240);
    // The tip on show is a message text, so it follows the language here.
    new LangBinder(this, FormName, [this] { SetCurrentTip(tip_); });
}

void TTipOfTheDay::SetCurrentTip(int tip) {
    tip_ = Wrap(tip);
    text_->setText(TipText(tip_));
}

void TTipOfTheDay::NextTip() {
    SetCurrentTip(tip_ + 1);
}

bool TTipOfTheDay::ShowAtStartup() const {
    return showAtStartup_->isChecked();
}

void TTipOfTheDay::SetShowAtStartup(bool on) {
    showAtStartup_->setChecked(on);
}

} // namespace hw
