#include "app/SkinnedSurface.h"

#include "app/MainWindow.h"

#include "skin/BasicPageFrame.h"

#include <QMouseEvent>

namespace kestrel {

SkinnedSurface::SkinnedSurface(MainWindow& dlg, ProgramState& state, const SkinSettings& skinSettings)
    : dlg_(dlg), state_(state), skin_(dlg, skinSettings, *this, *this, *this)
{
}

void SkinnedSurface::paint(QPainter& painter, const QRect&) { skin_.paint(painter); }

void SkinnedSurface::mousePress(QMouseEvent& event)
{
    if (event.button() == Qt::LeftButton)
        skin_.mousePressed(event.position().toPoint());
}

void SkinnedSurface::mouseMove(QMouseEvent& event) { skin_.mouseMoved(event.position().toPoint()); }

void SkinnedSurface::mouseLeave() { skin_.mouseLeft(); }

void SkinnedSurface::ok()
{
    if (commands_ != nullptr)
        commands_->ok();
}

void SkinnedSurface::apply()
{
    if (commands_ != nullptr)
        commands_->apply();
}

void SkinnedSurface::openSkins()
{
    if (commands_ != nullptr)
        commands_->openSkins();
}

void SkinnedSurface::cancel()
{
    if (commands_ != nullptr)
        commands_->cancel();
}

void SkinnedSurface::minimise() { dlg_.hideWindow(); }

void SkinnedSurface::closeProgram() { dlg_.endProgram(); }

void SkinnedSurface::buildBasicPage()
{
    // The page button does nothing while the page is built.
    if (state_.flags.pageState != PageState::Built)
        dlg_.pages().build();
}

QString SkinnedSurface::buttonCaption(HoverId id) const
{
    return BasicPageFrame::buttonCaption(dlg_.resources().texts, id);
}

QString SkinnedSurface::keyCaption(int k) const
{
    const std::size_t slot = keygroup::slot(state_.settings.shownGroup(), k - 1);
    return QString::fromStdString(dlg_.resources().captions[slot]);
}

} // namespace kestrel
