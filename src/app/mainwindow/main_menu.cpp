#include "mainwindow/main_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>

namespace hw {

MainMenu::MainMenu(QMainWindow* window, QObject* receiver) : window_(window), receiver_(receiver) {
    QMenuBar* bar = window->menuBar();
    auto top = [&](const QString& name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        menus_.insert(name, m);
        return m;
    };

    QMenu* file = top("File1", "&File");
    Add(file, "FileOpenItem", "&Open...", "FileOpen", "Ctrl+O");
    Add(file, "OpenSelected1", "Open &Components...", "OpenSelected1Click");
    Add(file, "FileSaveItem", "&Save", "FileSave", "Ctrl+S");
    Add(file, "FileSaveAsItem", "Save &As...", "FileSaveAs");
    Add(file, "ReverttoSaved1", "&Revert to Saved", "ReverttoSaved1Click");
    Add(file, "New1", "&New...", "New1Click", "Ctrl+N");
    file->addSeparator();
    QMenu* exportMenu = AddMenu(file, "Export1", "&Export");
    Add(exportMenu, "WIF1", "Save to WIF-file", "WIF1Click");
    Add(exportMenu, "PNG1", "Save Fabric as PNG-image...", "PNG1Click");
    Add(exportMenu, "SaveVersion41", "Save to Heddlewise 4", "SaveVersion41Click");
    Add(exportMenu, "SaveVersion31", "Save to Heddlewise 3", "SaveVersion31Click");
    Add(exportMenu, "SaveVersion121", "Save to Heddlewise 1-2", "SaveVersion121Click");
    file->addSeparator();
    Add(file, "PageSetup1", "Page Se&tup...", "PageSetup1Click");
    Add(file, "FilePrintItem", "&Print", "FilePrintItemClick");
    QMenu* printNumeric = AddMenu(file, "PrintNumeric1", "Print Nu&meric");
    Add(printNumeric, "PrNumThreading", "&Threading...", "PrNumThreadingClick");
    Add(printNumeric, "PrNumLiftplan", "&Liftplan...", "PrNumLiftplanClick");
    Add(printNumeric, "WarpColors1", "&Warp Colors...", "WarpColors1Click");
    Add(file, "FilePrintSetupItem", "Printer Set&up...", "FilePrintSetup");
    QAction* recentTop = file->addSeparator();
    recentTop->setObjectName("menyfiltop");
    for (int i = 1; i <= 7; ++i)
        Add(file, QString("menyfil%1").arg(i), QString("&%1 ").arg(i),
            QString("menyfil%1Click").arg(i));
    QAction* recentBottom = file->addSeparator();
    recentBottom->setObjectName("menyfilskille");
    actions_.insert("menyfilskille", recentBottom);
    Add(file, "FileExitItem", "E&xit", "FileExit");

    QMenu* edit = top("Edit1", "&Edit");
    Add(edit, "EditUndoItem", "&Undo", "EditUndo", "Ctrl+Z");
    Add(edit, "Rep1", "&Repeat...", "Rep1Click", "Ctrl+R");
    edit->addSeparator();
    Add(edit, "EditCutItem", "Cu&t", "EditCut", "Ctrl+X");
    Add(edit, "EditCopyItem", "&Copy", "EditCopy", "Ctrl+C");
    Add(edit, "EditPasteItem", "&Paste", "EditPaste", "Ctrl+V");
    Add(edit, "EditPasteSpecial1", "Paste &Special...", "EditPasteSpecial1Click", "Ctrl+W");
    Add(edit, "EditDeleteItem", "Delete", "EditDeleteItemClick");
    Add(edit, "SelectCopy1", "Select &and Copy...", "SelectCopy1Click");
    edit->addSeparator();
    Add(edit, "UnlinkColors1", "Unlink Colors", "UnlinkColors1Click", "Ctrl+L")->setCheckable(true);
    Add(edit, "CopyImage1", "Copy &Image", "CopyImage1Click");
    QMenu* clear = AddMenu(edit, "Clear1", "Cl&ear");
    Add(clear, "All1", "&All", "All1Click");
    Add(clear, "Threading1", "&Threading", "Threading1Click");
    Add(clear, "Liftplan1", "&Liftplan", "Liftplan1Click");
    Add(clear, "Tieup1", "Tie-&up", "Tieup1Click");
    Add(clear, "Treadling1", "T&readling", "Treadling1Click");
    Add(clear, "Colors1", "&Colors", "Colors1Click");
    edit->addSeparator();
    Add(edit, "NumericInput1", "Numeric Input...", "NumericInput1Click");
    QMenu* keyboard = AddMenu(edit, "KeyboardInput1", "Keyboard Input");
    Add(keyboard, "KeyThreading", "Threading", "KeyThreadingClick", "F2");
    Add(keyboard, "KeyTreadling", "Treadling", "KeyTreadlingClick", "F3");
    Add(keyboard, "KeyTieup", "Tie-up", "KeyTieupClick", "F4");

    QMenu* view = top("View1", "&View");
    Add(view, "Draft1", "&Draft", "Draft1Click")->setCheckable(true);
    Add(view, "Design1", "D&esign", "Design1Click")->setCheckable(true);
    Add(view, "Fabric1", "&Fabric", "Fabric1Click")->setCheckable(true);
    Add(view, "FabricYarnView1", "Fabric - Yarn View", "FabricYarnView1Click")->setCheckable(true);
    Add(view, "Drapery1", "D&rapery", "Drapery1Click")->setCheckable(true);
    Add(view, "Interlacement1", "&Interlacement", "Interlacement1Click")->setCheckable(true);
    view->addSeparator();
    Add(view, "ShowThreading1", "&Show Threading", "ShowThreading1Click")->setCheckable(true);
    Add(view, "FabricWindow1", "Fabric &Window", "FabricWindow1Click")->setCheckable(true);

    QMenu* utilities = top("Utilities1", "&Utilities");
    Add(utilities, "EditColors1", "&Edit Colors...", "EditColors1Click");
    utilities->addSeparator();
    Add(utilities, "Trompaswrit1", "&Tromp as Writ...", "Trompaswrit1Click");
    Add(utilities, "WrapLiftplan1", "&Wrap Liftplan...", "WrapLiftplan1Click");
    utilities->addSeparator();
    QMenu* mirror = AddMenu(utilities, "Mirror1", "&Mirror");
    Add(mirror, "Warp1", "W&arp", "Warp1Click");
    Add(mirror, "Weft1", "W&eft", "Weft1Click");
    QMenu* insert = AddMenu(utilities, "Insert1", "&Insert");
    Add(insert, "InsEnds1", "&Ends...", "InsEnds1Click");
    Add(insert, "InsPicks1", "&Picks...", "InsPicks1Click");
    Add(insert, "InsShafts1", "&Shafts...", "InsShafts1Click");
    Add(insert, "InsTreadles1", "&Treadles...", "InsTreadles1Click");
    QMenu* del = AddMenu(utilities, "Delete1", "&Delete");
    Add(del, "DelEnds1", "&Ends...", "DelEnds1Click");
    Add(del, "DelPicks1", "&Picks...", "DelPicks1Click");
    Add(del, "DelShafts1", "&Shafts...", "DelShafts1Click");
    Add(del, "DelTreadles1", "&Treadles...", "DelTreadles1Click");
    Add(utilities, "SwitchShafts1", "&Switch Shafts...", "SwitchShafts1Click");
    Add(utilities, "SwitchTreadles1", "Switch Tr&eadles...", "SwitchTreadles1Click");
    Add(utilities, "ReverseWarpOrder1", "Reverse Warp Order", "ReverseWarpOrder1Click");
    Add(utilities, "ReverseOrder1", "Reverse Weft &Order", "ReverseOrder1Click");
    Add(utilities, "Reverse1", "&Reverse", "Reverse1Click");
    Add(utilities, "Reducetoonerepeat1", "Reduce to one re&peat", "Reducetoonerepeat1Click");
    utilities->addSeparator();
    Add(utilities, "TieUpSpecial1", "Tie-&up Special...", "TieUpSpecial1Click");

    QMenu* transform = top("Transform1", "T&ransform");
    Add(transform, "BlockSubstitution1", "Block Substitution...", "BlockSubstitution1Click");
    Add(transform, "Translate1", "&Translate...", "Translate1Click");
    Add(transform, "Overlay1", "&Overlay...", "Overlay1Click");
    Add(transform, "Network1", "&Network...", "Network1Click");
    transform->addSeparator();
    Add(transform, "InsertThreading1", "&Insert Threading...", "InsertThreading1Click");
    Add(transform, "InsertTreadling1", "Insert Tr&eadling...", "InsertTreadling1Click");
    Add(transform, "InsertinLiftplan1", "Insert in &Liftplan...", "InsertinLiftplan1Click");
    Add(transform, "DeleteinLiftplan1", "&Delete in Liftplan...", "DeleteinLiftplan1Click");
    transform->addSeparator();
    Add(transform, "Reanalyze1", "&Reanalyze Threading", "Reanalyze1Click");
    Add(transform, "ReanalyzeTreadling1", "Reanalyze Treadling", "ReanalyzeTreadling1Click");
    Add(transform, "StraightThreading1", "&Straight Threading", "StraightThreading1Click");
    Add(transform, "Rotate1", "Turn Draft", "Rotate1Click");

    QMenu* fill = top("Fill1", "F&ill");
    QMenu* fillThreading = AddMenu(fill, "FillThreading1", "&Threading");
    Add(fillThreading, "Straight1", "&Straight", "Straight1Click");
    Add(fillThreading, "Pointed1", "&Pointed", "Pointed1Click");
    Add(fillThreading, "Rosepath1", "&Rosepath", "Rosepath1Click");
    QMenu* fillTreadling = AddMenu(fill, "FillTreadling1", "T&readling");
    Add(fillTreadling, "Straight2", "&Straight", "Straight2Click");
    Add(fillTreadling, "Pointed2", "&Pointed", "Pointed2Click");
    Add(fillTreadling, "Rosepath2", "&Rosepath", "Rosepath2Click");
    QMenu* fillTieup = AddMenu(fill, "FillTieup1", "Tie-&up");
    Add(fillTieup, "RandomTwill1", "&Twill Variations...", "RandomTwill1Click");
    Add(fillTieup, "Satin1", "&Satin...", "Satin1Click");
    Add(fillTieup, "Plain1", "&Plain Weave", "Plain1Click");
    QMenu* fillWarp = AddMenu(fill, "FillWarpColors1", "W&arp Colors");
    Add(fillWarp, "A1", "A", "A1Click");
    Add(fillWarp, "AB1", "AB", "AB1Click");
    Add(fillWarp, "CD1", "ab", "CD1Click");
    Add(fillWarp, "AABB1", "AABB", "AABB1Click");
    Add(fillWarp, "CCDD1", "aabb", "CCDD1Click");
    Add(fillWarp, "ABA1", "ABA", "ABA1Click");
    Add(fillWarp, "aba3", "aba", "aba3Click");
    QMenu* fillWeft = AddMenu(fill, "FillWeftColors1", "W&eft Colors");
    Add(fillWeft, "B1", "B", "B1Click");
    Add(fillWeft, "AB2", "AB", "AB2Click");
    Add(fillWeft, "CD2", "ab", "CD2Click");
    Add(fillWeft, "AABB2", "AABB", "AABB2Click");
    Add(fillWeft, "CCDD2", "aabb", "CCDD2Click");
    Add(fillWeft, "ABA2", "ABA", "ABA2Click");
    Add(fillWeft, "aba4", "aba", "aba4Click");

    QMenu* analyze = top("Analyze1", "&Analyze");
    Add(analyze, "Repeats1", "&Repeats", "Repeats1Click");
    Add(analyze, "Floats1", "&Floats", "Floats1Click");
    Add(analyze, "Colors2", "&Colors", "Colors2Click");
    Add(analyze, "Heddles1", "&Heddles", "Heddles1Click");

    QMenu* options = top("Options1", "&Options");
    Add(options, "Options2", "&Options...", "Options2Click");
    Add(options, "SaveSettings1", "&Save Settings", "SaveSettings1Click");
    QMenu* language = AddMenu(options, "Language1", "&Language");
    Add(language, "English1", "&English", "English1Click")->setCheckable(true);
    Add(language, "Deutsch1", "&Deutsch", "Deutsch1Click")->setCheckable(true);
    Add(language, "Svensk1", "&Svensk", "Svensk1Click")->setCheckable(true);
    Add(language, "Suomi1", "S&uomi", "Suomi1Click")->setCheckable(true);
    options->addSeparator();
    Add(options, "ColorWindow1", "&Color Palette", "ColorWindow1Click");
    Add(options, "ColorDialogItem", "&Color Dialog", "ColorDialogItemClick");
    Add(options, "Zoom1", "&Zoom...", "Zoom1Click");
    Add(options, "Note1", "&Note...", "Note1Click");
    Add(options, "Threadbook1", "Threadbook", "Threadbook1Click");

    QMenu* help = top("Help1", "&Help");
    Add(help, "HelpContentsItem", "&Help Topics", "HelpContents");
    Add(help, "HelpAboutItem", "&About Heddlewise...", "HelpAbout");
    Add(help, "TipofDayItem", "&Tip of the Day", "TipofDayItemClick");
    QMenu* web = AddMenu(help, "OntheWeb1", "On the &Web");
    Add(web, "HeddlewiseHomePage1", "Heddlewise Home Page", "HeddlewiseHomePage1Click");
}

QAction* MainMenu::Add(QMenu* menu, const QString& name, const QString& caption,
                       const QString& handler, const QString& shortcut) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) {
        a->setShortcut(QKeySequence(shortcut));
        // The window owns the shortcut, so it works while the menu is closed.
        window_->addAction(a);
    }
    const QByteArray signature = QMetaObject::normalizedSignature((handler + "()").toLatin1());
    const int index = receiver_->metaObject()->indexOfSlot(signature.constData());
    const bool has = index >= 0;
    handled_.insert(name, has);
    if (has) {
        const QMetaMethod slot = receiver_->metaObject()->method(index);
        QObject* receiver = receiver_;
        QObject::connect(a, &QAction::triggered, receiver_,
                         [receiver, slot] { slot.invoke(receiver, Qt::DirectConnection); });
    } else {
        a->setEnabled(false);
    }
    actions_.insert(name, a);
    return a;
}

