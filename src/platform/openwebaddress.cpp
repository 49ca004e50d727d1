#include "openwebaddress.h"

OpenOutcome OpenWebAddress(const QString &address, WebAddressOpener &opener)
{
    // Only the very beginning counts: "example.org/http" still needs its scheme.
    if (address.startsWith(QLatin1String("http"), Qt::CaseInsensitive))
        return opener.open(address);
    return opener.open(QLatin1String("http://") + address);
}
