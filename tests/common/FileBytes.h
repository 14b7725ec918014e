#pragma once

#include <QByteArray>
#include <QString>

// Files given as raw bytes, for tests that check or prepare a file's exact text.
QByteArray ReadBytes(const QString &fileName); // empty when unreadable
void WriteBytes(const QString &fileName, const QByteArray &bytes); // creates missing folders
