#include "scrollvalue.h"

#include <QAbstractSlider>

namespace zel {

bool liesInRange(const QAbstractSlider &bar, int value)
{
    return value >= bar.minimum() && value <= bar.maximum();
}

Status assignScrollValue(QAbstractSlider &bar, int value, const QString &what)
{
    if (!liesInRange(bar, value)) {
        return Status::failure(QStringLiteral("The %1 %2 lies outside its limits %3 to %4.")
                                   .arg(what)
                                   .arg(value)
                                   .arg(bar.minimum())
                                   .arg(bar.maximum()));
    }
    bar.setValue(value);
    return Status::ok();
}

} // namespace zel
