#include "goview/plugin_resources.h"

#include "goview/resources/picture_table.h"

namespace goview {
namespace {

const GoResourceEntry* OwnTable(uint32_t* count) { return PictureTable(count); }

}  // namespace

std::shared_ptr<const hall::ResourceModule> PluginResources() {
    static const std::shared_ptr<const hall::ResourceModule> resources = hall::ResourceModule::FromTable(&OwnTable);
    return resources;
}

}  // namespace goview
