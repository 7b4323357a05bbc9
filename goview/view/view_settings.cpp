#include "goview/view/view_settings.h"

#include "sdk/kit/settings_store.h"

namespace goview {
namespace {

void ReadInto(const char* name, uint32_t& value) {
    uint32_t stored = 0;
    if (hall::RegReadKeyInt(kSettingsSection, nullptr, name, &stored) != 0) value = stored;
}

}  // namespace

QStringList WoodNames() {
    return {QStringLiteral("柏木"), QStringLiteral("榧木"), QStringLiteral("银杏"), QStringLiteral("楸木"),
            QStringLiteral("榉木"), QStringLiteral("椴木"), QStringLiteral("杉木")};
}

ViewSettings ReadViewSettings() {
    ViewSettings settings;
    ReadInto("IsSound", settings.isSound);
    ReadInto("IsShowStep", settings.isShowStep);
    ReadInto("ShowUserInOut", settings.showUserInOut);
    ReadInto("BoardBack", settings.boardBack);
    ReadInto("SaveInfo", settings.saveInfo);
    // A wood outside the list has no picture; the board would lose its background.
    if (settings.boardBack >= static_cast<uint32_t>(WoodNames().size())) settings.boardBack = 0;
    return settings;
}

void WriteViewSettings(const ViewSettings& settings) {
    hall::RegWriteKeyInt(kSettingsSection, nullptr, "IsSound", settings.isSound);
    hall::RegWriteKeyInt(kSettingsSection, nullptr, "IsShowStep", settings.isShowStep);
    hall::RegWriteKeyInt(kSettingsSection, nullptr, "ShowUserInOut", settings.showUserInOut);
    hall::RegWriteKeyInt(kSettingsSection, nullptr, "SaveInfo", settings.saveInfo);
    hall::RegWriteKeyInt(kSettingsSection, nullptr, "BoardBack", settings.boardBack);
}

}  // namespace goview
