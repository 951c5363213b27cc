#include "support/board_recorders.h"

namespace perch::test {

std::ostream& operator<<(std::ostream& os, const Drawing& d) {
    switch (d.kind) {
        case Drawing::Kind::kFill:
            return os << "Fill(" << d.rect.left << "," << d.rect.top << "," << d.rect.right << ","
                      << d.rect.bottom << " #" << std::hex << d.color << std::dec << ")";
        case Drawing::Kind::kText:
            return os << "Text(" << d.from.x << "," << d.from.y << " \"" << d.text << "\" #"
                      << std::hex << d.color << std::dec << ")";
        case Drawing::Kind::kLine:
            return os << "Line(" << d.from.x << "," << d.from.y << " -> " << d.to.x << "," << d.to.y
                      << " #" << std::hex << d.color << std::dec << ")";
        case Drawing::Kind::kFocus:
            return os << "Focus(" << d.rect.left << "," << d.rect.top << "," << d.rect.right
                      << "," << d.rect.bottom << ")";
    }
    return os;
}

TextExtent RecordingPainter::MeasureText(std::string_view text) {
    measured.emplace_back(text);
    const auto it = extents_.find(std::string(text));
    if (it != extents_.end()) {
        return it->second;
    }
    return {static_cast<int>(text.size()) * kCharWidth, kLineHeight};
}

void RecordingPainter::FillRect(const Rect& rect, ColorRef color) {
    drawings.push_back(Drawing::Fill(rect, color));
}

void RecordingPainter::DrawText(Point at, std::string_view text, ColorRef color) {
    drawings.push_back(Drawing::Text(at, text, color));
}

void RecordingPainter::DrawLine(Point from, Point to, ColorRef color) {
    drawings.push_back(Drawing::Line(from, to, color));
}

std::vector<Drawing> RecordingPainter::OfKind(Drawing::Kind kind) const {
    std::vector<Drawing> found;
    for (const Drawing& d : drawings) {
        if (d.kind == kind) {
            found.push_back(d);
        }
    }
    return found;
}

}  // namespace perch::test
