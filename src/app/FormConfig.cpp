#include "app/FormConfig.h"

#include "app/Global.h"
#include "app/GroupColours.h"
#include "app/Layout.h"
#include "app/Main.h"
#include "app/Paths.h"
#include "app/Pickers.h"
#include "app/ReadRoute.h"
#include "base/Feedback.h"
#include "elements/OutField.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

TFormConfig *FormConfig = nullptr;

namespace {

const QString NameRequired = QStringLiteral("Не заполнено краткое имя константы.");
const QString NotStored = QStringLiteral("Изменения констант не сохранены на сервере:\n");
const QString NoLinkReason = QStringLiteral("нет связи с сервером.");
const QString NoLink =
    QStringLiteral("Нет связи с сервером: константы недоступны, пока связь не восстановится.");
const QString ConstantsCaption = QStringLiteral("Константы");
const QString DropQuestion = QStringLiteral("Изменения констант не сохранены на сервере.\n"
                                            "Отказаться от несохранённых изменений?");
const QString DeleteQuestion = QStringLiteral("Удалить константу «%1»?");
const QString WrongNumber = QStringLiteral("Правильно вводите числа.");
constexpr int LinkWatchInterval = 500; // ms

// The constants copy; rows whose changes are not on the server yet are shown tinted, so the grid
// never passes an unsaved change off as stored.
class TConstantsModel : public QSqlTableModel
{
public:
    using QSqlTableModel::QSqlTableModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::BackgroundRole && index.isValid() && isDirty(index))
            return QColor(255, 224, 160);
        return QSqlTableModel::data(index, role);
    }
};

// Values are typed as numbers of the workstation's locale (a point is taken as well).
class TNumberDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        return new QLineEdit(parent);
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        const QVariant value = index.data(Qt::EditRole);
        static_cast<QLineEdit *>(editor)->setText(
            value.isNull() ? QString() : QLocale().toString(value.toDouble(), 'g', 15));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        const QString text = static_cast<QLineEdit *>(editor)->text().trimmed();
        if (text.isEmpty()) {
            model->setData(index, QVariant());
            return;
        }
        bool ok = false;
        double value = QLocale().toDouble(text, &ok);
        if (!ok)
            value = QLocale::c().toDouble(text, &ok);
        if (!ok) {
            ShowError(WrongNumber);
            return;
        }
        model->setData(index, value);
    }
};

// The password is masked with "$".
class TDollarMaskStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '$';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QPushButton *MakeButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QToolButton *MakeNavButton(const QString &name, QStyle::StandardPixmap icon, const QString &hint,
                           QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(hint);
    return button;
}

} // namespace

TFormConfig::TFormConfig(QWidget *parent)
    : QDialog(parent)
    , FTestConnection(QStringLiteral("FormConfigTest"))
    , FTestOpener(new TConnectionOpener(FTestConnection, this))
    , FLinkWatch(new QTimer(this))
{
    connect(FTestOpener, &TConnectionOpener::Finished, this, &TFormConfig::TestConnectionFinished);
    if (!FormConfig)
        FormConfig = this;
    setObjectName(QStringLiteral("FormConfig"));
    setWindowTitle(QStringLiteral("Конфигурация программы"));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl1"));
    TabGeneral = CreateGeneralPage();
    TabConstants = CreateConstantsPage();
    TabColors = CreateColorsPage();
    PageControl->addTab(TabGeneral, QStringLiteral("Общие"));
    PageControl->addTab(TabConstants, QStringLiteral("Константы"));
    PageControl->addTab(TabColors, QStringLiteral("Оформление"));
    connect(PageControl, &QTabWidget::currentChanged, this, &TFormConfig::PageChanged);

    ButClose = MakeButton(QStringLiteral("ButClose"), QStringLiteral("Закрыть"), this);
    connect(ButClose, &QPushButton::clicked, this, &QDialog::accept);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ButClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(bottom);

    LoadGroupColours(SettingsPath());
    if (FormMain) {
        FormMain->ActionConfig->setEnabled(true);
        connect(FormMain->ActionConfig, &QAction::triggered, this, [this] { exec(); });
    }
}

