#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

// Runs action on the modal dialog of type T as soon as it is open (a test drives a dialog that
// its code under test shows with exec()).
template<class T> void WhenModal(std::function<void(T *)> action)
{
    QTimer::singleShot(0, [action] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget()))
            action(dialog);
        else
            QTimer::singleShot(20, [action] { WhenModal<T>(action); });
    });
}
