#pragma once
// Builds the main window's components from the layout table and the catalogue:
// the surface elements in creation order, then the child controls above them.
#include <QFont>
#include <QString>
#include <array>
#include <map>
#include <string>

#include "DescriptionPanels.h"
#include "FormLayout.h"
#include "core/CatalogueData.h"
#include "core/FormView.h"
#include "ui/drawing/PictureResources.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QWidget;

namespace kvarnel {

class Surface;

// What the builder made; the widgets are children of the form (owned by Qt).
struct FormParts {
    Surface* surface = nullptr;
    DescriptionPanels panels;
    QProgressBar* progressBar = nullptr;
    QLineEdit* editGruppa = nullptr;
    QLineEdit* editFio = nullptr;
    QLabel* instruction = nullptr;
    std::array<int, kControlCount> controlIndex{};  // surface index per control, -1 for widgets
    std::map<std::string, int, std::less<>> shapeIndex;
};

class FormBuilder {
public:
    FormBuilder(QWidget& form, PictureResources& pictures);
    FormParts build();

    // Starts making the overview, which the first frame shows, ready for a
    // screen of `ratio` device pixels per layout pixel on a worker thread, so
    // that it is decoded while the window is built.
    static void prepareOverviewAhead(PictureResources& pictures, qreal ratio);

    // A font by family and character height in pixels; no family: the window's default.
    static QFont fontFor(const char* family, int pixels, bool bold);
    static QFont fontFor(const ComponentRow& row);

private:
    void buildSurface();
    void addShapesUpTo(const char* lastShape, std::size_t& next);
    void buildChildControls();

    QWidget& form_;
    PictureResources& pictures_;
    FormParts parts_;
};

}  // namespace kvarnel
