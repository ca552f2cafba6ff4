#pragma once

#include <QDialog>

class QLabel;

namespace hw {

// Help > "About Heddlewise...": product name, version, copyright, licence
// and what the program is for.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* FormName = "TAboutBox";

    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* VersionLabel() const { return version_; }

private:
    QLabel* version_ = nullptr;
};

} // namespace hw
