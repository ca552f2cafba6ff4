#include "print/pdf_page.h"

#include "files/file_io.h"
#include "files/windows1252.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hw {

namespace {

// Advance widths of the characters 32..126 in thousandths of the font size
// (the standard metrics of the two fonts).
constexpr uint16_t TimesWidths[95] = {
    250, 333, 408, 500, 500, 833, 778, 180, 333, 333, 500, 564, 250, 333, 250, 278, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 500, 278, 278, 564, 564, 564, 444, 921, 722, 667, 667, 722, 611,
    556, 722, 722, 333, 389, 722, 611, 889, 722, 722, 556, 722, 667, 556, 611, 722, 722, 944, 722,
    722, 611, 333, 278, 333, 469, 500, 333, 444, 500, 444, 500, 444, 333, 500, 500, 278, 278, 500,
    278, 778, 500, 500, 500, 500, 333, 389, 278, 500, 500, 722, 500, 500, 444, 480, 200, 480, 541};
constexpr uint16_t HelveticaWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};
// Letters beyond ASCII are taken as wide as the widest common ones.
constexpr int OtherWidth = 667;
constexpr size_t MaxTextChars = 4000;

double PointSize(PrintFont f) {
    return f == PrintFont::Caption ? 10.0 : 11.0;
}

std::string Num(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6f", v);
    std::string s = buffer;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::vector<uint8_t> Deflate(const uint8_t* data, size_t size) {
    uLongf length = compressBound(uLong(size));
    std::vector<uint8_t> out(length);
    if (compress2(out.data(), &length, data, uLong(size), Z_BEST_SPEED) != Z_OK) return {};
    out.resize(length);
    return out;
}

// A PDF text string: UTF-16 big-endian with its byte order mark, in hex.
std::string HexTitle(const std::string& utf8) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out = "<FEFF";
    auto unit = [&](unsigned u) {
        for (int shift = 12; shift >= 0; shift -= 4) out += hex[(u >> shift) & 0xF];
    };
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const int extra = c < 0x80 ? 0 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
        char32_t cp = extra < 0 ? 0xFFFD : extra == 0 ? c : c & (0x3F >> extra);
        size_t j = i + 1;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= utf8.size() || (utf8[j] & 0xC0) != 0x80) {
                cp = 0xFFFD;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3F);
        }
        i = std::max(j, i + 1);
        if (cp > 0x10FFFF) cp = 0xFFFD;
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(unsigned(cp));
        }
    }
    return out + ">";
}

} // namespace

PdfPage::PdfPage(double widthPoints, double heightPoints, int dpi)
    : widthPt_(widthPoints), heightPt_(heightPoints), dpi_(std::max(dpi, 72)) {
    // Device dots with y downwards, as the canvas has them.
    content_ =
        "q " + Num(72.0 / dpi_) + " 0 0 " + Num(-72.0 / dpi_) + " 0 " + Num(heightPt_) + " cm\n";
}

PageMetrics PdfPage::Metrics() const {
    PageMetrics m;
    m.DpiX = m.DpiY = dpi_;
    m.PageWidth = m.PrintableWidth = int(std::lround(widthPt_ * dpi_ / 72.0));
    m.PageHeight = m.PrintableHeight = int(std::lround(heightPt_ * dpi_ / 72.0));
    return m;
}

int PdfPage::LineHeight(PrintFont font) const {
    return int(std::lround(PointSize(font) * dpi_ / 72.0 * 1.15));
}

int PdfPage::TextWidth(PrintFont font, const std::string& utf8) const {
    const uint16_t* widths = font == PrintFont::Caption ? TimesWidths : HelveticaWidths;
    long long total = 0;
    for (uint8_t b : EncodeWindows1252(utf8, MaxTextChars))
        total += b >= 32 && b <= 126 ? widths[b - 32] : OtherWidth;
    return int(std::lround(total * PointSize(font) * dpi_ / 72.0 / 1000.0));
}

