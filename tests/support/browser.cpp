#include "browser.h"

#include "window_learner_base.h"

#include <glib.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

void Browser::open(const std::string &address, const std::string &readyWhen)
{
    navigate(address);
    if (!waitUntil(readyWhen))
        throw std::runtime_error(address + " never came up");
}

bool Browser::waitUntil(const std::string &readyWhen)
{
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        try {
            if (evaluate("document.readyState === 'complete' && !!(" + readyWhen + ")") == true)
                return true;
        } catch (const std::runtime_error &) { // NOLINT(bugprone-empty-catch): still on its way
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::string webPages()
{
    const char *pages = std::getenv("ZORELMINA_WEB_PAGES"); // NOLINT(concurrency-mt-unsafe): read before any thread
    return pages == nullptr ? std::string{} : std::string{pages};
}

std::string newProfileFolder(const std::string &browser)
{
    std::string folder = "/tmp/zorelmina-" + browser + "-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr)
        throw std::runtime_error("cannot make a profile folder");
    return folder;
}

std::string fileAddress(const std::string &path)
{
    return "file://" + std::filesystem::absolute(path).string();
}

Snapshot snapshotOfPng(const std::string &base64, int cssWidth)
{
    gsize size = 0;
    const std::unique_ptr<guchar, decltype(&g_free)> png(g_base64_decode(base64.c_str(), &size), g_free);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, png.get(), size) == 0)
        throw std::runtime_error("the browser's picture is no PNG");
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0)
        throw std::runtime_error("the browser's picture cannot be read");
    Snapshot s{static_cast<int>(image.width), static_cast<int>(image.height),
               static_cast<double>(image.width) / cssWidth, {}};
    s.pixels.reserve(rgb.size() / 3);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        s.pixels.push_back({rgb[i], rgb[i + 1], rgb[i + 2]});
    return s;
}