TFormConfig::~TFormConfig()
{
    if (FormConfig == this)
        FormConfig = nullptr;
}

QString TFormConfig::SettingsPath() const
{
    return FormMain ? FormMain->SettingsPath() : SettingsFilePath();
}

// --- page "Общие"

QWidget *TFormConfig::CreateGeneralPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheetGeneral"));

    auto *shift = new QGroupBox(QStringLiteral("Начало смены"), page);
    StartChangeLabel = new QLabel(shift);
    StartChangeLabel->setObjectName(QStringLiteral("StartChangeLabel"));
    StartChangeDayLabel = new QLabel(shift);
    StartChangeDayLabel->setObjectName(QStringLiteral("StartChangeDayLabel"));
    for (QLabel *display : {StartChangeLabel, StartChangeDayLabel}) {
        display->setAlignment(Qt::AlignCenter);
        display->setMinimumWidth(60);
        display->setFrameShape(QFrame::Panel);
        display->setFrameShadow(QFrame::Sunken);
    }
    ButDecHour = MakeButton(QStringLiteral("ButDecHour"), QStringLiteral("<"), shift);
    ButIncHout = MakeButton(QStringLiteral("ButIncHout"), QStringLiteral(">"), shift);
    ButDecDay = MakeButton(QStringLiteral("ButDecDay"), QStringLiteral("<"), shift);
    ButIncDay = MakeButton(QStringLiteral("ButIncDay"), QStringLiteral(">"), shift);
    for (QPushButton *button : {ButDecHour, ButIncHout, ButDecDay, ButIncDay})
        button->setFixedWidth(32);
    auto *shiftGrid = new QGridLayout(shift);
    shiftGrid->addWidget(new QLabel(QStringLiteral("Часы:"), shift), 0, 0);
    shiftGrid->addWidget(ButDecHour, 0, 1);
    shiftGrid->addWidget(StartChangeLabel, 0, 2);
    shiftGrid->addWidget(ButIncHout, 0, 3);
    shiftGrid->addWidget(new QLabel(QStringLiteral("Дни:"), shift), 1, 0);
    shiftGrid->addWidget(ButDecDay, 1, 1);
    shiftGrid->addWidget(StartChangeDayLabel, 1, 2);
    shiftGrid->addWidget(ButIncDay, 1, 3);
    shiftGrid->setColumnStretch(4, 1);
    connect(ButIncHout, &QPushButton::clicked, this, &TFormConfig::ButIncHoutClick);
    connect(ButDecHour, &QPushButton::clicked, this, &TFormConfig::ButDecHourClick);
    connect(ButIncDay, &QPushButton::clicked, this, &TFormConfig::ButIncDayClick);
    connect(ButDecDay, &QPushButton::clicked, this, &TFormConfig::ButDecDayClick);

    ButApplyGeneralPage = MakeButton(QStringLiteral("ButApplyGeneralPage"),
                                     QStringLiteral("Принять изменения"), page);
    connect(ButApplyGeneralPage, &QPushButton::clicked, this,
            &TFormConfig::ButApplyGeneralPageClick);

    auto *sql = new QGroupBox(QStringLiteral("Связь с SQL сервером"), page);
    EditMySQL_Host = new QLineEdit(sql);
    EditMySQL_Host->setObjectName(QStringLiteral("EditMySQL_Host"));
    EditMySQL_ReadFrom = new QLineEdit(sql);
    EditMySQL_ReadFrom->setObjectName(QStringLiteral("EditMySQL_ReadFrom"));
    EditMySQL_ReadFrom->setPlaceholderText(
        QStringLiteral("реплика[:порт], ... (пусто: всё с сервера)"));
    EditMySQL_ReadFrom->setToolTip(
        QStringLiteral("Серверы для чтения данных через запятую, в порядке предпочтения; "
                       "задания и константы всегда идут на адрес сервера"));
    EditMySQL_Login = new QLineEdit(sql);
    EditMySQL_Login->setObjectName(QStringLiteral("EditMySQL_Login"));
    EditMySQL_Password = new QLineEdit(sql);
    EditMySQL_Password->setObjectName(QStringLiteral("EditMySQL_Password"));
    EditMySQL_Password->setEchoMode(QLineEdit::Password);
    auto *mask = new TDollarMaskStyle;
    mask->setParent(EditMySQL_Password);
    EditMySQL_Password->setStyle(mask);
    CheckBoxSavePassword = new QCheckBox(QStringLiteral("Запоминать пароль"), sql);
    CheckBoxSavePassword->setObjectName(QStringLiteral("CheckBoxSavePassword"));
    connect(CheckBoxSavePassword, &QCheckBox::toggled, EditMySQL_Password, &QWidget::setEnabled);
    ButMySQL_Test = MakeButton(QStringLiteral("ButMySQL_Test"),
                               QStringLiteral("Протестировать параметры MySQL соединения"), sql);
    connect(ButMySQL_Test, &QPushButton::clicked, this, &TFormConfig::ButMySQL_TestClick);
    auto *sqlGrid = new QGridLayout(sql);
    sqlGrid->addWidget(new QLabel(QStringLiteral("Адрес сервера:"), sql), 0, 0);
    sqlGrid->addWidget(EditMySQL_Host, 0, 1);
    sqlGrid->addWidget(new QLabel(QStringLiteral("Чтение с серверов:"), sql), 0, 2);
    sqlGrid->addWidget(EditMySQL_ReadFrom, 0, 3);
    sqlGrid->addWidget(new QLabel(QStringLiteral("Имя пользователя:"), sql), 1, 0);
    sqlGrid->addWidget(EditMySQL_Login, 1, 1);
    sqlGrid->addWidget(new QLabel(QStringLiteral("Пароль:"), sql), 2, 0);
    sqlGrid->addWidget(EditMySQL_Password, 2, 1);
    sqlGrid->addWidget(CheckBoxSavePassword, 3, 1);
    sqlGrid->addWidget(ButMySQL_Test, 4, 0, 1, 4);
    sqlGrid->setColumnStretch(3, 1);

    CheckBoxShutdownOnExit =
        new QCheckBox(QStringLiteral("Выключать компьютер при закрытии программы"), page);
    CheckBoxShutdownOnExit->setObjectName(QStringLiteral("CheckBoxShutdownOnExit"));

    auto *applyRow = new QHBoxLayout;
    applyRow->addStretch(1);
    applyRow->addWidget(ButApplyGeneralPage);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(shift);
    layout->addLayout(applyRow);
    layout->addWidget(sql);
    layout->addWidget(CheckBoxShutdownOnExit);
    layout->addStretch(1);
    return page;
}

