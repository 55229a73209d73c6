// The Qt window, for the Qt test programs.
#include "backends.h"
#include "platform/qt/qt_form.h"
#include "qt_learner.h"

#include <QRadioButton>

const Toolkit &toolkit()
{
    static const Toolkit qt{"Qt", rigsOf<platform::QtForm>([](platform::QtForm &form, platform::ControlId option) {
                                form.widget().control<QRadioButton>(option)->click();
                            }),
                            makeQtLearner};
    return qt;
}
