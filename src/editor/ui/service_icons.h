#pragma once
// The image list of the services grid (ilServices): television, radio and data, each
// drawn normal and then dimmed for a service that is not visible. Drawn here, so the
// program carries no image files for them.
#include <QList>
#include <QPixmap>

namespace quillon {

inline constexpr int kServiceIconSize = 16;

// Six images in the order of TServiceImage; needs a QGuiApplication.
const QList<QPixmap>& ServiceImages();

}  // namespace quillon
