#include "dialogs/transform_dialogs.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace hw {

namespace {

QString Text(const std::string& form, const char* key) {
    return QString::fromStdString(GetText(form, key));
}

// A small threading of the sequence: one column per entry, shaft 1 at the
// bottom, a dark cell where the entry lies, in grid lines; drawn at the
// top left of a picture of the given size, so that all items line up.
QIcon SequenceIcon(const std::vector<uint8_t>& values, QSize size) {
    constexpr int cell = 5;
    const int columns = int(values.size());
    const int rows = *std::max_element(values.begin(), values.end());
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.fillRect(0, 0, columns * cell + 1, rows * cell + 1, Qt::white);
    p.setPen(Qt::darkGray);
    for (int c = 0; c <= columns; ++c) p.drawLine(c * cell, 0, c * cell, rows * cell);
    for (int r = 0; r <= rows; ++r) p.drawLine(0, r * cell, columns * cell, r * cell);
    for (int c = 0; c < columns; ++c)
        p.fillRect(c * cell + 1, (rows - values[size_t(c)]) * cell + 1, cell - 1, cell - 1,
                   Qt::black);
    return QIcon(picture);
}

QListWidget* SequenceList(QWidget* parent, const char* name,
                          std::span<const BuiltInSequence> items) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    int width = 0, height = 0;
    for (const BuiltInSequence& s : items) {
        width = std::max(width, int(s.Values.size()) * 5 + 1);
        height = std::max(height, *std::max_element(s.Values.begin(), s.Values.end()) * 5 + 1);
    }
    for (const BuiltInSequence& s : items)
        list->addItem(new QListWidgetItem(SequenceIcon(s.Values, {width, height}), s.Name));
    list->setIconSize(QSize(width, height));
    list->setMinimumHeight(int(items.size()) * (height + 6) + 6);
    list->setMinimumWidth(width + 170);
    list->setCurrentRow(-1);
    return list;
}

// The file box decides between the list and the file field.
void LinkFileBox(QCheckBox* box, QListWidget* list, QLabel* listLabel, const FileField& file) {
    auto follow = [=](bool fromFile) {
        if (fromFile) list->clearSelection(), list->setCurrentRow(-1);
        list->setEnabled(!fromFile);
        if (listLabel) listLabel->setEnabled(!fromFile);
        file.Edit->setEnabled(fromFile);
        file.Browse->setEnabled(fromFile);
    };
    QObject::connect(box, &QCheckBox::toggled, list, follow);
    follow(false);
}

} // namespace

void PreviewDialog::accept() {
    if (!Apply || Apply()) QDialog::accept();
}

void PreviewDialog::Preview() {
    if (Apply) Apply();
}

