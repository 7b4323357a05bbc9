#pragma once

#include <QDialog>
#include <memory>

#include "hall/kit/resource_module.h"

namespace matchview {

// The rules setup dialog ("规则设定"): created hidden with the view; the players agree the rules
// of a match in it.
class RulesDialog : public QDialog {
    Q_OBJECT

public:
    RulesDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* owner);

private:
    std::shared_ptr<const hall::ResourceModule> m_resources;
};

}  // namespace matchview
