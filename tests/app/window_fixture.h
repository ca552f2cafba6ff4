#pragma once

// The main window under test: a fresh window on a temporary settings file,
// with a scripted prompter and scripted file choosers.

#include "../core/scripted_prompter.h"
#include "commands/command_groups.h"
#include "document/editor_document.h"
#include "files/pattern_file.h"
#include "mainwindow/action_table.h"
#include "mainwindow/tw_form.h"
#include "model/primitives.h"
#include "platform/qt_settings_store.h"
#include "view/draft_view.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace hw::test {

// Presses OK in whatever modal dialog opens next, after setting the named
// spin boxes.
inline void AcceptNextDialog(std::vector<std::pair<const char*, int>> spins = {}) {
    QTimer::singleShot(0, [spins] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        for (const auto& [name, value] : spins) {
            auto* spin = w->findChild<QSpinBox*>(name);
            QVERIFY(spin);
            spin->setValue(value);
        }
        auto* ok = w->findChild<QPushButton*>("OKBtn");
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
}

struct WindowFixture {
    QTemporaryDir Dir;
    std::unique_ptr<TWform> Form;
    ScriptedPrompter Prompter;
    QString SavePath;
    QString OpenPath;

    WindowFixture() { SetSettingsFileOverride(File("settings.ini")); }

    QString File(const QString& name) const { return Dir.filePath(name); }
    DraftState& D() { return Form->Doc().Draft(); }
    DraftView& V() { return Form->View(); }
    QWidget* Surface() { return V().Surface(); }
    QAction* Action(const char* name) { return Form->Actions().Action(name); }

    void Make(int width = 1000, int height = 720) {
        Form = std::make_unique<TWform>();
        Form->SetPrompter(&Prompter);
        Form->Context().ChooseSavePath = [this] { return SavePath; };
        Form->Context().ChooseOpenPath = [this](const QString&) { return OpenPath; };
        Form->setWindowState(Qt::WindowNoState);
        Form->resize(width, height);
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        QTest::qWait(10); // the deferred first-show step
        Form->Commands().View.SetZoom(9);
    }
    // Closes without the unsaved-changes question.
    void Drop() {
        if (!Form) return;
        Form->Doc().Reset();
        Form.reset();
    }
    void Trigger(const char* name) {
        QAction* a = Action(name);
        QVERIFY2(a, name);
        QVERIFY2(a->isEnabled(), name);
        a->trigger();
    }
    // The centre of a cell, in the surface's own (logical) coordinates.
    QPoint Cell(const ViewAreaLayout& a, int col, int row) {
        const int c = V().Geometry().Cell;
        const double r = V().PixelRatio();
        return QPoint(int((a.Columns.CellPos(col) + c / 2) / r),
                      int((a.Rows.CellPos(row) + c / 2) / r));
    }
    void Click(const ViewAreaLayout& a, int col, int row, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(Surface(), b, Qt::NoModifier, Cell(a, col, row));
    }
    // A small saved pattern: 8 ends, 8 picks, 4 shafts and treadles; or a
    // straight twill of the given size.
    QString WritePattern(const QString& name, int ends = 8, int picks = 8) {
        auto d = std::make_unique<DraftState>();
        d->Shafts = d->Treadles = 4;
        d->Ends = uint16_t(std::max(ends, 2));
        d->Picks = uint16_t(std::max(picks, 2));
        for (int e = 1; e <= ends; ++e) d->Threading[e] = uint8_t((e - 1) % 4 + 1);
        for (int p = 1; p <= picks; ++p) d->Treadling[p] = uint8_t((p - 1) % 4 + 1);
        for (int t = 1; t <= 4; ++t) d->TieUpAt(t, t) = d->TieUpAt(t % 4 + 1, t) = 1;
        UpdateUsed(*d);
        const QString path = File(name);
        if (!SavePattern(*d, path.toStdString(), SaveOptions{})) return {};
        return path;
    }
    void Open(const QString& path) {
        OpenPath = path;
        Trigger("FileOpenItem");
    }
};

} // namespace hw::test
