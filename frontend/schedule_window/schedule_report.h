// SPDX-License-Identifier: GPL-3.0-or-later
// The isolator schedule as a calculation report: A4 pages in PDF, written with
// Qt's own PDF writer. Page 1 names the data file, the technique and the
// date, and holds the results table, the pooled variance for 2 to 8 types,
// the load plot with the types laid over it, the variance plot and the types
// table; the isolators follow in data file order from page 2, a fixed number
// to a page, each page under the table's header. Every page ends with a
// footer naming the file and "Page n of N".
#ifndef TAMSOR_SCHEDULE_REPORT_H
#define TAMSOR_SCHEDULE_REPORT_H

#include <QDate>

#include "results/results_model.h"
#include "schedule_window/shown_schedule.h"

class QIODevice;

namespace tamsor {

struct ScheduleReport {
    const ShownSchedule& shown;   // holds a schedule
    const ResultsModel& results;  // the results model the schedule belongs to
    QDate date;
};

// Isolator rows on each page from page 2.
inline constexpr int kIsolatorRowsPerPage = 49;

// The number of pages the report of `isolators` isolators takes.
int scheduleReportPages(int isolators);

// Writes the report as PDF to `device`, which must be open for writing.
// Returns false when nothing could be drawn onto it.
bool writeScheduleReport(QIODevice& device, const ScheduleReport& report);

}  // namespace tamsor

#endif