void TFormConfig::ShowCalendar()
{
    StartChangeLabel->setText(QString::number(FHour) + QStringLiteral(":00"));
    StartChangeDayLabel->setText(QString::number(FDay));
}

void TFormConfig::ButIncHoutClick()
{
    FHour = FHour >= 23 ? 0 : FHour + 1;
    ShowCalendar();
}

void TFormConfig::ButDecHourClick()
{
    FHour = FHour <= 0 ? 23 : FHour - 1;
    ShowCalendar();
}

void TFormConfig::ButIncDayClick()
{
    if (FDay <= 2)
        ++FDay;
    ShowCalendar();
}

void TFormConfig::ButDecDayClick()
{
    if (FDay > 0)
        --FDay;
    ShowCalendar();
}

void TFormConfig::FillGeneralPage()
{
    if (FormMain) {
        EditMySQL_Host->setText(FormMain->Settings.Comp);
        EditMySQL_ReadFrom->setText(FormMain->Settings.ReadFrom);
        EditMySQL_Login->setText(FormMain->Settings.Login);
        CheckBoxSavePassword->setChecked(FormMain->Settings.SavePassword);
    }
    EditMySQL_Password->setEnabled(CheckBoxSavePassword->isChecked());
    EditMySQL_Password->clear();
    CheckBoxShutdownOnExit->setChecked(ShutdownOnExit);
}

