#pragma once

#include "GraphTrend.h"

// The trend window of the conveyor loads and the feeder.
class TFormGraphTrans : public TFormGraphTrend
{
    Q_OBJECT

public:
    explicit TFormGraphTrans(QWidget *parent = nullptr);
    ~TFormGraphTrans() override;

protected:
    QWidget *CreateSatellite() override;
};

extern TFormGraphTrans *FormGraphTrans;
