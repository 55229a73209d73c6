#include "platform/web/markup.h"
#include "platform/web/web_form.h"
#include "window/tarvel_mondix.h"

#include <cstdio>
#include <memory>

// The window as the page's program shows it at first, written out as HTML
// (run when the page is built), so that the page can draw it before the
// program has run.
int main()
{
    Tarvel_Mondix shown(std::make_unique<platform::WebForm>(window::describeTarvelMondix()));
    shown.show();
    // Written out at a line's end, where the runtime writes what it holds.
    std::puts(platform::web::markup().c_str());
    return 0;
}
