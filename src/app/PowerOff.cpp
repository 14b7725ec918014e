#include "app/PowerOff.h"

#include <QDBusConnection>
#include <QDBusInterface>

namespace {

void SystemPowerOff()
{
    // logind's PowerOff(interactive = false): no authentication prompt; refused when not allowed.
    QDBusInterface manager(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QDBusConnection::systemBus());
    if (manager.isValid())
        manager.call(QStringLiteral("PowerOff"), false);
}

std::function<void()> &Request()
{
    static std::function<void()> request;
    return request;
}

} // namespace

void RequestPowerOff()
{
    if (Request())
        Request()();
    else
        SystemPowerOff();
}

void SetPowerOffRequest(std::function<void()> request)
{
    Request() = std::move(request);
}