void PreviewDialog::Arrange(QLayout* controls, bool preview, int helpContext) {
    auto* right = new QVBoxLayout;
    if (preview) {
        QPushButton* b = Button(this, "PreviewBtn", "&Preview");
        connect(b, &QPushButton::clicked, this, &PreviewDialog::Preview);
        right->addWidget(b);
    }
    const auto [ok, cancel] = MakeOkCancel(this);
    right->addWidget(ok);
    right->addWidget(cancel);
    if (helpContext > 0) {
        SetHelpContext(this, helpContext);
        right->addWidget(MakeHelpButton(this, helpContext, "&Help"));
    }
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

FileField MakeFileField(QWidget* parent, const char* editName, const char* browseName,
                        const PathChooser& choose) {
    FileField f;
    f.Edit = new QLineEdit(parent);
    f.Edit->setObjectName(editName);
    f.Edit->setMinimumWidth(220);
    f.Browse = Button(parent, browseName, "&Browse...");
    QLineEdit* edit = f.Edit;
    QObject::connect(f.Browse, &QPushButton::clicked, parent, [edit, choose] {
        if (const QString path = choose(); !path.isEmpty()) edit->setText(path);
    });
    return f;
}

TNumPairDlg::TNumPairDlg(const Texts& texts, bool preview, int helpContext, QWidget* parent)
    : PreviewDialog(parent), texts_(texts) {
    setObjectName("TNumPairDlg");
    const TwoFields f = MakeTwoFields(this, 1, 1);
    label1_ = f.Label1, spin1_ = f.Spin1, label2_ = f.Label2, spin2_ = f.Spin2;
    f.Grid->setRowStretch(2, 1);
    Arrange(f.Grid, preview, helpContext);
    new LangBinder(this, "TNumPairDlg", [this] {
        setWindowTitle(Text(texts_.Form, texts_.Caption.c_str()));
        label1_->setText(Text(texts_.Form, texts_.First.c_str()));
        label2_->setText(Text(texts_.Form, texts_.Second.c_str()));
    });
}

void TNumPairDlg::SetRanges(int min1, int max1, int value1, int min2, int max2, int value2) {
    spin1_->setRange(min1, max1);
    spin1_->setValue(value1);
    spin2_->setRange(min2, max2);
    spin2_->setValue(value2);
}

int TNumPairDlg::First() const {
    return spin1_->value();
}

int TNumPairDlg::Second() const {
    return spin2_->value();
}

TNetworkDlg::TNetworkDlg(const PathChooser& choose, QWidget* parent) : PreviewDialog(parent) {
    setObjectName("TNetworkDlg");
    setWindowTitle("Network");
    list_ = SequenceList(this, "InitialList", NetworkInitials());
    listLabel_ = Label(this, "LabelInitial", "&Initial:", list_);
    fromFile_ = Check(this, "FileBox", "Use Initial from &File:");
    file_ = MakeFileField(this, "FileEdit", "BrowseBtn", choose);
    ribbon_ = Spin(this, "RibbonSpin", 0, 40);
    ribbon_->setValue(4);
    ribbonLabel_ = Label(this, "LabelRibbon", "&Ribbon width", ribbon_);
    targetBox_ = RadioGroup(this, "NetworkGroup", "Network", {"Threading", "Treadling", "Both"},
                            target_, Qt::Horizontal);
    Select(target_, 2);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) ribbon_->setValue(NetworkInitials()[size_t(row)].RibbonWidth);
    });
    LinkFileBox(fromFile_, list_, listLabel_, file_);

    auto* controls = new QGridLayout;
    controls->addWidget(listLabel_, 0, 0, 1, 3);
    controls->addWidget(list_, 1, 0, 1, 3);
    controls->addWidget(fromFile_, 2, 0, 1, 3);
    controls->addWidget(file_.Edit, 3, 0, 1, 2);
    controls->addWidget(file_.Browse, 3, 2);
    controls->addWidget(ribbonLabel_, 4, 0);
    controls->addWidget(ribbon_, 4, 1);
    controls->addWidget(targetBox_, 5, 0, 1, 3);
    Arrange(controls, true, help::Network);
    new LangBinder(this, "TNetworkDlg");
}

void TNetworkDlg::Prepare(bool singleTreadling) {
    targetBox_->setVisible(singleTreadling);
    ribbon_->setVisible(!singleTreadling);
    ribbonLabel_->setVisible(!singleTreadling);
}

int TNetworkDlg::Initial() const {
    return list_->currentItem() && list_->currentItem()->isSelected() ? list_->currentRow() : -1;
}

bool TNetworkDlg::FromFile() const {
    return fromFile_->isChecked();
}

QString TNetworkDlg::Path() const {
    return file_.Edit->text().trimmed();
}

int TNetworkDlg::RibbonWidth() const {
    return ribbon_->value();
}

NetworkTarget TNetworkDlg::Target() const {
    return NetworkTarget(std::max(target_->checkedId(), 0));
}

