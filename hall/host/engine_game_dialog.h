#pragma once

#include <QDialog>

#include "record/game_rules.h"
#include "rules/board_types.h"

class QButtonGroup;
class QComboBox;
class QSpinBox;

namespace hall {

// What a person chooses before a game against GNU Go, kept in the hall's settings between runs:
// his colour, the rules the engine proposes, and the engine's strength.
struct EngineGameChoice {
    go::StoneColor color = go::kBlack;  // the person's
    go::GameRules rules = DefaultRules();
    int level = 5;

    static go::GameRules DefaultRules();
    static EngineGameChoice Load();
    void Save() const;
};

// The small dialog that opens the hall: "与 GNU Go 对局".
class EngineGameDialog : public QDialog {
    Q_OBJECT

public:
    explicit EngineGameDialog(const EngineGameChoice& choice, QWidget* parent = nullptr);
    EngineGameChoice choice() const;

private:
    QButtonGroup* m_color;
    QComboBox* m_handicap;
    QComboBox* m_komi;
    QComboBox* m_mainTime;
    QComboBox* m_byoyomiSeconds;
    QComboBox* m_byoyomiCount;
    QSpinBox* m_level;
};

}  // namespace hall
