// CGameView: game record files and the screenshot.

#include <QImage>
#include <algorithm>
#include <cctype>
#include <string_view>

#include "goview/controls/control_id.h"
#include "goview/controls/gbutton.h"
#include "goview/resources/string_table.h"
#include "goview/view/c_game_view.h"
#include "goview/view/game_file.h"
#include "goview/view/match_panel.h"
#include "goview/view/picture_file.h"
#include "record/file_io.h"
#include "record/game_record.h"
#include "record/record_replay.h"
#include "record/sgf.h"
#include "record/sgf_record.h"
#include "sdk/kit/code_page.h"

namespace goview {
namespace {

constexpr const char* kSaveRecordFilter = "Go Files (*.go)|*.go|SGF Files (*.sgf)|*.sgf|All Files (*.*)|*.*||";
constexpr const char* kOpenRecordFilter =
    "Game Files (*.go *.sgf)|*.go;*.sgf|Go Files (*.go)|*.go|SGF Files (*.sgf)|*.sgf|All Files (*.*)|*.*||";
constexpr const char* kFormatError = "错误的文件格式！，如果是旧版的存盘文件，请用旧版游戏打开！";

bool IsSgfPath(const QString& path) { return path.endsWith(QStringLiteral(".sgf"), Qt::CaseInsensitive); }

// SGF text begins with its game tree; a ".go" record begins with its magic "go2".
bool LooksLikeSgf(std::span<const uint8_t> bytes) {
    const auto first = std::find_if(bytes.begin(), bytes.end(), [](uint8_t b) { return !std::isspace(b); });
    return first != bytes.end() && *first == '(';
}


}  // namespace


go::GameRecordHeader CGameView::RecordHeader() const {
    go::GameRecordHeader header;
    header.localColor = m_match.localColor();
    for (const go::StoneColor color : {go::kBlack, go::kWhite}) {
        // A board alone keeps its players by colour.
        const Seat& player = m_seats[m_port->Facts().HasTable() ? m_match.SeatOfColor(color) & 1 : color];
        const QByteArray name = hall::TruncateGbk(hall::ToGbk(player.name), go::kRecordNameMaxBytes);
        header.names[color] = std::string(name.constData(), static_cast<size_t>(name.size()));
        header.faces[color] = player.face;
    }
    header.rules = m_match.currentRules();
    return header;
}

bool CGameView::SaveRecord() {
    if (m_game.PlayedCount() == 0) return false;
    const QString path = m_prompter->ChooseSaveFile(this, SaveDialogRequest(kSaveRecordFilter, "go", m_dataFolder));
    if (path.isEmpty()) return false;
    std::vector<uint8_t> bytes;
    if (IsSgfPath(path)) {
        const std::string text = go::WriteSgf(go::SgfFromRecord(RecordHeader(), m_game.SaveMoves(), GameResultText()));
        bytes.assign(text.begin(), text.end());
    } else {
        // A ".go" record has no place for the result.
        bytes = go::EncodeGameRecord(RecordHeader(), m_game.SaveMoves());
    }
    return WriteFileOrSay(*m_prompter, this, path, bytes);
}

std::string CGameView::GameResultText() const {
    const std::optional<go::GameResult>& result = m_match.lastResult();
    return result ? go::SgfResultText(*result) : std::string();
}

void CGameView::LoadRecord() {
    if (!m_match.MayLoadRecord()) return;
    FileRequest request;
    request.filter = QString::fromUtf8(kOpenRecordFilter);
    request.defaultExtension = QStringLiteral("go");
    request.startFolder = m_dataFolder;
    const QString path = m_prompter->ChooseOpenFile(this, request);
    if (path.isEmpty()) return;
    OpenRecordFile(path);
}

bool CGameView::OpenRecordFile(const QString& path) {
    if (!m_match.MayLoadRecord()) return false;
    const std::optional<std::vector<uint8_t>> bytes = ReadGameFile(*m_prompter, this, path);
    if (!bytes) return false;
    return IsSgfPath(path) ? OpenSgfBytes(*bytes) : OpenRecordBytes(*bytes);
}

bool CGameView::OpenSgfBytes(std::span<const uint8_t> bytes) {
    if (!m_match.MayLoadRecord()) return false;
    const go::RecordFromSgfResult loaded =
        go::RecordFromSgf(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!loaded.ok) {
        m_prompter->ShowMessage(this, QString::fromStdString(loaded.message), MessageIcon::Stop);
        return false;
    }
    // Through the record's own loader, so that both kinds of file load alike.
    if (!OpenRecordBytes(go::EncodeGameRecord(loaded.header, loaded.moveBytes))) return false;
    if (!loaded.message.empty()) {
        for (const QString& line : QString::fromStdString(loaded.message).split('\n')) m_port->ShowSystemText(line);
    }
    return true;
}

bool CGameView::OpenRecordBytes(std::span<const uint8_t> bytes) {
    if (!m_match.MayLoadRecord()) return false;
    if (LooksLikeSgf(bytes)) return OpenSgfBytes(bytes);
    const go::ParsedGameRecord record = go::ParseGameRecord(bytes);
    if (!record.ok()) {
        m_prompter->ShowMessage(this, QString::fromUtf8(kFormatError), MessageIcon::Stop);
        return false;
    }

    const go::GameRecordHeader& header = record.header;
    for (int color = 0; color < 2; ++color) {
        Seat& player = m_seats[color];
        player.name = hall::FromGbk(QByteArray(header.names[color].data(), static_cast<qsizetype>(header.names[color].size())));
        player.face = header.faces[color];
        player.facePicture.Clear();
        LoadFacePicture(player.facePicture, player.face);
    }
    if (!go::ReplayRecordOnBoard(m_game, header.rules, record.moveBytes)) {
        const int kept = m_game.PlayedCount();
        m_port->ShowSystemText(QString::fromStdString(go::ReplayCutNotice(kept)));
    }
    Carry(m_match.OnRecordLoaded(header.rules, header.localColor));
    return true;
}

void CGameView::SaveScreenshot() { SavePictureAs(*m_prompter, this, ClientAreaPicture(), m_dataFolder); }

QImage CGameView::ClientAreaPicture() {
    repaint();  // a pending repaint first, so that the picture is current
    QImage picture(size(), QImage::Format_RGB32);
    render(&picture);
    return picture;
}

}  // namespace goview
