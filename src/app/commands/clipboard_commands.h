#pragma once

#include "commands/command_context.h"
#include "dialogs/paste_dialogs.h"
#include "edit/clipboard.h"

#include <QImage>

namespace hw {

// The Edit menu's selection commands: Cut, Copy, Paste, Paste Special,
// Delete, Select and Copy, and Copy Image. Colour rows travel as text and
// grids as black-and-white pictures over the system clipboard, so they
// pass between two running editors and to and from other programs.
class ClipboardCommands {
public:
    explicit ClipboardCommands(CommandContext& ctx);

    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditPasteSpecial1Click();
    void EditDeleteItemClick();
    void SelectCopy1Click();
    void CopyImage1Click();

    const CopyRecord& LastCopy() const { return copied_; }
    // Whether the clipboard holds text or a picture; kept up to date from
    // the clipboard's own signal, so the menus never wait on another program.
    bool CanPaste() const { return canPaste_; }

private:
    void Copy(const CellBlock& b);
    bool Check(const CellBlock& target, const ClipContent& clip, const CopyRecord* special);

    CommandContext& ctx_;
    CopyRecord copied_;
    PasteOptions paste_;
    SelectChoice select_;
    bool canPaste_ = false;
};

// The clipboard as a paste into an area reads it: the text (cut to a size
// no colour row needs more of) and the picture, cut to the area's limits
// before a pixel is looked at; a pixel counts as set unless it is white or
// fully transparent.
ClipContent ReadClipboard(SelArea area);
// A block on the clipboard: text, or a picture in black and white.
void WriteClipboard(const ClipContent& c);
QImage ToQImage(const ClipImage& img);

} // namespace hw
