#include "Mnemo.h"

#include "app/GroupColours.h"
#include "app/Layout.h"
#include "app/LinkLamp.h"
#include "app/Main.h"
#include "app/Utils.h"
#include "base/Feedback.h"
#include "base/FormDesign.h"
#include "base/Random.h"
#include "elements/AniTrans.h"
#include "elements/ColumnMixer.h"
#include "elements/EBM.h"
#include "elements/ElementLibrary.h"
#include "elements/Flake.h"
#include "elements/GFlake.h"
#include "elements/OutField.h"
#include "elements/Pump.h"
#include "elements/WaterMEO.h"
#include "mnemo/ScaledSheet.h"

#include <QAction>
#include <QVBoxLayout>
#include <QTimer>
#include <cmath>
#include <limits>
#include <stdexcept>

TFormMnemo *FormMnemo = nullptr;

namespace {

const QString DesignPath = QStringLiteral(":/forms/FormMnemo.json");
constexpr int TimerInterval = 100;
constexpr QSize DesignSize(1280, 746);

// The belt speed table: load 0 -> 0, 2 -> 6, 100 -> 15, 101 -> 15.
const TCalibrationTable &SpeedTable()
{
    static const TCalibrationTable table = [] {
        TCalibrationTable t {};
        const double points[][2] = {{0, 0}, {2, 6}, {100, 15}, {101, 15}};
        for (const auto &p : points) {
            t.X[t.Count] = p[0];
            t.Y[t.Count] = p[1];
            ++t.Count;
        }
        return t;
    }();
    return table;
}

// The values of one tick; all zero until read from the record.
struct TTickValues
{
    double PLS = 0, PLSZ = 0, URKS = 0, URNS = 0, VODA1 = 0, VODA2 = 0, DSUS = 0;
    double TNK41 = 0, TNK23 = 0, TNK2 = 0, RAB = 0, RN = 0, VPIT = 0, TNZ = 0;
    int BKK41 = 0, BKK2 = 0, BKK23 = 0;
};

// Reads a column of the record by name; a missing column ends the tick.
QVariant Column(const QSqlRecord &record, const char *name)
{
    const int index = record.indexOf(QLatin1String(name));
    if (index < 0)
        throw std::runtime_error(std::string("no column ") + name);
    return record.value(index);
}

double Float(const QSqlRecord &record, const char *name)
{
    return Column(record, name).toDouble();
}

int Integer(const QSqlRecord &record, const char *name)
{
    // The flags are small integers; a fractional value counts by its whole part.
    return int(std::trunc(Column(record, name).toDouble()));
}

} // namespace

// The design is compiled into this static library; its resource must be registered by name.
static void InitMnemoResources()
{
    Q_INIT_RESOURCE(mnemo);
}

TLiveData MainFrameLiveData()
{
    TLiveData live;
    if (FormMain) {
        if (!FormMain->LastData().isEmpty())
            live.Record = &FormMain->LastData();
        live.LinkLost = FormMain->LinkColor() == LinkRed;
    }
    return live;
}

double ConveyorSpeed(double load)
{
    return LookupCalibration(load, &SpeedTable(), true);
}

template<class T> T *TFormMnemo::Element(const char *name) const
{
    for (QWidget *component : FComponents) {
        if (component->objectName() != QLatin1String(name))
            continue;
        // Exactly the class the routing was written for, as the layout code compares classes.
        if (qstrcmp(component->metaObject()->className(), T::staticMetaObject.className()) != 0)
            throw std::runtime_error(std::string("element of another class: ") + name);
        return static_cast<T *>(component);
    }
    throw std::runtime_error(std::string("no element ") + name);
}