// Takes effect in memory only: the file is written at exit, the open link is left as it is.
void TFormConfig::ButApplyGeneralPageClick()
{
    DateIncrement = FDay;
    FirstChangeStart = FHour;
    ShutdownOnExit = CheckBoxShutdownOnExit->isChecked();
    if (!FormMain)
        return;
    TFrameSettings &settings = FormMain->Settings;
    settings.Comp = EditMySQL_Host->text();
    settings.ReadFrom = EditMySQL_ReadFrom->text().trimmed();
    settings.Login = EditMySQL_Login->text();
    settings.SavePassword = CheckBoxSavePassword->isChecked();
    if (settings.SavePassword)
        settings.Password = EditMySQL_Password->text();
}

// A connection of the dialog's own; the running links are never touched. The servers are reached
// asynchronously, one after the other, so a host that does not answer never freezes the dialog.
void TFormConfig::ButMySQL_TestClick()
{
    if (FTestOpener->Running())
        return;
    FTestQueue =
        QStringList {EditMySQL_Host->text()} + TReadRoute::ParseServers(EditMySQL_ReadFrom->text());
    FTestLines.clear();
    FTestFailed = false;
    ButMySQL_Test->setEnabled(false);
    StartNextTest();
}

void TFormConfig::StartNextTest()
{
    FTestConnection.Close();
    CopyConnection(&SQLConnection1(), &FTestConnection);
    SetConnectionParam(QStringLiteral("HostName"), FTestQueue.first(), &FTestConnection);
    SetConnectionParam(QStringLiteral("User_Name"), EditMySQL_Login->text(), &FTestConnection);
    SetConnectionParam(QStringLiteral("Password"), EditMySQL_Password->text(), &FTestConnection);
    FTestConnection.SetClientProfile(FormMain ? FormMain->Settings.Version : 5);
    FTestOpener->Start();
}

bool TFormConfig::TestRunning() const
{
    return FTestOpener->Running();
}

void TFormConfig::TestConnectionFinished(bool opened)
{
    FTestConnection.Close();
    FTestFailed = FTestFailed || !opened;
    FTestLines.append(FTestQueue.takeFirst()
                      + (opened ? QStringLiteral(": подключение установлено")
                                : QStringLiteral(": не удалось подключиться")));
    if (!FTestQueue.isEmpty()) {
        StartNextTest();
        return;
    }
    ButMySQL_Test->setEnabled(true);
    // With one server the outcome needs no list of servers.
    const QString details = FTestLines.size() > 1
        ? QStringLiteral("\n\n") + FTestLines.join(QLatin1Char('\n'))
        : QString();
    if (FTestFailed) {
        ShowError(QStringLiteral("Не удалось подключиться к MySQL серверу.") + details);
        return;
    }
    Feedback().MessageBox(QStringLiteral("Подключение к серверу успешно установлено.") + details,
                          QStringLiteral("Тест подключения"), TMsgIcon::Information, mbOK, mbOK);
}

// --- page "Константы"

