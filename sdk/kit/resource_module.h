#pragma once

#include <QCursor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>

#include "sdk/kit/resource_table.h"

class QLibrary;

namespace hall {

// A source of pictures by number: a resource module opened by name (a shared library exporting
// GoResourceTable), or a table linked into the calling library (a plug-in's own resources).
class ResourceModule {
public:
    // Opens the library `name` ("stonemind" finds libstonemind.so): the application's folder
    // first, as the hall's own folder comes first for the libraries it ships, then the system's
    // search path. Null, with the reason in `error`, when it cannot be loaded or has no table.
    static std::shared_ptr<ResourceModule> Open(const QString& name, QString* error = nullptr);
    static std::shared_ptr<ResourceModule> FromTable(GoResourceTableFunction table);
    // A module held in memory: pictures by number, and cursors with their hot spots. Skins read
    // from image files and tests build their modules this way.
    static std::shared_ptr<ResourceModule> FromImages(std::map<int, QImage> pictures,
                                                      std::map<int, QCursor> cursors = {});
    // An empty module, for callers that hold no resources.
    ResourceModule();
    ~ResourceModule();
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    // The encoded entry of a table module; null for in-memory modules and missing numbers.
    const GoResourceEntry* Find(int number, GoResourceKind kind) const;
    // The picture, or a null image when the module has no such number or its bytes do not decode.
    QImage LoadPicture(int number) const;
    // The cursor, or false when the module has none of that number.
    bool LoadCursor(int number, QCursor& cursor) const;
    QString name() const { return m_name; }

private:
    std::shared_ptr<QLibrary> m_library;  // shared by every module of the same file
    std::map<int, QImage> m_pictures;
    std::map<int, QCursor> m_cursors;
    const GoResourceEntry* m_entries = nullptr;
    uint32_t m_count = 0;
    QString m_name;
};

}  // namespace hall
