// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule_window/schedule_report.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "plots/load_plot.h"
#include "plots/variance_plot.h"
#include "schedule_window/schedule_tables.h"
#include "tamsor/grouping_spread.h"
#include "widgets/canvas_renderer.h"

namespace tamsor {
namespace {

// The page in millimetres: A4 inside its margins, a footer band at the bottom.
constexpr double kMarginX = 18;
constexpr double kMarginY = 15;
constexpr double kContentWidth = 210 - 2 * kMarginX;
constexpr double kBodyBottom = 297 - 2 * kMarginY - 7;
constexpr double kSection = 7;     // a section title
constexpr double kHeaderLine = 4;  // one line of a table's header
constexpr double kRow = 5;
constexpr double kGap = 5;
constexpr double kCellPadding = 1.5;
constexpr double kCaption = 12;  // up to three lines under a plot

static_assert(kIsolatorRowsPerPage ==
              static_cast<int>((kBodyBottom - kSection - (kHeaderLine + 2)) / kRow));

// The plots keep the proportions of the main window's plots.
constexpr double kLoadPlotWidth = 100;
constexpr double kLoadPlotHeight = kLoadPlotWidth * 3252 / 4092;
constexpr double kVariancePlotWidth = 68;
constexpr double kVariancePlotHeight = kVariancePlotWidth * 1692 / 3132;
// The plots are drawn as on a screen of 96 dots per inch, their labels in 11 pixels.
constexpr double kPlotDotsPerInch = 96;
constexpr int kPlotLabelPixels = 11;

const QColor kRule(170, 170, 170);
const QColor kHeaderFill(232, 232, 232);

class ReportPainter {
  public:
    ReportPainter(QPdfWriter& writer, const ScheduleReport& report)
        : writer_(writer), report_(report), schedule_(*report.shown.schedule) {
        body_ = QGuiApplication::font();
        body_.setPointSizeF(9);
        bold_ = body_;
        bold_.setBold(true);
        section_ = bold_;
        section_.setPointSizeF(11);
        title_ = bold_;
        title_.setPointSizeF(16);
        small_ = body_;
        small_.setPointSizeF(8);
        pages_ = scheduleReportPages(static_cast<int>(schedule_.isolators.size()));
    }

    bool paint() {
        if (!painter_.begin(&writer_)) return false;
        paintFirstPage();
        paintIsolators();
        return painter_.end();
    }

  private:
    // Millimetres to the writer's units.
    double u(double mm) const { return mm * writer_.resolution() / 25.4; }
    QRectF box(double x, double y, double width, double height) const {
        return QRectF(u(x), u(y), u(width), u(height));
    }

    void text(double x, double y, double width, double height, const QFont& font,
              const QString& text, Qt::Alignment alignment = Qt::AlignLeft,
              Qt::TextElideMode elide = Qt::ElideRight) {
        painter_.setFont(font);
        const QRectF area = box(x, y, width, height);
        const QString shown =
            text.contains(QLatin1Char('\n'))
                ? text
                : QFontMetricsF(font, &writer_).elidedText(text, elide, area.width());
        painter_.drawText(area, static_cast<int>(alignment | Qt::AlignVCenter), shown);
    }

    // `font`, made smaller where the longest line of a header's title would
    // not fit its column, so that no title is cut.
    QFont fitted(const QFont& font, const QString& title, double width) const {
        QFont smaller = font;
        const auto widest = [&] {
            double widest = 0;
            for (const QString& line : title.split(QLatin1Char('\n')))
                widest = std::max(widest, QFontMetricsF(smaller, &writer_).horizontalAdvance(line));
            return widest;
        };
        while (widest() > u(width) && smaller.pointSizeF() > 6)
            smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
        return smaller;
    }

    // Text broken into lines within the box, from its top.
    void paragraph(double x, double y, double width, double height, const QFont& font,
                   const QString& text) {
        painter_.setFont(font);
        painter_.drawText(box(x, y, width, height),
                          static_cast<int>(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap), text);
    }

