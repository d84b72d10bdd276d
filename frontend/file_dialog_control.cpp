#include "file_dialog_control.h"

#include "desktop_services.h"

namespace tamsor {

void FileDialogControl::ShowOpen(QWidget* parent) {
    const qsizetype bar = Filter.indexOf(QLatin1Char('|'));
    const QString label = Filter.left(bar).trimmed();
    const QString pattern = bar < 0 ? QStringLiteral("*") : Filter.mid(bar + 1).trimmed();
    if (const auto chosen =
            services_.chooseFileToOpen(parent, DialogTitle, label, pattern, InitDir))
        FileName = *chosen;
}

}  // namespace tamsor
