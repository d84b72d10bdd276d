// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_dialog/import_dialog.h"

#include <algorithm>
#include <set>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/desktop_services.h"
#include "run/native_path.h"
#include "tamsor/load_table_file.h"
#include "widgets/table_view.h"

namespace tamsor {
namespace {

constexpr Delimiter kDelimiters[] = {Delimiter::kComma, Delimiter::kSemicolon, Delimiter::kTab,
                                     Delimiter::kBlank};
const char* const kDelimiterTexts[] = {"Comma", "Semicolon", "Tab", "Runs of blanks"};

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// "3: FZ", or "Column 3" for a column without a name.
QString columnTitle(const ColumnSummary& column) {
    return column.name.empty()
               ? QStringLiteral("Column %1").arg(column.position)
               : QStringLiteral("%1: %2").arg(column.position).arg(text(column.name));
}

// The column most likely to hold the axial force, among those mostly of
// numbers: one named for an axial force, else one named for a load, else the
// last of them.
std::size_t likelyLoadColumn(const std::vector<ColumnSummary>& columns) {
    const auto numeric = [](const ColumnSummary& c) { return c.numbers > c.texts; };
    const auto nameOf = [](const ColumnSummary& c) { return text(c.name).trimmed().toLower(); };
    for (const ColumnSummary& column : columns) {
        const QString name = nameOf(column);
        if (numeric(column) && (name == QLatin1String("fz") || name == QLatin1String("f3") ||
                                name == QLatin1String("p") || name == QLatin1String("n") ||
                                name.startsWith(QLatin1String("axial"))))
            return column.position;
    }
    for (const ColumnSummary& column : columns)
        if (numeric(column) && nameOf(column).contains(QLatin1String("load")))
            return column.position;
    for (auto column = columns.rbegin(); column != columns.rend(); ++column)
        if (numeric(*column)) return column->position;
    return columns.empty() ? 0 : columns.front().position;
}

template <typename Control>
Control* named(Control* control, const char* name, const QString& accessibleName) {
    control->setObjectName(QString::fromLatin1(name));
    control->setAccessibleName(accessibleName);
    return control;
}

}  // namespace

ImportDialog::ImportDialog(const QString& tablePath, std::string bytes, DesktopServices& services,
                           QWidget* parent)
    : QDialog(parent), tablePath_(tablePath), bytes_(std::move(bytes)), services_(services) {
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(kImportDialogTitle);
    setSizeGripEnabled(true);
    buildControls();
    readTable({});
}

ImportDialog::~ImportDialog() = default;

void ImportDialog::buildControls() {
    auto* table = new QLabel(QStringLiteral("Table: %1").arg(QDir::toNativeSeparators(tablePath_)));
    table->setObjectName(QStringLiteral("TableName"));
    table->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    detected_ = named(new QLabel, "Detected", QStringLiteral("Detected settings"));
    detected_->setWordWrap(true);

    previewRows_ = new QStandardItemModel(this);
    auto* previewView = new TableView;
    previewView_ = named(previewView, "Preview", QStringLiteral("First rows of the table"));
    previewView_->setModel(previewRows_);
    previewView_->setAlternatingRowColors(true);
    previewView_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* previewTitle = new QLabel(QStringLiteral("&First rows of the table:"));
    previewTitle->setBuddy(previewView_);

    kept_ = named(new QLabel, "KeptRows", QStringLiteral("Rows kept"));
    kept_->setWordWrap(true);
    kept_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    save_ = named(new QPushButton(QStringLiteral("&Save Data File...")), "SaveDataFile",
                  QStringLiteral("Save Data File"));
    save_->setDefault(true);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(save_, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    // Save writes first and accepts only once the data file is written.
    connect(save_, &QPushButton::clicked, this, &ImportDialog::saveDataFile);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(detected_);
    layout->addLayout(buildSettings());
    layout->addWidget(previewTitle);
    layout->addWidget(previewView_, 1);
    layout->addWidget(kept_);
    layout->addWidget(buttons);

    // Tab runs through the settings as they read, left column first, then
    // the preview and the buttons.
    const QList<QWidget*> order = {delimiter_,
                                   headerRow_,
                                   loadColumn_,
                                   decimalMark_,
                                   negativeCompression_,
                                   labelColumns_,
                                   conditionColumn_,
                                   conditionValue_,
                                   addCondition_,
                                   conditionList_,
                                   removeCondition_,
                                   previewView_,
                                   save_,
                                   buttons->button(QDialogButtonBox::Cancel)};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QLayout* ImportDialog::buildSettings() {
    delimiter_ = named(new QComboBox, "Delimiter", QStringLiteral("Delimiter"));
    for (const char* name : kDelimiterTexts)
        delimiter_->addItem(QString::fromLatin1(name));
    headerRow_ = named(new QSpinBox, "HeaderRow", QStringLiteral("Header row"));
    headerRow_->setSpecialValueText(QStringLiteral("None"));
    loadColumn_ = named(new QComboBox, "LoadColumn", QStringLiteral("Load column"));
    decimalMark_ = named(new QComboBox, "DecimalMark", QStringLiteral("Decimal mark"));
    decimalMark_->addItems({QStringLiteral("Point (1234.5)"), QStringLiteral("Comma (1234,5)")});
    negativeCompression_ =
        named(new QCheckBox(QStringLiteral("Compression is &negative (loads taken as magnitudes)")),
              "NegativeCompression", QStringLiteral("Compression is negative"));
    labelColumns_ = named(new QListWidget, "LabelColumns", QStringLiteral("Label columns"));
    labelColumns_->setAccessibleDescription(
        QStringLiteral("Checked columns are written after each load, joined by blanks"));

    conditionColumn_ = named(new QComboBox, "ConditionColumn", QStringLiteral("Condition column"));
    conditionValue_ = named(new QComboBox, "ConditionValue", QStringLiteral("Condition value"));
    conditionValue_->setEditable(true);
    conditionValue_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    addCondition_ = named(new QPushButton(QStringLiteral("&Add")), "AddCondition",
                          QStringLiteral("Add condition"));
    conditionList_ = named(new QListWidget, "Conditions", QStringLiteral("Conditions"));
    conditionList_->setAccessibleDescription(
        QStringLiteral("Rows are kept only where every condition holds"));
    removeCondition_ = named(new QPushButton(QStringLiteral("Re&move")), "RemoveCondition",
                             QStringLiteral("Remove condition"));
    for (QPushButton* button : {addCondition_, removeCondition_})
        button->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Delimiter:"), delimiter_);
    form->addRow(QStringLiteral("&Header row:"), headerRow_);
    form->addRow(QStringLiteral("&Load column:"), loadColumn_);
    form->addRow(QStringLiteral("Decimal mar&k:"), decimalMark_);
    form->addRow(negativeCompression_);
    auto* labelsTitle = new QLabel(QStringLiteral("La&bel columns:"));
    labelsTitle->setBuddy(labelColumns_);
    form->addRow(labelsTitle);
    form->addRow(labelColumns_);

    auto* conditionLine = new QHBoxLayout;
    conditionLine->addWidget(conditionColumn_, 1);
    conditionLine->addWidget(new QLabel(QStringLiteral("=")));
    conditionLine->addWidget(conditionValue_, 1);
    conditionLine->addWidget(addCondition_);
    auto* conditionsTitle =
        new QLabel(QStringLiteral("Keep only rows where (&column = value, all must hold):"));
    conditionsTitle->setBuddy(conditionColumn_);
    auto* conditions = new QVBoxLayout;
    conditions->addWidget(conditionsTitle);
    conditions->addLayout(conditionLine);
    conditions->addWidget(conditionList_, 1);
    conditions->addWidget(removeCondition_, 0, Qt::AlignLeft);

    auto* settings = new QHBoxLayout;
    settings->addLayout(form, 1);
    settings->addLayout(conditions, 1);

    // Another delimiter makes other rows look like a header: it is found again.
    connect(delimiter_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) readTable({reading().delimiter, std::nullopt});
    });
    connect(headerRow_, &QSpinBox::valueChanged, this, [this] {
        if (!filling_) readTable(reading());
    });
    const auto reimport = [this] {
        if (!filling_) importTable();
    };
    connect(loadColumn_, &QComboBox::currentIndexChanged, this, [this](int column) {
        if (filling_) return;
        showDetectedForLoads(column);
        importTable();
    });
    connect(decimalMark_, &QComboBox::currentIndexChanged, this, reimport);
    connect(negativeCompression_, &QCheckBox::toggled, this, reimport);
    connect(labelColumns_, &QListWidget::itemChanged, this, reimport);
    connect(conditionColumn_, &QComboBox::currentIndexChanged, this,
            &ImportDialog::showConditionValues);
    connect(addCondition_, &QPushButton::clicked, this, &ImportDialog::addCondition);
    connect(removeCondition_, &QPushButton::clicked, this, &ImportDialog::removeCondition);
    return settings;
}

TableReading ImportDialog::reading() const {
    TableReading chosen;
    chosen.delimiter = kDelimiters[std::max(0, delimiter_->currentIndex())];
    chosen.headerRow = static_cast<std::size_t>(headerRow_->value());
    return chosen;
}

void ImportDialog::readTable(const TableReading& reading) {
    preview_ = previewLoadTable(bytes_, reading);
    filling_ = true;
    delimiter_->setCurrentIndex(static_cast<int>(preview_.delimiter));
    headerRow_->setRange(0, static_cast<int>(std::max<std::size_t>(preview_.rowCount, 1)));
    headerRow_->setValue(static_cast<int>(preview_.headerRow.value_or(0)));
    QStringList found{text(encodingName(preview_.encoding)),
                      QStringLiteral("%1 rows").arg(preview_.rowCount)};
    found << QStringLiteral("delimiter %1%2")
                 .arg(QString::fromLatin1(delimiterName(preview_.delimiter)),
                      preview_.delimiterDetected ? QStringLiteral(" (detected)") : QString());
    found << (preview_.headerRow
                  ? QStringLiteral("header in row %1%2")
                        .arg(*preview_.headerRow)
                        .arg(preview_.headerDetected ? QStringLiteral(" (detected)") : QString())
                  : QStringLiteral("no header row"));
    if (preview_.firstDataRow <= preview_.rowCount)
        found << QStringLiteral("data from row %1").arg(preview_.firstDataRow);
    detected_->setText(QStringLiteral("Found: ") + found.join(QStringLiteral(", ")));
    fillPreview();
    fillColumnChoices();
    filling_ = false;
    importTable();
}

void ImportDialog::fillPreview() {
    previewRows_->clear();
    QStringList header;
    for (const ColumnSummary& column : preview_.columns)
        header << columnTitle(column);
    previewRows_->setHorizontalHeaderLabels(header);
    QStringList rowNumbers;
    for (const PreviewRow& row : preview_.rows) {
        QList<QStandardItem*> items;
        for (std::size_t c = 0; c < preview_.columns.size(); ++c) {
            auto* item = new QStandardItem(c < row.fields.size() ? text(row.fields[c]) : QString());
            item->setEditable(false);
            // Title, units and header rows are not data: shown apart.
            if (row.role == RowRole::kHeader) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            } else if (row.role != RowRole::kData) {
                item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            }
            items << item;
        }
        previewRows_->appendRow(items);
        rowNumbers << QString::number(row.row);
    }
    previewRows_->setVerticalHeaderLabels(rowNumbers);
}

