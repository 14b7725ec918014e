#include "core/SetPointCommand.h"

#include "core/PlantModel.h"

namespace {
bool Within(double v, double lo, double hi)
{
    return v >= lo && v <= hi; // false for NaN as well
}

QString Operator(const QString &user)
{
    return QStringLiteral(" (оператор %1)")
        .arg(user.isEmpty() ? QStringLiteral("неизвестен") : user);
}

JournalEntry Entry(const QString &what, double value, const QString &unit, bool accepted, double lo,
                   double hi, const SetPointCommand &command, const QDateTime &moment)
{
    QString text = QStringLiteral("%1 %2 %3").arg(what, QString::number(value), unit);
    if (!accepted)
        text += QStringLiteral(" отклонено: вне диапазона %1-%2")
                    .arg(QString::number(lo), QString::number(hi));
    return {moment, text + Operator(command.user), command.user};
}
} // namespace

Journal CommandJournal(const SetPointCommand &command, const SetPointLimits &limits,
                       const QDateTime &moment)
{
    Journal journal;
    if (command.plsz)
        journal << Entry(QStringLiteral("Задание плотности суспензии"), *command.plsz,
                         QStringLiteral("кг/м3"),
                         Within(*command.plsz, limits.plszMin, limits.plszMax), limits.plszMin,
                         limits.plszMax, command, moment);
    if (command.tnz)
        journal << Entry(QStringLiteral("Задание нагрузки"), *command.tnz, QStringLiteral("т/ч"),
                         Within(*command.tnz, limits.tnzMin, limits.tnzMax), limits.tnzMin,
                         limits.tnzMax, command, moment);
    return journal;
}

void ApplyCommand(const SetPointCommand &command, const SetPointLimits &limits, PlantModel &model)
{
    if (command.plsz && Within(*command.plsz, limits.plszMin, limits.plszMax))
        model.SetDensitySetPoint(*command.plsz);
    if (command.tnz && Within(*command.tnz, limits.tnzMin, limits.tnzMax))
        model.SetLoadSetPoint(*command.tnz);
}
