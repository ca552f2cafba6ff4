#include "help/tip_of_the_day.h"

#include "help/context_help.h"
#include "text/help_topics.h"

#include "text/lang.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace hw {

namespace {

// The tips in English, shown when the table has no text for a tip.
constexpr const char* EnglishTips[TTipOfTheDay::TipCount] = {
    "You can click a position in the floating Fabric Window to go to this position in the draft.",
    "You can press the cursor keys to change zoom level.",
    "You can press the F1 key to get context sensitive help in a dialog or when selecting a menu "
    "item.",
    "For optimal display of colors, in Windows Control Panel set color palette to High Color or "
    "True Color (16 million colors).",
    "In draft mode, you can also edit directly in the drawdown area. ",
    "In the Color Palette window and the Edit Colors window, you can double-click a color to "
    "bring up the Color Dialog to adjust the color.",
    "You can click the right mouse button in the warp or weft color grids to select a color.",
    "To quickly insert and delete ends or picks one by one in draft mode, place the mouse cursor "
    "on the desired end or pick in the threading or liftplan/treadling, then press the Insert or "
    "Delete key.",
    "You can use Page Setup to control the size of a printed image.",
    "File names can be up to 255 characters long and can include spaces.",
    "You can pick Options|Note to write a note for your pattern. The note will be saved together "
    "with the pattern.",
    "You can click the color bar at the bottom of the Color Palette window to change the number "
    "of colors displayed.",
    "You can create your own folders for your patterns in the Save As dialog.",
    "A collection of sample patterns, illustrating various kinds of patterns,  is included in the "
    "Samples folder.",
    "In the Open and Save As dialogs, you can right-click a pattern file to delete or rename it.",
    "You can generate an endless number of different, balanced twills with the Twill Variations "
    "command in Library.",
    "You can use Paste Special with the Advance option to make an advancing twill.",
    "In selection mode, you can click the right mouse button to quickly return to line drawing "
    "mode.",
    "To do fabric analysis, draw the fabric in Design mode, then change to Draft mode and the "
    "draft for the fabric will be instantly created.",
};

// The lookups are spelt out so that every key the code uses can be found in
// the sources.
std::string LookUpTip(int tip) {
    switch (tip) {
    case 1:
        return GetText("TTipOfTheDay", "@tip1");
    case 2:
        return GetText("TTipOfTheDay", "@tip2");
    case 3:
        return GetText("TTipOfTheDay", "@tip3");
    case 4:
        return GetText("TTipOfTheDay", "@tip4");
    case 5:
        return GetText("TTipOfTheDay", "@tip5");
    case 6:
        return GetText("TTipOfTheDay", "@tip6");
    case 7:
        return GetText("TTipOfTheDay", "@tip7");
    case 8:
        return GetText("TTipOfTheDay", "@tip8");
    case 9:
        return GetText("TTipOfTheDay", "@tip9");
    case 10:
        return GetText("TTipOfTheDay", "@tip10");
    case 11:
        return GetText("TTipOfTheDay", "@tip11");
    case 12:
        return GetText("TTipOfTheDay", "@tip12");
    case 13:
        return GetText("TTipOfTheDay", "@tip13");
    case 14:
        return GetText("TTipOfTheDay", "@tip14");
    case 15:
        return GetText("TTipOfTheDay", "@tip15");
    case 16:
        return GetText("TTipOfTheDay", "@tip16");
    case 17:
        return GetText("TTipOfTheDay", "@tip17");
    case 18:
        return GetText("TTipOfTheDay", "@tip18");
    case 19:
        return GetText("TTipOfTheDay", "@tip19");
    default:
        return {};
    }
}

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
    tip = Wrap(tip);
    const std::string text = LookUpTip(tip);
    // The lookup gives the key itself back when the table lacks it.
    if (text.empty() || text[0] == '@') return QString::fromUtf8(EnglishTips[tip - 1]);
    return QString::fromStdString(text);
}

TTipOfTheDay::TTipOfTheDay(QWidget* parent) : QDialog(parent) {
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("Tip of the Day"));
    SetHelpContext(this, help::TipOfTheDay);
    UseFaceIfInstalled(this, "Tahoma");

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(40, 40));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* title = new QLabel(QStringLiteral("Did you know..."), this);
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

    showAtStartup_ = new QCheckBox(QStringLiteral("&Show tips at start-up"), this);
    showAtStartup_->setObjectName("ShowTipsBox");
    auto* next = new QPushButton(QStringLiteral("&Next Tip"), this);
    next->setObjectName("NextButton");
    auto* close = new QPushButton(QStringLiteral("Close"), this);
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
    SetCurrentTip(1);
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
