#pragma once

#include "GraphTrend.h"

// The trend window of the suspension sump levels and the level valve.
class TFormGraphSuspLevel : public TFormGraphTrend
{
    Q_OBJECT

public:
    explicit TFormGraphSuspLevel(QWidget *parent = nullptr);
    ~TFormGraphSuspLevel() override;

protected:
    QWidget *CreateSatellite() override;
};

extern TFormGraphSuspLevel *FormGraphSuspLevel;
