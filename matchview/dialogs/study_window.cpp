#include "matchview/dialogs/study_window.h"

#include "matchview/controls/control_id.h"

namespace matchview {

StudyWindow::StudyWindow(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent)
    : QDialog(parent, Qt::Window), m_resources(std::move(resources)) {
    setWindowTitle(QStringLiteral("打谱"));
    SetControlId(this, 172);
    setModal(false);
    setSizeGripEnabled(true);
    hide();
}

}  // namespace matchview
