#include "dialogs/translate_dialog.h"

#include "dialogs/form_widgets.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace hw {

namespace {

constexpr int GridPixels = 128; // the larger side of a unit
constexpr int GridGap = 24;

QString Text(const char* form, const char* key) {
    return QString::fromStdString(GetText(form, key));
}

} // namespace

UnitEditor::UnitEditor(QWidget* parent) : QWidget(parent) {
    setObjectName("UnitEditor");
    setFixedSize(sizeHint());
}

void UnitEditor::SetUnits(const UnitPair& u) {
    units_ = u;
    update();
}

QSize UnitEditor::sizeHint() const {
    return {2 * GridPixels + GridGap + 1, GridPixels + 1};
}

int UnitEditor::CellSize() const {
    return GridPixels / std::max(units_.Ends, units_.Picks);
}

QRect UnitEditor::CellRect(int unit, int row, int column) const {
    const int cell = CellSize();
    const int left = unit == 1 ? 0 : GridPixels + GridGap;
    return {left + (units_.Ends - column) * cell, (row - 1) * cell, cell + 1, cell + 1};
}

void UnitEditor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int cell = CellSize();
    for (int unit = 1; unit <= 2; ++unit) {
        const UnitGrid& g = unit == 1 ? units_.Unit1 : units_.Unit2;
        for (int r = 1; r <= units_.Picks; ++r)
            for (int c = 1; c <= units_.Ends; ++c) {
                const QRect box = CellRect(unit, r, c);
                p.fillRect(box.adjusted(1, 1, -1, -1),
                           g[size_t(r - 1)][size_t(c - 1)] ? Qt::black : Qt::white);
            }
        // Grid lines: one pixel each, the outer ones included.
        const QRect first = CellRect(unit, 1, units_.Ends);
        p.setPen(Qt::darkGray);
        for (int c = 0; c <= units_.Ends; ++c)
            p.drawLine(first.left() + c * cell, 0, first.left() + c * cell, units_.Picks * cell);
        for (int r = 0; r <= units_.Picks; ++r)
            p.drawLine(first.left(), r * cell, first.left() + units_.Ends * cell, r * cell);
    }
}

void UnitEditor::PaintAt(const QPoint& at) {
    for (int unit = 1; unit <= 2; ++unit)
        for (int r = 1; r <= units_.Picks; ++r)
            for (int c = 1; c <= units_.Ends; ++c) {
                const QRect box = CellRect(unit, r, c).adjusted(0, 0, -1, -1);
                if (!box.contains(at)) continue;
                bool& cell =
                    (unit == 1 ? units_.Unit1 : units_.Unit2)[size_t(r - 1)][size_t(c - 1)];
                if (cell == *painting_) return;
                cell = *painting_;
                update();
                emit Edited();
                return;
            }
}

void UnitEditor::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
    painting_ = e->button() == Qt::LeftButton;
    PaintAt(e->position().toPoint());
}

void UnitEditor::mouseMoveEvent(QMouseEvent* e) {
    if (painting_) PaintAt(e->position().toPoint());
}

void UnitEditor::mouseReleaseEvent(QMouseEvent*) {
    painting_.reset();
}

TTranslateDlg::TTranslateDlg(Kind kind, bool designMode, bool sinking, const UnitPair& units,
                             int library, QWidget* parent)
    : PreviewDialog(parent), kind_(kind), sinking_(sinking) {
    setObjectName("TTranslateDlg");
    editor_ = new UnitEditor(this);
    library_ = new QComboBox(this);
    library_->setObjectName("LibraryCombo");
    library_->addItem("");
    for (const UnitLibraryEntry& e : UnitLibrary())
        library_->addItem(QString::fromStdString(e.Name));
    library_->setMaxVisibleItems(20);
    connect(library_, &QComboBox::activated, this, [this](int i) {
        if (i > 0) SetUnits(UnitLibrary()[size_t(i - 1)].Units, i - 1);
    });
    QPushButton* size = Button(this, "UnitSizeBtn", "&Unit Size...");
    QPushButton* clear = Button(this, "ClearBtn", "C&lear");
    QPushButton* load = Button(this, "LoadBtn", "Load units from f&ile...");
    QPushButton* doubleWeave = Button(this, "DoubleWeaveBtn", "Construct &Double Weave...");
    fromFiles_ = Check(this, "FilesBox", "Use liftplans from &files");
    connect(size, &QPushButton::clicked, this, &TTranslateDlg::UnitSize);
    connect(clear, &QPushButton::clicked, this, [this] {
        UnitPair u = Units();
        ClearUnits(u);
        SetUnits(u, -1);
    });
    connect(load, &QPushButton::clicked, this, [this] {
        if (!OnLoadUnits) return;
        if (const std::optional<UnitPair> u = OnLoadUnits()) SetUnits(*u, -1);
    });
    connect(doubleWeave, &QPushButton::clicked, this, &TTranslateDlg::DoubleWeave);
    connect(fromFiles_, &QCheckBox::clicked, this, [this](bool on) {
        if (on && !(OnFilesChecked && OnFilesChecked())) fromFiles_->setChecked(false);
        if (!on && OnFilesUnchecked) OnFilesUnchecked();
    });
    const bool draftOverlay = kind == Kind::Overlay && !designMode;
    load->setVisible(!draftOverlay);
    fromFiles_->setVisible(draftOverlay);

    auto* controls = new QGridLayout;
    auto* captions = new QHBoxLayout;
    QLabel* unit1 = Label(this, "LabelUnit1", "Unit 1", nullptr);
    unit1->setFixedWidth(GridPixels + GridGap);
    captions->addWidget(unit1);
    captions->addWidget(Label(this, "LabelUnit2", "Unit 2", nullptr));
    controls->addLayout(captions, 0, 0, 1, 2);
    controls->addWidget(editor_, 1, 0, 1, 2);
    auto* libraryRow = new QHBoxLayout;
    libraryRow->addWidget(Label(this, "LabelLibrary", "Li&brary:", library_));
    libraryRow->addWidget(library_, 1);
    controls->addLayout(libraryRow, 2, 0, 1, 2);
    controls->addWidget(size, 3, 0);
    controls->addWidget(clear, 3, 1);
    controls->addWidget(load, 4, 0);
    controls->addWidget(doubleWeave, 4, 1);
    controls->addWidget(fromFiles_, 5, 0, 1, 2);
    controls->setRowStretch(6, 1);
    Arrange(controls, true, kind == Kind::Translate ? help::Translate : help::LiftplanOverlay);
    SetUnits(units, library);
    new LangBinder(this, "TTranslateDlg", [this] { ShowTexts(); });
}

