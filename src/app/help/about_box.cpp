#include "help/about_box.h"

#include "text/lang.h"
#include "version.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace hw {

namespace {

// A looked-up text, or the English one when the table lacks the key (the
// lookup then gives the key back): a bare key never reaches the user.
QString OrEnglish(const std::string& text, const char* key, const char* english) {
    return text == key ? QString::fromUtf8(english) : QString::fromStdString(text);
}

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignHCenter);
    return l;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("About Heddlewise"));
    setModal(true);

    // The program's own icon, once it has one.
    auto* icon = new QLabel(this);
    icon->setAlignment(Qt::AlignHCenter);
    const QIcon appIcon = QApplication::windowIcon();
    if (!appIcon.isNull())
        icon->setPixmap(appIcon.pixmap(48, 48));
    else
        icon->hide();

    auto* product = Label(this, "ProductName", QString::fromLatin1(ProductName));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    product->setFont(big);

    // The version is composed here, so its label is not in the table.
    version_ = Label(this, "Version",
                     OrEnglish(GetText("TAboutBox", "@version"), "@version", "Version") + ' ' +
                         QString::fromLatin1(ProductVersion));
    auto* comments = Label(this, "Comments",
                           QStringLiteral("An editor for hand-loom weaving drafts: threading, "
                                          "tie-up, treadling and liftplan, with the drawdown and "
                                          "the fabric shown as you draw."));
    auto* copyright =
        Label(this, "Copyright", QStringLiteral("Copyright \u00A9 2026 the Heddlewise developers"));
    auto* licence = Label(this, "Licence",
                          QStringLiteral("Free software under the GNU General Public License, "
                                         "version 3 or later. It comes with no warranty."));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName("OKButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(product);
    layout->addWidget(version_);
    layout->addSpacing(8);
    layout->addWidget(comments);
    layout->addSpacing(8);
    layout->addWidget(copyright);
    layout->addWidget(licence);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setFixedWidth(380);
}

} // namespace hw
