#include "show/greets_overlays.h"

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

}  // namespace

OverlayRect stepGreetsScroll(App& app)
{
    int32_t& greetsScrollY = app.show.greetsScrollY;
    // It rises out of sight after 200 frames; stopping short of the integer limit keeps a
    // run of weeks from overflowing.
    if (greetsScrollY <= std::numeric_limits<int32_t>::max() - kScrollStep) greetsScrollY += kScrollStep;
    // Left of the picture in a window narrower than 800 pixels.
    int32_t x = app.viewWidth / 2 - kOverlayWidth / 2;
    return {static_cast<uint32_t>(kOverlayWidth), static_cast<uint32_t>(kOverlayHeight), x, greetsScrollY};
}

OverlayRect stepGreetsPanel(App& app)
{
    GreetsPanel& panel = app.show.panel;
    int32_t growth = panel.panelGrowth;
    if (panel.panelY + growth + kPanelStartHeight < app.viewHeight) {
        panel.panelWidth = growth + kPanelRisingWidth;
        panel.panelGrowth = growth + kPanelStep;
        panel.panelY += kPanelStep;
    } else if (panel.panelWidth < app.viewWidth && growth + kPanelStartHeight < app.viewHeight) {
        panel.panelGrowth = growth + kPanelStep;
        panel.panelWidth = growth + kPanelSinkingWidth;
        panel.panelY -= kPanelStep;
    }
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
