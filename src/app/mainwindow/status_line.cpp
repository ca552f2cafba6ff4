#include "mainwindow/status_line.h"

#include "model/limits.h"
#include "text/lang.h"
#include "view/status_text.h"

#include <QLabel>
#include <QStatusBar>

#include <algorithm>

namespace hw {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Room for the sunken frame and a little air on both sides.
constexpr int PanelPadding = 14;

} // namespace

StatusLine::StatusLine(QStatusBar* bar) {
    bar->setObjectName("StatusLine");
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(bar);
        l->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i] = l;
        if (i == 0) {
            bar->addWidget(l, 1);
            continue;
        }
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(l);
    }
    panels_[5]->setAlignment(Qt::AlignCenter);
    panels_[5]->setFixedWidth(22);
    FitToLanguage();
}

void StatusLine::FitToLanguage() {
    const QFontMetrics fm = panels_[1]->fontMetrics();
    auto width = [&](std::initializer_list<std::string> texts) {
        int w = 0;
        for (const std::string& t : texts) w = std::max(w, fm.horizontalAdvance(Q(t)));
        return w + PanelPadding;
    };
    const std::string range = ": " + std::to_string(MaxEnds) + "-" + std::to_string(MaxEnds);
    const int ranges =
        width({GetText("TWform", "@idwarp") + range, GetText("TWform", "@idweft") + range});
    panels_[1]->setFixedWidth(ranges);
    panels_[2]->setFixedWidth(ranges);
    const std::string number = ": " + std::to_string(MaxEnds);
    const int position =
        width({GetText("TWform", "@idend") + number, GetText("TWform", "@idpick") + number,
               GetText("TWform", "@idshaft") + number, GetText("TWform", "@idtreadle") + number,
               GetText("TWform", "@idcolor") + number, GetText("TWform", "@compressed")});
    panels_[3]->setFixedWidth(position);
    panels_[4]->setFixedWidth(position);
    panels_[6]->setFixedWidth(
        width({GetText("TWform", "@idsinking"), GetText("TWform", "@idrising")}));
}

void StatusLine::ShowHint(const QString& text) {
    panels_[0]->setText(text);
}

void StatusLine::ShowRanges(const ViewWindow& w) {
    panels_[1]->setText(Q(WarpRangeText(w)));
    panels_[2]->setText(Q(WeftRangeText(w)));
}

void StatusLine::ShowPointer(const DraftState& d, const ViewWindow& w, const ViewHit& hit) {
    const PositionTexts t = PointerPositionTexts(d, w, hit);
    panels_[3]->setText(Q(t.First));
    panels_[4]->setText(Q(t.Second));
}

void StatusLine::ShowCompressed(bool compressed) {
    panels_[3]->setText(compressed ? Q(GetText("TWform", "@compressed")) : QString());
    panels_[4]->clear();
}

void StatusLine::ShowDraftState(const DraftState& d) {
    panels_[5]->setText(d.ColorsLinked ? "=" : "-");
    panels_[6]->setText(Q(ShedText(d)));
}

} // namespace hw
