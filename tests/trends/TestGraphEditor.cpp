#include "RecordingFeedback.h"
#include "TestMain.h"
#include "charts/LevelGraph.h"
#include "trends/GraphEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

void TypeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Runs EditChartSettings and plays the operator's part on the dialog once it is up.
bool RunDialog(QWidget *chart, const std::function<void(TFormEditGraph &)> &operatorPart)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<TFormEditGraph *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = true;
        operatorPart(*dialog);
        if (dialog->isVisible()) // the script did not close it: do not hang the test
            dialog->reject();
    });
    EditChartSettings(chart);
    return shown;
}

} // namespace

// The chart settings dialog driven with real typing and clicks.
class TestGraphEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<TLevelGraph> NewChart()
    {
        auto chart = std::make_unique<TLevelGraph>();
        chart->SetYMax(500);
        chart->SetYMin(0);
        chart->SetYLabelStep(100);
        chart->SetRightYMin(5);
        chart->SetRightScaleStep(7);
        return chart;
    }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void opensWithAutomaticEditsHidden()
    {
        auto chart = NewChart();
        chart->SetAutoYMax(true);
        bool checked = false;
        QVERIFY(RunDialog(chart.get(), [&](TFormEditGraph &dialog) {
            checked = true;
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Параметры шкалы графика"));
            QVERIFY(dialog.EditYMin->isVisible());
            QVERIFY(!dialog.EditYMax->isVisible());
            QVERIFY(!dialog.EditRightYMin->isVisible());
            QCOMPARE(dialog.EditYMin->text(), QStringLiteral("0"));
            QCOMPARE(dialog.EditYLabelStep->text(), QStringLiteral("100"));
            QTest::mouseClick(dialog.CheckBoxAutoYMax, Qt::LeftButton, {},
                              QPoint(4, dialog.CheckBoxAutoYMax->height() / 2));
            QVERIFY(dialog.EditYMax->isVisible());
            QTest::mouseClick(dialog.CheckBoxShowRightScale, Qt::LeftButton, {},
                              QPoint(4, dialog.CheckBoxShowRightScale->height() / 2));
            QVERIFY(dialog.EditRightYMin->isVisible());
            QVERIFY(dialog.EditRightScaleStep->isVisible());
            QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
        }));
        QVERIFY(checked);
        QVERIFY(chart->GetAutoYMax()); // cancelled: nothing applied
        QVERIFY(!chart->GetShowRightScale());
    }

    void apply_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("minText");
        QTest::addColumn<QString>("maxText");
        QTest::addColumn<QString>("stepText");
        QTest::addColumn<double>("expMin");
        QTest::addColumn<double>("expMax");
        QTest::addColumn<double>("expStep");
        QTest::addColumn<bool>("switchesApplied");
        QTest::addColumn<bool>("error");
        QTest::newRow("all good") << "C"
                                  << "10"
                                  << "200"
                                  << "50" << 10.0 << 200.0 << 50.0 << true << false;
        QTest::newRow("max below min pulls min") << "C"
                                                 << "100"
                                                 << "50"
                                                 << "10" << 49.999 << 50.0 << 10.0 << true << false;
        QTest::newRow("letter in step keeps min and max")
            << "C"
            << "10"
            << "200"
            << "1a" << 10.0 << 200.0 << 100.0 << false << true;
        QTest::newRow("letter in min applies nothing")
            << "C"
            << "x"
            << "200"
            << "50" << 0.0 << 500.0 << 100.0 << false << true;
        QTest::newRow("locale comma accepted") << "ru_RU"
                                               << "12,5"
                                               << "200"
                                               << "50" << 12.5 << 200.0 << 50.0 << true << false;
        QTest::newRow("point refused where comma is the separator")
            << "ru_RU"
            << "12.5"
            << "200"
            << "50" << 0.0 << 500.0 << 100.0 << false << true;
    }
    void apply()
    {
        QFETCH(QString, locale);
        QFETCH(QString, minText);
        QFETCH(QString, maxText);
        QFETCH(QString, stepText);
        QFETCH(double, expMin);
        QFETCH(double, expMax);
        QFETCH(double, expStep);
        QFETCH(bool, switchesApplied);
        QFETCH(bool, error);
        QLocale::setDefault(QLocale(locale));
        RecordingFeedback feedback;
        auto chart = NewChart();
        QVERIFY(RunDialog(chart.get(), [&](TFormEditGraph &dialog) {
            TypeInto(dialog.EditYMin, minText);
            TypeInto(dialog.EditYMax, maxText);
            TypeInto(dialog.EditYLabelStep, stepText);
            QTest::mouseClick(dialog.CheckBoxAutoYScale, Qt::LeftButton, {},
                              QPoint(4, dialog.CheckBoxAutoYScale->height() / 2));
            QVERIFY(!dialog.EditYLabelStep->isVisible());
            QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
        }));
        QVERIFY(qAbs(chart->GetYMin() - expMin) < 1e-9);
        QVERIFY(qAbs(chart->GetYMax() - expMax) < 1e-9);
        QCOMPARE(chart->GetYLabelStep(), expStep);
        QCOMPARE(chart->GetAutoYScale(), switchesApplied);
        QCOMPARE(chart->GetRightYMin(), 5.0);
        QCOMPARE(feedback.messages.size(), error ? 1 : 0);
        if (error) {
            QCOMPARE(feedback.lastText(), QStringLiteral("Правильно вводите числа."));
            QCOMPARE(feedback.messages.last().caption, QStringLiteral("Ошибка"));
            QCOMPARE(feedback.messages.last().icon, TMsgIcon::Error);
        }
    }

    void enterAcceptsRightScale()
    {
        auto chart = NewChart();
        chart->SetShowRightScale(true);
        QVERIFY(RunDialog(chart.get(), [&](TFormEditGraph &dialog) {
            QVERIFY(dialog.EditRightYMin->isVisible());
            TypeInto(dialog.EditRightYMin, QStringLiteral("-3"));
            TypeInto(dialog.EditRightScaleStep, QStringLiteral("0.5"));
            QTest::keyClick(dialog.EditRightScaleStep, Qt::Key_Return);
        }));
        QCOMPARE(chart->GetRightYMin(), -3.0);
        QCOMPARE(chart->GetRightScaleStep(), 0.5);
        QVERIFY(chart->GetShowRightScale());
    }

    void onlyTrendChartsOpenIt()
    {
        QWidget notAChart;
        QVERIFY(!RunDialog(&notAChart, [](TFormEditGraph &) {}));
        QVERIFY(!RunDialog(nullptr, [](TFormEditGraph &) {}));
    }
};

TALMER_TEST(TestGraphEditor)
#include "TestGraphEditor.moc"
