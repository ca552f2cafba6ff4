#pragma once

#include "dialogs/transform_dialogs.h"
#include "transform/translate.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace hw {

// The two unit grids side by side, columns from right to left (column 1 at
// the right) and rows from the top. The left button sets cells, the right
// one clears them; a drag paints with the state it began with.
class UnitEditor : public QWidget {
    Q_OBJECT
public:
    explicit UnitEditor(QWidget* parent = nullptr);
    const UnitPair& Units() const { return units_; }
    void SetUnits(const UnitPair& u);
    QSize sizeHint() const override;
    // The grids' cell size and where a unit cell lies (unit 1 or 2, row and
    // column from 1), in widget pixels.
    int CellSize() const;
    QRect CellRect(int unit, int row, int column) const;

signals:
    void Edited();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void PaintAt(const QPoint& at);

    UnitPair units_;
    std::optional<bool> painting_;
};

// Transform > Translate and Transform > Overlay: the units, the library,
// and for Overlay in Draft mode the choice of two liftplan files instead.
class TTranslateDlg : public PreviewDialog {
    Q_OBJECT
public:
    enum class Kind { Translate, Overlay };
    // sinking: the double weave question names the first layer, else the second.
    TTranslateDlg(Kind kind, bool designMode, bool sinking, const UnitPair& units, int library,
                  QWidget* parent = nullptr);

    UnitPair Units() const;
    int LibrarySelection() const; // -1: none
    bool FromFiles() const;
    UnitEditor* Editor() const { return editor_; }

    // Asks for a pattern and gives its units; nothing when cancelled or
    // unreadable (the command reports why).
    std::function<std::optional<UnitPair>()> OnLoadUnits;
    // "Use liftplans from files" was checked: asks for the two files and
    // overlays them; false unchecks the box again.
    std::function<bool()> OnFilesChecked;
    // ... and unchecked: the draft goes back to how the dialog found it.
    std::function<void()> OnFilesUnchecked;
    std::function<void(const Message&)> OnMessage;

private:
    void ShowTexts();
    void UnitSize();
    void DoubleWeave();
    void SetUnits(const UnitPair& u, int library);

    Kind kind_;
    bool sinking_;
    UnitEditor* editor_ = nullptr;
    QComboBox* library_ = nullptr;
    QCheckBox* fromFiles_ = nullptr;
};

// "Construct Double Weave": which pick the first (or second) layer starts on.
class TDoubleWeaveDlg : public QDialog {
    Q_OBJECT
public:
    TDoubleWeaveDlg(bool sinking, QWidget* parent = nullptr);
    bool FromPick2() const;

private:
    QButtonGroup* start_ = nullptr;
};

// The two liftplan files of an overlay, confirmed by "Overlay".
class TOverlayFilesDlg : public PreviewDialog {
    Q_OBJECT
public:
    TOverlayFilesDlg(const PathChooser& choose, QWidget* parent = nullptr);
    QString PathA() const;
    QString PathB() const;

private:
    FileField a_, b_;
};

} // namespace hw