void ImportDialog::fillColumnChoices() {
    // Choices by position: they stay when the user changes the delimiter
    // back and forth only as far as the columns stay.
    conditions_.clear();
    conditionList_->clear();
    loadColumn_->clear();
    labelColumns_->clear();
    conditionColumn_->clear();
    for (const ColumnSummary& column : preview_.columns) {
        const QString title = columnTitle(column);
        loadColumn_->addItem(title, QVariant::fromValue(column.position));
        conditionColumn_->addItem(title, QVariant::fromValue(column.position));
        auto* item = new QListWidgetItem(title, labelColumns_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, QVariant::fromValue(column.position));
    }
    const std::size_t load = likelyLoadColumn(preview_.columns);
    if (load > 0) {
        loadColumn_->setCurrentIndex(static_cast<int>(load) - 1);
        showDetectedForLoads(static_cast<int>(load) - 1);
    }
    showConditionValues();
}

void ImportDialog::showDetectedForLoads(int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= preview_.columns.size()) return;
    const ColumnSummary& loads = preview_.columns[static_cast<std::size_t>(column)];
    const bool filling = filling_;
    filling_ = true;
    decimalMark_->setCurrentIndex(loads.decimalMark == DecimalMark::kComma ? 1 : 0);
    negativeCompression_->setChecked(loads.negatives > 0 && loads.positives == 0);
    filling_ = filling;
}

