#pragma once
// One element drawn by the window's surface: a picture, label, push button,
// hotspot or marker. Plain data; the Surface draws and hit-tests a list of them.
#include <QFont>
#include <QRect>
#include <QString>

#include "core/Colours.h"

namespace kvarnel {

class ScreenPicture;

struct SurfaceElement {
    enum class Kind { Picture, Label, Button, Hotspot, Marker };

    QString name;  // component name: Image1, LabelWopros, SpeedPusk, ShapeV10_3 ...
    Kind kind = Kind::Label;
    QRect box;  // client coordinates; auto-sized labels change width/height
    bool visible = true;
    bool enabled = true;

    // Labels and buttons.
    QString text;
    QFont font;
    ColourNumber fontColour = clWindowText;
    ColourNumber background = clCream;  // label background or button face
    bool autoSize = false;              // label follows its text (keeps left/top)
    // A label whose new texts are news (question, verdict, grade): assistive
    // technologies treat it as a notification and are told each new text.
    bool news = false;

    // Pictures: drawn at their own size, centred in the box when `centred`.
    ScreenPicture* picture = nullptr;  // not owned
    bool centred = false;

    // Hotspots and markers.
    ColourNumber pen = clRed;     // hotspot ring or marker outline
    ColourNumber brush = clLime;  // hotspot disc or marker fill
    int penWidth = 1;             // 1 for hotspots, 7 for markers (mask mode)

    // Hotspots: hint text and whether the hint is on; node number passed to handlers.
    QString hint;
    bool hintEnabled = false;
    int node = 0;
};

}  // namespace kvarnel
