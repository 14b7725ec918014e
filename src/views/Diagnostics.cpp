#include "Diagnostics.h"

#include "app/Connection.h"
#include "app/EventLog.h"
#include "app/LinkHistory.h"
#include "app/Main.h"
#include "base/Formats.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

TFormDiagnostics *FormDiagnostics = nullptr;

namespace {

const QString TimePattern = QStringLiteral("dd.mm.yyyy hh:nn:ss");

QTableWidget *MakeGrid(QWidget *parent, const QString &name, const QStringList &titles)
{
    auto *grid = new QTableWidget(0, int(titles.size()), parent);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels(titles);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

// Times and titles on one line each; the last column takes the rest of the width.
void FitColumns(QTableWidget *grid)
{
    for (int column = 0; column + 1 < grid->columnCount(); ++column)
        grid->resizeColumnToContents(column);
}

void SetRow(QTableWidget *grid, int row, const QStringList &cells)
{
    for (int column = 0; column < cells.size(); ++column)
        grid->setItem(row, column, new QTableWidgetItem(cells[column]));
}

// "hh:nn:ss" of a span of days; spans of a day or more start with the days.
QString Duration(TMoment days)
{
    const qint64 seconds = qRound64(days * 86400);
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg(seconds / 3600 % 24, 2, 10, QLatin1Char('0'))
                              .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                              .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return seconds >= 86400 ? QStringLiteral("%1 сут. ").arg(seconds / 86400) + clock : clock;
}

void ShowOutages(QTableWidget *grid, const TLinkHistory &history)
{
    const QList<TLinkOutage> &outages = history.Outages();
    grid->setRowCount(int(outages.size()));
    const TMoment now = Now();
    for (int i = 0; i < outages.size(); ++i) {
        const TLinkOutage &outage = outages[outages.size() - 1 - i]; // newest first
        const bool down = outage.Back == 0;
        SetRow(grid, i,
               {FormatDateTime(TimePattern, outage.Lost),
                down ? QStringLiteral("—") : FormatDateTime(TimePattern, outage.Back),
                down ? QStringLiteral("идёт ") + Duration(now - outage.Lost)
                     : Duration(outage.Back - outage.Lost),
                outage.Server});
    }
    FitColumns(grid);
}

QString LinkText(const QString &role, const QString &server, const TLinkHistory &history)
{
    return QStringLiteral("%1: %2, связь %3")
        .arg(role, server, history.Down() ? QStringLiteral("потеряна") : QStringLiteral("есть"));
}

} // namespace

TFormDiagnostics::TFormDiagnostics(QWidget *parent)
    : TFormDiagnostics(parent, EventRing(), FormMain)
{ }

TFormDiagnostics::TFormDiagnostics(QWidget *parent, TEventFIFO &ring, TFormMain *frame)
    : QWidget(parent)
    , FRing(ring)
    , FFrame(frame)
{
    if (!FormDiagnostics)
        FormDiagnostics = this;
    setObjectName(QStringLiteral("FormDiagnostics"));
    setWindowTitle(QStringLiteral("Диагностика"));
    LabelServer = new QLabel(this);
    LabelServer->setObjectName(QStringLiteral("LabelServer"));
    LabelWriteServer = new QLabel(this);
    LabelWriteServer->setObjectName(QStringLiteral("LabelWriteServer"));
    LabelLag = new QLabel(this);
    LabelLag->setObjectName(QStringLiteral("LabelLag"));
    LabelHeartbeat = new QLabel(this);
    LabelHeartbeat->setObjectName(QStringLiteral("LabelHeartbeat"));
    LabelRing = new QLabel(this);
    LabelRing->setObjectName(QStringLiteral("LabelRing"));
    GridEvents =
        MakeGrid(this, QStringLiteral("GridEvents"),
                 {QStringLiteral("Время"), QStringLiteral("Код"), QStringLiteral("Событие")});
    const QStringList outageTitles = {QStringLiteral("Связь потеряна"),
                                      QStringLiteral("Восстановлена"),
                                      QStringLiteral("Длительность"), QStringLiteral("Сервер")};
    GridOutages = MakeGrid(this, QStringLiteral("GridOutages"), outageTitles);
    FWriteBox = new QWidget(this);
    GridWriteOutages = MakeGrid(FWriteBox, QStringLiteral("GridWriteOutages"), outageTitles);
    auto *writeLayout = new QVBoxLayout(FWriteBox);
    writeLayout->setContentsMargins(0, 0, 0, 0);
    writeLayout->addWidget(LabelWriteServer);
    writeLayout->addWidget(
        new QLabel(QStringLiteral("История связи с основным сервером (запись):"), FWriteBox));
    writeLayout->addWidget(GridWriteOutages);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelServer);
    layout->addWidget(LabelLag);
    layout->addWidget(LabelHeartbeat);
    layout->addWidget(new QLabel(QStringLiteral("История связи с сервером чтения:"), this));
    layout->addWidget(GridOutages, 1);
    layout->addWidget(FWriteBox, 1);
    layout->addWidget(LabelRing);
    layout->addWidget(GridEvents, 2);

