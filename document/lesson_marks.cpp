#include "document/lesson_marks.h"


namespace velmora {

int DimmedColour(int colourRef) {
    const int r = colourRef & 0xff, g = (colourRef >> 8) & 0xff, b = (colourRef >> 16) & 0xff;
    const int grey = (30 * r + 59 * g + 11 * b) / 100;
    // A quarter of the colour's own saturation kept, then a third of the way to mid grey.
    auto channel = [grey](int c) {
        const int desaturated = grey + (c - grey) / 4;
        return (2 * desaturated + 150) / 3;
    };
    return channel(r) | (channel(g) << 8) | (channel(b) << 16);
}

LayerMark LayerOfToken(std::string_view token) {
    LayerMark mark;
    if (token.size() != 2) return mark;
    const char sign = token[1];
    if (sign != '+' && sign != '-' && sign != '*') return mark;
    struct Row {
        char face;
        int axis, slice;
    };
    static constexpr Row kLayers[] = {
        {'T', 1, 1}, {'B', 1, -1}, {'H', 1, 0}, {'R', 0, 1}, {'L', 0, -1},
        {'V', 0, 0}, {'F', 2, 1},  {'P', 2, -1},
    };
    for (const Row& row : kLayers) {
        if (row.face != token[0]) continue;
        mark.shown = true;
        mark.axis = row.axis;
        mark.slice = row.slice;
        mark.face = row.face;
    }
    return mark;
}

namespace {

// The run of characters up to a separator at or after pos in text.
std::string_view TokenAt(std::string_view record, int pos) {
    const int length = static_cast<int>(record.size());
    while (pos < length && IsSeparatorChar(record[static_cast<std::size_t>(pos)])) ++pos;
    int end = pos;
    while (end < length && !IsSeparatorChar(record[static_cast<std::size_t>(end)])) ++end;
    if (pos >= length) return {};
    return record.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(end - pos));
}

}  // namespace

std::string_view TokenFrom(std::string_view record, int pos) {
    return TokenAt(record, pos < kRecordMovesStart ? kRecordMovesStart : pos);
}

LayerMark MarkedLayer(const LessonView& lesson, std::string_view record, int demoPos) {
    if (!lesson.active) return {};
    if (lesson.practising) return LayerOfToken(TokenAt(lesson.hint, 0));
    return LayerOfToken(TokenFrom(record, demoPos));
}

StickerLight LightOf(const LessonView& lesson, int row, int column, int sticker) {
    if (!lesson.active) return StickerLight::Home;
    const int place = StringPlaceOf(row, column, sticker);
    return place < 0 ? StickerLight::Home : lesson.lights[static_cast<std::size_t>(place)];
}

StickerLight NetCellLight(const CTarnexSource& m, const LessonView& lesson, int cell) {
    if (cell < 0 || cell >= kNetCellCount) return StickerLight::Home;
    const FaceletRecord& r = m.FaceletTable[cell];
    return LightOf(lesson, r.row, r.col, r.sticker);
}

}  // namespace velmora
