#pragma once

#include "app/Connection.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlTableModel;
class QStyledItemDelegate;
class QTabWidget;
class QTableView;
class QTimer;
class QToolButton;
class TOutField;

// The configuration dialog: shift calendar, database credentials and exit behaviour ("Общие"),
// the plant constants of the table setup ("Константы"), the colours of the diagram's groups and
// the interactive setup mode ("Оформление"). Created at start-up, shown modally by ActionConfig.
class TFormConfig : public QDialog
{
    Q_OBJECT

public:
    // Loads the colour sets and the label font from the main frame's settings file and makes
    // FormMain->ActionConfig show the dialog.
    explicit TFormConfig(QWidget *parent = nullptr);
    ~TFormConfig() override;

    // --- page "Общие"
    void ButIncHoutClick();
    void ButDecHourClick();
    void ButIncDayClick();
    void ButDecDayClick();
    void ButApplyGeneralPageClick();
    void ButMySQL_TestClick();

    // The test tries the server and then each read server in turn; it ends later, when the last
    // has answered or failed to.
    bool TestRunning() const;

    // --- page "Константы"
    // Sends the pending changes of the grid to the server. A change the server refuses (or a row
    // without a name) is reported with the reason and stays in the grid, marked, so nothing typed
    // is lost; false then. A new row on which nothing was typed is dropped, not sent.
    bool PostConstants();
    // Drops the pending change of the current row (a new row goes away).
    void CancelConstant();

    // --- page "Оформление"
    // Opens the colour dialog for the swatch with that number (10·(i+1) running, +1 stopped).
    void SwatchClick(int number);
    void ButApplyNewColorsClick();

    QTabWidget *PageControl;
    QWidget *TabGeneral;
    QWidget *TabConstants;
    QWidget *TabColors;

    QLabel *StartChangeLabel;
    QLabel *StartChangeDayLabel;
    QPushButton *ButDecHour;
    QPushButton *ButIncHout;
    QPushButton *ButDecDay;
    QPushButton *ButIncDay;
    QPushButton *ButApplyGeneralPage;
    QLineEdit *EditMySQL_Host;
    QLineEdit *EditMySQL_ReadFrom;
    QLineEdit *EditMySQL_Login;
    QLineEdit *EditMySQL_Password;
    QCheckBox *CheckBoxSavePassword;
    QPushButton *ButMySQL_Test;
    QCheckBox *CheckBoxShutdownOnExit;

    QToolButton *NavFirst;
    QToolButton *NavPrior;
    QToolButton *NavNext;
    QToolButton *NavLast;
    QToolButton *NavInsert;
    QToolButton *NavDelete;
    QToolButton *NavCancel;
    QPushButton *ButSaveConstants;
    QLabel *LabelNoLink;
    QTableView *DBGridConstants;
    QLabel *LabelConstantsReadOnly; // shown while Comp does not answer and a replica does
    QSqlTableModel *SQLClientDataSetSetup = nullptr;

    // Index i: running swatch (number 10·(i+1)) and stopped swatch (number 10·(i+1) + 1).
    std::array<TOutField *, 9> SwatchesOn;
    std::array<TOutField *, 9> SwatchesOff;
    QPushButton *ButApplyNewColors;
    QPushButton *ButColorConfigOn;
    QPushButton *ButColorConfigOff;

    QPushButton *ButClose;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    QWidget *CreateGeneralPage();
    QWidget *CreateConstantsPage();
    QWidget *CreateColorsPage();
    void PageChanged(int index);
    void FillGeneralPage();
    void ShowCalendar();
    void PaintSwatches();
    void BindConstantsModel();
    void OpenConstants();
    void MoveToRow(int row);
    void LeaveConstantRow(int left, const QModelIndex &current);
    void DropUntouchedRows();
    void InsertConstant();
    void DeleteConstant();
    void ShowLinkState();
    QString SettingsPath() const;
    void StartNextTest();
    void TestConnectionFinished(bool opened);

    int FHour = 7; // working hour
    int FDay = 0; // displayed day increment
    bool FPosting = false;
    bool FClosing = false;
    bool FMoving = false; // the dialog moves the cursor itself: no post for it
    bool FLinkShown = true; // the link state the constants page shows
    // Columns of the copy, found by name (-1 when the table lacks one).
    int FColName = -1;
    int FColValue = -1;
    int FColComment = -1;
    QStyledItemDelegate *FNumberDelegate = nullptr;
    QStringList FTestQueue; // servers still to try
    QStringList FTestLines; // one outcome per server tried
    bool FTestFailed = false;
    TSQLConnection FTestConnection;
    TConnectionOpener *FTestOpener;
    QTimer *FLinkWatch; // follows the link while the dialog is shown
};

extern TFormConfig *FormConfig;
