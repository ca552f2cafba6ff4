#include "dialogs/options_dialog.h"

#include "text/lang.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace hw {

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setMinimumSize(64, 28);
    setCursor(Qt::PointingHandCursor);
}

void ColorPanel::SetColor(ColorRef color) {
    color_ = color;
    update();
}

void ColorPanel::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        p.fillRect(contentsRect(), QColor(ColorRed(color_), ColorGreen(color_), ColorBlue(color_)));
    }
    QFrame::paintEvent(event);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

TOptionsDlg::TOptionsDlg(Prompter& prompter, bool designMode, QWidget* parent)
    : QDialog(parent), prompter_(prompter), designMode_(designMode) {
    setObjectName("TOptionsDlg");
    setWindowTitle("Options");

    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl1");
    const char* pageNames[] = {"PatternPage", "StylePage", "LayoutPage", "MiscPage"};
    const char* pageTitles[] = {"Pattern", "Style", "Layout", "Miscellaneous"};
    QWidget* pages[4];
    for (int i = 0; i < 4; ++i) {
        pages[i] = new QWidget(pages_);
        pages[i]->setObjectName(pageNames[i]);
        pages_->addTab(pages[i], pageTitles[i]);
    }
    BuildPatternPage(pages[0]);
    BuildStylePage(pages[1]);
    BuildLayoutPage(pages[2]);
    BuildMiscPage(pages[3]);

    const auto [ok, cancel] = MakeOkCancel(this);
    QPushButton* help = MakeHelpButton(this, HelpContext, "&Help");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    // The dialog follows its texts, which differ in length between languages.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ChooseColor = [this](ColorRef current) -> std::optional<ColorRef> {
        const QColor c = QColorDialog::getColor(
            QColor(ColorRed(current), ColorGreen(current), ColorBlue(current)), this);
        if (!c.isValid()) return std::nullopt;
        return MakeColorRef(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()));
    };
    SetValues(OptionsValues{});
    new LangBinder(this, "TOptionsDlg");
}

void TOptionsDlg::BuildPatternPage(QWidget* page) {
    spinShafts_ = Spin(page, "SpinShafts", MinShafts, MaxShafts);
    spinTreadles_ = Spin(page, "SpinTreadles", MinTreadles, MaxTreadles);
    labelTreadles_ = Label(page, "LabelTreadles", "Treadles:", spinTreadles_);
    auto* counts = new QGridLayout;
    counts->addWidget(Label(page, "LabelShafts", "Shafts:", spinShafts_), 0, 0);
    counts->addWidget(spinShafts_, 0, 1);
    counts->addWidget(labelTreadles_, 1, 0);
    counts->addWidget(spinTreadles_, 1, 1);

    auto* size = new QGroupBox("Pattern Size", page);
    size->setObjectName("SizeGroup");
    spinEnds_ = Spin(size, "SpinEnds", MinEnds, MaxEnds);
    spinPicks_ = Spin(size, "SpinPicks", MinPicks, MaxPicks);
    auto* sizeLayout = new QGridLayout(size);
    sizeLayout->addWidget(Label(size, "LabelEnds", "Ends:", spinEnds_), 0, 0);
    sizeLayout->addWidget(spinEnds_, 0, 1);
    sizeLayout->addWidget(Label(size, "LabelPicks", "Picks:", spinPicks_), 1, 0);
    sizeLayout->addWidget(spinPicks_, 1, 1);

    auto* loomBox =
        RadioGroup(page, "LoomGroup", "Loom", {"Tie-up and Treadling", "Liftplan"}, loom_);
    auto* shedBox = RadioGroup(page, "ShedGroup", "Shed", {"Rising", "Sinking"}, shed_);
    treadlingBox_ =
        RadioGroup(page, "TreadlingGroup", "Treadling", {"Single", "Multiple"}, treadling_);

    spinEpi_ = Spin(page, "SpinEpi", MinDensity, MaxDensity);
    spinPpi_ = Spin(page, "SpinPpi", MinDensity, MaxDensity);
    labelEpi_ = Label(page, "LabelEpi", "Ends per inch (EPI):", spinEpi_);
    labelPpi_ = Label(page, "LabelPpi", "Picks per inch (PPI):", spinPpi_);
    labelEpcm_ = Label(page, "LabelEpcm", "Ends per cm:", spinEpi_);
    labelPpcm_ = Label(page, "LabelPpcm", "Picks per cm:", spinPpi_);
    auto* density = new QGridLayout;
    density->addWidget(labelEpi_, 0, 0);
    density->addWidget(labelEpcm_, 0, 0);
    density->addWidget(spinEpi_, 0, 1);
    density->addWidget(labelPpi_, 1, 0);
    density->addWidget(labelPpcm_, 1, 0);
    density->addWidget(spinPpi_, 1, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(counts);
    left->addWidget(size);
    left->addLayout(density);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(loomBox);
    right->addWidget(shedBox);
    right->addWidget(treadlingBox_);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right);

    connect(loom_, &QButtonGroup::idClicked, this, &TOptionsDlg::LoomGroupClick);
    connect(treadling_, &QButtonGroup::idClicked, this, &TOptionsDlg::TreadlingGroupClick);
}

