#pragma once

#include "BasicPage.h"

class QWidget;

namespace kestrel {

// The page the window shows until the settings pages take over: the skin's
// background alone, with no controls to create or destroy.
class BackgroundPage final : public BasicPage {
public:
    explicit BackgroundPage(QWidget& window);

    void build() override;
    void tearDown() override {}

private:
    QWidget& window_;
};

} // namespace kestrel
