#pragma once

#include <memory>

#include "sdk/kit/resource_module.h"

namespace goview {

// The plug-in's own pictures (linked into the plug-in), shared by the view and its dialogs.
std::shared_ptr<const hall::ResourceModule> PluginResources();

}  // namespace goview
