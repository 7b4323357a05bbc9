#include "tools/artgen/table_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>

namespace artgen {

namespace {

QString SymbolName(const QString& setName, const Picture& picture) {
    QString safe;
    for (const QChar c : setName) safe += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QChar('_');
    return QStringLiteral("artgen_%1_%2_%3").arg(safe).arg(static_cast<int>(picture.kind)).arg(picture.number);
}

QString FileName(const Picture& picture) {
    const char* prefix = picture.kind == PictureKind::Cursor ? "cursor" : "picture";
    return QStringLiteral("%1-%2.png").arg(QLatin1String(prefix)).arg(picture.number, 4, 10, QChar('0'));
}

// Writes only when the bytes differ, so an unchanged picture keeps its time stamp.
bool WriteIfChanged(const QString& path, const QByteArray& bytes, QString* error) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes) return true;
    existing.close();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

// The assembler reads the path inside a quoted string of a C++ string literal; refuse anything
// that would need escaping at either level.
bool SafeForAssembler(const QString& path) {
    return !path.contains(QChar('"')) && !path.contains(QChar('\\')) && !path.contains(QChar('\n'));
}

struct Embedded {
    const Picture* picture;
    QString symbol;
    QString path;
    qsizetype size;  // bytes in the table entry: the PNG, plus the hot spot for cursors
};

void WriteAssembly(QTextStream& out, const std::vector<Embedded>& items) {
    // .incbin keeps the compiler away from the bytes: the source stays small and compiles fast.
    out << "__asm__(\n";
    out << "    \".pushsection .rodata\\n\"\n";
    for (const Embedded& item : items) {
        out << "    \".balign 16\\n\"\n";
        out << "    \".hidden " << item.symbol << "\\n\"\n";
        out << "    \".type " << item.symbol << ", %object\\n\"\n";
        out << "    \"" << item.symbol << ":\\n\"\n";
        if (item.picture->kind == PictureKind::Cursor) {
            const QPoint hot = item.picture->hotSpot;
            out << "    \".byte " << (hot.x() & 0xFF) << ", " << ((hot.x() >> 8) & 0xFF) << ", " << (hot.y() & 0xFF)
                << ", " << ((hot.y() >> 8) & 0xFF) << "\\n\"\n";
        }
        out << "    \".incbin \\\"" << item.path << "\\\"\\n\"\n";
        out << "    \".size " << item.symbol << ", " << item.size << "\\n\"\n";
    }
    out << "    \".popsection\\n\");\n\n";
}

void WriteFunction(QTextStream& out, const QString& function) {
    QStringList parts = function.split(QStringLiteral("::"));
    const QString name = parts.takeLast();
    const QString body = QStringLiteral(
        "(uint32_t* count) {\n"
        "    if (count != nullptr) *count = static_cast<uint32_t>(sizeof(kEntries) / sizeof(kEntries[0]));\n"
        "    return kEntries;\n"
        "}\n");
    if (parts.isEmpty()) {
        out << "extern \"C\" __attribute__((visibility(\"default\"))) const GoResourceEntry* " << name << body;
        out << "\nstatic_assert(std::is_same_v<decltype(&" << name << "), GoResourceTableFunction>);\n";
        return;
    }
    for (const QString& space : parts) out << "namespace " << space << " {\n";
    out << "\nconst GoResourceEntry* " << name << body << "\n";
    for (auto it = parts.crbegin(); it != parts.crend(); ++it) out << "}  // namespace " << *it << "\n";
}

}  // namespace

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image);
    return bytes;
}

bool WriteTable(const PictureList& pictures, const TableOptions& options, QString* error) {
    if (pictures.empty()) {
        *error = QStringLiteral("set \"%1\" has no pictures").arg(options.setName);
        return false;
    }
    const QDir dir(options.outDir);
    if (!QDir().mkpath(dir.absolutePath())) {
        *error = QStringLiteral("cannot create ") + dir.absolutePath();
        return false;
    }
    std::vector<Embedded> items;
    for (const Picture& picture : pictures) {
        const QByteArray png = EncodePng(picture.image);
        if (png.isEmpty()) {
            *error = QStringLiteral("picture %1 did not encode").arg(picture.number);
            return false;
        }
        const QString path = dir.absoluteFilePath(FileName(picture));
        if (!SafeForAssembler(path)) {
            *error = path + QStringLiteral(": the path cannot be embedded (quote, backslash or newline)");
            return false;
        }
        if (!WriteIfChanged(path, png, error)) return false;
        const qsizetype size = png.size() + (picture.kind == PictureKind::Cursor ? 4 : 0);
        items.push_back({&picture, SymbolName(options.setName, picture), path, size});
    }
    auto key = [](const Embedded& item) { return std::make_pair(static_cast<int>(item.picture->kind), item.picture->number); };
    std::sort(items.begin(), items.end(), [&](const Embedded& a, const Embedded& b) { return key(a) < key(b); });
    // Lookup finds one entry per number; a second would never be seen.
    const auto twice = std::adjacent_find(items.begin(), items.end(),
                                          [&](const Embedded& a, const Embedded& b) { return key(a) == key(b); });
    if (twice != items.end()) {
        *error = QStringLiteral("number %1 is given twice").arg(twice->picture->number);
        return false;
    }

    QString text;
    QTextStream out(&text);
    out << "// Generated by artgen from the \"" << options.setName << "\" pictures; do not edit.\n";
    out << "// The PNG files beside it are embedded as they are; sizes are in bytes.\n\n";
    out << "#include <stdint.h>\n\n#include <type_traits>\n\n#include \"sdk/kit/resource_table.h\"\n";
    for (const QString& include : options.includes) out << "#include \"" << include << "\"\n";
    out << "\n";
    WriteAssembly(out, items);
    out << "extern \"C\" {\n";
    for (const Embedded& item : items) {
        out << "__attribute__((visibility(\"hidden\"))) extern const unsigned char " << item.symbol << "[];\n";
    }
    out << "}\n\nnamespace {\n\nconst GoResourceEntry kEntries[] = {\n";
    for (const Embedded& item : items) {
        out << "    {" << item.picture->number << "u, " << static_cast<int>(item.picture->kind) << "u, " << item.symbol
            << ", " << item.size << "u},\n";
    }
    out << "};\n\n}  // namespace\n\n";
    WriteFunction(out, options.function);
    out.flush();

    // Always rewritten: the compiler does not see the embedded files, so a fresh time stamp on
    // the source is what makes changed pictures reach the library.
    QSaveFile file(options.sourcePath);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = options.sourcePath + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

}  // namespace artgen
