#pragma once

#include <QIcon>

namespace zel {

// The program's own small two-colour icon.
QIcon zelIcon();

} // namespace zel
