#pragma once

#include "TrendPoint.h"

// The readout of the conveyor trend window.
class TFormGraphTransPoint : public TFormTrendPoint
{
    Q_OBJECT

public:
    explicit TFormGraphTransPoint(TFormGraphTrend *owner);
};
