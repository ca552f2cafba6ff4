#pragma once

#include "model/change.h"
#include "view/raster_canvas.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QScrollBar;

namespace hw {

class DraftView;
class EditorDocument;
class FabricSurface;

// View > "Fabric Window": the whole cloth at one (device) pixel per end and
// per pick in a small tool window above the main one. Scroll bars appear
// only when the cloth does not fit; a click centres the draft view on the
// thread clicked. It follows every change of the document, repainting just
// the ends a threading stroke changed.
class TFabwindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* FormName = "TFabwindow";
    TFabwindow(EditorDocument& doc, DraftView& view, QWidget* parent = nullptr);
    ~TFabwindow() override;

    QWidget* Surface() const;
    QScrollBar* ScrollBarH() const { return sbarH_; }
    QScrollBar* ScrollBarV() const { return sbarV_; }
    const QImage& Picture() const { return image_; }
    // Lays out (bars, offsets) and paints everything.
    void FullRepaint();

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    friend class FabricSurface;
    void Layout();
    void ShowChange(const Change& c);
    void Clicked(QPoint device);

    EditorDocument& doc_;
    DraftView& view_;
    FabricSurface* surface_ = nullptr;
    QScrollBar* sbarH_ = nullptr;
    QScrollBar* sbarV_ = nullptr;
    QImage image_;
    std::unique_ptr<RasterCanvas> canvas_;
    int endOffset_ = 0;
    int pickOffset_ = 0;
    int clothEnds_ = 0;
    int clothPicks_ = 0;
};

} // namespace hw
