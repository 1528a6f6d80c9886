#pragma once
#include <QPixmap>

namespace rx041::launcher {

// The launcher's logo: a sensor dial with its magnet pointer and "RX041".
QPixmap drawLogo(int size);

}  // namespace rx041::launcher
