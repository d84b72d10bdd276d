// The open-file dialog control of the main window (CommonDialog1). Like the
// platform control it remembers the last file it returned, which is what it
// reports again when the user cancels.
#ifndef TAMSOR_FILE_DIALOG_CONTROL_H
#define TAMSOR_FILE_DIALOG_CONTROL_H

#include <QString>

class QWidget;

namespace tamsor {

class DesktopServices;

class FileDialogControl {
  public:
    explicit FileDialogControl(DesktopServices& services) : services_(services) {}

    QString DialogTitle;
    QString Filter;    // one entry: "label | pattern"
    QString InitDir;   // the folder the dialog starts in; empty: its own choice
    QString FileName;  // the last file returned; empty before any choice

    void ShowOpen(QWidget* parent);

  private:
    DesktopServices& services_;
};

}  // namespace tamsor

#endif
