#include "help/context_help.h"

#include "help/help_window.h"
#include "text/help_topics.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QVariant>

namespace hw {

void SetHelpContext(QObject* object, int context) {
    if (object) object->setProperty(HelpContextProperty, context);
}

int HelpContextOf(const QObject* object) {
    if (!object) return 0;
    const QVariant v = object->property(HelpContextProperty);
    bool ok = false;
    const int context = v.toInt(&ok);
    return ok && context > 0 ? context : 0;
}

namespace {

int MenuContext(QMenu* menu) {
    // The highlighted item first; then the item that opened this menu, and so
    // on up through the submenus to the menu bar.
    if (int c = HelpContextOf(menu->activeAction())) return c;
    for (QWidget* w = menu; w; w = w->parentWidget()) {
        auto* m = qobject_cast<QMenu*>(w);
        if (!m) break;
        if (int c = HelpContextOf(m->menuAction())) return c;
        if (int c = HelpContextOf(m)) return c;
    }
    return 0;
}

} // namespace

int FindHelpContext(QWidget* start) {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        if (int c = MenuContext(menu)) return c;
    QWidget* w = start ? start : QApplication::focusWidget();
    // Through parents across windows: a dialog's parent is the main window,
    // whose context is the contents.
    for (; w; w = w->parentWidget())
        if (int c = HelpContextOf(w)) return c;
    return 0;
}

bool ShowContextHelp(QWidget* start) {
    const int context = FindHelpContext(start);
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close()) break;
    }
    return ShowHelpTopic(context != 0 ? context : help::Contents);
}

bool F1HelpFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            // Key events reach the window object before the focus widget.
            auto* w = qobject_cast<QWidget*>(watched);
            ShowContextHelp(w ? w : QApplication::focusWidget());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void InstallF1Help() {
    static QPointer<F1HelpFilter> filter;
    if (filter || !qApp) return;
    filter = new F1HelpFilter(qApp);
    qApp->installEventFilter(filter);
}

QPushButton* MakeHelpButton(QDialog* dialog, int context, const QString& text) {
    SetHelpContext(dialog, context);
    auto* help = new QPushButton(text, dialog);
    help->setObjectName("HelpBtn");
    QObject::connect(help, &QPushButton::clicked, dialog, [context] { ShowHelpTopic(context); });
    return help;
}

} // namespace hw
