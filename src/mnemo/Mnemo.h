#pragma once

#include "base/Color.h"

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QWidget>
#include <functional>

class QTimer;
class TAniTrans;
class TColumnMixer;
class TEBM;
class TFlake;
class TGFlake;
class TOutField;
class TPump;
class TScaledSheet;
class TWaterMEO;

// What one tick reads: the newest process record (none while the main frame's record query is
// closed) and whether the link lamp shows the link as lost.
struct TLiveData
{
    const QSqlRecord *Record = nullptr;
    bool LinkLost = false;
};
using TLiveSource = std::function<TLiveData()>;
// The main frame's record and lamp; no record without a main frame.
TLiveData MainFrameLiveData();

// The live mnemonic diagram of the heavy-medium circuit: every 100 ms it routes the newest process
// record into its elements, switches the colour groups between the running and the stopped colours
// and steps the conveyors, the drum separator and the column mixer.
class TFormMnemo : public QWidget
{
    Q_OBJECT

public:
    // The elements come from the design resource; a design that lacks one of the data-driven
    // elements (or has it under another class) throws std::runtime_error.
    explicit TFormMnemo(QWidget *parent = nullptr);
    ~TFormMnemo() override;

    // One tick of the routing (may throw; the timer catches and beeps).
    void RefreshDiagram();
    // Applies the group colours when the running state changed since the last time, or always
    // when force is set.
    void ApplyColourGroups(bool force);
    void Timer1Timer();
    void OutField_PLSZClick();
    void OutField_TNZClick();

    // The window's layout file (folder "config" beside the executable).
    QString LayoutPath() const { return FLayoutPath; }
    // The components in design order.
    const QList<QWidget *> &Components() const { return FComponents; }
    qint32 ParticleCounter() const { return FParticleCounter; }
    bool AppliedState() const { return FAppliedState; }
    // Where the ticks read from (the main frame unless replaced, e.g. by the benchmark).
    void SetLiveSource(TLiveSource source) { FLiveSource = std::move(source); }

    QTimer *Timer1;
    // Shows the diagram's elements at the window's size.
    TScaledSheet *SheetView;

    TOutField *OutField_PLS;
    TOutField *OutField_PLSZ;
    TOutField *OutField_KS_level;
    TOutField *OutField_NS_level;
    TOutField *OutField_VODA1;
    TOutField *OutField_VODA2;
    TOutField *OutField_DSUS;
    TOutField *OutField_DSUS_FLIP;
    TOutField *OutField_TNK41;
    TOutField *OutField_TNK23;
    TOutField *OutField_TNK2;
    TOutField *OutField_TNZ;
    TOutField *OutField_VPIT;
    TFlake *Flake_KS;
    TFlake *Flake_NS;
    TGFlake *GFlake_REG;
    TWaterMEO *WaterMEO_VODA1;
    TWaterMEO *WaterMEO_VODA2;
    TWaterMEO *WaterMEO_DSUS;
    TAniTrans *AniTrans_41;
    TAniTrans *AniTrans_23;
    TAniTrans *AniTrans_2;
    TEBM *EBM1;
    TColumnMixer *ColumnMixer1;
    TPump *PumpKS;
    TPump *PumpNS;

private:
    template<class T> T *Element(const char *name) const;
    void BindSetPointField(TOutField *field, void (TFormMnemo::*click)());
    void StepConveyor(TAniTrans *conveyor, int running, double load);
    void AddParticle();

    TLiveSource FLiveSource = MainFrameLiveData;
    QList<QWidget *> FComponents;
    QString FLayoutPath;
    qint32 FParticleCounter = 0;
    bool FAppliedState = false;
    bool FCurrentState = false;
};

extern TFormMnemo *FormMnemo;

// Conveyor belt speed (the coal heap size) for a load in t/h: the four-point speed table, never
// negative.
double ConveyorSpeed(double load);
