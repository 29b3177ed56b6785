#include "FormBuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <algorithm>
#include <utility>
#include <vector>

#include "core/Catalogue.h"
#include "ui/drawing/ElementPainter.h"
#include "ui/drawing/Surface.h"

namespace kvarnel {

namespace {

SurfaceElement::Kind surfaceKind(ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Picture:
        return SurfaceElement::Kind::Picture;
    case ComponentKind::PushButton:
        return SurfaceElement::Kind::Button;
    default:
        return SurfaceElement::Kind::Label;
    }
}

}  // namespace

FormBuilder::FormBuilder(QWidget& form, PictureResources& pictures) : form_(form), pictures_(pictures) {
    parts_.controlIndex.fill(-1);
}

FormParts FormBuilder::build() {
    buildSurface();
    buildChildControls();
    return std::move(parts_);
}

void FormBuilder::prepareOverviewAhead(PictureResources& pictures, qreal ratio) {
    ScreenPicture& overview = pictures.picture(View::Overview);
    for (const ComponentRow& row : kComponentRows)
        if (row.control == Control::Image1) {
            SurfaceElement e;
            e.box = QRect(row.left, row.top, row.width, row.height);
            e.centred = row.centred;
            overview.prepareAhead(ratio, ElementPainter::pictureOrigin(e, overview.size()));
        }
}

QFont FormBuilder::fontFor(const char* family, int pixels, bool bold) {
    // Named by its substitute (the face it is drawn in): a family that is not
    // installed makes the font database search fallbacks for it first, which
    // costs start-up several milliseconds per family.
    QFont font(QFont::substitute(QString::fromUtf8(family ? family : kDefaultFontFamily)));
    font.setPixelSize(family ? pixels : kDefaultFontPixels);
    font.setBold(bold);
    return font;
}

QFont FormBuilder::fontFor(const ComponentRow& row) {
    return fontFor(row.fontFamily, row.fontPixels, row.bold);
}

// Surface elements in creation order: the layout's rows, with the catalogue's
// hotspots and markers created where the layout puts them.
void FormBuilder::buildSurface() {
    parts_.surface = new Surface(&form_);
    parts_.surface->setObjectName(QStringLiteral("Surface"));
    parts_.surface->setGeometry(0, 0, kClientWidth, kClientHeight);

    std::size_t nextShape = 0;
    for (const ComponentRow& row : kComponentRows) {
        if (!isSurfaceKind(row.kind)) continue;
        SurfaceElement e;
        e.name = QString::fromLatin1(controlName(row.control));
        e.kind = surfaceKind(row.kind);
        e.box = QRect(row.left, row.top, row.width, row.height);
        e.visible = row.storedVisible;
        e.text = QString::fromUtf8(row.caption);
        e.font = fontFor(row);
        e.fontColour = row.fontColour;
        e.background = row.background;
        e.autoSize = row.kind == ComponentKind::AutoLabel;
        e.news = row.control == Control::LabelWopros || row.control == Control::LabelOtvet ||
                 row.control == Control::LabelStat2;
        if (row.kind == ComponentKind::Picture) {
            const View view = row.control == Control::Image2   ? View::Front
                              : row.control == Control::Image3 ? View::Rear
                                                               : View::Overview;
            e.picture = &pictures_.picture(view);
            e.centred = row.centred;
        }
        parts_.controlIndex[static_cast<std::size_t>(row.control)] = parts_.surface->addElement(std::move(e));
        if (row.shapesUpTo) addShapesUpTo(row.shapesUpTo, nextShape);
    }
    Q_ASSERT_X(nextShape == Catalogue::standard().stacking().size(), "FormBuilder",
               "the layout does not create every hotspot and marker");
}

