#include "platform/message_box_xlib.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <poll.h>

#include <cstring>

#include "platform/message_box.h"
#include "platform/message_box_keys.h"
#include "platform/message_box_layout.h"
#include "platform/report.h"
#include "platform/stop_signals.h"

namespace {

constexpr int kFocusInset = 3;  // the keyboard's choice: a frame just inside the button's edge

struct Palette {
    unsigned long background, text, buttonFace, buttonEdge;
};

struct ColourName {
    const char* name;
    unsigned long Palette::*slot;
    bool dark;  // fallback when the colour cannot be allocated
};
const ColourName kColours[] = {
    {"gray90", &Palette::background, false},
    {"black", &Palette::text, true},
    {"gray78", &Palette::buttonFace, false},
    {"gray30", &Palette::buttonEdge, true},
};

struct Dialog {
    Display* display;
    Window window;
    GC gc;
    XFontStruct* font;
    Palette palette;
    DialogLayout layout;
    Atom deleteWindow;
    DialogChoice choice;
    const DialogButton* pressed;  // under the pointer's last press, if a button was
};

int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

int fontWidth(const std::string& line, void* font)
{
    return XTextWidth(static_cast<XFontStruct*>(font), line.data(), static_cast<int>(line.size()));
}

Palette allocatePalette(Display* display)
{
    Palette palette{};
    int screen = DefaultScreen(display);
    Colormap colormap = DefaultColormap(display, screen);
    for (const ColourName& c : kColours) {
        XColor exact, shown;
        bool ok = XAllocNamedColor(display, colormap, c.name, &shown, &exact) != 0;
        palette.*c.slot = ok ? shown.pixel : (c.dark ? BlackPixel(display, screen) : WhitePixel(display, screen));
    }
    return palette;
}

void setProperties(Dialog& d, const char* caption, int x, int y)
{
    Display* display = d.display;
    XStoreName(display, d.window, caption);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, d.window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(caption), static_cast<int>(std::strlen(caption)));
    Atom dialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, d.window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&dialogType), 1);
    Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    XChangeProperty(display, d.window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&above), 1);
    d.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, d.window, &d.deleteWindow, 1);

    XSizeHints hints{};
    hints.flags = USPosition | PMinSize | PMaxSize;
    hints.x = x;
    hints.y = y;
    hints.min_width = hints.max_width = d.layout.width;
    hints.min_height = hints.max_height = d.layout.height;
    XSetWMNormalHints(display, d.window, &hints);
    XClassHint classHint{const_cast<char*>("zephal3d"), const_cast<char*>("Zephal3D")};
    XSetClassHint(display, d.window, &classHint);
}

bool openDialog(Dialog& d, const char* text, const char* caption, MessageBoxKind kind)
{
    d.font = XLoadQueryFont(d.display, "fixed");
    if (!d.font) return false;
    d.layout = layoutMessageBox(text, kind, d.font->ascent, d.font->descent, fontWidth, d.font);
    d.palette = allocatePalette(d.display);
    int screen = DefaultScreen(d.display);
    int x = (DisplayWidth(d.display, screen) - d.layout.width) / 2;
    int y = (DisplayHeight(d.display, screen) - d.layout.height) / 2;
    d.window = XCreateSimpleWindow(d.display, RootWindow(d.display, screen), x, y, d.layout.width,
                                   d.layout.height, 1, d.palette.buttonEdge, d.palette.background);
    setProperties(d, caption, x, y);
    XSelectInput(d.display, d.window,
                 ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);
    d.gc = XCreateGC(d.display, d.window, 0, nullptr);
    XSetFont(d.display, d.gc, d.font->fid);
    XMapRaised(d.display, d.window);
    return true;
}

void drawCentred(Dialog& d, const DialogButton& b)
{
    int labelWidth = XTextWidth(d.font, b.label, static_cast<int>(std::strlen(b.label)));
    int baseline = b.y + (b.height + d.font->ascent - d.font->descent) / 2;
    XDrawString(d.display, d.window, d.gc, b.x + (b.width - labelWidth) / 2, baseline, b.label,
                static_cast<int>(std::strlen(b.label)));
}