TBlocksDlg::TBlocksDlg(const PathChooser& choose, QWidget* parent) : PreviewDialog(parent) {
    setObjectName("TBlocksDlg");
    setWindowTitle("Block Substitution");
    file_ = MakeFileField(this, "FileEdit", "BrowseBtn", choose);
    QGroupBox* placement =
        RadioGroup(this, "PlacementGroup", "Placement", {"&Absolute", "&Relative"}, placement_);
    Select(placement_, 0);
    auto* controls = new QGridLayout;
    controls->addWidget(Label(this, "LabelFile", "Blocks &File:", file_.Edit), 0, 0, 1, 2);
    controls->addWidget(file_.Edit, 1, 0);
    controls->addWidget(file_.Browse, 1, 1);
    controls->addWidget(placement, 2, 0, 1, 2);
    controls->setRowStretch(3, 1);
    Arrange(controls, true, help::BlockSubstitution);
    new LangBinder(this, "TBlocksDlg");
}

QString TBlocksDlg::Path() const {
    return file_.Edit->text().trimmed();
}

bool TBlocksDlg::Relative() const {
    return placement_->checkedId() == 1;
}

TInsThrDlg::TInsThrDlg(bool treadling, const PathChooser& choose, QWidget* parent)
    : PreviewDialog(parent), treadling_(treadling) {
    setObjectName("TInsThrDlg");
    list_ = SequenceList(this, "InsertList", InsertSequences());
    QLabel* listLabel = Label(this, "LabelInsert", "&Insert:", list_);
    fromFile_ = Check(this, "FileBox", "Insert from &file");
    file_ = MakeFileField(this, "FileEdit", "BrowseBtn", choose);
    interval_ = Spin(this, "IntervalSpin", 1, 100);
    interval_->setValue(1);
    startBox_ = RadioGroup(this, "StartGroup", "", {"", ""}, start_);
    Select(start_, 0);
    LinkFileBox(fromFile_, list_, listLabel, file_);

    auto* controls = new QGridLayout;
    controls->addWidget(listLabel, 0, 0, 1, 3);
    controls->addWidget(list_, 1, 0, 1, 3);
    controls->addWidget(fromFile_, 2, 0, 1, 3);
    controls->addWidget(file_.Edit, 3, 0, 1, 2);
    controls->addWidget(file_.Browse, 3, 2);
    controls->addWidget(Label(this, "LabelInterval", "Interval", interval_), 4, 0);
    controls->addWidget(interval_, 4, 1);
    controls->addWidget(startBox_, 5, 0, 1, 3);
    Arrange(controls, true, treadling ? help::InsertTreadling : help::InsertThreading);
    new LangBinder(this, "TInsThrDlg", [this] { ShowTexts(); });
}

void TInsThrDlg::ShowTexts() {
    const std::string form = "TInsThrDlg";
    setWindowTitle(Text(form, treadling_ ? "@idInsTr" : "@idInsThr"));
    startBox_->setTitle(Text(form, "@insfrom"));
    start_->button(0)->setText(Text(form, treadling_ ? "@frompick" : "@fromend"));
    start_->button(1)->setText(Text(form, "@afterint"));
}

int TInsThrDlg::Sequence() const {
    return list_->currentItem() && list_->currentItem()->isSelected() ? list_->currentRow() : -1;
}

bool TInsThrDlg::FromFile() const {
    return fromFile_->isChecked();
}

QString TInsThrDlg::Path() const {
    return file_.Edit->text().trimmed();
}

int TInsThrDlg::Interval() const {
    return interval_->value();
}

bool TInsThrDlg::AfterInterval() const {
    return start_->checkedId() == 1;
}

