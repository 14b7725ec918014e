#include "GraphSuspLevelPoint.h"

TFormSuspLevelPoint::TFormSuspLevelPoint(TFormGraphTrend *owner)
    : TFormTrendPoint(
        owner, QStringLiteral("FormSuspLevelPoint"),
        {
            {QStringLiteral("OutFieldVAL10"), QStringLiteral("Уровень КС,%:"), 0, 0},
            {QStringLiteral("OutFieldVAL11"), QStringLiteral("Уровень НС, %:"), 0, 1},
            {QStringLiteral("OutFieldVAL12"), QStringLiteral("Заданный уровень НС, %:"), 0, 2},
            {QStringLiteral("OutFieldVAL20"), QStringLiteral("Положение клапана, %:"), 1, 0},
        })
{ }
