#include "dialogs/input_forms.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {

namespace {

QString Tr(const char* form, const char* key, const char* suffix = "") {
    return QString::fromStdString(GetText(form, key) + suffix);
}

// Centred across the screen, its top at `top` (a fraction of the screen's
// height), or its bottom at `bottom` above the screen's foot.
void PlaceOnScreen(QWidget* w, double top, double bottom) {
    w->adjustSize();
    const QWidget* near = w->parentWidget() ? w->parentWidget() : w;
    const QScreen* screen = near->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const int x = area.x() + (area.width() - w->frameGeometry().width()) / 2;
    const int y = top > 0
                      ? area.y() + int(area.height() * top)
                      : area.bottom() - int(area.height() * bottom) - w->frameGeometry().height();
    w->move(x, std::max(y, area.y()));
}

} // namespace

// ---- keyboard input ----

TEdKeyForm::TEdKeyForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TEdKeyForm");
    SetHelpContext(this, help::KeyboardInput);
    auto named = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    positionLabel_ = named("PosLabel");
    positionNumber_ = named("PosValue");
    valueLabel_ = named("ValueLabel");
    valueNumber_ = named("ValueValue");
    for (QLabel* n : {positionNumber_, valueNumber_}) {
        n->setMinimumWidth(fontMetrics().horizontalAdvance("00000"));
        n->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* grid = new QGridLayout;
    // Wide enough for the caption of every mode.
    grid->setColumnMinimumWidth(0, fontMetrics().averageCharWidth() * 18);
    grid->addWidget(positionLabel_, 0, 0);
    grid->addWidget(positionNumber_, 0, 1);
    grid->addWidget(valueLabel_, 1, 0);
    grid->addWidget(valueNumber_, 1, 1);
    close_ = new QPushButton("&Close", this);
    close_->setObjectName("Button1");
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(close_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Every key reaches the input first, whichever control has the focus.
    installEventFilter(this);
    close_->installEventFilter(this);
    new LangBinder(this, "TEdKeyForm", [this] { ShowTexts(); });
}

void TEdKeyForm::ShowState(const char* caption, const char* position, int positionNumber,
                           const char* value, int valueNumber) {
    caption_ = caption;
    position_ = position;
    value_ = value;
    positionNumber_->setText(QString::number(positionNumber));
    valueNumber_->setText(QString::number(valueNumber));
    ShowTexts();
}

void TEdKeyForm::ShowTexts() {
    setWindowTitle(Tr("TEdKeyForm", caption_));
    positionLabel_->setText(Tr("TEdKeyForm", position_, ":"));
    valueLabel_->setText(Tr("TEdKeyForm", value_, ":"));
}

void TEdKeyForm::Place(bool nearTop) {
    PlaceOnScreen(this, nearTop ? 0.2 : 0.6, 0);
}

bool TEdKeyForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease ||
        type == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        char ch = 0;
        const InputKey k = ToInputKey(*key, ch);
        if (k == InputKey::Other) return QDialog::eventFilter(watched, event);
        // The key is the input's: no shortcut takes it, and Space never
        // presses the Close button.
        event->accept();
        if (type == QEvent::KeyPress && OnKey) OnKey(k, ch);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

InputKey ToInputKey(const QKeyEvent& e, char& ch) {
    ch = 0;
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return InputKey::Other;
    const int k = e.key();
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)) {
        ch = char(k); // Qt's codes of digits and letters are their upper-case ASCII
        return InputKey::Char;
    }
    switch (k) {
    case Qt::Key_Space:
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return InputKey::Enter;
    case Qt::Key_Left:
        return InputKey::Left;
    case Qt::Key_Right:
        return InputKey::Right;
    case Qt::Key_Up:
        return InputKey::Up;
    case Qt::Key_Down:
        return InputKey::Down;
    case Qt::Key_Home:
        return InputKey::Home;
    case Qt::Key_End:
        return InputKey::End;
    case Qt::Key_PageUp:
        return InputKey::PageUp;
    case Qt::Key_PageDown:
        return InputKey::PageDown;
    case Qt::Key_Insert:
        return InputKey::Insert;
    case Qt::Key_Delete:
        return InputKey::Delete;
    default:
        return InputKey::Other;
    }
}

// ---- numeric input ----

TNumInputForm::TNumInputForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TNumInputForm");
    SetHelpContext(this, help::NumericInput);
    QGroupBox* group = RadioGroup(this, "RadioGroup1", "Input in", {"Threading", "Treadling"},
                                  target_, Qt::Horizontal);
    start_ = Spin(this, "SpinEdit1", 1, MaxEnds);
    QLabel* startLabel = Label(this, "Label1", "Start:", start_);
    edit_ = new QLineEdit(this);
    edit_->setObjectName("Edit1");
    edit_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(32, '0')));
    auto* input = new QPushButton("&Input", this);
    input->setObjectName("InputBtn");
    input->setDefault(true);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("CloseBtn");
    close->setAutoDefault(false);
    connect(input, &QPushButton::clicked, this, [this] {
        if (OnInput) OnInput();
        edit_->setFocus();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(target_, &QButtonGroup::idClicked, this, [this] { TargetChanged(); });
    auto* row = new QHBoxLayout;
    row->addWidget(group);
    row->addStretch();
    row->addWidget(startLabel);
    row->addWidget(start_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(input);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(edit_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Select(target_, 0);
    new LangBinder(this, "TNumInputForm", [this] { ShowTexts(); });
}

void TNumInputForm::ShowTexts() {
    // The example reads as a hint in the empty field.
    const QString example = Tr("TNumInputForm", "@example");
    edit_->setPlaceholderText(example);
    edit_->setToolTip(example);
}

void TNumInputForm::TargetChanged() {
    if (StartFor) start_->setValue(StartFor(Treadling()));
    edit_->setFocus();
}

void TNumInputForm::Execute(bool treadlingAllowed, bool nearTop) {
    if (!treadlingAllowed) Select(target_, 0);
    target_->button(1)->setEnabled(treadlingAllowed);
    TargetChanged();
    PlaceOnScreen(this, nearTop ? 0.2 : 0, 1.0 / 7);
    exec();
}

bool TNumInputForm::Treadling() const {
    return target_->checkedId() == 1;
}

int TNumInputForm::Start() const {
    return start_->value();
}

std::string TNumInputForm::Text() const {
    return edit_->text().toStdString();
}

} // namespace hw
