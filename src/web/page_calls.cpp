#include "web/page_calls.h"

#include <emscripten/emscripten.h>

namespace {

EM_JS(int, testMomentCount, (), {
    var moments = Module['testMoments'];
    return moments ? moments.length : 0;
});
EM_JS(double, testMoment, (int index), { return Module['testMoments'][index]; });

EM_JS(void, callPage, (const char* name, int value), {
    var page = Module['page'];
    var call = page && page[UTF8ToString(name)];
    if (call) call(value);
});

EM_JS(void, handPicture, (double ms, const uint8_t* bytes, int size), {
    var page = Module['page'];
    if (page && page.picture) page.picture(ms, HEAPU8.slice(bytes, bytes + size));
});

}  // namespace

std::vector<double> pageTestMoments()
{
    std::vector<double> moments(testMomentCount());
    for (size_t i = 0; i < moments.size(); ++i) moments[i] = testMoment(static_cast<int>(i));
    return moments;
}

void pageOfferSound(bool available) { callPage("offerSound", available); }
void pageStopSound() { callPage("stopSound", 0); }
void pageFirstFrame() { callPage("firstFrame", 0); }
void pageShowEnded(int status) { callPage("showEnded", status); }

void pagePicture(double ms, const std::vector<uint8_t>& ppm)
{
    handPicture(ms, ppm.data(), static_cast<int>(ppm.size()));
}
