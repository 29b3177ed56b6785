#include "DescriptionPanels.h"

#include <QFile>
#include <QFontMetrics>
#include <QPalette>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "FormBuilder.h"
#include "FormLayout.h"
#include "core/Catalogue.h"

namespace kvarnel {
namespace {

// A native multi-line box keeps only a pixel or two between its border and the
// text; Qt's default margin of 4 would push the longest texts past the bottom.
constexpr int kDocumentMargin = 2;
// Below this the face looks cramped; no stored line needs it.
constexpr int kNarrowestStretch = 85;

// The panel stretch, narrowed further only where this system's font engine
// lays a stored line out wider than the panel (engines differ by a few pixels
// at the same size), so that each stored line still shows as one line.
int fittingStretch(QFont font, const QStringList& lines, qreal usableWidth) {
    for (int stretch = kPanelFontStretch; stretch > kNarrowestStretch; --stretch) {
        font.setStretch(stretch);
        const QFontMetricsF metrics(font);
        if (std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
                return metrics.horizontalAdvance(line.trimmed()) <= usableWidth;
            }))
            return stretch;
    }
    return kNarrowestStretch;
}

}  // namespace

void DescriptionPanels::create(QWidget& form, QWidget& below, QColor textColour) {
    form_ = &form;
    below_ = &below;
    textColour_ = textColour;
}

QTextEdit* DescriptionPanels::panel(NodeNumber node) {
    if (node < 1 || node > kNodeCount || !form_) return nullptr;
    QTextEdit*& memo = panels_[static_cast<std::size_t>(node - 1)];
    if (!memo) memo = make(node);
    return memo;
}

QString DescriptionPanels::descriptionText(NodeNumber node) {
    QFile file(QStringLiteral(":/descriptions/node%1.txt").arg(node, 2, 10, QLatin1Char('0')));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);  // the last line's end, not an empty line
    return text;
}

QTextEdit* DescriptionPanels::make(NodeNumber node) {
    const PanelRow& row = Catalogue::standard().panel(node);
    auto* memo = new QTextEdit(form_);
    memo->hide();
    // Where it would lie had it been made with the window: over `below_` and
    // the other panels, under the first control made after them.
    const QObjectList& siblings = form_->children();
    for (auto it = std::find(siblings.begin(), siblings.end(), below_); it != siblings.end(); ++it)
        if (auto* w = qobject_cast<QWidget*>(*it); w && w != below_ && !qobject_cast<QTextEdit*>(w)) {
            memo->stackUnder(w);
            break;
        }
    memo->setObjectName(QString::fromLatin1(row.name.data(), static_cast<int>(row.name.size())));
    memo->setGeometry(row.left, row.top, row.width, row.height);
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::NoTextInteraction);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setLineWrapMode(QTextEdit::WidgetWidth);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A panel is not an entry field: the arrow, not the text-insertion
    // pointer, from the start (Qt would switch only at the first movement,
    // so the pointer shown again after a close-up would be the I-beam).
    memo->viewport()->setCursor(Qt::ArrowCursor);
    const QString text = descriptionText(node);
    QFont font = FormBuilder::fontFor(kDefaultFontFamily, row.fontHeight, false);
    const qreal usableWidth = memo->width() - 2 * memo->frameWidth() - 2 * kDocumentMargin;
    font.setStretch(fittingStretch(font, text.split(QLatin1Char('\n')), usableWidth));
    memo->setFont(font);
    QPalette p = memo->palette();
    p.setColor(QPalette::Text, textColour_);
    memo->setPalette(p);
    memo->setPlainText(text);
    memo->document()->setDocumentMargin(kDocumentMargin);
    // Lines follow each other at the font's own height, without the extra
    // leading Qt adds by default, as in a native multi-line box: the longest
    // descriptions then fit their panels.
    QTextCursor all(memo->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat lines;
    lines.setLineHeight(QFontMetrics(memo->font()).height(), QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(lines);
    return memo;
}

}  // namespace kvarnel
