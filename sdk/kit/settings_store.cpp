#include "sdk/kit/settings_store.h"

#include <QMutex>
#include <QSettings>
#include <QStandardPaths>

namespace hall {
namespace {

QMutex g_fileLock;
QString g_file;  // empty: the default file

QString KeyOf(const char* section, const char* subKey, const char* name) {
    QString key = QString::fromUtf8(section != nullptr ? section : "");
    if (subKey != nullptr && *subKey != '\0') key += "/" + QString::fromUtf8(subKey);
    return key + "/" + QString::fromUtf8(name != nullptr ? name : "");
}

}  // namespace

void SetSettingsStoreFile(const QString& path) {
    QMutexLocker lock(&g_fileLock);
    g_file = path;
}

QString SettingsStoreFile() {
    QMutexLocker lock(&g_fileLock);
    if (!g_file.isEmpty()) return g_file;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/gohall/settings.ini";
}

int RegReadKeyInt(const char* section, const char* subKey, const char* name, uint32_t* value) {
    if (section == nullptr || name == nullptr || value == nullptr) return 0;
    QSettings store(SettingsStoreFile(), QSettings::IniFormat);
    const QVariant stored = store.value(KeyOf(section, subKey, name));
    bool ok = false;
    const qulonglong number = stored.toULongLong(&ok);
    if (!stored.isValid() || !ok || number > 0xFFFFFFFFull) return 0;
    *value = static_cast<uint32_t>(number);
    return 1;
}

void RegWriteKeyInt(const char* section, const char* subKey, const char* name, uint32_t value) {
    if (section == nullptr || name == nullptr) return;
    QSettings store(SettingsStoreFile(), QSettings::IniFormat);
    store.setValue(KeyOf(section, subKey, name), static_cast<qulonglong>(value));
}

}  // namespace hall
