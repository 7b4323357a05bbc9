#pragma once

#include <QString>
#include <cstdint>

namespace hall {

// The hall's settings store: unsigned integers by section, optional sub-key and value name, kept
// in an ini file of the user's (QSettings).

// 1 and the value when it can be read, 0 otherwise (the value is then untouched).
int RegReadKeyInt(const char* section, const char* subKey, const char* name, uint32_t* value);
void RegWriteKeyInt(const char* section, const char* subKey, const char* name, uint32_t value);

// Where the store lives; empty restores the user's default file. Tests and the hall's command
// line use it to keep a store of their own.
void SetSettingsStoreFile(const QString& path);
QString SettingsStoreFile();

}  // namespace hall
