#include "platform/web/failure.h"
#include "platform/web/scorm_report.h"
#include "platform/web/web_form.h"
#include "quiz/content.h"
#include "window/tarvel_mondix.h"

#include <exception>
#include <memory>

// The page keeps the quiz after main returns: what it does from then on,
// the learner's clicks start. Where a learning platform is around the page,
// it hears of every pair found (from the quiz, not from what is shown).
int main()
{
    try {
        static const std::unique_ptr<Tarvel_Mondix> shown =
            std::make_unique<Tarvel_Mondix>(std::make_unique<platform::WebForm>(window::describeTarvelMondix()));
        shown->setVerdictHandler([](const Tarvel_Mondix::Verdict &verdict) {
            if (verdict.right)
                platform::web::reportPairFound(verdict.pair);
        });
        shown->show();
        platform::web::startScormReport(quiz::kPairCount);
    } catch (const std::exception &e) {
        platform::web::reportFailureAndExit(window::describeTarvelMondix().failure, e.what());
    }
    return 0;
}
