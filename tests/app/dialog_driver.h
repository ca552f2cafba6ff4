#pragma once

// Driving dialogs in Qt tests with real mouse and key events.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace hw::test {

template <class T> T* Child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(name);
    if (!c) qFatal("no widget %s", name);
    return c;
}

// Shows the page holding w, then clicks w in its middle.
inline void Click(QWidget* w) {
    if (auto* tabs = w->window()->findChild<QTabWidget*>("PageControl1"))
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(w)) tabs->setCurrentIndex(i);
    QVERIFY(w->isVisible());
    // Check and radio boxes take clicks on their box and text only, which
    // sit at the left of a widget the layout may have stretched.
    QPoint at = w->rect().center();
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) at.setX(8);
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
}

inline void TypeInto(QSpinBox* spin, const QString& text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
}

// Runs f on the modal dialog once the event loop shows it.
template <class F> void WhenModal(F f) {
    QTimer::singleShot(0, [f] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        f(w);
    });
}

} // namespace hw::test
