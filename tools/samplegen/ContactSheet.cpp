#include "ContactSheet.h"

#include <algorithm>
#include <cmath>

#include "BitmapFont.h"

namespace samplegen {
namespace {

constexpr int kColumns = 7;
constexpr int kGap = 14;          // between cells and around the sheet
constexpr int kLineHeight = 10;   // label lines at font scale 1
constexpr int kLabelLines = 2;
constexpr int kHeadingScale = 2;
constexpr Rgb kBackground{58, 60, 66};
constexpr Rgb kText{235, 235, 235};

RgbImage RepeatTwice(const RgbImage& image) {
    RgbImage out(image.width * 2, image.height * 2);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.at(x, y) = image.at(x % image.width, y % image.height);
    return out;
}

// Shrinks `image` to fit a box, averaging each thumbnail pixel's area of the source.
RgbImage FitInto(const RgbImage& image, int boxWidth, int boxHeight) {
    const float scale = std::min({float(boxWidth) / float(image.width), float(boxHeight) / float(image.height), 1.0f});
    const int w = std::max(1, int(std::lround(float(image.width) * scale)));
    const int h = std::max(1, int(std::lround(float(image.height) * scale)));
    RgbImage out(w, h);
    for (int y = 0; y < h; ++y) {
        const int y0 = y * image.height / h, y1 = std::max(y0 + 1, (y + 1) * image.height / h);
        for (int x = 0; x < w; ++x) {
            const int x0 = x * image.width / w, x1 = std::max(x0 + 1, (x + 1) * image.width / w);
            Rgb sum;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) sum = sum + image.at(sx, sy);
            out.at(x, y) = sum * (1.0f / float((y1 - y0) * (x1 - x0)));
        }
    }
    return out;
}

void Paste(RgbImage& target, const RgbImage& picture, int left, int top) {
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) target.at(left + x, top + y) = picture.at(x, y);
}

// Breaks `text` at spaces into lines of at most `maxChars` characters.
std::vector<std::string> WrapWords(const std::string& text, std::size_t maxChars) {
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > maxChars) lines.emplace_back();
        lines.back() += (lines.back().empty() ? "" : " ") + word;
        start = end + 1;
    }
    return lines;
}

int CellWidth(const SheetGroup& group) { return group.boxWidth + kGap; }
int CellHeight(const SheetGroup& group) { return group.boxHeight + 4 + kLabelLines * kLineHeight + kGap; }
int GroupRows(const SheetGroup& group) { return (int(group.entries.size()) + kColumns - 1) / kColumns; }
int HeadingHeight() { return kGlyphHeight * kHeadingScale + kGap; }

}  // namespace

RgbImage ToRgb(const GreyImage& image) {
    RgbImage out(image.width, image.height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) out.pixels[i] = {image.pixels[i], image.pixels[i], image.pixels[i]};
    return out;
}

RgbImage MakeContactSheet(std::span<const SheetGroup> groups) {
    int width = 0, height = kGap;
    for (const SheetGroup& group : groups) {
        width = std::max(width, kGap + kColumns * CellWidth(group));
        height += HeadingHeight() + GroupRows(group) * CellHeight(group);
    }
    RgbImage sheet(width, height, kBackground);
    int top = kGap;
    for (const SheetGroup& group : groups) {
        DrawText(sheet, kGap, top, group.heading, kText, kHeadingScale);
        top += HeadingHeight();
        for (std::size_t i = 0; i < group.entries.size(); ++i) {
            const SheetEntry& entry = group.entries[i];
            const int left = kGap + int(i % kColumns) * CellWidth(group);
            const int cellTop = top + int(i / kColumns) * CellHeight(group);
            const RgbImage thumb = FitInto(group.tileTwice ? RepeatTwice(entry.picture) : entry.picture, group.boxWidth, group.boxHeight);
            Paste(sheet, thumb, left + (group.boxWidth - thumb.width) / 2, cellTop + (group.boxHeight - thumb.height) / 2);
            int lineTop = cellTop + group.boxHeight + 4;
            for (const std::string& line : WrapWords(entry.label, std::size_t(group.boxWidth / kGlyphAdvance))) {
                DrawText(sheet, left, lineTop, line, kText);
                lineTop += kLineHeight;
            }
        }
        top += GroupRows(group) * CellHeight(group);
    }
    return sheet;
}

}  // namespace samplegen
