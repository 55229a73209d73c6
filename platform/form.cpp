#include "form.h"

namespace platform {

std::string displayName(ControlId control)
{
    std::string name{control.name};
    if (control.index >= 0) {
        name += '(';
        name += std::to_string(control.index);
        name += ')';
    }
    return name;
}

} // namespace platform
