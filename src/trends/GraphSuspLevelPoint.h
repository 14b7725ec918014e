#pragma once

#include "TrendPoint.h"

// The readout of the sump-level trend window.
class TFormSuspLevelPoint : public TFormTrendPoint
{
    Q_OBJECT

public:
    explicit TFormSuspLevelPoint(TFormGraphTrend *owner);
};