void ImportDialog::showConditionValues() {
    // The values the column holds in the rows shown, to pick from; any other
    // may be typed.
    conditionValue_->clear();
    const int column = conditionColumn_->currentIndex();
    if (column < 0) return;
    std::set<QString> values;
    for (const PreviewRow& row : preview_.rows)
        if (row.role == RowRole::kData && static_cast<std::size_t>(column) < row.fields.size())
            values.insert(text(row.fields[static_cast<std::size_t>(column)]).trimmed());
    for (const QString& value : values)
        if (!value.isEmpty()) conditionValue_->addItem(value);
}

void ImportDialog::addCondition() {
    const int column = conditionColumn_->currentIndex();
    const QString value = conditionValue_->currentText().trimmed();
    if (column < 0 || value.isEmpty()) return;
    const std::size_t position = static_cast<std::size_t>(column) + 1;
    conditions_.push_back({ColumnChoice::at(position), value.toStdString()});
    conditionList_->addItem(QStringLiteral("%1 = %2").arg(conditionColumn_->currentText(), value));
    importTable();
}

void ImportDialog::removeCondition() {
    const int row = conditionList_->currentRow();
    if (row < 0) return;
    conditions_.erase(conditions_.begin() + row);
    delete conditionList_->takeItem(row);
    importTable();
}