TFormMnemo::TFormMnemo(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FormMnemo"));
    setWindowTitle(QStringLiteral("Мнемосхема"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    resize(DesignSize);

    // The diagram is designed for one size and scaled to the window.
    SheetView = new TScaledSheet(DesignSize, Qt::black, this);
    SheetView->setObjectName(QStringLiteral("SheetView"));
    // The labels find their layout file by their parent's name, which is the window's.
    SheetView->Sheet()->setObjectName(objectName());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SheetView);

    InitMnemoResources();
    RegisterElementLibrary();
    FComponents = LoadFormDesign(SheetView->Sheet(), DesignPath);
    OutField_PLS = Element<TOutField>("OutField_PLS");
    OutField_PLSZ = Element<TOutField>("OutField_PLSZ");
    OutField_KS_level = Element<TOutField>("OutField_KS_level");
    OutField_NS_level = Element<TOutField>("OutField_NS_level");
    OutField_VODA1 = Element<TOutField>("OutField_VODA1");
    OutField_VODA2 = Element<TOutField>("OutField_VODA2");
    OutField_DSUS = Element<TOutField>("OutField_DSUS");
    OutField_DSUS_FLIP = Element<TOutField>("OutField_DSUS_FLIP");
    OutField_TNK41 = Element<TOutField>("OutField_TNK41");
    OutField_TNK23 = Element<TOutField>("OutField_TNK23");
    OutField_TNK2 = Element<TOutField>("OutField_TNK2");
    OutField_TNZ = Element<TOutField>("OutField_TNZ");
    OutField_VPIT = Element<TOutField>("OutField_VPIT");
    Flake_KS = Element<TFlake>("Flake_KS");
    Flake_NS = Element<TFlake>("Flake_NS");
    GFlake_REG = Element<TGFlake>("GFlake_REG");
    WaterMEO_VODA1 = Element<TWaterMEO>("WaterMEO_VODA1");
    WaterMEO_VODA2 = Element<TWaterMEO>("WaterMEO_VODA2");
    WaterMEO_DSUS = Element<TWaterMEO>("WaterMEO_DSUS");
    AniTrans_41 = Element<TAniTrans>("AniTrans_41");
    AniTrans_23 = Element<TAniTrans>("AniTrans_23");
    AniTrans_2 = Element<TAniTrans>("AniTrans_2");
    EBM1 = Element<TEBM>("EBM1");
    ColumnMixer1 = Element<TColumnMixer>("ColumnMixer1");
    PumpKS = Element<TPump>("PumpKS");
    PumpNS = Element<TPump>("PumpNS");

    BindSetPointField(OutField_PLSZ, &TFormMnemo::OutField_PLSZClick);
    BindSetPointField(OutField_TNZ, &TFormMnemo::OutField_TNZClick);

    FParticleCounter = 0;
    FLayoutPath = LayoutFilePath(objectName());
    ApplyLayout(this, FComponents, FLayoutPath);
    connect(&LayoutNotifier(), &TLayoutNotifier::SetupModeChanged, this,
            [this] { ApplyLayout(this, FComponents, FLayoutPath); });
    connect(&LayoutNotifier(), &TLayoutNotifier::ColoursAccepted, this,
            [this] { ApplyColourGroups(true); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TFormMnemo::Timer1Timer);
    Timer1->start();

    FormMnemo = this;
}

TFormMnemo::~TFormMnemo()
{
    if (FormMnemo == this)
        FormMnemo = nullptr;
}

void TFormMnemo::BindSetPointField(TOutField *field, void (TFormMnemo::*click)())
{
    field->OnClick().Set([this, click](QObject *) { (this->*click)(); });
    field->setCursor(Qt::PointingHandCursor);
    field->setToolTip(QStringLiteral("Нажмите для корректировки задания"));
}

void TFormMnemo::OutField_PLSZClick()
{
    if (FormMain)
        FormMain->ActionSetPLSZ->trigger();
}

void TFormMnemo::OutField_TNZClick()
{
    if (FormMain)
        FormMain->ActionSet_TNZ->trigger();
}

void TFormMnemo::Timer1Timer()
{
    try {
        RefreshDiagram();
    } catch (...) {
        Beep();
    }
}

void TFormMnemo::RefreshDiagram()
{
    TTickValues v;
    const TLiveData live = FLiveSource();
    const QSqlRecord *record = live.Record;
    const bool linkLost = live.LinkLost;
    if (record && !linkLost) {
        const QSqlRecord &r = *record;
        v.PLS = Float(r, "PLS");
        v.PLSZ = Float(r, "PLSZ");
        v.URKS = Float(r, "URKS");
        v.URNS = Float(r, "URNS");
        v.VODA1 = Float(r, "VODA1");
        v.VODA2 = Float(r, "VODA2");
        v.DSUS = Float(r, "DSUS");
        v.TNK41 = Float(r, "TNK41");
        v.TNK23 = Float(r, "TNK23");
        v.TNK2 = Float(r, "TNK2");
        v.RAB = Float(r, "RAB");
        v.RN = Float(r, "RN");
        v.VPIT = Float(r, "VPIT");
        v.TNZ = Float(r, "TNZ");
        v.BKK41 = Integer(r, "BKK41");
        v.BKK2 = Integer(r, "BKK2");
        v.BKK23 = Integer(r, "BKK23");
    }
    FCurrentState = v.RAB > 0 && !linkLost;
    ApplyColourGroups(FParticleCounter < 1);

    OutField_PLS->SetOutValue(v.PLS);
    OutField_PLSZ->SetOutValue(v.PLSZ);
    OutField_KS_level->SetOutValue(v.URKS);
    Flake_KS->SetWaterLevel(v.URKS);
    OutField_NS_level->SetOutValue(v.URNS);
    Flake_NS->SetWaterLevel(v.URNS);
    OutField_VODA1->SetOutValue(v.VODA1);
    WaterMEO_VODA1->SetPosition(100 - v.VODA1);
    OutField_VODA2->SetOutValue(v.VODA2);
    WaterMEO_VODA2->SetPosition(100 - v.VODA2);
    WaterMEO_DSUS->SetPosition(v.DSUS);
    OutField_DSUS->SetOutValue(100 - v.DSUS);
    OutField_DSUS_FLIP->SetOutValue(v.DSUS);
    OutField_TNK41->SetOutValue(v.TNK41);
    OutField_TNK23->SetOutValue(v.TNK23);
    OutField_TNK2->SetOutValue(v.TNK2);
    OutField_TNZ->SetOutValue(v.TNZ);
    OutField_VPIT->SetOutValue(v.VPIT);
    ColumnMixer1->SetWaterLevel(v.RAB > 0 ? 80 : 0);
    GFlake_REG->SetWaterLevel(v.RAB > 0 ? RandomNormal(70, 1.2) : 0);

    if (!record)
        return;
    StepConveyor(AniTrans_23, v.BKK23, v.TNK23);
    StepConveyor(AniTrans_41, v.BKK41, v.TNK41);
    if (v.BKK2 < 1)
        return;
    AniTrans_2->SetPosition(WrapStep(AniTrans_2->GetPosition(), 100, -1, 0));
    AniTrans_2->SetShowCoal(v.TNK2 > 0);
    AniTrans_2->SetRk(ConveyorSpeed(v.TNK2));
    EBM1->SetBladeAngle(int(WrapStep(EBM1->GetBladeAngle(), 359, -1, 0)));
    ColumnMixer1->NextStep();
    if (v.RN > 0) {
        const qint32 n = FParticleCounter;
        // After years of running the counter goes on from 1 instead of overflowing, so the
        // colours are still not re-applied on every tick.
        FParticleCounter = n == std::numeric_limits<qint32>::max() ? 1 : n + 1;
        if (n % 6 == 3)
            AddParticle();
    }
    ColumnMixer1->StyleChanged();
}

void TFormMnemo::StepConveyor(TAniTrans *conveyor, int running, double load)
{
    if (running < 1) {
        conveyor->SetShowCoal(false);
        return;
    }
    conveyor->SetShowCoal(true);
    conveyor->SetPosition(WrapStep(conveyor->GetPosition(), 100, -1, 0));
    conveyor->SetRk(ConveyorSpeed(load));
}

// A piece of coal or rock dropped into the top of the mixing column.
void TFormMnemo::AddParticle()
{
    TRockBall ball {};
    ball.r = RandomNormal(4, 0.2);
    ball.x = 100 - 3 * ball.r;
    ball.y = 100 - ball.r - 2;
    ball.vx = RandomNormal(-6, 1.5);
    ball.vy = RandomNormal(-2, 0.3);
    ball.kind = RandomNormal(0, 1) <= 0 ? TRockBall::Rock : TRockBall::Coal;
    ColumnMixer1->AddBall(&ball);
}

void TFormMnemo::ApplyColourGroups(bool force)
{
    if (FAppliedState == FCurrentState && !force)
        return;
    FAppliedState = FCurrentState;
    const TGroupColours &colours = FAppliedState ? OnColors : OffColors;
    for (int index = 0; index <= 5; ++index)
        SetGroupColour(FComponents, (index + 1) * 100, colours[index]);
    SetGroupColour(FComponents, 900, colours[8]);
    GFlake_REG->WaterBrush().SetColor(colours[0]);
    ColumnMixer1->WaterBrush().SetColor(colours[0]);
    WaterMEO_DSUS->WaterBrush().SetColor(colours[0]);
    PumpKS->Brush().SetColor(colours[0]);
    WaterMEO_DSUS->Brush().SetColor(colours[1]);
    PumpNS->Brush().SetColor(colours[1]);
    EBM1->RotorBrush().SetColor(colours[6]);
    EBM1->StatorBrush().SetColor(colours[7]);
}
