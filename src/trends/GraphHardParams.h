#pragma once

#include "GraphTrend.h"

// The trend window of the dense-medium process: plant load, suspension density (actual and
// set-point) and the dilution valve.
class TFormGraphHardParams : public TFormGraphTrend
{
    Q_OBJECT

public:
    explicit TFormGraphHardParams(QWidget *parent = nullptr);
    ~TFormGraphHardParams() override;

protected:
    QWidget *CreateSatellite() override;
};

extern TFormGraphHardParams *FormGraphHardParams;