QWidget *TFormConfig::CreateConstantsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheetConstants"));
    NavFirst = MakeNavButton(QStringLiteral("NavFirst"), QStyle::SP_MediaSkipBackward,
                             QStringLiteral("Первая запись"), page);
    NavPrior = MakeNavButton(QStringLiteral("NavPrior"), QStyle::SP_MediaSeekBackward,
                             QStringLiteral("Предыдущая запись"), page);
    NavNext = MakeNavButton(QStringLiteral("NavNext"), QStyle::SP_MediaSeekForward,
                            QStringLiteral("Следующая запись"), page);
    NavLast = MakeNavButton(QStringLiteral("NavLast"), QStyle::SP_MediaSkipForward,
                            QStringLiteral("Последняя запись"), page);
    NavInsert = MakeNavButton(QStringLiteral("NavInsert"), QStyle::SP_FileDialogNewFolder,
                              QStringLiteral("Добавить запись"), page);
    NavInsert->setIcon(QIcon());
    NavInsert->setText(QStringLiteral("+"));
    NavDelete = MakeNavButton(QStringLiteral("NavDelete"), QStyle::SP_DialogDiscardButton,
                              QStringLiteral("Удалить запись"), page);
    NavDelete->setIcon(QIcon());
    NavDelete->setText(QStringLiteral("−"));
    NavCancel = MakeNavButton(QStringLiteral("NavCancel"), QStyle::SP_DialogCancelButton,
                              QStringLiteral("Отменить изменения записи"), page);
    NavCancel->setIcon(QIcon());
    NavCancel->setText(QStringLiteral("×"));
    ButSaveConstants =
        MakeButton(QStringLiteral("ButSaveConstants"), QStringLiteral("Сохранить изменения"), page);
    ButSaveConstants->setToolTip(QStringLiteral("Сохранить новые константы"));
    LabelNoLink = new QLabel(NoLink, page);
    LabelNoLink->setObjectName(QStringLiteral("LabelNoLink"));
    LabelNoLink->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    LabelNoLink->hide();

    DBGridConstants = new QTableView(page);
    DBGridConstants->setObjectName(QStringLiteral("DBGridConstants"));
    FNumberDelegate = new TNumberDelegate(DBGridConstants);
    LabelConstantsReadOnly =
        new QLabel(QStringLiteral("Константы только для просмотра: %1.").arg(NoPrimaryLink), page);
    LabelConstantsReadOnly->setObjectName(QStringLiteral("LabelConstantsReadOnly"));
    LabelConstantsReadOnly->hide();
    BindConstantsModel();
    DBGridConstants->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGridConstants->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridConstants->verticalHeader()->setDefaultSectionSize(22);
    DBGridConstants->horizontalHeader()->setStretchLastSection(true);
    DBGridConstants->setMinimumSize(760, 280);

    connect(NavFirst, &QToolButton::clicked, this, [this] { MoveToRow(0); });
    connect(NavPrior, &QToolButton::clicked, this,
            [this] { MoveToRow(DBGridConstants->currentIndex().row() - 1); });
    connect(NavNext, &QToolButton::clicked, this,
            [this] { MoveToRow(DBGridConstants->currentIndex().row() + 1); });
    connect(NavLast, &QToolButton::clicked, this,
            [this] { MoveToRow(SQLClientDataSetSetup->rowCount() - 1); });
    connect(NavInsert, &QToolButton::clicked, this, &TFormConfig::InsertConstant);
    connect(NavDelete, &QToolButton::clicked, this, &TFormConfig::DeleteConstant);
    connect(NavCancel, &QToolButton::clicked, this, &TFormConfig::CancelConstant);
    connect(ButSaveConstants, &QPushButton::clicked, this, &TFormConfig::PostConstants);
    FLinkWatch->setInterval(LinkWatchInterval);
    connect(FLinkWatch, &QTimer::timeout, this, [this] {
        if (SQLConnection1().Connected() == FLinkShown)
            return;
        ShowLinkState();
        if (FLinkShown && !SQLClientDataSetSetup->isDirty())
            OpenConstants();
    });

    auto *navigator = new QHBoxLayout;
    navigator->setSpacing(2);
    for (QToolButton *button :
         {NavFirst, NavPrior, NavNext, NavLast, NavInsert, NavDelete, NavCancel}) {
        button->setFixedSize(28, 26);
        navigator->addWidget(button);
    }
    navigator->addSpacing(12);
    navigator->addWidget(ButSaveConstants);
    navigator->addStretch(1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(navigator);
    layout->addWidget(LabelNoLink);
    layout->addWidget(DBGridConstants);
    layout->addWidget(LabelConstantsReadOnly);
    return page;
}

namespace {
// The primary is out of reach while a replica serves the reads.
bool ConstantsReadOnly()
{
    return &WriteConnection() != &SQLConnection1() && !WriteConnection().Connected();
}
} // namespace

// Without the link the grid is empty and has no titles: say why, and offer nothing to do.
void TFormConfig::ShowLinkState()
{
    FLinkShown = SQLConnection1().Connected();
    LabelNoLink->setVisible(!FLinkShown);
    for (QWidget *control :
         std::initializer_list<QWidget *> {NavFirst, NavPrior, NavNext, NavLast, NavCancel})
        control->setEnabled(FLinkShown);
    // Shown from a replica, the constants cannot be changed.
    for (QWidget *control :
         std::initializer_list<QWidget *> {NavInsert, NavDelete, ButSaveConstants})
        control->setEnabled(FLinkShown && !ConstantsReadOnly());
}

