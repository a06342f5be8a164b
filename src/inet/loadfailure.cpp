#include "loadfailure.h"

namespace zel {

Status loadFailure(const QString &address, const QString &cause)
{
    return Status::failure(QStringLiteral("Cannot load \"%1\": %2.").arg(address, cause));
}

QString durationText(std::chrono::milliseconds duration)
{
    const qint64 ms = duration.count();
    if (ms % 1000 == 0)
        return ms == 1000 ? QStringLiteral("1 second")
                          : QStringLiteral("%1 seconds").arg(ms / 1000);
    return QStringLiteral("%1 ms").arg(ms);
}

QString sizeText(qint64 bytes)
{
    constexpr qint64 kKiB = 1024;
    constexpr qint64 kMiB = kKiB * 1024;
    if (bytes >= kMiB && bytes % kMiB == 0)
        return QStringLiteral("%1 MiB").arg(bytes / kMiB);
    if (bytes >= kKiB && bytes % kKiB == 0)
        return QStringLiteral("%1 KiB").arg(bytes / kKiB);
    return QStringLiteral("%1 bytes").arg(bytes);
}

} // namespace zel
