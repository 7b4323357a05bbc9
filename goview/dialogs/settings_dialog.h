#pragma once

#include <QDialog>
#include <memory>

#include "goview/view/view_settings.h"
#include "sdk/kit/resource_module.h"

class QCheckBox;
class QComboBox;

namespace goview {

// The settings dialog ("设置"): sound, move numbers, users entering and leaving, the save
// question, and the board wood. It reads the store when it opens; its caller stores the values.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit SettingsDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent = nullptr);
    // The values as the dialog holds them: read from the store (sound and move numbers normalised
    // to 0 or 1), and after OK as the player left them.
    ViewSettings Values() const { return m_values; }

    void accept() override;

private:
    ViewSettings m_values;
    QCheckBox* m_sound;
    QCheckBox* m_showStep;
    QCheckBox* m_userInOut;
    QCheckBox* m_saveInfo;
    QComboBox* m_wood;
};

}  // namespace goview
