// Widget tests run headless, with a settings store of their own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "sdk/kit/settings_store.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir store;
    hall::SetSettingsStoreFile(store.filePath("settings.ini"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
