#pragma once

#include "transform/reports.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace hw {

// The text report window of the Analyze menu: a report in a fixed-pitch
// font, Print and Close. It stays open beside the main window and writes
// its report again in the new language when the language changes.
class TRtxtDlg : public QDialog {
    Q_OBJECT
public:
    // make() gives the report in the current language; the report is of the
    // draft as it was when the window opened.
    TRtxtDlg(QWidget* parent, std::function<TextReport()> make);

    // Print sends the report's text here; without it Print is disabled.
    void SetPrint(std::function<void(const std::string&)> print);

    QPlainTextEdit* Memo() const { return memo_; }
    QPushButton* PrintButton() const { return print_; }

private:
    void Fill();

    std::function<TextReport()> make_;
    std::function<void(const std::string&)> printText_;
    QPlainTextEdit* memo_ = nullptr;
    QPushButton* print_ = nullptr;
};

} // namespace hw
