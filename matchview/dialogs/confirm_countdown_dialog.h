#pragma once

#include <QDialog>
#include <memory>

#include "hall/kit/resource_module.h"

class QLabel;
class QTimer;

namespace matchview {

// A question about a request ("请求"): OK or Cancel, with the seconds left shown in its corner.
// When they run out the dialog closes as if Cancel had been pressed.
class ConfirmCountdownDialog : public QDialog {
    Q_OBJECT

public:
    ConfirmCountdownDialog(std::shared_ptr<const hall::ResourceModule> resources, const QString& text, int seconds,
                           QWidget* parent = nullptr);
    int SecondsLeft() const { return m_secondsLeft; }
    // One second passes (the dialog's own timer calls it).
    void Tick();

private:
    int m_secondsLeft;
    QLabel* m_count;
    QTimer* m_timer;
};

}  // namespace matchview
