#include "app/SetPoint.h"

#include "app/Utils.h"
#include "base/Feedback.h"
#include "base/Formats.h"

#include <QSqlRecord>

const TSetPointCommand &DensitySetPoint()
{
    static const TSetPointCommand command {
        QStringLiteral("Заданная плотность суспензии:"),
        1600,
        2100,
        QStringLiteral("_PLSZ"),
        QStringLiteral("Задание плотности вне допустимого диапазона."),
        QStringLiteral("PLS"),
        QStringLiteral("PLSZ"),
        QStringLiteral("кг/м3")};
    return command;
}

const TSetPointCommand &LoadSetPoint()
{
    static const TSetPointCommand command {
        QStringLiteral("Заданная нагрузка, т/час:"),
        50,
        240,
        QStringLiteral("_TNZ"),
        QStringLiteral("Задание нагрузки вне допустимого диапазона."),
        QStringLiteral("TNK23"),
        QStringLiteral("TNZ"),
        QStringLiteral("т/ч")};
    return command;
}

QString CurrentValuesText(const TSetPointCommand &command, const QSqlRecord &record)
{
    auto shown = [&](const QString &field) {
        const QVariant value = record.value(field);
        return value.isNull() ? QStringLiteral("нет данных")
                              : FormatFloat(QStringLiteral("#0.0"), value.toDouble())
                + QLatin1Char(' ') + command.Unit;
    };
    return QStringLiteral("Сейчас: %1, задание в силе: %2")
        .arg(shown(command.MeasuredField), shown(command.SetPointField));
}

bool CheckSetPointInput(const TSetPointCommand &command, const QString &text, double &value)
{
    if (!TryStrToFloat(text, value)) {
        ShowError(QStringLiteral("Правильно вводите числа."));
        return false;
    }
    // Written so that a NaN, should the parser ever let one through, is refused as well.
    if (!(value >= command.Low && value <= command.High)) {
        ShowError(command.RangeMessage);
        return false;
    }
    return true;
}

QString SetPointInsertText(const TSetPointCommand &command, double value)
{
    return QStringLiteral("insert into control_vector\r\n( RecMoment, UserName, %1 )\r\n"
                          "VALUES ( Now(), USER(), %2 ) ")
        .arg(command.Column, SqlFloat(value));
}
