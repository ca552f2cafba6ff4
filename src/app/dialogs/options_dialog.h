#pragma once

#include "settings/options.h"
#include "text/prompter.h"

#include <QDialog>
#include <QFrame>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace hw {

// A panel filled with one colour; a click asks for another.
class ColorPanel : public QFrame {
    Q_OBJECT
public:
    explicit ColorPanel(QWidget* parent = nullptr);
    void SetColor(ColorRef color);
    ColorRef Color() const { return color_; }
signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ColorRef color_ = 0xFFFFFF;
};

// The Options dialog: pattern size and loom, drawdown style, layout and a
// few preferences. It takes values in and gives values out; ShowOptions
// applies them.
class TOptionsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 650;

    TOptionsDlg(Prompter& prompter, bool designMode, QWidget* parent = nullptr);

    void SetValues(const OptionsValues& v);
    OptionsValues Values() const;

    // Asks for the background colour; the colour dialog unless replaced.
    std::function<std::optional<ColorRef>(ColorRef current)> ChooseColor;

private:
    void BuildPatternPage(QWidget* page);
    void BuildStylePage(QWidget* page);
    void BuildLayoutPage(QWidget* page);
    void BuildMiscPage(QWidget* page);
    void LoomGroupClick(int index);
    void TreadlingGroupClick(int index);
    void BackgroundPanelClick();
    void SaveOnExitBoxClick();
    void UpdateTreadleControls();

    Prompter& prompter_;
    bool designMode_ = false;
    bool lastMultiple_ = false;
    bool metric_ = false;

    QTabWidget* pages_ = nullptr;
    QSpinBox* spinShafts_ = nullptr;
    QLabel* labelTreadles_ = nullptr;
    QSpinBox* spinTreadles_ = nullptr;
    QSpinBox* spinEnds_ = nullptr;
    QSpinBox* spinPicks_ = nullptr;
    QSpinBox* spinEpi_ = nullptr;
    QSpinBox* spinPpi_ = nullptr;
    // The density labels of each unit; the pattern's unit shows.
    QLabel* labelEpi_ = nullptr;
    QLabel* labelPpi_ = nullptr;
    QLabel* labelEpcm_ = nullptr;
    QLabel* labelPpcm_ = nullptr;
    QButtonGroup* loom_ = nullptr;
    QButtonGroup* shed_ = nullptr;
    QGroupBox* treadlingBox_ = nullptr;
    QButtonGroup* treadling_ = nullptr;
    QButtonGroup* style_ = nullptr;
    QButtonGroup* position_ = nullptr;
    QButtonGroup* threadStart_ = nullptr;
    QButtonGroup* pickStart_ = nullptr;
    QGroupBox* treadleStartBox_ = nullptr;
    QButtonGroup* treadleStart_ = nullptr;
    QButtonGroup* shaftStart_ = nullptr;
    ColorPanel* background_ = nullptr;
    QCheckBox* warnings_ = nullptr;
    QCheckBox* lagrpos_ = nullptr;
    QCheckBox* saveOnExit_ = nullptr;
    QPushButton* saveSettings_ = nullptr;
    QCheckBox* yarnsim_ = nullptr;
    QCheckBox* warpempty_ = nullptr;
};

// What the main window passes to the Options dialog.
struct OptionsContext {
    DraftState& Draft;
    Settings& Prefs; // Prefs.BackgroundColor is the colour the dialog shows
    KeyValueStore& Store;
    Prompter& Prompt;
    ColorRef& Background;            // the draft view's copy of it, set on OK
    std::function<void()> RefitZoom; // the view's zoom fitting, run between the steps
};

// Runs the Options dialog over the draft. On OK the values are applied
// (sizes, clearing, loom conversion, zoom refit, folding), the document is
// marked changed and, when "Save Settings" was pressed, the defaults are
// written; Cancel leaves the draft, the settings and the store alone. After
// OK or Cancel Design mode loses multiple treadling. The caller then lays
// out, repaints and refreshes the mode-dependent menu captions. True when
// OK was pressed.
bool ShowOptions(QWidget* parent, OptionsContext& ctx, OptionsResult* result = nullptr);

} // namespace hw