TInsLiftDlg::TInsLiftDlg(const PathChooser& choose, QWidget* parent) : PreviewDialog(parent) {
    setObjectName("TInsLiftDlg");
    setWindowTitle("Insert Picks in Liftplan");
    from_ = Spin(this, "FromSpin", 1, 9999);
    interval_ = Spin(this, "IntervalSpin", 1, 99);
    QGroupBox* kind =
        RadioGroup(this, "InsertGroup", "Insert", {"&Blank Picks", "Picks from Fi&le"}, kind_);
    Select(kind_, 0);
    file_ = MakeFileField(this, "FileEdit", "BrowseBtn", choose);
    QLabel* fileLabel = Label(this, "LabelFile", "File&name:", file_.Edit);
    auto follow = [this, fileLabel](int id) {
        for (QWidget* w : {static_cast<QWidget*>(file_.Edit), static_cast<QWidget*>(file_.Browse),
                           static_cast<QWidget*>(fileLabel)})
            w->setEnabled(id == 1);
    };
    connect(kind_, &QButtonGroup::idClicked, this, follow);
    follow(0);
    auto* controls = new QGridLayout;
    controls->addWidget(Label(this, "LabelFrom", "&From Pick:", from_), 0, 0);
    controls->addWidget(from_, 0, 1);
    controls->addWidget(Label(this, "LabelInterval", "&Interval:", interval_), 1, 0);
    controls->addWidget(interval_, 1, 1);
    controls->addWidget(kind, 2, 0, 1, 3);
    controls->addWidget(fileLabel, 3, 0, 1, 3);
    controls->addWidget(file_.Edit, 4, 0, 1, 2);
    controls->addWidget(file_.Browse, 4, 2);
    Arrange(controls, true, help::InsertInLiftplan);
    new LangBinder(this, "TInsLiftDlg");
}

int TInsLiftDlg::FromPick() const {
    return from_->value();
}

int TInsLiftDlg::Interval() const {
    return interval_->value();
}

bool TInsLiftDlg::FromFile() const {
    return kind_->checkedId() == 1;
}

QString TInsLiftDlg::Path() const {
    return file_.Edit->text().trimmed();
}

TTrompDlg::TTrompDlg(const DraftState& d, QWidget* parent) : PreviewDialog(parent) {
    setObjectName("TTrompDlg");
    setWindowTitle("Tromp as Writ");
    QGroupBox* box = RadioGroup(this, "CopyGroup", "Copy",
                                {"Threading to Treadling", "Warp Colors to Weft Colors",
                                 "Treadling to Threading", "Weft Colors to Warp Colors",
                                 "Switch Warp/Weft Colors", "Switch Threading/Treadling"},
                                choice_);
    for (int i = 0; i < 6; ++i) choice_->button(i)->setEnabled(TrompAvailable(d, TrompChoice(i)));
    Select(choice_, TrompAvailable(d, TrompChoice::ThreadingToTreadling) ? 0 : 1);
    auto* controls = new QVBoxLayout;
    controls->addWidget(box);
    Arrange(controls, true, help::TrompAsWrit);
    new LangBinder(this, "TTrompDlg");
}

TrompChoice TTrompDlg::Choice() const {
    return TrompChoice(std::max(choice_->checkedId(), 0));
}

TWrapDlg::TWrapDlg(int maxSteps, QWidget* parent) : PreviewDialog(parent) {
    setObjectName("TWrapDlg");
    setWindowTitle("Wrap Liftplan");
    QGroupBox* box = RadioGroup(this, "WrapGroup", "Wrap", {"&Right", "&Left"}, direction_);
    Select(direction_, 0);
    steps_ = Spin(this, "StepsSpin", 1, std::max(maxSteps, 1));
    auto* controls = new QGridLayout;
    controls->addWidget(box, 0, 0, 1, 2);
    controls->addWidget(Label(this, "LabelSteps", "&Steps:", steps_), 1, 0);
    controls->addWidget(steps_, 1, 1);
    controls->setRowStretch(2, 1);
    Arrange(controls, true, help::WrapLiftplan);
    new LangBinder(this, "TWrapDlg");
}

int TWrapDlg::Steps() const {
    return direction_->checkedId() == 1 ? -steps_->value() : steps_->value();
}

} // namespace hw
