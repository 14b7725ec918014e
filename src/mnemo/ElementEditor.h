#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class TElement;

// What the element editors share: a tool window with a preview element, a width field, colour
// buttons bound to properties of the preview, and "Применить", "Отменить" and "Сохранить для всей
// группы". "Применить" also keeps the result in the target's own section and says so; "Отменить"
// puts back the look and the section the target had when the editor opened. The route handler sets
// the target and shows the editor modally; without a target the editor edits its own preview.
class TElementEditor : public QDialog
{
    Q_OBJECT

public:
    struct TColourButton
    {
        QString Caption;
        const char *Property; // a TColor property, or a pen or brush property of the preview
    };

    ~TElementEditor() override;

    TElement *Preview() const { return m_preview; }
    TElement *Target() const;
    void SetTarget(TElement *target);

    // Takes the width field into the preview; an entry that is not an integer shows the error
    // message and returns false (the editor stays open).
    bool TakeWidth();
    // The buttons' work.
    void Apply();
    void CancelChanges();
    void SaveForGroup();

    // Sets the target, shows the editor modally and, on OK and when group is set, copies the
    // target's section to every element of its group on window. True on OK.
    bool Edit(TElement *target, QWidget *window, bool group);

    QLabel *LabelWidth;
    QLineEdit *EditWidth;
    QList<QPushButton *> ColourButtons;
    QPushButton *ButFont = nullptr;
    QPushButton *ButApply;
    QPushButton *ButCancel;
    QPushButton *ButSaveGroup;
    QPushButton *ButClose = nullptr;
    QLabel *LabelSaved; // what "Применить" stored, and where

protected:
    // preview: the editor's own element, owned by it. withFont: a font button after the colours.
    // withClose: a "Закрыть" button that closes and keeps what was applied.
    TElementEditor(QWidget *parent, const QString &name, const QString &caption,
                   const QString &widthLabel, TElement *preview,
                   const QList<TColourButton> &colours, bool withFont = false,
                   bool withClose = false);

    // Makes clicks on elements of that class (in the setup mode) open this editor; group: copy an
    // accepted edit to the element's group.
    void RouteClass(const QString &className, bool group);

    // Fills the preview from the target when shown (its section already holds its look).
    virtual void TakeTarget() = 0;
    // Gives the target the preview's look.
    virtual void ApplyToTarget() = 0;
    // The preview's width setting (the pipe's line width, else its pen width).
    virtual int PreviewWidth() const;
    virtual void SetPreviewWidth(int width);

    void showEvent(QShowEvent *event) override;

private:
    void PickButtonColour(const char *property);
    void PickPreviewFont();

    TElement *m_preview;
    QPointer<TElement> m_target;
    QString m_routeClass;
    QList<QPair<QString, QString>> m_snapshot; // the target's section as the editor found it
};

// The editors that work through element sections: the target keeps its look in its own section
// (the snapshot taken on show), the preview in the section named after itself.
class TSectionEditor : public TElementEditor
{
    Q_OBJECT

protected:
    using TElementEditor::TElementEditor;
    void TakeTarget() override;
    void ApplyToTarget() override;
};
