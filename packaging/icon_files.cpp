// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon, as the program draws it, into an icon theme
// folder at the given sizes: FOLDER/<size>x<size>/apps/tamsor.png.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include "app/app_icon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: tamsor-icon-files FOLDER SIZE...\n", stderr);
        return 2;
    }
    // Drawn without a display, at build time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QString apps = QStringLiteral("%1x%1/apps").arg(size);
        if (size <= 0 || !folder.mkpath(apps) ||
            !tamsor::applicationIconPixmap(size).save(folder.filePath(apps + "/tamsor.png"))) {
            std::fprintf(stderr, "tamsor-icon-files: cannot write the %s pixel icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
