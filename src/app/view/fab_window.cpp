#include "view/fab_window.h"

#include "document/editor_document.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "view/draft_view.h"
#include "view/fabric.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace hw {

// The picture, one device pixel per thread; a press and release on it
// centres the draft.
class FabricSurface : public QWidget {
public:
    explicit FabricSurface(TFabwindow& w) : QWidget(&w), window_(w) {
        setObjectName("FabricSurface");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(1, 1);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.drawImage(QPoint(0, 0), window_.image_);
    }
    void mousePressEvent(QMouseEvent* e) override { pressed_ = e->button() == Qt::LeftButton; }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!pressed_ || e->button() != Qt::LeftButton) return;
        pressed_ = false;
        const double r = devicePixelRatioF();
        window_.Clicked(
            QPoint(int(std::floor(e->position().x() * r)), int(std::floor(e->position().y() * r))));
    }

private:
    TFabwindow& window_;
    bool pressed_ = false;
};

TFabwindow::TFabwindow(EditorDocument& doc, DraftView& view, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), doc_(doc), view_(view) {
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("Fabric"));
    SetHelpContext(this, help::FabricWindow);
    surface_ = new FabricSurface(*this);
    sbarH_ = new QScrollBar(Qt::Horizontal, this);
    sbarH_->setObjectName("SBarH");
    sbarV_ = new QScrollBar(Qt::Vertical, this);
    sbarV_->setObjectName("SBarV");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(surface_, 0, 0);
    grid->addWidget(sbarV_, 0, 1);
    grid->addWidget(sbarH_, 1, 0);
    for (QScrollBar* b : {sbarH_, sbarV_}) {
        // Acts when a scroll action ends, not while the thumb is dragged.
        b->setTracking(false);
        b->hide();
        connect(b, &QScrollBar::valueChanged, this, [this] {
            const DraftState& d = doc_.Draft();
            const int h = sbarH_->value(), v = sbarV_->value();
            endOffset_ = d.RightStart ? sbarH_->maximum() - h : h;
            pickOffset_ = d.BottomStart ? sbarV_->maximum() - v : v;
            FullRepaint();
        });
    }
    resize(300, 300);
    setMinimumSize(100, 100);
    connect(&doc_, &EditorDocument::Changed, this, &TFabwindow::ShowChange);
    connect(&doc_, &EditorDocument::Replaced, this, [this] {
        endOffset_ = pickOffset_ = 0;
        FullRepaint();
    });
    new LangBinder(this, FormName);
}

TFabwindow::~TFabwindow() = default;

QWidget* TFabwindow::Surface() const {
    return surface_;
}

void TFabwindow::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    emit Closed();
}

void TFabwindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FullRepaint();
}

void TFabwindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FullRepaint();
}

// The bars only when the cloth does not fit; their thickness then comes off
// the picture.
void TFabwindow::Layout() {
    const ClothExtent cloth = FabricExtent(doc_.Draft());
    clothEnds_ = cloth.Ends, clothPicks_ = cloth.Picks;
    const double r = devicePixelRatioF();
    const QSize client = size() * r;
    const bool fits = clothEnds_ <= client.width() && clothPicks_ <= client.height();
    sbarH_->setVisible(!fits);
    sbarV_->setVisible(!fits);
    const int w = fits ? client.width() : int((width() - sbarV_->sizeHint().width()) * r);
    const int h = fits ? client.height() : int((height() - sbarH_->sizeHint().height()) * r);
    endOffset_ = std::clamp(endOffset_, 0, std::max(0, clothEnds_ - w));
    pickOffset_ = std::clamp(pickOffset_, 0, std::max(0, clothPicks_ - h));
    const DraftState& d = doc_.Draft();
    auto setup = [](QScrollBar* b, int count, int page, int offset, bool mirrored) {
        const QSignalBlocker block(b);
        const int maximum = std::max(0, count - page);
        b->setRange(0, maximum);
        b->setPageStep(std::max(page, 1));
        b->setValue(mirrored ? maximum - offset : offset);
    };
    setup(sbarH_, clothEnds_, w, endOffset_, d.RightStart);
    setup(sbarV_, clothPicks_, h, pickOffset_, d.BottomStart);
    if (image_.size() != QSize(w, h)) {
        image_ = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
        image_.setDevicePixelRatio(r);
        canvas_ = std::make_unique<RasterCanvas>(reinterpret_cast<uint32_t*>(image_.bits()),
                                                 image_.width(), image_.height(),
                                                 int(image_.bytesPerLine()));
    }
}

void TFabwindow::FullRepaint() {
    if (!isVisible()) return;
    Layout();
    PaintFabricWindow(*canvas_, doc_.Draft(), image_.width(), image_.height(), endOffset_,
                      pickOffset_, view_.Settings().BackgroundColor);
    surface_->update();
}

void TFabwindow::ShowChange(const Change& c) {
    if (!isVisible() || !canvas_) return;
    // A threading stroke changes a few ends; the cloth's size stays.
    const ComponentSet ends{Component::Threading, Component::WarpColors, Component::Used};
    const ClothExtent cloth = FabricExtent(doc_.Draft());
    if ((c.Parts - ends).Any() || c.Ends.Empty() || cloth.Ends != clothEnds_ ||
        cloth.Picks != clothPicks_) {
        FullRepaint();
        return;
    }
    PaintFabricWindowEnds(*canvas_, doc_.Draft(), image_.width(), image_.height(), endOffset_,
                          pickOffset_, view_.Settings().BackgroundColor, c.Ends.First, c.Ends.Last);
    surface_->update();
}

void TFabwindow::Clicked(QPoint device) {
    const ClothPoint at = FabricWindowHit(doc_.Draft(), image_.width(), image_.height(), endOffset_,
                                          pickOffset_, device.x(), device.y());
    if (at.End == 0) return;
    const ViewWindow& w = view_.Window();
    view_.ScrollTo(at.End - w.VisibleEnds / 2, at.Pick - w.VisiblePicks / 2);
}

} // namespace hw