    TimerRefresh = new QTimer(this);
    TimerRefresh->setObjectName(QStringLiteral("TimerRefresh"));
    TimerRefresh->setInterval(1000);
    connect(TimerRefresh, &QTimer::timeout, this, &TFormDiagnostics::Refresh);
    Refresh();
}

void TFormDiagnostics::Refresh()
{
    ShowLink();
    ShowEvents();
}

void TFormDiagnostics::ShowLink()
{
    if (!FFrame) {
        LabelServer->setText(QStringLiteral("Сервер: нет главного окна"));
        LabelHeartbeat->clear();
        LabelLag->clear();
        FWriteBox->hide();
        GridOutages->setRowCount(0);
        return;
    }
    const bool replicated = FFrame->Replicated();
    LabelServer->setText(LinkText(replicated ? QStringLiteral("Чтение") : QStringLiteral("Сервер"),
                                  FFrame->ReadServer(), FFrame->LinkHistory()));
    ShowOutages(GridOutages, FFrame->LinkHistory());
    FWriteBox->setVisible(replicated);
    LabelLag->setVisible(replicated);
    if (replicated) {
        LabelWriteServer->setText(
            LinkText(QStringLiteral("Запись"), FFrame->Settings.Comp, FFrame->WriteLinkHistory()));
        ShowOutages(GridWriteOutages, FFrame->WriteLinkHistory());
        ShowLag();
    }
    const std::optional<double> age = FFrame->HeartbeatAge();
    LabelHeartbeat->setText(
        age ? QStringLiteral("Последний сигнал жизни сервера сбора данных: %1 с назад")
                  .arg(QString::number(*age, 'f', 0))
            : QStringLiteral("Сигнал жизни сервера сбора данных ещё не прочитан"));
}

void TFormDiagnostics::ShowLag()
{
    if (FFrame->ReadServer() == FFrame->Settings.Comp) {
        LabelLag->setText(QStringLiteral("Чтение идёт с основного сервера"));
        return;
    }
    const std::optional<double> lag = FFrame->ReplicaLag();
    LabelLag->setText(lag ? QStringLiteral("Отставание реплики от основного сервера: %1 с")
                                .arg(QString::number(*lag, 'f', 0))
                          : QStringLiteral("Отставание реплики неизвестно: %1").arg(NoPrimaryLink));
}

void TFormDiagnostics::ShowEvents()
{
    // Nothing takes events out of the ring, so its records stand in slots 0 .. count - 1 in the
    // order they were posted.
    const int count = FRing.Count();
    const bool full = count >= FRing.Capacity();
    LabelRing->setText(
        QStringLiteral("События фоновых процедур: %1 из %2").arg(count).arg(FRing.Capacity())
        + (full ? QStringLiteral(" — кольцо заполнено, новые события не "
                                 "сохраняются")
                : QString()));
    GridEvents->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const TEventFIFO_Rec &record = FRing.Record(count - 1 - row);
        SetRow(GridEvents, row,
               {FormatDateTime(TimePattern, record.Moment), QString::number(record.Code),
                record.Text});
    }
    FitColumns(GridEvents);
}

void TFormDiagnostics::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Refresh();
    TimerRefresh->start();
}

void TFormDiagnostics::hideEvent(QHideEvent *event)
{
    TimerRefresh->stop();
    QWidget::hideEvent(event);
}