// The link is opened asynchronously at start-up, after this dialog was created: the copy is bound
// to the connection once it exists.
// The constants are edited on Comp; while only a replica answers they are shown from there,
// read-only.
void TFormConfig::BindConstantsModel()
{
    const bool readOnly = ConstantsReadOnly();
    const TSQLConnection &link = readOnly ? SQLConnection1() : WriteConnection();
    LabelConstantsReadOnly->setVisible(readOnly);
    DBGridConstants->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                              : QAbstractItemView::DoubleClicked
                                             | QAbstractItemView::EditKeyPressed
                                             | QAbstractItemView::AnyKeyPressed);
    for (QWidget *edit : {static_cast<QWidget *>(NavInsert), static_cast<QWidget *>(NavDelete),
                          static_cast<QWidget *>(ButSaveConstants)})
        edit->setEnabled(!readOnly);
    if (SQLClientDataSetSetup && SQLClientDataSetSetup->database().isValid()
        && SQLClientDataSetSetup->database().connectionName() == link.Name())
        return;
    delete SQLClientDataSetSetup;
    SQLClientDataSetSetup = new TConstantsModel(this, link.Database());
    SQLClientDataSetSetup->setObjectName(QStringLiteral("SQLClientDataSetSetup"));
    SQLClientDataSetSetup->setEditStrategy(QSqlTableModel::OnManualSubmit);
    QItemSelectionModel *old = DBGridConstants->selectionModel();
    DBGridConstants->setModel(SQLClientDataSetSetup);
    delete old;
    // A record is posted when the operator leaves its row.
    connect(DBGridConstants->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (!FClosing && !FMoving && previous.isValid() && current.row() != previous.row())
                    LeaveConstantRow(previous.row(), current);
            });
}

// The columns are taken by name: the table belongs to the acquisition side, which may order them
// otherwise or add a key of its own.
void TFormConfig::OpenConstants()
{
    BindConstantsModel();
    QSqlTableModel &model = *SQLClientDataSetSetup;
    model.setTable(QStringLiteral("setup"));
    if (FColValue >= 0)
        DBGridConstants->setItemDelegateForColumn(FColValue, nullptr);
    FColName = model.fieldIndex(QStringLiteral("ConstName"));
    FColValue = model.fieldIndex(QStringLiteral("ConstVal"));
    FColComment = model.fieldIndex(QStringLiteral("Comment"));
    if (FColName >= 0)
        model.setSort(FColName, Qt::AscendingOrder);
    model.select();
    const struct
    {
        int Column;
        const char *Title;
        int Width;
    } columns[] = {
        {FColName, "Краткое имя", 140}, {FColValue, "Значение", 90}, {FColComment, "Описание", 0}};
    for (const auto &column : columns) {
        if (column.Column < 0)
            continue;
        model.setHeaderData(column.Column, Qt::Horizontal, QString::fromUtf8(column.Title));
        if (column.Width > 0)
            DBGridConstants->setColumnWidth(column.Column, column.Width);
    }
    if (FColValue >= 0)
        DBGridConstants->setItemDelegateForColumn(FColValue, FNumberDelegate);
    MoveToRow(0);
}

void TFormConfig::MoveToRow(int row)
{
    const int count = SQLClientDataSetSetup->rowCount();
    if (count == 0)
        return;
    const int column = qMax(0, DBGridConstants->currentIndex().column());
    DBGridConstants->setCurrentIndex(
        SQLClientDataSetSetup->index(qBound(0, row, count - 1), column));
}

// A refused row keeps the cursor until it is corrected or dropped, so at most one row waits for
// the server and nothing typed is sent along with a row the server refuses.
void TFormConfig::LeaveConstantRow(int left, const QModelIndex &current)
{
    const QPersistentModelIndex back = SQLClientDataSetSetup->index(left, current.column());
    if (PostConstants() || !back.isValid())
        return;
    FMoving = true;
    DBGridConstants->setCurrentIndex(back);
    FMoving = false;
}

// "+" pressed and left again without typing is no edit (a cell editor left alone writes an
// empty text).
void TFormConfig::DropUntouchedRows()
{
    QSqlTableModel &model = *SQLClientDataSetSetup;
    FMoving = true;
    for (int row = model.rowCount() - 1; row >= 0; --row) {
        if (model.headerData(row, Qt::Vertical).toString() != QLatin1String("*"))
            continue;
        bool touched = false;
        for (int column = 0; column < model.columnCount() && !touched; ++column) {
            const QVariant value = model.index(row, column).data(Qt::EditRole);
            touched = !value.isNull() && !value.toString().isEmpty();
        }
        if (!touched)
            model.revertRow(row);
    }
    FMoving = false;
}

