#include "desktopwebopener.h"

#include <QDesktopServices>
#include <QUrl>

WebAddressOpener::~WebAddressOpener() = default;

OpenOutcome DesktopWebOpener::open(const QString &address)
{
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid())
        return {false, std::nullopt};
    return {QDesktopServices::openUrl(url), std::nullopt};
}
