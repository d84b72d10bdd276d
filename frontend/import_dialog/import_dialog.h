// SPDX-License-Identifier: GPL-3.0-or-later
// "Import Load Table": the engineer's load table — a support-reaction export
// of the analysis program or a spreadsheet saved as text — previewed with
// what was detected, the load column, label columns, row conditions, sign
// and decimal mark chosen, the rows kept counted as each setting changes,
// and the data file saved where the engineer says. Window-modal and not
// blocking: the main window takes the data file from its signal.
#ifndef TAMSOR_IMPORT_DIALOG_H
#define TAMSOR_IMPORT_DIALOG_H

#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "tamsor/load_table_import.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;

namespace tamsor {

class DesktopServices;

inline const QString kImportDialogTitle = QStringLiteral("Import Load Table");

class ImportDialog : public QDialog {
    Q_OBJECT

  public:
    // `tablePath` names the table as chosen, `bytes` is what it holds.
    ImportDialog(const QString& tablePath, std::string bytes, DesktopServices& services,
                 QWidget* parent = nullptr);
    ~ImportDialog() override;

    // Why the table cannot be read at all with the reading chosen; empty
    // when it can.
    QString problem() const;
    // The rows kept and dropped, or why the table cannot be imported.
    QString keptText() const;

    // "Save Data File...": the import with the settings chosen, a name from
    // the save dialog, the data file written whole; then accepted.
    void saveDataFile();

  signals:
    // The data file `path` was written from the table.
    void dataFileWritten(const QString& path);

  private:
    void buildControls();
    QLayout* buildSettings();
    // The table split again as `reading` says, detecting what it leaves
    // open: the preview, the column choices and their detected defaults.
    void readTable(const TableReading& reading);
    void fillPreview();
    void fillColumnChoices();
    // The decimal mark and sign detected for the loads in `column` (0-based).
    void showDetectedForLoads(int column);
    // The import with every setting as chosen, and its count shown.
    void importTable();
    void addCondition();
    void removeCondition();
    void showConditionValues();
    ImportSettings settings() const;
    TableReading reading() const;
    QString suggestedPath() const;

    QString tablePath_;
    std::string bytes_;
    DesktopServices& services_;
    TablePreview preview_;
    std::vector<RowCondition> conditions_;
    std::optional<ImportedTable> imported_;
    bool filling_ = false;  // settings are set by the dialog, not the user

    QLabel* detected_ = nullptr;
    QComboBox* delimiter_ = nullptr;
    QSpinBox* headerRow_ = nullptr;
    QComboBox* loadColumn_ = nullptr;
    QListWidget* labelColumns_ = nullptr;
    QComboBox* conditionColumn_ = nullptr;
    QComboBox* conditionValue_ = nullptr;
    QPushButton* addCondition_ = nullptr;
    QListWidget* conditionList_ = nullptr;
    QPushButton* removeCondition_ = nullptr;
    QCheckBox* negativeCompression_ = nullptr;
    QComboBox* decimalMark_ = nullptr;
    QStandardItemModel* previewRows_ = nullptr;
    QTableView* previewView_ = nullptr;
    QLabel* kept_ = nullptr;
    QPushButton* save_ = nullptr;
};

}  // namespace tamsor

#endif
