// The in-memory form, for the test program that links no toolkit.
#include "backends.h"
#include "platform/memory_form.h"

const Toolkit &toolkit()
{
    static const Toolkit memory{
        "MemoryForm", rigsOf<platform::MemoryForm>([](platform::MemoryForm &memory, platform::ControlId option) { memory.click(option); }),
        {}};
    return memory;
}
