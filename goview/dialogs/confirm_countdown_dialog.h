#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <memory>

#include "sdk/kit/resource_module.h"

namespace goview {

class CTransparentStatic;

// A question about a request ("请求"): the text (1042), OK and Cancel, and in its corner (1075) the
// seconds left, shown from the first tick on. When they run out the dialog closes as if Cancel had
// been pressed, having shown 0.
class ConfirmCountdownDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSeconds = 10;
    ConfirmCountdownDialog(std::shared_ptr<const hall::ResourceModule> resources, const QString& text,
                           int seconds = kSeconds, QWidget* parent = nullptr);
    int SecondsLeft() const { return m_secondsLeft; }
    // One second passes (the dialog's own timer calls it; tests call it directly).
    void Tick();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    int m_secondsLeft;
    CTransparentStatic* m_count;
    QBasicTimer m_timer;
};

}  // namespace goview
