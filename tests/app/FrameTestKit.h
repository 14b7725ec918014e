#pragma once

#include "app/Config.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class TFormMain;

// A main frame on its own settings file in a temporary folder, connected (or not) as asked.
class FrameUnderTest
{
public:
    // host "" means the private test server; the password is given through the login prompt.
    explicit FrameUnderTest(const QString &host = QString(),
                            const QString &password = QStringLiteral("kv512"));
    ~FrameUnderTest();

    TFormMain *operator->() const { return frame.get(); }
    TFormMain *get() const { return frame.get(); }
    QString SettingsPath() const;

    QTemporaryDir folder;
    std::unique_ptr<TFormMain> frame;
};

// A host on which no server listens, refused at once.
inline const QString NoServerHost = QStringLiteral("127.0.0.1:1");
