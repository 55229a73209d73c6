#include "platform/web/failure.h"
#include "platform/web/web_form.h"
#include "window/tarvel_mondix.h"

#include <exception>
#include <memory>

// The page keeps the quiz after main returns: what it does from then on,
// the learner's clicks start.
int main()
{
    try {
        static const std::unique_ptr<Tarvel_Mondix> quiz =
            std::make_unique<Tarvel_Mondix>(std::make_unique<platform::WebForm>(window::describeTarvelMondix()));
        quiz->show();
    } catch (const std::exception &e) {
        platform::web::reportFailureAndExit(window::describeTarvelMondix().failure, e.what());
    }
    return 0;
}
