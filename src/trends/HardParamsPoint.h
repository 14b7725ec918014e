#pragma once

#include "TrendPoint.h"

// The readout of the process-parameter trend window.
class TFormHardParamsPoint : public TFormTrendPoint
{
    Q_OBJECT

public:
    explicit TFormHardParamsPoint(TFormGraphTrend *owner);
};