    void rule(double x, double y, double width) {
        painter_.setPen(QPen(kRule, u(0.2)));
        painter_.drawLine(QPointF(u(x), u(y)), QPointF(u(x + width), u(y)));
        painter_.setPen(Qt::black);
    }

    void footer() {
        const double y = kBodyBottom + 2;
        rule(0, y, kContentWidth);
        const QString name = QFileInfo(report_.shown.dataFile).fileName();
        text(0, y + 0.5, kContentWidth, 4.5, small_,
             QStringLiteral("TAMSOR \u2013 %1 \u2013 %2 \u2013 %3 isolator types")
                 .arg(name, report_.shown.technique)
                 .arg(report_.shown.types));
        text(0, y + 0.5, kContentWidth, 4.5, small_,
             QStringLiteral("Page %1 of %2").arg(page_).arg(pages_), Qt::AlignRight);
    }

    void newPage() {
        writer_.newPage();
        ++page_;
        footer();
    }

    // A table at (x, y) with columns of `widths` millimetres; returns the y below it.
    double table(const TextTable& table, const std::vector<double>& widths, double x, double y,
                 std::size_t first = 0, std::size_t end = SIZE_MAX) {
        qsizetype lines = 1;
        for (const QString& title : table.header)
            lines = std::max(lines, title.count(QLatin1Char('\n')) + 1);
        const double header = kHeaderLine * static_cast<double>(lines) + 2;
        double width = 0;
        for (const double w : widths)
            width += w;
        painter_.fillRect(box(x, y, width, header), kHeaderFill);
        const auto cells = [&](const QStringList& row, double top, double height, const QFont& font,
                               bool titles) {
            double left = x;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const Qt::Alignment alignment = table.numeric[c] ? Qt::AlignRight : Qt::AlignLeft;
                const QString cell = row.value(static_cast<qsizetype>(c));
                const double inner = widths[c] - 2 * kCellPadding;
                text(left + kCellPadding, top, inner, height,
                     titles ? fitted(font, cell, inner) : font, cell, alignment);
                left += widths[c];
            }
        };
        cells(table.header, y, header, bold_, true);
        y += header;
        rule(x, y, width);
        end = std::min(end, table.rows.size());
        for (std::size_t r = first; r < end; ++r) {
            cells(table.rows[r], y, kRow, body_, false);
            y += kRow;
            rule(x, y, width);
        }
        return y;
    }

    void plot(const CanvasScene& scene, double x, double y, double width, double height) {
        const QRectF area = box(x, y, width, height);
        const double scale = writer_.resolution() / kPlotDotsPerInch;
        painter_.save();
        painter_.translate(area.topLeft());
        painter_.scale(scale, scale);
        // A font sized in pixels is sized in the plot's own units.
        QFont labels = body_;
        labels.setPixelSize(kPlotLabelPixels);
        const QRectF plotArea(QPointF(0, 0), area.size() / scale);
        CanvasRenderer(scene, labels).paint(painter_, plotArea, plotArea);
        painter_.restore();
        painter_.setPen(QPen(kRule, u(0.2)));
        painter_.drawRect(area);
        painter_.setPen(Qt::black);
    }

