/* Drops files on an X display the way a desktop file manager does, for the
 * end-to-end tests:
 *   qd_xdnd_drop X Y FILE...
 * It owns the XdndSelection, offers the files as text/uri-list, and runs the
 * XDND exchange (Enter, Position, Status, Drop, Finished) with the window at
 * the root position X, Y, answering the target's selection requests. Wine
 * turns such a drop on a window that accepts files into WM_DROPFILES.
 * Exit code 0 when the target took the drop, 1 when it refused it, 2 on a
 * usage or display error, 3 when the target stopped answering. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>

enum { XdndVersion = 5, TimeoutMs = 5000 };

static Display* display;
static Window source;
static Atom XdndAware, XdndSelection, XdndEnter, XdndPosition, XdndStatus, XdndDrop, XdndFinished,
    XdndLeave, XdndActionCopy, UriList;

static long elapsedMs(const struct timespec* start) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - start->tv_sec) * 1000 + (now.tv_nsec - start->tv_nsec) / 1000000;
}

static int isXdndAware(Window window) {
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = NULL;
    if (XGetWindowProperty(display, window, XdndAware, 0, 1, False, XA_ATOM, &type, &format, &count,
                           &remaining, &data) != Success)
        return 0;
    const int aware = type == XA_ATOM && count == 1;
    if (data) XFree(data);
    return aware;
}

/* The innermost XDND-aware window under the point: Wine's virtual desktop is
 * aware too, but the launcher's own window, inside it, is the drop target. */
static Window targetAt(int x, int y) {
    const Window root = DefaultRootWindow(display);
    Window target = None, window = root, child;
    int cx, cy;
    while (XTranslateCoordinates(display, root, window, x, y, &cx, &cy, &child) && child != None) {
        window = child;
        if (isXdndAware(window)) target = window;
    }
    return target;
}

static void sendClientMessage(Window target, Atom type, long l1, long l2, long l3, long l4) {
    XClientMessageEvent e;
    memset(&e, 0, sizeof(e));
    e.type = ClientMessage;
    e.display = display;
    e.window = target;
    e.message_type = type;
    e.format = 32;
    e.data.l[0] = (long)source;
    e.data.l[1] = l1;
    e.data.l[2] = l2;
    e.data.l[3] = l3;
    e.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, (XEvent*)&e);
    XFlush(display);
}

/* Hands the uri list to a target that asks for it, refuses anything else. */
static void answerSelectionRequest(const XSelectionRequestEvent* request, const char* uris) {
    XSelectionEvent reply;
    memset(&reply, 0, sizeof(reply));
    reply.type = SelectionNotify;
    reply.display = display;
    reply.requestor = request->requestor;
    reply.selection = request->selection;
    reply.target = request->target;
    reply.time = request->time;
    reply.property = None;
    if (request->target == UriList && request->property != None) {
        XChangeProperty(display, request->requestor, request->property, UriList, 8, PropModeReplace,
                        (const unsigned char*)uris, (int)strlen(uris));
        reply.property = request->property;
    }
    XSendEvent(display, request->requestor, False, NoEventMask, (XEvent*)&reply);
    XFlush(display);
}

/* "file://" and the path with every byte that is not unreserved %-encoded. */
static void appendUri(char* out, size_t size, const char* path) {
    static const char Hex[] = "0123456789ABCDEF";
    size_t n = strlen(out);
    n += (size_t)snprintf(out + n, size - n, "file://");
    for (const unsigned char* p = (const unsigned char*)path; *p && n + 4 < size; ++p) {
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') ||
            strchr("/-_.~", *p)) {
            out[n++] = (char)*p;
        } else {
            out[n++] = '%';
            out[n++] = Hex[*p >> 4];
            out[n++] = Hex[*p & 15];
        }
    }
    n += (size_t)snprintf(out + n, size - n, "\r\n");
    out[n] = '\0';
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: qd_xdnd_drop X Y FILE...\n");
        return 2;
    }
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    static char uris[65536];
    for (int i = 3; i < argc; ++i) {
        char* full = realpath(argv[i], NULL);
        if (!full) {
            fprintf(stderr, "qd_xdnd_drop: no such file: %s\n", argv[i]);
            return 2;
        }
        appendUri(uris, sizeof(uris), full);
        free(full);
    }

    display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "qd_xdnd_drop: cannot open the display\n");
        return 2;
    }
    XdndAware = XInternAtom(display, "XdndAware", False);
    XdndSelection = XInternAtom(display, "XdndSelection", False);
    XdndEnter = XInternAtom(display, "XdndEnter", False);
    XdndPosition = XInternAtom(display, "XdndPosition", False);
    XdndStatus = XInternAtom(display, "XdndStatus", False);
    XdndDrop = XInternAtom(display, "XdndDrop", False);
    XdndFinished = XInternAtom(display, "XdndFinished", False);
    XdndLeave = XInternAtom(display, "XdndLeave", False);
    XdndActionCopy = XInternAtom(display, "XdndActionCopy", False);
    UriList = XInternAtom(display, "text/uri-list", False);

    const Window target = targetAt(x, y);
    if (target == None) {
        fprintf(stderr, "qd_xdnd_drop: no XDND-aware window at %d,%d\n", x, y);
        return 2;
    }
    source = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, XdndSelection, source, CurrentTime);
    if (XGetSelectionOwner(display, XdndSelection) != source) {
        fprintf(stderr, "qd_xdnd_drop: cannot own the XdndSelection\n");
        return 2;
    }

    sendClientMessage(target, XdndEnter, (long)XdndVersion << 24, (long)UriList, None, None);
    sendClientMessage(target, XdndPosition, 0, (long)x << 16 | y, CurrentTime,
                      (long)XdndActionCopy);

    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    int dropped = 0;
    const int fd = ConnectionNumber(display);
    while (elapsedMs(&start) < TimeoutMs) {
        if (!XPending(display)) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(fd, &readable);
            struct timeval wait = {0, 50000};
            select(fd + 1, &readable, NULL, NULL, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            answerSelectionRequest(&event.xselectionrequest, uris);
        } else if (event.type == ClientMessage && event.xclient.message_type == XdndStatus) {
            if (dropped) continue;
            if (!(event.xclient.data.l[1] & 1)) {
                sendClientMessage(target, XdndLeave, 0, 0, 0, 0);
                fprintf(stderr, "qd_xdnd_drop: the target refused the files\n");
                return 1;
            }
            sendClientMessage(target, XdndDrop, 0, CurrentTime, 0, 0);
            dropped = 1;
        } else if (event.type == ClientMessage && event.xclient.message_type == XdndFinished) {
            const int taken = (event.xclient.data.l[1] & 1) != 0;
            XCloseDisplay(display);
            return taken ? 0 : 1;
        }
    }
    fprintf(stderr, "qd_xdnd_drop: no answer from the target\n");
    return 3;
}
