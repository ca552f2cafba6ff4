#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;

namespace hw {

// Help > "Tip of the Day", also shown at start-up when the "TipOfDay" setting
// is on: one tip at a time, "Next Tip" to go on, and the start-up choice,
// which the caller reads back and stores.
class TTipOfTheDay : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* FormName = "TTipOfTheDay";
    static constexpr int TipCount = 20;

    explicit TTipOfTheDay(QWidget* parent = nullptr);

    // Tip 1..TipCount in the current language.
    static QString TipText(int tip);

    // The tip on show, 1..TipCount; other numbers wrap round.
    int CurrentTip() const { return tip_; }
    void SetCurrentTip(int tip);
    // The tip after the one on show; after the last comes the first.
    void NextTip();

    bool ShowAtStartup() const;
    void SetShowAtStartup(bool on);

    QLabel* TipLabel() const { return text_; }

private:
    int tip_ = 1;
    QLabel* text_ = nullptr;
    QCheckBox* showAtStartup_ = nullptr;
};

} // namespace hw
