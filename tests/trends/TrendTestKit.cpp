#include "TrendTestKit.h"

#include "TestDb.h"
#include "app/Utils.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"
#include "trends/GraphDSUS.h"
#include "trends/GraphHardParams.h"
#include "trends/GraphSuspLevel.h"
#include "trends/GraphTrans.h"

#include <QComboBox>
#include <QDateEdit>
#include <QStringList>

TMoment TestDay()
{
    return EncodeMoment(2026, 3, 10);
}

TMoment DayStart()
{
    TMoment start = 0, stop = 0;
    ShiftRange(TestDay(), 3, start, stop);
    return start;
}

TMoment DayStop()
{
    TMoment start = 0, stop = 0;
    ShiftRange(TestDay(), 3, start, stop);
    return stop;
}

bool ClearRecords()
{
    return TestDb::Truncate(TestDb::Open(), {QStringLiteral("pu_data")});
}

bool WriteRecords(const QList<int> &minutes, const std::function<double(int)> &value)
{
    if (minutes.isEmpty())
        return true;
    QStringList rows;
    for (int minute : minutes) {
        const QString v = QString::number(value(minute), 'g', 10);
        rows << QStringLiteral("('%1',%2,%2,%2,%2,%2,%2,%2,%2,%2,%2,%2,%2)")
                    .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"),
                                        DayStart() + minute * OneMinute),
                         v);
    }
    return TestDb::Exec(TestDb::Open(),
                        QStringLiteral("insert into pu_data (RecMoment, PLS, PLSZ, TNK23, VODA1, "
                                       "URKS, URNS, VODA2, DSUS, TNK41, TNZ, VPIT, TNK2) values ")
                            + rows.join(QLatin1Char(',')));
}

QList<int> Minutes(int first, int last)
{
    QList<int> list;
    for (int m = first; m <= last; ++m)
        list << m;
    return list;
}

TFormGraphTrend *NewTrendWindow(const QString &name)
{
    if (name == QLatin1String("FormGraphHardParams"))
        return new TFormGraphHardParams;
    if (name == QLatin1String("FormGraphSuspLevel"))
        return new TFormGraphSuspLevel;
    if (name == QLatin1String("FormGraphDSUS"))
        return new TFormGraphDSUS;
    return new TFormGraphTrans;
}

void PrepareWindow(TFormGraphTrend &window)
{
    window.DateTimePicker1->setDate(MomentToDateTime(TestDay()).date());
    window.ComboBox1->setCurrentIndex(2);
    window.resize(1200, 900);
    window.show();
    window.NormalLayout();
}

double SlotValue(const TLevelGraph *chart, int graph, int minute)
{
    // The middle of the slot, clear of its edges.
    return chart->GetPoint(graph, DayStart() + (minute + 0.5) * OneMinute);
}

bool SlotFilled(const TLevelGraph *chart, int graph, int minute)
{
    return SlotValue(chart, graph, minute) != -1;
}
