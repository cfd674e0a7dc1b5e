// Message boxes in the browser: a line of text on the page, and on stderr (the console).
#include <emscripten/emscripten.h>

#include "platform/message_box.h"
#include "platform/report.h"

namespace {

EM_JS(void, showOnPage, (const char* caption, const char* text), {
    var page = Module['page'];
    if (page && page.showMessage) page.showMessage(UTF8ToString(caption), UTF8ToString(text));
});

// Nobody is asked: a question takes its default answer, Yes, as a dialog nobody answers would.
bool showPageMessage(void*, const char* text, const char* caption, MessageBoxKind)
{
    report(caption, text ? text : "");
    showOnPage(caption, text ? text : "");
    return true;
}

}  // namespace

MessageBoxBackend platformMessageBoxes() { return {showPageMessage, nullptr}; }