void TOptionsDlg::BuildStylePage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(RadioGroup(page, "StyleGroup", "Drawdown Style",
                                 {"Normal", "Grid", "Threads", "Threads Outlined"}, style_));
    layout->addWidget(RadioGroup(page, "PositionGroup", "Threading Position",
                                 {"Top of Screen", "Bottom of Screen"}, position_));
    layout->addStretch();
}

// Two groups share the caption "Threading Start Position": the one that
// places end 1 lays its items side by side, the one that places shaft 1
// one above the other, and each has its own hint.
void TOptionsDlg::BuildLayoutPage(QWidget* page) {
    auto* layout = new QGridLayout(page);
    layout->addWidget(RadioGroup(page, "ThreadStartGroup", "Threading Start Position",
                                 {"From Right", "From Left"}, threadStart_, Qt::Horizontal),
                      0, 0);
    layout->addWidget(RadioGroup(page, "PickStartGroup", "Treadling/Liftplan Start Position",
                                 {"From Top", "From Bottom"}, pickStart_),
                      0, 1);
    treadleStartBox_ = RadioGroup(page, "TreadleStartGroup", "Treadling Start Position",
                                  {"Left", "Right"}, treadleStart_, Qt::Horizontal);
    layout->addWidget(treadleStartBox_, 1, 1);
    layout->addWidget(RadioGroup(page, "ShaftStartGroup", "Threading Start Position",
                                 {"Top", "Bottom"}, shaftStart_),
                      1, 0);
    layout->setRowStretch(2, 1);
}

void TOptionsDlg::BuildMiscPage(QWidget* page) {
    background_ = new ColorPanel(page);
    background_->setObjectName("BackgroundPanel");
    auto* backgroundLabel = new QLabel("Background Color", page);
    backgroundLabel->setObjectName("BackgroundLabel");
    warnings_ = Check(page, "WarningsBox", "Show all Warning Messages");
    lagrpos_ = Check(page, "LagrposBox", "Save Layout Options in hdw-files");
    saveOnExit_ = Check(page, "SaveOnExitBox", "Save Settings on Exit");
    // Pressed, it makes OK store the values as the defaults at once; Cancel
    // drops it with everything else.
    saveSettings_ = new QPushButton("Save Settings", page);
    saveSettings_->setObjectName("SaveSettingsBtn");
    saveSettings_->setCheckable(true);
    // Not shown in this layout, but their values are kept.
    yarnsim_ = Check(page, "YarnsimBox", "Yarn Simulation in Fabric View");
    warpempty_ = Check(page, "WarpemptyBox", "Warp Empty Ends in Analysis");
    yarnsim_->hide();
    warpempty_->hide();

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(backgroundLabel);
    colorRow->addWidget(background_);
    colorRow->addStretch();
    auto* saveRow = new QHBoxLayout;
    saveRow->addWidget(saveOnExit_);
    saveRow->addWidget(saveSettings_);
    saveRow->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(colorRow);
    layout->addWidget(warnings_);
    layout->addWidget(lagrpos_);
    layout->addLayout(saveRow);
    layout->addStretch();

    connect(background_, &ColorPanel::clicked, this, &TOptionsDlg::BackgroundPanelClick);
    connect(saveOnExit_, &QCheckBox::toggled, this, &TOptionsDlg::SaveOnExitBoxClick);
}

void TOptionsDlg::SetValues(const OptionsValues& v) {
    spinShafts_->setValue(v.Shafts);
    spinTreadles_->setValue(v.Treadles);
    spinEnds_->setValue(v.Ends);
    spinPicks_->setValue(v.Picks);
    spinEpi_->setValue(v.EndsPerUnit);
    spinPpi_->setValue(v.PicksPerUnit);
    metric_ = v.MetricUnits;
    labelEpi_->setVisible(!metric_);
    labelPpi_->setVisible(!metric_);
    labelEpcm_->setVisible(metric_);
    labelPpcm_->setVisible(metric_);
    Select(loom_, v.TreadleMode ? 0 : 1);
    Select(shed_, v.Shed ? 1 : 0);
    lastMultiple_ = v.TreadleMode && v.MultipleTr && !designMode_;
    Select(treadling_, lastMultiple_ ? 1 : 0);
    Select(style_, std::clamp(v.Style, 1, 4) - 1);
    Select(position_, v.LayoutTopBot ? 1 : 0);
    Select(threadStart_, v.RightStart ? 0 : 1);
    Select(pickStart_, v.BottomStart ? 1 : 0);
    Select(treadleStart_, v.CkoLeftStart ? 0 : 1);
    Select(shaftStart_, v.Atopstart ? 0 : 1);
    background_->SetColor(v.Background);
    warnings_->setChecked(v.ShowWarnings);
    lagrpos_->setChecked(v.Lagrpos);
    saveOnExit_->setChecked(v.SaveSettings);
    yarnsim_->setChecked(v.Yarnsim);
    warpempty_->setChecked(v.Warpempty);
    saveSettings_->setChecked(v.SaveDefaults);
    UpdateTreadleControls();
    SaveOnExitBoxClick();
}

