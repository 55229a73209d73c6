#include "startup_watch.h"

#include "child_process.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h> // xcb_poll_for_reply

#include <poll.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long peakResidentKiB(int pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    return 0;
}

// xcb hands out its events and replies from malloc.
struct XcbEventFree {
    void operator()(void *event) const
    {
        std::free(event); // NOLINT(cppcoreguidelines-no-malloc)
    }
};

// xcb hands every event out as the generic kind; its type says which it is.
template <typename Event>
const Event &as(const xcb_generic_event_t &event)
{
    return *reinterpret_cast<const Event *>(&event); // NOLINT(cppcoreguidelines-pro-type-reinterpret-cast)
}

// What is known of each window the program makes, by its X id.
struct Watched {
    int width = 0;
    int height = 0;
};

// Asks for the window's picture as the X server holds it; the answer comes
// later, so that paints go on being seen, each at its moment, meanwhile.
xcb_get_image_cookie_t askForPicture(xcb_connection_t *c, xcb_window_t window, const Watched &size)
{
    constexpr uint32_t kAllPlanes = ~0U;
    const xcb_get_image_cookie_t cookie =
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, static_cast<uint16_t>(size.width),
                      static_cast<uint16_t>(size.height), kAllPlanes);
    xcb_flush(c);
    return cookie;
}

// The picture in an answer; empty if it could not be read.
std::vector<uint8_t> pictureIn(const xcb_get_image_reply_t *image)
{
    if (image == nullptr)
        return {};
    const uint8_t *bytes = xcb_get_image_data(image);
    std::vector<uint8_t> picture(bytes, bytes + xcb_get_image_data_length(image));
    // A window of 24-bit colour comes in 32 bits a pixel, the fourth byte
    // whatever the drawing left there: it shows nothing.
    constexpr int kColourDepth = 24;
    if (image->depth == kColourDepth)
        for (std::size_t at = 3; at < picture.size(); at += 4)
            picture[at] = 0;
    return picture;
}

// A picture, and the moment of the last paint it holds.
struct Seen {
    Clock::time_point at;
    std::vector<uint8_t> picture;
};

// A paint seen, and where it stands among this client's requests: the X
// server numbers each event with the last request of ours it had done, so a
// paint numbered below a request for a picture is in that picture.
struct Damage {
    Clock::time_point at;
    uint32_t afterRequest;
};

} // namespace

