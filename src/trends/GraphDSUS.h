#pragma once

#include "GraphTrend.h"

// The trend window of the suspension flow divider, with its cursor readout built in.
class TFormGraphDSUS : public TFormGraphTrend
{
    Q_OBJECT

public:
    explicit TFormGraphDSUS(QWidget *parent = nullptr);
    ~TFormGraphDSUS() override;
};

extern TFormGraphDSUS *FormGraphDSUS;
