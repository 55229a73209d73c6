// The in-memory board, for the test program that links no toolkit.
#include "backends.h"
#include "platform/memory_board.h"

const Toolkit &toolkit()
{
    static const Toolkit board{
        "Board", rigsOf<platform::MemoryBoard>([](platform::MemoryBoard &board, platform::ControlId option) { board.click(option); }),
        {}};
    return board;
}
