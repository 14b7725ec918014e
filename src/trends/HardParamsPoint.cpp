#include "HardParamsPoint.h"

TFormHardParamsPoint::TFormHardParamsPoint(TFormGraphTrend *owner)
    : TFormTrendPoint(owner, QStringLiteral("FormHardParamsPoint"),
                      {
                          {QStringLiteral("OutFieldVAL00"),
                           QStringLiteral("Нагрузка по рядовому углю, т/час:"), 0, 0},
                          {QStringLiteral("OutFieldVAL10"),
                           QStringLiteral("Текущая плотность суспензии, кг/м3:"), 1, 0},
                          {QStringLiteral("OutFieldVAL11"),
                           QStringLiteral("Заданная плотность суспензии, кг/м3:"), 1, 1},
                          {QStringLiteral("OutFieldVAL20"),
                           QStringLiteral("Положение клапана разбавления, %:"), 2, 0},
                      })
{ }
