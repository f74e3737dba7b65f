// SPDX-License-Identifier: GPL-3.0-or-later
#include "card/card_painter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>

#include "model/channel_card.h"

namespace zt {

namespace {

// Shares of the table's width, in column order.
constexpr std::array<double, kCardColumns> kColumnShares{0.75, 0.95, 1.2,  1.2, 1.35,
                                                         1.35, 0.85, 0.85, 0.85};
constexpr double kRowMm = 3.9;
constexpr double kFooterMm = 5.0;
constexpr double kHeaderGapMm = 2.0;

QString qs(const std::string& text) { return QString::fromStdString(text); }

QFont CardFont(double points, bool bold = false) {
    // Digits and Latin letters from the sans font, Chinese from the CJK font:
    // the CJK font's own digits lose their text when a PDF is searched or copied.
    QFont font;
    font.setFamilies({"DejaVu Sans", "Noto Sans CJK SC", "Noto Sans CJK"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

struct Layout {
    double mm = 1;  // device units per millimetre
    QRectF page;    // the paintable area
    double header = 0;
    double row = 0;
    double footer = 0;
    std::array<double, kCardColumns> left{};
    std::array<double, kCardColumns> width{};

    Layout(QPaintDevice& device, QPainter& painter)
        : mm(device.logicalDpiY() / 25.4), page(0, 0, device.width(), device.height()) {
        painter.setFont(CardFont(13, true));
        header = QFontMetricsF(painter.font(), &device).height() * 1.3;
        painter.setFont(CardFont(8));
        header += QFontMetricsF(painter.font(), &device).height() * 1.4 + kHeaderGapMm * mm;
        painter.setFont(CardFont(7.5));
        row = std::max(kRowMm * mm, QFontMetricsF(painter.font(), &device).height() * 1.15);
        footer = kFooterMm * mm;
        double shares = 0;
        for (double s : kColumnShares) shares += s;
        double x = page.left();
        for (int k = 0; k < kCardColumns; ++k) {
            left[k] = x;
            width[k] = page.width() * kColumnShares[k] / shares;
            x += width[k];
        }
    }
    [[nodiscard]] int rowsOn(int page) const {
        const double space = this->page.height() - (page == 0 ? header : 0) - row - footer;
        return std::max(1, static_cast<int>(space / row));
    }
};

void DrawCells(QPainter& p, const Layout& l, double y, const CardRow& cells) {
    for (int k = 0; k < kCardColumns; ++k) {
        const QRectF cell(l.left[k] + 0.8 * l.mm, y, l.width[k] - 1.6 * l.mm, l.row);
        const Qt::Alignment align =
            (k == CardName ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
        const QString text = p.fontMetrics().elidedText(qs(cells[k]), Qt::ElideRight,
                                                        static_cast<int>(cell.width()));
        p.drawText(cell, align, text);
    }
}

void DrawPage(QPainter& p, const Layout& l, const ChannelCard& card, int page, int pages,
              std::size_t first, std::size_t count) {
    double y = l.page.top();
    if (page == 0) {
        p.setFont(CardFont(13, true));
        const double titleHeight = p.fontMetrics().height() * 1.3;
        p.drawText(QRectF(l.page.left(), y, l.page.width(), titleHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, qs(card.title));
        y += titleHeight;
        p.setFont(CardFont(8));
        QString facts;
        for (const std::string& fact : card.facts)
            facts += (facts.isEmpty() ? "" : "      ") + qs(fact);
        p.drawText(QRectF(l.page.left(), y, l.page.width(), l.header - titleHeight),
                   Qt::AlignLeft | Qt::AlignTop, facts);
        y = l.page.top() + l.header;
    }
    const QPen line(QColor(160, 160, 160), 0.15 * l.mm);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(QRectF(l.page.left(), y, l.page.width(), l.row));
    p.setPen(Qt::black);
    p.setFont(CardFont(7.5, true));
    DrawCells(p, l, y, card.headings);
    y += l.row;
    p.setFont(CardFont(7.5));
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 2 == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(244, 244, 244));
            p.drawRect(QRectF(l.page.left(), y, l.page.width(), l.row));
        }
        p.setPen(Qt::black);
        DrawCells(p, l, y, card.rows[first + i]);
        y += l.row;
    }
    p.setPen(line);
    p.drawLine(QPointF(l.page.left(), y), QPointF(l.page.right(), y));
    p.setPen(Qt::black);
    p.setFont(CardFont(7));
    const QRectF foot(l.page.left(), l.page.bottom() - l.footer, l.page.width(), l.footer);
    p.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, qs(card.title));
    p.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
               qs(CardPageText(page + 1, pages, card.chinese)));
}

}  // namespace

int PaintChannelCard(const ChannelCard& card, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    const Layout layout(device, painter);
    std::vector<std::size_t> starts{0};
    for (int page = 0;
         starts.back() + static_cast<std::size_t>(layout.rowsOn(page)) < card.rows.size(); ++page) {
        starts.push_back(starts.back() + static_cast<std::size_t>(layout.rowsOn(page)));
    }
    const int pages = static_cast<int>(starts.size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0) device.newPage();
        const std::size_t first = starts[static_cast<std::size_t>(page)];
        const std::size_t count =
            std::min(card.rows.size() - first, static_cast<std::size_t>(layout.rowsOn(page)));
        DrawPage(painter, layout, card, page, pages, first, count);
    }
    painter.end();
    return pages;
}

}  // namespace zt