OptionsValues TOptionsDlg::Values() const {
    OptionsValues v;
    v.Shafts = spinShafts_->value();
    v.Treadles = spinTreadles_->value();
    v.Ends = spinEnds_->value();
    v.Picks = spinPicks_->value();
    v.EndsPerUnit = spinEpi_->value();
    v.PicksPerUnit = spinPpi_->value();
    v.MetricUnits = metric_;
    v.TreadleMode = loom_->checkedId() != 1;
    v.MultipleTr = v.TreadleMode && treadling_->checkedId() == 1;
    v.Shed = shed_->checkedId() == 1;
    v.Style = std::max(0, style_->checkedId()) + 1;
    v.LayoutTopBot = position_->checkedId() == 1;
    v.RightStart = threadStart_->checkedId() != 1;
    v.BottomStart = pickStart_->checkedId() == 1;
    v.CkoLeftStart = treadleStart_->checkedId() == 0;
    v.Atopstart = shaftStart_->checkedId() != 1;
    v.Background = background_->Color();
    v.ShowWarnings = warnings_->isChecked();
    v.Lagrpos = lagrpos_->isChecked();
    v.SaveSettings = saveOnExit_->isChecked();
    v.Yarnsim = yarnsim_->isChecked();
    v.Warpempty = warpempty_->isChecked();
    v.SaveDefaults = saveSettings_->isEnabled() && saveSettings_->isChecked();
    return v;
}

// Treadles, single/multiple and the treadle start only mean something on
// a loom with treadles; in liftplan mode no treadling item is selected.
void TOptionsDlg::UpdateTreadleControls() {
    const bool treadles = loom_->checkedId() != 1;
    labelTreadles_->setEnabled(treadles);
    spinTreadles_->setEnabled(treadles);
    treadlingBox_->setEnabled(treadles);
    treadleStartBox_->setEnabled(treadles);
    if (treadles)
        Select(treadling_, lastMultiple_ ? 1 : 0);
    else
        SelectNone(treadling_);
}

void TOptionsDlg::LoomGroupClick(int) {
    UpdateTreadleControls();
}

void TOptionsDlg::TreadlingGroupClick(int index) {
    // Design mode has no multiple treadling.
    if (index == 1 && designMode_) {
        prompter_.ShowInfo(GetText(GeneralForm, "@multitr"));
        Select(treadling_, 0);
        index = 0;
    }
    lastMultiple_ = index == 1;
}

void TOptionsDlg::BackgroundPanelClick() {
    if (!ChooseColor) return;
    if (const auto c = ChooseColor(background_->Color())) background_->SetColor(*c);
}

// Saving on exit covers what the button would save.
void TOptionsDlg::SaveOnExitBoxClick() {
    saveSettings_->setEnabled(!saveOnExit_->isChecked());
    if (saveOnExit_->isChecked()) saveSettings_->setChecked(false);
}

bool ShowOptions(QWidget* parent, OptionsContext& ctx, OptionsResult* result) {
    DraftState& d = ctx.Draft;
    const OptionsBefore before = PrepareOptions(d);
    TOptionsDlg dlg(ctx.Prompt, d.DesignMode, parent);
    dlg.SetValues(LoadOptions(d, ctx.Prefs));
    const bool ok = dlg.exec() == QDialog::Accepted;
    if (ok) {
        const OptionsValues v = dlg.Values();
        const OptionsResult r = ApplyOptions(d, ctx.Prefs, v, before, ctx.RefitZoom);
        ctx.Background = ctx.Prefs.BackgroundColor;
        if (r.TreadleOverflow) ctx.Prompt.ShowInfo(GetText(GeneralForm, "@emaxtreadles"));
        if (v.SaveDefaults && !WriteDefaults(ctx.Store, d, ctx.Prefs))
            ctx.Prompt.ShowError("File Write Error");
        if (result) *result = r;
    }
    FinishOptions(d);
    return ok;
}

} // namespace hw
