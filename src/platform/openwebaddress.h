#pragma once

#include "webaddressopener.h"

#include <QString>

// Shows a web address in the user's default browser. An address that does not begin with "http" (in any
// letter case) gets "http://" in front first, so "www.example.com" opens as a web page; "https://..."
// and "HTTP://..." go out unchanged. The outcome tells a refusal by the desktop (not accepted, no error)
// from a run-time failure (error set).
OpenOutcome OpenWebAddress(const QString &address, WebAddressOpener &opener);
