#include "BackgroundPage.h"

#include <QWidget>

namespace kestrel {

BackgroundPage::BackgroundPage(QWidget& window)
    : window_(window)
{
}

void BackgroundPage::build()
{
    window_.update();
}

} // namespace kestrel