void TTranslateDlg::ShowTexts() {
    setWindowTitle(Text("TTranslateDlg", kind_ == Kind::Translate ? "@translate" : "@liftoverlay"));
    library_->setItemText(0, Text("TTranslateDlg", "@nolibrary"));
}

void TTranslateDlg::SetUnits(const UnitPair& u, int library) {
    editor_->SetUnits(u);
    library_->setCurrentIndex(library + 1);
}

UnitPair TTranslateDlg::Units() const {
    return editor_->Units();
}

int TTranslateDlg::LibrarySelection() const {
    return library_->currentIndex() - 1;
}

bool TTranslateDlg::FromFiles() const {
    return fromFiles_->isVisible() && fromFiles_->isChecked();
}

void TTranslateDlg::UnitSize() {
    UnitPair u = Units();
    TNumPairDlg dialog({"TTranslateDlg", "@unitsize", "@ends", "@picks"}, false, 0, this);
    dialog.SetRanges(1, 16, u.Ends, 1, 16, u.Picks);
    if (dialog.exec() != QDialog::Accepted) return;
    SetUnitSize(u, dialog.First(), dialog.Second());
    SetUnits(u, LibrarySelection());
}

void TTranslateDlg::DoubleWeave() {
    TDoubleWeaveDlg dialog(sinking_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    UnitPair u = Units();
    if (const Status s = ConstructDoubleWeave(u, dialog.FromPick2()); !s) {
        if (OnMessage) OnMessage(*s.Error);
        return;
    }
    SetUnits(u, -1);
}

TDoubleWeaveDlg::TDoubleWeaveDlg(bool sinking, QWidget* parent) : QDialog(parent) {
    setObjectName("TDoubleWeaveDlg");
    setWindowTitle("Construct Double Weave");
    QGroupBox* box = RadioGroup(this, "StartGroup",
                                sinking ? "Draw first layer from:" : "Draw second layer from:",
                                {"End 1, Pick 1", "End 1, Pick 2"}, start_);
    Select(start_, 0);
    QHBoxLayout* buttons = OkCancelRow(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    new LangBinder(this, "TDoubleWeaveDlg", [this, box, sinking] {
        box->setTitle(Text("TDoubleWeaveDlg", sinking ? "@firstlayer" : "@seclayer"));
        start_->button(0)->setText(Text("TDoubleWeaveDlg", "@pick1"));
        start_->button(1)->setText(Text("TDoubleWeaveDlg", "@pick2"));
    });
}

bool TDoubleWeaveDlg::FromPick2() const {
    return start_->checkedId() == 1;
}

TOverlayFilesDlg::TOverlayFilesDlg(const PathChooser& choose, QWidget* parent)
    : PreviewDialog(parent) {
    setObjectName("TOverlayFilesDlg");
    setWindowTitle("Liftplan Overlay");
    a_ = MakeFileField(this, "EditA", "BrowseA", choose);
    b_ = MakeFileField(this, "EditB", "BrowseB", choose);
    auto* controls = new QGridLayout;
    controls->addWidget(Label(this, "LabelA", "Liftplan &A:", a_.Edit), 0, 0, 1, 2);
    controls->addWidget(a_.Edit, 1, 0);
    controls->addWidget(a_.Browse, 1, 1);
    controls->addWidget(Label(this, "LabelB", "Liftplan &B:", b_.Edit), 2, 0, 1, 2);
    controls->addWidget(b_.Edit, 3, 0);
    controls->addWidget(b_.Browse, 3, 1);
    Arrange(controls, false, help::LiftplanOverlay);
    new LangBinder(this, "TOverlayFilesDlg");
}

QString TOverlayFilesDlg::PathA() const {
    return a_.Edit->text().trimmed();
}

QString TOverlayFilesDlg::PathB() const {
    return b_.Edit->text().trimmed();
}

} // namespace hw
