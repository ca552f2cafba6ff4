#include "help/about_box.h"

#include "platform/lang_binder.h"
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

    // The version is composed from "@version" and the number, so the table
    // leaves it alone.
    version_ = Label(this, "Version", QString());
    auto* comments = Label(this, "Comments", QString());
    auto* copyright = Label(this, "Copyright", QString());
    auto* licence = Label(this, "Licence", QString());

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
    new LangBinder(this, FormName, [this] {
        version_->setText(QString::fromStdString(GetText(FormName, "@version")) + ' ' +
                          QString::fromLatin1(ProductVersion));
    });
}

} // namespace hw