void TFormConfig::InsertConstant()
{
    if (!PostConstants()) // the row the operator leaves
        return;
    const int row = DBGridConstants->currentIndex().isValid()
        ? DBGridConstants->currentIndex().row() + 1
        : SQLClientDataSetSetup->rowCount();
    if (!SQLClientDataSetSetup->insertRow(row))
        return;
    // The move to the new row posts nothing: its name is checked when the operator leaves it.
    const QModelIndex name = SQLClientDataSetSetup->index(row, qMax(0, FColName));
    FMoving = true;
    DBGridConstants->setCurrentIndex(name);
    FMoving = false;
    DBGridConstants->edit(name);
}

void TFormConfig::DeleteConstant()
{
    const QModelIndex current = DBGridConstants->currentIndex();
    if (!current.isValid())
        return;
    const QString name = FColName < 0
        ? QString()
        : SQLClientDataSetSetup->index(current.row(), FColName).data().toString().trimmed();
    if (!AskYesNo(DeleteQuestion.arg(name), ConstantsCaption))
        return;
    SQLClientDataSetSetup->removeRow(current.row());
    PostConstants();
}

void TFormConfig::CancelConstant()
{
    const QModelIndex current = DBGridConstants->currentIndex();
    if (!current.isValid())
        return;
    FMoving = true;
    SQLClientDataSetSetup->revertRow(current.row());
    FMoving = false;
}

bool TFormConfig::PostConstants()
{
    if (FPosting)
        return true;
    DropUntouchedRows();
    if (!SQLClientDataSetSetup->isDirty())
        return true;
    FPosting = true;
    QSqlTableModel &model = *SQLClientDataSetSetup;
    // The operator's place in the grid survives the re-reading of the copy.
    const QModelIndex current = DBGridConstants->currentIndex();
    const auto nameOf = [&model, this](int row) {
        return FColName < 0 ? QString() : model.index(row, FColName).data().toString();
    };
    const QString currentName = current.isValid() ? nameOf(current.row()) : QString();
    bool ok = true;
    for (int row = 0; row < model.rowCount() && ok && FColName >= 0; ++row) {
        const bool deleted = model.headerData(row, Qt::Vertical).toString() == QLatin1String("!");
        if (model.isDirty(model.index(row, FColName)) && !deleted
            && nameOf(row).trimmed().isEmpty()) {
            ShowError(NameRequired);
            ok = false;
        }
    }
    if (ok && !model.submitAll()) {
        ShowError(NotStored
                  + (SQLConnection1().Connected() ? model.lastError().text() : NoLinkReason));
        ok = false;
    }
    if (ok && !currentName.isEmpty()) {
        for (int row = 0; row < model.rowCount(); ++row) {
            if (nameOf(row) == currentName) {
                FMoving = true;
                DBGridConstants->setCurrentIndex(model.index(row, qMax(0, current.column())));
                FMoving = false;
                break;
            }
        }
    }
    FPosting = false;
    return ok;
}

// --- page "Оформление"

