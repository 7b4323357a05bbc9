// artgen: draws the product's pictures (stones, faces, the plug-in's skin) and writes them as a
// resource table that a library compiles in, as the older hall's skin files, or as contact sheets
// for review. Everything is drawn
// from code with fixed seeds, so every run gives the same files.

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "tools/artgen/contact_sheet.h"
#include "tools/artgen/legacy_skin.h"
#include "tools/artgen/mockup.h"
#include "tools/artgen/sets.h"
#include "tools/artgen/table_writer.h"

namespace {

// Headless build machines have no XDG_RUNTIME_DIR; Qt's note about it says nothing about the
// pictures and would only clutter every build log. Everything else passes through.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int Fail(const QString& message) {
    std::fprintf(stderr, "artgen: %s\n", qPrintable(message));
    return 1;
}

bool SavePng(const QImage& image, const QString& path, QString* error) {
    QFile file(path);
    const QByteArray bytes = artgen::EncodePng(image);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(FilterMessages);
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the pictures of a set and writes them as a resource table."));
    parser.addHelpOption();
    const QCommandLineOption setOption(QStringLiteral("set"),
                                       QStringLiteral("Picture set: ") + artgen::SetNames().join(QStringLiteral(", ")) +
                                           QStringLiteral(". May be repeated for sheets."),
                                       QStringLiteral("name"));
    const QCommandLineOption outDirOption(QStringLiteral("out-dir"), QStringLiteral("Folder for the PNG files."),
                                          QStringLiteral("dir"));
    const QCommandLineOption sourceOption(QStringLiteral("source"), QStringLiteral("Generated C++ table source."),
                                          QStringLiteral("file.cpp"));
    const QCommandLineOption functionOption(
        QStringLiteral("function"),
        QStringLiteral("Table function: a plain name is an exported C function, ns::Name a C++ function."),
        QStringLiteral("name"), QStringLiteral("GoResourceTable"));
    const QCommandLineOption includeOption(QStringLiteral("include"),
                                           QStringLiteral("Header for the generated source to include (repeatable)."),
                                           QStringLiteral("header"));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("Contact sheet of every picture of the sets."),
                                         QStringLiteral("file.png"));
    const QCommandLineOption zoomOption(QStringLiteral("zoom"), QStringLiteral("Magnification on the sheet."),
                                        QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption previewOption(QStringLiteral("preview"),
                                           QStringLiteral("A mock-up of the table window from all sets, for review."),
                                           QStringLiteral("file.png"));
    const QCommandLineOption legacySkinOption(QStringLiteral("legacy-skin"),
                                              QStringLiteral("Folder for the older hall's skin, BMP files by name."),
                                              QStringLiteral("dir"));
    parser.addOptions({setOption, outDirOption, sourceOption, functionOption, includeOption, sheetOption, zoomOption,
                       previewOption, legacySkinOption});
    parser.process(app);

    const QStringList sets = parser.values(setOption);
    for (const QString& name : sets) {
        if (!artgen::SetNames().contains(name)) return Fail(QStringLiteral("unknown set \"%1\"").arg(name));
    }
    const bool wantsTable = parser.isSet(sourceOption) || parser.isSet(outDirOption);
    if (!wantsTable && !parser.isSet(sheetOption) && !parser.isSet(previewOption) && !parser.isSet(legacySkinOption)) {
        return Fail(QStringLiteral("nothing to do: give --source and --out-dir, --sheet, --preview or --legacy-skin"));
    }
    if (wantsTable && (sets.size() != 1 || !parser.isSet(sourceOption) || !parser.isSet(outDirOption))) {
        return Fail(QStringLiteral("a table needs exactly one --set, --out-dir and --source"));
    }
    if (parser.isSet(sheetOption) && sets.isEmpty()) return Fail(QStringLiteral("--sheet needs at least one --set"));

    QString error;
    artgen::PictureList all;
    for (const QString& name : sets) {
        artgen::PictureList pictures = artgen::RenderSet(name);
        if (wantsTable) {
            artgen::TableOptions options;
            options.setName = name;
            options.outDir = parser.value(outDirOption);
            options.sourcePath = parser.value(sourceOption);
            options.function = parser.value(functionOption);
            options.includes = parser.values(includeOption);
            if (!artgen::WriteTable(pictures, options, &error)) return Fail(error);
        }
        std::move(pictures.begin(), pictures.end(), std::back_inserter(all));
    }
    if (parser.isSet(sheetOption)) {
        const QImage sheet = artgen::RenderContactSheet(all, parser.value(zoomOption).toInt());
        if (!SavePng(sheet, parser.value(sheetOption), &error)) return Fail(error);
    }
    if (parser.isSet(previewOption)) {
        if (!SavePng(artgen::RenderMockup(), parser.value(previewOption), &error)) return Fail(error);
    }
    if (parser.isSet(legacySkinOption)) {
        if (!artgen::WriteLegacySkin(parser.value(legacySkinOption), &error)) return Fail(error);
    }
    return 0;
}
