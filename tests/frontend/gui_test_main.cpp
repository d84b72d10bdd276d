// SPDX-License-Identifier: GPL-3.0-or-later
// Runs GoogleTest inside a QApplication. Widgets are tested headless unless a
// platform is chosen explicitly (QT_QPA_PLATFORM=xcb under Xvfb, say).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QThreadPool>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Numbers are read and written as text; pin the C locale.
    QLocale::setDefault(QLocale::c());
    // What the windows remember between runs goes to a folder of this run,
    // never to the user's own settings.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settings.path());
    QApplication::setOrganizationName(QStringLiteral("TAMSOR"));
    QApplication::setApplicationName(QStringLiteral("TAMSOR tests"));
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Qt lends large image conversions to its global thread pool; idle pool
    // threads still winding down at exit would meet the leak check with
    // their thread data. Let them end first.
    QThreadPool::globalInstance()->waitForDone();
    return result;
}
