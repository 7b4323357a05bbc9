#pragma once

#include <QDialog>
#include <memory>

#include "hall/kit/resource_module.h"

namespace matchview {

// The study window ("打谱"): created hidden with the view; closing it only hides it.
class StudyWindow : public QDialog {
    Q_OBJECT

public:
    StudyWindow(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent);

private:
    std::shared_ptr<const hall::ResourceModule> m_resources;
};

}  // namespace matchview
