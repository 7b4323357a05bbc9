#include "record/game_record.h"

#include <algorithm>
#include <cstring>

#include "record/byte_order.h"
#include "record/gbk_text.h"

namespace go {
namespace {

void WriteName(std::span<uint8_t> out, size_t offset, const std::string& name) {
    const size_t length = GbkPrefixLength(name, kRecordNameMaxBytes);
    std::copy_n(reinterpret_cast<const uint8_t*>(name.data()), length, out.begin() + offset);
}

std::string ReadName(std::span<const uint8_t> bytes, size_t offset) {
    const auto field = bytes.subspan(offset, kRecordNameMaxBytes);
    const auto end = std::find(field.begin(), field.end(), uint8_t{0});
    return std::string(field.begin(), end);
}

}  // namespace

std::vector<uint8_t> EncodeGameRecord(const GameRecordHeader& header, std::span<const uint8_t> moveBytes) {
    namespace at = record_layout;
    std::vector<uint8_t> bytes(kRecordHeaderSize + moveBytes.size(), 0);
    const std::span<uint8_t> out(bytes);
    std::memcpy(bytes.data() + at::kMagic, kRecordMagic, sizeof kRecordMagic);
    WriteInt32LE(out, at::kVersion, kRecordVersion);
    WriteInt32LE(out, at::kLocalColor, header.localColor);
    WriteName(out, at::kBlackName, header.names[0]);
    WriteName(out, at::kWhiteName, header.names[1]);
    WriteInt32LE(out, at::kBlackFace, header.faces[0]);
    WriteInt32LE(out, at::kWhiteFace, header.faces[1]);
    const auto rules = EncodeGameRules(header.rules);
    std::copy(rules.begin(), rules.end(), bytes.begin() + at::kRules);
    std::copy(moveBytes.begin(), moveBytes.end(), bytes.begin() + kRecordHeaderSize);
    return bytes;
}

ParsedGameRecord ParseGameRecord(std::span<const uint8_t> bytes) {
    namespace at = record_layout;
    ParsedGameRecord parsed;
    if (bytes.size() < kRecordHeaderSize) {
        parsed.error = RecordFormatError::TooShort;
        parsed.errorDetail = std::to_string(bytes.size()) + " bytes, the header alone takes " +
                             std::to_string(kRecordHeaderSize);
        return parsed;
    }
    const bool magicMatches = std::memcmp(bytes.data() + at::kMagic, kRecordMagic, sizeof kRecordMagic) == 0;
    const int32_t version = ReadInt32LE(bytes, at::kVersion);
    if (version != kRecordVersion && !magicMatches) {
        parsed.error = RecordFormatError::UnknownFormat;
        parsed.errorDetail = "version field (offset 32) is " + std::to_string(version) +
                             " and the magic (offset 0) is not \"go2\"";
        return parsed;
    }
    GameRecordHeader& header = parsed.header;
    header.localColor = ReadInt32LE(bytes, at::kLocalColor);
    header.names[0] = ReadName(bytes, at::kBlackName);
    header.names[1] = ReadName(bytes, at::kWhiteName);
    header.faces[0] = ReadInt32LE(bytes, at::kBlackFace);
    header.faces[1] = ReadInt32LE(bytes, at::kWhiteFace);
    header.rules = DecodeGameRules(bytes.subspan<at::kRules, kGameRulesSize>());
    parsed.moveBytes = bytes.subspan(kRecordHeaderSize);
    parsed.moveCount = static_cast<int>(parsed.moveBytes.size() / 3);
    return parsed;
}

}  // namespace go
