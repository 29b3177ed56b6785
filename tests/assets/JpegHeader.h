#pragma once
// The facts of a JPEG stream's header that the program relies on, read from its
// markers up to the first scan: frame type, size, sampling and the JFIF segment.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarnel {

struct JpegComponent {
    int id;
    int horizontal, vertical;  // sampling factors
    int quantTable;
};

struct JpegHeader {
    int frameMarker = 0;  // second byte of the SOF marker: 0xC0 for baseline
    int frameCount = 0;   // number of SOF segments before the first scan
    int precision = 0;    // bits per sample
    int width = 0, height = 0;
    std::vector<JpegComponent> components;
    bool jfifFirst = false;  // a JFIF APP0 segment directly after SOI
    int jfifMajor = 0, jfifMinor = 0;
    int densityUnits = 0;  // 1: dots per inch
    int xDensity = 0, yDensity = 0;

    // Reads the markers from SOI to the first SOS; nullopt with a reason in *error
    // for a stream that is not JPEG, is cut short or has no frame header.
    static std::optional<JpegHeader> parse(std::string_view bytes, std::string* error = nullptr);
};

}  // namespace kvarnel
