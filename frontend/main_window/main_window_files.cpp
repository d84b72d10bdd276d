// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's data file from outside the window — the command line and
// a drop from the file manager — and the folder of the last data file, which
// the Open dialog starts in, kept between runs.
#include <sys/stat.h>

#include <cerrno>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QUrl>

#include "app/desktop_services.h"
#include "chart_window/chart_window.h"
#include "main_window/main_window.h"
#include "main_window/main_window_settings.h"
#include "results/results_model.h"
#include "run/native_path.h"
#include "run/run_messages.h"
#include "schedule_window/schedule_window.h"

namespace tamsor {
namespace {

const QString kLastFolderKey = QStringLiteral("OpenDialog/lastDataFolder");

// The one local data file dragged, by the dialog's pattern "*.DAT" in any
// letter case; empty for anything else.
QString draggedDataFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile()) return {};
    const QString path = url.toLocalFile();
    return QFileInfo(path).suffix().compare(QLatin1String("dat"), Qt::CaseInsensitive) == 0
               ? path
               : QString();
}

}  // namespace

void MainWindow::chooseDataFile(const QString& path) {
    // Looked up by the bytes of its name, as the calculation looks it up: a
    // Latin-1 name comes as text that does not encode to its bytes.
    const auto bytes = nativePath(path);
    struct stat status {};
    CalculationFailure refusal;
    if (bytes && ::stat(bytes->c_str(), &status) != 0) {
        refusal.loadFault.kind = LoadFaultKind::kCannotOpen;
        refusal.loadFault.systemError = errno;
    } else if (bytes && !S_ISREG(status.st_mode)) {
        refusal.loadFault.kind = LoadFaultKind::kNotARegularFile;
    } else {
        // As if the dialog had returned it: a cancelled Open then keeps it.
        // Several files that answer to the name are told apart by Calculate.
        takeDataFile(path);
        return;
    }
    const auto message = messageFor(refusal, lockPatience_);
    services_.showMessage(this, message->text, message->detail);
}

// Nothing shown of the file before: it is calculated when the user asks.
void MainWindow::takeDataFile(const QString& path) {
    // The path whole: the engine's form is made at the call.
    model_.DataFileName = path;
    if (!path.isEmpty()) {
        QSettings().setValue(kLastFolderKey, QFileInfo(path).absolutePath());
        tamsor::rememberRecentFile(QFileInfo(path).absoluteFilePath());
        showRecentFiles();
    }
    clearResults();
    calculateButton_->setEnabled(true);
    scrollBar_->setEnabled(true);
    showCaptions();
}

// "TAMSOR – NAME.DAT" once a file is chosen; the chart and schedule windows
// name it too.
void MainWindow::showCaptions() {
    const QString name = QFileInfo(model_.DataFileName).fileName();
    setWindowTitle(name.isEmpty() ? kApplicationTitle
                                  : kApplicationTitle + QStringLiteral(" \u2013 ") + name);
    if (chartWindow_ != nullptr) chartWindow_->setDataFile(model_.DataFileName);
    if (scheduleWindow_ != nullptr) scheduleWindow_->setDataFile(model_.DataFileName);
}

QString MainWindow::lastDataFolder() {
    return QSettings().value(kLastFolderKey).toString();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!draggedDataFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = draggedDataFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    chooseDataFile(path);
}

}  // namespace tamsor