StartupWatch watchStartup(const std::vector<std::string> &command, const std::vector<std::string> &environment,
                          const WatchOptions &options)
{
    const char *display = std::getenv("DISPLAY"); // NOLINT(concurrency-mt-unsafe): read before any thread
    if (display == nullptr)
        throw std::runtime_error("no X server: DISPLAY is not set (run under xvfb-run -a)");
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x(xcb_connect(display, nullptr), xcb_disconnect);
    xcb_connection_t *c = x.get();
    if (xcb_connection_has_error(c) != 0)
        throw std::runtime_error(std::string("cannot reach the X server on ") + display);
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (damage == nullptr || damage->present == 0)
        throw std::runtime_error("the X server has no DAMAGE extension");
    std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr)); // NOLINT
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const auto start = Clock::now();
    const ChildProcess child(command, {.environment = environment});

    std::map<xcb_window_t, Watched> windows;
    xcb_window_t shown = XCB_NONE;
    // Paints are bursts of damage: drawing that reaches the server within
    // half a millisecond of the last is the same paint.
    constexpr auto kSamePaint = std::chrono::microseconds(500);
    int paints = 0;
    Clock::time_point firstPaint{};
    Clock::time_point lastDamage{};
    std::vector<Damage> damages;
    std::vector<Seen> seen;
    // The picture asked for and not yet answered: paints are stamped as
    // they come while the server reads it (a busy server takes its time).
    // (Its request's number; none is 0.)
    unsigned int asked = 0;
    bool paintedSinceAsked = false;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    const auto takeEvents = [&](bool queuedOnly) {
        while (const std::unique_ptr<xcb_generic_event_t, XcbEventFree> event{queuedOnly ? xcb_poll_for_queued_event(c)
                                                                                    : xcb_poll_for_event(c)}) {
            const auto now = Clock::now();
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                // Watched for damage from the start, before anything can
                // be drawn in it.
                const auto *created = &as<xcb_create_notify_event_t>(*event);
                windows[created->window] = {created->width, created->height};
                xcb_damage_create(c, xcb_generate_id(c), created->window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                xcb_flush(c);
            } else if (type == XCB_CONFIGURE_NOTIFY) {
                const auto *configured = &as<xcb_configure_notify_event_t>(*event);
                if (const auto w = windows.find(configured->window); w != windows.end())
                    w->second = {configured->width, configured->height};
            } else if (type == XCB_MAP_NOTIFY && shown == XCB_NONE) {
                // The program's window, not a helper of its toolkit's.
                constexpr int kSmallest = 100;
                const auto *mapped = &as<xcb_map_notify_event_t>(*event);
                if (const auto w = windows.find(mapped->window);
                    w != windows.end() && w->second.width >= kSmallest && w->second.height >= kSmallest)
                    shown = mapped->window;
            } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY && shown != XCB_NONE
                       && as<xcb_damage_notify_event_t>(*event).drawable == shown) {
                if (paints == 0)
                    firstPaint = now;
                if (paints == 0 || now - lastDamage > kSamePaint)
                    ++paints;
                lastDamage = now;
                damages.push_back({now, event->full_sequence});
                paintedSinceAsked = true;
            }
        }
    };
    const auto deadline = start + options.timeout;
    while (Clock::now() < deadline) {
        if (paints > 0 && Clock::now() - lastDamage >= options.quiet && asked == 0)
            break;
        takeEvents(false);
        void *answer = nullptr;
        if (asked != 0 && xcb_poll_for_reply(c, asked, &answer, nullptr) != 0) {
            const std::unique_ptr<xcb_get_image_reply_t, XcbEventFree> image{static_cast<xcb_get_image_reply_t *>(answer)};
            // Paints that came before the answer may wait in the queue.
            takeEvents(true);
            Clock::time_point at{};
            for (const Damage &d : damages)
                if (d.afterRequest < asked)
                    at = d.at;
            seen.push_back({at, pictureIn(image.get())});
            asked = 0;
        }
        // Read once the paints pause for half a frame of a 60 Hz screen: a
        // read in the middle of them slows the very painting it watches (a
        // whole window's picture through the server, on a machine of two
        // cores), and what shows for less is hardly a picture a learner sees.
        constexpr auto kPause = std::chrono::milliseconds(8);
        if (asked == 0 && paintedSinceAsked && options.byPicture && Clock::now() - lastDamage >= kPause) {
            asked = askForPicture(c, shown, windows[shown]).sequence;
            paintedSinceAsked = false;
        }
        poll(&fd, 1, paintedSinceAsked ? 1 : 5);
    }
    if (shown == XCB_NONE)
        throw std::runtime_error(command.front() + " never showed a window");
    if (paints == 0)
        throw std::runtime_error(command.front() + " never painted its window");

    // Read once it is quiet. (The peak that wait4 reports would count the
    // memory of this process, which the child shared until it started the
    // program.)
    const long peak = peakResidentKiB(child.pid());
    Clock::time_point complete = lastDamage;
    if (options.byPicture) {
        // Complete with the last paint held by the first picture from which
        // on every picture is the last one; the paints the learner sees are
        // the changes of picture on the way.
        const std::unique_ptr<xcb_get_image_reply_t, XcbEventFree> image{
            xcb_get_image_reply(c, askForPicture(c, shown, windows[shown]), nullptr)};
        const std::vector<uint8_t> last = pictureIn(image.get());
        auto stays = seen.end();
        while (!last.empty() && stays != seen.begin() && std::prev(stays)->picture == last)
            --stays;
        if (stays != seen.end()) {
            complete = stays->at;
            paints = 0;
            for (auto s = seen.begin(); s != std::next(stays); ++s)
                paints += s == seen.begin() || s->picture != std::prev(s)->picture ? 1 : 0;
        }
    }
    return {.untilFirstPaint = firstPaint - start,
            .untilComplete = complete - start,
            .paints = paints,
            .peakResidentKiB = peak};
}