QMenu* MainMenu::AddMenu(QMenu* parent, const QString& name, const QString& caption) {
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    menus_.insert(name, m);
    return m;
}

MainMenu::Rules MainMenu::RulesFor(const State& s) {
    const bool D = s.Design, F = s.Fabric, T = s.TreadleLoom, M = s.Multiple, S = s.ShowThreading;
    Rules r;
    auto enable = [&](const char* name, bool on) { r[name].Enabled = on; };
    auto show = [&](const char* name, bool on) { r[name].Visible = on; };

    enable("OpenSelected1", !F);
    enable("ReverttoSaved1", s.PathKnown);
    enable("EditUndoItem", s.UndoAvailable);
    enable("NumericInput1", !D && !F);
    enable("KeyboardInput1", !D && !F);
    // The keyboard-input shortcuts work while the menu is closed, so each item
    // carries the menu's rule as well as its own.
    show("KeyTieup", T);
    enable("KeyTieup", S && !D && !F);
    enable("KeyThreading", S && !D && !F);
    enable("KeyTreadling", !D && !F);
    enable("Design1", !(T && M));
    enable("ShowThreading1", !D && !F);
    enable("Clear1", !F);
    enable("Threading1", !D);
    for (const char* n : {"Treadling1", "Tieup1"}) {
        show(n, T);
        enable(n, !D);
    }
    show("Liftplan1", !T);
    enable("Liftplan1", !D);
    for (const char* n : {"Rep1", "Trompaswrit1", "Insert1", "Delete1"}) enable(n, !F);
    for (const char* n :
         {"Mirror1", "SwitchShafts1", "ReverseWarpOrder1", "ReverseOrder1", "Reducetoonerepeat1",
          "BlockSubstitution1", "Network1", "InsertThreading1"})
        enable(n, !D && !F);
    show("WrapLiftplan1", !(T && !M));
    enable("WrapLiftplan1", !D && !F);
    for (const char* n : {"InsTreadles1", "DelTreadles1", "SwitchTreadles1", "TieUpSpecial1"})
        show(n, T);
    enable("InsTreadles1", !D);
    enable("DelTreadles1", !D);
    enable("SwitchTreadles1", !D && !F);
    enable("TieUpSpecial1", !D && !F);
    enable("InsShafts1", !D);
    enable("DelShafts1", !D);
    enable("Reverse1", !D && !M);
    for (const char* n : {"Rotate1", "StraightThreading1", "Reanalyze1"}) enable(n, !D && !F && !M);
    enable("Translate1", !F && !M);
    enable("Overlay1", (D || !T) && !F);
    show("InsertTreadling1", T && !M);
    enable("InsertTreadling1", !D && !F);
    show("ReanalyzeTreadling1", T);
    enable("ReanalyzeTreadling1", !D && !F && !M);
    for (const char* n : {"InsertinLiftplan1", "DeleteinLiftplan1"}) {
        show(n, !T);
        enable(n, !D && !F);
    }
    for (const char* n : {"Floats1", "Colors2", "Heddles1"}) enable(n, !D);
    show("FillTreadling1", T);
    enable("FillTreadling1", !D && !M);
    enable("FillThreading1", !D);
    enable("FillTieup1", !D && !M);
    return r;
}

void MainMenu::Update(const State& s) {
    const Rules rules = RulesFor(s);
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        if (it.key() == "menyfilskille") continue;
        // Visibility the table does not rule (recent files, languages) is
        // left to its owner.
        const ItemRule rule = rules.value(it.key());
        if (rules.contains(it.key())) it.value()->setVisible(rule.Visible);
        it.value()->setEnabled(rule.Enabled && handled_.value(it.key(), false));
    }
    for (auto it = menus_.cbegin(); it != menus_.cend(); ++it) {
        const ItemRule rule = rules.value(it.key());
        if (rules.contains(it.key())) it.value()->menuAction()->setVisible(rule.Visible);
        it.value()->menuAction()->setEnabled(rule.Enabled);
    }
    if (QAction* a = actions_.value("ShowThreading1")) a->setChecked(s.ShowThreading);
    if (QAction* a = actions_.value("UnlinkColors1")) a->setChecked(s.ColorsUnlinked);
}

} // namespace hw
