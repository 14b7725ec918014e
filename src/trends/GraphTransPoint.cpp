#include "GraphTransPoint.h"

TFormGraphTransPoint::TFormGraphTransPoint(TFormGraphTrend *owner)
    : TFormTrendPoint(
        owner, QStringLiteral("FormGraphTransPoint"),
        {
            {QStringLiteral("OutFieldVAL00"),
             QStringLiteral("Нагрузка по конвейеру (поз.41) горной массы,  т/час:"), 0, 0},
            {QStringLiteral("OutFieldVAL10"), QStringLiteral("Производительность питателя, %:"), 1,
             0},
            {QStringLiteral("OutFieldVAL20"),
             QStringLiteral("Нагрузка  по конвейеру (поз.23) подачи нагрузки на фабрику, т/час:"),
             2, 0},
            {QStringLiteral("OutFieldVAL30"),
             QStringLiteral("Нагрузка по конвейеру (поз.2) концентрата с фабрики, т/час:"), 3, 0},
        })
{ }
