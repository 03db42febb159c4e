// The texts a window shows cut short: labels, buttons, check boxes, combo
// boxes, table headers and the window's title, each measured in its own font
// against the room its widget has.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextDocument>

#include <set>
#include <string>

namespace kav::test {

inline std::string describe(const QWidget* w, const QString& text) {
    const QWidget* window = w->window();
    return window->objectName().toStdString() + "/" + w->objectName().toStdString() + ": \"" +
           text.toStdString() + "\"";
}

// The width a label's text takes, line by line, rich text as laid out.
inline int textWidth(const QLabel* l) {
    const QString text = l->text();
    if (l->textFormat() == Qt::RichText ||
        (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(text);
        return static_cast<int>(doc.idealWidth() + 0.5);
    }
    return l->fontMetrics().boundingRect(QRect(), static_cast<int>(l->alignment()), text).width();
}

inline QString withoutAccel(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// Every text of `window` (and of its visible children) that its widget cuts.
inline std::set<std::string> clippedTexts(QWidget* window) {
    std::set<std::string> cut;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(window) || w->width() <= 1)
            continue;
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty() && l->pixmap().isNull()) {
            const QRect room = l->contentsRect();
            if (l->wordWrap()) {
                if (l->heightForWidth(l->width()) > l->height() + 1)
                    cut.insert(describe(l, l->text()));
            } else if (textWidth(l) + 2 * l->margin() + std::max(l->indent(), 0) >
                       room.width() + 1) {
                cut.insert(describe(l, l->text()));
            }
        } else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            const int text = b->fontMetrics().horizontalAdvance(withoutAccel(b->text()));
            const QStyle* s = b->style();
            int need = text;
            if (qobject_cast<QCheckBox*>(b))
                need += s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) +
                        s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
            else if (qobject_cast<QRadioButton*>(b))
                need += s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, b) +
                        s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, b);
            else if (qobject_cast<QPushButton*>(b))
                need += (b->icon().isNull() ? 0 : b->iconSize().width() + 4) +
                        2 * s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) / 2;
            if (need > b->width())
                cut.insert(describe(b, b->text()));
        } else if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable()) {
            const int arrow = c->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, c);
            if (c->fontMetrics().horizontalAdvance(c->currentText()) + arrow + 4 > c->width())
                cut.insert(describe(c, c->currentText()));
        } else if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model()) {
            const int margin = h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
            const QFontMetrics fm(h->font());
            for (int i = 0; i < h->count(); ++i) {
                if (h->isSectionHidden(i) || h->sectionSize(i) == 0)
                    continue;
                const QString text = h->model()->headerData(i, h->orientation()).toString();
                if (text.isEmpty())
                    continue;
                const int need = h->orientation() == Qt::Horizontal
                                     ? fm.boundingRect(QRect(), 0, text).width() + 2 * margin
                                     : fm.boundingRect(QRect(), 0, text).height();
                if (need > h->sectionSize(i))
                    cut.insert(describe(h, text));
            }
        }
    }
    // The title as the window manager writes it in the title bar, beside the
    // window's icon and buttons.
    if (window->isWindow() && !window->windowTitle().isEmpty()) {
        QFont font = window->font();
        font.setBold(true);
        const Qt::WindowFlags flags = window->windowFlags();
        const bool bare = (flags & Qt::CustomizeWindowHint) && !(flags & Qt::WindowCloseButtonHint);
        const int buttons = bare ? 30 : 90;
        if (QFontMetrics(font).horizontalAdvance(window->windowTitle()) + buttons >
            window->frameGeometry().width())
            cut.insert(describe(window, window->windowTitle()));
    }
    return cut;
}

} // namespace kav::test
