// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule_window/schedule_window.h"

#include <sstream>
#include <string>

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/desktop_services.h"
#include "schedule_window/isolator_table_model.h"
#include "schedule_window/schedule_report.h"
#include "schedule_window/schedule_tables.h"
#include "tamsor/grouping_spread.h"
#include "tamsor/schedule_csv.h"
#include "tamsor/whole_file.h"
#include "widgets/sort_header.h"
#include "widgets/table_view.h"

namespace tamsor {
namespace {

// Holds a cell's figure as a number, so that the column sorts as numbers
// rather than as text; text columns sort by their text.
constexpr int kSortRole = Qt::UserRole;

void fill(QStandardItemModel& model, const TextTable& table) {
    model.setRowCount(0);
    model.setColumnCount(static_cast<int>(table.header.size()));
    model.setHorizontalHeaderLabels(table.header);
    for (const QStringList& row : table.rows) {
        QList<QStandardItem*> items;
        for (qsizetype c = 0; c < row.size(); ++c) {
            auto* item = new QStandardItem(row[c]);
            item->setEditable(false);
            if (table.numeric[static_cast<std::size_t>(c)]) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                bool isNumber = false;
                const double value = row[c].toDouble(&isNumber);
                // A figure not defined ("-") has no number and sorts last.
                if (isNumber) item->setData(value, kSortRole);
            } else {
                item->setData(row[c], kSortRole);
            }
            items.append(item);
        }
        model.appendRow(items);
    }
}

QPushButton* button(const QString& text, const char* name, const QString& description) {
    auto* control = new QPushButton(text);
    control->setObjectName(QString::fromLatin1(name));
    control->setAccessibleDescription(description);
    control->setAutoDefault(false);  // Enter in a table does not press a button
    return control;
}

}  // namespace

ScheduleWindow::ScheduleWindow(const ResultsModel& model, DesktopServices& services, QWidget* owner)
    : QDialog(owner), model_(model), services_(services) {
    setObjectName(QStringLiteral("ScheduleWindow"));
    setWindowTitle(kScheduleWindowTitle);
    setModal(false);
    setSizeGripEnabled(true);
    buildControls();
    resize(760, 640);
    clearResults();
}

ScheduleWindow::~ScheduleWindow() = default;

QTableView* ScheduleWindow::addTable(QStandardItemModel*& model, const TextTable& empty,
                                     const QString& title, const char* name, QBoxLayout* layout) {
    // The columns exist before the view sorts by the first of them.
    model = new QStandardItemModel(this);
    fill(*model, empty);
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(model);
    sorted->setSortRole(kSortRole);
    sorted->setSortLocaleAware(true);
    return addView(sorted, title, name, layout);
}

QTableView* ScheduleWindow::addView(QAbstractItemModel* sorted, const QString& title,
                                    const char* name, QBoxLayout* layout) {
    auto* view = new TableView;
    view->setObjectName(QString::fromLatin1(name));
    view->setHorizontalHeader(new SortHeader(view));
    view->setModel(sorted);
    view->setAccessibleName(QString(title).remove(QLatin1Char('&')));
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::AscendingOrder);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);

    auto* label = new QLabel(title);
    label->setBuddy(view);
    layout->addWidget(label);
    layout->addWidget(view);
    return view;
}

QLayout* ScheduleWindow::buildFacts() {
    auto* facts = new QFormLayout;
    const auto fact = [&](const QString& label, const char* name) {
        auto* value = new QLabel;
        value->setObjectName(QString::fromLatin1(name));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        // A long path is cut at the window's edge rather than widening it.
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        facts->addRow(label, value);
        return value;
    };
    dataFile_ = fact(QStringLiteral("Data file:"), "DataFile");
    technique_ = fact(QStringLiteral("Technique:"), "Technique");
    typeCount_ = fact(QStringLiteral("Isolator types:"), "TypeCount");
    spreadFigures_ = fact(QStringLiteral("Spread:"), "SpreadFigures");
    return facts;
}

QWidget* ScheduleWindow::buildTables() {
    const IsolatorSchedule none;
    auto* typesPane = new QWidget;
    auto* typesLayout = new QVBoxLayout(typesPane);
    typesLayout->setContentsMargins(0, 0, 0, 0);
    typesView_ = addTable(types_, typesTable(none), QStringLiteral("Isolator &types"), "TypesTable",
                          typesLayout);
    typesView_->setAccessibleDescription(
        QStringLiteral("Per isolator type: isolators, smallest and largest load (the design "
                       "load), mean, spread, and the largest load's percentage above the mean"));
    typesView_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* isolatorsPane = new QWidget;
    auto* isolatorsLayout = new QVBoxLayout(isolatorsPane);
    isolatorsLayout->setContentsMargins(0, 0, 0, 0);
    // A model of its own: a large building's isolators are many rows.
    isolators_ = new IsolatorTableModel(this);
    isolatorsView_ = addView(isolators_, QStringLiteral("&Isolators in data file order"),
                             "IsolatorsTable", isolatorsLayout);
    // Rows of one height, not measured one by one.
    isolatorsView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    isolatorsView_->setAccessibleDescription(
        QStringLiteral("Per isolator: its line in the data file, its load, its type and the "
                       "label that follows the load"));
    isolatorsView_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    isolatorsView_->horizontalHeader()->setStretchLastSection(true);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(typesPane);
    splitter->addWidget(isolatorsPane);
    // The types pane holds as many types as the main window shows at most, so
    // that it keeps its size as the scroll bar moves; the isolators take the rest.
    const int typesHeight = typesLayout->itemAt(0)->sizeHint().height() +
                            typesView_->horizontalHeader()->sizeHint().height() +
                            kMaxShownTypes * typesView_->verticalHeader()->defaultSectionSize() +
                            2 * typesView_->frameWidth() + typesLayout->spacing();
    splitter->setSizes({typesHeight, 3 * typesHeight});
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    return splitter;
}

