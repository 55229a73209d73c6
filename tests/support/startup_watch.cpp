#include "startup_watch.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h> // xcb_poll_for_reply

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>
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

struct XcbDisconnect {
    void operator()(xcb_connection_t *c) const { xcb_disconnect(c); }
};

// xcb hands out its events and replies from malloc.
struct XcbEventFree {
    void operator()(void *event) const
    {
        std::free(event); // NOLINT(cppcoreguidelines-no-malloc)
    }
};

std::unique_ptr<xcb_connection_t, XcbDisconnect> connectTo(const std::string &display)
{
    return std::unique_ptr<xcb_connection_t, XcbDisconnect>(xcb_connect(display.c_str(), nullptr));
}

} // namespace

PrivateXServer::PrivateXServer()
    // Xvfb picks a free display and writes its number to its file 3. No
    // reset when the last client leaves: the server would refuse
    // connections while it starts over between two programs.
    : xvfb_({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"},
            {.pipes = {{.childFd = 3, .childReads = false}}, .quiet = true})
{
    std::string number;
    char c = 0;
    while (read(xvfb_.pipe(3), &c, 1) == 1 && c != '\n')
        number += c;
    if (number.empty())
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    display_ = ":" + number;

    // Xvfb names its display a moment before it takes connections.
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (xcb_connection_has_error(connectTo(display_).get()) != 0) {
        if (Clock::now() > deadline)
            throw std::runtime_error("Xvfb never took connections on " + display_);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {

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

// Paints of the one window being watched: bursts of damage, each a moment
// apart from the last.
class PaintLog {
public:
    explicit PaintLog(Clock::time_point start) : start_(start) {}

    void damaged(Clock::time_point at)
    {
        // Drawing that reaches the server within this of the last is the
        // same paint.
        constexpr auto kSamePaint = std::chrono::microseconds(500);
        if (paints_ == 0 || at - last_ > kSamePaint) {
            ++paints_;
            starts_.push_back(at);
            if (paints_ == 1)
                first_ = at;
        }
        last_ = at;
    }
    [[nodiscard]] int paints() const { return paints_; }
    // Paints up to a moment.
    [[nodiscard]] int paintsBy(Clock::time_point at) const
    {
        return static_cast<int>(std::count_if(starts_.begin(), starts_.end(), [&](auto s) { return s <= at; }));
    }
    [[nodiscard]] Clock::time_point last() const { return last_; }
    [[nodiscard]] std::chrono::duration<double> sinceStart(Clock::time_point at) const { return at - start_; }
    [[nodiscard]] Clock::time_point first() const { return first_; }

private:
    Clock::time_point start_;
    Clock::time_point first_{};
    Clock::time_point last_{};
    int paints_ = 0;
    std::vector<Clock::time_point> starts_;
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

std::vector<uint8_t> pictureOf(xcb_connection_t *c, xcb_window_t window, const Watched &size)
{
    const std::unique_ptr<xcb_get_image_reply_t, XcbEventFree> image{
        xcb_get_image_reply(c, askForPicture(c, window, size), nullptr)};
    return pictureIn(image.get());
}

// A short name for a picture in the trace (FNV-1a).
uint64_t fingerprint(const std::vector<uint8_t> &picture)
{
    constexpr uint64_t kOffset = 14695981039346656037ULL;
    constexpr uint64_t kPrime = 1099511628211ULL;
    uint64_t hash = kOffset;
    for (const uint8_t byte : picture)
        hash = (hash ^ byte) * kPrime;
    return hash;
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

StartupWatch watchStartup(const std::string &display, const std::vector<std::string> &command,
                          const std::vector<std::string> &environment, const WatchOptions &options)
{
    const auto x = connectTo(display);
    xcb_connection_t *c = x.get();
    if (xcb_connection_has_error(c) != 0)
        throw std::runtime_error("cannot reach " + display);
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (damage == nullptr || damage->present == 0)
        throw std::runtime_error("the X server on " + display + " has no DAMAGE extension");
    std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr)); // NOLINT
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    std::vector<std::string> env = environment;
    env.push_back("DISPLAY=" + display);
    const auto start = Clock::now();
    ChildProcess child(command, {.environment = env});

    std::map<xcb_window_t, Watched> windows;
    xcb_window_t shown = XCB_NONE;
    Clock::time_point mappedAt{};
    PaintLog log(start);
    std::vector<Seen> seen;
    const auto deadline = start + options.timeout;
    std::vector<Damage> damages;
    // The picture asked for and not yet answered: paints are stamped as
    // they come while the server reads it (a busy server takes its time).
    std::optional<xcb_get_image_cookie_t> asked;
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
                    w != windows.end() && w->second.width >= kSmallest && w->second.height >= kSmallest) {
                    shown = mapped->window;
                    mappedAt = now;
                }
            } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
                const auto *damaged = &as<xcb_damage_notify_event_t>(*event);
                if (shown != XCB_NONE && damaged->drawable == shown) {
                    log.damaged(now);
                    damages.push_back({now, event->full_sequence});
                    paintedSinceAsked = true;
                    if (options.trace)
                        std::fprintf(stderr, "damage at %.2f ms: %d,%d %dx%d\n",
                                     std::chrono::duration<double, std::milli>(now - start).count(), damaged->area.x,
                                     damaged->area.y, damaged->area.width, damaged->area.height);
                }
            }
        }
    };
    while (Clock::now() < deadline) {
        if (log.paints() > 0 && Clock::now() - log.last() >= options.quiet && !asked)
            break;
        takeEvents(false);
        if (asked) {
            void *answer = nullptr;
            if (xcb_poll_for_reply(c, asked->sequence, &answer, nullptr) != 0) {
                const std::unique_ptr<xcb_get_image_reply_t, XcbEventFree> image{
                    static_cast<xcb_get_image_reply_t *>(answer)};
                // Paints that came before the answer may wait in the queue.
                takeEvents(true);
                Clock::time_point at{};
                for (const Damage &d : damages)
                    if (d.afterRequest < asked->sequence)
                        at = d.at;
                std::vector<uint8_t> picture = pictureIn(image.get());
                if (options.trace)
                    std::fprintf(stderr, "picture holding the paint at %.2f ms: %llx\n",
                                 std::chrono::duration<double, std::milli>(at - start).count(),
                                 static_cast<unsigned long long>(fingerprint(picture)));
                seen.push_back({at, std::move(picture)});
                asked.reset();
            }
        }
        // Read once the paints pause for half a frame of a 60 Hz screen: a
        // read in the middle of them slows the very painting it watches (a
        // whole window's picture through the server, on a machine of two
        // cores), and what shows for less is hardly a picture a learner sees.
        constexpr auto kPause = std::chrono::milliseconds(8);
        if (!asked && paintedSinceAsked && options.byPicture && Clock::now() - log.last() >= kPause) {
            asked = askForPicture(c, shown, windows[shown]);
            paintedSinceAsked = false;
        }
        poll(&fd, 1, paintedSinceAsked ? 1 : 5);
    }
    if (shown == XCB_NONE)
        throw std::runtime_error(command.front() + " never showed a window");
    if (log.paints() == 0)
        throw std::runtime_error(command.front() + " never painted its window");

    // Read once it is quiet. (The peak that wait4 reports would count the
    // memory of this process, which the child shared until it started the
    // program.)
    const long peak = peakResidentKiB(child.pid());
    Clock::time_point complete = log.last();
    int paints = 0;
    if (options.byPicture) {
        // Complete with the last paint held by the first picture from which
        // on every picture is the last one.
        // The paints the learner sees are the changes of picture on the
        // way: one that draws again what is there is not seen.
        const std::vector<uint8_t> last = pictureOf(c, shown, windows[shown]);
        auto stays = seen.end();
        while (!last.empty() && stays != seen.begin() && std::prev(stays)->picture == last)
            --stays;
        if (stays != seen.end()) {
            complete = stays->at;
            for (auto s = seen.begin(); s != std::next(stays); ++s)
                paints += s == seen.begin() || s->picture != std::prev(s)->picture ? 1 : 0;
        }
    }
    child.end();
    if (paints == 0)
        paints = log.paintsBy(complete);
    return {.untilMapped = mappedAt - start,
            .untilFirstPaint = log.sinceStart(log.first()),
            .untilComplete = log.sinceStart(std::min(complete, log.last())),
            .paints = paints,
            .repaints = log.paints() - log.paintsBy(complete),
            .peakResidentKiB = peak};
}
