// The company picture shown over the page.
#pragma once

#include <QPixmap>

namespace vemo {

QPixmap company_logo(const QSize& size);

}  // namespace vemo
