#include "show/greets_overlays.h"

#include <algorithm>
#include <limits>

#include "state/app.h"

namespace {

constexpr int32_t kScrollStep = 3;
constexpr int32_t kPanelStartHeight = 100;  // the panel's height is its growth plus this
constexpr int32_t kPanelRisingWidth = 150;  // width over growth while the panel rises
constexpr int32_t kPanelSinkingWidth = 152;  // and while its lower edge sinks back
constexpr int32_t kPanelStep = 2;

void drawOverlay(const OverlayRect& rect, uint32_t texture)
{
    if (texture != 0) drawScreenQuad(rect, texture);
}

// One step of the panel; false once it stands still at its full size.
bool growPanel(GreetsPanel& panel, int32_t viewWidth, int32_t viewHeight)
{
    int32_t growth = panel.panelGrowth;
    if (panel.panelY + growth + kPanelStartHeight < viewHeight) {
        panel.panelWidth = growth + kPanelRisingWidth;
        panel.panelGrowth = growth + kPanelStep;
        panel.panelY += kPanelStep;
        return true;
    }
    if (panel.panelWidth < viewWidth && growth + kPanelStartHeight < viewHeight) {
        panel.panelGrowth = growth + kPanelStep;
        panel.panelWidth = growth + kPanelSinkingWidth;
        panel.panelY -= kPanelStep;
        return true;
    }
    return false;
}

}  // namespace

OverlayRect stepGreetsScroll(App& app)
{
    int32_t& greetsScrollY = app.show.greetsScrollY;
    // It rises out of sight after 200 steps; stopping short of the integer limit keeps a run of
    // weeks from overflowing.
    int32_t stepsLeft = (std::numeric_limits<int32_t>::max() - greetsScrollY) / kScrollStep;
    greetsScrollY += kScrollStep * std::clamp(app.show.scrollSteps, 0, stepsLeft);
    // Left of the picture in a window narrower than 800 pixels.
    int32_t x = app.viewWidth / 2 - kOverlayWidth / 2;
    return {static_cast<uint32_t>(kOverlayWidth), static_cast<uint32_t>(kOverlayHeight), x, greetsScrollY};
}

OverlayRect stepGreetsPanel(App& app)
{
    GreetsPanel& panel = app.show.panel;
    for (int32_t i = 0; i < app.show.panelSteps; ++i)
        if (!growPanel(panel, app.viewWidth, app.viewHeight)) break;
    return {static_cast<uint32_t>(panel.panelWidth), static_cast<uint32_t>(panel.panelGrowth + kPanelStartHeight),
            panel.panelCentreX - panel.panelWidth / 2, panel.panelY};
}

void drawGreetsScroll(App& app)
{
    drawOverlay(stepGreetsScroll(app), app.greetsScrollTexture);
}

void drawGreetsPanel(App& app)
{
    drawOverlay(stepGreetsPanel(app), app.greetsPanelTexture);
}
