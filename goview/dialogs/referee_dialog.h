#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "sdk/kit/resource_module.h"

namespace goview {

class FlatRadioButton;

// The referee's verdict on a running match ("裁判"): black wins, white wins, or a draw, which is
// preselected.
class RefereeDialog : public QDialog {
    Q_OBJECT

public:
    enum Verdict { kBlackWins = 0, kWhiteWins = 1, kDraw = 2 };
    explicit RefereeDialog(std::shared_ptr<const hall::ResourceModule> resources, QWidget* parent = nullptr);
    // 0 black wins, 1 white wins, 2 a draw: the choice OK read, or the draw before that.
    int Verdict() const { return m_verdict; }

    // OK reads the choices in order; the first checked one decides.
    void accept() override;

private:
    int m_verdict = kDraw;
    std::array<FlatRadioButton*, 3> m_choices{};  // 1038, 1039, 1040
};

}  // namespace goview
