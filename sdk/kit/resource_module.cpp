#include "sdk/kit/resource_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <algorithm>
#include <map>
#include <mutex>

namespace hall {

namespace {

// One loaded library per file for the whole process, unloaded when its last module goes: QLibrary's
// own counting can unload a library that another instance still uses once instances come and go.
std::shared_ptr<QLibrary> LoadShared(const QString& fileName, QString* reason) {
    static std::mutex mutex;
    static std::map<QString, std::weak_ptr<QLibrary>> loaded;
    const std::lock_guard<std::mutex> lock(mutex);
    if (std::shared_ptr<QLibrary> held = loaded[fileName].lock()) return held;
    auto library = std::make_unique<QLibrary>(fileName);
    if (!library->load()) {
        *reason = library->errorString();
        return nullptr;
    }
    std::shared_ptr<QLibrary> shared(library.release(), [](QLibrary* l) {
        l->unload();
        delete l;
    });
    loaded[fileName] = shared;
    return shared;
}

}  // namespace

std::shared_ptr<ResourceModule> ResourceModule::Open(const QString& name, QString* error) {
    QStringList candidates;
    if (QCoreApplication::instance() != nullptr) {
        candidates << QDir(QCoreApplication::applicationDirPath()).filePath(name);
    }
    candidates << name;
    QString reason;
    std::shared_ptr<QLibrary> library;
    for (const QString& candidate : candidates) {
        library = LoadShared(candidate, &reason);
        if (library) break;
    }
    if (!library) {
        if (error != nullptr) *error = reason;
        return nullptr;
    }
    const auto table = reinterpret_cast<GoResourceTableFunction>(library->resolve(GO_RESOURCE_TABLE_SYMBOL));
    if (table == nullptr) {
        if (error != nullptr) *error = name + ": no resource table";
        return nullptr;
    }
    auto module = FromTable(table);
    module->m_library = std::move(library);
    module->m_name = name;
    return module;
}

std::shared_ptr<ResourceModule> ResourceModule::FromTable(GoResourceTableFunction table) {
    auto module = std::make_shared<ResourceModule>();
    if (table != nullptr) module->m_entries = table(&module->m_count);
    return module;
}

std::shared_ptr<ResourceModule> ResourceModule::FromImages(std::map<int, QImage> pictures,
                                                           std::map<int, QCursor> cursors) {
    auto module = std::make_shared<ResourceModule>();
    module->m_pictures = std::move(pictures);
    module->m_cursors = std::move(cursors);
    return module;
}

ResourceModule::ResourceModule() = default;

ResourceModule::~ResourceModule() = default;

const GoResourceEntry* ResourceModule::Find(int number, GoResourceKind kind) const {
    if (m_entries == nullptr || number < 0) return nullptr;
    const GoResourceEntry* end = m_entries + m_count;
    const auto key = std::make_pair(static_cast<uint32_t>(kind), static_cast<uint32_t>(number));
    const GoResourceEntry* found = std::lower_bound(m_entries, end, key, [](const GoResourceEntry& e, const auto& k) {
        return std::make_pair(e.kind, e.number) < k;
    });
    if (found == end || found->kind != key.first || found->number != key.second) return nullptr;
    return found;
}

QImage ResourceModule::LoadPicture(int number) const {
    if (const auto held = m_pictures.find(number); held != m_pictures.end()) return held->second;
    const GoResourceEntry* entry = Find(number, GoResourcePicture);
    if (entry == nullptr) return {};
    return QImage::fromData(entry->bytes, static_cast<int>(entry->size), "PNG");
}

bool ResourceModule::LoadCursor(int number, QCursor& cursor) const {
    if (const auto held = m_cursors.find(number); held != m_cursors.end()) {
        cursor = held->second;
        return true;
    }
    const GoResourceEntry* entry = Find(number, GoResourceCursor);
    if (entry == nullptr || entry->size < 4) return false;
    const int hotX = entry->bytes[0] | (entry->bytes[1] << 8);
    const int hotY = entry->bytes[2] | (entry->bytes[3] << 8);
    const QImage image = QImage::fromData(entry->bytes + 4, static_cast<int>(entry->size - 4), "PNG");
    if (image.isNull()) return false;
    cursor = QCursor(QPixmap::fromImage(image), hotX, hotY);
    return true;
}

}  // namespace hall
