#include "Align.h"

#include "Element.h"

#include <QEvent>

namespace {

// The classic order: top and bottom strips first, then left and right ones from what remains,
// then the client ones fill the rest. Within one kind the child order decides.
void AlignControls(QWidget *parent)
{
    QRect free = parent->contentsRect();
    const auto elements = parent->findChildren<TElement *>(Qt::FindDirectChildrenOnly);
    for (const TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TElement *element : elements) {
            if (element->GetAlign() != kind)
                continue;
            const int w = element->width();
            const int h = element->height();
            switch (kind) {
            case alTop:
                element->setGeometry(free.left(), free.top(), free.width(), h);
                free.setTop(free.top() + h);
                break;
            case alBottom:
                element->setGeometry(free.left(), free.bottom() + 1 - h, free.width(), h);
                free.setBottom(free.bottom() - h);
                break;
            case alLeft:
                element->setGeometry(free.left(), free.top(), w, free.height());
                free.setLeft(free.left() + w);
                break;
            case alRight:
                element->setGeometry(free.right() + 1 - w, free.top(), w, free.height());
                free.setRight(free.right() - w);
                break;
            default:
                element->setGeometry(free);
                break;
            }
        }
    }
}

// One per parent: realigns its children whenever it resizes.
class TAligner : public QObject
{
    Q_OBJECT

public:
    explicit TAligner(QWidget *parent)
        : QObject(parent)
    {
        parent->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && watched == parent())
            AlignControls(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void KeepAligned(QWidget *parent)
{
    if (!parent)
        return;
    if (!parent->findChild<TAligner *>(QString(), Qt::FindDirectChildrenOnly))
        new TAligner(parent);
    AlignControls(parent);
}

#include "Align.moc"
