#pragma once

#include "status.h"

#include <QString>

#include <chrono>

namespace zel {

// The failure of loading `address`, e.g. `Cannot load "http://x/y": the
// server answered 404 Not Found.` `cause` has no closing full stop.
Status loadFailure(const QString &address, const QString &cause);

// "30 seconds", "300 ms".
QString durationText(std::chrono::milliseconds duration);

// "64 MiB", "16 KiB", "1000 bytes".
QString sizeText(qint64 bytes);

} // namespace zel