ImportSettings ImportDialog::settings() const {
    ImportSettings chosen;
    chosen.reading = reading();
    chosen.loadColumn =
        ColumnChoice::at(static_cast<std::size_t>(std::max(0, loadColumn_->currentIndex())) + 1);
    for (int i = 0; i < labelColumns_->count(); ++i)
        if (labelColumns_->item(i)->checkState() == Qt::Checked)
            chosen.labelColumns.push_back(ColumnChoice::at(static_cast<std::size_t>(i) + 1));
    chosen.conditions = conditions_;
    chosen.compressionIsNegative = negativeCompression_->isChecked();
    chosen.decimalMark =
        decimalMark_->currentIndex() == 1 ? DecimalMark::kComma : DecimalMark::kPoint;
    return chosen;
}

void ImportDialog::importTable() {
    imported_.reset();
    if (!preview_.problem.empty()) {
        kept_->setText(QStringLiteral("Cannot read the table: ") + text(preview_.problem));
    } else if (preview_.columns.empty()) {
        kept_->setText(QStringLiteral("The table holds no columns."));
    } else {
        ImportOutcome outcome = importLoadTable(bytes_, settings());
        if (outcome.ok()) {
            kept_->setText(text(describeImport(*outcome.table)));
            imported_ = std::move(outcome.table);
        } else {
            kept_->setText(QStringLiteral("Cannot import: ") + text(outcome.refusal.message));
        }
    }
    save_->setEnabled(imported_.has_value());
}

QString ImportDialog::problem() const {
    return text(preview_.problem);
}

QString ImportDialog::keptText() const {
    return kept_->text();
}

QString ImportDialog::suggestedPath() const {
    // Beside the table, under its name; in the documents folder when the
    // table's folder cannot take it.
    const QFileInfo table(tablePath_);
    QString folder = table.absolutePath();
    if (!QFileInfo(folder).isWritable())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(table.completeBaseName() + QStringLiteral(".DAT"));
}

void ImportDialog::saveDataFile() {
    if (!imported_) return;
    const auto chosen = services_.chooseFileToSave(
        this, QStringLiteral("Save Data File"), QStringLiteral("Data File"), QStringLiteral("DAT"),
        QDir::toNativeSeparators(suggestedPath()));
    if (!chosen) return;
    const auto path = nativePath(*chosen);
    const auto table = nativePath(tablePath_);
    const std::string failure =
        path ? writeImportedDataFile(*path, *imported_, table.value_or(std::string()))
             : std::string("several files in the folder answer to the name");
    if (!failure.empty()) {
        services_.showMessage(this, QStringLiteral("Cannot write %1").arg(*chosen),
                              QStringLiteral("The data file %1.").arg(shownText(failure)));
        return;
    }
    emit dataFileWritten(*chosen);
    accept();
}

}  // namespace tamsor
