#include "TestMain.h"
#include "ViewsTestKit.h"
#include "app/FrameTestKit.h"
#include "app/Main.h"
#include "views/LogView.h"
#include "views/SvodTable.h"

#include <QAction>
#include <QApplication>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>

using namespace ViewsTestKit;

// The frame's print menu reaches the journal's and the summary's previews.
class TestPrintActions : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(EmptyTables()); }

    void printMenuOpensPreview_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("orientation");
        QTest::newRow("journal") << "ActionPrintGCWorkReg" << int(QPageLayout::Portrait);
        QTest::newRow("summary") << "ActionPrintSvodTable" << int(QPageLayout::Landscape);
    }
    void printMenuOpensPreview()
    {
        QFETCH(QString, action);
        QFETCH(int, orientation);
        FrameUnderTest frame;
        TFormLogView journal(frame.get());
        TFormSvodTable summary(frame.get());
        auto *print = frame->findChild<QAction *>(action);
        QVERIFY(print);
        QVERIFY(print->isEnabled());
        QString shown;
        int shownOrientation = -1;
        QTimer::singleShot(0, [&] {
            if (auto *dialog =
                    qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                shown = dialog->objectName();
                shownOrientation = int(dialog->printer()->pageLayout().orientation());
                dialog->close();
            }
        });
        print->trigger();
        QCOMPARE(shown, QStringLiteral("GridPrintPreview"));
        QCOMPARE(shownOrientation, orientation);
    }
};

TALMER_TEST(TestPrintActions)
#include "TestPrintActions.moc"
