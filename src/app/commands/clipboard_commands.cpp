#include "commands/clipboard_commands.h"

#include "document/editor_document.h"
#include "files/message_text.h"
#include "text/lang.h"
#include "text/messages.h"
#include "view/draft_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace hw {

namespace {

// 9600 lines of a few characters each, with room for long lines.
constexpr qsizetype MaxClipText = 1 << 20;

int ValueCount(const DraftState& d, SelArea a) {
    return a == SelArea::Treadling ? d.Treadles : d.Shafts;
}

} // namespace

ClipContent ReadClipboard(SelArea area) {
    ClipContent c;
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    if (!m) return c;
    if (m->hasText()) c.Text = m->text().left(MaxClipText).toStdString();
    if (m->hasImage()) {
        const QImage whole = qvariant_cast<QImage>(m->imageData());
        const ClipLimits lim = ImageLimits(area);
        const int w = std::min(whole.width(), lim.Width), h = std::min(whole.height(), lim.Height);
        const QImage part = whole.copy(0, 0, w, h).convertToFormat(QImage::Format_ARGB32);
        ClipImage img(std::max(w, 0), std::max(h, 0));
        for (int y = 0; y < img.Height; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(part.constScanLine(y));
            for (int x = 0; x < img.Width; ++x)
                img.Put(x, y, qAlpha(line[x]) != 0 && (line[x] & 0xFFFFFFu) != 0xFFFFFFu);
        }
        c.Image = std::move(img);
    }
    return c;
}

QImage ToQImage(const ClipImage& img) {
    QImage out(img.Width, img.Height, QImage::Format_RGB888);
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) out.setPixel(x, y, img.At(x, y) ? 0xFF000000u : ~0u);
    return out;
}

void WriteClipboard(const ClipContent& c) {
    if (c.Text)
        QGuiApplication::clipboard()->setText(QString::fromStdString(*c.Text));
    else if (c.Image)
        QGuiApplication::clipboard()->setImage(ToQImage(*c.Image));
}

ClipboardCommands::ClipboardCommands(CommandContext& ctx) : ctx_(ctx) {
    // What was copied is forgotten when a new pattern is started.
    QObject::connect(ctx_.Doc, &EditorDocument::Replaced, ctx_.Doc, [this] {
        if (ctx_.Doc->Draft().FileName.empty()) copied_ = {};
    });
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto look = [this, clipboard] {
        const QMimeData* m = clipboard->mimeData();
        canPaste_ = m && (m->hasText() || m->hasImage());
    };
    QObject::connect(clipboard, &QClipboard::dataChanged, ctx_.Doc, look);
    look();
}

void ClipboardCommands::Copy(const CellBlock& b) {
    if (b.Area == SelArea::None) return;
    WriteClipboard(CopyBlock(ctx_.Doc->Draft(), b));
    copied_ = RecordOf(b);
}

bool ClipboardCommands::Check(const CellBlock& target, const ClipContent& clip,
                              const CopyRecord* special) {
    const PasteProblem p = CheckPaste(target, clip, special);
    if (p == PasteProblem::None) return true;
    const std::string text = MessageText(PasteProblemMessage(p));
    if (p == PasteProblem::Incompatible)
        ctx_.Prompt().ShowError(text);
    else
        ShowMessageText(ctx_.Prompt(), text);
    return false;
}

void ClipboardCommands::EditCopy() {
    Copy(ctx_.View->SelectedBlock());
}

void ClipboardCommands::EditCut() {
    EditCopy();
    EditDeleteItemClick();
}

void ClipboardCommands::EditDeleteItemClick() {
    const CellBlock b = ctx_.View->SelectedBlock();
    if (b.Area == SelArea::None) return;
    ctx_.Doc->Edit([&](DraftState& d) { DeleteBlock(d, b, d.ColorsLinked); });
    ctx_.View->DropSelection();
}

void ClipboardCommands::EditPaste() {
    const CellBlock target = ctx_.View->SelectedBlock();
    const ClipContent clip = ReadClipboard(target.Area);
    if (!Check(target, clip, nullptr)) return;
    ctx_.Doc->Edit([&](DraftState& d) { PasteBlock(d, target, clip); });
    ctx_.View->DropSelection();
}

void ClipboardCommands::EditPasteSpecial1Click() {
    const CellBlock target = ctx_.View->SelectedBlock();
    const ClipContent clip = ReadClipboard(target.Area);
    if (!Check(target, clip, &copied_)) return;
    EditorDocument& doc = *ctx_.Doc;
    // Every preview starts from the draft as it was when the dialog opened.
    const Snapshot before = doc.Core().Capture();
    const CopyRecord source = copied_;
    auto paste = [&](const PasteOptions& o) {
        doc.Preview(before, [&](DraftState& d) { PasteSpecial(d, target, source, clip, o); });
    };
    TPasteDlg dialog(ctx_.Window);
    PasteOptions chosen = paste_;
    const bool ok =
        dialog.Execute(target.Area, ValueCount(doc.Draft(), target.Area), chosen, paste);
    paste_ = chosen;
    if (ok) {
        paste(dialog.Options());
        doc.Record(before);
    } else {
        doc.Restore(before);
    }
    ctx_.View->DropSelection();
}

void ClipboardCommands::SelectCopy1Click() {
    const DraftState& d = ctx_.Doc->Draft();
    TSelectDlg dialog(ctx_.Window);
    if (!dialog.Execute(select_, d.Ends, d.Picks, !d.TreadleMode)) return;
    ctx_.View->DropSelection();
    Copy(RangeBlock(d, select_.Item, select_.From, select_.To));
}

void ClipboardCommands::CopyImage1Click() {
    if (!ConfirmOk(ctx_.Prompt(), GetText("TWform", "@idcopyclip"))) return;
    const QImage image = ctx_.View->DrawingAreaImage();
    if (!image.isNull()) QGuiApplication::clipboard()->setImage(image);
}

} // namespace hw