void drawDialog(Dialog& d)
{
    XSetForeground(d.display, d.gc, d.palette.background);
    XFillRectangle(d.display, d.window, d.gc, 0, 0, d.layout.width, d.layout.height);
    XSetForeground(d.display, d.gc, d.palette.text);
    int baseline = d.layout.firstBaseline;
    for (const std::string& line : d.layout.lines) {
        XDrawString(d.display, d.window, d.gc, d.layout.textX, baseline, line.data(), static_cast<int>(line.size()));
        baseline += d.layout.lineStep;
    }
    for (size_t i = 0; i < d.layout.buttons.size(); ++i) {
        const DialogButton& b = d.layout.buttons[i];
        XSetForeground(d.display, d.gc, d.palette.buttonFace);
        XFillRectangle(d.display, d.window, d.gc, b.x, b.y, b.width, b.height);
        XSetForeground(d.display, d.gc, d.palette.buttonEdge);
        XDrawRectangle(d.display, d.window, d.gc, b.x, b.y, b.width - 1, b.height - 1);
        XSetForeground(d.display, d.gc, d.palette.text);
        if (static_cast<int>(i) == d.choice.selected) {
            XDrawRectangle(d.display, d.window, d.gc, b.x + kFocusInset, b.y + kFocusInset,
                           b.width - 1 - 2 * kFocusInset, b.height - 1 - 2 * kFocusInset);
        }
        drawCentred(d, b);
    }
    XFlush(d.display);
}

// The dialog's next event; false when a stop signal came first.
bool nextEvent(Dialog& d, XEvent& event)
{
    pollfd waitFor[] = {{ConnectionNumber(d.display), POLLIN, 0}, {stopSignalFd(), POLLIN, 0}};
    while (!XPending(d.display)) {
        if (stopSignalArrived()) return false;
        poll(waitFor, 2, -1);  // a descriptor of -1 is left out
    }
    XNextEvent(d.display, &event);
    return true;
}

// The keys and clicks of message_box_keys.h; closing or destroying the dialog, or a stop signal,
// takes the last button.
bool waitForAnswer(Dialog& d)
{
    const bool last = d.layout.buttons.back().answer;
    while (!d.choice.answered) {
        XEvent event;
        if (!nextEvent(d, event)) return last;
        const int selected = d.choice.selected;
        switch (event.type) {
        case MapNotify:
            XSetInputFocus(d.display, d.window, RevertToParent, CurrentTime);
            break;
        case Expose:
            if (event.xexpose.count == 0) drawDialog(d);
            break;
        case KeyPress:
            d.choice = pressDialogKey(d.layout, d.choice, XLookupKeysym(&event.xkey, 0),
                                      (event.xkey.state & ShiftMask) != 0);
            break;
        case ButtonPress:
        case ButtonRelease: {
            const XButtonEvent& b = event.xbutton;
            d.choice = clickDialog(d.layout, d.choice, d.pressed, {b.type == ButtonPress, b.button, b.x, b.y});
            break;
        }
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == d.deleteWindow) return last;
            break;
        case DestroyNotify:
            // Destroyed by another program: as good as closed, and nothing left to wait on.
            if (event.xdestroywindow.window == d.window) {
                d.window = 0;
                return last;
            }
            break;
        }
        if (d.choice.selected != selected) drawDialog(d);  // the focus frame moved
    }
    return d.choice.answer;
}

void closeDialog(Dialog& d)
{
    if (d.gc) XFreeGC(d.display, d.gc);
    if (d.window) XDestroyWindow(d.display, d.window);
    if (d.font) XFreeFont(d.display, d.font);
}

}  // namespace

bool showXlibMessageBox(void*, const char* text, const char* caption, MessageBoxKind kind)
{
    report(caption, text ? text : "");
    const bool defaultAnswer = true;  // OK, or Yes: the first button
    Dialog d{};
    d.display = XOpenDisplay(nullptr);
    if (!d.display) return defaultAnswer;
    // Focus may be refused while the window manager is busy; that is no reason to stop.
    auto previousHandler = XSetErrorHandler(ignoreXErrors);
    bool answer = openDialog(d, text, caption ? caption : "", kind) ? waitForAnswer(d) : defaultAnswer;
    closeDialog(d);
    XCloseDisplay(d.display);
    XSetErrorHandler(previousHandler);
    return answer;
}

MessageBoxBackend xlibMessageBoxes() { return {showXlibMessageBox, nullptr}; }

MessageBoxBackend platformMessageBoxes() { return xlibMessageBoxes(); }
