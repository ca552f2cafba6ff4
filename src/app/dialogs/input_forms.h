#pragma once

#include "edit/key_input.h"

#include <QDialog>

#include <functional>
#include <string>

class QButtonGroup;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace hw {

// The keyboard input window: it shows where the cursor is and hands every
// key, the arrows and Space included, to OnKey; Close (or Escape) ends it.
class TEdKeyForm : public QDialog {
    Q_OBJECT
public:
    explicit TEdKeyForm(QWidget* parent = nullptr);

    std::function<void(InputKey, char)> OnKey;

    // The caption's key, and the keys and numbers of the two lines: what
    // the cursor is on and what it points at.
    void ShowState(const char* caption, const char* position, int positionNumber, const char* value,
                   int valueNumber);
    // Centred; near the top when the threading is at the bottom.
    void Place(bool nearTop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowTexts();

    const char* caption_ = "@idthr";
    const char* position_ = "@idend";
    const char* value_ = "@idshaft";
    QLabel* positionLabel_ = nullptr;
    QLabel* positionNumber_ = nullptr;
    QLabel* valueLabel_ = nullptr;
    QLabel* valueNumber_ = nullptr;
    QPushButton* close_ = nullptr;
};

// The keyboard input key of a key event; Other for keys it leaves alone.
InputKey ToInputKey(const QKeyEvent& e, char& ch);

// The numeric input window: the target, the start position and the text.
// Input (or Enter) calls OnInput; Close ends the window.
class TNumInputForm : public QDialog {
    Q_OBJECT
public:
    explicit TNumInputForm(QWidget* parent = nullptr);

    std::function<void()> OnInput;
    // The start position proposed for a target (true: the treadling).
    std::function<int(bool)> StartFor;

    // Runs modally. Without single treadling the target is the threading.
    void Execute(bool treadlingAllowed, bool nearTop);

    bool Treadling() const;
    int Start() const;
    std::string Text() const;

private:
    void ShowTexts();
    void TargetChanged();

    QButtonGroup* target_ = nullptr;
    QSpinBox* start_ = nullptr;
    QLineEdit* edit_ = nullptr;
};

} // namespace hw