void PdfPage::DrawText(int x, int y, PrintFont font, const std::string& utf8) {
    const double size = PointSize(font) * dpi_ / 72.0;
    Color(0);
    std::string text;
    for (uint8_t b : EncodeWindows1252(utf8, MaxTextChars)) {
        if (b == '(' || b == ')' || b == '\\') text += '\\';
        if (b < 32) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", b);
            text += octal;
        } else {
            text += char(b);
        }
    }
    content_ += "BT /F" + std::string(font == PrintFont::Caption ? "1" : "2") + " " + Num(size) +
                " Tf 1 0 0 -1 " + std::to_string(x) + " " + Num(y + size * 0.9) + " Tm (" + text +
                ") Tj ET\n";
}

void PdfPage::Color(ColorRef c) {
    if (c == color_) return;
    color_ = c;
    auto level = [](uint8_t v) { return Num(v / 255.0); };
    const std::string rgb =
        level(ColorRed(c)) + " " + level(ColorGreen(c)) + " " + level(ColorBlue(c));
    content_ += rgb + " rg " + rgb + " RG\n";
}

void PdfPage::FillRect(int x, int y, int width, int height, ColorRef color) {
    if (width <= 0 || height <= 0) return;
    Color(color);
    content_ += std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
                std::to_string(height) + " re f\n";
}

void PdfPage::DrawLine(int x0, int y0, int x1, int y1, ColorRef color) {
    if (x0 == x1 || y0 == y1) {
        FillRect(std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1,
                 color);
        return;
    }
    Color(color);
    content_ += "1 w " + Num(x0 + 0.5) + " " + Num(y0 + 0.5) + " m " + Num(x1 + 0.5) + " " +
                Num(y1 + 0.5) + " l S\n";
}

void PdfPage::SetPixel(int x, int y, ColorRef color) {
    FillRect(x, y, 1, 1, color);
}

void PdfPage::Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) {
    if (width <= 0 || height <= 0) return;
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(width) * size_t(height) * 3);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const uint32_t p = pixels[size_t(r) * size_t(stride) + size_t(c)];
            rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        }
    content_ += "q " + std::to_string(width) + " 0 0 " + std::to_string(-height) + " " +
                std::to_string(x) + " " + std::to_string(y + height) + " cm /Im" +
                std::to_string(images_.size()) + " Do Q\n";
    images_.push_back({width, height, Deflate(rgb.data(), rgb.size())});
}

std::vector<uint8_t> PdfPage::Bytes(const std::string& title) const {
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    auto object = [&](const std::string& body, const std::vector<uint8_t>* stream = nullptr) {
        offsets.push_back(out.size());
        out += std::to_string(offsets.size()) + " 0 obj\n" + body;
        if (stream) {
            out += "\nstream\n";
            out.append(stream->begin(), stream->end());
            out += "\nendstream";
        }
        out += "\nendobj\n";
    };
    const int firstImage = 8;
    std::string xobjects;
    for (size_t i = 0; i < images_.size(); ++i)
        xobjects += "/Im" + std::to_string(i) + " " + std::to_string(firstImage + int(i)) + " 0 R ";
    const std::string content = content_ + "Q\n";
    const std::vector<uint8_t> packed =
        Deflate(reinterpret_cast<const uint8_t*>(content.data()), content.size());

    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Num(widthPt_) + " " + Num(heightPt_) +
           "] /Resources << /Font << /F1 5 0 R /F2 6 0 R >> /XObject << " + xobjects +
           ">> >> /Contents 4 0 R >>");
    object("<< /Length " + std::to_string(packed.size()) + " /Filter /FlateDecode >>", &packed);
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman /Encoding /WinAnsiEncoding >>");
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    object("<< /Title " + HexTitle(title) + " /Producer (Heddlewise) >>");
    for (const Image& im : images_)
        object("<< /Type /XObject /Subtype /Image /Width " + std::to_string(im.Width) +
                   " /Height " + std::to_string(im.Height) +
                   " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length " +
                   std::to_string(im.Data.size()) + " >>",
               &im.Data);

    const size_t xref = out.size();
    out += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        out += entry;
    }
    out += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R /Info 7 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return {out.begin(), out.end()};
}

Status PdfPage::Save(const std::string& path, const std::string& title) const {
    if (!WriteFileAtomically(path, Bytes(title))) return Failed("File Write Error");
    return {};
}

} // namespace hw
