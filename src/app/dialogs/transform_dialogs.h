#pragma once

#include "transform/network.h"
#include "transform/row_transforms.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace hw {

// Returns the chosen pattern path, or "" when the user cancelled.
using PathChooser = std::function<QString()>;

// A dialog whose Preview and OK both run Apply (from the draft as it was
// when the dialog opened); OK closes only when Apply went through, so a
// refused request can be corrected.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    std::function<bool()> Apply;
    void accept() override;

protected:
    // Preview (when wanted), OK, Cancel and Help (context > 0) one below
    // the other at the right of `controls`.
    void Arrange(QLayout* controls, bool preview, int helpContext);
    void Preview();
};

// A file name field with its "Browse..." button.
struct FileField {
    QLineEdit* Edit = nullptr;
    QPushButton* Browse = nullptr;
};
FileField MakeFileField(QWidget* parent, const char* editName, const char* browseName,
                        const PathChooser& choose);

// Two numbers with a caption and labels from "@" keys of another form's
// table (Unit Size, Delete Picks), with or without Preview.
class TNumPairDlg : public PreviewDialog {
    Q_OBJECT
public:
    struct Texts {
        std::string Form, Caption, First, Second;
    };
    TNumPairDlg(const Texts& texts, bool preview, int helpContext, QWidget* parent = nullptr);
    void SetRanges(int min1, int max1, int value1, int min2, int max2, int value2);
    int First() const;
    int Second() const;

private:
    Texts texts_;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QSpinBox* spin1_ = nullptr;
    QSpinBox* spin2_ = nullptr;
};

// Transform > Network: a built-in initial or one from a file, the ribbon
// width (liftplan looms) or what to network (treadle looms). Kept for the
// run, so it remembers the last choices.
class TNetworkDlg : public PreviewDialog {
    Q_OBJECT
public:
    TNetworkDlg(const PathChooser& choose, QWidget* parent = nullptr);
    // Shows the radio group on a single-treadling loom, the ribbon width
    // otherwise.
    void Prepare(bool singleTreadling);
    int Initial() const; // index into NetworkInitials(), -1 for none
    bool FromFile() const;
    QString Path() const;
    int RibbonWidth() const;
    NetworkTarget Target() const;

private:
    QListWidget* list_ = nullptr;
    QLabel* listLabel_ = nullptr;
    QCheckBox* fromFile_ = nullptr;
    FileField file_;
    QLabel* ribbonLabel_ = nullptr;
    QSpinBox* ribbon_ = nullptr;
    QGroupBox* targetBox_ = nullptr;
    QButtonGroup* target_ = nullptr;
};

// Transform > Block Substitution.
class TBlocksDlg : public PreviewDialog {
    Q_OBJECT
public:
    TBlocksDlg(const PathChooser& choose, QWidget* parent = nullptr);
    QString Path() const;
    bool Relative() const;

private:
    FileField file_;
    QButtonGroup* placement_ = nullptr;
};

// Transform > Insert Threading and Insert Treadling: a built-in sequence or
// the threading (treadling) of a file, every Interval ends (picks).
class TInsThrDlg : public PreviewDialog {
    Q_OBJECT
public:
    TInsThrDlg(bool treadling, const PathChooser& choose, QWidget* parent = nullptr);
    int Sequence() const; // index into InsertSequences(), -1 for none
    bool FromFile() const;
    QString Path() const;
    int Interval() const;
    bool AfterInterval() const;

private:
    void ShowTexts();

    bool treadling_;
    QListWidget* list_ = nullptr;
    QCheckBox* fromFile_ = nullptr;
    FileField file_;
    QSpinBox* interval_ = nullptr;
    QGroupBox* startBox_ = nullptr;
    QButtonGroup* start_ = nullptr;
};

// Transform > Insert in Liftplan: blank picks or picks from a file.
class TInsLiftDlg : public PreviewDialog {
    Q_OBJECT
public:
    TInsLiftDlg(const PathChooser& choose, QWidget* parent = nullptr);
    int FromPick() const;
    int Interval() const;
    bool FromFile() const;
    QString Path() const;

private:
    QSpinBox* from_ = nullptr;
    QSpinBox* interval_ = nullptr;
    QButtonGroup* kind_ = nullptr;
    FileField file_;
};

// Utilities > Tromp as Writ.
class TTrompDlg : public PreviewDialog {
    Q_OBJECT
public:
    explicit TTrompDlg(const DraftState& d, QWidget* parent = nullptr);
    TrompChoice Choice() const;

private:
    QButtonGroup* choice_ = nullptr;
};

// Utilities > Wrap Liftplan.
class TWrapDlg : public PreviewDialog {
    Q_OBJECT
public:
    TWrapDlg(int maxSteps, QWidget* parent = nullptr);
    // Positive to the right.
    int Steps() const;

private:
    QButtonGroup* direction_ = nullptr;
    QSpinBox* steps_ = nullptr;
};

} // namespace hw
