#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "ViewsTestKit.h"
#include "app/Connection.h"
#include "app/DayFollower.h"
#include "app/FreshnessLabel.h"
#include "app/Main.h"
#include "views/DataGrid.h"
#include "views/LogView.h"
#include "views/SvodTable.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QSignalSpy>
#include <QTest>

using namespace ViewsTestKit;

namespace {

// 00:38 on 11 May: the night shift of the working day of 10 May is under way.
const TMoment Night = EncodeMoment(2026, 5, 11, 0, 38);
const TMoment Morning = EncodeMoment(2026, 5, 11, 7, 0, 30);

// The journal or the summary as the frame made it, and what it shows of the data.
struct TView
{
    QWidget *Window = nullptr;
    QAction *Action = nullptr;
    QDateEdit *Picker = nullptr;
    TFreshnessLabel *Freshness = nullptr;
    TDayFollower *Follower = nullptr;
    std::unique_ptr<QSignalSpy> Loads;

    // The journal's texts, or the summary's total work time of the day row.
    QString Shown() const
    {
        if (auto *journal = qobject_cast<TFormLogView *>(Window)) {
            QStringList texts;
            for (int row = 0; row < journal->Grid->Model()->rowCount(); ++row)
                texts << journal->Grid->Model()->DisplayText(row, 1);
            return texts.join(QLatin1Char(','));
        }
        const TGridModel *model = static_cast<TFormSvodTable *>(Window)->Grid->Model();
        return model->rowCount() == 4 ? model->DisplayText(2, 3).trimmed() : QString();
    }
};

template<class TForm, class TSignal>
TView MakeView(TFormMain *frame, QAction *action, TSignal loaded)
{
    TView view;
    auto *form = static_cast<TForm *>(frame->RoutedChild(action));
    view.Window = form;
    view.Action = action;
    view.Picker = form->DateTimePicker1;
    view.Freshness = form->LabelFreshness;
    view.Follower = form->Follower();
    view.Loads = std::make_unique<QSignalSpy>(form, loaded);
    return view;
}

TView View(TFormMain *frame, const QString &name)
{
    return name == QLatin1String("journal")
        ? MakeView<TFormLogView>(frame, frame->ActionWorkLog, &TFormLogView::Loaded)
        : MakeView<TFormSvodTable>(frame, frame->ActionSvodTable, &TFormSvodTable::Reloaded);
}

// Journal rows and process records: the night shift of 10 May up to 00:38, and the first minute
// of 11 May's day shift, shown once the clock has moved on.
bool AddShiftRecords()
{
    bool ok = AddJournalRow(EncodeMoment(2026, 5, 10, 20), QStringLiteral("night 20:00"))
        && AddJournalRow(EncodeMoment(2026, 5, 11, 0, 30), QStringLiteral("night 00:30"))
        && AddJournalRow(EncodeMoment(2026, 5, 11, 7, 0, 10), QStringLiteral("day 07:00"));
    for (int minute = 0; minute < 5; ++minute)
        ok = ok && AddRecord(EncodeMoment(2026, 5, 10, 19, minute), 1, 1);
    return ok && AddRecord(EncodeMoment(2026, 5, 11, 0, 30), 1, 0)
        && AddRecord(EncodeMoment(2026, 5, 11, 7, 0, 10), 1, 1);
}

} // namespace

// The journal and the summary follow the working day that holds the present.
class TestWorkingDay : public QObject
{
    Q_OBJECT

    std::unique_ptr<FrameUnderTest> frame;