QWidget *TFormConfig::CreateColorsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheetColors"));
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    const QStringList headings {QStringLiteral("Группа компонентов"),
                                QStringLiteral("Цвет в активном режиме"),
                                QStringLiteral("Цвет в режиме выключено")};
    for (int column = 0; column < headings.size(); ++column) {
        auto *heading = new QLabel(headings[column], page);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, 0, column, column == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    for (int i = 0; i < GroupColourCount; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(GroupColourKeys[i].Caption), page), i + 1, 0);
        for (bool running : {true, false}) {
            const int number = 10 * (i + 1) + (running ? 0 : 1);
            auto *swatch = new TOutField(page);
            swatch->setObjectName(QStringLiteral("ColorSwatch%1").arg(number));
            swatch->SetTag(number);
            swatch->SetCaption(QString());
            swatch->setFixedSize(90, 20);
            swatch->setToolTip(QStringLiteral("Выбрать другой цвет..."));
            swatch->setCursor(Qt::PointingHandCursor);
            swatch->OnClick().Set([this, number](QObject *) { SwatchClick(number); }, this);
            (running ? SwatchesOn : SwatchesOff)[i] = swatch;
            grid->addWidget(swatch, i + 1, running ? 1 : 2, Qt::AlignHCenter);
        }
    }

    ButApplyNewColors =
        MakeButton(QStringLiteral("ButApplyNewColors"), QStringLiteral("Принять изменения"), page);
    connect(ButApplyNewColors, &QPushButton::clicked, this, &TFormConfig::ButApplyNewColorsClick);

    auto *mode =
        new QGroupBox(QStringLiteral("Режим интерактивной настройки других компонентов"), page);
    ButColorConfigOn =
        MakeButton(QStringLiteral("ButColorConfigOn"), QStringLiteral("Включить"), mode);
    ButColorConfigOff =
        MakeButton(QStringLiteral("ButColorConfigOff"), QStringLiteral("Выключить"), mode);
    connect(ButColorConfigOn, &QPushButton::clicked, this, [] { SetInteractiveSetup(true); });
    connect(ButColorConfigOff, &QPushButton::clicked, this, [] { SetInteractiveSetup(false); });
    auto *modeRow = new QHBoxLayout(mode);
    modeRow->addWidget(ButColorConfigOn);
    modeRow->addWidget(ButColorConfigOff);
    modeRow->addStretch(1);

    auto *applyRow = new QHBoxLayout;
    applyRow->addStretch(1);
    applyRow->addWidget(ButApplyNewColors);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addLayout(applyRow);
    layout->addWidget(mode);
    layout->addStretch(1);
    return page;
}

void TFormConfig::PaintSwatches()
{
    for (int i = 0; i < GroupColourCount; ++i) {
        SwatchesOn[i]->Brush().SetColor(OnColors[i]);
        SwatchesOff[i]->Brush().SetColor(OffColors[i]);
    }
}

void TFormConfig::SwatchClick(int number)
{
    const int index = number / 10 - 1;
    if (index < 0 || index >= GroupColourCount)
        return;
    TGroupColours &set = number % 2 == 0 ? OnColors : OffColors;
    TColor colour = set[index];
    if (!PickColour(this, colour))
        return;
    set[index] = colour;
    PaintSwatches();
}

void TFormConfig::ButApplyNewColorsClick()
{
    SaveGroupColours(SettingsPath());
    emit LayoutNotifier().ColoursAccepted();
}

// --- showing and closing

void TFormConfig::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FDay = DateIncrement;
    FHour = FirstChangeStart;
    ShowCalendar();
    OpenConstants();
    ShowLinkState();
    FLinkWatch->start();
    PageChanged(PageControl->currentIndex());
}

void TFormConfig::hideEvent(QHideEvent *event)
{
    FLinkWatch->stop();
    QDialog::hideEvent(event);
}

void TFormConfig::PageChanged(int index)
{
    QWidget *page = PageControl->widget(index);
    if (page == TabGeneral)
        FillGeneralPage();
    else if (page == TabColors)
        PaintSwatches();
    // Enter and Esc work the setup mode only while its page is in front.
    ButColorConfigOn->setDefault(page == TabColors);
}

void TFormConfig::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && PageControl->currentWidget() == TabColors) {
        ButColorConfigOff->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// What the server refused is dropped only when the operator agrees; otherwise the dialog stays
// open on it.
void TFormConfig::done(int result)
{
    const QPersistentModelIndex place = DBGridConstants->currentIndex();
    FClosing = true;
    DBGridConstants->setCurrentIndex(QModelIndex()); // commits an open cell editor
    FClosing = false;
    if (!PostConstants()) {
        if (!AskYesNo(DropQuestion, ConstantsCaption)) {
            PageControl->setCurrentWidget(TabConstants);
            FMoving = true;
            DBGridConstants->setCurrentIndex(place);
            FMoving = false;
            return;
        }
        SQLClientDataSetSetup->revertAll();
    }
    QDialog::done(result);
}