QLayout* ScheduleWindow::buildButtons() {
    export_ = button(QStringLiteral("&Export..."), "Export",
                     QStringLiteral("Writes both tables to a CSV file for a spreadsheet"));
    saveReport_ = button(QStringLiteral("Save Report as &PDF..."), "SaveReport",
                         QStringLiteral("Writes the results, the plots and both tables as a "
                                        "PDF report"));
    auto* close = button(QStringLiteral("&Close"), "Close", QStringLiteral("Closes this window"));
    connect(export_, &QPushButton::clicked, this, &ScheduleWindow::exportCsv);
    connect(saveReport_, &QPushButton::clicked, this, &ScheduleWindow::saveReport);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(export_);
    buttons->addWidget(saveReport_);
    buttons->addStretch();
    buttons->addWidget(close);
    return buttons;
}

void ScheduleWindow::buildControls() {
    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("Note"));
    note_->setWordWrap(true);
    note_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildFacts());
    layout->addWidget(note_);
    layout->addSpacing(layout->spacing());
    layout->addWidget(buildTables(), 1);
    layout->addLayout(buildButtons());
    // Tab runs from table to table to the buttons.
    setTabOrder(typesView_, isolatorsView_);
    setTabOrder(isolatorsView_, export_);
    setTabOrder(export_, saveReport_);
    setTabOrder(saveReport_, findChild<QPushButton*>(QStringLiteral("Close")));
}

void ScheduleWindow::showResults(int types) {
    resultsShown_ = true;
    display(shownSchedule(model_, types));
}

void ScheduleWindow::followShownTypes(int types) {
    if (resultsShown_) display(shownSchedule(model_, types));
}

void ScheduleWindow::setDataFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    setWindowTitle(name.isEmpty() ? kScheduleWindowTitle
                                  : kScheduleWindowTitle + QStringLiteral(" \u2013 ") + name);
}

void ScheduleWindow::clearResults() {
    resultsShown_ = false;
    ShownSchedule none;
    none.note = QStringLiteral(
        "No results of the chosen data file are shown. Calculate to see its schedule.");
    display(std::move(none));
}

void ScheduleWindow::display(ShownSchedule shown) {
    shown_ = std::move(shown);
    dataFile_->setText(QDir::toNativeSeparators(shown_.dataFile));
    dataFile_->setToolTip(dataFile_->text());
    technique_->setText(shown_.technique);
    typeCount_->setText(shown_.types > 0 ? QString::number(shown_.types) : QString());
    spreadFigures_->setText(shown_.schedule ? QString::fromStdString(spreadFiguresLine(
                                                  shown_.schedule->worstSpreadPercent,
                                                  shown_.schedule->capacityAboveNeedPercent))
                                            : QString());
    note_->setText(shown_.note);
    note_->setVisible(!shown_.note.isEmpty());

    const IsolatorSchedule none;
    const IsolatorSchedule& schedule = shown_.schedule ? *shown_.schedule : none;
    fill(*types_, typesTable(schedule, model_.LoadUnit));
    isolators_->setSchedule(shown_.schedule ? &*shown_.schedule : nullptr, model_.LoadUnit);
    export_->setEnabled(shown_.schedule.has_value());
    saveReport_->setEnabled(shown_.schedule.has_value());
}

QString ScheduleWindow::suggestedPath(const QString& suffix) const {
    const QFileInfo data(shown_.dataFile);
    return data.dir().filePath(QStringLiteral("%1-%2-types.%3")
                                   .arg(data.completeBaseName())
                                   .arg(shown_.types)
                                   .arg(suffix));
}

void ScheduleWindow::save(const QString& path, std::string_view bytes) {
    // Made whole in memory first, then written whole or not at all: a full
    // disk or a failing write leaves an earlier file as it was.
    const WholeFileFailure failure = writeWholeFile(QFile::encodeName(path).toStdString(), bytes);
    if (!failure.ok()) cannotWrite(path, QString::fromStdString(describeWholeFileFailure(failure)));
}

void ScheduleWindow::cannotWrite(const QString& path, const QString& reason) {
    services_.showMessage(
        this, QStringLiteral("Cannot write %1").arg(QDir::toNativeSeparators(path)), reason);
}

void ScheduleWindow::exportCsv() {
    if (!shown_.schedule) return;
    const auto path = services_.chooseFileToSave(this, QStringLiteral("Export Isolator Schedule"),
                                                 QStringLiteral("CSV File"), QStringLiteral("csv"),
                                                 suggestedPath(QStringLiteral("csv")));
    if (!path) return;
    std::ostringstream csv(std::ios::binary);
    writeScheduleCsv(csv, *shown_.schedule, model_.LoadUnit.toStdString());
    save(*path, csv.view());
}

void ScheduleWindow::saveReport() {
    if (!shown_.schedule) return;
    const auto path = services_.chooseFileToSave(this, QStringLiteral("Save Report as PDF"),
                                                 QStringLiteral("PDF File"), QStringLiteral("pdf"),
                                                 suggestedPath(QStringLiteral("pdf")));
    if (!path) return;
    const ScheduleReport report{shown_, model_, QDate::currentDate()};
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    // A large building's report runs to thousands of pages and takes seconds.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool drawn = writeScheduleReport(buffer, report);
    QGuiApplication::restoreOverrideCursor();
    if (!drawn) return cannotWrite(*path, QStringLiteral("the report could not be drawn"));
    buffer.close();
    save(*path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

}  // namespace tamsor
