#pragma once

// Driving dialogs in Qt tests with real mouse and key events. Including it also
// makes a lookup of a key its table lacks fail the test (the program sets no handler).

#include "text/lang.h"

#include <QtTest>
#include <QtWidgets>

namespace hw::test {

inline const bool missingTextsFail = [] {
    SetTextNotFoundHandler([](std::string_view form, std::string_view key) {
        const std::string what =
            "no entry \"" + std::string(key) + "\" in the table of " + std::string(form);
        if (!QTest::currentTestFunction()) qFatal("%s", what.c_str());
        QTest::qFail(what.c_str(), __FILE__, __LINE__);
    });
    return true;
}();

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

// Runs f on the next modal dialog once the event loop shows it.
template <class F> void WhenModal(F f, int tries = 500) {
    QTimer::singleShot(tries == 500 ? 0 : 10, [f, tries] {
        QWidget* w = QApplication::activeModalWidget();
        if (w) return f(w);
        if (tries > 0) return WhenModal(f, tries - 1);
        QFAIL("no modal dialog appeared");
    });
}

} // namespace hw::test