    void paintFirstPage() {
        const ShownSchedule& shown = report_.shown;
        ++page_;
        footer();
        text(0, 0, kContentWidth, 9, title_, QStringLiteral("Isolator Schedule"));
        double y = 11;
        const QString facts[][2] = {
            {QStringLiteral("Data file:"), shown.dataFile},
            {QStringLiteral("Technique:"), shown.technique},
            {QStringLiteral("Isolator types:"), QString::number(shown.types)},
            {QStringLiteral("Isolators:"), QString::number(schedule_.isolators.size())},
            {QStringLiteral("Spread:"),
             QString::fromStdString(spreadFiguresLine(schedule_.worstSpreadPercent,
                                                      schedule_.capacityAboveNeedPercent))},
            {QStringLiteral("Date:"), report_.date.toString(Qt::ISODate)},
        };
        for (const auto& [label, value] : facts) {
            text(0, y, 30, kRow, bold_, label);
            text(30, y, kContentWidth - 30, kRow, body_, value, Qt::AlignLeft, Qt::ElideMiddle);
            y += kRow;
        }

        y += kGap;
        constexpr double kRightColumn = 104;
        // The results table's five columns leave the pooled variances the
        // page's last 58 mm.
        constexpr double kVarianceColumn = kContentWidth - 58;
        text(0, y, kVarianceColumn, kSection, section_,
             QStringLiteral("Results for %1 isolator types").arg(shown.types));
        text(kVarianceColumn, y, kContentWidth - kVarianceColumn, kSection, section_,
             QStringLiteral("Pooled variance"));
        y += kSection;
        const double results =
            table(resultsTable(report_.results, shown.types), {19, 20, 23, 23, 28}, 0, y);
        const double variances =
            table(varianceTable(report_.results), {20, 38}, kVarianceColumn, y);
        y = std::max(results, variances) + kGap;

        // Drawn to the plot's own pixels, as on a screen.
        const int columns = static_cast<int>(std::lround(kLoadPlotWidth / 25.4 * kPlotDotsPerInch));
        plot(loadPlot(report_.results, shown.types, columns), 0, y, kLoadPlotWidth,
             kLoadPlotHeight);
        paragraph(
            0, y + kLoadPlotHeight + 1, kLoadPlotWidth, kCaption, small_,
            QStringLiteral("Sustained loads in ascending order (red) with the %1 isolator types: "
                           "a blue line at each type's first isolator, a dashed blue line at its "
                           "mean load.")
                .arg(shown.types));
        plot(variancePlot(report_.results), kRightColumn, y, kVariancePlotWidth,
             kVariancePlotHeight);
        paragraph(kRightColumn, y + kVariancePlotHeight + 1, kVariancePlotWidth, kCaption, small_,
                  QStringLiteral("Pooled variance against the number of isolator types, 2 to %1.")
                      .arg(kMaxShownTypes));
        y += kLoadPlotHeight + 1 + kCaption + kGap;

        text(0, y, kContentWidth, kSection, section_, QStringLiteral("Isolator types"));
        y += kSection;
        table(typesTable(schedule_, report_.results.LoadUnit), {12, 19, 24, 28, 26, 22, 28, 15}, 0,
              y);
    }

    void paintIsolators() {
        const TextTable isolators = isolatorsTable(schedule_, report_.results.LoadUnit);
        const std::vector<double> widths = {16, 26, 14, kContentWidth - 56};
        for (std::size_t first = 0; first < isolators.rows.size(); first += kIsolatorRowsPerPage) {
            newPage();
            text(0, 0, kContentWidth, kSection, section_,
                 first == 0 ? QStringLiteral("Isolators in data file order")
                            : QStringLiteral("Isolators in data file order (continued)"));
            table(isolators, widths, 0, kSection, first, first + kIsolatorRowsPerPage);
        }
    }

    QPdfWriter& writer_;
    const ScheduleReport& report_;
    const IsolatorSchedule& schedule_;
    QPainter painter_;
    QFont body_, bold_, section_, title_, small_;
    int page_ = 0;
    int pages_ = 0;
};

}  // namespace

int scheduleReportPages(int isolators) {
    return 1 + (isolators + kIsolatorRowsPerPage - 1) / kIsolatorRowsPerPage;
}

bool writeScheduleReport(QIODevice& device, const ScheduleReport& report) {
    QPdfWriter writer(&device);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginX, kMarginY, kMarginX, kMarginY),
                                     QPageLayout::Millimeter));
    writer.setTitle(
        QStringLiteral("Isolator Schedule: %1").arg(QFileInfo(report.shown.dataFile).fileName()));
    writer.setCreator(QStringLiteral("TAMSOR"));
    return ReportPainter(writer, report).paint();
}

}  // namespace tamsor