    // The frame with both windows, shown at the given moment; nothing pressed.
    void StartAt(TMoment now)
    {
        SetNowOverride(now);
        frame = std::make_unique<FrameUnderTest>();
        AddViewWindows(frame->get());
        frame->get()->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame->get()));
    }

    // What the operator does: a click on the window's date picker, then the key to whatever has
    // the focus.
    static void PressOnPicker(const TView &view, Qt::Key key)
    {
        // Into the text, as the real pointer would: the child under it takes the click.
        const QPoint at(8, view.Picker->height() / 2);
        QWidget *under = view.Picker->childAt(at);
        QVERIFY(under);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(view.Picker, at));
        QTest::keyClick(QApplication::focusWidget(), key);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { QVERIFY(EmptyTables()); }
    void cleanup()
    {
        frame.reset();
        ResetSettings();
    }

    void windows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("night");
        QTest::addColumn<QString>("day");
        QTest::newRow("journal") << "journal"
                                 << "night 20:00,night 00:30"
                                 << "day 07:00";
        QTest::newRow("summary") << "summary"
                                 << "00:06"
                                 << "00:01";
    }

    void nightShownAtOnceAndMorningMovesOn_data() { windows_data(); }
    void nightShownAtOnceAndMorningMovesOn()
    {
        QFETCH(QString, window);
        QFETCH(QString, night);
        QFETCH(QString, day);
        QVERIFY(AddShiftRecords());
        StartAt(Night);
        TView view = View(frame->get(), window);
        QCOMPARE(view.Picker->date(), QDate(2026, 5, 10));
        QCOMPARE(view.Shown(), night);
        QCOMPARE(view.Freshness->text(), QStringLiteral("Обновлено в 00:38:00"));

        // 07:00: the next working day, loaded once.
        SetNowOverride(Morning);
        QVERIFY(view.Follower->Check());
        QVERIFY(!view.Follower->Check());
        QCOMPARE(view.Loads->count(), 1);
        QCOMPARE(view.Picker->date(), QDate(2026, 5, 11));
        QCOMPARE(view.Shown(), day);
        QCOMPARE(view.Freshness->text(), QStringLiteral("Обновлено в 07:00:30"));
    }

    // Enter reloads the window a function key brought forward, wherever the focus was before.
    void enterAfterTheFunctionKeyReloads_data() { windows_data(); }
    void enterAfterTheFunctionKeyReloads()
    {
        QFETCH(QString, window);
        StartAt(Night);
        TFormMain *main = frame->get();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        const TView view = View(main, window);
        const TView before = View(main, window == QLatin1String("journal") ? "summary" : "journal");
        auto press = [main](const TView &shown) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : main, shown.Action->shortcut()[0].key());
        };
        press(before);
        press(view);
        QCOMPARE(main->CurrentChild(), view.Window);
        const qsizetype loads = view.Loads->count();
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(view.Loads->count(), loads + 1);
    }

    void chosenDateStays_data() { windows_data(); }
    void chosenDateStays()
    {
        QFETCH(QString, window);
        QFETCH(QString, night);
        QVERIFY(AddShiftRecords());
        StartAt(Night);
        TView view = View(frame->get(), window);
        // The operator steps back a day and loads it.
        PressOnPicker(view, Qt::Key_Down);
        QCOMPARE(view.Picker->date(), QDate(2026, 5, 9));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(view.Loads->count(), 1);
        QCOMPARE(view.Freshness->text(), QStringLiteral("Нет записей за выбранный период"));

        SetNowOverride(Morning);
        QVERIFY(!view.Follower->Check());
        QCOMPARE(view.Picker->date(), QDate(2026, 5, 9));
        QCOMPARE(view.Loads->count(), 1);

        // "Текущие сутки" brings him back to the present, following again.
        QAction *current = nullptr;
        for (QAction *action : view.Picker->actions())
            if (action->text() == QStringLiteral("Текущие сутки"))
                current = action;
        QVERIFY(current);
        current->trigger();
        QCOMPARE(view.Picker->date(), QDate(2026, 5, 11));
        QCOMPARE(view.Loads->count(), 2);
        QVERIFY(view.Follower->Following());
    }

    void freshness_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<bool>("records");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("error");
        for (const QString window : {"journal", "summary"}) {
            QTest::addRow("%s loaded", qPrintable(window))
                << window << true << true << "Обновлено в 00:38:00" << false;
            QTest::addRow("%s empty", qPrintable(window))
                << window << true << false << "Нет записей за выбранный период" << false;
            QTest::addRow("%s link down", qPrintable(window))
                << window << false << true
                << "Данные не загружены: нет связи с сервером базы данных" << true;
        }
    }
    void freshness()
    {
        QFETCH(QString, window);
        QFETCH(bool, linkUp);
        QFETCH(bool, records);
        QFETCH(QString, text);
        QFETCH(bool, error);
        RecordingFeedback feedback;
        if (records)
            QVERIFY(AddShiftRecords());
        StartAt(Night);
        frame->get()->TimerRefreshState->stop(); // a closed link stays closed
        TView view = View(frame->get(), window);
        const QColor normal = view.Freshness->palette().color(QPalette::WindowText);
        if (!linkUp)
            SQLConnection1().Close();
        view.Action->trigger();
        PressOnPicker(view, Qt::Key_Return);
        QCOMPARE(view.Freshness->text(), text);
        QCOMPARE(view.Freshness->palette().color(QPalette::WindowText) != normal, error);
        QVERIFY(view.Freshness->isVisible());
        QVERIFY(view.Freshness->geometry().bottom() < view.Freshness->parentWidget()->height());
    }
};

TALMER_TEST(TestWorkingDay)
#include "TestWorkingDay.moc"
