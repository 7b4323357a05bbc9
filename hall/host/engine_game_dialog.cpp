#include "hall/host/engine_game_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <algorithm>
#include <span>

#include "record/rules_choices.h"
#include "sdk/kit/settings_store.h"

namespace hall {

namespace {

using namespace go::rules_choices;

template <size_t N>
QComboBox* MakeList(const std::array<const char*, N>& items, std::span<const int> values, int current) {
    auto* list = new QComboBox;
    for (const char* item : items) list->addItem(QString::fromUtf8(item));
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i] == current) list->setCurrentIndex(static_cast<int>(i));
    }
    return list;
}

int ValueOf(const QComboBox* list, std::span<const int> values) {
    const int index = list->currentIndex();
    return index >= 0 && static_cast<size_t>(index) < values.size() ? values[static_cast<size_t>(index)] : values[0];
}

// A stored value that no list offers falls back to the default, so the proposal is always one
// the other side's rules dialog can show.
int Offered(std::span<const int> values, int stored, int fallback) {
    for (int v : values) {
        if (v == stored) return v;
    }
    return fallback;
}

}  // namespace

go::GameRules EngineGameChoice::DefaultRules() {
    go::GameRules rules;
    rules.mainTime = 600;
    rules.byoyomiSeconds = 30;
    rules.byoyomiCount = 3;
    rules.komi = 75;
    return rules;
}

EngineGameChoice EngineGameChoice::Load() {
    EngineGameChoice choice;
    const go::GameRules defaults = DefaultRules();
    QSettings store(SettingsStoreFile(), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("EngineGame"));
    choice.color = go::PlayerColorFrom(store.value(QStringLiteral("Color"), 0).toInt()).value_or(go::kBlack);
    choice.rules.handicap = Offered(kHandicapValues, store.value(QStringLiteral("Handicap"), 0).toInt(), defaults.handicap);
    choice.rules.komi = Offered(kKomiValues, store.value(QStringLiteral("Komi"), defaults.komi).toInt(), defaults.komi);
    choice.rules.mainTime = Offered(kMainTimeValues, store.value(QStringLiteral("MainTime"), defaults.mainTime).toInt(), defaults.mainTime);
    choice.rules.byoyomiSeconds = Offered(kByoyomiSecondsValues, store.value(QStringLiteral("ByoyomiSeconds"), defaults.byoyomiSeconds).toInt(),
                                          defaults.byoyomiSeconds);
    choice.rules.byoyomiCount = Offered(kByoyomiCountValues, store.value(QStringLiteral("ByoyomiCount"), defaults.byoyomiCount).toInt(),
                                        defaults.byoyomiCount);
    choice.level = std::clamp(store.value(QStringLiteral("Level"), 5).toInt(), 1, 10);
    return choice;
}

void EngineGameChoice::Save() const {
    QSettings store(SettingsStoreFile(), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("EngineGame"));
    store.setValue(QStringLiteral("Color"), static_cast<int>(color));
    store.setValue(QStringLiteral("Handicap"), rules.handicap);
    store.setValue(QStringLiteral("Komi"), rules.komi);
    store.setValue(QStringLiteral("MainTime"), rules.mainTime);
    store.setValue(QStringLiteral("ByoyomiSeconds"), rules.byoyomiSeconds);
    store.setValue(QStringLiteral("ByoyomiCount"), rules.byoyomiCount);
    store.setValue(QStringLiteral("Level"), level);
}

EngineGameDialog::EngineGameDialog(const EngineGameChoice& choice, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("与 GNU Go 对局"));
    auto* form = new QFormLayout(this);

    auto* colors = new QHBoxLayout;
    m_color = new QButtonGroup(this);
    for (const go::StoneColor color : {go::kBlack, go::kWhite}) {
        auto* button = new QRadioButton(color == go::kBlack ? QStringLiteral("执黑") : QStringLiteral("执白"));
        button->setChecked(choice.color == color);
        m_color->addButton(button, color);
        colors->addWidget(button);
    }
    form->addRow(QStringLiteral("我方："), colors);
    m_handicap = MakeList(kHandicapItems, kHandicapValues, choice.rules.handicap);
    form->addRow(QStringLiteral("让子："), m_handicap);
    m_komi = MakeList(kKomiItems, kKomiValues, choice.rules.komi);
    form->addRow(QStringLiteral("贴目："), m_komi);
    m_mainTime = MakeList(kMainTimeItems, kMainTimeValues, choice.rules.mainTime);
    form->addRow(QStringLiteral("基本用时："), m_mainTime);
    auto* byoyomi = new QHBoxLayout;
    m_byoyomiCount = MakeList(kByoyomiCountItems, kByoyomiCountValues, choice.rules.byoyomiCount);
    m_byoyomiSeconds = MakeList(kByoyomiSecondsItems, kByoyomiSecondsValues, choice.rules.byoyomiSeconds);
    byoyomi->addWidget(m_byoyomiSeconds);
    byoyomi->addWidget(m_byoyomiCount);
    form->addRow(QStringLiteral("读秒："), byoyomi);
    m_level = new QSpinBox;
    m_level->setRange(1, 10);
    m_level->setValue(choice.level);
    form->addRow(QStringLiteral("GNU Go 棋力（1–10）："), m_level);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("开始对局"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

EngineGameChoice EngineGameDialog::choice() const {
    EngineGameChoice choice;
    choice.color = go::PlayerColorFrom(m_color->checkedId()).value_or(go::kBlack);
    choice.rules.handicap = ValueOf(m_handicap, kHandicapValues);
    choice.rules.komi = ValueOf(m_komi, kKomiValues);
    choice.rules.mainTime = ValueOf(m_mainTime, kMainTimeValues);
    choice.rules.byoyomiSeconds = ValueOf(m_byoyomiSeconds, kByoyomiSecondsValues);
    choice.rules.byoyomiCount = ValueOf(m_byoyomiCount, kByoyomiCountValues);
    choice.level = m_level->value();
    return choice;
}

}  // namespace hall
