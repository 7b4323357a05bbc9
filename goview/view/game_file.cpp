#include "goview/view/game_file.h"

#include "goview/resources/string_table.h"
#include "record/file_io.h"

namespace goview {

std::optional<std::vector<uint8_t>> ReadGameFile(Prompter& prompter, QWidget* parent, const QString& path) {
    constexpr size_t kMaxGameFileSize = 16 * 1024 * 1024;
    go::FileReadResult file = go::ReadWholeFile(path.toStdString(), kMaxGameFileSize);
    if (file.ok()) return std::move(file.bytes);
    const char* reason = file.error == go::FileReadError::TooLarge ? "文件太大（超过16MB），不是棋谱文件！" : "读文件错误！";
    prompter.ShowMessage(parent, QString::fromUtf8(reason), MessageIcon::Stop);
    return std::nullopt;
}

bool WriteFileOrSay(Prompter& prompter, QWidget* parent, const QString& path, std::span<const uint8_t> bytes) {
    const go::FileWriteResult written = go::WriteFileAtomically(path.toStdString(), bytes);
    if (written.written) return true;
    prompter.ShowMessage(parent,
                         StringOrEmpty(strings::kWriteError) + QLatin1Char('\n') + path + QStringLiteral("：") +
                             QString::fromLocal8Bit(written.detail.c_str()),
                         MessageIcon::Stop);
    return false;
}

}  // namespace goview