void FormBuilder::addShapesUpTo(const char* lastShape, std::size_t& next) {
    const Catalogue& catalogue = Catalogue::standard();
    const auto& stacking = catalogue.stacking();
    while (next < stacking.size()) {
        const std::string_view name = stacking[next++];
        SurfaceElement e;
        e.name = QString::fromLatin1(name.data(), static_cast<int>(name.size()));
        e.visible = false;  // stored hidden; the creation handler shows the hotspots
        if (const HotspotRow* h = catalogue.hotspot(name)) {
            e.kind = SurfaceElement::Kind::Hotspot;
            e.box = QRect(h->left, h->top, 15, 15);
            e.pen = clRed;
            e.brush = clLime;
            e.penWidth = 1;
            e.hint = QString::fromUtf8(h->hint.data(), static_cast<int>(h->hint.size()));
            e.node = h->node;
        } else {
            const MarkerRow* m = catalogue.marker(name);
            Q_ASSERT_X(m, "FormBuilder", "a shape in the stacking order is neither hotspot nor marker");
            e.kind = SurfaceElement::Kind::Marker;
            e.box = QRect(m->left, m->top, m->width, m->height);
            e.pen = m->outline == Outline::Red ? clRed : clBlue;
            e.brush = clAqua;
            e.penWidth = 7;
        }
        parts_.shapeIndex.emplace(std::string(name), parts_.surface->addElement(std::move(e)));
        if (name == lastShape) return;
    }
}

// Child controls in creation order (later ones lie above): the panels, then the
// layout's child rows.
void FormBuilder::buildChildControls() {
    parts_.panels.create(form_, *parts_.surface, parts_.surface->colour(clBlue));

    std::vector<std::pair<int, QWidget*>> tabChain;
    for (const ComponentRow& row : kComponentRows) {
        if (isSurfaceKind(row.kind)) continue;
        const QRect box(row.left, row.top, row.width, row.height);
        QWidget* widget = nullptr;
        switch (row.kind) {
        case ComponentKind::ProgressBar:
            parts_.progressBar = new QProgressBar(&form_);
            parts_.progressBar->setRange(0, 100);
            parts_.progressBar->setValue(0);
            parts_.progressBar->setTextVisible(false);
            parts_.progressBar->setAccessibleName(QStringLiteral("Time used for the answer"));
            // Windows-like segments: blocks of the highlight colour with gaps.
            parts_.progressBar->setStyleSheet(QStringLiteral(
                "QProgressBar { border: 1px solid palette(mid); background: palette(base); padding: 1px; }"
                "QProgressBar::chunk { background-color: palette(highlight); width: 6px; margin-right: 2px; }"));
            widget = parts_.progressBar;
            break;
        case ComponentKind::EntryField: {
            auto* edit = new QLineEdit(&form_);
            edit->setFocusPolicy(Qt::StrongFocus);  // entry by Tab selects the whole text
            // A screen reader names the field by the label drawn beside it.
            const Control caption =
                row.control == Control::Edit1Gruppa ? Control::LabelGruppa : Control::LabelFio;
            edit->setAccessibleName(QString::fromUtf8(componentRow(caption).caption).trimmed());
            (row.control == Control::Edit1Gruppa ? parts_.editGruppa : parts_.editFio) = edit;
            widget = edit;
            break;
        }
        case ComponentKind::InstructionLine: {
            parts_.instruction = new QLabel(&form_);
            parts_.instruction->setTextFormat(Qt::PlainText);
            parts_.instruction->setMargin(2);  // text + 4 pixels each way
            parts_.instruction->setFont(fontFor(row));
            QPalette p = parts_.instruction->palette();
            p.setColor(QPalette::WindowText, parts_.surface->colour(row.fontColour));
            p.setColor(QPalette::Window, parts_.surface->colour(row.background));
            parts_.instruction->setPalette(p);
            parts_.instruction->setAutoFillBackground(true);
            widget = parts_.instruction;
            break;
        }
        default:
            break;
        }
        if (!widget) continue;
        if (row.kind == ComponentKind::EntryField) tabChain.emplace_back(row.tabOrder, widget);
        widget->setObjectName(QString::fromLatin1(controlName(row.control)));
        widget->setGeometry(box);
        if (row.kind != ComponentKind::EntryField) widget->setFocusPolicy(Qt::NoFocus);
        widget->setVisible(row.storedVisible);
    }
    // Tab moves between the entry fields in their tab order.
    std::sort(tabChain.begin(), tabChain.end());
    for (std::size_t i = 1; i < tabChain.size(); ++i)
        QWidget::setTabOrder(tabChain[i - 1].second, tabChain[i].second);
}

}  // namespace kvarnel
