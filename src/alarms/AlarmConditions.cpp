#include "alarms/AlarmConditions.h"

namespace {

using P = TAlarmPriority;
using R = TAlarmRule;

QVector<TAlarmCondition> MakeConditions()
{
    const QString pls = QStringLiteral("OutField_PLS");
    const QString ks = QStringLiteral("OutField_KS_level");
    const QString ns = QStringLiteral("OutField_NS_level");
    const QString tnk23 = QStringLiteral("OutField_TNK23");
    return {
        {QStringLiteral("PLS_DEV"),
         QStringLiteral("Плотность суспензии отклонилась от задания"),
         P::High,
         R::Deviation,
         acPLS,
         acPLSZ,
         acRAB,
         {30, 5, 2},
         pls},
        {QStringLiteral("URKS_HI"),
         QStringLiteral("Высокий уровень в зумпфе кондиционной суспензии"),
         P::High,
         R::High,
         acURKS,
         -1,
         -1,
         {90, 3, 1},
         ks},
        {QStringLiteral("URKS_LO"),
         QStringLiteral("Низкий уровень в зумпфе кондиционной суспензии"),
         P::High,
         R::Low,
         acURKS,
         -1,
         -1,
         {15, 3, 1},
         ks},
        {QStringLiteral("URNS_HI"),
         QStringLiteral("Высокий уровень в зумпфе некондиционной суспензии"),
         P::Medium,
         R::High,
         acURNS,
         -1,
         -1,
         {90, 3, 1},
         ns},
        {QStringLiteral("URNS_LO"),
         QStringLiteral("Низкий уровень в зумпфе некондиционной суспензии"),
         P::Medium,
         R::Low,
         acURNS,
         -1,
         -1,
         {15, 3, 1},
         ns},
        {QStringLiteral("TNK_DEV"),
         QStringLiteral("Нагрузка на фабрику отклонилась от задания"),
         P::Medium,
         R::Deviation,
         acTNK23,
         acTNZ,
         acBKK23,
         {25, 5, 3},
         tnk23},
        {QStringLiteral("K23_STOP"),
         QStringLiteral("Конвейер 23 остановлен при работающем конвейере 41"),
         P::High,
         R::Stopped,
         acBKK23,
         acBKK41,
         -1,
         {0, 0, 1},
         tnk23},
        {QStringLiteral("K2_STOP"),
         QStringLiteral("Конвейер 2 остановлен при работающем гидроциклоне"),
         P::High,
         R::Stopped,
         acBKK2,
         acRAB,
         -1,
         {0, 0, 1},
         QStringLiteral("OutField_TNK2")},
        {QStringLiteral("NO_DATA"),
         QStringLiteral("Нет новых записей процесса от системы сбора"),
         P::Medium,
         R::NoData,
         -1,
         -1,
         -1,
         {3, 0, 1},
         QString()},
        {QStringLiteral("SENSOR_PLS"),
         QStringLiteral("Нет показаний плотности суспензии"),
         P::Low,
         R::Sensor,
         acPLS,
         -1,
         -1,
         {0, 0, 3},
         pls},
        {QStringLiteral("SENSOR_URKS"),
         QStringLiteral("Нет показаний уровня в зумпфе КС"),
         P::Low,
         R::Sensor,
         acURKS,
         -1,
         -1,
         {0, 0, 3},
         ks},
        {QStringLiteral("SENSOR_URNS"),
         QStringLiteral("Нет показаний уровня в зумпфе НС"),
         P::Low,
         R::Sensor,
         acURNS,
         -1,
         -1,
         {0, 0, 3},
         ns},
        {QStringLiteral("SENSOR_TNK23"),
         QStringLiteral("Нет показаний нагрузки конвейера 23"),
         P::Low,
         R::Sensor,
         acTNK23,
         -1,
         -1,
         {0, 0, 3},
         tnk23},
    };
}

// The limits each rule takes from the constants: "ALM_" + code for the limit, "_DB" for the
// deadband, "_DLY" for the on-delay.
QVector<TAlarmConstant> MakeConstants()
{
    QVector<TAlarmConstant> constants;
    const QVector<TAlarmCondition> &conditions = AlarmConditions();
    for (int i = 0; i < conditions.size(); ++i) {
        const TAlarmCondition &c = conditions[i];
        const QString name = QStringLiteral("ALM_") + c.Code;
        switch (c.Rule) {
        case R::Deviation:
        case R::High:
        case R::Low:
            constants.append({name, i, TAlarmConstant::Limit, c.Defaults.Limit});
            constants.append(
                {name + QStringLiteral("_DB"), i, TAlarmConstant::Deadband, c.Defaults.Deadband});
            break;
        case R::NoData: // minutes, judged on the tick and not over records
            constants.append({name, i, TAlarmConstant::Limit, c.Defaults.Limit});
            continue;
        case R::Stopped:
        case R::Sensor:
            break;
        }
        constants.append(
            {name + QStringLiteral("_DLY"), i, TAlarmConstant::Delay, double(c.Defaults.Delay)});
    }
    return constants;
}

} // namespace

const char *AlarmColumnName(int column)
{
    static const char *const names[AlarmColumnCount] = {"PLS", "PLSZ",  "URKS",  "URNS", "TNK23",
                                                        "TNZ", "BKK23", "BKK41", "BKK2", "RAB"};
    return names[column];
}

const QVector<TAlarmCondition> &AlarmConditions()
{
    static const QVector<TAlarmCondition> conditions = MakeConditions();
    return conditions;
}

int AlarmConditionIndex(const QString &code)
{
    const QVector<TAlarmCondition> &conditions = AlarmConditions();
    for (int i = 0; i < conditions.size(); ++i) {
        if (conditions[i].Code == code)
            return i;
    }
    return -1;
}

const QVector<TAlarmConstant> &AlarmConstants()
{
    static const QVector<TAlarmConstant> constants = MakeConstants();
    return constants;
}

QColor PriorityColor(TAlarmPriority priority)
{
    switch (priority) {
    case TAlarmPriority::High:
        return QColor(228, 0, 0);
    case TAlarmPriority::Medium:
        return QColor(255, 200, 0);
    case TAlarmPriority::Low:
        break;
    }
    return QColor(0, 170, 255);
}

QColor InkOn(const QColor &background)
{
    // Perceived brightness: yellow is light, red and blue are dark.
    const double luma =
        0.299 * background.red() + 0.587 * background.green() + 0.114 * background.blue();
    return luma > 150 ? Qt::black : Qt::white;
}

QString PriorityText(TAlarmPriority priority)
{
    switch (priority) {
    case TAlarmPriority::High:
        return QStringLiteral("Высокий");
    case TAlarmPriority::Medium:
        return QStringLiteral("Средний");
    case TAlarmPriority::Low:
        break;
    }
    return QStringLiteral("Низкий");
}
