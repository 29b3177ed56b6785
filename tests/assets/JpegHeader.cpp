#include "JpegHeader.h"

namespace kvarnel {

namespace {

int byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }
int word(std::string_view s, std::size_t i) { return byteAt(s, i) << 8 | byteAt(s, i + 1); }

// SOF0..SOF15 without DHT (C4), JPG (C8) and DAC (CC).
bool isFrameMarker(int m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
// Markers without a length field.
bool isStandalone(int m) { return m == 0x01 || (m >= 0xD0 && m <= 0xD7); }

std::optional<JpegHeader> fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return std::nullopt;
}

bool readFrame(std::string_view seg, JpegHeader& h, std::string* error) {
    if (seg.size() < 6) {
        fail(error, "frame header too short");
        return false;
    }
    h.precision = byteAt(seg, 0);
    h.height = word(seg, 1);
    h.width = word(seg, 3);
    const std::size_t n = static_cast<std::size_t>(byteAt(seg, 5));
    if (seg.size() != 6 + 3 * n) {
        fail(error, "frame header length does not match its components");
        return false;
    }
    h.components.clear();
    for (std::size_t c = 0; c < n; ++c) {
        const std::size_t at = 6 + 3 * c;
        h.components.push_back(
            {byteAt(seg, at), byteAt(seg, at + 1) >> 4, byteAt(seg, at + 1) & 0x0F, byteAt(seg, at + 2)});
    }
    return true;
}

}  // namespace

std::optional<JpegHeader> JpegHeader::parse(std::string_view bytes, std::string* error) {
    if (bytes.size() < 4 || byteAt(bytes, 0) != 0xFF || byteAt(bytes, 1) != 0xD8)
        return fail(error, "no SOI marker at the start");
    JpegHeader h;
    std::size_t pos = 2;
    bool first = true;
    while (true) {
        if (pos >= bytes.size() || byteAt(bytes, pos) != 0xFF) return fail(error, "expected a marker");
        while (pos < bytes.size() && byteAt(bytes, pos) == 0xFF) ++pos;  // fill bytes
        if (pos >= bytes.size()) return fail(error, "stream ends inside a marker");
        const int marker = byteAt(bytes, pos++);
        if (isStandalone(marker)) continue;
        if (marker == 0xD9) return fail(error, "EOI before the first scan");
        if (pos + 2 > bytes.size()) return fail(error, "stream ends before a segment length");
        const std::size_t length = static_cast<std::size_t>(word(bytes, pos));
        if (length < 2 || pos + length > bytes.size()) return fail(error, "segment runs past the end");
        const std::string_view seg = bytes.substr(pos + 2, length - 2);
        pos += length;

        if (marker == 0xE0 && first && seg.size() >= 14 &&
            seg.substr(0, 5) == std::string_view("JFIF\0", 5)) {
            h.jfifFirst = true;
            h.jfifMajor = byteAt(seg, 5);
            h.jfifMinor = byteAt(seg, 6);
            h.densityUnits = byteAt(seg, 7);
            h.xDensity = word(seg, 8);
            h.yDensity = word(seg, 10);
        } else if (isFrameMarker(marker)) {
            ++h.frameCount;
            h.frameMarker = marker;
            if (!readFrame(seg, h, error)) return std::nullopt;
        } else if (marker == 0xDA) {
            if (h.frameCount == 0) return fail(error, "scan without a frame header");
            return h;
        }
        first = false;
    }
}

}  // namespace kvarnel
